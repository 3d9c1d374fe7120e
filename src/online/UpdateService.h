#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>

// Asks the release endpoint for the latest version and compares it with the
// running one; every started check ends in exactly one result signal.
class UpdateService : public QObject
{
    Q_OBJECT

public:
    struct UpdateInfo
    {
        bool updateAvailable = false;
        QString currentVersion;
        QString latestVersion;
        QString releaseNotes;
        QString downloadUrl;
        QDateTime publishedAt;
        QString rawPayload;
    };

    explicit UpdateService(QObject* parent = nullptr);

    void setEndpoint(const QUrl& endpoint);
    QUrl endpoint() const { return m_endpoint; }
    void setTimeout(int milliseconds);
    int timeout() const { return m_timeoutMs; }
    void setUserAgent(const QByteArray& userAgent);
    QByteArray userAgent() const { return m_userAgent; }
    // A release description is a few kilobytes; anything far beyond is refused while reading.
    static constexpr qint64 DefaultMaxPayloadBytes = 1024 * 1024;
    void setMaxPayloadBytes(qint64 bytes);
    qint64 maxPayloadBytes() const { return m_maxPayloadBytes; }

    void checkForUpdates(const QString& currentVersion);

    // -1, 0 or 1 for a below, equal to or above b, part by part numerically.
    static int compareVersions(const QString& a, const QString& b);
    // The record a response body describes for the given running version.
    static UpdateInfo parsePayload(const QByteArray& body, const QString& currentVersion);

signals:
    void updateCheckStarted();
    void updateCheckSucceeded(const UpdateService::UpdateInfo& info);
    void updateCheckFailed(const QString& errorMessage);

private:
    QUrl m_endpoint;
    int m_timeoutMs = 8000;
    QByteArray m_userAgent;
    qint64 m_maxPayloadBytes = DefaultMaxPayloadBytes;
};

Q_DECLARE_METATYPE(UpdateService::UpdateInfo)
