#pragma once

#include <cstdint>
#include <vector>

namespace windlecroft::skin {

/** A picture as the tool converts it: 8-bit red, green, blue and alpha per pixel, rows top first. */
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    /** False when the source had no alpha channel and every alpha is 255. */
    bool hasAlpha = false;

    const std::uint8_t* pixel(int x, int y) const
    {
        return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    }
};

} // namespace windlecroft::skin
