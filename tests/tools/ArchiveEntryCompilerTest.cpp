// Archive entries made from assets: pictures converted to BMP or JPEG, masks from alpha or a key colour.
#include "ToolTestSupport.h"

#include "resources/BmpDecoder.h"
#include "resources/JpegDecoder.h"

#include <gtest/gtest.h>

namespace windlecroft::skin {
namespace {

using test::MemoryAssets;
using test::Rgba;

std::string entry(const std::string& fields)
{
    return "width = 1\nheight = 1\n[[entry]]\n" + fields + "\n";
}

std::vector<std::uint8_t> compileEntry(MemoryAssets& assets, const std::string& fields, std::string* faults = nullptr)
{
    Diagnostics diagnostics;
    const CompiledSkin skin = test::compile(entry(fields), diagnostics, &assets);
    if (faults)
        *faults = test::printed(diagnostics);
    else
        EXPECT_FALSE(diagnostics.hasErrors()) << test::printed(diagnostics);
    return skin.archive.files().empty() ? std::vector<std::uint8_t>{} : skin.archive.files()[0].data;
}

// A 5 x 3 picture whose colour tells the pixel and whose alpha falls from left to right.
Rgba gradient(int x, int y)
{
    return {static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(80 * y), 200, static_cast<std::uint8_t>(255 - 60 * x)};
}

TEST(ArchiveEntryCompiler, AMaskComesFromThePicturesAlpha)
{
    MemoryAssets assets;
    assets.files["shape.png"] = test::makePng(5, 3, gradient);
    // Alphas along a row are 255, 195, 135, 75, 15: with the default threshold of 128 the first three belong to the window.
    const std::vector<std::uint8_t> row{0, 0, 0, 1, 1};
    std::vector<std::uint8_t> expected;
    for (int y = 0; y < 3; ++y)
        expected.insert(expected.end(), row.begin(), row.end());
    EXPECT_EQ(compileEntry(assets, "name = 'Data\\panel.rgn'\nmask = 'shape.png'"), expected);

    // An alpha equal to the threshold belongs to the window.
    const std::vector<std::uint8_t> strict = compileEntry(assets, "name = 'm.rgn'\nmask = 'shape.png'\nthreshold = 195");
    EXPECT_EQ(std::vector<std::uint8_t>(strict.begin(), strict.begin() + 5), (std::vector<std::uint8_t>{0, 0, 1, 1, 1}));
}

TEST(ArchiveEntryCompiler, AMaskComesFromAKeyColourWhenThePictureHasNoAlpha)
{
    MemoryAssets assets;
    assets.files["shape.png"] = test::makePng(
        4, 2, [](int x, int y) { return x == y ? Rgba{255, 0, 255, 255} : Rgba{1, 2, 3, 255}; }, false);
    EXPECT_EQ(compileEntry(assets, "name = 'm.rgn'\nmask = 'shape.png'\nkey = '#FF00FF'"),
              (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 1, 0, 0}));

    std::string faults;
    compileEntry(assets, "name = 'm.rgn'\nmask = 'shape.png'", &faults);
    EXPECT_NE(faults.find("has no alpha channel"), std::string::npos) << faults;
}

TEST(ArchiveEntryCompiler, APictureIsStoredAsTheNameAsks)
{
    MemoryAssets assets;
    assets.files["art/p.png"] = test::makePng(5, 3, gradient);

    const std::vector<std::uint8_t> bmp = compileEntry(assets, "name = 'Data\\noc.bmp'\npicture = 'art/p.png'");
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[28], 24); // bits per pixel
    const Surface decoded = decodeBmp(bmp);
    ASSERT_EQ(decoded.width(), 5);
    ASSERT_EQ(decoded.height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const Rgba c = gradient(x, y);
            EXPECT_EQ(decoded.pixel(x, y), (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b) << x << "," << y;
        }
    }

    const std::vector<std::uint8_t> jpeg = compileEntry(assets, "name = 'Data\\noc.jpg'\npicture = 'art/p.png'\nquality = 100");
    const std::optional<Surface> picture = decodeJpeg(jpeg);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width(), 5);
    EXPECT_EQ(picture->height(), 3);
    const std::uint32_t corner = picture->pixel(4, 2);
    EXPECT_NEAR(static_cast<int>(corner >> 16), 160, 12);
    EXPECT_NEAR(static_cast<int>((corner >> 8) & 0xFF), 160, 12);
    EXPECT_NEAR(static_cast<int>(corner & 0xFF), 200, 12);

    // A BMP source converts too: the stored picture is the same as from the PNG.
    assets.files["art/p.bmp"] = bmp;
    EXPECT_EQ(compileEntry(assets, "name = 'again.bmp'\npicture = 'art/p.bmp'"), bmp);
}

TEST(ArchiveEntryCompiler, FilesAndTextsAreStoredAsTheyAre)
{
    MemoryAssets assets;
    assets.files["fonts/f.ttf"] = {0, 1, 0, 0, 0xFF};
    EXPECT_EQ(compileEntry(assets, "name = 'f.ttf'\nfile = 'fonts/f.ttf'"), assets.files["fonts/f.ttf"]);
    EXPECT_EQ(compileEntry(assets, "name = 'readme.txt'\ntext = 'Zażółć'"), test::bytesOf("Za\xBF\xF3\xB3\xE6"));
}

TEST(ArchiveEntryCompiler, FaultsNameTheEntry)
{
    MemoryAssets assets;
    assets.files["p.png"] = test::makePng(2, 2, gradient);
    assets.files["junk.png"] = {1, 2, 3};
    const std::vector<std::pair<std::string, std::string>> cases{
        {"name = 'a.bmp'\npicture = 'missing.png'", "can't read missing.png"},
        {"name = 'a.bmp'\npicture = 'junk.png'", "can't decode junk.png"},
        {"name = 'a.png'\npicture = 'p.png'", "must end in .bmp or .jpg"},
        {"name = 'a.jpg'\npicture = 'p.png'\nquality = 0", "quality must lie in 1..100"},
        {"name = 'a.bmp'\npicture = 'p.png'\nfile = 'p.png'", "exactly one of"},
        {"name = 'a.rgn'\nmask = 'p.png'\nkey = 'red'", "#RRGGBB"},
    };
    for (const auto& [fields, fault] : cases) {
        std::string faults;
        compileEntry(assets, fields, &faults);
        EXPECT_NE(faults.find("archive entry 1 (\""), std::string::npos) << faults;
        EXPECT_NE(faults.find(fault), std::string::npos) << fields << "\n" << faults;
    }
}

} // namespace
} // namespace windlecroft::skin
