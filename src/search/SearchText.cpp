#include "SearchText.h"

int SearchText::countOverlapping(const QString& text, const QString& needle)
{
    if (needle.isEmpty())
        return 0;
    int count = 0;
    qsizetype from = text.indexOf(needle);
    while (from >= 0) {
        ++count;
        from = text.indexOf(needle, from + 1);
    }
    return count;
}
