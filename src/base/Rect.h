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
    /** right − left and bottom − top, formed without overflow and clamped to the int32 range. */
    std::int32_t width() const { return clamped(std::int64_t{right} - left); }
    std::int32_t height() const { return clamped(std::int64_t{bottom} - top); }
    friend bool operator==(const Rect&, const Rect&) = default;

private:
    // Edges come from the skin file unchecked and may lie anywhere in the 32-bit range.
    static std::int32_t clamped(std::int64_t value)
    {
        return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(value);
    }
};

/** The pixels two drawn rectangles share (right and bottom exclusive); empty when none. */
inline Rect intersection(const Rect& a, const Rect& b)
{
    return {a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top, a.right < b.right ? a.right : b.right,
            a.bottom < b.bottom ? a.bottom : b.bottom};
}

/** True when a drawn rectangle holds no pixel. */
inline bool holdsNoPixel(const Rect& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

} // namespace windlecroft
