#pragma once

#include "resources/Surface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace windlecroft {

/**
 * Decodes a JPEG file held in memory into a Surface, rows top first. Returns nothing when the
 * data is not a JPEG the decoder can read, or when the picture is larger than the decoders
 * accept; reason then says why. A file cut short decodes as far as it goes.
 */
std::optional<Surface> decodeJpeg(std::span<const std::uint8_t> file, std::string* reason = nullptr);

} // namespace windlecroft
