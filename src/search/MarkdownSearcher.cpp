#include "MarkdownSearcher.h"

#include "BoundedRegex.h"
#include "SearchText.h"

#include "search/SearchEngine.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <memory>

namespace {

const QString kUntitled = QStringLiteral("未命名文档");

const QRegularExpression& whitespaceRun()
{
    static const QRegularExpression expression(QStringLiteral("\\s+"));
    return expression;
}

// Removed in this order; "^" anchors at the start of the whole text and "."
// stays within a line (default options).
const QList<QRegularExpression>& markdownPatterns()
{
    static const QList<QRegularExpression> patterns{
        QRegularExpression(QStringLiteral("^#{1,6}\\s*")),
        QRegularExpression(QStringLiteral("\\*\\*(.*?)\\*\\*")),
        QRegularExpression(QStringLiteral("\\*(.*?)\\*")),
        QRegularExpression(QStringLiteral("`(.*?)`")),
        QRegularExpression(QStringLiteral("\\[([^\\]]+)\\]\\([^\\)]+\\)")),
        QRegularExpression(QStringLiteral("!\\[([^\\]]*)\\]\\([^\\)]+\\)")),
        // ASCII word characters and white space plus the CJK unified ideographs.
        QRegularExpression(QStringLiteral("[^\\w\\s\\x{4e00}-\\x{9fa5}]")),
    };
    return patterns;
}

QString titleOf(const QString& content)
{
    const QStringList lines = content.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("# ")))
            return trimmed.mid(2).trimmed();
    }
    return kUntitled;
}

} // namespace

MarkdownSearcher::MarkdownSearcher(QObject* parent)
    : QObject(parent), m_stopWords{
                           QStringLiteral("的"),   QStringLiteral("了"),   QStringLiteral("和"),
                           QStringLiteral("是"),   QStringLiteral("在"),   QStringLiteral("有"),
                           QStringLiteral("一个"), QStringLiteral("这个"), QStringLiteral("那个"),
                           QStringLiteral("与"),   QStringLiteral("或"),   QStringLiteral("但"),
                           QStringLiteral("如果"), QStringLiteral("因为"), QStringLiteral("所以"),
                           QStringLiteral("而且"), QStringLiteral("或者"), QStringLiteral("with"),
                           QStringLiteral("and"),  QStringLiteral("the"),  QStringLiteral("of"),
                           QStringLiteral("for"),  QStringLiteral("in"),   QStringLiteral("on"),
                           QStringLiteral("at"),   QStringLiteral("by"),   QStringLiteral("to"),
                           QStringLiteral("from"), QStringLiteral("up"),   QStringLiteral("down"),
                           QStringLiteral("as"),   QStringLiteral("if"),   QStringLiteral("then"),
                           QStringLiteral("else"), QStringLiteral("when"), QStringLiteral("where"),
                           QStringLiteral("how"),  QStringLiteral("what"), QStringLiteral("why"),
                           QStringLiteral("who"),  QStringLiteral("which")}
{
    qRegisterMetaType<MarkdownSearchResult>();
    qRegisterMetaType<QList<MarkdownSearchResult>>();
}

void MarkdownSearcher::setSearchPath(const QString& path)
{
    m_searchPath = path;
    m_indexReady = false;
    m_documents.clear();
    m_categories.clear();
}

void MarkdownSearcher::buildIndex()
{
    if (m_searchPath.isEmpty()) {
        qWarning().noquote() << "MarkdownSearcher::buildIndex - Search path not set";
        return;
    }

    emit indexBuildStarted();
    m_documents.clear();
    m_categories.clear();

    if (!QFileInfo(m_searchPath).isDir()) {
        qWarning().noquote() << "MarkdownSearcher::buildIndex - Search path does not exist:"
                             << m_searchPath;
        emit indexBuildFailed(m_searchPath);
        return;
    }

    indexDirectory(m_searchPath);
    m_categories.removeDuplicates();
    std::sort(m_categories.begin(), m_categories.end());
    m_indexReady = true;
    emit indexBuildCompleted();
    qDebug().noquote() << "MarkdownSearcher::buildIndex - Index built successfully. Found"
                       << m_documents.size() << "markdown files";
}

void MarkdownSearcher::indexDirectory(const QString& dirPath)
{
    const QString root = QDir(dirPath).absolutePath();
    const QStringList filter{QStringLiteral("*.md")};
    const QDir::Filters kinds = QDir::Files | QDir::NoDotAndDotDot;

    int total = 0;
    for (QDirIterator it(root, filter, kinds, QDirIterator::Subdirectories); it.hasNext();) {
        it.next();
        ++total;
    }

    int processed = 0;
    for (QDirIterator it(root, filter, kinds, QDirIterator::Subdirectories); it.hasNext();) {
        const QString filePath = it.next();
        QFile file(filePath);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            qWarning().noquote() << "MarkdownSearcher::indexDirectory - Cannot open file:"
                                 << filePath;
            continue;
        }

        MarkdownSearchResult document;
        document.filePath = filePath;
        document.fileName = QFileInfo(filePath).baseName();
        document.content = QString::fromUtf8(file.readAll());
        document.title = titleOf(document.content);
        document.category = extractCategory(filePath);
        m_documents.append(document);
        if (!document.category.isEmpty() && !m_categories.contains(document.category))
            m_categories.append(document.category);

        // The tree may change between the two passes; never divide by zero or pass 100.
        ++processed;
        emit indexBuildProgress(total > 0 ? qMin(100, processed * 100 / total) : 100);
        // Keeps the window responsive while a large tree is read.
        QCoreApplication::processEvents();
    }
}

QString MarkdownSearcher::extractCategory(const QString& filePath) const
{
    return SearchText::categoryOfPath(filePath);
}

QString MarkdownSearcher::stripMarkdown(const QString& text) const
{
    QString result = text;
    for (const QRegularExpression& pattern : markdownPatterns())
        result.remove(pattern);
    return result.trimmed();
}

QStringList MarkdownSearcher::tokenize(const QString& text) const
{
    QStringList tokens;
    const QStringList parts = stripMarkdown(text).split(whitespaceRun(), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString lower = part.toLower();
        if (lower.size() >= 2 && !m_stopWords.contains(lower))
            tokens << lower;
    }
    return tokens;
}

QStringList MarkdownSearcher::extractHeadings(const QString& content) const
{
    QStringList headings;
    const QStringList lines = content.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('#')))
            headings << trimmed;
    }
    return headings;
}

bool MarkdownSearcher::matchesText(const QString& text, const QString& query, int mode) const
{
    return matchesText(text, query, mode, nullptr);
}

bool MarkdownSearcher::matchesText(const QString& text, const QString& query, int mode,
                                   BoundedRegex* expression) const
{
    const Qt::CaseSensitivity sensitivity =
        m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    switch (mode) {
    case SearchEngine::ExactMatch:
        return text.contains(query, sensitivity);
    case SearchEngine::FuzzyMatch: {
        const QStringList tokens = tokenize(query);
        if (tokens.isEmpty())
            return false;
        const auto found = std::count_if(tokens.cbegin(), tokens.cend(), [&](const QString& token) {
            return text.contains(token, sensitivity);
        });
        return found >= (tokens.size() + 1) / 2;
    }
    case SearchEngine::RegexMatch: {
        if (expression)
            return expression->matches(text);
        BoundedRegex own(query, m_caseSensitive);
        return own.matches(text);
    }
    case SearchEngine::SemanticMatch:
        return semanticMatch(text, query);
    default:
        return false;
    }
}

bool MarkdownSearcher::semanticMatch(const QString& text, const QString& query) const
{
    const QStringList textTokens = tokenize(text);
    const QStringList queryTokens = tokenize(query);
    int matched = 0;
    for (const QString& queryToken : queryTokens) {
        for (const QString& textToken : textTokens) {
            if (textToken.contains(queryToken, Qt::CaseInsensitive) ||
                queryToken.contains(textToken, Qt::CaseInsensitive)) {
                ++matched;
                break;
            }
        }
    }
    return matched > 0;
}

double MarkdownSearcher::calculateRelevance(const MarkdownSearchResult& document,
                                            const QString& query) const
{
    const QString ql = query.toLower();
    const QString title = document.title.toLower();
    const QString content = document.content.toLower();
    const QStringList tokens = tokenize(query);

    double score = 0.0;
    if (title.contains(ql))
        score = title == ql ? 300.0 : 100.0;
    for (const QString& token : tokens) {
        if (title.contains(token))
            score += 50.0;
    }
    score += 10.0 * SearchText::countOverlapping(content, ql);
    for (const QString& token : tokens)
        score += 5.0 * SearchText::countOverlapping(content, token);
    if (document.fileName.toLower().contains(ql))
        score += 30.0;
    if (document.category.toLower().contains(ql))
        score += 20.0;
    // The fewer hash marks before the first space, the higher the heading weighs.
    const QStringList headings = extractHeadings(document.content);
    for (const QString& heading : headings) {
        if (heading.toLower().contains(ql))
            score += 15.0 * (7 - heading.indexOf(QLatin1Char(' ')));
    }
    return score;
}

QStringList MarkdownSearcher::findMatchedLines(const QString& content, const QString& query,
                                               int mode) const
{
    return findMatchedLines(content, query, mode, nullptr);
}

QStringList MarkdownSearcher::findMatchedLines(const QString& content, const QString& query,
                                               int mode, BoundedRegex* expression) const
{
    QStringList matched;
    const QStringList lines = content.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size() && matched.size() < 10; ++i) {
        if (matchesText(lines.at(i), query, mode, expression))
            matched << QStringLiteral("Line %1: %2").arg(i + 1).arg(lines.at(i).trimmed());
    }
    return matched;
}

QString MarkdownSearcher::generateSnippet(const QString& content, const QString& query,
                                          int maxLength) const
{
    const QString ql = query.toLower();
    const QStringList tokens = tokenize(query);
    const QStringList lines = content.split(QLatin1Char('\n'));

    QString best;
    int bestScore = 0;
    for (const QString& line : lines) {
        const QString stripped = stripMarkdown(line);
        if (stripped.isEmpty())
            continue;
        const QString lower = stripped.toLower();
        int score = lower.contains(ql) ? 100 : 0;
        for (const QString& token : tokens) {
            if (lower.contains(token))
                score += 10;
        }
        if (score > bestScore) {
            best = stripped;
            bestScore = score;
        }
    }

    if (best.isEmpty()) {
        for (const QString& line : lines) {
            const QString stripped = stripMarkdown(line);
            if (stripped.size() > 20) {
                best = stripped;
                break;
            }
        }
    }

    if (best.size() > maxLength)
        best = best.left(maxLength - 3) + QStringLiteral("...");
    return best;
}

QList<MarkdownSearchResult> MarkdownSearcher::search(const QString& query, int scope, int mode)
{
    if (!m_indexReady) {
        qWarning().noquote()
            << "MarkdownSearcher::search - Index not ready. Call buildIndex() first.";
        return {};
    }
    m_lastError.clear();
    if (query.trimmed().isEmpty())
        return {};

    emit searchStarted(query);
    const QString q = query.trimmed();
    std::unique_ptr<BoundedRegex> expression;
    if (mode == SearchEngine::RegexMatch) {
        expression = std::make_unique<BoundedRegex>(q, m_caseSensitive);
        m_lastError = expression->errorMessage();
        expression->setTimeBudget(BoundedRegex::kDefaultTimeBudgetMs);
    }
    QList<MarkdownSearchResult> results;
    const qsizetype count = m_documents.size();
    for (qsizetype i = 0; i < count; ++i) {
        const MarkdownSearchResult& document = m_documents.at(i);
        QString text;
        bool scoped = true;
        switch (scope) {
        case TitleOnly:
            text = document.title;
            break;
        case ContentOnly:
            text = document.content;
            break;
        case FullText:
            text = document.title + QLatin1Char(' ') + document.content;
            break;
        case HeadingsOnly:
            text = extractHeadings(document.content).join(QLatin1Char(' '));
            break;
        default:
            scoped = false;
            break;
        }

        if (scoped && matchesText(text, q, mode, expression.get())) {
            MarkdownSearchResult hit = document;
            hit.relevance = calculateRelevance(document, q);
            hit.matchedLines = findMatchedLines(document.content, q, mode, expression.get());
            hit.snippet = generateSnippet(document.content, q, m_snippetLength);
            results.append(hit);
        }
        if (expression && expression->stopped()) {
            // A runaway expression: nothing it found so far can be trusted as the answer.
            m_lastError = expression->stopMessage();
            qWarning().noquote() << "MarkdownSearcher::search - Stopped:" << m_lastError;
            results.clear();
            break;
        }
        emit searchProgress(static_cast<int>((i + 1) * 100 / count));
    }

    // Stable, so equal relevances keep the index order.
    std::stable_sort(results.begin(), results.end(),
                     [](const MarkdownSearchResult& a, const MarkdownSearchResult& b) {
                         return a.relevance > b.relevance;
                     });
    if (results.size() > m_maxResults)
        results.resize(qMax(0, m_maxResults));
    emit searchCompleted(results);
    return results;
}

QList<MarkdownSearchResult> MarkdownSearcher::searchInCategory(const QString& query,
                                                               const QString& category, int scope,
                                                               int mode)
{
    QList<MarkdownSearchResult> filtered;
    const QList<MarkdownSearchResult> results = search(query, scope, mode);
    for (const MarkdownSearchResult& result : results) {
        if (result.category.compare(category, Qt::CaseInsensitive) == 0)
            filtered.append(result);
    }
    return filtered;
}
