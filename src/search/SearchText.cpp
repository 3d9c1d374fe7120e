#include "SearchText.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QtAlgorithms>

#include <algorithm>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace {

// Reference count, one position at a time: the tail of the vectorised scan.
int countFrom(const char16_t* data, qsizetype from, qsizetype last, QStringView needle)
{
    const char16_t* pattern = needle.utf16();
    const qsizetype size = needle.size();
    int count = 0;
    for (qsizetype i = from; i <= last; ++i) {
        if (data[i] == pattern[0] && std::equal(pattern + 1, pattern + size, data + i + 1))
            ++count;
    }
    return count;
}

} // namespace

int SearchText::countOverlapping(QStringView text, QStringView needle)
{
    // Every quick-search keystroke counts a short needle in every entry's text,
    // so this scan is most of the search's time.
    const qsizetype size = needle.size();
    if (size == 0 || size > text.size())
        return 0;
    const char16_t* data = text.utf16();
    const char16_t* pattern = needle.utf16();
    const qsizetype last = text.size() - size; // last position a match can start at
    qsizetype i = 0;
    int count = 0;
#if defined(__SSE2__) || defined(_M_X64)
    // Eight positions at a time: the first two code units (the first one alone for a
    // one-character needle) are compared in parallel, the rest only where they match.
    // Only blocks of eight valid starts are scanned; the second load then reads up to
    // data[i + 8] <= data[last + 1], inside the text whenever the needle has two units.
    const __m128i first = _mm_set1_epi16(short(pattern[0]));
    const __m128i second = _mm_set1_epi16(short(size > 1 ? pattern[1] : 0));
    for (; i + 7 <= last; i += 8) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        __m128i hits = _mm_cmpeq_epi16(here, first);
        if (size > 1) {
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
            hits = _mm_and_si128(hits, _mm_cmpeq_epi16(next, second));
        }
        uint mask = uint(_mm_movemask_epi8(hits)); // two bits per position
        if (mask == 0)
            continue;
        if (size <= 2) {
            count += int(qPopulationCount(mask) / 2);
            continue;
        }
        while (mask) {
            const qsizetype at = i + qCountTrailingZeroBits(mask) / 2;
            mask &= mask - 1;
            mask &= mask - 1;
            if (std::equal(pattern + 2, pattern + size, data + at + 2))
                ++count;
        }
    }
#endif
    return count + countFrom(data, i, last, needle);
}

qsizetype SearchText::indexOf(QStringView text, QStringView needle, qsizetype from)
{
    if (needle.isEmpty())
        return from <= text.size() ? from : -1;
    // The first character is found with Qt's vectorised scan; most texts hold it rarely.
    const QChar first = needle.front();
    const QStringView rest = needle.mid(1);
    const qsizetype last = text.size() - needle.size();
    while (from <= last) {
        const qsizetype at = text.indexOf(first, from);
        if (at < 0 || at > last)
            return -1;
        if (text.mid(at + 1, rest.size()) == rest)
            return at;
        from = at + 1;
    }
    return -1;
}

bool SearchText::contains(QStringView text, QStringView needle)
{
    return indexOf(text, needle) >= 0;
}

QString SearchText::foldCase(const QString& text)
{
    QString folded = text;
    QChar* data = folded.data();
    for (qsizetype i = 0; i < folded.size(); ++i)
        data[i] = data[i].toCaseFolded();
    return folded;
}

bool SearchText::hasSurrogates(QStringView text)
{
    for (const QChar c : text) {
        if (c.isSurrogate())
            return true;
    }
    return false;
}

bool SearchText::foldsAsLower(QStringView text, QStringView lower)
{
    if (text.size() != lower.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSurrogate() || c.toCaseFolded() != lower.at(i))
            return false;
    }
    return true;
}

QString SearchText::categoryOfPath(const QString& filePath)
{
    const QString dirPath = QFileInfo(filePath).absolutePath();
    QString category = QDir(dirPath).dirName();
    if (dirPath.contains(QLatin1String("/data/"))) {
        const QStringList parts = dirPath.split(QLatin1Char('/'));
        const qsizetype index = parts.lastIndexOf(QStringLiteral("data"));
        if (index >= 0 && index < parts.size() - 1)
            category = parts.at(index + 1);
    }
    return category;
}
