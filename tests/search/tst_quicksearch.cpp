#include "data/DataManager.h"
#include "data/FileLoader.h"
#include "search/QuickSearch.h"
#include "search/SearchEngine.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kDataDir = QStringLiteral(QUORVANTA_SOURCE_DATA_DIR);

// One entry's text pasted again and again: many distinct words, all of them in
// that entry.
QString pastedText(DataManager& manager, int length)
{
    SearchEngine engine;
    const QString paragraph =
        engine.extractSearchableText(manager.getSoftwareList("cae").first().toObject());
    QString text;
    while (text.size() < length)
        text += paragraph + ' ';
    return text.left(length);
}

// More entries than a query prepares at once: the shipped ones and as many again.
class LargeBase
{
public:
    LargeBase()
    {
        for (int i = 0; i <= QuickSearch::kAtOncePrepare; ++i)
            write(i, QStringLiteral("Zqxpart %1").arg(i));
        m_manager.setDataPath(m_dir.path() + QLatin1Char('/'));
        m_manager.initialize();
    }
    bool write(int i, const QString& name)
    {
        QDir().mkpath(m_dir.filePath(QStringLiteral("software/cad")));
        QFile file(m_dir.filePath(QStringLiteral("software/cad/p%1.json").arg(i)));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(
                   QJsonDocument(QJsonObject{{"id", QStringLiteral("p%1").arg(i)}, {"name", name}})
                       .toJson()) > 0;
    }
    DataManager* manager() { return &m_manager; }
    QString filePath(int i) const
    {
        return m_dir.filePath(QStringLiteral("software/cad/p%1.json").arg(i));
    }

private:
    QTemporaryDir m_dir;
    DataManager m_manager;
};

} // namespace

class TestQuickSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_manager = std::make_unique<DataManager>();
        m_manager->setDataPath(kDataDir);
        m_manager->initialize();
    }

    void shortQueryIsAnsweredAtOnce_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("one letter") << "a";
        QTest::newRow("product") << "Ansys Fluent";
        QTest::newRow("chinese") << "有限元";
        QTest::newRow("blank") << " ";
    }
    void shortQueryIsAnsweredAtOnce()
    {
        QFETCH(QString, query);
        SearchEngine engine;
        QuickSearch quick(&engine);
        QSignalSpy ready(&quick, &QuickSearch::resultsReady);
        QSignalSpy started(&engine, &SearchEngine::searchStarted);
        QSignalSpy completed(&engine, &SearchEngine::searchCompleted);
        quick.search(query, m_manager.get());
        QCOMPARE(ready.count(), 1);
        QVERIFY(!quick.isSearching());
        QCOMPARE(started.count(), 1);
        QCOMPARE(completed.count(), 1);
        SearchEngine reference;
        QCOMPARE(ready.at(0).at(0).toJsonArray(),
                 reference.search(query, m_manager.get(), SearchEngine::FuzzyMatch));
    }

    void pastedTextIsAnsweredInSlices()
    {
        const QString query = pastedText(*m_manager, 10000);
        QCOMPARE(query.size(), 10000);
        SearchEngine engine;
        QuickSearch quick(&engine);
        QSignalSpy ready(&quick, &QuickSearch::resultsReady);
        QSignalSpy started(&engine, &SearchEngine::searchStarted);
        QSignalSpy completed(&engine, &SearchEngine::searchCompleted);
        quick.search(query, m_manager.get());
        QCOMPARE(ready.count(), 0);
        QVERIFY(quick.isSearching());
        QCOMPARE(started.count(), 1);
        QVERIFY(ready.wait(60000));
        QCOMPARE(ready.count(), 1);
        QCOMPARE(completed.count(), 1);
        SearchEngine reference;
        const QJsonArray expected =
            reference.search(query, m_manager.get(), SearchEngine::FuzzyMatch);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(ready.at(0).at(0).toJsonArray(), expected);
    }

    void newQueryReplacesTheOneInSlices()
    {
        SearchEngine engine;
        QuickSearch quick(&engine);
        QSignalSpy ready(&quick, &QuickSearch::resultsReady);
        quick.search(pastedText(*m_manager, 10000), m_manager.get());
        QVERIFY(quick.isSearching());
        quick.search("cad", m_manager.get());
        QVERIFY(!quick.isSearching());
        QCOMPARE(ready.count(), 1);
        QTest::qWait(50);
        QCOMPARE(ready.count(), 1);
        SearchEngine reference;
        QCOMPARE(ready.at(0).at(0).toJsonArray(),
                 reference.search("cad", m_manager.get(), SearchEngine::FuzzyMatch));
    }

    void cancelledSearchReportsNothing()
    {
        SearchEngine engine;
        QuickSearch quick(&engine);
        QSignalSpy ready(&quick, &QuickSearch::resultsReady);
        quick.search(pastedText(*m_manager, 10000), m_manager.get());
        quick.cancel();
        QVERIFY(!quick.isSearching());
        QTest::qWait(100);
        QCOMPARE(ready.count(), 0);
    }

    void unpreparedLargeBaseIsAnsweredInSlices()
    {
        LargeBase base;
        SearchEngine engine;
        QuickSearch quick(&engine);
        QSignalSpy ready(&quick, &QuickSearch::resultsReady);
        quick.search("zqxpart", base.manager());
        QCOMPARE(ready.count(), 0);
        QVERIFY(quick.isSearching());
        QVERIFY(ready.wait(60000));
        SearchEngine reference;
        const QJsonArray expected =
            reference.search("zqxpart", base.manager(), SearchEngine::FuzzyMatch);
        QCOMPARE(expected.size(), QuickSearch::kAtOncePrepare + 1);
        QCOMPARE(ready.at(0).at(0).toJsonArray(), expected);
        // Prepared by that query: the next one is answered at once.
        quick.search("zqxpart 7", base.manager());
        QCOMPARE(ready.count(), 2);
    }

    void preparedAheadIsAnsweredAtOnceAndAgainAfterAChange()
    {
        LargeBase base;
        SearchEngine engine;
        QuickSearch quick(&engine);
        QSignalSpy ready(&quick, &QuickSearch::resultsReady);
        quick.prepareAhead(base.manager());
        QVERIFY(quick.isPreparing());
        QTRY_VERIFY_WITH_TIMEOUT(!quick.isPreparing(), 60000);
        QCOMPARE(engine.unpreparedEntries(base.manager()), 0);
        quick.search("zqxpart 12", base.manager());
        QCOMPARE(ready.count(), 1);

        QSignalSpy changed(base.manager(), &DataManager::dataChanged);
        QVERIFY(base.write(12, "Zqxwidget"));
        QVERIFY(changed.wait(5000));
        QVERIFY(quick.isPreparing());
        QTRY_VERIFY_WITH_TIMEOUT(!quick.isPreparing(), 60000);
        QCOMPARE(engine.unpreparedEntries(base.manager()), 0);
        quick.search("zqxwidget", base.manager());
        QCOMPARE(ready.count(), 2);
        SearchEngine reference;
        const QJsonArray expected =
            reference.search("zqxwidget", base.manager(), SearchEngine::FuzzyMatch);
        QCOMPARE(expected.size(), 1);
        QCOMPARE(ready.at(1).at(0).toJsonArray(), expected);
    }

    void queryDuringTheWarmUpReadsNothingAtOnce()
    {
        LargeBase base;
        // As a start finds them: the summaries in the index, no entry read.
        base.manager()->getSoftwareSummaries("cad");
        base.manager()->fileLoader()->saveSummaryIndex();
        auto started = std::make_unique<DataManager>();
        started->setDataPath(base.manager()->dataPath());
        started->initialize();
        DataManager* manager = started.get();
        manager->getSoftwareSummaries("cad");
        QVERIFY(!manager->fileLoader()->isCached(base.filePath(0)));
        QSignalSpy finished(manager, &DataManager::warmUpFinished);
        manager->warmUp();
        SearchEngine engine;
        QuickSearch quick(&engine);
        QSignalSpy ready(&quick, &QuickSearch::resultsReady);
        quick.search("zqxpart", manager);
        QVERIFY(quick.isSearching());
        QVERIFY(manager->isWarmingUp());
        QVERIFY(!manager->fileLoader()->isCached(base.filePath(0)));
        QVERIFY(ready.wait(60000));
        QVERIFY(!manager->isWarmingUp());
        QCOMPARE(finished.count(), 1);
        SearchEngine reference;
        QCOMPARE(ready.at(0).at(0).toJsonArray(),
                 reference.search("zqxpart", manager, SearchEngine::FuzzyMatch));
    }

private:
    std::unique_ptr<DataManager> m_manager;
};

QTEST_GUILESS_MAIN(TestQuickSearch)
#include "tst_quicksearch.moc"
