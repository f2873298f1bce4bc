#pragma once

#include "Palette.h"

namespace windlecroft::demo {

/**
 * The panel page a playlist position plays in, as the player's fixed table has it: positions
 * 0-6 "dzien", 7-12 "wieczor", 13-16 "noc".
 */
inline TimeOfDay timeOfPosition(int position)
{
    return position <= 6 ? TimeOfDay::Day : position <= 12 ? TimeOfDay::Evening : TimeOfDay::Night;
}

} // namespace windlecroft::demo
