#pragma once

#include <QString>

// A stretch of the shown text drawn with a background colour, tied to a note.
struct HighlightRange
{
    qint32 startPos = 0;
    qint32 endPos = 0;
    QString color;
    QString text;
    QString noteId;
};
