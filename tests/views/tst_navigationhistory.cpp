#include "views/NavigationHistory.h"

#include <QSignalSpy>
#include <QtTest>

class TestNavigationHistory : public QObject
{
    Q_OBJECT

private slots:
    void startsEmpty()
    {
        NavigationHistory history;
        QVERIFY(!history.canGoBack());
        QVERIFY(!history.canGoForward());
        QCOMPARE(history.current(), QString());
        QCOMPARE(history.currentIndex(), -1);
        QCOMPARE(history.back(), QString());
        QCOMPARE(history.forward(), QString());
    }

    void visitsInOrder()
    {
        NavigationHistory history;
        history.visit("a.json");
        history.visit("software/cad");
        history.visit("b.json");
        QCOMPARE(history.pages(), (QStringList{"a.json", "software/cad", "b.json"}));
        QCOMPARE(history.current(), QStringLiteral("b.json"));
        QVERIFY(history.canGoBack());
        QVERIFY(!history.canGoForward());
    }

    void backAndForward()
    {
        NavigationHistory history;
        for (const char* page : {"a", "b", "c"})
            history.visit(page);
        QCOMPARE(history.back(), QStringLiteral("b"));
        QCOMPARE(history.back(), QStringLiteral("a"));
        QVERIFY(!history.canGoBack());
        QCOMPARE(history.back(), QString());
        QCOMPARE(history.current(), QStringLiteral("a"));
        QCOMPARE(history.forward(), QStringLiteral("b"));
        QCOMPARE(history.forward(), QStringLiteral("c"));
        QCOMPARE(history.forward(), QString());
        QCOMPARE(history.current(), QStringLiteral("c"));
        QCOMPARE(history.pages(), (QStringList{"a", "b", "c"}));
    }

    // The window opens the page back() returned, which visits it again: no new page.
    void reopeningTheCurrentPageAddsNothing()
    {
        NavigationHistory history;
        history.visit("a");
        history.visit("b");
        QSignalSpy changed(&history, &NavigationHistory::changed);
        history.visit("b");
        QCOMPARE(changed.count(), 0);
        QCOMPARE(history.back(), QStringLiteral("a"));
        history.visit("a");
        QCOMPARE(history.pages(), (QStringList{"a", "b"}));
        QCOMPARE(history.currentIndex(), 0);
        QVERIFY(history.canGoForward());
        QCOMPARE(changed.count(), 1);
    }

    void openingAfterGoingBackDropsTheForwardPages()
    {
        NavigationHistory history;
        for (const char* page : {"a", "b", "c", "d"})
            history.visit(page);
        history.back();
        history.back();
        history.visit("x");
        QCOMPARE(history.pages(), (QStringList{"a", "b", "x"}));
        QVERIFY(!history.canGoForward());
        QCOMPARE(history.back(), QStringLiteral("b"));
    }

    // A page may come again later: only the current one is not repeated.
    void aPageMayComeTwice()
    {
        NavigationHistory history;
        for (const char* page : {"a", "b", "a"})
            history.visit(page);
        QCOMPARE(history.pages(), (QStringList{"a", "b", "a"}));
    }

    void emptyPathsAreIgnored()
    {
        NavigationHistory history;
        history.visit("a");
        history.visit(QString());
        QCOMPARE(history.pages(), QStringList{"a"});
    }

    void capacityDropsTheOldest_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("three") << 3 << QStringList{"c", "d", "e"};
        QTest::newRow("one") << 1 << QStringList{"e"};
        QTest::newRow("zero means one") << 0 << QStringList{"e"};
        QTest::newRow("larger") << 10 << QStringList{"a", "b", "c", "d", "e"};
    }

    void capacityDropsTheOldest()
    {
        QFETCH(int, capacity);
        QFETCH(QStringList, expected);
        NavigationHistory history;
        history.setCapacity(capacity);
        for (const char* page : {"a", "b", "c", "d", "e"})
            history.visit(page);
        QCOMPARE(history.pages(), expected);
        QCOMPARE(history.current(), QStringLiteral("e"));
        QCOMPARE(history.currentIndex(), expected.size() - 1);
    }

    void shrinkingKeepsThePosition()
    {
        NavigationHistory history;
        for (const char* page : {"a", "b", "c", "d", "e"})
            history.visit(page);
        history.back(); // d
        history.setCapacity(3);
        QCOMPARE(history.pages(), (QStringList{"c", "d", "e"}));
        QCOMPARE(history.current(), QStringLiteral("d"));
        QCOMPARE(history.forward(), QStringLiteral("e"));
    }

    void changedSignals()
    {
        NavigationHistory history;
        QSignalSpy changed(&history, &NavigationHistory::changed);
        history.visit("a");
        history.visit("b");
        history.back();
        history.back(); // nothing behind a
        history.forward();
        history.forward(); // nothing ahead of b
        QCOMPARE(changed.count(), 4);
        history.clear();
        QCOMPARE(changed.count(), 5);
        QCOMPARE(history.pages(), QStringList());
        QVERIFY(!history.canGoBack());
    }
};

QTEST_GUILESS_MAIN(TestNavigationHistory)
#include "tst_navigationhistory.moc"
