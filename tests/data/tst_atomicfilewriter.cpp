#include "data/AtomicFileWriter.h"

#include "../support/FileSizeLimit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

namespace {

bool makeFile(const QString& path, const QDateTime& modified)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("left") != 4 || !file.flush())
        return false;
    return file.setFileTime(modified, QFileDevice::FileModificationTime);
}

QStringList files(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

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

    void diskFullGivesTheSystemsReason()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("notes.json");
        QString error;
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.isActive());
            QVERIFY(!AtomicFileWriter::write(path, QByteArray(300, 'n'), &error));
        }
        QCOMPARE(error, qt_error_string(EFBIG));
    }

    void leftoversOfKilledWrites_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<int>("minimumAge"); // -1: a plain write(), which uses the default
        QTest::addColumn<bool>("removed");

        const int hour = 3600;
        QTest::newRow("old leftover, next write")
            << "notes.json.writing-a1b2c3" << 2 * hour << -1 << true;
        QTest::newRow("recent one may be a write in progress")
            << "notes.json.writing-a1b2c3" << 5 << -1 << false;
        QTest::newRow("recent one, under the file's lock")
            << "notes.json.writing-zz9zz9" << 0 << 0 << true;
        QTest::newRow("backup is no leftover") << "notes.json.backup" << 2 * hour << 0 << false;
        QTest::newRow("kept damaged copy is no leftover")
            << "notes.json.corrupt-20240101-000000" << 2 * hour << 0 << false;
        QTest::newRow("leftover of another file")
            << "other.json.writing-a1b2c3" << 2 * hour << 0 << false;
        QTest::newRow("too short") << "notes.json.writing-a1b2" << 2 * hour << 0 << false;
        QTest::newRow("not our letters") << "notes.json.writing-A1B2C3" << 2 * hour << 0 << false;
    }

    void leftoversOfKilledWrites()
    {
        QFETCH(QString, name);
        QFETCH(int, ageSeconds);
        QFETCH(int, minimumAge);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        const QString path = dir.filePath("notes.json");
        QVERIFY(AtomicFileWriter::write(path, "old"));
        QVERIFY(makeFile(dir.filePath(name), QDateTime::currentDateTime().addSecs(-ageSeconds)));

        if (minimumAge < 0)
            QVERIFY(AtomicFileWriter::write(path, "new"));
        else
            QCOMPARE(AtomicFileWriter::removeLeftovers(path, minimumAge), removed ? 1 : 0);
        QCOMPARE(QFile::exists(dir.filePath(name)), !removed);
        QVERIFY(QFile::exists(path));
    }

    void temporaryNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("temporary");
        QTest::newRow("ours") << "a.json.writing-0a9z00" << true;
        QTest::newRow("the file itself") << "a.json" << false;
        QTest::newRow("longer") << "a.json.writing-0a9z001" << false;
        QTest::newRow("other mark") << "a.json.wrting-0a9z00" << false;
    }

    void temporaryNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, temporary);
        QCOMPARE(AtomicFileWriter::isTemporaryOf(name, "a.json"), temporary);
    }

    void keepsThePermissionsOfTheFileItReplaces()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("notes.json");
        QVERIFY(AtomicFileWriter::write(path, "first"));
        const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                 QFile::WriteUser | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(path, permissions));
        QVERIFY(AtomicFileWriter::write(path, "second"));
        QCOMPARE(QFile::permissions(path) & ~(QFile::ReadOther | QFile::WriteOther), permissions);
        QCOMPARE(files(dir.path()), QStringList{"notes.json"});
    }

    void missingDirectoryFails()
    {
        QTemporaryDir dir;
        QVERIFY(!AtomicFileWriter::write(dir.filePath("no/such/dir/file.json"), "x"));
    }
};

QTEST_GUILESS_MAIN(TestAtomicFileWriter)
#include "tst_atomicfilewriter.moc"
