#include "app/InterfaceTranslators.h"
#include "prefs/RelativeTime.h"

#include <QtTest>

class TestRelativeTime : public QObject
{
    Q_OBJECT

private slots:
    void format_data()
    {
        QTest::addColumn<qint64>("secondsAgo");
        QTest::addColumn<QString>("expected");
        QTest::newRow("now") << qint64(0) << "刚刚";
        QTest::newRow("59 s") << qint64(59) << "刚刚";
        QTest::newRow("future") << qint64(-500) << "刚刚";
        QTest::newRow("60 s") << qint64(60) << "1分钟前";
        QTest::newRow("61 s") << qint64(61) << "1分钟前";
        QTest::newRow("59 min 59 s") << qint64(3599) << "59分钟前";
        QTest::newRow("1 h") << qint64(3600) << "1小时前";
        QTest::newRow("3 h 10 min") << qint64(3 * 3600 + 600) << "3小时前";
        QTest::newRow("23 h 59 min") << qint64(86399) << "23小时前";
        QTest::newRow("1 day") << qint64(86400) << "1天前";
        QTest::newRow("6 days") << qint64(6 * 86400) << "6天前";
        QTest::newRow("6 days 23 h") << qint64(604799) << "6天前";
        QTest::newRow("7 days") << qint64(604800) << "2024-05-13 10:20";
        QTest::newRow("8 days") << qint64(8 * 86400) << "2024-05-12 10:20";
    }

    void format()
    {
        QFETCH(qint64, secondsAgo);
        QFETCH(QString, expected);
        const QDateTime now(QDate(2024, 5, 20), QTime(10, 20, 30));
        QCOMPARE(RelativeTime::format(now.addSecs(-secondsAgo), now), expected);
    }

    void english_data()
    {
        QTest::addColumn<qint64>("secondsAgo");
        QTest::addColumn<QString>("expected");
        QTest::newRow("now") << qint64(5) << "just now";
        QTest::newRow("1 min") << qint64(119) << "1 minute ago";
        QTest::newRow("2 min") << qint64(120) << "2 minutes ago";
        QTest::newRow("1 h") << qint64(3600) << "1 hour ago";
        QTest::newRow("23 h") << qint64(86399) << "23 hours ago";
        QTest::newRow("1 day") << qint64(86400) << "1 day ago";
        QTest::newRow("6 days") << qint64(604799) << "6 days ago";
        QTest::newRow("7 days") << qint64(604800) << "2024-05-13 10:20";
    }

    void english()
    {
        QFETCH(qint64, secondsAgo);
        QFETCH(QString, expected);
        InterfaceTranslators translators;
        QVERIFY(translators.install(InterfaceLanguage::English));
        const QDateTime now(QDate(2024, 5, 20), QTime(10, 20, 30));
        QCOMPARE(RelativeTime::format(now.addSecs(-secondsAgo), now), expected);
    }
};

QTEST_GUILESS_MAIN(TestRelativeTime)
#include "tst_relativetime.moc"
