#include "MarkdownConverter.h"

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
    return QStringLiteral(
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
        "</style></head><body>");
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
