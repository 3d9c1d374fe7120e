#pragma once

// Answers the modal dialogs a widget opens while a test drives it, so no box
// ever blocks a test run. Message boxes are recorded; questions take the next
// queued answer (No when none is queued), other boxes are acknowledged. Other
// dialogs run the next queued action, or are rejected.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QQueue>
#include <QTimer>

#include <functional>

class ModalAnswerer : public QObject
{
public:
    struct Box
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };

    ModalAnswerer()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
        m_timer.start();
    }

    void answer(QMessageBox::StandardButton button) { m_answers.enqueue(button); }
    void onDialog(std::function<void(QDialog*)> action) { m_actions.enqueue(std::move(action)); }

    QList<Box> boxes;
    int unansweredQuestions = 0;
    int rejectedDialogs = 0;

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.append({box->icon(), box->windowTitle(), box->text()});
            QAbstractButton* button = nullptr;
            if (box->icon() == QMessageBox::Question) {
                if (m_answers.isEmpty()) {
                    ++unansweredQuestions;
                    button = box->button(QMessageBox::No);
                } else {
                    button = box->button(m_answers.dequeue());
                }
            }
            if (!button)
                button = box->buttons().value(0);
            if (button)
                button->click();
            else
                box->reject();
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            if (m_actions.isEmpty()) {
                ++rejectedDialogs;
                dialog->reject();
            } else {
                m_actions.dequeue()(dialog);
            }
        }
    }

    QTimer m_timer;
    QQueue<QMessageBox::StandardButton> m_answers;
    QQueue<std::function<void(QDialog*)>> m_actions;
};
