#include "SearchEngine.h"

#include "BoundedRegex.h"
#include "SearchText.h"

#include "data/DataManager.h"

#include <QDebug>
#include <QJsonValue>
#include <QRegularExpression>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const QRegularExpression& whitespaceRun()
{
    static const QRegularExpression expression(QStringLiteral("\\s+"));
    return expression;
}

// Without the Unicode-properties option \w and \s are ASCII only, so every
// non-ASCII character (CJK included) is dropped here.
const QRegularExpression& nonWordCharacter()
{
    static const QRegularExpression expression(QStringLiteral("[^\\w\\s]"));
    return expression;
}

void appendArrayStrings(QStringList& parts, const QJsonValue& value)
{
    const QJsonArray array = value.toArray();
    for (const QJsonValue& element : array)
        parts << element.toString();
}

using ScoredEntries = std::vector<std::pair<double, QJsonObject>>;

void sortByScore(ScoredEntries& scored)
{
    // Stable, so equal scores keep the order in which the candidates were gathered.
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
}

QJsonArray entriesOf(const ScoredEntries& scored)
{
    QJsonArray result;
    for (const auto& entry : scored)
        result.append(entry.second);
    return result;
}

QJsonArray sortedByScore(ScoredEntries& scored)
{
    sortByScore(scored);
    return entriesOf(scored);
}

bool inCategory(const QJsonObject& entry, const QString& category)
{
    const QString path = entry.value(QLatin1String("_filePath")).toString();
    return !path.isEmpty() &&
           SearchText::categoryOfPath(path).compare(category, Qt::CaseInsensitive) == 0;
}

QJsonArray objectsInCategory(const QJsonArray& entries, const QString& category)
{
    QJsonArray result;
    for (const QJsonValue& value : entries) {
        if (value.isObject() && (category.isEmpty() || inCategory(value.toObject(), category)))
            result.append(value);
    }
    return result;
}

} // namespace

SearchEngine::SearchEngine(QObject* parent)
    : QObject(parent), m_stopWords{
                           QStringLiteral("的"),   QStringLiteral("了"),   QStringLiteral("和"),
                           QStringLiteral("是"),   QStringLiteral("在"),   QStringLiteral("有"),
                           QStringLiteral("一个"), QStringLiteral("这个"), QStringLiteral("那个"),
                           QStringLiteral("with"), QStringLiteral("and"),  QStringLiteral("the"),
                           QStringLiteral("of"),   QStringLiteral("for"),  QStringLiteral("in"),
                           QStringLiteral("on"),   QStringLiteral("at"),   QStringLiteral("by")}
{
}

QJsonArray SearchEngine::search(const QString& query, DataManager* dataManager, int mode)
{
    if (query.isEmpty() || !dataManager)
        return {};

    emit searchStarted(query);
    QJsonArray results;
    switch (mode) {
    case ExactMatch:
        results = dataManager->searchInFiles(query);
        break;
    case FuzzyMatch:
        results = fuzzySearch(query, dataManager);
        break;
    case RegexMatch:
        results = regexSearch(query, dataManager);
        break;
    case SemanticMatch:
        results = semanticSearch(query, dataManager);
        break;
    default:
        break;
    }
    emit searchCompleted(results);
    return results;
}

QJsonArray SearchEngine::fuzzySearch(const QString& query, DataManager* dataManager)
{
    if (!dataManager)
        return {};
    ScoredEntries scored = fuzzyScored(query, dataManager);
    return sortedByScore(scored);
}

SearchEngine::ScoredEntries SearchEngine::fuzzyScored(const QString& query,
                                                      DataManager* dataManager)
{
    QJsonArray candidates;
    const auto gather = [&](const QJsonArray& list) {
        for (const QJsonValue& value : filterEntries(query, list, FuzzyMatch))
            candidates.append(value);
    };
    for (const char* category : {"cad", "cae", "cfd", "cam", "eda", "plm"})
        gather(dataManager->getSoftwareList(QLatin1String(category)));
    gather(dataManager->getCompaniesList());
    for (const char* type : {"kernels", "solvers", "mesh", "hpc"})
        gather(dataManager->getTechnologiesList(QLatin1String(type)));

    ScoredEntries scored;
    scored.reserve(candidates.size());
    for (const QJsonValue& value : std::as_const(candidates)) {
        const QJsonObject entry = value.toObject();
        scored.emplace_back(calculateScore(entry, query), entry);
    }
    return scored;
}

QJsonArray SearchEngine::regexSearch(const QString& query, DataManager* dataManager)
{
    if (!dataManager)
        return {};
    BoundedRegex expression(query, m_caseSensitive);
    if (!expression.isValid())
        return {};
    const ScoredEntries found =
        regexScored(expression, objectsInCategory(dataManager->getAllEntries(), {}), false);
    return expression.stopped() ? QJsonArray() : entriesOf(found);
}

SearchEngine::ScoredEntries SearchEngine::regexScored(BoundedRegex& expression,
                                                      const QJsonArray& entries, bool score)
{
    ScoredEntries found;
    expression.setTimeBudget(BoundedRegex::kDefaultTimeBudgetMs);
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        if (expression.matches(extractSearchableText(entry)))
            found.emplace_back(score ? regexScore(entry, expression) : 0.0, entry);
        if (expression.stopped()) {
            qWarning().noquote() << "SearchEngine::regexSearch - Stopped:"
                                 << expression.stopMessage();
            return {};
        }
    }
    return found;
}

QJsonArray SearchEngine::semanticSearch(const QString& query, DataManager* dataManager)
{
    if (!dataManager)
        return {};
    ScoredEntries scored = semanticScored(query, dataManager->getAllEntries());
    return sortedByScore(scored);
}

SearchEngine::ScoredEntries SearchEngine::semanticScored(const QString& query,
                                                         const QJsonArray& entries)
{
    const QStringList queryTokens = tokenize(query);
    ScoredEntries scored;
    for (const QJsonValue& value : entries) {
        if (!value.isObject())
            continue;
        const QJsonObject entry = value.toObject();
        const QStringList textTokens = tokenize(extractSearchableText(entry));
        int score = 0;
        for (const QString& queryToken : queryTokens) {
            for (const QString& textToken : textTokens) {
                if (textToken.contains(queryToken, Qt::CaseInsensitive) ||
                    queryToken.contains(textToken, Qt::CaseInsensitive))
                    ++score;
            }
        }
        if (score > 0)
            scored.emplace_back(score, entry);
    }
    return scored;
}

SearchEngine::RankedResults SearchEngine::rankedSearch(const QString& query,
                                                       DataManager* dataManager, int mode,
                                                       const QString& category)
{
    RankedResults ranked;
    if (query.isEmpty() || !dataManager)
        return ranked;

    ScoredEntries scored;
    switch (mode) {
    case ExactMatch:
        for (const QJsonValue& value :
             objectsInCategory(dataManager->searchInFiles(query), category)) {
            const QJsonObject entry = value.toObject();
            scored.emplace_back(calculateScore(entry, query), entry);
        }
        break;
    case FuzzyMatch:
        for (auto& candidate : fuzzyScored(query, dataManager)) {
            if (category.isEmpty() || inCategory(candidate.second, category))
                scored.push_back(std::move(candidate));
        }
        break;
    case RegexMatch: {
        BoundedRegex expression(query, m_caseSensitive);
        if (!expression.isValid()) {
            ranked.error = expression.errorMessage();
            return ranked;
        }
        scored = regexScored(expression, objectsInCategory(dataManager->getAllEntries(), category),
                             true);
        if (expression.stopped()) {
            ranked.error = expression.stopMessage();
            return ranked;
        }
        break;
    }
    case SemanticMatch:
        scored = semanticScored(query, objectsInCategory(dataManager->getAllEntries(), category));
        break;
    default:
        break;
    }

    sortByScore(scored);
    for (const auto& entry : scored) {
        ranked.entries.append(entry.second);
        ranked.scores.append(entry.first);
    }
    return ranked;
}

QJsonArray SearchEngine::filterEntries(const QString& query, const QJsonArray& entries, int mode)
{
    QJsonArray result;
    for (const QJsonValue& value : entries) {
        if (value.isObject() && matchesQuery(value.toObject(), query, mode))
            result.append(value);
    }
    return result;
}

bool SearchEngine::matchesQuery(const QJsonObject& entry, const QString& query, int mode)
{
    const QString text = extractSearchableText(entry);
    const Qt::CaseSensitivity sensitivity =
        m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    switch (mode) {
    case ExactMatch:
        return text.contains(query, sensitivity);
    case FuzzyMatch: {
        const QStringList words = query.split(whitespaceRun(), Qt::SkipEmptyParts);
        const auto found = std::count_if(words.cbegin(), words.cend(), [&](const QString& word) {
            return text.contains(word, sensitivity);
        });
        return found >= (words.size() + 1) / 2;
    }
    case RegexMatch: {
        BoundedRegex expression(query, m_caseSensitive);
        return expression.matches(text);
    }
    case SemanticMatch:
        return semanticMatch(text, query);
    default:
        return false;
    }
}

double SearchEngine::calculateScore(const QJsonObject& entry, const QString& query)
{
    const QString text = extractSearchableText(entry).toLower();
    const QString q = query.toLower();
    const QString name = entry.value(QLatin1String("name")).toString().toLower();

    int score = 0;
    if (name.contains(q))
        score = name == q ? 30 : 10;
    if (entry.value(QLatin1String("category")).toString().toLower().contains(q))
        score += 5;
    if (entry.contains(QLatin1String("description"))) {
        const QString zh = entry.value(QLatin1String("description"))
                               .toObject()
                               .value(QLatin1String("zh"))
                               .toString()
                               .toLower();
        if (zh.contains(q))
            score += 3;
    }
    const QStringList words = query.split(whitespaceRun(), Qt::SkipEmptyParts);
    for (const QString& word : words)
        score += SearchText::countOverlapping(text, word.toLower());
    return score;
}

double SearchEngine::regexScore(const QJsonObject& entry, BoundedRegex& expression)
{
    const QString name = entry.value(QLatin1String("name")).toString();
    int score = 0;
    // Empty matches say nothing about a field: "x*" would match every name.
    if (expression.matchesNonEmpty(name))
        score = expression.matchesWhole(name) ? 30 : 10;
    if (expression.matchesNonEmpty(entry.value(QLatin1String("category")).toString()))
        score += 5;
    if (entry.contains(QLatin1String("description")) &&
        expression.matchesNonEmpty(entry.value(QLatin1String("description"))
                                       .toObject()
                                       .value(QLatin1String("zh"))
                                       .toString()))
        score += 3;
    score += expression.countMatches(extractSearchableText(entry));
    return score;
}

QString SearchEngine::extractSearchableText(const QJsonObject& entry)
{
    QStringList parts;
    for (const char* key : {"name", "fullName", "category", "subCategory", "vendor"}) {
        const QString name = QLatin1String(key);
        if (entry.contains(name))
            parts << entry.value(name).toString();
    }

    const QJsonObject description = entry.value(QLatin1String("description")).toObject();
    for (const char* key : {"zh", "en"}) {
        if (description.contains(QLatin1String(key)))
            parts << description.value(QLatin1String(key)).toString();
    }

    const QJsonObject techSpecs = entry.value(QLatin1String("technicalSpecs")).toObject();
    appendArrayStrings(parts, techSpecs.value(QLatin1String("kernel")));
    appendArrayStrings(parts, techSpecs.value(QLatin1String("modelingTechniques")));
    appendArrayStrings(
        parts,
        techSpecs.value(QLatin1String("fileFormats")).toObject().value(QLatin1String("native")));

    // QJsonObject iterates its keys in ascending order.
    const QJsonObject features = entry.value(QLatin1String("features")).toObject();
    for (auto it = features.constBegin(); it != features.constEnd(); ++it) {
        if (it.value().isArray())
            appendArrayStrings(parts, it.value());
    }

    const QJsonArray applications = entry.value(QLatin1String("industryApplications")).toArray();
    for (const QJsonValue& value : applications) {
        if (!value.isObject())
            continue;
        const QJsonObject application = value.toObject();
        for (const char* key : {"industry", "usage"}) {
            if (application.contains(QLatin1String(key)))
                parts << application.value(QLatin1String(key)).toString();
        }
    }

    const QJsonObject analysis = entry.value(QLatin1String("competitiveAnalysis")).toObject();
    appendArrayStrings(parts, analysis.value(QLatin1String("strengths")));
    appendArrayStrings(parts, analysis.value(QLatin1String("weaknesses")));

    appendArrayStrings(
        parts, entry.value(QLatin1String("metadata")).toObject().value(QLatin1String("tags")));

    return parts.join(QLatin1Char(' '));
}

QStringList SearchEngine::tokenize(const QString& text)
{
    QString cleaned = text.toLower();
    cleaned.remove(nonWordCharacter());
    QStringList tokens;
    const QStringList words = cleaned.split(whitespaceRun(), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (word.size() > 2 && !m_stopWords.contains(word))
            tokens << word;
    }
    return tokens;
}

bool SearchEngine::semanticMatch(const QString& text, const QString& query)
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
