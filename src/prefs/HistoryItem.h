#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

// One entry of the browsing history.
struct HistoryItem
{
    QString id;
    QString name;
    QString category;
    QString filePath;
    QDateTime accessTime;
    qint32 accessCount = 0;
    QString searchQuery;

    QJsonObject toJson() const;
    static HistoryItem fromJson(const QJsonObject& object);
};
