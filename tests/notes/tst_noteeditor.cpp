#include "app/InterfaceTranslators.h"
#include "notes/NoteEditor.h"
#include "notes/NoteManager.h"

#include "../support/ModalAnswerer.h"
#include "../support/NotesFolder.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <cerrno>

#include <memory>

namespace {

const QString kText = QStringLiteral("Finite element analysis splits a part into small elements.");
const QString kEntry = QStringLiteral("data/software/cae/ansys.json");

// The background drawn behind the character at `pos` (invalid when none).
QColor backgroundAt(QTextEdit* view, int pos)
{
    QTextCursor cursor(view->document());
    cursor.setPosition(pos + 1);
    const QBrush brush = cursor.charFormat().background();
    return brush.style() == Qt::NoBrush ? QColor() : brush.color();
}

bool isMarked(QTextEdit* view, int pos, const QColor& color)
{
    return backgroundAt(view, pos) == color;
}

} // namespace

class TestNoteEditor : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<NoteManager> m_manager;
    std::unique_ptr<NoteEditor> m_editor;
    std::unique_ptr<ModalAnswerer> m_answerer;

    template <typename T> T* child(const char* name)
    {
        T* widget = m_editor->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    QTextEdit* contentView() { return child<QTextEdit>("contentView"); }
    QTreeWidget* noteList() { return child<QTreeWidget>("noteList"); }

    void select(int start, int end)
    {
        QTextCursor cursor = contentView()->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        contentView()->setTextCursor(cursor);
    }

    void showEntry(const QString& text = kText, const QString& contentId = kEntry)
    {
        m_editor->setContent(text);
        m_editor->loadNotesForContent(contentId);
    }

    QTreeWidgetItem* itemTitled(const QString& title)
    {
        const auto found = noteList()->findItems(title, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.first();
    }

    void clickItem(QTreeWidgetItem* item) { emit noteList()->itemClicked(item, 0); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY2(NotesFolder::isIsolated(), "run through ctest, which gives the test its own HOME");
    }

    void init()
    {
        NotesFolder::reset();
        m_answerer = std::make_unique<ModalAnswerer>();
        m_manager = std::make_unique<NoteManager>();
        m_editor = std::make_unique<NoteEditor>();
        m_editor->setNoteManager(m_manager.get());
        m_editor->show();
    }

    void cleanup()
    {
        m_editor.reset();
        m_manager.reset();
        QCOMPARE(m_answerer->unansweredQuestions, 0);
        m_answerer.reset();
        QDir(NotesFolder::filePath()).removeRecursively();
        NotesFolder::reset();
    }

    void initialState()
    {
        QCOMPARE(m_editor->highlightColor(), QStringLiteral("#FFFF00"));
        QVERIFY(!child<QToolButton>("highlightButton")->isEnabled());
        QVERIFY(!child<QToolButton>("annotationButton")->isEnabled());
        QVERIFY(child<QToolButton>("colorButton")->isEnabled());
        QVERIFY(!child<QPushButton>("deleteButton")->isEnabled());
        QCOMPARE(child<QToolButton>("highlightButton")->toolTip(),
                 QStringLiteral("为选中文本添加高亮标记"));
        QVERIFY(contentView()->isReadOnly());
        QCOMPARE(noteList()->headerItem()->text(0), QStringLiteral("标题"));
        QCOMPARE(noteList()->headerItem()->text(2), QStringLiteral("创建时间"));
        auto* categories = child<QComboBox>("categoryBox");
        QVERIFY(categories->isEditable());
        QCOMPARE(categories->count(), 6);
        QCOMPARE(categories->itemText(0), QStringLiteral("一般"));
    }

    void layoutTexts()
    {
        QCOMPARE(child<QToolButton>("highlightButton")->text(), QStringLiteral("高亮"));
        QCOMPARE(child<QToolButton>("annotationButton")->text(), QStringLiteral("注释"));
        QCOMPARE(child<QToolButton>("annotationButton")->toolTip(),
                 QStringLiteral("为选中文本添加注释"));
        QCOMPARE(child<QToolButton>("colorButton")->text(), QStringLiteral("颜色"));
        QCOMPARE(child<QToolButton>("colorButton")->toolTip(), QStringLiteral("选择高亮颜色"));
        QCOMPARE(child<QPushButton>("newNoteButton")->text(), QStringLiteral("新建笔记"));
        QCOMPARE(child<QPushButton>("newNoteButton")->toolTip(), QStringLiteral("创建新笔记"));
        QCOMPARE(child<QPushButton>("saveButton")->text(), QStringLiteral("保存"));
        QCOMPARE(child<QPushButton>("deleteButton")->text(), QStringLiteral("删除"));
        QCOMPARE(child<QLineEdit>("searchEdit")->placeholderText(),
                 QStringLiteral("输入关键词搜索笔记..."));
        QCOMPARE(child<QTextEdit>("noteContentEdit")->maximumHeight(), 150);
        QCOMPARE(noteList()->columnCount(), 3);
        QCOMPARE(noteList()->headerItem()->text(1), QStringLiteral("分类"));
        QCOMPARE(noteList()->columnWidth(0), 150);
        QCOMPARE(noteList()->columnWidth(1), 80);

        QStringList labels;
        const QList<QLabel*> found = m_editor->findChildren<QLabel*>();
        for (const QLabel* label : found)
            labels.append(label->text());
        for (const char* text : {"工具栏:", "标题:", "分类:", "内容:"})
            QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
        QStringList groups;
        const QList<QGroupBox*> boxes = m_editor->findChildren<QGroupBox*>();
        for (const QGroupBox* box : boxes)
            groups.append(box->title());
        QCOMPARE(groups, (QStringList{"搜索笔记", "笔记列表", "笔记编辑"}));

        const QPalette palette = contentView()->palette();
        for (QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            QCOMPARE(palette.color(group, QPalette::Base), QColor(Qt::white));
            QCOMPARE(palette.color(group, QPalette::Text), QColor(Qt::black));
        }
    }

    void selectionEnablesMarking()
    {
        showEntry();
        select(3, 9);
        QVERIFY(child<QToolButton>("highlightButton")->isEnabled());
        QVERIFY(child<QToolButton>("annotationButton")->isEnabled());
        select(4, 4);
        QVERIFY(!child<QToolButton>("highlightButton")->isEnabled());
    }

    void highlightIsDrawnAndStored_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("inside") << 7 << 14;
        QTest::newRow("from the start") << 0 << 6;
        QTest::newRow("up to the end") << int(kText.size() - 9) << int(kText.size());
        QTest::newRow("selected backwards") << 20 << 15;
    }

    void highlightIsDrawnAndStored()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        showEntry();
        QSignalSpy added(m_manager.get(), &NoteManager::noteAdded);
        select(start, end);
        child<QToolButton>("highlightButton")->click();

        const int from = qMin(start, end);
        const int to = qMax(start, end);
        const QColor yellow("#FFFF00");
        for (int pos = 0; pos < kText.size(); ++pos)
            QCOMPARE(isMarked(contentView(), pos, yellow), pos >= from && pos < to);

        QCOMPARE(added.count(), 1);
        const Note note = m_manager->getNote(added.at(0).at(0).toString());
        const QString selected = kText.mid(from, to - from);
        QCOMPARE(note.contentId, kEntry);
        QCOMPARE(note.title, QStringLiteral("高亮: ") + selected.left(20));
        QCOMPARE(note.content, QStringLiteral("高亮标记"));
        QCOMPARE(note.highlightText, selected);
        QCOMPARE(note.highlightColor, QStringLiteral("#FFFF00"));
        QCOMPARE(note.category, QStringLiteral("高亮"));
        QCOMPARE(note.startPos, from);
        QCOMPARE(note.endPos, to);
        QVERIFY(note.position.isEmpty());
        QCOMPARE(m_editor->highlights().last().noteId, note.id);

        // Listed, with its colour behind the title.
        QTreeWidgetItem* item = itemTitled(note.title);
        QVERIFY(item);
        QCOMPARE(item->background(0).color(), yellow);
        QCOMPARE(item->text(1), QStringLiteral("高亮"));
        QCOMPARE(item->data(0, Qt::UserRole).toString(), note.id);
        QCOMPARE(item->text(2), note.createTime.toString("yyyy-MM-dd hh:mm"));
    }

    void storedHighlightsAreRedrawnForTheirEntry()
    {
        showEntry();
        select(0, 6);
        child<QToolButton>("highlightButton")->click();
        select(24, 29);
        child<QToolButton>("highlightButton")->click();

        // Another entry shows none of them; coming back draws both again.
        showEntry(QStringLiteral("Another text altogether, long enough."), "data/other.json");
        QVERIFY(!isMarked(contentView(), 2, QColor("#FFFF00")));
        QCOMPARE(noteList()->topLevelItemCount(), 0);
        showEntry();
        QCOMPARE(m_editor->highlights().size(), 2);
        QVERIFY(isMarked(contentView(), 2, QColor("#FFFF00")));
        QVERIFY(isMarked(contentView(), 25, QColor("#FFFF00")));
        QVERIFY(!isMarked(contentView(), 10, QColor("#FFFF00")));
        QCOMPARE(noteList()->topLevelItemCount(), 2);
    }

    void positionsOutsideTheTextAreClamped()
    {
        Note note;
        note.id = "far";
        note.contentId = kEntry;
        note.title = "far";
        note.highlightColor = "#00ff00";
        note.startPos = kText.size() - 3;
        note.endPos = kText.size() + 500;
        QVERIFY(m_manager->addNote(note));
        showEntry();
        QVERIFY(isMarked(contentView(), kText.size() - 1, QColor("#00ff00")));
        QVERIFY(!isMarked(contentView(), kText.size() - 4, QColor("#00ff00")));
    }

    void highlightAcrossLinesStoresPlainLineBreaks()
    {
        const QString text = QStringLiteral("first line\nsecond line\nthird");
        showEntry(text);
        select(6, 17);
        child<QToolButton>("highlightButton")->click();
        const QList<Note> notes = m_manager->getNotesForContent(kEntry);
        QCOMPARE(notes.size(), 1);
        QCOMPARE(notes.first().highlightText, QStringLiteral("line\nsecond"));
        QCOMPARE(notes.first().title, QStringLiteral("高亮: line\nsecond"));
        QCOMPARE(m_editor->highlights().last().text, QStringLiteral("line\nsecond"));
        QVERIFY(isMarked(contentView(), 12, QColor("#FFFF00")));
    }

    void annotationIsCompletedAndSaved()
    {
        showEntry();
        select(7, 14);
        child<QToolButton>("annotationButton")->click();
        QCOMPARE(child<QLineEdit>("titleEdit")->text(), QStringLiteral("注释: element"));
        QCOMPARE(child<QComboBox>("categoryBox")->currentText(), QStringLiteral("注释"));
        QVERIFY(!m_editor->currentNoteId().isEmpty());
        QVERIFY(isMarked(contentView(), 8, QColor("#FFFF00")));
        QVERIFY(m_manager->getAllNotes().isEmpty());

        const QString id = m_editor->currentNoteId();
        child<QTextEdit>("noteContentEdit")->setPlainText("  explains the mesh  ");
        child<QPushButton>("saveButton")->click();

        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("提示"));
        QCOMPARE(m_answerer->boxes.at(0).text, QStringLiteral("笔记保存成功"));
        const Note note = m_manager->getNote(id);
        QCOMPARE(note.title, QStringLiteral("注释: element"));
        QCOMPARE(note.content, QStringLiteral("explains the mesh"));
        QCOMPARE(note.category, QStringLiteral("注释"));
        QCOMPARE(note.startPos, 7);
        QCOMPARE(note.endPos, 14);
        QCOMPARE(note.highlightText, QStringLiteral("element"));
        QCOMPARE(note.highlightColor, QStringLiteral("#FFFF00"));
        QCOMPARE(note.contentId, kEntry);
        QCOMPARE(itemTitled(note.title)->background(0).color(), QColor("#FFFF00"));

        // The panel is back to a new note.
        QVERIFY(m_editor->currentNoteId().isEmpty());
        QVERIFY(child<QLineEdit>("titleEdit")->text().isEmpty());
        QCOMPARE(child<QComboBox>("categoryBox")->currentText(), QStringLiteral("一般"));
        QVERIFY(!child<QPushButton>("deleteButton")->isEnabled());
    }

    void noteWithoutEntryGoesToGeneralNotes()
    {
        child<QLineEdit>("titleEdit")->setText("Loose thought");
        child<QComboBox>("categoryBox")->setEditText("   ");
        child<QPushButton>("saveButton")->click();
        const QList<Note> notes = m_manager->getNotesForContent("general_notes");
        QCOMPARE(notes.size(), 1);
        QCOMPARE(notes.first().title, QStringLiteral("Loose thought"));
        QCOMPARE(notes.first().category, QStringLiteral("一般"));
        QCOMPARE(notes.first().startPos, 0);
        QVERIFY(notes.first().highlightColor.isEmpty());
    }

    // The categories group notes from either interface language; the titles are the user's.
    void categoriesAreTheSameInEveryLanguage()
    {
        InterfaceTranslators translators;
        QVERIFY(translators.install(InterfaceLanguage::English));
        showEntry();
        QSignalSpy added(m_manager.get(), &NoteManager::noteAdded);
        select(7, 14);
        child<QToolButton>("highlightButton")->click();
        QCOMPARE(added.count(), 1);
        const Note highlight = m_manager->getNote(added.at(0).at(0).toString());
        QCOMPARE(highlight.title, QStringLiteral("Highlight: element"));
        QCOMPARE(highlight.category, QStringLiteral("高亮"));

        select(15, 23);
        child<QToolButton>("annotationButton")->click();
        QCOMPARE(child<QLineEdit>("titleEdit")->text(), QStringLiteral("Note: analysis"));
        QCOMPARE(child<QComboBox>("categoryBox")->currentText(), QStringLiteral("注释"));
        child<QPushButton>("saveButton")->click();
        QCOMPARE(m_manager->getNote(added.at(1).at(0).toString()).category, QStringLiteral("注释"));

        child<QLineEdit>("titleEdit")->setText("Loose thought");
        child<QComboBox>("categoryBox")->setEditText(QString());
        child<QPushButton>("saveButton")->click();
        QCOMPARE(added.count(), 3);
        QCOMPARE(m_manager->getNote(added.at(2).at(0).toString()).category, QStringLiteral("一般"));
    }

    void blankTitleIsRejected()
    {
        showEntry();
        child<QLineEdit>("titleEdit")->setText("    ");
        child<QPushButton>("saveButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.at(0).icon, QMessageBox::Warning);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("警告"));
        QCOMPARE(m_answerer->boxes.at(0).text, QStringLiteral("请输入笔记标题"));
        QVERIFY(m_manager->getAllNotes().isEmpty());
    }

    void editingAnExistingNoteKeepsItsHighlight()
    {
        showEntry();
        select(0, 6);
        child<QToolButton>("highlightButton")->click();
        const Note before = m_manager->getAllNotes().first();

        clickItem(itemTitled(before.title));
        QCOMPARE(m_editor->currentNoteId(), before.id);
        QVERIFY(child<QPushButton>("deleteButton")->isEnabled());
        QCOMPARE(child<QTextEdit>("noteContentEdit")->toPlainText(), QStringLiteral("高亮标记"));
        child<QLineEdit>("titleEdit")->setText("Renamed");
        child<QPushButton>("saveButton")->click();

        const Note after = m_manager->getNote(before.id);
        QCOMPARE(after.title, QStringLiteral("Renamed"));
        QCOMPARE(after.startPos, before.startPos);
        QCOMPARE(after.endPos, before.endPos);
        QCOMPARE(after.highlightText, before.highlightText);
        QCOMPARE(after.highlightColor, before.highlightColor);
        QCOMPARE(after.createTime, before.createTime);
        QCOMPARE(m_manager->getAllNotes().size(), 1);
    }

    void editingKeepsTheStoredPosition()
    {
        showEntry();
        Note note;
        note.id = QStringLiteral("positioned");
        note.contentId = m_editor->currentContentId();
        note.title = QStringLiteral("Positioned");
        note.position = QStringLiteral("section 3");
        QVERIFY(m_manager->addNote(note));

        clickItem(itemTitled("Positioned"));
        child<QLineEdit>("titleEdit")->setText("Renamed");
        child<QPushButton>("saveButton")->click();
        QCOMPARE(m_manager->getNote("positioned").title, QStringLiteral("Renamed"));
        QCOMPARE(m_manager->getNote("positioned").position, QStringLiteral("section 3"));
    }

    void deleteAsksAndRedrawsTheRest()
    {
        showEntry();
        select(0, 6);
        child<QToolButton>("highlightButton")->click();
        select(24, 29);
        child<QToolButton>("highlightButton")->click();
        const QString firstTitle = QStringLiteral("高亮: ") + kText.left(6);

        clickItem(itemTitled(firstTitle));
        m_answerer->answer(QMessageBox::No);
        child<QPushButton>("deleteButton")->click();
        QCOMPARE(m_manager->getAllNotes().size(), 2);
        QCOMPARE(m_answerer->boxes.last().title, QStringLiteral("确认删除"));
        QCOMPARE(m_answerer->boxes.last().text, QStringLiteral("确定要删除这条笔记吗？"));

        m_answerer->answer(QMessageBox::Yes);
        child<QPushButton>("deleteButton")->click();
        QCOMPARE(m_manager->getAllNotes().size(), 1);
        QVERIFY(!isMarked(contentView(), 2, QColor("#FFFF00")));
        QVERIFY(isMarked(contentView(), 25, QColor("#FFFF00")));
        QCOMPARE(m_editor->highlights().size(), 1);
        QVERIFY(m_editor->currentNoteId().isEmpty());
        QVERIFY(!child<QPushButton>("deleteButton")->isEnabled());
        QCOMPARE(noteList()->topLevelItemCount(), 1);
    }

    void searchListsMatchingNotesOfTheEntry()
    {
        const auto add = [this](const QString& id, const QString& content, const QString& title,
                                const QString& text) {
            Note note;
            note.id = id;
            note.contentId = content;
            note.title = title;
            note.highlightText = text;
            QVERIFY(m_manager->addNote(note));
        };
        add("1", kEntry, "Mesh quality", "");
        add("2", kEntry, "Solver", "about MESHING");
        add("3", kEntry, "Licensing", "");
        add("4", "data/other.json", "mesh elsewhere", "");
        showEntry();
        child<QLineEdit>("searchEdit")->setText("mesh");
        QCOMPARE(noteList()->topLevelItemCount(), 2);
        QVERIFY(itemTitled("Mesh quality"));
        QVERIFY(itemTitled("Solver"));

        // With no entry, the search covers every note.
        m_editor->loadNotesForContent(QString());
        QCOMPARE(noteList()->topLevelItemCount(), 3);
        child<QLineEdit>("searchEdit")->clear();
        QCOMPARE(noteList()->topLevelItemCount(), 4);
    }

    void notesOfAnotherInstallAreListedForTheEntry()
    {
        const auto add = [this](const QString& id, const QString& content, const QString& title) {
            Note note;
            note.id = id;
            note.contentId = content;
            note.title = title;
            QVERIFY(m_manager->addNote(note));
        };
        // Tied to the entry's file in data directories of other installs.
        add("1", "/home/u/old/data/software/cae/ansys.json", "Mesh quality");
        add("2", "C:/Users/x/Quorvanta/data/software/cae/ansys.json", "Mesh size");
        add("3", "/home/u/old/data/software/cad/autocad.json", "Mesh elsewhere");
        add("4", "software/cae/ansys.json", "Licensing");
        showEntry(kText, QStringLiteral("software/cae/ansys.json"));
        QCOMPARE(noteList()->topLevelItemCount(), 3);
        child<QLineEdit>("searchEdit")->setText("mesh");
        QCOMPARE(noteList()->topLevelItemCount(), 2);
        QVERIFY(itemTitled("Mesh quality"));
        QVERIFY(itemTitled("Mesh size"));
    }

    void colourChoice()
    {
        m_answerer->onDialog([](QDialog* dialog) {
            auto* colours = qobject_cast<QColorDialog*>(dialog);
            QVERIFY(colours);
            QCOMPARE(colours->currentColor(), QColor("#FFFF00"));
            colours->setCurrentColor(QColor(0x12, 0xAB, 0xEF));
            colours->accept();
        });
        child<QToolButton>("colorButton")->click();
        QCOMPARE(m_editor->highlightColor(), QStringLiteral("#12abef"));

        // Cancelling keeps the colour.
        child<QToolButton>("colorButton")->click();
        QCOMPARE(m_answerer->rejectedDialogs, 1);
        QCOMPARE(m_editor->highlightColor(), QStringLiteral("#12abef"));

        showEntry();
        select(0, 6);
        child<QToolButton>("highlightButton")->click();
        QVERIFY(isMarked(contentView(), 1, QColor("#12abef")));
        QCOMPARE(m_manager->getAllNotes().first().highlightColor, QStringLiteral("#12abef"));
    }

    void withoutAStore()
    {
        NoteEditor editor;
        auto* view = editor.findChild<QTextEdit*>("contentView");
        editor.setContent(kText);
        QTextCursor cursor = view->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(6, QTextCursor::KeepAnchor);
        view->setTextCursor(cursor);
        editor.findChild<QToolButton*>("highlightButton")->click();
        QVERIFY(isMarked(view, 2, QColor("#FFFF00")));
        editor.setContent(kText);
        QVERIFY(!isMarked(view, 2, QColor("#FFFF00")));

        editor.findChild<QLineEdit*>("titleEdit")->setText("x");
        editor.findChild<QPushButton*>("saveButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.at(0).text, QStringLiteral("无法保存笔记：缺少笔记管理器"));
        QCOMPARE(editor.currentContentId(), QStringLiteral("general_notes"));
    }

    void failedSaveIsNotReportedAsSuccess()
    {
        showEntry();
        QVERIFY(QFile::remove(NotesFolder::filePath()));
        QVERIFY(QDir().mkdir(NotesFolder::filePath()));
        child<QLineEdit>("titleEdit")->setText("Unsaved");
        child<QPushButton>("saveButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.at(0).icon, QMessageBox::Warning);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("警告"));
        QCOMPARE(
            m_answerer->boxes.at(0).text,
            "笔记保存失败：无法写入笔记文件: " + QDir::toNativeSeparators(NotesFolder::filePath()) +
                "\n原因: " + qt_error_string(EISDIR));
        // The panel keeps the note so that saving can be tried again.
        QCOMPARE(child<QLineEdit>("titleEdit")->text(), QStringLiteral("Unsaved"));
        const QString id = m_editor->currentNoteId();
        QVERIFY(!id.isEmpty());

        QVERIFY(QDir().rmdir(NotesFolder::filePath()));
        child<QPushButton>("saveButton")->click();
        QCOMPARE(m_answerer->boxes.last().text, QStringLiteral("笔记保存成功"));
        QCOMPARE(m_manager->getAllNotes().size(), 1);
        QCOMPARE(
            NotesFolder::read().value("notes").toArray().at(0).toObject().value("id").toString(),
            id);
    }

    void failedHighlightAndDeleteAreReported()
    {
        showEntry();
        select(0, 6);
        child<QToolButton>("highlightButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 0);
        clickItem(noteList()->topLevelItem(0));
        QVERIFY(child<QPushButton>("deleteButton")->isEnabled());

        QVERIFY(QFile::remove(NotesFolder::filePath()));
        QVERIFY(QDir().mkdir(NotesFolder::filePath()));

        m_answerer->answer(QMessageBox::Yes);
        child<QPushButton>("deleteButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 2);
        QCOMPARE(m_answerer->boxes.at(1).icon, QMessageBox::Warning);
        QCOMPARE(m_answerer->boxes.at(1).title, QStringLiteral("警告"));
        const QString reason =
            "无法写入笔记文件: " + QDir::toNativeSeparators(NotesFolder::filePath()) +
            "\n原因: " + qt_error_string(EISDIR);
        QCOMPARE(m_answerer->boxes.at(1).text, "笔记删除失败：" + reason);
        QVERIFY(m_editor->currentNoteId().isEmpty());
        // Not deleted, so still listed and still drawn.
        QCOMPARE(noteList()->topLevelItemCount(), 1);
        QVERIFY(isMarked(contentView(), 2, QColor("#FFFF00")));

        select(10, 14);
        child<QToolButton>("highlightButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 3);
        QCOMPARE(m_answerer->boxes.at(2).icon, QMessageBox::Warning);
        QCOMPARE(m_answerer->boxes.at(2).title, QStringLiteral("警告"));
        QCOMPARE(m_answerer->boxes.at(2).text, "高亮未能保存：" + reason);
        // Not stored, so not drawn: the text shows what the file holds.
        QVERIFY(!isMarked(contentView(), 11, QColor("#FFFF00")));
        QVERIFY(isMarked(contentView(), 2, QColor("#FFFF00")));
        QCOMPARE(m_manager->getAllNotes().size(), 1);
        QVERIFY(QDir().rmdir(NotesFolder::filePath()));
    }

    void newNoteClearsThePanel()
    {
        showEntry();
        select(0, 6);
        child<QToolButton>("annotationButton")->click();
        child<QPushButton>("newNoteButton")->click();
        QVERIFY(m_editor->currentNoteId().isEmpty());
        QVERIFY(child<QLineEdit>("titleEdit")->text().isEmpty());
        QCOMPARE(child<QComboBox>("categoryBox")->currentText(), QStringLiteral("一般"));
    }
};

QTEST_MAIN(TestNoteEditor)
#include "tst_noteeditor.moc"
