#include "NoteEditor.h"

#include "notes/NoteManager.h"

#include <QBrush>
#include <QColorDialog>
#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QSplitter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QUuid>
#include <QVBoxLayout>

namespace {

// Categories are kept in the notes file and group notes written in any interface
// language, like the note manager's own categories: never translated.
const QString kGeneralCategory = QStringLiteral("一般");
const QString kHighlightCategory = QStringLiteral("高亮");
const QString kAnnotationCategory = QStringLiteral("注释");

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

NoteEditor::NoteEditor(QWidget* parent)
    : QWidget(parent), m_highlightColor(QStringLiteral("#FFFF00"))
{
    auto* mainLayout = new QVBoxLayout(this);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    mainLayout->addWidget(m_splitter);

    // Left: tool bar and the entry's text.
    auto* leftPane = new QWidget(m_splitter);
    auto* leftLayout = new QVBoxLayout(leftPane);
    auto* toolBar = new QHBoxLayout;
    toolBar->setContentsMargins(0, 0, 0, 0);
    toolBar->addWidget(new QLabel(tr("工具栏:"), leftPane));
    m_highlightButton = new QToolButton(leftPane);
    m_highlightButton->setObjectName(QStringLiteral("highlightButton"));
    m_highlightButton->setText(tr("高亮"));
    m_highlightButton->setToolTip(tr("为选中文本添加高亮标记"));
    m_highlightButton->setEnabled(false);
    m_annotationButton = new QToolButton(leftPane);
    m_annotationButton->setObjectName(QStringLiteral("annotationButton"));
    m_annotationButton->setText(tr("注释"));
    m_annotationButton->setToolTip(tr("为选中文本添加注释"));
    m_annotationButton->setEnabled(false);
    m_colorButton = new QToolButton(leftPane);
    m_colorButton->setObjectName(QStringLiteral("colorButton"));
    m_colorButton->setText(tr("颜色"));
    m_colorButton->setToolTip(tr("选择高亮颜色"));
    m_newNoteButton = new QPushButton(tr("新建笔记"), leftPane);
    m_newNoteButton->setObjectName(QStringLiteral("newNoteButton"));
    m_newNoteButton->setToolTip(tr("创建新笔记"));
    toolBar->addWidget(m_highlightButton);
    toolBar->addWidget(m_annotationButton);
    toolBar->addWidget(m_colorButton);
    toolBar->addWidget(m_newNoteButton);
    toolBar->addStretch();
    leftLayout->addLayout(toolBar);

    m_contentView = new QTextEdit(leftPane);
    m_contentView->setObjectName(QStringLiteral("contentView"));
    m_contentView->setReadOnly(true);
    QPalette palette = m_contentView->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::Text, Qt::black);
    }
    m_contentView->setPalette(palette);
    m_contentView->setAutoFillBackground(true);
    leftLayout->addWidget(m_contentView);

    // Right: search, note list and the edit panel.
    auto* rightPane = new QWidget(m_splitter);
    auto* rightLayout = new QVBoxLayout(rightPane);

    auto* searchGroup = new QGroupBox(tr("搜索笔记"), rightPane);
    auto* searchLayout = new QVBoxLayout(searchGroup);
    m_searchEdit = new QLineEdit(searchGroup);
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    m_searchEdit->setPlaceholderText(tr("输入关键词搜索笔记..."));
    searchLayout->addWidget(m_searchEdit);
    rightLayout->addWidget(searchGroup);

    auto* listGroup = new QGroupBox(tr("笔记列表"), rightPane);
    auto* listLayout = new QVBoxLayout(listGroup);
    m_noteList = new QTreeWidget(listGroup);
    m_noteList->setObjectName(QStringLiteral("noteList"));
    m_noteList->setHeaderLabels({tr("标题"), tr("分类"), tr("创建时间")});
    m_noteList->setColumnWidth(0, 150);
    m_noteList->setColumnWidth(1, 80);
    listLayout->addWidget(m_noteList);
    rightLayout->addWidget(listGroup);

    auto* editGroup = new QGroupBox(tr("笔记编辑"), rightPane);
    auto* editGroupLayout = new QVBoxLayout(editGroup);
    m_editPanel = new QWidget(editGroup);
    auto* grid = new QGridLayout(m_editPanel);
    m_titleEdit = new QLineEdit(m_editPanel);
    m_titleEdit->setObjectName(QStringLiteral("titleEdit"));
    m_categoryBox = new QComboBox(m_editPanel);
    m_categoryBox->setObjectName(QStringLiteral("categoryBox"));
    m_categoryBox->setEditable(true);
    m_contentEdit = new QTextEdit(m_editPanel);
    m_contentEdit->setObjectName(QStringLiteral("noteContentEdit"));
    m_contentEdit->setMaximumHeight(150);
    grid->addWidget(new QLabel(tr("标题:"), m_editPanel), 0, 0);
    grid->addWidget(m_titleEdit, 0, 1);
    grid->addWidget(new QLabel(tr("分类:"), m_editPanel), 1, 0);
    grid->addWidget(m_categoryBox, 1, 1);
    grid->addWidget(new QLabel(tr("内容:"), m_editPanel), 2, 0, Qt::AlignTop);
    grid->addWidget(m_contentEdit, 2, 1);
    auto* buttonRow = new QHBoxLayout;
    m_saveButton = new QPushButton(tr("保存"), m_editPanel);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_deleteButton = new QPushButton(tr("删除"), m_editPanel);
    m_deleteButton->setObjectName(QStringLiteral("deleteButton"));
    m_deleteButton->setEnabled(false);
    buttonRow->addWidget(m_saveButton);
    buttonRow->addWidget(m_deleteButton);
    buttonRow->addStretch();
    grid->addLayout(buttonRow, 3, 0, 1, 2);
    editGroupLayout->addWidget(m_editPanel);
    rightLayout->addWidget(editGroup);

    m_splitter->addWidget(leftPane);
    m_splitter->addWidget(rightPane);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);

    connect(m_contentView, &QTextEdit::selectionChanged, this, &NoteEditor::onTextSelectionChanged);
    connect(m_highlightButton, &QToolButton::clicked, this, &NoteEditor::onAddHighlight);
    connect(m_annotationButton, &QToolButton::clicked, this, &NoteEditor::onAddAnnotation);
    connect(m_colorButton, &QToolButton::clicked, this, &NoteEditor::onColorSelected);
    connect(m_saveButton, &QPushButton::clicked, this, &NoteEditor::onSaveNote);
    connect(m_deleteButton, &QPushButton::clicked, this, &NoteEditor::onDeleteNote);
    connect(m_newNoteButton, &QPushButton::clicked, this, &NoteEditor::createNewNote);
    connect(m_noteList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { onNoteSelected(item); });
    connect(m_categoryBox, &QComboBox::currentTextChanged, this, &NoteEditor::onCategoryChanged);
    connect(m_searchEdit, &QLineEdit::textChanged, this, &NoteEditor::onSearchNotes);
}

void NoteEditor::setNoteManager(NoteManager* noteManager)
{
    if (m_noteManager)
        disconnect(m_noteManager, nullptr, this, nullptr);
    m_noteManager = noteManager;
    m_categoryBox->clear();
    if (m_noteManager) {
        connect(m_noteManager, &NoteManager::noteAdded, this, &NoteEditor::updateNotesList);
        connect(m_noteManager, &NoteManager::noteUpdated, this, &NoteEditor::updateNotesList);
        connect(m_noteManager, &NoteManager::noteDeleted, this, &NoteEditor::updateNotesList);
        connect(m_noteManager, &NoteManager::notesLoaded, this, &NoteEditor::updateNotesList);
        m_categoryBox->addItems(m_noteManager->getCategories());
    }
    updateNotesList();
}

void NoteEditor::setContent(const QString& text)
{
    m_contentText = text;
    m_contentView->setPlainText(text);
    clearHighlightFormatting();
    if (m_noteManager && !m_currentContentId.isEmpty())
        loadNotesForContent(m_currentContentId);
}

void NoteEditor::loadNotesForContent(const QString& contentId)
{
    qDebug().noquote() << "NoteEditor::loadNotesForContent 被调用，contentId:" << contentId;
    m_currentContentId = contentId;
    updateNotesList();

    if (contentId.isEmpty()) {
        clearHighlightFormatting();
        m_currentNotes.clear();
        qDebug().noquote() << "NoteEditor: 显示所有笔记模式";
        return;
    }
    if (!m_noteManager)
        return;

    m_currentNotes = m_noteManager->getNotesForContent(contentId);
    clearHighlightFormatting();
    m_highlights.clear();
    for (const Note& note : std::as_const(m_currentNotes)) {
        const HighlightRange range{note.startPos, note.endPos, note.highlightColor,
                                   note.highlightText, note.id};
        m_highlights.append(range);
        drawHighlight(range);
    }
}

void NoteEditor::updateNotesList()
{
    qDebug().noquote() << "=== NoteEditor::updateNotesList 被调用 ===";
    m_noteList->clear();
    if (!m_noteManager) {
        qDebug().noquote() << "NoteEditor: [DEBUG] NoteManager为空，无法更新笔记列表";
        return;
    }
    qDebug().noquote() << "NoteEditor: [DEBUG] 当前内容ID:" << m_currentContentId;
    const QString keyword = m_searchEdit->text().trimmed();

    QList<Note> notes;
    if (keyword.isEmpty()) {
        notes = m_currentContentId.isEmpty()
                    ? m_noteManager->getAllNotes()
                    : m_noteManager->getNotesForContent(m_currentContentId);
    } else {
        const QList<Note> found = m_noteManager->searchNotes(keyword);
        for (const Note& note : found) {
            if (m_currentContentId.isEmpty() || NoteManager::belongsTo(note, m_currentContentId))
                notes.append(note);
        }
    }

    qDebug().noquote() << "NoteEditor: [DEBUG] 准备显示" << notes.size() << "个笔记";
    for (int i = 0; i < notes.size(); ++i) {
        const Note& note = notes.at(i);
        qDebug().noquote().nospace() << "NoteEditor: [DEBUG] 添加笔记 " << i + 1
                                     << ": ID=" << note.id << ", 标题=" << note.title;
        auto* item = new QTreeWidgetItem(m_noteList);
        item->setText(0, note.title);
        item->setText(1, note.category);
        item->setText(2, note.createTime.toString(QStringLiteral("yyyy-MM-dd hh:mm")));
        item->setData(0, Qt::UserRole, note.id);
        if (!note.highlightColor.isEmpty())
            item->setBackground(0, QColor(note.highlightColor));
    }
    qDebug().noquote() << "NoteEditor: [DEBUG] 笔记列表更新完成，TreeWidget中有"
                       << m_noteList->topLevelItemCount() << "个项目";
    qDebug().noquote() << "=== NoteEditor::updateNotesList 结束 ===";
}

void NoteEditor::onTextSelectionChanged()
{
    const bool hasSelection = m_contentView->textCursor().hasSelection();
    m_highlightButton->setEnabled(hasSelection);
    m_annotationButton->setEnabled(hasSelection);
}

QString NoteEditor::selectedText() const
{
    // The cursor marks line breaks with Unicode separators; store them as the plain
    // line breaks the user sees, or titles and searches would carry stray glyphs.
    QString text = m_contentView->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void NoteEditor::onAddHighlight()
{
    const QTextCursor cursor = m_contentView->textCursor();
    if (!cursor.hasSelection())
        return;
    const QString text = selectedText();
    const HighlightRange range{cursor.selectionStart(), cursor.selectionEnd(), m_highlightColor,
                               text, newId()};
    m_highlights.append(range);
    drawHighlight(range);

    if (!m_noteManager)
        return;
    Note note;
    note.id = range.noteId;
    note.contentId = m_currentContentId;
    note.title = tr("高亮: %1").arg(text.left(20));
    note.content = tr("高亮标记");
    note.highlightText = text;
    note.highlightColor = m_highlightColor;
    note.category = kHighlightCategory;
    note.startPos = range.startPos;
    note.endPos = range.endPos;
    if (!m_noteManager->addNote(note)) {
        // Not stored, so not shown either: what is drawn is what the file holds.
        m_highlights.removeLast();
        redrawHighlights();
        QMessageBox::warning(this, tr("警告"), tr("高亮未能保存：%1").arg(failureReason()));
    }
}

void NoteEditor::onAddAnnotation()
{
    const QTextCursor cursor = m_contentView->textCursor();
    if (!cursor.hasSelection())
        return;
    const QString text = selectedText();
    m_titleEdit->setText(tr("注释: %1").arg(text.left(20)));
    m_contentEdit->clear();
    m_categoryBox->setEditText(kAnnotationCategory);
    m_currentNoteId = newId();
    const HighlightRange range{cursor.selectionStart(), cursor.selectionEnd(), m_highlightColor,
                               text, m_currentNoteId};
    m_highlights.append(range);
    drawHighlight(range);
    m_contentEdit->setFocus();
}

void NoteEditor::onColorSelected()
{
    const QColor color = QColorDialog::getColor(QColor(m_highlightColor), this);
    if (color.isValid())
        m_highlightColor = color.name();
}

void NoteEditor::onSaveNote()
{
    if (m_currentContentId.isEmpty())
        m_currentContentId = QStringLiteral("general_notes");
    if (!m_noteManager) {
        QMessageBox::warning(this, tr("警告"), tr("无法保存笔记：缺少笔记管理器"));
        return;
    }

    const QString title = m_titleEdit->text().trimmed();
    const QString content = m_contentEdit->toPlainText().trimmed();
    const QString category = m_categoryBox->currentText().trimmed();
    if (title.isEmpty()) {
        QMessageBox::warning(this, tr("警告"), tr("请输入笔记标题"));
        return;
    }

    Note note;
    note.contentId = m_currentContentId;
    note.title = title;
    note.content = content;
    note.category = category.isEmpty() ? kGeneralCategory : category;

    if (m_currentNoteId.isEmpty())
        m_currentNoteId = newId();
    note.id = m_currentNoteId;

    bool saved = false;
    const Note stored = m_noteManager->getNote(m_currentNoteId);
    if (stored.id.isEmpty()) {
        for (const HighlightRange& range : std::as_const(m_highlights)) {
            if (range.noteId == m_currentNoteId) {
                note.startPos = range.startPos;
                note.endPos = range.endPos;
                note.highlightText = range.text;
                note.highlightColor = range.color;
                break;
            }
        }
        saved = m_noteManager->addNote(note);
    } else {
        note.startPos = stored.startPos;
        note.endPos = stored.endPos;
        note.highlightText = stored.highlightText;
        note.highlightColor = stored.highlightColor;
        note.createTime = stored.createTime;
        // The editor never sets a position; keep whatever the stored note carries.
        note.position = stored.position;
        saved = m_noteManager->updateNote(note);
    }

    if (!saved) {
        // Leave the panel as it is so saving can be retried.
        QMessageBox::warning(this, tr("警告"), tr("笔记保存失败：%1").arg(failureReason()));
        return;
    }
    QMessageBox::information(this, tr("提示"), tr("笔记保存成功"));
    resetEditPanel();
}

void NoteEditor::onDeleteNote()
{
    if (m_currentNoteId.isEmpty() || !m_noteManager)
        return;
    const auto answer = QMessageBox::question(this, tr("确认删除"), tr("确定要删除这条笔记吗？"),
                                              QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;

    const QString noteId = m_currentNoteId;
    // A note another copy deleted already is gone all the same.
    const bool deleted = m_noteManager->deleteNote(noteId) || m_noteManager->lastError().isEmpty();
    if (deleted) {
        for (int i = m_highlights.size() - 1; i >= 0; --i) {
            if (m_highlights.at(i).noteId == noteId) {
                m_highlights.removeAt(i);
                break;
            }
        }
    }
    resetEditPanel();
    redrawHighlights();

    if (!deleted)
        QMessageBox::warning(this, tr("警告"), tr("笔记删除失败：%1").arg(failureReason()));
}

void NoteEditor::onNoteSelected(QTreeWidgetItem* item)
{
    if (!item || !m_noteManager)
        return;
    const Note note = m_noteManager->getNote(item->data(0, Qt::UserRole).toString());
    if (note.id.isEmpty())
        return;
    m_titleEdit->setText(note.title);
    m_contentEdit->setPlainText(note.content);
    m_categoryBox->setEditText(note.category);
    m_currentNoteId = note.id;
    m_deleteButton->setEnabled(true);
}

void NoteEditor::onCategoryChanged() {}

void NoteEditor::onSearchNotes()
{
    updateNotesList();
}

void NoteEditor::createNewNote()
{
    if (m_currentContentId.isEmpty())
        m_currentContentId = QStringLiteral("general_notes");
    resetEditPanel();
    m_titleEdit->setFocus();
}

void NoteEditor::resetEditPanel()
{
    m_currentNoteId.clear();
    m_titleEdit->clear();
    m_contentEdit->clear();
    if (m_categoryBox->count() > 0) {
        m_categoryBox->setCurrentIndex(0);
        m_categoryBox->setEditText(m_categoryBox->itemText(0));
    }
    m_deleteButton->setEnabled(false);
}

void NoteEditor::redrawHighlights()
{
    m_contentView->setPlainText(m_contentText);
    // setPlainText() spreads the cursor's format (possibly a highlight) over the text.
    clearHighlightFormatting();
    for (const HighlightRange& range : std::as_const(m_highlights))
        drawHighlight(range);
}

QString NoteEditor::failureReason() const
{
    const QString reason = m_noteManager ? m_noteManager->lastError() : QString();
    return reason.isEmpty() ? tr("这条笔记已不存在") : reason;
}

void NoteEditor::drawHighlight(const HighlightRange& range)
{
    // Stored positions may come from another text of the entry: keep them inside
    // the document instead of letting the cursor wander off its end.
    const int last = m_contentView->document()->characterCount() - 1;
    const int start = qBound(0, qMin(range.startPos, range.endPos), last);
    const int end = qBound(0, qMax(range.startPos, range.endPos), last);
    const QColor color(range.color);
    if (start == end || !color.isValid())
        return;

    QTextCursor cursor(m_contentView->document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setBackground(QBrush(color, Qt::SolidPattern));
    cursor.setCharFormat(format);
}

void NoteEditor::clearHighlightFormatting()
{
    QTextCursor cursor(m_contentView->document());
    cursor.select(QTextCursor::Document);
    QTextCharFormat format;
    const QPalette palette = m_contentView->palette();
    format.setBackground(palette.brush(QPalette::Base).color());
    format.setForeground(palette.brush(QPalette::Text).color());
    cursor.setCharFormat(format);
}
