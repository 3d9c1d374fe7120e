#include "LocalHttpServer.h"
#include "online/NewsGridWidget.h"

#include <QBuffer>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkReply>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(LocalHttpServer::Response)

namespace {

QJsonObject item(const QString& title, const QStringList& categories, const QStringList& tags,
                 const QString& cover = QString(), const QString& contentUrl = QString())
{
    QJsonObject object{{"title", title},
                       {"summary", QStringLiteral("Summary of %1").arg(title)},
                       {"source", "Quorvanta Wire"},
                       {"publishedAt", "2024-06-01T08:30:45Z"},
                       {"categories", QJsonArray::fromStringList(categories)},
                       {"tags", QJsonArray::fromStringList(tags)}};
    if (!cover.isEmpty())
        object.insert("coverImage", cover);
    if (!contentUrl.isEmpty())
        object.insert("contentUrl", contentUrl);
    return object;
}

QByteArray pngBytes(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor("#3366CC"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A picture that does not compress to a few bytes.
QByteArray noisyPngBytes(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(20240601);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QGridLayout* gridLayout(NewsGridWidget& widget)
{
    auto* container = widget.findChild<QWidget*>("newsGridContainer");
    return container ? qobject_cast<QGridLayout*>(container->layout()) : nullptr;
}

// The cards now in the grid, in insertion order.
QList<QFrame*> cards(NewsGridWidget& widget)
{
    QList<QFrame*> result;
    QGridLayout* layout = gridLayout(widget);
    for (int i = 0; layout && i < layout->count(); ++i)
        result << qobject_cast<QFrame*>(layout->itemAt(i)->widget());
    return result;
}

QStringList cardTitles(NewsGridWidget& widget)
{
    QStringList titles;
    for (QFrame* card : cards(widget))
        titles << card->findChildren<QLabel*>().at(1)->text();
    return titles;
}

QLabel* coverOf(QFrame* card)
{
    return card->findChild<QLabel*>("newsCover");
}

QComboBox* categoryCombo(NewsGridWidget& widget)
{
    return widget.findChildren<QComboBox*>().at(0);
}

QComboBox* tagCombo(NewsGridWidget& widget)
{
    return widget.findChildren<QComboBox*>().at(1);
}

QStringList comboTexts(QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

QLabel* statusLabel(NewsGridWidget& widget)
{
    return widget.findChild<QLabel*>("newsStatusLabel");
}

const QString ErrorStyle = QStringLiteral("color: #C2185B;");
const QString NormalStyle = QStringLiteral("color: #666666;");

} // namespace

class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestNewsGridWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.listen()); }

    void construction()
    {
        NewsGridWidget widget;
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("正在等待数据..."));
        QCOMPARE(statusLabel(widget)->styleSheet(), NormalStyle);
        QVERIFY(widget.findChild<QWidget*>("newsGridContainer"));
        QCOMPARE(gridLayout(widget)->spacing(), 12);
        QVERIFY(widget.findChild<QScrollArea*>()->widgetResizable());
        QCOMPARE(widget.findChild<QLineEdit*>()->placeholderText(),
                 QString::fromUtf8("搜索标题或摘要..."));
        QVERIFY(!categoryCombo(widget)->isEditable());
        QVERIFY(widget.currentCategory().isEmpty());
        QVERIFY(widget.currentTag().isEmpty());
        QVERIFY(!widget.isRefreshing());
    }

    void waitingStatusLastsUntilItemsArrive_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("shown") << "show";
        QTest::newRow("resized") << "resize";
        QTest::newRow("keyword typed") << "keyword";
    }

    void waitingStatusLastsUntilItemsArrive()
    {
        QFETCH(QString, action);
        NewsGridWidget widget;
        widget.resize(700, 500);
        if (action == "show") {
            widget.show();
            QVERIFY(QTest::qWaitForWindowExposed(&widget));
        } else if (action == "resize") {
            widget.show();
            QVERIFY(QTest::qWaitForWindowExposed(&widget));
            widget.resize(1000, 600);
            QCoreApplication::processEvents();
        } else {
            widget.onSearchTextChanged("cad");
        }
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("正在等待数据..."));
        QCOMPARE(statusLabel(widget)->styleSheet(), NormalStyle);

        // Once items have arrived, an empty filter result is said as such.
        widget.setNewsItems({item("Kernel news", {"cad"}, {})}, QDateTime());
        widget.onSearchTextChanged("nothing like this");
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("没有符合筛选条件的资讯"));
        QCOMPARE(statusLabel(widget)->styleSheet(), ErrorStyle);
    }

    void layoutNumbersAndStyles()
    {
        NewsGridWidget widget;
        QCOMPARE(widget.layout()->contentsMargins(), QMargins(12, 12, 12, 12));
        QCOMPARE(widget.layout()->spacing(), 8);
        QCOMPARE(gridLayout(widget)->contentsMargins(), QMargins(0, 0, 0, 0));
        QStringList texts;
        QLabel* title = nullptr;
        for (QLabel* label : widget.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
            texts << label->text();
            if (label->text() == QString::fromUtf8("最新资讯"))
                title = label;
        }
        for (const char* text : {"最新资讯", "分类", "标签", "关键词"})
            QVERIFY2(texts.contains(QString::fromUtf8(text)), text);
        QVERIFY(title);
        QCOMPARE(title->font().weight(), QFont::Weight(700));

        widget.setNewsItems({item("A", {}, {})}, QDateTime());
        QFrame* card = cards(widget).first();
        QCOMPARE(card->styleSheet(),
                 QStringLiteral("#newsCard { border: 1px solid #E0E0E0; border-radius: 6px; }"));
        QCOMPARE(card->layout()->contentsMargins(), QMargins(12, 12, 12, 12));
        QCOMPARE(card->layout()->spacing(), 8);
        const QList<QLabel*> labels = card->findChildren<QLabel*>();
        QLabel* cover = labels.at(0);
        QCOMPARE(cover->styleSheet(),
                 QStringLiteral("#newsCover { background-color: #F5F5F5; border-radius: 4px; }"));
        QCOMPARE(cover->alignment(), Qt::AlignCenter);
        QCOMPARE(cover->minimumHeight(), 140);
        QCOMPARE(cover->maximumHeight(), 140);
        QCOMPARE(cover->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(cover->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(labels.at(1)->font().weight(), QFont::Weight(700));
        QVERIFY(labels.at(1)->wordWrap());
        QCOMPARE(labels.at(2)->styleSheet(), QStringLiteral("color: #555;"));
        QVERIFY(labels.at(2)->wordWrap());
        QCOMPARE(labels.at(3)->styleSheet(), QStringLiteral("color: #999;"));
        QVERIFY(labels.at(3)->wordWrap());
        auto* button = card->findChild<QPushButton*>();
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        const int buttonIndex = card->layout()->indexOf(button);
        QCOMPARE(card->layout()->itemAt(buttonIndex)->alignment(), Qt::AlignRight);
    }

    void statusTextColours()
    {
        NewsGridWidget widget;
        widget.setStatusText("boom", true);
        QCOMPARE(statusLabel(widget)->text(), QStringLiteral("boom"));
        QCOMPARE(statusLabel(widget)->styleSheet(), ErrorStyle);
        widget.setStatusText("fine", false);
        QCOMPARE(statusLabel(widget)->styleSheet(), NormalStyle);
    }

    void itemsFillCardsCombosAndLabels()
    {
        NewsGridWidget widget;
        const QJsonArray items{item("Alpha", {"cad", "CAE"}, {"kernel", "AI"}),
                               item("Beta", {"eda"}, {"Zeta", "ai"}), QJsonValue("skipped"),
                               item("Gamma", {"cad"}, {})};
        const QDateTime synced(QDate(2024, 6, 1), QTime(8, 5, 59), Qt::LocalTime);
        widget.setNewsItems(items, synced);

        QCOMPARE(cardTitles(widget), (QStringList{"Alpha", "Beta", "Gamma"}));
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("共 4 条资讯"));
        QCOMPARE(statusLabel(widget)->styleSheet(), NormalStyle);
        const QList<QLabel*> labels =
            widget.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        QStringList texts;
        for (QLabel* label : labels)
            texts << label->text();
        QVERIFY(texts.contains(QString::fromUtf8("同步于 2024-06-01 08:05")));

        QCOMPARE(comboTexts(categoryCombo(widget)),
                 (QStringList{QString::fromUtf8("全部"), "cad", "CAE", "eda"}));
        QCOMPARE(categoryCombo(widget)->itemData(0).toString(), QStringLiteral("__all__"));
        QCOMPARE(categoryCombo(widget)->itemData(2).toString(), QStringLiteral("CAE"));
        QCOMPARE(comboTexts(tagCombo(widget)),
                 (QStringList{QString::fromUtf8("全部"), "AI", "ai", "kernel", "Zeta"}));

        widget.setNewsItems(items, QDateTime());
        texts.clear();
        for (QLabel* label : widget.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
            texts << label->text();
        QVERIFY(texts.contains(QString::fromUtf8("同步时间未知")));
    }

    void cardContent()
    {
        NewsGridWidget widget;
        QJsonObject withLink =
            item("Linked", {"cad"}, {"a", "b"}, QString(), "https://news.example.com/1");
        QJsonObject withoutLink = item("Plain", {"cad"}, {});
        widget.setNewsItems({withLink, withoutLink}, QDateTime::currentDateTime());
        const QList<QFrame*> shown = cards(widget);
        QCOMPARE(shown.size(), 2);

        QFrame* card = shown.first();
        QCOMPARE(card->objectName(), QStringLiteral("newsCard"));
        QCOMPARE(card->frameShape(), QFrame::StyledPanel);
        QCOMPARE(card->minimumWidth(), 320);
        QCOMPARE(card->maximumWidth(), 320);
        const QList<QLabel*> labels = card->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 4);
        QCOMPARE(labels.at(0)->objectName(), QStringLiteral("newsCover"));
        QCOMPARE(labels.at(0)->text(), QString::fromUtf8("无封面"));
        QCOMPARE(labels.at(0)->height(), 140);
        QCOMPARE(labels.at(1)->text(), QStringLiteral("Linked"));
        QVERIFY(labels.at(1)->font().bold());
        QCOMPARE(labels.at(2)->text(), QStringLiteral("Summary of Linked"));
        QCOMPARE(labels.at(3)->text(),
                 QString::fromUtf8("Quorvanta Wire · 2024-06-01T08:30 · a, b"));

        auto* button = card->findChild<QPushButton*>();
        QCOMPARE(button->text(), QString::fromUtf8("查看详情"));
        QVERIFY(button->isEnabled());
        QVERIFY(!shown.at(1)->findChild<QPushButton*>()->isEnabled());

        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("https", &recorder, "open");
        button->click();
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(recorder.opened, QList<QUrl>{QUrl("https://news.example.com/1")});
    }

    // A feed's texts stay text and its links open only on the web.
    void hostileItemsStayInert()
    {
        NewsGridWidget widget;
        widget.resize(900, 700);
        const QJsonObject markup{{"id", "m"},
                                 {"title", "<img src=\"file:///etc/passwd\">"},
                                 {"summary", "<b>bold</b>"},
                                 {"source", "<i>s</i>"},
                                 {"contentUrl", "javascript:alert(1)"}};
        const QJsonObject file{{"id", "f"}, {"title", "F"}, {"contentUrl", "file:///etc/shadow"}};
        widget.setNewsItems({markup, file}, QDateTime::currentDateTime());
        const QList<QFrame*> shown = cards(widget);
        QCOMPARE(shown.size(), 2);
        const QList<QLabel*> labels = shown.first()->findChildren<QLabel*>();
        for (int i = 1; i < labels.size(); ++i)
            QCOMPARE(labels.at(i)->textFormat(), Qt::PlainText);
        QCOMPARE(labels.at(1)->text(), QStringLiteral("<img src=\"file:///etc/passwd\">"));
        for (QFrame* card : shown)
            QVERIFY(!card->findChild<QPushButton*>()->isEnabled());
    }

    void metaLine_data()
    {
        QTest::addColumn<QJsonObject>("item");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all parts") << QJsonObject{{"source", "Wire"},
                                                  {"publishedAt", "2024-06-01T08:30:45.123Z"},
                                                  {"tags", QJsonArray{"x", "y"}}}
                                   << QString::fromUtf8("Wire · 2024-06-01T08:30 · x, y");
        QTest::newRow("short date kept")
            << QJsonObject{{"publishedAt", "2024-06-01"}} << "2024-06-01";
        QTest::newRow("no source")
            << QJsonObject{{"publishedAt", "2024-06-01T08:30:45Z"}, {"tags", QJsonArray{"x"}}}
            << QString::fromUtf8("2024-06-01T08:30 · x");
        QTest::newRow("source only")
            << QJsonObject{{"source", "Wire"}, {"tags", QJsonArray{}}} << "Wire";
        QTest::newRow("nothing") << QJsonObject() << "";
    }

    void metaLine()
    {
        QFETCH(QJsonObject, item);
        QFETCH(QString, expected);
        QCOMPARE(NewsGridWidget::metaLine(item), expected);
    }

    void emptyListIsAnError()
    {
        NewsGridWidget widget;
        widget.setNewsItems({}, QDateTime::currentDateTime());
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("暂无资讯，请稍后重试。"));
        QCOMPARE(statusLabel(widget)->styleSheet(), ErrorStyle);
        QVERIFY(cards(widget).isEmpty());
    }

    void refreshingKeepsItsStatus()
    {
        NewsGridWidget widget;
        widget.setRefreshing(true);
        QVERIFY(widget.isRefreshing());
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("正在刷新最新资讯..."));
        widget.setNewsItems({item("A", {}, {})}, QDateTime());
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("正在刷新最新资讯..."));
        QCOMPARE(cards(widget).size(), 1);
        widget.setRefreshing(false);
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("正在刷新最新资讯..."));

        widget.setRefreshing(true);
        widget.setNewsItems({}, QDateTime());
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("暂无资讯，请稍后重试。"));
        QCOMPARE(statusLabel(widget)->styleSheet(), ErrorStyle);
    }

    void categoryFilterIgnoresCase()
    {
        NewsGridWidget widget;
        widget.setNewsItems(
            {item("A", {"CAD"}, {}), item("B", {"eda"}, {}), item("C", {"cad", "eda"}, {})},
            QDateTime());
        QSignalSpy changed(&widget, &NewsGridWidget::filterChanged);

        QComboBox* combo = categoryCombo(widget);
        combo->setCurrentIndex(combo->findData("CAD"));
        QCOMPARE(widget.currentCategory(), QStringLiteral("CAD"));
        QCOMPARE(cardTitles(widget), (QStringList{"A", "C"}));
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("显示 2 条资讯"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.last(), (QVariantList{"CAD", "", ""}));

        combo->setCurrentIndex(0);
        QCOMPARE(cardTitles(widget), (QStringList{"A", "B", "C"}));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last(), (QVariantList{"", "", ""}));
    }

    void tagAndKeywordFilters()
    {
        NewsGridWidget widget;
        widget.setNewsItems({item("Solver news", {}, {"HPC"}),
                             item("Mesh update", {}, {"hpc", "mesh"}), item("Other", {}, {"mesh"})},
                            QDateTime());
        QSignalSpy changed(&widget, &NewsGridWidget::filterChanged);

        widget.findChild<QLineEdit*>()->setText("  MESH ");
        QCOMPARE(cardTitles(widget), (QStringList{"Mesh update"}));
        QCOMPARE(changed.count(), 0);
        // The summary is searched as well.
        widget.onSearchTextChanged("summary of other");
        QCOMPARE(cardTitles(widget), (QStringList{"Other"}));
        widget.onSearchTextChanged("");

        QComboBox* tags = tagCombo(widget);
        tags->setCurrentIndex(tags->findData("hpc"));
        QCOMPARE(cardTitles(widget), (QStringList{"Solver news", "Mesh update"}));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.last(), (QVariantList{"", "hpc", ""}));

        widget.onSearchTextChanged(" nothing matches ");
        QVERIFY(cards(widget).isEmpty());
        QCOMPARE(statusLabel(widget)->text(), QString::fromUtf8("没有符合筛选条件的资讯"));
        QCOMPARE(statusLabel(widget)->styleSheet(), ErrorStyle);
        widget.onFilterChanged();
        QCOMPARE(changed.last(), (QVariantList{"", "hpc", "nothing matches"}));
    }

    void selectionSurvivesOnlyWhenStillOffered()
    {
        NewsGridWidget widget;
        widget.setNewsItems({item("A", {"cad"}, {"x"}), item("B", {"eda"}, {"y"})}, QDateTime());
        QSignalSpy changed(&widget, &NewsGridWidget::filterChanged);
        tagCombo(widget)->setCurrentIndex(tagCombo(widget)->findData("x"));
        categoryCombo(widget)->setCurrentIndex(categoryCombo(widget)->findData("cad"));
        QCOMPARE(changed.count(), 2);

        // "cad" is still offered, the tag "x" is gone and falls back to "全部".
        widget.setNewsItems({item("C", {"cad"}, {"z"}), item("D", {"CAD"}, {})}, QDateTime());
        QCOMPARE(widget.currentCategory(), QStringLiteral("cad"));
        QCOMPARE(widget.currentTag(), QString());
        QCOMPARE(tagCombo(widget)->currentIndex(), 0);
        QCOMPARE(cardTitles(widget), (QStringList{"C", "D"}));
        QCOMPARE(changed.count(), 2); // refilling the combos reports nothing
    }

    void columnsFollowTheViewportWidth_data()
    {
        QTest::addColumn<int>("viewportWidth");
        QTest::addColumn<int>("columns");
        QTest::newRow("200") << 200 << 1;
        QTest::newRow("663") << 663 << 1;
        QTest::newRow("664") << 664 << 2;
        QTest::newRow("996") << 996 << 3;
    }

    void columnsFollowTheViewportWidth()
    {
        QFETCH(int, viewportWidth);
        QFETCH(int, columns);

        NewsGridWidget widget;
        QJsonArray items;
        for (int i = 0; i < 4; ++i)
            items << item(QStringLiteral("Item %1").arg(i), {}, {});
        // Lets the test squeeze the panel below the width its filter row asks for.
        widget.layout()->setSizeConstraint(QLayout::SetNoConstraint);
        widget.resize(800, 4000);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QWidget* viewport = widget.findChild<QScrollArea*>()->viewport();
        widget.resize(widget.width() + viewportWidth - viewport->width(), 4000);
        QTRY_COMPARE(viewport->width(), viewportWidth);
        widget.setNewsItems(items, QDateTime());

        QCOMPARE(widget.columnCount(), columns);
        QGridLayout* layout = gridLayout(widget);
        QCOMPARE(layout->count(), 4);
        for (int i = 0; i < layout->count(); ++i) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            layout->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(row, i / columns);
            QCOMPARE(column, i % columns);
        }
    }

    void resizingRebuildsTheGrid()
    {
        NewsGridWidget widget;
        widget.resize(500, 3000);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.setNewsItems({item("A", {}, {}), item("B", {}, {})}, QDateTime());
        QCOMPARE(widget.columnCount(), 1);
        widget.resize(1200, 3000);
        QTRY_COMPARE(widget.columnCount(), 3);
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        gridLayout(widget)->getItemPosition(1, &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(row, 0);
        QCOMPARE(column, 1);
    }

    void sharedCoverIsDownloadedOnce()
    {
        m_server.setResponse("/covers/shared.png",
                             LocalHttpServer::Response::bytes(pngBytes({64, 32}), "image/png"));
        const QString cover = m_server.url("/covers/shared.png").toString();
        NewsGridWidget widget;
        widget.setNewsItems({item("A", {}, {}, cover), item("B", {}, {}, cover)}, QDateTime());
        QList<QFrame*> shown = cards(widget);
        QCOMPARE(shown.size(), 2);
        QCOMPARE(coverOf(shown.at(0))->text(), QString::fromUtf8("加载封面..."));
        QCOMPARE(coverOf(shown.at(1))->text(), QString::fromUtf8("加载封面..."));

        QTRY_VERIFY_WITH_TIMEOUT(!coverOf(shown.at(0))->pixmap().isNull(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!coverOf(shown.at(1))->pixmap().isNull(), 10000);
        QCOMPARE(m_server.requestCount("/covers/shared.png"), 1);
        for (QFrame* card : shown) {
            QVERIFY(coverOf(card)->text().isEmpty());
            // Scaled to cover 296 x 140 while keeping the 2:1 shape.
            QCOMPARE(coverOf(card)->pixmap().size(), QSize(296, 148));
        }

        // Later cards take the picture from memory.
        widget.setNewsItems({item("C", {}, {}, cover)}, QDateTime());
        QVERIFY(!coverOf(cards(widget).first())->pixmap().isNull());
        QCOMPARE(m_server.requestCount("/covers/shared.png"), 1);
    }

    void undecodableCoverFails()
    {
        m_server.setResponse("/covers/broken.png",
                             LocalHttpServer::Response::bytes("not a picture", "image/png"));
        const QString cover = m_server.url("/covers/broken.png").toString();
        NewsGridWidget widget;
        widget.setNewsItems({item("A", {}, {}, cover), item("B", {}, {}, cover)}, QDateTime());
        const QList<QFrame*> shown = cards(widget);
        for (QFrame* card : shown)
            QTRY_COMPARE_WITH_TIMEOUT(coverOf(card)->text(), QString::fromUtf8("封面加载失败"),
                                      10000);
        QCOMPARE(m_server.requestCount("/covers/broken.png"), 1);

        // Nothing was cached: the next card asks again.
        widget.setNewsItems({item("C", {}, {}, cover)}, QDateTime());
        QCOMPARE(coverOf(cards(widget).first())->text(), QString::fromUtf8("加载封面..."));
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount("/covers/broken.png"), 2, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(coverOf(cards(widget).first())->text(),
                                  QString::fromUtf8("封面加载失败"), 10000);
    }

    void coverFailureStatusIsIgnoredWhenBytesDecode()
    {
        // Only the decoding counts: a picture sent with an error status still shows.
        LocalHttpServer::Response response =
            LocalHttpServer::Response::bytes(pngBytes({10, 10}), "image/png");
        response.status = 404;
        response.reason = "Not Found";
        m_server.setResponse("/covers/odd.png", response);
        NewsGridWidget widget;
        widget.setNewsItems({item("A", {}, {}, m_server.url("/covers/odd.png").toString())},
                            QDateTime());
        QTRY_VERIFY_WITH_TIMEOUT(!coverOf(cards(widget).first())->pixmap().isNull(), 10000);
    }

    void coverLimits()
    {
        NewsGridWidget widget;
        QCOMPARE(widget.coverMaxBytes(), 8 * 1024 * 1024);
        QCOMPARE(widget.coverTimeout(), 10000);
        widget.setCoverLimits(5000, 300);
        widget.setCoverLimits(0, -1);
        QCOMPARE(widget.coverMaxBytes(), 5000);
        QCOMPARE(widget.coverTimeout(), 300);
    }

    void localCoverAddressesAreRefused_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::newRow("file") << "file";
        QTest::newRow("data") << "data";
    }

    void localCoverAddressesAreRefused()
    {
        QFETCH(QString, scheme);
        // A real picture behind each address: only the address is refused.
        QTemporaryDir dir;
        const QByteArray picture = pngBytes({20, 10});
        QFile file(dir.filePath("cover.png"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(picture), picture.size());
        file.close();
        const QString cover = scheme == "file"
                                  ? QUrl::fromLocalFile(file.fileName()).toString()
                                  : QString("data:image/png;base64," + picture.toBase64());

        NewsGridWidget widget;
        widget.setNewsItems({item("A", {}, {}, cover), item("B", {}, {}, cover)}, QDateTime());
        for (QFrame* card : cards(widget)) {
            QCOMPARE(coverOf(card)->text(), QString::fromUtf8("封面加载失败"));
            QVERIFY(coverOf(card)->pixmap().isNull());
        }
        QVERIFY(widget.findChildren<QNetworkReply*>().isEmpty());
        // Nothing arrives later either.
        QCoreApplication::processEvents();
        QVERIFY(coverOf(cards(widget).first())->pixmap().isNull());
    }

    void oversizedOrSilentCoversFail_data()
    {
        QTest::addColumn<LocalHttpServer::Response>("response");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<int>("timeout");

        const QByteArray picture = noisyPngBytes({48, 48});
        QTest::newRow("declared length over the cap")
            << LocalHttpServer::Response::bytes(picture, "image/png") << qint64(picture.size() - 1)
            << 0;
        QTest::newRow("chunked over the cap")
            << LocalHttpServer::Response::chunkedBody(picture, "image/png")
            << qint64(picture.size() - 1) << 0;
        QTest::newRow("endless stream, default cap")
            << LocalHttpServer::Response::endlessStream("image/png") << qint64(0) << 0;
        QTest::newRow("never answers") << LocalHttpServer::Response::silent() << qint64(0) << 300;
    }

    void oversizedOrSilentCoversFail()
    {
        QFETCH(LocalHttpServer::Response, response);
        QFETCH(qint64, maxBytes);
        QFETCH(int, timeout);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("device not open")));

        const QString path =
            QStringLiteral("/covers/limited-%1.png").arg(QTest::currentDataTag()).replace(' ', '-');
        m_server.setResponse(path, response);
        const QString cover = m_server.url(path).toString();
        NewsGridWidget widget;
        widget.setCoverLimits(maxBytes, timeout);
        widget.setNewsItems({item("A", {}, {}, cover), item("B", {}, {}, cover)}, QDateTime());
        for (QFrame* card : cards(widget))
            QTRY_COMPARE_WITH_TIMEOUT(coverOf(card)->text(), QString::fromUtf8("封面加载失败"),
                                      60000);
        for (QFrame* card : cards(widget))
            QVERIFY(coverOf(card)->pixmap().isNull());
        QCOMPARE(m_server.requestCount(path), 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_server.openStreams(), 0, 10000);

        // Nothing was cached: the next card asks again.
        widget.setNewsItems({item("C", {}, {}, cover)}, QDateTime());
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount(path), 2, 10000);
    }

    void coverAtTheCapShows()
    {
        const QByteArray picture = noisyPngBytes({48, 48});
        m_server.setResponse("/covers/at-cap.png",
                             LocalHttpServer::Response::chunkedBody(picture, "image/png"));
        NewsGridWidget widget;
        widget.setCoverLimits(picture.size(), 0);
        widget.setNewsItems({item("A", {}, {}, m_server.url("/covers/at-cap.png").toString())},
                            QDateTime());
        QTRY_VERIFY_WITH_TIMEOUT(!coverOf(cards(widget).first())->pixmap().isNull(), 10000);
    }

    void rebuiltCardsStillGetTheirCover()
    {
        m_server.setResponse("/covers/slow.png", LocalHttpServer::Response::silent());
        const QString cover = m_server.url("/covers/slow.png").toString();
        auto widget = std::make_unique<NewsGridWidget>();
        QSignalSpy received(&m_server, &LocalHttpServer::requestReceived);
        widget->setNewsItems({item("A", {}, {}, cover)}, QDateTime());
        QVERIFY(received.wait(10000));
        // A rebuild while the download runs queues the new label on the same download.
        widget->onSearchTextChanged("a");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(cards(*widget).size(), 1);
        QCOMPARE(coverOf(cards(*widget).first())->text(), QString::fromUtf8("加载封面..."));
        QCOMPARE(m_server.requestCount("/covers/slow.png"), 1);

        // Destroying the panel stops the download with it.
        QPointer<QNetworkReply> download = widget->findChild<QNetworkReply*>();
        QVERIFY(download);
        widget.reset();
        QVERIFY(!download);
    }

private:
    LocalHttpServer m_server;
};

QTEST_MAIN(TestNewsGridWidget)
#include "tst_newsgridwidget.moc"
