#include "FuzzWatchdog.h"

#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include <time.h>

namespace {

// Processor time, not wall time: on a loaded machine an input must not fail for
// waiting its turn. A wait that takes no processor time is libFuzzer's -timeout's
// (and CTest's) to catch.
std::int64_t processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// One thread for the whole process: starting one per input would cost more than
// most inputs take.
class Monitor
{
public:
    static Monitor& instance()
    {
        static Monitor* monitor = new Monitor; // outlives exit() from any thread
        return *monitor;
    }

    void arm(const char* target, int limitMs)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_target = target;
        m_limitMs = limitMs;
        m_stage.clear();
        m_startMs = processorMs();
        m_armed = true;
        m_wake.notify_one();
    }

    void disarm()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_armed = false;
    }

    void stage(const std::string& what)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stage = what;
    }

private:
    Monitor()
    {
        std::thread([this] { watch(); }).detach();
    }

    void watch()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            if (!m_armed) {
                m_wake.wait(lock);
                continue;
            }
            m_wake.wait_for(lock, std::chrono::milliseconds(20));
            const std::int64_t used = processorMs() - m_startMs;
            if (m_armed && used > m_limitMs) {
                std::fprintf(stderr,
                             "\nERROR: FUZZ PROPERTY BROKEN [%s]: input ran over %d ms of processor "
                             "time (at: %s)\n",
                             m_target, m_limitMs, m_stage.c_str());
                std::fflush(stderr);
                std::abort();
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_armed = false;
    std::int64_t m_startMs = 0;
    const char* m_target = "";
    int m_limitMs = 0;
    std::string m_stage;
};

int effectiveLimit(int limitMs)
{
    bool ok = false;
    const int override = qEnvironmentVariableIntValue("QUORVANTA_FUZZ_TIME_LIMIT_MS", &ok);
    return ok && override > 0 ? override : limitMs;
}

} // namespace

FuzzWatchdog::FuzzWatchdog(const char* target, int limitMs)
{
    Monitor::instance().arm(target, effectiveLimit(limitMs));
}

FuzzWatchdog::~FuzzWatchdog()
{
    Monitor::instance().disarm();
}

void FuzzWatchdog::stage(const QString& what)
{
    Monitor::instance().stage(what.left(200).toStdString());
}
