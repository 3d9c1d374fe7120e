#include "prefs/UserPreferences.h"

#include "../support/FileSizeLimit.h"
#include "../support/MessageCapture.h"
#include "../support/StoreDriverPlan.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <memory>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QJsonObject readObject(const QString& path)
{
    return QJsonDocument::fromJson(readBytes(path)).object();
}

QString iso(const QDateTime& time)
{
    return time.toString(Qt::ISODate);
}

QJsonObject historyObject(const QString& id, const QDateTime& time, int count = 1)
{
    return {{"id", id},
            {"name", id},
            {"category", "cad"},
            {"filePath", id + ".json"},
            {"accessTime", iso(time)},
            {"accessCount", count},
            {"searchQuery", ""}};
}

QStringList historyIds(const QList<HistoryItem>& history)
{
    QStringList ids;
    for (const HistoryItem& item : history)
        ids.append(item.id);
    return ids;
}

QStringList corruptCopies(const QString& dir)
{
    return QDir(dir)
        .entryList(QDir::Files)
        .filter(QRegularExpression("^user_preferences\\.json\\.corrupt-\\d{8}-\\d{6}"));
}

// Starts the store driver and waits until its stores are open.
bool startDriver(QProcess& process, const QStringList& arguments)
{
    process.start(QStringLiteral(QUORVANTA_STORE_DRIVER), arguments);
    if (!process.waitForStarted(30000))
        return false;
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(60000))
            return false;
    }
    return process.readLine().startsWith("ready ");
}

// Lets a started driver run its steps.
void releaseDriver(QProcess& process)
{
    // QProcess writes from its event loop: push the line out now, or the second
    // driver would only start once the first has finished.
    process.write("go\n");
    process.waitForBytesWritten(30000);
    process.closeWriteChannel();
}

bool waitForDriver(QProcess& process)
{
    return process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QDateTime modified(const QString& path)
{
    return QFileInfo(path).lastModified();
}

// Every entry below `root` with its size and modification time, to show that
// nothing there was created, changed or removed.
QStringList snapshot(const QString& root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        lines << QStringLiteral("%1 %2 %3")
                     .arg(QDir(root).relativeFilePath(info.filePath()))
                     .arg(info.isDir() ? -1 : info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch());
    }
    lines.sort();
    return lines;
}

QJsonObject favoriteObject(const QString& id, const QString& filePath)
{
    return {{"id", id},
            {"name", id.toUpper()},
            {"category", "cad"},
            {"filePath", filePath},
            {"addTime", "2024-05-01T09:00:00"},
            {"description", ""},
            {"thumbnail", ""}};
}

// A preferences file as the previous version left it in its data directory.
QByteArray oldPreferencesFile(const QStringList& favoriteIds)
{
    QJsonArray favorites;
    for (const QString& id : favoriteIds)
        favorites.append(favoriteObject(id, "/home/u/old/data/software/cad/" + id + ".json"));
    const QJsonObject root{
        {"favorites", favorites},
        {"history",
         QJsonArray{historyObject("autocad", QDateTime(QDate(2024, 5, 2), QTime(8, 0)))}},
        {"searchHistory", QJsonArray()},
        {"settings", QJsonObject{{"maxHistoryItems", 100}, {"themeMode", "dark"}}},
        {"version", "1.0"},
        {"lastModified", "2024-05-02T08:00:00"},
        {"favoritesCount", favorites.size()},
        {"historyCount", 1},
        {"searchHistoryCount", 0}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QStringList favoriteIds(const QList<FavoriteItem>& favorites)
{
    QStringList ids;
    for (const FavoriteItem& item : favorites)
        ids.append(item.id);
    return ids;
}

} // namespace

class TestUserPreferences : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString prefsPath() const { return m_dir->filePath("user_preferences.json"); }

    bool writePrefs(const QJsonObject& root)
    {
        return writeBytes(prefsPath(), QJsonDocument(root).toJson());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_dir.reset(); }

    void firstStartWithoutFile()
    {
        UserPreferences prefs;
        QSignalSpy loaded(&prefs, &UserPreferences::dataLoaded);
        QSignalSpy errors(&prefs, &UserPreferences::dataError);
        QVERIFY(prefs.initialize(m_dir->path()));
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(errors.count(), 0);
        QCOMPARE(prefs.filePath(), prefsPath());
        QVERIFY(prefs.getFavorites().isEmpty());
        QVERIFY(prefs.getHistory().isEmpty());
        QCOMPARE(prefs.getDefaultCategory(), QStringLiteral("all"));
        QCOMPARE(prefs.getDefaultViewMode(), QStringLiteral("content"));
        QCOMPARE(prefs.getPreferredLanguage(), QStringLiteral("zh_CN"));
        QCOMPARE(prefs.getAutoSaveHistory(), true);
        QCOMPARE(prefs.getMaxHistoryItems(), 100);
        QCOMPARE(prefs.getMaxSearchHistory(), 50);
        QCOMPARE(prefs.getShowThumbnails(), true);
        QCOMPARE(prefs.getThemeMode(), QStringLiteral("system"));
        QVERIFY(!QFile::exists(prefsPath()));

        prefs.addToHistory("a", "A", "cad", "a.json", "");
        QVERIFY(QFile::exists(prefsPath()));
    }

    void loadAndSaveLogLines()
    {
        MessageCapture capture;
        {
            UserPreferences prefs;
            QVERIFY(prefs.initialize(m_dir->path()));
            prefs.addFavorite("f", "F", "cad", "f.json", "");
            prefs.addToHistory("h", "H", "cae", "h.json", "");
        }
        QVERIFY(capture.contains(
            QtDebugMsg,
            "UserPreferences::loadPreferences - 用户偏好文件不存在，使用默认设置: " + prefsPath()));
        QVERIFY(capture.contains(
            QtDebugMsg, "UserPreferences::savePreferences - 用户偏好已保存到: " + prefsPath()));

        UserPreferences again;
        QVERIFY(again.initialize(m_dir->path()));
        QVERIFY(capture.contains(QtDebugMsg, "UserPreferences::loadPreferences - 用户偏好已加载: 1 "
                                             "个收藏, 1 个历史记录, 0 个搜索历史"));
    }

    void saveBeforeInitializeFails()
    {
        UserPreferences prefs;
        QVERIFY(!prefs.savePreferences());
    }

    void initializeCreatesTheDirectory()
    {
        const QString nested = m_dir->filePath("a/b/data");
        UserPreferences prefs;
        QVERIFY(prefs.initialize(nested));
        QVERIFY(QFileInfo(nested).isDir());
    }

    void initializeReportsAnUncreatableDirectory()
    {
        QVERIFY(writeBytes(m_dir->filePath("plainfile"), "x"));
        const QString impossible = m_dir->filePath("plainfile/data");
        MessageCapture capture;
        UserPreferences prefs;
        QSignalSpy errors(&prefs, &UserPreferences::dataError);
        QVERIFY(!prefs.initialize(impossible));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("无法创建数据目录: ") + impossible);
        QVERIFY(capture.contains(
            QtWarningMsg,
            QStringLiteral("UserPreferences::initialize - 无法创建数据目录: ") + impossible));
    }

    void fileFormat()
    {
        {
            UserPreferences prefs;
            QVERIFY(prefs.initialize(m_dir->path()));
            QVERIFY(prefs.addFavorite("f1", "AutoCAD", "cad", "data/software/cad/autocad.json",
                                      "desc"));
            prefs.addToHistory("h1", "ANSYS", "cae", "data/software/cae/ansys.json", "");
        }
        const QByteArray bytes = readBytes(prefsPath());
        const QJsonObject root = QJsonDocument::fromJson(bytes).object();
        QCOMPARE(root.keys(), (QStringList{"favorites", "favoritesCount", "history", "historyCount",
                                           "lastModified", "searchHistory", "searchHistoryCount",
                                           "settings", "version"}));
        // Keys come out sorted in the text itself, and indented.
        int last = -1;
        for (const QString& key : root.keys()) {
            const int at = bytes.indexOf("\n    \"" + key.toUtf8() + "\"");
            QVERIFY2(at > last, qPrintable(key));
            last = at;
        }
        QCOMPARE(root.value("version").toString(), QStringLiteral("1.0"));
        QCOMPARE(root.value("favoritesCount").toInt(), 1);
        QCOMPARE(root.value("historyCount").toInt(), 1);
        QCOMPARE(root.value("searchHistoryCount").toInt(-1), 0);
        QVERIFY(
            QDateTime::fromString(root.value("lastModified").toString(), Qt::ISODate).isValid());

        const QJsonObject settings = root.value("settings").toObject();
        const QJsonObject expectedSettings{
            {"defaultCategory", "all"},     {"defaultViewMode", "content"},
            {"preferredLanguage", "zh_CN"}, {"autoSaveHistory", true},
            {"maxHistoryItems", 100},       {"maxSearchHistory", 50},
            {"showThumbnails", true},       {"themeMode", "system"}};
        QCOMPARE(settings, expectedSettings);

        const QJsonObject favorite = root.value("favorites").toArray().at(0).toObject();
        QCOMPARE(favorite.keys(), (QStringList{"addTime", "category", "description", "filePath",
                                               "id", "name", "thumbnail"}));
        QCOMPARE(favorite.value("name").toString(), QStringLiteral("AutoCAD"));
        QVERIFY(QDateTime::fromString(favorite.value("addTime").toString(), Qt::ISODate).isValid());
        const QJsonObject history = root.value("history").toArray().at(0).toObject();
        QCOMPARE(history.keys(), (QStringList{"accessCount", "accessTime", "category", "filePath",
                                              "id", "name", "searchQuery"}));
        QCOMPARE(history.value("accessCount").toInt(), 1);
    }

    void readingMissingKeys()
    {
        QVERIFY(
            writePrefs({{"favorites", QJsonArray{QJsonObject{{"id", "f"}}}},
                        {"history", QJsonArray{QJsonObject{{"id", "h"}}}},
                        {"searchHistory", QJsonArray{QJsonObject{{"query", "q"}}}},
                        {"settings", QJsonObject{{"themeMode", "dark"}, {"maxHistoryItems", 7}}}}));
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        const FavoriteItem favorite = prefs.getFavorites().at(0);
        QVERIFY(favorite.name.isEmpty());
        QVERIFY(favorite.filePath.isEmpty());
        QVERIFY(!favorite.addTime.isValid());
        const HistoryItem history = prefs.getHistory().at(0);
        QCOMPARE(history.accessCount, 1);
        QVERIFY(!history.accessTime.isValid());
        const SearchHistoryItem search = prefs.getSearchHistory().at(0);
        QCOMPARE(search.resultCount, 0);
        QVERIFY(search.filters.isEmpty());
        QCOMPARE(prefs.getThemeMode(), QStringLiteral("dark"));
        QCOMPARE(prefs.getMaxHistoryItems(), 7);
        QCOMPARE(prefs.getDefaultViewMode(), QStringLiteral("content"));
        QCOMPARE(prefs.getMaxSearchHistory(), 50);
    }

    void favourites()
    {
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        QSignalSpy changed(&prefs, &UserPreferences::favoritesChanged);
        QVERIFY(prefs.addFavorite("x", "X", "cad", "x.json", ""));
        QVERIFY(!prefs.addFavorite("x", "X again", "cae", "x2.json", ""));
        QCOMPARE(prefs.getFavorites().size(), 1);
        QCOMPARE(changed.count(), 1);
        QVERIFY(prefs.isFavorite("x"));

        QVERIFY(prefs.addFavorite("", "Nameless", "cae", "n.json", ""));
        const QString generated = prefs.getFavorites().last().id;
        QVERIFY(QRegularExpression("^[0-9a-f]{16}$").match(generated).hasMatch());
        QCOMPARE(prefs.getFavoritesByCategory("cae").size(), 1);
        QCOMPARE(prefs.getFavoritesByCategory("CAE").size(), 0);
        QCOMPARE(prefs.getFavoritesByCategory("").size(), 2);

        QVERIFY(!prefs.removeFavorite("nope"));
        QVERIFY(prefs.removeFavorite("x"));
        QVERIFY(!prefs.isFavorite("x"));
        QCOMPARE(readObject(prefsPath()).value("favorites").toArray().size(), 1);

        changed.clear();
        prefs.clearFavorites();
        QCOMPARE(changed.count(), 1);
        QVERIFY(prefs.getFavorites().isEmpty());
        QCOMPARE(readObject(prefsPath()).value("favoritesCount").toInt(-1), 0);
    }

    void generatedIdIsAnMd5Prefix()
    {
        const QString id = UserPreferences::generateId("n", "c");
        QVERIFY(QRegularExpression("^[0-9a-f]{16}$").match(id).hasMatch());
    }

    void repeatedVisitsCount()
    {
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        QSignalSpy changed(&prefs, &UserPreferences::historyChanged);
        prefs.addToHistory("e", "Entry", "cad", "e.json", "first query");
        const QDateTime firstTime = prefs.getHistory().at(0).accessTime;
        prefs.addToHistory("e", "Entry", "cad", "e.json", "");
        prefs.addToHistory("e", "Entry", "cad", "e.json", "");
        QCOMPARE(changed.count(), 3);
        const QList<HistoryItem> history = prefs.getHistory();
        QCOMPARE(history.size(), 1);
        QCOMPARE(history.at(0).accessCount, 3);
        QVERIFY(history.at(0).accessTime >= firstTime);
        QCOMPARE(history.at(0).searchQuery, QStringLiteral("first query"));
        prefs.addToHistory("e", "Entry", "cad", "e.json", "second");
        QCOMPARE(prefs.getHistory().at(0).searchQuery, QStringLiteral("second"));
    }

    void hundredAndFirstEntryDropsTheOldest()
    {
        const QDateTime base = QDateTime::currentDateTime().addDays(-10);
        QJsonArray history;
        // File order deliberately not by time; entry "h37" is the oldest.
        for (int i = 0; i < 100; ++i)
            history.append(historyObject(QString("h%1").arg(i),
                                         base.addSecs(i == 37 ? -3600 : (i * 7919) % 1000)));
        QVERIFY(writePrefs({{"history", history}}));

        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        QCOMPARE(prefs.getHistory().size(), 100);
        prefs.addToHistory("new", "New", "cae", "new.json", "");
        const QList<HistoryItem> kept = prefs.getHistory();
        QCOMPARE(kept.size(), 100);
        QVERIFY(!historyIds(kept).contains("h37"));
        QCOMPARE(kept.first().id, QStringLiteral("new"));
        for (int i = 1; i < kept.size(); ++i)
            QVERIFY(kept.at(i - 1).accessTime >= kept.at(i).accessTime);
        QCOMPARE(readObject(prefsPath()).value("history").toArray().size(), 100);
    }

    void historyIsTrimmedOnLoading()
    {
        const QDateTime base = QDateTime::currentDateTime().addDays(-1);
        QJsonArray history;
        for (int i = 0; i < 12; ++i)
            history.append(historyObject(QString("h%1").arg(i), base.addSecs(i)));
        QVERIFY(
            writePrefs({{"history", history}, {"settings", QJsonObject{{"maxHistoryItems", 10}}}}));
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        const QStringList ids = historyIds(prefs.getHistory());
        QCOMPARE(ids.size(), 10);
        QCOMPARE(ids.first(), QStringLiteral("h11"));
        QCOMPARE(ids.last(), QStringLiteral("h2"));
    }

    void historyOffRecordsNothing()
    {
        QVERIFY(writePrefs({{"settings", QJsonObject{{"autoSaveHistory", false}}}}));
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        QSignalSpy changed(&prefs, &UserPreferences::historyChanged);
        prefs.addToHistory("a", "A", "cad", "a.json", "");
        QVERIFY(prefs.getHistory().isEmpty());
        QCOMPARE(changed.count(), 0);
    }

    void recentAndFrequentOrders_data()
    {
        QTest::addColumn<bool>("frequent");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("recent, all") << false << 0 << QStringList{"c", "b", "d", "a"};
        QTest::newRow("recent, 2") << false << 2 << QStringList{"c", "b"};
        QTest::newRow("recent, above count") << false << 9 << QStringList{"c", "b", "d", "a"};
        QTest::newRow("frequent, all") << true << -1 << QStringList{"a", "b", "d", "c"};
        QTest::newRow("frequent, 3") << true << 3 << QStringList{"a", "b", "d"};
    }

    void recentAndFrequentOrders()
    {
        QFETCH(bool, frequent);
        QFETCH(int, limit);
        QFETCH(QStringList, expected);
        const QDateTime base = QDateTime::currentDateTime().addDays(-2);
        QVERIFY(writePrefs({{"history", QJsonArray{historyObject("a", base, 5),
                                                   historyObject("b", base.addSecs(20), 2),
                                                   historyObject("c", base.addSecs(30), 1),
                                                   historyObject("d", base.addSecs(10), 2)}}}));
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        const QList<HistoryItem> history =
            frequent ? prefs.getFrequentHistory(limit) : prefs.getRecentHistory(limit);
        QCOMPARE(historyIds(history), expected);
        // The stored order is untouched.
        QCOMPARE(historyIds(prefs.getHistory()), (QStringList{"a", "b", "c", "d"}));
    }

    void removeAndClearHistory()
    {
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        prefs.addToHistory("a", "A", "cad", "a.json", "");
        prefs.addToHistory("b", "B", "cad", "b.json", "");
        QSignalSpy changed(&prefs, &UserPreferences::historyChanged);
        prefs.removeFromHistory("zzz");
        QCOMPARE(changed.count(), 0);
        prefs.removeFromHistory("a");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(historyIds(prefs.getHistory()), QStringList{"b"});
        prefs.clearHistory();
        QVERIFY(prefs.getHistory().isEmpty());
        QCOMPARE(changed.count(), 2);
        QCOMPARE(readObject(prefsPath()).value("historyCount").toInt(-1), 0);
    }

    void searchHistoryTrimming()
    {
        QJsonArray searches;
        for (int i = 0; i < 80; ++i)
            searches.append(QJsonObject{{"query", QString("q%1").arg(i)},
                                        {"resultCount", i},
                                        {"filters", QJsonArray{"cad", "free"}}});
        QVERIFY(writePrefs({{"searchHistory", searches}}));
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        const QList<SearchHistoryItem> kept = prefs.getSearchHistory();
        QCOMPARE(kept.size(), 50);
        QCOMPARE(kept.first().query, QStringLiteral("q0"));
        QCOMPARE(kept.last().query, QStringLiteral("q49"));
        QCOMPARE(kept.last().resultCount, 49);
        QCOMPARE(kept.first().filters, (QStringList{"cad", "free"}));
        QCOMPARE(prefs.getRecentSearches(3).size(), 3);
        QCOMPARE(prefs.getRecentSearches(3).last().query, QStringLiteral("q2"));
        QCOMPARE(prefs.getRecentSearches(0).size(), 50);
        QCOMPARE(prefs.getRecentSearches(500).size(), 50);

        QSignalSpy changed(&prefs, &UserPreferences::historyChanged);
        prefs.clearSearchHistory();
        QCOMPARE(changed.count(), 1);
        QVERIFY(prefs.getSearchHistory().isEmpty());
    }

    void loadingEmitsNoChangeSignals()
    {
        QVERIFY(writePrefs({{"favorites", QJsonArray{QJsonObject{{"id", "f"}}}}}));
        UserPreferences prefs;
        QSignalSpy favorites(&prefs, &UserPreferences::favoritesChanged);
        QSignalSpy history(&prefs, &UserPreferences::historyChanged);
        QVERIFY(prefs.initialize(m_dir->path()));
        QCOMPARE(favorites.count() + history.count(), 0);
    }

    void unreadableFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("broken JSON") << QByteArray("{\"favorites\": [");
        QTest::newRow("array") << QByteArray("[1, 2]");
        QTest::newRow("empty") << QByteArray();
    }

    void unreadableFileIsKeptAside()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(writeBytes(prefsPath(), bytes));
        MessageCapture capture;
        {
            UserPreferences prefs;
            QSignalSpy errors(&prefs, &UserPreferences::dataError);
            QVERIFY(!prefs.initialize(m_dir->path()));
            QCOMPARE(errors.count(), 1);
            QVERIFY(
                errors.at(0).at(0).toString().startsWith(QStringLiteral("用户偏好文件格式错误: ")));
            QVERIFY(!capture
                         .warningsStartingWith(
                             "UserPreferences::loadPreferences - 用户偏好文件格式错误: ")
                         .isEmpty());
        }
        // Start and close leave the file alone; a copy is kept at once, so the
        // user can be told where.
        QCOMPARE(readBytes(prefsPath()), bytes);
        const QStringList copies = corruptCopies(m_dir->path());
        QCOMPARE(copies.size(), 1);
        QCOMPARE(readBytes(m_dir->filePath(copies.first())), bytes);
        QVERIFY(capture.contains(
            QtWarningMsg, "UserPreferences::loadPreferences - 无法读取的用户偏好文件已另存为: " +
                              m_dir->filePath(copies.first())));

        {
            UserPreferences prefs;
            prefs.initialize(m_dir->path());
            QCOMPARE(prefs.keptFiles().size(), 1);
            QCOMPARE(prefs.keptFiles().first().path, prefsPath());
            QCOMPARE(prefs.keptFiles().first().keptPath, m_dir->filePath(copies.first()));
            QVERIFY(prefs.addFavorite("f", "F", "cad", "f.json", ""));
        }
        // The same damaged file is kept once.
        QCOMPARE(corruptCopies(m_dir->path()), copies);
        QCOMPARE(readObject(prefsPath()).value("favoritesCount").toInt(), 1);
    }

    void diskFullMidWriteKeepsTheOldFile()
    {
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        for (int i = 0; i < 5; ++i)
            QVERIFY(prefs.addFavorite(QString("f%1").arg(i), "Name", "cad", "f.json",
                                      QString(100, 'd')));
        const QByteArray before = readBytes(prefsPath());
        QSignalSpy errors(&prefs, &UserPreferences::dataError);
        MessageCapture capture;
        {
            // Room for the lock file, not for the preferences.
            FileSizeLimit limit(512);
            QVERIFY(limit.isActive());
            QVERIFY(!prefs.addToHistory("h", "H", "cad", "h.json", ""));
        }
        QCOMPARE(readBytes(prefsPath()), before);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(),
                 QStringLiteral("无法保存用户偏好文件: ") + prefsPath());
        QVERIFY(capture.contains(QtWarningMsg,
                                 "UserPreferences::savePreferences - 无法保存用户偏好文件: " +
                                     prefsPath()));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"user_preferences.json"});
        QCOMPARE(prefs.lastError(),
                 "无法保存用户偏好文件: " + QDir::toNativeSeparators(prefsPath()) +
                     "\n原因: " + qt_error_string(EFBIG));
        // Memory stays what the file holds.
        QVERIFY(prefs.getHistory().isEmpty());
        QVERIFY(prefs.savePreferences());
        QVERIFY(prefs.lastError().isEmpty());
        QCOMPARE(readObject(prefsPath()).value("historyCount").toInt(), 0);
    }

    void fileReplacedByDirectory()
    {
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        QVERIFY(prefs.addFavorite("a", "A", "cad", "a.json", ""));
        QVERIFY(QFile::remove(prefsPath()));
        QVERIFY(QDir().mkdir(prefsPath()));
        QSignalSpy errors(&prefs, &UserPreferences::dataError);
        QVERIFY(!prefs.savePreferences());
        QCOMPARE(errors.count(), 1);
        QVERIFY(QFileInfo(prefsPath()).isDir());
    }

    void unopenableFileIsReportedWithThePathAsGiven()
    {
        // The path is reported exactly as the data directory was given, not tidied up.
        const QString given = m_dir->path() + QStringLiteral("/./data");
        QVERIFY(QDir().mkpath(m_dir->filePath("data/user_preferences.json")));
        MessageCapture capture;
        UserPreferences prefs;
        QSignalSpy errors(&prefs, &UserPreferences::dataError);
        QSignalSpy loaded(&prefs, &UserPreferences::dataLoaded);
        QVERIFY(!prefs.initialize(given));
        QCOMPARE(prefs.filePath(), given + QStringLiteral("/user_preferences.json"));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("无法读取用户偏好文件: ") + given +
                                                    QStringLiteral("/user_preferences.json"));
        QCOMPARE(loaded.count(), 0);
        QVERIFY(!prefs.isLoaded());
        QVERIFY(capture.contains(
            QtWarningMsg, QStringLiteral("UserPreferences::loadPreferences - 无法读取用户偏好"
                                         "文件: ") +
                              given + QStringLiteral("/user_preferences.json")));
    }

    void closingWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("file") << QJsonDocument(QJsonObject{{"favorites",
                                                            QJsonArray{QJsonObject{{"id", "f"}}}},
                                                           {"futureKey", 1}})
                                     .toJson();
    }

    void closingWritesNothing()
    {
        QFETCH(QByteArray, bytes);
        const QDateTime before = QDateTime::currentDateTime().addDays(-1);
        if (!bytes.isEmpty()) {
            QVERIFY(writeBytes(prefsPath(), bytes));
            QFile file(prefsPath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.setFileTime(before, QFileDevice::FileModificationTime));
        }
        const QStringList entries = QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden);
        {
            UserPreferences prefs;
            QVERIFY(prefs.initialize(m_dir->path()));
        }
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), entries);
        if (!bytes.isEmpty()) {
            QCOMPARE(readBytes(prefsPath()), bytes);
            QCOMPARE(modified(prefsPath()), before);
        }
    }

    void secondCopyThatOnlyOpensAndClosesErasesNothing()
    {
        UserPreferences first;
        QVERIFY(first.initialize(m_dir->path()));
        QVERIFY(first.addFavorite("old", "Old", "cad", "old.json", ""));
        auto second = std::make_unique<UserPreferences>();
        QVERIFY(second->initialize(m_dir->path()));
        for (const QString id : {"a", "b", "c", "d", "e"}) {
            QVERIFY(first.addFavorite(id, id, "cad", id + ".json", ""));
            QVERIFY(first.addToHistory(id, id, "cad", id + ".json", ""));
        }
        second.reset();
        const QJsonObject root = readObject(prefsPath());
        QCOMPARE(root.value("favoritesCount").toInt(), 6);
        QCOMPARE(root.value("historyCount").toInt(), 5);
    }

    void changesOfAnotherCopyAreMergedAndShown()
    {
        UserPreferences first;
        UserPreferences second;
        QVERIFY(first.initialize(m_dir->path()));
        QVERIFY(second.initialize(m_dir->path()));
        QSignalSpy favoritesShown(&second, &UserPreferences::favoritesChanged);
        QSignalSpy historyShown(&second, &UserPreferences::historyChanged);
        QVERIFY(first.addFavorite("a", "A", "cad", "a.json", ""));
        QVERIFY(first.addToHistory("e", "E", "cad", "e.json", ""));
        QVERIFY(second.addToHistory("e", "E", "cad", "e.json", ""));
        // The second copy counted on the first copy's visit and shows its favourite.
        QCOMPARE(second.getHistory().at(0).accessCount, 2);
        QCOMPARE(second.getFavorites().size(), 1);
        QCOMPARE(favoritesShown.count(), 1);
        QCOMPARE(historyShown.count(), 2); // the reload, then the visit
        // A favourite the other copy added cannot be added twice.
        QVERIFY(!second.addFavorite("a", "A", "cad", "a.json", ""));
        QVERIFY(second.lastError().isEmpty());
        QVERIFY(first.removeFavorite("a"));
        QVERIFY(first.clearHistory());
        const QJsonObject root = readObject(prefsPath());
        QCOMPARE(root.value("favoritesCount").toInt(), 0);
        QCOMPARE(root.value("historyCount").toInt(), 0);
    }

    void twoRunningCopiesLoseNothing()
    {
        const int count = 100;
        QProcess first;
        QProcess second;
        QVERIFY(startDriver(first, {"prefs", "A", QString::number(count), m_dir->path()}));
        QVERIFY(startDriver(second, {"prefs", "B", QString::number(count), m_dir->path()}));
        // Both run their steps at the same time.
        releaseDriver(first);
        releaseDriver(second);
        const bool firstDone = waitForDriver(first);
        const bool secondDone = waitForDriver(second);

        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(readBytes(prefsPath()), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonObject root = document.object();
        QMap<QString, QString> expected =
            StoreDriverPlan::expectedItems(StoreDriverPlan::preferenceSteps("A", count));
        const QMap<QString, QString> more =
            StoreDriverPlan::expectedItems(StoreDriverPlan::preferenceSteps("B", count));
        for (auto it = more.cbegin(); it != more.cend(); ++it)
            expected.insert(it.key(), it.value());
        QMap<QString, QString> found;
        const QJsonArray favorites = root.value("favorites").toArray();
        for (const QJsonValue& value : favorites)
            found.insert(value.toObject().value("id").toString(),
                         value.toObject().value("name").toString());
        QMap<QString, int> visits;
        const QJsonArray history = root.value("history").toArray();
        for (const QJsonValue& value : history)
            visits.insert(value.toObject().value("id").toString(),
                          value.toObject().value("accessCount").toInt());
        const int operations = StoreDriverPlan::preferenceSteps("A", count).size() +
                               StoreDriverPlan::preferenceSteps("B", count).size();
        const int lostVisits =
            4 * count - visits.value("shared") - visits.value("A-own") - visits.value("B-own");
        int lostFavorites = 0;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            lostFavorites += found.value(it.key()) == it.value() ? 0 : 1;
        qInfo("two copies: %d operations, %d favourites expected, %d found, %d lost; "
              "%d visits, %d lost",
              operations, int(expected.size()), int(found.size()), lostFavorites, 4 * count,
              lostVisits);
        QVERIFY2(firstDone, first.readAllStandardError().constData());
        QVERIFY2(secondDone, second.readAllStandardError().constData());
        QCOMPARE(found, expected);
        QCOMPARE(visits.value("shared"), 2 * count);
        QCOMPARE(visits.value("A-own"), count);
        QCOMPARE(visits.value("B-own"), count);
        QCOMPARE(root.value("favoritesCount").toInt(), expected.size());
    }

    void idleCopyErasesNothing()
    {
        QProcess idle;
        QVERIFY(startDriver(idle, {"idle", m_dir->path()}));
        {
            UserPreferences prefs;
            QVERIFY(prefs.initialize(m_dir->path()));
            for (const QString id : {"a", "b", "c", "d", "e"})
                QVERIFY(prefs.addFavorite(id, id, "cad", id + ".json", ""));
        }
        const QByteArray bytes = readBytes(prefsPath());
        releaseDriver(idle);
        QVERIFY2(waitForDriver(idle), idle.readAllStandardError().constData());
        QCOMPARE(readBytes(prefsPath()), bytes);
        QCOMPARE(readObject(prefsPath()).value("favoritesCount").toInt(), 5);
    }

    void partlyDamagedFileKeepsWhatIsWellFormed_data()
    {
        QTest::addColumn<QJsonObject>("root");
        QTest::addColumn<int>("favorites");
        QTest::addColumn<int>("history");
        QTest::addColumn<QString>("themeMode");

        const QJsonArray twoFavorites{QJsonObject{{"id", "f1"}}, QJsonObject{{"id", "f2"}}};
        const QJsonArray oneVisit{historyObject("h", QDateTime::currentDateTime())};
        QTest::newRow("settings not an object")
            << QJsonObject{{"favorites", twoFavorites}, {"history", oneVisit}, {"settings", 3}} << 2
            << 1 << "system";
        QTest::newRow("favorites not an array")
            << QJsonObject{{"favorites", QJsonObject{{"id", "f1"}}},
                           {"history", oneVisit},
                           {"settings", QJsonObject{{"themeMode", "dark"}}}}
            << 0 << 1 << "dark";
        QTest::newRow("history entry that is no object")
            << QJsonObject{{"favorites", twoFavorites},
                           {"history", QJsonArray{oneVisit.at(0), "junk"}}}
            << 2 << 1 << "system";
    }

    void partlyDamagedFileKeepsWhatIsWellFormed()
    {
        QFETCH(QJsonObject, root);
        QFETCH(int, favorites);
        QFETCH(int, history);
        QFETCH(QString, themeMode);
        const QByteArray bytes = QJsonDocument(root).toJson();
        QVERIFY(writeBytes(prefsPath(), bytes));
        {
            UserPreferences prefs;
            QSignalSpy errors(&prefs, &UserPreferences::dataError);
            QVERIFY(prefs.initialize(m_dir->path()));
            QVERIFY(prefs.isLoaded());
            QCOMPARE(prefs.getFavorites().size(), favorites);
            QCOMPARE(prefs.getHistory().size(), history);
            QCOMPARE(prefs.getThemeMode(), themeMode);
            QCOMPARE(errors.count(), 1);
            QVERIFY(errors.at(0).at(0).toString().startsWith("用户偏好文件部分损坏: "));
            const QStringList copies = corruptCopies(m_dir->path());
            QCOMPARE(copies.size(), 1);
            QCOMPARE(readBytes(m_dir->filePath(copies.first())), bytes);
            QCOMPARE(prefs.keptFiles().size(), 1);
            QCOMPARE(prefs.keptFiles().first().keptPath, m_dir->filePath(copies.first()));
            QCOMPARE(readBytes(prefsPath()), bytes);
            QVERIFY(prefs.addFavorite("new", "New", "cad", "new.json", ""));
        }
        const QJsonObject written = readObject(prefsPath());
        QCOMPARE(written.value("favoritesCount").toInt(), favorites + 1);
        QCOMPARE(written.value("historyCount").toInt(), history);
        QVERIFY(written.value("settings").isObject());
    }

    void unknownKeysAreWrittenBack()
    {
        QVERIFY(writePrefs({{"favorites", QJsonArray()},
                            {"cloudSync", QJsonObject{{"token", "t"}}},
                            {"settings", QJsonObject{{"fontSize", 14}, {"themeMode", "dark"}}}}));
        {
            UserPreferences prefs;
            QVERIFY(prefs.initialize(m_dir->path()));
            QVERIFY(prefs.addFavorite("f", "F", "cad", "f.json", ""));
        }
        const QJsonObject root = readObject(prefsPath());
        QCOMPARE(root.value("cloudSync").toObject(), (QJsonObject{{"token", "t"}}));
        QCOMPARE(root.value("settings").toObject().value("fontSize").toInt(), 14);
        QCOMPARE(root.value("settings").toObject().value("themeMode").toString(),
                 QStringLiteral("dark"));
    }

    void leftoversOfKilledWritesAreRemoved()
    {
        QVERIFY(writePrefs({{"favorites", QJsonArray()}}));
        const QString leftover = prefsPath() + ".writing-k1ll3d";
        QVERIFY(writeBytes(leftover, "{\"favorites\": ["));
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        QVERIFY(!QFile::exists(leftover));
        QVERIFY(writeBytes(leftover, "{"));
        QVERIFY(prefs.addFavorite("f", "F", "cad", "f.json", ""));
        QVERIFY(!QFile::exists(leftover));
    }

    void closingLeavesADamagedFileAlone()
    {
        QVERIFY(QDir().mkpath(m_dir->filePath("blocked")));
        QVERIFY(writeBytes(m_dir->filePath("blocked/user_preferences.json"), "{oops"));
        {
            UserPreferences prefs;
            QVERIFY(!prefs.initialize(m_dir->filePath("blocked")));
        }
        QCOMPARE(readBytes(m_dir->filePath("blocked/user_preferences.json")), QByteArray("{oops"));
    }

    void exportCopiesTheFile()
    {
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        const QString target = m_dir->filePath("export.json");
        QVERIFY(!prefs.exportPreferences(target)); // nothing saved yet
        QVERIFY(prefs.addFavorite("a", "A", "cad", "a.json", ""));
        QVERIFY(writeBytes(target, "old export"));
        QVERIFY(prefs.exportPreferences(target));
        QCOMPARE(readBytes(target), readBytes(prefsPath()));
    }

    void importReplacesAndBacksUp()
    {
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        QVERIFY(prefs.addFavorite("mine", "Mine", "cad", "m.json", ""));
        const QByteArray current = readBytes(prefsPath());
        // A stale backup from an earlier import must not survive this one.
        QVERIFY(writeBytes(prefsPath() + ".backup", "stale"));

        const QString source = m_dir->filePath("incoming.json");
        QVERIFY(writeBytes(
            source,
            QJsonDocument(QJsonObject{{"favorites", QJsonArray{QJsonObject{{"id", "theirs"},
                                                                           {"category", "eda"}}}}})
                .toJson()));
        QSignalSpy changed(&prefs, &UserPreferences::favoritesChanged);
        QVERIFY(prefs.importPreferences(source));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(readBytes(prefsPath() + ".backup"), current);
        QCOMPARE(prefs.getFavorites().size(), 1);
        QCOMPARE(prefs.getFavorites().first().id, QStringLiteral("theirs"));
        const QJsonArray favorites = readObject(prefsPath()).value("favorites").toArray();
        QCOMPARE(favorites.size(), 1);
        QCOMPARE(favorites.at(0).toObject().value("id").toString(), QStringLiteral("theirs"));
    }

    void importReplacesOnlyTheFavourites()
    {
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        QVERIFY(prefs.addFavorite("mine", "Mine", "cad", "m.json", ""));
        QVERIFY(prefs.addToHistory("visited", "Visited", "cae", "v.json", ""));
        const QList<HistoryItem> history = prefs.getHistory();

        // An export of another installation carries its history and settings too.
        const QString source = m_dir->filePath("incoming.json");
        QVERIFY(writeBytes(
            source, QJsonDocument(
                        QJsonObject{{"favorites", QJsonArray{QJsonObject{{"id", "theirs"}}}},
                                    {"history",
                                     QJsonArray{historyObject("x", QDateTime::currentDateTime()),
                                                historyObject("y", QDateTime::currentDateTime())}},
                                    {"searchHistory", QJsonArray{QJsonObject{{"query", "q"}}}},
                                    {"settings", QJsonObject{{"themeMode", "dark"}}}})
                        .toJson()));
        QVERIFY(prefs.importPreferences(source));
        QCOMPARE(prefs.getFavorites().size(), 1);
        QCOMPARE(prefs.getFavorites().first().id, QStringLiteral("theirs"));
        QCOMPARE(historyIds(prefs.getHistory()), QStringList{"visited"});
        QCOMPARE(prefs.getHistory().first().accessTime, history.first().accessTime);
        QVERIFY(prefs.getSearchHistory().isEmpty());
        QCOMPARE(prefs.getThemeMode(), QStringLiteral("system"));

        UserPreferences again;
        QVERIFY(again.initialize(m_dir->path()));
        QCOMPARE(historyIds(again.getHistory()), QStringList{"visited"});
        QCOMPARE(again.getFavorites().first().id, QStringLiteral("theirs"));
    }

    void importRefusesWhatIsNotPreferences_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("broken JSON") << QByteArray("{\"favorites\": [");
        QTest::newRow("array") << QByteArray("[]");
        QTest::newRow("settings not an object") << QByteArray("{\"settings\": 3}");
        QTest::newRow("empty") << QByteArray();
    }

    void importRefusesWhatIsNotPreferences()
    {
        QFETCH(QByteArray, bytes);
        UserPreferences prefs;
        QVERIFY(prefs.initialize(m_dir->path()));
        QVERIFY(prefs.addFavorite("mine", "Mine", "cad", "m.json", ""));
        const QByteArray current = readBytes(prefsPath());
        const QString source = m_dir->filePath("incoming.json");
        QVERIFY(writeBytes(source, bytes));
        QVERIFY(!prefs.importPreferences(source));
        QCOMPARE(readBytes(prefsPath()), current);
        QVERIFY(!QFile::exists(prefsPath() + ".backup"));
        QCOMPARE(prefs.getFavorites().first().id, QStringLiteral("mine"));
        QVERIFY(!prefs.importPreferences(m_dir->filePath("missing.json")));
    }

    // The per-user folder and an older version's data directory, side by side.
    QString userFolder() const { return m_dir->filePath("user"); }
    QString userFile() const { return m_dir->filePath("user/user_preferences.json"); }
    QString dataDir() const { return m_dir->filePath("install/data"); }
    QString dataFile() const { return m_dir->filePath("install/data/user_preferences.json"); }

    void olderDataDirectoryFileIsTakenOver()
    {
        QVERIFY(QDir().mkpath(dataDir()));
        const QByteArray old = oldPreferencesFile({"autocad", "catia"});
        QVERIFY(writeBytes(dataFile(), old));
        QVERIFY(writeBytes(dataFile() + ".backup", "{\"favorites\": []}"));
        const QStringList dataBefore = snapshot(m_dir->filePath("install"));

        UserPreferences prefs;
        QSignalSpy loaded(&prefs, &UserPreferences::dataLoaded);
        QVERIFY(prefs.initializeForUser(dataDir(), userFolder()));
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(prefs.filePath(), userFile());
        QCOMPARE(favoriteIds(prefs.getFavorites()), (QStringList{"autocad", "catia"}));
        QCOMPARE(prefs.getFavorites().first().filePath,
                 QStringLiteral("/home/u/old/data/software/cad/autocad.json"));
        QCOMPARE(prefs.getHistory().size(), 1);
        QCOMPARE(prefs.getThemeMode(), QStringLiteral("dark"));
        // A copy byte for byte, the backup with it.
        QCOMPARE(readBytes(userFile()), old);
        QCOMPARE(readBytes(userFile() + ".backup"), QByteArray("{\"favorites\": []}"));

        // Changes go to the per-user file; the old one is never deleted or changed.
        QVERIFY(prefs.addFavorite("nx", "NX", "cad", dataDir() + "/software/cad/nx.json", ""));
        QVERIFY(prefs.removeFavorite("catia"));
        QCOMPARE(snapshot(m_dir->filePath("install")), dataBefore);
        QCOMPARE(readBytes(dataFile()), old);
        QCOMPARE(readObject(userFile()).value("favoritesCount").toInt(), 2);
    }

    void takenOverOnlyOnce()
    {
        QVERIFY(QDir().mkpath(dataDir()));
        QVERIFY(writeBytes(dataFile(), oldPreferencesFile({"autocad"})));
        {
            UserPreferences prefs;
            QVERIFY(prefs.initializeForUser(dataDir(), userFolder()));
            QVERIFY(prefs.removeFavorite("autocad"));
        }
        // An older copy of the program goes on using the data directory's file.
        QVERIFY(writeBytes(dataFile(), oldPreferencesFile({"autocad", "creo"})));
        const QByteArray mine = readBytes(userFile());

        UserPreferences again;
        QVERIFY(again.initializeForUser(dataDir(), userFolder()));
        QVERIFY(again.getFavorites().isEmpty());
        QCOMPARE(readBytes(userFile()), mine);
    }

    void existingPerUserFileIsNeverReplaced_data()
    {
        QTest::addColumn<QByteArray>("userBytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("good file") << oldPreferencesFile({"mine"}) << QStringList{"mine"};
        QTest::newRow("empty favourites") << oldPreferencesFile({}) << QStringList();
        // Damaged is still the user's: kept aside as always, never swapped for the old one.
        QTest::newRow("damaged file") << QByteArray("{\"favorites\": [") << QStringList();
    }

    void existingPerUserFileIsNeverReplaced()
    {
        QFETCH(QByteArray, userBytes);
        QFETCH(QStringList, expected);
        QVERIFY(QDir().mkpath(dataDir()));
        QVERIFY(QDir().mkpath(userFolder()));
        QVERIFY(writeBytes(dataFile(), oldPreferencesFile({"autocad"})));
        QVERIFY(writeBytes(dataFile() + ".backup", "old backup"));
        QVERIFY(writeBytes(userFile(), userBytes));

        UserPreferences prefs;
        prefs.initializeForUser(dataDir(), userFolder());
        QCOMPARE(favoriteIds(prefs.getFavorites()), expected);
        QCOMPARE(readBytes(userFile()), userBytes);
        QVERIFY(!QFile::exists(userFile() + ".backup"));
    }

    void nothingIsWrittenBelowTheDataDirectory_data()
    {
        QTest::addColumn<QByteArray>("dataBytes"); // empty: no file
        QTest::addColumn<bool>("createDataDir");
        QTest::newRow("installed copy without data directory") << QByteArray() << false;
        QTest::newRow("empty data directory") << QByteArray() << true;
        QTest::newRow("data directory with an old file") << oldPreferencesFile({"autocad"}) << true;
        QTest::newRow("data directory with a damaged file")
            << QByteArray("{\"favorites\": 3}") << true;
    }

    void nothingIsWrittenBelowTheDataDirectory()
    {
        QFETCH(QByteArray, dataBytes);
        QFETCH(bool, createDataDir);
        const QString install = m_dir->filePath("install");
        QVERIFY(QDir().mkpath(install));
        if (createDataDir)
            QVERIFY(QDir().mkpath(dataDir()));
        if (!dataBytes.isEmpty())
            QVERIFY(writeBytes(dataFile(), dataBytes));
        // Read-only, as below an install prefix (binds only users other than root).
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
        const QFile::Permissions all = readOnly | QFile::WriteOwner;
        QVERIFY(QFile::setPermissions(install, readOnly));
        if (createDataDir)
            QVERIFY(QFile::setPermissions(dataDir(), readOnly));
        const QStringList before = snapshot(install);

        MessageCapture capture;
        {
            UserPreferences prefs;
            QSignalSpy errors(&prefs, &UserPreferences::dataError);
            prefs.initializeForUser(dataDir(), userFolder());
            QVERIFY(prefs.addFavorite("a", "A", "cad", "data/software/cad/a.json", ""));
            QVERIFY(prefs.addToHistory("a", "A", "cad", "data/software/cad/a.json", ""));
            QVERIFY(prefs.clearHistory());
            const QString incoming = m_dir->filePath("incoming.json");
            QVERIFY(writeBytes(incoming, oldPreferencesFile({"b"})));
            QVERIFY(prefs.importPreferences(incoming));
            QVERIFY(prefs.savePreferences());
            QCOMPARE(favoriteIds(prefs.getFavorites()), QStringList{"b"});
            for (const QVariantList& error : std::as_const(errors))
                QVERIFY2(!error.at(0).toString().contains(install),
                         qPrintable(error.at(0).toString()));
        }
        QFile::setPermissions(install, all);
        if (createDataDir)
            QFile::setPermissions(dataDir(), all);

        QCOMPARE(snapshot(install), before);
        QCOMPARE(capture.warningsStartingWith("UserPreferences::initialize - 无法创建数据目录"),
                 QStringList());
        QVERIFY(QFileInfo(userFile()).isFile());
        QVERIFY(QFileInfo(userFile() + ".backup").isFile());
    }

    void perUserFolderIsTheApplicationDataFolder()
    {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(folder.contains("/.qttest/"));
        QDir(folder).removeRecursively();
        {
            UserPreferences prefs;
            QVERIFY(prefs.initializeForUser(m_dir->filePath("missing/data")));
            QCOMPARE(prefs.filePath(), QDir(folder).filePath("user_preferences.json"));
            QVERIFY(prefs.addFavorite("a", "A", "cad", "a.json", ""));
        }
        QVERIFY(QFileInfo(QDir(folder).filePath("user_preferences.json")).isFile());
        QVERIFY(!QFileInfo::exists(m_dir->filePath("missing")));
        QDir(folder).removeRecursively();
    }

    void uncreatablePerUserFolderIsReported()
    {
        QVERIFY(writeBytes(m_dir->filePath("plainfile"), "x"));
        const QString impossible = m_dir->filePath("plainfile/user");
        QVERIFY(QDir().mkpath(dataDir()));
        QVERIFY(writeBytes(dataFile(), oldPreferencesFile({"autocad"})));
        const QByteArray old = readBytes(dataFile());
        UserPreferences prefs;
        QSignalSpy errors(&prefs, &UserPreferences::dataError);
        QVERIFY(!prefs.initializeForUser(dataDir(), impossible));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("无法创建数据目录: ") + impossible);
        QVERIFY(!prefs.addFavorite("a", "A", "cad", "a.json", ""));
        QCOMPARE(readBytes(dataFile()), old);
        QCOMPARE(QDir(dataDir()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"user_preferences.json"});
    }
};

QTEST_GUILESS_MAIN(TestUserPreferences)
#include "tst_userpreferences.moc"
