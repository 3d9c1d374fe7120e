#include "MouseNavigationFilter.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

MouseNavigationFilter::MouseNavigationFilter(QObject* parent) : QObject(parent) {}

void MouseNavigationFilter::watch(QWidget* widget)
{
    if (widget)
        widget->installEventFilter(this);
}

bool MouseNavigationFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return QObject::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::BackButton) {
        emit backRequested();
        return true;
    }
    if (mouse->button() == Qt::ForwardButton) {
        emit forwardRequested();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
