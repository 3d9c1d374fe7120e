#include "data/UserFileTakeover.h"

#include "TestDataDir.h"

#include <QtTest>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether taking the write permission of `folder` away binds this user (not root).
bool permissionsBind(const QString& folder)
{
    const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
    const bool binds = !probe.open(QIODevice::WriteOnly);
    probe.remove();
    QFile::setPermissions(folder, all);
    return binds;
}

const QString kFile = QStringLiteral("user_preferences.json");
const QStringList kBackup{QStringLiteral(".backup")};

} // namespace

class TestUserFileTakeover : public QObject
{
    Q_OBJECT

private slots:
    void copiesTheFileAndItsBackup()
    {
        TestDataDir oldFolder;
        TestDataDir newFolder;
        QVERIFY(oldFolder.write(kFile, "{\"favorites\": []}"));
        QVERIFY(oldFolder.write(kFile + ".backup", "{\"old\": true}"));
        const QDateTime before = QFileInfo(oldFolder.filePath(kFile)).lastModified();

        const UserFileTakeover::Result result =
            UserFileTakeover::takeOver(oldFolder.dataPath(), newFolder.dataPath(), kFile, kBackup);
        QVERIFY(result.ok());
        QCOMPARE(result.copied,
                 (QStringList{newFolder.filePath(kFile + ".backup"), newFolder.filePath(kFile)}));
        QCOMPARE(readBytes(newFolder.filePath(kFile)), QByteArray("{\"favorites\": []}"));
        QCOMPARE(readBytes(newFolder.filePath(kFile + ".backup")), QByteArray("{\"old\": true}"));
        // Copied, never moved or touched.
        QCOMPARE(readBytes(oldFolder.filePath(kFile)), QByteArray("{\"favorites\": []}"));
        QCOMPARE(readBytes(oldFolder.filePath(kFile + ".backup")), QByteArray("{\"old\": true}"));
        QCOMPARE(QFileInfo(oldFolder.filePath(kFile)).lastModified(), before);
        QCOMPARE(QDir(oldFolder.dataPath())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 (QStringList{kFile, kFile + ".backup"}));
    }

    void onlyOnce()
    {
        TestDataDir oldFolder;
        TestDataDir newFolder;
        QVERIFY(oldFolder.write(kFile, "old"));
        QVERIFY(newFolder.write(kFile, "mine"));
        const UserFileTakeover::Result result =
            UserFileTakeover::takeOver(oldFolder.dataPath(), newFolder.dataPath(), kFile, kBackup);
        QVERIFY(result.ok());
        QVERIFY(result.copied.isEmpty());
        QCOMPARE(readBytes(newFolder.filePath(kFile)), QByteArray("mine"));
    }

    void aBackupAlreadyThereStays()
    {
        TestDataDir oldFolder;
        TestDataDir newFolder;
        QVERIFY(oldFolder.write(kFile, "old"));
        QVERIFY(oldFolder.write(kFile + ".backup", "old backup"));
        QVERIFY(newFolder.write(kFile + ".backup", "my backup"));
        const UserFileTakeover::Result result =
            UserFileTakeover::takeOver(oldFolder.dataPath(), newFolder.dataPath(), kFile, kBackup);
        QVERIFY(result.ok());
        QCOMPARE(result.copied, QStringList{newFolder.filePath(kFile)});
        QCOMPARE(readBytes(newFolder.filePath(kFile + ".backup")), QByteArray("my backup"));
    }

    void nothingToTakeOver_data()
    {
        QTest::addColumn<bool>("sameFolder");
        QTest::addColumn<bool>("onlyBackup");
        QTest::addColumn<bool>("directory");
        QTest::newRow("no file") << false << false << false;
        QTest::newRow("only a backup") << false << true << false;
        QTest::newRow("a folder of that name") << false << false << true;
        QTest::newRow("same folder") << true << false << false;
    }

    void nothingToTakeOver()
    {
        QFETCH(bool, sameFolder);
        QFETCH(bool, onlyBackup);
        QFETCH(bool, directory);
        TestDataDir oldFolder;
        TestDataDir newFolder;
        if (sameFolder)
            QVERIFY(oldFolder.write(kFile, "x"));
        if (onlyBackup)
            QVERIFY(oldFolder.write(kFile + ".backup", "x"));
        if (directory)
            QVERIFY(oldFolder.mkdir(kFile));
        const QString target = sameFolder ? oldFolder.dataPath() + "./" : newFolder.dataPath();
        const UserFileTakeover::Result result =
            UserFileTakeover::takeOver(oldFolder.dataPath(), target, kFile, kBackup);
        QVERIFY(result.ok());
        QVERIFY(result.copied.isEmpty());
        QVERIFY(QDir(newFolder.dataPath())
                    .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }

    void missingDataDirectoryIsNotCreated()
    {
        TestDataDir newFolder;
        const QString missing = newFolder.filePath("bin/data");
        const UserFileTakeover::Result result =
            UserFileTakeover::takeOver(missing, newFolder.filePath("user"), kFile, kBackup);
        QVERIFY(result.ok());
        QVERIFY(!QFileInfo::exists(newFolder.filePath("bin")));
    }

    void unreadableOldFileIsReported()
    {
        TestDataDir oldFolder;
        TestDataDir newFolder;
        if (!permissionsBind(oldFolder.dataPath()))
            QSKIP("permissions do not bind this user (root)");
        QVERIFY(oldFolder.write(kFile, "secret"));
        QVERIFY(QFile::setPermissions(oldFolder.filePath(kFile), QFileDevice::WriteOwner));
        const UserFileTakeover::Result result =
            UserFileTakeover::takeOver(oldFolder.dataPath(), newFolder.dataPath(), kFile, kBackup);
        QFile::setPermissions(oldFolder.filePath(kFile),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(!result.ok());
        QCOMPARE(result.failedPath, oldFolder.filePath(kFile));
        QVERIFY(!result.error.isEmpty());
        QVERIFY(!QFileInfo::exists(newFolder.filePath(kFile)));
    }

    void failedWriteIsReported()
    {
        TestDataDir oldFolder;
        TestDataDir scratch;
        QVERIFY(oldFolder.write(kFile, "mine"));
        QVERIFY(oldFolder.write(kFile + ".backup", "backup"));
        // The caller creates the per-user folder; here nothing can be written into it.
        const QString missing = scratch.filePath("not/there");
        const UserFileTakeover::Result result =
            UserFileTakeover::takeOver(oldFolder.dataPath(), missing, kFile, kBackup);
        QVERIFY(!result.ok());
        QCOMPARE(result.failedPath, QDir(missing).filePath(kFile + ".backup"));
        QVERIFY(!result.error.isEmpty());
        QVERIFY(result.copied.isEmpty());
        QCOMPARE(readBytes(oldFolder.filePath(kFile)), QByteArray("mine"));
        QCOMPARE(readBytes(oldFolder.filePath(kFile + ".backup")), QByteArray("backup"));
    }

    void unwritableUserFolderIsReported()
    {
        TestDataDir oldFolder;
        TestDataDir newFolder;
        if (!permissionsBind(newFolder.dataPath()))
            QSKIP("permissions do not bind this user (root)");
        QVERIFY(oldFolder.write(kFile, "mine"));
        QVERIFY(QFile::setPermissions(newFolder.dataPath(),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const UserFileTakeover::Result result =
            UserFileTakeover::takeOver(oldFolder.dataPath(), newFolder.dataPath(), kFile);
        QFile::setPermissions(newFolder.dataPath(), QFileDevice::ReadOwner |
                                                        QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner);
        QVERIFY(!result.ok());
        QCOMPARE(result.failedPath, newFolder.filePath(kFile));
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(readBytes(oldFolder.filePath(kFile)), QByteArray("mine"));
    }
};

QTEST_GUILESS_MAIN(TestUserFileTakeover)
#include "tst_userfiletakeover.moc"
