#include "UserFileTakeover.h"

#include "AtomicFileWriter.h"
#include "StoreFileContents.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString canonicalOrClean(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// Copies one file; false (with the reason in `result`) when it could not be read or written.
bool copyFile(const QString& from, const QString& to, UserFileTakeover::Result* result)
{
    const StoreFileContents contents = StoreFileContents::read(from);
    if (contents.status == StoreFileContents::Missing)
        return true;
    if (contents.status == StoreFileContents::Unreadable) {
        result->failedPath = from;
        result->error = contents.error;
        return false;
    }
    QString error;
    if (!AtomicFileWriter::write(to, contents.bytes, &error)) {
        result->failedPath = to;
        result->error = error;
        return false;
    }
    result->copied.append(to);
    return true;
}

} // namespace

UserFileTakeover::Result UserFileTakeover::takeOver(const QString& oldFolder,
                                                    const QString& newFolder,
                                                    const QString& fileName,
                                                    const QStringList& companionSuffixes)
{
    Result result;
    if (oldFolder.isEmpty() || newFolder.isEmpty() ||
        canonicalOrClean(oldFolder) == canonicalOrClean(newFolder))
        return result;
    const QDir from(oldFolder);
    const QDir to(newFolder);
    if (QFileInfo::exists(to.filePath(fileName)) || !QFileInfo(from.filePath(fileName)).isFile())
        return result;

    // The companions first: once the file itself is there, nothing is taken over again.
    for (const QString& suffix : companionSuffixes) {
        const QString name = fileName + suffix;
        if (!QFileInfo::exists(to.filePath(name)) &&
            !copyFile(from.filePath(name), to.filePath(name), &result))
            return result;
    }
    copyFile(from.filePath(fileName), to.filePath(fileName), &result);
    return result;
}
