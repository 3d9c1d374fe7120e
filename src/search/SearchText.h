#pragma once

#include <QString>

// Text helpers shared by the JSON and Markdown searches.
class SearchText
{
public:
    // "aa" occurs twice in "aaa": the scan restarts one character after each hit.
    static int countOverlapping(const QString& text, const QString& needle);
};
