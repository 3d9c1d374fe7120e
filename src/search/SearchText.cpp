#include "SearchText.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

int SearchText::countOverlapping(QStringView text, QStringView needle)
{
    if (needle.isEmpty())
        return 0;
    int count = 0;
    if (needle.size() == 1) {
        const char16_t c = needle.front().unicode();
        const char16_t* data = text.utf16();
        for (qsizetype i = 0; i < text.size(); ++i)
            count += data[i] == c;
        return count;
    }
    qsizetype from = indexOf(text, needle);
    while (from >= 0) {
        ++count;
        from = indexOf(text, needle, from + 1);
    }
    return count;
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
