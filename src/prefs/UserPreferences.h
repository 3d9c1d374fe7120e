#pragma once

#include "data/CorruptFileKeeper.h"
#include "prefs/FavoriteItem.h"
#include "prefs/HistoryItem.h"
#include "prefs/SearchHistoryItem.h"

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// The user's favourites, browsing history, search history and settings, kept in
// "user_preferences.json" in the per-user application data folder (older
// versions kept it in the data directory; it is taken over from there once).
// Every change is made under a
// lock beside the file, on the file's latest contents, and written at once, so
// copies of the program running at the same time never undo each other's
// changes; a change that cannot be written is not kept in memory either.
class UserPreferences : public QObject
{
    Q_OBJECT

public:
    explicit UserPreferences(QObject* parent = nullptr);
    ~UserPreferences() override;

    // Opens the store in `folder`, creating the folder when it is missing.
    bool initialize(const QString& folder);
    // Opens the store in the per-user folder (`userFolder`, the application data
    // folder unless given) after taking over the file an older version left in
    // the data directory `dataPath`, if the per-user folder has none yet. Nothing
    // is ever written below `dataPath`.
    bool initializeForUser(const QString& dataPath, const QString& userFolder = QString());
    bool loadPreferences();
    bool savePreferences();

    bool addFavorite(const QString& id, const QString& name, const QString& category,
                     const QString& filePath, const QString& description);
    bool removeFavorite(const QString& id);
    bool isFavorite(const QString& id) const;
    bool clearFavorites();
    QList<FavoriteItem> getFavorites() const;
    QList<FavoriteItem> getFavoritesByCategory(const QString& category) const;

    bool addToHistory(const QString& id, const QString& name, const QString& category,
                      const QString& filePath, const QString& searchQuery);
    bool removeFromHistory(const QString& id);
    bool clearHistory();
    QList<HistoryItem> getHistory() const;
    QList<HistoryItem> getRecentHistory(int limit) const;
    QList<HistoryItem> getFrequentHistory(int limit) const;

    QList<SearchHistoryItem> getSearchHistory() const;
    QList<SearchHistoryItem> getRecentSearches(int limit) const;
    bool clearSearchHistory();

    bool exportPreferences(const QString& fileName) const;
    bool importPreferences(const QString& fileName);

    QString filePath() const { return m_filePath; }
    bool isLoaded() const { return m_loaded; }
    // Why the last change could not be saved: the file and the system's reason
    // (empty after a change that was saved or that had nothing to do).
    QString lastError() const { return m_lastError; }
    // `message` followed by the reason of the last failure, for message boxes.
    QString describeFailure(const QString& message) const;
    // Damaged preferences files met so far, and where their contents were kept.
    QList<KeptUserFile> keptFiles() const { return m_keptFiles; }

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
    enum class Outcome
    {
        Saved,
        NotApplied,
        Failed
    };

    void reportError(const char* method, const QString& error);
    void takeOverFrom(const QString& dataPath, const QString& folder);
    void trimHistory();
    bool keepUnreadableFile();
    // Runs `apply` on the file's latest contents under the lock and writes the
    // result; memory is left as it was when the write fails.
    Outcome commitChange(const std::function<bool()>& apply);
    bool syncWithDisk();
    // Takes the well-formed parts of a file; false when it is no preferences object.
    bool adoptFileContents(const QByteArray& bytes, QString* error);
    void keepDamagedCopy(const QByteArray& bytes, const QString& reason);
    QByteArray fileBytes() const;
    bool writeFile();

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
    // The file on disk could not be read and is not kept anywhere yet: it is
    // moved aside before anything is written over it.
    bool m_unreadableFileOnDisk = false;
    // Keys of the file this store does not know, written back unchanged.
    QJsonObject m_extraKeys;
    QJsonObject m_extraSettings;
    // The file as last read or written, to notice changes made by another copy.
    QByteArray m_diskFingerprint;
    QList<KeptUserFile> m_keptFiles;
    QString m_lastError;
};
