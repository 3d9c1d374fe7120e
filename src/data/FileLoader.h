#pragma once

#include "EntrySummaryIndex.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

// Reads knowledge-base JSON files (embedded copy first, disk second), caches
// every parsed file, keeps the config/ files in memory and watches the entry
// files it read from disk so an edit is evicted, reloaded and announced.
class FileLoader : public QObject
{
    Q_OBJECT

public:
    // Full: the entries as parsed; Summary: only what the tree shows of each (see
    // EntrySummaryIndex), read from the index where a file is unchanged.
    enum class ListForm
    {
        Full,
        Summary
    };

    explicit FileLoader(QObject* parent = nullptr);
    ~FileLoader() override;

    void setDataPath(const QString& path);
    QString dataPath() const { return m_dataPath; }

    // warmCache false: configuration and watches only, every entry read when asked for.
    bool loadAllData(bool warmCache = true);
    void loadConfiguration();
    QJsonObject getConfiguration(const QString& name);

    QJsonObject loadJsonFile(const QString& filePath);
    // The file as the lists hold it: marked with "_filePath" and shared with the cache.
    QJsonObject listEntry(const QString& filePath);
    // listEntry() cut to its summary keys, marked the same way; empty where listEntry is.
    QJsonObject listSummary(const QString& filePath);
    // object with "_filePath" set to path; unchanged (and not copied) when it already is.
    static QJsonObject markedWithPath(QJsonObject object, const QString& path);
    // listedStamp: the file's stamp as its folder listing read it, or null.
    QJsonObject listSummary(const QString& filePath,
                            const EntrySummaryIndex::FileStamp* listedStamp);
    // The summary of an embedded "data/..." file, marked with the key; empty where the file is.
    QJsonObject embeddedSummary(const QString& key);
    QJsonArray getSoftwareList(const QString& category, ListForm form = ListForm::Full);
    QJsonArray getCompaniesList(ListForm form = ListForm::Full);
    QJsonArray getTechnologiesList(const QString& subCategory, ListForm form = ListForm::Full);

    // Where summaries are kept between runs; empty keeps them in memory only.
    void setSummaryIndexPath(const QString& path);
    // Writes the summary index now if it changed; a failure is logged with path and reason.
    void saveSummaryIndex();

    QString cacheKey(const QString& filePath) const;
    // The "data/..." key of a path below the data directory; other paths unchanged.
    QString embeddedLookupPath(const QString& filePath) const;
    bool isCached(const QString& filePath) const;
    QStringList watchedFiles() const { return m_watcher.files(); }
    QStringList watchedDirectories() const { return m_watcher.directories(); }

signals:
    void fileChanged(const QString& filePath);
    void dataLoaded();
    void loadError(const QString& error);

private slots:
    void onFileChanged(const QString& path);
    void onDirectoryChanged(const QString& path);

private:
    void preloadDirectory(const QString& dirPath);
    void watchDirectory(const QString& dirPath);
    // What follows the data path in filePath when that needs no clean-up; null otherwise.
    QStringView plainRest(const QString& filePath) const;
    // The cache key of a path below the data path, given what follows the data path.
    static QString keyOfRest(QStringView rest);
    QJsonObject cachedEntry(const QString& filePath);
    QJsonObject store(const QString& key, const QString& filePath, QJsonObject object);
    QJsonArray loadEntries(const QString& dirPath, ListForm form = ListForm::Full);
    void collectTechnologies(const QString& dirPath, QJsonArray& result, ListForm form);
    void watchFile(const QString& filePath);

    void scheduleIndexSave();
    void storeConfiguration(const QString& name, const QJsonObject& object);

    QString m_dataPath = QStringLiteral("data/");
    QString m_cleanRoot; // the data path, absolute and clean, with a final '/'; empty if relative
    QFileSystemWatcher m_watcher;
    QSet<QString> m_watchedFiles;            // what m_watcher.files() holds, for quick look-ups
    QHash<QString, QJsonObject> m_jsonCache; // marked with "_filePath", see store()
    QSet<QString> m_ownPathKeys;             // files that have a "_filePath" of their own
    QJsonObject m_configuration;
    std::unique_ptr<EntrySummaryIndex> m_summaryIndex;
    bool m_indexSaveScheduled = false;
    // Files listed from the summary index and not read: their folders are watched, not
    // they (Qt's watcher slows down with the square of the files it holds).
    QSet<QString> m_indexedFiles;
};
