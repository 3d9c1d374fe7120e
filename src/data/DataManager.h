#pragma once

#include "DirectoryListing.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <vector>

class FileLoader;

// The views' single entry point to the knowledge base: entry lists combined
// from the embedded copy and the disk, cached until a watched file changes.
class DataManager : public QObject
{
    Q_OBJECT

public:
    explicit DataManager(QObject* parent = nullptr);
    ~DataManager() override;

    void setDataPath(const QString& path);
    QString dataPath() const { return m_dataPath; }
    void initialize();

    QJsonObject getCategories();
    QJsonArray getSoftwareList(const QString& category);
    QJsonArray getCompaniesList();
    QJsonArray getPicturesList();
    QJsonArray getTechnologiesList(const QString& subCategory = QString());
    QJsonArray getDisciplinesList(const QString& subPath = QString());
    // The same lists, in the same order, with each entry cut to what the tree shows
    // of it (name, title, id, fileName, currentVersion and the marks): read from the
    // summary index where files are unchanged, so a start parses no entry twice.
    QJsonArray getSoftwareSummaries(const QString& category);
    QJsonArray getCompaniesSummaries();
    QJsonArray getTechnologiesSummaries(const QString& subCategory = QString());
    QJsonArray getDisciplinesSummaries(const QString& subPath = QString());
    // The files ending in suffix directly in one folder of the knowledge base
    // ("disciplines/fluid/cfd"), sorted by name: on disk when the folder is there,
    // else their embedded copies ("data/..." keys). exists: whether the folder is.
    QStringList folderFiles(const QString& relativeFolder, const QString& suffix,
                            bool* exists = nullptr) const;
    QJsonArray searchInFiles(const QString& keyword);
    QJsonArray getAllEntries();
    QJsonObject loadJsonFile(const QString& filePath);

    QJsonArray loadLocalNewsFallback();
    void setNewsItems(const QJsonArray& items, const QDateTime& timestamp);
    QJsonArray getNewsItems() const { return m_newsItems; }
    QDateTime getNewsTimestamp() const { return m_newsTimestamp; }

    FileLoader* fileLoader() const { return m_fileLoader.get(); }

    // Reads every entry file of the data directory a few at a time while the event
    // loop runs, so that the first search finds them read; a list asked for meanwhile
    // reads what it needs at once. Stops when the directory changes.
    void warmUp();
    bool isWarmingUp() const { return !m_warmUpFolders.isEmpty() || !m_warmUpFiles.isEmpty(); }
    // Reads on for about budgetMs (a few files at least), for one who waits for the
    // warm-up; true once done.
    bool continueWarmUp(int budgetMs);
    // Drops every cached list; used when the data directory changes.
    void clearListCache();
    // Changes whenever the cached lists are dropped: two calls of a list
    // function under the same value return the same list.
    quint64 listGeneration() const { return m_listGeneration; }

    // Appends each object of items, replacing (or dropping) later objects whose
    // non-empty "id" was already seen.
    static void mergeById(QJsonArray& output, QSet<QString>& seenIds, const QJsonArray& items,
                          bool replace);
    // An array as is, an object's "items", or a single object carrying "title".
    static QJsonArray extractNewsItems(const QJsonDocument& document);
    // The two sample items compiled in as the last news fallback.
    static QJsonArray builtInNewsItems();
    // Picture records of the image files of a directory on disk.
    static QJsonArray diskPictureRecords(const QString& dirPath);

signals:
    void dataChanged(const QString& filePath);
    void dataLoaded();
    // The warm-up read the last entry file.
    void warmUpFinished();
    void searchCompleted(const QJsonArray& results);
    void errorOccurred(const QString& error);
    void newsItemsUpdated(const QJsonArray& items, const QDateTime& timestamp);

private slots:
    void onFileChanged(const QString& filePath);
    void onDataLoaded();
    void warmUpStep();

private:
    // The entry files of one folder, as listed (the preferences store left out).
    std::vector<DirectoryListing::File> entryFilesIn(const QString& dirPath) const;
    // Lists the next folder when no file of the last one is left, then reads count files.
    void warmUpFiles(int count);
    // Every *.json file below dirPath that loads to a non-empty object, files of
    // a directory before its sub-directories.
    void walkJsonFiles(const QString& dirPath, QJsonArray& result, const QString& keyword = {},
                       bool summaries = false);
    QJsonArray softwareList(const QString& category, bool summaries);
    QJsonArray companiesList(bool summaries);
    QJsonArray technologiesList(const QString& subCategory, bool summaries);
    QJsonArray disciplinesList(const QString& subPath, bool summaries);
    QJsonArray embeddedEntries(const QStringList& keys, bool summaries);

    std::unique_ptr<FileLoader> m_fileLoader;
    QString m_dataPath = QStringLiteral("data/");
    QJsonObject m_categories;
    QHash<QString, QJsonArray> m_listCache;
    quint64 m_listGeneration = 0;
    QStringList m_warmUpFolders;
    QStringList m_warmUpFiles;
    QJsonArray m_newsItems;
    QDateTime m_newsTimestamp;
};
