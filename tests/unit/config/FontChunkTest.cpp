// Font-file and font chunks: the field order, the 31-byte face, the newest font of a
// name for the records read after it, a font file installed from the archive whichever chunk
// comes first, and the number of each a skin may hold.
#include "support/SkinRig.h"

#include "skin/ChunkIds.h"
#include "elements/Page.h"
#include "resources/Font.h"
#include "base/SkinLimits.h"

#include "support/TestFont.h"

#include <gtest/gtest.h>

using namespace windlecroft;
using windlecroft::test::SkinRig;

TEST(FontChunk, WeightComesBeforeHeightAndTheFourValuesAreKept)
{
    SkinRig rig;
    SkinConfigWriter writer("t", 8, 6);
    // Written by hand: name, face, then the bytes BC 02 0E and four values.
    writer.begin(chunk::font);
    writer.out().string("font");
    writer.out().string("");
    for (std::uint8_t b : {0xBC, 0x02, 0x0E})
        writer.out().u8(b);
    for (std::uint32_t v : {1u, 0xFFFFFFFFu, 3u, 0x01020304u})
        writer.out().u32(v);
    writer.end();
    EXPECT_EQ(rig.walk(writer), "loaded");
    const Font* font = rig.skin.fonts().find("font");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->weight(), 700);
    EXPECT_EQ(font->height(), 14);
    EXPECT_EQ(font->value1, 1u);
    EXPECT_EQ(font->value2, 0xFFFFFFFFu);
    EXPECT_EQ(font->value3, 3u);
    EXPECT_EQ(font->value4, 0x01020304u);
    EXPECT_TRUE(font->usable()) << "an empty face gives the system's default face";
}

TEST(FontChunk, FacesAreCutTo31Bytes)
{
    SkinRig rig;
    SkinConfigWriter writer("t", 8, 6);
    const std::string face = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij"; // 36 bytes
    writer.font("long", face, 400, 12);
    writer.font("short", "Exactly thirty-one bytes long!!", 400, 12);
    EXPECT_EQ(rig.walk(writer), "loaded");
    EXPECT_EQ(rig.skin.fonts().find("long")->requestedFace(), face.substr(0, 31));
    EXPECT_EQ(rig.skin.fonts().find("short")->requestedFace(), "Exactly thirty-one bytes long!!");
}

TEST(FontChunk, RecordsUseTheNewestFontOfAName)
{
    SkinRig rig;
    SkinConfigWriter writer("t", 8, 6);
    writer.font("f", "", 400, 10);
    writer.beginPage("first", "");
    writer.textList({0, 0, 9, 9}, 0, "f", 3);
    writer.endPage();
    writer.font("f", "", 700, 20);
    writer.beginPage("second", "");
    writer.textList({0, 0, 9, 9}, 0, "f", 3);
    writer.textViewer({0, 0, 9, 9}, "f", 3);
    writer.endPage();
    EXPECT_EQ(rig.walk(writer), "loaded");
    EXPECT_EQ(rig.skin.fonts().size(), 2u);
    const Font* newest = rig.skin.fonts().find("f");
    EXPECT_EQ(newest->weight(), 700);
    EXPECT_NE(rig.skin.page("first")->textList()->font(), newest);
    EXPECT_EQ(rig.skin.page("first")->textList()->font()->weight(), 400);
    EXPECT_EQ(rig.skin.page("second")->textList()->font(), newest);
    EXPECT_EQ(rig.skin.page("second")->textViewer()->titles().font(), newest);
}

TEST(FontChunk, AFontFileFromTheArchiveProvidesItsFaceWhicheverChunkComesFirst)
{
    SkinRig rig;
    rig.archive.add("Fonts\\windle.ttf", windlecroft::test::testFontFile());
    SkinConfigWriter writer("t", 8, 6);
    writer.font("before", windlecroft::test::testFontFamily, 400, 14);
    writer.fontFile("Fonts\\windle.ttf");
    writer.font("after", windlecroft::test::testFontFamily, 400, 14);
    EXPECT_EQ(rig.walk(writer), "loaded");
    ASSERT_EQ(rig.skin.installedFonts().size(), 1u);
    const FontFile& file = **rig.skin.installedFonts().begin();
    EXPECT_EQ(file.fileName(), "windle.ttf");
    EXPECT_TRUE(file.installed());
    EXPECT_EQ(rig.skin.fonts().find("before")->family(), windlecroft::test::testFontFamily);
    EXPECT_EQ(rig.skin.fonts().find("after")->family(), windlecroft::test::testFontFamily);

    SkinRig missing;
    SkinConfigWriter other("t", 8, 6);
    other.fontFile("Fonts\\gone.ttf");
    EXPECT_EQ(missing.walk(other), "can't find file Fonts\\gone.ttf in datafile");
}

TEST(FontChunk, ASkinHoldsAtMostSoManyFontsAndFontFiles)
{
    auto walkFonts = [](std::size_t count) {
        SkinRig rig;
        SkinConfigWriter writer("t", 8, 6);
        for (std::size_t i = 0; i < count; ++i)
            writer.font("f" + std::to_string(i), "", 400, 12);
        return rig.walk(writer);
    };
    EXPECT_EQ(walkFonts(maxSkinFonts), "loaded");
    EXPECT_EQ(walkFonts(maxSkinFonts + 1), "config file corrupted, too many fonts");

    // The entry holds no font: each chunk still counts.
    auto walkFontFiles = [](std::size_t count) {
        SkinRig rig;
        rig.archive.add("Fonts\\junk.ttf", std::string_view("not a font"));
        SkinConfigWriter writer("t", 8, 6);
        for (std::size_t i = 0; i < count; ++i)
            writer.fontFile("Fonts\\junk.ttf");
        return rig.walk(writer);
    };
    EXPECT_EQ(walkFontFiles(maxSkinFontFiles), "loaded");
    EXPECT_EQ(walkFontFiles(maxSkinFontFiles + 1), "config file corrupted, too many font files");
}
