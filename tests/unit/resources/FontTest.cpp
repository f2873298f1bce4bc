#include "TestFont.h"
#include "app/Error.h"
#include "config/SkinWriter.h"
#include "resources/DataArchive.h"
#include "resources/Font.h"
#include "resources/FontCatalog.h"
#include "resources/InstalledFontList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace windlecroft;
using test::testFontFamily;

namespace {

std::vector<std::uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Fonts : public ::testing::Test {
protected:
    void SetUp() override
    {
        fontBytes = test::testFontFile();
        writer.add("Data\\Fonts\\title.ttf", fontBytes);
        writer.add("plain.ttf", fontBytes);
        writer.add("Other\\title.ttf", "not a font");
        archive.openBytes(writer.bytes());
    }

    std::string familyFor(std::string_view face)
    {
        return Font(catalog, face, 20, 400).family();
    }

    test::TempDir temp;
    FontCatalog catalog{temp.path()};
    std::vector<std::uint8_t> fontBytes;
    ArchiveWriter writer;
    DataArchive archive;
};

// The ink of text drawn on a white surface: bounding box and colours.
struct Ink {
    int changed = 0;
    int left = 1 << 30;
    int top = 1 << 30;
    int right = -1;
    int bottom = -1;
    int exactColour = 0;
    bool onlyBlends = true;
};

Ink inkOf(const Surface& surface, std::uint32_t background, std::uint32_t text)
{
    Ink ink;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const std::uint32_t p = surface.pixel(x, y);
            if (p == background)
                continue;
            ++ink.changed;
            ink.left = std::min(ink.left, x);
            ink.top = std::min(ink.top, y);
            ink.right = std::max(ink.right, x);
            ink.bottom = std::max(ink.bottom, y);
            ink.exactColour += p == text;
            // Every channel lies between the background's and the text's.
            for (int shift : {0, 8, 16}) {
                const auto c = (p >> shift) & 0xFF, b = (background >> shift) & 0xFF, t = (text >> shift) & 0xFF;
                ink.onlyBlends &= c >= std::min(b, t) && c <= std::max(b, t);
            }
            ink.onlyBlends &= (p >> 24) == 0;
        }
    }
    return ink;
}

} // namespace

TEST_F(Fonts, InstalledUnderTheLastNameComponentForTheLifetimeOfTheFontFile)
{
    EXPECT_NE(familyFor(testFontFamily), testFontFamily);
    {
        FontFile file(catalog, archive, "Data\\Fonts\\title.ttf");
        EXPECT_EQ(file.fileName(), "title.ttf");
        EXPECT_EQ(file.path(), temp / "title.ttf");
        EXPECT_EQ(readFile(file.path()), fontBytes);
        EXPECT_EQ(familyFor(testFontFamily), testFontFamily);

        FontFile plain(catalog, archive, "plain.ttf");
        EXPECT_EQ(plain.path(), temp / "plain.ttf");
        EXPECT_EQ(catalog.fontFiles().size(), 2u);
    }
    EXPECT_FALSE(std::filesystem::exists(temp / "title.ttf"));
    EXPECT_FALSE(std::filesystem::exists(temp / "plain.ttf"));
    EXPECT_TRUE(catalog.fontFiles().empty());
    EXPECT_NE(familyFor(testFontFamily), testFontFamily);
}

TEST_F(Fonts, TwoFilesOfOneNameShareTheCopyAndBothAreRemovedNewestFirst)
{
    {
        InstalledFontList list;
        FontFile& older = list.install(catalog, archive, "Data\\Fonts\\title.ttf");
        FontFile& newer = list.install(catalog, archive, "Other\\title.ttf");
        EXPECT_EQ(list.begin()->get(), &newer);
        EXPECT_EQ(older.path(), newer.path());
        // The second write replaced the first file's contents.
        const std::vector<std::uint8_t> copy = readFile(temp / "title.ttf");
        EXPECT_EQ(std::string(copy.begin(), copy.end()), "not a font");
        EXPECT_EQ(catalog.fontFiles().size(), 2u);
    }
    EXPECT_FALSE(std::filesystem::exists(temp / "title.ttf"));
    EXPECT_TRUE(catalog.fontFiles().empty());
}

TEST_F(Fonts, MissingEntryIsTheArchiveErrorAndWritesNothing)
{
    try {
        FontFile file(catalog, archive, "Data\\missing.ttf");
        FAIL() << "installed a missing entry";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "can't find file Data\\missing.ttf in datafile");
    }
    EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
}

TEST_F(Fonts, AnUnwritableCopyIsSkippedSilently)
{
    FontCatalog nowhere(temp / "no" / "such" / "folder");
    FontFile file(nowhere, archive, "Data\\Fonts\\title.ttf");
    EXPECT_FALSE(file.installed());
    EXPECT_TRUE(nowhere.fontFiles().empty());
    // A name ending in a backslash has no file name to write.
    FontFile installed(catalog, archive, "Data\\Fonts\\title.ttf");
    ArchiveWriter odd;
    odd.add("Data\\", fontBytes);
    DataArchive oddArchive;
    oddArchive.openBytes(odd.bytes());
    FontFile folderOnly(catalog, oddArchive, "Data\\");
    EXPECT_FALSE(folderOnly.installed());
    EXPECT_EQ(catalog.fontFiles().size(), 1u);
}

TEST_F(Fonts, FaceNamesAreCutAndUnknownOrEmptyOnesFallBackToSans)
{
    const std::string defaultFamily = familyFor("");
    EXPECT_FALSE(defaultFamily.empty());
    EXPECT_EQ(familyFor("No Such Face At All"), defaultFamily);

    const std::string longFace(45, 'Q');
    const Font cut(catalog, longFace, 12, 400, 1, 2, 3, 0xFFFFFFFF);
    EXPECT_EQ(cut.requestedFace(), std::string(31, 'Q'));
    EXPECT_TRUE(cut.usable());
    EXPECT_EQ(cut.family(), defaultFamily);
    EXPECT_EQ(cut.value1, 1u);
    EXPECT_EQ(cut.value2, 2u);
    EXPECT_EQ(cut.value3, 3u);
    EXPECT_EQ(cut.value4, 0xFFFFFFFFu);
}

TEST_F(Fonts, DrawsWindows1250TextInItsColourInsideTheCell)
{
    FontFile file(catalog, archive, "Data\\Fonts\\title.ttf");
    Font font(catalog, testFontFamily, 20, 400);
    ASSERT_EQ(font.family(), testFontFamily);

    constexpr std::uint32_t background = 0x00FFFFFF;
    constexpr std::uint32_t skinColour = 0x0012436B;  // 0x00BBGGRR
    constexpr std::uint32_t surfaceColour = 0x6B4312; // 0x00RRGGBB
    const std::string restore = "Przywr\xF3\xE6";    // "Przywróć" in Windows-1250
    Surface accented(160, 40);
    std::fill(accented.data(), accented.data() + 160 * 40, background);
    Surface plain = accented;
    font.drawText(accented, 10, 8, restore, skinColour);
    font.drawText(plain, 10, 8, "Przywroc", skinColour);

    const Ink ink = inkOf(accented, background, surfaceColour);
    EXPECT_GT(ink.exactColour, 10);
    EXPECT_TRUE(ink.onlyBlends);
    // The ink lies inside the cell whose top-left is (10, 8) and whose height is 20.
    EXPECT_GE(ink.left, 10);
    EXPECT_GE(ink.top, 8);
    EXPECT_LT(ink.bottom, 8 + 20);
    EXPECT_LT(ink.right, 10 + font.textWidth(restore) + 2);
    // Capitals reach well into the top half of the cell, and the descender of y into the bottom.
    EXPECT_LT(ink.top, 8 + 6);
    EXPECT_GT(ink.bottom, 8 + 16);
    // The background stays: glyphs cover well under half of the text's cells.
    EXPECT_LT(ink.changed, font.textWidth(restore) * 20 / 2);
    // The accents of ó and ć are drawn.
    EXPECT_FALSE(std::equal(accented.data(), accented.data() + 160 * 40, plain.data()));
    EXPECT_LE(ink.top, inkOf(plain, background, surfaceColour).top);
}

TEST_F(Fonts, DrawingIsClippedAndLeavesTheBackgroundAlone)
{
    FontFile file(catalog, archive, "Data\\Fonts\\title.ttf");
    Font font(catalog, testFontFamily, 30, 700);
    Surface surface(40, 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x)
            surface.setPixel(x, y, static_cast<std::uint32_t>(x * 6) << 8 | static_cast<std::uint32_t>(y * 12));
    }
    const Surface before = surface;
    // Partly off every edge; the sanitizers catch any write outside.
    for (auto [x, y] : {std::pair{-15, -10}, std::pair{25, 5}, std::pair{5, 12}, std::pair{-1000, 0}, std::pair{0, 1000}})
        font.drawText(surface, x, y, "WMgj\xA5", 0x00FF00FF);
    int magenta = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const std::uint32_t now = surface.pixel(x, y);
            const std::uint32_t was = before.pixel(x, y);
            magenta += now == 0xFF00FFu;
            // Anti-aliased edges blend the text colour over what was there.
            EXPECT_GE((now >> 16) & 0xFF, (was >> 16) & 0xFF);
            EXPECT_LE((now >> 8) & 0xFF, (was >> 8) & 0xFF);
            EXPECT_GE(now & 0xFF, was & 0xFF);
        }
    }
    EXPECT_GT(magenta, 20);
}
