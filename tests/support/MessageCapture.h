#pragma once

// Records the log lines issued while it lives, passing them on to the
// previous handler (Qt Test's) as well.

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QtGlobal>

class MessageCapture
{
public:
    struct Line
    {
        QtMsgType type;
        QString text;
    };

    MessageCapture()
    {
        current() = this;
        m_previous = qInstallMessageHandler(&MessageCapture::handle);
    }
    ~MessageCapture()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    QList<Line> lines() const
    {
        QMutexLocker locker(&m_mutex);
        return m_lines;
    }

    bool contains(QtMsgType type, const QString& text) const
    {
        const QList<Line> all = lines();
        for (const Line& line : all) {
            if (line.type == type && line.text == text)
                return true;
        }
        return false;
    }

    // Lines of at least warning level whose text starts with `prefix`.
    QStringList warningsStartingWith(const QString& prefix) const
    {
        QStringList found;
        const QList<Line> all = lines();
        for (const Line& line : all) {
            if (line.type != QtDebugMsg && line.type != QtInfoMsg && line.text.startsWith(prefix))
                found.append(line.text);
        }
        return found;
    }

private:
    static MessageCapture*& current()
    {
        static MessageCapture* instance = nullptr;
        return instance;
    }

    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        MessageCapture* self = current();
        if (!self)
            return;
        {
            QMutexLocker locker(&self->m_mutex);
            self->m_lines.append({type, text});
        }
        if (self->m_previous)
            self->m_previous(type, context, text);
    }

    mutable QMutex m_mutex;
    QList<Line> m_lines;
    QtMessageHandler m_previous = nullptr;
};
