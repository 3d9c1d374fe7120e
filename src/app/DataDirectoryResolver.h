#pragma once

#include <QString>

// Chooses the knowledge-base directory on disk at start-up. The first
// candidate that exists wins; when none does, the program still runs from the
// embedded copy and the (missing) directory beside the executable is used.
class DataDirectoryResolver
{
public:
    static QString resolve(const QString& applicationDir, const QString& developmentDataPath,
                           const QString& workingDir);
};
