#include "CorruptFileKeeper.h"

#include <QFile>
#include <QFileInfo>

QString CorruptFileKeeper::keepAside(const QString& path, QString* error, const QDateTime& now)
{
    const QString base =
        path + QStringLiteral(".corrupt-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = base;
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = base + QLatin1Char('-') + QString::number(n);

    QFile file(path);
    if (!file.rename(target)) {
        if (error)
            *error = file.errorString();
        return QString();
    }
    return target;
}
