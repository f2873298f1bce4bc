#include "support/BmpBuilder.h"
#include "skin/JpegEncoder.h"
#include "base/Error.h"
#include "skin/ArchiveWriter.h"
#include "resources/DataArchive.h"
#include "resources/Image.h"
#include "resources/PictureBudget.h"
#include "resources/JpegDecoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace windlecroft;

namespace {

constexpr std::uint32_t white = 0xFFFFFF;

// Four flat quadrants, so JPEG's small errors stay small.
Surface quadrants(int width, int height)
{
    Surface picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            picture.setPixel(x, y, bottom ? (right ? 0x2040C0u : 0x808080u) : (right ? 0x10C020u : 0xC02010u));
        }
    }
    return picture;
}

bool near(std::uint32_t a, std::uint32_t b, int tolerance = 12)
{
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    }
    return (a >> 24) == 0;
}

class ImageLoading : public ::testing::Test {
protected:
    void open() { archive.openBytes(writer.bytes()); }

    Image load(std::string_view name, bool layered, int windowWidth)
    {
        Image image;
        image.loadImage(name, ImageLoadContext{archive, layered, windowWidth, diagnostics});
        return image;
    }

    std::string loadError(std::string_view name)
    {
        try {
            load(name, true, 16);
        } catch (const Error& error) {
            return error.what();
        }
        return "loaded";
    }

    ArchiveWriter writer;
    DataArchive archive;
    std::ostringstream diagnostics;
};

} // namespace

TEST(JpegDecoder, DecodesSizeAndColoursTopRowFirst)
{
    const Surface original = quadrants(37, 21);
    std::optional<Surface> decoded = decodeJpeg(skin::encodeJpeg(original));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->width(), 37);
    ASSERT_EQ(decoded->height(), 21);
    for (auto [x, y] : {std::pair{2, 2}, std::pair{34, 2}, std::pair{2, 18}, std::pair{34, 18}})
        EXPECT_TRUE(near(decoded->pixel(x, y), original.pixel(x, y)))
            << std::hex << decoded->pixel(x, y) << " for " << original.pixel(x, y);
}

TEST(JpegDecoder, DataThatIsNoJpegGivesNothingAndAReason)
{
    std::string reason;
    EXPECT_FALSE(decodeJpeg({}, &reason));
    EXPECT_FALSE(reason.empty());
    const std::vector<std::uint8_t> text{'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
    reason.clear();
    EXPECT_FALSE(decodeJpeg(text, &reason));
    EXPECT_FALSE(reason.empty());
    // Every prefix of a real file: decoded (as far as it goes) or refused, never read beyond.
    const std::vector<std::uint8_t> jpeg = skin::encodeJpeg(quadrants(16, 16));
    for (std::size_t length = 0; length <= jpeg.size(); length += 7)
        decodeJpeg(std::span(jpeg).first(length));
}

TEST_F(ImageLoading, BmpAndJpegHaveTheirSizes)
{
    writer.add("Data\\knob.bmp", test::BmpBuilder(3, 2, 24).pixels(std::vector<std::uint8_t>(24, 0x40)).build());
    writer.add("Data\\xray.jpg", skin::encodeJpeg(quadrants(40, 30)));
    open();
    const Image bmp = load("Data\\knob.bmp", true, 600);
    EXPECT_EQ(bmp.width(), 3);
    EXPECT_EQ(bmp.height(), 2);
    EXPECT_EQ(bmp.pixels().pixel(2, 1), 0x404040u);
    const Image jpeg = load("Data\\xray.jpg", true, 600);
    EXPECT_EQ(jpeg.width(), 40);
    EXPECT_EQ(jpeg.height(), 30);
    EXPECT_EQ(diagnostics.str(), "");
}

// A JPEG loaded later is looked up at once and decoded at its first unpark; it is charged to the
// budget once, so a budget spent meanwhile never refuses it when it is decoded again.
TEST_F(ImageLoading, APictureLoadedLaterIsChargedOnceAndDecodesAgainWhateverTheBudgetLeft)
{
    writer.add("Data\\xray.jpg", skin::encodeJpeg(quadrants(40, 30)));
    open();
    PictureBudget budget(40 * 30 + 10);
    const ImageLoadContext context{archive, false, 600, diagnostics, &budget};
    Image image;
    image.loadLater("Data\\xray.jpg", context);
    EXPECT_TRUE(image.parked());
    EXPECT_EQ(budget.left(), 40 * 30 + 10) << "nothing is decoded before it is needed";
    image.unpark(context);
    EXPECT_EQ(image.width(), 40);
    EXPECT_EQ(budget.left(), 10);
    image.park();
    image.unpark(context);
    EXPECT_EQ(image.width(), 40) << "decoded again though only 10 pixels are left";
    EXPECT_EQ(budget.left(), 10);
    Image missing;
    EXPECT_THROW(missing.loadLater("Data\\none.jpg", context), Error);
}

TEST_F(ImageLoading, UnknownKindsLoadNothingAndLookNothingUp)
{
    open();
    EXPECT_TRUE(load("Data\\dzien.Jpg", true, 600).empty());
    EXPECT_TRUE(load("Data\\song.mp3", true, 600).empty());
    EXPECT_TRUE(load("Data\\panel.rgn", true, 600).empty());
    EXPECT_EQ(loadError("Data\\dzien.jpg"), "can't find file Data\\dzien.jpg in datafile");
    EXPECT_EQ(loadError("Data\\knob.bmp"), "can't find file Data\\knob.bmp in datafile");
}

TEST_F(ImageLoading, BmpErrorsReachTheCaller)
{
    writer.add("Data\\bad.bmp", "PK not a bitmap");
    open();
    EXPECT_EQ(loadError("Data\\bad.bmp"), "invalid bmp format");
}

TEST_F(ImageLoading, UndecodableJpegLeavesTheImageAsItWasAndSaysSoOnce)
{
    writer.add("Data\\good.jpg", skin::encodeJpeg(quadrants(8, 8)));
    writer.add("Data\\bad.jpg", "GIF89a");
    open();
    Image image;
    const ImageLoadContext context{archive, false, 600, diagnostics};
    image.loadImage("Data\\bad.jpg", context);
    EXPECT_TRUE(image.empty());
    image.loadImage("Data\\good.jpg", context);
    image.loadImage("Data\\bad.jpg", context);
    EXPECT_EQ(image.width(), 8);
    const std::string log = diagnostics.str();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
    EXPECT_NE(log.find("Data\\bad.jpg"), std::string::npos);
}

// A 16 x 12 window: the panel mask marks the top row and the left column as outside, the intro
// mask only pixel (5, 5), the outro mask only pixel (15, 11).
class Whitening : public ImageLoading {
protected:
    static constexpr int windowWidth = 16;
    static constexpr int windowHeight = 12;

    void SetUp() override
    {
        std::vector<std::uint8_t> panel(windowWidth * windowHeight, 0);
        for (int x = 0; x < windowWidth; ++x)
            panel[static_cast<std::size_t>(x)] = 1;
        for (int y = 0; y < windowHeight; ++y)
            panel[static_cast<std::size_t>(y * windowWidth)] = 0xFF;
        std::vector<std::uint8_t> intro(windowWidth * windowHeight, 0);
        intro[5 * windowWidth + 5] = 7;
        std::vector<std::uint8_t> outro(windowWidth * windowHeight, 0);
        outro.back() = 1;
        writer.add("Data\\panel.rgn", panel);
        writer.add("Data\\intro.rgn", intro);
        writer.add("Data\\outro.rgn", outro);
        const std::vector<std::uint8_t> jpeg = skin::encodeJpeg(quadrants(windowWidth, windowHeight));
        for (const char* name : {"Data\\dzien.jpg", "Data\\noc.jpg", "Data\\wieczor.jpg", "Data\\intro.jpg",
                                 "Data\\outro.jpg", "Data\\xtra.jpg", "n.jpg"})
            writer.add(name, jpeg);
        writer.add("Data\\dzien.bmp", test::BmpBuilder(windowWidth, windowHeight, 24)
                                          .pixels(std::vector<std::uint8_t>(windowWidth * windowHeight * 3, 0x50))
                                          .build());
        open();
    }

    static std::vector<std::pair<int, int>> whitePixels(const Image& image)
    {
        std::vector<std::pair<int, int>> found;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixels().pixel(x, y) == white)
                    found.emplace_back(x, y);
            }
        }
        return found;
    }
};

TEST_F(Whitening, ThePageInitialChoosesTheMask)
{
    std::vector<std::pair<int, int>> panelBorder;
    for (int y = 0; y < windowHeight; ++y) {
        for (int x = 0; x < windowWidth; ++x) {
            if (x == 0 || y == 0)
                panelBorder.emplace_back(x, y);
        }
    }
    for (const char* name : {"Data\\dzien.jpg", "Data\\noc.jpg", "Data\\wieczor.jpg"})
        EXPECT_EQ(whitePixels(load(name, true, windowWidth)), panelBorder) << name;
    EXPECT_EQ(whitePixels(load("Data\\intro.jpg", true, windowWidth)), (std::vector<std::pair<int, int>>{{5, 5}}));
    EXPECT_EQ(whitePixels(load("Data\\outro.jpg", true, windowWidth)), (std::vector<std::pair<int, int>>{{15, 11}}));
    EXPECT_TRUE(whitePixels(load("Data\\xtra.jpg", true, windowWidth)).empty());
    // A name of five characters has no sixth.
    EXPECT_TRUE(whitePixels(load("n.jpg", true, windowWidth)).empty());
    // Pixels the mask leaves inside keep their picture colour.
    EXPECT_TRUE(near(load("Data\\dzien.jpg", true, windowWidth).pixels().pixel(3, 3), 0xC02010));
}

TEST_F(Whitening, NeverWithoutLayeredWindowsNorForBmpPictures)
{
    for (const char* name : {"Data\\dzien.jpg", "Data\\intro.jpg", "Data\\outro.jpg"})
        EXPECT_TRUE(whitePixels(load(name, false, windowWidth)).empty()) << name;
    EXPECT_TRUE(whitePixels(load("Data\\dzien.bmp", true, windowWidth)).empty());
}

TEST_F(Whitening, TheMaskRowIsAsLongAsTheWindowIsWide)
{
    // Read with a row length of 17 the panel mask's outside bytes fall on a diagonal band; with
    // the true width they form the border. A wider window than picture clips to the picture.
    const auto white17 = whitePixels(load("Data\\dzien.jpg", true, windowWidth + 1));
    for (auto [x, y] : white17) {
        const int index = y * (windowWidth + 1) + x;
        EXPECT_TRUE(index < windowWidth || index % windowWidth == 0) << x << "," << y;
    }
    EXPECT_EQ(std::count(white17.begin(), white17.end(), std::pair{1, 1}), 0);
    EXPECT_EQ(std::count(white17.begin(), white17.end(), std::pair{15, 0}), 1);
    // Rows are clipped to the mask: at a width of 190 its second row holds two bytes, the
    // second of which is the outro mask's one outside byte.
    EXPECT_EQ(whitePixels(load("Data\\outro.jpg", true, 190)), (std::vector<std::pair<int, int>>{{1, 1}}));
    // Window width 0 has no mask rows at all.
    EXPECT_TRUE(whitePixels(load("Data\\dzien.jpg", true, 0)).empty());
}

TEST_F(Whitening, AMissingMaskIsTheArchiveError)
{
    ArchiveWriter bare;
    bare.add("Data\\noc.jpg", skin::encodeJpeg(quadrants(4, 4)));
    archive.openBytes(bare.bytes());
    EXPECT_EQ(loadError("Data\\noc.jpg"), "can't find file Data\\panel.rgn in datafile");
    // Without layered windows the mask is never needed.
    EXPECT_EQ(load("Data\\noc.jpg", false, 4).width(), 4);
}
