#pragma once

#include <QString>

// Text helpers shared by the JSON and Markdown searches.
class SearchText
{
public:
    // "aa" occurs twice in "aaa": the scan restarts one character after each hit.
    static int countOverlapping(const QString& text, const QString& needle);
    // The folder right below the last "data" folder of the file's path, else the
    // name of the file's own folder: the category both result tabs filter on.
    static QString categoryOfPath(const QString& filePath);
};
