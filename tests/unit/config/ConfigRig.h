#pragma once

#include "base/Error.h"
#include "support/SkinRig.h"
#include "support/SkinConfigWriter.h"

#include "unit/resources/BmpBuilder.h"

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace windlecroft::test {

/** A 24-bit BMP of width x height filled with one colour (0x00RRGGBB). */
inline std::vector<std::uint8_t> solidPicture(int width, int height, std::uint32_t colour)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(rowBytes * height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = data.data() + static_cast<std::size_t>(y * rowBytes + x * 3);
            p[0] = static_cast<std::uint8_t>(colour);
            p[1] = static_cast<std::uint8_t>(colour >> 8);
            p[2] = static_cast<std::uint8_t>(colour >> 16);
        }
    }
    return BmpBuilder(width, height, 24).pixels(data).build();
}

/** The config tests' rig: a skin built without an Application. */
using ConfigRig = SkinRig;

} // namespace windlecroft::test
