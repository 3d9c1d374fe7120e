#include "UpdateService.h"

#include "online/NetworkManager.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

const char* const TimeoutProperty = "update_request_timeout";

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

void UpdateService::setUserAgent(const QByteArray& userAgent)
{
    if (!userAgent.isEmpty())
        m_userAgent = userAgent;
}

void UpdateService::checkForUpdates(const QString& currentVersion)
{
    if (!m_endpoint.isValid()) {
        emit updateCheckFailed(tr("更新服务地址无效"));
        return;
    }
    emit updateCheckStarted();

    NetworkManager& network = NetworkManager::instance();
    if (!m_userAgent.isEmpty())
        network.setUserAgent(m_userAgent);
    QNetworkReply* reply = network.networkAccessManager()->get(network.createRequest(m_endpoint));
    // Owned here so that a service destroyed mid-check takes its reply along.
    reply->setParent(this);

    if (m_timeoutMs >= 1) {
        reply->setProperty(TimeoutProperty, false);
        auto* timer = new QTimer(reply);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, reply, [reply] {
            if (reply->isFinished())
                return;
            reply->setProperty(TimeoutProperty, true);
            reply->abort();
        });
        timer->start(m_timeoutMs);
    }

    connect(reply, &QNetworkReply::finished, this, [this, reply, currentVersion] {
        const bool timedOut = reply->property(TimeoutProperty).toBool();
        const QNetworkReply::NetworkError error = reply->error();
        const QString errorText = reply->errorString();
        const QByteArray body = reply->readAll();
        reply->deleteLater();

        if (timedOut || error == QNetworkReply::OperationCanceledError) {
            emit updateCheckFailed(tr("更新请求超时"));
            return;
        }
        if (error != QNetworkReply::NoError) {
            emit updateCheckFailed(errorText);
            return;
        }
        const UpdateInfo info = parsePayload(body, currentVersion);
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
        qWarning().noquote() << "[UpdateService] Unexpected payload" << info.rawPayload;
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
