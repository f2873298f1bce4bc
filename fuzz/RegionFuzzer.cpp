// Window shapes from fuzzed masks and window sizes: the shape holds exactly the pixels of the
// window whose mask byte is 0, as bands of sorted, non-touching rectangles.
#include "FuzzInput.h"
#include "RegionInput.h"

#include "skin/ArchiveWriter.h"
#include "resources/DataArchive.h"
#include "resources/Region.h"
#include "resources/RegionMask.h"

#include <cstdlib>

using namespace windlecroft;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Bands are sorted by top and do not overlap; inside a band the rectangles share top and
// bottom, are sorted by left and never touch.
void requireBands(const Region& region)
{
    const std::vector<RegionRect>& rects = region.rects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const RegionRect& r = rects[i];
        require(r.left < r.right && r.top < r.bottom);
        if (i == 0)
            continue;
        const RegionRect& previous = rects[i - 1];
        const bool sameBand = r.top == previous.top && r.bottom == previous.bottom;
        require(sameBand ? r.left > previous.right : r.top >= previous.bottom);
    }
}

// The mask byte of a pixel the shape claims; a pixel past the mask's end cannot be inside.
std::uint8_t maskByte(const std::vector<std::uint8_t>& mask, int width, int x, int y)
{
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    require(at < mask.size());
    return mask[at];
}

// Every pixel of the shape is a window pixel whose mask byte is 0, and the shape has as many
// pixels as the mask has such bytes.
void requireMaskShape(const Region& region, const fuzz::RegionInput& input)
{
    const int width = input.width;
    std::int64_t inside = 0;
    for (std::size_t i = 0; i < input.mask.size(); ++i) {
        const auto x = static_cast<std::int64_t>(width == 0 ? 0 : i % static_cast<std::size_t>(width));
        const auto y = static_cast<std::int64_t>(width == 0 ? 0 : i / static_cast<std::size_t>(width));
        if (width > 0 && x < width && y < input.height && input.mask[i] == 0)
            ++inside;
    }
    require(region.area() == inside);
    for (const RegionRect& r : region.rects()) {
        require(r.left >= 0 && r.right <= width && r.top >= 0 && r.bottom <= input.height);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                require(maskByte(input.mask, width, x, y) == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput in(data, size);
    const fuzz::RegionInput input = fuzz::RegionInput::decode(in);

    ArchiveWriter writer;
    writer.add("Data\\panel.rgn", input.mask);
    DataArchive archive;
    archive.openBytes(writer.bytes());

    const Region built = Region::build(input.intro ? "intro" : "Data\\panel.rgn", input.width, input.height, archive);
    requireBands(built);
    if (input.intro) {
        require(built == Region::rectangle(90, 45, 510, 465));
        return 0;
    }
    requireMaskShape(built, input);
    require(built == Region::fromMask(RegionMask(input.mask, input.width), input.height));
    return 0;
}
