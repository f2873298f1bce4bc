#include "BenchPictures.h"
#include "app/BackBuffer.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/ManualClock.h"

#include <benchmark/benchmark.h>

using namespace windlecroft;

namespace {

void fullWindow(benchmark::State& state, bool blend)
{
    ManualClock clock;
    HeadlessDesktop desktop{clock};
    BackBuffer buffer{desktop};
    buffer.create(bench::windowWidth, bench::windowHeight);
    const Image image{bench::skinPicture()};
    buffer.copy(Image{bench::skinPicture(77)}, 0, 0, bench::windowWidth, bench::windowHeight, 0, 0);
    for (auto _ : state) {
        if (blend)
            buffer.blend(image, 0, 0, bench::windowWidth, bench::windowHeight, 0, 0, 128);
        else
            buffer.copy(image, 0, 0, bench::windowWidth, bench::windowHeight, 0, 0);
        benchmark::DoNotOptimize(buffer.surface().data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * bench::windowWidth * bench::windowHeight);
}

void BM_BackBufferCopy600x510(benchmark::State& state)
{
    fullWindow(state, false);
}
BENCHMARK(BM_BackBufferCopy600x510);

void BM_BackBufferBlend600x510(benchmark::State& state)
{
    fullWindow(state, true);
}
BENCHMARK(BM_BackBufferBlend600x510);

} // namespace
