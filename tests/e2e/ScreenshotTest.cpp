#include "app/SkinBuilder.h"
#include "support/SkinConfigWriter.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <png.h>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

struct PngSize {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool decoded = false;
};

PngSize readPngSize(const std::filesystem::path& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    const bool decoded = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
    return {image.width, image.height, decoded};
}

} // namespace

TEST(ProgramScreenshot, HeadlessRunWritesTheWindowSizedFrameRelativeToTheStartingFolder)
{
    TempDir skin;
    SkinConfigWriter("shot", 120, 90).save(skin / configFileName);
    ArchiveWriter archive;
    archive.add("Data\\panel.rgn", std::vector<std::uint8_t>(120 * 90, 0));
    archive.save(skin / dataFileName);
    TempDir start;
    Process::Options options;
    options.workingDir = start.path();
    const RunResult result = runProcess({builtProgram("windlecroft").string(), "--headless", "--quit-after", "200",
                                         "--screenshot", "frame.png", skin.path().string()},
                                        options);
    EXPECT_EQ(result.status, 0) << result.errors;
    const PngSize size = readPngSize(start / "frame.png");
    EXPECT_TRUE(size.decoded);
    EXPECT_EQ(size.width, 120u);
    EXPECT_EQ(size.height, 90u);
    EXPECT_FALSE(std::filesystem::exists(skin / "frame.png"));
}
