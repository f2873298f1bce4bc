#pragma once

#include "skin/RgbaPicture.h"

#include <cstdint>
#include <vector>

namespace windlecroft::skin {

/**
 * The bytes of a PNG file holding the picture: RGBA when it has alpha, RGB otherwise. Throws
 * std::runtime_error when libpng cannot write it.
 */
std::vector<std::uint8_t> encodePng(const RgbaPicture& picture);

} // namespace windlecroft::skin
