#pragma once

#include <QString>
#include <QStringList>

// Brings a user file that older versions kept in the data directory into the
// per-user folder: copied, never moved or changed (an older copy of the program
// may still read it), and only while the per-user folder has no such file yet,
// so it happens once and never overwrites what the user changed since.
class UserFileTakeover
{
public:
    struct Result
    {
        QStringList copied; // the per-user files written, in order
        QString failedPath; // the file that could not be read or written
        QString error;      // the system's reason
        bool ok() const { return failedPath.isEmpty(); }
    };

    // Copies `fileName` from `oldFolder` to `newFolder`, then each companion
    // ("<fileName><suffix>", such as ".backup") that `oldFolder` has and
    // `newFolder` has not. Nothing when `newFolder` holds `fileName` already,
    // `oldFolder` has none, or both name the same folder. The caller holds the
    // lock of the per-user file; `newFolder` must exist.
    static Result takeOver(const QString& oldFolder, const QString& newFolder,
                           const QString& fileName, const QStringList& companionSuffixes = {});
};
