#include "EntryTextCache.h"

#include "SearchText.h"

#include "data/DataManager.h"

#include <QJsonValue>

#include <algorithm>

namespace {

EntryTextCache::Entry prepared(const QJsonObject& object, const EntryTextCache::TextOf& textOf)
{
    EntryTextCache::Entry entry;
    entry.object = object;
    const QString text = textOf(entry.object);
    entry.lowerText = text.toLower();
    if (!SearchText::foldsAsLower(text, entry.lowerText))
        entry.text = text.isNull() ? QStringLiteral("") : text;
    entry.lowerName = entry.object.value(QLatin1String("name")).toString().toLower();
    entry.lowerCategory = entry.object.value(QLatin1String("category")).toString().toLower();
    entry.hasDescription = entry.object.contains(QLatin1String("description"));
    if (entry.hasDescription)
        entry.lowerZh = entry.object.value(QLatin1String("description"))
                            .toObject()
                            .value(QLatin1String("zh"))
                            .toString()
                            .toLower();
    return entry;
}

} // namespace

const std::vector<EntryTextCache::Entry>& EntryTextCache::entries(DataManager* manager,
                                                                  const QString& key,
                                                                  const QJsonArray& list,
                                                                  const TextOf& textOf)
{
    prepare(manager, key, list, textOf);
    return m_lists.find(key).value();
}

bool EntryTextCache::prepare(DataManager* manager, const QString& key, const QJsonArray& list,
                             const TextOf& textOf, const QElapsedTimer* clock, qint64 deadlineNs)
{
    dropIfStale(manager);
    if (m_lists.contains(key))
        return true;
    Partial& partial = m_partial[key];
    if (partial.next == 0)
        partial.entries.reserve(list.size());
    int done = 0;
    for (; partial.next < list.size(); ++partial.next) {
        // An entry takes microseconds: the clock is read every few.
        if (clock && ++done % 8 == 0 && clock->nsecsElapsed() > deadlineNs)
            return false;
        const QJsonValue value = list.at(partial.next);
        if (value.isObject())
            partial.entries.push_back(prepared(value.toObject(), textOf));
    }
    m_lists.insert(key, std::move(partial.entries));
    m_partial.remove(key);
    return true;
}

bool EntryTextCache::isReady(DataManager* manager, const QString& key) const
{
    return !isStale(manager) && m_lists.contains(key);
}

qsizetype EntryTextCache::unprepared(DataManager* manager, const QString& key,
                                     qsizetype listSize) const
{
    if (isReady(manager, key))
        return 0;
    const auto partial = isStale(manager) ? m_partial.cend() : m_partial.constFind(key);
    return std::max<qsizetype>(0, listSize - (partial == m_partial.cend() ? 0 : partial->next));
}

void EntryTextCache::dropIfStale(DataManager* manager)
{
    if (!isStale(manager))
        return;
    m_lists.clear();
    m_partial.clear();
    m_manager = manager;
    m_generation = manager->listGeneration();
}

void EntryTextCache::clear()
{
    m_lists.clear();
    m_partial.clear();
    m_manager = nullptr;
}

bool EntryTextCache::isStale(DataManager* manager) const
{
    // A manager created where a deleted one lived is another manager: the
    // guarded pointer went null with the old one.
    return !m_manager || m_manager.data() != manager || m_generation != manager->listGeneration();
}
