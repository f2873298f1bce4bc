#pragma once

#include "base/Action.h"

#include <cstdint>

namespace windlecroft {

/**
 * Posts its action once per visit of its page, on the first tick after its delay has passed.
 * Times are 64-bit milliseconds, so no wrap of a 32-bit counter can confuse it.
 */
class PageTimer {
public:
    PageTimer(std::uint64_t delay, Action action) : delay_(delay), action_(action) {}

    /** The page became current: count from now. */
    void arm(std::uint64_t now)
    {
        start_ = now;
        fired_ = false;
        armed_ = true;
    }

    /** Returns true when the action is due now; it is due at most once per arming. */
    bool tick(std::uint64_t now)
    {
        const auto elapsed = static_cast<std::int64_t>(now - start_);
        if (elapsed > static_cast<std::int64_t>(delay_))
            fired_ = true;
        if (fired_ && armed_) {
            armed_ = false;
            return true;
        }
        return false;
    }

    Action action() const { return action_; }
    std::uint64_t delay() const { return delay_; }
    bool armed() const { return armed_; }
    /** The first time at which tick() fires, while armed. */
    std::uint64_t dueAt() const { return start_ + delay_ + 1; }

private:
    bool fired_ = false;
    bool armed_ = false;
    std::uint64_t start_ = 0;
    std::uint64_t delay_;
    Action action_;
};

} // namespace windlecroft
