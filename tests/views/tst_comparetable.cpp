#include "editors/CsvDocument.h"
#include "views/CompareTable.h"
#include "views/InternalLink.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

namespace {

QJsonObject parse(const char* json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

const char kAlpha[] =
    "{\"id\":\"alpha\",\"name\":\"Alpha\",\"category\":\"CAD\",\"subCategory\":\"Mid\","
    "\"vendor\":\"Acme\",\"currentVersion\":\"2025\",\"releaseDate\":\"2025-03\","
    "\"licensing\":{\"type\":\"commercial\",\"models\":[\"订阅\"]},"
    "\"technicalSpecs\":{\"platform\":[\"Windows\",\"Linux\"],\"kernel\":[\"Parasolid\"],"
    "\"fileFormats\":{\"native\":[\".a\"],\"import\":[\"STEP\",\"IGES\"],\"export\":[\"STEP\"]}},"
    "\"features\":{\"core\":[\"草图\",\"装配\"]},"
    "\"competitiveAnalysis\":{\"competitors\":[{\"name\":\"Beta\",\"vendor\":\"B Co\"}]}}";

const char kBeta[] =
    "{\"id\":\"beta\",\"name\":\"Beta, \\\"the\\\" tool\",\"category\":\"CAD/CAM\","
    "\"vendor\":\"B Co\",\"currentVersion\":\"7\",\"releaseDate\":\"\","
    "\"licensing\":{\"type\":\"opensource\",\"models\":[]},"
    "\"technicalSpecs\":{\"platform\":[\"linux\",\"windows\"],\"kernel\":[\"Parasolid\"],"
    "\"fileFormats\":{\"native\":[\".b\"],\"import\":[\"iges\",\"step\"],\"export\":[]}},"
    "\"features\":{\"core\":[\"装配\",\"草图\"]},"
    "\"competitiveAnalysis\":{\"competitors\":[{\"name\":\"Alpha\",\"vendor\":\"Acme\"}]}}";

} // namespace

class TestCompareTable : public QObject
{
    Q_OBJECT

private slots:
    void addRules()
    {
        using Result = CompareTable::AddResult;
        CompareTable table;
        QCOMPARE(int(table.add("a", parse(kAlpha))), int(Result::Added));
        QCOMPARE(int(table.add("a", parse(kAlpha))), int(Result::AlreadyPresent));
        QVERIFY(!table.isComparable());
        QCOMPARE(int(table.add("co", parse("{\"name\":\"Co\",\"headquarters\":\"X\"}"))),
                 int(Result::NotSoftware));
        QCOMPARE(
            int(table.add("ov", parse("{\"type\":\"category_overview\",\"category\":\"CAD\"}"))),
            int(Result::NotSoftware));
        QCOMPARE(int(table.add("b", parse(kBeta))), int(Result::Added));
        QVERIFY(table.isComparable());
        QCOMPARE(int(table.add("c", parse("{\"name\":\"C\",\"category\":\"BIM\"}"))),
                 int(Result::Added));
        QCOMPARE(int(table.add("d", parse("{\"name\":\"D\",\"category\":\"ERP\"}"))),
                 int(Result::Added));
        QCOMPARE(int(table.add("e", parse("{\"name\":\"E\",\"category\":\"EDA\"}"))),
                 int(Result::Full));
        QCOMPARE(table.paths(), (QStringList{"a", "b", "c", "d"}));
        QVERIFY(table.remove("c"));
        QVERIFY(!table.remove("c"));
        QCOMPARE(table.paths(), (QStringList{"a", "b", "d"}));
        table.clear();
        QCOMPARE(table.count(), 0);

        QCOMPARE(CompareTable::addResultMessage(Result::Added, "NX"),
                 QStringLiteral("已加入对比: NX"));
        QCOMPARE(CompareTable::addResultMessage(Result::Full, "NX"),
                 QStringLiteral("最多对比 4 个软件，请先移除一个"));
    }

    void rowsAndDifferences()
    {
        CompareTable table;
        table.add("a", parse(kAlpha));
        table.add("b", parse(kBeta));
        const QList<CompareTable::Row> rows = table.rows();
        QStringList labels;
        for (const CompareTable::Row& row : rows)
            labels << row.label;
        QCOMPARE(labels, (QStringList{"厂商", "类别", "当前版本", "发布日期", "许可方式", "平台",
                                      "几何内核", "原生格式", "导入格式", "导出格式", "核心功能",
                                      "主要竞争对手"}));
        auto row = [&rows](const QString& label) {
            for (const CompareTable::Row& r : rows) {
                if (r.label == label)
                    return r;
            }
            return CompareTable::Row();
        };
        QCOMPARE(row("类别").values, (QList<QStringList>{{"CAD / Mid"}, {"CAD/CAM"}}));
        QCOMPARE(row("许可方式").values, (QList<QStringList>{{"商业", "订阅"}, {"开源"}}));
        QCOMPARE(row("发布日期").values, (QList<QStringList>{{"2025-03"}, {}}));
        QCOMPARE(row("主要竞争对手").values, (QList<QStringList>{{"Beta"}, {"Alpha"}}));
        // Lists are sets: order and case do not make a difference.
        QVERIFY(!row("平台").differs);
        QVERIFY(!row("导入格式").differs);
        QVERIFY(!row("核心功能").differs);
        QVERIFY(!row("几何内核").differs);
        QVERIFY(row("厂商").differs);
        QVERIFY(row("导出格式").differs);
        QVERIFY(row("发布日期").differs);
        QVERIFY(row("当前版本").differs);
    }

    void csvRoundTrip()
    {
        CompareTable table;
        table.add("a", parse(kAlpha));
        table.add("b", parse(kBeta));
        const QByteArray csv = table.toCsv();
        QVERIFY(csv.startsWith("项目,Alpha,\"Beta, \"\"the\"\" tool\",是否不同\n"));
        QVERIFY(csv.contains("厂商,Acme,B Co,是\n"));
        QVERIFY(csv.contains("平台,Windows; Linux,linux; windows,否\n"));
        QVERIFY(csv.contains("发布日期,2025-03,,是\n"));
        const CsvDocument document = CsvDocument::fromCsv(csv);
        QCOMPARE(document.header(),
                 (QStringList{"项目", "Alpha", "Beta, \"the\" tool", "是否不同"}));
        QCOMPARE(document.rows().size(), table.rows().size());
        QCOMPARE(document.rows().at(0), (QStringList{"厂商", "Acme", "B Co", "是"}));
    }

    void html()
    {
        CompareTable table;
        table.add("data/a.json", parse(kAlpha));
        table.add(
            "data/b.json",
            parse(
                "{\"name\":\"<script>x</script>\",\"category\":\"CAD\","
                "\"vendor\":\"Acme\",\"technicalSpecs\":{\"platform\":[\"Windows\",\"Linux\"]}}"));
        const QString html = table.toHtml();
        QVERIFY(!html.contains("<script>"));
        QVERIFY(html.contains("&lt;script&gt;x&lt;/script&gt;"));
        // Rows that differ are highlighted, the others not.
        QVERIFY(
            html.contains("<tr><td style='background-color: #fff3cd;'><strong>当前版本</strong>"));
        QVERIFY(html.contains("<tr><td><strong>厂商</strong></td><td>Acme</td><td>Acme</td></tr>"));
        QVERIFY(html.contains("<td>Windows<br/>Linux</td>"));
        QVERIFY(html.contains("<a href='#remove-1'>移除</a>"));
        // Product names link to their pages.
        QVERIFY(html.contains("<a href='" + InternalLink::href("data/a.json") + "'>Alpha</a>"));
    }
};

QTEST_GUILESS_MAIN(TestCompareTable)
#include "tst_comparetable.moc"
