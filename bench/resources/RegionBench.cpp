#include "BenchPictures.h"
#include "resources/Region.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace windlecroft;

namespace {

// A window shaped like a skin panel: an opaque rounded body, transparent corners and a
// ragged border band, so that most rows differ from the one above.
std::vector<std::uint8_t> panelMask()
{
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(bench::windowWidth) * bench::windowHeight, 0);
    const double cx = bench::windowWidth / 2.0;
    const double cy = bench::windowHeight / 2.0;
    for (int y = 0; y < bench::windowHeight; ++y) {
        for (int x = 0; x < bench::windowWidth; ++x) {
            const double dx = (x - cx) / cx;
            const double dy = (y - cy) / cy;
            const double edge = 0.95 + 0.03 * std::sin(x * 0.3) * std::cos(y * 0.2);
            if (std::pow(std::abs(dx), 4) + std::pow(std::abs(dy), 4) > std::pow(edge, 4))
                mask[static_cast<std::size_t>(y * bench::windowWidth + x)] = 0xFF;
        }
    }
    return mask;
}

void BM_RegionFromMask600x510(benchmark::State& state)
{
    const std::vector<std::uint8_t> mask = panelMask();
    std::size_t rects = 0;
    for (auto _ : state) {
        Region region = Region::fromMask(RegionMask(mask, bench::windowWidth), bench::windowHeight);
        rects = region.rects().size();
        benchmark::DoNotOptimize(region.rects().data());
    }
    state.counters["rects"] = static_cast<double>(rects);
}
BENCHMARK(BM_RegionFromMask600x510);

} // namespace
