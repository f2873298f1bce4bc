#include "base/PeriodicThread.h"

namespace windlecroft {

PeriodicThread::PeriodicThread(std::function<void()> call) : call_(std::move(call)) {}

PeriodicThread::~PeriodicThread()
{
    stop();
}

void PeriodicThread::stop()
{
    {
        std::scoped_lock lock(mutex_);
        if (!thread_.joinable())
            return;
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
    std::scoped_lock lock(mutex_);
    thread_ = std::thread();
    quit_ = false;
    period_ = std::chrono::milliseconds(0);
}

void PeriodicThread::start(std::chrono::milliseconds period)
{
    {
        std::scoped_lock lock(mutex_);
        if (period == period_)
            return;
        period_ = period;
        if (!thread_.joinable())
            thread_ = std::thread([this] { loop(); });
    }
    changed_.notify_all();
}

void PeriodicThread::pause()
{
    {
        std::scoped_lock lock(mutex_);
        if (period_.count() == 0)
            return;
        period_ = std::chrono::milliseconds(0);
    }
    changed_.notify_all();
}

// Deadlines follow one another a period apart, so the pace does not drift with the time a call
// takes; after a call that overran a whole period, or a change of period, the pace starts again
// from now.
void PeriodicThread::loop()
{
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (period_.count() == 0) {
            changed_.wait(lock, [this] { return quit_ || period_.count() > 0; });
            continue;
        }
        const auto period = period_;
        auto due = std::chrono::steady_clock::now() + period;
        while (!quit_ && period == period_) {
            if (changed_.wait_until(lock, due, [&] { return quit_ || period != period_; }))
                break;
            lock.unlock();
            call_();
            lock.lock();
            const auto now = std::chrono::steady_clock::now();
            due += period;
            if (due <= now)
                due = now + period;
        }
    }
}

} // namespace windlecroft
