// The JPEG decoder against the reference library's own tools: files written by cjpeg in every
// coding process and sampling pattern it offers, and CMYK files, must decode as djpeg decodes
// them.
#include "resources/DataArchive.h"
#include "resources/Image.h"
#include "resources/JpegDecoder.h"
#include "skin/ArchiveWriter.h"
#include "support/JpegFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace windlecroft::test {
namespace {

// Odd sizes, so that the last blocks and sampling units are partly outside the picture;
// gradients in both directions and a checkerboard of sharp edges.
Surface detailedPicture()
{
    constexpr int width = 67;
    constexpr int height = 45;
    Surface picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, static_cast<std::uint32_t>((x * 255 / width) << 16 | (y * 255 / height) << 8 |
                                                               ((x / 5 + y / 5) % 2 ? 210 : 40)));
    return picture;
}

int channelDifference(std::uint32_t a, std::uint32_t b, int shift)
{
    return std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
}

// How far two pictures are apart: the largest difference of any channel of any pixel (256 when
// their sizes differ or a top byte is set), and the mean difference of all channels.
struct Differences {
    int largest = 0;
    double mean = 0;
};

Differences differences(const Surface& decoded, const Surface& expected)
{
    if (decoded.width() != expected.width() || decoded.height() != expected.height())
        return {256, 256};
    Differences found;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (decoded.pixel(x, y) >> 24)
                found.largest = 256;
            for (int shift : {0, 8, 16}) {
                const int difference = channelDifference(decoded.pixel(x, y), expected.pixel(x, y), shift);
                found.largest = std::max(found.largest, difference);
                found.mean += difference;
            }
        }
    }
    found.mean /= 3.0 * expected.width() * expected.height();
    return found;
}

// Where the frame header's precision byte lies: two bytes after the marker's length.
std::size_t frameHeaderAt(const std::vector<std::uint8_t>& jpeg)
{
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2))
            return i;
    return 0;
}

TEST(JpegReference, EveryCodingProcessAndSamplingPatternDecodesAsDjpegDoes)
{
    const Surface picture = detailedPicture();
    // A profile larger than one segment holds is split over several; the decoder ignores them.
    TempDir dir;
    const std::string profile = (dir / "large.icc").string();
    writeFile(profile, std::vector<std::uint8_t>(150000, 0x42));
    const std::vector<std::vector<std::string>> encodings{
        {"-sample", "3x2"},
        {"-sample", "3x2", "-progressive"},
        {"-sample", "1x3", "-restart", "2B"},
        {"-sample", "4x1", "-arithmetic"},
        {"-sample", "2x2", "-progressive", "-arithmetic"},
        {"-restart", "1"},
        {"-grayscale", "-optimize"},
        {"-grayscale", "-progressive"},
        {"-rgb"},
        {"-quality", "30", "-icc", profile},
    };
    for (const std::vector<std::string>& options : encodings) {
        std::string name;
        for (const std::string& option : options)
            name += option + " ";
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> jpeg = cjpeg(picture, options);
        std::string reason;
        const std::optional<Surface> decoded = decodeJpeg(jpeg, &reason);
        ASSERT_TRUE(decoded) << reason;
        EXPECT_LE(differences(*decoded, djpeg(jpeg)).largest, 8);
        // And the picture itself, as far as the compression keeps it: near on average (its sharp
        // blue edges lose much to subsampled chroma; swapped channels or shifted rows far more).
        if (options.front() != "-grayscale") {
            EXPECT_LT(differences(*decoded, picture).mean, 24.0);
        }
    }
}

TEST(JpegReference, CmykAndYcckPicturesDecodeToTheirColours)
{
    // Flat areas of known colours, so that compression keeps them close.
    Surface picture(48, 32);
    const std::uint32_t colours[] = {0xC02010, 0x10C020, 0x2040C0, 0x808080, 0xF0E0A0, 0x202020};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x)
            picture.setPixel(x, y, colours[(x / 16) + 3 * (y / 16)]);
    using Colours = LibjpegOptions::Colours;
    for (const auto& [kind, jpeg] : {std::pair {"YCCK by ImageMagick", imageMagickCmykJpeg(picture)},
             std::pair {"CMYK by libjpeg", libjpegFile(picture, {.colours = Colours::Cmyk})},
             std::pair {"progressive YCCK by libjpeg",
                 libjpegFile(picture, {.colours = Colours::Ycck, .progressive = true})}}) {
        SCOPED_TRACE(kind);
        std::string reason;
        const std::optional<Surface> decoded = decodeJpeg(jpeg, &reason);
        ASSERT_TRUE(decoded) << reason;
        EXPECT_LE(differences(*decoded, djpeg(jpeg)).largest, 8);
        // The middle of each area, away from where upsampling blends neighbouring colours.
        for (int area = 0; area < 6; ++area) {
            const std::uint32_t pixel = decoded->pixel(8 + 16 * (area % 3), 8 + 16 * (area / 3));
            for (int shift : {0, 8, 16})
                EXPECT_LE(channelDifference(pixel, colours[area], shift), 6) << std::hex << pixel << " for " << colours[area];
        }
    }
}

TEST(JpegReference, TwelveBitLosslessAndOversizedFilesAreRefusedWithTheirReasonOnce)
{
    const std::vector<std::uint8_t> jpeg = cjpeg(detailedPicture(), {});
    const std::size_t frame = frameHeaderAt(jpeg);
    ASSERT_NE(frame, 0u);
    std::vector<std::uint8_t> twelveBit = jpeg;
    twelveBit[frame + 4] = 12;
    std::vector<std::uint8_t> lossless = jpeg;
    lossless[frame + 1] = 0xC3;

    ArchiveWriter writer;
    writer.add("Data\\deep.jpg", twelveBit);
    writer.add("Data\\lossless.jpg", lossless);
    DataArchive archive;
    archive.openBytes(writer.bytes());
    std::ostringstream diagnostics;
    for (const char* name : {"Data\\deep.jpg", "Data\\lossless.jpg"}) {
        Image image;
        image.loadImage(name, ImageLoadContext{archive, false, 67, diagnostics});
        EXPECT_TRUE(image.empty());
    }
    std::istringstream lines(diagnostics.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "windlecroft: can't decode Data\\deep.jpg: Unsupported JPEG data precision 12");
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("windlecroft: can't decode Data\\lossless.jpg: ", 0), 0u) << line;
    EXPECT_FALSE(std::getline(lines, line));

    // A picture larger than the caller allows is refused from its header.
    std::string reason;
    EXPECT_FALSE(decodeJpeg(jpeg, &reason, 67 * 45 - 1));
    EXPECT_EQ(reason, "picture too large");
    EXPECT_TRUE(decodeJpeg(jpeg, &reason, 67 * 45));
}

} // namespace
} // namespace windlecroft::test
