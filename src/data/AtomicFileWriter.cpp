#include "AtomicFileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cstdio>
#include <unistd.h>
#endif

namespace {

const QLatin1String kTemporaryMark(".writing-");
constexpr int kRandomLength = 6;

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString randomSuffix()
{
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < kRandomLength; ++i)
        suffix.append(QLatin1Char(alphabet[QRandomGenerator::global()->bounded(36)]));
    return suffix;
}

// errno (or the last Windows error) as the operating system words it; Qt's own
// text of a failed buffered write is often just "Unknown error".
QString systemReason(int code)
{
    return qt_error_string(code);
}

bool syncToDisk(QFile& file, QString* error)
{
#ifdef Q_OS_WIN
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (!FlushFileBuffers(handle)) {
        setError(error, systemReason(static_cast<int>(GetLastError())));
        return false;
    }
#else
    if (::fsync(file.handle()) != 0) {
        setError(error, systemReason(errno));
        return false;
    }
#endif
    return true;
}

bool renameOver(const QString& from, const QString& to, QString* error)
{
#ifdef Q_OS_WIN
    if (!MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                     reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        setError(error, systemReason(static_cast<int>(GetLastError())));
        return false;
    }
#else
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        setError(error, systemReason(errno));
        return false;
    }
#endif
    return true;
}

} // namespace

bool AtomicFileWriter::write(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo target(path);
    if (target.isDir()) {
        setError(error, systemReason(EISDIR));
        return false;
    }

    QFile file;
    for (int attempt = 0; attempt < 16; ++attempt) {
        file.setFileName(path + kTemporaryMark + randomSuffix());
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            break;
        if (!file.exists()) {
            setError(error, file.errorString());
            return false;
        }
    }
    if (!file.isOpen()) {
        setError(error, file.errorString());
        return false;
    }
    const QString temporaryPath = file.fileName();
    const auto discard = [&file, &temporaryPath] {
        file.close();
        QFile::remove(temporaryPath);
    };

    if (target.exists())
        file.setPermissions(QFile(path).permissions());

    // Unbuffered: every shortfall shows here, with errno still telling why.
    qint64 done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const int code = errno;
            setError(error, code ? systemReason(code) : file.errorString());
            discard();
            return false;
        }
        done += written;
    }
    if (!syncToDisk(file, error)) {
        discard();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        setError(error, file.errorString());
        QFile::remove(temporaryPath);
        return false;
    }
    if (!renameOver(temporaryPath, path, error)) {
        QFile::remove(temporaryPath);
        return false;
    }
    removeLeftovers(path);
    return true;
}

bool AtomicFileWriter::isTemporaryOf(const QString& fileName, const QString& targetFileName)
{
    const int prefixLength = targetFileName.size() + kTemporaryMark.size();
    if (fileName.size() != prefixLength + kRandomLength ||
        !fileName.startsWith(targetFileName + kTemporaryMark))
        return false;
    for (int i = prefixLength; i < fileName.size(); ++i) {
        const QChar c = fileName.at(i);
        if (!(c >= QLatin1Char('a') && c <= QLatin1Char('z')) &&
            !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return false;
    }
    return true;
}

int AtomicFileWriter::removeLeftovers(const QString& path, qint64 minimumAgeSeconds)
{
    const QFileInfo target(path);
    const QString targetName = target.fileName();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    int removed = 0;
    const QFileInfoList candidates =
        target.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& info : candidates) {
        if (!isTemporaryOf(info.fileName(), targetName))
            continue;
        if (info.lastModified().toUTC().secsTo(now) < minimumAgeSeconds)
            continue;
        if (QFile::remove(info.filePath()))
            ++removed;
    }
    return removed;
}
