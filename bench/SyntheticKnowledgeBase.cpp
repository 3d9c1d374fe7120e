#include "SyntheticKnowledgeBase.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool isEntryFile(const QString& relative)
{
    for (const QString& folder : SyntheticKnowledgeBase::entryFolders()) {
        if (relative.startsWith(folder + QLatin1Char('/')))
            return true;
    }
    return false;
}

} // namespace

QStringList SyntheticKnowledgeBase::entryFolders()
{
    return {QStringLiteral("software"), QStringLiteral("companies"), QStringLiteral("technologies"),
            QStringLiteral("disciplines")};
}

int SyntheticKnowledgeBase::create(const QString& sourceDataDir, int factor, const QString& target)
{
    const QDir source(sourceDataDir);
    if (!source.exists())
        return -1;
    int written = 0;
    // Pictures are served from the program's own copy; the JSON and Markdown are what is read.
    const QStringList filters{QStringLiteral("*.json"), QStringLiteral("*.md")};
    for (QDirIterator it(source.absolutePath(), filters, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        const QString relative = source.relativeFilePath(path);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray bytes = file.readAll();
        if (!writeFile(QDir(target).filePath(relative), bytes))
            return -1;
        if (!relative.endsWith(QLatin1String(".json")) || !isEntryFile(relative))
            continue;
        ++written;
        const QJsonObject original = QJsonDocument::fromJson(bytes).object();
        if (original.isEmpty())
            continue;
        const QFileInfo info(relative);
        for (int copy = 1; copy < factor; ++copy) {
            QJsonObject entry = original;
            const QString suffix = QStringLiteral("_x%1").arg(copy);
            if (entry.contains(QLatin1String("id")))
                entry.insert(QStringLiteral("id"),
                             entry.value(QLatin1String("id")).toString() + suffix);
            if (entry.contains(QLatin1String("name")))
                entry.insert(QStringLiteral("name"), entry.value(QLatin1String("name")).toString() +
                                                         QStringLiteral(" %1").arg(copy));
            const QString name = info.path() + QLatin1Char('/') + info.completeBaseName() + suffix +
                                 QStringLiteral(".json");
            if (!writeFile(QDir(target).filePath(name), QJsonDocument(entry).toJson()))
                return -1;
            ++written;
        }
    }
    return written;
}

int SyntheticKnowledgeBase::createMarkdown(const QString& sourceDataDir, int count,
                                           const QString& target)
{
    const QDir source(sourceDataDir);
    QStringList documents;
    for (QDirIterator it(source.absolutePath(), {QStringLiteral("*.md")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        documents << it.next();
    documents.sort();
    if (documents.isEmpty())
        return -1;
    for (int i = 0; i < count; ++i) {
        const QString path = documents.at(i % documents.size());
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QFileInfo info(source.relativeFilePath(path));
        const QString name =
            QStringLiteral("data/%1/%2_%3.md").arg(info.path(), info.completeBaseName()).arg(i);
        if (!writeFile(QDir(target).filePath(name), file.readAll()))
            return -1;
    }
    return count;
}

qint64 SyntheticKnowledgeBase::jsonBytes(const QString& dir)
{
    qint64 total = 0;
    for (QDirIterator it(dir, {QStringLiteral("*.json")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}
