#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>

// Every occurrence of a text in a document, ignoring case, with a current one
// that moves forward and backward and wraps at either end.
class TextFinder
{
public:
    void setDocument(QTextDocument* document);
    QTextDocument* document() const { return m_document; }

    // Finds the text anew; the first hit becomes the current one.
    void setQuery(const QString& query);
    QString query() const { return m_query; }
    // Finds the same text again after the document changed, keeping the position
    // of the current hit where it still exists.
    void refresh();

    QList<QTextCursor> hits() const { return m_hits; }
    int count() const { return static_cast<int>(m_hits.size()); }
    // -1 without hits.
    int currentIndex() const { return m_current; }
    QTextCursor currentHit() const;

    // Moves to the next or previous hit, wrapping around; false without hits.
    bool next();
    bool previous();

    // "3/17" for the third of seventeen hits, "0/0" when nothing is found and
    // empty when there is no query.
    QString countText() const;

private:
    void findAll();

    QPointer<QTextDocument> m_document;
    QString m_query;
    QList<QTextCursor> m_hits;
    int m_current = -1;
};
