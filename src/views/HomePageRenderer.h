#pragma once

#include "data/ArticleCatalog.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class DataManager;
class UserPreferences;

// The start page of the content view: what the knowledge base holds, by kind and
// category, each linked to its page; the entries opened last; the favourites; the
// articles. Every text from the data and the preferences is escaped.
class HomePageRenderer
{
    Q_DECLARE_TR_FUNCTIONS(HomePageRenderer)

public:
    static constexpr int RecentLimit = 10;

    static QString title();
    static QString render(DataManager* dataManager, const UserPreferences* preferences,
                          const QList<Article>& articles);

    static QString renderOverview(DataManager* dataManager, int articleCount);
    static QString renderRecent(const UserPreferences* preferences);
    static QString renderFavorites(const UserPreferences* preferences);
    static QString renderArticles(DataManager* dataManager, const QList<Article>& articles);

    // "<a href='quorvanta:open?path=...'>text</a>", both escaped.
    static QString link(const QString& path, const QString& text);
};
