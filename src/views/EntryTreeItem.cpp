#include "EntryTreeItem.h"

EntryTreeItem::EntryTreeItem(QTreeWidgetItem* parent, ToolTipSource source)
    : QTreeWidgetItem(parent), m_source(source)
{
}

QVariant EntryTreeItem::data(int column, int role) const
{
    if (column == 0 && role == Qt::BackgroundRole && m_highlight.style() != Qt::NoBrush)
        return m_highlight;
    if (column != 0 || role != Qt::ToolTipRole || m_state == ToolTip::SetFromOutside)
        return QTreeWidgetItem::data(column, role);
    if (m_state == ToolTip::Unread) {
        m_toolTip = m_source ? m_source(this) : QString();
        m_state = ToolTip::Read;
    }
    // No tip is no value, as for an item whose tool tip was never set.
    return m_toolTip.isEmpty() ? QVariant() : QVariant(m_toolTip);
}

void EntryTreeItem::setData(int column, int role, const QVariant& value)
{
    if (column == 0 && role == Qt::ToolTipRole) {
        m_state = ToolTip::SetFromOutside;
        m_toolTip.clear();
    }
    if (column == 0 && role == Qt::BackgroundRole)
        m_highlight = QBrush();
    QTreeWidgetItem::setData(column, role, value);
}
