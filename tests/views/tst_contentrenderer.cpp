#include "EntryJson.h"
#include "data/EmbeddedDataAdapter.h"
#include "views/ContentRenderer.h"
#include "views/FieldLabels.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using R = ContentRenderer;

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString body(const QJsonObject& entry)
{
    QString html = R::buildHtml(entry);
    html.remove(0, R::htmlHead().size());
    html.chop(QStringLiteral("</body></html>").size());
    return html;
}

// Local pictures are read only inside the page's data directory.
PageContext dataDirectory(const QString& path)
{
    PageContext context;
    context.setDataDirectory(path);
    return context;
}

QJsonArray objects(int count)
{
    QJsonArray array;
    for (int i = 0; i < count; ++i)
        array.append(QJsonObject{{"name", QStringLiteral("item%1").arg(i)}});
    return array;
}

} // namespace

class TestContentRenderer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }
    void cleanup() { QDir::setCurrent(m_startDir); }

    void escapeHtml_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("plain") << "CATIA V5"
                               << "CATIA V5";
        QTest::newRow("all five") << "<a href=\"x\">'&'</a>"
                                  << "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;";
        QTest::newRow("ampersand first") << "&lt;"
                                         << "&amp;lt;";
        QTest::newRow("empty") << ""
                               << "";
    }
    void escapeHtml()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(R::escapeHtml(text), escaped);
    }

    void localizedText_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("string unchanged") << QJsonValue("a <b>") << "a <b>";
        QTest::newRow("zh first") << QJsonValue(parse(R"({"en":"E","zh":"中"})")) << "中";
        QTest::newRow("empty zh falls to text")
            << QJsonValue(parse(R"({"zh":"","text":"T","en":"E"})")) << "T";
        QTest::newRow("summary before en")
            << QJsonValue(parse(R"({"en":"E","summary":"S"})")) << "S";
        QTest::newRow("en") << QJsonValue(parse(R"({"en":"E","zh":3})")) << "E";
        QTest::newRow("first string member in key order")
            << QJsonValue(parse(R"({"zz":"last","aa":"","bb":"second","a0":7})")) << "second";
        QTest::newRow("object without strings") << QJsonValue(parse(R"({"a":1})")) << "";
        QTest::newRow("number") << QJsonValue(12) << "";
        QTest::newRow("array") << QJsonValue(QJsonArray{"x"}) << "";
        QTest::newRow("null") << QJsonValue() << "";
    }
    void localizedText()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, text);
        QCOMPARE(R::localizedText(value), text);
    }

    void renderList_data()
    {
        QTest::addColumn<QJsonArray>("array");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("html");
        QTest::newRow("empty") << QJsonArray() << ""
                               << "";
        QTest::newRow("empty with prefix") << QJsonArray() << "-"
                                           << "";
        QTest::newRow("strings escaped")
            << QJsonArray{"<b>bold</b>", "A & B"} << ""
            << "<ul><li>&lt;b&gt;bold&lt;/b&gt;</li><li>A &amp; B</li></ul>";
        QTest::newRow("object with name shows escaped name")
            << QJsonArray{QJsonObject{{"name", "C<1>"}, {"vendor", "V"}}} << ""
            << "<ul><li>C&lt;1&gt;</li></ul>";
        QTest::newRow("object without name is a table")
            << QJsonArray{QJsonObject{{"k", "v"}}} << ""
            << "<ul><li><table><tr><td><strong>k</strong></td><td>v</td></tr></table></li></ul>";
        QTest::newRow("scalars and nested")
            << QJsonArray{1234567, true, QJsonArray{"x"}, QJsonValue()} << ""
            << "<ul><li>1.23457e+06</li><li>是</li><li><ul><li>x</li></ul></li><li></li></ul>";
        QTest::newRow("prefix and blank") << QJsonArray{"a"} << "•"
                                          << "<ul><li>• a</li></ul>";
    }
    void renderList()
    {
        QFETCH(QJsonArray, array);
        QFETCH(QString, prefix);
        QFETCH(QString, html);
        QCOMPARE(R::renderList(array, prefix), html);
    }

    void formatValue_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("html");
        QTest::newRow("string escaped")
            << QJsonValue("<i>'x'</i>") << "&lt;i&gt;&#39;x&#39;&lt;/i&gt;";
        QTest::newRow("1234567") << QJsonValue(1234567) << "1.23457e+06";
        QTest::newRow("2.5") << QJsonValue(2.5) << "2.5";
        QTest::newRow("integer") << QJsonValue(42) << "42";
        QTest::newRow("six digits") << QJsonValue(123456) << "123456";
        QTest::newRow("small") << QJsonValue(0.0001234567) << "0.000123457";
        QTest::newRow("tiny") << QJsonValue(0.00001) << "1e-05";
        QTest::newRow("negative") << QJsonValue(-3.14159265) << "-3.14159";
        QTest::newRow("true") << QJsonValue(true) << "是";
        QTest::newRow("false") << QJsonValue(false) << "否";
        QTest::newRow("array") << QJsonValue(QJsonArray{"a", 2}) << "<ul><li>a</li><li>2</li></ul>";
        QTest::newRow("empty array") << QJsonValue(QJsonArray()) << "";
        // Keys are data too: escaped, and labelled in Chinese where the schema knows them.
        QTest::newRow("object keys escaped, values formatted")
            << QJsonValue(parse(R"({"<k>":"<v>","n":1.5})"))
            << "<table><tr><td><strong>&lt;k&gt;</strong></td><td>&lt;v&gt;</td></tr>"
               "<tr><td><strong>n</strong></td><td>1.5</td></tr></table>";
        QTest::newRow("object keys labelled")
            << QJsonValue(parse(R"({"os":"Linux","memory":"16 GB"})"))
            << "<table><tr><td><strong>内存</strong></td><td>16 GB</td></tr>"
               "<tr><td><strong>操作系统</strong></td><td>Linux</td></tr></table>";
        QTest::newRow("nested tables")
            << QJsonValue(parse(R"({"outer":{"inner":[true]}})"))
            << "<table><tr><td><strong>outer</strong></td><td><table><tr><td><strong>inner"
               "</strong></td><td><ul><li>是</li></ul></td></tr></table></td></tr></table>";
        QTest::newRow("empty object") << QJsonValue(QJsonObject()) << "<table></table>";
        QTest::newRow("null") << QJsonValue() << "";
        QTest::newRow("undefined") << QJsonValue(QJsonValue::Undefined) << "";
    }
    void formatValue()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, html);
        QCOMPARE(R::formatValue(value), html);
    }

    void renderSectionBlock_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("html");
        QTest::newRow("array") << QJsonValue(QJsonArray{"x<y"})
                               << "<h3>H&amp;S</h3><ul><li>x&lt;y</li></ul>";
        QTest::newRow("object keys escaped")
            << QJsonValue(parse(R"({"<a>":"b","c":2})"))
            << "<h3>H&amp;S</h3><table><tr><td><strong>&lt;a&gt;</strong></td><td>b</td></tr>"
               "<tr><td><strong>c</strong></td><td>2</td></tr></table>";
        QTest::newRow("string") << QJsonValue("P & Q") << "<h3>H&amp;S</h3><p>P &amp; Q</p>";
        QTest::newRow("empty array") << QJsonValue(QJsonArray()) << "";
        QTest::newRow("empty object") << QJsonValue(QJsonObject()) << "";
        QTest::newRow("empty string") << QJsonValue("") << "";
        QTest::newRow("number") << QJsonValue(3) << "";
        QTest::newRow("bool") << QJsonValue(true) << "";
        QTest::newRow("null") << QJsonValue() << "";
    }
    void renderSectionBlock()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, html);
        QCOMPARE(R::renderSectionBlock("H&S", value), html);
    }

    void basicInfoInOrderAndEscaped()
    {
        const QJsonObject entry =
            parse(R"({)"
                  R"("description": {"zh": "<i>描述</i>", "en": "d"},)"
                  R"("releaseDate": "2024-03", "currentVersion": "2024", "founded": "1990",)"
                  R"("vendor": "V&Co", "website": "https://x.example", "country": "美国",)"
                  R"("subCategory": "High-end", "category": "CAD", "fullName": "<b>Full</b>"})");
        QCOMPARE(R::renderBasicInfo(entry),
                 QStringLiteral(
                     "<div class='section'><p><strong>全称:</strong> &lt;b&gt;Full&lt;/b&gt;</p>"
                     "<p><strong>类别:</strong> CAD / High-end</p>"
                     "<p><strong>国家:</strong> 美国</p>"
                     "<p><strong>官网:</strong> <a href='https://x.example' "
                     "target='_blank'>https://x.example</a></p>"
                     "<p><strong>厂商:</strong> V&amp;Co</p><p><strong>成立时间:</strong> 1990</p>"
                     "<p><strong>当前版本:</strong> 2024 (2024-03)</p>"
                     "<p>&lt;i&gt;描述&lt;/i&gt;</p></div>"));
    }

    void basicInfoOmissions()
    {
        QCOMPARE(R::renderBasicInfo({}), QStringLiteral("<div class='section'></div>"));
        const QJsonObject entry = parse(R"({"category": 5, "website": "", "currentVersion": "1",)"
                                        R"("description": "plain string", "founded": 1990})");
        QCOMPARE(R::renderBasicInfo(entry),
                 QStringLiteral("<div class='section'><p><strong>类别:</strong> </p>"
                                "<p><strong>成立时间:</strong> </p>"
                                "<p><strong>当前版本:</strong> 1</p></div>"));

        // Blank dates (many entries wait for a confirmed one) leave no empty brackets.
        for (const char* date : {R"("")", R"("  ")", "null"}) {
            const QByteArray json =
                QByteArray(R"({"currentVersion": "2026", "releaseDate": )") + date + "}";
            const QJsonObject undated = parse(json.constData());
            QCOMPARE(R::renderBasicInfo(undated),
                     QStringLiteral(
                         "<div class='section'><p><strong>当前版本:</strong> 2026</p></div>"));
        }
    }

    void features()
    {
        const QJsonObject features = parse(R"({"modules":[{"name":"M"}],"core":["a<b"]})");
        QCOMPARE(R::renderFeatures(features),
                 QStringLiteral("<h2>功能特性</h2><div class='section'><h3>核心功能</h3>"
                                "<ul><li>a&lt;b</li></ul><h3>模块列表</h3><ul><li>M</li></ul>"
                                "</div>"));
        QCOMPARE(R::renderFeatures({}),
                 QStringLiteral("<h2>功能特性</h2><div class='section'></div>"));
    }

    void pageFrameAndFooter()
    {
        const QJsonObject entry = parse(R"({"name":"N","metadata":{"lastUpdated":"2024-01-02",)"
                                        R"("dataVersion":"1.1"}})");
        const QString html = R::buildHtml(entry);
        QVERIFY(html.startsWith(
            "<html><head><style>body { font-family: 'Microsoft YaHei', Arial, sans-serif; }"
            "h2 { color: #2196F3; border-bottom: 2px solid #2196F3; padding-bottom: 5px; }"
            "h3 { color: #555; margin-top: 15px; }"
            "table { border-collapse: collapse; width: 100%; margin: 10px 0; }"
            "th, td { border: 1px solid #ddd; padding: 8px; text-align: left; }"
            "th { background-color: #f2f2f2; }ul { margin: 5px 0; }li { margin: 3px 0; }"
            ".tag { display: inline-block; background: #e0e0e0; padding: 2px 8px; margin: 2px; "
            "border-radius: 3px; font-size: 12px; }"
            ".section { margin: 20px 0; padding: 15px; background: #f9f9f9; "
            "border-left: 4px solid #2196F3; }</style></head><body>"));
        QVERIFY(html.endsWith("<div class='section'><small>最后更新: 2024-01-02 | 版本: 1.1"
                              "</small></div></body></html>"));
        // A metadata value that is not an object gives no footer.
        QVERIFY(!R::buildHtml(parse(R"({"metadata":"x"})")).contains("最后更新"));
        QCOMPARE(R::metadataFooter(parse(R"({"metadata":{}})")),
                 QStringLiteral("<div class='section'><small>最后更新:  | 版本: </small></div>"));
    }

    void pageTitle_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<QString>("title");
        QTest::newRow("name") << parse(R"({"name":"N","id":"i"})") << "N";
        QTest::newRow("id") << parse(R"({"name":"","id":"i"})") << "i";
        QTest::newRow("neither") << QJsonObject() << "";
    }
    void pageTitle()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(QString, title);
        QCOMPARE(R::pageTitle(entry), title);
    }

    void dispatch_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<int>("kind");
        using K = R::PageKind;
        QTest::newRow("overview wins over category")
            << parse(R"({"type":"category_overview","category":"CAD"})")
            << int(K::CategoryOverview);
        for (const char* category : {"CAD", "CAE", "CFD", "CAM", "EDA", "PLM"})
            QTest::newRow(category) << QJsonObject{{"category", category}} << int(K::Software);
        QTest::newRow("software before image")
            << parse(R"({"type":"image","category":"PLM"})") << int(K::Software);
        QTest::newRow("lower-case cad is generic")
            << parse(R"({"category":"cad"})") << int(K::Generic);
        // BIM, MBSE and ERP products are software too, alone or joined to another category.
        QTest::newRow("joined categories are software")
            << parse(R"({"category":"CAD/CAM"})") << int(K::Software);
        QTest::newRow("BIM is software") << parse(R"({"category":"BIM"})") << int(K::Software);
        QTest::newRow("BIM/CAE") << parse(R"({"category":"BIM/CAE"})") << int(K::Software);
        QTest::newRow("MBSE") << parse(R"({"category":"MBSE"})") << int(K::Software);
        QTest::newRow("ERP") << parse(R"({"category":"ERP"})") << int(K::Software);
        QTest::newRow("joined with an unknown part is generic")
            << parse(R"({"category":"CAD/XYZ"})") << int(K::Generic);
        QTest::newRow("trailing slash is generic")
            << parse(R"({"category":"CAD/"})") << int(K::Generic);
        QTest::newRow("article") << parse(R"({"type":"article","category":"CAD"})")
                                 << int(K::Article);
        QTest::newRow("image") << parse(R"({"type":"image","headquarters":"x"})")
                               << int(K::Picture);
        QTest::newRow("kernel") << parse(R"({"type":"Geometric Modeling Kernel",)"
                                         R"("headquarters":"x"})")
                                << int(K::KernelTechnology);
        QTest::newRow("industry") << parse(R"({"industry":null})") << int(K::Company);
        QTest::newRow("headquarters") << parse(R"({"headquarters":""})") << int(K::Company);
        QTest::newRow("solver") << parse(R"({"type":"Linear Solver"})") << int(K::Generic);
        QTest::newRow("empty") << QJsonObject() << int(K::Generic);
    }
    void dispatch()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(int, kind);
        QCOMPARE(int(R::pageKind(entry)), kind);
    }

    void dispatchSelectsBody()
    {
        QCOMPARE(body(parse(R"({"category":"cad","name":"x"})")),
                 R::renderGenericPage(parse(R"({"category":"cad","name":"x"})")));
        const QJsonObject software = parse(R"({"category":"CAE","resources":{}})");
        QCOMPARE(body(software), R::renderSoftwarePage(software));
        const QJsonObject company = parse(R"({"headquarters":"H"})");
        QCOMPARE(body(company), R::renderCompanyPage(company));
        const QJsonObject kernel = parse(R"({"type":"Geometric Modeling Kernel"})");
        QCOMPARE(body(kernel), R::renderKernelTechnologyPage(kernel));
        const QJsonObject overview = parse(R"({"type":"category_overview","itemCount":2})");
        QCOMPARE(body(overview), R::renderCategoryOverview(overview));
        const QJsonObject picture = parse(R"({"type":"image","fileName":"a.png"})");
        QCOMPARE(body(picture), R::renderPicturePage(picture));
    }

    void genericPage()
    {
        const QJsonObject entry = parse(
            R"({"name":"N","id":"i","description":{"zh":"Z"},)"
            R"("_filePath":"p.json","metadata":{"a":1},"zeta":[1],"<alpha>":"a<b","flag":false})");
        QCOMPARE(R::renderGenericPage(entry),
                 QStringLiteral("<div class='section'><p>Z</p></div>"
                                "<h3>&lt;alpha&gt;</h3>a&lt;b<h3>flag</h3>否"
                                "<h3>zeta</h3><ul><li>1</li></ul>"));
    }

    void softwarePage()
    {
        const QJsonObject entry =
            parse(R"({)"
                  R"("name": "Soft", "category": "CAD",)"
                  R"("technicalSpecs": {)"
                  R"("kernel": ["Parasolid"], "modelingTechniques": ["Direct <sync>"],)"
                  R"("platform": ["Windows"], "programmingAPI": ["NX Open"],)"
                  R"("fileFormats": {"native": [".prt", ".x_t"], "import": [".step"],)"
                  R"("export": [".igs"]},)"
                  R"("hardwareRequirements": {"minRAM": "8 GB", "recommendedRAM": "32 GB",)"
                  R"("gpu": "OpenGL", "disk": "20 GB", "cpu": "x64"}},)"
                  R"("features": {"core": ["A"], "advanced": ["B"], "modules": [{"name": "M1"}]},)"
                  R"("industryApplications": [)"
                  R"({"industry": "汽车", "usage": "设计", "marketShare": "30%",)"
                  R"("keyCustomers": ["Ford", "GM"]},)"
                  R"({"industry": "航空"}],)"
                  R"("competitiveAnalysis": {"strengths": ["s"], "weaknesses": ["w"],)"
                  R"("competitors": [{"name": "Creo", "vendor": "PTC"}]},)"
                  R"("resources": {"official": "https://o.example", "training": ["t1"],)"
                  R"("community": "www.example.com", "count": 3},)"
                  R"("acquisitionInfo": {"acquiredBy": "X", "acquisitionDate": "2001",)"
                  R"("status": "完成", "impact": "大"},)"
                  R"("licensing": {"type": "commercial-licence"},)"
                  R"("relatedTechnologies": ["related-tech"]})");
        const QString expected = QStringLiteral(
            "<div class='section'><p><strong>类别:</strong> CAD</p></div>"
            "<h2>技术规格</h2><div class='section'>"
            "<h3>几何内核</h3><ul><li>Parasolid</li></ul>"
            "<h3>建模技术</h3><ul><li>Direct &lt;sync&gt;</li></ul>"
            "<h3>文件格式</h3><table><tr><th>类型</th><th>格式</th></tr>"
            "<tr><td>原生格式</td><td><li>.prt</li><li>.x_t</li></td></tr></table>"
            "<h3>硬件要求</h3><table><tr><th>项目</th><th>要求</th></tr>"
            "<tr><td>处理器</td><td>x64</td></tr><tr><td>硬盘空间</td><td>20 GB</td></tr>"
            "<tr><td>显卡</td><td>OpenGL</td></tr><tr><td>最小内存</td><td>8 GB</td></tr>"
            "<tr><td>推荐内存</td><td>32 GB</td></tr></table></div>"
            "<h2>功能特性</h2><div class='section'><h3>核心功能</h3><ul><li>A</li></ul>"
            "<h3>高级功能</h3><ul><li>B</li></ul><h3>模块列表</h3><ul><li>M1</li></ul></div>"
            "<h2>行业应用</h2><div class='section'><h3>汽车</h3><table>"
            "<tr><td><strong>用途</strong></td><td>设计</td></tr>"
            "<tr><td><strong>市场份额</strong></td><td>30%</td></tr>"
            "<tr><td><strong>主要客户</strong></td><td><li>Ford</li><li>GM</li></td></tr>"
            "</table><h3>航空</h3><table></table></div>"
            "<h2>竞争分析</h2><div class='section'><h3>优势</h3><ul><li>s</li></ul>"
            "<h3>劣势</h3><ul><li>w</li></ul><h3>主要竞争对手</h3><ul><li>Creo (PTC)</li></ul>"
            "</div>"
            "<h2>资源链接</h2><div class='section'><ul>"
            "<li><strong>社区:</strong> www.example.com</li>"
            "<li><strong>官网:</strong> <a href='https://o.example'>https://o.example</a>"
            "</li><li><strong>培训:</strong><ul><li>t1</li></ul></li></ul></div>"
            "<h2>收购信息</h2><div class=\"section\"><p><strong>收购方:</strong> X</p>"
            "<p><strong>收购时间:</strong> 2001</p><p><strong>状态:</strong> 完成</p>"
            "<p><strong>影响:</strong> 大</p></div>"
            "<h2>相关技术</h2><div class='section'><ul><li>related-tech</li></ul></div>");
        QCOMPARE(R::renderSoftwarePage(entry), expected);
        const QString html = R::buildHtml(entry);
        for (const char* hidden : {".step", ".igs", "Windows", "NX Open", "commercial-licence"})
            QVERIFY2(!html.contains(QLatin1String(hidden)), hidden);
    }

    void softwarePageEdgeCases()
    {
        const QJsonObject entry =
            parse(R"({"category":"EDA","industryApplications":[],"resources":{}})");
        const QString html = R::renderSoftwarePage(entry);
        QVERIFY(!html.contains("行业应用"));
        QVERIFY(html.endsWith("<h2>资源链接</h2><div class='section'><ul></ul></div>"));

        // Markup is shown literally, in a list element and in fullName alike.
        const QJsonObject markup = parse(R"({"category":"CAM","fullName":"<b>F</b>",)"
                                         R"("features":{"core":["<b>F</b>"]}})");
        const QString page = R::renderSoftwarePage(markup);
        QVERIFY(page.contains("<p><strong>全称:</strong> &lt;b&gt;F&lt;/b&gt;</p>"));
        QVERIFY(page.contains("<ul><li>&lt;b&gt;F&lt;/b&gt;</li></ul>"));

        // Technical data without native formats show no format table.
        const QJsonObject techSpecs =
            parse(R"({"category":"CFD","technicalSpecs":{"fileFormats":{"import":["x"]}}})");
        QVERIFY(R::renderSoftwarePage(techSpecs).endsWith(
            "<h2>技术规格</h2><div class='section'></div>"));
    }

    void companyPage()
    {
        const QJsonObject entry = parse(
            R"({)"
            R"("name": "Co", "headquarters": "<b>HQ</b>", "employees": "100", "revenue": "1 亿",)"
            R"("basicInfo": {"ceo": "Boss", "employees": "5000", "revenue": "$1B"},)"
            R"("stockInfo": {"exchange": "NYSE", "symbol": "CO", "marketCap": "$10B",)"
            R"("stockLinks": {"yahoo": "https://y", "googlefinance": "https://g",)"
            R"("nyse": "https://n", "nasdaq": "https://q",)"
            R"("marketwatch": "https://m", "bloomberg": "https://b",)"
            R"("euronext": "https://e"}},)"
            R"("products": ["P<1>", "P2"]})");
        QCOMPARE(R::renderCompanyPage(entry),
                 QStringLiteral(
                     "<div class='section'></div>"
                     "<p><strong>总部:</strong> &lt;b&gt;HQ&lt;/b&gt;</p>"
                     "<h2>基本信息</h2><div class='section'><p><strong>CEO:</strong> Boss</p>"
                     "<p><strong>员工数:</strong> 5000</p><p><strong>年收入:</strong> $1B</p>"
                     "</div>"
                     "<h2>股票信息</h2><div class='section'>"
                     "<p><strong>交易所:</strong> NYSE (CO)</p><p><strong>市值:</strong> $10B</p>"
                     "<p><strong>股票链接:</strong></p><ul>"
                     "<li><a href='https://b' target='_blank'>Bloomberg</a></li>"
                     "<li><a href='https://e' target='_blank'>Euronext</a></li>"
                     "<li><a href='https://g' target='_blank'>Google Finance</a></li>"
                     "<li><a href='https://m' target='_blank'>MarketWatch</a></li>"
                     "<li><a href='https://q' target='_blank'>NASDAQ</a></li>"
                     "<li><a href='https://n' target='_blank'>nyse</a></li>"
                     "<li><a href='https://y' target='_blank'>Yahoo Finance</a></li></ul></div>"
                     "<p><strong>员工数:</strong> 100</p><p><strong>年收入:</strong> 1 亿</p>"
                     "<h2>主要产品</h2><div class='section'><ul><li>P&lt;1&gt;</li><li>P2</li>"
                     "</ul></div>"));

        const QJsonObject minimal = parse(R"({"industry":"CAD","stockInfo":{"symbol":"X"}})");
        QCOMPARE(R::renderCompanyPage(minimal),
                 QStringLiteral("<div class='section'></div><h2>股票信息</h2>"
                                "<div class='section'></div>"));
    }

    void kernelPage()
    {
        const QJsonObject entry =
            parse(R"({)"
                  R"("type": "Geometric Modeling Kernel", "vendor": "Siemens",)"
                  R"("technicalDetails": {"representation": "B-rep", "tolerance": 1e-8,)"
                  R"("<lang>": ["C", "C++"]},)"
                  R"("features": {"core": ["Boolean"]},)"
                  R"("applications": {"cad": ["NX"]},)"
                  R"("comparison": "vs ACIS", "strengths": ["not shown"]})");
        QCOMPARE(R::renderKernelTechnologyPage(entry),
                 QStringLiteral(
                     "<div class='section'><p><strong>厂商:</strong> Siemens</p></div>"
                     "<h2>技术细节</h2><div class='section'><h3>&lt;lang&gt;</h3>"
                     "<ul><li>C</li><li>C++</li></ul><h3>表示方法</h3>B-rep"
                     "<h3>tolerance</h3>1e-08</div>"
                     "<h2>功能特性</h2><div class='section'><h3>核心功能</h3>"
                     "<ul><li>Boolean</li></ul></div>"
                     "<h2>应用领域</h2><div class='section'><table><tr><td><strong>cad</strong>"
                     "</td><td><ul><li>NX</li></ul></td></tr></table></div>"
                     "<h2>对比分析</h2><div class='section'>vs ACIS</div>"));
    }

    void categoryOverview()
    {
        const QJsonObject entry =
            parse(R"({)"
                  R"("type": "category_overview", "name": "Title not in body",)"
                  R"("category": "technologies/<k>", "itemCount": 3,)"
                  R"("description": {"en": "E", "zh": "说明 & <更多>"},)"
                  R"("references": ["R"], "types": {"linear": ["CG"]}, "recommendedSoftware": "",)"
                  R"("keyPlayers": "Parasolid & ACIS", "keyMethods": [], "focusAreas": ["F"],)"
                  R"("highlights": ["H"], "topics": ["T"], "analysisFocus": ["not shown"],)"
                  R"("useCases": [{"title": "U", "details": "D"}],)"
                  R"("items": [{"name": "I", "type": "kernel", "summary": "S"}]})");
        QCOMPARE(R::renderCategoryOverview(entry),
                 QStringLiteral(
                     "<div class='section'><p>说明 &amp; &lt;更多&gt;</p>"
                     "<p><strong>分类路径:</strong> technologies/&lt;k&gt;</p>"
                     "<p><strong>已收录资料:</strong> 3 项</p></div>"
                     "<h3>核心专题</h3><ul><li>T</li></ul>"
                     "<h3>关键亮点</h3><ul><li>H</li></ul>"
                     "<h3>重点关注</h3><ul><li>F</li></ul>"
                     "<h3>代表厂商/技术</h3><p>Parasolid &amp; ACIS</p>"
                     "<h3>类型/分类</h3><table><tr><td><strong>linear</strong></td>"
                     "<td><ul><li>CG</li></ul></td></tr></table>"
                     "<h3>参考资料</h3><ul><li>R</li></ul>"
                     "<h3>典型场景</h3><div class='section'><p><strong>U</strong><br/>D</p></div>"
                     "<h3>关联资料</h3><table><tr><th>名称</th><th>类型</th><th>摘要</th></tr>"
                     "<tr><td>I</td><td>kernel</td><td>S</td></tr></table>"));
    }

    void categoryOverviewEdges()
    {
        QCOMPARE(R::renderCategoryOverview(parse(R"({"itemCount":"many","category":""})")),
                 QStringLiteral("<div class='section'><p><strong>已收录资料:</strong> 0 项</p>"
                                "</div>"));
        QCOMPARE(R::renderCategoryOverview(parse(R"({"description":"纯文本","keyPlayers":[],)"
                                                 R"("useCases":[],"items":[]})")),
                 QStringLiteral("<div class='section'><p>纯文本</p></div>"));
        // No basic-info block even when basic keys are present.
        QVERIFY(!R::buildHtml(parse(R"({"type":"category_overview","fullName":"F"})"))
                     .contains("全称"));
    }

    void useCases_data()
    {
        QTest::addColumn<QJsonObject>("useCase");
        QTest::addColumn<QString>("paragraph");
        QTest::newRow("title and details") << parse(R"({"title":"T<1>","details":"D&"})")
                                           << "<p><strong>T&lt;1&gt;</strong><br/>D&amp;</p>";
        QTest::newRow("name and description") << parse(R"({"name":"N","description":{"en":"E"}})")
                                              << "<p><strong>N</strong><br/>E</p>";
        QTest::newRow("description before summary")
            << parse(R"({"title":"T","description":"Dsc","summary":"S"})")
            << "<p><strong>T</strong><br/>Dsc</p>";
        QTest::newRow("summary only")
            << parse(R"({"summary":"S"})") << "<p><strong>场景</strong><br/>S</p>";
        QTest::newRow("empty description falls to summary")
            << parse(R"({"description":{},"summary":"S"})") << "<p><strong>场景</strong><br/>S</p>";
        QTest::newRow("nothing") << QJsonObject() << "<p><strong>场景</strong><br/>暂无描述</p>";
    }
    void useCases()
    {
        QFETCH(QJsonObject, useCase);
        QFETCH(QString, paragraph);
        QCOMPARE(R::renderUseCases(QJsonArray{useCase, "skipped"}),
                 "<h3>典型场景</h3><div class='section'>" + paragraph + "</div>");
    }

    void useCasesEmpty()
    {
        QCOMPARE(R::renderUseCases({}), QString());
        QCOMPARE(R::renderUseCases(QJsonArray{"only a string"}),
                 QStringLiteral("<h3>典型场景</h3><div class='section'></div>"));
    }

    void relatedItemsCapped()
    {
        const QString html = R::renderRelatedItems(objects(11));
        QCOMPARE(html.count("<tr><td>"), 8);
        QVERIFY(html.contains("<tr><td>item7</td><td></td><td></td></tr></table>"));
        QVERIFY(!html.contains("item8"));
        QVERIFY(html.endsWith("</table><p><em>另外 3 项资料可通过展开左侧导航查看。</em></p>"));
    }

    void relatedItemsCountsStrings()
    {
        QJsonArray items = objects(7);
        items.insert(2, "a string");
        items.append("another");
        QCOMPARE(items.size(), 9);
        const QString html = R::renderRelatedItems(items);
        QCOMPARE(html.count("<tr><td>"), 7);
        QVERIFY(html.contains("<tr><td>item6</td>"));
        QVERIFY(html.endsWith("<p><em>另外 1 项资料可通过展开左侧导航查看。</em></p>"));
    }

    void relatedItemsRows()
    {
        const QJsonArray items{
            parse(R"({"title":"T","category":"C","description":{"zh":"中<文>"}})"),
            parse(R"({"fileName":"f.md","type":"markdown","summary":"S","category":"x"})"),
            parse(R"({"name":"N","type":"","category":"cat"})")};
        QCOMPARE(R::renderRelatedItems(items),
                 QStringLiteral("<h3>关联资料</h3><table><tr><th>名称</th><th>类型</th>"
                                "<th>摘要</th></tr><tr><td>T</td><td>C</td><td>中&lt;文&gt;</td>"
                                "</tr><tr><td>f.md</td><td>markdown</td><td>S</td></tr>"
                                "<tr><td>N</td><td>cat</td><td></td></tr></table>"));
        QCOMPARE(R::renderRelatedItems(objects(8)).count("<em>"), 0);
        QCOMPARE(R::renderRelatedItems({}), QString());
    }

    void fileSize_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << qint64(0) << "0 字节";
        QTest::newRow("1023") << qint64(1023) << "1023 字节";
        QTest::newRow("1024") << qint64(1024) << "1.0 KB";
        QTest::newRow("1536") << qint64(1536) << "1.5 KB";
        QTest::newRow("just below 1 MiB") << qint64(1048575) << "1024.0 KB";
        QTest::newRow("1 MiB") << qint64(1048576) << "1.0 MB";
        QTest::newRow("3 MiB") << qint64(3 * 1048576) << "3.0 MB";
    }
    void fileSize()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(R::formatFileSize(bytes), text);
    }

    void pictureSizeRowParsesText_data()
    {
        QTest::addColumn<QJsonValue>("size");
        QTest::addColumn<QString>("text");
        QTest::newRow("1536 text") << QJsonValue("1536") << "1.5 KB";
        QTest::newRow("3 MiB text") << QJsonValue("3145728") << "3.0 MB";
        QTest::newRow("not a number") << QJsonValue("big") << "0 字节";
        QTest::newRow("number") << QJsonValue(1023) << "1023 字节";
    }
    void pictureSizeRowParsesText()
    {
        QFETCH(QJsonValue, size);
        QFETCH(QString, text);
        const QJsonObject entry{{"type", "image"}, {"_filePath", "/none/qv_x.png"}, {"size", size}};
        QVERIFY(R::renderPicturePage(entry).contains("<tr><td><strong>文件大小</strong></td><td>" +
                                                     text + "</td></tr>"));
    }

    void readImageAsBase64()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(R::readImageAsBase64(dir.filePath("missing.png")), QString());
        QVERIFY(writeFile(dir.filePath("empty.png"), {}));
        QCOMPARE(R::readImageAsBase64(dir.filePath("empty.png")), QString());
        QVERIFY(writeFile(dir.filePath("small.png"), "\x89PNG-bytes"));
        QCOMPARE(R::readImageAsBase64(dir.filePath("small.png")),
                 QString::fromLatin1(QByteArray("\x89PNG-bytes").toBase64()));
        const QByteArray limit(0x200000, 'x');
        QVERIFY(writeFile(dir.filePath("limit.png"), limit));
        QCOMPARE(R::readImageAsBase64(dir.filePath("limit.png")),
                 QString::fromLatin1(limit.toBase64()));
        QVERIFY(writeFile(dir.filePath("over.png"), limit + 'x'));
        QCOMPARE(R::readImageAsBase64(dir.filePath("over.png")), QString());
    }

    void picturePageInlinesLocalFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("qv_small diagram.PNG");
        QVERIFY(writeFile(path, "pngdata"));
        const QJsonObject entry{{"type", "image"},
                                {"name", "small diagram"},
                                {"fileName", "qv_small diagram.PNG"},
                                {"_filePath", path},
                                {"extension", "png"},
                                {"size", "7"},
                                {"lastModified", "2024-05-06T07:08:09"},
                                {"description", QJsonObject{{"zh", "图片文件: x"}}}};
        const QString expected =
            "<div class='section'><h2>图片详情: qv_small diagram.PNG</h2>"
            "<div style='text-align: center; margin: 20px 0;'><img src='data:image/png;base64," +
            QString::fromLatin1(QByteArray("pngdata").toBase64()) +
            "' style='max-width: 80%; max-height: 500px; border: 1px solid #ddd; "
            "border-radius: 4px;' alt='small diagram' /></div>"
            "<table style='margin-top: 20px;'><tr><th>属性</th><th>值</th></tr>"
            "<tr><td><strong>文件名</strong></td><td>qv_small diagram.PNG</td></tr>"
            "<tr><td><strong>文件格式</strong></td><td>PNG</td></tr>"
            "<tr><td><strong>文件大小</strong></td><td>7 字节</td></tr>"
            "<tr><td><strong>最后修改</strong></td><td>2024-05-06 07:08:09</td></tr>"
            "<tr><td><strong>文件路径</strong></td><td>" +
            path +
            "</td></tr></table>"
            "<div style='margin-top: 15px; padding: 10px; background: #f5f5f5; "
            "border-radius: 4px;'><p><strong>说明:</strong> 图片文件: x</p></div></div>";
        QCOMPARE(R::renderPicturePage(entry, dataDirectory(dir.path())), expected);
    }

    void picturePageReferencesLargeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("qv_large.png");
        QVERIFY(writeFile(path, QByteArray(3 * 1000 * 1000, 'x')));
        const QJsonObject entry{{"type", "image"}, {"name", "L"}, {"_filePath", path}};
        const QString html = R::renderPicturePage(entry, dataDirectory(dir.path()));
        QVERIFY(!html.contains("base64"));
        QVERIFY(html.contains("<img src='" + path +
                              "' style='max-width: 80%; max-height: 500px; border: 1px solid "
                              "#ddd; border-radius: 4px;' alt='L' />"));
        // Only the path row: no other key is present.
        QVERIFY(html.contains("<tr><th>属性</th><th>值</th></tr><tr><td><strong>文件路径</strong>"
                              "</td><td>" +
                              path + "</td></tr></table></div>"));
    }

    void picturePageRelativePathAndDataFallback()
    {
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        QVERIFY(writeFile(dir.filePath("data/pics/qv_rel.gif"), "gif"));
        QString html =
            R::renderPicturePage({{"type", "image"}, {"_filePath", "data/pics/qv_rel.gif"}});
        QVERIFY(html.contains("<img src='data:image/gif;base64," +
                              QString::fromLatin1(QByteArray("gif").toBase64()) + "'"));
        // The same picture outside the data directory is not read.
        QVERIFY(writeFile(dir.filePath("pics/qv_rel.gif"), "gif"));
        html = R::renderPicturePage({{"type", "image"}, {"_filePath", "pics/qv_rel.gif"}});
        QVERIFY(!html.contains("<img"));
        QVERIFY(html.contains("图片未找到"));

        // A path that does not exist falls back to data/pictures of the working directory.
        QVERIFY(writeFile(dir.filePath("data/pictures/qv_moved.jpg"), "jpg"));
        html = R::renderPicturePage({{"type", "image"}, {"_filePath", "/gone/qv_moved.jpg"}});
        QVERIFY(html.contains("<img src='data:image/jpg;base64," +
                              QString::fromLatin1(QByteArray("jpg").toBase64()) + "'"));
        QVERIFY(html.contains("<td>/gone/qv_moved.jpg</td>"));
    }

    void picturePagePlaceholder()
    {
        const QJsonObject entry{
            {"type", "image"}, {"fileName", "qv_none.png"}, {"_filePath", "/nowhere/qv_none.png"}};
        QCOMPARE(R::renderPicturePage(entry),
                 QStringLiteral(
                     "<div class='section'><h2>图片详情: qv_none.png</h2>"
                     "<div style='text-align: center; margin: 20px 0;'>"
                     "<div style='width: 200px; height: 150px; border: 2px dashed #ccc; "
                     "display: flex; align-items: center; justify-content: center; "
                     "background-color: #f9f9f9; margin: 0 auto;'>"
                     "<span style='color: #999; font-size: 14px;'>图片未找到<br>qv_none.png</span>"
                     "</div></div><table style='margin-top: 20px;'><tr><th>属性</th><th>值</th>"
                     "</tr><tr><td><strong>文件名</strong></td><td>qv_none.png</td></tr>"
                     "<tr><td><strong>文件路径</strong></td><td>/nowhere/qv_none.png</td></tr>"
                     "</table></div>"));
    }

    void picturePageWithoutPath()
    {
        QCOMPARE(R::renderPicturePage(parse(R"({"type":"image","_filePath":"",)"
                                            R"("description":{"zh":""}})")),
                 QStringLiteral("<div class='section'></div>"));
    }

    void picturePageQuotesInNames()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("qv_it's.png");
        QVERIFY(writeFile(path, QByteArray(3 * 1000 * 1000, 'x')));
        const QString html = R::renderPicturePage(
            {{"type", "image"}, {"name", "it's"}, {"_filePath", path}}, dataDirectory(dir.path()));
        QVERIFY(html.contains("<img src='" + R::escapeHtml(path) + "' "));
        QVERIFY(html.contains("alt='it&#39;s' />"));
    }

    void picturePagePrefersEmbeddedCopy()
    {
        EmbeddedDataAdapter& embedded = EmbeddedDataAdapter::instance();
        QStringList keys = embedded.getAvailableResources();
        QVERIFY(!keys.isEmpty());
        QString key = keys.first();
        for (const QString& candidate : keys) {
            if (candidate.startsWith("data/pictures/")) {
                key = candidate;
                break;
            }
        }
        const QString fileName = key.section('/', -1);
        const QByteArray bytes = embedded.loadEmbeddedImage("data/pictures/" + fileName);
        QVERIFY(!bytes.isEmpty());

        // A local file of the same name loses against the embedded copy.
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        QVERIFY(writeFile(path, "local copy"));
        const QString html = R::renderPicturePage({{"type", "image"}, {"_filePath", path}});
        QVERIFY(html.contains("<img src='data:image/" + QFileInfo(fileName).suffix().toLower() +
                              ";base64," + QString::fromLatin1(bytes.toBase64()) + "'"));
    }

    void everyKnowledgeBaseEntryRenders()
    {
        QMap<R::PageKind, int> kinds;
        int total = 0;
        QDirIterator it(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR), {"*.json"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.contains("/config/"))
                continue;
            const QJsonObject entry = readEntry(path);
            if (entry.isEmpty())
                continue;
            ++total;
            const R::PageKind kind = R::pageKind(entry);
            ++kinds[kind];
            const QString html = R::buildHtml(entry);
            QVERIFY2(html.startsWith(R::htmlHead()), qPrintable(path));
            QVERIFY2(html.endsWith(QStringLiteral("</body></html>")), qPrintable(path));
            if (entry.value("metadata").isObject()) {
                const QJsonObject metadata = entry.value("metadata").toObject();
                QVERIFY2(html.endsWith("<div class='section'><small>最后更新: " +
                                       metadata.value("lastUpdated").toString() +
                                       " | 版本: " + metadata.value("dataVersion").toString() +
                                       "</small></div></body></html>"),
                         qPrintable(path));
            }
            const QString zh = entry.value("description").toObject().value("zh").toString();
            if (kind != R::PageKind::CategoryOverview && kind != R::PageKind::Picture &&
                !zh.isEmpty())
                QVERIFY2(html.contains("<p>" + R::escapeHtml(zh) + "</p></div>"), qPrintable(path));

            if (kind == R::PageKind::Software)
                checkSoftware(entry, html, path);
            else if (kind == R::PageKind::Company)
                checkCompany(entry, html, path);
            else if (kind == R::PageKind::KernelTechnology)
                checkKernel(entry, html, path);
            else if (kind == R::PageKind::Generic)
                checkGeneric(entry, html, path);
        }
        QVERIFY(total > 100);
        QVERIFY(kinds.value(R::PageKind::Software) > 50);
        QCOMPARE(kinds.value(R::PageKind::Company),
                 QDir(dataPath("companies")).entryList({"*.json"}, QDir::Files).size());
        QVERIFY(kinds.value(R::PageKind::KernelTechnology) > 0);
        QVERIFY(kinds.value(R::PageKind::Generic) > 0);
    }

    void knowledgeBaseTechnologyOverview()
    {
        const QJsonObject categories = readEntry(dataPath("config/categories.json"));
        const QJsonObject kernels =
            categories.value("technologyCategories").toObject().value("kernels").toObject();
        QVERIFY(!kernels.isEmpty());
        QJsonObject overview{{"type", "category_overview"},
                             {"name", kernels.value("name")},
                             {"category", "technologies/kernels"},
                             {"description", kernels.value("description")}};
        for (const char* key :
             {"highlights", "focusAreas", "keyPlayers", "useCases", "references", "types"}) {
            if (kernels.contains(key))
                overview.insert(key, kernels.value(key));
        }
        QJsonArray items;
        for (const QFileInfo& info :
             QDir(dataPath("technologies/kernels")).entryInfoList({"*.json"}, QDir::Files))
            items.append(readEntry(info.filePath()));
        overview.insert("items", items);
        overview.insert("itemCount", items.size());

        const QString html = R::buildHtml(overview);
        QVERIFY(html.contains(
            "<p>" + R::escapeHtml(kernels.value("description").toObject().value("zh").toString()) +
            "</p><p><strong>分类路径:</strong> technologies/kernels</p>"
            "<p><strong>已收录资料:</strong> " +
            QString::number(items.size()) + " 项</p></div>"));
        qsizetype last = -1;
        for (const char* heading : {"关键亮点", "重点关注", "代表厂商/技术", "类型/分类",
                                    "参考资料", "典型场景", "关联资料"}) {
            const qsizetype at = html.indexOf("<h3>" + QString::fromUtf8(heading) + "</h3>");
            QVERIFY2(at > last, heading);
            last = at;
        }
        for (const QJsonValue& value : kernels.value("useCases").toArray()) {
            const QJsonObject useCase = value.toObject();
            QVERIFY(html.contains("<p><strong>" + R::escapeHtml(useCase.value("title").toString()) +
                                  "</strong><br/>" +
                                  R::escapeHtml(useCase.value("details").toString()) + "</p>"));
        }
        const QString related = html.mid(html.indexOf("<h3>关联资料</h3>"));
        QCOMPARE(related.count("<tr><td>"), qMin<qsizetype>(items.size(), 8));
        QCOMPARE(html.contains("<em>另外"), items.size() > 8);
    }

    void knowledgeBaseDisciplineTopics()
    {
        const QJsonObject categories = readEntry(dataPath("config/categories.json"));
        const QJsonObject structural =
            categories.value("disciplineCategories").toObject().value("structural").toObject();
        QJsonObject overview{{"type", "category_overview"}, {"category", "disciplines/structural"}};
        for (const char* key :
             {"topics", "analysisFocus", "keyMethods", "recommendedSoftware", "useCases"})
            overview.insert(key, structural.value(key));
        const QString html = R::renderCategoryOverview(overview);
        QVERIFY(html.contains("<h3>核心专题</h3>" +
                              R::renderList(structural.value("topics").toArray())));
        QVERIFY(html.contains("<h3>关键方法</h3>" +
                              R::renderList(structural.value("keyMethods").toArray())));
        QVERIFY(html.contains("<h3>常用工具</h3>" +
                              R::renderList(structural.value("recommendedSoftware").toArray())));
        // The analysis focus has no heading of its own on the overview page.
        for (const QJsonValue& focus : structural.value("analysisFocus").toArray())
            QVERIFY(!html.contains("<li>" + R::escapeHtml(focus.toString()) + "</li>"));
    }

private:
    static void checkSoftware(const QJsonObject& entry, const QString& html, const QString& path)
    {
        const QJsonObject features = entry.value("features").toObject();
        for (const char* key : {"core", "advanced", "modules"}) {
            for (const QJsonValue& feature : features.value(key).toArray())
                QVERIFY2(html.contains("<li>" + R::escapeHtml(feature.toString()) + "</li>"),
                         qPrintable(path));
        }
        for (const QJsonValue& competitor :
             entry.value("competitiveAnalysis").toObject().value("competitors").toArray()) {
            const QJsonObject object = competitor.toObject();
            QVERIFY2(html.contains("<li>" + R::escapeHtml(object.value("name").toString()) + " (" +
                                   R::escapeHtml(object.value("vendor").toString()) + ")</li>"),
                     qPrintable(path));
        }
        const QJsonObject resources = entry.value("resources").toObject();
        for (auto it = resources.begin(); it != resources.end(); ++it) {
            const QString value = it.value().toString();
            if (value.startsWith("http"))
                QVERIFY2(html.contains("<li><strong>" + FieldLabels::label(it.key()) +
                                       ":</strong> <a href='" + R::escapeHtml(value) + "'>" +
                                       R::escapeHtml(value) + "</a></li>"),
                         qPrintable(path));
        }
        for (const QJsonValue& application : entry.value("industryApplications").toArray())
            QVERIFY2(
                html.contains("<h3>" +
                              R::escapeHtml(application.toObject().value("industry").toString()) +
                              "</h3><table><tr><td><strong>用途</strong></td><td>"),
                qPrintable(path));
        if (entry.contains("acquisitionInfo"))
            QVERIFY2(
                html.contains(
                    "<h2>收购信息</h2><div class=\"section\"><p><strong>收购方:"
                    "</strong> " +
                    R::escapeHtml(
                        entry.value("acquisitionInfo").toObject().value("acquiredBy").toString()) +
                    "</p>"),
                qPrintable(path));
    }

    static void checkCompany(const QJsonObject& entry, const QString& html, const QString& path)
    {
        QVERIFY2(html.contains("<p><strong>总部:</strong> " +
                               R::escapeHtml(entry.value("headquarters").toString()) + "</p>"),
                 qPrintable(path));
        const QJsonObject stock = entry.value("stockInfo").toObject();
        const QJsonObject links = stock.value("stockLinks").toObject();
        for (auto it = links.begin(); it != links.end(); ++it)
            QVERIFY2(html.contains("<li><a href='" + R::escapeHtml(it.value().toString()) +
                                   "' target='_blank'>" + R::stockLinkLabel(it.key()) +
                                   "</a></li>"),
                     qPrintable(path));
        if (stock.contains("exchange") && stock.contains("symbol"))
            QVERIFY2(html.contains("<p><strong>交易所:</strong> " +
                                   R::escapeHtml(stock.value("exchange").toString()) + " (" +
                                   R::escapeHtml(stock.value("symbol").toString()) + ")</p>"),
                     qPrintable(path));
        if (entry.contains("products"))
            QVERIFY2(html.contains("<h2>主要产品</h2><div class='section'>" +
                                   R::formatValue(entry.value("products")) + "</div>"),
                     qPrintable(path));
    }

    static void checkKernel(const QJsonObject& entry, const QString& html, const QString& path)
    {
        const QJsonObject details = entry.value("technicalDetails").toObject();
        for (auto it = details.begin(); it != details.end(); ++it)
            QVERIFY2(html.contains("<h3>" + R::escapeHtml(FieldLabels::label(it.key())) + "</h3>" +
                                   R::formatValue(it.value(), PageContext(),
                                                  R::preferredKindForKey(it.key()))),
                     qPrintable(path));
        if (entry.contains("comparison"))
            QVERIFY2(html.contains("<h2>对比分析</h2>"), qPrintable(path));
    }

    static void checkGeneric(const QJsonObject& entry, const QString& html, const QString& path)
    {
        for (auto it = entry.begin(); it != entry.end(); ++it) {
            const QString heading = "<h3>" + R::escapeHtml(FieldLabels::label(it.key())) + "</h3>";
            if (QStringList{"name", "id", "description", "_filePath", "metadata", "sources"}
                    .contains(it.key()))
                QVERIFY2(!html.contains(heading), qPrintable(path));
            else
                QVERIFY2(html.contains(heading + R::formatValue(it.value())), qPrintable(path));
        }
    }

    const QString m_startDir = QDir::currentPath();
};

QTEST_GUILESS_MAIN(TestContentRenderer)
#include "tst_contentrenderer.moc"
