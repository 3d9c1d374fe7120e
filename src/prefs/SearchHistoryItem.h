#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// One former search of the user.
struct SearchHistoryItem
{
    QString query;
    QDateTime searchTime;
    qint32 resultCount = 0;
    QString category;
    QStringList filters;

    QJsonObject toJson() const;
    static SearchHistoryItem fromJson(const QJsonObject& object);
};
