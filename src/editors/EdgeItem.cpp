#include "EdgeItem.h"

#include "editors/NodeItem.h"

#include <QFont>
#include <QGraphicsTextItem>
#include <QPainter>
#include <QPen>
#include <QtMath>

namespace {

const qreal kArrowSize = 10.0;

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

QPolygonF EdgeItem::arrowHead(const QLineF& line)
{
    const qreal angle = qDegreesToRadians(line.angle());
    const qreal spread = qDegreesToRadians(30.0);
    const QPointF end = line.p2();
    QPolygonF head;
    head << end << QPointF(end.x() + kArrowSize * qSin(angle), end.y() + kArrowSize * qCos(angle))
         << QPointF(end.x() + kArrowSize * qSin(angle + spread),
                    end.y() + kArrowSize * qCos(angle + spread));
    return head;
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
    painter->drawPolygon(arrowHead(currentLine), Qt::OddEvenFill);
}
