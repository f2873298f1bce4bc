#pragma once

namespace windlecroft {

/** A rectangle of window pixels; right and bottom are exclusive. */
struct RegionRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const RegionRect&) const = default;
};

} // namespace windlecroft
