#pragma once

#include <QGraphicsEllipseItem>
#include <QString>

class QGraphicsTextItem;

// A labelled ellipse of the knowledge graph, centred on its position; movable and selectable.
class NodeItem : public QGraphicsEllipseItem
{
public:
    NodeItem(const QString& id, const QString& label, QGraphicsItem* parent = nullptr);

    QString id() const { return m_id; }
    QString label() const { return m_label; }
    QGraphicsTextItem* textItem() const { return m_textItem; }

private:
    QString m_id;
    QString m_label;
    QGraphicsTextItem* m_textItem = nullptr;
};
