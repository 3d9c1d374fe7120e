#include "NetworkManager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

NetworkManager* s_instance = nullptr;

} // namespace

void NetworkManager::destroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

NetworkManager& NetworkManager::instance()
{
    if (!s_instance) {
        s_instance = new NetworkManager;
        // Freed while the application object still exists, so the access
        // manager never outlives the event loop it belongs to.
        qAddPostRoutine(destroyInstance);
    }
    return *s_instance;
}

NetworkManager::NetworkManager()
    : m_networkAccessManager(new QNetworkAccessManager(this)),
      m_userAgent(QByteArrayLiteral("Quorvanta/1.0"))
{
    m_defaultHeaders.insert(QByteArrayLiteral("Accept"), QByteArrayLiteral("application/json"));
    connect(m_networkAccessManager, &QNetworkAccessManager::sslErrors, this,
            &NetworkManager::handleSslErrors);
}

NetworkManager::~NetworkManager() = default;

QNetworkRequest NetworkManager::createRequest(const QUrl& url) const
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    if (!m_userAgent.isEmpty())
        request.setRawHeader(QByteArrayLiteral("User-Agent"), m_userAgent);
    for (auto it = m_defaultHeaders.cbegin(); it != m_defaultHeaders.cend(); ++it)
        request.setRawHeader(it.key(), it.value());
    return request;
}

void NetworkManager::setUserAgent(const QByteArray& userAgent)
{
    if (userAgent.isEmpty())
        return;
    m_userAgent = userAgent;
}

void NetworkManager::handleSslErrors(QNetworkReply* reply, const QList<QSslError>& errors)
{
    Q_UNUSED(reply)
    // Logged only: ignoring them would silently trust an unverified server.
    for (const QSslError& error : errors)
        qWarning().noquote() << "[NetworkManager] SSL error:" << error.errorString();
}
