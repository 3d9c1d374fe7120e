#include "TestDataDir.h"
#include "data/DataManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "data/FileLoader.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QtTest>

namespace {

QStringList embeddedKeys(const QString& prefix, const QString& suffix)
{
    QStringList keys;
    for (const QString& key : EmbeddedDataAdapter::instance().getAvailableResources()) {
        if (key.startsWith(prefix) && key.endsWith(suffix))
            keys << key;
    }
    return keys;
}

QStringList values(const QJsonArray& array, const QString& key)
{
    QStringList result;
    for (const QJsonValue& value : array)
        result << value.toObject().value(key).toString();
    return result;
}

} // namespace

class TestDataManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    // A folder on disk wins over the embedded copy, even where it has fewer files.
    void folderFilesOnDisk()
    {
        TestDataDir data;
        QVERIFY(data.write("disciplines/fluid/b.json", "{}"));
        QVERIFY(data.write("disciplines/fluid/A.json", "{}"));
        QVERIFY(data.write("disciplines/fluid/sub/c.json", "{}"));
        QVERIFY(data.write("disciplines/fluid/n.md", "# n"));
        QVERIFY(data.mkdir("disciplines/empty"));
        DataManager manager;
        manager.setDataPath(data.dataPath());
        bool exists = false;
        QCOMPARE(manager.folderFiles("disciplines/fluid", ".json", &exists),
                 (QStringList{data.filePath("disciplines/fluid/A.json"),
                              data.filePath("disciplines/fluid/b.json")}));
        QVERIFY(exists);
        QCOMPARE(manager.folderFiles("disciplines/fluid", ".md"),
                 QStringList{data.filePath("disciplines/fluid/n.md")});
        QVERIFY(manager.folderFiles("disciplines/empty", ".json", &exists).isEmpty());
        QVERIFY(exists);
    }

    void noDataDirectoryServesEmbeddedLists()
    {
        TestDataDir scratch;
        DataManager manager;
        manager.setDataPath(scratch.filePath("no_such_data"));
        QCOMPARE(manager.dataPath(), scratch.filePath("no_such_data") + "/");
        manager.initialize();

        const QStringList cadKeys = embeddedKeys("data/software/cad/", ".json");
        QVERIFY(!cadKeys.isEmpty());
        const QJsonArray cad = manager.getSoftwareList("CAD");
        QCOMPARE(values(cad, "_filePath"), cadKeys);
        for (const QJsonValue& value : cad)
            QCOMPARE(value.toObject().value("isEmbedded").toBool(), true);
        // Lower-case and upper-case category find the same embedded entries.
        QCOMPARE(manager.getSoftwareList("cad"), cad);

        const QJsonArray companies = manager.getCompaniesList();
        QCOMPARE(values(companies, "_filePath"), embeddedKeys("data/companies/", ".json"));
        QVERIFY(companies.size() > 0);

        const QStringList pngKeys = embeddedKeys("data/pictures/", ".png");
        const QJsonArray pictures = manager.getPicturesList();
        QCOMPARE(values(pictures, "_filePath"), pngKeys);
        QVERIFY(!pictures.isEmpty());
        const QJsonObject picture = pictures.first().toObject();
        const QString fileName = pngKeys.first().section('/', -1);
        QCOMPARE(picture.value("fileName").toString(), fileName);
        QCOMPARE(picture.value("id").toString(), fileName.chopped(4));
        QCOMPARE(picture.value("type").toString(), QStringLiteral("image"));
        QCOMPARE(picture.value("category").toString(), QStringLiteral("pictures"));
        QCOMPARE(picture.value("extension").toString(), QStringLiteral("png"));
        QCOMPARE(picture.value("isEmbedded").toBool(), true);
        QCOMPARE(picture.value("description").toObject().value("zh").toString(),
                 "图片文件: " + fileName);
        QCOMPARE(picture.value("description").toObject().value("en").toString(),
                 "Image file: " + fileName);

        // Technologies and disciplines come from the compiled-in copy as well.
        const QStringList kernelKeys = embeddedKeys("data/technologies/kernels/", ".json");
        QVERIFY(!kernelKeys.isEmpty());
        QCOMPARE(values(manager.getTechnologiesList("kernels"), "_filePath"), kernelKeys);
        QCOMPARE(values(manager.getTechnologiesList(), "_filePath"),
                 embeddedKeys("data/technologies/", ".json"));
        const QStringList disciplineKeys = embeddedKeys("data/disciplines/", ".json");
        QVERIFY(!disciplineKeys.isEmpty());
        QCOMPARE(values(manager.getDisciplinesList(), "_filePath"), disciplineKeys);
        QCOMPARE(values(manager.getDisciplinesList("fluid/high_speed"), "_filePath"),
                 embeddedKeys("data/disciplines/fluid/high_speed/", ".json"));

        // One folder's own files, not its subfolders', sorted by name.
        bool exists = false;
        const QStringList fluid = manager.folderFiles("disciplines/fluid", ".json", &exists);
        QVERIFY(exists);
        QCOMPARE(fluid, (QStringList{"data/disciplines/fluid/cfd_simulation_workflow.json",
                                     "data/disciplines/fluid/fluid_dynamics_fundamentals.json"}));
        QCOMPARE(manager.folderFiles("disciplines/fluid", ".md"),
                 QStringList{"data/disciplines/fluid/turbulence_modeling_guide.md"});
        QVERIFY(manager.folderFiles("disciplines/no_such", ".json", &exists).isEmpty());
        QVERIFY(!exists);
        QVERIFY(manager.getAllEntries().isEmpty());
        QVERIFY(manager.getCategories().contains("disciplineCategories"));
    }

    void initializeLoadsTwice()
    {
        TestDataDir data;
        DataManager manager;
        manager.setDataPath(data.dataPath());
        QSignalSpy loaded(&manager, &DataManager::dataLoaded);
        manager.initialize();
        QCOMPARE(loaded.count(), 2);
    }

    void diskEntriesMergeWithEmbedded()
    {
        TestDataDir data;
        // Same id as an embedded entry: the disk position and path win, the content is embedded.
        QVERIFY(data.write("software/cad/autocad.json", R"({"id":"autocad","name":"disk"})"));
        // Two disk files with one id: the last one wins, at the first one's place.
        QVERIFY(data.write("software/cad/qv_dup_1.json", R"({"id":"qv_dup","name":"first"})"));
        QVERIFY(data.write("software/cad/qv_dup_2.json", R"({"id":"qv_dup","name":"second"})"));
        // Entries without id never collapse.
        QVERIFY(data.write("software/cad/qv_noid_1.json", R"({"name":"anonymous 1"})"));
        QVERIFY(data.write("software/cad/qv_noid_2.json", R"({"name":"anonymous 2"})"));

        DataManager manager;
        manager.setDataPath(data.dataPath());
        manager.initialize();
        const QJsonArray list = manager.getSoftwareList("cad");

        const QJsonObject first = list.at(0).toObject();
        QCOMPARE(first.value("_filePath").toString(), data.filePath("software/cad/autocad.json"));
        QVERIFY(!first.contains("isEmbedded"));
        QCOMPARE(first.value("name").toString(),
                 EmbeddedDataAdapter::instance()
                     .loadEmbeddedJson("data/software/cad/autocad.json")
                     .value("name")
                     .toString());

        const QJsonObject dup = list.at(1).toObject();
        QCOMPARE(dup.value("name").toString(), QStringLiteral("second"));
        QCOMPARE(dup.value("_filePath").toString(), data.filePath("software/cad/qv_dup_2.json"));
        QCOMPARE(list.at(2).toObject().value("name").toString(), QStringLiteral("anonymous 1"));
        QCOMPARE(list.at(3).toObject().value("name").toString(), QStringLiteral("anonymous 2"));

        // Then every embedded entry except the one already read from disk, in key order.
        QStringList expectedTail = embeddedKeys("data/software/cad/", ".json");
        expectedTail.removeAll("data/software/cad/autocad.json");
        QCOMPARE(values(list, "_filePath").mid(4), expectedTail);
        QCOMPARE(list.size(), 4 + expectedTail.size());
    }

    void mergeRule_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QString>("expected");
        QTest::newRow("replace keeps position")
            << R"([{"id":"a","v":1},{"id":"b","v":2},{"id":"a","v":3}])" << true
            << R"([{"id":"a","v":3},{"id":"b","v":2}])";
        QTest::newRow("without replacement drops")
            << R"([{"id":"a","v":1},{"id":"a","v":3}])" << false << R"([{"id":"a","v":1}])";
        QTest::newRow("non-objects skipped, empty ids kept")
            << R"([1,"x",{"v":1},{"id":"","v":2},{"v":3}])" << true
            << R"([{"v":1},{"id":"","v":2},{"v":3}])";
    }

    void mergeRule()
    {
        QFETCH(QString, input);
        QFETCH(bool, replace);
        QFETCH(QString, expected);
        QJsonArray output;
        QSet<QString> seen;
        DataManager::mergeById(output, seen, QJsonDocument::fromJson(input.toUtf8()).array(),
                               replace);
        QCOMPARE(output, QJsonDocument::fromJson(expected.toUtf8()).array());
    }

    void diskOnlyCompanyIsHiddenByEmbeddedCompanies()
    {
        TestDataDir data;
        QVERIFY(data.write("companies/qv_only_on_disk.json", R"({"id":"qv_only_on_disk"})"));
        DataManager manager;
        manager.setDataPath(data.dataPath());
        manager.initialize();
        const QJsonArray companies = manager.getCompaniesList();
        QVERIFY(!values(companies, "id").contains("qv_only_on_disk"));
        QCOMPARE(values(companies, "_filePath"), embeddedKeys("data/companies/", ".json"));
    }

    void diskPictures()
    {
        TestDataDir data;
        QVERIFY(data.write("pictures/CAE 厂商关系 (示例).jpg", QByteArray(1536, 'x')));
        QVERIFY(data.write("pictures/legacy.TIF", QByteArray(10, 'y')));
        QVERIFY(data.write("pictures/readme.txt", "not a picture"));
        const QJsonArray records = DataManager::diskPictureRecords(data.filePath("pictures"));
        QCOMPARE(records.size(), 2);
        QJsonObject jpg;
        QJsonObject tif;
        for (const QJsonValue& value : records) {
            const QJsonObject record = value.toObject();
            (record.value("extension").toString() == "jpg" ? jpg : tif) = record;
        }
        QCOMPARE(jpg.value("id").toString(), QStringLiteral("CAE 厂商关系 (示例)"));
        QCOMPARE(jpg.value("fileName").toString(), QStringLiteral("CAE 厂商关系 (示例).jpg"));
        QCOMPARE(jpg.value("_filePath").toString(),
                 data.filePath("pictures") + "/CAE 厂商关系 (示例).jpg");
        QCOMPARE(jpg.value("size").toString(), QStringLiteral("1536"));
        QVERIFY(QDateTime::fromString(jpg.value("lastModified").toString(), Qt::ISODate).isValid());
        QVERIFY(!jpg.contains("isEmbedded"));
        QCOMPARE(tif.value("extension").toString(), QStringLiteral("tif"));
        QCOMPARE(tif.value("size").toString(), QStringLiteral("10"));
    }

    void technologiesAndDisciplinesFromDisk()
    {
        TestDataDir data;
        QVERIFY(data.write("technologies/kernels/qv_kernel.json", R"({"id":"qv_kernel"})"));
        QVERIFY(data.write("disciplines/structural/qv_ref.json",
                           R"({"title":"Beam","description":"纯文本描述"})"));
        QVERIFY(data.write("disciplines/structural/explicit_dynamics/qv_crash.json",
                           R"({"name":"Crash"})"));
        QVERIFY(data.write("disciplines/fluid/qv_fluid.json", R"({"name":"Flow"})"));
        DataManager manager;
        manager.setDataPath(data.dataPath());
        manager.initialize();
        QCOMPARE(values(manager.getTechnologiesList("kernels"), "id"), QStringList{"qv_kernel"});
        QCOMPARE(manager.getDisciplinesList("structural").size(), 2);
        QCOMPARE(values(manager.getDisciplinesList("structural/explicit_dynamics"), "name"),
                 QStringList{"Crash"});
        QCOMPARE(manager.getDisciplinesList().size(), 3);
        QCOMPARE(manager.getDisciplinesList("structural")
                     .first()
                     .toObject()
                     .value("description")
                     .toString(),
                 QStringLiteral("纯文本描述"));
        QCOMPARE(manager.getAllEntries().size(), 4);
    }

    void fileChangeDropsListCache()
    {
        TestDataDir data;
        QVERIFY(
            data.write("technologies/mesh/qv_mesher.json", R"({"id":"qv_mesher","name":"v1"})"));
        DataManager manager;
        manager.setDataPath(data.dataPath());
        manager.initialize();
        QCOMPARE(values(manager.getTechnologiesList("mesh"), "name"), QStringList{"v1"});

        QSignalSpy fileChanged(manager.fileLoader(), &FileLoader::fileChanged);
        QSignalSpy dataChanged(&manager, &DataManager::dataChanged);
        QVERIFY(
            data.write("technologies/mesh/qv_mesher.json", R"({"id":"qv_mesher","name":"v2"})"));
        QVERIFY(dataChanged.wait(5000));
        QCOMPARE(fileChanged.count(), 1);
        QCOMPARE(dataChanged.first().first().toString(),
                 data.filePath("technologies/mesh/qv_mesher.json"));
        QCOMPARE(values(manager.getTechnologiesList("mesh"), "name"), QStringList{"v2"});
    }

    void searchInFiles()
    {
        TestDataDir data;
        QVERIFY(
            data.write("disciplines/thermal/qv_a.json", R"({"name":"Conjugate Heat Transfer"})"));
        QVERIFY(data.write("disciplines/thermal/qv_b.json", R"({"name":"Radiation"})"));
        DataManager manager;
        manager.setDataPath(data.dataPath());
        manager.initialize();
        QSignalSpy completed(&manager, &DataManager::searchCompleted);
        QVERIFY(manager.searchInFiles(QString()).isEmpty());
        QCOMPARE(completed.count(), 0);

        const QJsonArray hits = manager.searchInFiles("heat TRANSFER");
        QCOMPARE(values(hits, "_filePath"),
                 QStringList{data.filePath("disciplines/thermal/qv_a.json")});
        QCOMPARE(completed.count(), 1);
        // The indented text includes the keys.
        QCOMPARE(manager.searchInFiles("name").size(), 2);
    }

    void userPreferencesAreNoEntry()
    {
        TestDataDir data;
        QVERIFY(data.write("disciplines/thermal/qv_a.json", R"({"name":"Radiation"})"));
        QVERIFY(data.write("user_preferences.json",
                           R"({"history":[{"id":"qv_a","name":"Radiation"}]})"));
        // Only the file at the top is the user's.
        QVERIFY(data.write("disciplines/user_preferences.json", R"({"name":"Radiation notes"})"));
        DataManager manager;
        manager.setDataPath(data.dataPath());
        manager.initialize();
        const QStringList expected{data.filePath("disciplines/thermal/qv_a.json"),
                                   data.filePath("disciplines/user_preferences.json")};
        QStringList found = values(manager.searchInFiles("radiation"), "_filePath");
        found.sort();
        QStringList sorted = expected;
        sorted.sort();
        QCOMPARE(found, sorted);
        found = values(manager.getAllEntries(), "_filePath");
        QVERIFY(!found.contains(data.filePath("user_preferences.json")));
        QVERIFY(found.contains(data.filePath("disciplines/thermal/qv_a.json")));
    }

    void warmUpReadsEveryEntryButThePreferences()
    {
        TestDataDir data;
        const QStringList entries{"software/cad/qv_a.json", "companies/qv_c.json",
                                  "disciplines/thermal/qv_d.json", "technologies/qv_t.json"};
        for (const QString& file : entries)
            QVERIFY(data.write(file, R"({"id":"x"})"));
        for (int i = 0; i < 60; ++i) // more than one step's worth
            QVERIFY(data.write(QStringLiteral("software/cae/qv_%1.json").arg(i), R"({"id":"y"})"));
        QVERIFY(data.write("user_preferences.json", R"({"history":[]})"));
        DataManager manager;
        manager.setDataPath(data.dataPath());
        manager.initialize();
        QVERIFY(!manager.fileLoader()->isCached(data.filePath(entries.first())));
        QSignalSpy finished(&manager, &DataManager::warmUpFinished);
        manager.warmUp();
        QVERIFY(manager.isWarmingUp());
        QTRY_VERIFY(!manager.isWarmingUp());
        QCOMPARE(finished.count(), 1);
        for (const QString& file : entries)
            QVERIFY2(manager.fileLoader()->isCached(data.filePath(file)), qPrintable(file));
        QVERIFY(manager.fileLoader()->isCached(data.filePath("software/cae/qv_59.json")));
        QVERIFY(!manager.fileLoader()->isCached(data.filePath("user_preferences.json")));

        // Another directory stops it, and a stopped warm-up has not finished.
        manager.warmUp();
        TestDataDir other;
        manager.setDataPath(other.dataPath());
        QVERIFY(!manager.isWarmingUp());
        QTest::qWait(50);
        QCOMPARE(finished.count(), 1);
    }

    void warmUpGoesOnForOneWhoWaits()
    {
        TestDataDir data;
        for (int i = 0; i < 30; ++i)
            QVERIFY(data.write(QStringLiteral("software/cae/qv_%1.json").arg(i), R"({"id":"y"})"));
        DataManager manager;
        manager.setDataPath(data.dataPath());
        manager.initialize();
        QSignalSpy finished(&manager, &DataManager::warmUpFinished);
        QVERIFY(manager.continueWarmUp(0)); // nothing to wait for
        manager.warmUp();
        int calls = 1;
        while (!manager.continueWarmUp(0))
            ++calls;
        QVERIFY(calls > 2);
        QVERIFY(!manager.isWarmingUp());
        QCOMPARE(finished.count(), 1);
        for (int i = 0; i < 30; ++i)
            QVERIFY(manager.fileLoader()->isCached(
                data.filePath(QStringLiteral("software/cae/qv_%1.json").arg(i))));
        QTest::qWait(50); // the step queued by warmUp() finds nothing left
        QCOMPARE(finished.count(), 1);
    }

    void newsItemExtraction_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<int>("count");
        QTest::newRow("array") << QByteArray(R"([{"title":"a"},{"title":"b"}])") << 2;
        QTest::newRow("object with items") << QByteArray(R"({"items":[{"title":"a"}]})") << 1;
        QTest::newRow("single item") << QByteArray(R"({"id":"x","title":"only"})") << 1;
        QTest::newRow("empty items with title") << QByteArray(R"({"items":[],"title":"t"})") << 1;
        QTest::newRow("object without title") << QByteArray(R"({"id":"x"})") << 0;
        QTest::newRow("garbage") << QByteArray("not json") << 0;
    }

    void newsItemExtraction()
    {
        QFETCH(QByteArray, document);
        QFETCH(int, count);
        QCOMPARE(DataManager::extractNewsItems(QJsonDocument::fromJson(document)).size(), count);
    }

    void localNewsFromDiskFirst_data()
    {
        QTest::addColumn<QByteArray>("disk");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("single item")
            << QByteArray(R"({"id":"disk","title":"磁盘资讯"})") << QStringList{"disk"};
        QTest::newRow("plain array")
            << QByteArray(R"([{"id":"a","title":"甲"},{"id":"b","title":"乙"}])")
            << QStringList{"a", "b"};
        QTest::newRow("object with items")
            << QByteArray(R"({"items":[{"id":"c","title":"丙"},{"id":"d","title":"丁"}]})")
            << QStringList{"c", "d"};
    }

    void localNewsFromDiskFirst()
    {
        QFETCH(QByteArray, disk);
        QFETCH(QStringList, ids);
        TestDataDir data;
        QVERIFY(data.write("news/local_news.json", disk));
        DataManager manager;
        manager.setDataPath(data.dataPath());
        const QJsonArray items = manager.loadLocalNewsFallback();
        QCOMPARE(values(items, "id"), ids);
    }

    void shippedKnowledgeBaseLoadsWithoutInvalidFiles()
    {
        // The start-up walk reads every JSON file; none may be refused as invalid.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("无效的JSON文件|嵌入资源加载失败")));
        DataManager manager;
        manager.setDataPath(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR));
        manager.initialize();
        QVERIFY(manager.loadJsonFile(manager.dataPath() + "news/local_news.json")
                    .value("items")
                    .toArray()
                    .size() >= 2);
        QVERIFY(manager.loadLocalNewsFallback().size() >= 2);
    }

    void localNewsFallsBackToEmbedded_data()
    {
        QTest::addColumn<QByteArray>("disk");
        QTest::addColumn<QString>("warning");
        QTest::newRow("no file") << QByteArray()
                                 << "DataManager::loadLocalNewsFallback - Failed to open";
        QTest::newRow("empty array")
            << QByteArray("[]")
            << "DataManager::loadLocalNewsFallback - Local news file parsed empty:";
    }

    void localNewsFallsBackToEmbedded()
    {
        QFETCH(QByteArray, disk);
        QFETCH(QString, warning);
        TestDataDir data;
        if (!disk.isEmpty())
            QVERIFY(data.write("news/local_news.json", disk));
        DataManager manager;
        manager.setDataPath(data.dataPath());
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(warning + " " + data.dataPath() + "news/local_news.json"));
        const QJsonArray items = manager.loadLocalNewsFallback();
        const QJsonArray embedded = DataManager::extractNewsItems(
            QJsonDocument::fromJson(EmbeddedDataAdapter::instance()
                                        .loadEmbeddedText("data/news/local_news.json")
                                        .toUtf8()));
        QVERIFY(!embedded.isEmpty());
        QCOMPARE(items, embedded);
    }

    void builtInNews()
    {
        const QJsonArray items = DataManager::builtInNewsItems();
        QCOMPARE(values(items, "id"), (QStringList{"builtin_news_001", "builtin_news_002"}));
        QCOMPARE(values(items, "title"),
                 (QStringList{"工业软件资讯示例：云原生平台", "工业仿真一体化示例案例"}));
        QCOMPARE(values(items, "source"), (QStringList{"内置示例", "内置示例"}));
        QCOMPARE(values(items, "publishedAt"),
                 (QStringList{"2024-06-01T09:00:00", "2024-05-26T10:30:00"}));
        QCOMPARE(values(items, "updatedAt"), values(items, "publishedAt"));
        for (const QJsonValue& value : items) {
            const QJsonObject item = value.toObject();
            QVERIFY(item.value("summary").toString().startsWith("示例数据："));
            QVERIFY(!item.contains("coverImage"));
            QCOMPARE(item.value("tags").toArray(), QJsonArray{"示例"});
        }
        QVERIFY(items.at(0)
                    .toObject()
                    .value("contentUrl")
                    .toString()
                    .endsWith("/articles/sample-cloud"));
        QVERIFY(items.at(1)
                    .toObject()
                    .value("contentUrl")
                    .toString()
                    .endsWith("/articles/sample-multiphysics"));
        QCOMPARE(items.at(0).toObject().value("categories").toArray(),
                 (QJsonArray{"sample", "cloud"}));
        QCOMPARE(items.at(1).toObject().value("categories").toArray(),
                 (QJsonArray{"sample", "cae"}));
    }

    void newsItemsAreStoredAndAnnounced()
    {
        DataManager manager;
        QVERIFY(manager.getNewsItems().isEmpty());
        QVERIFY(!manager.getNewsTimestamp().isValid());
        QSignalSpy updated(&manager, &DataManager::newsItemsUpdated);
        const QDateTime now = QDateTime::currentDateTime();
        manager.setNewsItems(DataManager::builtInNewsItems(), now);
        QCOMPARE(updated.count(), 1);
        QCOMPARE(manager.getNewsItems().size(), 2);
        QCOMPARE(manager.getNewsTimestamp(), now);
    }
};

QTEST_GUILESS_MAIN(TestDataManager)
#include "tst_datamanager.moc"
