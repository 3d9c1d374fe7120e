// A copy of the program's stores in a process of its own, for the tests that run
// two copies against one notes file and one preferences file.
//
//   store_driver notes <tag> <count>
//   store_driver prefs <tag> <count> <dataDir>
//   store_driver idle <dataDir>        (opens both stores, changes nothing)
//
// Prints "ready <notes file>" once the stores are open, waits for a line on
// standard input, performs its steps, prints "done <failures>" and exits with 0
// when every step was saved.

#include "StoreDriverPlan.h"
#include "notes/NoteManager.h"
#include "prefs/UserPreferences.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

namespace {

void quietHandler(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

int runNotes(NoteManager& notes, const QList<StoreDriverPlan::Step>& steps)
{
    int failures = 0;
    for (const StoreDriverPlan::Step& step : steps) {
        bool ok = false;
        switch (step.kind) {
        case StoreDriverPlan::Step::Add: {
            Note note;
            note.id = step.id;
            note.title = step.text;
            note.contentId = QStringLiteral("general_notes");
            ok = notes.addNote(note);
            break;
        }
        case StoreDriverPlan::Step::Update: {
            Note note = notes.getNote(step.id);
            note.title = step.text;
            ok = notes.updateNote(note);
            break;
        }
        case StoreDriverPlan::Step::Remove:
            ok = notes.deleteNote(step.id);
            break;
        case StoreDriverPlan::Step::Visit:
            ok = true;
            break;
        }
        if (!ok)
            ++failures;
    }
    return failures;
}

int runPreferences(UserPreferences& prefs, const QList<StoreDriverPlan::Step>& steps)
{
    int failures = 0;
    for (const StoreDriverPlan::Step& step : steps) {
        bool ok = false;
        switch (step.kind) {
        case StoreDriverPlan::Step::Add:
            ok = prefs.addFavorite(step.id, step.text, QStringLiteral("cad"),
                                   QStringLiteral("data/%1.json").arg(step.id), QString());
            break;
        case StoreDriverPlan::Step::Remove:
            ok = prefs.removeFavorite(step.id);
            break;
        case StoreDriverPlan::Step::Visit:
            ok = prefs.addToHistory(step.id, step.text, QStringLiteral("cad"),
                                    QStringLiteral("data/%1.json").arg(step.id), QString());
            break;
        case StoreDriverPlan::Step::Update:
            break;
        }
        if (!ok)
            ++failures;
    }
    return failures;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quietHandler);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    if (!(mode == QLatin1String("notes") && args.size() == 3) &&
        !(mode == QLatin1String("prefs") && args.size() == 4) &&
        !(mode == QLatin1String("idle") && args.size() == 2)) {
        std::fprintf(stderr, "usage: store_driver notes <tag> <count> | prefs <tag> <count> "
                             "<dataDir> | idle <dataDir>\n");
        return 2;
    }

    auto notes = std::make_unique<NoteManager>();
    auto prefs = std::make_unique<UserPreferences>();
    if (mode != QLatin1String("notes"))
        prefs->initialize(args.last());

    std::printf("ready %s\n", notes->notesFilePath().toLocal8Bit().constData());
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);

    int failures = 0;
    const QString tag = args.value(1);
    const int count = args.value(2).toInt();
    if (mode == QLatin1String("notes"))
        failures = runNotes(*notes, StoreDriverPlan::noteSteps(tag, count));
    else if (mode == QLatin1String("prefs"))
        failures = runPreferences(*prefs, StoreDriverPlan::preferenceSteps(tag, count));

    prefs.reset();
    notes.reset();
    std::printf("done %d\n", failures);
    std::fflush(stdout);
    return failures == 0 ? 0 : 1;
}
