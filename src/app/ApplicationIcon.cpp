#include "ApplicationIcon.h"

#include <QString>

QIcon ApplicationIcon::icon()
{
    static const QIcon icon = [] {
        QIcon built(QStringLiteral(":/resources/icons/app_icon.ico"));
        const QString vibrant = QStringLiteral(":/resources/icons/app_icon_vibrant.png");
        for (int size : {256, 128, 64, 48, 32, 16})
            built.addFile(vibrant, QSize(size, size), QIcon::Normal, QIcon::Off);
        return built;
    }();
    return icon;
}
