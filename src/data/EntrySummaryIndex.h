#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QString>

#include <optional>

// What the navigation tree and the counts need of each entry file (its naming
// keys and version), kept on disk between runs so that a start need not parse
// every file. A record holds only while its file is unchanged: same size, same
// modification and change times, same file (inode); embedded records hold while
// the program is the same build.
class EntrySummaryIndex
{
public:
    struct FileStamp
    {
        qint64 size = -1;
        qint64 modified = 0; // ns
        qint64 changed = 0;  // ns
        quint64 inode = 0;
        bool operator==(const FileStamp& other) const
        {
            return size == other.size && modified == other.modified && changed == other.changed &&
                   inode == other.inode;
        }
    };

    // An empty path keeps the index in memory only.
    explicit EntrySummaryIndex(const QString& filePath = defaultFilePath());

    // In the per-user folder; empty when the system names none.
    static QString defaultFilePath();
    QString filePath() const { return m_filePath; }

    // The stamp of a file on disk; nullopt when it cannot be read.
    static std::optional<FileStamp> stampOf(const QString& path);
    // The stamp of the running program, standing for its embedded files.
    static FileStamp programStamp();

    // The keys of entry that a summary keeps: the tree's label and the merge by id.
    static QJsonObject summarize(const QJsonObject& entry);

    std::optional<QJsonObject> find(const QString& key, const FileStamp& stamp);
    void insert(const QString& key, const FileStamp& stamp, const QJsonObject& summary);

    // Writes the records found or inserted since the last save, when anything
    // changed; false (with the reason) when the file could not be written.
    bool save(QString* error = nullptr);
    bool isDirty() const { return m_dirty; }

private:
    struct Record
    {
        FileStamp stamp;
        // Compact JSON: one parse builds the object far faster than inserting its keys.
        QByteArray json;
        bool used = false;
    };

    void load();

    QString m_filePath;
    QHash<QString, Record> m_records;
    bool m_loaded = false;
    bool m_dirty = false;
};
