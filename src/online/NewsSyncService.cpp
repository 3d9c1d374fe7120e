#include "NewsSyncService.h"

#include "data/AtomicFileWriter.h"
#include "online/BoundedReply.h"
#include "online/NetworkManager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

NewsSyncService::NewsSyncService(QObject* parent) : QObject(parent) {}

NewsSyncService::~NewsSyncService()
{
    // A download still running must not report into a half-destroyed service; destroying it
    // stops it without a word.
    delete m_download;
}

void NewsSyncService::setEndpoint(const QUrl& endpoint)
{
    if (endpoint.isValid())
        m_endpoint = endpoint;
}

void NewsSyncService::setPageSize(int pageSize)
{
    if (pageSize > 0)
        m_pageSize = pageSize;
}

void NewsSyncService::setCachePath(const QString& path)
{
    if (!path.isEmpty())
        m_cachePath = path;
}

void NewsSyncService::setTimeout(int milliseconds)
{
    if (milliseconds > 0)
        m_timeoutMs = milliseconds;
}

void NewsSyncService::setUserAgent(const QByteArray& userAgent)
{
    if (!userAgent.isEmpty())
        m_userAgent = userAgent;
}

void NewsSyncService::setMaxPageBytes(qint64 bytes)
{
    if (bytes > 0)
        m_maxPageBytes = bytes;
}

void NewsSyncService::setCacheTtl(int seconds)
{
    if (seconds > 0)
        m_cacheTtlSec = seconds;
}

void NewsSyncService::setHeaders(const QHash<QByteArray, QByteArray>& headers)
{
    m_headers = headers;
}

void NewsSyncService::start()
{
    loadCacheFromDisk();
    refresh(QString(), QString());
}

void NewsSyncService::refresh(const QString& category, const QString& tag)
{
    if (m_inProgress)
        return;
    // Only a web address is asked: a file: endpoint would read the disk.
    if (!m_endpoint.isValid() || !BoundedReply::isFetchable(m_endpoint)) {
        emit newsUpdateFailed(tr("资讯服务地址无效"));
        return;
    }
    // The cursor belongs to one filter combination.
    if (category != m_category || tag != m_tag)
        m_since.clear();
    m_category = category;
    m_tag = tag;
    fetch();
}

QUrl NewsSyncService::requestUrl() const
{
    // Values are fully percent-encoded, so a "+" or "&" in a cursor or a
    // filter reaches the server unchanged.
    QUrl url = m_endpoint;
    QByteArray query = url.query(QUrl::FullyEncoded).toLatin1();
    const auto addItem = [&query](const char* key, const QString& value) {
        if (!query.isEmpty())
            query += '&';
        query += key;
        query += '=';
        query += QUrl::toPercentEncoding(value);
    };
    if (m_pageSize > 0)
        addItem("limit", QString::number(m_pageSize));
    if (!m_since.isEmpty())
        addItem("since", m_since);
    if (!m_category.isEmpty())
        addItem("category", m_category);
    if (!m_tag.isEmpty())
        addItem("tag", m_tag);
    if (query.isEmpty())
        url.setQuery(QString());
    else
        url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

void NewsSyncService::fetch()
{
    m_inProgress = true;
    emit refreshStateChanged(true);

    NetworkManager& network = NetworkManager::instance();
    if (!m_userAgent.isEmpty())
        network.setUserAgent(m_userAgent);
    QNetworkRequest request = network.createRequest(requestUrl());
    for (auto it = m_headers.cbegin(); it != m_headers.cend(); ++it)
        request.setRawHeader(it.key(), it.value());

    QNetworkReply* reply = network.networkAccessManager()->get(request);
    auto* download = new BoundedReply(reply, m_maxPageBytes, m_timeoutMs, this);
    m_download = download;
    connect(download, &BoundedReply::finished, this,
            [this, download] { onDownloadFinished(download); });
}

void NewsSyncService::onDownloadFinished(BoundedReply* download)
{
    download->deleteLater();
    m_download.clear();

    m_inProgress = false;
    emit refreshStateChanged(false);

    if (download->outcome() == BoundedReply::Outcome::TooLarge) {
        emit newsUpdateFailed(tr("资讯服务返回数据过大"));
        return;
    }
    if (download->outcome() == BoundedReply::Outcome::TimedOut ||
        download->error() == QNetworkReply::OperationCanceledError) {
        emit newsUpdateFailed(tr("资讯请求超时"));
        return;
    }
    if (download->error() != QNetworkReply::NoError) {
        emit newsUpdateFailed(download->errorString());
        return;
    }
    const QJsonDocument document = QJsonDocument::fromJson(download->body());
    if (!document.isObject()) {
        emit newsUpdateFailed(tr("资讯服务返回无效数据"));
        return;
    }
    const QJsonObject payload = document.object();
    const QJsonArray items = payload.value(QStringLiteral("items")).toArray();
    const QString nextSince = payload.value(QStringLiteral("nextSince")).toString();
    if (!nextSince.isEmpty())
        m_since = nextSince;
    const int ttl = payload.value(QStringLiteral("cacheTtlSec")).toInt();
    if (ttl > 0)
        m_cacheTtlSec = ttl;

    const QDateTime fetchedAt = QDateTime::currentDateTimeUtc();
    saveCache(items, fetchedAt);
    emit newsUpdated(items, fetchedAt);
}

void NewsSyncService::loadCacheFromDisk()
{
    if (m_cachePath.isEmpty() || !QFileInfo::exists(m_cachePath))
        return;
    QFile file(m_cachePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "NewsSyncService::loadCacheFromDisk - Failed to open cache file"
                             << m_cachePath;
        return;
    }
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return;
    const QJsonObject cache = document.object();
    if (cache.isEmpty())
        return;

    const QJsonArray items = cache.value(QStringLiteral("items")).toArray();
    const QDateTime lastSync =
        QDateTime::fromString(cache.value(QStringLiteral("lastSync")).toString(), Qt::ISODate);
    const QString nextSince = cache.value(QStringLiteral("nextSince")).toString();
    if (!nextSince.isEmpty())
        m_since = nextSince;
    emit newsCacheLoaded(items, lastSync);
}

void NewsSyncService::saveCache(const QJsonArray& items, const QDateTime& fetchedAt)
{
    if (m_cachePath.isEmpty())
        return;
    const QFileInfo info(m_cachePath);
    QDir directory = info.absoluteDir();
    if (!directory.exists())
        directory.mkpath(QStringLiteral("."));

    QJsonObject cache;
    cache.insert(QStringLiteral("items"), items);
    cache.insert(QStringLiteral("lastSync"), fetchedAt.toUTC().toString(Qt::ISODate));
    cache.insert(QStringLiteral("nextSince"), m_since);
    cache.insert(QStringLiteral("cacheTtlSec"), m_cacheTtlSec);

    QString error;
    if (!AtomicFileWriter::write(m_cachePath, QJsonDocument(cache).toJson(QJsonDocument::Compact),
                                 &error)) {
        qWarning().noquote() << "NewsSyncService::saveCache - Failed to write cache file"
                             << m_cachePath;
        qDebug().noquote() << "NewsSyncService::saveCache - Reason:" << error;
    }
}
