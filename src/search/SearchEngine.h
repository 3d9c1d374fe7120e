#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class BoundedRegex;
class DataManager;

// Keyword search over the knowledge-base entries. Keeps no index: every search
// asks the data manager for its (cached) lists and examines each entry afresh.
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

signals:
    void searchStarted(const QString& query);
    void searchCompleted(const QJsonArray& results);
    void searchProgress(int progress);

private:
    using ScoredEntries = std::vector<std::pair<double, QJsonObject>>;
    // Unsorted; the callers sort or filter first.
    ScoredEntries fuzzyScored(const QString& query, DataManager* dataManager);
    ScoredEntries semanticScored(const QString& query, const QJsonArray& entries);
    // Scan order; empty when the expression was stopped.
    ScoredEntries regexScored(BoundedRegex& expression, const QJsonArray& entries, bool score);

    bool m_caseSensitive = false;
    QStringList m_stopWords;
};
