#pragma once

#include "skin/RgbaPicture.h"

#include <array>
#include <cstdint>
#include <vector>

namespace windlecroft::skin {

/**
 * Region masks as the player reads them: one byte per pixel, rows top first, 0 for a pixel
 * that belongs to the window and 1 for a transparent one.
 */

/** A pixel belongs to the window when its alpha is at least threshold. */
std::vector<std::uint8_t> maskFromAlpha(const RgbaPicture& picture, int threshold);
/** A pixel is transparent when its colour equals key (red, green, blue). */
std::vector<std::uint8_t> maskFromKeyColour(const RgbaPicture& picture, std::array<std::uint8_t, 3> key);

} // namespace windlecroft::skin
