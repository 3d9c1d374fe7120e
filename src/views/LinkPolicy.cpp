#include "LinkPolicy.h"

#include "InternalLink.h"

bool LinkPolicy::isExternalAllowed(const QUrl& url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

LinkPolicy::Action LinkPolicy::classify(const QUrl& url)
{
    if (InternalLink::isInternal(url))
        return InternalLink::path(url).isEmpty() ? Action::Refuse : Action::OpenEntry;
    if (isExternalAllowed(url))
        return Action::OpenExternal;
    if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment())
        return Action::ScrollTo;
    return Action::Refuse;
}

QString LinkPolicy::refusedMessage(const QUrl& url)
{
    // Shown without the address's query, which may be long or hold anything.
    return tr("已拒绝打开链接（不支持的地址类型）: %1")
        .arg(url.toDisplayString(QUrl::RemoveQuery | QUrl::RemoveFragment).left(200));
}
