#include "DirectoryListing.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

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
        const QString name = QFile::decodeName(entry->d_name);
        if (name.endsWith(suffix, Qt::CaseInsensitive)) {
            struct stat info;
            if (::fstatat(folder.fd(), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode)) {
                out << relative + name;
                continue;
            }
        }
        if (isRealFolder(folder, entry))
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
        QString name = QFile::decodeName(entry->d_name);
        if (!name.endsWith(suffix, Qt::CaseInsensitive))
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
