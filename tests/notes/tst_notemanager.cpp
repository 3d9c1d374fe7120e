#include "notes/NoteManager.h"

#include "../support/FileSizeLimit.h"
#include "../support/MessageCapture.h"
#include "../support/NotesFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

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

QStringList corruptCopies()
{
    return NotesFolder::entries().filter(
        QRegularExpression(QStringLiteral("^Quorvanta_notes\\.json\\.corrupt-\\d{8}-\\d{6}")));
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

        // The closing save replaces "created" with the save's own keys.
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

        QTest::newRow("empty file list") << QJsonArray() << QStringList();
        QTest::newRow("empty id dropped")
            << QJsonArray{noteObject("a"), noteObject(""), noteObject("b")}
            << QStringList{"a", "b"};
        QTest::newRow("missing id dropped")
            << QJsonArray{noteObject(QString()), noteObject("c")} << QStringList{"c"};
        QTest::newRow("duplicate id: later wins")
            << QJsonArray{noteObject("d", "first"), noteObject("d", "second")} << QStringList{"d"};
        QTest::newRow("not an object dropped")
            << QJsonArray{QJsonValue(5), noteObject("e")} << QStringList{"e"};
    }

    void loadingIds()
    {
        QFETCH(QJsonArray, notes);
        QFETCH(QStringList, expected);
        QVERIFY(NotesFolder::write(notesFile(notes)));

        {
            NoteManager manager;
            QStringList loaded = ids(manager.getAllNotes());
            loaded.sort();
            QCOMPARE(loaded, expected);
            if (expected.contains("d"))
                QCOMPARE(manager.getNote("d").title, QStringLiteral("second"));
        }
        // Dropped notes disappear from the file at the next save.
        QCOMPARE(fileIds(), expected);
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
        const int closing = texts.indexOf(kFile + "析构函数，保存笔记...");
        QVERIFY(closing > 0);
        QCOMPARE(texts.value(closing + 1), kFile + "保存到文件: " + NotesFolder::filePath());
        QVERIFY(texts.contains(kFile + "成功保存 1 个笔记到: " + NotesFolder::filePath()));
        QVERIFY(capture.contains(QtDebugMsg, kFile + "文件保存验证成功"));
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
        {
            NoteManager manager;
            QVERIFY(manager.getAllNotes().isEmpty());
            QCOMPARE(manager.getCategories(), defaultCategories());
            QVERIFY(!capture.warningsStartingWith(kFile + "解析笔记文件错误:").isEmpty());
            // Nothing is written yet.
            QCOMPARE(NotesFolder::readBytes(), bytes);
        }
        const QStringList copies = corruptCopies();
        QCOMPARE(copies.size(), 1);
        QFile kept(QDir(NotesFolder::path()).filePath(copies.first()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), bytes);
        QVERIFY(capture.contains(QtWarningMsg,
                                 kFile + "无法读取的笔记文件已另存为: " + kept.fileName()));
        // The fresh file is a valid notes file again.
        QCOMPARE(NotesFolder::read().value("version").toString(), QStringLiteral("1.2"));

        // A second start and close leaves the kept copy alone and makes no other.
        {
            NoteManager again;
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
            FileSizeLimit limit(64);
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

        // The note stayed in memory and reaches the file with the next save.
        QVERIFY(manager.addNote(makeNote("later", "later")));
        QVERIFY(fileIds().contains("late"));
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
        QVERIFY(capture.contains(QtWarningMsg, kFile + "重试后仍无法写入文件"));
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
};

QTEST_GUILESS_MAIN(TestNoteManager)
#include "tst_notemanager.moc"
