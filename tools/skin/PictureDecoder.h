#pragma once

#include "skin/RgbaPicture.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace windlecroft::skin {

/**
 * Decodes a PNG, BMP or JPEG file, told apart by their first bytes, into RGBA. PNG keeps its
 * alpha; BMP and JPEG pictures are opaque. Returns nothing when the bytes are none of these or
 * do not decode; reason then says why. Pictures larger than the player accepts are refused.
 */
std::optional<RgbaPicture> decodePicture(std::span<const std::uint8_t> file, std::string& reason);

} // namespace windlecroft::skin
