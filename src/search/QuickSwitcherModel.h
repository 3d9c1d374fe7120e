#pragma once

#include <QAbstractListModel>
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QTimer>

class DataManager;
class SearchEngine;

// Everything the quick switcher can open, ranked for what the user typed: every
// software entry of every category (BIM, MBSE and ERP included), companies,
// technologies, discipline entries, pictures, articles and the category pages.
// Names are ranked first (exact, prefix, word prefix, part of the name, of the full
// name or id), then the search engine's full-text hits, then the remaining items
// whose searchable text holds the query. The name matches are there at once; the
// engine's hits join from the event loop, so typing never waits for a full-text search.
class QuickSwitcherModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        PathRole = Qt::UserRole + 1,
        KindRole,
        TierRole
    };

    struct Item
    {
        QString name;
        QString alternative; // full name or id, or a category key
        QString kind; // shown beside the name: "BIM 软件", "公司", "文章 · 流体力学"
        QString path; // what the window opens
        QString lowerName;
        QString lowerAlternative;
        QString lowerText; // the searchable text, for items the search engine does not see
    };

    static constexpr int MaximumResults = 50;

    explicit QuickSwitcherModel(QObject* parent = nullptr);

    // Gathers the items afresh (after a data change or another data directory).
    void rebuild(DataManager* dataManager, SearchEngine* searchEngine, const QString& dataPath);
    bool isBuilt() const { return m_built; }
    // The next rebuild is needed: the knowledge base changed.
    void invalidate() { m_built = false; }
    void setQuery(const QString& query);
    QString query() const { return m_query; }
    // Adds the search engine's hits for the query now instead of from the event loop.
    void completeFullText();
    bool isFullTextPending() const { return m_fullTextPending; }

    QList<Item> items() const { return m_items; }
    Item result(int row) const;
    QString pathAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // 0 exact name (or full name or id), 1 name prefix, 2 word prefix, 3 part of the name, 4 part
    // of the full name or id; -1 when the name does not match at all.
    static int nameTier(const Item& item, const QString& lowerQuery);

private:
    void add(Item item);
    void rank();

    QPointer<DataManager> m_dataManager;
    QPointer<SearchEngine> m_searchEngine;
    QList<Item> m_items;
    QHash<QString, int> m_indexByPath;
    QString m_query;
    // Rows of m_items shown, with their tiers.
    QList<QPair<int, int>> m_results;
    // Rows of m_items the search engine found for the query, in its order.
    QList<int> m_engineHits;
    QTimer m_fullTextTimer;
    bool m_fullTextPending = false;
    bool m_built = false;
};
