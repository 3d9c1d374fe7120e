#include "data/ArticleDocument.h"
#include "data/DataManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "data/EntryLinkResolver.h"
#include "views/ContentRenderer.h"
#include "views/FieldLabels.h"
#include "views/InternalLink.h"

#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using R = ContentRenderer;
using Kind = EntryLinkResolver::Kind;

// Every internal link of a page, in order.
QStringList internalLinks(const QString& html)
{
    static const QRegularExpression href(QStringLiteral("href='([^']*)'"));
    QStringList paths;
    for (auto it = href.globalMatch(html); it.hasNext();) {
        const QString path = InternalLink::path(QUrl(it.next().captured(1)));
        if (!path.isEmpty())
            paths << path;
    }
    return paths;
}

QString linkTo(const QString& path, const QString& text)
{
    return "<a href='" + InternalLink::href(path) + "'>" + R::escapeHtml(text) + "</a>";
}

} // namespace

class TestPageLinks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        EmbeddedDataAdapter::instance().initialize();
        m_dataPath = QStringLiteral(QUORVANTA_SOURCE_DATA_DIR) + QLatin1Char('/');
        m_manager.setDataPath(m_dataPath);
        m_manager.initialize();
        m_resolver.setDataManager(&m_manager);
        m_resolver.ensureBuilt();
    }

    void linksInRealPages_data()
    {
        QTest::addColumn<QString>("entry");  // id of the page's entry
        QTest::addColumn<int>("kind");       // its kind, where the id is shared
        QTest::addColumn<QString>("target"); // id of an entry the page must link to
        QTest::addColumn<QString>("text");   // the link's text
        const int any = int(Kind::Any);
        const int company = int(Kind::Company);
        QTest::newRow("software: vendor") << "catia" << any << "dassault_systemes"
                                          << "Dassault Systèmes";
        QTest::newRow("software: competitor") << "catia" << any << "nx"
                                              << "NX";
        QTest::newRow("software: competitor's vendor") << "catia" << any << "ptc"
                                                       << "PTC";
        QTest::newRow("software: kernel") << "catia" << any << "cgm"
                                          << "CGM（CATIA Geometric Modeler）";
        QTest::newRow("company: product") << "ansys" << company << "ls_dyna"
                                          << "LS-DYNA";
        QTest::newRow("company: acquirer") << "ansys" << company << "synopsys"
                                           << "Synopsys";
        QTest::newRow("company: acquisition's product")
            << "siemens_digital_industries_software" << company << "teamcenter"
            << "Teamcenter";
        QTest::newRow("company: buyer of a business")
            << "hexagon" << company << "cadence_design_systems"
            << "Cadence Design Systems";
        QTest::newRow("standard: supported by") << "fmi" << any << "dymola"
                                                << "Dymola";
        QTest::newRow("kernel: related document") << "parasolid" << any << ""
                                                  << "几何内核与边界表示.md";
        QTest::newRow("technology: content file") << "数字孪生技术" << int(Kind::Technology) << ""
                                                  << "数字孪生技术.md";
    }
    void linksInRealPages()
    {
        QFETCH(QString, entry);
        QFETCH(int, kind);
        QFETCH(QString, target);
        QFETCH(QString, text);
        const EntryLinkResolver::Target page = m_resolver.resolve(entry, Kind(kind));
        QVERIFY2(page.isValid(), qPrintable(entry));
        const EntryLinkResolver::Target linked =
            target.isEmpty() ? m_resolver.resolve(text) : m_resolver.resolve(target);
        QVERIFY2(linked.isValid(), qPrintable(target));
        const QString html = render(page.path);
        QVERIFY2(html.contains(linkTo(linked.path, text)), qPrintable(linkTo(linked.path, text)));
    }

    void softwarePageLinks()
    {
        const QString html = render(m_resolver.resolve("catia").path);
        // The page never links to itself, and unresolved names stay plain text.
        QVERIFY(!internalLinks(html).contains(m_resolver.resolve("catia").path));
        QVERIFY(html.contains("<li>Boeing</li>"));
        QVERIFY(html.contains("<h2>相关技术</h2>"));
        QVERIFY(html.contains("<h2>资料来源</h2><div class='section'><ul><li><a href='https://"));
        QVERIFY(html.contains("（核实于 2026-12-07）</li>"));
    }

    void companyListsEverySoftwareOfItsMaker()
    {
        int companiesWithSoftware = 0;
        for (const EntryLinkResolver::Target& company : m_resolver.targets()) {
            if (company.kind != Kind::Company)
                continue;
            const QString html = render(company.path);
            const QList<EntryLinkResolver::Target> software =
                m_resolver.softwareOfCompany(company.path);
            if (!software.isEmpty())
                ++companiesWithSoftware;
            for (const EntryLinkResolver::Target& product : software)
                QVERIFY2(html.contains("<li>" + linkTo(product.path, product.name) + " (" +
                                       R::escapeHtml(product.category) + ")</li>"),
                         qPrintable(company.path + " " + product.path));
        }
        QVERIFY(companiesWithSoftware >= 60);

        const QString dassault = render(m_resolver.resolve("dassault_systemes").path);
        for (const char* product : {"catia", "solidworks", "cameo", "3dexperience"}) {
            const EntryLinkResolver::Target target = m_resolver.resolve(product);
            if (target.isValid())
                QVERIFY2(dassault.contains(linkTo(target.path, target.name)), product);
        }
    }

    void vendorsMostlyResolve()
    {
        int software = 0;
        QStringList unresolved;
        for (const EntryLinkResolver::Target& target : m_resolver.targets()) {
            if (target.kind != Kind::Software)
                continue;
            ++software;
            const QString vendor = m_manager.loadJsonFile(target.path).value("vendor").toString();
            if (!m_resolver.resolve(vendor, Kind::Company).isValid())
                unresolved << vendor;
        }
        qInfo().noquote() << "Vendors without a company entry:" << unresolved.join(", ");
        QVERIFY2(unresolved.size() * 10 < software, qPrintable(unresolved.join(", ")));
    }

    // Starting from the company pages and the category pages, following only
    // links reaches every software, company, technology and article.
    void everyEntryReachableByLinks()
    {
        QStringList queue;
        QHash<QString, QString> pages; // path -> html of the start pages
        for (const EntryLinkResolver::Target& target : m_resolver.targets()) {
            if (target.kind == Kind::Company)
                queue << target.path;
        }
        const QJsonObject categories = m_manager.getCategories();
        const QJsonObject technologies = categories.value("technologyCategories").toObject();
        for (auto it = technologies.begin(); it != technologies.end(); ++it) {
            QJsonObject overview{{"type", "category_overview"},
                                 {"category", "technologies/" + it.key()}};
            const QJsonArray items = m_manager.getTechnologiesList(it.key());
            overview.insert("items", items);
            pages.insert(overview.value("category").toString(), renderObject(overview));
        }
        const QJsonObject disciplines = categories.value("disciplineCategories").toObject();
        for (auto it = disciplines.begin(); it != disciplines.end(); ++it) {
            const QJsonObject parent = it.value().toObject();
            pages.insert("disciplines/" + it.key(),
                         renderObject(disciplineOverview(parent, it.key())));
            for (const QJsonValue& value : parent.value("subDisciplines").toArray()) {
                const QJsonObject sub = value.toObject();
                QString dataPath = sub.value("dataPath").toString();
                if (dataPath.isEmpty())
                    dataPath = it.key() + "/" + sub.value("id").toString();
                QJsonObject overview = disciplineOverview(sub, dataPath);
                pages.insert("disciplines/" + dataPath, renderObject(overview));
            }
        }

        QSet<QString> seen;
        for (const QString& html : pages)
            queue << internalLinks(html);
        while (!queue.isEmpty()) {
            const QString path = queue.takeFirst();
            if (seen.contains(path))
                continue;
            seen.insert(path);
            queue << internalLinks(render(path));
        }

        // The two technology articles at the top of technologies/ belong to no
        // category page; the start page lists them. Their own pages link their text.
        const QStringList outsideCategories{"technologies/拓扑优化技术.json",
                                            "technologies/数字孪生技术.json"};
        for (const QString& path : outsideCategories) {
            const EntryLinkResolver::Target target = m_resolver.targetForPath(m_dataPath + path);
            QVERIFY2(target.isValid(), qPrintable(path));
            queue << internalLinks(render(target.path));
            seen.insert(target.path);
        }
        while (!queue.isEmpty()) {
            const QString path = queue.takeFirst();
            if (!seen.contains(path)) {
                seen.insert(path);
                queue << internalLinks(render(path));
            }
        }

        QStringList unreachable;
        for (const EntryLinkResolver::Target& target : m_resolver.targets()) {
            if (!seen.contains(target.path))
                unreachable << target.path.mid(target.path.indexOf("data/"));
        }
        QVERIFY2(unreachable.isEmpty(), qPrintable(unreachable.join("\n")));
    }

    // No page of the knowledge base shows a record key in English.
    void noRawKeysOnRealPages()
    {
        static const QRegularExpression label(
            QStringLiteral("<(?:h3|strong|td)>([a-z][A-Za-z0-9]*):?</(?:h3|strong|td)>"));
        // Product names used as keys, shown as they are.
        const QSet<QString> names{"hypre", "snappyHexMesh"};
        QSet<QString> raw;
        for (const EntryLinkResolver::Target& target : m_resolver.targets()) {
            if (target.kind == Kind::Article)
                continue;
            const QString html = render(target.path);
            for (auto it = label.globalMatch(html); it.hasNext();) {
                const QString key = it.next().captured(1);
                if (!names.contains(key))
                    raw.insert(key + " (" + target.path.section('/', -2) + ")");
            }
        }
        QVERIFY2(raw.isEmpty(), qPrintable(QStringList(raw.values()).join(", ")));
    }

    void hardwareLabels_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("label");
        QTest::newRow("os") << "os"
                            << "操作系统";
        QTest::newRow("memory") << "memory"
                                << "内存";
        QTest::newRow("cpu") << "cpu"
                             << "处理器";
        QTest::newRow("gpu") << "gpu"
                             << "显卡";
        QTest::newRow("disk") << "disk"
                              << "硬盘空间";
        QTest::newRow("minRAM") << "minRAM"
                                << "最小内存";
        QTest::newRow("recommendedRAM") << "recommendedRAM"
                                        << "推荐内存";
        QTest::newRow("unknown stays") << "quantumCores"
                                       << "quantumCores";
    }
    void hardwareLabels()
    {
        QFETCH(QString, key);
        QFETCH(QString, label);
        QCOMPARE(R::hardwareRequirementLabel(key), label);
        QCOMPARE(FieldLabels::hasLabel(key), key != label);
    }

    // Entry text never becomes markup, wherever it is shown.
    void hostileFieldsStayText_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        const QString script = "<script>alert(1)</script>";
        const QString breakout = "\"><img src=x onerror=alert(1)>";
        const QString quote = "x' onmouseover='alert(1)";
        QTest::newRow("software") << QJsonObject{
            {"name", script},
            {"category", "CAD"},
            {"fullName", breakout},
            {"vendor", script},
            {"currentVersion", breakout},
            {"releaseDate", quote},
            {"website", "javascript:alert(1)"},
            {"description", QJsonObject{{"zh", script}}},
            {"technicalSpecs",
             QJsonObject{{"kernel", QJsonArray{script}},
                         {"hardwareRequirements", QJsonObject{{breakout, script}}}}},
            {"industryApplications",
             QJsonArray{QJsonObject{{"industry", script}, {"usage", breakout}}}},
            {"competitiveAnalysis",
             QJsonObject{
                 {"competitors", QJsonArray{QJsonObject{{"name", script}, {"vendor", breakout}}}}}},
            {"resources",
             QJsonObject{{breakout, "http://x' onclick='alert(1)"}, {"docs", "httpx:" + script}}},
            {"acquisitionInfo", QJsonObject{{"acquiredBy", script}, {"impact", breakout}}},
            {"sources",
             QJsonArray{QJsonObject{
                 {"url", "javascript:alert(1)"}, {"title", script}, {"checked", breakout}}}},
            {"metadata", QJsonObject{{"lastUpdated", script}, {"dataVersion", breakout}}}};
        QTest::newRow("company") << QJsonObject{
            {"name", "C"},
            {"headquarters", script},
            {"basicInfo", QJsonObject{{"ceo", script}, {"revenue", breakout}}},
            {"stockInfo",
             QJsonObject{{"exchange", script},
                         {"symbol", breakout},
                         {"stockLinks", QJsonObject{{script, "file:///etc/shadow"},
                                                    {"yahoo", "https://y' onclick='x"}}}}},
            {"products", QJsonArray{script, QJsonObject{{breakout, script}}}},
            {"parentCompany", script},
            {"acquisitions", QJsonArray{QJsonObject{{"target", script}, {"details", breakout}}}}};
        QTest::newRow("generic") << QJsonObject{
            {"name", "G"},
            {script, breakout},
            {"contentFile", script},
            {"nested", QJsonObject{{breakout, QJsonArray{script}}}}};
        QTest::newRow("kernel") << QJsonObject{
            {"type", "Geometric Modeling Kernel"},
            {"technicalDetails", QJsonObject{{script, breakout}}},
            {"relatedDocuments", QJsonArray{script}}};
        QTest::newRow("overview") << QJsonObject{
            {"type", "category_overview"},
            {"description", script},
            {"keyPlayers", QJsonObject{{script, breakout}}},
            {"items", QJsonArray{QJsonObject{{"name", script}, {"_filePath", breakout}}}}};
        QTest::newRow("picture") << QJsonObject{
            {"type", "image"},     {"fileName", script},
            {"name", breakout},    {"_filePath", "/nowhere/" + breakout + ".png"},
            {"extension", script}, {"description", QJsonObject{{"zh", script}}}};
        QTest::newRow("article") << QJsonObject{
            {"type", "article"},
            {"content", "# " + script + "\n\n" + breakout + "\n\n[x](javascript:alert(1))\n\n" +
                            "| " + script + " | b |\n|---|---|\n| " + breakout + " | c |\n" +
                            "```\n" + script + "\n```\n- " + script}};
    }
    void hostileFieldsStayText()
    {
        QFETCH(QJsonObject, entry);
        for (const PageContext& context : {PageContext(), linkedContext(QString())}) {
            const QString html = R::buildHtml(entry, context);
            QVERIFY2(!html.contains("<script", Qt::CaseInsensitive), qPrintable(html));
            QVERIFY2(!html.contains("<img src=x", Qt::CaseInsensitive), qPrintable(html));
            QVERIFY2(!html.contains("onerror=alert", Qt::CaseInsensitive) ||
                         html.contains("onerror=alert(1)&gt;"),
                     qPrintable(html));
            QVERIFY2(!html.contains("' onclick='"), qPrintable(html));
            QVERIFY2(!html.contains("' onmouseover='"), qPrintable(html));
            QVERIFY2(!html.contains("href='javascript:", Qt::CaseInsensitive), qPrintable(html));
            QVERIFY2(!html.contains("href=\"javascript:", Qt::CaseInsensitive), qPrintable(html));
            QVERIFY2(!html.contains("href='file:", Qt::CaseInsensitive), qPrintable(html));
            // Every link the page holds was built by the program.
            static const QRegularExpression href(QStringLiteral("href=['\"]([^'\"]*)['\"]"));
            for (auto it = href.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                QVERIFY2(target.startsWith("https://y&#39;") ||
                             target.startsWith("http://x&#39;") ||
                             target.startsWith("quorvanta:") || target.startsWith("#"),
                         qPrintable(target));
            }
        }
    }

    // A picture's path comes from the entry: it cannot reach outside the data directory.
    void picturePathCannotLeaveTheDataDirectory_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("absolute outside") << "OUTSIDE/secret.png";
        QTest::newRow("dot-dot from inside") << "DATA/pictures/../../secret.png";
        QTest::newRow("relative dot-dot") << "data/../secret.png";
        QTest::newRow("link inside pointing out") << "DATA/pictures/link.png";
        QTest::newRow("prefix look-alike") << "DATA-other/secret.png";
    }
    void picturePathCannotLeaveTheDataDirectory()
    {
        QFETCH(QString, path);
        QTemporaryDir dir;
        const QString data = dir.filePath("data");
        QVERIFY(QDir().mkpath(data + "/pictures"));
        QVERIFY(QDir().mkpath(dir.filePath("data-other")));
        for (const QString& secret :
             {dir.filePath("secret.png"), dir.filePath("data-other/secret.png")}) {
            QFile file(secret);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("SECRET-BYTES");
        }
        QVERIFY(QFile::link(dir.filePath("secret.png"), data + "/pictures/link.png"));
        QFile inside(data + "/pictures/inside.png");
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.write("INSIDE-BYTES");
        inside.close();

        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        path.replace("OUTSIDE", dir.path()).replace("DATA-other", dir.filePath("data-other"));
        path.replace("DATA", data);
        PageContext context;
        context.setDataDirectory(data);
        const QString html =
            R::renderPicturePage({{"type", "image"}, {"_filePath", path}}, context);
        const QString inlined = R::renderPicturePage(
            {{"type", "image"}, {"_filePath", data + "/pictures/inside.png"}}, context);
        QDir::setCurrent(previous);

        QVERIFY2(!html.contains(QString::fromLatin1(QByteArray("SECRET-BYTES").toBase64())),
                 qPrintable(html));
        QVERIFY2(!html.contains("<img"), qPrintable(html));
        QVERIFY(html.contains("图片未找到"));
        QVERIFY(inlined.contains(QString::fromLatin1(QByteArray("INSIDE-BYTES").toBase64())));
    }

    void pictureFitsTheView()
    {
        const QJsonArray pictures = m_manager.getPicturesList();
        QVERIFY(!pictures.isEmpty());
        const QJsonObject picture = pictures.first().toObject();
        PageContext fit;
        fit.setPictureWidth(300);
        const QString fitted = R::renderPicturePage(picture, fit);
        QVERIFY(fitted.contains(" width='300' />"));
        QVERIFY(fitted.contains("<a href='#" + R::pictureToggleFragment() + "'><img "));
        PageContext full;
        full.setPictureWidth(-1);
        const QString fullSize = R::renderPicturePage(picture, full);
        QVERIFY(!fullSize.contains(" width='"));
        QVERIFY(fullSize.contains("<a href='#" + R::pictureToggleFragment() + "'><img "));
        // A picture narrower than the view keeps its own size.
        PageContext wide;
        wide.setPictureWidth(100000);
        QVERIFY(!R::renderPicturePage(picture, wide).contains(" width='"));
        // Outside a view: the plain picture, no toggle.
        QVERIFY(!R::renderPicturePage(picture).contains("<a href="));
    }

private:
    PageContext linkedContext(const QString& selfPath) const
    {
        PageContext context;
        context.setResolver(&m_resolver);
        context.setSelfPath(selfPath);
        context.setDataDirectory(m_dataPath);
        return context;
    }

    QString renderObject(const QJsonObject& entry) const
    {
        return R::buildHtml(entry, linkedContext(entry.value("_filePath").toString()));
    }

    QString render(const QString& path)
    {
        QJsonObject entry = ArticleDocument::isArticlePath(path) ? ArticleDocument::load(path)
                                                                 : m_manager.loadJsonFile(path);
        entry.insert("_filePath", path);
        return R::buildHtml(entry, linkedContext(path));
    }

    // The overview a discipline node shows: its topics and the documents of its folder.
    QJsonObject disciplineOverview(const QJsonObject& config, const QString& dataPath)
    {
        QJsonObject overview{{"type", "category_overview"},
                             {"category", "disciplines/" + dataPath}};
        for (const char* key : {"topics", "keyMethods", "recommendedSoftware", "useCases"}) {
            if (config.contains(key))
                overview.insert(key, config.value(key));
        }
        QJsonArray items;
        const QDir folder(m_dataPath + "disciplines/" + dataPath);
        for (const QFileInfo& info : folder.entryInfoList({"*.json"}, QDir::Files)) {
            QJsonObject item = m_manager.loadJsonFile(info.filePath());
            item.insert("_filePath", folder.filePath(info.fileName()));
            items.append(item);
        }
        for (const QFileInfo& info : folder.entryInfoList({"*.md"}, QDir::Files))
            items.append(QJsonObject{{"name", info.baseName()},
                                     {"type", "markdown"},
                                     {"_filePath", folder.filePath(info.fileName())}});
        overview.insert("items", items);
        return overview;
    }

    QString m_dataPath;
    DataManager m_manager;
    EntryLinkResolver m_resolver;
};

QTEST_GUILESS_MAIN(TestPageLinks)
#include "tst_pagelinks.moc"
