#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

// One favourite of the user.
struct FavoriteItem
{
    QString id;
    QString name;
    QString category;
    QString filePath;
    QDateTime addTime;
    QString description;
    QString thumbnail;

    QJsonObject toJson() const;
    static FavoriteItem fromJson(const QJsonObject& object);
};
