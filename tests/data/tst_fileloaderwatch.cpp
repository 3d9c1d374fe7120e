#include "TestDataDir.h"
#include "data/FileLoader.h"

#include <QSignalSpy>
#include <QtTest>

// Which files the loader watches: each file it read from disk once, a removed
// and re-created file again.
class TestFileLoaderWatch : public QObject
{
    Q_OBJECT

private slots:
    void everyFileReadFromDiskIsWatchedOnce()
    {
        TestDataDir data;
        QStringList paths;
        for (int i = 0; i < 50; ++i) {
            const QString relative = QStringLiteral("software/cad/w%1.json").arg(i);
            QVERIFY(data.write(relative, QStringLiteral(R"({"id": "w%1"})").arg(i).toUtf8()));
            paths << data.filePath(relative);
        }
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        for (int round = 0; round < 2; ++round) {
            for (const QString& path : std::as_const(paths))
                QVERIFY(!loader.loadJsonFile(path).isEmpty());
        }
        QStringList watched = loader.watchedFiles();
        watched.sort();
        QStringList expected = paths;
        expected.sort();
        QCOMPARE(watched, expected);
    }

    void removedAndRecreatedFileIsWatchedAgain()
    {
        TestDataDir data;
        QVERIFY(data.write("software/cad/again.json", R"({"id": "one"})"));
        const QString path = data.filePath("software/cad/again.json");
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        QCOMPARE(loader.loadJsonFile(path).value("id").toString(), QStringLiteral("one"));
        QCOMPARE(loader.watchedFiles(), QStringList{path});

        QSignalSpy changed(&loader, &FileLoader::fileChanged);
        QVERIFY(QFile::remove(path));
        QVERIFY(changed.wait(5000));
        QVERIFY(!loader.watchedFiles().contains(path));

        QVERIFY(data.write("software/cad/again.json", R"({"id": "two"})"));
        QCOMPARE(loader.loadJsonFile(path).value("id").toString(), QStringLiteral("two"));
        QCOMPARE(loader.watchedFiles(), QStringList{path});
        changed.clear();
        QVERIFY(data.write("software/cad/again.json", R"({"id": "three"})"));
        QVERIFY(changed.wait(5000));
        QCOMPARE(loader.loadJsonFile(path).value("id").toString(), QStringLiteral("three"));
    }
};

QTEST_GUILESS_MAIN(TestFileLoaderWatch)
#include "tst_fileloaderwatch.moc"
