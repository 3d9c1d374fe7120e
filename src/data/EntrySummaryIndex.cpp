#include "EntrySummaryIndex.h"

#include "AtomicFileWriter.h"
#include "PerUserFolder.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QtEndian>

#include <cstring>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

constexpr quint32 kMagic = 0x51564958; // "QVIX"
constexpr quint32 kVersion = 3;

// The keys a summary keeps.
const char* const kKeys[] = {"name", "title", "id", "fileName", "currentVersion"};

// Reads what save() wrote (QDataStream, Qt 6.0, little-endian) from memory. Any
// value past the end marks the whole read failed, as the stream's status would.
class IndexReader
{
public:
    explicit IndexReader(const QByteArray& bytes) : m_data(bytes.constData()), m_left(bytes.size())
    {
    }
    bool ok() const { return m_ok; }
    quint32 u32() { return fixed<quint32>(); }
    quint64 u64() { return fixed<quint64>(); }
    qint64 i64() { return qint64(fixed<quint64>()); }
    // Length in bytes, 0xffffffff for a null string, then UTF-16 code units.
    QString string()
    {
        const quint32 length = u32();
        if (!m_ok || length == 0xffffffffu)
            return {};
        if ((length & 1) || !take(length))
            return fail<QString>();
        QString text(qsizetype(length / 2), Qt::Uninitialized);
        std::memcpy(text.data(), m_data - length, length);
        return text;
    }
    QByteArray bytes()
    {
        const quint32 length = u32();
        if (!m_ok || length == 0xffffffffu)
            return {};
        if (!take(length))
            return fail<QByteArray>();
        return QByteArray(m_data - length, qsizetype(length));
    }

private:
    template <typename T> T fixed()
    {
        if (!take(sizeof(T)))
            return fail<T>();
        T value;
        std::memcpy(&value, m_data - sizeof(T), sizeof(T));
        return qFromLittleEndian(value);
    }
    template <typename T> T fail()
    {
        m_ok = false;
        m_left = 0;
        return T();
    }
    bool take(qsizetype count)
    {
        if (!m_ok || count > m_left)
            return false;
        m_data += count;
        m_left -= count;
        return true;
    }

    const char* m_data;
    qsizetype m_left;
    bool m_ok = true;
};

} // namespace

EntrySummaryIndex::EntrySummaryIndex(const QString& filePath) : m_filePath(filePath) {}

QString EntrySummaryIndex::defaultFilePath()
{
    const QString folder = PerUserFolder::path();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/entry-summaries.idx");
}

std::optional<EntrySummaryIndex::FileStamp> EntrySummaryIndex::stampOf(const QString& path)
{
    FileStamp stamp;
#ifndef Q_OS_WIN
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    stamp.size = info.st_size;
    stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changed = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    stamp.inode = info.st_ino;
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    stamp.size = info.size();
    stamp.modified = info.lastModified().toMSecsSinceEpoch() * 1000000;
    stamp.changed = info.metadataChangeTime().toMSecsSinceEpoch() * 1000000;
#endif
    return stamp;
}

EntrySummaryIndex::FileStamp EntrySummaryIndex::programStamp()
{
    static const FileStamp stamp = [] {
        const std::optional<FileStamp> own = stampOf(QCoreApplication::applicationFilePath());
        return own ? *own : FileStamp();
    }();
    return stamp;
}

QJsonObject EntrySummaryIndex::summarize(const QJsonObject& entry)
{
    QJsonObject summary;
    for (const char* key : kKeys) {
        const auto it = entry.constFind(QLatin1String(key));
        if (it != entry.constEnd())
            summary.insert(QLatin1String(key), it.value());
    }
    return summary;
}

std::optional<QJsonObject> EntrySummaryIndex::find(const QString& key, const FileStamp& stamp)
{
    if (stamp.size < 0)
        return std::nullopt;
    load();
    const auto it = m_records.find(key);
    if (it == m_records.end() || !(it->stamp == stamp))
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(it->json);
    if (!document.isObject())
        return std::nullopt;
    it->used = true;
    return document.object();
}

void EntrySummaryIndex::insert(const QString& key, const FileStamp& stamp,
                               const QJsonObject& summary)
{
    if (stamp.size < 0)
        return;
    load();
    Record& record = m_records[key];
    record.stamp = stamp;
    record.json = QJsonDocument(summary).toJson(QJsonDocument::Compact);
    record.used = true;
    m_dirty = true;
}

void EntrySummaryIndex::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    if (m_filePath.isEmpty())
        return;
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // One read, then the stream's layout read straight from memory: a QDataStream
    // costs a device call for every value, and the index holds tens of thousands.
    const QByteArray bytes = file.readAll();
    IndexReader in(bytes);
    const quint32 magic = in.u32();
    const quint32 version = in.u32();
    const quint32 count = in.u32();
    if (!in.ok() || magic != kMagic || version != kVersion)
        return;
    QHash<QString, Record> records;
    // A damaged count must not ask for gigabytes: a record takes well over 16 bytes.
    records.reserve(qMin<qsizetype>(count, bytes.size() / 16));
    for (quint32 i = 0; i < count && in.ok(); ++i) {
        QString key = in.string();
        Record record;
        record.stamp.size = in.i64();
        record.stamp.modified = in.i64();
        record.stamp.changed = in.i64();
        record.stamp.inode = in.u64();
        record.json = in.bytes();
        if (in.ok())
            records.insert(std::move(key), std::move(record));
    }
    // A damaged index is only slower: every file is read again.
    if (in.ok())
        m_records = std::move(records);
}

bool EntrySummaryIndex::save(QString* error)
{
    if (!m_dirty || m_filePath.isEmpty())
        return true;
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out.setByteOrder(QDataStream::LittleEndian);
        quint32 count = 0;
        for (const Record& record : std::as_const(m_records))
            count += record.used ? 1 : 0;
        out << kMagic << kVersion << count;
        for (auto it = m_records.cbegin(); it != m_records.cend(); ++it) {
            if (!it->used)
                continue; // files gone or not read this run
            const Record& record = it.value();
            out << it.key() << record.stamp.size << record.stamp.modified << record.stamp.changed
                << record.stamp.inode << record.json;
        }
    }
    QString reason;
    const QString folder = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    if (!AtomicFileWriter::write(m_filePath, bytes, &reason)) {
        if (error)
            *error = reason;
        return false;
    }
    m_dirty = false;
    return true;
}
