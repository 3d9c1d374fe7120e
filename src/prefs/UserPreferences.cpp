#include "UserPreferences.h"

#include "data/AtomicFileWriter.h"
#include "data/CorruptFileKeeper.h"
#include "data/PerUserFolder.h"
#include "data/StoreFileContents.h"
#include "data/StoreFileLock.h"
#include "data/UserFileTakeover.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>

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

// The keys this store writes itself; any other top-level key is kept as found.
const QSet<QString>& ownFileKeys()
{
    static const QSet<QString> keys{
        QStringLiteral("favorites"),         QStringLiteral("history"),
        QStringLiteral("searchHistory"),     QStringLiteral("settings"),
        QStringLiteral("version"),           QStringLiteral("lastModified"),
        QStringLiteral("favoritesCount"),    QStringLiteral("historyCount"),
        QStringLiteral("searchHistoryCount")};
    return keys;
}

const QSet<QString>& ownSettingKeys()
{
    static const QSet<QString> keys{
        QStringLiteral("defaultCategory"),   QStringLiteral("defaultViewMode"),
        QStringLiteral("preferredLanguage"), QStringLiteral("autoSaveHistory"),
        QStringLiteral("maxHistoryItems"),   QStringLiteral("maxSearchHistory"),
        QStringLiteral("showThumbnails"),    QStringLiteral("themeMode")};
    return keys;
}

// Reads the objects of the array `key`; false (list untouched) when the member
// is there but no array. Entries that are no object are left out and noted.
template <typename Item>
bool readList(const QJsonObject& root, const char* key, QList<Item>* list, QStringList* problems)
{
    const QString name = QLatin1String(key);
    const QJsonValue value = root.value(name);
    if (!root.contains(name)) {
        list->clear();
        return true;
    }
    if (!value.isArray()) {
        problems->append(QCoreApplication::translate("UserPreferences", "“%1” 不是数组").arg(name));
        return false;
    }
    QList<Item> items;
    bool allObjects = true;
    const QJsonArray array = value.toArray();
    for (const QJsonValue& entry : array) {
        if (entry.isObject())
            items.append(Item::fromJson(entry.toObject()));
        else
            allObjects = false;
    }
    if (!allObjects)
        problems->append(
            QCoreApplication::translate("UserPreferences", "“%1” 中有不是对象的条目").arg(name));
    *list = items;
    return true;
}

QString saveError(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("UserPreferences", "无法保存用户偏好文件: %1\n原因: %2")
        .arg(QDir::toNativeSeparators(QDir::cleanPath(path)), reason);
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
    // Every change was written when it was made (or undone when it could not
    // be): writing again here would only put back what another copy changed since.
}

void UserPreferences::reportError(const char* method, const QString& error)
{
    // Warnings reach the log console; the signal alone would go unnoticed.
    qWarning().noquote()
        << QStringLiteral("UserPreferences::%1 - %2").arg(QLatin1String(method), error);
    emit dataError(error);
}

bool UserPreferences::initializeForUser(const QString& dataPath, const QString& userFolder)
{
    const QString folder = userFolder.isEmpty() ? PerUserFolder::path() : userFolder;
    if (folder.isEmpty()) {
        m_dataPath.clear();
        m_filePath.clear();
        reportError("initialize", tr("系统没有提供用户数据目录，无法保存用户偏好"));
        return false;
    }
    // initialize() reports a folder that cannot be created.
    if (QDir().mkpath(folder))
        takeOverFrom(dataPath, folder);
    return initialize(folder);
}

void UserPreferences::takeOverFrom(const QString& dataPath, const QString& folder)
{
    const QString fileName = QLatin1String(kPreferencesFileName);
    const QString userFile = QDir(folder).filePath(fileName);
    if (dataPath.isEmpty() || QFileInfo::exists(userFile) ||
        !QFileInfo(QDir(dataPath).filePath(fileName)).isFile())
        return;
    const StoreFileLock lock(userFile);
    if (!lock.isLocked()) {
        // Another copy is at it; the file will be there when the lock is free.
        qWarning().noquote() << "UserPreferences::initialize - 错误:" << lock.errorString();
        return;
    }
    const UserFileTakeover::Result result =
        UserFileTakeover::takeOver(dataPath, folder, fileName, {QStringLiteral(".backup")});
    for (const QString& copied : result.copied)
        qDebug().noquote() << "UserPreferences::initialize - 已从数据目录接管用户偏好文件:"
                           << copied;
    if (!result.ok())
        reportError("initialize",
                    tr("无法从数据目录接管用户偏好文件: %1\n原因: %2")
                        .arg(QDir::toNativeSeparators(result.failedPath), result.error));
}

bool UserPreferences::initialize(const QString& folder)
{
    m_dataPath = folder;
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
        m_diskFingerprint = StoreFileContents().fingerprint();
        return true;
    }

    const StoreFileLock lock(m_filePath);
    const StoreFileContents contents = StoreFileContents::read(m_filePath);
    m_diskFingerprint = contents.fingerprint();
    if (contents.status != StoreFileContents::Read) {
        m_unreadableFileOnDisk = true;
        m_keptFiles.append({m_filePath, QString(), contents.error});
        reportError("loadPreferences", tr("无法读取用户偏好文件: ") + m_filePath);
        return false;
    }
    m_unreadableFileOnDisk = false;
    if (lock.isLocked())
        AtomicFileWriter::removeLeftovers(m_filePath, 0);

    QString error;
    if (!adoptFileContents(contents.bytes, &error)) {
        keepDamagedCopy(contents.bytes, error);
        reportError("loadPreferences", tr("用户偏好文件格式错误: ") + error);
        return false;
    }
    qDebug().noquote() << "UserPreferences::loadPreferences - 用户偏好已加载:" << m_favorites.size()
                       << "个收藏," << m_history.size() << "个历史记录," << m_searchHistory.size()
                       << "个搜索历史";
    return true;
}

bool UserPreferences::adoptFileContents(const QByteArray& bytes, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = parseError.errorString();
        return false;
    }
    if (!document.isObject()) {
        *error = QStringLiteral("not a preferences object");
        return false;
    }

    // Whatever is well-formed is taken; a malformed member leaves what memory
    // holds in its place, and the file is kept aside as found.
    const QJsonObject root = document.object();
    QStringList problems;
    readList(root, "favorites", &m_favorites, &problems);
    readList(root, "history", &m_history, &problems);
    readList(root, "searchHistory", &m_searchHistory, &problems);

    const QJsonValue settingsValue = root.value(QLatin1String("settings"));
    if (root.contains(QLatin1String("settings")) && !settingsValue.isObject()) {
        problems.append(tr("“settings” 不是对象"));
    } else if (root.contains(QLatin1String("settings"))) {
        const QJsonObject settings = settingsValue.toObject();
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
        QJsonObject extraSettings;
        for (auto it = settings.constBegin(); it != settings.constEnd(); ++it) {
            if (!ownSettingKeys().contains(it.key()))
                extraSettings.insert(it.key(), it.value());
        }
        m_extraSettings = extraSettings;
    }

    QJsonObject extraKeys;
    for (auto it = root.constBegin(); it != root.constEnd(); ++it) {
        if (!ownFileKeys().contains(it.key()))
            extraKeys.insert(it.key(), it.value());
    }
    m_extraKeys = extraKeys;

    trimHistory();
    if (m_searchHistory.size() > maxSearchHistory)
        m_searchHistory = m_searchHistory.mid(0, qMax(0, maxSearchHistory));

    if (!problems.isEmpty()) {
        const QString reason = problems.join(QStringLiteral("；"));
        keepDamagedCopy(bytes, reason);
        reportError("loadPreferences", tr("用户偏好文件部分损坏: ") + reason);
    }
    return true;
}

void UserPreferences::keepDamagedCopy(const QByteArray& bytes, const QString& reason)
{
    QString error;
    const QString keptPath = CorruptFileKeeper::keepCopy(m_filePath, bytes, &error);
    if (keptPath.isEmpty()) {
        // Not kept: the file itself is moved aside before the next write.
        qWarning().noquote() << "UserPreferences::loadPreferences - 无法保留无法读取的用户偏好文件:"
                             << m_filePath << error;
        m_unreadableFileOnDisk = true;
        m_keptFiles.append({m_filePath, QString(), reason});
        return;
    }
    qWarning().noquote() << "UserPreferences::loadPreferences - 无法读取的用户偏好文件已另存为:"
                         << keptPath;
    m_keptFiles.append({m_filePath, keptPath, reason});
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
        m_lastError = saveError(m_filePath, error);
        return false;
    }
    qWarning().noquote() << "UserPreferences::savePreferences - 无法读取的用户偏好文件已另存为:"
                         << keptPath;
    m_unreadableFileOnDisk = false;
    return true;
}

bool UserPreferences::syncWithDisk()
{
    const StoreFileContents contents = StoreFileContents::read(m_filePath);
    const QByteArray fingerprint = contents.fingerprint();
    if (fingerprint == m_diskFingerprint)
        return false;
    m_diskFingerprint = fingerprint;
    qDebug().noquote() << "UserPreferences::syncWithDisk - 用户偏好文件已被更改，重新读取:"
                       << m_filePath;

    switch (contents.status) {
    case StoreFileContents::Missing:
        // Removed elsewhere: the lists start empty, as on a first start.
        m_unreadableFileOnDisk = false;
        m_favorites.clear();
        m_history.clear();
        m_searchHistory.clear();
        return true;
    case StoreFileContents::Unreadable:
        qWarning().noquote() << "UserPreferences::syncWithDisk - 无法读取用户偏好文件:"
                             << m_filePath << contents.error;
        m_unreadableFileOnDisk = true;
        return false;
    case StoreFileContents::Read:
        break;
    }
    m_unreadableFileOnDisk = false;
    QString error;
    if (!adoptFileContents(contents.bytes, &error)) {
        // Our last good state is written over it; the damaged bytes are kept.
        keepDamagedCopy(contents.bytes, error);
        qWarning().noquote() << "UserPreferences::syncWithDisk - 用户偏好文件格式错误:" << error;
        return false;
    }
    return true;
}

UserPreferences::Outcome UserPreferences::commitChange(const std::function<bool()>& apply)
{
    m_lastError.clear();
    if (m_filePath.isEmpty()) {
        m_lastError = tr("用户偏好文件尚未设置");
        return Outcome::Failed;
    }
    Outcome outcome = Outcome::Saved;
    bool reloaded = false;
    {
        const StoreFileLock lock(m_filePath);
        if (!lock.isLocked()) {
            qWarning().noquote() << "UserPreferences::savePreferences - 错误:"
                                 << lock.errorString();
            m_lastError = saveError(m_filePath, lock.errorString());
            reportError("savePreferences", tr("无法保存用户偏好文件: ") + m_filePath);
            return Outcome::Failed;
        }
        reloaded = syncWithDisk();
        const QList<FavoriteItem> favorites = m_favorites;
        const QList<HistoryItem> history = m_history;
        const QList<SearchHistoryItem> searches = m_searchHistory;
        if (!apply()) {
            outcome = Outcome::NotApplied;
        } else if (!writeFile()) {
            // Memory stays what the file says.
            m_favorites = favorites;
            m_history = history;
            m_searchHistory = searches;
            outcome = Outcome::Failed;
        }
    }
    if (reloaded) {
        emit favoritesChanged();
        emit historyChanged();
    }
    return outcome;
}

QByteArray UserPreferences::fileBytes() const
{
    QJsonArray favorites;
    for (const FavoriteItem& item : std::as_const(m_favorites))
        favorites.append(item.toJson());
    QJsonArray history;
    for (const HistoryItem& item : std::as_const(m_history))
        history.append(item.toJson());
    QJsonArray searches;
    for (const SearchHistoryItem& item : std::as_const(m_searchHistory))
        searches.append(item.toJson());

    QJsonObject settings = m_extraSettings;
    settings.insert(QStringLiteral("defaultCategory"), defaultCategory);
    settings.insert(QStringLiteral("defaultViewMode"), defaultViewMode);
    settings.insert(QStringLiteral("preferredLanguage"), preferredLanguage);
    settings.insert(QStringLiteral("autoSaveHistory"), autoSaveHistory);
    settings.insert(QStringLiteral("maxHistoryItems"), maxHistoryItems);
    settings.insert(QStringLiteral("maxSearchHistory"), maxSearchHistory);
    settings.insert(QStringLiteral("showThumbnails"), showThumbnails);
    settings.insert(QStringLiteral("themeMode"), themeMode);

    QJsonObject root = m_extraKeys;
    root.insert(QStringLiteral("favorites"), favorites);
    root.insert(QStringLiteral("history"), history);
    root.insert(QStringLiteral("searchHistory"), searches);
    root.insert(QStringLiteral("settings"), settings);
    root.insert(QStringLiteral("version"), QStringLiteral("1.0"));
    root.insert(QStringLiteral("lastModified"), QDateTime::currentDateTime().toString(Qt::ISODate));
    root.insert(QStringLiteral("favoritesCount"), static_cast<int>(m_favorites.size()));
    root.insert(QStringLiteral("historyCount"), static_cast<int>(m_history.size()));
    root.insert(QStringLiteral("searchHistoryCount"), static_cast<int>(m_searchHistory.size()));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool UserPreferences::savePreferences()
{
    if (m_filePath.isEmpty())
        return false;
    return commitChange([] { return true; }) == Outcome::Saved;
}

bool UserPreferences::writeFile()
{
    const QByteArray bytes = fileBytes();
    if (m_unreadableFileOnDisk && !keepUnreadableFile()) {
        reportError("savePreferences", tr("无法保存用户偏好文件: ") + m_filePath);
        return false;
    }
    // Under the lock no other write of this file runs: whatever temporary file
    // is there was left by a copy that died.
    AtomicFileWriter::removeLeftovers(m_filePath, 0);

    QString error;
    if (!AtomicFileWriter::write(m_filePath, bytes, &error)) {
        qWarning().noquote() << "UserPreferences::savePreferences - 错误:" << error;
        m_lastError = saveError(m_filePath, error);
        reportError("savePreferences", tr("无法保存用户偏好文件: ") + m_filePath);
        return false;
    }
    m_diskFingerprint = StoreFileContents::fingerprintOf(bytes);
    qDebug().noquote() << "UserPreferences::savePreferences - 用户偏好已保存到:" << m_filePath;
    return true;
}

QString UserPreferences::describeFailure(const QString& message) const
{
    return m_lastError.isEmpty() ? message : message + QLatin1Char('\n') + m_lastError;
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
    const Outcome outcome = commitChange([&] {
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
        return true;
    });
    if (outcome != Outcome::Saved)
        return false;
    emit favoritesChanged();
    return true;
}

bool UserPreferences::removeFavorite(const QString& id)
{
    const Outcome outcome = commitChange([this, &id] {
        for (int i = 0; i < m_favorites.size(); ++i) {
            if (m_favorites.at(i).id == id) {
                m_favorites.removeAt(i);
                return true;
            }
        }
        return false;
    });
    if (outcome != Outcome::Saved)
        return false;
    emit favoritesChanged();
    return true;
}

bool UserPreferences::isFavorite(const QString& id) const
{
    return std::any_of(m_favorites.cbegin(), m_favorites.cend(),
                       [&id](const FavoriteItem& item) { return item.id == id; });
}

bool UserPreferences::clearFavorites()
{
    const Outcome outcome = commitChange([this] {
        m_favorites.clear();
        return true;
    });
    if (outcome != Outcome::Saved)
        return false;
    emit favoritesChanged();
    return true;
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

bool UserPreferences::addToHistory(const QString& id, const QString& name, const QString& category,
                                   const QString& filePath, const QString& searchQuery)
{
    if (!autoSaveHistory)
        return true;

    const Outcome outcome = commitChange([&] {
        if (!autoSaveHistory)
            return false;
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
        return true;
    });
    if (outcome == Outcome::Failed)
        return false;
    if (outcome == Outcome::Saved)
        emit historyChanged();
    return true;
}

bool UserPreferences::removeFromHistory(const QString& id)
{
    const Outcome outcome = commitChange([this, &id] {
        for (int i = 0; i < m_history.size(); ++i) {
            if (m_history.at(i).id == id) {
                m_history.removeAt(i);
                return true;
            }
        }
        return false;
    });
    if (outcome == Outcome::Failed)
        return false;
    if (outcome == Outcome::Saved)
        emit historyChanged();
    return true;
}

bool UserPreferences::clearHistory()
{
    const Outcome outcome = commitChange([this] {
        m_history.clear();
        return true;
    });
    if (outcome != Outcome::Saved)
        return false;
    emit historyChanged();
    return true;
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

bool UserPreferences::clearSearchHistory()
{
    const Outcome outcome = commitChange([this] {
        m_searchHistory.clear();
        return true;
    });
    if (outcome != Outcome::Saved)
        return false;
    emit historyChanged();
    return true;
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
    // The import is one of favourites, as its confirmation says: the history,
    // the search history and the settings stay the user's own.
    QList<FavoriteItem> favorites;
    const QJsonArray array = parsed.value(QLatin1String("favorites")).toArray();
    for (const QJsonValue& value : array) {
        if (value.isObject())
            favorites.append(FavoriteItem::fromJson(value.toObject()));
    }

    const Outcome outcome = commitChange([&] {
        // Back up the state being replaced, so an import can be undone by hand.
        if (QFileInfo::exists(m_filePath) && !m_unreadableFileOnDisk) {
            QByteArray current;
            const QString backupPath = m_filePath + QStringLiteral(".backup");
            if (!readFile(m_filePath, &current, &error) ||
                !AtomicFileWriter::write(backupPath, current, &error)) {
                qWarning().noquote()
                    << "UserPreferences::importPreferences - 无法备份用户偏好文件:" << backupPath
                    << error;
                m_lastError = saveError(backupPath, error);
                return false;
            }
        }
        m_favorites = favorites;
        return true;
    });
    if (outcome != Outcome::Saved) {
        qWarning().noquote() << "UserPreferences::importPreferences - 无法写入用户偏好文件:"
                             << m_filePath;
        return false;
    }
    m_loaded = true;
    return true;
}
