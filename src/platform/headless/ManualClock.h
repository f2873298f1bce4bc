#pragma once

#include "base/Clock.h"

namespace windlecroft {

/** A clock that moves only when told to; tests and benchmarks use it for deterministic time. */
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::uint64_t start = 1'000'000) : now_(start) {}

    std::uint64_t now() const override { return now_; }
    void sleepFor(std::uint64_t milliseconds) override { now_ += milliseconds; }

    void advance(std::uint64_t milliseconds) { now_ += milliseconds; }
    void set(std::uint64_t now) { now_ = now; }

private:
    std::uint64_t now_;
};

} // namespace windlecroft
