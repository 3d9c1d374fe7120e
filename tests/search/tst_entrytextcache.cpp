#include "data/DataManager.h"
#include "search/EntryTextCache.h"
#include "search/SearchEngine.h"
#include "search/SearchText.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

const QString kDataDir = QStringLiteral(QUORVANTA_SOURCE_DATA_DIR);

// The fuzzy search written out from the public steps, each entry examined afresh:
// what the prepared texts must reproduce.
QJsonArray referenceFuzzySearch(SearchEngine& engine, DataManager& manager, const QString& query)
{
    QJsonArray lists[12];
    int i = 0;
    for (const char* category : {"cad", "cae", "cfd", "cam", "eda", "plm"})
        lists[i++] = manager.getSoftwareList(QLatin1String(category));
    lists[i++] = manager.getCompaniesList();
    for (const char* type : {"kernels", "solvers", "mesh", "hpc", "standards"})
        lists[i++] = manager.getTechnologiesList(QLatin1String(type));
    std::vector<std::pair<double, QJsonObject>> scored;
    for (const QJsonArray& list : lists) {
        for (const QJsonValue& value : engine.filterEntries(query, list, SearchEngine::FuzzyMatch))
            scored.emplace_back(engine.calculateScore(value.toObject(), query), value.toObject());
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QJsonArray result;
    for (const auto& entry : scored)
        result.append(entry.second);
    return result;
}

class ScratchBase
{
public:
    bool write(const QString& relative, const QJsonObject& object)
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(QJsonDocument(object).toJson()) > 0;
    }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
};

QStringList names(const QJsonArray& entries)
{
    QStringList result;
    for (const QJsonValue& value : entries)
        result << value.toObject().value("name").toString();
    return result;
}

// Letters on which lower-casing and Qt's case-insensitive comparison part ways.
const QString kAwkward = QStringLiteral("µμΜςσΣßẞİiıIKkKſsSΩΩ") + QChar(0x212A) + QChar(0x2126) +
                         QStringLiteral("\U00010400\U00010428") + QChar(0xD800) +
                         QStringLiteral("有限元");

} // namespace

class TestEntryTextCache : public QObject
{
    Q_OBJECT

private slots:
    void sameResultsAsTheLongWayOnTheShippedData_data()
    {
        QTest::addColumn<QString>("query");
        for (const char* query : {"a",
                                  "an",
                                  "ans",
                                  "ansys",
                                  "有限元",
                                  "cad",
                                  "CAD",
                                  "Ansys Fluent",
                                  "the",
                                  "mesh solver cfd",
                                  "a a a b",
                                  "  ",
                                  " \t",
                                  "finite element analysis of the",
                                  "ÄNSYS",
                                  "仿真 软件",
                                  "x",
                                  "zzzzqqq",
                                  "Siemens NX CAD CAM",
                                  "µm"})
            QTest::newRow(query) << QString::fromUtf8(query);
    }
    void sameResultsAsTheLongWayOnTheShippedData()
    {
        QFETCH(QString, query);
        SearchEngine engine;
        // Twice: the second search runs on the texts the first prepared.
        for (int round = 0; round < 2; ++round) {
            const QJsonArray results = engine.fuzzySearch(query, m_shipped.get());
            QCOMPARE(results, referenceFuzzySearch(engine, *m_shipped, query));
        }
    }

    void awkwardLettersMatchAsBefore()
    {
        ScratchBase base;
        // Every entry holds a few of the awkward letters; every query too.
        int file = 0;
        for (int start = 0; start < kAwkward.size(); ++start) {
            const QString name = kAwkward.mid(start, 3) + QStringLiteral(" tool");
            QVERIFY(base.write(
                QStringLiteral("software/cad/e%1.json").arg(file++),
                QJsonObject{{"id", QString::number(file)},
                            {"name", name},
                            {"description", QJsonObject{{"zh", kAwkward.mid(start, 2)}}}}));
        }
        DataManager manager;
        manager.setDataPath(base.path());
        SearchEngine engine;
        for (int start = 0; start < kAwkward.size(); ++start) {
            for (int length = 1; length <= 2; ++length) {
                const QString query = kAwkward.mid(start, length);
                QCOMPARE(engine.fuzzySearch(query, &manager),
                         referenceFuzzySearch(engine, manager, query));
                const QString upper = query.toUpper();
                QCOMPARE(engine.fuzzySearch(upper, &manager),
                         referenceFuzzySearch(engine, manager, upper));
            }
        }
    }

    void foldingAgreesWithQtCaseInsensitiveSearch()
    {
        // Where the prepared text stands in for the text, a case-sensitive search of
        // the folded needle must find exactly what the case-insensitive one finds.
        for (char32_t code = 1; code < 0x10000; ++code) {
            const QChar c(static_cast<char16_t>(code));
            if (c.isSurrogate())
                continue;
            const QString text = QStringLiteral("x") + c + QStringLiteral("y");
            const QString lower = text.toLower();
            const bool prepared = SearchText::foldsAsLower(text, lower);
            for (const QString& needle :
                 {QString(c), c.toUpper() == c ? QString(c.toLower()) : QString(c.toUpper()),
                  QString(c.toCaseFolded()), QString(c.toTitleCase()), QStringLiteral("x") + c}) {
                const bool expected = text.contains(needle, Qt::CaseInsensitive);
                if (prepared)
                    QCOMPARE(lower.contains(SearchText::foldCase(needle)), expected);
            }
        }
    }

    void fileChangedOnDiskGivesTheFreshResults()
    {
        ScratchBase base;
        QVERIFY(base.write("software/cad/one.json",
                           QJsonObject{{"id", "one"}, {"name", "Zqxgearbox Designer"}}));
        QVERIFY(base.write("software/cae/two.json",
                           QJsonObject{{"id", "two"}, {"name", "Zqxgear Solver"}}));
        DataManager manager;
        manager.setDataPath(base.path());
        manager.initialize();
        SearchEngine engine;
        QCOMPARE(names(engine.fuzzySearch("zqxgear", &manager)),
                 (QStringList{"Zqxgearbox Designer", "Zqxgear Solver"}));

        QSignalSpy changed(&manager, &DataManager::dataChanged);
        QVERIFY(base.write("software/cad/one.json",
                           QJsonObject{{"id", "one"}, {"name", "Zqxpump Designer"}}));
        QVERIFY(changed.wait(5000));
        const QJsonArray after = engine.fuzzySearch("zqxgear", &manager);
        SearchEngine fresh;
        QCOMPARE(after, fresh.fuzzySearch("zqxgear", &manager));
        QCOMPARE(names(after), QStringList{"Zqxgear Solver"});
        QCOMPARE(names(engine.fuzzySearch("zqxpump", &manager)), QStringList{"Zqxpump Designer"});
    }

    void droppedListsGiveTheFreshResults()
    {
        ScratchBase base;
        QVERIFY(
            base.write("software/cad/one.json", QJsonObject{{"id", "one"}, {"name", "Zqxlathe"}}));
        DataManager manager;
        manager.setDataPath(base.path());
        SearchEngine engine;
        QCOMPARE(names(engine.fuzzySearch("zqxlathe", &manager)), QStringList{"Zqxlathe"});

        // A file added behind the manager's back shows up once its lists are dropped,
        // as the tree's refresh drops them.
        QVERIFY(base.write("software/cam/lathe.json",
                           QJsonObject{{"id", "co"}, {"name", "Zqxlathe Works"}}));
        QCOMPARE(names(engine.fuzzySearch("zqxlathe", &manager)), QStringList{"Zqxlathe"});
        manager.clearListCache();
        const QJsonArray after = engine.fuzzySearch("zqxlathe", &manager);
        QCOMPARE(names(after), (QStringList{"Zqxlathe", "Zqxlathe Works"}));
        SearchEngine fresh;
        QCOMPARE(after, fresh.fuzzySearch("zqxlathe", &manager));
    }

    void anotherManagerIsAnotherKnowledgeBase()
    {
        ScratchBase first;
        ScratchBase second;
        QVERIFY(
            first.write("software/cad/a.json", QJsonObject{{"id", "a"}, {"name", "Zqxmill A"}}));
        QVERIFY(
            second.write("software/cad/b.json", QJsonObject{{"id", "b"}, {"name", "Zqxmill B"}}));
        SearchEngine engine;
        {
            auto manager = std::make_unique<DataManager>();
            manager->setDataPath(first.path());
            QCOMPARE(names(engine.fuzzySearch("zqxmill", manager.get())), QStringList{"Zqxmill A"});
        }
        // Possibly at the same address as the deleted one.
        auto manager = std::make_unique<DataManager>();
        manager->setDataPath(second.path());
        QCOMPARE(names(engine.fuzzySearch("zqxmill", manager.get())), QStringList{"Zqxmill B"});
    }

    void steppedSearchEqualsTheSearch_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("one letter") << "a";
        QTest::newRow("words") << "finite element mesh solver for fluid dynamics";
        QTest::newRow("blanks") << "   ";
    }
    void steppedSearchEqualsTheSearch()
    {
        QFETCH(QString, query);
        SearchEngine engine;
        const QJsonArray expected = engine.search(query, m_shipped.get(), SearchEngine::FuzzyMatch);
        QSignalSpy started(&engine, &SearchEngine::searchStarted);
        QSignalSpy completed(&engine, &SearchEngine::searchCompleted);
        engine.beginFuzzySearch(query, m_shipped.get());
        QCOMPARE(started.count(), 1);
        QCOMPARE(started.at(0).at(0).toString(), query);
        QVERIFY(engine.isFuzzySearchRunning());
        int steps = 1;
        while (!engine.continueFuzzySearch(0))
            ++steps;
        QVERIFY(steps > 1);
        QVERIFY(!engine.isFuzzySearchRunning());
        QCOMPARE(completed.count(), 1);
        QCOMPARE(completed.at(0).at(0).toJsonArray(), expected);
        QCOMPARE(engine.fuzzyResults(), expected);
    }

    void steppedSearchStartsOverWhenTheListsChange()
    {
        ScratchBase base;
        for (int i = 0; i < 40; ++i)
            QVERIFY(base.write(QStringLiteral("software/cad/t%1.json").arg(i),
                               QJsonObject{{"id", QString::number(i)},
                                           {"name", QStringLiteral("Zqxtool %1").arg(i)}}));
        DataManager manager;
        manager.setDataPath(base.path());
        SearchEngine engine;
        engine.beginFuzzySearch("zqxtool", &manager);
        QVERIFY(!engine.continueFuzzySearch(0));
        QVERIFY(base.write("software/cad/tool.json",
                           QJsonObject{{"id", "co"}, {"name", "Zqxtoolmaker"}}));
        manager.clearListCache();
        while (!engine.continueFuzzySearch(0)) {
        }
        SearchEngine fresh;
        QCOMPARE(engine.fuzzyResults(), fresh.fuzzySearch("zqxtool", &manager));
        QCOMPARE(engine.fuzzyResults().size(), 41);
    }

    void steppedSearchWithoutQueryOrManagerDoesNothing()
    {
        SearchEngine engine;
        QSignalSpy started(&engine, &SearchEngine::searchStarted);
        engine.beginFuzzySearch(QString(), m_shipped.get());
        engine.beginFuzzySearch("cad", nullptr);
        QVERIFY(!engine.isFuzzySearchRunning());
        QVERIFY(engine.continueFuzzySearch(10));
        QCOMPARE(started.count(), 0);
    }

    void preparedInSlicesSearchesAsPreparedAtOnce()
    {
        qsizetype listed = 0;
        for (const char* category : {"cad", "cae", "cfd", "cam", "eda", "plm"})
            listed += m_shipped->getSoftwareList(QLatin1String(category)).size();
        listed += m_shipped->getCompaniesList().size();
        for (const char* type : {"kernels", "solvers", "mesh", "hpc", "standards"})
            listed += m_shipped->getTechnologiesList(QLatin1String(type)).size();

        SearchEngine engine;
        QCOMPARE(engine.unpreparedEntries(m_shipped.get()), listed);
        int steps = 1;
        while (!engine.prepareFuzzySearch(m_shipped.get(), 0)) {
            QVERIFY(engine.unpreparedEntries(m_shipped.get()) < listed);
            ++steps;
        }
        QVERIFY(steps > 1);
        QCOMPARE(engine.unpreparedEntries(m_shipped.get()), 0);
        QVERIFY(engine.prepareFuzzySearch(m_shipped.get(), 0));
        SearchEngine fresh;
        for (const QString& query : {QStringLiteral("a"), QStringLiteral("有限元 mesh")})
            QCOMPARE(engine.fuzzySearch(query, m_shipped.get()),
                     fresh.fuzzySearch(query, m_shipped.get()));
    }

    void halfPreparedTextsGoWithAChange()
    {
        ScratchBase base;
        for (int i = 0; i < 40; ++i)
            QVERIFY(base.write(QStringLiteral("software/cad/t%1.json").arg(i),
                               QJsonObject{{"id", QString::number(i)},
                                           {"name", QStringLiteral("Zqxdrill %1").arg(i)}}));
        DataManager manager;
        manager.setDataPath(base.path());
        SearchEngine engine;
        QVERIFY(!engine.prepareFuzzySearch(&manager, 0));
        QVERIFY(base.write("software/cad/reamer.json",
                           QJsonObject{{"id", "r"}, {"name", "Zqxreamer"}}));
        manager.clearListCache();
        SearchEngine fresh;
        QCOMPARE(engine.unpreparedEntries(&manager), fresh.unpreparedEntries(&manager));
        while (!engine.prepareFuzzySearch(&manager, 0)) {
        }
        QCOMPARE(names(engine.fuzzySearch("zqxreamer", &manager)), QStringList{"Zqxreamer"});
        QCOMPARE(engine.fuzzySearch("zqxdrill", &manager).size(), 40);
    }

    void initTestCase()
    {
        m_shipped = std::make_unique<DataManager>();
        m_shipped->setDataPath(kDataDir);
        m_shipped->initialize();
    }

private:
    std::unique_ptr<DataManager> m_shipped;
};

QTEST_GUILESS_MAIN(TestEntryTextCache)
#include "tst_entrytextcache.moc"
