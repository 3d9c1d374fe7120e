#pragma once

#include <QString>
#include <QUrl>

// Links inside rendered pages that open a page of the program instead of a web
// address: "quorvanta:open?path=<percent-encoded path>", where the path is what
// the window opens (an entry file, an image, a category path such as
// "software/bim", an article, or "home" for the home page).
class InternalLink
{
public:
    static QString scheme() { return QStringLiteral("quorvanta"); }
    static QString homePath() { return QStringLiteral("home"); }

    static QUrl build(const QString& path);
    // The link as it goes into an href attribute.
    static QString href(const QString& path);
    static bool isInternal(const QUrl& url);
    // The path a link opens; empty for any other address or a link without a path.
    static QString path(const QUrl& url);
};
