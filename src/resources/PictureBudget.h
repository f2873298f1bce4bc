#pragma once

#include "base/SkinLimits.h"
#include "resources/PictureLimits.h"

#include <algorithm>
#include <cstdint>

namespace windlecroft {

/**
 * What is left of the pixels the pictures of one skin may hold together. Pictures are loaded
 * while the configuration is read and kept until the end, so the budget only shrinks.
 */
class PictureBudget {
public:
    explicit PictureBudget(std::int64_t pixels = maxSkinPicturePixels) : left_(pixels) {}

    /** The largest picture that still fits: what is left, never more than one picture may hold. */
    std::int64_t largestPicture() const { return std::min(left_, maxPicturePixels); }
    /** Counts a loaded picture of this many pixels against the budget. */
    void spend(std::int64_t pixels) { left_ -= std::clamp<std::int64_t>(pixels, 0, left_); }
    std::int64_t left() const { return left_; }

private:
    std::int64_t left_;
};

} // namespace windlecroft
