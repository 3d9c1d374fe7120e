#pragma once

#include <QString>
#include <QStringView>

// Text helpers shared by the JSON and Markdown searches.
class SearchText
{
public:
    // "aa" occurs twice in "aaa": the scan restarts one character after each hit.
    static int countOverlapping(QStringView text, QStringView needle);
    // Case-sensitive, as QString::indexOf and QString::contains.
    static qsizetype indexOf(QStringView text, QStringView needle, qsizetype from = 0);
    static bool contains(QStringView text, QStringView needle);

    // Every code unit replaced by its case folding: what Qt's case-insensitive
    // comparisons compare.
    static QString foldCase(const QString& text);
    static bool hasSurrogates(QStringView text);
    // True when lower is text lower-cased code unit by code unit and equals its
    // case folding: a case-insensitive search in text then finds what a
    // case-sensitive search of the folded needle in lower finds.
    static bool foldsAsLower(QStringView text, QStringView lower);
    // The folder right below the last "data" folder of the file's path, else the
    // name of the file's own folder: the category both result tabs filter on.
    static QString categoryOfPath(const QString& filePath);
};
