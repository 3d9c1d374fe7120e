#include "QuickSearch.h"

#include "SearchEngine.h"

QuickSearch::QuickSearch(SearchEngine* engine, QObject* parent) : QObject(parent), m_engine(engine)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &QuickSearch::onStep);
}

void QuickSearch::search(const QString& query, DataManager* dataManager)
{
    cancel();
    if (!m_engine)
        return;
    if (query.isEmpty() || !dataManager ||
        m_engine->fuzzySearchCost(query, dataManager) <= kAtOnceCost) {
        emit resultsReady(m_engine->search(query, dataManager, SearchEngine::FuzzyMatch));
        return;
    }
    m_engine->beginFuzzySearch(query, dataManager);
    m_timer.start();
}

void QuickSearch::cancel()
{
    m_timer.stop();
    if (m_engine)
        m_engine->cancelFuzzySearch();
}

void QuickSearch::onStep()
{
    if (!m_engine) {
        m_timer.stop();
        return;
    }
    if (!m_engine->continueFuzzySearch(kSliceMs))
        return;
    m_timer.stop();
    emit resultsReady(m_engine->fuzzyResults());
}
