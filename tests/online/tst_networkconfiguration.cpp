#include "online/NetworkConfiguration.h"
#include "online/NewsSyncService.h"
#include "online/UpdateService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A data directory (with trailing slash) whose config/network_config.json holds content.
QString dataDirWithConfig(const QTemporaryDir& dir, const QByteArray& content)
{
    QDir(dir.path()).mkpath("config");
    QFile file(dir.filePath("config/network_config.json"));
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return dir.path() + "/";
}

QJsonObject object(const QByteArray& json)
{
    return QJsonDocument::fromJson(json).object();
}

} // namespace

class TestNetworkConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("QuorvantaTest");
        QCoreApplication::setApplicationName("tst_networkconfiguration");
    }

    void missingFileGivesAnEmptyConfiguration()
    {
        QTemporaryDir dir;
        const QString dataPath = dir.path() + "/";
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("MainWindow::loadNetworkConfiguration - Failed to open " +
                                        dataPath + "config/network_config.json"));
        const QJsonObject previous{{"news", QJsonObject()}};
        QCOMPARE(NetworkConfiguration::load(dataPath, previous), QJsonObject());
    }

    void invalidJsonKeepsTheCurrentConfiguration_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("array") << QByteArray("[1, 2]");
        QTest::newRow("broken") << QByteArray("{\"news\": ");
        QTest::newRow("empty") << QByteArray();
    }

    void invalidJsonKeepsTheCurrentConfiguration()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString dataPath = dataDirWithConfig(dir, content);
        QTest::ignoreMessage(QtWarningMsg, "MainWindow::loadNetworkConfiguration - Invalid JSON");
        const QJsonObject previous{{"updates", QJsonObject{{"timeoutMs", 5}}}};
        QCOMPARE(NetworkConfiguration::load(dataPath, previous), previous);
    }

    void validFileIsReturned()
    {
        QTemporaryDir dir;
        const QByteArray content = "{\"updates\":{\"timeoutMs\":100},\"extra\":true}";
        QCOMPARE(NetworkConfiguration::load(dataDirWithConfig(dir, content), QJsonObject()),
                 object(content));
    }

    void updateSettings_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<QByteArray>("userAgent");
        QTest::addColumn<QString>("warning");

        const QString defaultEndpoint = UpdateService().endpoint().toString();
        QTest::newRow("all set")
            << QByteArray("{\"updates\":{\"endpoint\":\"http://127.0.0.1:9/api/v1/releases/"
                          "latest\",\"timeoutMs\":7000,\"userAgent\":\"Quorvanta/1.0\"}}")
            << "http://127.0.0.1:9/api/v1/releases/latest" << 7000 << QByteArray("Quorvanta/1.0")
            << "";
        QTest::newRow("zero timeout ignored") << QByteArray("{\"updates\":{\"timeoutMs\":0}}")
                                              << defaultEndpoint << 8000 << QByteArray() << "";
        QTest::newRow("negative timeout ignored")
            << QByteArray("{\"updates\":{\"timeoutMs\":-5,\"userAgent\":\"\"}}") << defaultEndpoint
            << 8000 << QByteArray() << "";
        QTest::newRow("invalid endpoint")
            << QByteArray("{\"updates\":{\"endpoint\":\"http://[::1\"}}") << defaultEndpoint << 8000
            << QByteArray()
            << "MainWindow::loadNetworkConfiguration - Invalid update endpoint http://[::1";
        QTest::newRow("relative endpoint")
            << QByteArray("{\"updates\":{\"endpoint\":\"updates.example.com/latest\"}}")
            << defaultEndpoint << 8000 << QByteArray()
            << "MainWindow::loadNetworkConfiguration - Invalid update endpoint "
               "updates.example.com/latest";
        QTest::newRow("not http")
            << QByteArray("{\"updates\":{\"endpoint\":\"mailto:a@example.com\"}}")
            << defaultEndpoint << 8000 << QByteArray()
            << "MainWindow::loadNetworkConfiguration - Invalid update endpoint "
               "mailto:a@example.com";
        QTest::newRow("no host")
            << QByteArray("{\"updates\":{\"endpoint\":\"http:///api\"}}") << defaultEndpoint << 8000
            << QByteArray()
            << "MainWindow::loadNetworkConfiguration - Invalid update endpoint http:///api";
        QTest::newRow("no updates section")
            << QByteArray("{}") << defaultEndpoint << 8000 << QByteArray() << "";
    }

    void updateSettings()
    {
        QFETCH(QByteArray, config);
        QFETCH(QString, warning);
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QTest::failOnWarning(QRegularExpression(".*"));
        UpdateService service;
        NetworkConfiguration::applyUpdateSettings(object(config), service);
        QTEST(service.endpoint().toString(), "endpoint");
        QTEST(service.timeout(), "timeout");
        QTEST(service.userAgent(), "userAgent");
    }

    void missingNewsSectionIsReported()
    {
        NewsSyncService service;
        QTest::ignoreMessage(QtWarningMsg,
                             "MainWindow::initializeNewsService - News configuration missing");
        QVERIFY(!NetworkConfiguration::applyNewsSettings(object("{\"updates\":{}}"), service));
        QVERIFY(service.endpoint().isEmpty());
    }

    void newsSettings()
    {
        NewsSyncService service;
        const QByteArray config =
            "{\"news\":{\"endpoint\":\"http://127.0.0.1:9/api/v1/news\",\"pageSize\":12,"
            "\"timeoutMs\":4000,\"userAgent\":\"Quorvanta/1.0 News\",\"cacheTtlSec\":300,"
            "\"headers\":{\"X-API-Key\":\"k\",\"X-Tenant\":\"t\",\"X-Number\":5}}}";
        QVERIFY(NetworkConfiguration::applyNewsSettings(object(config), service));
        QCOMPARE(service.endpoint(), QUrl("http://127.0.0.1:9/api/v1/news"));
        QCOMPARE(service.pageSize(), 12);
        QCOMPARE(service.timeout(), 4000);
        QCOMPARE(service.userAgent(), QByteArray("Quorvanta/1.0 News"));
        QCOMPARE(service.cacheTtl(), 300);
        const QHash<QByteArray, QByteArray> expected{
            {"X-API-Key", "k"}, {"X-Tenant", "t"}, {"X-Number", ""}};
        QCOMPARE(service.headers(), expected);
    }

    void unusableNewsValuesKeepDefaults()
    {
        NewsSyncService service;
        const QHash<QByteArray, QByteArray> before{{"X-Old", "1"}};
        service.setHeaders(before);
        QTest::ignoreMessage(
            QtWarningMsg, "MainWindow::initializeNewsService - Invalid news endpoint http://[::1");
        const QByteArray config = "{\"news\":{\"endpoint\":\"http://[::1\",\"pageSize\":0,"
                                  "\"timeoutMs\":-1,\"userAgent\":\"\",\"cacheTtlSec\":0,"
                                  "\"headers\":{}}}";
        QVERIFY(NetworkConfiguration::applyNewsSettings(object(config), service));
        QVERIFY(service.endpoint().isEmpty());
        QCOMPARE(service.pageSize(), 24);
        QCOMPARE(service.timeout(), 8000);
        QVERIFY(service.userAgent().isEmpty());
        QCOMPARE(service.cacheTtl(), 600);
        QCOMPARE(service.headers(), before);

        // Headers that are not an object are ignored as well.
        QVERIFY(NetworkConfiguration::applyNewsSettings(object("{\"news\":{\"headers\":[\"X\"]}}"),
                                                        service));
        QCOMPARE(service.headers(), before);
    }

    void malformedNewsEndpointsAreReported_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::newRow("relative text") << "news endpoint";
        QTest::newRow("missing scheme") << "news.example.com/api/v1/news";
        QTest::newRow("file url") << "file:///tmp/news.json";
        QTest::newRow("broken host") << "http://[::1";
    }

    void malformedNewsEndpointsAreReported()
    {
        QFETCH(QString, endpoint);
        NewsSyncService service;
        QTest::ignoreMessage(
            QtWarningMsg,
            qPrintable("MainWindow::initializeNewsService - Invalid news endpoint " + endpoint));
        QTest::failOnWarning(QRegularExpression(".*"));
        const QJsonObject config{{"news", QJsonObject{{"endpoint", endpoint}}}};
        QVERIFY(NetworkConfiguration::applyNewsSettings(config, service));
        QVERIFY(service.endpoint().isEmpty());
    }

    void shippedConfigurationApplies()
    {
        const QJsonObject config = NetworkConfiguration::load(
            QStringLiteral(QUORVANTA_SOURCE_DATA_DIR "/"), QJsonObject());
        QVERIFY(config.contains("news"));

        UpdateService updates;
        NetworkConfiguration::applyUpdateSettings(config, updates);
        QCOMPARE(updates.endpoint().path(), QStringLiteral("/api/v1/releases/latest"));
        QCOMPARE(updates.timeout(), 7000);
        QCOMPARE(updates.userAgent(), QByteArray("Quorvanta/1.0"));

        NewsSyncService news;
        QVERIFY(NetworkConfiguration::applyNewsSettings(config, news));
        QCOMPARE(news.endpoint().path(), QStringLiteral("/api/v1/news"));
        QCOMPARE(news.pageSize(), 24);
        QCOMPARE(news.timeout(), 8000);
        QCOMPARE(news.userAgent(), QByteArray("Quorvanta/1.0 News"));
        QCOMPARE(news.cacheTtl(), 600);
        QCOMPARE(QSet<QByteArray>(news.headers().keyBegin(), news.headers().keyEnd()),
                 (QSet<QByteArray>{"X-API-Key", "X-Tenant"}));
    }

    void newsCacheFileLivesInTheAppDataFolder()
    {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(!folder.isEmpty());
        QDir(folder).removeRecursively();
        const QString path = NetworkConfiguration::newsCacheFilePath(QStringLiteral("/unused/"));
        QCOMPARE(path, QDir(folder).filePath("news_cache.json"));
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestNetworkConfiguration)
#include "tst_networkconfiguration.moc"
