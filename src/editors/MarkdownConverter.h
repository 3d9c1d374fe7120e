#pragma once

#include <QString>

// The small Markdown-to-HTML converter behind the editor's live preview: headings,
// emphasis, code, links, bullet items, pipe tables and paragraphs, wrapped in a
// styled HTML document.
class MarkdownConverter
{
public:
    static QString toHtml(const QString& markdown);
    static QString styleHeader();

private:
    static QString applyInlineRules(const QString& markdown);
    static QString convertTables(const QString& body);
    static QString wrapParagraphs(const QString& body);
};
