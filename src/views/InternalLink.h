#pragma once

#include <QString>
#include <QUrl>

// Links the program builds between its own pages: "quorvanta:open?path=<path>",
// the path percent-encoded so that any file name survives the round trip.
class InternalLink
{
public:
    static QString scheme();
    static QUrl build(const QString& path);
    // The same link as text, ready for an href attribute (needs no further escaping).
    static QString href(const QString& path);
    static bool isInternal(const QUrl& url);
    // The path an internal link opens; empty for any other URL.
    static QString path(const QUrl& url);
};
