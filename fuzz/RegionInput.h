#pragma once

#include "FuzzInput.h"

#include <cstdint>
#include <span>
#include <vector>

namespace windlecroft::fuzz {

/**
 * What the region target builds: a shape named "intro" (the fixed rectangle) or one from a mask
 * of a width x height window. Encoded as: intro flag (u8, odd means "intro"), width (u16),
 * height (u16), the mask (the rest).
 */
struct RegionInput {
    bool intro = false;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<std::uint8_t> mask;

    std::vector<std::uint8_t> encode() const
    {
        std::vector<std::uint8_t> out{static_cast<std::uint8_t>(intro ? 1 : 0),
                                      static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
                                      static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8)};
        out.insert(out.end(), mask.begin(), mask.end());
        return out;
    }

    static RegionInput decode(FuzzInput& in)
    {
        RegionInput input;
        input.intro = (in.u8() & 1) != 0;
        input.width = in.u16();
        input.height = in.u16();
        const std::span<const std::uint8_t> mask = in.rest();
        input.mask.assign(mask.begin(), mask.end());
        return input;
    }
};

} // namespace windlecroft::fuzz
