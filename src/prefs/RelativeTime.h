#pragma once

#include <QDateTime>
#include <QString>

// "刚刚", "5分钟前", ... as the favourites and history panels show times.
class RelativeTime
{
public:
    static QString format(const QDateTime& time,
                          const QDateTime& now = QDateTime::currentDateTime());
};
