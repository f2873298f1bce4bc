#include "base/Error.h"
#include "skin/ArchiveWriter.h"
#include "resources/DataArchive.h"
#include "resources/Region.h"

#include <gtest/gtest.h>

#include <random>

using namespace windlecroft;

namespace {

Region fromBytes(const std::vector<std::uint8_t>& mask, int width, int height)
{
    return Region::fromMask(RegionMask(mask, width), height);
}

// The invariants X11 and QRegion::setRects rely on: bands sorted by top, rectangles in a band
// share top and bottom, sorted by left and never touching; bands do not overlap.
void expectBanded(const Region& region)
{
    const auto& rects = region.rects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const RegionRect& r = rects[i];
        ASSERT_LT(r.left, r.right);
        ASSERT_LT(r.top, r.bottom);
        if (i == 0)
            continue;
        const RegionRect& p = rects[i - 1];
        if (p.top == r.top) {
            ASSERT_EQ(p.bottom, r.bottom);
            ASSERT_LT(p.right, r.left) << "touching or overlapping rectangles in one band";
        } else {
            ASSERT_GE(r.top, p.bottom) << "bands overlap";
        }
    }
}

void expectSameShape(const Region& region, const std::vector<std::uint8_t>& mask, int width, int height)
{
    expectBanded(region);
    std::int64_t inside = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t index = static_cast<std::size_t>(y * width + x);
            const bool expected = index < mask.size() && mask[index] == 0;
            inside += expected;
            ASSERT_EQ(region.contains(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(region.area(), inside);
}

} // namespace

TEST(Region, AllZeroMaskIsTheWholeWindowInOneRectangle)
{
    const Region region = fromBytes(std::vector<std::uint8_t>(600 * 510, 0), 600, 510);
    EXPECT_EQ(region.rects(), (std::vector<RegionRect>{{0, 0, 600, 510}}));
}

TEST(Region, AllOutsideMaskIsEmpty)
{
    const Region region = fromBytes(std::vector<std::uint8_t>(60 * 51, 0x80), 60, 51);
    EXPECT_TRUE(region.empty());
    EXPECT_EQ(region.area(), 0);
}

TEST(Region, RingMaskHasAHole)
{
    // 10 x 8: inside is the ring from (1, 1) to (9, 7) around a 2 x 2 hole at (4, 3); the
    // border and the hole are outside.
    const int width = 10;
    const int height = 8;
    std::vector<std::uint8_t> mask(width * height, 1);
    for (int y = 1; y < 7; ++y) {
        for (int x = 1; x < 9; ++x) {
            const bool hole = x >= 4 && x < 6 && y >= 3 && y < 5;
            mask[static_cast<std::size_t>(y * width + x)] = hole ? 1 : 0;
        }
    }
    const Region region = fromBytes(mask, width, height);
    EXPECT_EQ(region.rects(), (std::vector<RegionRect>{{1, 1, 9, 3}, {1, 3, 4, 5}, {6, 3, 9, 5}, {1, 5, 9, 7}}));
    EXPECT_FALSE(region.contains(4, 3));
    EXPECT_FALSE(region.contains(5, 4));
    EXPECT_TRUE(region.contains(3, 3));
    EXPECT_TRUE(region.contains(6, 4));
    expectSameShape(region, mask, width, height);
}

TEST(Region, ShortMasksAndSmallWindowsAreClipped)
{
    // 7 bytes for a 4 x 3 window: row 1 has three bytes, row 2 none.
    const std::vector<std::uint8_t> mask{0, 0, 1, 0, 0, 0, 0};
    const Region region = fromBytes(mask, 4, 3);
    EXPECT_EQ(region.rects(), (std::vector<RegionRect>{{0, 0, 2, 1}, {3, 0, 4, 1}, {0, 1, 3, 2}}));
    // A height below the mask's rows stops early.
    EXPECT_EQ(fromBytes(mask, 4, 1).area(), 3);
    EXPECT_TRUE(fromBytes(mask, 0, 3).empty());
    EXPECT_TRUE(fromBytes(mask, 4, 0).empty());
    EXPECT_TRUE(fromBytes({}, 4, 3).empty());
}

TEST(Region, RandomMasksGiveExactlyTheirInsidePixels)
{
    std::mt19937 random(1234);
    for (int round = 0; round < 20; ++round) {
        const int width = 1 + static_cast<int>(random() % 40);
        const int height = 1 + static_cast<int>(random() % 30);
        // Rows repeat often, so bands of several rows occur.
        std::vector<std::uint8_t> mask;
        std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
        for (int y = 0; y < height; ++y) {
            if (y == 0 || random() % 3 == 0) {
                for (auto& byte : row)
                    byte = random() % 3 == 0 ? static_cast<std::uint8_t>(1 + random() % 255) : 0;
            }
            mask.insert(mask.end(), row.begin(), row.end());
        }
        mask.resize(mask.size() - random() % static_cast<unsigned>(width));
        expectSameShape(fromBytes(mask, width, height), mask, width, height);
    }
}

TEST(Region, BuildReadsTheNamedMaskOrGivesTheIntroRectangle)
{
    ArchiveWriter writer;
    std::vector<std::uint8_t> mask(8 * 4, 0);
    mask[0] = 1;
    writer.add("Data\\panel.rgn", mask);
    DataArchive archive;
    archive.openBytes(writer.bytes());

    const Region panel = Region::build("Data\\panel.rgn", 8, 4, archive);
    EXPECT_EQ(panel.area(), 31);
    EXPECT_FALSE(panel.contains(0, 0));
    // "intro" needs no mask and ignores the window size.
    for (auto [width, height] : {std::pair{8, 4}, std::pair{600, 510}, std::pair{0, 0}})
        EXPECT_EQ(Region::build("intro", width, height, archive).rects(), (std::vector<RegionRect>{{90, 45, 510, 465}}));
    try {
        Region::build("Data\\outro.rgn", 8, 4, archive);
        FAIL() << "built a region from a missing mask";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "can't find file Data\\outro.rgn in datafile");
    }
}
