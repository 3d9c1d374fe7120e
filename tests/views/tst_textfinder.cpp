#include "views/TextFinder.h"

#include <QTextDocument>
#include <QtTest>

class TestTextFinder : public QObject
{
    Q_OBJECT

private slots:
    void countsIgnoringCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("countText");
        QTest::newRow("mixed case") << "CATIA catia Catia"
                                    << "catia" << 3 << "1/3";
        QTest::newRow("upper query") << "ansys fluent"
                                     << "ANSYS" << 1 << "1/1";
        QTest::newRow("none") << "abc"
                              << "xyz" << 0 << "0/0";
        QTest::newRow("empty query") << "abc"
                                     << "" << 0 << "";
        QTest::newRow("chinese") << "几何内核与几何建模"
                                 << "几何" << 2 << "1/2";
        QTest::newRow("no overlap") << "aaaa"
                                    << "aa" << 2 << "1/2";
        QTest::newRow("across blocks") << "x\nx\nx"
                                       << "x" << 3 << "1/3";
    }

    void countsIgnoringCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, query);
        QFETCH(int, count);
        QFETCH(QString, countText);
        QTextDocument document(text);
        TextFinder finder;
        finder.setDocument(&document);
        finder.setQuery(query);
        QCOMPARE(finder.count(), count);
        QCOMPARE(finder.countText(), countText);
        QCOMPARE(finder.currentIndex(), count > 0 ? 0 : -1);
    }

    void hitsAreInDocumentOrder()
    {
        QTextDocument document("one Two three two");
        TextFinder finder;
        finder.setDocument(&document);
        finder.setQuery("two");
        QCOMPARE(finder.count(), 2);
        QCOMPARE(finder.hits().at(0).selectionStart(), 4);
        QCOMPARE(finder.hits().at(0).selectedText(), QStringLiteral("Two"));
        QCOMPARE(finder.hits().at(1).selectionStart(), 14);
    }

    void nextAndPreviousWrap()
    {
        QTextDocument document("a a a");
        TextFinder finder;
        finder.setDocument(&document);
        finder.setQuery("a");
        QVERIFY(finder.next());
        QCOMPARE(finder.countText(), QStringLiteral("2/3"));
        QVERIFY(finder.next());
        QCOMPARE(finder.countText(), QStringLiteral("3/3"));
        QVERIFY(finder.next());
        QCOMPARE(finder.countText(), QStringLiteral("1/3"));
        QVERIFY(finder.previous());
        QCOMPARE(finder.countText(), QStringLiteral("3/3"));
        QCOMPARE(finder.currentHit().selectionStart(), 4);
    }

    void movingWithoutHits()
    {
        QTextDocument document("abc");
        TextFinder finder;
        finder.setDocument(&document);
        finder.setQuery("z");
        QVERIFY(!finder.next());
        QVERIFY(!finder.previous());
        QVERIFY(finder.currentHit().isNull());
        QCOMPARE(finder.countText(), QStringLiteral("0/0"));
    }

    void refreshAfterTheDocumentChanged()
    {
        QTextDocument document("b b b b");
        TextFinder finder;
        finder.setDocument(&document);
        finder.setQuery("b");
        finder.next();
        finder.next();
        finder.next(); // 4/4
        document.setPlainText("b b");
        finder.refresh();
        QCOMPARE(finder.countText(), QStringLiteral("2/2"));
        document.setPlainText("c");
        finder.refresh();
        QCOMPARE(finder.countText(), QStringLiteral("0/0"));
        document.setPlainText("b");
        finder.refresh();
        QCOMPARE(finder.countText(), QStringLiteral("1/1"));
    }

    void withoutADocument()
    {
        TextFinder finder;
        finder.setQuery("x");
        QCOMPARE(finder.count(), 0);
        {
            QTextDocument document("x");
            finder.setDocument(&document);
            QCOMPARE(finder.count(), 1);
        }
        finder.refresh();
        QCOMPARE(finder.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTextFinder)
#include "tst_textfinder.moc"
