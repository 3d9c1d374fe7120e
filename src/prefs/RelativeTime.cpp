#include "RelativeTime.h"

#include <QCoreApplication>

QString RelativeTime::format(const QDateTime& time, const QDateTime& now)
{
    const qint64 seconds = time.secsTo(now);
    if (seconds < 60)
        return QCoreApplication::translate("RelativeTime", "刚刚");
    if (seconds < 3600)
        return QCoreApplication::translate("RelativeTime", "%1分钟前").arg(seconds / 60);
    if (seconds < 86400)
        return QCoreApplication::translate("RelativeTime", "%1小时前").arg(seconds / 3600);
    if (seconds < 604800)
        return QCoreApplication::translate("RelativeTime", "%1天前").arg(seconds / 86400);
    return time.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
}
