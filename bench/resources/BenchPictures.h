#pragma once

#include "resources/Surface.h"

#include <cstdint>

namespace windlecroft::bench {

inline constexpr int windowWidth = 600;
inline constexpr int windowHeight = 510;

/** A full-window picture with smooth gradients and some detail, like a skin background. */
inline Surface skinPicture(std::uint32_t seed = 0)
{
    Surface picture(windowWidth, windowHeight);
    for (int y = 0; y < windowHeight; ++y) {
        for (int x = 0; x < windowWidth; ++x) {
            const std::uint32_t r = static_cast<std::uint32_t>(x * 255 / windowWidth);
            const std::uint32_t g = static_cast<std::uint32_t>(y * 255 / windowHeight);
            const std::uint32_t b = ((static_cast<std::uint32_t>(x) ^ static_cast<std::uint32_t>(y)) + seed) & 0xFF;
            picture.setPixel(x, y, r << 16 | g << 8 | b);
        }
    }
    return picture;
}

} // namespace windlecroft::bench
