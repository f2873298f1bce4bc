#pragma once

#include "base/Clock.h"

#include <atomic>

namespace windlecroft {

/**
 * A clock that moves only when told to; tests and benchmarks use it for deterministic time. It
 * may be read on one thread while another moves it.
 */
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::uint64_t start = 1'000'000) : now_(start) {}

    std::uint64_t now() const override { return now_.load(std::memory_order_relaxed); }
    void sleepFor(std::uint64_t milliseconds) override { advance(milliseconds); }

    void advance(std::uint64_t milliseconds) { now_.fetch_add(milliseconds, std::memory_order_relaxed); }
    void set(std::uint64_t now) { now_.store(now, std::memory_order_relaxed); }

private:
    std::atomic<std::uint64_t> now_;
};

} // namespace windlecroft
