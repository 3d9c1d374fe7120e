#include "ApplicationIcon.h"

#include <QImage>
#include <QPixmap>
#include <QString>

QIcon ApplicationIcon::icon()
{
    static const QIcon icon = [] {
        QIcon built(QStringLiteral(":/resources/icons/app_icon.ico"));
        // Decoded once and scaled: registering the file at each size decodes it each time.
        const QImage vibrant(QStringLiteral(":/resources/icons/app_icon_vibrant.png"));
        if (vibrant.isNull())
            return built;
        for (int size : {256, 128, 64, 48, 32, 16}) {
            const QImage image =
                vibrant.size() == QSize(size, size)
                    ? vibrant
                    : vibrant.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            built.addPixmap(QPixmap::fromImage(image), QIcon::Normal, QIcon::Off);
        }
        return built;
    }();
    return icon;
}
