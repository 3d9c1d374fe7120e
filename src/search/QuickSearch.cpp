#include "QuickSearch.h"

#include "SearchEngine.h"

#include "data/DataManager.h"

namespace {

// A preparing step leaves the window most of each frame.
constexpr int kPrepareSliceMs = 8;
// How often a preparation waiting for the manager's reading looks again.
constexpr int kPrepareWaitMs = 100;

} // namespace

QuickSearch::QuickSearch(SearchEngine* engine, QObject* parent) : QObject(parent), m_engine(engine)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &QuickSearch::onStep);
    connect(&m_prepareTimer, &QTimer::timeout, this, &QuickSearch::onPrepareStep);
}

void QuickSearch::search(const QString& query, DataManager* dataManager)
{
    cancel();
    if (!m_engine)
        return;
    if (query.isEmpty() || !dataManager ||
        (m_engine->unpreparedEntries(dataManager) <= kAtOncePrepare &&
         m_engine->fuzzySearchCost(query, dataManager) <= kAtOnceCost)) {
        emit resultsReady(m_engine->search(query, dataManager, SearchEngine::FuzzyMatch));
        return;
    }
    m_engine->beginFuzzySearch(query, dataManager);
    m_searchManager = dataManager;
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
    // The lists of a manager still reading would be read at once: its reading goes
    // on in slices first.
    if (m_searchManager && !m_searchManager->continueWarmUp(kSliceMs))
        return;
    if (!m_engine->continueFuzzySearch(kSliceMs))
        return;
    m_timer.stop();
    emit resultsReady(m_engine->fuzzyResults());
}

void QuickSearch::prepareAhead(DataManager* dataManager)
{
    if (dataManager != m_prepareManager) {
        disconnect(m_prepareConnection);
        m_prepareManager = dataManager;
        if (dataManager)
            m_prepareConnection = connect(dataManager, &DataManager::dataChanged, this,
                                          [this] { m_prepareTimer.start(0); });
    }
    if (dataManager)
        m_prepareTimer.start(0);
    else
        m_prepareTimer.stop();
}

void QuickSearch::onPrepareStep()
{
    if (!m_engine || !m_prepareManager) {
        m_prepareTimer.stop();
        return;
    }
    // A query in slices prepares what it needs itself; reading entries goes first.
    if (isSearching() || m_prepareManager->isWarmingUp()) {
        m_prepareTimer.start(kPrepareWaitMs);
        return;
    }
    if (m_engine->prepareFuzzySearch(m_prepareManager, kPrepareSliceMs))
        m_prepareTimer.stop();
    else
        m_prepareTimer.setInterval(0);
}
