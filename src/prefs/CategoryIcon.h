#pragma once

#include <QIcon>
#include <QString>

// The icon the favourites and history panels show for an entry's category.
class CategoryIcon
{
public:
    static QString path(const QString& category);
    // The icon behind path(), or a null icon when the program has no such image.
    static QIcon icon(const QString& category);
};
