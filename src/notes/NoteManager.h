#pragma once

#include "data/CorruptFileKeeper.h"
#include "notes/Note.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

// Keeps the user's notes and highlights in memory and in one JSON file in the
// user's documents folder. A note belongs to an entry by the entry's place in
// the knowledge base ("software/cad/autocad.json"), so a moved or reinstalled
// program still finds it; notes tied to an absolute path by older versions are
// given that place when read. Every change is made under a lock beside the file, on
// the file's latest contents, so copies of the program running at the same time
// never undo each other's changes; memory follows the file.
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
    // Whether `note` is about the entry `contentId` names (in any of its path forms).
    static bool belongsTo(const Note& note, const QString& contentId);
    QList<Note> searchNotes(const QString& keyword) const;
    QStringList getCategories() const;

    bool loadNotes();
    bool saveNotes();

    QString notesFilePath() const;

    // Why the last change could not be saved: the file and the system's reason.
    QString lastError() const { return m_lastError; }
    // Damaged notes files met so far, and where their contents were kept.
    QList<KeptUserFile> keptFiles() const { return m_keptFiles; }

signals:
    void noteAdded(const QString& noteId);
    void noteUpdated(const QString& noteId);
    void noteDeleted(const QString& noteId);
    void notesLoaded();

private:
    enum class Outcome
    {
        Saved,
        NotApplied,
        Failed
    };

    void setNotesPath(const QString& path);
    bool keepUnreadableFile();
    // Runs `apply` on the file's latest contents under the lock and writes the
    // result; memory is left as it was when the write fails.
    Outcome commitChange(const std::function<bool()>& apply);
    bool syncWithDisk();
    bool adoptFileContents(const QByteArray& bytes, bool atLoad);
    void keepDamagedCopy(const QByteArray& bytes, const QString& reason);
    QByteArray fileBytes() const;
    bool writeFile();

    QMap<QString, Note> m_notes;
    QStringList m_categories;
    QString m_notesPath;
    QString m_notesFileName;
    // What the file holds beyond what a Note can say, written back unchanged:
    // unknown top-level keys, entries that are no usable note, unknown note keys.
    QJsonObject m_extraKeys;
    QJsonArray m_unusableEntries;
    QHash<QString, QJsonObject> m_extraNoteKeys;
    // The file as last read or written, to notice changes made by another copy.
    QByteArray m_diskFingerprint;
    // The file on disk could not be read and is not kept anywhere yet: it must
    // be moved aside before anything is written over it.
    bool m_unreadableFileOnDisk = false;
    QList<KeptUserFile> m_keptFiles;
    QString m_lastError;
};
