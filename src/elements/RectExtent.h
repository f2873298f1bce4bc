#pragma once

#include "base/Rect.h"

#include <climits>
#include <cstdint>

namespace windlecroft {

// Rectangles come from the skin file unchecked, so their edges may lie anywhere in the 32-bit
// range (right < left included). Distances between an edge and a point or another edge are
// therefore formed in 64 bits and brought back into the range of int, never wrapped.

/** value clamped to the range of int. */
inline int clampToInt(std::int64_t value)
{
    return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

/** to − from without overflow, clamped to the range of int. */
inline int distance(std::int64_t to, std::int64_t from) { return clampToInt(to - from); }

/** right − left: the drawn width. */
inline int drawnWidth(const Rect& rect) { return distance(rect.right, rect.left); }

/** bottom − top: the drawn height. */
inline int drawnHeight(const Rect& rect) { return distance(rect.bottom, rect.top); }

} // namespace windlecroft
