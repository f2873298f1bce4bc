#pragma once

#include "skin/RgbaPicture.h"

#include <cstdint>
#include <vector>

namespace windlecroft::skin {

/**
 * Encodes a picture as a 24-bit uncompressed BMP file with the 40-byte info header, rows bottom
 * up and padded to four bytes, pixel data right after the headers. Alpha is dropped.
 */
std::vector<std::uint8_t> encodeBmp(const RgbaPicture& picture);

} // namespace windlecroft::skin
