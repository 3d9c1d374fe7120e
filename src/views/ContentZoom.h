#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QTextEdit;

// Zoom of a text view in browser-like steps: the text through the view's font,
// pictures by scaling their width (and height when one is set). Ctrl+wheel over
// the view and the three actions (Ctrl+plus, Ctrl+minus, Ctrl+0) change it; it is
// kept for every page the view shows.
class ContentZoom : public QObject
{
    Q_OBJECT

public:
    static constexpr int MinimumPercent = 50;
    static constexpr int MaximumPercent = 300;

    explicit ContentZoom(QTextEdit* target, QObject* parent = nullptr);

    int percent() const { return m_percent; }
    // The steps zooming in and out goes through.
    static QList<int> steps();

    QAction* zoomInAction() const { return m_zoomInAction; }
    QAction* zoomOutAction() const { return m_zoomOutAction; }
    QAction* resetAction() const { return m_resetAction; }

public slots:
    // Any value in range (a restored session's); others are clamped.
    void setPercent(int percent);
    void zoomIn();
    void zoomOut();
    void reset() { setPercent(100); }

signals:
    void zoomChanged(int percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyFont();
    void scaleImages();

    QPointer<QTextEdit> m_target;
    qreal m_basePointSize = -1;
    int m_basePixelSize = -1;
    int m_percent = 100;
    bool m_scaling = false;
    QAction* m_zoomInAction = nullptr;
    QAction* m_zoomOutAction = nullptr;
    QAction* m_resetAction = nullptr;
};
