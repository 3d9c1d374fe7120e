#include "NodeItem.h"

#include <QBrush>
#include <QFont>
#include <QGraphicsTextItem>
#include <QPen>

NodeItem::NodeItem(const QString& id, const QString& label, QGraphicsItem* parent)
    : QGraphicsEllipseItem(-30, -20, 60, 40, parent), m_id(id), m_label(label)
{
    setBrush(QColor(200, 230, 255));
    setPen(QPen(QColor(100, 150, 200), 2, Qt::SolidLine));
    setFlags(QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable);

    m_textItem = new QGraphicsTextItem(label, this);
    QFont font = m_textItem->font();
    font.setPointSize(8);
    m_textItem->setFont(font);
    const QRectF bounds = m_textItem->boundingRect();
    m_textItem->setPos(-bounds.width() / 2, -bounds.height() / 2);
}
