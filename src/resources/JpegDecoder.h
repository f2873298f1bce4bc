#pragma once

#include "resources/PictureLimits.h"
#include "resources/Surface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace windlecroft {

/**
 * Decodes a JPEG file held in memory into a Surface, rows top first, with libjpeg: baseline,
 * progressive and arithmetic-coded files with any sampling factors; grey pictures come out grey,
 * CMYK and YCCK ones converted to RGB. Returns nothing when the data is not a JPEG the decoder
 * can read (12-bit and lossless files among them), or when the picture has more than
 * largestPicture pixels (the caller's limit, never above maxPicturePixels); reason then says
 * why. The size is checked before the pixels are allocated. A file cut short or with corrupt
 * data decodes as far as it goes.
 */
std::optional<Surface> decodeJpeg(std::span<const std::uint8_t> file, std::string* reason = nullptr,
                                  std::int64_t largestPicture = maxPicturePixels);

} // namespace windlecroft
