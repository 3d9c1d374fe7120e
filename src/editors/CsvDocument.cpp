#include "CsvDocument.h"

#include <vector>

namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kSeparator = QLatin1Char(',');
const QChar kLineFeed = QLatin1Char('\n');
const QChar kReturn = QLatin1Char('\r');

QString encodeRecord(const QStringList& fields)
{
    QStringList encoded;
    encoded.reserve(fields.size());
    for (const QString& field : fields)
        encoded << CsvDocument::encodeField(field);
    return encoded.join(kSeparator) + kLineFeed;
}

} // namespace

CsvDocument::CsvDocument(const QStringList& header, const QList<QStringList>& rows)
    : m_header(header), m_rows(rows), m_hasHeader(true)
{
}

QString CsvDocument::encodeField(const QString& field)
{
    // Unquoted fields of data rows are trimmed on reading, so edge blanks need quotes too.
    const bool needsQuotes =
        field.contains(kSeparator) || field.contains(kQuote) || field.contains(kReturn) ||
        field.contains(kLineFeed) ||
        (!field.isEmpty() && (field.front().isSpace() || field.back().isSpace()));
    if (!needsQuotes)
        return field;
    QString escaped = field;
    escaped.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + escaped + kQuote;
}

QByteArray CsvDocument::toCsv() const
{
    if (!m_hasHeader)
        return QByteArray();
    QString text = encodeRecord(m_header);
    for (const QStringList& row : m_rows)
        text += encodeRecord(row);
    return text.toUtf8();
}

CsvDocument CsvDocument::fromCsv(const QByteArray& bytes, qsizetype maxFields)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    CsvDocument document;
    const QList<QList<Field>> records = parseRecords(text, maxFields, &document.m_truncated);
    if (records.isEmpty())
        return document;

    document.m_hasHeader = true;
    for (const Field& field : records.first())
        document.m_header << field.text;
    for (qsizetype i = 1; i < records.size(); ++i) {
        QStringList row;
        for (const Field& field : records.at(i))
            row << (field.quoted ? field.text : field.text.trimmed());
        document.m_rows << row;
    }
    return document;
}

QList<QList<CsvDocument::Field>> CsvDocument::parseRecords(const QString& text, qsizetype maxFields,
                                                           bool* truncated)
{
    // Records end at LF or CR LF outside quotes; a final line ending adds no record.
    QList<QList<Field>> records;
    QList<Field> record;
    Field field;
    bool inQuotes = false;
    bool recordStarted = false;
    const qsizetype length = text.size();

    // closes[i]: a quoted text starting at i meets its closing quote before the end.
    // An opening quote without one is read as a plain character, as spreadsheet
    // programs do, so one stray quote cannot swallow the rest of the file.
    std::vector<bool> closes(static_cast<size_t>(length) + 2, false);
    for (qsizetype i = length - 1; i >= 0; --i) {
        const auto at = static_cast<size_t>(i);
        if (text.at(i) != kQuote)
            closes[at] = closes[at + 1];
        else if (i + 1 < length && text.at(i + 1) == kQuote)
            closes[at] = closes[at + 2];
        else
            closes[at] = true;
    }

    // Bounds the memory a file of nothing but separators can take.
    qsizetype fieldCount = 0;
    const auto fieldDone = [&]() {
        ++fieldCount;
        *truncated = maxFields >= 0 && fieldCount > maxFields;
        return !*truncated;
    };
    *truncated = false;

    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text.at(i);
        recordStarted = true;
        if (inQuotes) {
            if (c != kQuote) {
                field.text += c;
            } else if (i + 1 < length && text.at(i + 1) == kQuote) {
                field.text += kQuote;
                ++i;
            } else {
                inQuotes = false;
            }
            continue;
        }
        if (c == kQuote && field.text.isEmpty() && !field.quoted &&
            closes[static_cast<size_t>(i) + 1]) {
            field.quoted = true;
            inQuotes = true;
        } else if (c == kSeparator) {
            if (!fieldDone())
                break;
            record << field;
            field = Field();
        } else if (c == kLineFeed ||
                   (c == kReturn && i + 1 < length && text.at(i + 1) == kLineFeed)) {
            if (c == kReturn)
                ++i;
            if (!fieldDone())
                break;
            record << field;
            records << record;
            record.clear();
            field = Field();
            recordStarted = false;
        } else {
            field.text += c;
        }
    }
    if (*truncated)
        return records;
    if (recordStarted && fieldDone()) {
        record << field;
        records << record;
    }
    return records;
}
