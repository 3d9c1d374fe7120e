#include "ContentZoom.h"

#include <QAction>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QWheelEvent>

#include <tuple>
#include <vector>

namespace {

// The picture's width and height at 100 %, kept in its format once it was zoomed.
constexpr int kBaseWidthProperty = QTextFormat::UserProperty + 0x5a01;
constexpr int kBaseHeightProperty = QTextFormat::UserProperty + 0x5a02;

QSize naturalSize(QTextDocument* document, const QString& name)
{
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(name));
    if (resource.canConvert<QImage>())
        return resource.value<QImage>().size();
    if (resource.canConvert<QPixmap>())
        return resource.value<QPixmap>().size();
    if (resource.canConvert<QByteArray>())
        return QImage::fromData(resource.toByteArray()).size();
    return {};
}

} // namespace

ContentZoom::ContentZoom(QTextEdit* target, QObject* parent) : QObject(parent), m_target(target)
{
    m_basePointSize = target->font().pointSizeF();
    m_basePixelSize = target->font().pixelSize();
    target->viewport()->installEventFilter(this);
    // Every new page brings pictures at their own size.
    connect(target, &QTextEdit::textChanged, this, [this] {
        if (!m_scaling)
            scaleImages();
    });

    m_zoomInAction = new QAction(tr("放大"), this);
    m_zoomInAction->setObjectName(QStringLiteral("zoomInAction"));
    m_zoomInAction->setShortcuts(
        {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(m_zoomInAction, &QAction::triggered, this, &ContentZoom::zoomIn);
    m_zoomOutAction = new QAction(tr("缩小"), this);
    m_zoomOutAction->setObjectName(QStringLiteral("zoomOutAction"));
    m_zoomOutAction->setShortcut(QKeySequence(QKeySequence::ZoomOut));
    connect(m_zoomOutAction, &QAction::triggered, this, &ContentZoom::zoomOut);
    m_resetAction = new QAction(tr("实际大小"), this);
    m_resetAction->setObjectName(QStringLiteral("zoomResetAction"));
    m_resetAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(m_resetAction, &QAction::triggered, this, &ContentZoom::reset);
}

QList<int> ContentZoom::steps()
{
    return {50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
}

void ContentZoom::setPercent(int percent)
{
    percent = qBound(MinimumPercent, percent, MaximumPercent);
    if (percent == m_percent)
        return;
    m_percent = percent;
    applyFont();
    scaleImages();
    emit zoomChanged(m_percent);
}

void ContentZoom::zoomIn()
{
    for (int step : steps()) {
        if (step > m_percent) {
            setPercent(step);
            return;
        }
    }
}

void ContentZoom::zoomOut()
{
    const QList<int> all = steps();
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        if (*it < m_percent) {
            setPercent(*it);
            return;
        }
    }
}

void ContentZoom::applyFont()
{
    if (!m_target)
        return;
    QFont font = m_target->font();
    if (m_basePointSize > 0)
        font.setPointSizeF(m_basePointSize * m_percent / 100.0);
    else if (m_basePixelSize > 0)
        font.setPixelSize(qMax(1, qRound(m_basePixelSize * m_percent / 100.0)));
    m_target->setFont(font);
}

void ContentZoom::scaleImages()
{
    if (!m_target)
        return;
    QTextDocument* document = m_target->document();
    std::vector<std::tuple<int, int, QTextImageFormat>> changes;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            // A picture seen at 100 % needs no change and no record.
            if (!image.hasProperty(kBaseWidthProperty) && m_percent == 100)
                continue;
            if (!image.hasProperty(kBaseWidthProperty)) {
                qreal width = image.width();
                qreal height = image.height();
                if (width <= 0) {
                    const QSize natural = naturalSize(document, image.name());
                    if (natural.isEmpty())
                        continue;
                    // A height alone keeps the picture's proportions.
                    width =
                        height > 0 ? height * natural.width() / natural.height() : natural.width();
                }
                image.setProperty(kBaseWidthProperty, width);
                image.setProperty(kBaseHeightProperty, height);
            }
            const qreal factor = m_percent / 100.0;
            image.setWidth(image.doubleProperty(kBaseWidthProperty) * factor);
            const qreal baseHeight = image.doubleProperty(kBaseHeightProperty);
            if (baseHeight > 0)
                image.setHeight(baseHeight * factor);
            changes.emplace_back(fragment.position(), fragment.length(), image);
        }
    }
    if (changes.empty())
        return;
    m_scaling = true;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const auto& [position, length, image] : changes) {
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(image);
    }
    cursor.endEditBlock();
    m_scaling = false;
}

bool ContentZoom::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta > 0)
                zoomIn();
            else if (delta < 0)
                zoomOut();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
