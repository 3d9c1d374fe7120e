#include "data/ArticleDocument.h"
#include "data/EmbeddedDataAdapter.h"
#include "editors/MarkdownConverter.h"
#include "views/ContentRenderer.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestArticlePage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void articleBody_data()
    {
        QTest::addColumn<QString>("markdown");
        QTest::addColumn<QString>("html");
        QTest::newRow("headings") << "# A\n## B ##\n###### F"
                                  << "<h1>A</h1><h2>B</h2><h6>F</h6>";
        QTest::newRow("paragraph lines join") << "one\ntwo\n\nthree"
                                              << "<p>one two</p><p>three</p>";
        QTest::newRow("escaped") << "a <b> & \"c\" 'd'"
                                 << "<p>a &lt;b&gt; &amp; &quot;c&quot; &#39;d&#39;</p>";
        QTest::newRow("emphasis") << "**bold** and *it*"
                                  << "<p><strong>bold</strong> and <em>it</em></p>";
        QTest::newRow("code span keeps markup characters")
            << "x `a*b*<c>` y"
            << "<p>x <code>a*b*&lt;c&gt;</code> y</p>";
        QTest::newRow("bullets") << "- a\n- b\n* c"
                                 << "<ul><li>a</li><li>b</li><li>c</li></ul>";
        QTest::newRow("numbered") << "1. a\n2. b"
                                  << "<ol><li>a</li><li>b</li></ol>";
        QTest::newRow("nested") << "- a\n  - b\n  - c\n- d"
                                << "<ul><li>a<ul><li>b</li><li>c</li></ul></li><li>d</li></ul>";
        QTest::newRow("numbered inside bullets") << "- a\n   1. b"
                                                 << "<ul><li>a<ol><li>b</li></ol></li></ul>";
        QTest::newRow("continuation line") << "- a\n  more"
                                           << "<ul><li>a more</li></ul>";
        QTest::newRow("table with header")
            << "| 方法 | 代价 |\n|---|:---:|\n| RANS | 低 |\n| LES-2 | 高 |"
            << "<table><tr><th>方法</th><th>代价</th></tr><tr><td>RANS</td><td>低</td></tr>"
               "<tr><td>LES-2</td><td>高</td></tr></table>";
        QTest::newRow("pipes without separator stay text") << "a | b"
                                                           << "<p>a | b</p>";
        QTest::newRow("fenced code is escaped, not formatted")
            << "```cpp\nint* a = **b; // <x>\n\n# not a heading\n```"
            << "<pre><code>int* a = **b; // &lt;x&gt;\n\n# not a heading</code></pre>";
        QTest::newRow("unclosed fence") << "```\ncode"
                                        << "<pre><code>code</code></pre>";
        QTest::newRow("quote") << "> a\n> b"
                               << "<blockquote><p>a b</p></blockquote>";
        QTest::newRow("rule") << "a\n\n---\n\nb"
                              << "<p>a</p><hr/><p>b</p>";
        QTest::newRow("web link")
            << "[站点](https://example.com/a?b=1&c=2)"
            << "<p><a href=\"https://example.com/a?b=1&amp;c=2\">站点</a></p>";
        QTest::newRow("mail link") << "[m](mailto:a@example.com)"
                                   << "<p><a href=\"mailto:a@example.com\">m</a></p>";
        QTest::newRow("script link is text") << "[x](javascript:alert(1))"
                                             << "<p>x</p>";
        QTest::newRow("file link is text") << "[x](file:///etc/passwd)"
                                           << "<p>x</p>";
        QTest::newRow("brackets in an address") << "[w](https://e.com/a_(b))"
                                                << "<p><a href=\"https://e.com/a_(b)\">w</a></p>";
        QTest::newRow("quote in link address")
            << "[x](https://e.com/\"onclick=)"
            << "<p><a href=\"https://e.com/&quot;onclick=\">x</a></p>";
        QTest::newRow("image shows its text") << "![图](a.png)"
                                              << "<p>图</p>";
        QTest::newRow("crlf") << "# A\r\n\r\nb\r\n"
                              << "<h1>A</h1><p>b</p>";
        QTest::newRow("empty") << ""
                               << "";
    }
    void articleBody()
    {
        QFETCH(QString, markdown);
        QFETCH(QString, html);
        QCOMPARE(MarkdownConverter::articleBody(markdown), html);
    }

    // The editor's preview keeps its own conversion.
    void previewUnchanged()
    {
        // It inserts text as it is (the editor's own preview); bullets become a list.
        const QString preview = MarkdownConverter::toHtml("- a\n\n<b>x</b>");
        QVERIFY(preview.startsWith(MarkdownConverter::styleHeader()));
        QVERIFY(preview.contains("<li>a</li>"));
        QVERIFY(preview.contains("<b>x</b>"));
    }

    void documentFromDiskAndEmbedded()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("note one.md");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("intro\n# 标题\ntext");
        file.close();
        QJsonObject article = ArticleDocument::load(path);
        QCOMPARE(article.value("type").toString(), QStringLiteral("article"));
        QCOMPARE(article.value("name").toString(), QStringLiteral("标题"));
        QCOMPARE(article.value("fileName").toString(), QStringLiteral("note one.md"));
        QCOMPARE(article.value("_filePath").toString(), path);
        QCOMPARE(article.value("category").toString(), QStringLiteral("articles"));
        QCOMPARE(article.value("content").toString(), QStringLiteral("intro\n# 标题\ntext"));

        // Without a heading the file's base name is the title.
        QCOMPARE(ArticleDocument::fromText("x/plain.md", "no heading").value("name").toString(),
                 QStringLiteral("plain"));
        // The embedded copy when the disk has none.
        article = ArticleDocument::load("data/disciplines/fluid/turbulence_modeling_guide.md");
        QCOMPARE(article.value("name").toString(), QStringLiteral("湍流建模与近壁处理实用指南"));
        QVERIFY(ArticleDocument::load(dir.filePath("missing.md")).isEmpty());
        QVERIFY(ArticleDocument::load("data/software/cad/catia.json").isEmpty());
        QVERIFY(ArticleDocument::isArticlePath("a/B.MD"));
        QVERIFY(!ArticleDocument::isArticlePath("a/b.json"));
    }

    // Every article of the knowledge base renders as a page: headings, lists,
    // tables and code become markup, no Markdown syntax is left over.
    void realArticlesRender()
    {
        int count = 0;
        QDirIterator it(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR), {"*.md"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QJsonObject article = ArticleDocument::load(path);
            QVERIFY2(!article.isEmpty(), qPrintable(path));
            QCOMPARE(int(ContentRenderer::pageKind(article)),
                     int(ContentRenderer::PageKind::Article));
            const QString html = ContentRenderer::buildHtml(article);
            const QString body = html.mid(ContentRenderer::htmlHead().size());
            QVERIFY2(body.contains("<h1>") || body.contains("<h2>"), qPrintable(path));
            QVERIFY2(!body.contains("\n## ") && !body.contains("<p>## ") && !body.contains("<p># "),
                     qPrintable(path));
            QVERIFY2(!body.contains("|---"), qPrintable(path));
            QVERIFY2(!body.contains("<p>- "), qPrintable(path));
            QVERIFY2(!body.contains("```"), qPrintable(path));
            if (article.value("content").toString().contains("\n- "))
                QVERIFY2(body.contains("<ul><li>"), qPrintable(path));
            if (article.value("content").toString().contains("|---"))
                QVERIFY2(body.contains("<table><tr><th>"), qPrintable(path));
            ++count;
        }
        QVERIFY(count >= 20);
    }
};

QTEST_GUILESS_MAIN(TestArticlePage)
#include "tst_articlepage.moc"
