#pragma once

// The per-user application data folder of the test's own HOME, where the
// preferences file lives; emptied by the tests that need a first start.

#include "data/PerUserFolder.h"

#include <QDir>
#include <QString>

namespace UserDataFolder {

inline QString path()
{
    return PerUserFolder::path();
}

inline QString preferencesFile()
{
    return QDir(path()).filePath(QStringLiteral("user_preferences.json"));
}

// Refuses to touch anything outside a test HOME (see NotesFolder::isIsolated).
inline bool reset()
{
    if (!QDir::homePath().contains(QLatin1String("/test-home/")) &&
        !path().contains(QLatin1String("/.qttest/")))
        return false;
    return QDir(path()).removeRecursively();
}

} // namespace UserDataFolder
