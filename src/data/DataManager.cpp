#include "DataManager.h"

#include "EmbeddedDataAdapter.h"
#include "FileLoader.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSet>
#include <QTimer>

#include <algorithm>

namespace {

const QString kFilePathKey = QStringLiteral("_filePath");
const QString kEmbeddedKey = QStringLiteral("isEmbedded");
const QString kJsonSuffix = QStringLiteral(".json");

const char kBuiltInNews[] = R"([
  {
    "id": "builtin_news_001",
    "title": "工业软件资讯示例：云原生平台",
    "summary": "示例数据：某云原生工业软件平台实现计算资源弹性伸缩与分钟级快速部署。",
    "contentUrl": "https://news.example.com/articles/sample-cloud",
    "source": "内置示例",
    "categories": ["sample", "cloud"],
    "tags": ["示例"],
    "publishedAt": "2024-06-01T09:00:00",
    "updatedAt": "2024-06-01T09:00:00"
  },
  {
    "id": "builtin_news_002",
    "title": "工业仿真一体化示例案例",
    "summary": "示例数据：多物理场联合仿真将整车验证效率提升 40%。",
    "contentUrl": "https://news.example.com/articles/sample-multiphysics",
    "source": "内置示例",
    "categories": ["sample", "cae"],
    "tags": ["示例"],
    "publishedAt": "2024-05-26T10:30:00",
    "updatedAt": "2024-05-26T10:30:00"
  }
])";

QJsonObject pictureRecord(const QString& fileName, const QString& filePath)
{
    const QFileInfo info(fileName);
    QJsonObject record;
    record.insert(QStringLiteral("id"), info.completeBaseName());
    record.insert(QStringLiteral("name"), info.completeBaseName());
    record.insert(QStringLiteral("fileName"), fileName);
    record.insert(kFilePathKey, filePath);
    record.insert(QStringLiteral("type"), QStringLiteral("image"));
    record.insert(QStringLiteral("category"), QStringLiteral("pictures"));
    record.insert(
        QStringLiteral("description"),
        QJsonObject{{QStringLiteral("zh"), QStringLiteral("图片文件: %1").arg(fileName)},
                    {QStringLiteral("en"), QStringLiteral("Image file: %1").arg(fileName)}});
    return record;
}

// Embedded "*.json" keys below a "data/..." prefix, in key order.
QStringList embeddedJsonKeys(const QString& prefix)
{
    QStringList keys;
    for (const QString& key : EmbeddedDataAdapter::instance().getAvailableResources()) {
        if (key.startsWith(prefix) && key.endsWith(QLatin1String(".json")))
            keys << key;
    }
    return keys;
}

FileLoader::ListForm formOf(bool summaries)
{
    return summaries ? FileLoader::ListForm::Summary : FileLoader::ListForm::Full;
}

} // namespace

DataManager::DataManager(QObject* parent)
    : QObject(parent), m_fileLoader(std::make_unique<FileLoader>())
{
    connect(m_fileLoader.get(), &FileLoader::fileChanged, this, &DataManager::onFileChanged);
    connect(m_fileLoader.get(), &FileLoader::dataLoaded, this, &DataManager::onDataLoaded);
}

DataManager::~DataManager() = default;

// The non-empty embedded objects of keys, marked with where they came from.
QJsonArray DataManager::embeddedEntries(const QStringList& keys, bool summaries)
{
    EmbeddedDataAdapter& embedded = EmbeddedDataAdapter::instance();
    QJsonArray entries;
    for (const QString& key : keys) {
        if (!embedded.hasEmbeddedResource(key))
            continue;
        QJsonObject object =
            summaries ? m_fileLoader->embeddedSummary(key) : embedded.loadEmbeddedJson(key);
        if (object.isEmpty())
            continue;
        object = FileLoader::markedWithPath(std::move(object), key);
        object.insert(kEmbeddedKey, true);
        entries.append(object);
    }
    return entries;
}

void DataManager::setDataPath(const QString& path)
{
    m_warmUpFiles.clear();
    m_warmUpFolders.clear();
    m_dataPath = path;
    if (!m_dataPath.endsWith(QLatin1Char('/')))
        m_dataPath += QLatin1Char('/');
    m_fileLoader->setDataPath(m_dataPath);
}

void DataManager::initialize()
{
    qDebug().noquote() << "DataManager::initialize - Data path:" << m_dataPath;
    qDebug().noquote() << "DataManager::initialize - Current working directory:"
                       << QDir::currentPath();

    m_fileLoader->setDataPath(m_dataPath);
    // Entries are read when a list asks for them; the tree's come from the summary index.
    m_fileLoader->loadAllData(false);

    qDebug().noquote() << "DataManager::initialize - Loading categories configuration...";
    m_categories = m_fileLoader->getConfiguration(QStringLiteral("categories"));
    if (m_categories.isEmpty())
        qDebug().noquote() << "DataManager::initialize - Categories config is EMPTY!";
    qDebug().noquote() << "DataManager::initialize - Categories config loaded with keys:"
                       << m_categories.keys();
    qDebug() << "DataManager::initialize - Has softwareCategories:"
             << m_categories.contains(QLatin1String("softwareCategories"));
    qDebug() << "DataManager::initialize - Has technologyCategories:"
             << m_categories.contains(QLatin1String("technologyCategories"));
    qDebug() << "DataManager::initialize - Has disciplineCategories:"
             << m_categories.contains(QLatin1String("disciplineCategories"));

    emit dataLoaded();
}

QJsonObject DataManager::getCategories()
{
    if (m_categories.isEmpty())
        m_categories = m_fileLoader->getConfiguration(QStringLiteral("categories"));
    return m_categories;
}

void DataManager::mergeById(QJsonArray& output, QSet<QString>& seenIds, const QJsonArray& items,
                            bool replace)
{
    for (const QJsonValue& value : items) {
        if (!value.isObject())
            continue;
        const QJsonObject object = value.toObject();
        const QString id = object.value(QLatin1String("id")).toString();
        if (id.isEmpty()) {
            output.append(object);
            continue;
        }
        if (!seenIds.contains(id)) {
            seenIds.insert(id);
            output.append(object);
            continue;
        }
        if (!replace)
            continue;
        for (qsizetype i = 0; i < output.size(); ++i) {
            if (output.at(i).toObject().value(QLatin1String("id")).toString() == id) {
                output.replace(i, object);
                break;
            }
        }
    }
}

QJsonArray DataManager::getSoftwareList(const QString& category)
{
    return softwareList(category, false);
}

QJsonArray DataManager::getSoftwareSummaries(const QString& category)
{
    return softwareList(category, true);
}

QJsonArray DataManager::softwareList(const QString& category, bool summaries)
{
    const QString cacheKey =
        (summaries ? QStringLiteral("summary_software_") : QStringLiteral("software_")) + category;
    const auto cached = m_listCache.constFind(cacheKey);
    if (cached != m_listCache.cend())
        return cached.value();

    qDebug().noquote() << "DataManager::getSoftwareList - Checking embedded resources for category:"
                       << category;
    const QJsonArray embeddedItems = embeddedEntries(
        embeddedJsonKeys(QStringLiteral("data/software/") + category.toLower() + QLatin1Char('/')),
        summaries);
    if (!embeddedItems.isEmpty())
        qDebug().noquote() << "DataManager::getSoftwareList - Found" << embeddedItems.size()
                           << "embedded software items for" << category;

    qDebug().noquote() << "DataManager::getSoftwareList - Loading from file system for category:"
                       << category;
    const QJsonArray diskItems = m_fileLoader->getSoftwareList(category, formOf(summaries));
    qDebug().noquote() << "DataManager::getSoftwareList - FileLoader returned" << diskItems.size()
                       << "items";

    QJsonArray result;
    QSet<QString> seen;
    mergeById(result, seen, diskItems, true);
    mergeById(result, seen, embeddedItems, false);

    if (result.isEmpty())
        qDebug().noquote() << "WARNING: DataManager::getSoftwareList - No items found for category:"
                           << category;
    m_listCache.insert(cacheKey, result);
    return result;
}

QJsonArray DataManager::getCompaniesList()
{
    return companiesList(false);
}

QJsonArray DataManager::getCompaniesSummaries()
{
    return companiesList(true);
}

QJsonArray DataManager::companiesList(bool summaries)
{
    const QString cacheKey =
        summaries ? QStringLiteral("summary_companies") : QStringLiteral("companies");
    const auto cached = m_listCache.constFind(cacheKey);
    if (cached != m_listCache.cend())
        return cached.value();

    qDebug().noquote() << "DataManager::getCompaniesList - Checking embedded resources";
    const QStringList keys = embeddedJsonKeys(QStringLiteral("data/companies/"));
    qDebug().noquote() << "DataManager::getCompaniesList - Found" << keys.size()
                       << "company files in embedded resources:";
    for (const QString& key : keys)
        qDebug().noquote() << "  -" << key;

    QJsonArray result = embeddedEntries(keys, summaries);

    if (!result.isEmpty())
        qDebug().noquote() << "DataManager::getCompaniesList - Found" << result.size()
                           << "embedded companies";
    else
        result = m_fileLoader->getCompaniesList(formOf(summaries));

    m_listCache.insert(cacheKey, result);
    return result;
}

QJsonArray DataManager::getPicturesList()
{
    const QString cacheKey = QStringLiteral("pictures");
    const auto cached = m_listCache.constFind(cacheKey);
    if (cached != m_listCache.cend()) {
        qDebug().noquote() << "DataManager::getPicturesList - Returning cached pictures:"
                           << cached.value().size();
        return cached.value();
    }

    qDebug().noquote() << "DataManager::getPicturesList - Checking embedded resources for pictures";
    QJsonArray result;
    for (const QString& key : EmbeddedDataAdapter::instance().getAvailableResources()) {
        if (!key.startsWith(QLatin1String("data/pictures/")) ||
            !key.endsWith(QLatin1String(".png")))
            continue;
        QJsonObject record = pictureRecord(key.section(QLatin1Char('/'), -1), key);
        record.insert(QStringLiteral("extension"), QStringLiteral("png"));
        record.insert(kEmbeddedKey, true);
        result.append(record);
    }
    if (!result.isEmpty()) {
        qDebug().noquote() << "DataManager::getPicturesList - Found" << result.size()
                           << "embedded pictures";
        m_listCache.insert(cacheKey, result);
        return result;
    }

    const QString dirPath = m_dataPath + QStringLiteral("pictures");
    QDir dir(dirPath);
    qDebug().noquote() << "DataManager::getPicturesList - Looking for pictures in:" << dirPath;
    qDebug() << "DataManager::getPicturesList - Directory exists:" << dir.exists();
    if (!dir.exists()) {
        qDebug().noquote() << "DataManager::getPicturesList - Pictures directory does not exist!";
        return {};
    }

    result = diskPictureRecords(dirPath);
    m_listCache.insert(cacheKey, result);
    return result;
}

QJsonArray DataManager::diskPictureRecords(const QString& dirPath)
{
    const QStringList filters{QStringLiteral("*.png"),  QStringLiteral("*.jpg"),
                              QStringLiteral("*.jpeg"), QStringLiteral("*.gif"),
                              QStringLiteral("*.bmp"),  QStringLiteral("*.tiff"),
                              QStringLiteral("*.tif")};
    const QFileInfoList files = QDir(dirPath).entryInfoList(filters, QDir::Files);
    qDebug().noquote() << "DataManager::getPicturesList - Found" << files.size() << "image files";
    QJsonArray result;
    for (const QFileInfo& info : files) {
        QJsonObject record =
            pictureRecord(info.fileName(), dirPath + QLatin1Char('/') + info.fileName());
        record.insert(QStringLiteral("size"), QString::number(info.size()));
        record.insert(QStringLiteral("lastModified"), info.lastModified().toString(Qt::ISODate));
        record.insert(QStringLiteral("extension"), info.suffix().toLower());
        result.append(record);
    }
    return result;
}

QJsonArray DataManager::getTechnologiesList(const QString& subCategory)
{
    return technologiesList(subCategory, false);
}

QJsonArray DataManager::getTechnologiesSummaries(const QString& subCategory)
{
    return technologiesList(subCategory, true);
}

QJsonArray DataManager::technologiesList(const QString& subCategory, bool summaries)
{
    const QString cacheKey =
        (summaries ? QStringLiteral("summary_technologies_") : QStringLiteral("technologies_")) +
        subCategory;
    const auto cached = m_listCache.constFind(cacheKey);
    if (cached != m_listCache.cend())
        return cached.value();
    QJsonArray result = m_fileLoader->getTechnologiesList(subCategory, formOf(summaries));
    QString folder = QStringLiteral("technologies/");
    if (!subCategory.isEmpty())
        folder += subCategory + QLatin1Char('/');
    // An install without a data directory still has the compiled-in copy.
    if (result.isEmpty() && !QFileInfo(m_dataPath + folder).isDir())
        result = embeddedEntries(embeddedJsonKeys(QStringLiteral("data/") + folder), summaries);
    m_listCache.insert(cacheKey, result);
    return result;
}

std::vector<DirectoryListing::File> DataManager::entryFilesIn(const QString& dirPath) const
{
    std::vector<DirectoryListing::File> files = DirectoryListing::files(dirPath, kJsonSuffix);
    // The preferences store keeps the user's favourites and history beside the
    // knowledge base; they are no entry and must not turn up in lists or searches.
    if (QDir(dirPath) == QDir(m_dataPath)) {
        files.erase(std::remove_if(files.begin(), files.end(),
                                   [](const DirectoryListing::File& file) {
                                       return QFileInfo(file.path).fileName() ==
                                              QLatin1String("user_preferences.json");
                                   }),
                    files.end());
    }
    return files;
}

void DataManager::walkJsonFiles(const QString& dirPath, QJsonArray& result, const QString& keyword,
                                bool summaries)
{
    for (const DirectoryListing::File& file : entryFilesIn(dirPath)) {
        if (!keyword.isEmpty()) {
            // The file as written: its place on disk is no match.
            const QString text =
                QString::fromUtf8(QJsonDocument(m_fileLoader->loadJsonFile(file.path))
                                      .toJson(QJsonDocument::Indented));
            if (!text.contains(keyword, Qt::CaseInsensitive))
                continue;
        }
        const QJsonObject object = summaries ? m_fileLoader->listSummary(file.path, &file.stamp)
                                             : m_fileLoader->listEntry(file.path);
        if (!object.isEmpty())
            result.append(object);
    }
    for (const QString& sub : DirectoryListing::subfolders(dirPath))
        walkJsonFiles(sub, result, keyword, summaries);
}

QStringList DataManager::folderFiles(const QString& relativeFolder, const QString& suffix,
                                     bool* exists) const
{
    QStringList files;
    const QDir dir(m_dataPath + relativeFolder);
    if (dir.exists()) {
        if (exists)
            *exists = true;
        for (const QFileInfo& info : dir.entryInfoList({QLatin1Char('*') + suffix}, QDir::Files))
            files << dir.filePath(info.fileName());
        return files;
    }
    // An install without a data directory still has the compiled-in copy.
    const QString prefix = QStringLiteral("data/") + relativeFolder + QLatin1Char('/');
    bool found = false;
    for (const QString& key : EmbeddedDataAdapter::instance().getAvailableResources()) {
        if (!key.startsWith(prefix))
            continue;
        found = true;
        if (key.endsWith(suffix, Qt::CaseInsensitive) &&
            !QStringView(key).mid(prefix.size()).contains(QLatin1Char('/')))
            files << key;
    }
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    if (exists)
        *exists = found;
    return files;
}

QJsonArray DataManager::getDisciplinesList(const QString& subPath)
{
    return disciplinesList(subPath, false);
}

QJsonArray DataManager::getDisciplinesSummaries(const QString& subPath)
{
    return disciplinesList(subPath, true);
}

QJsonArray DataManager::disciplinesList(const QString& subPath, bool summaries)
{
    QString dirPath = m_dataPath + QStringLiteral("disciplines");
    if (!subPath.isEmpty())
        dirPath += QLatin1Char('/') + subPath;
    QJsonArray result;
    if (QFileInfo(dirPath).isDir()) {
        walkJsonFiles(dirPath, result, {}, summaries);
        return result;
    }
    // No folder on disk: the embedded entries below it, subfolders included.
    QString prefix = QStringLiteral("data/disciplines/");
    if (!subPath.isEmpty())
        prefix += subPath + QLatin1Char('/');
    return embeddedEntries(embeddedJsonKeys(prefix), summaries);
}

QJsonArray DataManager::searchInFiles(const QString& keyword)
{
    if (keyword.isEmpty())
        return {};
    QJsonArray result;
    if (QFileInfo(m_dataPath).isDir())
        walkJsonFiles(m_dataPath, result, keyword);
    emit searchCompleted(result);
    return result;
}

QJsonArray DataManager::getAllEntries()
{
    QJsonArray result;
    if (QFileInfo(m_dataPath).isDir())
        walkJsonFiles(m_dataPath, result);
    return result;
}

QJsonObject DataManager::loadJsonFile(const QString& filePath)
{
    return m_fileLoader->loadJsonFile(filePath);
}

QJsonArray DataManager::extractNewsItems(const QJsonDocument& document)
{
    if (document.isArray())
        return document.array();
    if (!document.isObject())
        return {};
    const QJsonObject object = document.object();
    const QJsonArray items = object.value(QLatin1String("items")).toArray();
    if (items.isEmpty() && object.contains(QLatin1String("title")))
        return QJsonArray{object};
    return items;
}

QJsonArray DataManager::loadLocalNewsFallback()
{
    const QString diskPath = m_dataPath + QStringLiteral("news/local_news.json");
    QFile file(diskPath);
    if (file.open(QIODevice::ReadOnly)) {
        const QJsonArray items = extractNewsItems(QJsonDocument::fromJson(file.readAll()));
        if (!items.isEmpty())
            return items;
        qWarning().noquote() << "DataManager::loadLocalNewsFallback - Local news file parsed empty:"
                             << diskPath;
    } else {
        qWarning().noquote() << "DataManager::loadLocalNewsFallback - Failed to open" << diskPath;
    }

    const QString embeddedKey = QStringLiteral("data/news/local_news.json");
    EmbeddedDataAdapter& embedded = EmbeddedDataAdapter::instance();
    if (embedded.hasEmbeddedResource(embeddedKey)) {
        const QString text = embedded.loadEmbeddedText(embeddedKey);
        if (text.isEmpty()) {
            const QJsonArray items =
                extractNewsItems(QJsonDocument(embedded.loadEmbeddedJson(embeddedKey)));
            if (!items.isEmpty()) {
                qDebug().noquote()
                    << "DataManager::loadLocalNewsFallback - Loaded embedded local news object"
                    << items.size();
                return items;
            }
        } else {
            const QJsonArray items = extractNewsItems(QJsonDocument::fromJson(text.toUtf8()));
            if (!items.isEmpty()) {
                qDebug().noquote()
                    << "DataManager::loadLocalNewsFallback - Loaded embedded local news"
                    << items.size();
                return items;
            }
        }
    } else {
        qWarning().noquote() << "DataManager::loadLocalNewsFallback - Embedded resource not found:"
                             << embeddedKey;
    }

    const QJsonArray builtIn = builtInNewsItems();
    if (builtIn.isEmpty())
        return {};
    qDebug().noquote() << "DataManager::loadLocalNewsFallback - Loaded built-in news fallback"
                       << builtIn.size();
    return builtIn;
}

QJsonArray DataManager::builtInNewsItems()
{
    return extractNewsItems(QJsonDocument::fromJson(QByteArray(kBuiltInNews)));
}

void DataManager::setNewsItems(const QJsonArray& items, const QDateTime& timestamp)
{
    m_newsItems = items;
    m_newsTimestamp = timestamp;
    emit newsItemsUpdated(items, timestamp);
}

void DataManager::warmUp()
{
    m_warmUpFiles.clear();
    m_warmUpFolders.clear();
    if (!QFileInfo(m_dataPath).isDir())
        return;
    m_warmUpFolders << m_dataPath;
    QTimer::singleShot(0, this, &DataManager::warmUpStep);
}

void DataManager::warmUpStep()
{
    // A step stays well below a frame, whatever the size of the knowledge base.
    constexpr int kFilesPerStep = 24;
    if (!isWarmingUp())
        return; // stopped by a change of the data directory
    warmUpFiles(kFilesPerStep);
    if (isWarmingUp())
        QTimer::singleShot(0, this, &DataManager::warmUpStep);
    else
        emit warmUpFinished();
}

bool DataManager::continueWarmUp(int budgetMs)
{
    if (!isWarmingUp())
        return true;
    QElapsedTimer clock;
    clock.start();
    do
        warmUpFiles(4);
    while (isWarmingUp() && clock.elapsed() < budgetMs);
    if (isWarmingUp())
        return false;
    // The step still queued finds nothing left and returns quietly.
    emit warmUpFinished();
    return true;
}

void DataManager::warmUpFiles(int count)
{
    if (m_warmUpFiles.isEmpty() && !m_warmUpFolders.isEmpty()) {
        const QString folder = m_warmUpFolders.takeFirst();
        for (const DirectoryListing::File& file : entryFilesIn(folder))
            m_warmUpFiles << file.path;
        m_warmUpFolders << DirectoryListing::subfolders(folder);
    }
    for (int i = 0; i < count && !m_warmUpFiles.isEmpty(); ++i)
        m_fileLoader->listEntry(m_warmUpFiles.takeFirst());
}

void DataManager::clearListCache()
{
    m_listCache.clear();
    ++m_listGeneration;
}

void DataManager::onFileChanged(const QString& filePath)
{
    clearListCache();
    emit dataChanged(filePath);
}

void DataManager::onDataLoaded()
{
    emit dataLoaded();
}
