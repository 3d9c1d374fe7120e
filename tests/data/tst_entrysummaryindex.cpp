#include "TestDataDir.h"
#include "data/AtomicFileWriter.h"
#include "data/EmbeddedDataAdapter.h"
#include "data/EntrySummaryIndex.h"
#include "data/FileLoader.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QtTest>

namespace {

QStringList valuesOf(const QJsonArray& list, const char* key)
{
    QStringList values;
    for (const QJsonValue& value : list)
        values << value.toObject().value(QLatin1String(key)).toVariant().toString();
    return values;
}

void useIndex(FileLoader& loader, const TestDataDir& data, const QString& indexFile)
{
    loader.setSummaryIndexPath(indexFile);
    loader.setDataPath(data.dataPath());
}

// The names of one run's company summaries; the run writes the index when it ends.
QStringList companySummaryNames(const TestDataDir& data, const QString& indexFile)
{
    FileLoader loader;
    useIndex(loader, data, indexFile);
    return valuesOf(loader.getCompaniesList(FileLoader::ListForm::Summary), "name");
}

// One company "Old" on disk, listed once so that the index holds its summary.
bool indexOneCompany(TestDataDir& data, const QString& indexFile)
{
    return data.write("companies/qv_c.json", R"({"id":"qv_c","name":"Old"})") &&
           companySummaryNames(data, indexFile) == QStringList{"Old"};
}

} // namespace

Q_DECLARE_METATYPE(EntrySummaryIndex::FileStamp)

class TestEntrySummaryIndex : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void summaryKeepsNamingKeysOnly()
    {
        const QJsonObject entry{{"id", "a"},
                                {"name", "Alpha"},
                                {"currentVersion", 2024},
                                {"description", QJsonObject{{"zh", "描述"}}},
                                {"features", QJsonArray{"x"}}};
        const QJsonObject expected{{"id", "a"}, {"name", "Alpha"}, {"currentVersion", 2024}};
        QCOMPARE(EntrySummaryIndex::summarize(entry), expected);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QJsonObject>("summary");
        QTest::newRow("texts") << QJsonObject{
            {"id", "nx"}, {"name", "NX"}, {"currentVersion", "2506"}};
        QTest::newRow("number version") << QJsonObject{{"title", "T"}, {"currentVersion", 2024.5}};
        QTest::newRow("odd types") << QJsonObject{{"name", QJsonObject{{"zh", "名"}}},
                                                  {"currentVersion", true},
                                                  {"fileName", QJsonValue::Null}};
        QTest::newRow("nothing to name it") << QJsonObject();
        QTest::newRow("chinese") << QJsonObject{{"name", "中望3D"}, {"id", "zw3d"}};
    }
    void roundTrip()
    {
        QFETCH(QJsonObject, summary);
        QTemporaryDir dir;
        const QString file = dir.filePath("index.idx");
        const EntrySummaryIndex::FileStamp stamp{10, 20, 30, 40};
        {
            EntrySummaryIndex index(file);
            index.insert("/kb/a.json", stamp, summary);
            QVERIFY(index.save());
        }
        EntrySummaryIndex again(file);
        const std::optional<QJsonObject> found = again.find("/kb/a.json", stamp);
        QVERIFY(found);
        QCOMPARE(*found, summary);
        QVERIFY(!again.find("/kb/b.json", stamp));
    }

    void anyChangeOfTheFileMissesTheRecord_data()
    {
        QTest::addColumn<EntrySummaryIndex::FileStamp>("other");
        QTest::newRow("size") << EntrySummaryIndex::FileStamp{11, 20, 30, 40};
        QTest::newRow("modified") << EntrySummaryIndex::FileStamp{10, 21, 30, 40};
        QTest::newRow("changed") << EntrySummaryIndex::FileStamp{10, 20, 31, 40};
        QTest::newRow("other file") << EntrySummaryIndex::FileStamp{10, 20, 30, 41};
        QTest::newRow("unreadable") << EntrySummaryIndex::FileStamp{};
    }
    void anyChangeOfTheFileMissesTheRecord()
    {
        QFETCH(EntrySummaryIndex::FileStamp, other);
        EntrySummaryIndex index(QString{});
        index.insert("k", {10, 20, 30, 40}, QJsonObject{{"id", "x"}});
        QVERIFY(!index.find("k", other));
        QVERIFY(index.find("k", {10, 20, 30, 40}));
    }

    void rewriteOfTheSameSizeChangesTheStamp()
    {
        TestDataDir data;
        QVERIFY(data.write("a.json", R"({"name":"v1"})"));
        const auto before = EntrySummaryIndex::stampOf(data.filePath("a.json"));
        QVERIFY(before);
        QVERIFY(AtomicFileWriter::write(data.filePath("a.json"), R"({"name":"v2"})"));
        const auto after = EntrySummaryIndex::stampOf(data.filePath("a.json"));
        QVERIFY(after);
        QCOMPARE(after->size, before->size);
        QVERIFY(!(*after == *before));
        QVERIFY(!EntrySummaryIndex::stampOf(data.filePath("missing.json")));
        QVERIFY(!EntrySummaryIndex::stampOf(data.dataPath())); // a folder is no entry file
    }

    void saveKeepsOnlyWhatThisRunUsed()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("index.idx");
        const EntrySummaryIndex::FileStamp stamp{1, 2, 3, 4};
        {
            EntrySummaryIndex index(file);
            index.insert("a", stamp, QJsonObject{{"id", "a"}});
            index.insert("b", stamp, QJsonObject{{"id", "b"}});
            QVERIFY(index.save());
        }
        {
            EntrySummaryIndex index(file);
            QVERIFY(index.find("a", stamp));
            index.insert("c", stamp, QJsonObject{{"id", "c"}});
            QVERIFY(index.save());
        }
        EntrySummaryIndex index(file);
        QVERIFY(index.find("a", stamp));
        QVERIFY(!index.find("b", stamp));
        QVERIFY(index.find("c", stamp));
    }

    void damagedIndexIsEmpty_data()
    {
        QTest::addColumn<int>("cut"); // bytes taken off the end; negative: the size kept
        QTest::newRow("last byte") << 1;
        QTest::newRow("half") << -2;
        QTest::newRow("inside the last stamp") << 40;
        QTest::newRow("header only") << -12;
        QTest::newRow("inside the header") << -11;
    }
    void damagedIndexIsEmpty()
    {
        QFETCH(int, cut);
        QTemporaryDir dir;
        const QString file = dir.filePath("index.idx");
        const EntrySummaryIndex::FileStamp stamp{1, 2, 3, 4};
        {
            EntrySummaryIndex index(file);
            for (int i = 0; i < 20; ++i)
                index.insert(QString::number(i), stamp, QJsonObject{{"name", "名字"}});
            QVERIFY(index.save());
        }
        QFile bytes(file);
        QVERIFY(bytes.open(QIODevice::ReadWrite));
        const qint64 size = bytes.size();
        QVERIFY(bytes.resize(cut > 0 ? size - cut : cut == -2 ? size / 2 : -cut));
        bytes.close();
        EntrySummaryIndex index(file);
        for (int i = 0; i < 20; ++i)
            QVERIFY(!index.find(QString::number(i), stamp));
    }

    void absurdCountIsNoRecord()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("index.idx");
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out.setByteOrder(QDataStream::LittleEndian);
            out << quint32(0x51564958) << quint32(3) << quint32(0xFFFFFFFF);
        }
        QVERIFY(AtomicFileWriter::write(file, bytes));
        EntrySummaryIndex index(file);
        QVERIFY(!index.find("a", {1, 2, 3, 4}));
    }

    void failedSaveSaysWhy()
    {
        TestDataDir data;
        QVERIFY(data.write("file", "x"));
        EntrySummaryIndex index(data.filePath("file/index.idx")); // below a file: no folder
        index.insert("a", {1, 2, 3, 4}, {});
        QString error;
        QVERIFY(!index.save(&error));
        QVERIFY(!error.isEmpty());
        QVERIFY(index.isDirty());
    }

    // The tree's lists: the same entries, order and naming keys whether the files were
    // parsed (first run) or taken from the index (later runs, nothing parsed).
    void summariesFromTheIndexMatchTheParsedLists()
    {
        TestDataDir data;
        QVERIFY(data.write("software/cad/qv_b.json",
                           R"({"id":"qv_b","name":"Beta","currentVersion":2024,"x":[1]})"));
        QVERIFY(data.write("software/cad/qv_a.json", R"({"id":"qv_a","title":"Alpha"})"));
        QVERIFY(data.write("software/cad/qv_own.json",
                           R"({"id":"qv_own","_filePath":"elsewhere.json"})"));
        QVERIFY(data.write("software/cad/qv_bad.json", "{ not json"));
        QVERIFY(data.write("software/cad/qv_empty.json", "{}"));
        QTemporaryDir cache;
        const QString indexFile = cache.filePath("index.idx");

        QJsonArray full;
        QJsonArray firstRun;
        {
            FileLoader loader;
            useIndex(loader, data, indexFile);
            firstRun = loader.getSoftwareList("cad", FileLoader::ListForm::Summary);
            full = loader.getSoftwareList("cad");
        }
        FileLoader loader;
        useIndex(loader, data, indexFile);
        const QJsonArray later = loader.getSoftwareList("cad", FileLoader::ListForm::Summary);
        QVERIFY(!loader.isCached(data.filePath("software/cad/qv_b.json")));

        QCOMPARE(full.size(), 3);
        for (const QJsonArray& list : {firstRun, later}) {
            QCOMPARE(list.size(), full.size());
            for (const char* key : {"_filePath", "id", "name", "title", "currentVersion"})
                QCOMPARE(valuesOf(list, key), valuesOf(full, key));
        }
        QCOMPARE(later.at(1).toObject().value("currentVersion"), QJsonValue(2024)); // qv_b
    }

    void aFileChangedBetweenRunsIsReadAgain()
    {
        TestDataDir data;
        QTemporaryDir cache;
        const QString indexFile = cache.filePath("index.idx");
        QVERIFY(indexOneCompany(data, indexFile));
        QVERIFY(data.write("companies/qv_c.json", R"({"id":"qv_c","name":"New"})"));
        QCOMPARE(companySummaryNames(data, indexFile), QStringList{"New"});
    }

    // A file listed from the index is not watched itself; a save that replaces it
    // changes its folder, and that is announced as a change of the file.
    void replacedIndexedFileIsAnnounced()
    {
        TestDataDir data;
        QTemporaryDir cache;
        const QString indexFile = cache.filePath("index.idx");
        QVERIFY(indexOneCompany(data, indexFile));
        FileLoader loader;
        useIndex(loader, data, indexFile);
        loader.loadAllData(false);
        loader.getCompaniesList(FileLoader::ListForm::Summary);
        QSignalSpy changed(&loader, &FileLoader::fileChanged);
        QVERIFY(AtomicFileWriter::write(data.filePath("companies/qv_c.json"),
                                        R"({"id":"qv_c","name":"New"})"));
        QVERIFY(changed.wait(5000));
        QCOMPARE(changed.first().first().toString(), data.filePath("companies/qv_c.json"));
        QCOMPARE(valuesOf(loader.getCompaniesList(), "name"), QStringList{"New"});
    }
};

QTEST_GUILESS_MAIN(TestEntrySummaryIndex)
#include "tst_entrysummaryindex.moc"
