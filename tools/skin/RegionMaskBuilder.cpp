#include "skin/RegionMaskBuilder.h"

#include <algorithm>

namespace windlecroft::skin {

std::vector<std::uint8_t> maskFromAlpha(const RgbaPicture& picture, int threshold)
{
    std::vector<std::uint8_t> mask;
    mask.reserve(picture.rgba.size() / 4);
    for (std::size_t i = 3; i < picture.rgba.size(); i += 4)
        mask.push_back(picture.rgba[i] >= threshold ? 0 : 1);
    return mask;
}

std::vector<std::uint8_t> maskFromKeyColour(const RgbaPicture& picture, std::array<std::uint8_t, 3> key)
{
    std::vector<std::uint8_t> mask;
    mask.reserve(picture.rgba.size() / 4);
    for (std::size_t i = 0; i + 3 < picture.rgba.size(); i += 4)
        mask.push_back(std::equal(key.begin(), key.end(), picture.rgba.begin() + static_cast<std::ptrdiff_t>(i)) ? 1 : 0);
    return mask;
}

} // namespace windlecroft::skin
