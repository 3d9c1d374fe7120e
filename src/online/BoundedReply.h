#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>

class QTimer;
class QUrl;

// Reads one reply as its bytes arrive, under a size cap and an optional time-out, so that a
// broken or hostile server can neither fill the memory nor hold a request open for ever.
// The reply becomes a child of this object; destroying it stops the download silently.
class BoundedReply : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Running,
        Completed, // the server finished the reply, with or without a network error
        TimedOut,
        TooLarge
    };

    // A timeout below 1 ms means none.
    BoundedReply(QNetworkReply* reply, qint64 maxBytes, int timeoutMs, QObject* parent = nullptr);
    ~BoundedReply() override;

    QNetworkReply* reply() const { return m_reply; }
    qint64 maxBytes() const { return m_maxBytes; }
    Outcome outcome() const { return m_outcome; }
    // The network layer's verdict, read when the reply finished.
    QNetworkReply::NetworkError error() const { return m_error; }
    QString errorString() const { return m_errorString; }
    // Everything received; empty after a time-out or an oversized reply.
    QByteArray body() const { return m_body; }

    // Only web addresses are fetched: a file: or other local scheme would read the disk.
    static bool isFetchable(const QUrl& url);
    // A body for a log line: its size and at most the first few hundred characters.
    static QString preview(const QByteArray& body);

signals:
    void finished();

private:
    void onMetaDataChanged();
    void onReadyRead();
    void onFinished();
    bool take(qint64 available);
    void stop(Outcome outcome);

    QPointer<QNetworkReply> m_reply;
    qint64 m_maxBytes = 0;
    QTimer* m_timer = nullptr;
    Outcome m_outcome = Outcome::Running;
    QNetworkReply::NetworkError m_error = QNetworkReply::NoError;
    QString m_errorString;
    QByteArray m_body;
    bool m_reported = false;
};
