#include "data/DataManager.h"
#include "search/BoundedRegex.h"
#include "search/SearchEngine.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QJsonObject parse(const char* json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

QStringList names(const QJsonArray& entries)
{
    QStringList result;
    for (const QJsonValue& value : entries)
        result << value.toObject().value("name").toString();
    return result;
}

// A knowledge base on disk made of hand-written entries (the embedded copy is
// never initialised here, so the lists come from these files alone).
class ScratchBase
{
public:
    bool write(const QString& relative, const QJsonObject& object)
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(object).toJson()) > 0;
    }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }

private:
    QTemporaryDir m_dir;
};

int fuzzyMode()
{
    return SearchEngine::FuzzyMatch;
}

} // namespace

class TestSearchEngine : public QObject
{
    Q_OBJECT

private slots:
    void searchableTextJoinsFieldsInOrder()
    {
        const QJsonObject entry = parse(R"({
            "name": "Alpha", "fullName": "Alpha Suite", "category": "CAD",
            "subCategory": 5, "vendor": "Acme", "ignored": "nothing",
            "description": {"en": "English text", "zh": "中文描述"},
            "technicalSpecs": {"kernel": ["K1", "K2"], "modelingTechniques": ["M1"],
                               "fileFormats": {"native": ["N1", 3], "import": ["X"]}},
            "features": {"zeta": ["Z1"], "alpha": ["A1", "A2"], "mid": "not an array"},
            "industryApplications": [{"industry": "I1", "usage": "U1"}, "skip", {"usage": "U2"}],
            "competitiveAnalysis": {"weaknesses": ["W1"], "strengths": ["S1"]},
            "metadata": {"tags": ["T1", "T2"], "version": "9"}
        })");
        SearchEngine engine;
        // A non-string value keeps its place as an empty string.
        QCOMPARE(engine.extractSearchableText(entry),
                 QStringLiteral("Alpha Alpha Suite CAD  Acme 中文描述 English text K1 K2 M1 N1  "
                                "A1 A2 Z1 I1 U1 U2 S1 W1 T1 T2"));
        QCOMPARE(engine.extractSearchableText(QJsonObject()), QString());
        QCOMPARE(engine.extractSearchableText(parse(R"({"vendor": "V", "description": "flat"})")),
                 QStringLiteral("V"));
    }

    void tokenize_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("tokens");
        QTest::newRow("punctuation") << "Hello, World! CAD" << QStringList{"hello", "world", "cad"};
        QTest::newRow("chinese stop word and cad") << "的 CAD" << QStringList{"cad"};
        QTest::newRow("chinese only") << "数字孪生 网格" << QStringList{};
        QTest::newRow("non-ascii letters dropped") << "café naïve" << QStringList{"caf", "nave"};
        QTest::newRow("short tokens dropped") << "ab abc x_y a-b" << QStringList{"abc", "x_y"};
        QTest::newRow("stop words") << "The AND with for theory" << QStringList{"theory"};
        QTest::newRow("repetitions kept")
            << "mesh\tmesh\nMESH" << QStringList{"mesh", "mesh", "mesh"};
        QTest::newRow("cjk glued to ascii") << "CAD软件" << QStringList{"cad"};
        QTest::newRow("full-width letters") << "ＣＡＤ cae" << QStringList{"cae"};
        // Non-ASCII spaces are removed, not split on: the words run together.
        QTest::newRow("unicode spaces")
            << QStringLiteral("abc\u00a0def\u3000ghi jkl") << QStringList{"abcdefghi", "jkl"};
        QTest::newRow("ascii white space splits")
            << QStringLiteral("abc\vdef\fghi\r\njkl") << QStringList{"abc", "def", "ghi", "jkl"};
    }

    void tokenize()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, tokens);
        SearchEngine engine;
        QCOMPARE(engine.tokenize(text), tokens);
    }

    void calculateScore_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("query");
        QTest::addColumn<double>("score");
        QTest::newRow("name equal ignoring case")
            << QByteArray(R"({"name": "NX"})") << "nx" << 31.0;
        QTest::newRow("name part") << QByteArray(R"({"name": "AutoCAD"})") << "CAD" << 11.0;
        QTest::newRow("category") << QByteArray(R"({"name": "Foo", "category": "CAD Tools"})")
                                  << "cad" << 6.0;
        QTest::newRow("zh description")
            << QByteArray(R"({"name": "Foo", "description": {"zh": "网格划分", "en": "meshing"}})")
            << "网格" << 4.0;
        QTest::newRow("en description not scored")
            << QByteArray(R"({"name": "Foo", "description": {"zh": "网格划分", "en": "meshing"}})")
            << "MESHING" << 1.0;
        QTest::newRow("overlapping") << QByteArray(R"({"vendor": "aaa"})") << "aa" << 2.0;
        QTest::newRow("stop word counted")
            << QByteArray(R"({"vendor": "the theme other"})") << "the" << 3.0;
        QTest::newRow("words counted separately")
            << QByteArray(R"({"name": "SolidWorks", "vendor": "solid"})") << "Solid  Works" << 3.0;
        QTest::newRow("all terms") << QByteArray(R"({"name": "Fluent", "category": "CFD",
                              "description": {"zh": "Fluent 求解器"}})")
                                   << "FLUENT" << 35.0;
        QTest::newRow("nothing") << QByteArray(R"({"name": "Foo"})") << "bar" << 0.0;
    }

    void calculateScore()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, query);
        QFETCH(double, score);
        SearchEngine engine;
        QCOMPARE(engine.calculateScore(QJsonDocument::fromJson(entry).object(), query), score);
    }

    void matchesQuery_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("matches");
        const int exact = SearchEngine::ExactMatch;
        const int fuzzy = SearchEngine::FuzzyMatch;
        const int regex = SearchEngine::RegexMatch;
        const int semantic = SearchEngine::SemanticMatch;
        QTest::newRow("exact phrase") << "ALPHA beta" << exact << true;
        QTest::newRow("exact order matters") << "beta alpha" << exact << false;
        QTest::newRow("fuzzy 1 of 1") << "Alpha" << fuzzy << true;
        QTest::newRow("fuzzy 0 of 1") << "delta" << fuzzy << false;
        QTest::newRow("fuzzy 1 of 2") << "alpha delta" << fuzzy << true;
        QTest::newRow("fuzzy 1 of 3") << "alpha delta epsilon" << fuzzy << false;
        QTest::newRow("fuzzy 2 of 3") << "alpha beta delta" << fuzzy << true;
        QTest::newRow("fuzzy 2 of 4") << "alpha beta x y" << fuzzy << true;
        QTest::newRow("fuzzy 1 of 4") << "alpha x y z" << fuzzy << false;
        QTest::newRow("fuzzy 3 of 5") << "alpha beta gamma x y" << fuzzy << true;
        QTest::newRow("fuzzy 2 of 5") << "alpha beta x y z" << fuzzy << false;
        QTest::newRow("fuzzy white space only") << "   " << fuzzy << true;
        QTest::newRow("fuzzy substring") << "lph" << fuzzy << true;
        QTest::newRow("regex") << "^alpha\\s+BETA" << regex << true;
        QTest::newRow("regex unanchored") << "GAM+A" << regex << true;
        QTest::newRow("regex no match") << "^beta" << regex << false;
        QTest::newRow("regex lone bracket") << "[" << regex << false;
        QTest::newRow("semantic stop word and token") << "的 ALPHA" << semantic << true;
        QTest::newRow("semantic longer token") << "alphabet" << semantic << true;
        QTest::newRow("semantic chinese only") << "数字孪生" << semantic << false;
        QTest::newRow("semantic short tokens") << "al ph" << semantic << false;
        QTest::newRow("unknown mode") << "alpha" << 7 << false;
        QTest::newRow("negative mode") << "alpha" << -1 << false;
    }

    void matchesQuery()
    {
        QFETCH(QString, query);
        QFETCH(int, mode);
        QFETCH(bool, matches);
        SearchEngine engine;
        const QJsonObject entry{{"name", "Alpha"}, {"vendor", "Beta Gamma"}};
        QCOMPARE(engine.matchesQuery(entry, query, mode), matches);
    }

    void semanticMatchNeedsTokens()
    {
        SearchEngine engine;
        QVERIFY(engine.semanticMatch("CAD 软件", "的 cad"));
        QVERIFY(engine.semanticMatch("computer aided design", "DESIGNER"));
        QVERIFY(!engine.semanticMatch("数字孪生技术", "数字孪生"));
        QVERIFY(!engine.semanticMatch("anything here", "the and"));
    }

    void filterEntriesDropsNonObjects()
    {
        SearchEngine engine;
        const QJsonArray entries{QJsonObject{{"name", "Mesh A"}}, "Mesh string", 42,
                                 QJsonObject{{"name", "Solver"}}, QJsonObject{{"name", "mesh B"}}};
        QCOMPARE(names(engine.filterEntries("mesh", entries, SearchEngine::FuzzyMatch)),
                 (QStringList{"Mesh A", "mesh B"}));
        QVERIFY(engine.filterEntries("[", entries, SearchEngine::RegexMatch).isEmpty());
    }

    // One expression for the whole list: once a runaway expression stops, the
    // filter ends empty instead of running to the limit again for every entry.
    void filterEntriesStopsARunawayExpression()
    {
        SearchEngine engine;
        const QString longText = QStringLiteral("q") + QString(3000, QLatin1Char('x'));
        QJsonArray entries;
        for (int i = 0; i < 3; ++i)
            entries.append(QJsonObject{{"name", QStringLiteral("Entry %1").arg(i)},
                                       {"description", QJsonObject{{"zh", longText}}}});
        entries.append(QJsonObject{{"name", "Quick"}});
        QCOMPARE(names(engine.filterEntries("^Qu", entries, SearchEngine::RegexMatch)),
                 (QStringList{"Quick"}));
        QVERIFY(engine
                    .filterEntries("[\\s\\S]*[\\s\\S]*[\\s\\S]*[\\s\\S]*Q", entries,
                                   SearchEngine::RegexMatch)
                    .isEmpty());
    }

    void searchSignals()
    {
        ScratchBase base;
        QVERIFY(base.write("software/cad/one.json", {{"id", "one"}, {"name", "Alpha"}}));
        DataManager manager;
        manager.setDataPath(base.path());

        SearchEngine engine;
        QSignalSpy started(&engine, &SearchEngine::searchStarted);
        QSignalSpy completed(&engine, &SearchEngine::searchCompleted);
        QSignalSpy progress(&engine, &SearchEngine::searchProgress);

        QVERIFY(engine.search(QString(), &manager, SearchEngine::FuzzyMatch).isEmpty());
        QVERIFY(engine.search("alpha", nullptr, SearchEngine::FuzzyMatch).isEmpty());
        QCOMPARE(started.count(), 0);
        QCOMPARE(completed.count(), 0);

        QVERIFY(engine.search("alpha", &manager, 7).isEmpty());
        QCOMPARE(started.count(), 1);
        QCOMPARE(started.takeFirst().at(0).toString(), QStringLiteral("alpha"));
        QCOMPARE(completed.count(), 1);
        QVERIFY(completed.takeFirst().at(0).toJsonArray().isEmpty());

        const QJsonArray found = engine.search("  ", &manager, SearchEngine::FuzzyMatch);
        QCOMPARE(names(found), QStringList{"Alpha"});
        QCOMPARE(started.takeFirst().at(0).toString(), QStringLiteral("  "));
        QCOMPARE(completed.takeFirst().at(0).toJsonArray(), found);
        QCOMPARE(progress.count(), 0);

        // The direct entry points refuse a missing data manager instead of crashing.
        QVERIFY(engine.fuzzySearch("alpha", nullptr).isEmpty());
        QVERIFY(engine.regexSearch("alpha", nullptr).isEmpty());
        QVERIFY(engine.semanticSearch("alpha", nullptr).isEmpty());
    }

    void fuzzySearchSourcesAndRanking()
    {
        ScratchBase base;
        const QJsonObject shared{{"id", "shared"}, {"name", "Shared Mesh"}, {"category", "CAD"}};
        QVERIFY(base.write("software/cad/shared.json", shared));
        QVERIFY(base.write("software/cae/shared.json", shared));
        QVERIFY(
            base.write("software/cfd/exact.json", QJsonObject{{"id", "exact"}, {"name", "mesh"}}));
        QVERIFY(
            base.write("software/cam/other.json", QJsonObject{{"id", "other"}, {"name", "Lathe"}}));
        QVERIFY(base.write("software/eda/desc.json",
                           QJsonObject{{"id", "desc"}, {"name", "Board"}, {"vendor", "meshmesh"}}));
        QVERIFY(
            base.write("software/plm/plm.json", QJsonObject{{"id", "plm"}, {"name", "PLM mesh"}}));
        QVERIFY(base.write("companies/acme.json",
                           QJsonObject{{"id", "acme"}, {"name", "Acme Mesh Works"}}));
        QVERIFY(base.write("technologies/mesh/hex.json",
                           QJsonObject{{"id", "hex"}, {"name", "Hex"}, {"category", "mesh"}}));
        QVERIFY(base.write("technologies/other/skip.json",
                           QJsonObject{{"id", "skip"}, {"name", "Mesh elsewhere"}}));

        DataManager manager;
        manager.setDataPath(base.path());
        SearchEngine engine;
        QSignalSpy started(&engine, &SearchEngine::searchStarted);
        const QJsonArray results = engine.fuzzySearch("MESH", &manager);
        QCOMPARE(started.count(), 0);
        // Scores: "mesh" 30 + 1; "Shared Mesh" 10 + 1, once per list it is filed in;
        // "PLM mesh" and "Acme Mesh Works" 10 + 1; "Hex" 5 for its category + 1;
        // "meshmesh" 2. Equal scores keep the order of the lists (plm after eda, then
        // the companies); "Lathe" fails the fuzzy test and the other technology
        // folder is no candidate source.
        QCOMPARE(names(results), (QStringList{"mesh", "Shared Mesh", "Shared Mesh", "PLM mesh",
                                              "Acme Mesh Works", "Hex", "Board"}));
        QCOMPARE(engine.calculateScore(results.at(3).toObject(), "MESH"), 11.0);
        QCOMPARE(engine.calculateScore(results.at(5).toObject(), "MESH"), 6.0);
        QCOMPARE(engine.calculateScore(results.at(6).toObject(), "MESH"), 2.0);
        // Entries come back exactly as the data manager delivered them.
        QVERIFY(results.at(0)
                    .toObject()
                    .value("_filePath")
                    .toString()
                    .endsWith("software/cfd/exact.json"));
    }

    void exactModeIsTheFileSearch()
    {
        ScratchBase base;
        QVERIFY(base.write("software/cad/a.json", QJsonObject{{"id", "a"}, {"name", "A"}}));
        QVERIFY(base.write("disciplines/b.json", QJsonObject{{"id", "b"}, {"name", "B"}}));
        DataManager manager;
        manager.setDataPath(base.path());
        SearchEngine engine;
        // The key "name" is in every file's JSON text.
        const QJsonArray results = engine.search("NAME", &manager, SearchEngine::ExactMatch);
        QCOMPARE(results, manager.searchInFiles("NAME"));
        QCOMPARE(results.size(), 2);
    }

    void regexSearchScansAllEntries()
    {
        ScratchBase base;
        QVERIFY(base.write("a.json", QJsonObject{{"id", "a"}, {"name", "Gmsh"}}));
        QVERIFY(
            base.write("software/plm/b.json", QJsonObject{{"id", "b"}, {"name", "Teamcenter"}}));
        QVERIFY(base.write("disciplines/fluid/c.json",
                           QJsonObject{{"id", "c"}, {"name", "Flow"}, {"vendor", "GMSH team"}}));
        DataManager manager;
        manager.setDataPath(base.path());
        SearchEngine engine;
        QCOMPARE(names(engine.search("g?msh|center", &manager, SearchEngine::RegexMatch)),
                 (QStringList{"Gmsh", "Flow", "Teamcenter"}));
        QSignalSpy completed(&engine, &SearchEngine::searchCompleted);
        QVERIFY(engine.search("[", &manager, SearchEngine::RegexMatch).isEmpty());
        QCOMPARE(completed.count(), 1);
        QVERIFY(engine.regexSearch("^center", &manager).isEmpty());
    }

    void regexScore_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("score");
        QTest::newRow("whole name") << QByteArray(R"({"name": "NX"})") << "n.|x" << 31.0;
        QTest::newRow("in the name") << QByteArray(R"({"name": "AutoCAD"})") << "c[a-z]d" << 11.0;
        QTest::newRow("category") << QByteArray(R"({"name": "Foo", "category": "CAD Tools"})")
                                  << "^cad" << 5.0;
        QTest::newRow("zh description")
            << QByteArray(R"({"name": "Foo", "description": {"zh": "网格划分", "en": "meshing"}})")
            << "网格|mesh" << 5.0;
        QTest::newRow("matches counted, not overlapping")
            << QByteArray(R"({"vendor": "aaaaa"})") << "aa" << 2.0;
        QTest::newRow("empty matches not counted")
            << QByteArray(R"({"name": "Foo", "category": "", "vendor": "abc"})") << "x*" << 0.0;
        QTest::newRow("empty or whole name")
            << QByteArray(R"({"name": "Foo"})") << "x*|foo" << 31.0;
        QTest::newRow("all terms") << QByteArray(R"({"name": "Fluent", "category": "CFD",
                              "description": {"zh": "Fluent 求解器"}})")
                                   << "FLUENT|cfd" << 41.0;
        QTest::newRow("nothing") << QByteArray(R"({"name": "Foo"})") << "bar" << 0.0;
    }

    void regexScore()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, pattern);
        QFETCH(double, score);
        SearchEngine engine;
        BoundedRegex expression(pattern, false);
        QCOMPARE(engine.regexScore(QJsonDocument::fromJson(entry).object(), expression), score);
    }

    // The dialog's search: every mode, an optional data folder, most relevant first.
    void rankedSearch_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<double>>("scores");
        QTest::addColumn<QString>("error");
        const int exact = SearchEngine::ExactMatch;
        const int fuzzy = SearchEngine::FuzzyMatch;
        const int regex = SearchEngine::RegexMatch;
        const int semantic = SearchEngine::SemanticMatch;
        QTest::newRow("fuzzy") << "solver" << fuzzy << ""
                               << QStringList{"Solver", "Lanczos Solver", "Acme"}
                               << QList<double>{31, 17, 1} << "";
        QTest::newRow("fuzzy in a folder")
            << "solver" << fuzzy << "technologies" << QStringList{"Lanczos Solver"}
            << QList<double>{17} << "";
        QTest::newRow("regex alternation")
            << "S-N|Lanczos" << regex << "" << QStringList{"Lanczos Solver", "Fatigue"}
            << QList<double>{11, 1} << "";
        QTest::newRow("regex in a folder") << "S-N|Lanczos" << regex << "disciplines"
                                           << QStringList{"Fatigue"} << QList<double>{1} << "";
        QTest::newRow("regex, folder named in another case")
            << "S-N|Lanczos" << regex << "Disciplines" << QStringList{"Fatigue"} << QList<double>{1}
            << "";
        QTest::newRow("regex invalid") << "(" << regex << "" << QStringList{} << QList<double>{}
                                       << "正则表达式无效: missing closing parenthesis (位置 1)";
        QTest::newRow("regex runaway")
            << "[\\s\\S]*[\\s\\S]*[\\s\\S]*[\\s\\S]*Q" << regex << "" << QStringList{}
            << QList<double>{} << "搜索已中止: 正则表达式过于复杂 (回溯次数超出上限), 请简化表达式";
        QTest::newRow("exact is literal")
            << "(" << exact << "" << QStringList{"Acme"} << QList<double>{1} << "";
        QTest::newRow("semantic") << "solvers" << semantic << ""
                                  << QStringList{"Lanczos Solver", "Acme", "Solver"}
                                  << QList<double>{2, 1, 1} << "";
        QTest::newRow("unknown mode")
            << "solver" << 7 << "" << QStringList{} << QList<double>{} << "";
        QTest::newRow("unknown folder")
            << "solver" << fuzzy << "nowhere" << QStringList{} << QList<double>{} << "";
    }

    void rankedSearch()
    {
        QFETCH(QString, query);
        QFETCH(int, mode);
        QFETCH(QString, category);
        QFETCH(QStringList, names);
        QFETCH(QList<double>, scores);
        QFETCH(QString, error);

        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString data = root.filePath("data");
        const auto write = [&](const QString& relative, const QJsonObject& object) {
            const QString path = data + '/' + relative;
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            return file.open(QIODevice::WriteOnly) &&
                   file.write(QJsonDocument(object).toJson()) > 0;
        };
        QVERIFY(write("software/cae/solver.json", {{"id", "s"}, {"name", "Solver"}}));
        QVERIFY(write("technologies/solvers/lanczos.json",
                      {{"id", "l"}, {"name", "Lanczos Solver"}, {"category", "solvers"}}));
        QVERIFY(write("companies/acme.json",
                      {{"id", "a"}, {"name", "Acme"}, {"vendor", "Acme (solver house)"}}));
        QVERIFY(write("disciplines/structural/fatigue.json",
                      {{"id", "f"}, {"name", "Fatigue"}, {"vendor", "S-N curves"}}));
        // Catastrophic backtracking needs a long text with its only "q" first.
        QVERIFY(write("companies/long.json",
                      {{"id", "q"}, {"name", "Long"}, {"vendor", "q" + QString(3000, 'x')}}));
        DataManager manager;
        manager.setDataPath(data);

        SearchEngine engine;
        QSignalSpy started(&engine, &SearchEngine::searchStarted);
        const SearchEngine::RankedResults ranked =
            engine.rankedSearch(query, &manager, mode, category);
        QCOMPARE(::names(ranked.entries), names);
        QCOMPARE(ranked.scores, scores);
        QCOMPARE(ranked.error, error);
        QCOMPARE(started.count(), 0);
        if (mode == fuzzyMode() && category.isEmpty())
            QCOMPARE(ranked.entries, engine.fuzzySearch(query, &manager));
    }

    void rankedSearchRefusesNothing()
    {
        SearchEngine engine;
        DataManager manager;
        QVERIFY(engine.rankedSearch("x", nullptr, SearchEngine::FuzzyMatch).entries.isEmpty());
        const SearchEngine::RankedResults empty =
            engine.rankedSearch(QString(), &manager, SearchEngine::RegexMatch);
        QVERIFY(empty.entries.isEmpty());
        QVERIFY(empty.error.isEmpty());
    }

    void semanticSearchRanksByTokenPairs()
    {
        ScratchBase base;
        QVERIFY(base.write("one.json", QJsonObject{{"id", "1"}, {"name", "solver"}}));
        QVERIFY(base.write(
            "two.json", QJsonObject{{"id", "2"}, {"name", "solver"}, {"vendor", "solvers inc"}}));
        QVERIFY(base.write("three.json", QJsonObject{{"id", "3"}, {"name", "mesher"}}));
        DataManager manager;
        manager.setDataPath(base.path());
        SearchEngine engine;
        const QJsonArray results =
            engine.search("的 Solver", &manager, SearchEngine::SemanticMatch);
        QCOMPARE(results.size(), 2);
        QCOMPARE(results.at(0).toObject().value("id").toString(), QStringLiteral("2"));
        QCOMPARE(results.at(1).toObject().value("id").toString(), QStringLiteral("1"));
        QVERIFY(engine.semanticSearch("求解器", &manager).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSearchEngine)
#include "tst_searchengine.moc"
