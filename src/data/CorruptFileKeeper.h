#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// A user file that could not be read whole, and where the user's bytes are kept.
struct KeptUserFile
{
    QString path;     // the damaged file
    QString keptPath; // its copy; empty when the file could not be read to copy it
    QString reason;   // what is wrong with it
};

// Keeps a user file that could not be read or parsed out of harm's way before
// the store writes a fresh one, so the user's data can still be recovered by hand.
class CorruptFileKeeper
{
public:
    // Renames `path` to "<path>.corrupt-<yyyyMMdd-HHmmss>" (with "-N" added when
    // that name is taken). Returns the new path, or an empty string when the file
    // could not be moved (then `error` says why).
    static QString keepAside(const QString& path, QString* error = nullptr,
                             const QDateTime& now = QDateTime::currentDateTime());

    // Writes `bytes` (the damaged contents of `path`) to a free "<path>.corrupt-…"
    // name, unless such a copy with the same bytes exists already: then that copy's
    // path is returned, so restarting with the same damaged file adds no copies.
    // Returns an empty string when nothing could be written (`error` says why).
    static QString keepCopy(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                            const QDateTime& now = QDateTime::currentDateTime());

    // The one message that tells the user which files were damaged and where
    // their contents were kept; empty for an empty list.
    static QString describe(const QList<KeptUserFile>& files);
};
