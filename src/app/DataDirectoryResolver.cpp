#include "DataDirectoryResolver.h"

#include <QDebug>
#include <QFileInfo>

static bool isExistingDirectory(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString DataDirectoryResolver::resolve(const QString& applicationDir,
                                       const QString& developmentDataPath,
                                       const QString& workingDir)
{
    const QString besideExecutable = applicationDir + QStringLiteral("/data");
    if (isExistingDirectory(besideExecutable))
        return besideExecutable;

    qWarning().noquote() << "Data directory does not exist at:"
                         << QFileInfo(besideExecutable).absoluteFilePath();

    if (isExistingDirectory(developmentDataPath)) {
        qDebug().noquote() << "Using development data path:" << developmentDataPath;
        return developmentDataPath;
    }

    const QString inWorkingDir = workingDir + QStringLiteral("/data");
    if (isExistingDirectory(inWorkingDir)) {
        qDebug().noquote() << "Using current working directory data path:" << inWorkingDir;
        return inWorkingDir;
    }

    qWarning().noquote() << "No data directory found, will use embedded resources if available";
    return besideExecutable;
}
