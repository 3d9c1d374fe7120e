// CSV reading and writing. Two round trips must give the same cells: a text read,
// written and read again; and cells taken straight from the input (records split
// at U+001E, fields at U+001F), written and read back. A reading bounded by a
// field count stops at whole records of the unbounded reading.

#include "FuzzEnvironment.h"

#include "editors/CsvDocument.h"

#include <QList>
#include <QStringList>

namespace {

const char* const kTarget = "csv";

QString describe(const QList<QStringList>& records)
{
    QStringList lines;
    for (const QStringList& record : records) {
        QStringList quoted;
        for (const QString& cell : record)
            quoted << QLatin1Char('[') + cell + QLatin1Char(']');
        lines << quoted.join(QLatin1Char(' '));
    }
    return lines.join(QStringLiteral(" / "));
}

void checkSameCells(const CsvDocument& expected, const CsvDocument& actual, const char* what)
{
    FUZZ_CHECK(kTarget, expected.isEmpty() == actual.isEmpty(), QLatin1String(what));
    const QList<QStringList> before = QList<QStringList>{expected.header()} + expected.rows();
    const QList<QStringList> after = QList<QStringList>{actual.header()} + actual.rows();
    FUZZ_CHECK(kTarget, before == after,
               QStringLiteral("%1: %2 came back as %3")
                   .arg(QLatin1String(what), describe(before), describe(after)));
}

qsizetype fieldCount(const CsvDocument& document)
{
    if (document.isEmpty())
        return 0;
    qsizetype count = document.header().size();
    for (const QStringList& row : document.rows())
        count += row.size();
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzEnvironment::setUp();
    const QByteArray bytes = FuzzEnvironment::bytes(data, size);

    const CsvDocument read = CsvDocument::fromCsv(bytes);
    FUZZ_CHECK(kTarget, !read.isTruncated(), QStringLiteral("unbounded reading truncated"));
    checkSameCells(read, CsvDocument::fromCsv(read.toCsv()), "read, write, read");

    QList<QStringList> records;
    for (const QString& record : QString::fromUtf8(bytes).split(QChar(0x1E)))
        records << record.split(QChar(0x1F));
    const CsvDocument table(records.first(), records.mid(1));
    checkSameCells(table, CsvDocument::fromCsv(table.toCsv()), "cells, write, read");

    const qsizetype bound = static_cast<qsizetype>(size % 61);
    const CsvDocument part = CsvDocument::fromCsv(bytes, bound);
    FUZZ_CHECK(kTarget, fieldCount(part) <= bound, QStringLiteral("bound %1 passed").arg(bound));
    if (!part.isTruncated()) {
        checkSameCells(read, part, "bounded reading that did not stop");
    } else if (!part.isEmpty()) {
        FUZZ_CHECK(kTarget, part.header() == read.header(), QStringLiteral("bounded header"));
        FUZZ_CHECK(kTarget, part.rows() == read.rows().mid(0, part.rows().size()),
                   QStringLiteral("bounded rows are not the first rows"));
    }
    return 0;
}
