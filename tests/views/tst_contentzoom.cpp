#include "views/ContentView.h"
#include "views/ContentZoom.h"
#include "views/CustomTextBrowser.h"

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QJsonObject>
#include <QTextBlock>
#include <QTextImageFormat>
#include <QtTest>

namespace {

QString pngDataUrl(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(bytes.toBase64());
}

// Width and height of every picture of the document, in order.
QList<QSizeF> imageSizes(QTextDocument* document)
{
    QList<QSizeF> sizes;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                sizes << QSizeF(format.toImageFormat().width(), format.toImageFormat().height());
        }
    }
    return sizes;
}

void sendWheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers)
{
    const QPointF position(20, 20);
    QWheelEvent event(position, target->mapToGlobal(position), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TestContentZoom : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ContentView> m_view;
    ContentZoom* m_zoom = nullptr;
    qreal m_basePointSize = 0;

    CustomTextBrowser* browser() const { return m_view->textBrowser(); }

private slots:
    void init()
    {
        m_view = std::make_unique<ContentView>();
        m_basePointSize = m_view->textBrowser()->font().pointSizeF();
        m_zoom = new ContentZoom(m_view->textBrowser(), m_view.get());
        m_view->resize(600, 400);
        m_view->show();
        m_view->displayData(QJsonObject{{"name", "N"}, {"fullName", "Zoomed text"}});
    }

    void cleanup() { m_view.reset(); }

    void stepsInAndOut()
    {
        QCOMPARE(m_zoom->percent(), 100);
        QSignalSpy changed(m_zoom, &ContentZoom::zoomChanged);
        m_zoom->zoomInAction()->trigger();
        m_zoom->zoomInAction()->trigger();
        QCOMPARE(m_zoom->percent(), 125);
        QVERIFY(qFuzzyCompare(browser()->font().pointSizeF(), m_basePointSize * 1.25));
        m_zoom->zoomOutAction()->trigger();
        m_zoom->zoomOutAction()->trigger();
        m_zoom->zoomOutAction()->trigger();
        QCOMPARE(m_zoom->percent(), 90);
        m_zoom->resetAction()->trigger();
        QCOMPARE(m_zoom->percent(), 100);
        QVERIFY(qFuzzyCompare(browser()->font().pointSizeF(), m_basePointSize));
        QCOMPARE(changed.count(), 6);
        QCOMPARE(changed.last().first().toInt(), 100);
    }

    void staysWithinItsRange()
    {
        for (int i = 0; i < 20; ++i)
            m_zoom->zoomIn();
        QCOMPARE(m_zoom->percent(), ContentZoom::MaximumPercent);
        for (int i = 0; i < 30; ++i)
            m_zoom->zoomOut();
        QCOMPARE(m_zoom->percent(), ContentZoom::MinimumPercent);
        m_zoom->setPercent(1000);
        QCOMPARE(m_zoom->percent(), 300);
        m_zoom->setPercent(133); // a restored value between steps
        QCOMPARE(m_zoom->percent(), 133);
        m_zoom->zoomIn();
        QCOMPARE(m_zoom->percent(), 150);
    }

    void keptForTheNextPage()
    {
        m_zoom->setPercent(200);
        m_view->displayData(QJsonObject{{"name", "Other"}, {"fullName", "Other page"}});
        QVERIFY(qFuzzyCompare(browser()->font().pointSizeF(), m_basePointSize * 2));
    }

    void ctrlWheelZooms()
    {
        sendWheel(browser()->viewport(), 120, Qt::ControlModifier);
        QCOMPARE(m_zoom->percent(), 110);
        sendWheel(browser()->viewport(), -120, Qt::ControlModifier);
        sendWheel(browser()->viewport(), -120, Qt::ControlModifier);
        QCOMPARE(m_zoom->percent(), 90);
        // Without Ctrl the wheel scrolls and leaves the zoom alone.
        sendWheel(browser()->viewport(), 120, Qt::NoModifier);
        QCOMPARE(m_zoom->percent(), 90);
        QVERIFY(qFuzzyCompare(browser()->font().pointSizeF(), m_basePointSize * 0.9));
    }

    void picturesScaleToo()
    {
        const QString image = pngDataUrl(40, 20);
        browser()->setHtml(QStringLiteral("<p><img src=\"%1\"></p><p><img src=\"%1\" width=\"100\" "
                                          "height=\"30\"></p>")
                               .arg(image));
        QCOMPARE(imageSizes(browser()->document()), (QList<QSizeF>{QSizeF(0, 0), QSizeF(100, 30)}));
        m_zoom->setPercent(200);
        QCOMPARE(imageSizes(browser()->document()),
                 (QList<QSizeF>{QSizeF(80, 0), QSizeF(200, 60)}));
        m_zoom->setPercent(50);
        QCOMPARE(imageSizes(browser()->document()), (QList<QSizeF>{QSizeF(20, 0), QSizeF(50, 15)}));
        // A new page at 50 % shows its pictures at 50 % at once.
        browser()->setHtml(QStringLiteral("<img src=\"%1\">").arg(image));
        QCOMPARE(imageSizes(browser()->document()), QList<QSizeF>{QSizeF(20, 0)});
        m_zoom->reset();
        QCOMPARE(imageSizes(browser()->document()), QList<QSizeF>{QSizeF(40, 0)});
    }

    void shortcuts()
    {
        QVERIFY(m_zoom->zoomInAction()->shortcuts().contains(QKeySequence("Ctrl++")));
        QVERIFY(m_zoom->zoomInAction()->shortcuts().contains(QKeySequence("Ctrl+=")));
        QCOMPARE(m_zoom->zoomOutAction()->shortcut(), QKeySequence("Ctrl+-"));
        QCOMPARE(m_zoom->resetAction()->shortcut(), QKeySequence("Ctrl+0"));
    }
};

QTEST_MAIN(TestContentZoom)
#include "tst_contentzoom.moc"
