#pragma once

#include <cstdint>

namespace windlecroft {

/**
 * A rectangle in window client pixels. Hit tests include both edges, so a rectangle from 10
 * to 20 is 11 pixels wide to the pointer; drawing uses right − left and bottom − top.
 */
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool contains(int x, int y) const { return left <= x && x <= right && top <= y && y <= bottom; }
    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace windlecroft
