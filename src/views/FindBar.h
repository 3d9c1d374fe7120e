#pragma once

#include "views/TextFinder.h"

#include <QFrame>
#include <QPointer>

class QAction;
class QLabel;
class QLineEdit;
class QShortcut;
class QTextEdit;
class QToolButton;

// The find bar laid over the top right corner of a text view: finds as the user
// types, ignoring case, marks every hit and the current one, and shows "3/17".
// Return and F3 go to the next hit, Shift with them to the previous one, Esc closes.
class FindBar : public QFrame
{
    Q_OBJECT

public:
    // Lives in the view's parent, over the view.
    explicit FindBar(QTextEdit* target);

    // The window's actions: open the bar (Ctrl+F), next (F3) and previous (Shift+F3) hit.
    QAction* findAction() const { return m_findAction; }
    QAction* findNextAction() const { return m_findNextAction; }
    QAction* findPreviousAction() const { return m_findPreviousAction; }

    QLineEdit* lineEdit() const { return m_edit; }
    QLabel* countLabel() const { return m_countLabel; }
    const TextFinder& finder() const { return m_finder; }

    static QColor hitColor();
    static QColor currentHitColor();

public slots:
    // Does nothing while the view is not shown (another page of the window is).
    void openBar();
    void closeBar();
    void findNext();
    void findPrevious();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onTextEdited(const QString& text);
    void onTargetChanged();
    void showCurrent();
    void place();

    QPointer<QTextEdit> m_target;
    TextFinder m_finder;
    QLineEdit* m_edit = nullptr;
    QLabel* m_countLabel = nullptr;
    QToolButton* m_previousButton = nullptr;
    QToolButton* m_nextButton = nullptr;
    QToolButton* m_closeButton = nullptr;
    QShortcut* m_escape = nullptr;
    QAction* m_findAction = nullptr;
    QAction* m_findNextAction = nullptr;
    QAction* m_findPreviousAction = nullptr;
};
