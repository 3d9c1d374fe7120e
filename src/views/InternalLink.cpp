#include "InternalLink.h"

#include <QStringList>

namespace {

const char kOpenAction[] = "open";
const char kPathItem[] = "path=";

} // namespace

QString InternalLink::scheme()
{
    return QStringLiteral("quorvanta");
}

QString InternalLink::href(const QString& path)
{
    // Everything but the unreserved characters is encoded, '/' and '&' included,
    // so the query holds exactly one item whatever the path contains.
    return scheme() + QLatin1Char(':') + QLatin1String(kOpenAction) + QLatin1Char('?') +
           QLatin1String(kPathItem) + QString::fromLatin1(QUrl::toPercentEncoding(path));
}

QUrl InternalLink::build(const QString& path)
{
    return QUrl(href(path), QUrl::StrictMode);
}

bool InternalLink::isInternal(const QUrl& url)
{
    return url.scheme().compare(scheme(), Qt::CaseInsensitive) == 0;
}

QString InternalLink::path(const QUrl& url)
{
    if (!isInternal(url) || url.path() != QLatin1String(kOpenAction))
        return {};
    const QString query = url.query(QUrl::FullyEncoded);
    for (const QString& item : query.split(QLatin1Char('&'))) {
        if (item.startsWith(QLatin1String(kPathItem)))
            return QUrl::fromPercentEncoding(item.mid(int(qstrlen(kPathItem))).toLatin1());
    }
    return {};
}
