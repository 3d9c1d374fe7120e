#include "FuzzWatchdog.h"

#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

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
        m_deadline = Clock::now() + std::chrono::milliseconds(limitMs);
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
            const Clock::time_point deadline = m_deadline;
            if (m_wake.wait_until(lock, deadline) == std::cv_status::timeout && m_armed &&
                m_deadline == deadline) {
                std::fprintf(stderr, "\nFUZZ PROPERTY BROKEN [%s]: input ran over %d ms (at: %s)\n",
                             m_target, m_limitMs, m_stage.c_str());
                std::fflush(stderr);
                std::abort();
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_armed = false;
    Clock::time_point m_deadline;
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
