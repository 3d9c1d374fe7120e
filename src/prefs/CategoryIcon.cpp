#include "CategoryIcon.h"

#include <QFile>

QString CategoryIcon::path(const QString& category)
{
    static const QStringList known = {QStringLiteral("cad"), QStringLiteral("cae"),
                                      QStringLiteral("cfd"), QStringLiteral("cam"),
                                      QStringLiteral("eda")};
    if (known.contains(category))
        return QStringLiteral(":/icons/%1.png").arg(category);
    return QStringLiteral(":/icons/default.png");
}

QIcon CategoryIcon::icon(const QString& category)
{
    const QString file = path(category);
    return QFile::exists(file) ? QIcon(file) : QIcon();
}
