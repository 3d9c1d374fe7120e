#include "MarkdownConverter.h"

#include "views/ContentRenderer.h"
#include "views/PageStyle.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

namespace {

struct Rule
{
    QRegularExpression pattern;
    QString replacement;
};

const QRegularExpression::PatternOptions kMultiline = QRegularExpression::MultilineOption;
const QRegularExpression::PatternOptions kDotAll = QRegularExpression::DotMatchesEverythingOption;

} // namespace

QString MarkdownConverter::styleHeader()
{
    return PageStyle::adapt(QStringLiteral(
        "<html><head><style>"
        "body { font-family: 'Microsoft YaHei', Arial, sans-serif; line-height: 1.6; }"
        "h1 { color: #2196F3; border-bottom: 2px solid #2196F3; }"
        "h2 { color: #555; }"
        "h3 { color: #777; }"
        "code { background: #f4f4f4; padding: 2px 4px; border-radius: 3px; }"
        "pre { background: #f4f4f4; padding: 10px; border-radius: 5px; overflow-x: auto; }"
        "table { border-collapse: collapse; width: 100%; }"
        "th, td { border: 1px solid #ddd; padding: 8px; text-align: left; }"
        "th { background-color: #f2f2f2; }"
        "blockquote { border-left: 4px solid #2196F3; margin-left: 0; padding-left: 16px; }"
        "</style></head><body>"));
}

QString MarkdownConverter::toHtml(const QString& markdown)
{
    QString body = applyInlineRules(markdown);
    body = convertTables(body);
    body = wrapParagraphs(body);
    return styleHeader() + body + QStringLiteral("</body></html>");
}

QString MarkdownConverter::applyInlineRules(const QString& markdown)
{
    // Fenced blocks go before inline code: the inline rule would otherwise eat the
    // fence's back-quotes and no fenced block could ever be recognised.
    static const std::array<Rule, 10> rules = {{
        {QRegularExpression(QStringLiteral("^# (.+)$"), kMultiline),
         QStringLiteral("<h1>\\1</h1>")},
        {QRegularExpression(QStringLiteral("^## (.+)$"), kMultiline),
         QStringLiteral("<h2>\\1</h2>")},
        {QRegularExpression(QStringLiteral("^### (.+)$"), kMultiline),
         QStringLiteral("<h3>\\1</h3>")},
        {QRegularExpression(QStringLiteral("\\*\\*(.+?)\\*\\*")),
         QStringLiteral("<strong>\\1</strong>")},
        {QRegularExpression(QStringLiteral("\\*(.+?)\\*")), QStringLiteral("<em>\\1</em>")},
        {QRegularExpression(QStringLiteral("```(\\w*)\\n(.*?)\\n```"), kDotAll),
         QStringLiteral("<pre><code>\\2</code></pre>")},
        {QRegularExpression(QStringLiteral("`([^`]+)`")), QStringLiteral("<code>\\1</code>")},
        {QRegularExpression(QStringLiteral("\\[([^\\]]+)\\]\\(([^\\)]+)\\)")),
         QStringLiteral("<a href=\"\\2\">\\1</a>")},
        // Items start with "* " or "- ", the generator writes the latter.
        {QRegularExpression(QStringLiteral("^[*-] (.+)$"), kMultiline),
         QStringLiteral("<li>\\1</li>")},
        // One list per run of item lines, so text between two lists stays outside both.
        {QRegularExpression(QStringLiteral("^(<li>.*</li>(?:\\n<li>.*</li>)*)$"), kMultiline),
         QStringLiteral("<ul>\\1</ul>")},
    }};

    QString body = markdown;
    for (const Rule& rule : rules)
        body.replace(rule.pattern, rule.replacement);
    return body;
}

QString MarkdownConverter::convertTables(const QString& body)
{
    QString result;
    bool inTable = false;
    const QStringList lines = body.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const bool isTableRow =
            line.contains(QLatin1Char('|')) && !line.trimmed().startsWith(QLatin1Char('<'));
        if (!isTableRow) {
            if (inTable) {
                result += QStringLiteral("</table>\n");
                inTable = false;
            }
            result += line + QLatin1Char('\n');
            continue;
        }

        if (!inTable) {
            result += QStringLiteral("<table>\n");
            inTable = true;
        }
        const QStringList cells = line.split(QLatin1Char('|'));
        if (cells.size() <= 2)
            continue;
        result += QStringLiteral("<tr>");
        for (qsizetype i = 1; i < cells.size() - 1; ++i) {
            const QString cell = cells.at(i).trimmed();
            // Any cell with a hyphen is taken for part of the separator row.
            if (!cell.contains(QLatin1Char('-')))
                result += QStringLiteral("<td>%1</td>").arg(cell);
        }
        result += QStringLiteral("</tr>\n");
    }
    if (inTable)
        result += QStringLiteral("</table>\n");
    return result;
}

QString MarkdownConverter::wrapParagraphs(const QString& body)
{
    static const QRegularExpression blankLine(QStringLiteral("\\n\\n"));
    QString result = body;
    result.replace(blankLine, QStringLiteral("</p><p>"));
    result = QStringLiteral("<p>") + result + QStringLiteral("</p>");
    result.remove(QStringLiteral("<p></p>"));
    return result;
}

namespace {

// The pages' own escaping: articles are data like every entry text.
QString escaped(const QString& text)
{
    return ContentRenderer::escapeHtml(text);
}

bool isSafeLink(const QString& url)
{
    static const QRegularExpression allowed(QStringLiteral("^(https?://[^\\s]+|mailto:[^\\s]+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return allowed.match(url).hasMatch();
}

// Emphasis and links of text outside code spans; the text is escaped first, so
// the markup added here is the only markup there is.
QString inlineText(const QString& text)
{
    static const QRegularExpression image(QStringLiteral("!\\[([^\\]]*)\\]\\(([^)\\s]*)\\)"));
    // An address may hold one level of brackets: "f(1)".
    static const QRegularExpression link(
        QStringLiteral("\\[([^\\]]+)\\]\\(((?:[^()\\s]|\\([^()\\s]*\\))+)\\)"));
    static const QRegularExpression strong(QStringLiteral("\\*\\*(.+?)\\*\\*"));
    static const QRegularExpression emphasis(QStringLiteral("\\*([^*\\s][^*]*?)\\*"));

    QString result = text;
    result.replace(image, QStringLiteral("\\1"));
    QString linked;
    qsizetype last = 0;
    for (auto it = link.globalMatch(result); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        linked += escaped(result.mid(last, match.capturedStart() - last));
        const QString label = escaped(match.captured(1));
        const QString url = match.captured(2);
        linked += isSafeLink(url) ? QStringLiteral("<a href=\"%1\">%2</a>").arg(escaped(url), label)
                                  : label;
        last = match.capturedEnd();
    }
    linked += escaped(result.mid(last));
    linked.replace(strong, QStringLiteral("<strong>\\1</strong>"));
    linked.replace(emphasis, QStringLiteral("<em>\\1</em>"));
    return linked;
}

QString inlineMarkup(const QString& text)
{
    // Code spans first: nothing inside them is markup.
    QString result;
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('`'), position);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('`'), open + 1);
        if (close < 0) {
            result += inlineText(text.mid(position));
            break;
        }
        result += inlineText(text.mid(position, open - position));
        result += QStringLiteral("<code>") + escaped(text.mid(open + 1, close - open - 1)) +
                  QStringLiteral("</code>");
        position = close + 1;
    }
    return result;
}

QStringList tableCells(const QString& line)
{
    QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char('|')))
        trimmed.remove(0, 1);
    if (trimmed.endsWith(QLatin1Char('|')))
        trimmed.chop(1);
    QStringList cells = trimmed.split(QLatin1Char('|'));
    for (QString& cell : cells)
        cell = cell.trimmed();
    return cells;
}

bool isTableSeparator(const QString& line)
{
    static const QRegularExpression separator(
        QStringLiteral("^\\s*\\|?\\s*:?-{1,}:?\\s*(\\|\\s*:?-{1,}:?\\s*)*\\|?\\s*$"));
    return line.contains(QLatin1Char('-')) && separator.match(line).hasMatch();
}

struct ListItem
{
    int indent = 0;
    bool ordered = false;
    QString text;
};

bool parseListItem(const QString& line, ListItem* item)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\s*)([-*+]|\\d+[.)])\\s+(.*)$"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch())
        return false;
    item->indent = int(match.captured(1).size());
    item->ordered = match.captured(2).at(0).isDigit();
    item->text = match.captured(3);
    return true;
}

} // namespace

QString MarkdownConverter::articleBody(const QString& markdown)
{
    static const QRegularExpression heading(QStringLiteral("^(#{1,6})\\s+(.*?)\\s*#*\\s*$"));
    static const QRegularExpression rule(QStringLiteral("^\\s*([-*_])(\\s*\\1){2,}\\s*$"));

    QString text = markdown;
    text.remove(QLatin1Char('\r'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    QString html;
    QStringList paragraph;
    auto flushParagraph = [&]() {
        if (!paragraph.isEmpty())
            html += QStringLiteral("<p>") + inlineMarkup(paragraph.join(QLatin1Char(' '))) +
                    QStringLiteral("</p>");
        paragraph.clear();
    };

    qsizetype i = 0;
    while (i < lines.size()) {
        const QString line = lines.at(i);
        const QString trimmed = line.trimmed();
        ListItem item;

        if (trimmed.startsWith(QLatin1String("```"))) {
            flushParagraph();
            QStringList code;
            ++i;
            while (i < lines.size() && !lines.at(i).trimmed().startsWith(QLatin1String("```")))
                code << lines.at(i++);
            ++i; // the closing fence, if any
            html += QStringLiteral("<pre><code>") + escaped(code.join(QLatin1Char('\n'))) +
                    QStringLiteral("</code></pre>");
            continue;
        }
        if (trimmed.isEmpty()) {
            flushParagraph();
            ++i;
            continue;
        }
        const QRegularExpressionMatch headingMatch = heading.match(trimmed);
        if (headingMatch.hasMatch()) {
            flushParagraph();
            const int level = int(headingMatch.captured(1).size());
            html += QStringLiteral("<h%1>%2</h%1>")
                        .arg(level)
                        .arg(inlineMarkup(headingMatch.captured(2)));
            ++i;
            continue;
        }
        if (rule.match(trimmed).hasMatch()) {
            flushParagraph();
            html += QStringLiteral("<hr/>");
            ++i;
            continue;
        }
        if (trimmed.contains(QLatin1Char('|')) && i + 1 < lines.size() &&
            isTableSeparator(lines.at(i + 1))) {
            flushParagraph();
            html += QStringLiteral("<table><tr>");
            for (const QString& cell : tableCells(line))
                html += QStringLiteral("<th>") + inlineMarkup(cell) + QStringLiteral("</th>");
            html += QStringLiteral("</tr>");
            i += 2;
            while (i < lines.size() && lines.at(i).contains(QLatin1Char('|')) &&
                   !lines.at(i).trimmed().isEmpty()) {
                html += QStringLiteral("<tr>");
                for (const QString& cell : tableCells(lines.at(i)))
                    html += QStringLiteral("<td>") + inlineMarkup(cell) + QStringLiteral("</td>");
                html += QStringLiteral("</tr>");
                ++i;
            }
            html += QStringLiteral("</table>");
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('>'))) {
            flushParagraph();
            QStringList quoted;
            while (i < lines.size() && lines.at(i).trimmed().startsWith(QLatin1Char('>')))
                quoted << lines.at(i++).trimmed().mid(1).trimmed();
            html += QStringLiteral("<blockquote><p>") +
                    inlineMarkup(quoted.join(QLatin1Char(' '))) +
                    QStringLiteral("</p></blockquote>");
            continue;
        }
        if (parseListItem(line, &item)) {
            flushParagraph();
            // Open lists by indentation; a deeper item opens a list inside the previous item.
            QList<std::pair<int, bool>> open; // indent, ordered
            bool itemOpen = false;
            while (i < lines.size()) {
                ListItem current;
                if (!parseListItem(lines.at(i), &current)) {
                    const QString next = lines.at(i);
                    // A continuation line: indented text under an item.
                    if (itemOpen && !next.trimmed().isEmpty() &&
                        next.startsWith(QLatin1Char(' '))) {
                        html += QLatin1Char(' ') + inlineMarkup(next.trimmed());
                        ++i;
                        continue;
                    }
                    break;
                }
                while (!open.isEmpty() && current.indent < open.last().first) {
                    html +=
                        QStringLiteral("</li>") +
                        (open.last().second ? QStringLiteral("</ol>") : QStringLiteral("</ul>"));
                    open.removeLast();
                }
                if (open.isEmpty() || current.indent > open.last().first) {
                    open.append({current.indent, current.ordered});
                    html += current.ordered ? QStringLiteral("<ol>") : QStringLiteral("<ul>");
                } else if (itemOpen) {
                    html += QStringLiteral("</li>");
                }
                html += QStringLiteral("<li>") + inlineMarkup(current.text);
                itemOpen = true;
                ++i;
            }
            while (!open.isEmpty()) {
                html += QStringLiteral("</li>") +
                        (open.last().second ? QStringLiteral("</ol>") : QStringLiteral("</ul>"));
                open.removeLast();
            }
            continue;
        }
        paragraph << trimmed;
        ++i;
    }
    flushParagraph();
    return html;
}
