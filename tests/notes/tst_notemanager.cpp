#include "notes/NoteManager.h"

#include "../support/FileSizeLimit.h"
#include "../support/MessageCapture.h"
#include "../support/NotesFolder.h"
#include "../support/StoreDriverPlan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
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

const QString kFile = QStringLiteral("NoteManager: [用户路径修复] ");

QStringList defaultCategories()
{
    return {QStringLiteral("一般"), QStringLiteral("重要"), QStringLiteral("问题"),
            QStringLiteral("想法"), QStringLiteral("待办"), QStringLiteral("参考")};
}

QJsonObject noteObject(const QString& id, const QString& title = QString(),
                       const QString& modifyTime = QString(), const QString& createTime = QString(),
                       const QString& contentId = QString())
{
    QJsonObject object;
    if (!id.isNull())
        object.insert(QStringLiteral("id"), id);
    object.insert(QStringLiteral("title"), title);
    object.insert(QStringLiteral("modifyTime"), modifyTime);
    object.insert(QStringLiteral("createTime"), createTime);
    object.insert(QStringLiteral("contentId"), contentId);
    return object;
}

QJsonObject notesFile(const QJsonArray& notes)
{
    QJsonObject root;
    root.insert(QStringLiteral("notes"), notes);
    root.insert(QStringLiteral("version"), QStringLiteral("1.2"));
    root.insert(QStringLiteral("totalNotes"), static_cast<int>(notes.size()));
    return root;
}

QStringList ids(const QList<Note>& notes)
{
    QStringList result;
    for (const Note& note : notes)
        result.append(note.id);
    return result;
}

QStringList fileIds()
{
    QStringList result;
    const QJsonArray notes = NotesFolder::read().value(QLatin1String("notes")).toArray();
    for (const QJsonValue& value : notes)
        result.append(value.toObject().value(QLatin1String("id")).toString());
    return result;
}

// One note exactly as earlier versions wrote it, tied to the path the entry had then.
QJsonObject oldNote(const QString& id, const QString& contentId, const QString& created)
{
    return {{"id", id},
            {"contentId", contentId},
            {"title", "笔记 " + id},
            {"content", "内容 " + id},
            {"position", ""},
            {"highlightText", "selected " + id},
            {"highlightColor", "#ffff00"},
            {"category", "重要"},
            {"createTime", created},
            {"modifyTime", created},
            {"startPos", 3},
            {"endPos", 11}};
}

// A notes file as an earlier version left it: notes tied to absolute paths of
// data directories on other machines, next to notes that name no file.
QByteArray oldNotesFile()
{
    const QJsonArray notes{
        oldNote("a-linux", "/home/u/old/data/software/cad/autocad.json", "2024-01-02T10:00:00"),
        oldNote("b-windows", "C:/Users/x/Quorvanta/data/companies/ansys.json",
                "2024-01-03T10:00:00"),
        oldNote("c-backslash", "C:\\Users\\x\\Quorvanta\\data\\software\\cae\\ansys.json",
                "2024-01-04T10:00:00"),
        oldNote("d-embedded", "data/software/cad/autocad.json", "2024-01-05T10:00:00"),
        oldNote("e-general", "general_notes", "2024-01-06T10:00:00"),
        oldNote("f-name", "AutoCAD", "2024-01-07T10:00:00"),
        oldNote("g-elsewhere", "/home/u/Desktop/todo.json", "2024-01-08T10:00:00"),
        oldNote("h-linux-again", "/mnt/usb/Quorvanta/data/software/cad/autocad.json",
                "2024-01-09T10:00:00")};
    QJsonObject root{{"notes", notes},
                     {"categories", QJsonArray::fromStringList(defaultCategories())},
                     {"version", "1.2"},
                     {"lastModified", "2024-01-09T10:00:00"},
                     {"totalNotes", notes.size()},
                     {"userPathFix", true},
                     {"documentsPath", "/home/u/Documents"}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QHash<QString, QJsonObject> fileNotesById()
{
    QHash<QString, QJsonObject> result;
    const QJsonArray notes = NotesFolder::read().value(QLatin1String("notes")).toArray();
    for (const QJsonValue& value : notes)
        result.insert(value.toObject().value(QLatin1String("id")).toString(), value.toObject());
    return result;
}

QStringList corruptCopies()
{
    return NotesFolder::entries().filter(
        QRegularExpression(QStringLiteral("^Quorvanta_notes\\.json\\.corrupt-\\d{8}-\\d{6}")));
}

QJsonArray fileNotes()
{
    return NotesFolder::read().value(QLatin1String("notes")).toArray();
}

QDateTime modified()
{
    return QFileInfo(NotesFolder::filePath()).lastModified();
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
    const QString line = QString::fromLocal8Bit(process.readLine()).trimmed();
    return line == QStringLiteral("ready ") + NotesFolder::filePath();
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

Note makeNote(const QString& id, const QString& title)
{
    Note note;
    note.id = id;
    note.contentId = QStringLiteral("data/software/cad/autocad.json");
    note.title = title;
    note.content = QStringLiteral("text of ") + title;
    note.category = QStringLiteral("一般");
    return note;
}

} // namespace

class TestNoteManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY2(NotesFolder::isIsolated(), "run through ctest, which gives the test its own HOME");
    }

    void init() { NotesFolder::reset(); }

    void cleanup()
    {
        QFile::setPermissions(NotesFolder::path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        NotesFolder::reset();
    }

    void firstStartCreatesTheFile()
    {
        MessageCapture capture;
        {
            NoteManager manager;
            QCOMPARE(manager.notesFilePath(), NotesFolder::filePath());
            QVERIFY(QFileInfo(NotesFolder::path()).isDir());
            const QJsonObject root = NotesFolder::read();
            QCOMPARE(root.value("version").toString(), QStringLiteral("1.2"));
            QCOMPARE(root.value("totalNotes").toInt(-1), 0);
            QCOMPARE(root.value("userPathFix").toBool(), true);
            QVERIFY(root.value("notes").isArray());
            QVERIFY(root.value("notes").toArray().isEmpty());
            QCOMPARE(root.value("categories").toVariant().toStringList(), defaultCategories());
            QVERIFY(QDateTime::fromString(root.value("created").toString(), Qt::ISODate).isValid());
            QVERIFY(!root.contains("lastModified"));
            QVERIFY(!root.contains("documentsPath"));
            QCOMPARE(manager.getCategories(), defaultCategories());
            QVERIFY(manager.getAllNotes().isEmpty());
        }
        QVERIFY(capture.contains(QtDebugMsg,
                                 kFile + "笔记文件不存在，创建新文件: " + NotesFolder::filePath()));
        QVERIFY(capture.contains(QtDebugMsg, kFile + "成功创建默认笔记文件"));

        // Closing writes nothing; the first change replaces "created" with the save's own keys.
        QVERIFY(NotesFolder::read().contains("created"));
        {
            NoteManager manager;
            QVERIFY(manager.saveNotes());
        }
        const QJsonObject saved = NotesFolder::read();
        QVERIFY(!saved.contains("created"));
        QVERIFY(
            QDateTime::fromString(saved.value("lastModified").toString(), Qt::ISODate).isValid());
        QCOMPARE(saved.value("documentsPath").toString(),
                 QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        QCOMPARE(saved.value("totalNotes").toInt(-1), 0);
    }

    void creatingTheFileDoesNotSignalLoaded()
    {
        NoteManager manager;
        QVERIFY(QFile::remove(NotesFolder::filePath()));
        QSignalSpy loaded(&manager, &NoteManager::notesLoaded);
        QVERIFY(manager.loadNotes());
        QCOMPARE(loaded.count(), 0);
        QVERIFY(QFile::exists(NotesFolder::filePath()));

        QVERIFY(manager.loadNotes());
        QCOMPARE(loaded.count(), 1);
    }

    void loadingIds_data()
    {
        QTest::addColumn<QJsonArray>("notes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QJsonArray>("keptAsTheyAre");

        QTest::newRow("empty file list") << QJsonArray() << QStringList() << QJsonArray();
        QTest::newRow("empty id: no note, kept")
            << QJsonArray{noteObject("a"), noteObject(""), noteObject("b")} << QStringList{"a", "b"}
            << QJsonArray{noteObject("")};
        QTest::newRow("missing id: no note, kept")
            << QJsonArray{noteObject(QString()), noteObject("c")} << QStringList{"c"}
            << QJsonArray{noteObject(QString())};
        QTest::newRow("numeric id: no note, kept")
            << QJsonArray{QJsonObject{{"id", 7}, {"title", "seven"}}, noteObject("c")}
            << QStringList{"c"} << QJsonArray{QJsonObject{{"id", 7}, {"title", "seven"}}};
        QTest::newRow("duplicate id: later wins")
            << QJsonArray{noteObject("d", "first"), noteObject("d", "second")} << QStringList{"d"}
            << QJsonArray();
        QTest::newRow("not an object: kept")
            << QJsonArray{QJsonValue(5), noteObject("e"), QJsonValue("text"), QJsonArray{1}}
            << QStringList{"e"} << QJsonArray{5, "text", QJsonArray{1}};
    }

    void loadingIds()
    {
        QFETCH(QJsonArray, notes);
        QFETCH(QStringList, expected);
        QFETCH(QJsonArray, keptAsTheyAre);
        QVERIFY(NotesFolder::write(notesFile(notes)));

        {
            NoteManager manager;
            QStringList loaded = ids(manager.getAllNotes());
            loaded.sort();
            QCOMPARE(loaded, expected);
            if (expected.contains("d"))
                QCOMPARE(manager.getNote("d").title, QStringLiteral("second"));
            QVERIFY(manager.saveNotes());
        }
        // Entries that are no note stay in the file as they were, after the notes.
        const QJsonArray written = fileNotes();
        QCOMPARE(written.size(), expected.size() + keptAsTheyAre.size());
        QCOMPARE(fileIds().mid(0, expected.size()), expected);
        for (int i = 0; i < keptAsTheyAre.size(); ++i)
            QCOMPARE(written.at(expected.size() + i), keptAsTheyAre.at(i));
        QCOMPARE(NotesFolder::read().value("totalNotes").toInt(-1), expected.size());
    }

    void totalNotesMismatchIsOnlyLogged()
    {
        QJsonObject root = notesFile({noteObject("a"), noteObject("b"), noteObject("c")});
        root.insert("totalNotes", 5);
        QVERIFY(NotesFolder::write(root));

        MessageCapture capture;
        NoteManager manager;
        QCOMPARE(manager.getAllNotes().size(), 3);
        QVERIFY(capture.contains(QtDebugMsg, kFile + "预期笔记数量: 5 实际加载: 3"));
        QVERIFY(capture.contains(QtDebugMsg, kFile + "成功加载了 3 个笔记"));
    }

    void categories_data()
    {
        QTest::addColumn<QJsonValue>("categories");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("absent") << QJsonValue(QJsonValue::Undefined) << defaultCategories();
        QTest::newRow("empty") << QJsonValue(QJsonArray()) << QStringList();
        QTest::newRow("own") << QJsonValue(QJsonArray{"b", "a"}) << QStringList{"b", "a"};
    }

    void categories()
    {
        QFETCH(QJsonValue, categories);
        QFETCH(QStringList, expected);
        QJsonObject root = notesFile({});
        if (!categories.isUndefined())
            root.insert("categories", categories);
        QVERIFY(NotesFolder::write(root));
        {
            NoteManager manager;
            QCOMPARE(manager.getCategories(), expected);
            QVERIFY(manager.saveNotes());
        }
        QCOMPARE(NotesFolder::read().value("categories").toVariant().toStringList(), expected);
    }

    void everyFieldRoundTrips()
    {
        QJsonObject stored{{"id", "n1"},
                           {"contentId", "data/software/cae/ansys.json"},
                           {"title", "标题"},
                           {"content", "正文"},
                           {"position", "p12"},
                           {"highlightText", "selected"},
                           {"highlightColor", "#FFFF00"},
                           {"category", "重要"},
                           {"createTime", "2024-03-01T10:00:00"},
                           {"modifyTime", ""},
                           {"startPos", 4},
                           {"endPos", "not a number"}};
        QVERIFY(NotesFolder::write(notesFile({stored})));
        {
            NoteManager manager;
            const Note note = manager.getNote("n1");
            QCOMPARE(note.contentId, QStringLiteral("data/software/cae/ansys.json"));
            QCOMPARE(note.position, QStringLiteral("p12"));
            QCOMPARE(note.highlightText, QStringLiteral("selected"));
            QCOMPARE(note.createTime, QDateTime(QDate(2024, 3, 1), QTime(10, 0)));
            QVERIFY(!note.modifyTime.isValid());
            QCOMPARE(note.startPos, 4);
            QCOMPARE(note.endPos, 0);
            QVERIFY(manager.saveNotes());
        }
        const QJsonObject written = NotesFolder::read().value("notes").toArray().at(0).toObject();
        QCOMPARE(written.keys().size(), 12);
        stored.insert("endPos", 0);
        QCOMPARE(written, stored);
    }

    void missingNoteIsDefault()
    {
        NoteManager manager;
        const Note note = manager.getNote("nope");
        QVERIFY(note.id.isEmpty());
        QVERIFY(note.title.isEmpty());
        QVERIFY(!note.createTime.isValid());
        QVERIFY(!note.modifyTime.isValid());
        QCOMPARE(note.startPos, 0);
        QCOMPARE(note.endPos, 0);
    }

    void addNoteAssignsIdAndTimes()
    {
        MessageCapture capture;
        NoteManager manager;
        QSignalSpy added(&manager, &NoteManager::noteAdded);
        Note note = makeNote(QString(), "Fresh");
        note.createTime = QDateTime(QDate(2000, 1, 1), QTime(0, 0));
        note.modifyTime = note.createTime;
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        QVERIFY(manager.addNote(note));

        QCOMPARE(added.count(), 1);
        const QString id = added.at(0).at(0).toString();
        QCOMPARE(id.size(), 36);
        QVERIFY(QRegularExpression("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$")
                    .match(id)
                    .hasMatch());
        const Note stored = manager.getNote(id);
        QVERIFY(stored.createTime >= before);
        QCOMPARE(stored.modifyTime, stored.createTime);
        QCOMPARE(fileIds(), QStringList{id});
        QVERIFY(capture.contains(QtDebugMsg, kFile + "添加笔记: " + id + " 标题: Fresh"));
        QVERIFY(capture.contains(QtDebugMsg, kFile + "成功保存笔记: " + id));
    }

    void addNoteWithExistingIdReplaces()
    {
        NoteManager manager;
        QVERIFY(manager.addNote(makeNote("same", "one")));
        QSignalSpy added(&manager, &NoteManager::noteAdded);
        QSignalSpy updated(&manager, &NoteManager::noteUpdated);
        QVERIFY(manager.addNote(makeNote("same", "two")));
        QCOMPARE(added.count(), 1);
        QCOMPARE(updated.count(), 0);
        QCOMPARE(manager.getAllNotes().size(), 1);
        QCOMPARE(manager.getNote("same").title, QStringLiteral("two"));
    }

    void updateNote()
    {
        NoteManager manager;
        QVERIFY(manager.addNote(makeNote("u", "before")));
        QSignalSpy updated(&manager, &NoteManager::noteUpdated);

        Note note = manager.getNote("u");
        const QDateTime created(QDate(2023, 5, 6), QTime(7, 8, 9));
        note.title = "after";
        note.createTime = created;
        note.modifyTime = QDateTime(QDate(2001, 1, 1), QTime(0, 0));
        QVERIFY(manager.updateNote(note));
        QCOMPARE(updated.count(), 1);
        QCOMPARE(updated.at(0).at(0).toString(), QStringLiteral("u"));
        const Note stored = manager.getNote("u");
        QCOMPARE(stored.title, QStringLiteral("after"));
        QCOMPARE(stored.createTime, created);
        QVERIFY(stored.modifyTime > QDateTime::currentDateTime().addSecs(-60));
    }

    void unknownIdsDoNotWrite_data()
    {
        QTest::addColumn<bool>("update");
        QTest::newRow("update") << true;
        QTest::newRow("delete") << false;
    }

    void unknownIdsDoNotWrite()
    {
        QFETCH(bool, update);
        MessageCapture capture;
        NoteManager manager;
        QVERIFY(manager.addNote(makeNote("kept", "kept")));
        const QByteArray before = NotesFolder::readBytes();
        QSignalSpy updated(&manager, &NoteManager::noteUpdated);
        QSignalSpy deleted(&manager, &NoteManager::noteDeleted);

        if (update) {
            QVERIFY(!manager.updateNote(makeNote("ghost", "x")));
            QVERIFY(capture.contains(QtWarningMsg, kFile + "尝试更新不存在的笔记: ghost"));
        } else {
            QVERIFY(!manager.deleteNote("ghost"));
            QVERIFY(capture.contains(QtWarningMsg, kFile + "尝试删除不存在的笔记: ghost"));
        }
        QCOMPARE(NotesFolder::readBytes(), before);
        QCOMPARE(updated.count() + deleted.count(), 0);
    }

    void deleteNote()
    {
        NoteManager manager;
        QVERIFY(manager.addNote(makeNote("a", "a")));
        QVERIFY(manager.addNote(makeNote("b", "b")));
        QSignalSpy deleted(&manager, &NoteManager::noteDeleted);
        QVERIFY(manager.deleteNote("a"));
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(deleted.at(0).at(0).toString(), QStringLiteral("a"));
        QCOMPARE(fileIds(), QStringList{"b"});
        QVERIFY(manager.getNote("a").id.isEmpty());
    }

    void sortingAndFiltering()
    {
        const QString cad = "data/software/cad/a.json";
        QVERIFY(NotesFolder::write(notesFile({
            noteObject("1", "Alpha", "2024-01-03T00:00:00", "2024-01-01T00:00:00", cad),
            noteObject("2", "beta", "2024-01-01T00:00:00", "2024-01-05T00:00:00", cad),
            noteObject("3", "Gamma", "2024-01-02T00:00:00", "2024-01-02T00:00:00", "other"),
            noteObject("4", "delta", "2024-01-04T00:00:00", "2024-01-03T00:00:00",
                       "DATA/software/cad/a.json"),
        })));
        NoteManager manager;
        QCOMPARE(ids(manager.getAllNotes()), (QStringList{"4", "1", "3", "2"}));
        QCOMPARE(ids(manager.getNotesForContent(cad)), (QStringList{"2", "1"}));
        QVERIFY(manager.getNotesForContent("nothing").isEmpty());
        QCOMPARE(ids(manager.searchNotes("")), (QStringList{"4", "1", "3", "2"}));
        QCOMPARE(ids(manager.searchNotes("ALPHA")), QStringList{"1"});
        QCOMPARE(ids(manager.searchNotes("TA")), (QStringList{"4", "2"}));
    }

    void searchLooksAtTitleContentAndHighlight_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("title") << "title";
        QTest::newRow("content") << "content";
        QTest::newRow("highlightText") << "highlightText";
        QTest::newRow("category is not searched") << "category";
    }

    void searchLooksAtTitleContentAndHighlight()
    {
        QFETCH(QString, field);
        QJsonObject note{{"id", "n"}, {field, "Finite Element"}};
        QVERIFY(NotesFolder::write(notesFile({note})));
        NoteManager manager;
        QCOMPARE(manager.searchNotes("element").size(), field == "category" ? 0 : 1);
    }

    void constructionAndDestructionLog()
    {
        QVERIFY(
            NotesFolder::write(QByteArray("{\"notes\": [{\"id\": \"a\"}], \"totalNotes\": 1}")));
        const qint64 size = QFileInfo(NotesFolder::filePath()).size();
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString debug = QStringLiteral("NoteManager: [DEBUG] ");
        MessageCapture capture;
        {
            NoteManager manager;
            QCOMPARE(manager.getAllNotes().size(), 1);
        }
        QStringList texts;
        const QList<MessageCapture::Line> lines = capture.lines();
        for (const MessageCapture::Line& line : lines)
            texts.append(line.text);
        const QStringList expected{
            "=== NoteManager 构造函数开始 ===",
            debug + "系统文档路径: " + documents,
            debug + "应用笔记路径: " + NotesFolder::path(),
            debug + "目录创建结果: 成功",
            kFile + "笔记路径设置为: " + NotesFolder::path(),
            kFile + "设置笔记路径为: " + NotesFolder::path(),
            kFile + "笔记文件路径: " + NotesFolder::filePath(),
            kFile + "笔记文件存在，大小: " + QString::number(size) + " 字节",
            debug + "文件权限: 可读=true, 可写=true",
            debug + "开始加载笔记文件...",
            kFile + "加载笔记文件: " + NotesFolder::filePath(),
            kFile + "读取文件大小: " + QString::number(size) + " 字节",
            kFile + "成功加载了 1 个笔记",
            kFile + "预期笔记数量: 1 实际加载: 1",
            debug + "构造函数完成，内存中笔记数量: 1",
            "=== NoteManager 构造函数结束 ===",
        };
        QCOMPARE(texts.mid(0, expected.size()), expected);
        // Every change was saved when it was made: closing writes nothing.
        QCOMPARE(texts.last(), kFile + "析构函数，所有更改均已保存");
        QVERIFY(!texts.contains(kFile + "保存到文件: " + NotesFolder::filePath()));
    }

    void getAllNotesLogs()
    {
        NoteManager manager;
        QVERIFY(manager.addNote(makeNote("x1", "One")));
        MessageCapture capture;
        manager.getAllNotes();
        QVERIFY(capture.contains(QtDebugMsg, "=== NoteManager::getAllNotes 被调用 ==="));
        QVERIFY(
            capture.contains(QtDebugMsg, "NoteManager: [DEBUG] 笔记1: ID=x1, 标题=One, 分类=一般"));
        QVERIFY(capture.contains(QtDebugMsg, "NoteManager: [DEBUG] 排序后返回 1 个笔记"));
        QVERIFY(capture.contains(QtDebugMsg, "=== NoteManager::getAllNotes 结束 ==="));
    }

    void unreadableFileSurvivesStartAndClose_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("truncated JSON") << QByteArray("{\"notes\": [{\"id\": \"precious\"");
        QTest::newRow("not JSON") << QByteArray("\x00\x01garbage", 9);
        QTest::newRow("JSON array") << QByteArray("[{\"id\": \"precious\"}]");
        QTest::newRow("notes not an array") << QByteArray("{\"notes\": {\"id\": \"precious\"}}");
    }

    void unreadableFileSurvivesStartAndClose()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(NotesFolder::write(bytes));
        MessageCapture capture;
        QStringList copies;
        {
            NoteManager manager;
            QVERIFY(manager.getAllNotes().isEmpty());
            QCOMPARE(manager.getCategories(), defaultCategories());
            QVERIFY(!capture.warningsStartingWith(kFile + "解析笔记文件错误:").isEmpty() ||
                    !capture.warningsStartingWith(kFile + "笔记文件部分损坏:").isEmpty());
            // A copy is kept at once, so the user can be told where; the file stays.
            copies = corruptCopies();
            QCOMPARE(copies.size(), 1);
            const QString keptPath = QDir(NotesFolder::path()).filePath(copies.first());
            QFile kept(keptPath);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), bytes);
            QVERIFY(
                capture.contains(QtWarningMsg, kFile + "无法读取的笔记文件已另存为: " + keptPath));
            QCOMPARE(manager.keptFiles().size(), 1);
            QCOMPARE(manager.keptFiles().first().path, NotesFolder::filePath());
            QCOMPARE(manager.keptFiles().first().keptPath, keptPath);
            QVERIFY(!manager.keptFiles().first().reason.isEmpty());
            QCOMPARE(NotesFolder::readBytes(), bytes);
        }
        // Closing writes nothing.
        QCOMPARE(NotesFolder::readBytes(), bytes);

        // A second start and close tells of the same copy and makes no other.
        {
            NoteManager again;
            QCOMPARE(again.keptFiles().size(), 1);
            QCOMPARE(again.keptFiles().first().keptPath,
                     QDir(NotesFolder::path()).filePath(copies.first()));
        }
        QCOMPARE(corruptCopies(), copies);
    }

    void unreadableFileIsKeptBeforeTheFirstChange()
    {
        QVERIFY(NotesFolder::write(QByteArray("{ broken")));
        NoteManager manager;
        QVERIFY(manager.addNote(makeNote("new", "new")));
        QCOMPARE(corruptCopies().size(), 1);
        QCOMPARE(fileIds(), QStringList{"new"});
    }

    void emptyFileLoadsAsNothing()
    {
        QVERIFY(NotesFolder::write(QByteArray()));
        MessageCapture capture;
        {
            NoteManager manager;
            QVERIFY(manager.loadNotes());
            QVERIFY(manager.getAllNotes().isEmpty());
        }
        QVERIFY(capture.contains(QtWarningMsg, kFile + "笔记文件为空: " + NotesFolder::filePath()));
        QVERIFY(corruptCopies().isEmpty());
    }

    void diskFullMidWriteKeepsTheOldFile()
    {
        NoteManager manager;
        for (int i = 0; i < 5; ++i)
            QVERIFY(manager.addNote(makeNote(QString("n%1").arg(i), QString(200, QChar('x')))));
        const QByteArray before = NotesFolder::readBytes();
        const QStringList entriesBefore = NotesFolder::entries();
        QSignalSpy added(&manager, &NoteManager::noteAdded);

        MessageCapture capture;
        {
            // Room for the lock file, not for the notes.
            FileSizeLimit limit(512);
            QVERIFY(limit.isActive());
            QVERIFY(!manager.addNote(makeNote("late", "late")));
        }
        QCOMPARE(added.count(), 0);
        QCOMPARE(NotesFolder::readBytes(), before);
        QCOMPARE(NotesFolder::entries(), entriesBefore);
        QVERIFY(
            capture.contains(QtWarningMsg, kFile + "无法写入笔记文件: " + NotesFolder::filePath()));
        QVERIFY(capture.contains(QtWarningMsg, kFile + "重试后仍无法写入文件"));
        QVERIFY(capture.contains(QtWarningMsg, kFile + "保存笔记失败: late"));
        // The reason is the system's, with the file it concerns.
        QCOMPARE(manager.lastError(),
                 "无法写入笔记文件: " + QDir::toNativeSeparators(NotesFolder::filePath()) +
                     "\n原因: " + qt_error_string(EFBIG));

        // Memory stays what the file holds: the unsaved note is not there.
        QVERIFY(manager.getNote("late").id.isEmpty());
        QCOMPARE(manager.getAllNotes().size(), 5);
        QVERIFY(manager.addNote(makeNote("later", "later")));
        QVERIFY(manager.lastError().isEmpty());
        QVERIFY(!fileIds().contains("late"));
        QVERIFY(fileIds().contains("later"));
    }

    void fileReplacedByDirectory()
    {
        auto manager = std::make_unique<NoteManager>();
        QVERIFY(manager->addNote(makeNote("a", "a")));
        QVERIFY(QFile::remove(NotesFolder::filePath()));
        QVERIFY(QDir().mkdir(NotesFolder::filePath()));

        MessageCapture capture;
        QSignalSpy deleted(manager.get(), &NoteManager::noteDeleted);
        QVERIFY(!manager->deleteNote("a"));
        QCOMPARE(deleted.count(), 0);
        QVERIFY(capture.contains(QtWarningMsg, kFile + "删除笔记保存失败: a"));
        QVERIFY(!manager->getNote("a").id.isEmpty());
        QVERIFY(QFileInfo(NotesFolder::filePath()).isDir());
        QCOMPARE(NotesFolder::entries(), QStringList{"Quorvanta_notes.json"});

        QVERIFY(QDir().rmdir(NotesFolder::filePath()));
        QVERIFY(manager->addNote(makeNote("b", "b")));
        QCOMPARE(fileIds(), QStringList{"b"});
    }

    void directoryInPlaceOfTheFileAtStart()
    {
        QDir().mkpath(NotesFolder::filePath());
        MessageCapture capture;
        {
            NoteManager manager;
            QVERIFY(!manager.loadNotes());
        }
        QVERIFY(
            capture.contains(QtWarningMsg, kFile + "无法读取笔记文件: " + NotesFolder::filePath()));
        // Closing tries no write.
        QVERIFY(capture.warningsStartingWith(kFile + "重试后仍无法写入文件").isEmpty());
        QVERIFY(QFileInfo(NotesFolder::filePath()).isDir());
        QVERIFY(corruptCopies().isEmpty());
    }

    void readOnlyFolderKeepsTheOldFile()
    {
        NoteManager manager;
        QVERIFY(manager.addNote(makeNote("a", "a")));
        const QByteArray before = NotesFolder::readBytes();
        QVERIFY(QFile::setPermissions(NotesFolder::path(), QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(QDir(NotesFolder::path()).filePath("probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            QSKIP("permissions do not bind this user (root); diskFullMidWriteKeepsTheOldFile "
                  "covers it");
        }
        QVERIFY(!manager.addNote(makeNote("b", "b")));
        QCOMPARE(NotesFolder::readBytes(), before);
    }

    void closingWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain file")
            << QJsonDocument(notesFile({noteObject("a", "A"), noteObject("b", "B")})).toJson();
        QJsonObject odd = notesFile({noteObject("a"), QJsonValue(3)});
        odd.insert("futureKey", "kept");
        QTest::newRow("file with entries that are no note") << QJsonDocument(odd).toJson();
    }

    void closingWritesNothing()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(NotesFolder::write(bytes));
        const QDateTime before = QDateTime::currentDateTime().addDays(-1);
        {
            QFile file(NotesFolder::filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.setFileTime(before, QFileDevice::FileModificationTime));
        }
        const QStringList entries = NotesFolder::entries();
        {
            NoteManager manager;
            manager.getAllNotes();
        }
        QCOMPARE(NotesFolder::readBytes(), bytes);
        QCOMPARE(modified(), before);
        QCOMPARE(NotesFolder::entries(), entries);
    }

    void secondCopyThatOnlyOpensAndClosesErasesNothing()
    {
        NoteManager first;
        auto second = std::make_unique<NoteManager>();
        for (int i = 0; i < 5; ++i)
            QVERIFY(first.addNote(makeNote(QString("n%1").arg(i), "mine")));
        second.reset();
        QCOMPARE(fileIds(), (QStringList{"n0", "n1", "n2", "n3", "n4"}));
    }

    void changesOfAnotherCopyAreMergedAndShown()
    {
        NoteManager first;
        NoteManager second;
        QSignalSpy secondLoaded(&second, &NoteManager::notesLoaded);
        QVERIFY(first.addNote(makeNote("a", "from first")));
        QVERIFY(second.addNote(makeNote("b", "from second")));
        QCOMPARE(fileIds(), (QStringList{"a", "b"}));
        // The second copy's memory followed the file, and its panels were told.
        QCOMPARE(second.getNote("a").title, QStringLiteral("from first"));
        QCOMPARE(secondLoaded.count(), 1);

        // The first copy changes a note it never saw, on the file's contents.
        Note b = second.getNote("b");
        b.title = "changed by first";
        QVERIFY(first.updateNote(b));
        QVERIFY(first.deleteNote("a"));
        QCOMPARE(fileIds(), QStringList{"b"});
        QCOMPARE(fileNotes().at(0).toObject().value("title").toString(),
                 QStringLiteral("changed by first"));

        // A note deleted by the other copy cannot be updated, and nothing is written.
        const QByteArray bytes = NotesFolder::readBytes();
        Note gone = second.getNote("a");
        QVERIFY(!gone.id.isEmpty());
        QVERIFY(!second.updateNote(gone));
        QVERIFY(second.lastError().isEmpty());
        QVERIFY(second.getNote("a").id.isEmpty());
        QCOMPARE(NotesFolder::readBytes(), bytes);
    }

    void twoRunningCopiesLoseNothing()
    {
        const int count = 100;
        QProcess first;
        QProcess second;
        QVERIFY(startDriver(first, {"notes", "A", QString::number(count)}));
        QVERIFY(startDriver(second, {"notes", "B", QString::number(count)}));
        // Both run their steps at the same time.
        releaseDriver(first);
        releaseDriver(second);
        const bool firstDone = waitForDriver(first);
        const bool secondDone = waitForDriver(second);

        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(NotesFolder::readBytes(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QMap<QString, QString> expected =
            StoreDriverPlan::expectedItems(StoreDriverPlan::noteSteps("A", count));
        const QMap<QString, QString> more =
            StoreDriverPlan::expectedItems(StoreDriverPlan::noteSteps("B", count));
        for (auto it = more.cbegin(); it != more.cend(); ++it)
            expected.insert(it.key(), it.value());
        QMap<QString, QString> found;
        const QJsonArray notes = document.object().value("notes").toArray();
        for (const QJsonValue& value : notes)
            found.insert(value.toObject().value("id").toString(),
                         value.toObject().value("title").toString());
        const int operations = StoreDriverPlan::noteSteps("A", count).size() +
                               StoreDriverPlan::noteSteps("B", count).size();
        int lost = 0;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            lost += found.value(it.key()) == it.value() ? 0 : 1;
        qInfo("two copies: %d operations, %d notes expected, %d found, %d lost or stale",
              operations, int(expected.size()), int(found.size()), lost);
        QVERIFY2(firstDone, first.readAllStandardError().constData());
        QVERIFY2(secondDone, second.readAllStandardError().constData());
        QCOMPARE(found, expected);
        QCOMPARE(document.object().value("totalNotes").toInt(), expected.size());
    }

    void idleCopyErasesNothing()
    {
        QTemporaryDir data;
        QProcess idle;
        QVERIFY(startDriver(idle, {"idle", data.path()}));
        {
            NoteManager manager;
            for (int i = 0; i < 5; ++i)
                QVERIFY(manager.addNote(makeNote(QString("n%1").arg(i), "mine")));
        }
        const QByteArray bytes = NotesFolder::readBytes();
        releaseDriver(idle);
        QVERIFY2(waitForDriver(idle), idle.readAllStandardError().constData());
        QCOMPARE(NotesFolder::readBytes(), bytes);
        QCOMPARE(fileIds().size(), 5);
    }

    void unknownKeysAreWrittenBack()
    {
        QJsonObject root =
            notesFile({QJsonObject{{"id", "n"}, {"title", "T"}, {"tags", QJsonArray{"a", "b"}}}});
        root.insert("syncState", QJsonObject{{"rev", 4}});
        QVERIFY(NotesFolder::write(root));
        {
            NoteManager manager;
            Note note = manager.getNote("n");
            note.title = "changed";
            QVERIFY(manager.updateNote(note));
        }
        const QJsonObject written = NotesFolder::read();
        QCOMPARE(written.value("syncState").toObject(), (QJsonObject{{"rev", 4}}));
        const QJsonObject note = written.value("notes").toArray().at(0).toObject();
        QCOMPARE(note.value("title").toString(), QStringLiteral("changed"));
        QCOMPARE(note.value("tags").toArray(), (QJsonArray{"a", "b"}));
        QCOMPARE(note.keys().size(), 13);
    }

    void partlyDamagedFileKeepsItsGoodNotes_data()
    {
        QTest::addColumn<QJsonObject>("root");
        QTest::addColumn<QStringList>("categories");

        QJsonObject badCategories = notesFile({noteObject("a", "A"), noteObject("b", "B")});
        badCategories.insert("categories", "一般");
        QTest::newRow("categories not an array") << badCategories << defaultCategories();
        QJsonObject numberCategory = notesFile({noteObject("a", "A"), noteObject("b", "B")});
        numberCategory.insert("categories", QJsonArray{"x", 5, "y"});
        QTest::newRow("a category that is no text") << numberCategory << QStringList{"x", "y"};
        QTest::newRow("the same id twice")
            << notesFile({noteObject("a", "first"), noteObject("a", "A"), noteObject("b", "B")})
            << defaultCategories();
    }

    void partlyDamagedFileKeepsItsGoodNotes()
    {
        QFETCH(QJsonObject, root);
        QFETCH(QStringList, categories);
        const QByteArray bytes = QJsonDocument(root).toJson();
        QVERIFY(NotesFolder::write(bytes));
        MessageCapture capture;
        {
            NoteManager manager;
            QCOMPARE(manager.getNote("a").title, QStringLiteral("A"));
            QCOMPARE(manager.getNote("b").title, QStringLiteral("B"));
            QCOMPARE(manager.getCategories(), categories);
            QVERIFY(!capture.warningsStartingWith(kFile + "笔记文件部分损坏:").isEmpty());
            const QStringList copies = corruptCopies();
            QCOMPARE(copies.size(), 1);
            QFile kept(QDir(NotesFolder::path()).filePath(copies.first()));
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), bytes);
            QCOMPARE(manager.keptFiles().size(), 1);
            QCOMPARE(manager.keptFiles().first().keptPath, kept.fileName());
            QCOMPARE(NotesFolder::readBytes(), bytes);
            QVERIFY(manager.addNote(makeNote("c", "C")));
        }
        QCOMPARE(fileIds(), (QStringList{"a", "b", "c"}));
        QCOMPARE(NotesFolder::read().value("categories").toVariant().toStringList(), categories);
        QCOMPARE(corruptCopies().size(), 1);
    }

    void leftoversOfKilledWritesAreRemoved_data()
    {
        QTest::addColumn<bool>("atStart");
        QTest::newRow("at start") << true;
        QTest::newRow("at the next change") << false;
    }

    void leftoversOfKilledWritesAreRemoved()
    {
        QFETCH(bool, atStart);
        QVERIFY(NotesFolder::write(QJsonDocument(notesFile({noteObject("a")})).toJson()));
        const QString leftover = NotesFolder::filePath() + ".writing-k1ll3d";
        auto manager = atStart ? nullptr : std::make_unique<NoteManager>();
        QFile file(leftover);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"notes\": [");
        file.close();
        if (atStart)
            manager = std::make_unique<NoteManager>();
        else
            QVERIFY(manager->addNote(makeNote("b", "b")));
        QVERIFY(!QFile::exists(leftover));
        QCOMPARE(NotesFolder::entries(), QStringList{"Quorvanta_notes.json"});
    }

    void oldAbsolutePathsFindTheirEntry_data()
    {
        QTest::addColumn<QString>("contentId");
        QTest::addColumn<QStringList>("expected");
        const QStringList autocad{"h-linux-again", "d-embedded", "a-linux"};
        QTest::newRow("key") << "software/cad/autocad.json" << autocad;
        QTest::newRow("embedded key") << "data/software/cad/autocad.json" << autocad;
        QTest::newRow("this install's path")
            << "/usr/share/quorvanta/data/software/cad/autocad.json" << autocad;
        QTest::newRow("company") << "companies/ansys.json" << QStringList{"b-windows"};
        QTest::newRow("backslashes") << "software/cae/ansys.json" << QStringList{"c-backslash"};
        QTest::newRow("general notes") << "general_notes" << QStringList{"e-general"};
        QTest::newRow("name") << "AutoCAD" << QStringList{"f-name"};
        QTest::newRow("file elsewhere")
            << "/home/u/Desktop/todo.json" << QStringList{"g-elsewhere"};
        QTest::newRow("other entry") << "software/cad/catia.json" << QStringList();
    }

    void oldAbsolutePathsFindTheirEntry()
    {
        QFETCH(QString, contentId);
        QFETCH(QStringList, expected);
        const QByteArray old = oldNotesFile();
        QVERIFY(NotesFolder::write(old));
        NoteManager manager;
        QCOMPARE(ids(manager.getNotesForContent(contentId)), expected);
        QCOMPARE(manager.getAllNotes().size(), 8);
        // Reading changes nothing on disk.
        QCOMPARE(NotesFolder::readBytes(), old);
    }

    void oldAbsolutePathsAreRewrittenOnTheNextSave()
    {
        const QByteArray old = oldNotesFile();
        QVERIFY(NotesFolder::write(old));
        const QHash<QString, QJsonObject> before = fileNotesById();
        std::unique_ptr<NoteManager> manager;
        {
            MessageCapture capture;
            manager = std::make_unique<NoteManager>();
            QVERIFY(capture.contains(QtDebugMsg,
                                     kFile + "按数据相对路径关联了 4 个旧笔记，下次保存时写入"));
        }
        QCOMPARE(manager->getNote("a-linux").contentId,
                 QStringLiteral("software/cad/autocad.json"));
        QCOMPARE(NotesFolder::readBytes(), old);

        Note added = makeNote("new", "新笔记");
        added.contentId = QStringLiteral("software/cad/autocad.json");
        QVERIFY(manager->addNote(added));

        const QHash<QString, QJsonObject> after = fileNotesById();
        QCOMPARE(fileIds().size(), 9);
        QCOMPARE(after.size(), 9);
        QCOMPARE(NotesFolder::read().value("totalNotes").toInt(), 9);
        const QHash<QString, QString> rewritten{{"a-linux", "software/cad/autocad.json"},
                                                {"b-windows", "companies/ansys.json"},
                                                {"c-backslash", "software/cae/ansys.json"},
                                                {"h-linux-again", "software/cad/autocad.json"}};
        for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
            QJsonObject expected = it.value();
            if (rewritten.contains(it.key()))
                expected.insert("contentId", rewritten.value(it.key()));
            // Every other field, and the notes without a path to move, exactly as they were.
            QCOMPARE(after.value(it.key()), expected);
        }

        // Started again: the same notes, once each, for the same entries; nothing left to move.
        manager.reset();
        MessageCapture restart;
        manager = std::make_unique<NoteManager>();
        QCOMPARE(manager->getAllNotes().size(), 9);
        QCOMPARE(ids(manager->getNotesForContent("software/cad/autocad.json")),
                 (QStringList{"new", "h-linux-again", "d-embedded", "a-linux"}));
        for (const MessageCapture::Line& line : restart.lines())
            QVERIFY2(!line.text.contains("按数据相对路径关联了"), qPrintable(line.text));
    }

    void notesAnOlderCopyWritesMeanwhileAreRewrittenToo()
    {
        NoteManager manager;
        QVERIFY(manager.addNote(makeNote("mine", "mine")));
        // An older copy of the program running at the same time adds a note its way.
        QJsonObject root = NotesFolder::read();
        QJsonArray notes = root.value("notes").toArray();
        notes.append(
            oldNote("theirs", "/home/u/old/data/software/cad/nx.json", "2024-01-02T10:00:00"));
        root.insert("notes", notes);
        QVERIFY(NotesFolder::write(root));

        QVERIFY(manager.deleteNote("mine"));
        QCOMPARE(fileIds(), QStringList{"theirs"});
        QCOMPARE(fileNotesById().value("theirs").value("contentId").toString(),
                 QStringLiteral("software/cad/nx.json"));
        QCOMPARE(ids(manager.getNotesForContent("software/cad/nx.json")), QStringList{"theirs"});
    }
};

QTEST_GUILESS_MAIN(TestNoteManager)
#include "tst_notemanager.moc"
