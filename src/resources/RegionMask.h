#pragma once

#include "resources/Surface.h"

#include <cstdint>
#include <span>

namespace windlecroft {

/**
 * A window-shape mask as the skin stores it: one byte per window pixel, rows from the top with
 * no padding. A byte 0 marks a pixel of the window, any other value a transparent one. The row
 * length is the window's width; the mask may be shorter than the window, and is never read
 * past its end.
 */
class RegionMask {
public:
    RegionMask(std::span<const std::uint8_t> bytes, int width);

    int width() const { return width_; }
    /** The bytes of row y, clipped to the mask's length: shorter, or empty, past its end. */
    std::span<const std::uint8_t> row(int y) const;
    /** Number of rows the mask holds at least one byte of. */
    int rows() const { return rows_; }

    /**
     * Paints white (0xFFFFFF) every pixel of the picture whose mask byte is non-zero, so the
     * colour key of a layered window makes it disappear. Pixels outside the mask keep their
     * colour.
     */
    void whiten(Surface& picture) const;

private:
    std::span<const std::uint8_t> bytes_;
    int width_;
    int rows_;
};

} // namespace windlecroft
