#include "data/ArticleCatalog.h"
#include "data/DataManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "prefs/UserPreferences.h"
#include "views/HomePageRenderer.h"
#include "views/InternalLink.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Text and target path of every link of a page, in order.
QList<QPair<QString, QString>> links(const QString& html)
{
    static const QRegularExpression anchor(QStringLiteral("<a href='([^']*)'>(.*?)</a>"));
    QList<QPair<QString, QString>> result;
    for (auto it = anchor.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QString href = match.captured(1);
        href.replace(QLatin1String("&amp;"), QLatin1String("&"));
        result.append({match.captured(2), InternalLink::path(QUrl(href))});
    }
    return result;
}

QStringList targets(const QString& html)
{
    QStringList paths;
    for (const auto& link : links(html))
        paths << link.second;
    return paths;
}

} // namespace

// The home page on the shipped knowledge base and a private preferences file.
class TestHomePageRenderer : public QObject
{
    Q_OBJECT

private:
    DataManager m_dataManager;
    QList<Article> m_articles;

    QString dataDir() const { return QStringLiteral(QUORVANTA_SOURCE_DATA_DIR "/"); }

private slots:
    void initTestCase()
    {
        EmbeddedDataAdapter::instance().initialize();
        m_dataManager.setDataPath(dataDir());
        m_dataManager.initialize();
        m_articles = ArticleCatalog::list(dataDir());
    }

    void countsByCategoryAreLinked_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("label");
        QTest::newRow("CAD") << "software/cad"
                             << "CAD 计算机辅助设计";
        QTest::newRow("PLM") << "software/plm"
                             << "PLM 产品生命周期管理";
        QTest::newRow("BIM") << "software/bim"
                             << "BIM 建筑信息模型";
        QTest::newRow("MBSE") << "software/mbse"
                              << "MBSE 基于模型的系统工程";
        QTest::newRow("ERP") << "software/erp"
                             << "ERP 企业资源计划";
        QTest::newRow("companies") << "companies"
                                   << "公司企业";
        QTest::newRow("kernels") << "technologies/kernels"
                                 << "核心技术 · 几何内核";
        QTest::newRow("fluid") << "disciplines/fluid"
                               << "学科领域 · 流体力学";
        QTest::newRow("pictures") << "pictures"
                                  << "图片资源";
    }

    void countsByCategoryAreLinked()
    {
        QFETCH(QString, path);
        QFETCH(QString, label);
        const QString html = HomePageRenderer::renderOverview(&m_dataManager, 22);
        QVERIFY2(links(html).contains(qMakePair(label, path)), qPrintable(label));
        // The count follows the link in the same row.
        int count = 0;
        if (path.startsWith("software/"))
            count = int(m_dataManager.getSoftwareList(path.mid(9)).size());
        else if (path == "companies")
            count = int(m_dataManager.getCompaniesList().size());
        else if (path.startsWith("technologies/"))
            count = int(m_dataManager.getTechnologiesList(path.mid(13)).size());
        else if (path.startsWith("disciplines/"))
            count = int(m_dataManager.getDisciplinesList(path.mid(12)).size());
        else
            count = int(m_dataManager.getPicturesList().size());
        QVERIFY(count > 0);
        QVERIFY(html.contains(QStringLiteral("%1</a></td><td>%2</td>").arg(label).arg(count)));
    }

    void softwareOrderAndTotal()
    {
        const QString html = HomePageRenderer::renderOverview(&m_dataManager, 0);
        QStringList software = targets(html).filter(QRegularExpression("^software/"));
        QCOMPARE(software.mid(0, 6), (QStringList{"software/cad", "software/cae", "software/cfd",
                                                  "software/cam", "software/eda", "software/plm"}));
        QVERIFY(software.contains("software/bim"));
        int total = 0;
        for (const QString& path : software)
            total += int(m_dataManager.getSoftwareList(path.mid(9)).size());
        QVERIFY(html.contains(
            QStringLiteral("<strong>合计</strong></td><td><strong>%1</strong>").arg(total)));
        QVERIFY(html.contains("<tr><td>文章</td><td>0</td></tr>"));
    }

    void everyArticleIsLinked()
    {
        QCOMPARE(m_articles.size(), 22);
        const QString html = HomePageRenderer::renderArticles(&m_dataManager, m_articles);
        const QStringList paths = targets(html);
        for (const Article& article : m_articles)
            QVERIFY2(paths.contains(article.path), qPrintable(article.path));
        QVERIFY(links(html).contains(qMakePair(
            QStringLiteral("湍流建模与近壁处理实用指南"),
            dataDir() + QStringLiteral("disciplines/fluid/turbulence_modeling_guide.md"))));
        QVERIFY(html.contains("</a></td><td>流体力学</td>"));
    }

    void emptyListsSaySo()
    {
        QTemporaryDir dir;
        UserPreferences preferences;
        QVERIFY(preferences.initialize(dir.path()));
        QVERIFY(HomePageRenderer::renderRecent(&preferences).contains("暂无浏览记录"));
        QVERIFY(HomePageRenderer::renderFavorites(&preferences).contains("暂无收藏"));
        QVERIFY(HomePageRenderer::renderRecent(nullptr).contains("暂无浏览记录"));
        QVERIFY(HomePageRenderer::renderArticles(&m_dataManager, {}).contains("暂无文章"));
    }

    void historyAndFavouritesAreLinkedAndEscaped()
    {
        QTemporaryDir dir;
        UserPreferences preferences;
        QVERIFY(preferences.initialize(dir.path()));
        preferences.addToHistory("a", "Older", "CAD", "data/software/cad/autocad.json", {});
        preferences.addToHistory("x", "<script>alert('x')</script> & \"Q\"", "<b>cat</b>",
                                 "/tmp/a b/it's.json", {});
        QVERIFY(preferences.addFavorite("bim", "建筑信息模型 <i>", "software/bim", "software/bim",
                                        "d"));

        const QString recent = HomePageRenderer::renderRecent(&preferences);
        QVERIFY(!recent.contains("<script>"));
        QVERIFY(!recent.contains("<b>cat"));
        QVERIFY(recent.contains(
            "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;Q&quot;</a>"));
        QVERIFY(recent.contains("&lt;b&gt;cat&lt;/b&gt;"));
        // Newest first, each opening its own path.
        QCOMPARE(targets(recent),
                 (QStringList{"/tmp/a b/it's.json", "data/software/cad/autocad.json"}));

        const QString favorites = HomePageRenderer::renderFavorites(&preferences);
        QVERIFY(favorites.contains("建筑信息模型 &lt;i&gt;</a>"));
        QCOMPARE(targets(favorites), QStringList{"software/bim"});
    }

    void recentIsLimited()
    {
        QTemporaryDir dir;
        UserPreferences preferences;
        QVERIFY(preferences.initialize(dir.path()));
        for (int i = 0; i < HomePageRenderer::RecentLimit + 5; ++i)
            preferences.addToHistory(QString::number(i), QStringLiteral("E%1").arg(i), "CAD",
                                     QStringLiteral("data/e%1.json").arg(i), {});
        QCOMPARE(targets(HomePageRenderer::renderRecent(&preferences)).size(),
                 HomePageRenderer::RecentLimit);
    }

    void wholePage()
    {
        const QString html = HomePageRenderer::render(&m_dataManager, nullptr, m_articles);
        QVERIFY(html.startsWith("<html><head><style>"));
        QVERIFY(html.endsWith("</body></html>"));
        const QStringList headings{"知识库概览", "最近浏览", "收藏", "文章"};
        qsizetype position = 0;
        for (const QString& heading : headings) {
            const qsizetype found = html.indexOf("<h3>" + heading + "</h3>", position);
            QVERIFY2(found > position, qPrintable(heading));
            position = found;
        }
        QCOMPARE(HomePageRenderer::title(), QStringLiteral("首页"));
    }

    void articleTitlesAndFolders_data()
    {
        QTest::addColumn<QString>("markdown");
        QTest::addColumn<QString>("title");
        QTest::newRow("heading") << "# 标题\n\ntext"
                                 << "标题";
        QTest::newRow("later heading") << "intro\n#  Spaced  \n"
                                       << "Spaced";
        QTest::newRow("second level only") << "## Sub\n"
                                           << "fallback";
        QTest::newRow("none") << ""
                              << "fallback";
    }

    void articleTitlesAndFolders()
    {
        QFETCH(QString, markdown);
        QFETCH(QString, title);
        QCOMPARE(ArticleCatalog::titleOf(markdown, "fallback"), title);
        const QJsonObject categories = m_dataManager.getCategories();
        QCOMPARE(ArticleCatalog::folderLabel(categories, "disciplines/fluid/multiphase"),
                 QStringLiteral("流体力学 / 多相流"));
        QCOMPARE(ArticleCatalog::folderLabel(categories, "technologies"),
                 QStringLiteral("核心技术"));
        QCOMPARE(ArticleCatalog::folderLabel(categories, "elsewhere/x"),
                 QStringLiteral("elsewhere/x"));
    }
};

QTEST_GUILESS_MAIN(TestHomePageRenderer)
#include "tst_homepagerenderer.moc"
