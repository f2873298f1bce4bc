#pragma once

#include "FuzzInput.h"

#include <cstdint>
#include <span>
#include <vector>

namespace windlecroft::fuzz {

/**
 * What the JPEG target loads: a picture and a mask, the window width the mask's rows are read
 * with, and the sixth character of the picture's name, which picks the mask the picture is
 * whitened through. Encoded as: page (u8), window width (u16), JPEG size (u32), the JPEG, the
 * mask (the rest).
 */
struct JpegImageInput {
    char page = 'd';
    std::uint16_t windowWidth = 0;
    std::vector<std::uint8_t> jpeg;
    std::vector<std::uint8_t> mask;

    std::vector<std::uint8_t> encode() const
    {
        std::vector<std::uint8_t> out{static_cast<std::uint8_t>(page), static_cast<std::uint8_t>(windowWidth),
                                      static_cast<std::uint8_t>(windowWidth >> 8)};
        const auto size = static_cast<std::uint32_t>(jpeg.size());
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<std::uint8_t>(size >> shift));
        out.insert(out.end(), jpeg.begin(), jpeg.end());
        out.insert(out.end(), mask.begin(), mask.end());
        return out;
    }

    static JpegImageInput decode(FuzzInput& in)
    {
        JpegImageInput input;
        // An archive name ends at its first zero byte, and its kind follows its first dot: either
        // here stands for a page no mask belongs to.
        const char page = static_cast<char>(in.u8());
        input.page = page != '\0' && page != '.' ? page : '_';
        input.windowWidth = in.u16();
        const std::span<const std::uint8_t> jpeg = in.bytes(in.u32());
        input.jpeg.assign(jpeg.begin(), jpeg.end());
        const std::span<const std::uint8_t> mask = in.rest();
        input.mask.assign(mask.begin(), mask.end());
        return input;
    }
};

} // namespace windlecroft::fuzz
