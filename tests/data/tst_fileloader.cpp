#include "TestDataDir.h"
#include "data/EmbeddedDataAdapter.h"
#include "data/FileLoader.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QtTest>

namespace {

QJsonObject embeddedEntry(const QString& key)
{
    return EmbeddedDataAdapter::instance().loadEmbeddedJson(key);
}

} // namespace

class TestFileLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void cacheKey_data()
    {
        QTest::addColumn<QString>("dataPath");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("key");
        QTest::newRow("absolute below data") << "/kb/data/"
                                             << "/kb/data/software/cad/autocad.json"
                                             << "software_cad_autocad.json";
        QTest::newRow("embedded key stays relative") << "/kb/data/"
                                                     << "data/config/categories.json"
                                                     << "data_config_categories.json";
        QTest::newRow("dot segments resolved") << "/kb/data/"
                                               << "data/./software/../config/ui_config.json"
                                               << "data_config_ui_config.json";
        QTest::newRow("backslashes") << "/kb/data/"
                                     << "data\\x\\y.json"
                                     << "data_x_y.json";
        QTest::newRow("data path without slash") << "/kb/data"
                                                 << "/kb/data/companies/ansys.json"
                                                 << "companies_ansys.json";
    }

    void cacheKey()
    {
        QFETCH(QString, dataPath);
        QFETCH(QString, path);
        QFETCH(QString, key);
        FileLoader loader;
        loader.setDataPath(dataPath);
        QVERIFY(loader.dataPath().endsWith('/'));
        QCOMPARE(loader.cacheKey(path), key);
    }

    // The loader's short cut for its own paths must name every file as QDir does.
    void keysAgreeWithQDir_data()
    {
        QTest::addColumn<QString>("dataPath");
        QTest::addColumn<QString>("path");
        const QString root = QStringLiteral("/kb/data/");
        QTest::newRow("plain") << root << "/kb/data/software/cad/a.json";
        QTest::newRow("sibling with the same prefix") << root << "/kb/database/a.json";
        QTest::newRow("double slash") << root << "/kb/data//software/a.json";
        QTest::newRow("dot segment") << root << "/kb/data/software/./a.json";
        QTest::newRow("dot-dot segment") << root << "/kb/data/software/../a.json";
        QTest::newRow("leaves the root") << root << "/kb/data/../other/a.json";
        QTest::newRow("trailing slash") << root << "/kb/data/software/";
        QTest::newRow("the root itself") << root << "/kb/data/";
        QTest::newRow("backslash") << root << "/kb/data/software\\a.json";
        QTest::newRow("unclean root") << "/kb/./data//"
                                      << "/kb/./data//software/a.json";
        QTest::newRow("root is /") << "/"
                                   << "/software/a.json";
        QTest::newRow("relative root") << "data/"
                                       << "data/software/a.json";
        QTest::newRow("relative file") << root << "data/software/a.json";
    }

    void keysAgreeWithQDir()
    {
        QFETCH(QString, dataPath);
        QFETCH(QString, path);
        FileLoader loader;
        loader.setDataPath(dataPath);
        QString key = QDir(loader.dataPath()).relativeFilePath(path);
        key.replace('/', '_').replace('\\', '_');
        QCOMPARE(loader.cacheKey(path), key);

        QString root = QDir::cleanPath(QFileInfo(loader.dataPath()).absoluteFilePath());
        if (!root.endsWith('/'))
            root += '/';
        const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        const QString embedded = absolute.startsWith(root) && absolute.size() > root.size()
                                     ? "data/" + absolute.mid(root.size())
                                     : path;
        QCOMPARE(loader.embeddedLookupPath(path), embedded);
    }

    void embeddedCopyWinsOverDisk()
    {
        TestDataDir data;
        QVERIFY(
            data.write("software/cad/autocad.json", R"({"id":"autocad","name":"Edited on disk"})"));
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        const QString path = data.filePath("software/cad/autocad.json");
        QTest::ignoreMessage(QtDebugMsg, qPrintable("从嵌入资源加载: " + path));
        const QJsonObject entry = loader.loadJsonFile(path);
        QCOMPARE(entry, embeddedEntry("data/software/cad/autocad.json"));
        QVERIFY(loader.isCached(path));
        QVERIFY(!loader.watchedFiles().contains(path));
        QTest::ignoreMessage(
            QtDebugMsg, "FileLoader::loadJsonFile - Found in cache: software_cad_autocad.json");
        QCOMPARE(loader.loadJsonFile(path), entry);
    }

    void diskFileIsNotTakenForAnotherOfTheSameName_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("embeddedKey");
        // An empty key: the disk file itself must be served.
        QTest::newRow("new software/cad/ansys.json, data directory named kb")
            << "kb"
            << "software/cad/ansys.json"
            << "";
        QTest::newRow("new software/cad/ansys.json, data directory named data")
            << "data"
            << "software/cad/ansys.json"
            << "";
        QTest::newRow("new companies/autocad.json") << "kb"
                                                    << "companies/autocad.json"
                                                    << "";
        QTest::newRow("embedded copy under its own place, kb") << "kb"
                                                               << "software/cae/ansys.json"
                                                               << "data/software/cae/ansys.json";
        QTest::newRow("embedded copy under its own place, data") << "data"
                                                                 << "companies/ansys.json"
                                                                 << "data/companies/ansys.json";
    }

    void diskFileIsNotTakenForAnotherOfTheSameName()
    {
        QFETCH(QString, root);
        QFETCH(QString, relative);
        QFETCH(QString, embeddedKey);
        TestDataDir scratch;
        const QString rootPath = scratch.filePath(root) + '/';
        QVERIFY(scratch.write(root + '/' + relative, R"({"id":"qv_disk","name":"On disk"})"));
        FileLoader loader;
        loader.setDataPath(rootPath);
        const QString path = rootPath + relative;
        const QJsonObject entry = loader.loadJsonFile(path);
        if (embeddedKey.isEmpty()) {
            QCOMPARE(entry.value("name").toString(), QStringLiteral("On disk"));
            QCOMPARE(loader.watchedFiles(), QStringList{path});
        } else {
            QCOMPARE(entry, embeddedEntry(embeddedKey));
            QVERIFY(loader.watchedFiles().isEmpty());
        }
    }

    void pathsOutsideTheTreeStillFindTheirName()
    {
        // No place in the tree is known, so the file name decides, first key first.
        FileLoader loader;
        loader.setDataPath("/nonexistent/qv_kb/");
        QCOMPARE(loader.loadJsonFile("ansys.json"), embeddedEntry("data/companies/ansys.json"));
        QCOMPARE(loader.loadJsonFile("/nowhere/qv/autocad.json"),
                 embeddedEntry("data/software/cad/autocad.json"));
    }

    void newDiskFileIsReadCachedAndWatched()
    {
        TestDataDir data;
        QVERIFY(data.write("software/cad/qv_newtool.json", R"({"id":"qv_newtool","name":"New"})"));
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        const QString path = data.filePath("software/cad/qv_newtool.json");
        QTest::ignoreMessage(
            QtDebugMsg, qPrintable("FileLoader::loadJsonFile - Not an embedded resource: " + path));
        QCOMPARE(loader.loadJsonFile(path).value("name").toString(), QStringLiteral("New"));
        QVERIFY(loader.isCached(path));
        QCOMPARE(loader.watchedFiles(), QStringList{path});
    }

    void invalidOrMissingFilesAreNotCached_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("warning");
        QTest::newRow("broken json") << QByteArray("{\"id\": ") << "无效的JSON文件: ";
        QTest::newRow("top-level array") << QByteArray("[1, 2]") << "无效的JSON文件: ";
        QTest::newRow("missing") << QByteArray() << "无法打开文件: ";
    }

    void invalidOrMissingFilesAreNotCached()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, warning);
        TestDataDir data;
        const QString path = data.filePath("companies/qv_broken.json");
        if (!content.isEmpty())
            QVERIFY(data.write("companies/qv_broken.json", content));
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning + path));
        QVERIFY(loader.loadJsonFile(path).isEmpty());
        QVERIFY(!loader.isCached(path));
        QVERIFY(loader.watchedFiles().isEmpty());

        // Retried on the next call, and served once it is fixed.
        QVERIFY(data.write("companies/qv_broken.json", R"({"id":"qv_broken"})"));
        QCOMPARE(loader.loadJsonFile(path).value("id").toString(), QStringLiteral("qv_broken"));
        QVERIFY(loader.isCached(path));
    }

    void editedFileIsEvictedReloadedAndAnnounced()
    {
        TestDataDir data;
        QVERIFY(data.write("software/cae/qv_solver.json",
                           R"({"id":"qv_solver","currentVersion":"1"})"));
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        const QString path = data.filePath("software/cae/qv_solver.json");
        QCOMPARE(loader.loadJsonFile(path).value("currentVersion").toString(), QStringLiteral("1"));

        QSignalSpy changed(&loader, &FileLoader::fileChanged);
        QVERIFY(data.write("software/cae/qv_solver.json",
                           R"({"id":"qv_solver","currentVersion":"2"})"));
        QVERIFY(changed.wait(5000));
        QCOMPARE(changed.first().first().toString(), path);
        QCOMPARE(loader.loadJsonFile(path).value("currentVersion").toString(), QStringLiteral("2"));
        QVERIFY(loader.watchedFiles().contains(path));
    }

    void editedFileWithEmbeddedCopyIsReloadedFromEmbedded()
    {
        TestDataDir data;
        QVERIFY(
            data.write("software/cad/autocad.json", R"({"id":"autocad","name":"Edited on disk"})"));
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        const QString path = data.filePath("software/cad/autocad.json");
        const QJsonObject embedded = embeddedEntry("data/software/cad/autocad.json");
        QCOMPARE(loader.loadJsonFile(path), embedded);

        QSignalSpy changed(&loader, &FileLoader::fileChanged);
        QTest::ignoreMessage(QtDebugMsg, qPrintable("文件变化: " + path));
        // Evicted, so the reload goes to the embedded store again rather than the cache.
        QTest::ignoreMessage(QtDebugMsg, qPrintable("从嵌入资源加载: " + path));
        QVERIFY(QMetaObject::invokeMethod(&loader, "onFileChanged", Q_ARG(QString, path)));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toString(), path);
        QVERIFY(loader.isCached(path));
        QCOMPARE(loader.loadJsonFile(path), embedded);
        QVERIFY(!loader.watchedFiles().contains(path));
    }

    void directoryChangeOnlyWatchesNewFiles()
    {
        TestDataDir data;
        QVERIFY(data.write("companies/qv_x.json", R"({"id":"qv_x"})"));
        QVERIFY(data.write("companies/qv_notes.txt", "not json"));
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        QSignalSpy changed(&loader, &FileLoader::fileChanged);
        const QString dir = data.filePath("companies");
        QTest::ignoreMessage(QtDebugMsg, qPrintable("目录变化: " + dir));
        QVERIFY(QMetaObject::invokeMethod(&loader, "onDirectoryChanged", Q_ARG(QString, dir)));
        QCOMPARE(loader.watchedFiles(), QStringList{data.filePath("companies/qv_x.json")});
        QVERIFY(!loader.isCached(data.filePath("companies/qv_x.json")));
        QCOMPARE(changed.count(), 0);

        // A second notification adds nothing twice.
        QVERIFY(QMetaObject::invokeMethod(&loader, "onDirectoryChanged", Q_ARG(QString, dir)));
        QCOMPARE(loader.watchedFiles().size(), 1);
    }

    void configurationFromEmbeddedWithoutConfigDirectory()
    {
        TestDataDir data;
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("FileLoader::getConfiguration - File NOT FOUND at: " +
                                        data.dataPath() + "config/network_config.json"));
        const QJsonObject config = loader.getConfiguration("network_config");
        QVERIFY(!config.isEmpty());
        QCOMPARE(config, embeddedEntry("data/config/network_config.json"));
        QTest::ignoreMessage(QtDebugMsg,
                             "FileLoader::getConfiguration - Found in cache: network_config");
        QCOMPARE(loader.getConfiguration("network_config"), config);
    }

    void missingConfigurationIsNotStored()
    {
        TestDataDir data;
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        const QString path = data.dataPath() + "config/qv_absent.json";
        QTest::ignoreMessage(
            QtWarningMsg,
            qPrintable("FileLoader::getConfiguration - Failed to load or empty config: " + path));
        QVERIFY(loader.getConfiguration("qv_absent").isEmpty());
        QVERIFY(data.write("config/qv_absent.json", R"({"late": true})"));
        QCOMPARE(loader.getConfiguration("qv_absent").value("late").toBool(), true);
    }

    void configurationDirectoryOnDisk()
    {
        TestDataDir data;
        QVERIFY(data.write("config/categories.json", "{ not json"));
        QVERIFY(data.write("config/qv_broken_settings.json", "{ not json either"));
        QVERIFY(data.write("config/qv_extra.json", R"({"answer": 42})"));
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        loader.loadConfiguration();
        QVERIFY(loader.watchedDirectories().contains(data.filePath("config")));
        // A file named like an embedded one is served from the embedded copy.
        const QJsonObject categories = loader.getConfiguration("categories");
        QCOMPARE(categories, embeddedEntry("data/config/categories.json"));
        QVERIFY(categories.contains("softwareCategories"));
        QCOMPARE(loader.getConfiguration("qv_extra").value("answer").toInt(), 42);
        // Stored empty by the directory scan, so it is not retried.
        QVERIFY(loader.getConfiguration("qv_broken_settings").isEmpty());
        QVERIFY(!loader.getConfiguration("ui_config").isEmpty());
    }

    void categoriesAndUiConfigWithoutAnyDirectory()
    {
        TestDataDir data;
        FileLoader loader;
        loader.setDataPath(data.filePath("missing"));
        QTest::ignoreMessage(QtDebugMsg,
                             "FileLoader: SUCCESS! Loaded categories.json from embedded resources");
        QTest::ignoreMessage(QtDebugMsg, "Loaded ui_config.json from embedded resources");
        loader.loadConfiguration();
        QCOMPARE(loader.getConfiguration("ui_config")
                     .value("windowSize")
                     .toObject()
                     .value("width")
                     .toInt(),
                 1400);
    }

    void loadAllDataWarmsTheCacheAndWatches()
    {
        TestDataDir data;
        QVERIFY(data.write("software/cad/qv_a.json", R"({"id":"qv_a"})"));
        QVERIFY(data.write("software/eda/qv_b.json", R"({"id":"qv_b"})"));
        QVERIFY(data.write("companies/qv_c.json", R"({"id":"qv_c"})"));
        QVERIFY(data.write("technologies/kernels/qv_k.json", R"({"id":"qv_k"})"));
        QVERIFY(data.write("technologies/qv_top.json", R"({"id":"qv_top"})"));
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        QSignalSpy loaded(&loader, &FileLoader::dataLoaded);
        QVERIFY(loader.loadAllData());
        QCOMPARE(loaded.count(), 1);
        for (const char* file : {"software/cad/qv_a.json", "software/eda/qv_b.json",
                                 "companies/qv_c.json", "technologies/kernels/qv_k.json"})
            QVERIFY2(loader.isCached(data.filePath(file)), file);
        // Only the sub-directories of technologies are warmed.
        QVERIFY(!loader.isCached(data.filePath("technologies/qv_top.json")));
        const QStringList dirs = loader.watchedDirectories();
        for (const char* dir :
             {"software/cad", "software/eda", "companies", "technologies/kernels"})
            QVERIFY2(dirs.contains(data.filePath(dir)), dir);
    }

    void newFileInWatchedDirectoryGetsWatched()
    {
        TestDataDir data;
        QVERIFY(data.mkdir("companies"));
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        loader.loadAllData();
        QVERIFY(data.write("companies/qv_late.json", R"({"id":"qv_late"})"));
        QTRY_VERIFY_WITH_TIMEOUT(
            loader.watchedFiles().contains(data.filePath("companies/qv_late.json")), 5000);
    }

    void fileAsWrittenBesideMarkedLists_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("listFirst");
        QTest::newRow("file then list") << QByteArray(R"({"id":"qv_a"})") << false;
        QTest::newRow("list then file") << QByteArray(R"({"id":"qv_a"})") << true;
        QTest::newRow("own path key") << QByteArray(R"({"id":"qv_a","_filePath":"mine"})") << true;
    }

    void fileAsWrittenBesideMarkedLists()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, listFirst);
        TestDataDir data;
        QVERIFY(data.write("software/cad/qv_a.json", json));
        FileLoader loader;
        loader.setDataPath(data.dataPath());
        const QString path = data.filePath("software/cad/qv_a.json");
        const QJsonObject written = QJsonDocument::fromJson(json).object();

        QJsonArray list;
        if (listFirst)
            list = loader.getSoftwareList("cad");
        QCOMPARE(loader.loadJsonFile(path), written);
        if (!listFirst)
            list = loader.getSoftwareList("cad");
        QCOMPARE(list.size(), 1);
        QJsonObject marked = written;
        marked.insert("_filePath", path);
        QCOMPARE(list.at(0).toObject(), marked);
        QCOMPARE(loader.loadJsonFile(path), written);
    }

    void lists()
    {
        TestDataDir data;
        QVERIFY(data.write("software/cad/qv_b.json", R"({"id":"qv_b"})"));
        QVERIFY(data.write("software/cad/qv_a.json", R"({"id":"qv_a"})"));
        QVERIFY(data.write("software/cad/qv_empty.json", "{}"));
        QVERIFY(data.write("software/cad/notes.txt", "ignored"));
        QVERIFY(data.write("companies/qv_co.json", R"({"id":"qv_co"})"));
        QVERIFY(data.write("technologies/qv_t0.json", R"({"id":"t0"})"));
        QVERIFY(data.write("technologies/mesh/qv_t2.json", R"({"id":"t2"})"));
        QVERIFY(data.write("technologies/hpc/qv_t1.json", R"({"id":"t1"})"));
        QVERIFY(data.write("technologies/hpc/deep/qv_t3.json", R"({"id":"t3"})"));
        FileLoader loader;
        loader.setDataPath(data.dataPath());

        const QJsonArray software = loader.getSoftwareList("cad");
        QCOMPARE(software.size(), 2);
        QCOMPARE(software.at(0).toObject().value("_filePath").toString(),
                 data.filePath("software/cad/qv_a.json"));
        QCOMPARE(software.at(1).toObject().value("id").toString(), QStringLiteral("qv_b"));
        QVERIFY(!software.at(0).toObject().contains("isEmbedded"));
        QVERIFY(loader.getSoftwareList("cam").isEmpty());

        QCOMPARE(loader.getCompaniesList().size(), 1);

        QStringList ids;
        for (const QJsonValue& value : loader.getTechnologiesList(QString()))
            ids << value.toObject().value("id").toString();
        QCOMPARE(ids, (QStringList{"t0", "t1", "t3", "t2"}));
        QCOMPARE(loader.getTechnologiesList("hpc").size(), 2);
        QVERIFY(loader.getTechnologiesList("solvers").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFileLoader)
#include "tst_fileloader.moc"
