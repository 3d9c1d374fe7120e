#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// One Markdown document: as indexed, or as a search hit with relevance,
// matched lines and excerpt filled in.
struct MarkdownSearchResult
{
    QString filePath;
    QString fileName;
    QString title;
    QString content;
    QStringList matchedLines;
    double relevance = 0.0;
    QString category;
    QString snippet;
};

Q_DECLARE_METATYPE(MarkdownSearchResult)
