#include "LocalHttpServer.h"
#include "online/NetworkManager.h"
#include "online/UpdateService.h"

#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaType>
#include <QNetworkReply>
#include <QPointer>
#include <QSet>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(LocalHttpServer::Response)

namespace {

const QString ReleasePath = QStringLiteral("/api/v1/releases/latest");

// Records the service's signals in the order they arrive.
struct UpdateRecorder
{
    explicit UpdateRecorder(UpdateService& service)
    {
        QObject::connect(&service, &UpdateService::updateCheckStarted, &context,
                         [this] { events << QStringLiteral("started"); });
        QObject::connect(&service, &UpdateService::updateCheckSucceeded, &context,
                         [this](const UpdateService::UpdateInfo& info) {
                             events << QStringLiteral("succeeded");
                             infos << info;
                         });
        QObject::connect(&service, &UpdateService::updateCheckFailed, &context,
                         [this](const QString& message) {
                             events << QStringLiteral("failed");
                             errors << message;
                         });
    }

    bool finished() const { return !infos.isEmpty() || !errors.isEmpty(); }

    QObject context;
    QStringList events;
    QList<UpdateService::UpdateInfo> infos;
    QStringList errors;
};

} // namespace

class TestUpdateService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.listen()); }

    void defaults()
    {
        UpdateService service;
        QCOMPARE(service.endpoint().scheme(), QStringLiteral("https"));
        QCOMPARE(service.endpoint().path(), ReleasePath);
        QCOMPARE(service.timeout(), 8000);
        QVERIFY(service.userAgent().isEmpty());
    }

    void rejectedSettingsKeepThePreviousValue()
    {
        UpdateService service;
        const QUrl endpoint = m_server.url(ReleasePath);
        service.setEndpoint(endpoint);
        service.setEndpoint(QUrl());
        service.setEndpoint(QUrl(QStringLiteral("http://[::1")));
        QCOMPARE(service.endpoint(), endpoint);

        service.setTimeout(1500);
        service.setTimeout(0);
        service.setTimeout(-20);
        QCOMPARE(service.timeout(), 1500);

        service.setUserAgent("Updater/3");
        service.setUserAgent(QByteArray());
        QCOMPARE(service.userAgent(), QByteArray("Updater/3"));
    }

    void updateInfoIsARegisteredMetaType()
    {
        UpdateService service;
        const QMetaType type = QMetaType::fromName("UpdateService::UpdateInfo");
        QVERIFY(type.isValid());
        QCOMPARE(type, QMetaType::fromType<UpdateService::UpdateInfo>());

        // A queued connection copies the record through the meta-type system.
        m_server.setResponse(ReleasePath,
                             LocalHttpServer::Response::json("{\"version\":\"1.3.0\"}"));
        service.setEndpoint(m_server.url(ReleasePath));
        QObject receiver;
        QString delivered;
        connect(
            &service, &UpdateService::updateCheckSucceeded, &receiver,
            [&delivered](const UpdateService::UpdateInfo& info) { delivered = info.latestVersion; },
            Qt::QueuedConnection);
        service.checkForUpdates(QStringLiteral("1.2.0"));
        QTRY_COMPARE_WITH_TIMEOUT(delivered, QStringLiteral("1.3.0"), 10000);
    }

    void compareVersions_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("expected");

        QTest::newRow("equal") << "1.2.0"
                               << "1.2.0" << 0;
        QTest::newRow("missing part counts as zero") << "1.2.0"
                                                     << "1.2" << 0;
        QTest::newRow("numeric not textual") << "1.10"
                                             << "1.9" << 1;
        QTest::newRow("numeric not textual, reversed") << "1.9"
                                                       << "1.10" << -1;
        QTest::newRow("newer minor") << "1.3.0"
                                     << "1.2.0" << 1;
        QTest::newRow("older patch") << "1.2.0"
                                     << "1.2.1" << -1;
        QTest::newRow("longer and greater") << "1.2.0.1"
                                            << "1.2" << 1;
        QTest::newRow("suffix is not a number") << "2.0-beta"
                                                << "2.0" << 0;
        QTest::newRow("leading v counts as zero") << "v1.3"
                                                  << "0.3" << 0;
        QTest::newRow("leading v is older") << "v1.3"
                                            << "1.2.0" << -1;
        QTest::newRow("empty parts dropped") << "1..2"
                                             << "1.2" << 0;
        QTest::newRow("empty against zero") << ""
                                            << "0.0" << 0;
        QTest::newRow("major wins") << "2"
                                    << "1.99.99" << 1;
    }

    void compareVersions()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, expected);
        QCOMPARE(UpdateService::compareVersions(a, b), expected);
        QCOMPARE(UpdateService::compareVersions(b, a), -expected);
    }

    void payloads_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<bool>("updateAvailable");
        QTest::addColumn<QString>("latestVersion");
        QTest::addColumn<QString>("releaseNotes");
        QTest::addColumn<QString>("downloadUrl");
        QTest::addColumn<bool>("unexpectedPayload");

        QTest::newRow("newer version")
            << QByteArray("{\"version\":\"1.3.0\",\"downloadUrl\":\"https://dl.example.com/"
                          "q.zip\",\"changelog\":\"修复若干问题\"}")
            << true << true << "1.3.0" << QString::fromUtf8("修复若干问题")
            << "https://dl.example.com/q.zip" << false;
        QTest::newRow("only latestVersion, same version")
            << QByteArray("{\"latestVersion\":\"1.2.0\"}") << true << false << "1.2.0"
            << ""
            << "" << false;
        QTest::newRow("version preferred over latestVersion")
            << QByteArray("{\"version\":\"1.1.9\",\"latestVersion\":\"9.0\"}") << true << false
            << "1.1.9"
            << ""
            << "" << false;
        QTest::newRow("empty version falls back")
            << QByteArray("{\"version\":\"\",\"latestVersion\":\"1.10\"}") << true << true << "1.10"
            << ""
            << "" << false;
        QTest::newRow("changelog falls back to releaseNotes")
            << QByteArray("{\"version\":\"1.3.0\",\"changelog\":\"\",\"releaseNotes\":\"Notes\"}")
            << true << true << "1.3.0"
            << "Notes"
            << "" << false;
        QTest::newRow("older server version")
            << QByteArray("{\"version\":\"1.1\"}") << true << false << "1.1"
            << ""
            << "" << false;
        QTest::newRow("empty versions")
            << QByteArray("{\"version\":\"\",\"latestVersion\":\"\",\"downloadUrl\":\"x\"}")
            << false << false << ""
            << ""
            << "" << false;
        QTest::newRow("missing versions")
            << QByteArray("{\"changelog\":\"nothing\"}") << false << false << ""
            << ""
            << "" << false;
        QTest::newRow("JSON array")
            << QByteArray("[{\"version\":\"1.3.0\"}]") << false << false << ""
            << ""
            << "" << true;
        QTest::newRow("plain text") << QByteArray("version 1.3.0") << false << false << ""
                                    << ""
                                    << "" << true;
    }

    void payloads()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, succeeds);
        QFETCH(bool, updateAvailable);
        QFETCH(QString, latestVersion);
        QFETCH(QString, releaseNotes);
        QFETCH(QString, downloadUrl);
        QFETCH(bool, unexpectedPayload);

        m_server.setResponse(ReleasePath, LocalHttpServer::Response::json(body));
        UpdateService service;
        service.setEndpoint(m_server.url(ReleasePath));
        UpdateRecorder recorder(service);

        if (unexpectedPayload)
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable(QStringLiteral("[UpdateService] Unexpected payload "
                                                           "(%1 bytes): ")
                                                .arg(body.size()) +
                                            QString::fromUtf8(body)));
        else
            QTest::failOnWarning(QRegularExpression(QStringLiteral("Unexpected payload")));

        service.checkForUpdates(QStringLiteral("1.2.0"));
        QCOMPARE(recorder.events, QStringList{"started"});
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished(), 10000);

        if (!succeeds) {
            QCOMPARE(recorder.events, (QStringList{"started", "failed"}));
            QCOMPARE(recorder.errors, QStringList{QString::fromUtf8("更新服务返回数据无效")});
            return;
        }
        QCOMPARE(recorder.events, (QStringList{"started", "succeeded"}));
        const UpdateService::UpdateInfo info = recorder.infos.first();
        QCOMPARE(info.updateAvailable, updateAvailable);
        QCOMPARE(info.currentVersion, QStringLiteral("1.2.0"));
        QCOMPARE(info.latestVersion, latestVersion);
        QCOMPARE(info.releaseNotes, releaseNotes);
        QCOMPARE(info.downloadUrl, downloadUrl);
        QCOMPARE(info.rawPayload, QString::fromUtf8(body));
    }

    void publishedAt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");

        QTest::newRow("seconds, Z")
            << "2024-05-01T10:20:30Z" << QDateTime(QDate(2024, 5, 1), QTime(10, 20, 30), Qt::UTC);
        QTest::newRow("milliseconds, Z")
            << "2024-05-01T10:20:30.250Z"
            << QDateTime(QDate(2024, 5, 1), QTime(10, 20, 30, 250), Qt::UTC);
        QTest::newRow("offset") << "2024-05-01T18:20:30+08:00"
                                << QDateTime(QDate(2024, 5, 1), QTime(10, 20, 30), Qt::UTC);
        QTest::newRow("day.month.year") << "01.05.2024" << QDateTime();
        QTest::newRow("missing") << "" << QDateTime();
    }

    void publishedAt()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);

        QJsonObject payload{{"version", "1.3.0"}};
        if (!text.isEmpty())
            payload.insert("publishedAt", text);
        m_server.setResponse(
            ReleasePath,
            LocalHttpServer::Response::json(QJsonDocument(payload).toJson(QJsonDocument::Compact)));
        UpdateService service;
        service.setEndpoint(m_server.url(ReleasePath));
        UpdateRecorder recorder(service);
        service.checkForUpdates(QStringLiteral("1.2.0"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished(), 10000);

        // An unreadable date never fails the check.
        QCOMPARE(recorder.events, (QStringList{"started", "succeeded"}));
        const QDateTime published = recorder.infos.first().publishedAt;
        QCOMPARE(published.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(published.toUTC(), expected);
    }

    void longBadBodyIsLoggedShort()
    {
        const QByteArray body = "<html>" + QByteArray(20000, 'z') + "</html>";
        m_server.setResponse("/html", LocalHttpServer::Response::bytes(body, "text/html"));
        UpdateService service;
        service.setEndpoint(m_server.url("/html"));
        UpdateRecorder recorder(service);
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("[UpdateService] Unexpected payload (20013 bytes): <html>" +
                                        QString(294, 'z') + " …"));
        service.checkForUpdates(QStringLiteral("1.2.0"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished(), 10000);
        QCOMPARE(recorder.errors, QStringList{QString::fromUtf8("更新服务返回数据无效")});
    }

    void oversizedRepliesAreStopped_data()
    {
        QTest::addColumn<LocalHttpServer::Response>("response");
        QTest::addColumn<QString>("error"); // empty: the check succeeds

        // Padded with blanks, which the JSON reader skips.
        const QByteArray release = "{\"version\":\"1.3.0\"}";
        const qint64 cap = UpdateService::DefaultMaxPayloadBytes;
        const QByteArray atCap = release + QByteArray(cap - release.size(), ' ');
        const QByteArray overCap = atCap + ' ';
        const QString tooLarge = QString::fromUtf8("更新服务返回数据过大");
        QTest::newRow("exactly the cap") << LocalHttpServer::Response::json(atCap) << "";
        QTest::newRow("declared length one over the cap")
            << LocalHttpServer::Response::json(overCap) << tooLarge;
        QTest::newRow("chunked without a length, one over the cap")
            << LocalHttpServer::Response::chunkedBody(overCap, "application/json") << tooLarge;
        QTest::newRow("endless stream")
            << LocalHttpServer::Response::endlessStream("application/json") << tooLarge;
    }

    void oversizedRepliesAreStopped()
    {
        QFETCH(LocalHttpServer::Response, response);
        QFETCH(QString, error);
        m_server.setResponse("/big", response);
        UpdateService service;
        QCOMPARE(service.maxPayloadBytes(), 1024 * 1024);
        service.setEndpoint(m_server.url("/big"));
        // Long enough that only the cap can end an endless reply.
        service.setTimeout(120000);
        UpdateRecorder recorder(service);
        service.checkForUpdates(QStringLiteral("1.2.0"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished(), 60000);
        if (error.isEmpty()) {
            QCOMPARE(recorder.events, (QStringList{"started", "succeeded"}));
            QCOMPARE(recorder.infos.first().latestVersion, QStringLiteral("1.3.0"));
        } else {
            QCOMPARE(recorder.events, (QStringList{"started", "failed"}));
            QCOMPARE(recorder.errors.first(), error);
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_server.openStreams(), 0, 10000);
    }

    void smallerCapIsKept()
    {
        UpdateService service;
        service.setMaxPayloadBytes(100);
        service.setMaxPayloadBytes(0);
        service.setMaxPayloadBytes(-5);
        QCOMPARE(service.maxPayloadBytes(), 100);
        m_server.setResponse("/hundred", LocalHttpServer::Response::json(QByteArray(101, ' ')));
        service.setEndpoint(m_server.url("/hundred"));
        UpdateRecorder recorder(service);
        service.checkForUpdates(QStringLiteral("1.2.0"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished(), 10000);
        QCOMPARE(recorder.errors, QStringList{QString::fromUtf8("更新服务返回数据过大")});
    }

    void onlyWebAddressesAreAsked_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::newRow("file") << "file";
        QTest::newRow("data") << "data";
        QTest::newRow("qrc") << "qrc";
    }

    void onlyWebAddressesAreAsked()
    {
        QFETCH(QString, scheme);
        // The file and data addresses would otherwise deliver a valid release description.
        QTemporaryDir dir;
        const QByteArray release = "{\"version\":\"9.9.9\"}";
        QFile file(dir.filePath("release.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(release), release.size());
        file.close();
        QUrl endpoint;
        if (scheme == "file")
            endpoint = QUrl::fromLocalFile(file.fileName());
        else if (scheme == "data")
            endpoint = QUrl("data:application/json;base64," + release.toBase64());
        else
            endpoint = QUrl("qrc:/qt-project.org/release.json");

        UpdateService service;
        service.setEndpoint(endpoint);
        QCOMPARE(service.endpoint(), endpoint);
        UpdateRecorder recorder(service);
        service.checkForUpdates(QStringLiteral("1.2.0"));
        QCoreApplication::processEvents();
        QCOMPARE(recorder.events, QStringList{"failed"});
        QCOMPARE(recorder.errors, QStringList{QString::fromUtf8("更新服务地址无效")});
    }

    void silentServerTimesOut()
    {
        // The aborted reply is not read, so nothing warns about a closed device.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("device not open")));
        m_server.setResponse("/silent", LocalHttpServer::Response::silent());
        UpdateService service;
        service.setEndpoint(m_server.url("/silent"));
        service.setTimeout(300);
        service.setTimeout(0); // ignored: the 300 ms stay in force
        UpdateRecorder recorder(service);
        service.checkForUpdates(QStringLiteral("1.2.0"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished(), 10000);
        QCOMPARE(recorder.events, (QStringList{"started", "failed"}));
        QCOMPARE(recorder.errors, QStringList{QString::fromUtf8("更新请求超时")});
        QCOMPARE(m_server.requestCount("/silent"), 1);
    }

    void httpErrorGivesTheReplyText()
    {
        m_server.setResponse("/broken", LocalHttpServer::Response::error(503, "Gone Fishing"));
        UpdateService service;
        service.setEndpoint(m_server.url("/broken"));
        UpdateRecorder recorder(service);
        service.checkForUpdates(QStringLiteral("1.2.0"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished(), 10000);
        QCOMPARE(recorder.events, (QStringList{"started", "failed"}));
        QVERIFY2(recorder.errors.first().contains("Gone Fishing"),
                 qPrintable(recorder.errors.first()));
    }

    void refusedConnectionGivesTheReplyText()
    {
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            closedPort = probe.serverPort();
        }
        UpdateService service;
        service.setEndpoint(
            QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(closedPort).arg(ReleasePath)));
        UpdateRecorder recorder(service);
        service.checkForUpdates(QStringLiteral("1.2.0"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished(), 10000);
        QCOMPARE(recorder.events, (QStringList{"started", "failed"}));
        QCOMPARE(recorder.errors.first(), QStringLiteral("Connection refused"));
    }

    void userAgentIsHandedToTheNetworkManager()
    {
        m_server.setResponse(ReleasePath,
                             LocalHttpServer::Response::json("{\"version\":\"1.2.0\"}"));
        UpdateService service;
        service.setEndpoint(m_server.url(ReleasePath));
        service.setUserAgent("QuorvantaUpdater/7");
        UpdateRecorder recorder(service);
        service.checkForUpdates(QStringLiteral("1.2.0"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished(), 10000);
        QCOMPARE(m_server.lastRequest().header("User-Agent"), QByteArray("QuorvantaUpdater/7"));
        QCOMPARE(m_server.lastRequest().header("Accept"), QByteArray("application/json"));
        QCOMPARE(NetworkManager::instance().userAgent(), QByteArray("QuorvantaUpdater/7"));
        NetworkManager::instance().setUserAgent("Quorvanta/1.0");
    }

    void concurrentChecksEachReport()
    {
        m_server.setHandler(ReleasePath, [](const LocalHttpServer::Request&) {
            return LocalHttpServer::Response::json("{\"version\":\"1.4.0\"}");
        });
        UpdateService service;
        service.setEndpoint(m_server.url(ReleasePath));
        UpdateRecorder recorder(service);
        service.checkForUpdates(QStringLiteral("1.2.0"));
        service.checkForUpdates(QStringLiteral("1.5.0"));
        QTRY_COMPARE_WITH_TIMEOUT(recorder.infos.size(), 2, 10000);
        QCOMPARE(recorder.events.count("started"), 2);
        QSet<QString> current;
        for (const UpdateService::UpdateInfo& info : recorder.infos) {
            current.insert(info.currentVersion);
            QCOMPARE(info.updateAvailable, info.currentVersion == QStringLiteral("1.2.0"));
        }
        QCOMPARE(current, (QSet<QString>{"1.2.0", "1.5.0"}));
    }

    void serviceDestroyedDuringCheck()
    {
        m_server.setResponse("/hold", LocalHttpServer::Response::silent());
        auto service = std::make_unique<UpdateService>();
        service->setEndpoint(m_server.url("/hold"));
        service->setTimeout(60000);
        QSignalSpy received(&m_server, &LocalHttpServer::requestReceived);
        service->checkForUpdates(QStringLiteral("1.2.0"));
        QVERIFY(received.wait(10000));
        QPointer<QNetworkReply> reply = service->findChild<QNetworkReply*>();
        QVERIFY(reply);
        service.reset();
        QVERIFY(!reply);
    }

private:
    LocalHttpServer m_server;
};

QTEST_GUILESS_MAIN(TestUpdateService)
#include "tst_updateservice.moc"
