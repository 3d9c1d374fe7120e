#include "RelativeTime.h"

#include <QCoreApplication>

QString RelativeTime::format(const QDateTime& time, const QDateTime& now)
{
    const qint64 seconds = time.secsTo(now);
    // Whole units as named values: lupdate reads no arithmetic in a translate() call.
    const int minutes = int(seconds / 60);
    const int hours = int(seconds / 3600);
    const int days = int(seconds / 86400);
    if (seconds < 60)
        return QCoreApplication::translate("RelativeTime", "刚刚");
    if (seconds < 3600)
        return QCoreApplication::translate("RelativeTime", "%n分钟前", nullptr, minutes);
    if (seconds < 86400)
        return QCoreApplication::translate("RelativeTime", "%n小时前", nullptr, hours);
    if (seconds < 604800)
        return QCoreApplication::translate("RelativeTime", "%n天前", nullptr, days);
    return time.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
}
