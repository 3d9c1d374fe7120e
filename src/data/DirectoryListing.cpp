#include "DirectoryListing.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The prefix QDir's listing puts before each name: the path with its separators
// turned to '/' and one trailing '/' dropped, then a '/'.
QString prefixOf(const QString& dirPath)
{
    QString path = QDir::fromNativeSeparators(dirPath);
    if (path.isEmpty())
        path = QStringLiteral(".");
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    // QDir drops one trailing '/' only; its listing adds one where none is left.
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

// One entry as read, with the key of QDir's order for Name | IgnoreCase: the
// lower-cased names compared code unit by code unit.
template <typename T> struct Named
{
    QString lower;
    QString name;
    T item;
};

template <typename T> void sortByName(std::vector<Named<T>>& named)
{
    std::stable_sort(named.begin(), named.end(),
                     [](const Named<T>& a, const Named<T>& b) { return a.lower < b.lower; });
}

#ifndef Q_OS_WIN
bool isAscii(const char* name, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(name[i]) >= 0x80)
            return false;
    }
    return true;
}

// A directory entry's name and whether it ends in suffix (an ASCII one, compared as
// QString::endsWith compares without case). Most names are ASCII: they need neither
// the 8-bit decoder nor Unicode case folding, and a name of another suffix is not
// decoded at all (nameOut stays null).
bool endsWithSuffix(const char* raw, const QString& suffix, QString* nameOut)
{
    const std::size_t length = std::strlen(raw);
    const bool asciiSuffix =
        std::all_of(suffix.cbegin(), suffix.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (!asciiSuffix || !isAscii(raw, length)) {
        *nameOut = QFile::decodeName(raw);
        return nameOut->endsWith(suffix, Qt::CaseInsensitive);
    }
    const std::size_t count = std::size_t(suffix.size());
    if (length < count)
        return false;
    const char* tail = raw + length - count;
    for (std::size_t i = 0; i < count; ++i) {
        const auto lower = [](char16_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(char16_t(static_cast<unsigned char>(tail[i]))) !=
            lower(suffix.at(qsizetype(i)).unicode()))
            return false;
    }
    *nameOut = QString::fromLatin1(raw, qsizetype(length));
    return true;
}

EntrySummaryIndex::FileStamp stampFrom(const struct stat& info)
{
    EntrySummaryIndex::FileStamp stamp;
    stamp.size = info.st_size;
    stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changed = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    stamp.inode = info.st_ino;
    return stamp;
}

class OpenFolder
{
public:
    explicit OpenFolder(const QString& path) : m_dir(::opendir(QFile::encodeName(path).constData()))
    {
    }
    ~OpenFolder()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    bool isOpen() const { return m_dir != nullptr; }
    int fd() const { return ::dirfd(m_dir); }
    const struct dirent* next() { return ::readdir(m_dir); }

private:
    DIR* m_dir;
};

// Whether the entry is a folder itself, not a link to one (QDirIterator does not
// descend into links).
bool isRealFolder(const OpenFolder& folder, const struct dirent* entry)
{
#ifdef _DIRENT_HAVE_D_TYPE
    if (entry->d_type != DT_UNKNOWN)
        return entry->d_type == DT_DIR;
#endif
    struct stat info;
    return ::fstatat(folder.fd(), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISDIR(info.st_mode);
}

void collectBelow(const QString& path, const QString& relative, const QString& suffix,
                  QStringList& out)
{
    OpenFolder folder(path);
    if (!folder.isOpen())
        return;
    while (const struct dirent* entry = folder.next()) {
        if (entry->d_name[0] == '.') // hidden, and . and ..
            continue;
        QString name;
        if (endsWithSuffix(entry->d_name, suffix, &name)) {
            struct stat info;
            if (::fstatat(folder.fd(), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode)) {
                out << relative + name;
                continue;
            }
        }
        if (!isRealFolder(folder, entry))
            continue;
        if (name.isNull())
            name = QFile::decodeName(entry->d_name);
        collectBelow(path + QLatin1Char('/') + name, relative + name + QLatin1Char('/'), suffix,
                     out);
    }
}
#endif

} // namespace

std::vector<DirectoryListing::File> DirectoryListing::files(const QString& dirPath,
                                                            const QString& suffix)
{
    std::vector<File> result;
#ifndef Q_OS_WIN
    const QString prefix = prefixOf(dirPath);
    OpenFolder folder(prefix);
    if (!folder.isOpen())
        return result;
    std::vector<Named<EntrySummaryIndex::FileStamp>> named;
    while (const struct dirent* entry = folder.next()) {
        if (entry->d_name[0] == '.')
            continue;
        QString name;
        if (!endsWithSuffix(entry->d_name, suffix, &name))
            continue;
        struct stat info;
        // Followed, as QDir lists a link to a file among the files.
        if (::fstatat(folder.fd(), entry->d_name, &info, 0) != 0 || !S_ISREG(info.st_mode))
            continue;
        named.push_back({name.toLower(), std::move(name), stampFrom(info)});
    }
    sortByName(named);
    result.reserve(named.size());
    for (const auto& entry : named)
        result.push_back({prefix + entry.name, entry.item});
#else
    const QDir dir(dirPath);
    for (const QFileInfo& info : dir.entryInfoList({QLatin1Char('*') + suffix}, QDir::Files)) {
        const std::optional<EntrySummaryIndex::FileStamp> stamp =
            EntrySummaryIndex::stampOf(info.filePath());
        result.push_back({info.filePath(), stamp ? *stamp : EntrySummaryIndex::FileStamp()});
    }
#endif
    return result;
}

QStringList DirectoryListing::subfolders(const QString& dirPath)
{
    QStringList paths;
#ifndef Q_OS_WIN
    const QString prefix = prefixOf(dirPath);
    OpenFolder folder(prefix);
    if (!folder.isOpen())
        return paths;
    std::vector<Named<bool>> named;
    while (const struct dirent* entry = folder.next()) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat info;
        // Links to folders are listed too, as QDir lists them.
        if (::fstatat(folder.fd(), entry->d_name, &info, 0) != 0 || !S_ISDIR(info.st_mode))
            continue;
        QString name = QFile::decodeName(entry->d_name);
        named.push_back({name.toLower(), std::move(name), true});
    }
    sortByName(named);
    paths.reserve(qsizetype(named.size()));
    for (const auto& entry : named)
        paths << prefix + entry.name;
#else
    for (const QFileInfo& info : QDir(dirPath).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        paths << info.filePath();
#endif
    return paths;
}

QStringList DirectoryListing::filesBelow(const QString& root, const QString& suffix)
{
    QStringList out;
#ifndef Q_OS_WIN
    QString path = prefixOf(root);
    if (path.size() > 1)
        path.chop(1);
    collectBelow(path, QString(), suffix, out);
#else
    const QDir dir(root);
    QDirIterator it(dir.path(), {QLatin1Char('*') + suffix}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << dir.relativeFilePath(it.next());
#endif
    return out;
}
