#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

// A Markdown article of the knowledge base as an entry object the content view
// renders: "type" "article", "name" (its first heading, else the file's base
// name), "fileName", "_filePath", "category" "articles" and the text under "content".
class ArticleDocument
{
    Q_DECLARE_TR_FUNCTIONS(ArticleDocument)

public:
    static bool isArticlePath(const QString& path);
    // The file on disk, else its embedded copy; an empty object when neither exists.
    static QJsonObject load(const QString& path);
    static QJsonObject fromText(const QString& path, const QString& text);
};
