#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace windlecroft {

/**
 * Calls a function at a steady period on a thread of its own, apart from any event loop: a
 * wake-up costs the thread's sleep and the call, nothing else. The thread starts with the first
 * start() and sleeps while paused. pause() does not wait for a call in progress, so it may be
 * called while holding a lock that the call is waiting for; stop() and the destructor do wait.
 */
class PeriodicThread {
public:
    explicit PeriodicThread(std::function<void()> call);
    ~PeriodicThread();
    PeriodicThread(const PeriodicThread&) = delete;
    PeriodicThread& operator=(const PeriodicThread&) = delete;

    /** Calls every period from now on; a running thread keeps its pace unless the period changes. */
    void start(std::chrono::milliseconds period);
    /** No further call starts until the next start(). */
    void pause();
    /** Ends the thread once a call in progress returns; a later start() begins a new one. */
    void stop();

private:
    void loop();

    const std::function<void()> call_;
    std::mutex mutex_;
    std::condition_variable changed_;
    // Zero while paused.
    std::chrono::milliseconds period_{0};
    bool quit_ = false;
    std::thread thread_;
};

} // namespace windlecroft
