#include "data/DataManager.h"
#include "search/QuickSearch.h"
#include "search/SearchEngine.h"

#include <QJsonObject>
#include <QSignalSpy>
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

private:
    std::unique_ptr<DataManager> m_manager;
};

QTEST_GUILESS_MAIN(TestQuickSearch)
#include "tst_quicksearch.moc"
