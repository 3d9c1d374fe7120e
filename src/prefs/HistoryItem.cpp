#include "HistoryItem.h"

QJsonObject HistoryItem::toJson() const
{
    QJsonObject object;
    object.insert(QStringLiteral("id"), id);
    object.insert(QStringLiteral("name"), name);
    object.insert(QStringLiteral("category"), category);
    object.insert(QStringLiteral("filePath"), filePath);
    object.insert(QStringLiteral("accessTime"), accessTime.toString(Qt::ISODate));
    object.insert(QStringLiteral("accessCount"), accessCount);
    object.insert(QStringLiteral("searchQuery"), searchQuery);
    return object;
}

HistoryItem HistoryItem::fromJson(const QJsonObject& object)
{
    HistoryItem item;
    item.id = object.value(QLatin1String("id")).toString();
    item.name = object.value(QLatin1String("name")).toString();
    item.category = object.value(QLatin1String("category")).toString();
    item.filePath = object.value(QLatin1String("filePath")).toString();
    item.accessTime =
        QDateTime::fromString(object.value(QLatin1String("accessTime")).toString(), Qt::ISODate);
    item.accessCount = object.value(QLatin1String("accessCount")).toInt(1);
    item.searchQuery = object.value(QLatin1String("searchQuery")).toString();
    return item;
}
