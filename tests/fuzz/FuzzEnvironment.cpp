#include "FuzzEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void dropMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "Qt fatal: %s\n", qPrintable(message));
        std::abort();
    }
}

struct State
{
    std::unique_ptr<QTemporaryDir> scratch;
    std::unique_ptr<QCoreApplication> application;
};

State& state()
{
    // Never destroyed: libFuzzer leaves through exit() from any thread.
    static State* instance = new State;
    return *instance;
}

} // namespace

void FuzzEnvironment::setUp()
{
    State& s = state();
    if (s.application)
        return;

    qInstallMessageHandler(dropMessage);
    // Same times whatever the machine's zone: the stores' round trips stay reproducible.
    qputenv("TZ", "UTC");

    s.scratch = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                QStringLiteral("/quorvanta-fuzz-XXXXXX"));
    if (!s.scratch->isValid())
        fail("environment", QStringLiteral("no scratch directory: ") + s.scratch->errorString());
    // Nothing is destroyed at exit (see state()), so the folder goes by hand; an
    // abort leaves it for looking into.
    std::atexit([] { state().scratch->remove(); });
    const QString home = s.scratch->path();
    const char* const folders[][2] = {{"XDG_CONFIG_HOME", "/.config"},
                                      {"XDG_DATA_HOME", "/.local/share"},
                                      {"XDG_CACHE_HOME", "/.cache"},
                                      {"XDG_STATE_HOME", "/.local/state"},
                                      {"XDG_RUNTIME_DIR", "/runtime"}};
    qputenv("HOME", QFile::encodeName(home));
    for (const auto& folder : folders) {
        const QString path = home + QLatin1String(folder[1]);
        QDir().mkpath(path);
        qputenv(folder[0], QFile::encodeName(path));
    }
    QFile::setPermissions(home + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(home + QStringLiteral("/Documents"));
    QFile dirs(home + QStringLiteral("/.config/user-dirs.dirs"));
    if (dirs.open(QIODevice::WriteOnly))
        dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n");
    dirs.close();

    static int argc = 1;
    static char name[] = "quorvanta-fuzz";
    static char* argv[] = {name, nullptr};
    s.application = std::make_unique<QCoreApplication>(argc, argv);
}

QString FuzzEnvironment::scratchPath()
{
    setUp();
    return state().scratch->path();
}

QString FuzzEnvironment::sourceDataPath()
{
    return QStringLiteral(QUORVANTA_SOURCE_DATA_DIR);
}

QByteArray FuzzEnvironment::bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void FuzzEnvironment::fail(const char* target, const QString& what)
{
    std::fprintf(stderr, "\nERROR: FUZZ PROPERTY BROKEN [%s]: %s\n", target, qPrintable(what));
    std::fflush(stderr);
    std::abort();
}
