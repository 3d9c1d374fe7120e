#include "EntryFileDeleter.h"

#include "EmbeddedDataAdapter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kEmbeddedPrefix = QStringLiteral("data/");

QString withSlash(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString idOfFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("id")).toString();
}

} // namespace

QString EntryFileDeleter::dataRelativeKey(const QString& path, const QString& dataPath)
{
    QString cleaned = path;
    cleaned.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString root = withSlash(dataPath);
    if (!root.isEmpty()) {
        if (cleaned.startsWith(root))
            return cleaned.mid(root.size());
        const QString absoluteRoot = withSlash(QDir::cleanPath(QDir(root).absolutePath()));
        const QString absolutePath = QDir::cleanPath(QFileInfo(cleaned).absoluteFilePath());
        if (QDir::isAbsolutePath(cleaned) && absolutePath.startsWith(absoluteRoot))
            return absolutePath.mid(absoluteRoot.size());
    }
    // An embedded key names the entry by its place in the knowledge base.
    if (cleaned.startsWith(kEmbeddedPrefix))
        return cleaned.mid(kEmbeddedPrefix.size());
    if (!QDir::isAbsolutePath(cleaned))
        return cleaned;
    return {};
}

QString EntryFileDeleter::diskPath(const QString& path, const QString& dataPath)
{
    const QString key = dataRelativeKey(path, dataPath);
    if (key.isEmpty() || dataPath.isEmpty())
        return path;
    return withSlash(dataPath) + key;
}

QString EntryFileDeleter::embeddedCopy(const QString& relativeKey, const QString& id)
{
    if (relativeKey.isEmpty())
        return {};
    const EmbeddedDataAdapter& embedded = EmbeddedDataAdapter::instance();
    const QStringList keys = embedded.getAvailableResources();
    // Exact keys only: the adapter's file-name fallback would find another entry's file.
    const QString sameKey = kEmbeddedPrefix + relativeKey;
    if (keys.contains(sameKey))
        return sameKey;
    if (id.isEmpty())
        return {};
    const int slash = sameKey.lastIndexOf(QLatin1Char('/'));
    const QString folder = sameKey.left(slash + 1);
    for (const QString& key : keys) {
        if (!key.startsWith(folder) || key.indexOf(QLatin1Char('/'), folder.size()) >= 0 ||
            !key.endsWith(QLatin1String(".json")))
            continue;
        if (embedded.loadEmbeddedJson(key).value(QLatin1String("id")).toString() == id)
            return key;
    }
    return {};
}

EntryFileDeleter::Result EntryFileDeleter::remove(const QString& path, const QString& dataPath)
{
    Result result;
    const QString key = dataRelativeKey(path, dataPath);
    result.diskPath = diskPath(path, dataPath);
    const bool onDisk = QFileInfo(result.diskPath).isFile();
    result.embeddedKey = embeddedCopy(key, onDisk ? idOfFile(result.diskPath) : QString());
    if (!onDisk) {
        result.outcome = result.embeddedKey.isEmpty() ? Outcome::NotFound : Outcome::EmbeddedOnly;
        return result;
    }
    QFile file(result.diskPath);
    if (!file.remove()) {
        result.outcome = Outcome::Failed;
        result.error = file.errorString();
        return result;
    }
    result.outcome =
        result.embeddedKey.isEmpty() ? Outcome::Deleted : Outcome::DeletedEmbeddedRemains;
    return result;
}
