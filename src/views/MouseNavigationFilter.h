#pragma once

#include <QObject>

class QWidget;

// Turns the mouse's back and forward buttons, pressed over any watched widget,
// into requests to go back or forward.
class MouseNavigationFilter : public QObject
{
    Q_OBJECT

public:
    explicit MouseNavigationFilter(QObject* parent = nullptr);

    void watch(QWidget* widget);

signals:
    void backRequested();
    void forwardRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
