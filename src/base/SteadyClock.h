#pragma once

#include "base/Clock.h"

#include <chrono>

namespace windlecroft {

/** The real clock of the program: std::chrono::steady_clock in milliseconds. */
class SteadyClock final : public Clock {
public:
    SteadyClock();
    std::uint64_t now() const override;
    void sleepFor(std::uint64_t milliseconds) override;

private:
    std::chrono::steady_clock::time_point origin_;
};

} // namespace windlecroft
