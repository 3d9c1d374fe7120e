#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A table as CSV text: UTF-8, records ending in "\n", fields separated by ",".
// A field holding a comma, a double quote, CR or LF, or starting or ending with a blank,
// is written in double quotes with inner quotes doubled (RFC 4180); every other field is
// written as it is. Reading accepts both, keeps quoted text exactly and trims unquoted
// fields of data rows, so what is written reads back cell for cell. A quote that opens
// a field and is never closed is read as an ordinary character.
class CsvDocument
{
public:
    CsvDocument() = default;
    CsvDocument(const QStringList& header, const QList<QStringList>& rows);

    // Reading stops after maxFields fields (all records counted, a negative value sets
    // no bound); the document is then marked truncated and holds what was read.
    static CsvDocument fromCsv(const QByteArray& bytes, qsizetype maxFields = -1);
    QByteArray toCsv() const;

    // True when the text held no record at all (not even a header line).
    bool isEmpty() const { return !m_hasHeader; }
    const QStringList& header() const { return m_header; }
    // Rows keep the number of fields their line had, which may differ from the header's.
    const QList<QStringList>& rows() const { return m_rows; }
    // True when reading stopped at the field bound before the end of the text.
    bool isTruncated() const { return m_truncated; }

    static QString encodeField(const QString& field);

private:
    struct Field
    {
        QString text;
        bool quoted = false;
    };
    static QList<QList<Field>> parseRecords(const QString& text, qsizetype maxFields,
                                            bool* truncated);

    QStringList m_header;
    QList<QStringList> m_rows;
    bool m_hasHeader = false;
    bool m_truncated = false;
};
