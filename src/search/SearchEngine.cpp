#include "SearchEngine.h"

#include "BoundedRegex.h"
#include "EntryTextCache.h"
#include "SearchText.h"

#include "data/DataManager.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QHash>
#include <QJsonValue>
#include <QPointer>
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

// The lists the fuzzy search gathers its candidates from, in this order.
struct CandidateList
{
    enum Kind
    {
        Software,
        Companies,
        Technologies
    } kind;
    const char* key;
};

const CandidateList kCandidateLists[] = {
    {CandidateList::Software, "cad"},         {CandidateList::Software, "cae"},
    {CandidateList::Software, "cfd"},         {CandidateList::Software, "cam"},
    {CandidateList::Software, "eda"},         {CandidateList::Software, "plm"},
    {CandidateList::Companies, ""},           {CandidateList::Technologies, "kernels"},
    {CandidateList::Technologies, "solvers"}, {CandidateList::Technologies, "mesh"},
    {CandidateList::Technologies, "hpc"},     {CandidateList::Technologies, "standards"}};
constexpr int kCandidateListCount = int(sizeof(kCandidateLists) / sizeof(kCandidateLists[0]));

// summaries: the same list cut to summaries, as long and at hand without reading an entry.
QJsonArray fetchList(DataManager* dataManager, const CandidateList& list, bool summaries = false)
{
    const QLatin1String key(list.key);
    switch (list.kind) {
    case CandidateList::Software:
        return summaries ? dataManager->getSoftwareSummaries(key)
                         : dataManager->getSoftwareList(key);
    case CandidateList::Companies:
        return summaries ? dataManager->getCompaniesSummaries() : dataManager->getCompaniesList();
    case CandidateList::Technologies:
        return summaries ? dataManager->getTechnologiesSummaries(key)
                         : dataManager->getTechnologiesList(key);
    }
    return {};
}

QString cacheKeyOf(const CandidateList& list)
{
    return QString::number(int(list.kind)) + QLatin1Char('/') + QLatin1String(list.key);
}

// One distinct word of a fuzzy query; a word that occurs n times counts n times.
struct FuzzyWord
{
    QString word;
    QString lower;
    QString folded;
    // Lower-casing and case folding agree on it, so counting its lower-case form
    // in a lower-cased text also tells whether the text contains it.
    bool foldsAsLower = false;
    bool surrogates = false;
    qsizetype occurrences = 0;
};

struct FuzzyQuery
{
    QString lowerQuery;
    std::vector<FuzzyWord> words;
    qsizetype wordCount = 0;
    qsizetype needed = 0;

    explicit FuzzyQuery(const QString& query = QString())
    {
        lowerQuery = query.toLower();
        const QStringList split = query.split(whitespaceRun(), Qt::SkipEmptyParts);
        wordCount = split.size();
        needed = (wordCount + 1) / 2;
        QHash<QString, std::size_t> seen;
        for (const QString& word : split) {
            const auto known = seen.constFind(word);
            if (known != seen.cend()) {
                ++words[known.value()].occurrences;
                continue;
            }
            seen.insert(word, words.size());
            FuzzyWord entry;
            entry.word = word;
            entry.lower = word.toLower();
            entry.folded = SearchText::foldCase(word);
            entry.foldsAsLower = SearchText::foldsAsLower(word, entry.lower);
            entry.surrogates = SearchText::hasSurrogates(word);
            entry.occurrences = 1;
            words.push_back(std::move(entry));
        }
    }
};

// matchesQuery in FuzzyMatch mode and calculateScore, on a prepared entry.
bool fuzzyMatchAndScore(const EntryTextCache::Entry& entry, const FuzzyQuery& query,
                        const EntryTextCache::TextOf& textOf, std::vector<int>& counts,
                        double* score)
{
    counts.assign(query.words.size(), -1);
    qsizetype found = 0;
    qsizetype remaining = query.wordCount;
    for (std::size_t i = 0; i < query.words.size() && found < query.needed; ++i) {
        const FuzzyWord& word = query.words[i];
        bool contained = false;
        if (!entry.foldsAsLower()) {
            contained = entry.text.contains(word.word, Qt::CaseInsensitive);
        } else if (word.foldsAsLower) {
            counts[i] = SearchText::countOverlapping(entry.lowerText, word.lower);
            contained = counts[i] > 0;
        } else if (!word.surrogates) {
            contained = SearchText::contains(entry.lowerText, word.folded);
        } else {
            contained = textOf(entry.object).contains(word.word, Qt::CaseInsensitive);
        }
        remaining -= word.occurrences;
        if (contained)
            found += word.occurrences;
        if (found + remaining < query.needed)
            return false;
    }
    if (found < query.needed)
        return false;

    int total = 0;
    if (entry.lowerName.contains(query.lowerQuery))
        total = entry.lowerName == query.lowerQuery ? 30 : 10;
    if (entry.lowerCategory.contains(query.lowerQuery))
        total += 5;
    if (entry.hasDescription && entry.lowerZh.contains(query.lowerQuery))
        total += 3;
    for (std::size_t i = 0; i < query.words.size(); ++i) {
        const int count = counts[i] >= 0
                              ? counts[i]
                              : SearchText::countOverlapping(entry.lowerText, query.words[i].lower);
        total += count * int(query.words[i].occurrences);
    }
    *score = total;
    return true;
}

} // namespace

struct SearchEngine::FuzzyRun
{
    QString query;
    QPointer<DataManager> dataManager;
    quint64 generation = 0;
    FuzzyQuery prepared;
    int list = 0;
    std::size_t next = 0;
    ScoredEntries scored;
    std::vector<int> counts;

    FuzzyRun(const QString& text, DataManager* manager)
        : query(text), dataManager(manager), generation(manager->listGeneration()), prepared(text)
    {
    }
    void restart()
    {
        generation = dataManager->listGeneration();
        list = 0;
        next = 0;
        scored.clear();
    }
};

SearchEngine::SearchEngine(QObject* parent)
    : QObject(parent), m_stopWords{QStringLiteral("的"),   QStringLiteral("了"),
                                   QStringLiteral("和"),   QStringLiteral("是"),
                                   QStringLiteral("在"),   QStringLiteral("有"),
                                   QStringLiteral("一个"), QStringLiteral("这个"),
                                   QStringLiteral("那个"), QStringLiteral("with"),
                                   QStringLiteral("and"),  QStringLiteral("the"),
                                   QStringLiteral("of"),   QStringLiteral("for"),
                                   QStringLiteral("in"),   QStringLiteral("on"),
                                   QStringLiteral("at"),   QStringLiteral("by")},
      m_textCache(std::make_unique<EntryTextCache>())
{
}

SearchEngine::~SearchEngine() = default;

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
    if (m_caseSensitive) {
        // The prepared texts are lower-cased; a case-sensitive search takes the long way.
        ScoredEntries scored;
        for (const CandidateList& list : kCandidateLists) {
            for (const QJsonValue& value :
                 filterEntries(query, fetchList(dataManager, list), FuzzyMatch)) {
                const QJsonObject entry = value.toObject();
                scored.emplace_back(calculateScore(entry, query), entry);
            }
        }
        return scored;
    }
    watchLists(dataManager);
    FuzzyRun run(query, dataManager);
    advance(run, nullptr, 0);
    return std::move(run.scored);
}

std::function<QString(const QJsonObject&)> SearchEngine::searchableTextOf()
{
    return [this](const QJsonObject& entry) { return extractSearchableText(entry); };
}

bool SearchEngine::advance(FuzzyRun& run, const QElapsedTimer* clock, qint64 deadlineNs)
{
    const EntryTextCache::TextOf textOf = searchableTextOf();
    DataManager* dataManager = run.dataManager;
    int processed = 0;
    for (; run.list < kCandidateListCount; ++run.list, run.next = 0) {
        const CandidateList& list = kCandidateLists[run.list];
        const QString key = cacheKeyOf(list);
        const QJsonArray entryList = fetchList(dataManager, list);
        if (!m_textCache->prepare(dataManager, key, entryList, textOf, clock, deadlineNs))
            return false;
        const std::vector<EntryTextCache::Entry>& entries =
            m_textCache->entries(dataManager, key, entryList, textOf);
        for (; run.next < entries.size(); ++run.next) {
            if (clock && ++processed % 16 == 0 && clock->nsecsElapsed() > deadlineNs)
                return false;
            const EntryTextCache::Entry& entry = entries[run.next];
            double score = 0;
            if (fuzzyMatchAndScore(entry, run.prepared, textOf, run.counts, &score))
                run.scored.emplace_back(score, entry.object);
        }
    }
    return true;
}

void SearchEngine::beginFuzzySearch(const QString& query, DataManager* dataManager)
{
    cancelFuzzySearch();
    if (query.isEmpty() || !dataManager)
        return;
    emit searchStarted(query);
    watchLists(dataManager);
    m_run = std::make_unique<FuzzyRun>(query, dataManager);
}

void SearchEngine::watchLists(DataManager* dataManager)
{
    if (m_watchedManager == dataManager)
        return;
    disconnect(m_watchConnection);
    m_watchedManager = dataManager;
    m_watchConnection =
        connect(dataManager, &DataManager::dataChanged, this, [this] { m_textCache->clear(); });
}

bool SearchEngine::continueFuzzySearch(int budgetMs)
{
    if (!m_run)
        return true;
    if (!m_run->dataManager) {
        // The manager went away: nothing is left to search.
        m_run.reset();
        m_fuzzyResults = QJsonArray();
        emit searchCompleted(m_fuzzyResults);
        return true;
    }
    // Results must come from one state of the lists: a change in between starts over.
    if (m_run->generation != m_run->dataManager->listGeneration())
        m_run->restart();
    QElapsedTimer clock;
    clock.start();
    if (!advance(*m_run, &clock, qint64(budgetMs) * 1000000))
        return false;
    m_fuzzyResults = sortedByScore(m_run->scored);
    m_run.reset();
    emit searchCompleted(m_fuzzyResults);
    return true;
}

bool SearchEngine::isFuzzySearchRunning() const
{
    return m_run != nullptr;
}

void SearchEngine::cancelFuzzySearch()
{
    m_run.reset();
    m_fuzzyResults = QJsonArray();
}

qint64 SearchEngine::fuzzySearchCost(const QString& query, DataManager* dataManager)
{
    if (!dataManager)
        return 0;
    const EntryTextCache::TextOf textOf = searchableTextOf();
    qint64 characters = 0;
    for (const CandidateList& list : kCandidateLists) {
        for (const EntryTextCache::Entry& entry : m_textCache->entries(
                 dataManager, cacheKeyOf(list), fetchList(dataManager, list), textOf))
            characters += entry.lowerText.size();
    }
    const FuzzyQuery prepared(query);
    return characters * qint64(std::max<std::size_t>(1, prepared.words.size()));
}

bool SearchEngine::prepareFuzzySearch(DataManager* dataManager, int budgetMs)
{
    if (!dataManager)
        return true;
    watchLists(dataManager);
    const EntryTextCache::TextOf textOf = searchableTextOf();
    QElapsedTimer clock;
    clock.start();
    for (const CandidateList& list : kCandidateLists) {
        if (!m_textCache->prepare(dataManager, cacheKeyOf(list), fetchList(dataManager, list),
                                  textOf, &clock, qint64(budgetMs) * 1000000))
            return false;
    }
    return true;
}

qsizetype SearchEngine::unpreparedEntries(DataManager* dataManager)
{
    if (!dataManager)
        return 0;
    qsizetype count = 0;
    for (const CandidateList& list : kCandidateLists) {
        const QString key = cacheKeyOf(list);
        if (!m_textCache->isReady(dataManager, key))
            count += m_textCache->unprepared(dataManager, key,
                                             fetchList(dataManager, list, true).size());
    }
    return count;
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
    if (mode == RegexMatch) {
        // One compiled expression and one budget for the whole list: a runaway
        // expression must not run to its limit once per entry.
        BoundedRegex expression(query, m_caseSensitive);
        expression.setTimeBudget(BoundedRegex::kDefaultTimeBudgetMs);
        for (const QJsonValue& value : entries) {
            if (value.isObject() && expression.matches(extractSearchableText(value.toObject())))
                result.append(value);
            if (expression.stopped()) {
                qWarning().noquote()
                    << "SearchEngine::filterEntries - Stopped:" << expression.stopMessage();
                return {};
            }
        }
        return result;
    }
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
