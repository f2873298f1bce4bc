#pragma once

#include <cstdint>

namespace windlecroft {

/** A user command: a code and an argument, both unsigned 16-bit. */
struct Action {
    std::uint16_t code = 0;
    std::uint16_t arg = 0;

    friend bool operator==(const Action&, const Action&) = default;
};

} // namespace windlecroft
