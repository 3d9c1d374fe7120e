#pragma once

#include "search/QuickSwitcherModel.h"

#include <QFrame>
#include <QPointer>

class QAction;
class QLabel;
class QLineEdit;
class QListView;

// The quick switcher: a popup over the window with a field and the ranked matches
// of the whole knowledge base. The arrow keys move, Return or a click opens, Esc
// (or a click elsewhere) closes.
class QuickSwitcher : public QFrame
{
    Q_OBJECT

public:
    explicit QuickSwitcher(QWidget* window);

    QuickSwitcherModel* model() const { return m_model; }
    QLineEdit* lineEdit() const { return m_edit; }
    QListView* listView() const { return m_list; }
    // Ctrl+K and Ctrl+P.
    QAction* openAction() const { return m_openAction; }

public slots:
    void openSwitcher();
    void closeSwitcher();

signals:
    // The window builds the model when it is first needed.
    void aboutToOpen();
    void pageRequested(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onTextEdited(const QString& text);
    void openRow(int row);
    void place();
    void updateHint();

    QPointer<QWidget> m_window;
    QuickSwitcherModel* m_model = nullptr;
    QLineEdit* m_edit = nullptr;
    QListView* m_list = nullptr;
    QLabel* m_hint = nullptr;
    QAction* m_openAction = nullptr;
    QString m_currentPath;
};
