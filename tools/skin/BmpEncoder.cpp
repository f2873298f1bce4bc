#include "skin/BmpEncoder.h"

#include "skin/ArchiveWriter.h"

namespace windlecroft::skin {

std::vector<std::uint8_t> encodeBmp(const RgbaPicture& picture)
{
    constexpr std::uint32_t headersSize = 14 + 40;
    const auto rowSize = (static_cast<std::uint32_t>(picture.width) * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(picture.height);

    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(headersSize + imageSize);
    out.u32(0); // reserved
    out.u32(headersSize);
    out.u32(40);
    out.u32(static_cast<std::uint32_t>(picture.width));
    out.u32(static_cast<std::uint32_t>(picture.height)); // positive: rows bottom up
    out.u16(1);                                          // planes
    out.u16(24);
    out.u32(0); // no compression
    out.u32(imageSize);
    out.u32(2835); // 72 dots per inch, in dots per metre
    out.u32(2835);
    out.u32(0);
    out.u32(0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.pixel(x, y);
            out.u8(p[2]);
            out.u8(p[1]);
            out.u8(p[0]);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(picture.width) * 3; pad < rowSize; ++pad)
            out.u8(0);
    }
    return std::move(out.bytes());
}

} // namespace windlecroft::skin
