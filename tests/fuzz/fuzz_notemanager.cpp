// The notes store on arbitrary bytes: they are written as the notes file of a
// scratch HOME, loaded, saved and loaded again. Nothing may crash, every note and
// category that was loaded must come back after the save, and a file that could
// not be loaded must be kept aside byte for byte before it is written over.

#include "FuzzEnvironment.h"
#include "StoreFolder.h"

#include "notes/NoteManager.h"

#include <QStringList>

#include <algorithm>
#include <memory>

namespace {

const char* const kTarget = "notemanager";

QString describe(const Note& note)
{
    return QStringList{note.id,
                       note.contentId,
                       note.title,
                       note.content,
                       note.position,
                       note.highlightText,
                       note.highlightColor,
                       note.category,
                       StoreFolder::timeText(note.createTime),
                       StoreFolder::timeText(note.modifyTime),
                       QString::number(note.startPos),
                       QString::number(note.endPos)}
        .join(QLatin1Char('|'));
}

QStringList snapshot(const NoteManager& manager)
{
    QStringList notes;
    for (const Note& note : manager.getAllNotes())
        notes << describe(note);
    std::sort(notes.begin(), notes.end());
    return notes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzEnvironment::setUp();
    const QByteArray bytes = FuzzEnvironment::bytes(data, size);

    static const StoreFolder folder(kTarget, NoteManager().notesFilePath());
    folder.reset(bytes);

    auto first = std::make_unique<NoteManager>();
    const bool loaded = first->loadNotes();
    const QStringList notes = snapshot(*first);
    const QStringList categories = first->getCategories();
    FUZZ_CHECK(kTarget, first->saveNotes(), QStringLiteral("save failed"));
    first.reset();

    if (!loaded)
        FUZZ_CHECK(kTarget, folder.keptAside(bytes),
                   QStringLiteral("an unreadable notes file was not kept aside"));

    NoteManager second;
    FUZZ_CHECK(kTarget, second.loadNotes(), QStringLiteral("the saved notes do not load"));
    FUZZ_CHECK(kTarget, snapshot(second) == notes,
               QStringLiteral("notes changed in a save: %1 became %2")
                   .arg(notes.join(QLatin1Char('\n')), snapshot(second).join(QLatin1Char('\n'))));
    FUZZ_CHECK(
        kTarget, second.getCategories() == categories,
        QStringLiteral("categories changed in a save: %1 became %2")
            .arg(categories.join(QLatin1Char(',')), second.getCategories().join(QLatin1Char(','))));
    return 0;
}
