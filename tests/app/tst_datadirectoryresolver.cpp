#include "app/DataDirectoryResolver.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestDataDirectoryResolver : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;

    QString makeDir(const QString& relative)
    {
        const QString path = m_root.filePath(relative);
        QDir().mkpath(path);
        return path;
    }

private slots:
    void besideExecutableWinsSilently()
    {
        const QString app = makeDir("case1/app");
        makeDir("case1/app/data");
        const QString dev = makeDir("case1/dev/data");
        const QString cwd = makeDir("case1/cwd");
        makeDir("case1/cwd/data");
        // Any warning would fail the test: none is expected.
        QTest::failOnWarning(QRegularExpression(".*"));
        QCOMPARE(DataDirectoryResolver::resolve(app, dev, cwd), app + "/data");
    }

    void emptyDataDirectoryIsStillChosen()
    {
        const QString app = makeDir("case2/app");
        makeDir("case2/app/data");
        QCOMPARE(DataDirectoryResolver::resolve(app, makeDir("case2/dev/data"), app),
                 app + "/data");
    }

    void developmentPathIsSecond()
    {
        const QString app = makeDir("case3/app");
        const QString dev = makeDir("case3/dev/data");
        const QString cwd = makeDir("case3/cwd");
        makeDir("case3/cwd/data");
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Data directory does not exist at: " + app + "/data"));
        QTest::ignoreMessage(QtDebugMsg, qPrintable("Using development data path: " + dev));
        QCOMPARE(DataDirectoryResolver::resolve(app, dev, cwd), dev);
    }

    void workingDirectoryAfterOneWarning()
    {
        const QString app = makeDir("case4/app");
        const QString cwd = makeDir("case4/cwd");
        makeDir("case4/cwd/data");
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Data directory does not exist at: " + app + "/data"));
        QTest::ignoreMessage(
            QtDebugMsg, qPrintable("Using current working directory data path: " + cwd + "/data"));
        QTest::failOnWarning(QRegularExpression("No data directory found"));
        QCOMPARE(DataDirectoryResolver::resolve(app, QString(), cwd), cwd + "/data");
    }

    void missingDevelopmentPathFallsThrough()
    {
        const QString app = makeDir("case5/app");
        const QString cwd = makeDir("case5/cwd");
        makeDir("case5/cwd/data");
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Data directory does not exist at: " + app + "/data"));
        QCOMPARE(DataDirectoryResolver::resolve(app, m_root.filePath("case5/nowhere/data"), cwd),
                 cwd + "/data");
    }

    void nothingAnywhereGivesFirstCandidate()
    {
        const QString app = makeDir("case6/app");
        const QString cwd = makeDir("case6/cwd");
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Data directory does not exist at: " + app + "/data"));
        QTest::ignoreMessage(QtWarningMsg,
                             "No data directory found, will use embedded resources if available");
        const QString chosen = DataDirectoryResolver::resolve(app, QString(), cwd);
        QCOMPARE(chosen, app + "/data");
        QVERIFY(!QDir(chosen).exists());
    }

    void fileNamedDataIsNotADirectory()
    {
        const QString app = makeDir("case7/app");
        QFile file(app + "/data");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString cwd = makeDir("case7/cwd");
        makeDir("case7/cwd/data");
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Data directory does not exist at: " + app + "/data"));
        QCOMPARE(DataDirectoryResolver::resolve(app, QString(), cwd), cwd + "/data");
    }
};

QTEST_GUILESS_MAIN(TestDataDirectoryResolver)
#include "tst_datadirectoryresolver.moc"
