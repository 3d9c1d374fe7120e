#include "editors/MarkdownConverter.h"

#include <QtTest>

class TestMarkdownConverter : public QObject
{
    Q_OBJECT

private:
    static QString document(const QString& body)
    {
        return MarkdownConverter::styleHeader() + body + QStringLiteral("</body></html>");
    }

private slots:
    void styleHeaderIsExact()
    {
        const QString header = MarkdownConverter::styleHeader();
        QCOMPARE(header.toUtf8().size(), 589);
        QVERIFY(header.startsWith(QStringLiteral("<html><head><style>body { font-family: "
                                                 "'Microsoft YaHei', Arial, sans-serif; "
                                                 "line-height: 1.6; }h1 { color: #2196F3;")));
        QVERIFY(header.endsWith(QStringLiteral(
            "blockquote { border-left: 4px solid #2196F3; margin-left: 0; padding-left: 16px; "
            "}</style></head><body>")));
    }

    void convertsToExactHtml_data()
    {
        QTest::addColumn<QString>("markdown");
        QTest::addColumn<QString>("body");

        QTest::newRow("table with separator row")
            << QStringLiteral("| a | b |\n|---|---|\n| 1 | 2 |")
            << QStringLiteral("<p><table>\n<tr><td>a</td><td>b</td></tr>\n<tr></tr>\n"
                              "<tr><td>1</td><td>2</td></tr>\n</table>\n</p>");
        QTest::newRow("table closed by a plain line")
            << QStringLiteral("| x |\ntext")
            << QStringLiteral("<p><table>\n<tr><td>x</td></tr>\n</table>\ntext\n</p>");
        QTest::newRow("hyphenated date cell disappears")
            << QStringLiteral("| 2024-01-05 | x |")
            << QStringLiteral("<p><table>\n<tr><td>x</td></tr>\n</table>\n</p>");
        QTest::newRow("row of two parts keeps the table open")
            << QStringLiteral("a|b\n| c |")
            << QStringLiteral("<p><table>\n<tr><td>c</td></tr>\n</table>\n</p>");
        QTest::newRow("html fragment with a pipe is no table")
            << QStringLiteral("  <td>a|b</td>") << QStringLiteral("<p>  <td>a|b</td>\n</p>");
        QTest::newRow("two paragraphs")
            << QStringLiteral("word\n\nsecond") << QStringLiteral("<p>word</p><p>second\n</p>");
        QTest::newRow("single line break gives an empty body") << QStringLiteral("\n") << QString();
        QTest::newRow("empty text") << QString() << QStringLiteral("<p>\n</p>");
        QTest::newRow("headings") << QStringLiteral("# T\n\n## S\n\n### U")
                                  << QStringLiteral(
                                         "<p><h1>T</h1></p><p><h2>S</h2></p><p><h3>U</h3>\n</p>");
        QTest::newRow("heading needs a space")
            << QStringLiteral("#T") << QStringLiteral("<p>#T\n</p>");
        QTest::newRow("bold and emphasis")
            << QStringLiteral("**bold** and *em*")
            << QStringLiteral("<p><strong>bold</strong> and <em>em</em>\n</p>");
        QTest::newRow("link") << QStringLiteral("见[文档](https://example.com/doc)。")
                              << QStringLiteral(
                                     "<p>见<a href=\"https://example.com/doc\">文档</a>。\n</p>");
        QTest::newRow("inline code") << QStringLiteral("use `ls -l` now")
                                     << QStringLiteral("<p>use <code>ls -l</code> now\n</p>");
        QTest::newRow("fenced code block")
            << QStringLiteral("```cpp\nint x = 1;\n```")
            << QStringLiteral("<p><pre><code>int x = 1;</code></pre>\n</p>");
        QTest::newRow("fenced block without language spans lines")
            << QStringLiteral("```\na\nb\n```")
            << QStringLiteral("<p><pre><code>a\nb</code></pre>\n</p>");
        QTest::newRow("bullet items")
            << QStringLiteral("* one\n* two")
            << QStringLiteral("<p><ul><li>one</li>\n<li>two</li></ul>\n</p>");
        QTest::newRow("dash items")
            << QStringLiteral("- one\n- two")
            << QStringLiteral("<p><ul><li>one</li>\n<li>two</li></ul>\n</p>");
        QTest::newRow("single dash item")
            << QStringLiteral("- one") << QStringLiteral("<p><ul><li>one</li></ul>\n</p>");
        QTest::newRow("both markers in one list")
            << QStringLiteral("* a\n- b\n* c")
            << QStringLiteral("<p><ul><li>a</li>\n<li>b</li>\n<li>c</li></ul>\n</p>");
        QTest::newRow("dash item with a link")
            << QStringLiteral("- [文档](https://d)")
            << QStringLiteral("<p><ul><li><a href=\"https://d\">文档</a></li></ul>\n</p>");
        QTest::newRow("text between two lists stays outside both")
            << QStringLiteral("- a\n- b\n\n## H\n\n* c")
            << QStringLiteral("<p><ul><li>a</li>\n<li>b</li></ul></p><p><h2>H</h2></p>"
                              "<p><ul><li>c</li></ul>\n</p>");
        QTest::newRow("line right after a list ends it")
            << QStringLiteral("- a\ntext\n- b")
            << QStringLiteral("<p><ul><li>a</li></ul>\ntext\n<ul><li>b</li></ul>\n</p>");
        QTest::newRow("dash without a blank is text")
            << QStringLiteral("-x\n---") << QStringLiteral("<p>-x\n---\n</p>");
        QTest::newRow("indented dash is text")
            << QStringLiteral(" - a") << QStringLiteral("<p> - a\n</p>");
    }

    void convertsToExactHtml()
    {
        QFETCH(QString, markdown);
        QFETCH(QString, body);
        QCOMPARE(MarkdownConverter::toHtml(markdown), document(body));
    }

    void generatedSummaryConverts()
    {
        const QString markdown =
            QStringLiteral("# N\n\n## 概述\n\n中文\n\n\n## 相关链接\n\n- [文档](https://d)\n");
        QCOMPARE(MarkdownConverter::toHtml(markdown),
                 document(QStringLiteral("<p><h1>N</h1></p><p><h2>概述</h2></p><p>中文</p><p>\n"
                                         "<h2>相关链接</h2></p><p><ul><li><a "
                                         "href=\"https://d\">文档</a></li></ul></p>")));
    }
};

QTEST_GUILESS_MAIN(TestMarkdownConverter)
#include "tst_markdownconverter.moc"
