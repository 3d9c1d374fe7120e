#include "LocalHttpServer.h"
#include "online/NetworkManager.h"
#include "online/NewsSyncService.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(LocalHttpServer::Response)

namespace {

const QString NewsPath = QStringLiteral("/api/v1/news");

QJsonObject newsItem(const QString& id)
{
    return QJsonObject{{"id", id},
                       {"title", QStringLiteral("Title %1").arg(id)},
                       {"summary", QStringLiteral("Summary %1").arg(id)},
                       {"categories", QJsonArray{"cad"}},
                       {"tags", QJsonArray{"kernel"}},
                       {"publishedAt", "2024-06-01T08:00:00Z"}};
}

QByteArray payload(const QJsonArray& items, const QString& nextSince = QString(), int ttl = 0)
{
    QJsonObject object{{"items", items}};
    if (!nextSince.isNull())
        object.insert("nextSince", nextSince);
    if (ttl != 0)
        object.insert("cacheTtlSec", ttl);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(bytes) == bytes.size();
}

QJsonObject readJsonObject(const QString& path, QByteArray* raw = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonObject();
    const QByteArray bytes = file.readAll();
    if (raw)
        *raw = bytes;
    return QJsonDocument::fromJson(bytes).object();
}

// Records every signal of the service in arrival order.
struct NewsRecorder
{
    explicit NewsRecorder(NewsSyncService& service)
    {
        QObject::connect(&service, &NewsSyncService::newsCacheLoaded, &context,
                         [this](const QJsonArray& items, const QDateTime& at) {
                             events << QStringLiteral("cache");
                             cachedItems = items;
                             cachedAt = at;
                         });
        QObject::connect(&service, &NewsSyncService::newsUpdated, &context,
                         [this](const QJsonArray& items, const QDateTime& at) {
                             events << QStringLiteral("updated");
                             updatedItems = items;
                             fetchedAt = at;
                             ++results;
                         });
        QObject::connect(&service, &NewsSyncService::newsUpdateFailed, &context,
                         [this](const QString& message) {
                             events << QStringLiteral("failed");
                             errors << message;
                             ++results;
                         });
        QObject::connect(
            &service, &NewsSyncService::refreshStateChanged, &context, [this](bool inProgress) {
                events << (inProgress ? QStringLiteral("busy") : QStringLiteral("idle"));
            });
    }

    void clear()
    {
        events.clear();
        errors.clear();
        results = 0;
    }

    QObject context;
    QStringList events;
    QJsonArray cachedItems;
    QDateTime cachedAt;
    QJsonArray updatedItems;
    QDateTime fetchedAt;
    QStringList errors;
    int results = 0;
};

} // namespace

class TestNewsSyncService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.listen()); }

    void defaults()
    {
        NewsSyncService service;
        QVERIFY(service.endpoint().isEmpty());
        QCOMPARE(service.pageSize(), 24);
        QCOMPARE(service.timeout(), 8000);
        QCOMPARE(service.cacheTtl(), 600);
        QVERIFY(service.cachePath().isEmpty());
        QVERIFY(service.userAgent().isEmpty());
        QVERIFY(service.sinceCursor().isEmpty());
        QVERIFY(!service.isInProgress());
    }

    void rejectedSettingsKeepThePreviousValue()
    {
        NewsSyncService service;
        const QUrl endpoint = m_server.url(NewsPath);
        service.setEndpoint(endpoint);
        service.setEndpoint(QUrl());
        QCOMPARE(service.endpoint(), endpoint);
        service.setPageSize(0);
        service.setPageSize(-3);
        QCOMPARE(service.pageSize(), 24);
        service.setTimeout(0);
        QCOMPARE(service.timeout(), 8000);
        service.setCacheTtl(0);
        service.setCacheTtl(-1);
        QCOMPARE(service.cacheTtl(), 600);
        service.setCachePath("/tmp/a.json");
        service.setCachePath(QString());
        QCOMPARE(service.cachePath(), QStringLiteral("/tmp/a.json"));
        service.setUserAgent("News/1");
        service.setUserAgent(QByteArray());
        QCOMPARE(service.userAgent(), QByteArray("News/1"));
    }

    void noEndpointEmitsCacheThenFailure()
    {
        QTemporaryDir dir;
        const QString cachePath = dir.filePath("news_cache.json");
        const QJsonArray items{newsItem("a")};
        QVERIFY(writeFile(cachePath, QJsonDocument(QJsonObject{{"items", items},
                                                               {"lastSync", "2024-06-01T09:30:00Z"},
                                                               {"nextSince", "c9"},
                                                               {"cacheTtlSec", 600}})
                                         .toJson()));
        NewsSyncService service;
        service.setCachePath(cachePath);
        NewsRecorder recorder(service);
        service.start();
        QCOMPARE(recorder.events, (QStringList{"cache", "failed"}));
        QCOMPARE(recorder.errors, QStringList{QString::fromUtf8("资讯服务地址无效")});
        QCOMPARE(recorder.cachedItems, items);
        QCOMPARE(recorder.cachedAt, QDateTime(QDate(2024, 6, 1), QTime(9, 30), Qt::UTC));
        QCOMPARE(service.sinceCursor(), QStringLiteral("c9"));
        QVERIFY(!service.isInProgress());
    }

    void firstFetchSendsOnlyTheLimit()
    {
        const QJsonArray items{newsItem("a"), newsItem("b")};
        m_server.setResponse(NewsPath, LocalHttpServer::Response::json(payload(items, "c1", 900)));
        NewsSyncService service;
        service.setEndpoint(m_server.url(NewsPath));
        NewsRecorder recorder(service);
        service.start();
        QCOMPARE(recorder.events, QStringList{"busy"});
        QVERIFY(service.isInProgress());
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 1, 10000);

        QCOMPARE(recorder.events, (QStringList{"busy", "idle", "updated"}));
        QCOMPARE(recorder.updatedItems, items);
        QVERIFY(recorder.fetchedAt.isValid());
        QCOMPARE(recorder.fetchedAt.timeSpec(), Qt::UTC);
        QCOMPARE(service.sinceCursor(), QStringLiteral("c1"));
        QCOMPARE(service.cacheTtl(), 900);
        QVERIFY(!service.isInProgress());

        const LocalHttpServer::Request request = m_server.lastRequest();
        QCOMPARE(request.queryKeys(), QStringList{"limit"});
        QCOMPARE(request.queryValue("limit"), QStringLiteral("24"));
    }

    void cursorFollowsFilters()
    {
        auto answers = std::make_shared<QList<QByteArray>>();
        m_server.setHandler(NewsPath, [answers](const LocalHttpServer::Request&) {
            return LocalHttpServer::Response::json(answers->isEmpty() ? payload({})
                                                                      : answers->takeFirst());
        });
        NewsSyncService service;
        service.setEndpoint(m_server.url(NewsPath));
        service.setPageSize(5);
        NewsRecorder recorder(service);

        struct Step
        {
            QString category;
            QString tag;
            QByteArray answer;
            QStringList keys;
            QString since;
            QString cursorAfter;
        };
        const QList<Step> steps{
            {"", "", payload({newsItem("1")}, "c1"), {"limit"}, "", "c1"},
            // Same filters: the cursor of the last response goes along.
            {"", "", payload({newsItem("2")}, "c2"), {"limit", "since"}, "c1", "c2"},
            // An empty nextSince keeps the previous cursor.
            {"", "", payload({newsItem("3")}, ""), {"limit", "since"}, "c2", "c2"},
            {"", "", payload({newsItem("4")}), {"limit", "since"}, "c2", "c2"},
            // A new category drops the cursor.
            {"cad", "", payload({newsItem("5")}, "k1"), {"limit", "category"}, "", "k1"},
            {"cad", "", payload({}, "k2"), {"limit", "since", "category"}, "k1", "k2"},
            // A new tag drops it too.
            {"cad", "ai", payload({}, "t1"), {"limit", "category", "tag"}, "", "t1"},
            {"cad", "ai", payload({}, "t2"), {"limit", "since", "category", "tag"}, "t1", "t2"},
            {"", "", payload({}, "z"), {"limit"}, "", "z"},
        };
        for (int i = 0; i < steps.size(); ++i) {
            const Step& step = steps.at(i);
            *answers << step.answer;
            recorder.clear();
            service.refresh(step.category, step.tag);
            QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 1, 10000);
            QCOMPARE(recorder.events, (QStringList{"busy", "idle", "updated"}));
            const LocalHttpServer::Request request = m_server.lastRequest();
            QVERIFY2(request.queryKeys() == step.keys,
                     qPrintable(
                         QStringLiteral("step %1: %2").arg(i).arg(request.queryKeys().join(','))));
            QCOMPARE(request.queryValue("limit"), QStringLiteral("5"));
            QCOMPARE(request.queryValue("since"), step.since);
            QCOMPARE(request.queryValue("category"), step.category);
            QCOMPARE(request.queryValue("tag"), step.tag);
            QCOMPARE(service.sinceCursor(), step.cursorAfter);
            QCOMPARE(service.categoryFilter(), step.category);
            QCOMPARE(service.tagFilter(), step.tag);
        }
    }

    void queryValuesArriveUnchanged()
    {
        const QString cursor = QStringLiteral("2024-06-01T08:00:00+08:00&page=2");
        const QString category = QString::fromUtf8("C&C++ 工具");
        m_server.setResponse(NewsPath, LocalHttpServer::Response::json(payload({}, cursor)));
        NewsSyncService service;
        service.setEndpoint(QUrl(m_server.url(NewsPath).toString() + "?lang=zh-CN"));
        NewsRecorder recorder(service);
        service.refresh(category, QStringLiteral("a=b"));
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 1, 10000);
        service.refresh(category, QStringLiteral("a=b"));
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 2, 10000);

        const LocalHttpServer::Request request = m_server.lastRequest();
        QCOMPARE(request.queryKeys(), (QStringList{"lang", "limit", "since", "category", "tag"}));
        QCOMPARE(request.queryValue("lang"), QStringLiteral("zh-CN"));
        QCOMPARE(request.queryValue("since"), cursor);
        QCOMPARE(request.queryValue("category"), category);
        QCOMPARE(request.queryValue("tag"), QStringLiteral("a=b"));
    }

    void pageSizeZeroKeepsTheDefaultLimit()
    {
        m_server.setResponse(NewsPath, LocalHttpServer::Response::json(payload({})));
        NewsSyncService service;
        service.setEndpoint(m_server.url(NewsPath));
        service.setPageSize(0);
        NewsRecorder recorder(service);
        service.refresh(QString(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 1, 10000);
        QCOMPARE(m_server.lastRequest().queryValue("limit"), QStringLiteral("24"));
    }

    void headersAndUserAgent()
    {
        m_server.setResponse(NewsPath, LocalHttpServer::Response::json(payload({})));
        NewsSyncService service;
        service.setEndpoint(m_server.url(NewsPath));
        service.setUserAgent("Quorvanta/1.0 News");
        service.setHeaders({{"X-API-Key", "key-123"},
                            {"X-Tenant", "desk"},
                            {"Accept", "application/vnd.news+json"}});
        NewsRecorder recorder(service);
        service.refresh(QString(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 1, 10000);

        const LocalHttpServer::Request request = m_server.lastRequest();
        QCOMPARE(request.header("User-Agent"), QByteArray("Quorvanta/1.0 News"));
        QCOMPARE(request.header("X-API-Key"), QByteArray("key-123"));
        QCOMPARE(request.header("X-Tenant"), QByteArray("desk"));
        QCOMPARE(request.header("Accept"), QByteArray("application/vnd.news+json"));
        QCOMPARE(request.header("Content-Type"), QByteArray("application/json"));
        NetworkManager::instance().setUserAgent("Quorvanta/1.0");
    }

    void cacheIsWrittenAndReadBack()
    {
        QTemporaryDir dir;
        const QString cachePath = dir.filePath("missing/deeper/news_cache.json");
        const QJsonArray items{newsItem("a"), newsItem("b"), QJsonValue("odd element kept")};
        m_server.setResponse(NewsPath, LocalHttpServer::Response::json(payload(items, "c7", 1200)));

        NewsSyncService writer;
        writer.setEndpoint(m_server.url(NewsPath));
        writer.setCachePath(cachePath);
        NewsRecorder written(writer);
        writer.start();
        QTRY_COMPARE_WITH_TIMEOUT(written.results, 1, 10000);
        QCOMPARE(written.events, (QStringList{"busy", "idle", "updated"}));

        QByteArray raw;
        const QJsonObject cache = readJsonObject(cachePath, &raw);
        QCOMPARE(cache.keys(), (QStringList{"cacheTtlSec", "items", "lastSync", "nextSince"}));
        QCOMPARE(raw, QJsonDocument(cache).toJson(QJsonDocument::Compact));
        QCOMPARE(cache.value("items").toArray(), items);
        QCOMPARE(cache.value("nextSince").toString(), QStringLiteral("c7"));
        QCOMPARE(cache.value("cacheTtlSec").toInt(), 1200);
        const QString lastSync = cache.value("lastSync").toString();
        QVERIFY2(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$")
                     .match(lastSync)
                     .hasMatch(),
                 qPrintable(lastSync));
        QDateTime fetched = written.fetchedAt;
        fetched.setTime(
            QTime(fetched.time().hour(), fetched.time().minute(), fetched.time().second()));
        QCOMPARE(QDateTime::fromString(lastSync, Qt::ISODate), fetched);

        // A later start shows the cache first and continues from its cursor.
        m_server.setResponse(NewsPath, LocalHttpServer::Response::json(payload({newsItem("c")})));
        NewsSyncService reader;
        reader.setEndpoint(m_server.url(NewsPath));
        reader.setCachePath(cachePath);
        NewsRecorder read(reader);
        reader.start();
        QCOMPARE(read.events, (QStringList{"cache", "busy"}));
        QCOMPARE(read.cachedItems, items);
        QCOMPARE(read.cachedAt, fetched);
        QTRY_COMPARE_WITH_TIMEOUT(read.results, 1, 10000);
        QCOMPARE(m_server.lastRequest().queryValue("since"), QStringLiteral("c7"));
        // The cursor survives a response without nextSince; the TTL from the file does not.
        const QJsonObject rewritten = readJsonObject(cachePath);
        QCOMPARE(rewritten.value("items").toArray(), QJsonArray{newsItem("c")});
        QCOMPARE(rewritten.value("nextSince").toString(), QStringLiteral("c7"));
        QCOMPARE(rewritten.value("cacheTtlSec").toInt(), 600);
    }

    void unusableCacheFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("JSON array") << QByteArray("[{\"items\":[],\"nextSince\":\"x\"}]");
        QTest::newRow("empty object") << QByteArray("{}");
        QTest::newRow("not JSON") << QByteArray("items: none");
        QTest::newRow("empty file") << QByteArray();
    }

    void unusableCacheFiles()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString cachePath = dir.filePath("news_cache.json");
        QVERIFY(writeFile(cachePath, content));
        m_server.setResponse(NewsPath, LocalHttpServer::Response::json(payload({})));
        NewsSyncService service;
        service.setEndpoint(m_server.url(NewsPath));
        service.setCachePath(cachePath);
        NewsRecorder recorder(service);
        service.start();
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 1, 10000);
        QCOMPARE(recorder.events, (QStringList{"busy", "idle", "updated"}));
        QVERIFY(!m_server.lastRequest().hasQueryItem("since"));
        // The next successful fetch replaces the unusable file.
        QVERIFY(readJsonObject(cachePath).contains("lastSync"));
    }

    void cacheWithEmptyItemsIsStillReported()
    {
        QTemporaryDir dir;
        const QString cachePath = dir.filePath("news_cache.json");
        QVERIFY(
            writeFile(cachePath, "{\"items\":[],\"lastSync\":\"not a date\",\"nextSince\":\"\"}"));
        NewsSyncService service;
        service.setCachePath(cachePath);
        NewsRecorder recorder(service);
        service.start();
        QCOMPARE(recorder.events, (QStringList{"cache", "failed"}));
        QVERIFY(recorder.cachedItems.isEmpty());
        QVERIFY(!recorder.cachedAt.isValid());
        QVERIFY(service.sinceCursor().isEmpty());
    }

    void unreadableAndUnwritableCacheAreLogged()
    {
        QTemporaryDir dir;
        // A directory where the cache file should be: it can be neither read nor replaced.
        const QString cachePath = dir.filePath("news_cache.json");
        QVERIFY(QDir(dir.path()).mkdir("news_cache.json"));
        const QJsonArray items{newsItem("a")};
        m_server.setResponse(NewsPath, LocalHttpServer::Response::json(payload(items, "c1")));

        NewsSyncService service;
        service.setEndpoint(m_server.url(NewsPath));
        service.setCachePath(cachePath);
        NewsRecorder recorder(service);
        QTest::ignoreMessage(
            QtWarningMsg,
            qPrintable("NewsSyncService::loadCacheFromDisk - Failed to open cache file " +
                       cachePath));
        QTest::ignoreMessage(
            QtWarningMsg,
            qPrintable("NewsSyncService::saveCache - Failed to write cache file " + cachePath));
        service.start();
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 1, 10000);
        QCOMPARE(recorder.events, (QStringList{"busy", "idle", "updated"}));
        QCOMPARE(recorder.updatedItems, items);
        QVERIFY(QFileInfo(cachePath).isDir());
    }

    void emptyItemsAreASuccessAndTtlNeedsAPositiveValue_data()
    {
        QTest::addColumn<int>("ttl");
        QTest::addColumn<int>("expectedTtl");
        QTest::newRow("missing") << 0 << 600;
        QTest::newRow("negative") << -30 << 600;
        QTest::newRow("positive") << 45 << 45;
    }

    void emptyItemsAreASuccessAndTtlNeedsAPositiveValue()
    {
        QFETCH(int, ttl);
        QFETCH(int, expectedTtl);
        QTemporaryDir dir;
        const QString cachePath = dir.filePath("news_cache.json");
        m_server.setResponse(NewsPath,
                             LocalHttpServer::Response::json(payload({}, QString(), ttl)));
        NewsSyncService service;
        service.setEndpoint(m_server.url(NewsPath));
        service.setCachePath(cachePath);
        NewsRecorder recorder(service);
        service.refresh(QString(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 1, 10000);
        QCOMPARE(recorder.events, (QStringList{"busy", "idle", "updated"}));
        QVERIFY(recorder.updatedItems.isEmpty());
        QCOMPARE(service.cacheTtl(), expectedTtl);
        const QJsonObject cache = readJsonObject(cachePath);
        QCOMPARE(cache.value("items").toArray(), QJsonArray());
        QCOMPARE(cache.value("cacheTtlSec").toInt(), expectedTtl);
        QCOMPARE(cache.value("nextSince").toString(), QString());
    }

    void failures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<LocalHttpServer::Response>("response");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("exact");

        QTest::newRow("plain text body")
            << "/text" << LocalHttpServer::Response::bytes("hello", "text/plain")
            << QString::fromUtf8("资讯服务返回无效数据") << true;
        QTest::newRow("array body") << "/array" << LocalHttpServer::Response::json("[]")
                                    << QString::fromUtf8("资讯服务返回无效数据") << true;
        QTest::newRow("server error")
            << "/error" << LocalHttpServer::Response::error(500, "Kaput Reason") << "Kaput Reason"
            << false;
        QTest::newRow("silent server") << "/silent" << LocalHttpServer::Response::silent()
                                       << QString::fromUtf8("资讯请求超时") << true;
    }

    void failures()
    {
        QFETCH(QString, path);
        QFETCH(LocalHttpServer::Response, response);
        QFETCH(QString, expected);
        QFETCH(bool, exact);
        // A reply aborted at its time-out is not read, so nothing warns about a closed device.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("device not open")));

        QTemporaryDir dir;
        const QString cachePath = dir.filePath("news_cache.json");
        m_server.setResponse(path, response);
        NewsSyncService service;
        service.setEndpoint(m_server.url(path));
        service.setTimeout(300);
        service.setCachePath(cachePath);
        NewsRecorder recorder(service);
        service.refresh(QString(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 1, 10000);
        QCOMPARE(recorder.events, (QStringList{"busy", "idle", "failed"}));
        if (exact)
            QCOMPARE(recorder.errors.first(), expected);
        else
            QVERIFY2(recorder.errors.first().contains(expected),
                     qPrintable(recorder.errors.first()));
        QVERIFY(!QFile::exists(cachePath));
        QVERIFY(!service.isInProgress());

        // The next refresh runs normally.
        m_server.setResponse(path, LocalHttpServer::Response::json(payload({newsItem("x")})));
        service.refresh(QString(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 2, 10000);
        QCOMPARE(recorder.events.last(), QStringLiteral("updated"));
    }

    void oversizedPagesAreStopped_data()
    {
        QTest::addColumn<LocalHttpServer::Response>("response");
        QTest::addColumn<qint64>("cap"); // 0: the default
        QTest::addColumn<bool>("succeeds");

        const QByteArray page = payload({newsItem("a"), newsItem("b")});
        const qint64 defaultCap = NewsSyncService::DefaultMaxPageBytes;
        const QByteArray atDefault = page + QByteArray(defaultCap - page.size(), ' ');
        QTest::newRow("exactly the default cap")
            << LocalHttpServer::Response::json(atDefault) << qint64(0) << true;
        QTest::newRow("one over the default cap")
            << LocalHttpServer::Response::json(atDefault + ' ') << qint64(0) << false;
        QTest::newRow("endless stream, default cap")
            << LocalHttpServer::Response::endlessStream("application/json") << qint64(0) << false;
        QTest::newRow("exactly a smaller cap")
            << LocalHttpServer::Response::json(page) << qint64(page.size()) << true;
        QTest::newRow("chunked, over a smaller cap")
            << LocalHttpServer::Response::chunkedBody(page, "application/json")
            << qint64(page.size() - 1) << false;
    }

    void oversizedPagesAreStopped()
    {
        QFETCH(LocalHttpServer::Response, response);
        QFETCH(qint64, cap);
        QFETCH(bool, succeeds);

        QTemporaryDir dir;
        const QString cachePath = dir.filePath("news_cache.json");
        m_server.setResponse("/big", response);
        NewsSyncService service;
        QCOMPARE(service.maxPageBytes(), 4 * 1024 * 1024);
        service.setMaxPageBytes(cap);
        service.setEndpoint(m_server.url("/big"));
        service.setCachePath(cachePath);
        // Long enough that only the cap can end an endless reply.
        service.setTimeout(120000);
        NewsRecorder recorder(service);
        service.refresh(QString(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(recorder.results, 1, 60000);
        if (succeeds) {
            QCOMPARE(recorder.events, (QStringList{"busy", "idle", "updated"}));
            QCOMPARE(recorder.updatedItems.size(), 2);
        } else {
            QCOMPARE(recorder.events, (QStringList{"busy", "idle", "failed"}));
            QCOMPARE(recorder.errors.first(), QString::fromUtf8("资讯服务返回数据过大"));
            QVERIFY(!QFile::exists(cachePath));
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_server.openStreams(), 0, 10000);
    }

    void onlyWebAddressesAreAsked()
    {
        // A local file holding a valid page would otherwise be read as the news.
        QTemporaryDir dir;
        const QString pagePath = dir.filePath("page.json");
        QVERIFY(writeFile(pagePath, payload({newsItem("local")})));
        NewsSyncService service;
        service.setEndpoint(QUrl::fromLocalFile(pagePath));
        NewsRecorder recorder(service);
        service.refresh(QString(), QString());
        QCoreApplication::processEvents();
        QCOMPARE(recorder.events, QStringList{"failed"});
        QCOMPARE(recorder.errors, QStringList{QString::fromUtf8("资讯服务地址无效")});
        QVERIFY(!service.isInProgress());
    }

    void refreshDuringARequestIsDropped()
    {
        m_server.setResponse("/hold", LocalHttpServer::Response::silent());
        auto service = std::make_unique<NewsSyncService>();
        service->setEndpoint(m_server.url("/hold"));
        service->setTimeout(60000);
        NewsRecorder recorder(*service);
        QSignalSpy received(&m_server, &LocalHttpServer::requestReceived);
        service->refresh(QString(), QString());
        QVERIFY(received.wait(10000));

        service->refresh(QStringLiteral("cad"), QStringLiteral("ai"));
        QCOMPARE(recorder.events, QStringList{"busy"});
        QVERIFY(service->isInProgress());
        QVERIFY(service->categoryFilter().isEmpty());
        QVERIFY(service->tagFilter().isEmpty());

        // Destroyed mid-request: the reply goes with it and nothing is reported.
        QPointer<QNetworkReply> reply = service->findChild<QNetworkReply*>();
        QVERIFY(reply);
        service.reset();
        QVERIFY(!reply);
        QCOMPARE(recorder.events, QStringList{"busy"});
    }

private:
    LocalHttpServer m_server;
};

QTEST_GUILESS_MAIN(TestNewsSyncService)
#include "tst_newssyncservice.moc"
