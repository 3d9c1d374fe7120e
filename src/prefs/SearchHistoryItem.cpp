#include "SearchHistoryItem.h"

#include <QJsonArray>

QJsonObject SearchHistoryItem::toJson() const
{
    QJsonObject object;
    object.insert(QStringLiteral("query"), query);
    object.insert(QStringLiteral("searchTime"), searchTime.toString(Qt::ISODate));
    object.insert(QStringLiteral("resultCount"), resultCount);
    object.insert(QStringLiteral("category"), category);
    object.insert(QStringLiteral("filters"), QJsonArray::fromStringList(filters));
    return object;
}

SearchHistoryItem SearchHistoryItem::fromJson(const QJsonObject& object)
{
    SearchHistoryItem item;
    item.query = object.value(QLatin1String("query")).toString();
    item.searchTime =
        QDateTime::fromString(object.value(QLatin1String("searchTime")).toString(), Qt::ISODate);
    item.resultCount = object.value(QLatin1String("resultCount")).toInt(0);
    item.category = object.value(QLatin1String("category")).toString();
    const QJsonArray filters = object.value(QLatin1String("filters")).toArray();
    for (const QJsonValue& filter : filters)
        item.filters.append(filter.toString());
    return item;
}
