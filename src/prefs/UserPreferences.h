#pragma once

#include "prefs/FavoriteItem.h"
#include "prefs/HistoryItem.h"
#include "prefs/SearchHistoryItem.h"

#include <QList>
#include <QObject>
#include <QString>

// The user's favourites, browsing history, search history and settings, kept in
// "user_preferences.json" in the data directory and written after every change.
class UserPreferences : public QObject
{
    Q_OBJECT

public:
    explicit UserPreferences(QObject* parent = nullptr);
    ~UserPreferences() override;

    bool initialize(const QString& dataPath);
    bool loadPreferences();
    bool savePreferences();

    bool addFavorite(const QString& id, const QString& name, const QString& category,
                     const QString& filePath, const QString& description);
    bool removeFavorite(const QString& id);
    bool isFavorite(const QString& id) const;
    void clearFavorites();
    QList<FavoriteItem> getFavorites() const;
    QList<FavoriteItem> getFavoritesByCategory(const QString& category) const;

    void addToHistory(const QString& id, const QString& name, const QString& category,
                      const QString& filePath, const QString& searchQuery);
    void removeFromHistory(const QString& id);
    void clearHistory();
    QList<HistoryItem> getHistory() const;
    QList<HistoryItem> getRecentHistory(int limit) const;
    QList<HistoryItem> getFrequentHistory(int limit) const;

    QList<SearchHistoryItem> getSearchHistory() const;
    QList<SearchHistoryItem> getRecentSearches(int limit) const;
    void clearSearchHistory();

    bool exportPreferences(const QString& fileName) const;
    bool importPreferences(const QString& fileName);

    QString filePath() const { return m_filePath; }
    bool isLoaded() const { return m_loaded; }

    QString getDefaultCategory() const { return defaultCategory; }
    QString getDefaultViewMode() const { return defaultViewMode; }
    QString getPreferredLanguage() const { return preferredLanguage; }
    bool getAutoSaveHistory() const { return autoSaveHistory; }
    int getMaxHistoryItems() const { return maxHistoryItems; }
    int getMaxSearchHistory() const { return maxSearchHistory; }
    bool getShowThumbnails() const { return showThumbnails; }
    QString getThemeMode() const { return themeMode; }

    static QString generateId(const QString& name, const QString& category);

signals:
    void favoritesChanged();
    void historyChanged();
    void settingsChanged();
    void dataLoaded();
    void dataError(const QString& error);

private:
    void reportError(const char* method, const QString& error);
    void trimHistory();
    bool keepUnreadableFile();

    QString m_dataPath;
    QString m_filePath;
    QList<FavoriteItem> m_favorites;
    QList<HistoryItem> m_history;
    QList<SearchHistoryItem> m_searchHistory;
    QString defaultCategory;
    QString defaultViewMode;
    QString preferredLanguage;
    bool autoSaveHistory;
    qint32 maxHistoryItems;
    qint32 maxSearchHistory;
    bool showThumbnails;
    QString themeMode;
    bool m_loaded = false;
    // The file on disk could not be read or parsed: it is moved aside before
    // anything is written over it.
    bool m_unreadableFileOnDisk = false;
};
