#pragma once

#include <QBrush>
#include <QString>
#include <QTreeWidgetItem>

// A tree row for a knowledge-base entry whose tool tip (the entry's description)
// is read from the entry the first time anything asks for it: building the
// tree then needs no more of each entry than its label.
class EntryTreeItem : public QTreeWidgetItem
{
public:
    // The tool tip of the entry an item stands for; empty for none.
    using ToolTipSource = QString (*)(const QTreeWidgetItem* item);

    EntryTreeItem(QTreeWidgetItem* parent, ToolTipSource source);

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

    // The first column's background while brush is set (Qt::NoBrush: none), kept
    // beside the item's data: storing it there copies the item's values and tells
    // the view, once for every hit of a search. Setting the background replaces it.
    void setHighlight(const QBrush& brush) { m_highlight = brush; }

private:
    enum class ToolTip : quint8
    {
        Unread,
        Read,
        SetFromOutside
    };

    ToolTipSource m_source;
    QBrush m_highlight;
    mutable QString m_toolTip;
    mutable ToolTip m_state = ToolTip::Unread;
};
