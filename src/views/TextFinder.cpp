#include "TextFinder.h"

#include <QtGlobal>

void TextFinder::setDocument(QTextDocument* document)
{
    m_document = document;
    setQuery(m_query);
}

void TextFinder::setQuery(const QString& query)
{
    m_query = query;
    findAll();
    m_current = m_hits.isEmpty() ? -1 : 0;
}

void TextFinder::refresh()
{
    const int previous = m_current;
    findAll();
    if (m_hits.isEmpty())
        m_current = -1;
    else
        m_current = qBound(0, previous, count() - 1);
}

void TextFinder::findAll()
{
    m_hits.clear();
    if (!m_document || m_query.isEmpty())
        return;
    QTextCursor cursor(m_document);
    while (true) {
        cursor = m_document->find(m_query, cursor);
        if (cursor.isNull())
            break;
        m_hits.append(cursor);
    }
}

QTextCursor TextFinder::currentHit() const
{
    return m_current >= 0 ? m_hits.at(m_current) : QTextCursor();
}

bool TextFinder::next()
{
    if (m_hits.isEmpty())
        return false;
    m_current = (m_current + 1) % count();
    return true;
}

bool TextFinder::previous()
{
    if (m_hits.isEmpty())
        return false;
    m_current = (m_current + count() - 1) % count();
    return true;
}

QString TextFinder::countText() const
{
    if (m_query.isEmpty())
        return QString();
    return QStringLiteral("%1/%2").arg(m_current + 1).arg(count());
}
