#include "data/AtomicFileWriter.h"

#include "../support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestAtomicFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void writesAndReplaces()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("notes.json");
        QVERIFY(AtomicFileWriter::write(path, "first"));
        QVERIFY(AtomicFileWriter::write(path, "second, longer"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("second, longer"));
        // No temporary files are left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"notes.json"});
    }

    void targetThatIsADirectoryFails()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("blocked.json"));
        QString error;
        QVERIFY(!AtomicFileWriter::write(dir.filePath("blocked.json"), "x", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(dir.filePath("blocked.json")).isDir());
    }

    void diskFullMidWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("notes.json");
        const QByteArray old(500, 'o');
        QVERIFY(AtomicFileWriter::write(path, old));
        QString error;
        bool written = true;
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.isActive());
            written = AtomicFileWriter::write(path, QByteArray(300, 'n'), &error);
        }
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"notes.json"});
    }

    void missingDirectoryFails()
    {
        QTemporaryDir dir;
        QVERIFY(!AtomicFileWriter::write(dir.filePath("no/such/dir/file.json"), "x"));
    }
};

QTEST_GUILESS_MAIN(TestAtomicFileWriter)
#include "tst_atomicfilewriter.moc"
