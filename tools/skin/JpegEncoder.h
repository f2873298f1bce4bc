#pragma once

#include "resources/Surface.h"
#include "skin/RgbaPicture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace windlecroft::skin {

/** How a picture is encoded: the quality (1 to 100), the chroma subsampling and the scan kind. */
struct JpegOptions {
    enum class Subsampling { None, Half, Quarter, Grey };
    int quality = 95;
    Subsampling subsampling = Subsampling::None;
    bool progressive = false;
};

/**
 * Encodes a picture as a JPEG file; without subsampling the edges of buttons stay sharp.
 * Alpha is dropped. Returns nothing when the encoder fails; reason then says why.
 */
std::optional<std::vector<std::uint8_t>> encodeJpeg(const RgbaPicture& picture, int quality, std::string& reason);

/** Encodes the pixels of a surface (0x00RRGGBB); throws std::runtime_error when the encoder fails. */
std::vector<std::uint8_t> encodeJpeg(const Surface& picture, JpegOptions options = {});

} // namespace windlecroft::skin
