#include "search/MarkdownSearcher.h"
#include "search/SearchEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

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
};

QTEST_GUILESS_MAIN(TestMarkdownSearcher)
#include "tst_markdownsearcher.moc"
