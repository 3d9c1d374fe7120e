#include "PerUserFolder.h"

#include <QStandardPaths>

QString PerUserFolder::path()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
