#include "base/SteadyClock.h"

#include <thread>

namespace windlecroft {

// The origin lies one day back so that "now" is never small: page timers and fades compute
// differences from stored start times, and a zero start must already lie in the past.
SteadyClock::SteadyClock() : origin_(std::chrono::steady_clock::now() - std::chrono::hours(24)) {}

std::uint64_t SteadyClock::now() const
{
    auto elapsed = std::chrono::steady_clock::now() - origin_;
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void SteadyClock::sleepFor(std::uint64_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace windlecroft
