#include "search/MarkdownSearcher.h"
#include "search/SearchEngine.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

bool writeFile(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

QStringList titles(const QList<MarkdownSearchResult>& results)
{
    QStringList list;
    for (const MarkdownSearchResult& result : results)
        list << result.title;
    return list;
}

MarkdownSearchResult document(const QString& title, const QString& content,
                              const QString& fileName = QStringLiteral("file"),
                              const QString& category = QStringLiteral("cat"))
{
    MarkdownSearchResult record;
    record.title = title;
    record.content = content;
    record.fileName = fileName;
    record.category = category;
    return record;
}

// The Markdown removal written out as the seven expressions, one after the other.
QString strippedByExpressions(const QString& text)
{
    static const QList<QRegularExpression> patterns{
        QRegularExpression(QStringLiteral("^#{1,6}\\s*")),
        QRegularExpression(QStringLiteral("\\*\\*(.*?)\\*\\*")),
        QRegularExpression(QStringLiteral("\\*(.*?)\\*")),
        QRegularExpression(QStringLiteral("`(.*?)`")),
        QRegularExpression(QStringLiteral("\\[([^\\]]+)\\]\\([^\\)]+\\)")),
        QRegularExpression(QStringLiteral("!\\[([^\\]]*)\\]\\([^\\)]+\\)")),
        QRegularExpression(QStringLiteral("[^\\w\\s\\x{4e00}-\\x{9fa5}]")),
    };
    QString result = text;
    for (const QRegularExpression& pattern : patterns)
        result.remove(pattern);
    return result.trimmed();
}

// search() written out from the public steps, every document examined afresh and
// every result given its lines and excerpt before the ranking.
QList<MarkdownSearchResult> referenceSearch(const MarkdownSearcher& searcher, const QString& query,
                                            int scope, int mode, int maxResults)
{
    const QString q = query.trimmed();
    QList<MarkdownSearchResult> results;
    for (const MarkdownSearchResult& document : searcher.documents()) {
        QString text;
        switch (scope) {
        case MarkdownSearcher::TitleOnly:
            text = document.title;
            break;
        case MarkdownSearcher::ContentOnly:
            text = document.content;
            break;
        case MarkdownSearcher::FullText:
            text = document.title + ' ' + document.content;
            break;
        case MarkdownSearcher::HeadingsOnly:
            text = searcher.extractHeadings(document.content).join(' ');
            break;
        default:
            continue;
        }
        if (!searcher.matchesText(text, q, mode))
            continue;
        MarkdownSearchResult hit = document;
        hit.relevance = searcher.calculateRelevance(document, q);
        hit.matchedLines = searcher.findMatchedLines(document.content, q, mode);
        hit.snippet = searcher.generateSnippet(document.content, q, 200);
        results.append(hit);
    }
    std::stable_sort(results.begin(), results.end(),
                     [](const auto& a, const auto& b) { return a.relevance > b.relevance; });
    if (results.size() > maxResults)
        results.resize(maxResults);
    return results;
}

void compareResults(const QList<MarkdownSearchResult>& actual,
                    const QList<MarkdownSearchResult>& expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i) {
        QCOMPARE(actual.at(i).filePath, expected.at(i).filePath);
        QCOMPARE(actual.at(i).fileName, expected.at(i).fileName);
        QCOMPARE(actual.at(i).title, expected.at(i).title);
        QCOMPARE(actual.at(i).content, expected.at(i).content);
        QCOMPARE(actual.at(i).category, expected.at(i).category);
        QCOMPARE(actual.at(i).relevance, expected.at(i).relevance);
        QCOMPARE(actual.at(i).matchedLines, expected.at(i).matchedLines);
        QCOMPARE(actual.at(i).snippet, expected.at(i).snippet);
    }
}

const int kExact = SearchEngine::ExactMatch;
const int kFuzzy = SearchEngine::FuzzyMatch;
const int kRegex = SearchEngine::RegexMatch;
const int kSemantic = SearchEngine::SemanticMatch;

} // namespace

class TestMarkdownSearcher : public QObject
{
    Q_OBJECT

private:
    // A tree whose path holds no "/data/" of its own, so categories are predictable.
    bool makeRoot(QTemporaryDir& dir)
    {
        return dir.isValid() && !dir.path().contains(QLatin1String("/data/"));
    }

private slots:
    void indexWalkTitlesCategoriesAndProgress()
    {
        QTemporaryDir dir;
        QVERIFY2(makeRoot(dir), "temporary directory unusable for category tests");
        const QString root = dir.path();
        QVERIFY(writeFile(root + "/data/technologies/mesh/quality.md",
                          "intro\n  #   Mesh Quality  \n## Metrics\n"));
        QVERIFY(writeFile(root + "/data/disciplines/fluid/deep/flow.md", "# Flow\n"));
        QVERIFY(writeFile(root + "/data/top.md", "## Only second level\n### third\n"));
        QVERIFY(writeFile(root + "/other/notes.MD", "#NoSpace\n# Notes\n"));
        QVERIFY(writeFile(root + "/data/two.dots.md", "# Dots\n"));
        QVERIFY(writeFile(root + "/data/.hidden.md", "# Hidden\n"));
        QVERIFY(writeFile(root + "/data/readme.txt", "# Text\n"));

        MarkdownSearcher searcher;
        QSignalSpy started(&searcher, &MarkdownSearcher::indexBuildStarted);
        QSignalSpy progress(&searcher, &MarkdownSearcher::indexBuildProgress);
        QSignalSpy completed(&searcher, &MarkdownSearcher::indexBuildCompleted);
        QSignalSpy failed(&searcher, &MarkdownSearcher::indexBuildFailed);
        searcher.setSearchPath(root);
        QVERIFY(!searcher.isIndexReady());
        searcher.buildIndex();

        QCOMPARE(started.count(), 1);
        QCOMPARE(completed.count(), 1);
        QCOMPARE(failed.count(), 0);
        QVERIFY(searcher.isIndexReady());
        QList<int> percentages;
        for (const QList<QVariant>& arguments : std::as_const(progress))
            percentages << arguments.at(0).toInt();
        QCOMPARE(percentages, (QList<int>{20, 40, 60, 80, 100}));

        QMap<QString, MarkdownSearchResult> byPath;
        for (const MarkdownSearchResult& record : searcher.documents())
            byPath.insert(record.filePath, record);
        QCOMPARE(byPath.keys(),
                 (QStringList{root + "/data/disciplines/fluid/deep/flow.md",
                              root + "/data/technologies/mesh/quality.md", root + "/data/top.md",
                              root + "/data/two.dots.md", root + "/other/notes.MD"}));

        const MarkdownSearchResult quality =
            byPath.value(root + "/data/technologies/mesh/quality.md");
        QCOMPARE(quality.title, QStringLiteral("Mesh Quality"));
        QCOMPARE(quality.fileName, QStringLiteral("quality"));
        QCOMPARE(quality.category, QStringLiteral("technologies"));
        QCOMPARE(quality.content, QStringLiteral("intro\n  #   Mesh Quality  \n## Metrics\n"));
        QVERIFY(quality.matchedLines.isEmpty());
        QVERIFY(quality.snippet.isEmpty());
        QCOMPARE(quality.relevance, 0.0);

        QCOMPARE(byPath.value(root + "/data/disciplines/fluid/deep/flow.md").category,
                 QStringLiteral("disciplines"));
        QCOMPARE(byPath.value(root + "/data/top.md").title, QStringLiteral("未命名文档"));
        QCOMPARE(byPath.value(root + "/data/top.md").category, QStringLiteral("data"));
        QCOMPARE(byPath.value(root + "/other/notes.MD").title, QStringLiteral("Notes"));
        QCOMPARE(byPath.value(root + "/other/notes.MD").category, QStringLiteral("other"));
        QCOMPARE(byPath.value(root + "/data/two.dots.md").fileName, QStringLiteral("two"));

        QCOMPARE(searcher.getCategories(),
                 (QStringList{"data", "disciplines", "other", "technologies"}));

        // A new path drops the index until the next build.
        searcher.setSearchPath(root + "/other");
        QVERIFY(!searcher.isIndexReady());
        QVERIFY(searcher.documents().isEmpty());
        QVERIFY(searcher.getCategories().isEmpty());
    }

    void title_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("title");
        QTest::newRow("first level") << "# Hello World\n"
                                     << "Hello World";
        QTest::newRow("indented and padded") << "text\n  #   Padded  \n"
                                             << "Padded";
        QTest::newRow("only deeper levels") << "## Sub\n### Third\n"
                                            << "未命名文档";
        QTest::newRow("no space") << "#NoSpace\n"
                                  << "未命名文档";
        QTest::newRow("tab after hash") << "#\tTab\n"
                                        << "未命名文档";
        QTest::newRow("first qualifying line") << "## Sub\n# Real\n# Later\n"
                                               << "Real";
        QTest::newRow("empty file") << ""
                                    << "未命名文档";
        QTest::newRow("crlf") << "# Windows\r\nbody\r\n"
                              << "Windows";
    }

    void title()
    {
        QFETCH(QString, content);
        QFETCH(QString, title);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("doc.md"), content));
        MarkdownSearcher searcher;
        searcher.setSearchPath(dir.path());
        searcher.buildIndex();
        QCOMPARE(searcher.documents().size(), 1);
        QCOMPARE(searcher.documents().first().title, title);
    }

    void extractCategory_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("category");
        QTest::newRow("below data") << "/x/data/software/cad/a.md"
                                    << "software";
        QTest::newRow("in data") << "/x/data/a.md"
                                 << "data";
        QTest::newRow("outside data") << "/x/other/dir/a.md"
                                      << "dir";
        QTest::newRow("last data wins") << "/x/data/y/data/z/a.md"
                                        << "z";
        QTest::newRow("last data is the folder") << "/x/data/y/data/a.md"
                                                 << "data";
        QTest::newRow("case-sensitive") << "/x/Data/a/b.md"
                                        << "a";
        QTest::newRow("part of a name") << "/x/mydata/a/b.md"
                                        << "a";
    }

    void extractCategory()
    {
        QFETCH(QString, path);
        QFETCH(QString, category);
        MarkdownSearcher searcher;
        QCOMPARE(searcher.extractCategory(path), category);
    }

    void stripMarkdown_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stripped");
        QTest::newRow("heading and bold") << "## Heading **bold** text"
                                          << "Heading  text";
        QTest::newRow("italic and code") << "*it* and `code` stay"
                                         << "and  stay";
        QTest::newRow("link") << "see [link](http://x) now"
                              << "see  now";
        QTest::newRow("image without alt") << "![](img.png) pic"
                                           << "pic";
        QTest::newRow("image with alt") << "![alt](img.png) pic"
                                        << "pic";
        QTest::newRow("heading mark on a later line") << "line1\n# not first"
                                                      << "line1\n not first";
        QTest::newRow("cjk kept, full-width punctuation removed")
            << "数字孪生（Digital Twin）：定义"
            << "数字孪生Digital Twin定义";
        QTest::newRow("non-ascii letters and symbols") << "café — 100%"
                                                       << "caf  100";
        QTest::newRow("only markup") << "**a** *b*"
                                     << "";
        QTest::newRow("table row") << "| 1 | 数字模型 |"
                                   << "1  数字模型";
        // Only ASCII white space survives; other Unicode spaces are dropped like symbols.
        QTest::newRow("unicode spaces") << QStringLiteral("a\u00a0b\u3000c\u2003d\te") << "abcd\te";
        QTest::newRow("ideographs outside the range")
            << QStringLiteral("\u4e00\u9fa5\u9fa6\u3400") << QStringLiteral("\u4e00\u9fa5");
    }

    void stripMarkdown()
    {
        QFETCH(QString, text);
        QFETCH(QString, stripped);
        MarkdownSearcher searcher;
        QCOMPARE(searcher.stripMarkdown(text), stripped);
    }

    void tokenize_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("tokens");
        QTest::newRow("markup, stop words, short words")
            << "The **Mesh** and mesh-quality of 网格 a 的 数字孪生"
            << QStringList{"meshquality", "网格", "数字孪生"};
        QTest::newRow("chinese and english stop words")
            << "如果 CFD to UP which Solver 或者" << QStringList{"cfd", "solver"};
        QTest::newRow("two-letter words kept") << "CA de ok" << QStringList{"ca", "de", "ok"};
        QTest::newRow("only stop words") << "the and 因为 所以" << QStringList{};
    }

    void tokenize()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, tokens);
        MarkdownSearcher searcher;
        QCOMPARE(searcher.tokenize(text), tokens);
    }

    void extractHeadings()
    {
        MarkdownSearcher searcher;
        QCOMPARE(searcher.extractHeadings("# A\n text\n  ## B  \n#C\nnot # heading\n"),
                 (QStringList{"# A", "## B", "#C"}));
    }

    void relevance_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("query");
        QTest::addColumn<double>("relevance");
        // Heading rows: 10 for the phrase + 5 for the token in the content, plus the heading.
        QTest::newRow("level 1 heading") << "X"
                                         << "# zzz"
                                         << "f"
                                         << "c"
                                         << "zzz" << 105.0;
        QTest::newRow("level 2 heading") << "X"
                                         << "## zzz"
                                         << "f"
                                         << "c"
                                         << "zzz" << 90.0;
        QTest::newRow("level 3 heading") << "X"
                                         << "### zzz"
                                         << "f"
                                         << "c"
                                         << "zzz" << 75.0;
        QTest::newRow("level 4 heading") << "X"
                                         << "#### zzz"
                                         << "f"
                                         << "c"
                                         << "zzz" << 60.0;
        QTest::newRow("level 5 heading") << "X"
                                         << "##### zzz"
                                         << "f"
                                         << "c"
                                         << "zzz" << 45.0;
        QTest::newRow("level 6 heading") << "X"
                                         << "###### zzz"
                                         << "f"
                                         << "c"
                                         << "zzz" << 30.0;
        QTest::newRow("heading without space") << "X"
                                               << "#zzz"
                                               << "f"
                                               << "c"
                                               << "zzz" << 135.0;
        QTest::newRow("indented heading") << "X"
                                          << "   ## zzz"
                                          << "f"
                                          << "c"
                                          << "zzz" << 90.0;
        QTest::newRow("title equal") << "Mesh Guide"
                                     << ""
                                     << "f"
                                     << "c"
                                     << "MESH guide" << 400.0;
        QTest::newRow("title contains") << "Mesh Guide"
                                        << ""
                                        << "f"
                                        << "c"
                                        << "mesh" << 150.0;
        QTest::newRow("title tokens only") << "Guide to Mesh"
                                           << ""
                                           << "f"
                                           << "c"
                                           << "mesh guide" << 100.0;
        QTest::newRow("file name") << "X"
                                   << ""
                                   << "Mesh_Tips"
                                   << "c"
                                   << "mesh" << 30.0;
        QTest::newRow("category") << "X"
                                  << ""
                                  << "f"
                                  << "meshing"
                                  << "mesh" << 20.0;
        QTest::newRow("overlapping content") << "X"
                                             << "aaaa"
                                             << "f"
                                             << "c"
                                             << "aa" << 45.0;
        QTest::newRow("phrase and tokens") << "X"
                                           << "Mesh quality\nmesh"
                                           << "f"
                                           << "c"
                                           << "mesh quality" << 25.0;
        QTest::newRow("stop word query") << "X"
                                         << "the the"
                                         << "f"
                                         << "c"
                                         << "the" << 20.0;
    }

    void relevance()
    {
        QFETCH(QString, title);
        QFETCH(QString, content);
        QFETCH(QString, fileName);
        QFETCH(QString, category);
        QFETCH(QString, query);
        QFETCH(double, relevance);
        MarkdownSearcher searcher;
        QCOMPARE(searcher.calculateRelevance(document(title, content, fileName, category), query),
                 relevance);
    }

    void matchesText_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("matches");
        QTest::newRow("exact") << "Mesh Quality" << kExact << false << true;
        QTest::newRow("exact ignoring case") << "mesh quality" << kExact << false << true;
        QTest::newRow("exact case-sensitive") << "mesh quality" << kExact << true << false;
        QTest::newRow("fuzzy 2 of 3") << "mesh quality widget" << kFuzzy << false << true;
        QTest::newRow("fuzzy 1 of 3") << "mesh gadget widget" << kFuzzy << false << false;
        QTest::newRow("fuzzy 1 of 2") << "mesh widget" << kFuzzy << false << true;
        QTest::newRow("fuzzy stop words only") << "the and of" << kFuzzy << false << false;
        QTest::newRow("fuzzy one-letter words") << "a b c" << kFuzzy << false << false;
        QTest::newRow("regex") << "qual+ity\\s+MATTERS" << kRegex << false << true;
        QTest::newRow("regex case-sensitive") << "MATTERS" << kRegex << true << false;
        QTest::newRow("regex invalid") << "[" << kRegex << false << false;
        QTest::newRow("semantic") << "qual" << kSemantic << false << true;
        QTest::newRow("semantic cjk") << "网格质量" << kSemantic << false << true;
        QTest::newRow("semantic none") << "solver" << kSemantic << false << false;
        QTest::newRow("other mode") << "mesh" << 4 << false << false;
    }

    void matchesText()
    {
        QFETCH(QString, query);
        QFETCH(int, mode);
        QFETCH(bool, caseSensitive);
        QFETCH(bool, matches);
        MarkdownSearcher searcher;
        searcher.setCaseSensitive(caseSensitive);
        QCOMPARE(searcher.matchesText("The Mesh Quality matters 网格质量评价", query, mode),
                 matches);
    }

    void matchedLinesStopAtTen()
    {
        QStringList lines{"# Widgets", ""};
        for (int i = 1; i <= 12; ++i)
            lines << QStringLiteral("  widget %1  ").arg(i);
        MarkdownSearcher searcher;
        const QStringList matched = searcher.findMatchedLines(lines.join('\n'), "widget", kExact);
        QStringList expected{"Line 1: # Widgets"};
        for (int i = 1; i <= 9; ++i)
            expected << QStringLiteral("Line %1: widget %2").arg(i + 2).arg(i);
        QCOMPARE(matched, expected);
        QVERIFY(searcher.findMatchedLines("a\nb", "[", kRegex).isEmpty());
    }

    void snippet_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("snippet");
        QTest::newRow("phrase beats tokens")
            << "quality only\nmesh and quality\nMesh Quality matters\nmesh quality again"
            << "mesh quality"
            << "Mesh Quality matters";
        QTest::newRow("first of equal lines") << "# Title\nfoo widget\nwidget widget\n"
                                              << "widget"
                                              << "foo widget";
        QTest::newRow("markup stripped")
            << "intro\n- `widget` and [docs](http://x) about widget: *ok*"
            << "widget"
            << "and  about widget";
        QTest::newRow("fallback to first long line")
            << "short\n# A heading that is long enough\nbody text"
            << "absent"
            << "A heading that is long enough";
        QTest::newRow("no long line") << "short\ntiny"
                                      << "absent"
                                      << "";
        QTest::newRow("exactly 200 kept") << QString(200, 'w') << "w" << QString(200, 'w');
        QTest::newRow("250 cut to 200")
            << QString(250, 'x') << "xx" << QString(197, 'x') + QStringLiteral("...");
    }

    void snippet()
    {
        QFETCH(QString, content);
        QFETCH(QString, query);
        QFETCH(QString, snippet);
        MarkdownSearcher searcher;
        QCOMPARE(searcher.generateSnippet(content, query, 200), snippet);
    }

    void searchScopesAndResults()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("a.md"), "# Solver Guide\nintro text\n## Mesh setup\n"));
        QVERIFY(writeFile(dir.filePath("b.md"), "# Meshing\nA mesh is made of cells.\n"));
        QVERIFY(writeFile(dir.filePath("c.md"), "# Other\nnothing here\n"));
        QVERIFY(writeFile(dir.filePath("d.md"), "# Fourth\nmore text\n"));
        MarkdownSearcher searcher;

        QSignalSpy started(&searcher, &MarkdownSearcher::searchStarted);
        QSignalSpy progress(&searcher, &MarkdownSearcher::searchProgress);
        QSignalSpy completed(&searcher, &MarkdownSearcher::searchCompleted);

        // Never built: refused without a signal.
        QVERIFY(searcher.search("mesh", MarkdownSearcher::FullText, kExact).isEmpty());
        searcher.setSearchPath(dir.path());
        QVERIFY(searcher.search("mesh", MarkdownSearcher::FullText, kExact).isEmpty());
        searcher.buildIndex();
        QVERIFY(searcher.search("   ", MarkdownSearcher::FullText, kExact).isEmpty());
        QCOMPARE(started.count(), 0);
        QCOMPARE(completed.count(), 0);

        QCOMPARE(titles(searcher.search(" mesh ", MarkdownSearcher::TitleOnly, kExact)),
                 QStringList{"Meshing"});
        QCOMPARE(started.takeFirst().at(0).toString(), QStringLiteral(" mesh "));
        QList<int> percentages;
        for (const QList<QVariant>& arguments : std::as_const(progress))
            percentages << arguments.at(0).toInt();
        QCOMPARE(percentages, (QList<int>{25, 50, 75, 100}));
        const auto delivered = completed.takeFirst().at(0).value<QList<MarkdownSearchResult>>();
        QCOMPARE(titles(delivered), QStringList{"Meshing"});

        const QList<MarkdownSearchResult> full =
            searcher.search("mesh", MarkdownSearcher::FullText, kExact);
        // "Meshing": 100 (title) + 50 (token) + 10*2 + 5*2 + 90 (first-level heading) = 270;
        // "Solver Guide": 10 + 5 + 75 for the second-level heading = 90.
        QCOMPARE(titles(full), (QStringList{"Meshing", "Solver Guide"}));
        QCOMPARE(full.at(0).relevance, 270.0);
        QCOMPARE(full.at(1).relevance, 90.0);
        QCOMPARE(full.at(0).matchedLines,
                 (QStringList{"Line 1: # Meshing", "Line 2: A mesh is made of cells."}));
        QCOMPARE(full.at(0).snippet, QStringLiteral("Meshing"));
        QCOMPARE(full.at(1).matchedLines, QStringList{"Line 3: ## Mesh setup"});

        QCOMPARE(titles(searcher.search("mesh", MarkdownSearcher::HeadingsOnly, kExact)),
                 (QStringList{"Meshing", "Solver Guide"}));
        QCOMPARE(titles(searcher.search("cells", MarkdownSearcher::ContentOnly, kExact)),
                 QStringList{"Meshing"});
        QVERIFY(searcher.search("cells", MarkdownSearcher::TitleOnly, kExact).isEmpty());
        QVERIFY(searcher.search("[", MarkdownSearcher::FullText, kRegex).isEmpty());

        started.clear();
        progress.clear();
        completed.clear();
        QVERIFY(searcher.search("mesh", 9, kExact).isEmpty());
        QCOMPARE(started.count(), 1);
        QCOMPARE(progress.count(), 4);
        QCOMPARE(completed.count(), 1);
        QVERIFY(completed.first().at(0).value<QList<MarkdownSearchResult>>().isEmpty());
    }

    void limitAppliesBeforeCategoryFilter()
    {
        QTemporaryDir dir;
        QVERIFY2(makeRoot(dir), "temporary directory unusable for category tests");
        // Document i mentions "widget" i times: relevance 15 * i.
        for (int i = 1; i <= 25; ++i) {
            const QString folder = i % 2 ? QStringLiteral("alpha") : QStringLiteral("beta");
            QVERIFY(writeFile(dir.filePath(QStringLiteral("data/%1/doc%2.md").arg(folder).arg(i)),
                              QStringLiteral("# Doc %1\n").arg(i) +
                                  QStringList(i, QStringLiteral("widget")).join('\n')));
        }
        QVERIFY(writeFile(dir.filePath("data/alpha/none.md"), "# None\nnothing\n"));

        MarkdownSearcher searcher;
        searcher.setSearchPath(dir.path());
        searcher.buildIndex();
        QCOMPARE(searcher.getCategories(), (QStringList{"alpha", "beta"}));
        searcher.setMaxResults(10);

        const QList<MarkdownSearchResult> top =
            searcher.search("widget", MarkdownSearcher::FullText, kExact);
        QStringList expected;
        for (int i = 25; i >= 16; --i)
            expected << QStringLiteral("Doc %1").arg(i);
        QCOMPARE(titles(top), expected);
        QCOMPARE(top.first().relevance, 375.0);
        QCOMPARE(top.first().matchedLines.size(), 10);

        QSignalSpy completed(&searcher, &MarkdownSearcher::searchCompleted);
        const QList<MarkdownSearchResult> alpha =
            searcher.searchInCategory("widget", "ALPHA", MarkdownSearcher::FullText, kExact);
        QCOMPARE(titles(alpha), (QStringList{"Doc 25", "Doc 23", "Doc 21", "Doc 19", "Doc 17"}));
        QCOMPARE(completed.count(), 1);
        QCOMPARE(completed.first().at(0).value<QList<MarkdownSearchResult>>().size(), 10);
        QVERIFY(searcher.searchInCategory("widget", "gamma", MarkdownSearcher::FullText, kExact)
                    .isEmpty());
    }

    void missingDirectoryEndsTheBuild()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("kb");
        QVERIFY(writeFile(root + "/doc.md", "# Doc\nwidget\n"));
        MarkdownSearcher searcher;
        searcher.setSearchPath(root);
        searcher.buildIndex();
        QVERIFY(searcher.isIndexReady());
        QCOMPARE(searcher.documents().size(), 1);

        QVERIFY(QDir(root).removeRecursively());
        QSignalSpy started(&searcher, &MarkdownSearcher::indexBuildStarted);
        QSignalSpy completed(&searcher, &MarkdownSearcher::indexBuildCompleted);
        QSignalSpy failed(&searcher, &MarkdownSearcher::indexBuildFailed);
        searcher.buildIndex();
        QCOMPARE(started.count(), 1);
        QCOMPARE(completed.count(), 0);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.first().at(0).toString(), root);
        QVERIFY(searcher.documents().isEmpty());
        QVERIFY(searcher.getCategories().isEmpty());
        // Still "ready", now over an empty index.
        QVERIFY(searcher.isIndexReady());
        QSignalSpy searched(&searcher, &MarkdownSearcher::searchCompleted);
        QVERIFY(searcher.search("widget", MarkdownSearcher::FullText, kExact).isEmpty());
        QCOMPARE(searched.count(), 1);
    }

    void logLines()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("kb");
        QVERIFY(writeFile(root + "/doc.md", "# Doc\n"));
        MarkdownSearcher searcher;
        QTest::ignoreMessage(
            QtWarningMsg, "MarkdownSearcher::search - Index not ready. Call buildIndex() first.");
        QVERIFY(searcher.search("doc", MarkdownSearcher::FullText, kExact).isEmpty());

        searcher.setSearchPath(root);
        QTest::ignoreMessage(QtDebugMsg,
                             "MarkdownSearcher::buildIndex - Index built successfully. Found 1 "
                             "markdown files");
        searcher.buildIndex();

        const QString missing = dir.filePath("missing");
        searcher.setSearchPath(missing);
        QTest::ignoreMessage(
            QtWarningMsg,
            qPrintable("MarkdownSearcher::buildIndex - Search path does not exist: " + missing));
        searcher.buildIndex();
    }

    void noPathBuildsNothing()
    {
        MarkdownSearcher searcher;
        QSignalSpy started(&searcher, &MarkdownSearcher::indexBuildStarted);
        QSignalSpy failed(&searcher, &MarkdownSearcher::indexBuildFailed);
        searcher.buildIndex();
        QCOMPARE(started.count(), 0);
        QCOMPARE(failed.count(), 0);
        QVERIFY(!searcher.isIndexReady());
    }

    void realKnowledgeBase()
    {
        MarkdownSearcher searcher;
        searcher.setSearchPath(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR));
        searcher.buildIndex();
        QVERIFY(searcher.isIndexReady());
        QVERIFY(!searcher.documents().isEmpty());
        for (const MarkdownSearchResult& record : searcher.documents()) {
            QVERIFY2(record.title != QStringLiteral("未命名文档"), qPrintable(record.filePath));
            QVERIFY(QStringList({"disciplines", "technologies"}).contains(record.category));
        }
        QCOMPARE(searcher.getCategories(), (QStringList{"disciplines", "technologies"}));

        const QList<MarkdownSearchResult> twin =
            searcher.search("数字孪生", MarkdownSearcher::FullText, kFuzzy);
        QVERIFY(!twin.isEmpty());
        QCOMPARE(twin.first().title, QStringLiteral("数字孪生技术"));
        QCOMPARE(twin.first().fileName, QStringLiteral("数字孪生技术"));
        QVERIFY(twin.first().snippet.contains(QStringLiteral("数字孪生")));
        QVERIFY(twin.first().snippet.size() <= 200);
        QVERIFY(!twin.first().matchedLines.isEmpty());
        QVERIFY(twin.first().matchedLines.size() <= 10);

        const QList<MarkdownSearchResult> turbulence = searcher.searchInCategory(
            "turbulence", "Disciplines", MarkdownSearcher::FullText, kExact);
        QVERIFY(!turbulence.isEmpty());
        for (const MarkdownSearchResult& record : turbulence)
            QCOMPARE(record.category, QStringLiteral("disciplines"));
    }

    void strippingEqualsTheExpressions()
    {
        MarkdownSearcher searcher;
        // Every character alone and between words, then real lines and awkward mixes.
        for (char32_t code = 1; code < 0x10000; ++code) {
            const QChar c(static_cast<char16_t>(code));
            for (const QString& text : {QString(c), QStringLiteral("a") + c + QStringLiteral("b")})
                QCOMPARE(searcher.stripMarkdown(text), strippedByExpressions(text));
        }
        QStringList texts{"# **bold** and *it* `code` [link](x) ![](img.png) ![alt](i.png)",
                          "## 标题 **粗体** 有限元",
                          "**unclosed *mixed** end*",
                          "#no space",
                          "####### seven",
                          "[a]\n(b) [c](d\ne)",
                          "\t\v\f\r 空白 ",
                          QStringLiteral("\U00010400 pair ") + QChar(0xD800) + " stray",
                          QStringLiteral("µm λ ς İ ß ẞ"),
                          "*",
                          "**",
                          "``",
                          "[]()",
                          "![x](y)"};
        QDirIterator it(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR), {"*.md"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
            const QString content = QString::fromUtf8(file.readAll());
            texts << content << content.split('\n');
        }
        for (const QString& text : std::as_const(texts))
            QCOMPARE(searcher.stripMarkdown(text), strippedByExpressions(text));
    }

    void searchEqualsTheLongWay_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("scope");
        const QStringList queries{"分析",     "仿真", "the", "mesh", "有限元 分析 方法", "CFD", "a",
                                  "  模型  ", "µm",   "ς",   "# 1",  "** 粗体",          "Σ"};
        for (const QString& query : queries) {
            for (int mode : {kExact, kFuzzy, kSemantic}) {
                for (int scope : {0, 1, 2, 3, 9}) {
                    const QByteArray name =
                        QStringLiteral("%1/%2/%3").arg(query).arg(mode).arg(scope).toUtf8();
                    QTest::newRow(name.constData()) << query << mode << scope;
                }
            }
        }
    }
    void searchEqualsTheLongWay()
    {
        QFETCH(QString, query);
        QFETCH(int, mode);
        QFETCH(int, scope);
        if (!m_shipped) {
            m_shippedDir = std::make_unique<QTemporaryDir>();
            QDirIterator it(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR), {"*.md"}, QDir::Files,
                            QDirIterator::Subdirectories);
            int i = 0;
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString text = QString::fromUtf8(file.readAll());
                QVERIFY(writeFile(
                    m_shippedDir->filePath(QStringLiteral("data/d%1/%2.md").arg(i % 3).arg(i)),
                    text));
                ++i;
            }
            // Letters on which lower-casing and case-insensitive comparison part ways.
            QVERIFY(writeFile(m_shippedDir->filePath("data/x/awkward.md"),
                              QStringLiteral("# ΣΊΣΥΦΟΣ µm\n## Ως İstanbul ẞ\nµm ς Σ σ "
                                             "\U00010400\U00010428 分析\n")));
            QVERIFY(writeFile(m_shippedDir->filePath("data/x/seam.md"),
                              QStringLiteral("# 分\n析 ** 粗体** and # 1 tail\n")));
            m_shipped = std::make_unique<MarkdownSearcher>();
            m_shipped->setSearchPath(m_shippedDir->filePath("data"));
            m_shipped->buildIndex();
        }
        for (int maxResults : {50, 3}) {
            m_shipped->setMaxResults(maxResults);
            QSignalSpy progress(m_shipped.get(), &MarkdownSearcher::searchProgress);
            const QList<MarkdownSearchResult> results = m_shipped->search(query, scope, mode);
            QCOMPARE(progress.count(), m_shipped->documents().size());
            compareResults(results, referenceSearch(*m_shipped, query, scope, mode, maxResults));
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_shippedDir;
    std::unique_ptr<MarkdownSearcher> m_shipped;
};

QTEST_GUILESS_MAIN(TestMarkdownSearcher)
#include "tst_markdownsearcher.moc"
