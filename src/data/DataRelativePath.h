#pragma once

#include <QString>

// An entry's place in the knowledge base, such as "software/cad/autocad.json":
// the same whichever data directory or install serves the entry, so that what
// the user ties to an entry (notes, favourites, history) survives a move.
class DataRelativePath
{
public:
    // The key of `path` in any form the program holds or once stored: a path
    // below `dataPath`, an embedded "data/..." key, a key already, or an
    // absolute path below another copy's "data" folder (the part after the last
    // "/data/" that begins with one of the knowledge base's folders). Empty when
    // `path` names no place in a knowledge base (a name, "general_notes", a
    // file elsewhere).
    static QString key(const QString& path, const QString& dataPath = QString());

    // What to store for `path`: its key, or `path` unchanged when it has none.
    static QString portable(const QString& path, const QString& dataPath = QString());

    // Whether two stored forms name the same entry.
    static bool sameEntry(const QString& a, const QString& b, const QString& dataPath = QString());

    // Whether `path` is absolute on any system (Windows drive paths included),
    // that is, tied to one machine's folders.
    static bool isAbsolute(const QString& path);

    // The path under which the data layer serves the entry a stored path names
    // today: the file below `dataPath` when it is there, otherwise the embedded
    // "data/..." key. A path without a key comes back unchanged.
    static QString resolve(const QString& storedPath, const QString& dataPath);
};
