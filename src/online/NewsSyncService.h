#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class BoundedReply;

// Fetches news pages from the news endpoint, follows the server's cursor and
// keeps the last result in a cache file that survives restarts.
class NewsSyncService : public QObject
{
    Q_OBJECT

public:
    explicit NewsSyncService(QObject* parent = nullptr);
    ~NewsSyncService() override;

    void setEndpoint(const QUrl& endpoint);
    QUrl endpoint() const { return m_endpoint; }
    void setPageSize(int pageSize);
    int pageSize() const { return m_pageSize; }
    void setCachePath(const QString& path);
    QString cachePath() const { return m_cachePath; }
    void setTimeout(int milliseconds);
    int timeout() const { return m_timeoutMs; }
    void setUserAgent(const QByteArray& userAgent);
    QByteArray userAgent() const { return m_userAgent; }
    // A page of news is tens of kilobytes; a reply beyond this is refused while reading.
    static constexpr qint64 DefaultMaxPageBytes = 4 * 1024 * 1024;
    void setMaxPageBytes(qint64 bytes);
    qint64 maxPageBytes() const { return m_maxPageBytes; }
    void setCacheTtl(int seconds);
    int cacheTtl() const { return m_cacheTtlSec; }
    void setHeaders(const QHash<QByteArray, QByteArray>& headers);
    QHash<QByteArray, QByteArray> headers() const { return m_headers; }

    QString sinceCursor() const { return m_since; }
    bool isInProgress() const { return m_inProgress; }
    QString categoryFilter() const { return m_category; }
    QString tagFilter() const { return m_tag; }

    // Emits the cached items, then fetches the first page without filters.
    void start();
    void refresh(const QString& category, const QString& tag);

    // The request URL for the current page size, cursor and filters.
    QUrl requestUrl() const;

signals:
    void newsCacheLoaded(const QJsonArray& items, const QDateTime& cachedAt);
    void newsUpdated(const QJsonArray& items, const QDateTime& fetchedAt);
    void newsUpdateFailed(const QString& errorMessage);
    void refreshStateChanged(bool inProgress);

private:
    void fetch();
    void onDownloadFinished(BoundedReply* download);
    void loadCacheFromDisk();
    void saveCache(const QJsonArray& items, const QDateTime& fetchedAt);

    QUrl m_endpoint;
    int m_pageSize = 24;
    QString m_cachePath;
    int m_timeoutMs = 8000;
    QByteArray m_userAgent;
    int m_cacheTtlSec = 600;
    QString m_since;
    bool m_inProgress = false;
    QString m_category;
    QString m_tag;
    QHash<QByteArray, QByteArray> m_headers;
    qint64 m_maxPageBytes = DefaultMaxPageBytes;
    QPointer<BoundedReply> m_download;
};
