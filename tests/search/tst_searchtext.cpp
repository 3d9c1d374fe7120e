#include "search/SearchText.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Every start position tried in turn: what the scan must count.
int naiveCount(QStringView text, QStringView needle)
{
    if (needle.isEmpty())
        return 0;
    int count = 0;
    for (qsizetype i = 0; i + needle.size() <= text.size(); ++i)
        count += text.mid(i, needle.size()) == needle;
    return count;
}

} // namespace

class TestSearchText : public QObject
{
    Q_OBJECT

private slots:
    void countOverlapping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("expected");

        QTest::newRow("empty needle") << "abc"
                                      << "" << 0;
        QTest::newRow("empty text") << ""
                                    << "a" << 0;
        QTest::newRow("needle longer than text") << "ab"
                                                 << "abc" << 0;
        QTest::newRow("overlapping") << "aaa"
                                     << "aa" << 2;
        QTest::newRow("one character, long") << QString(37, u'a') << "a" << 37;
        QTest::newRow("pair across a block edge") << "xxxxxxxab"
                                                  << "ab" << 1;
        QTest::newRow("match ends at the text's end") << "0123456789abcdefan"
                                                      << "an" << 1;
        QTest::newRow("match starts at the last block start") << "01234567an"
                                                              << "an" << 1;
        QTest::newRow("longer needle, first two match only") << "ansyansxansys"
                                                             << "ansys" << 1;
        QTest::newRow("Chinese") << "有限元分析与有限元网格有限"
                                 << "有限元" << 2;
        QTest::newRow("high code units")
            << QString(20, QChar(0xffff)) << QString(2, QChar(0xffff)) << 19;
        QTest::newRow("no partial match past the end") << "abcdefghijklmnoa"
                                                       << "ab" << 1;
    }

    void countOverlapping()
    {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(int, expected);
        QCOMPARE(SearchText::countOverlapping(text, needle), expected);
        QCOMPARE(naiveCount(text, needle), expected);
    }

    // Texts and needles over a two-letter alphabet hit every block boundary and
    // every lane of the parallel scan.
    void countOverlappingMatchesNaiveScan()
    {
        QRandomGenerator random(20261209);
        for (int round = 0; round < 4000; ++round) {
            QString text(random.bounded(0, 70), Qt::Uninitialized);
            for (QChar& c : text)
                c = random.bounded(2) ? u'a' : u'b';
            QString needle(random.bounded(1, 6), Qt::Uninitialized);
            for (QChar& c : needle)
                c = random.bounded(2) ? u'a' : u'b';
            // A view into the middle of a longer string: the scan must not read past its end.
            const QString padded = text + QStringLiteral("ab");
            const QStringView view = QStringView(padded).left(text.size());
            QCOMPARE(SearchText::countOverlapping(view, needle), naiveCount(text, needle));
        }
    }
};

QTEST_GUILESS_MAIN(TestSearchText)
#include "tst_searchtext.moc"
