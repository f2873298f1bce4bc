// Seeds of the picture targets: BMP files of every kind the decoder reads (and of the kinds it
// turns black), JPEG files in the common encodings with masks, and masks for window shapes.
#include "JpegImageInput.h"
#include "RegionInput.h"
#include "Seeds.h"

#include "resources/Surface.h"
#include "skin/JpegEncoder.h"
#include "support/BmpBuilder.h"
#include "support/JpegFiles.h"

#include <stdexcept>

namespace windlecroft::fuzz {

namespace {

using test::BmpBuilder;
using Sub = skin::JpegOptions::Subsampling;

// A picture with a horizontal and a vertical gradient, so that every encoding has detail.
Surface gradient(int width, int height)
{
    Surface picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, static_cast<std::uint32_t>((x * 255 / width) << 16 | (y * 255 / height) << 8 | 0x40));
    return picture;
}

// Transparent (non-zero) pixels along the border and on one diagonal.
std::vector<std::uint8_t> mask(int width, int height)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width * height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (x == 0 || y == 0 || x == width - 1 || y == height - 1 || x == y)
                bytes[static_cast<std::size_t>(y * width + x)] = static_cast<std::uint8_t>(1 + (x + y) % 200);
    return bytes;
}

BmpBuilder palette(std::int32_t width, std::int32_t height, std::uint32_t compression, int colours)
{
    BmpBuilder bmp(width, height, 8, compression);
    bmp.coloursUsed(static_cast<std::uint32_t>(colours));
    for (int i = 0; i < colours; ++i)
        bmp.colour(static_cast<std::uint8_t>(i * 16), static_cast<std::uint8_t>(0x80 + i), static_cast<std::uint8_t>(255 - i));
    return bmp;
}

} // namespace

SeedSet bmpSeeds()
{
    return {
        {"24-bit", BmpBuilder(3, 2, 24).pixels({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0}).build()},
        {"24-bit-top-down", BmpBuilder(2, -2, 24).pixels({1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}).build()},
        {"8-bit", palette(5, 2, 0, 16).pixels({0, 1, 2, 3, 15, 0, 0, 0, 4, 5, 6, 7, 8, 0, 0, 0}).build()},
        {"8-bit-rle", palette(5, 4, 1, 4)
                          .pixels({3, 1, 0, 3, 2, 1, 0, 0, 0, 2, 1, 1, 5, 2, 0, 4, 1, 2, 3, 0, 0, 1})
                          .build()},
        {"8-bit-v5-header-with-gap", palette(2, 2, 0, 2).infoHeaderSize(124).gap(6).pixels({0, 1, 0, 0, 1, 0, 0, 0}).build()},
        {"8-bit-data-offset-inside-table", palette(2, 1, 0, 2).dataOffset(60).pixels({1, 1, 0, 0}).build()},
        {"1-bit", BmpBuilder(8, 1, 1).coloursUsed(2).colour(0, 0, 0).colour(255, 255, 255).pixels({0xA5, 0, 0, 0}).build()},
        {"32-bit", BmpBuilder(1, 1, 32).pixels({1, 2, 3, 4}).build()},
        {"4-bit-rle", BmpBuilder(4, 1, 4, 2).coloursUsed(2).colour(0, 0, 0).colour(9, 9, 9).pixels({4, 0x10, 0, 1}).build()},
        {"signature-only", {'B', 'M'}},
    };
}

SeedSet jpegImageSeeds()
{
    const Surface picture = gradient(40, 30);
    const std::vector<std::uint8_t> shape = mask(40, 30);
    SeedSet seeds;
    const struct {
        const char* name;
        char page;
        skin::JpegOptions options;
    } kinds[] = {
        {"baseline-444-panel", 'd', {75, Sub::None, false}},
        {"baseline-420-intro", 'i', {75, Sub::Quarter, false}},
        {"grey-outro", 'o', {75, Sub::Grey, false}},
        {"progressive-422-panel", 'n', {75, Sub::Half, true}},
        {"not-whitened", 'x', {75, Sub::Quarter, false}},
    };
    for (const auto& kind : kinds) {
        JpegImageInput input;
        input.page = kind.page;
        input.windowWidth = 40;
        input.jpeg = skin::encodeJpeg(picture, kind.options);
        input.mask = shape;
        seeds.emplace_back(kind.name, input.encode());
    }
    // A window narrower than the picture: the mask's rows are shorter than the picture's.
    JpegImageInput narrow;
    narrow.windowWidth = 25;
    narrow.jpeg = skin::encodeJpeg(picture, {.quality = 75});
    narrow.mask = mask(25, 10);
    seeds.emplace_back("narrow-window-short-mask", narrow.encode());
    return seeds;
}

SeedSet jpegDecoderSeeds()
{
    using test::LibjpegOptions;
    using Colours = LibjpegOptions::Colours;
    const Surface picture = gradient(30, 20);
    const LibjpegOptions progressiveArithmetic{.lumaWidth = 1, .lumaHeight = 3, .progressive = true, .arithmetic = true};
    return {
        {"baseline-3x2", test::libjpegFile(picture, {.lumaWidth = 3, .lumaHeight = 2})},
        {"progressive-arithmetic-1x3", test::libjpegFile(picture, progressiveArithmetic)},
        {"restart-every-row-4x1", test::libjpegFile(picture, {.lumaWidth = 4, .lumaHeight = 1, .restartRows = 1})},
        {"grey-progressive", test::libjpegFile(picture, {.colours = Colours::Grey, .progressive = true})},
        {"cmyk", test::libjpegFile(picture, {.colours = Colours::Cmyk})},
        {"ycck-progressive", test::libjpegFile(picture, {.colours = Colours::Ycck, .progressive = true})},
    };
}

SeedSet regionSeeds()
{
    SeedSet seeds;
    RegionInput panel{false, 40, 30, mask(40, 30)};
    seeds.emplace_back("panel", panel.encode());
    RegionInput shortMask{false, 40, 30, mask(40, 7)};
    seeds.emplace_back("mask-shorter-than-window", shortMask.encode());
    RegionInput allInside{false, 16, 8, std::vector<std::uint8_t>(16 * 8, 0)};
    seeds.emplace_back("all-inside", allInside.encode());
    RegionInput intro{true, 600, 510, {}};
    seeds.emplace_back("intro", intro.encode());
    return seeds;
}

} // namespace windlecroft::fuzz
