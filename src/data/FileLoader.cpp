#include "FileLoader.h"

#include "DirectoryListing.h"
#include "EmbeddedDataAdapter.h"
#include "EntrySummaryIndex.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QTimer>

#include <exception>

namespace {

const QStringList kJsonFilter{QStringLiteral("*.json")};
const QString kJsonSuffix = QStringLiteral(".json");
const QString kFilePathKey = QStringLiteral("_filePath");
// Embedded records of the summary index: no disk path starts with it.
const QString kEmbeddedIndexPrefix = QStringLiteral(":embedded:");
// Long enough after the start that writing the index is no part of it.
constexpr int kIndexSaveDelayMs = 3000;

QString indexKeyOf(const QString& filePath)
{
    return QDir::isAbsolutePath(filePath) ? filePath : QFileInfo(filePath).absoluteFilePath();
}

bool isDirectory(const QString& path)
{
    return QFileInfo(path).isDir();
}

} // namespace

FileLoader::FileLoader(QObject* parent)
    : QObject(parent), m_summaryIndex(std::make_unique<EntrySummaryIndex>())
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &FileLoader::onFileChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &FileLoader::onDirectoryChanged);
}

FileLoader::~FileLoader()
{
    saveSummaryIndex();
}

void FileLoader::setSummaryIndexPath(const QString& path)
{
    saveSummaryIndex();
    m_summaryIndex = std::make_unique<EntrySummaryIndex>(path);
}

void FileLoader::saveSummaryIndex()
{
    m_indexSaveScheduled = false;
    QString error;
    if (!m_summaryIndex->save(&error))
        qWarning().noquote()
            << tr("无法保存条目索引 %1: %2").arg(m_summaryIndex->filePath(), error);
}

void FileLoader::scheduleIndexSave()
{
    if (m_indexSaveScheduled)
        return;
    m_indexSaveScheduled = true;
    QTimer::singleShot(kIndexSaveDelayMs, this, &FileLoader::saveSummaryIndex);
}

void FileLoader::watchFile(const QString& filePath)
{
    // A set beside the watcher's list: asking the list for every file made loading
    // a large tree quadratic.
    if (!m_watchedFiles.contains(filePath) && m_watcher.addPath(filePath))
        m_watchedFiles.insert(filePath);
}

QJsonObject FileLoader::markedWithPath(QJsonObject object, const QString& path)
{
    // Compared as a string: building a QJsonValue of the path for the test cost as much
    // as the rest of a summary's marking, once per entry of a start. The index keeps
    // summaries marked already, so most pass unchanged.
    const auto mark = object.constFind(kFilePathKey);
    if (mark == object.constEnd() || !mark->isString() || mark->toString() != path)
        object.insert(kFilePathKey, path);
    return object;
}

QJsonObject FileLoader::listSummary(const QString& filePath)
{
    return listSummary(filePath, nullptr);
}

QJsonObject FileLoader::listSummary(const QString& filePath,
                                    const EntrySummaryIndex::FileStamp* listedStamp)
{
    // Both keys from one look at the path: a start passes here for every entry.
    const QStringView rest = plainRest(filePath);
    const QString key = rest.isNull() ? cacheKey(filePath) : keyOfRest(rest);
    const auto cached = m_jsonCache.constFind(key);
    if (cached != m_jsonCache.cend()) {
        if (cached.value().isEmpty())
            return {};
        return markedWithPath(EntrySummaryIndex::summarize(cached.value()), filePath);
    }

    const QString embeddedPath =
        rest.isNull() ? embeddedLookupPath(filePath) : QStringLiteral("data/") + rest.toString();
    if (EmbeddedDataAdapter::instance().hasEmbeddedResource(embeddedPath)) {
        const QJsonObject summary = embeddedSummary(embeddedPath);
        if (!summary.isEmpty())
            return markedWithPath(summary, filePath);
        // An embedded copy that does not load falls back to the disk, as listEntry does.
        if (!listEntry(filePath).isEmpty())
            return listSummary(filePath, nullptr);
        return {};
    }

    const QString indexKey = indexKeyOf(filePath);
    const std::optional<EntrySummaryIndex::FileStamp> stamp =
        listedStamp ? std::optional(*listedStamp) : EntrySummaryIndex::stampOf(filePath);
    if (stamp) {
        if (const std::optional<QJsonObject> summary = m_summaryIndex->find(indexKey, *stamp)) {
            m_indexedFiles.insert(filePath);
            return markedWithPath(*summary, filePath);
        }
    }
    const QJsonObject entry = listEntry(filePath);
    // Files that do not load stay out of the index: each start reports them again.
    if (entry.isEmpty())
        return {};
    const QJsonObject summary = markedWithPath(EntrySummaryIndex::summarize(entry), filePath);
    if (stamp) {
        m_summaryIndex->insert(indexKey, *stamp, summary);
        scheduleIndexSave();
    }
    return summary;
}

QJsonObject FileLoader::embeddedSummary(const QString& key)
{
    const QString indexKey = kEmbeddedIndexPrefix + key;
    const EntrySummaryIndex::FileStamp stamp = EntrySummaryIndex::programStamp();
    if (const std::optional<QJsonObject> summary = m_summaryIndex->find(indexKey, stamp))
        return *summary;
    const QJsonObject entry = EmbeddedDataAdapter::instance().loadEmbeddedJson(key);
    if (entry.isEmpty())
        return {};
    const QJsonObject summary = markedWithPath(EntrySummaryIndex::summarize(entry), key);
    m_summaryIndex->insert(indexKey, stamp, summary);
    scheduleIndexSave();
    return summary;
}

void FileLoader::setDataPath(const QString& path)
{
    m_dataPath = path;
    if (!m_dataPath.endsWith(QLatin1Char('/')))
        m_dataPath += QLatin1Char('/');
    m_cleanRoot.clear();
    if (QDir::isAbsolutePath(m_dataPath)) {
        m_cleanRoot = QDir::cleanPath(m_dataPath);
        if (!m_cleanRoot.endsWith(QLatin1Char('/')))
            m_cleanRoot += QLatin1Char('/');
    }
}

QString FileLoader::cacheKey(const QString& filePath) const
{
    // QDir's answer costs a working-directory look-up and a split of both paths; the
    // paths the loader spells itself below an absolute data path are the same without.
    const QStringView rest = plainRest(filePath);
    return keyOfRest(rest.isNull() ? QDir(m_dataPath).relativeFilePath(filePath) : rest);
}

QString FileLoader::keyOfRest(QStringView rest)
{
    QString key = rest.toString();
    key.replace(QLatin1Char('/'), QLatin1Char('_'));
    key.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return key;
}

QStringView FileLoader::plainRest(const QString& filePath) const
{
    if (m_cleanRoot.isEmpty() || !filePath.startsWith(m_cleanRoot))
        return {};
    const QStringView rest = QStringView(filePath).mid(m_cleanRoot.size());
    if (rest.isEmpty() || rest.endsWith(QLatin1Char('/')) || rest.contains(QLatin1Char('\\')))
        return {};
    // Segment by segment without a list: every entry of a start passes here twice.
    qsizetype from = 0;
    while (from <= rest.size()) {
        qsizetype to = rest.indexOf(QLatin1Char('/'), from);
        if (to < 0)
            to = rest.size();
        const QStringView segment = rest.mid(from, to - from);
        if (segment.isEmpty() || segment == QLatin1String(".") || segment == QLatin1String(".."))
            return {};
        from = to + 1;
    }
    return rest;
}

QString FileLoader::embeddedLookupPath(const QString& filePath) const
{
    const QStringView rest = plainRest(filePath);
    if (!rest.isNull())
        return QStringLiteral("data/") + rest.toString();
    // A data directory need not be called "data": name the file by its place in the tree, so
    // that a disk file without an embedded copy is never taken for another of the same name.
    QString root = QDir::cleanPath(QFileInfo(m_dataPath).absoluteFilePath());
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    const QString absolute = QDir::cleanPath(QFileInfo(filePath).absoluteFilePath());
    if (absolute.startsWith(root) && absolute.size() > root.size())
        return QStringLiteral("data/") + absolute.mid(root.size());
    return filePath;
}

bool FileLoader::isCached(const QString& filePath) const
{
    return m_jsonCache.contains(cacheKey(filePath));
}

QJsonObject FileLoader::loadJsonFile(const QString& filePath)
{
    QJsonObject object = cachedEntry(filePath);
    // The cache keeps the form the lists hand out; callers of a file get it as written.
    if (!m_ownPathKeys.contains(cacheKey(filePath)))
        object.remove(kFilePathKey);
    return object;
}

QJsonObject FileLoader::listEntry(const QString& filePath)
{
    QJsonObject object = cachedEntry(filePath);
    if (object.isEmpty())
        return object;
    // Only a path spelt otherwise than at first load costs a copy.
    if (object.value(kFilePathKey).toString() != filePath)
        object.insert(kFilePathKey, filePath);
    return object;
}

QJsonObject FileLoader::cachedEntry(const QString& filePath)
{
    const QString key = cacheKey(filePath);
    qDebug().noquote() << "FileLoader::loadJsonFile - Loading:" << filePath << "Key:" << key;

    const auto cached = m_jsonCache.constFind(key);
    if (cached != m_jsonCache.cend()) {
        qDebug().noquote() << "FileLoader::loadJsonFile - Found in cache:" << key;
        return cached.value();
    }

    EmbeddedDataAdapter& embedded = EmbeddedDataAdapter::instance();
    const QString embeddedPath = embeddedLookupPath(filePath);
    if (embedded.hasEmbeddedResource(embeddedPath)) {
        qDebug().noquote() << "从嵌入资源加载:" << filePath;
        QJsonObject object = embedded.loadEmbeddedJson(embeddedPath);
        if (!object.isEmpty()) {
            qDebug().noquote()
                << "FileLoader::loadJsonFile - Successfully loaded from embedded resource, keys:"
                << object.keys();
            return store(key, filePath, std::move(object));
        }
        qWarning().noquote() << "嵌入资源加载失败，尝试文件系统:" << filePath;
    } else {
        qDebug().noquote() << "FileLoader::loadJsonFile - Not an embedded resource:" << filePath;
    }

    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "无法打开文件:" << filePath;
        return {};
    }
    QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    file.close();
    if (document.isNull() || !document.isObject()) {
        qWarning().noquote() << "无效的JSON文件:" << filePath;
        return {};
    }

    QJsonObject object = document.object();
    document = QJsonDocument(); // its share would make the marking in store() copy the object
    object = store(key, filePath, std::move(object));
    watchFile(filePath);
    return object;
}

QJsonObject FileLoader::store(const QString& key, const QString& filePath, QJsonObject object)
{
    // Marked once, while nothing else shares it: marking a shared object copies it whole,
    // and a list of copies doubled the memory of the knowledge base.
    if (object.contains(kFilePathKey)) {
        m_ownPathKeys.insert(key);
    } else if (!object.isEmpty()) { // an empty file stays no entry
        m_ownPathKeys.remove(key);
        object.insert(kFilePathKey, filePath);
    }
    m_jsonCache.insert(key, object);
    return object;
}

QJsonObject FileLoader::getConfiguration(const QString& name)
{
    qDebug().noquote() << "FileLoader::getConfiguration - Loading config:" << name;
    if (m_configuration.contains(name)) {
        qDebug().noquote() << "FileLoader::getConfiguration - Found in cache:" << name;
        return m_configuration.value(name).toObject();
    }

    const QString path = m_dataPath + QStringLiteral("config/") + name + QStringLiteral(".json");
    qDebug().noquote() << "FileLoader::getConfiguration - Attempting to load from:" << path;
    qDebug().noquote() << "FileLoader::getConfiguration - m_dataPath is:" << m_dataPath;
    if (QFile::exists(path))
        qDebug().noquote() << "FileLoader::getConfiguration - File EXISTS at:" << path;
    else
        qWarning().noquote() << "FileLoader::getConfiguration - File NOT FOUND at:" << path;

    const QJsonObject config = loadJsonFile(path);
    if (config.isEmpty()) {
        qWarning().noquote() << "FileLoader::getConfiguration - Failed to load or empty config:"
                             << path;
        return {};
    }
    qDebug().noquote() << "FileLoader::getConfiguration - Successfully loaded config:" << name
                       << "with keys:" << config.keys();
    m_configuration.insert(name, config);
    return config;
}

void FileLoader::storeConfiguration(const QString& name, const QJsonObject& object)
{
    m_configuration.insert(name, object);
}

void FileLoader::loadConfiguration()
{
    const QString configDir = m_dataPath + QStringLiteral("config");
    if (!isDirectory(configDir)) {
        qDebug().noquote() << "Config directory does not exist, using embedded resources only:"
                           << QFileInfo(configDir).absoluteFilePath();
    } else {
        watchDirectory(configDir);
        QDir dir(configDir);
        for (const QFileInfo& info : dir.entryInfoList(kJsonFilter, QDir::Files))
            storeConfiguration(info.completeBaseName(), loadJsonFile(info.filePath()));
    }

    if (m_configuration.contains(QLatin1String("categories"))) {
        qDebug().noquote()
            << "FileLoader::loadConfiguration - categories already in m_configuration";
        qDebug().noquote() << "FileLoader: Existing categories config has keys:"
                           << m_configuration.value(QLatin1String("categories")).toObject().keys();
    } else {
        qDebug().noquote()
            << "FileLoader::loadConfiguration - categories not in m_configuration, trying to load";
        QJsonObject categories = loadJsonFile(QStringLiteral("data/config/categories.json"));
        if (!categories.isEmpty()) {
            storeConfiguration(QStringLiteral("categories"), categories);
            qDebug().noquote()
                << "FileLoader: SUCCESS! Loaded categories.json from embedded resources";
        } else {
            const QString diskPath = m_dataPath + QStringLiteral("config/categories.json");
            qDebug().noquote() << "FileLoader: Embedded resource failed, trying filesystem path:"
                               << diskPath;
            const QFileInfo info(diskPath);
            if (info.exists())
                qDebug().noquote()
                    << "FileLoader: File exists at:" << diskPath << "Size:" << info.size();
            else
                qDebug().noquote() << "FileLoader: File NOT found at:" << diskPath;
            categories = loadJsonFile(diskPath);
            if (!categories.isEmpty()) {
                storeConfiguration(QStringLiteral("categories"), categories);
                qDebug().noquote() << "FileLoader: SUCCESS! Loaded categories.json from filesystem";
            }
        }

        if (!categories.isEmpty()) {
            qDebug().noquote() << "FileLoader: Categories config has keys:" << categories.keys();
            qDebug() << "FileLoader: softwareCategories exists:"
                     << categories.contains(QLatin1String("softwareCategories"));
            qDebug() << "FileLoader: technologyCategories exists:"
                     << categories.contains(QLatin1String("technologyCategories"));
            qDebug() << "FileLoader: disciplineCategories exists:"
                     << categories.contains(QLatin1String("disciplineCategories"));
        } else {
            qWarning().noquote() << "FileLoader: CRITICAL ERROR - Failed to load categories.json "
                                    "from both filesystem and embedded resources";
            qWarning().noquote() << "FileLoader: This will result in missing tree nodes!";
        }
    }

    if (!m_configuration.contains(QLatin1String("ui_config"))) {
        QJsonObject ui = loadJsonFile(QStringLiteral("data/config/ui_config.json"));
        if (!ui.isEmpty()) {
            storeConfiguration(QStringLiteral("ui_config"), ui);
            qDebug().noquote() << "Loaded ui_config.json from embedded resources";
        } else {
            ui = loadJsonFile(m_dataPath + QStringLiteral("config/ui_config.json"));
            if (!ui.isEmpty()) {
                storeConfiguration(QStringLiteral("ui_config"), ui);
                qDebug().noquote() << "Loaded ui_config.json from filesystem";
            }
        }
    }
}

void FileLoader::watchDirectory(const QString& dirPath)
{
    const QString absolute = QFileInfo(dirPath).absoluteFilePath();
    if (!m_watcher.directories().contains(absolute))
        m_watcher.addPath(absolute);
}

void FileLoader::preloadDirectory(const QString& dirPath)
{
    QDir dir(dirPath);
    for (const QFileInfo& info : dir.entryInfoList(kJsonFilter, QDir::Files))
        cachedEntry(info.filePath());
}

bool FileLoader::loadAllData(bool warmCache)
{
    try {
        EmbeddedDataAdapter::instance().initialize();
        loadConfiguration();

        const QString softwareDir = m_dataPath + QStringLiteral("software");
        if (!isDirectory(softwareDir)) {
            qDebug().noquote()
                << "Software directory does not exist, using embedded resources only:"
                << QFileInfo(softwareDir).absoluteFilePath();
        } else {
            for (const QFileInfo& sub :
                 QDir(softwareDir).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                watchDirectory(sub.filePath());
                if (warmCache)
                    preloadDirectory(sub.filePath());
            }
        }

        const QString companiesDir = m_dataPath + QStringLiteral("companies");
        if (!isDirectory(companiesDir)) {
            qDebug().noquote()
                << "Companies directory does not exist, using embedded resources only:"
                << QFileInfo(companiesDir).absoluteFilePath();
        } else {
            watchDirectory(companiesDir);
            if (warmCache)
                preloadDirectory(companiesDir);
        }

        const QString technologiesDir = m_dataPath + QStringLiteral("technologies");
        if (!isDirectory(technologiesDir)) {
            qDebug().noquote()
                << "Technologies directory does not exist, using embedded resources only:"
                << QFileInfo(technologiesDir).absoluteFilePath();
        } else {
            for (const QFileInfo& sub :
                 QDir(technologiesDir).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                watchDirectory(sub.filePath());
                if (warmCache)
                    preloadDirectory(sub.filePath());
            }
        }

        emit dataLoaded();
        return true;
    } catch (const std::exception& e) {
        emit loadError(tr("加载数据失败: %1").arg(QString::fromLocal8Bit(e.what())));
        return false;
    }
}

QJsonArray FileLoader::loadEntries(const QString& dirPath, ListForm form)
{
    QJsonArray result;
    for (const DirectoryListing::File& file : DirectoryListing::files(dirPath, kJsonSuffix)) {
        const QJsonObject object =
            form == ListForm::Summary ? listSummary(file.path, &file.stamp) : listEntry(file.path);
        if (!object.isEmpty())
            result.append(object);
    }
    return result;
}

QJsonArray FileLoader::getSoftwareList(const QString& category, ListForm form)
{
    QString dirPath = m_dataPath + QStringLiteral("software/") + category;
    qDebug().noquote() << "FileLoader::getSoftwareList - category:" << category;
    qDebug().noquote() << "FileLoader::getSoftwareList - dirPath:" << dirPath;
    qDebug() << "FileLoader::getSoftwareList - dir.exists():" << QDir(dirPath).exists();
    qDebug().noquote() << "FileLoader::getSoftwareList - absolutePath:"
                       << QDir(dirPath).absolutePath();

    if (!isDirectory(dirPath)) {
        qDebug().noquote() << "FileLoader::getSoftwareList - Directory does not exist:" << dirPath;
        const QString retry = QDir::currentPath() + QLatin1Char('/') + dirPath;
        qDebug().noquote() << "FileLoader::getSoftwareList - Trying absolute path:" << retry;
        const bool exists = isDirectory(retry);
        qDebug() << "FileLoader::getSoftwareList - Absolute path exists:" << exists;
        if (!exists)
            return {};
        dirPath = retry;
    }

    // Listing the folder only to count it is worth it only when the line is written.
    if (QLoggingCategory::defaultCategory()->isDebugEnabled()) {
        const qsizetype found = QDir(dirPath).entryList(kJsonFilter, QDir::Files).size();
        qDebug().noquote() << "FileLoader::getSoftwareList - Found" << found << "files";
    }
    const QJsonArray result = loadEntries(dirPath, form);
    qDebug().noquote() << "FileLoader::getSoftwareList - Loaded" << result.size() << "items";
    return result;
}

QJsonArray FileLoader::getCompaniesList(ListForm form)
{
    const QString dirPath = m_dataPath + QStringLiteral("companies");
    if (!isDirectory(dirPath))
        return {};
    return loadEntries(dirPath, form);
}

void FileLoader::collectTechnologies(const QString& dirPath, QJsonArray& result, ListForm form)
{
    for (const QJsonValue& value : loadEntries(dirPath, form))
        result.append(value);
    for (const QString& sub : DirectoryListing::subfolders(dirPath))
        collectTechnologies(sub, result, form);
}

QJsonArray FileLoader::getTechnologiesList(const QString& subCategory, ListForm form)
{
    QString dirPath = m_dataPath + QStringLiteral("technologies");
    if (!subCategory.isEmpty())
        dirPath += QLatin1Char('/') + subCategory;
    QJsonArray result;
    if (isDirectory(dirPath))
        collectTechnologies(dirPath, result, form);
    return result;
}

void FileLoader::onFileChanged(const QString& path)
{
    qDebug().noquote() << "文件变化:" << path;
    // The watcher lets go of a file that was removed; the reload below watches it again.
    if (!m_watcher.files().contains(path))
        m_watchedFiles.remove(path);
    m_jsonCache.remove(cacheKey(path));
    cachedEntry(path);
    emit fileChanged(path);
}

void FileLoader::onDirectoryChanged(const QString& path)
{
    qDebug().noquote() << "目录变化:" << path;
    const QStringList watched = m_watcher.files();
    m_watchedFiles = QSet<QString>(watched.cbegin(), watched.cend());
    QDir dir(path);
    for (const QFileInfo& info : dir.entryInfoList(kJsonFilter, QDir::Files)) {
        const QString file = info.filePath();
        if (m_indexedFiles.contains(file)) {
            // Replaced by a save beside it, perhaps: announce it as a watched file would be.
            const std::optional<EntrySummaryIndex::FileStamp> stamp =
                EntrySummaryIndex::stampOf(file);
            if (stamp && m_summaryIndex->find(indexKeyOf(file), *stamp))
                continue;
            m_indexedFiles.remove(file);
            onFileChanged(file);
            continue;
        }
        if (!m_watchedFiles.contains(file) && m_watcher.addPath(file))
            m_watchedFiles.insert(file);
    }
}
