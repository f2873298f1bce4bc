#pragma once

#include <cstdint>

namespace windlecroft {

/** The largest picture side an Image can describe: its sizes are 16-bit values. */
inline constexpr std::int64_t maxPictureSide = 65535;

/**
 * The largest picture, in pixels, that the decoders accept (256 MiB of pixels). A corrupt
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

/**
 * The pixels all pictures of one skin may hold together (1 GiB of pixels). Every picture stays
 * within maxPicturePixels, but a skin can name many: sixteen pictures whose headers claim
 * 8192 x 8192 pixels fit in a 64 KiB archive and would take 4 GiB. A skin of window-sized
 * pictures reaches this only with hundreds of 600 x 510 pictures.
 */
inline constexpr std::int64_t maxSkinPicturePixels = std::int64_t{1} << 28;

} // namespace windlecroft
