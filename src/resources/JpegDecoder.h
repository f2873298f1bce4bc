#pragma once

#include "resources/PictureLimits.h"
#include "resources/Surface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace windlecroft {

/**
 * Decodes a JPEG file held in memory into a Surface, rows top first. Returns nothing when the
 * data is not a JPEG the decoder can read, or when the picture has more than largestPicture
 * pixels (the caller's limit, never above maxPicturePixels); reason then says why. A file cut
 * short decodes as far as it goes.
 */
std::optional<Surface> decodeJpeg(std::span<const std::uint8_t> file, std::string* reason = nullptr,
                                  std::int64_t largestPicture = maxPicturePixels);

} // namespace windlecroft
