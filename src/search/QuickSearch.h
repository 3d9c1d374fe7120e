#pragma once

#include <QJsonArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class DataManager;
class SearchEngine;

// The tool bar's fuzzy search as the user types: answered at once while that
// is quick, otherwise in slices between which the window keeps reacting (a long
// pasted text). A new query drops the one still being worked on.
class QuickSearch : public QObject
{
    Q_OBJECT

public:
    // Characters compared (searchable text times distinct query words) that are
    // still answered before the call returns.
    static constexpr qint64 kAtOnceCost = 40000000;
    // Entries whose texts a query still prepares before the call returns; with more
    // left (a large knowledge base not yet prepared) the query goes in slices.
    static constexpr qsizetype kAtOncePrepare = 1000;
    static constexpr int kSliceMs = 20;

    explicit QuickSearch(SearchEngine* engine, QObject* parent = nullptr);

    // Emits resultsReady with what SearchEngine::search in FuzzyMatch mode
    // returns: before returning, or later from the event loop.
    void search(const QString& query, DataManager* dataManager);
    void cancel();
    bool isSearching() const { return m_timer.isActive(); }
    // Prepares the engine's texts for dataManager a slice at a time from the event
    // loop, so that the first query finds them ready; again after every change the
    // manager reports. Waits while the manager is still reading its entries.
    void prepareAhead(DataManager* dataManager);
    bool isPreparing() const { return m_prepareTimer.isActive(); }

signals:
    void resultsReady(const QJsonArray& results);

private slots:
    void onStep();
    void onPrepareStep();

private:
    QPointer<SearchEngine> m_engine;
    QTimer m_timer;
    QPointer<DataManager> m_searchManager; // of the query in slices
    QTimer m_prepareTimer;
    QPointer<DataManager> m_prepareManager;
    QMetaObject::Connection m_prepareConnection;
};
