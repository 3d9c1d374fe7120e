#include "ViewModeSelector.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QSignalBlocker>

ViewModeSelector::ViewModeSelector(QObject* parent)
    : QObject(parent), m_actions(new QActionGroup(this))
{
    m_actions->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
}

void ViewModeSelector::addMenuActions(QMenu* menu, const QStringList& labels)
{
    for (int mode = 0; mode < labels.size(); ++mode) {
        QAction* action = menu->addAction(labels.at(mode));
        action->setCheckable(true);
        action->setChecked(mode == m_mode);
        m_actions->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { emit modeRequested(mode); });
    }
}

QComboBox* ViewModeSelector::createComboBox(const QStringList& labels, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->addItems(labels);
    combo->setCurrentIndex(m_mode);
    connect(combo, &QComboBox::currentIndexChanged, this, &ViewModeSelector::modeRequested);
    m_combo = combo;
    return combo;
}

QComboBox* ViewModeSelector::comboBox() const
{
    return m_combo;
}

QList<QAction*> ViewModeSelector::menuActions() const
{
    return m_actions->actions();
}

void ViewModeSelector::setMode(int mode)
{
    m_mode = mode;
    const QList<QAction*> actions = m_actions->actions();
    for (int i = 0; i < actions.size(); ++i)
        actions.at(i)->setChecked(i == mode);
    if (m_combo && m_combo->currentIndex() != mode && mode < m_combo->count()) {
        const QSignalBlocker blocker(m_combo);
        m_combo->setCurrentIndex(mode);
    }
}
