#pragma once

#include <cstdint>

namespace windlecroft {

/** The source of time for the core: milliseconds from a steady clock. */
class Clock {
public:
    virtual ~Clock() = default;

    /** Milliseconds since an arbitrary fixed point; never goes backwards. */
    virtual std::uint64_t now() const = 0;

    /** Waits for the given number of milliseconds (a manual clock just advances). */
    virtual void sleepFor(std::uint64_t milliseconds) = 0;
};

} // namespace windlecroft
