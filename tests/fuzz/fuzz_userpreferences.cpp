// The preferences store on arbitrary bytes: they are written as the preferences
// file of a scratch folder, loaded, saved and loaded again. Nothing may crash,
// every favourite, history item, search and setting that was loaded must come
// back after the save, and a file that could not be loaded must be kept aside
// byte for byte before it is written over.

#include "FuzzEnvironment.h"
#include "StoreFolder.h"

#include "prefs/UserPreferences.h"

#include <QStringList>

#include <memory>

namespace {

const char* const kTarget = "userpreferences";

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

QStringList snapshot(const UserPreferences& preferences)
{
    QStringList state;
    for (const FavoriteItem& item : preferences.getFavorites())
        state << QStringList{QStringLiteral("favorite"),
                             item.id,
                             item.name,
                             item.category,
                             item.filePath,
                             StoreFolder::timeText(item.addTime),
                             item.description,
                             item.thumbnail}
                     .join(QLatin1Char('|'));
    for (const HistoryItem& item : preferences.getHistory())
        state << QStringList{QStringLiteral("history"),
                             item.id,
                             item.name,
                             item.category,
                             item.filePath,
                             StoreFolder::timeText(item.accessTime),
                             QString::number(item.accessCount),
                             item.searchQuery}
                     .join(QLatin1Char('|'));
    for (const SearchHistoryItem& item : preferences.getSearchHistory())
        state << QStringList{QStringLiteral("search"),
                             item.query,
                             StoreFolder::timeText(item.searchTime),
                             QString::number(item.resultCount),
                             item.category,
                             item.filters.join(QLatin1Char(','))}
                     .join(QLatin1Char('|'));
    state << QStringList{QStringLiteral("settings"),
                         preferences.getDefaultCategory(),
                         preferences.getDefaultViewMode(),
                         preferences.getPreferredLanguage(),
                         yesNo(preferences.getAutoSaveHistory()),
                         QString::number(preferences.getMaxHistoryItems()),
                         QString::number(preferences.getMaxSearchHistory()),
                         yesNo(preferences.getShowThumbnails()),
                         preferences.getThemeMode()}
                 .join(QLatin1Char('|'));
    return state;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzEnvironment::setUp();
    const QByteArray bytes = FuzzEnvironment::bytes(data, size);
    static const QString dataPath = FuzzEnvironment::scratchPath() + QStringLiteral("/preferences");
    static const StoreFolder folder(kTarget, dataPath + QStringLiteral("/user_preferences.json"));
    folder.reset(bytes);

    auto first = std::make_unique<UserPreferences>();
    const bool loaded = first->initialize(dataPath);
    FUZZ_CHECK(kTarget, first->filePath() == dataPath + QStringLiteral("/user_preferences.json"),
               QStringLiteral("preferences file moved to ") + first->filePath());
    const QStringList state = snapshot(*first);
    FUZZ_CHECK(kTarget, first->savePreferences(), QStringLiteral("save failed"));
    first.reset();

    if (!loaded)
        FUZZ_CHECK(kTarget, folder.keptAside(bytes),
                   QStringLiteral("an unreadable preferences file was not kept aside"));

    UserPreferences second;
    FUZZ_CHECK(kTarget, second.initialize(dataPath),
               QStringLiteral("the saved preferences do not load"));
    FUZZ_CHECK(kTarget, snapshot(second) == state,
               QStringLiteral("preferences changed in a save: %1 became %2")
                   .arg(state.join(QLatin1Char('\n')), snapshot(second).join(QLatin1Char('\n'))));
    return 0;
}
