#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QString>

// One Markdown article of the knowledge base.
struct Article
{
    // The path the window opens it by: the file on disk when there is one, else
    // its embedded "data/..." key.
    QString path;
    // The first "# " heading, else the file's base name.
    QString title;
    // The folder below the data directory, e.g. "disciplines/fluid" or "technologies".
    QString folder;
};

// The Markdown articles below the data directory, embedded and on disk, each once.
class ArticleCatalog
{
    Q_DECLARE_TR_FUNCTIONS(ArticleCatalog)

public:
    // Sorted by folder, then title.
    static QList<Article> list(const QString& dataPath);
    // The article's text, from disk or the embedded copy; empty when neither has it.
    static QString readText(const QString& path);
    static QString titleOf(const QString& markdown, const QString& fallback);
    // A readable name for an article's folder from the categories configuration:
    // "流体力学" for "disciplines/fluid", "网格生成" for "technologies/mesh",
    // "核心技术" for "technologies"; the folder itself when unknown.
    static QString folderLabel(const QJsonObject& categories, const QString& folder);
};
