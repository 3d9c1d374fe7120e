#pragma once

#include <QString>

// Removes the disk file behind an entry path as the navigation tree holds it:
// an absolute disk path, a path below the data directory, or an embedded
// "data/..." key. Every form is resolved against the data directory in use,
// never against the working directory.
class EntryFileDeleter
{
public:
    enum class Outcome
    {
        Deleted,                // the file is gone and nothing else serves the entry
        DeletedEmbeddedRemains, // the file is gone; the program's own copy shows again
        EmbeddedOnly,           // no file on disk: the entry lives only in the program
        NotFound,               // neither a file nor an embedded copy
        Failed                  // the file exists but could not be removed
    };

    struct Result
    {
        Outcome outcome = Outcome::NotFound;
        QString diskPath;    // the file that was (or would have been) removed
        QString embeddedKey; // the embedded copy that serves the entry, if any
        QString error;       // the reason of a failure
    };

    // The path relative to the data directory ("companies/x.json"); empty when
    // the path lies outside it.
    static QString dataRelativeKey(const QString& path, const QString& dataPath);
    // Where the entry's file lives in the data directory in use.
    static QString diskPath(const QString& path, const QString& dataPath);
    // The embedded key of the copy that serves the same entry once the disk
    // file is gone: the same data-relative key, or in the same folder an entry
    // with the same non-empty "id". Empty when there is none.
    static QString embeddedCopy(const QString& relativeKey, const QString& id);

    static Result remove(const QString& path, const QString& dataPath);
};
