#include "search/BoundedRegex.h"

#include <QRegularExpression>
#include <QtTest>

class TestBoundedRegex : public QObject
{
    Q_OBJECT

private slots:
    // Ordinary expressions answer exactly as QRegularExpression does.
    void matchesLikeQRegularExpression_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<bool>("caseSensitive");
        QTest::newRow("alternation") << "S-N|Lanczos"
                                     << "Block Lanczos method" << false;
        QTest::newRow("no hit") << "S-N|Lanczos"
                                << "Arnoldi" << false;
        QTest::newRow("caseless") << "parasolid"
                                  << "PARASOLID kernel" << false;
        QTest::newRow("case kept") << "parasolid"
                                   << "PARASOLID kernel" << true;
        QTest::newRow("ascii word class") << "^\\w+$"
                                          << "网格" << false;
        QTest::newRow("cjk literal") << "网格|求解"
                                     << "非结构网格生成" << false;
        QTest::newRow("anchor at start only") << "^kernel"
                                              << "a\nkernel" << false;
        QTest::newRow("dollar before final newline") << "kernel$"
                                                     << "kernel\n"
                                                     << false;
        QTest::newRow("dot stops at newline") << "a.b"
                                              << "a\nb" << false;
        QTest::newRow("empty subject") << "x*"
                                       << "" << false;
        QTest::newRow("backreference") << "(ab)\\1"
                                       << "xxababyy" << false;
        QTest::newRow("lookbehind") << "(?<=Open)FOAM"
                                    << "OpenFOAM" << false;
        QTest::newRow("surrogate pair") << "😀."
                                        << "a😀b" << false;
    }

    void matchesLikeQRegularExpression()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, subject);
        QFETCH(bool, caseSensitive);
        const QRegularExpression reference(
            pattern, caseSensitive ? QRegularExpression::NoPatternOption
                                   : QRegularExpression::CaseInsensitiveOption);
        BoundedRegex expression(pattern, caseSensitive);
        QVERIFY(expression.isValid());
        QCOMPARE(expression.matches(subject), reference.match(subject).hasMatch());
        QVERIFY(!expression.stopped());
    }

    void countAndWhole_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("whole");
        QTest::newRow("non-overlapping") << "aa"
                                         << "aaaaa" << 2 << false;
        QTest::newRow("empty matches are not counted") << "x*"
                                                       << "axxbx" << 2 << false;
        QTest::newRow("lazy: non-empty after empty") << "a??"
                                                     << "aa" << 2 << false;
        QTest::newRow("whole name") << "ansys fluent"
                                    << "Ansys Fluent" << 1 << true;
        QTest::newRow("whole through alternation") << "Ans|Ansys Fluent"
                                                   << "Ansys Fluent" << 1 << true;
        QTest::newRow("part of the name") << "fluent"
                                          << "Ansys Fluent" << 1 << false;
        QTest::newRow("none") << "cfx"
                              << "Ansys Fluent" << 0 << false;
        QTest::newRow("only empty matches") << "x*"
                                            << "Fluent" << 0 << false;
        QTest::newRow("empty subject") << "x*"
                                       << "" << 0 << false;
        QTest::newRow("surrogate pairs stepped whole") << "😀"
                                                       << "😀a😀" << 2 << false;
    }

    void countAndWhole()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, subject);
        QFETCH(int, count);
        QFETCH(bool, whole);
        BoundedRegex expression(pattern, false);
        QCOMPARE(expression.countMatches(subject), count);
        QCOMPARE(expression.matchesWhole(subject), whole);
        QCOMPARE(expression.matchesNonEmpty(subject), count > 0);
        QVERIFY(!expression.stopped());
    }

    void invalidExpressions_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("message");
        QTest::newRow("open parenthesis") << "("
                                          << "正则表达式无效: missing closing parenthesis (位置 1)";
        QTest::newRow("open bracket")
            << "S-N|["
            << "正则表达式无效: missing terminating ] for character class (位置 5)";
        QTest::newRow("nothing to repeat")
            << "*x"
            << "正则表达式无效: quantifier does not follow a repeatable item (位置 0)";
    }

    void invalidExpressions()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, message);
        BoundedRegex expression(pattern, false);
        QVERIFY(!expression.isValid());
        QVERIFY(!QRegularExpression(pattern).isValid());
        QCOMPARE(expression.errorMessage(), message);
        QVERIFY(!expression.matches(pattern));
        QCOMPARE(expression.countMatches(pattern), 0);
        QVERIFY(!expression.stopped());
    }

    // A catastrophic expression ends at the match limit instead of running for
    // minutes, and stays stopped.
    void runawayExpressionStops()
    {
        // The only "q" comes first: every split of the text among the four groups is
        // tried before the match at the start is found.
        const QString text = QStringLiteral("q") + QString(3000, QLatin1Char('x'));
        BoundedRegex expression(QStringLiteral("[\\s\\S]*[\\s\\S]*[\\s\\S]*[\\s\\S]*Q"), false);
        QVERIFY(expression.isValid());
        QVERIFY(expression.errorMessage().isEmpty());
        QVERIFY(!expression.matches(text));
        QVERIFY(expression.stopped());
        QCOMPARE(expression.stopReason(), BoundedRegex::Stop::TooComplex);
        QCOMPARE(expression.stopMessage(),
                 QStringLiteral("搜索已中止: 正则表达式过于复杂 (回溯次数超出上限), 请简化表达式"));
        // Stopped for good: even a trivial subject no longer matches.
        QVERIFY(!expression.matches(QStringLiteral("Q")));
        QCOMPARE(expression.countMatches(QStringLiteral("QQ")), 0);
    }

    void timeBudgetStops()
    {
        BoundedRegex expression(QStringLiteral("mesh"), false);
        QVERIFY(expression.matches(QStringLiteral("mesh")));
        expression.setTimeBudget(0);
        QVERIFY(!expression.matches(QStringLiteral("mesh")));
        QCOMPARE(expression.stopReason(), BoundedRegex::Stop::TimeBudget);
        QCOMPARE(expression.stopMessage(),
                 QStringLiteral("搜索已中止: 正则表达式搜索超过 0 秒, 请简化表达式"));

        BoundedRegex budgeted(QStringLiteral("mesh"), false);
        budgeted.setTimeBudget(BoundedRegex::kDefaultTimeBudgetMs);
        QVERIFY(budgeted.matches(QStringLiteral("mesh")));
        QVERIFY(!budgeted.stopped());
        QVERIFY(budgeted.stopMessage().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBoundedRegex)
#include "tst_boundedregex.moc"
