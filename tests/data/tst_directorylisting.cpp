#include "data/DirectoryListing.h"
#include "data/EntrySummaryIndex.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/types.h>
#endif

namespace {

void touch(const QString& path, const QByteArray& bytes = "{}")
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QStringList pathsOf(const std::vector<DirectoryListing::File>& files)
{
    QStringList paths;
    for (const DirectoryListing::File& file : files)
        paths << file.path;
    return paths;
}

} // namespace

// The listings must give what QDir gives, entry for entry and in the same order:
// the tree's rows, the merge by id and the cache keys all follow from them.
class TestDirectoryListing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QDir root(m_root.path());
        for (const char* folder : {"kb/software/cad", "kb/software/cad/sub", "kb/.hidden",
                                   "kb/Beta", "kb/alpha", "kb/z.json", "kb/文章", "kb/x.md"})
            QVERIFY(root.mkpath(QString::fromUtf8(folder)));
        for (const char* file : {"kb/b.json",
                                 "kb/A.json",
                                 "kb/a2.json",
                                 "kb/C.JSON",
                                 "kb/.hidden.json",
                                 "kb/notes.txt",
                                 "kb/json",
                                 "kb/有限元.json",
                                 "kb/Ω.json",
                                 "kb/é.json",
                                 "kb/y.JsOn",
                                 "kb/x.jſon",
                                 "kb/K.md",
                                 "kb/ab.md.json",
                                 "kb/_x.json",
                                 "kb/software/cad/nx.json",
                                 "kb/software/cad/sub/deep.md",
                                 "kb/.hidden/secret.md",
                                 "kb/Beta/read.md",
                                 "kb/alpha/READ.MD",
                                 "kb/文章/说明.md",
                                 "kb/top.md",
                                 "kb/.top.md",
                                 "kb/x.md/inner.md"})
            touch(root.filePath(QString::fromUtf8(file)));
#ifndef Q_OS_WIN
        QVERIFY(QFile::link(root.filePath("kb/b.json"), root.filePath("kb/linked.json")));
        QVERIFY(QFile::link(root.filePath("kb/missing"), root.filePath("kb/broken.json")));
        QVERIFY(QFile::link(root.filePath("kb/Beta"), root.filePath("kb/linkedfolder")));
        QVERIFY(QFile::link(root.filePath("kb/top.md"), root.filePath("kb/alpha/link.md")));
        QVERIFY(::mkfifo(QFile::encodeName(root.filePath("kb/pipe.json")).constData(), 0600) == 0);
#endif
    }

    void filesAsQDirListsThem_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("suffix");
        const QString kb = QDir(m_root.path()).filePath("kb");
        QTest::newRow("json") << kb << ".json";
        QTest::newRow("trailing slash") << kb + "/"
                                        << ".json";
        QTest::newRow("two trailing slashes") << kb + "//"
                                              << ".json";
        QTest::newRow("markdown") << kb << ".md";
        QTest::newRow("nested") << kb + "/software/cad"
                                << ".json";
        QTest::newRow("missing folder") << kb + "/nowhere"
                                        << ".json";
        QTest::newRow("relative") << QDir::current().relativeFilePath(kb) << ".json";
    }

    void filesAsQDirListsThem()
    {
        QFETCH(QString, folder);
        QFETCH(QString, suffix);
        QStringList expected;
        for (const QFileInfo& info : QDir(folder).entryInfoList({"*" + suffix}, QDir::Files))
            expected << info.filePath();
        const std::vector<DirectoryListing::File> files = DirectoryListing::files(folder, suffix);
        QCOMPARE(pathsOf(files), expected);
        for (const DirectoryListing::File& file : files) {
            const std::optional<EntrySummaryIndex::FileStamp> stamp =
                EntrySummaryIndex::stampOf(file.path);
            QVERIFY(stamp);
            QVERIFY2(*stamp == file.stamp, qPrintable(file.path));
        }
    }

    void subfoldersAsQDirListsThem()
    {
        for (const QString& folder :
             {QDir(m_root.path()).filePath("kb"), QDir(m_root.path()).filePath("kb/software")}) {
            QStringList expected;
            for (const QFileInfo& info :
                 QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
                expected << info.filePath();
            QCOMPARE(DirectoryListing::subfolders(folder), expected);
        }
    }

    void filesBelowAsQDirIteratorFindsThem()
    {
        const QDir root(QDir(m_root.path()).filePath("kb"));
        QStringList expected;
        QDirIterator it(root.path(), {QStringLiteral("*.md")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            expected << root.relativeFilePath(it.next());
        QStringList found = DirectoryListing::filesBelow(root.path(), QStringLiteral(".md"));
        expected.sort();
        found.sort();
        QCOMPARE(found, expected);
        QVERIFY(found.contains(QStringLiteral("文章/说明.md")));
        QVERIFY(!found.contains(QStringLiteral(".hidden/secret.md")));
    }

private:
    QTemporaryDir m_root;
};

QTEST_GUILESS_MAIN(TestDirectoryListing)
#include "tst_directorylisting.moc"
