#pragma once

#include "resources/PictureLimits.h"
#include "resources/Surface.h"

#include <cstdint>
#include <span>

namespace windlecroft {

/**
 * Decodes a Windows BMP file held in memory into a Surface of its stated size.
 *
 * 8-bit pictures (uncompressed or RLE8) map through their colour table and 24-bit pictures are
 * copied; every other bit count, RLE4 and unknown compressions give a black picture. The colour
 * table is read right after the info header, the pixel data from the file header's data offset
 * when that lies inside the file after the colour table, otherwise right after the table.
 * Positive heights store rows bottom-up, negative heights top-down. Data the header promises but
 * the file lacks reads as zero bytes; nothing outside the file is read.
 *
 * Throws "invalid bmp format" when the file does not start with "BM", when a side is negative
 * or above 65535, or when the picture has more than largestPicture pixels (the caller's limit,
 * never above maxPicturePixels).
 */
Surface decodeBmp(std::span<const std::uint8_t> file, std::int64_t largestPicture = maxPicturePixels);

} // namespace windlecroft
