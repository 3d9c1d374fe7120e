#pragma once

#include "search/MarkdownSearchResult.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class BoundedRegex;

// In-memory index of the Markdown documents below one directory, answering
// keyword queries with ranked results. Match modes are SearchEngine::MatchMode.
class MarkdownSearcher : public QObject
{
    Q_OBJECT

public:
    enum SearchScope
    {
        TitleOnly = 0,
        ContentOnly = 1,
        FullText = 2,
        HeadingsOnly = 3
    };
    Q_ENUM(SearchScope)

    explicit MarkdownSearcher(QObject* parent = nullptr);

    void setSearchPath(const QString& path);
    QString searchPath() const { return m_searchPath; }
    void buildIndex();
    bool isIndexReady() const { return m_indexReady; }
    void setCaseSensitive(bool caseSensitive) { m_caseSensitive = caseSensitive; }
    void setMaxResults(int maxResults) { m_maxResults = maxResults; }
    QStringList getCategories() const { return m_categories; }
    QList<MarkdownSearchResult> documents() const { return m_documents; }
    // Why the last search found nothing although it ran: an invalid or a stopped
    // regular expression. Empty otherwise.
    QString lastError() const { return m_lastError; }

    QList<MarkdownSearchResult> search(const QString& query, int scope, int mode);
    QList<MarkdownSearchResult> searchInCategory(const QString& query, const QString& category,
                                                 int scope, int mode);

    QString extractCategory(const QString& filePath) const;
    QString stripMarkdown(const QString& text) const;
    QStringList tokenize(const QString& text) const;
    QStringList extractHeadings(const QString& content) const;
    bool matchesText(const QString& text, const QString& query, int mode) const;
    bool semanticMatch(const QString& text, const QString& query) const;
    double calculateRelevance(const MarkdownSearchResult& document, const QString& query) const;
    QStringList findMatchedLines(const QString& content, const QString& query, int mode) const;
    QString generateSnippet(const QString& content, const QString& query, int maxLength) const;

signals:
    void searchStarted(const QString& query);
    void searchProgress(int progress);
    void searchCompleted(const QList<MarkdownSearchResult>& results);
    void indexBuildStarted();
    void indexBuildProgress(int progress);
    void indexBuildCompleted();
    // A build that cannot run because the directory is missing; without it a
    // listener that reacted to indexBuildStarted would wait forever.
    void indexBuildFailed(const QString& path);

private:
    // What every search needs of a document, worked out once when it is indexed.
    struct Prepared
    {
        QString lowerTitle;
        QString lowerContent;
        QString lowerFileName;
        QString lowerCategory;
        QString headingText; // the headings joined with " "
        QString lowerHeadingText;
        QStringList lowerHeadings;
        QList<double> headingWeights;
        // Each line of the content stripped of its Markdown and lower-cased, and
        // the length of the stripped line.
        QStringList lowerStrippedLines;
        QList<qsizetype> strippedLengths;
        // Lower-casing and case folding agree on the text of the scope, so a
        // case-insensitive test can run on its lower-cased form.
        bool titleFolds = false;
        bool contentFolds = false;
        bool headingsFolds = false;
    };
    // A query as every test of one search needs it.
    struct Query
    {
        QString text;
        QString lower;
        QString folded;
        bool foldable = false;
        QStringList tokens;
        QStringList foldedTokens;
        bool tokensFoldable = false;
    };

    void indexDirectory(const QString& dirPath);
    Prepared prepare(const MarkdownSearchResult& document) const;
    Query prepareQuery(const QString& query) const;
    bool matchesScope(qsizetype index, int scope, const Query& query, int mode) const;
    bool matchesPrepared(const QString& text, const QString& lower, bool folds, const Query& query,
                         int mode) const;
    double relevance(qsizetype index, const Query& query) const;
    QString snippet(qsizetype index, const Query& query) const;
    QStringList matchedLines(const QString& content, const Query& query, int mode) const;
    // With a prepared expression for the regular-expression mode, so that one
    // search shares one match limit and time budget.
    bool matchesText(const QString& text, const QString& query, int mode,
                     BoundedRegex* expression) const;
    QStringList findMatchedLines(const QString& content, const QString& query, int mode,
                                 BoundedRegex* expression) const;

    QString m_searchPath;
    bool m_indexReady = false;
    bool m_caseSensitive = false;
    int m_maxResults = 50;
    int m_snippetLength = 200;
    QList<MarkdownSearchResult> m_documents;
    std::vector<Prepared> m_prepared; // one per document, same order
    QStringList m_categories;
    QStringList m_stopWords;
    QString m_lastError;
};
