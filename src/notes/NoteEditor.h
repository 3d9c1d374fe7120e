#pragma once

#include "notes/HighlightRange.h"
#include "notes/Note.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class NoteManager;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The "笔记" page: the entry's text with highlights, and the notes of the entry.
class NoteEditor : public QWidget
{
    Q_OBJECT

public:
    explicit NoteEditor(QWidget* parent = nullptr);

    void setNoteManager(NoteManager* noteManager);
    void setContent(const QString& text);
    void loadNotesForContent(const QString& contentId);

    QString currentContentId() const { return m_currentContentId; }
    QString currentNoteId() const { return m_currentNoteId; }
    QString highlightColor() const { return m_highlightColor; }
    QList<HighlightRange> highlights() const { return m_highlights; }

public slots:
    void updateNotesList();

private slots:
    void onTextSelectionChanged();
    void onAddHighlight();
    void onAddAnnotation();
    void onColorSelected();
    void onSaveNote();
    void onDeleteNote();
    void onNoteSelected(QTreeWidgetItem* item);
    void onCategoryChanged();
    void onSearchNotes();

private:
    void createNewNote();
    void resetEditPanel();
    void drawHighlight(const HighlightRange& range);
    void clearHighlightFormatting();
    // Puts the text back and draws every range of m_highlights on it.
    void redrawHighlights();
    // Why the note store refused the last change, for message boxes.
    QString failureReason() const;
    QString selectedText() const;

    QSplitter* m_splitter = nullptr;
    QTextEdit* m_contentView = nullptr;
    QTreeWidget* m_noteList = nullptr;
    QWidget* m_editPanel = nullptr;
    QLineEdit* m_titleEdit = nullptr;
    QTextEdit* m_contentEdit = nullptr;
    QComboBox* m_categoryBox = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QToolButton* m_highlightButton = nullptr;
    QToolButton* m_annotationButton = nullptr;
    QToolButton* m_colorButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_newNoteButton = nullptr;

    QPointer<NoteManager> m_noteManager;
    QString m_currentContentId;
    QString m_currentNoteId;
    QString m_highlightColor;
    QString m_contentText;
    QList<HighlightRange> m_highlights;
    QList<Note> m_currentNotes;
};
