#include "app/Application.h"
#include "app/SkinBuilder.h"
#include "support/SkinRig.h"
#include "support/SkinConfigWriter.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/NullAudioOutput.h"
#include "platform/headless/ManualClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <png.h>

#include <sstream>
#include <unistd.h>

using namespace windlecroft;

namespace {

// Reads a PNG as 0x00RRGGBB pixels; an empty Surface when it cannot.
Surface readPng(const std::filesystem::path& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
        return {};
    Surface surface(static_cast<int>(image.width), static_cast<int>(image.height));
    const std::uint8_t* p = rgb.data();
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x, p += 3)
            surface.setPixel(x, y, static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2]);
    }
    return surface;
}

class ApplicationResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        SkinConfigWriter("Shot", 30, 20).save(dir / configFileName);
        ArchiveWriter archive;
        archive.add("Data\\panel.rgn", std::vector<std::uint8_t>(30 * 20, 0));
        archive.save(dir / dataFileName);
        options.skinDir = dir.path();
    }

    test::TempDir dir;
    ManualClock clock;
    HeadlessDesktop desktop{clock};
    NullAudioOutput audio;
    ApplicationOptions options;
    std::ostringstream log;
};

} // namespace

TEST_F(ApplicationResources, ScreenshotIsTheFramePresentedLast)
{
    options.screenshotFile = dir / "shot.png";
    Application app{desktop, clock, audio, options, &log};
    EXPECT_FALSE(app.backBuffer().created());
    app.preReadConfig();
    app.createMainWindow();
    // The buffer is made with the window, for its size.
    ASSERT_EQ(app.backBuffer().width(), 30);
    ASSERT_EQ(app.backBuffer().height(), 20);
    Surface& pixels = app.backBuffer().surface();
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x)
            pixels.setPixel(x, y, static_cast<std::uint32_t>(x * 8) << 16 | static_cast<std::uint32_t>(y * 12) << 8 | 0x33);
    }
    app.backBuffer().present();
    const Surface presented = desktop.presentedFrame();
    app.shutdown();

    const Surface shot = readPng(dir / "shot.png");
    ASSERT_EQ(shot.width(), 30);
    ASSERT_EQ(shot.height(), 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(shot.pixel(x, y), presented.pixel(x, y)) << x << "," << y;
    }
    EXPECT_EQ(log.str(), "");
}

TEST_F(ApplicationResources, ScreenshotFailuresChangeNothingElse)
{
    // A file that cannot be written is said in one line; the exit code stays.
    options.quitAfterMs = 100;
    options.screenshotFile = dir / "no" / "folder" / "x.png";
    {
        Application app{desktop, clock, audio, options, &log};
        EXPECT_EQ(app.run(), 0);
    }
    const std::string said = log.str();
    EXPECT_NE(said.find("can't write screenshot"), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);

    // Without a window there is no frame and no file.
    std::filesystem::remove(dir / configFileName);
    options.screenshotFile = dir / "none.png";
    {
        Application app{desktop, clock, audio, options, &log};
        EXPECT_EQ(app.run(), 1);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "none.png"));
}

// What the skin's pictures are loaded with: the window's layering, its width, the archive and
// the player's diagnostics, where each undecodable picture is one line.
TEST_F(ApplicationResources, PicturesLoadWithTheWindowsLayeringWidthAndDiagnostics)
{
    SkinConfigWriter config("Pictures", 2, 1);
    config.beginPage("noc", "Data\\noc.jpg");
    config.endPage();
    std::string said;
    for (bool layered : {true, false}) {
        test::SkinRig rig(layered);
        rig.archive.add("Data\\panel.rgn", std::vector<std::uint8_t>{0, 1});
        rig.archive.add("Data\\noc.jpg", "not a picture");
        ASSERT_EQ(rig.walk(config), "loaded");
        EXPECT_EQ(rig.log.str(), "") << "a page's JPEG is decoded when the page is first drawn";
        rig.skin.page("noc")->unparkPictures();
        EXPECT_TRUE(rig.skin.page("noc")->normalImage()->empty());
        said += rig.log.str();
    }
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2);
}
