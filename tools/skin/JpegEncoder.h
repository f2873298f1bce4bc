#pragma once

#include "skin/RgbaPicture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace windlecroft::skin {

/**
 * Encodes a picture as a baseline JPEG file with the given quality (1 to 100) and no chroma
 * subsampling, which keeps the edges of buttons sharp. Alpha is dropped. Returns nothing when
 * the encoder fails; reason then says why.
 */
std::optional<std::vector<std::uint8_t>> encodeJpeg(const RgbaPicture& picture, int quality, std::string& reason);

} // namespace windlecroft::skin
