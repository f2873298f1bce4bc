#include "resources/RegionMask.h"

#include <algorithm>
#include <limits>

namespace windlecroft {

RegionMask::RegionMask(std::span<const std::uint8_t> bytes, int width)
    : bytes_(bytes), width_(width > 0 ? width : 0), rows_(0)
{
    if (width_ > 0) {
        const std::size_t rows = (bytes_.size() + static_cast<std::size_t>(width_) - 1) / static_cast<std::size_t>(width_);
        rows_ = static_cast<int>(std::min<std::size_t>(rows, std::numeric_limits<int>::max()));
    }
}

std::span<const std::uint8_t> RegionMask::row(int y) const
{
    if (y < 0 || y >= rows_)
        return {};
    const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    return bytes_.subspan(start, std::min<std::size_t>(static_cast<std::size_t>(width_), bytes_.size() - start));
}

void RegionMask::whiten(Surface& picture) const
{
    constexpr std::uint32_t white = 0x00FFFFFF;
    const int height = std::min(picture.height(), rows_);
    for (int y = 0; y < height; ++y) {
        const std::span<const std::uint8_t> mask = row(y);
        const std::size_t width = std::min<std::size_t>(mask.size(), static_cast<std::size_t>(picture.width()));
        std::uint32_t* pixels = picture.row(y);
        for (std::size_t x = 0; x < width; ++x)
            pixels[x] = mask[x] != 0 ? white : pixels[x];
    }
}

} // namespace windlecroft
