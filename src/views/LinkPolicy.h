#pragma once

#include <QCoreApplication>
#include <QString>
#include <QUrl>

// Which links a page may follow. Page content comes from data files, so only
// web and mail addresses leave the program, and only internal links move
// inside it; everything else (file:, javascript:, custom handlers) is refused.
class LinkPolicy
{
    Q_DECLARE_TR_FUNCTIONS(LinkPolicy)

public:
    enum class Action
    {
        OpenEntry,    // an internal link to a page of the knowledge base
        OpenExternal, // http, https or mailto: handed to the desktop
        ScrollTo,     // "#anchor" within the page
        Refuse
    };

    static Action classify(const QUrl& url);
    // True for the addresses a page may show as an outgoing link.
    static bool isExternalAllowed(const QUrl& url);
    // The status text shown when a link is refused.
    static QString refusedMessage(const QUrl& url);
};
