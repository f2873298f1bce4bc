#pragma once

#include <cstdint>

namespace windlecroft {

/** The largest picture side an Image can describe: its sizes are 16-bit values. */
inline constexpr std::int64_t maxPictureSide = 65535;

/**
 * The largest picture, in pixels, that the decoders accept (2^26 pixels, 256 MiB). A corrupt
 * header can claim 65535 x 65535 pixels in a few bytes; refusing such sizes keeps a bad skin
 * from exhausting memory. Real skin pictures are the size of the window.
 */
inline constexpr std::int64_t maxPicturePixels = std::int64_t{1} << 26;

/**
 * The largest window, in pixels. Its back buffer is a picture of the window's size, and the
 * pages draw pictures of that size into it: the same limit holds. Two 16-bit sides could
 * otherwise ask for a 16 GiB buffer.
 */
inline constexpr std::int64_t maxWindowPixels = maxPicturePixels;

} // namespace windlecroft
