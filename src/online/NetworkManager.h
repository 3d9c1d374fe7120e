#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSslError>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QUrl;

// The program's single HTTP access point: one shared access manager and the
// standard headers every request carries.
class NetworkManager : public QObject
{
    Q_OBJECT

public:
    static NetworkManager& instance();

    QNetworkAccessManager* networkAccessManager() const { return m_networkAccessManager; }
    QNetworkRequest createRequest(const QUrl& url) const;

    void setUserAgent(const QByteArray& userAgent);
    QByteArray userAgent() const { return m_userAgent; }
    QHash<QByteArray, QByteArray> defaultHeaders() const { return m_defaultHeaders; }

private slots:
    void handleSslErrors(QNetworkReply* reply, const QList<QSslError>& errors);

private:
    NetworkManager();
    ~NetworkManager() override;
    static void destroyInstance();

    QNetworkAccessManager* m_networkAccessManager = nullptr;
    QByteArray m_userAgent;
    QHash<QByteArray, QByteArray> m_defaultHeaders;
};
