#include "LocalHttpServer.h"
#include "online/BoundedReply.h"
#include "online/NetworkManager.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(LocalHttpServer::Response)
Q_DECLARE_METATYPE(BoundedReply::Outcome)

namespace {

constexpr qint64 Cap = 4096;

} // namespace

class TestBoundedReply : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.listen()); }

    void isFetchable_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("fetchable");
        QTest::newRow("http") << "http://news.example.com/a.png" << true;
        QTest::newRow("https") << "https://news.example.com/a.png" << true;
        QTest::newRow("upper-case scheme") << "HTTPS://news.example.com/a.png" << true;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("file with host") << "file://server/share/a.png" << false;
        QTest::newRow("data") << "data:image/png;base64,iVBORw0KGgo=" << false;
        QTest::newRow("qrc") << "qrc:/icons/app.png" << false;
        QTest::newRow("ftp") << "ftp://example.com/a.png" << false;
        QTest::newRow("relative") << "covers/a.png" << false;
        QTest::newRow("http without host") << "http:///a.png" << false;
        QTest::newRow("empty") << "" << false;
    }

    void isFetchable()
    {
        QFETCH(QString, url);
        QFETCH(bool, fetchable);
        QCOMPARE(BoundedReply::isFetchable(QUrl(url)), fetchable);
    }

    void preview_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QByteArray() << "(0 bytes): ";
        QTest::newRow("short") << QByteArray("version 1.3.0") << "(13 bytes): version 1.3.0";
        QTest::newRow("exactly 300") << QByteArray(300, 'a') << "(300 bytes): " + QString(300, 'a');
        QTest::newRow("long") << QByteArray(1000000, 'b')
                              << "(1000000 bytes): " + QString(300, 'b') + " …";
        // 299 ASCII characters and then a character outside the basic plane: no half pair.
        QTest::newRow("surrogate pair at the cut")
            << QByteArray(299, 'c') + QString::fromUcs4(U"\U0001F600\U0001F600").toUtf8()
            << "(307 bytes): " + QString(299, 'c') + " …";
        QTest::newRow("multibyte counted in bytes")
            << QString::fromUtf8("资讯").toUtf8() << QString::fromUtf8("(6 bytes): 资讯");
    }

    void preview()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        QCOMPARE(BoundedReply::preview(body), expected);
    }

    void outcomes_data()
    {
        QTest::addColumn<LocalHttpServer::Response>("response");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<BoundedReply::Outcome>("outcome");
        QTest::addColumn<int>("error");
        QTest::addColumn<QByteArray>("body");

        const QByteArray atCap(Cap, 'a');
        const QByteArray overCap(Cap + 1, 'a');
        const int none = QNetworkReply::NoError;
        const int canceled = QNetworkReply::OperationCanceledError;
        QTest::newRow("small body") << LocalHttpServer::Response::json("{}") << 0
                                    << BoundedReply::Outcome::Completed << none << QByteArray("{}");
        QTest::newRow("exactly the cap") << LocalHttpServer::Response::json(atCap) << 0
                                         << BoundedReply::Outcome::Completed << none << atCap;
        QTest::newRow("chunked, exactly the cap")
            << LocalHttpServer::Response::chunkedBody(atCap, "text/plain") << 0
            << BoundedReply::Outcome::Completed << none << atCap;
        QTest::newRow("declared length one over the cap")
            << LocalHttpServer::Response::json(overCap) << 0 << BoundedReply::Outcome::TooLarge
            << canceled << QByteArray();
        QTest::newRow("chunked, one over the cap")
            << LocalHttpServer::Response::chunkedBody(overCap, "text/plain") << 0
            << BoundedReply::Outcome::TooLarge << canceled << QByteArray();
        QTest::newRow("endless stream")
            << LocalHttpServer::Response::endlessStream("application/json") << 0
            << BoundedReply::Outcome::TooLarge << canceled << QByteArray();
        QTest::newRow("silent server")
            << LocalHttpServer::Response::silent() << 200 << BoundedReply::Outcome::TimedOut
            << canceled << QByteArray();
        // An error status still hands over its body: some callers only look at the bytes.
        QTest::newRow("error status with a body")
            << LocalHttpServer::Response::error(404, "Not Found") << 0
            << BoundedReply::Outcome::Completed << int(QNetworkReply::ContentNotFoundError)
            << QByteArray("Not Found");
    }

    void outcomes()
    {
        QFETCH(LocalHttpServer::Response, response);
        QFETCH(int, timeout);
        QFETCH(BoundedReply::Outcome, outcome);
        QFETCH(int, error);
        QFETCH(QByteArray, body);

        const QString path = QStringLiteral("/outcome/%1")
                                 .arg(QString::fromLatin1(QTest::currentDataTag())
                                          .replace(QRegularExpression("[^A-Za-z0-9]+"), "-"));
        m_server.setResponse(path, response);
        // An aborted reply is never read.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("device not open")));

        QNetworkReply* reply = NetworkManager::instance().networkAccessManager()->get(
            QNetworkRequest(m_server.url(path)));
        QObject owner;
        auto* download = new BoundedReply(reply, Cap, timeout, &owner);
        QCOMPARE(reply->parent(), download);
        QSignalSpy finished(download, &BoundedReply::finished);
        // Generous: a download that is not stopped never finishes on its own.
        QVERIFY(finished.wait(60000));
        QCOMPARE(download->outcome(), outcome);
        QCOMPARE(int(download->error()), error);
        QCOMPARE(download->body(), body);

        // Reported exactly once, and the connection of an endless stream is closed.
        QTRY_COMPARE_WITH_TIMEOUT(m_server.openStreams(), 0, 10000);
        QCoreApplication::processEvents();
        QCOMPARE(finished.size(), 1);
    }

    void destroyingStopsSilently()
    {
        m_server.setResponse("/hold", LocalHttpServer::Response::silent());
        QSignalSpy received(&m_server, &LocalHttpServer::requestReceived);
        QPointer<QNetworkReply> reply = NetworkManager::instance().networkAccessManager()->get(
            QNetworkRequest(m_server.url("/hold")));
        auto download = std::make_unique<BoundedReply>(reply, Cap, 0);
        QSignalSpy finished(download.get(), &BoundedReply::finished);
        QVERIFY(received.wait(10000));
        download.reset();
        QVERIFY(!reply);
        QCOMPARE(finished.size(), 0);
    }

private:
    LocalHttpServer m_server;
};

QTEST_GUILESS_MAIN(TestBoundedReply)
#include "tst_boundedreply.moc"
