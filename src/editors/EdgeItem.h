#pragma once

#include <QGraphicsLineItem>
#include <QPolygonF>
#include <QString>

class NodeItem;
class QGraphicsTextItem;

// A labelled arrow between two nodes, drawn beneath them; it does not own the nodes.
class EdgeItem : public QGraphicsLineItem
{
public:
    EdgeItem(NodeItem* from, NodeItem* to, const QString& label, QGraphicsItem* parent = nullptr);

    // Puts the line between the two node centres and re-centres the label on its midpoint.
    void updatePosition();

    NodeItem* fromNode() const { return m_from; }
    NodeItem* toNode() const { return m_to; }
    QString label() const { return m_label; }
    QGraphicsTextItem* labelItem() const { return m_labelItem; }

    // The arrow head drawn at the line's end point.
    static QPolygonF arrowHead(const QLineF& line);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

private:
    NodeItem* m_from = nullptr;
    NodeItem* m_to = nullptr;
    QString m_label;
    QGraphicsTextItem* m_labelItem = nullptr;
};
