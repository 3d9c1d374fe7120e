#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for tests: fixed or computed answers
// per path, a record of every request, optional silence and optional TLS.
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QString path;
        QList<QPair<QString, QString>> queryItems; // fully decoded, in request order
        QHash<QByteArray, QByteArray> headers;     // names in lower case
        QByteArray body;

        QByteArray header(const QByteArray& name) const { return headers.value(name.toLower()); }
        bool hasQueryItem(const QString& key) const;
        QString queryValue(const QString& key) const;
        QStringList queryKeys() const;
    };

    struct Response
    {
        int status = 200;
        QByteArray reason = QByteArrayLiteral("OK");
        QByteArray contentType = QByteArrayLiteral("application/json");
        QByteArray body;
        bool answer = true;   // false: read the request and never reply
        bool chunked = false; // the body as one chunk, without a Content-Length
        bool endless = false; // chunk after chunk until the client hangs up

        static Response json(const QByteArray& body);
        static Response bytes(const QByteArray& body, const QByteArray& contentType);
        static Response error(int code, const QByteArray& reason);
        static Response silent();
        static Response chunkedBody(const QByteArray& body, const QByteArray& contentType);
        static Response endlessStream(const QByteArray& contentType);
    };

    using Handler = std::function<Response(const Request&)>;

    explicit LocalHttpServer(QObject* parent = nullptr);
    ~LocalHttpServer() override;

    bool listen();
    bool listenTls(const QSslCertificate& certificate, const QSslKey& key);
    quint16 port() const;
    // http(s)://127.0.0.1:<port><path>
    QUrl url(const QString& path) const;

    void setResponse(const QString& path, const Response& response);
    void setHandler(const QString& path, const Handler& handler);

    QList<Request> requests() const { return m_requests; }
    QList<Request> requests(const QString& path) const;
    int requestCount(const QString& path) const { return requests(path).size(); }
    Request lastRequest() const { return m_requests.isEmpty() ? Request() : m_requests.last(); }
    // Endless streams whose client has not hung up yet.
    int openStreams() const { return m_streams.size(); }

signals:
    void requestReceived(const QString& path);

private:
    class Listener;
    void onNewConnection(QTcpSocket* socket);
    void onReadyRead(QTcpSocket* socket);
    Response respond(const Request& request);
    void pumpStream(QTcpSocket* socket);

    std::unique_ptr<Listener> m_listener;
    bool m_tls = false;
    QHash<QString, Handler> m_handlers;
    QList<Request> m_requests;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QList<QTcpSocket*> m_streams;
};
