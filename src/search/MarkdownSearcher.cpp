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

// What the last expression keeps: ASCII letters, digits, underscore and white
// space, and the CJK unified ideographs.
bool keptByStrip(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_' || c == u' ' || (c >= 9 && c <= 13) || (c >= 0x4E00 && c <= 0x9FA5);
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
    m_prepared.clear();
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
    m_prepared.clear();
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
        m_prepared.push_back(prepare(document));
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
    // Each expression runs only where the character it starts with occurs.
    const QList<QRegularExpression>& patterns = markdownPatterns();
    QString result = text;
    if (result.startsWith(QLatin1Char('#')))
        result.remove(patterns.at(0));
    if (result.contains(QLatin1Char('*')))
        result.remove(patterns.at(1));
    if (result.contains(QLatin1Char('*')))
        result.remove(patterns.at(2));
    if (result.contains(QLatin1Char('`')))
        result.remove(patterns.at(3));
    if (result.contains(QLatin1Char('[')))
        result.remove(patterns.at(4));
    if (result.contains(QLatin1Char('[')))
        result.remove(patterns.at(5));
    if (SearchText::hasSurrogates(result)) {
        // The expression's view of surrogates (pairs and strays) is its own.
        result.remove(patterns.at(6));
    } else {
        qsizetype kept = 0;
        QChar* data = result.data();
        for (qsizetype i = 0; i < result.size(); ++i) {
            if (keptByStrip(data[i].unicode()))
                data[kept++] = data[i];
        }
        result.truncate(kept);
    }
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
    if (!expression) {
        // Rank first; matched lines and excerpts only for the results handed out.
        const Query prepared = prepareQuery(q);
        std::vector<std::pair<double, qsizetype>> ranked;
        for (qsizetype i = 0; i < count; ++i) {
            if (matchesScope(i, scope, prepared, mode))
                ranked.emplace_back(relevance(i, prepared), i);
            emit searchProgress(static_cast<int>((i + 1) * 100 / count));
        }
        std::stable_sort(ranked.begin(), ranked.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        if (qsizetype(ranked.size()) > m_maxResults)
            ranked.resize(std::size_t(qMax(0, m_maxResults)));
        for (const auto& [score, index] : ranked) {
            MarkdownSearchResult hit = m_documents.at(index);
            hit.relevance = score;
            hit.matchedLines = matchedLines(hit.content, prepared, mode);
            hit.snippet = snippet(index, prepared);
            results.append(hit);
        }
        emit searchCompleted(results);
        return results;
    }
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
        if (expression->stopped()) {
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

MarkdownSearcher::Prepared MarkdownSearcher::prepare(const MarkdownSearchResult& document) const
{
    Prepared prepared;
    prepared.lowerTitle = document.title.toLower();
    prepared.lowerContent = document.content.toLower();
    prepared.lowerFileName = document.fileName.toLower();
    prepared.lowerCategory = document.category.toLower();
    const QStringList headings = extractHeadings(document.content);
    prepared.headingText = headings.join(QLatin1Char(' '));
    prepared.lowerHeadingText = prepared.headingText.toLower();
    for (const QString& heading : headings) {
        prepared.lowerHeadings << heading.toLower();
        prepared.headingWeights << 15.0 * (7 - heading.indexOf(QLatin1Char(' ')));
    }
    const QStringList lines = document.content.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString stripped = stripMarkdown(line);
        prepared.lowerStrippedLines << stripped.toLower();
        prepared.strippedLengths << stripped.size();
    }
    prepared.titleFolds = SearchText::foldsAsLower(document.title, prepared.lowerTitle);
    prepared.contentFolds = SearchText::foldsAsLower(document.content, prepared.lowerContent);
    prepared.headingsFolds =
        SearchText::foldsAsLower(prepared.headingText, prepared.lowerHeadingText);
    return prepared;
}

MarkdownSearcher::Query MarkdownSearcher::prepareQuery(const QString& query) const
{
    Query prepared;
    prepared.text = query;
    prepared.lower = query.toLower();
    prepared.folded = SearchText::foldCase(query);
    prepared.foldable = !m_caseSensitive && !SearchText::hasSurrogates(query);
    prepared.tokens = tokenize(query);
    prepared.tokensFoldable = !m_caseSensitive;
    for (const QString& token : std::as_const(prepared.tokens)) {
        prepared.foldedTokens << SearchText::foldCase(token);
        if (SearchText::hasSurrogates(token))
            prepared.tokensFoldable = false;
    }
    return prepared;
}

namespace {

// needle in first + " " + second, without building that text.
bool joinedContains(const QString& first, const QString& second, const QString& needle)
{
    if (SearchText::contains(first, needle) || SearchText::contains(second, needle))
        return true;
    const qsizetype reach = needle.size() - 1;
    if (reach <= 0)
        return needle == QLatin1String(" ");
    const QString seam = first.right(reach) + QLatin1Char(' ') + second.left(reach);
    return SearchText::contains(seam, needle);
}

} // namespace

bool MarkdownSearcher::matchesScope(qsizetype index, int scope, const Query& query, int mode) const
{
    const MarkdownSearchResult& document = m_documents.at(index);
    const Prepared& prepared = m_prepared[std::size_t(index)];
    switch (scope) {
    case TitleOnly:
        return matchesPrepared(document.title, prepared.lowerTitle, prepared.titleFolds, query,
                               mode);
    case ContentOnly:
        return matchesPrepared(document.content, prepared.lowerContent, prepared.contentFolds,
                               query, mode);
    case FullText: {
        const bool folds = prepared.titleFolds && prepared.contentFolds;
        if (folds && mode == SearchEngine::ExactMatch && query.foldable)
            return joinedContains(prepared.lowerTitle, prepared.lowerContent, query.folded);
        if (folds && mode == SearchEngine::FuzzyMatch && query.tokensFoldable) {
            if (query.tokens.isEmpty())
                return false;
            qsizetype found = 0;
            for (const QString& token : query.foldedTokens)
                found += joinedContains(prepared.lowerTitle, prepared.lowerContent, token);
            return found >= (query.tokens.size() + 1) / 2;
        }
        return matchesPrepared(document.title + QLatin1Char(' ') + document.content, QString(),
                               false, query, mode);
    }
    case HeadingsOnly:
        return matchesPrepared(prepared.headingText, prepared.lowerHeadingText,
                               prepared.headingsFolds, query, mode);
    default:
        return false;
    }
}

bool MarkdownSearcher::matchesPrepared(const QString& text, const QString& lower, bool folds,
                                       const Query& query, int mode) const
{
    const Qt::CaseSensitivity sensitivity =
        m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    switch (mode) {
    case SearchEngine::ExactMatch:
        if (folds && query.foldable)
            return SearchText::contains(lower, query.folded);
        return text.contains(query.text, sensitivity);
    case SearchEngine::FuzzyMatch: {
        if (query.tokens.isEmpty())
            return false;
        qsizetype found = 0;
        for (qsizetype i = 0; i < query.tokens.size(); ++i) {
            if (folds && query.tokensFoldable)
                found += SearchText::contains(lower, query.foldedTokens.at(i));
            else
                found += text.contains(query.tokens.at(i), sensitivity);
        }
        return found >= (query.tokens.size() + 1) / 2;
    }
    case SearchEngine::SemanticMatch:
        return semanticMatch(text, query.text);
    default:
        return false;
    }
}

double MarkdownSearcher::relevance(qsizetype index, const Query& query) const
{
    const Prepared& prepared = m_prepared[std::size_t(index)];
    const QString& ql = query.lower;
    double score = 0.0;
    if (prepared.lowerTitle.contains(ql))
        score = prepared.lowerTitle == ql ? 300.0 : 100.0;
    for (const QString& token : query.tokens) {
        if (prepared.lowerTitle.contains(token))
            score += 50.0;
    }
    score += 10.0 * SearchText::countOverlapping(prepared.lowerContent, ql);
    for (const QString& token : query.tokens)
        score += 5.0 * SearchText::countOverlapping(prepared.lowerContent, token);
    if (prepared.lowerFileName.contains(ql))
        score += 30.0;
    if (prepared.lowerCategory.contains(ql))
        score += 20.0;
    for (qsizetype i = 0; i < prepared.lowerHeadings.size(); ++i) {
        if (prepared.lowerHeadings.at(i).contains(ql))
            score += prepared.headingWeights.at(i);
    }
    return score;
}

QString MarkdownSearcher::snippet(qsizetype index, const Query& query) const
{
    const Prepared& prepared = m_prepared[std::size_t(index)];
    const QStringList& lines = prepared.lowerStrippedLines;
    qsizetype best = -1;
    int bestScore = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& lower = lines.at(i);
        if (lower.isEmpty())
            continue;
        int score = SearchText::contains(lower, query.lower) ? 100 : 0;
        for (const QString& token : query.tokens) {
            if (SearchText::contains(lower, token))
                score += 10;
        }
        if (score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    if (best < 0) {
        for (qsizetype i = 0; i < prepared.strippedLengths.size(); ++i) {
            if (prepared.strippedLengths.at(i) > 20) {
                best = i;
                break;
            }
        }
    }
    if (best < 0)
        return QString();
    QString text = stripMarkdown(m_documents.at(index).content.split(QLatin1Char('\n')).at(best));
    if (text.size() > m_snippetLength)
        text = text.left(m_snippetLength - 3) + QStringLiteral("...");
    return text;
}

QStringList MarkdownSearcher::matchedLines(const QString& content, const Query& query,
                                           int mode) const
{
    QStringList matched;
    const QStringList lines = content.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size() && matched.size() < 10; ++i) {
        if (matchesPrepared(lines.at(i), QString(), false, query, mode))
            matched << QStringLiteral("Line %1: %2").arg(i + 1).arg(lines.at(i).trimmed());
    }
    return matched;
}
