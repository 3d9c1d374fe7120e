#include "UserPreferences.h"

#include "data/AtomicFileWriter.h"
#include "data/CorruptFileKeeper.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>

namespace {

const char* const kPreferencesFileName = "user_preferences.json";

// Parses `bytes` as a preferences object; anything else (broken JSON, another
// JSON shape) is refused with a reason in `error`.
bool parsePreferences(const QByteArray& bytes, QJsonObject* root, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = parseError.errorString();
        return false;
    }
    const QJsonObject object = document.object();
    const auto wrongType = [&object](const char* key, bool (QJsonValue::*isType)() const) {
        const QString name = QLatin1String(key);
        return object.contains(name) && !(object.value(name).*isType)();
    };
    if (!document.isObject() || wrongType("favorites", &QJsonValue::isArray) ||
        wrongType("history", &QJsonValue::isArray) ||
        wrongType("searchHistory", &QJsonValue::isArray) ||
        wrongType("settings", &QJsonValue::isObject)) {
        *error = QStringLiteral("not a preferences object");
        return false;
    }
    *root = object;
    return true;
}

bool readFile(const QString& path, QByteArray* bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    return true;
}

void sortByAccessTime(QList<HistoryItem>& history)
{
    std::stable_sort(
        history.begin(), history.end(),
        [](const HistoryItem& a, const HistoryItem& b) { return a.accessTime > b.accessTime; });
}

} // namespace

UserPreferences::UserPreferences(QObject* parent)
    : QObject(parent), defaultCategory(QStringLiteral("all")),
      defaultViewMode(QStringLiteral("content")), preferredLanguage(QStringLiteral("zh_CN")),
      autoSaveHistory(true), maxHistoryItems(100), maxSearchHistory(50), showThumbnails(true),
      themeMode(QStringLiteral("system"))
{
}

UserPreferences::~UserPreferences()
{
    if (m_loaded)
        savePreferences();
}

void UserPreferences::reportError(const char* method, const QString& error)
{
    // Warnings reach the log console; the signal alone would go unnoticed.
    qWarning().noquote()
        << QStringLiteral("UserPreferences::%1 - %2").arg(QLatin1String(method), error);
    emit dataError(error);
}

bool UserPreferences::initialize(const QString& dataPath)
{
    m_dataPath = dataPath;
    m_filePath = m_dataPath + QLatin1Char('/') + QLatin1String(kPreferencesFileName);
    m_unreadableFileOnDisk = false;

    QDir dir(m_dataPath);
    if (!dir.exists() && !dir.mkpath(QStringLiteral("."))) {
        reportError("initialize", tr("无法创建数据目录: ") + m_dataPath);
        return false;
    }

    const bool loaded = loadPreferences();
    if (loaded) {
        m_loaded = true;
        emit dataLoaded();
    }
    return loaded;
}

bool UserPreferences::loadPreferences()
{
    if (!QFileInfo::exists(m_filePath)) {
        qDebug().noquote() << "UserPreferences::loadPreferences - 用户偏好文件不存在，使用默认设置:"
                           << m_filePath;
        return true;
    }

    QByteArray bytes;
    QString error;
    if (!readFile(m_filePath, &bytes, &error)) {
        m_unreadableFileOnDisk = true;
        reportError("loadPreferences", tr("无法读取用户偏好文件: ") + m_filePath);
        return false;
    }
    QJsonObject root;
    if (!parsePreferences(bytes, &root, &error)) {
        m_unreadableFileOnDisk = true;
        reportError("loadPreferences", tr("用户偏好文件格式错误: ") + error);
        return false;
    }

    m_favorites.clear();
    m_history.clear();
    m_searchHistory.clear();
    const QJsonArray favorites = root.value(QLatin1String("favorites")).toArray();
    for (const QJsonValue& value : favorites)
        m_favorites.append(FavoriteItem::fromJson(value.toObject()));
    const QJsonArray history = root.value(QLatin1String("history")).toArray();
    for (const QJsonValue& value : history)
        m_history.append(HistoryItem::fromJson(value.toObject()));
    const QJsonArray searches = root.value(QLatin1String("searchHistory")).toArray();
    for (const QJsonValue& value : searches)
        m_searchHistory.append(SearchHistoryItem::fromJson(value.toObject()));

    if (root.contains(QLatin1String("settings"))) {
        const QJsonObject settings = root.value(QLatin1String("settings")).toObject();
        defaultCategory =
            settings.value(QLatin1String("defaultCategory")).toString(QStringLiteral("all"));
        defaultViewMode =
            settings.value(QLatin1String("defaultViewMode")).toString(QStringLiteral("content"));
        preferredLanguage =
            settings.value(QLatin1String("preferredLanguage")).toString(QStringLiteral("zh_CN"));
        autoSaveHistory = settings.value(QLatin1String("autoSaveHistory")).toBool(true);
        maxHistoryItems = settings.value(QLatin1String("maxHistoryItems")).toInt(100);
        maxSearchHistory = settings.value(QLatin1String("maxSearchHistory")).toInt(50);
        showThumbnails = settings.value(QLatin1String("showThumbnails")).toBool(true);
        themeMode = settings.value(QLatin1String("themeMode")).toString(QStringLiteral("system"));
    }

    trimHistory();
    if (m_searchHistory.size() > maxSearchHistory)
        m_searchHistory = m_searchHistory.mid(0, qMax(0, maxSearchHistory));

    m_unreadableFileOnDisk = false;
    qDebug().noquote() << "UserPreferences::loadPreferences - 用户偏好已加载:" << m_favorites.size()
                       << "个收藏," << m_history.size() << "个历史记录," << m_searchHistory.size()
                       << "个搜索历史";
    return true;
}

bool UserPreferences::keepUnreadableFile()
{
    if (!QFileInfo(m_filePath).isFile()) {
        m_unreadableFileOnDisk = false;
        return true;
    }
    QString error;
    const QString keptPath = CorruptFileKeeper::keepAside(m_filePath, &error);
    if (keptPath.isEmpty()) {
        qWarning().noquote()
            << "UserPreferences::savePreferences - 无法保留无法读取的用户偏好文件，未保存:"
            << m_filePath << error;
        return false;
    }
    qWarning().noquote() << "UserPreferences::savePreferences - 无法读取的用户偏好文件已另存为:"
                         << keptPath;
    m_unreadableFileOnDisk = false;
    return true;
}

bool UserPreferences::savePreferences()
{
    if (m_filePath.isEmpty())
        return false;

    QJsonArray favorites;
    for (const FavoriteItem& item : std::as_const(m_favorites))
        favorites.append(item.toJson());
    QJsonArray history;
    for (const HistoryItem& item : std::as_const(m_history))
        history.append(item.toJson());
    QJsonArray searches;
    for (const SearchHistoryItem& item : std::as_const(m_searchHistory))
        searches.append(item.toJson());

    QJsonObject settings;
    settings.insert(QStringLiteral("defaultCategory"), defaultCategory);
    settings.insert(QStringLiteral("defaultViewMode"), defaultViewMode);
    settings.insert(QStringLiteral("preferredLanguage"), preferredLanguage);
    settings.insert(QStringLiteral("autoSaveHistory"), autoSaveHistory);
    settings.insert(QStringLiteral("maxHistoryItems"), maxHistoryItems);
    settings.insert(QStringLiteral("maxSearchHistory"), maxSearchHistory);
    settings.insert(QStringLiteral("showThumbnails"), showThumbnails);
    settings.insert(QStringLiteral("themeMode"), themeMode);

    QJsonObject root;
    root.insert(QStringLiteral("favorites"), favorites);
    root.insert(QStringLiteral("history"), history);
    root.insert(QStringLiteral("searchHistory"), searches);
    root.insert(QStringLiteral("settings"), settings);
    root.insert(QStringLiteral("version"), QStringLiteral("1.0"));
    root.insert(QStringLiteral("lastModified"), QDateTime::currentDateTime().toString(Qt::ISODate));
    root.insert(QStringLiteral("favoritesCount"), static_cast<int>(m_favorites.size()));
    root.insert(QStringLiteral("historyCount"), static_cast<int>(m_history.size()));
    root.insert(QStringLiteral("searchHistoryCount"), static_cast<int>(m_searchHistory.size()));

    if (m_unreadableFileOnDisk && !keepUnreadableFile()) {
        reportError("savePreferences", tr("无法保存用户偏好文件: ") + m_filePath);
        return false;
    }

    QString error;
    if (!AtomicFileWriter::write(m_filePath, QJsonDocument(root).toJson(QJsonDocument::Indented),
                                 &error)) {
        qWarning().noquote() << "UserPreferences::savePreferences - 错误:" << error;
        reportError("savePreferences", tr("无法保存用户偏好文件: ") + m_filePath);
        return false;
    }
    qDebug().noquote() << "UserPreferences::savePreferences - 用户偏好已保存到:" << m_filePath;
    return true;
}

QString UserPreferences::generateId(const QString& name, const QString& category)
{
    const QString text = name + QLatin1Char('_') + category + QLatin1Char('_') +
                         QString::number(QDateTime::currentMSecsSinceEpoch());
    const QByteArray digest = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5);
    return QString::fromLatin1(digest.toHex().left(16));
}

bool UserPreferences::addFavorite(const QString& id, const QString& name, const QString& category,
                                  const QString& filePath, const QString& description)
{
    if (isFavorite(id))
        return false;
    FavoriteItem item;
    item.id = id.isEmpty() ? generateId(name, category) : id;
    item.name = name;
    item.category = category;
    item.filePath = filePath;
    item.addTime = QDateTime::currentDateTime();
    item.description = description;
    m_favorites.append(item);
    savePreferences();
    emit favoritesChanged();
    return true;
}

bool UserPreferences::removeFavorite(const QString& id)
{
    for (int i = 0; i < m_favorites.size(); ++i) {
        if (m_favorites.at(i).id == id) {
            m_favorites.removeAt(i);
            savePreferences();
            emit favoritesChanged();
            return true;
        }
    }
    return false;
}

bool UserPreferences::isFavorite(const QString& id) const
{
    return std::any_of(m_favorites.cbegin(), m_favorites.cend(),
                       [&id](const FavoriteItem& item) { return item.id == id; });
}

void UserPreferences::clearFavorites()
{
    m_favorites.clear();
    savePreferences();
    emit favoritesChanged();
}

QList<FavoriteItem> UserPreferences::getFavorites() const
{
    return m_favorites;
}

QList<FavoriteItem> UserPreferences::getFavoritesByCategory(const QString& category) const
{
    if (category.isEmpty())
        return m_favorites;
    QList<FavoriteItem> result;
    for (const FavoriteItem& item : m_favorites) {
        if (item.category == category)
            result.append(item);
    }
    return result;
}

void UserPreferences::trimHistory()
{
    if (m_history.size() <= maxHistoryItems)
        return;
    sortByAccessTime(m_history);
    m_history = m_history.mid(0, qMax(0, maxHistoryItems));
}

void UserPreferences::addToHistory(const QString& id, const QString& name, const QString& category,
                                   const QString& filePath, const QString& searchQuery)
{
    if (!autoSaveHistory)
        return;

    const QDateTime now = QDateTime::currentDateTime();
    auto found = std::find_if(m_history.begin(), m_history.end(),
                              [&id](const HistoryItem& item) { return item.id == id; });
    if (found != m_history.end()) {
        found->accessTime = now;
        found->accessCount += 1;
        if (!searchQuery.isEmpty())
            found->searchQuery = searchQuery;
    } else {
        HistoryItem item;
        item.id = id.isEmpty() ? generateId(name, category) : id;
        item.name = name;
        item.category = category;
        item.filePath = filePath;
        item.accessTime = now;
        item.accessCount = 1;
        item.searchQuery = searchQuery;
        m_history.append(item);
    }
    trimHistory();
    savePreferences();
    emit historyChanged();
}

void UserPreferences::removeFromHistory(const QString& id)
{
    for (int i = 0; i < m_history.size(); ++i) {
        if (m_history.at(i).id == id) {
            m_history.removeAt(i);
            savePreferences();
            emit historyChanged();
            return;
        }
    }
}

void UserPreferences::clearHistory()
{
    m_history.clear();
    savePreferences();
    emit historyChanged();
}

QList<HistoryItem> UserPreferences::getHistory() const
{
    return m_history;
}

QList<HistoryItem> UserPreferences::getRecentHistory(int limit) const
{
    QList<HistoryItem> result = m_history;
    sortByAccessTime(result);
    if (limit > 0 && limit < result.size())
        result = result.mid(0, limit);
    return result;
}

QList<HistoryItem> UserPreferences::getFrequentHistory(int limit) const
{
    QList<HistoryItem> result = m_history;
    std::stable_sort(result.begin(), result.end(), [](const HistoryItem& a, const HistoryItem& b) {
        if (a.accessCount != b.accessCount)
            return a.accessCount > b.accessCount;
        return a.accessTime > b.accessTime;
    });
    if (limit > 0 && limit < result.size())
        result = result.mid(0, limit);
    return result;
}

QList<SearchHistoryItem> UserPreferences::getSearchHistory() const
{
    return m_searchHistory;
}

QList<SearchHistoryItem> UserPreferences::getRecentSearches(int limit) const
{
    if (limit > 0 && limit < m_searchHistory.size())
        return m_searchHistory.mid(0, limit);
    return m_searchHistory;
}

void UserPreferences::clearSearchHistory()
{
    m_searchHistory.clear();
    savePreferences();
    emit historyChanged();
}

bool UserPreferences::exportPreferences(const QString& fileName) const
{
    QByteArray bytes;
    QString error;
    if (!readFile(m_filePath, &bytes, &error)) {
        qWarning().noquote() << "UserPreferences::exportPreferences - 无法读取用户偏好文件:"
                             << m_filePath << error;
        return false;
    }
    if (!AtomicFileWriter::write(fileName, bytes, &error)) {
        qWarning().noquote() << "UserPreferences::exportPreferences - 无法写入:" << fileName
                             << error;
        return false;
    }
    return true;
}

bool UserPreferences::importPreferences(const QString& fileName)
{
    if (m_filePath.isEmpty())
        return false;

    QByteArray incoming;
    QString error;
    if (!readFile(fileName, &incoming, &error)) {
        qWarning().noquote() << "UserPreferences::importPreferences - 无法读取导入文件:" << fileName
                             << error;
        return false;
    }
    QJsonObject parsed;
    if (!parsePreferences(incoming, &parsed, &error)) {
        qWarning().noquote()
            << "UserPreferences::importPreferences - 导入文件不是有效的用户偏好文件:" << fileName
            << error;
        return false;
    }

    if (m_unreadableFileOnDisk && !keepUnreadableFile())
        return false;

    // Always back up the state being replaced, so an import can be undone by hand.
    if (QFileInfo::exists(m_filePath)) {
        QByteArray current;
        const QString backupPath = m_filePath + QStringLiteral(".backup");
        if (!readFile(m_filePath, &current, &error) ||
            !AtomicFileWriter::write(backupPath, current, &error)) {
            qWarning().noquote() << "UserPreferences::importPreferences - 无法备份用户偏好文件:"
                                 << backupPath << error;
            return false;
        }
    }

    if (!AtomicFileWriter::write(m_filePath, incoming, &error)) {
        qWarning().noquote() << "UserPreferences::importPreferences - 无法写入用户偏好文件:"
                             << m_filePath << error;
        return false;
    }
    const bool loaded = loadPreferences();
    if (loaded)
        m_loaded = true;
    return loaded;
}
