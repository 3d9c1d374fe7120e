#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QAction;
class QActionGroup;
class QComboBox;
class QMenu;
class QWidget;

// The two ways of choosing the view mode, the View menu's mode items and the
// tool bar's combo box, kept showing the same mode: whichever the user takes,
// both follow, so the other one always reaches every mode.
class ViewModeSelector : public QObject
{
    Q_OBJECT

public:
    explicit ViewModeSelector(QObject* parent = nullptr);

    // One checkable item per label; item i chooses mode i.
    void addMenuActions(QMenu* menu, const QStringList& labels);
    // A combo box whose index i chooses mode i.
    QComboBox* createComboBox(const QStringList& labels, QWidget* parent);

    int mode() const { return m_mode; }
    QList<QAction*> menuActions() const;
    QComboBox* comboBox() const;

public slots:
    // Shows mode in both without asking for it again. A mode without a menu item
    // leaves no menu item checked.
    void setMode(int mode);

signals:
    void modeRequested(int mode);

private:
    QActionGroup* m_actions = nullptr;
    QPointer<QComboBox> m_combo;
    int m_mode = 0;
};
