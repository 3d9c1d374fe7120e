#include "TestDataDir.h"
#include "data/EmbeddedDataAdapter.h"
#include "data/EntryFileDeleter.h"

#include <QtTest>

Q_DECLARE_METATYPE(EntryFileDeleter::Outcome)

namespace {

// Runs code with another working directory and restores it.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const QString& path) : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

class TestEntryFileDeleter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void dataRelativeKey_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("dataPath");
        QTest::addColumn<QString>("key");
        QTest::newRow("below the data directory") << "/kb/root/companies/x.json"
                                                  << "/kb/root/"
                                                  << "companies/x.json";
        QTest::newRow("data directory without slash") << "/kb/root/software/cad/x.json"
                                                      << "/kb/root"
                                                      << "software/cad/x.json";
        QTest::newRow("embedded key") << "data/companies/x.json"
                                      << "/kb/root/"
                                      << "companies/x.json";
        QTest::newRow("relative data directory") << "data/companies/x.json"
                                                 << "data/"
                                                 << "companies/x.json";
        QTest::newRow("already data-relative") << "companies/x.json"
                                               << "/kb/root/"
                                               << "companies/x.json";
        QTest::newRow("outside the data directory") << "/elsewhere/x.json"
                                                    << "/kb/root/"
                                                    << "";
        QTest::newRow("sibling with a common prefix") << "/kb/rootless/x.json"
                                                      << "/kb/root"
                                                      << "";
    }
    void dataRelativeKey()
    {
        QFETCH(QString, path);
        QFETCH(QString, dataPath);
        QFETCH(QString, key);
        QCOMPARE(EntryFileDeleter::dataRelativeKey(path, dataPath), key);
    }

    void remove_data()
    {
        QTest::addColumn<QString>("path"); // "@" stands for the data directory
        QTest::addColumn<QString>("diskFile");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<EntryFileDeleter::Outcome>("outcome");
        QTest::addColumn<QString>("embeddedKey");
        using O = EntryFileDeleter::Outcome;
        QTest::newRow("embedded only")
            << "data/companies/ansys.json"
            << "" << QByteArray() << O::EmbeddedOnly << "data/companies/ansys.json";
        QTest::newRow("embedded key with a copy on disk")
            << "data/companies/ansys.json"
            << "companies/ansys.json" << QByteArray(R"({"id":"ansys"})")
            << O::DeletedEmbeddedRemains << "data/companies/ansys.json";
        QTest::newRow("disk only")
            << "@software/cad/qv_new.json"
            << "software/cad/qv_new.json" << QByteArray(R"({"id":"qv_new"})") << O::Deleted << "";
        QTest::newRow("disk file shadowing an embedded id")
            << "@software/cad/qv_catia_copy.json"
            << "software/cad/qv_catia_copy.json" << QByteArray(R"({"id":"catia"})")
            << O::DeletedEmbeddedRemains << "data/software/cad/catia.json";
        QTest::newRow("same id in another folder")
            << "@software/cae/qv_other.json"
            << "software/cae/qv_other.json" << QByteArray(R"({"id":"catia"})") << O::Deleted << "";
        QTest::newRow("data-relative key")
            << "software/cad/qv_rel.json"
            << "software/cad/qv_rel.json" << QByteArray("{}") << O::Deleted << "";
        QTest::newRow("missing") << "@software/cad/qv_gone.json"
                                 << "" << QByteArray() << O::NotFound << "";
    }
    void remove()
    {
        QFETCH(QString, path);
        QFETCH(QString, diskFile);
        QFETCH(QByteArray, content);
        QFETCH(EntryFileDeleter::Outcome, outcome);
        QFETCH(QString, embeddedKey);

        TestDataDir data;
        if (!diskFile.isEmpty())
            QVERIFY(data.write(diskFile, content));
        // The working directory holds files of the same names; they are another tree.
        TestDataDir elsewhere;
        const QStringList decoys{"data/companies/ansys.json", "software/cad/qv_rel.json",
                                 "data/software/cad/qv_new.json"};
        for (const QString& decoy : decoys)
            QVERIFY(elsewhere.write(decoy, "{}"));
        WorkingDirectory cwd(elsewhere.filePath(""));

        path.replace("@", data.dataPath());
        const EntryFileDeleter::Result result = EntryFileDeleter::remove(path, data.dataPath());
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(result.embeddedKey, embeddedKey);
        const QString expectedDisk =
            data.dataPath() + (diskFile.isEmpty()
                                   ? EntryFileDeleter::dataRelativeKey(path, data.dataPath())
                                   : diskFile);
        QCOMPARE(result.diskPath, expectedDisk);
        QVERIFY(!QFile::exists(result.diskPath));
        QVERIFY(result.error.isEmpty());
        for (const QString& decoy : decoys)
            QVERIFY2(QFile::exists(elsewhere.filePath(decoy)), qPrintable(decoy));
    }
};

QTEST_MAIN(TestEntryFileDeleter)
#include "tst_entryfiledeleter.moc"
