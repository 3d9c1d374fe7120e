#include "LocalHttpServer.h"

#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>

class LocalHttpServer::Listener : public QTcpServer
{
public:
    explicit Listener(LocalHttpServer* owner) : m_owner(owner) {}

    bool tls = false;
    QSslCertificate certificate;
    QSslKey key;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        QTcpSocket* socket = nullptr;
        if (tls) {
            auto* sslSocket = new QSslSocket(m_owner);
            sslSocket->setLocalCertificate(certificate);
            sslSocket->setPrivateKey(key);
            if (!sslSocket->setSocketDescriptor(descriptor)) {
                delete sslSocket;
                return;
            }
            sslSocket->startServerEncryption();
            socket = sslSocket;
        } else {
            socket = new QTcpSocket(m_owner);
            if (!socket->setSocketDescriptor(descriptor)) {
                delete socket;
                return;
            }
        }
        m_owner->onNewConnection(socket);
    }

private:
    LocalHttpServer* m_owner;
};

bool LocalHttpServer::Request::hasQueryItem(const QString& key) const
{
    return queryKeys().contains(key);
}

QString LocalHttpServer::Request::queryValue(const QString& key) const
{
    for (const auto& item : queryItems) {
        if (item.first == key)
            return item.second;
    }
    return QString();
}

QStringList LocalHttpServer::Request::queryKeys() const
{
    QStringList keys;
    for (const auto& item : queryItems)
        keys << item.first;
    return keys;
}

LocalHttpServer::Response LocalHttpServer::Response::json(const QByteArray& body)
{
    Response response;
    response.body = body;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::bytes(const QByteArray& body,
                                                           const QByteArray& contentType)
{
    Response response;
    response.body = body;
    response.contentType = contentType;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::error(int code, const QByteArray& reason)
{
    Response response;
    response.status = code;
    response.reason = reason;
    response.contentType = QByteArrayLiteral("text/plain");
    response.body = reason;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::silent()
{
    Response response;
    response.answer = false;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::chunkedBody(const QByteArray& body,
                                                                 const QByteArray& contentType)
{
    Response response = bytes(body, contentType);
    response.chunked = true;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::endlessStream(const QByteArray& contentType)
{
    Response response = bytes(QByteArray(), contentType);
    response.endless = true;
    return response;
}

LocalHttpServer::LocalHttpServer(QObject* parent)
    : QObject(parent), m_listener(std::make_unique<Listener>(this))
{
}

LocalHttpServer::~LocalHttpServer() = default;

bool LocalHttpServer::listen()
{
    m_tls = false;
    m_listener->tls = false;
    return m_listener->listen(QHostAddress::LocalHost, 0);
}

bool LocalHttpServer::listenTls(const QSslCertificate& certificate, const QSslKey& key)
{
    m_tls = true;
    m_listener->tls = true;
    m_listener->certificate = certificate;
    m_listener->key = key;
    return m_listener->listen(QHostAddress::LocalHost, 0);
}

quint16 LocalHttpServer::port() const
{
    return m_listener->serverPort();
}

QUrl LocalHttpServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                    .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(port())
                    .arg(path));
}

void LocalHttpServer::setResponse(const QString& path, const Response& response)
{
    m_handlers.insert(path, [response](const Request&) { return response; });
}

void LocalHttpServer::setHandler(const QString& path, const Handler& handler)
{
    m_handlers.insert(path, handler);
}

QList<LocalHttpServer::Request> LocalHttpServer::requests(const QString& path) const
{
    QList<Request> result;
    for (const Request& request : m_requests) {
        if (request.path == path)
            result << request;
    }
    return result;
}

void LocalHttpServer::onNewConnection(QTcpSocket* socket)
{
    m_buffers.insert(socket, QByteArray());
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        m_buffers.remove(socket);
        m_streams.removeAll(socket);
        socket->deleteLater();
    });
}

void LocalHttpServer::onReadyRead(QTcpSocket* socket)
{
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();

    for (;;) {
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        Request request;
        QByteArray target;
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        target = requestLine.value(1);
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const int colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(),
                                       line.mid(colon + 1).trimmed());
        }
        const int bodyLength = request.headers.value("content-length").toInt();
        if (buffer.size() < headerEnd + 4 + bodyLength)
            return;
        request.body = buffer.mid(headerEnd + 4, bodyLength);
        buffer.remove(0, headerEnd + 4 + bodyLength);

        const QUrl url = QUrl::fromEncoded(target);
        request.path = url.path();
        request.queryItems = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
        m_requests << request;

        const Response response = respond(request);
        emit requestReceived(request.path);
        if (!response.answer)
            continue;

        QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' +
                           response.reason + "\r\nContent-Type: " + response.contentType;
        if (response.chunked || response.endless)
            reply += "\r\nTransfer-Encoding: chunked";
        else
            reply += "\r\nContent-Length: " + QByteArray::number(response.body.size());
        reply += "\r\nConnection: close\r\n\r\n";
        if (response.endless) {
            socket->write(reply);
            m_streams << socket;
            connect(socket, &QTcpSocket::bytesWritten, this,
                    [this, socket] { pumpStream(socket); });
            pumpStream(socket);
            return;
        }
        if (response.chunked) {
            reply += QByteArray::number(response.body.size(), 16) + "\r\n" + response.body +
                     "\r\n0\r\n\r\n";
        } else {
            reply += response.body;
        }
        socket->write(reply);
        socket->disconnectFromHost();
        return;
    }
}

LocalHttpServer::Response LocalHttpServer::respond(const Request& request)
{
    const auto handler = m_handlers.constFind(request.path);
    if (handler == m_handlers.constEnd())
        return Response::error(404, QByteArrayLiteral("Not Found"));
    return handler.value()(request);
}

void LocalHttpServer::pumpStream(QTcpSocket* socket)
{
    // Keep a little queued: the stream goes on for as long as the client reads.
    static const QByteArray chunk =
        QByteArray::number(64 * 1024, 16) + "\r\n" + QByteArray(64 * 1024, 'x') + "\r\n";
    if (!m_streams.contains(socket) || socket->state() != QAbstractSocket::ConnectedState)
        return;
    while (socket->bytesToWrite() < 4 * chunk.size())
        socket->write(chunk);
}
