#include "data/EmbeddedDataAdapter.h"
#include "data/EmbeddedResourceReader.h"

#include "EmbeddedResources_Mapping.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>
#include <iostream>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

const QString kSourceDataDir = QStringLiteral(QUORVANTA_SOURCE_DATA_DIR);

QByteArray sourceBytes(const QString& key)
{
    // key starts with "data/"
    QFile file(kSourceDataDir + key.mid(4));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable source file>");
    return file.readAll();
}

#ifndef Q_OS_WIN
// What a call writes to the process's standard output.
template <typename Call> QByteArray capturedStdout(Call call)
{
    QTemporaryFile capture;
    if (!capture.open())
        return QByteArray("<no capture file>");
    std::cout.flush();
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    ::dup2(capture.handle(), STDOUT_FILENO);
    call();
    std::cout.flush();
    std::fflush(stdout);
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    capture.seek(0);
    return capture.readAll();
}
#endif

} // namespace

class TestEmbeddedDataAdapter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void mapHoldsEveryDataFile()
    {
        QStringList onDisk;
        QDirIterator it(kSourceDataDir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relPath = QDir(kSourceDataDir).relativeFilePath(it.next());
            // A run from the source tree keeps the user's preferences there; never shipped.
            if (!relPath.startsWith(QLatin1String("user_preferences.json")))
                onDisk << QStringLiteral("data/") + relPath;
        }
        onDisk.sort();
        QStringList embedded = EmbeddedDataAdapter::instance().getAvailableResources();
        embedded.sort();
        QCOMPARE(embedded, onDisk);
        QVERIFY(embedded.size() > 0);
    }

    void everyResourceIsByteExact()
    {
        const std::map<std::string, int> map = EmbeddedResourceMapping::getResourceMap();
        QVERIFY(!map.empty());
        for (const auto& [key, id] : map) {
            const QString path = QString::fromStdString(key);
            const std::vector<char> bytes = getResource(id);
            const QByteArray expected = sourceBytes(path);
            QVERIFY2(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())) == expected,
                     qPrintable(path));
            QCOMPARE(QByteArray::fromStdString(getResourceAsString(id)), expected);
        }
    }

    void idsAreConsecutiveInKeyOrder()
    {
        // The generator numbers sorted paths from 1000; std::map orders the same bytes the same
        // way.
        const std::map<std::string, int> map = EmbeddedResourceMapping::getResourceMap();
        int expected = 1000;
        for (const auto& entry : map)
            QCOMPARE(entry.second, expected++);
    }

    void absentIdGivesEmptyResult()
    {
        QVERIFY(getResource(999).empty());
        QVERIFY(getResourceAsString(65000).empty());
        // IDs are 16-bit: 1000 + 65536 is resource 1000.
        QCOMPARE(getResourceAsString(1000 + 65536), getResourceAsString(1000));
    }

    void absentIdIsReportedOnStandardOutput()
    {
#ifdef Q_OS_WIN
        QSKIP("Standard output is captured through POSIX descriptors");
#else
        QCOMPARE(capturedStdout([] { getResource(999); }), QByteArray("Resource not found: 999\n"));
        QCOMPARE(capturedStdout([] { getResourceAsString(65000); }),
                 QByteArray("Resource not found: 65000\n"));
        // Found resources print nothing.
        QCOMPARE(capturedStdout([] { getResource(1000); }), QByteArray());
#endif
    }

    void normalizePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("backslashes") << "data\\software\\cad\\autocad.json"
                                     << "data/software/cad/autocad.json";
        QTest::newRow("leading slash") << "/data/software/cad/autocad.json"
                                       << "data/software/cad/autocad.json";
        QTest::newRow("drive path") << "D:/kb/data/software/cad/autocad.json"
                                    << "data/software/cad/autocad.json";
        QTest::newRow("windows absolute") << "C:\\app\\data\\software\\cad\\x.json"
                                          << "data/software/cad/x.json";
        QTest::newRow("no data prefix added") << "software/cad/x.json"
                                              << "software/cad/x.json";
        QTest::newRow("case kept") << "DATA/software/cad/autocad.json"
                                   << "DATA/software/cad/autocad.json";
        QTest::newRow("only one leading slash dropped") << "//x.json"
                                                        << "/x.json";
        QTest::newRow("first data/ wins") << "/a/data/b/data/c.json"
                                          << "data/b/data/c.json";
    }

    void normalizePath()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(EmbeddedDataAdapter::instance().normalizePath(path), expected);
    }

    void resolution_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expectedKey");
        QTest::newRow("backslashes") << "data\\software\\cad\\autocad.json"
                                     << "data/software/cad/autocad.json";
        QTest::newRow("leading slash") << "/data/software/cad/autocad.json"
                                       << "data/software/cad/autocad.json";
        QTest::newRow("other root") << "D:/kb/data/software/cad/autocad.json"
                                    << "data/software/cad/autocad.json";
        QTest::newRow("relative without data") << "software/cad/autocad.json"
                                               << "data/software/cad/autocad.json";
        QTest::newRow("upper-case DATA falls back to the name") << "DATA/software/cad/autocad.json"
                                                                << "data/software/cad/autocad.json";
        QTest::newRow("bare name takes first key") << "ansys.json"
                                                   << "data/companies/ansys.json";
        QTest::newRow("windows bare name") << "C:\\elsewhere\\ansys.json"
                                           << "data/companies/ansys.json";
        QTest::newRow("exact key beats name order") << "data/software/cae/ansys.json"
                                                    << "data/software/cae/ansys.json";
        QTest::newRow("data/ earlier in the root path")
            << "/home/u/rv-data/data/software/cae/ansys.json"
            << "data/software/cae/ansys.json";
        QTest::newRow("windows root ending in data")
            << "D:\\bigdata\\kb\\data\\software\\cae\\ansys.json"
            << "data/software/cae/ansys.json";
        QTest::newRow("chinese markdown name") << "数字孪生技术.md"
                                               << "data/technologies/数字孪生技术.md";
    }

    void resolution()
    {
        QFETCH(QString, path);
        QFETCH(QString, expectedKey);
        EmbeddedDataAdapter& adapter = EmbeddedDataAdapter::instance();
        QVERIFY(adapter.hasEmbeddedResource(path));
        QCOMPARE(adapter.loadEmbeddedText(path).toUtf8(), sourceBytes(expectedKey));
    }

    void unresolvedPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty") << "";
        QTest::newRow("trailing slash") << "data/software/cad/";
        QTest::newRow("case of name") << "AutoCAD.json";
        QTest::newRow("unknown") << "data/software/cad/no_such_tool.json";
        // A known place in the tree never falls back to another file of the same name.
        QTest::newRow("name of a company under software") << "data/software/cad/ansys.json";
        QTest::newRow("name of software under companies") << "/kb/data/companies/autocad.json";
        QTest::newRow("root with data in its name") << "/home/u/mydata/kb/software/cad/ansys.json";
    }

    void unresolvedPaths()
    {
        QFETCH(QString, path);
        EmbeddedDataAdapter& adapter = EmbeddedDataAdapter::instance();
        QVERIFY(!adapter.hasEmbeddedResource(path));
        QTest::ignoreMessage(
            QtDebugMsg, qPrintable("EmbeddedDataAdapter::loadEmbeddedJson - 资源未找到: " + path +
                                   " 尝试的标准化路径: " + adapter.normalizePath(path)));
        QVERIFY(adapter.loadEmbeddedJson(path).isEmpty());
        QTest::ignoreMessage(
            QtDebugMsg, qPrintable("EmbeddedDataAdapter::loadEmbeddedText - 资源未找到: " + path));
        QVERIFY(adapter.loadEmbeddedText(path).isEmpty());
        QVERIFY(adapter.loadEmbeddedImage(path).isEmpty());
    }

    void jsonObjectLoads()
    {
        const QJsonObject entry =
            EmbeddedDataAdapter::instance().loadEmbeddedJson("data/software/cad/autocad.json");
        QCOMPARE(entry.value("id").toString(), QStringLiteral("autocad"));
        QCOMPARE(entry,
                 QJsonDocument::fromJson(sourceBytes("data/software/cad/autocad.json")).object());
    }

    void nonObjectGivesEmptyObject()
    {
        // Every shipped JSON file is an object; a Markdown document is no JSON at all.
        const QString key = QStringLiteral("data/technologies/数字孪生技术.md");
        QVERIFY(!QJsonDocument::fromJson(sourceBytes(key)).isObject());
        QTest::ignoreMessage(QtDebugMsg, "EmbeddedDataAdapter::loadEmbeddedJson - JSON解析失败");
        QVERIFY(EmbeddedDataAdapter::instance().loadEmbeddedJson(key).isEmpty());
        QVERIFY(!EmbeddedDataAdapter::instance().loadEmbeddedText(key).isEmpty());
    }

    void shippedLocalNewsIsAnObjectWithItems()
    {
        const QJsonObject news =
            EmbeddedDataAdapter::instance().loadEmbeddedJson("data/news/local_news.json");
        QCOMPARE(news.keys(), QStringList{"items"});
        const QJsonArray items = news.value("items").toArray();
        QVERIFY(items.size() >= 2);
        for (const QJsonValue& value : items)
            QVERIFY(!value.toObject().value("title").toString().isEmpty());
    }

    void imagesLoadAsRawBytes()
    {
        EmbeddedDataAdapter& adapter = EmbeddedDataAdapter::instance();
        const QStringList keys =
            adapter.getAvailableResources().filter(QRegularExpression("^data/pictures/.*\\.png$"));
        QVERIFY(!keys.isEmpty());
        const QString key = keys.first();
        QCOMPARE(adapter.loadEmbeddedImage(key), sourceBytes(key));
        QVERIFY(adapter.loadEmbeddedImage(key).startsWith("\x89PNG"));
        const QString fileName = key.section('/', -1);
        QTest::ignoreMessage(
            QtDebugMsg,
            QRegularExpression("^EmbeddedDataAdapter::loadEmbeddedImage - 通过文件名找到资源: " +
                               QRegularExpression::escape(fileName)));
        QCOMPARE(adapter.loadEmbeddedImage("elsewhere/" + fileName), sourceBytes(key));
    }

    void mapCountsAreLogged()
    {
        const qsizetype total = EmbeddedDataAdapter::instance().getAvailableResources().size();
        const qsizetype png = EmbeddedDataAdapter::instance()
                                  .getAvailableResources()
                                  .filter(QRegularExpression("\\.png$"))
                                  .size();
        QTest::ignoreMessage(
            QtDebugMsg,
            qPrintable(
                QString("EmbeddedDataAdapter::setupPathMapping - 从自动生成的映射加载了 %1 个资源")
                    .arg(total)));
        QTest::ignoreMessage(
            QtDebugMsg,
            qPrintable(QString("EmbeddedDataAdapter初始化完成，可用资源: %1").arg(total)));
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable(QString("EmbeddedDataAdapter - PNG资源数量: %1").arg(png)));
        EmbeddedDataAdapter::instance().initialize();
        QCOMPARE(EmbeddedDataAdapter::instance().getAvailableResources().size(), total);
    }
};

QTEST_GUILESS_MAIN(TestEmbeddedDataAdapter)
#include "tst_embeddeddataadapter.moc"
