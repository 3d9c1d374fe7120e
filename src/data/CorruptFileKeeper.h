#pragma once

#include <QDateTime>
#include <QString>

// Moves a user file that could not be read or parsed out of the way before the
// store writes a fresh one, so the user's data can still be recovered by hand.
class CorruptFileKeeper
{
public:
    // Renames `path` to "<path>.corrupt-<yyyyMMdd-HHmmss>" (with "-N" added when
    // that name is taken). Returns the new path, or an empty string when the file
    // could not be moved (then `error` says why).
    static QString keepAside(const QString& path, QString* error = nullptr,
                             const QDateTime& now = QDateTime::currentDateTime());
};
