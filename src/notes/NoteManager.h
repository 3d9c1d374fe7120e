#pragma once

#include "notes/Note.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

// Keeps the user's notes and highlights in memory and in one JSON file in the
// user's documents folder, written in full after every change.
class NoteManager : public QObject
{
    Q_OBJECT

public:
    explicit NoteManager(QObject* parent = nullptr);
    ~NoteManager() override;

    bool addNote(const Note& note);
    bool updateNote(const Note& note);
    bool deleteNote(const QString& noteId);

    Note getNote(const QString& noteId) const;
    QList<Note> getAllNotes() const;
    QList<Note> getNotesForContent(const QString& contentId) const;
    QList<Note> searchNotes(const QString& keyword) const;
    QStringList getCategories() const;

    bool loadNotes();
    bool saveNotes();

    QString notesFilePath() const;

signals:
    void noteAdded(const QString& noteId);
    void noteUpdated(const QString& noteId);
    void noteDeleted(const QString& noteId);
    void notesLoaded();

private:
    void setNotesPath(const QString& path);
    bool keepUnreadableFile();

    QMap<QString, Note> m_notes;
    QStringList m_categories;
    QString m_notesPath;
    QString m_notesFileName;
    // The file on disk could not be read or parsed: it must be moved aside before
    // anything is written over it.
    bool m_unreadableFileOnDisk = false;
};
