#include "NavigationPath.h"

#include <QLatin1String>

namespace {

const QLatin1String kImageSuffixes[] = {
    QLatin1String(".png"), QLatin1String(".jpg"),  QLatin1String(".jpeg"), QLatin1String(".gif"),
    QLatin1String(".bmp"), QLatin1String(".tiff"), QLatin1String(".tif")};

const QLatin1String kSections[] = {QLatin1String("news"),        QLatin1String("software"),
                                   QLatin1String("companies"),   QLatin1String("technologies"),
                                   QLatin1String("disciplines"), QLatin1String("pictures")};

const QLatin1String kCategoryPrefixes[] = {
    QLatin1String("software/"), QLatin1String("technologies/"), QLatin1String("disciplines/")};

} // namespace

bool NavigationPath::isImagePath(const QString& path, Qt::CaseSensitivity sensitivity)
{
    for (const QLatin1String& suffix : kImageSuffixes) {
        if (path.endsWith(suffix, sensitivity))
            return true;
    }
    return false;
}

bool NavigationPath::isEntryPath(const QString& path)
{
    return path.endsWith(QLatin1String(".json")) || path.endsWith(QLatin1String(".md")) ||
           isImagePath(path);
}

bool NavigationPath::isCategoryPath(const QString& path)
{
    if (path.isEmpty() || isEntryPath(path))
        return false;
    for (const QLatin1String& section : kSections) {
        if (path == section)
            return true;
    }
    for (const QLatin1String& prefix : kCategoryPrefixes) {
        if (path.startsWith(prefix))
            return true;
    }
    return false;
}
