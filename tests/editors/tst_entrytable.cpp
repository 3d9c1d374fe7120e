#include "editors/EntryTable.h"

#include <QJsonDocument>
#include <QtTest>

using Rows = QList<QStringList>;

namespace {

// JSON written with single quotes, which keeps the fixtures readable.
QJsonObject json(const char* text)
{
    QByteArray bytes(text);
    bytes.replace('\'', '"');
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        qFatal("Bad JSON fixture: %s", text);
    return document.object();
}

} // namespace

class TestEntryTable : public QObject
{
    Q_OBJECT

private slots:
    void buildsTable_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<Rows>("rows");

        QTest::newRow("columns sorted, missing key shown as null member")
            << json("{'tableData': [{'b': 1, 'a': 'x'}, {'a': 'y', 'c': true}]}")
            << QStringList{"a", "b"} << Rows{{"x", "1"}, {"y", "{\"b\":null}"}};
        QTest::newRow("numbers with six significant digits")
            << json("{'tableData': [{'v': 0.1234567}, {'v': 1e20}, {'v': 1967}, {'v': -2.5}]}")
            << QStringList{"v"} << Rows{{"0.123457"}, {"1e+20"}, {"1967"}, {"-2.5"}};
        QTest::newRow("booleans, null, arrays and objects")
            << json("{'tableData': [{'b': false, 'n': null, 'l': [1, 'a'], 'o': {'k': 2}}]}")
            << QStringList{"b", "l", "n", "o"}
            << Rows{{"false", "{\"l\":[1,\"a\"]}", "{\"n\":null}", "{\"o\":{\"k\":2}}"}};
        QTest::newRow("element that is no object shows null members")
            << json("{'tableData': [{'a': 'x'}, 5]}") << QStringList{"a"}
            << Rows{{"x"}, {"{\"a\":null}"}};
        QTest::newRow("fields of an entry without tableData")
            << json("{'name': 'CATIA', '_filePath': 'data/x.json', 'metadata': {'a': 1}, "
                    "'year': 5, 'tags': ['a'], 'isEmbedded': true}")
            << QStringList{"字段", "值"}
            << Rows{{"isEmbedded", "{\"isEmbedded\":true}"},
                    {"name", "CATIA"},
                    {"tags", "{\"tags\":[\"a\"]}"},
                    {"year", "{\"year\":5}"}};
        QTest::newRow("tableData that is no array is a field")
            << json("{'tableData': 'text'}") << QStringList{"字段", "值"}
            << Rows{{"tableData", "text"}};
    }

    void buildsTable()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(QStringList, header);
        QFETCH(Rows, rows);
        const EntryTable table = EntryTable::fromEntry(entry);
        QVERIFY(!table.isNull());
        QCOMPARE(table.header(), header);
        QCOMPARE(table.rows(), rows);
    }

    void nothingToShow_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::newRow("empty entry") << QJsonObject();
        QTest::newRow("only loader keys") << json("{'_filePath': 'p', 'metadata': {}}");
        QTest::newRow("empty tableData") << json("{'tableData': [], 'name': 'x'}");
    }

    void nothingToShow()
    {
        QFETCH(QJsonObject, entry);
        QVERIFY(EntryTable::fromEntry(entry).isNull());
    }
};

QTEST_GUILESS_MAIN(TestEntryTable)
#include "tst_entrytable.moc"
