#pragma once

#include <QString>

// What a path held by the navigation tree, a favourite or a history entry
// names: an entry file, an image, or a category page ("software/cad",
// "technologies/kernels", "companies", ...).
class NavigationPath
{
public:
    // Ends with one of the picture extensions.
    static bool isImagePath(const QString& path,
                            Qt::CaseSensitivity sensitivity = Qt::CaseSensitive);
    // An entry file, an article or an image: loaded as an entry, not as a category page.
    static bool isEntryPath(const QString& path);
    // A section or category node of the tree; never an entry path.
    static bool isCategoryPath(const QString& path);
};
