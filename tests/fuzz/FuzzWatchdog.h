#pragma once

#include <QString>

// Aborts the process when one input takes more processor time than its limit.
// libFuzzer's own -timeout works only while fuzzing; this also holds in the
// replay driver and names the input's stage. QUORVANTA_FUZZ_TIME_LIMIT_MS
// overrides the limit.
class FuzzWatchdog
{
public:
    FuzzWatchdog(const char* target, int limitMs);
    ~FuzzWatchdog();

    FuzzWatchdog(const FuzzWatchdog&) = delete;
    FuzzWatchdog& operator=(const FuzzWatchdog&) = delete;

    // Names what is running now, for the message when the limit passes.
    void stage(const QString& what);
};
