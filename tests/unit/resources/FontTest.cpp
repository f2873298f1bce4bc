#include "support/TestFont.h"
#include "base/Error.h"
#include "skin/ArchiveWriter.h"
#include "resources/DataArchive.h"
#include "resources/Font.h"
#include "resources/FontCatalog.h"
#include "resources/InstalledFontList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

using namespace windlecroft;
using test::testFontFamily;

namespace {

// Sets TMPDIR to an empty folder of its own for its lifetime.
class RedirectedTemporaryFolder {
public:
    RedirectedTemporaryFolder()
    {
        if (const char* old = std::getenv("TMPDIR"))
            old_ = old;
        setenv("TMPDIR", folder_.path().c_str(), 1);
    }
    ~RedirectedTemporaryFolder()
    {
        if (old_)
            setenv("TMPDIR", old_->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    RedirectedTemporaryFolder(const RedirectedTemporaryFolder&) = delete;
    RedirectedTemporaryFolder& operator=(const RedirectedTemporaryFolder&) = delete;

    bool empty() const { return std::filesystem::is_empty(folder_.path()); }

private:
    test::TempDir folder_;
    std::optional<std::string> old_;
};

class Fonts : public ::testing::Test {
protected:
    void SetUp() override
    {
        fontBytes = test::testFontFile();
        writer.add("Data\\Fonts\\title.ttf", fontBytes);
        writer.add("plain.ttf", fontBytes);
        writer.add("bold.ttf", test::testFontFile(true));
        writer.add("Other\\title.ttf", "not a font");
        archive.openBytes(writer.bytes());
    }

    // Nothing is written to the temporary folder, whatever a test installs.
    void TearDown() override { EXPECT_TRUE(temporaryFolder.empty()); }

    std::string familyFor(std::string_view face)
    {
        return Font(catalog, face, 20, 400).family();
    }

    // The text drawn in black on white.
    static Surface drawn(Font& font, std::string_view text = "Windle Qg")
    {
        Surface surface(120, 30);
        std::fill(surface.data(), surface.data() + 120 * 30, 0x00FFFFFFu);
        font.drawText(surface, 2, 2, text, 0);
        return surface;
    }
    Surface drawn(std::string_view face, int weight = 400)
    {
        Font font(catalog, face, 20, weight);
        return drawn(font);
    }

    RedirectedTemporaryFolder temporaryFolder;
    FontCatalog catalog;
    std::vector<std::uint8_t> fontBytes;
    ArchiveWriter writer;
    DataArchive archive;
};

bool samePixels(const Surface& a, const Surface& b)
{
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.data(), a.data() + a.width() * a.height(), b.data());
}

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

TEST_F(Fonts, AnArchiveFaceIsMatchedByItsFamilyAndDrawnFromMemoryWhileItsFileIsInstalled)
{
    const Surface fallback = drawn(testFontFamily);
    EXPECT_NE(familyFor(testFontFamily), testFontFamily);
    std::unique_ptr<Font> kept;
    Surface installedDrawing;
    {
        FontFile file(catalog, archive, "Data\\Fonts\\title.ttf");
        EXPECT_TRUE(file.installed());
        EXPECT_EQ(file.fileName(), "title.ttf");
        EXPECT_EQ(catalog.fontDataCount(), 1u);
        EXPECT_EQ(familyFor(testFontFamily), testFontFamily);
        EXPECT_EQ(familyFor("wINDLE sERIF"), testFontFamily);
        installedDrawing = drawn(testFontFamily);
        EXPECT_FALSE(samePixels(installedDrawing, fallback));
        // The face is opened here but draws only after the file is gone.
        kept = std::make_unique<Font>(catalog, testFontFamily, 20, 400);
        EXPECT_TRUE(kept->usable());
        // The archive is no longer needed once the file is installed.
        archive.close();
        EXPECT_TRUE(samePixels(drawn(testFontFamily), installedDrawing));
    }
    EXPECT_EQ(catalog.fontDataCount(), 0u);
    EXPECT_NE(familyFor(testFontFamily), testFontFamily);
    EXPECT_TRUE(samePixels(drawn(testFontFamily), fallback));
    EXPECT_EQ(kept->family(), testFontFamily);
    EXPECT_TRUE(samePixels(drawn(*kept), installedDrawing));
}

TEST_F(Fonts, AFaceInstalledFromTheArchivesFileIsReadFromItAndDrawsAsFromMemory)
{
    Surface fromMemory;
    {
        FontFile file(catalog, archive, "Data\\Fonts\\title.ttf");
        fromMemory = drawn(testFontFamily);
    }
    test::TempDir dir;
    writeFile(dir / "windlecroft.dat", writer.bytes());
    DataArchive onDisk;
    onDisk.open(dir / "windlecroft.dat");
    ASSERT_TRUE(onDisk.fileRange("Data\\Fonts\\title.ttf"));
    FontFile file(catalog, onDisk, "Data\\Fonts\\title.ttf");
    Font font(catalog, testFontFamily, 20, 400);
    ASSERT_EQ(font.family(), testFontFamily);
    // The face keeps reading after the archive lets go of its file.
    onDisk.close();
    EXPECT_TRUE(samePixels(drawn(font), fromMemory));
    Font openedLater(catalog, testFontFamily, 20, 400);
    EXPECT_TRUE(samePixels(drawn(font, "Qg Windle"), drawn(openedLater, "Qg Windle")));
}

TEST_F(Fonts, AFontMadeBeforeItsFontFileGetsTheArchiveFaceAtFirstUse)
{
    const Surface fallback = drawn(testFontFamily);
    Font early(catalog, testFontFamily, 20, 400);
    Font measuredEarly(catalog, testFontFamily, 20, 400);
    FontFile file(catalog, archive, "plain.ttf");
    EXPECT_FALSE(samePixels(drawn(early), fallback));
    EXPECT_EQ(measuredEarly.family(), testFontFamily);
    EXPECT_EQ(measuredEarly.textWidth("Windle Qg"), early.textWidth("Windle Qg"));
}

TEST_F(Fonts, TheClosestWeightWinsAndALighterFaceIsEmboldenedForBold)
{
    Surface regular;
    Surface emboldened;
    {
        FontFile file(catalog, archive, "plain.ttf");
        regular = drawn(testFontFamily, 400);
        emboldened = drawn(testFontFamily, 700);
    }
    Surface bold;
    {
        FontFile file(catalog, archive, "bold.ttf");
        bold = drawn(testFontFamily, 700);
    }
    EXPECT_FALSE(samePixels(regular, emboldened));
    EXPECT_FALSE(samePixels(bold, emboldened));
    EXPECT_GT(inkOf(emboldened, 0x00FFFFFF, 0).changed, inkOf(regular, 0x00FFFFFF, 0).changed);
    // Whichever file came last, each weight gets its own face.
    for (bool boldFirst : {false, true}) {
        InstalledFontList list;
        list.install(catalog, archive, boldFirst ? "bold.ttf" : "plain.ttf");
        list.install(catalog, archive, boldFirst ? "plain.ttf" : "bold.ttf");
        EXPECT_TRUE(samePixels(drawn(testFontFamily, 400), regular));
        EXPECT_TRUE(samePixels(drawn(testFontFamily, 300), regular));
        EXPECT_TRUE(samePixels(drawn(testFontFamily, 700), bold));
        EXPECT_TRUE(samePixels(drawn(testFontFamily, 900), bold));
    }
    EXPECT_EQ(catalog.fontDataCount(), 0u);
}

TEST_F(Fonts, TheEntryNameDecidesNoPathAndWritesNothing)
{
    ArchiveWriter named;
    named.add("Data\\Fonts\\title.ttf", fontBytes);
    named.add("Other\\title.ttf", "not a font");
    named.add("Fonts\\../escaped.ttf", fontBytes);
    named.add("Data\\", fontBytes);
    named.add("/tmp/absolute.ttf", fontBytes);
    DataArchive namedArchive;
    namedArchive.openBytes(named.bytes());
    InstalledFontList list;
    EXPECT_TRUE(list.install(catalog, namedArchive, "Data\\Fonts\\title.ttf").installed());
    // A second file of the same last name leaves the first one's face alone.
    EXPECT_FALSE(list.install(catalog, namedArchive, "Other\\title.ttf").installed());
    for (const char* name : {"Fonts\\../escaped.ttf", "Data\\", "/tmp/absolute.ttf"})
        EXPECT_TRUE(list.install(catalog, namedArchive, name).installed()) << name;
    EXPECT_EQ(catalog.fontDataCount(), 4u);
    EXPECT_EQ(familyFor(testFontFamily), testFontFamily);
    EXPECT_TRUE(temporaryFolder.empty());
}

TEST_F(Fonts, MissingEntryIsTheArchiveErrorAndWritesNothing)
{
    try {
        FontFile file(catalog, archive, "Data\\missing.ttf");
        FAIL() << "installed a missing entry";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "can't find file Data\\missing.ttf in datafile");
    }
    EXPECT_EQ(catalog.fontDataCount(), 0u);
}

TEST_F(Fonts, UnreadableFontDataIsSkippedSilentlyAndTextFallsBack)
{
    const std::string defaultFamily = familyFor("");
    ArchiveWriter broken;
    broken.add("empty.ttf", std::vector<std::uint8_t>{});
    broken.add("junk.ttf", "not a font");
    // The font cut inside its table directory.
    broken.add("cut.ttf", std::vector<std::uint8_t>(fontBytes.begin(), fontBytes.begin() + 200));
    DataArchive brokenArchive;
    brokenArchive.openBytes(broken.bytes());
    for (const char* name : {"empty.ttf", "junk.ttf", "cut.ttf"}) {
        FontFile file(catalog, brokenArchive, name);
        EXPECT_FALSE(file.installed()) << name;
        EXPECT_EQ(catalog.fontDataCount(), 0u);
        Font font(catalog, testFontFamily, 20, 400);
        EXPECT_EQ(font.family(), defaultFamily);
        EXPECT_GT(font.textWidth("text"), 0);
    }
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
