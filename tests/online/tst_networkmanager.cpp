#include "LocalHttpServer.h"
#include "online/NetworkManager.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QSslSocket>
#include <QtTest>

namespace {

QStringList s_warnings;
QtMessageHandler s_previousHandler = nullptr;

void collectWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && qstrcmp(context.category, "default") == 0)
        s_warnings << message;
    else
        s_previousHandler(type, context, message);
}

QByteArray readTestFile(const QString& name)
{
    QFile file(QStringLiteral(QUORVANTA_SOURCE_DIR "/tests/online/data/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestNetworkManager : public QObject
{
    Q_OBJECT

private slots:
    void instanceIsProcessWide()
    {
        NetworkManager& first = NetworkManager::instance();
        QCOMPARE(&NetworkManager::instance(), &first);
        QVERIFY(first.networkAccessManager());
        QCOMPARE(first.networkAccessManager()->parent(), &first);
        QVERIFY(!first.parent());
    }

    void createRequestCarriesStandardHeaders()
    {
        NetworkManager& network = NetworkManager::instance();
        QCOMPARE(network.userAgent(), QByteArray("Quorvanta/1.0"));
        const QUrl url(QStringLiteral("http://127.0.0.1:1/api/v1/news?limit=3"));
        const QNetworkRequest request = network.createRequest(url);
        QCOMPARE(request.url(), url);
        QCOMPARE(request.header(QNetworkRequest::ContentTypeHeader).toString(),
                 QStringLiteral("application/json"));
        QCOMPARE(request.rawHeader("User-Agent"), QByteArray("Quorvanta/1.0"));
        QCOMPARE(request.rawHeader("Accept"), QByteArray("application/json"));
        QCOMPARE(network.defaultHeaders().size(), 1);
    }

    void emptyUserAgentIsIgnored()
    {
        NetworkManager& network = NetworkManager::instance();
        network.setUserAgent(QByteArray());
        QCOMPARE(network.userAgent(), QByteArray("Quorvanta/1.0"));
        network.setUserAgent("Probe/2.0");
        QCOMPARE(network.createRequest(QUrl("http://127.0.0.1:1/")).rawHeader("User-Agent"),
                 QByteArray("Probe/2.0"));
        network.setUserAgent("Quorvanta/1.0");
    }

    void headersReachTheServer()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setResponse("/ping", LocalHttpServer::Response::json("{}"));

        NetworkManager& network = NetworkManager::instance();
        QNetworkReply* reply =
            network.networkAccessManager()->get(network.createRequest(server.url("/ping")));
        QSignalSpy finished(reply, &QNetworkReply::finished);
        QVERIFY(finished.wait(10000));
        QCOMPARE(reply->error(), QNetworkReply::NoError);
        reply->deleteLater();

        QCOMPARE(server.requestCount("/ping"), 1);
        const LocalHttpServer::Request request = server.lastRequest();
        QCOMPARE(request.method, QByteArray("GET"));
        QCOMPARE(request.header("User-Agent"), QByteArray("Quorvanta/1.0"));
        QCOMPARE(request.header("Accept"), QByteArray("application/json"));
        QCOMPARE(request.header("Content-Type"), QByteArray("application/json"));
    }

    void tlsErrorsAreLoggedAndNotIgnored()
    {
        if (!QSslSocket::supportsSsl())
            QSKIP("No TLS backend available");
        const QSslCertificate certificate(readTestFile("localhost.crt"));
        const QSslKey key(readTestFile("localhost.key"), QSsl::Rsa);
        QVERIFY(!certificate.isNull());
        QVERIFY(!key.isNull());

        LocalHttpServer server;
        QVERIFY(server.listenTls(certificate, key));
        server.setResponse("/secure", LocalHttpServer::Response::json("{}"));

        NetworkManager& network = NetworkManager::instance();
        QNetworkReply* reply =
            network.networkAccessManager()->get(network.createRequest(server.url("/secure")));
        QStringList expected;
        connect(reply, &QNetworkReply::sslErrors, this,
                [&expected](const QList<QSslError>& errors) {
                    for (const QSslError& error : errors)
                        expected << QStringLiteral("[NetworkManager] SSL error: ") +
                                        error.errorString();
                });

        s_warnings.clear();
        s_previousHandler = qInstallMessageHandler(collectWarnings);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        const bool done = finished.wait(10000);
        qInstallMessageHandler(s_previousHandler);
        QVERIFY(done);

        QCOMPARE(reply->error(), QNetworkReply::SslHandshakeFailedError);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(s_warnings, expected);
        // The request never got through to the server.
        QCOMPARE(server.requestCount("/secure"), 0);
        reply->deleteLater();
    }
};

QTEST_GUILESS_MAIN(TestNetworkManager)
#include "tst_networkmanager.moc"
