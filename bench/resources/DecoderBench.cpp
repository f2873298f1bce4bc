#include "BenchPictures.h"
#include "resources/BmpDecoder.h"
#include "resources/JpegDecoder.h"
#include "support/BmpBuilder.h"
#include "skin/JpegEncoder.h"

#include <benchmark/benchmark.h>

using namespace windlecroft;

namespace {

std::vector<std::uint8_t> bmp24(const Surface& picture)
{
    test::BmpBuilder bmp(picture.width(), picture.height(), 24);
    const int stride = (picture.width() * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * static_cast<std::size_t>(picture.height()));
    for (int stored = 0; stored < picture.height(); ++stored) {
        std::uint8_t* out = rows.data() + static_cast<std::size_t>(stored) * static_cast<std::size_t>(stride);
        const std::uint32_t* in = picture.row(picture.height() - 1 - stored);
        for (int x = 0; x < picture.width(); ++x) {
            out[3 * x] = static_cast<std::uint8_t>(in[x]);
            out[3 * x + 1] = static_cast<std::uint8_t>(in[x] >> 8);
            out[3 * x + 2] = static_cast<std::uint8_t>(in[x] >> 16);
        }
    }
    return bmp.pixels(rows).build();
}

// An 8-bit picture stored as RLE8: runs of 20 pixels each, one end of line per row.
std::vector<std::uint8_t> bmpRle8()
{
    test::BmpBuilder bmp(bench::windowWidth, bench::windowHeight, 8, 1);
    for (int i = 0; i < 256; ++i)
        bmp.colour(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i / 2));
    std::vector<std::uint8_t> stream;
    for (int y = 0; y < bench::windowHeight; ++y) {
        for (int x = 0; x < bench::windowWidth; x += 20)
            stream.insert(stream.end(), {20, static_cast<std::uint8_t>(x + y)});
        stream.insert(stream.end(), {0, 0});
    }
    stream.insert(stream.end(), {0, 1});
    return bmp.pixels(stream).build();
}

void decodeBmpBench(benchmark::State& state, const std::vector<std::uint8_t>& file)
{
    for (auto _ : state) {
        Surface picture = decodeBmp(file);
        benchmark::DoNotOptimize(picture.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

void BM_DecodeBmp24_600x510(benchmark::State& state)
{
    decodeBmpBench(state, bmp24(bench::skinPicture()));
}
BENCHMARK(BM_DecodeBmp24_600x510);

void BM_DecodeBmpRle8_600x510(benchmark::State& state)
{
    decodeBmpBench(state, bmpRle8());
}
BENCHMARK(BM_DecodeBmpRle8_600x510);

void BM_DecodeJpeg600x510(benchmark::State& state)
{
    const std::vector<std::uint8_t> file = skin::encodeJpeg(bench::skinPicture(), {.quality = 90});
    for (auto _ : state) {
        std::optional<Surface> picture = decodeJpeg(file);
        benchmark::DoNotOptimize(picture->data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_DecodeJpeg600x510);

} // namespace
