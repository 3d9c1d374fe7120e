#include "EdgeItem.h"

#include "editors/NodeItem.h"

#include <QFont>
#include <QGraphicsTextItem>
#include <QPainter>
#include <QPen>
#include <QtMath>

namespace {

const qreal kArrowSize = 10.0;
const qreal kArrowSpread = 30.0;

} // namespace

EdgeItem::EdgeItem(NodeItem* from, NodeItem* to, const QString& label, QGraphicsItem* parent)
    : QGraphicsLineItem(parent), m_from(from), m_to(to), m_label(label)
{
    setPen(QPen(QColor(100, 100, 100), 1, Qt::SolidLine));
    setZValue(-1);
    if (!label.isEmpty()) {
        m_labelItem = new QGraphicsTextItem(label, this);
        QFont font = m_labelItem->font();
        font.setPointSize(7);
        m_labelItem->setFont(font);
    }
    if (m_from && m_to)
        updatePosition();
}

void EdgeItem::updatePosition()
{
    if (!m_from || !m_to)
        return;
    const QLineF line(m_from->pos(), m_to->pos());
    setLine(line);
    if (m_labelItem) {
        const QRectF bounds = m_labelItem->boundingRect();
        m_labelItem->setPos(line.center() - bounds.center());
    }
}

QPointF EdgeItem::boundaryPoint(const QLineF& line, const QSizeF& radii)
{
    const QPointF end = line.p2();
    const QPointF back = line.p1() - end;
    if (back.isNull() || radii.isEmpty())
        return end;
    // The ray from the centre towards the start reaches the ellipse at factor t.
    const qreal rx = back.x() / radii.width();
    const qreal ry = back.y() / radii.height();
    const qreal t = 1.0 / qSqrt(rx * rx + ry * ry);
    return end + back * t;
}

QPolygonF EdgeItem::arrowHead(const QLineF& line, const QSizeF& endRadii)
{
    const QPointF tip = boundaryPoint(line, endRadii);
    QPolygonF head;
    head << tip;
    const QLineF back(line.p2(), line.p1());
    for (const qreal turn : {kArrowSpread, -kArrowSpread}) {
        // A zero-length line has no direction: the head shrinks to its tip.
        const QPointF barb = back.length() == 0.0
                                 ? QPointF()
                                 : QLineF::fromPolar(kArrowSize, back.angle() + turn).p2();
        head << tip + barb;
    }
    return head;
}

QSizeF EdgeItem::endRadii() const
{
    if (!m_to)
        return QSizeF();
    const QRectF outline = m_to->rect();
    const qreal halfPen = m_to->pen().widthF() / 2;
    return QSizeF(outline.width() / 2 + halfPen, outline.height() / 2 + halfPen);
}

QRectF EdgeItem::boundingRect() const
{
    const QRectF lineBounds = QGraphicsLineItem::boundingRect();
    if (!m_from || !m_to || line().length() == 0.0)
        return lineBounds;
    const qreal halfPen = pen().widthF() / 2;
    return lineBounds.united(arrowHead(line(), endRadii())
                                 .boundingRect()
                                 .adjusted(-halfPen, -halfPen, halfPen, halfPen));
}

void EdgeItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    if (!m_from || !m_to)
        return;
    const QLineF currentLine = line();
    if (currentLine.length() == 0.0)
        return;
    painter->setPen(pen());
    painter->drawLine(currentLine);
    painter->drawPolygon(arrowHead(currentLine, endRadii()), Qt::OddEvenFill);
}
