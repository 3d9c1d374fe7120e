#include "FavoriteItem.h"

QJsonObject FavoriteItem::toJson() const
{
    QJsonObject object;
    object.insert(QStringLiteral("id"), id);
    object.insert(QStringLiteral("name"), name);
    object.insert(QStringLiteral("category"), category);
    object.insert(QStringLiteral("filePath"), filePath);
    object.insert(QStringLiteral("addTime"), addTime.toString(Qt::ISODate));
    object.insert(QStringLiteral("description"), description);
    object.insert(QStringLiteral("thumbnail"), thumbnail);
    return object;
}

FavoriteItem FavoriteItem::fromJson(const QJsonObject& object)
{
    FavoriteItem item;
    item.id = object.value(QLatin1String("id")).toString();
    item.name = object.value(QLatin1String("name")).toString();
    item.category = object.value(QLatin1String("category")).toString();
    item.filePath = object.value(QLatin1String("filePath")).toString();
    item.addTime =
        QDateTime::fromString(object.value(QLatin1String("addTime")).toString(), Qt::ISODate);
    item.description = object.value(QLatin1String("description")).toString();
    item.thumbnail = object.value(QLatin1String("thumbnail")).toString();
    return item;
}
