#pragma once

#include "base/Action.h"

#include <cstdint>

namespace windlecroft {

/** A keyboard key (a Windows virtual-key code) that works the buttons carrying its action. */
struct KeyBinding {
    std::uint16_t key = 0;
    Action action;
};

} // namespace windlecroft
