#include "editors/CsvDocument.h"

#include <QtTest>

using Rows = QList<QStringList>;

class TestCsvDocument : public QObject
{
    Q_OBJECT

private slots:
    void encodesField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("encoded");

        QTest::newRow("plain") << QStringLiteral("abc") << QStringLiteral("abc");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("inner blank stays unquoted")
            << QStringLiteral("a b") << QStringLiteral("a b");
        QTest::newRow("edge blanks quoted")
            << QStringLiteral(" a b ") << QStringLiteral("\" a b \"");
        QTest::newRow("leading blank quoted") << QStringLiteral(" x") << QStringLiteral("\" x\"");
        QTest::newRow("trailing tab quoted") << QStringLiteral("x\t") << QStringLiteral("\"x\t\"");
        QTest::newRow("only a blank") << QStringLiteral(" ") << QStringLiteral("\" \"");
        QTest::newRow("chinese") << QStringLiteral("几何内核") << QStringLiteral("几何内核");
        QTest::newRow("comma") << QStringLiteral("a,b") << QStringLiteral("\"a,b\"");
        QTest::newRow("quote") << QStringLiteral("say \"hi\"")
                               << QStringLiteral("\"say \"\"hi\"\"\"");
        QTest::newRow("line feed") << QStringLiteral("a\nb") << QStringLiteral("\"a\nb\"");
        QTest::newRow("carriage return") << QStringLiteral("a\rb") << QStringLiteral("\"a\rb\"");
        QTest::newRow("semicolon is plain") << QStringLiteral("a;b") << QStringLiteral("a;b");
    }

    void encodesField()
    {
        QFETCH(QString, field);
        QFETCH(QString, encoded);
        QCOMPARE(CsvDocument::encodeField(field), encoded);
    }

    void writesRecordsWithLineFeeds()
    {
        const CsvDocument document({QStringLiteral("字段"), QStringLiteral("值")},
                                   {{QStringLiteral("name"), QStringLiteral("CATIA, V5")},
                                    {QStringLiteral("empty"), QString()}});
        QCOMPARE(document.toCsv(),
                 QStringLiteral("字段,值\nname,\"CATIA, V5\"\nempty,\n").toUtf8());
        QCOMPARE(CsvDocument().toCsv(), QByteArray());
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<Rows>("rows");

        QTest::newRow("unquoted rows are trimmed, header is not")
            << QByteArray(" a ,b\n 1 , 2\n") << QStringList{" a ", "b"} << Rows{{"1", "2"}};
        QTest::newRow("empty fields kept")
            << QByteArray("a,,c\n,x,\n") << QStringList{"a", "", "c"} << Rows{{"", "x", ""}};
        QTest::newRow("short and long rows keep their field count")
            << QByteArray("a,b\n1\n1,2,3\n") << QStringList{"a", "b"}
            << Rows{{"1"}, {"1", "2", "3"}};
        QTest::newRow("no final line feed")
            << QByteArray("a\n1") << QStringList{"a"} << Rows{{"1"}};
        QTest::newRow("crlf line ends")
            << QByteArray("a,b\r\n1,2\r\n") << QStringList{"a", "b"} << Rows{{"1", "2"}};
        QTest::newRow("blank line is a row of one empty field")
            << QByteArray("a\n\n1\n") << QStringList{"a"} << Rows{{""}, {"1"}};
        QTest::newRow("header only") << QByteArray("x,y\n") << QStringList{"x", "y"} << Rows{};
        QTest::newRow("byte order mark dropped") << QByteArray("\xEF\xBB\xBF"
                                                               "a,b\n")
                                                 << QStringList{"a", "b"} << Rows{};
        QTest::newRow("quoted comma")
            << QByteArray("h1,h2\n\"a,b\",c\n") << QStringList{"h1", "h2"} << Rows{{"a,b", "c"}};
        QTest::newRow("quoted header")
            << QByteArray("\"x,y\",z\n") << QStringList{"x,y", "z"} << Rows{};
        QTest::newRow("doubled quotes")
            << QByteArray("h\n\"say \"\"hi\"\"\"\n") << QStringList{"h"} << Rows{{"say \"hi\""}};
        QTest::newRow("line breaks inside quotes")
            << QByteArray("h,i\n\"a\nb\",\"c\r\nd\"\nnext,row\n") << QStringList{"h", "i"}
            << Rows{{"a\nb", "c\r\nd"}, {"next", "row"}};
        QTest::newRow("quoted blanks are kept")
            << QByteArray("h\n\"  padded , \"\n") << QStringList{"h"} << Rows{{"  padded , "}};
        QTest::newRow("quoted empty field")
            << QByteArray("h,i\n\"\",x\n") << QStringList{"h", "i"} << Rows{{"", "x"}};
        QTest::newRow("quote inside an unquoted field is literal")
            << QByteArray("h\nsay \"hi\"\n") << QStringList{"h"} << Rows{{"say \"hi\""}};
        // A quote that never closes is an ordinary character: the field ends at the next
        // comma or line end and the rest of the file reads as usual.
        QTest::newRow("unterminated quote is a plain character")
            << QByteArray("h\n\"open,\nrest") << QStringList{"h"} << Rows{{"\"open", ""}, {"rest"}};
        QTest::newRow("unterminated quote in the header")
            << QByteArray("\"a,b\n1,2\n") << QStringList{"\"a", "b"} << Rows{{"1", "2"}};
        QTest::newRow("unterminated quote after a closed one")
            << QByteArray("h,i\n\"ok\",x\n\"bad,y\nlast,row\n") << QStringList{"h", "i"}
            << Rows{{"ok", "x"}, {"\"bad", "y"}, {"last", "row"}};
        QTest::newRow("unterminated quote with doubled quotes inside")
            << QByteArray("h\n\"a\"\"b\nc\n") << QStringList{"h"} << Rows{{"\"a\"\"b"}, {"c"}};
        QTest::newRow("unterminated quote at the very end")
            << QByteArray("h\nx,\"") << QStringList{"h"} << Rows{{"x", "\""}};
        QTest::newRow("quote closed on a later line still spans lines")
            << QByteArray("h\n\"a\nb\"\n\"c\n") << QStringList{"h"} << Rows{{"a\nb"}, {"\"c"}};
    }

    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, header);
        QFETCH(Rows, rows);
        const CsvDocument document = CsvDocument::fromCsv(bytes);
        QVERIFY(!document.isEmpty());
        QCOMPARE(document.header(), header);
        QCOMPARE(document.rows(), rows);
    }

    void readingStopsAtTheFieldBound_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxFields");
        QTest::addColumn<bool>("truncated");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<Rows>("rows");

        const QByteArray table("a,b\n1,2\n");
        QTest::newRow("no bound") << table << -1 << false << QStringList{"a", "b"}
                                  << Rows{{"1", "2"}};
        QTest::newRow("bound met exactly")
            << table << 4 << false << QStringList{"a", "b"} << Rows{{"1", "2"}};
        QTest::newRow("one field over: the last record is left out")
            << table << 3 << true << QStringList{"a", "b"} << Rows{};
        QTest::newRow("without a final line feed")
            << QByteArray("a,b") << 2 << false << QStringList{"a", "b"} << Rows{};
        QTest::newRow("header over the bound")
            << QByteArray("a,b") << 1 << true << QStringList{} << Rows{};
        QTest::newRow("commas inside quotes are no fields")
            << QByteArray("\"a,b,c\"\n") << 1 << false << QStringList{"a,b,c"} << Rows{};
    }

    void readingStopsAtTheFieldBound()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxFields);
        QFETCH(bool, truncated);
        QFETCH(QStringList, header);
        QFETCH(Rows, rows);
        const CsvDocument document = CsvDocument::fromCsv(bytes, maxFields);
        QCOMPARE(document.isTruncated(), truncated);
        QCOMPARE(document.isEmpty(), header.isEmpty());
        QCOMPARE(document.header(), header);
        QCOMPARE(document.rows(), rows);
    }

    void emptyTextHasNoHeader()
    {
        QVERIFY(CsvDocument::fromCsv(QByteArray()).isEmpty());
        QVERIFY(CsvDocument::fromCsv(QByteArray("\xEF\xBB\xBF")).isEmpty());
        const CsvDocument blank = CsvDocument::fromCsv(QByteArray("\n"));
        QVERIFY(!blank.isEmpty());
        QCOMPARE(blank.header(), QStringList{QString()});
        QVERIFY(blank.rows().isEmpty());
    }

    void roundTripKeepsTrickyCells_data()
    {
        QTest::addColumn<QStringList>("cells");

        QTest::newRow("leading and trailing blanks")
            << QStringList{" lead", "trail ", "  both  ", " "};
        QTest::newRow("tabs at the edges") << QStringList{"\tx", "y\t", "\t"};
        QTest::newRow("quotes") << QStringList{"\"", "\"\"", "say \"hi\"", "\"lead", "end\""};
        QTest::newRow("commas") << QStringList{",", "a,b", " a , b "};
        QTest::newRow("line breaks") << QStringList{"a\nb", "a\r\nb", "\r", "\n", " \n ", "a\rb"};
        QTest::newRow("empty cells") << QStringList{"", "", "x", ""};
        QTest::newRow("chinese with blanks") << QStringList{" 几何内核 ", "中文,逗号"};
        QTest::newRow("everything at once") << QStringList{" \"a, b\"\r\n ", "", "plain"};
    }

    void roundTripKeepsTrickyCells()
    {
        QFETCH(QStringList, cells);
        QStringList header;
        for (int i = 0; i < cells.size(); ++i)
            header << QStringLiteral("c%1").arg(i);
        const Rows rows = {cells, header, cells};
        // The same cells as header too: header fields are read untrimmed.
        const CsvDocument document = CsvDocument::fromCsv(CsvDocument(cells, rows).toCsv());
        QCOMPARE(document.header(), cells);
        QCOMPARE(document.rows(), rows);
    }

    void roundTripKeepsEveryCell()
    {
        const QStringList header = {QStringLiteral("名称"), QStringLiteral("a,b"),
                                    QStringLiteral("\"q\"")};
        const Rows rows = {
            {QStringLiteral("CATIA, V5"), QStringLiteral("他说\"好\""),
             QStringLiteral("第一行\n第二行")},
            {QStringLiteral(","), QStringLiteral("\"\""), QStringLiteral("\r\n")},
            {QString(), QStringLiteral("几何内核"), QStringLiteral("x")},
        };
        const CsvDocument document = CsvDocument::fromCsv(CsvDocument(header, rows).toCsv());
        QCOMPARE(document.header(), header);
        QCOMPARE(document.rows(), rows);
    }
};

QTEST_GUILESS_MAIN(TestCsvDocument)
#include "tst_csvdocument.moc"
