#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

// One note or highlight attached to a knowledge-base entry.
struct Note
{
    QString id;
    QString contentId;
    QString title;
    QString content;
    QString position;
    QString highlightText;
    QString highlightColor;
    QString category;
    QDateTime createTime;
    QDateTime modifyTime;
    qint32 startPos = 0;
    qint32 endPos = 0;

    QJsonObject toJson() const;
    static Note fromJson(const QJsonObject& object);
};
