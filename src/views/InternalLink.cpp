#include "InternalLink.h"

namespace {

const QString kOpenPrefix = QStringLiteral("path=");

} // namespace

QUrl InternalLink::build(const QString& path)
{
    return QUrl(href(path), QUrl::StrictMode);
}

QString InternalLink::href(const QString& path)
{
    // Everything but the unreserved characters is encoded, so no path can end the
    // query early or reach the fragment.
    return scheme() + QStringLiteral(":open?") + kOpenPrefix +
           QString::fromLatin1(QUrl::toPercentEncoding(path));
}

bool InternalLink::isInternal(const QUrl& url)
{
    return url.scheme().compare(scheme(), Qt::CaseInsensitive) == 0;
}

QString InternalLink::path(const QUrl& url)
{
    if (!isInternal(url) || url.path() != QLatin1String("open"))
        return {};
    const QString query = url.query(QUrl::FullyEncoded);
    if (!query.startsWith(kOpenPrefix))
        return {};
    return QUrl::fromPercentEncoding(query.mid(kOpenPrefix.size()).toLatin1());
}
