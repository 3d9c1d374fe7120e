#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class BoundedRegex;
class DataManager;
class EntryTextCache;
class QElapsedTimer;

// Keyword search over the knowledge-base entries. Every search asks the data
// manager for its (cached) lists; the fuzzy search keeps each entry's
// lower-cased searchable text until the manager drops those lists.
class SearchEngine : public QObject
{
    Q_OBJECT

public:
    // Shared with the Markdown searcher and the search dialog as plain integers.
    enum MatchMode
    {
        ExactMatch = 0,
        FuzzyMatch = 1,
        RegexMatch = 2,
        SemanticMatch = 3
    };
    Q_ENUM(MatchMode)

    // One search of the advanced search dialog: the entries most relevant first,
    // each with its score, or the reason the search was refused or stopped.
    struct RankedResults
    {
        QJsonArray entries;
        QList<double> scores;
        QString error;
    };

    explicit SearchEngine(QObject* parent = nullptr);
    ~SearchEngine() override;

    QJsonArray search(const QString& query, DataManager* dataManager, int mode);
    QJsonArray fuzzySearch(const QString& query, DataManager* dataManager);
    QJsonArray regexSearch(const QString& query, DataManager* dataManager);
    QJsonArray semanticSearch(const QString& query, DataManager* dataManager);
    // Any mode, ranked by that mode's score (fuzzy and exact: calculateScore;
    // regular expression: regexScore; semantic: matching token pairs). A
    // non-empty category keeps the entries filed below that data folder.
    RankedResults rankedSearch(const QString& query, DataManager* dataManager, int mode,
                               const QString& category = QString());

    QJsonArray filterEntries(const QString& query, const QJsonArray& entries, int mode);
    bool matchesQuery(const QJsonObject& entry, const QString& query, int mode);
    double calculateScore(const QJsonObject& entry, const QString& query);
    // calculateScore with the expression in place of the literal query: 30 when it
    // matches the whole name, 10 when it matches in it, 5 for the category, 3 for
    // the Chinese description, plus its matches in the searchable text; empty
    // matches count nowhere.
    double regexScore(const QJsonObject& entry, BoundedRegex& expression);
    QString extractSearchableText(const QJsonObject& entry);
    QStringList tokenize(const QString& text);
    bool semanticMatch(const QString& text, const QString& query);

    // search() in FuzzyMatch mode in slices, for a query that takes longer than a
    // keystroke: beginFuzzySearch emits searchStarted; each continueFuzzySearch
    // works for about budgetMs and returns true once done, having emitted
    // searchCompleted; fuzzyResults() then holds what search() would have returned.
    // A change of the manager's lists in between starts the work again.
    void beginFuzzySearch(const QString& query, DataManager* dataManager);
    bool continueFuzzySearch(int budgetMs);
    bool isFuzzySearchRunning() const;
    void cancelFuzzySearch();
    QJsonArray fuzzyResults() const { return m_fuzzyResults; }
    // About how many characters a fuzzy search for query compares.
    qint64 fuzzySearchCost(const QString& query, DataManager* dataManager);
    // The fuzzy search's prepared texts, made ahead of the first query: works for
    // about budgetMs and returns true once every list is ready.
    bool prepareFuzzySearch(DataManager* dataManager, int budgetMs);
    // Entries whose texts a fuzzy search would have to prepare before comparing;
    // counted from the summaries, so that asking reads no entry.
    qsizetype unpreparedEntries(DataManager* dataManager);

signals:
    void searchStarted(const QString& query);
    void searchCompleted(const QJsonArray& results);
    void searchProgress(int progress);

private:
    using ScoredEntries = std::vector<std::pair<double, QJsonObject>>;
    struct FuzzyRun;
    // Unsorted; the callers sort or filter first.
    ScoredEntries fuzzyScored(const QString& query, DataManager* dataManager);
    // Works through the candidate lists from where run stopped; with a clock,
    // stops once it passes deadlineNs. True when every list is done.
    bool advance(FuzzyRun& run, const QElapsedTimer* clock, qint64 deadlineNs);
    // What the prepared texts are made of: extractSearchableText.
    std::function<QString(const QJsonObject&)> searchableTextOf();
    // Frees the prepared texts as soon as the manager reports a change.
    void watchLists(DataManager* dataManager);
    ScoredEntries semanticScored(const QString& query, const QJsonArray& entries);
    // Scan order; empty when the expression was stopped.
    ScoredEntries regexScored(BoundedRegex& expression, const QJsonArray& entries, bool score);

    bool m_caseSensitive = false;
    QStringList m_stopWords;
    std::unique_ptr<EntryTextCache> m_textCache;
    std::unique_ptr<FuzzyRun> m_run;
    QJsonArray m_fuzzyResults;
    QPointer<DataManager> m_watchedManager;
    QMetaObject::Connection m_watchConnection;
};
