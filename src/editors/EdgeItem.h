#pragma once

#include <QGraphicsLineItem>
#include <QPolygonF>
#include <QSizeF>
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

    // Where the line, coming from its start, meets the outline of an ellipse with the
    // given radii centred on its end point. The end point itself for a zero-length line.
    static QPointF boundaryPoint(const QLineF& line, const QSizeF& radii);
    // The arrow head: its tip at boundaryPoint, its two barbs 30 degrees either side of
    // the line, pointing back towards the start, so the end node does not cover it.
    static QPolygonF arrowHead(const QLineF& line, const QSizeF& endRadii);
    // Half the width and height of the end node's drawn outline, pen included.
    QSizeF endRadii() const;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

private:
    NodeItem* m_from = nullptr;
    NodeItem* m_to = nullptr;
    QString m_label;
    QGraphicsTextItem* m_labelItem = nullptr;
};
