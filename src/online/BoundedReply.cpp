#include "BoundedReply.h"

#include <QTimer>
#include <QUrl>

namespace {

constexpr int PreviewCharacters = 300;
// How far the network layer may read ahead of us; the cap is checked on every arrival anyway.
constexpr qint64 ReadAheadBytes = 256 * 1024;

} // namespace

BoundedReply::BoundedReply(QNetworkReply* reply, qint64 maxBytes, int timeoutMs, QObject* parent)
    : QObject(parent), m_reply(reply), m_maxBytes(qMax<qint64>(0, maxBytes))
{
    reply->setParent(this);
    reply->setReadBufferSize(qMin(m_maxBytes + 1, ReadAheadBytes));
    connect(reply, &QNetworkReply::metaDataChanged, this, &BoundedReply::onMetaDataChanged);
    connect(reply, &QNetworkReply::readyRead, this, &BoundedReply::onReadyRead);
    connect(reply, &QNetworkReply::finished, this, &BoundedReply::onFinished);

    if (timeoutMs >= 1) {
        m_timer = new QTimer(this);
        m_timer->setSingleShot(true);
        connect(m_timer, &QTimer::timeout, this, [this] {
            if (m_reply && !m_reply->isFinished())
                stop(Outcome::TimedOut);
        });
        m_timer->start(timeoutMs);
    }
}

BoundedReply::~BoundedReply()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

bool BoundedReply::isFetchable(const QUrl& url)
{
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QString BoundedReply::preview(const QByteArray& body)
{
    QString text = QString::fromUtf8(body);
    const bool cut = text.size() > PreviewCharacters;
    if (cut) {
        text.truncate(PreviewCharacters);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return QStringLiteral("(%1 bytes): %2%3")
        .arg(QString::number(body.size()), text, cut ? QStringLiteral(" …") : QString());
}

void BoundedReply::onMetaDataChanged()
{
    if (m_outcome != Outcome::Running)
        return;
    // A declared length over the cap is refused before any of the body is read.
    bool known = false;
    const qint64 declared =
        m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && declared > m_maxBytes)
        stop(Outcome::TooLarge);
}

void BoundedReply::onReadyRead()
{
    if (m_outcome == Outcome::Running)
        take(m_reply->bytesAvailable());
}

bool BoundedReply::take(qint64 available)
{
    if (available <= 0)
        return true;
    if (m_body.size() + available > m_maxBytes) {
        stop(Outcome::TooLarge);
        return false;
    }
    m_body += m_reply->read(available);
    return true;
}

void BoundedReply::onFinished()
{
    if (m_reported)
        return;
    if (m_outcome == Outcome::Running) {
        m_error = m_reply->error();
        m_errorString = m_reply->errorString();
        // An aborted reply is closed: reading it would only warn.
        if (m_reply->isOpen() && take(m_reply->bytesAvailable()))
            m_outcome = Outcome::Completed;
    }
    if (m_reported || m_outcome == Outcome::Running)
        return;
    if (m_timer)
        m_timer->stop();
    m_reported = true;
    emit finished();
}

void BoundedReply::stop(Outcome outcome)
{
    m_outcome = outcome;
    m_body.clear();
    m_body.squeeze();
    m_error = QNetworkReply::OperationCanceledError;
    if (m_reply) {
        // Aborting finishes the reply at once; onFinished reports the outcome.
        m_reply->abort();
        m_errorString = m_reply->errorString();
    }
    // A reply that had already finished does not finish again.
    if (!m_reported) {
        if (m_timer)
            m_timer->stop();
        m_reported = true;
        emit finished();
    }
}
