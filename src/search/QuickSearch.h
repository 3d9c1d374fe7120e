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
    static constexpr int kSliceMs = 20;

    explicit QuickSearch(SearchEngine* engine, QObject* parent = nullptr);

    // Emits resultsReady with what SearchEngine::search in FuzzyMatch mode
    // returns: before returning, or later from the event loop.
    void search(const QString& query, DataManager* dataManager);
    void cancel();
    bool isSearching() const { return m_timer.isActive(); }

signals:
    void resultsReady(const QJsonArray& results);

private slots:
    void onStep();

private:
    QPointer<SearchEngine> m_engine;
    QTimer m_timer;
};
