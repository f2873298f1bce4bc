#include "support/BmpBuilder.h"
#include "base/Error.h"
#include "resources/BmpDecoder.h"

#include <gtest/gtest.h>

#include <string>

using namespace windlecroft;
using test::BmpBuilder;

namespace {

std::string decodeError(const std::vector<std::uint8_t>& file)
{
    try {
        decodeBmp(file);
    } catch (const Error& error) {
        return error.what();
    }
    return "decoded";
}

std::vector<std::uint32_t> pixelsOf(const Surface& surface)
{
    std::vector<std::uint32_t> out;
    for (int y = 0; y < surface.height(); ++y)
        out.insert(out.end(), surface.row(y), surface.row(y) + surface.width());
    return out;
}

// An 8-bit picture with a 16-entry table whose entry i is (blue i, green 0x10 + i, red 0x20 + i).
BmpBuilder sixteenColours(std::int32_t width, std::int32_t height, std::uint32_t compression = 0)
{
    BmpBuilder bmp(width, height, 8, compression);
    bmp.coloursUsed(16);
    for (int i = 0; i < 16; ++i)
        bmp.colour(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(0x10 + i), static_cast<std::uint8_t>(0x20 + i));
    return bmp;
}

constexpr std::uint32_t entry(std::uint32_t i)
{
    return (0x20 + i) << 16 | (0x10 + i) << 8 | i;
}

} // namespace

TEST(BmpDecoder, OnlyTheBmSignatureIsAccepted)
{
    const std::vector<std::uint8_t> good = BmpBuilder(1, 1, 24).pixels({1, 2, 3, 0}).build();
    EXPECT_EQ(decodeError(good), "decoded");
    for (auto signature : {std::pair{'b', 'm'}, std::pair{'M', 'B'}, std::pair{'B', 'A'}, std::pair{'\0', '\0'}}) {
        std::vector<std::uint8_t> bad = good;
        bad[0] = static_cast<std::uint8_t>(signature.first);
        bad[1] = static_cast<std::uint8_t>(signature.second);
        EXPECT_EQ(decodeError(bad), "invalid bmp format") << signature.first << signature.second;
    }
    EXPECT_EQ(decodeError({}), "invalid bmp format");
    EXPECT_EQ(decodeError({'B'}), "invalid bmp format");
    // Nothing else is checked: the bare signature is a picture of no pixels.
    EXPECT_TRUE(decodeBmp(std::vector<std::uint8_t>{'B', 'M'}).empty());
}

TEST(BmpDecoder, EightBitMapsThroughTheTableLikeTwentyFourBitBytes)
{
    // 3 x 2, bottom-up: each source row is 3 index bytes and one pad byte.
    BmpBuilder eight(3, 2, 8);
    eight.coloursUsed(6);
    for (int i = 0; i < 5; ++i)
        eight.colour(0, 0, 0);
    eight.colour(0x10, 0x20, 0x30);
    eight.pixels({5, 0, 5, 0x99, 0, 5, 0, 0x99});
    // The same picture as 24-bit: 9 pixel bytes and 3 pad bytes per row.
    BmpBuilder full(3, 2, 24);
    full.pixels({0x10, 0x20, 0x30, 0, 0, 0, 0x10, 0x20, 0x30, 0xAA, 0xAA, 0xAA});
    full.pixels({0, 0, 0, 0x10, 0x20, 0x30, 0, 0, 0, 0xAA, 0xAA, 0xAA});

    const Surface a = decodeBmp(eight.build());
    const Surface b = decodeBmp(full.build());
    ASSERT_EQ(a.width(), 3);
    ASSERT_EQ(a.height(), 2);
    const std::vector<std::uint32_t> expected{0, 0x302010, 0, 0x302010, 0, 0x302010};
    EXPECT_EQ(pixelsOf(a), expected);
    EXPECT_EQ(pixelsOf(b), expected);
}

TEST(BmpDecoder, TwentyFourBitRowsArePaddedAndStoredBottomUpOrTopDown)
{
    // Widths 1 to 5 cover every amount of padding; a wrong stride would shear the rows.
    for (std::int32_t width = 1; width <= 5; ++width) {
        for (bool topDown : {false, true}) {
            const std::int32_t height = 3;
            BmpBuilder bmp(width, topDown ? -height : height, 24);
            const int stride = (width * 3 + 3) / 4 * 4;
            for (int stored = 0; stored < height; ++stored) {
                std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0xCC);
                for (int x = 0; x < width; ++x) {
                    row[static_cast<std::size_t>(3 * x)] = static_cast<std::uint8_t>(x);
                    row[static_cast<std::size_t>(3 * x + 1)] = static_cast<std::uint8_t>(stored);
                    row[static_cast<std::size_t>(3 * x + 2)] = 0x80;
                }
                bmp.pixels(row);
            }
            const Surface picture = decodeBmp(bmp.build());
            ASSERT_EQ(picture.width(), width);
            ASSERT_EQ(picture.height(), height);
            for (int y = 0; y < height; ++y) {
                const int stored = topDown ? y : height - 1 - y;
                for (int x = 0; x < width; ++x)
                    EXPECT_EQ(picture.pixel(x, y), 0x800000u | static_cast<std::uint32_t>(stored) << 8 | static_cast<std::uint32_t>(x))
                        << "width " << width << " top-down " << topDown << " at " << x << "," << y;
            }
        }
    }
}

TEST(BmpDecoder, PixelDataFollowsTheColourTableOrTheStoredOffset)
{
    // colours used 16: the table is 64 bytes and the data starts at 118.
    {
        const std::vector<std::uint8_t> file = sixteenColours(2, 1).pixels({3, 15, 0, 0}).build();
        ASSERT_EQ(file.size(), 118u + 4u);
        EXPECT_EQ(pixelsOf(decodeBmp(file)), (std::vector<std::uint32_t>{entry(3), entry(15)}));
    }
    // A 124-byte info header: the table follows it, the data lies where the offset says.
    for (std::uint32_t header : {108u, 124u}) {
        BmpBuilder bmp = sixteenColours(2, 1);
        bmp.infoHeaderSize(header).gap(6).pixels({7, 9, 0, 0});
        EXPECT_EQ(pixelsOf(decodeBmp(bmp.build())), (std::vector<std::uint32_t>{entry(7), entry(9)})) << header;
    }
    // A 24-bit file with a colour table: the data offset skips it.
    {
        BmpBuilder bmp(1, 1, 24);
        bmp.colour(1, 2, 3).colour(4, 5, 6).pixels({0x11, 0x22, 0x33, 0});
        EXPECT_EQ(decodeBmp(bmp.build()).pixel(0, 0), 0x332211u);
    }
    // An offset before the end of the table, or outside the file, is not trusted.
    for (std::uint32_t offset : {0u, 100u, 5000u}) {
        BmpBuilder bmp = sixteenColours(2, 1);
        bmp.dataOffset(offset).pixels({1, 2, 0, 0});
        EXPECT_EQ(pixelsOf(decodeBmp(bmp.build())), (std::vector<std::uint32_t>{entry(1), entry(2)})) << offset;
    }
    // An info header size below 40 is read as the 40-byte form.
    {
        BmpBuilder bmp = sixteenColours(1, 1);
        std::vector<std::uint8_t> file = bmp.pixels({4, 0, 0, 0}).build();
        file[14] = 12;
        EXPECT_EQ(decodeBmp(file).pixel(0, 0), entry(4));
    }
}

TEST(BmpDecoder, Rle8RunsEndsOfLineDeltasAndPadding)
{
    // 5 x 4, rows counted from the bottom. Never-written pixels are entry 0.
    const std::vector<std::uint8_t> stream{
        3, 1,             // row 0: 1 1 1
        0, 3, 2, 3, 4, 0, // absolute run of 3 (odd: one pad byte): 2 3 4 -> row 0 full
        0, 0,             // end of line
        0, 4, 5, 6, 7, 8, // row 1: absolute run of 4, no pad
        0, 0,             // end of line; row 2 stays at entry 0 but for the delta below
        0, 2, 1, 1,       // delta (1, 1): from (0, 2) to (1, 3)
        2, 9,             // row 3: x 1 and 2 become 9
        0, 1,             // end of bitmap
        4, 12,            // never read
    };
    const Surface picture = decodeBmp(sixteenColours(5, 4, 1).pixels(stream).build());
    ASSERT_EQ(picture.width(), 5);
    ASSERT_EQ(picture.height(), 4);
    const std::uint32_t e0 = entry(0);
    const std::vector<std::uint32_t> expected{
        e0,       entry(9), entry(9), e0,       e0,       // top: stored row 3
        e0,       e0,       e0,       e0,       e0,       // stored row 2
        entry(5), entry(6), entry(7), entry(8), e0,       // stored row 1, ended early
        entry(1), entry(1), entry(1), entry(2), entry(3), // bottom: stored row 0; the 4 fell off
    };
    EXPECT_EQ(pixelsOf(picture), expected);

    // A top-down RLE8 picture puts stored row 0 at the top.
    const Surface topDown = decodeBmp(sixteenColours(5, -4, 1).pixels(stream).build());
    EXPECT_EQ(topDown.pixel(0, 0), entry(1));
    EXPECT_EQ(topDown.pixel(1, 3), entry(9));
}

TEST(BmpDecoder, Rle8WritesOutsideThePlaneAreDropped)
{
    const std::vector<std::uint8_t> stream{
        0,   2,  250, 0, // delta far to the right of row 0
        200, 7,          // a run that starts outside the row
        0,   0,          // end of line
        2,   3,          // row 1: two pixels
        200, 4,          // a run that leaves the row: only 1 pixel fits
        0,   2,  0, 250, // delta far above the plane
        255, 5,  0, 255, 1, 2, 3, // runs up there
    };
    const Surface picture = decodeBmp(sixteenColours(3, 2, 1).pixels(stream).build());
    EXPECT_EQ(pixelsOf(picture), (std::vector<std::uint32_t>{entry(3), entry(3), entry(4), entry(0), entry(0), entry(0)}));

    // An absolute run that the data cuts short writes the indices that are there.
    const Surface cut = decodeBmp(sixteenColours(3, 1, 1).pixels({0, 5, 1, 2}).build());
    EXPECT_EQ(pixelsOf(cut), (std::vector<std::uint32_t>{entry(1), entry(2), entry(0)}));
}

TEST(BmpDecoder, OtherBitCountsAndCompressionsAreBlackOfTheirSize)
{
    const std::initializer_list<std::pair<std::uint16_t, std::uint32_t>> kinds{
        {1, 0}, {4, 0}, {16, 0}, {32, 0}, {4, 2}, {8, 2}, {16, 3}, {8, 4}, {24, 1}};
    for (auto [bits, compression] : kinds) {
        BmpBuilder bmp(7, 3, bits, compression);
        bmp.colour(0xFF, 0xFF, 0xFF).colour(0xFF, 0xFF, 0xFF).pixels(std::vector<std::uint8_t>(200, 0x11));
        const Surface picture = decodeBmp(bmp.build());
        EXPECT_EQ(picture.width(), 7);
        EXPECT_EQ(picture.height(), 3);
        for (std::uint32_t pixel : pixelsOf(picture))
            ASSERT_EQ(pixel, 0u) << bits << " bits, compression " << compression;
    }
}

TEST(BmpDecoder, SizesOutsideTheImageLimitsAreRefused)
{
    EXPECT_EQ(decodeError(BmpBuilder(65536, 1, 24).build()), "invalid bmp format");
    EXPECT_EQ(decodeError(BmpBuilder(1, 65536, 24).build()), "invalid bmp format");
    EXPECT_EQ(decodeError(BmpBuilder(1, -65536, 24).build()), "invalid bmp format");
    EXPECT_EQ(decodeError(BmpBuilder(-1, 1, 24).build()), "invalid bmp format");
    EXPECT_EQ(decodeError(BmpBuilder(1, INT32_MIN, 24).build()), "invalid bmp format");
    // Within 16 bits, but far more pixels than any skin picture, from a file of 54 bytes.
    EXPECT_EQ(decodeError(BmpBuilder(65535, 65535, 8, 1).build()), "invalid bmp format");
    // The largest sides are fine on their own.
    const Surface wide = decodeBmp(BmpBuilder(65535, 1, 24).build());
    EXPECT_EQ(wide.width(), 65535);
    EXPECT_EQ(decodeBmp(BmpBuilder(1, -65535, 24).build()).height(), 65535);
    EXPECT_TRUE(decodeBmp(BmpBuilder(0, 10, 24).build()).empty());
}

TEST(BmpDecoder, TruncatedFilesReadNothingOutsideTheirBytes)
{
    // Missing table entries are black, missing pixel bytes read as zero.
    {
        std::vector<std::uint8_t> file = sixteenColours(2, 1).pixels({15, 15, 0, 0}).build();
        file.resize(54 + 4 * 3 + 2); // three and a half table entries, no pixels
        const Surface picture = decodeBmp(file);
        EXPECT_EQ(pixelsOf(picture), (std::vector<std::uint32_t>{entry(0), entry(0)}));
    }
    {
        std::vector<std::uint8_t> file =
            BmpBuilder(2, 2, 24).pixels({1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}).build();
        file.resize(file.size() - 4);
        // The top row (stored second) has one whole pixel left; the rest is black.
        EXPECT_EQ(pixelsOf(decodeBmp(file)), (std::vector<std::uint32_t>{0x090807, 0, 0x030201, 0x060504}));
    }
    // Indices past a short table are black.
    {
        BmpBuilder bmp(2, 1, 8);
        bmp.coloursUsed(2).colour(1, 1, 1).colour(2, 2, 2).pixels({1, 200, 0, 0});
        EXPECT_EQ(pixelsOf(decodeBmp(bmp.build())), (std::vector<std::uint32_t>{0x020202, 0}));
    }
    // Colours used far beyond the file: the data offset would lie past the end.
    {
        BmpBuilder bmp(2, 1, 8);
        bmp.coloursUsed(0xFFFFFFFF).colour(1, 1, 1).dataOffset(0xFFFFFFFF).pixels({0, 0, 0, 0});
        EXPECT_EQ(pixelsOf(decodeBmp(bmp.build())), (std::vector<std::uint32_t>{0x010101, 0x010101}));
    }
    // Every prefix of valid files decodes without error; the sanitizers watch the reads.
    const std::vector<std::vector<std::uint8_t>> files{
        sixteenColours(5, 4, 1).pixels({3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 1, 2, 9, 0, 1}).build(),
        sixteenColours(3, 2).pixels({1, 2, 3, 0, 4, 5, 6, 0}).build(),
        BmpBuilder(3, -2, 24).pixels(std::vector<std::uint8_t>(24, 0x42)).build(),
    };
    for (const auto& file : files) {
        for (std::size_t length = 2; length <= file.size(); ++length)
            decodeBmp(std::span(file).first(length));
    }
}
