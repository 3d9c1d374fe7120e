#include "ArticleDocument.h"

#include "EmbeddedDataAdapter.h"
#include "EntryLinkResolver.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Articles are a few kilobytes; a runaway file must not fill the page.
constexpr qint64 kMaxArticleBytes = 4 * 1024 * 1024;

} // namespace

bool ArticleDocument::isArticlePath(const QString& path)
{
    return path.endsWith(QLatin1String(".md"), Qt::CaseInsensitive);
}

QJsonObject ArticleDocument::fromText(const QString& path, const QString& text)
{
    const QFileInfo info(path);
    QString name = EntryLinkResolver::articleTitle(text);
    if (name.isEmpty())
        name = info.completeBaseName();
    return QJsonObject{{QStringLiteral("type"), QStringLiteral("article")},
                       {QStringLiteral("name"), name},
                       {QStringLiteral("fileName"), info.fileName()},
                       {QStringLiteral("_filePath"), path},
                       {QStringLiteral("category"), QStringLiteral("articles")},
                       {QStringLiteral("content"), text}};
}

QJsonObject ArticleDocument::load(const QString& path)
{
    if (!isArticlePath(path))
        return {};
    QFile file(path);
    if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly))
        return fromText(path, QString::fromUtf8(file.read(kMaxArticleBytes)));
    EmbeddedDataAdapter& embedded = EmbeddedDataAdapter::instance();
    if (embedded.hasEmbeddedResource(path))
        return fromText(path, embedded.loadEmbeddedText(path).left(int(kMaxArticleBytes)));
    return {};
}
