#include "resources/Region.h"

#include "resources/DataArchive.h"

#include <algorithm>

namespace windlecroft {

Region Region::rectangle(int left, int top, int right, int bottom)
{
    Region region;
    if (left < right && top < bottom)
        region.rects_.push_back({left, top, right, bottom});
    return region;
}

Region Region::fromMask(const RegionMask& mask, int height)
{
    Region region;
    std::vector<RegionRect>& rects = region.rects_;
    std::vector<RegionRect> runs;
    runs.reserve(16);
    // The band the previous row belongs to: rects[bandStart, rects.size()).
    std::size_t bandStart = 0;
    const int rows = std::min(height, mask.rows());
    for (int y = 0; y < rows; ++y) {
        const std::span<const std::uint8_t> row = mask.row(y);
        const auto begin = row.begin();
        runs.clear();
        for (auto it = begin; it != row.end();) {
            const auto runStart = std::find(it, row.end(), std::uint8_t{0});
            const auto runEnd = std::find_if(runStart, row.end(), [](std::uint8_t byte) { return byte != 0; });
            if (runStart != runEnd)
                runs.push_back({static_cast<int>(runStart - begin), y, static_cast<int>(runEnd - begin), y + 1});
            it = runEnd;
        }
        // A row with exactly the runs of the band just above it only makes that band taller.
        const std::size_t bandSize = rects.size() - bandStart;
        const bool extendsBand = !runs.empty() && bandSize == runs.size() && rects[bandStart].bottom == y &&
                                 std::equal(runs.begin(), runs.end(), rects.begin() + static_cast<long>(bandStart),
                                            [](const RegionRect& run, const RegionRect& rect) {
                                                return run.left == rect.left && run.right == rect.right;
                                            });
        if (extendsBand) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].bottom = y + 1;
        } else {
            bandStart = rects.size();
            rects.insert(rects.end(), runs.begin(), runs.end());
        }
    }
    return region;
}

Region Region::build(std::string_view maskName, int width, int height, const DataArchive& archive)
{
    if (maskName == "intro")
        return rectangle(90, 45, 510, 465);
    return fromMask(RegionMask(archive.findEntry(maskName).bytes(), width), height);
}

bool Region::contains(int x, int y) const
{
    return std::any_of(rects_.begin(), rects_.end(), [x, y](const RegionRect& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

std::int64_t Region::area() const
{
    std::int64_t total = 0;
    for (const RegionRect& r : rects_)
        total += static_cast<std::int64_t>(r.right - r.left) * (r.bottom - r.top);
    return total;
}

} // namespace windlecroft
