#include "ArticleCatalog.h"

#include "DirectoryListing.h"
#include "EmbeddedDataAdapter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QMap>

#include <algorithm>

namespace {

const QString kEmbeddedPrefix = QStringLiteral("data/");

} // namespace

QList<Article> ArticleCatalog::list(const QString& dataPath)
{
    // Relative path -> path to open; the disk copy wins over the embedded one.
    QMap<QString, QString> paths;
    for (const QString& key : EmbeddedDataAdapter::instance().getAvailableResources()) {
        if (key.startsWith(kEmbeddedPrefix) && key.endsWith(QLatin1String(".md")))
            paths.insert(key.mid(kEmbeddedPrefix.size()), key);
    }
    const QDir root(dataPath);
    if (!dataPath.isEmpty() && root.exists()) {
        // The whole knowledge base is walked: QDirIterator's cost per file was most of
        // a large start's time.
        QString base = root.path();
        if (!base.endsWith(QLatin1Char('/')))
            base += QLatin1Char('/');
        for (const QString& relative :
             DirectoryListing::filesBelow(root.path(), QStringLiteral(".md")))
            paths.insert(relative, base + relative);
    }

    QList<Article> articles;
    for (auto it = paths.cbegin(); it != paths.cend(); ++it) {
        const QString relative = it.key();
        // Notes and other top-level files are the user's, not articles.
        if (!relative.contains(QLatin1Char('/')))
            continue;
        Article article;
        article.path = it.value();
        article.folder = relative.section(QLatin1Char('/'), 0, -2);
        article.title = titleOf(readText(article.path), QFileInfo(relative).completeBaseName());
        articles.append(article);
    }
    std::stable_sort(articles.begin(), articles.end(), [](const Article& a, const Article& b) {
        if (a.folder != b.folder)
            return a.folder < b.folder;
        return a.title < b.title;
    });
    return articles;
}

QString ArticleCatalog::readText(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return QString::fromUtf8(file.readAll());
    const EmbeddedDataAdapter& embedded = EmbeddedDataAdapter::instance();
    if (embedded.hasEmbeddedResource(path))
        return embedded.loadEmbeddedText(path);
    return {};
}

QString ArticleCatalog::titleOf(const QString& markdown, const QString& fallback)
{
    for (const QStringView line : QStringView(markdown).split(QLatin1Char('\n'))) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("# ")))
            return trimmed.mid(2).trimmed().toString();
    }
    return fallback;
}

QString ArticleCatalog::folderLabel(const QJsonObject& categories, const QString& folder)
{
    const QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return folder;
    if (parts.first() == QLatin1String("technologies")) {
        if (parts.size() == 1)
            return tr("核心技术");
        const QString name = categories.value(QLatin1String("technologyCategories"))
                                 .toObject()
                                 .value(parts.at(1))
                                 .toObject()
                                 .value(QLatin1String("name"))
                                 .toString();
        return name.isEmpty() ? folder : name;
    }
    if (parts.first() == QLatin1String("disciplines") && parts.size() > 1) {
        const QJsonObject discipline = categories.value(QLatin1String("disciplineCategories"))
                                           .toObject()
                                           .value(parts.at(1))
                                           .toObject();
        QString name = discipline.value(QLatin1String("name")).toString();
        if (parts.size() > 2) {
            for (const QJsonValue& value :
                 discipline.value(QLatin1String("subDisciplines")).toArray()) {
                const QJsonObject sub = value.toObject();
                if (sub.value(QLatin1String("id")).toString() == parts.at(2)) {
                    name += QStringLiteral(" / ") + sub.value(QLatin1String("name")).toString();
                    break;
                }
            }
        }
        return name.isEmpty() ? folder : name;
    }
    return folder;
}
