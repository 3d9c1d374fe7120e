#include "EntryJson.h"
#include "app/InterfaceTranslators.h"
#include "data/EmbeddedDataAdapter.h"
#include "views/ContentRenderer.h"
#include "views/FieldLabels.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QtTest>

using R = ContentRenderer;

namespace {

} // namespace

// Pages built while the interface is English: English texts of the entries where they
// have them, their Chinese where not, and the labels in English.
class TestContentRendererEnglish : public QObject
{
    Q_OBJECT

private:
    InterfaceTranslators m_translators;

private slots:
    void initTestCase()
    {
        EmbeddedDataAdapter::instance().initialize();
        QVERIFY(m_translators.install(InterfaceLanguage::English));
    }

    void localizedText_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("en first") << QJsonValue(parse(R"({"zh":"中","en":"E"})")) << "E";
        QTest::newRow("no English") << QJsonValue(parse(R"({"zh":"中"})")) << "中";
        QTest::newRow("empty en falls to text")
            << QJsonValue(parse(R"({"en":"","text":"T","zh":"中"})")) << "T";
        QTest::newRow("summary before zh")
            << QJsonValue(parse(R"({"zh":"中","summary":"S"})")) << "S";
        QTest::newRow("string unchanged") << QJsonValue("网格") << "网格";
    }

    void localizedText()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, text);
        QCOMPARE(R::localizedText(value), text);
    }

    void bilingualValueIsOneText()
    {
        const QJsonObject name = parse(R"({"zh":"达索系统收购 SolidWorks","en":"A & B"})");
        QCOMPARE(R::formatValue(name), QStringLiteral("A &amp; B"));
        QCOMPARE(R::formatValue(parse(R"({"zh":"只有中文"})")), QStringLiteral("只有中文"));
        // Anything more than the two texts stays a table.
        const QString table = R::formatValue(parse(R"({"zh":"中","en":"E","note":"n"})"));
        QVERIFY(table.startsWith(QLatin1String("<table>")));
        QVERIFY(table.contains(QLatin1String("<strong>Chinese</strong>")));
        QVERIFY(table.contains(QLatin1String("<strong>Notes</strong>")));

        // The Chinese page keeps both texts, under their labels.
        InterfaceLanguage::setActive(InterfaceLanguage::Chinese);
        const QString chinese = R::formatValue(name);
        InterfaceLanguage::setActive(InterfaceLanguage::English);
        QVERIFY(chinese.startsWith(QLatin1String("<table>")));
        QVERIFY2(chinese.contains(QStringLiteral("达索系统收购 SolidWorks")), qPrintable(chinese));
        QVERIFY(chinese.contains(QLatin1String("A &amp; B")));
    }

    void softwarePage()
    {
        const QJsonObject entry = readEntry(dataPath("software/cad/alias.json"));
        const QJsonObject description = entry.value("description").toObject();
        QVERIFY(!description.value("en").toString().isEmpty());
        const QString html = R::buildHtml(entry);
        QVERIFY(html.contains("<p>" + R::escapeHtml(description.value("en").toString()) + "</p>"));
        QVERIFY(!html.contains(R::escapeHtml(description.value("zh").toString())));
        QVERIFY(html.contains(QLatin1String("<p><strong>Vendor:</strong> ")));
        QVERIFY(html.contains(QLatin1String("<h2>Features</h2>")));
        QVERIFY(!html.contains(QStringLiteral("功能特性")));
    }

    void entryWithoutEnglishShowsItsChinese()
    {
        QJsonObject entry = readEntry(dataPath("software/cad/alias.json"));
        QJsonObject description = entry.value("description").toObject();
        description.insert("en", QString());
        entry.insert("description", description);
        const QString html = R::buildHtml(entry);
        QVERIFY(html.contains("<p>" + R::escapeHtml(description.value("zh").toString()) + "</p>"));
    }

    void picturePageDescription()
    {
        const QJsonObject entry = parse(R"({"type":"picture","name":"p","filePath":"none.png",
            "description":{"zh":"知识图谱","en":"Knowledge graph"}})");
        const QString html = R::renderPicturePage(entry);
        QVERIFY2(
            html.contains(QLatin1String("<p><strong>Description:</strong> Knowledge graph</p>")),
            qPrintable(html));
        QVERIFY(!html.contains(QStringLiteral("知识图谱")));
    }

    void eventNames_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("English") << true;
        QTest::newRow("Chinese") << false;
    }

    // Each event's name in the page's language, never an empty item.
    void eventNames()
    {
        QFETCH(bool, english);
        InterfaceLanguage::setActive(english ? InterfaceLanguage::English
                                             : InterfaceLanguage::Chinese);
        const QJsonObject entry = readEntry(dataPath("events/industry_milestones.json"));
        const QString html = R::buildHtml(entry);
        InterfaceLanguage::setActive(InterfaceLanguage::English);
        const QJsonArray events = entry.value("events").toArray();
        QVERIFY(!events.isEmpty());
        for (const QJsonValue& event : events) {
            const QJsonObject name = event.toObject().value("name").toObject();
            const QString shown = name.value(english ? "en" : "zh").toString();
            const QString other = name.value(english ? "zh" : "en").toString();
            QVERIFY(!shown.isEmpty());
            QVERIFY2(html.contains("<li>" + R::escapeHtml(shown) + "</li>"), qPrintable(shown));
            QVERIFY2(!html.contains("<li>" + R::escapeHtml(other) + "</li>"), qPrintable(other));
        }
        QVERIFY(!html.contains(QLatin1String("<li></li>")));
    }

    // Every shipped entry with an English description shows it instead of the Chinese.
    void shippedEntriesShowTheirEnglish()
    {
        int checked = 0;
        QDirIterator it(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR), {QStringLiteral("*.json")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QJsonObject entry = readEntry(path);
            const QJsonObject description = entry.value("description").toObject();
            const QString en = description.value("en").toString();
            const QString zh = description.value("zh").toString();
            if (en.isEmpty() || zh.isEmpty() || !entry.contains("name"))
                continue;
            const QString html = R::buildHtml(entry);
            QVERIFY2(html.contains(R::escapeHtml(en)), qPrintable(path));
            QVERIFY2(!html.contains(R::escapeHtml(zh)), qPrintable(path));
            ++checked;
        }
        QVERIFY(checked > 300);
    }
};

QTEST_GUILESS_MAIN(TestContentRendererEnglish)
#include "tst_contentrenderer_english.moc"
