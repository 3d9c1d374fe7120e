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
    // An article as a page body: every text escaped, headings 1 to 6, bullet and
    // numbered lists (nested by indentation), pipe tables with a header row,
    // fenced code, block quotes and rules. Links are kept only for http, https
    // and mailto addresses.
    static QString articleBody(const QString& markdown);

private:
    static QString applyInlineRules(const QString& markdown);
    static QString convertTables(const QString& body);
    static QString wrapParagraphs(const QString& body);
};
