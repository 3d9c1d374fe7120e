#include "app/SessionState.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestSessionState : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString file(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void roundTrip()
    {
        SessionState state;
        state.geometry = QByteArray("\x01\x02geometry", 10);
        state.windowState = QByteArray("docks\0and tool bar", 18);
        state.splitterState = "splitter";
        state.viewMode = 3;
        state.zoomPercent = 175;
        state.lastPage = QStringLiteral("data/pictures/BIM 产品竞争关系图.png");
        {
            QSettings settings(file("round.ini"), QSettings::IniFormat);
            state.save(settings);
        }
        QSettings settings(file("round.ini"), QSettings::IniFormat);
        const SessionState loaded = SessionState::load(settings);
        QVERIFY(loaded == state);
        QCOMPARE(loaded.windowState.size(), 18);
        QCOMPARE(loaded.lastPage, state.lastPage);
    }

    void nothingSavedGivesDefaults()
    {
        QSettings settings(file("empty.ini"), QSettings::IniFormat);
        const SessionState loaded = SessionState::load(settings);
        QVERIFY(loaded == SessionState());
        QCOMPARE(loaded.viewMode, 0);
        QCOMPARE(loaded.zoomPercent, 100);
        QVERIFY(loaded.lastPage.isEmpty());
    }

    void damagedValuesFallBack_data()
    {
        QTest::addColumn<QVariant>("viewMode");
        QTest::addColumn<QVariant>("zoom");
        QTest::addColumn<int>("expectedMode");
        QTest::addColumn<int>("expectedZoom");
        QTest::newRow("in range") << QVariant(5) << QVariant(50) << 5 << 50;
        QTest::newRow("negative mode") << QVariant(-1) << QVariant(300) << 0 << 300;
        QTest::newRow("mode too large") << QVariant(6) << QVariant(100) << 0 << 100;
        QTest::newRow("zoom too small") << QVariant(1) << QVariant(10) << 1 << 100;
        QTest::newRow("zoom too large") << QVariant(1) << QVariant(1000) << 1 << 100;
        QTest::newRow("not numbers") << QVariant("x") << QVariant("big") << 0 << 100;
    }

    void damagedValuesFallBack()
    {
        QFETCH(QVariant, viewMode);
        QFETCH(QVariant, zoom);
        QFETCH(int, expectedMode);
        QFETCH(int, expectedZoom);
        const QString path = file("damaged.ini");
        QFile::remove(path);
        {
            QSettings settings(path, QSettings::IniFormat);
            SessionState().save(settings);
            settings.setValue("session/viewMode", viewMode);
            settings.setValue("session/zoom", zoom);
        }
        QSettings settings(path, QSettings::IniFormat);
        const SessionState loaded = SessionState::load(settings);
        QCOMPARE(loaded.viewMode, expectedMode);
        QCOMPARE(loaded.zoomPercent, expectedZoom);
    }

    void anotherVersionIsNotRestored()
    {
        const QString path = file("version.ini");
        {
            QSettings settings(path, QSettings::IniFormat);
            SessionState state;
            state.lastPage = "software/cad";
            state.viewMode = 2;
            state.save(settings);
            settings.setValue("session/version", SessionState::Version + 1);
        }
        QSettings settings(path, QSettings::IniFormat);
        QVERIFY(SessionState::load(settings) == SessionState());
    }
};

QTEST_GUILESS_MAIN(TestSessionState)
#include "tst_sessionstate.moc"
