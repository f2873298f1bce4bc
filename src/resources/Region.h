#pragma once

#include "resources/RegionMask.h"
#include "resources/RegionRect.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace windlecroft {

class DataArchive;

/**
 * A window shape: a set of pixels held as rectangles in bands. Every band is a run of rows
 * whose rectangles share top and bottom; within a band the rectangles are sorted by left and
 * never touch, and bands are sorted by top. That is the form X11 and Qt take regions in.
 */
class Region {
public:
    /** The empty shape. */
    Region() = default;

    /** One rectangle (empty when right <= left or bottom <= top). */
    static Region rectangle(int left, int top, int right, int bottom);

    /**
     * The pixels of a width x height window whose mask byte is 0. Pixels the mask does not
     * reach are outside the shape.
     */
    static Region fromMask(const RegionMask& mask, int height);

    /**
     * The shape a skin gives its window: "intro" is the fixed rectangle (90, 45)-(510, 465);
     * any other name is an archive entry holding a width x height mask. Throws the archive's
     * "can't find file ... in datafile" when the mask is missing.
     */
    static Region build(std::string_view maskName, int width, int height, const DataArchive& archive);

    const std::vector<RegionRect>& rects() const { return rects_; }
    bool empty() const { return rects_.empty(); }
    bool contains(int x, int y) const;
    /** Number of pixels in the shape. */
    std::int64_t area() const;

    bool operator==(const Region&) const = default;

private:
    std::vector<RegionRect> rects_;
};

} // namespace windlecroft
