#include "UpdateService.h"

#include "online/BoundedReply.h"
#include "online/NetworkManager.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

QDateTime parseIsoDateTime(const QString& text)
{
    QDateTime value = QDateTime::fromString(text, Qt::ISODate);
    if (!value.isValid())
        value = QDateTime::fromString(text, Qt::ISODateWithMs);
    return value;
}

} // namespace

UpdateService::UpdateService(QObject* parent)
    : QObject(parent),
      m_endpoint(QStringLiteral("https://updates.example.com/api/v1/releases/latest"))
{
    qRegisterMetaType<UpdateService::UpdateInfo>("UpdateService::UpdateInfo");
}

void UpdateService::setEndpoint(const QUrl& endpoint)
{
    if (endpoint.isEmpty() || !endpoint.isValid())
        return;
    m_endpoint = endpoint;
}

void UpdateService::setTimeout(int milliseconds)
{
    if (milliseconds > 0)
        m_timeoutMs = milliseconds;
}

void UpdateService::setMaxPayloadBytes(qint64 bytes)
{
    if (bytes > 0)
        m_maxPayloadBytes = bytes;
}

void UpdateService::setUserAgent(const QByteArray& userAgent)
{
    if (!userAgent.isEmpty())
        m_userAgent = userAgent;
}

void UpdateService::checkForUpdates(const QString& currentVersion)
{
    // Only a web address is asked: a file: endpoint would read the disk.
    if (!m_endpoint.isValid() || !BoundedReply::isFetchable(m_endpoint)) {
        emit updateCheckFailed(tr("更新服务地址无效"));
        return;
    }
    emit updateCheckStarted();

    NetworkManager& network = NetworkManager::instance();
    if (!m_userAgent.isEmpty())
        network.setUserAgent(m_userAgent);
    QNetworkReply* reply = network.networkAccessManager()->get(network.createRequest(m_endpoint));
    // Owned here so that a service destroyed mid-check takes its download along.
    auto* download = new BoundedReply(reply, m_maxPayloadBytes, m_timeoutMs, this);

    connect(download, &BoundedReply::finished, this, [this, download, currentVersion] {
        download->deleteLater();
        if (download->outcome() == BoundedReply::Outcome::TooLarge) {
            emit updateCheckFailed(tr("更新服务返回数据过大"));
            return;
        }
        if (download->outcome() == BoundedReply::Outcome::TimedOut ||
            download->error() == QNetworkReply::OperationCanceledError) {
            emit updateCheckFailed(tr("更新请求超时"));
            return;
        }
        if (download->error() != QNetworkReply::NoError) {
            emit updateCheckFailed(download->errorString());
            return;
        }
        const UpdateInfo info = parsePayload(download->body(), currentVersion);
        if (info.latestVersion.isEmpty()) {
            emit updateCheckFailed(tr("更新服务返回数据无效"));
            return;
        }
        emit updateCheckSucceeded(info);
    });
}

UpdateService::UpdateInfo UpdateService::parsePayload(const QByteArray& body,
                                                      const QString& currentVersion)
{
    UpdateInfo info;
    info.currentVersion = currentVersion;
    info.rawPayload = QString::fromUtf8(body);

    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isObject()) {
        qWarning().noquote() << "[UpdateService] Unexpected payload" << BoundedReply::preview(body);
        return info;
    }
    const QJsonObject payload = document.object();
    info.latestVersion = payload.value(QStringLiteral("version")).toString();
    if (info.latestVersion.isEmpty())
        info.latestVersion = payload.value(QStringLiteral("latestVersion")).toString();
    info.releaseNotes = payload.value(QStringLiteral("changelog")).toString();
    if (info.releaseNotes.isEmpty())
        info.releaseNotes = payload.value(QStringLiteral("releaseNotes")).toString();
    info.downloadUrl = payload.value(QStringLiteral("downloadUrl")).toString();
    info.publishedAt = parseIsoDateTime(payload.value(QStringLiteral("publishedAt")).toString());
    info.updateAvailable =
        !info.latestVersion.isEmpty() && compareVersions(info.latestVersion, currentVersion) > 0;
    return info;
}

int UpdateService::compareVersions(const QString& a, const QString& b)
{
    const QStringList left = a.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    const QStringList right = b.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    const int count = qMax(left.size(), right.size());
    for (int i = 0; i < count; ++i) {
        // A missing or non-numeric part counts as 0.
        const qlonglong x = i < left.size() ? left.at(i).toLongLong() : 0;
        const qlonglong y = i < right.size() ? right.at(i).toLongLong() : 0;
        if (x > y)
            return 1;
        if (x < y)
            return -1;
    }
    return 0;
}
