#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>

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

    explicit SearchEngine(QObject* parent = nullptr);

    QJsonArray search(const QString& query, DataManager* dataManager, int mode);
    QJsonArray fuzzySearch(const QString& query, DataManager* dataManager);
    QJsonArray regexSearch(const QString& query, DataManager* dataManager);
    QJsonArray semanticSearch(const QString& query, DataManager* dataManager);

    QJsonArray filterEntries(const QString& query, const QJsonArray& entries, int mode);
    bool matchesQuery(const QJsonObject& entry, const QString& query, int mode);
    double calculateScore(const QJsonObject& entry, const QString& query);
    QString extractSearchableText(const QJsonObject& entry);
    QStringList tokenize(const QString& text);
    bool semanticMatch(const QString& text, const QString& query);

signals:
    void searchStarted(const QString& query);
    void searchCompleted(const QJsonArray& results);
    void searchProgress(int progress);

private:
    bool m_caseSensitive = false;
    QStringList m_stopWords;
};
