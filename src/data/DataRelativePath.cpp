#include "DataRelativePath.h"

#include <QDir>
#include <QFileInfo>
#include <QLatin1String>

namespace {

const QLatin1String kDataFolder("data/");

// The folders at the top of a knowledge base; one of them must follow a "data"
// folder inside a longer path, so that a "data" folder higher up is not taken
// for the knowledge base.
const QLatin1String kTopFolders[] = {
    QLatin1String("software"),    QLatin1String("companies"), QLatin1String("technologies"),
    QLatin1String("disciplines"), QLatin1String("pictures"),  QLatin1String("news"),
    QLatin1String("events"),      QLatin1String("config"),    QLatin1String("templates")};

bool startsWithTopFolder(const QString& relative)
{
    const QString first = relative.section(QLatin1Char('/'), 0, 0);
    for (const QLatin1String& folder : kTopFolders) {
        if (first == folder)
            return true;
    }
    return false;
}

QString cleaned(const QString& path)
{
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(result);
}

QString withSlash(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

bool isAbsolutePath(const QString& path)
{
    // A Windows drive path is absolute wherever the file was written.
    return QDir::isAbsolutePath(path) ||
           (path.size() > 2 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':') &&
            (path.at(2) == QLatin1Char('/') || path.at(2) == QLatin1Char('\\')));
}

QString belowDataPath(const QString& path, const QString& dataPath)
{
    if (dataPath.isEmpty())
        return {};
    const QString root = withSlash(cleaned(dataPath));
    if (path.startsWith(root))
        return path.mid(root.size());
    if (isAbsolutePath(path) && !isAbsolutePath(root)) {
        const QString absoluteRoot = withSlash(QDir::cleanPath(QFileInfo(root).absoluteFilePath()));
        if (path.startsWith(absoluteRoot))
            return path.mid(absoluteRoot.size());
    }
    return {};
}

} // namespace

QString DataRelativePath::key(const QString& path, const QString& dataPath)
{
    if (path.isEmpty())
        return {};
    const QString clean = cleaned(path);

    const QString inDataPath = belowDataPath(clean, dataPath);
    if (!inDataPath.isEmpty())
        return inDataPath;

    if (!isAbsolutePath(clean)) {
        if (clean.startsWith(kDataFolder) && clean.size() > kDataFolder.size())
            return clean.mid(kDataFolder.size());
        return startsWithTopFolder(clean) ? clean : QString();
    }

    // Another copy's data directory: the last "data" folder that holds the knowledge base.
    static const QString dataComponent = QStringLiteral("/data/");
    for (qsizetype pos = clean.lastIndexOf(dataComponent); pos >= 0;
         pos = pos > 0 ? clean.lastIndexOf(dataComponent, pos - 1) : -1) {
        const QString tail = clean.mid(pos + dataComponent.size());
        if (startsWithTopFolder(tail))
            return tail;
    }
    return {};
}

bool DataRelativePath::isAbsolute(const QString& path)
{
    return isAbsolutePath(path);
}

QString DataRelativePath::portable(const QString& path, const QString& dataPath)
{
    const QString relative = key(path, dataPath);
    return relative.isEmpty() ? path : relative;
}

bool DataRelativePath::sameEntry(const QString& a, const QString& b, const QString& dataPath)
{
    return portable(a, dataPath) == portable(b, dataPath);
}

QString DataRelativePath::resolve(const QString& storedPath, const QString& dataPath)
{
    const QString relative = key(storedPath, dataPath);
    if (relative.isEmpty())
        return storedPath;
    if (!dataPath.isEmpty()) {
        const QString onDisk = withSlash(dataPath) + relative;
        if (QFileInfo(onDisk).isFile())
            return onDisk;
    }
    return kDataFolder + relative;
}
