#include "NetworkConfiguration.h"

#include "data/PerUserFolder.h"
#include "online/NewsSyncService.h"
#include "online/UpdateService.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QUrl>

namespace {

// QUrl takes almost any text as a relative URL; an endpoint must name an
// HTTP(S) server, or the mistake would only surface when the request fails.
QUrl endpointUrl(const QString& text)
{
    const QUrl url(text);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.isRelative() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return QUrl();
    return url;
}

} // namespace

QJsonObject NetworkConfiguration::load(const QString& dataPath, const QJsonObject& current)
{
    const QString path = dataPath + QStringLiteral("config/network_config.json");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "MainWindow::loadNetworkConfiguration - Failed to open" << path;
        return QJsonObject();
    }
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject()) {
        qWarning().noquote() << "MainWindow::loadNetworkConfiguration - Invalid JSON";
        return current;
    }
    return document.object();
}

void NetworkConfiguration::applyUpdateSettings(const QJsonObject& configuration,
                                               UpdateService& service)
{
    const QJsonObject updates = configuration.value(QStringLiteral("updates")).toObject();
    const QString endpoint = updates.value(QStringLiteral("endpoint")).toString();
    const QUrl url = endpointUrl(endpoint);
    if (url.isValid())
        service.setEndpoint(url);
    else if (!endpoint.isEmpty())
        qWarning().noquote() << "MainWindow::loadNetworkConfiguration - Invalid update endpoint"
                             << endpoint;

    const int timeoutMs = updates.value(QStringLiteral("timeoutMs")).toInt(0);
    if (timeoutMs > 0)
        service.setTimeout(timeoutMs);
    const QString userAgent = updates.value(QStringLiteral("userAgent")).toString();
    if (!userAgent.isEmpty())
        service.setUserAgent(userAgent.toUtf8());
}

bool NetworkConfiguration::applyNewsSettings(const QJsonObject& configuration,
                                             NewsSyncService& service)
{
    if (!configuration.contains(QStringLiteral("news"))) {
        qWarning().noquote() << "MainWindow::initializeNewsService - News configuration missing";
        return false;
    }
    const QJsonObject news = configuration.value(QStringLiteral("news")).toObject();

    const QString endpoint = news.value(QStringLiteral("endpoint")).toString();
    const QUrl url = endpointUrl(endpoint);
    if (url.isValid())
        service.setEndpoint(url);
    else if (!endpoint.isEmpty())
        qWarning().noquote() << "MainWindow::initializeNewsService - Invalid news endpoint"
                             << endpoint;

    const int pageSize = news.value(QStringLiteral("pageSize")).toInt(0);
    if (pageSize > 0)
        service.setPageSize(pageSize);
    const int timeoutMs = news.value(QStringLiteral("timeoutMs")).toInt(0);
    if (timeoutMs > 0)
        service.setTimeout(timeoutMs);
    const QString userAgent = news.value(QStringLiteral("userAgent")).toString();
    if (!userAgent.isEmpty())
        service.setUserAgent(userAgent.toUtf8());
    const int cacheTtl = news.value(QStringLiteral("cacheTtlSec")).toInt(0);
    if (cacheTtl > 0)
        service.setCacheTtl(cacheTtl);

    const QJsonValue headersValue = news.value(QStringLiteral("headers"));
    if (headersValue.isObject()) {
        const QJsonObject headersObject = headersValue.toObject();
        QHash<QByteArray, QByteArray> headers;
        for (auto it = headersObject.constBegin(); it != headersObject.constEnd(); ++it)
            headers.insert(it.key().toUtf8(), it.value().toString().toUtf8());
        if (!headers.isEmpty())
            service.setHeaders(headers);
    }
    return true;
}

QString NetworkConfiguration::newsCacheFilePath(const QString& dataPath)
{
    Q_UNUSED(dataPath);
    // Never below the data directory, which may be the install's or the source tree's.
    const QString folder = PerUserFolder::path();
    if (folder.isEmpty())
        return {};
    QDir directory(folder);
    if (!directory.exists())
        directory.mkpath(QStringLiteral("."));
    return directory.filePath(QStringLiteral("news_cache.json"));
}
