#include "EntryTextCache.h"

#include "SearchText.h"

#include "data/DataManager.h"

#include <QJsonValue>

const std::vector<EntryTextCache::Entry>& EntryTextCache::entries(DataManager* manager,
                                                                  const QString& key,
                                                                  const QJsonArray& list,
                                                                  const TextOf& textOf)
{
    if (isStale(manager)) {
        m_lists.clear();
        m_manager = manager;
        m_generation = manager->listGeneration();
    }
    const auto found = m_lists.constFind(key);
    if (found != m_lists.cend())
        return found.value();

    std::vector<Entry> prepared;
    prepared.reserve(list.size());
    for (const QJsonValue& value : list) {
        if (!value.isObject())
            continue;
        Entry entry;
        entry.object = value.toObject();
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
        prepared.push_back(std::move(entry));
    }
    return m_lists.insert(key, std::move(prepared)).value();
}

void EntryTextCache::clear()
{
    m_lists.clear();
    m_manager = nullptr;
}

bool EntryTextCache::isStale(DataManager* manager) const
{
    // A manager created where a deleted one lived is another manager: the
    // guarded pointer went null with the old one.
    return !m_manager || m_manager.data() != manager || m_generation != manager->listGeneration();
}
