#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: one application object, Qt's messages silenced
// (the stores log every step, which would drown the fuzzer's own output), and a
// scratch HOME so no target can reach a real user's files.
class FuzzEnvironment
{
public:
    // Idempotent; call at the top of LLVMFuzzerTestOneInput.
    static void setUp();

    // The scratch directory HOME and the XDG folders point into.
    static QString scratchPath();
    // data/ of the source tree, where the seed entries and articles come from.
    static QString sourceDataPath();

    static QByteArray bytes(const uint8_t* data, size_t size);

    // Reports a broken property and aborts, so libFuzzer keeps the input and the
    // replay driver fails with the message.
    [[noreturn]] static void fail(const char* target, const QString& what);
};

#define FUZZ_CHECK(target, condition, what)                                                        \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzEnvironment::fail(target, QStringLiteral("%1 (%2)").arg(what, #condition));        \
    } while (false)
