// The real player on a private Xvfb at a device pixel ratio above 1: the screen shows the skin
// enlarged, and clicks are mapped back to the skin's pixels.
#include "ScreenCapture.h"
#include "ShapedSkin.h"
#include "XServer.h"
#include "base/ActionCode.h"
#include "support/Process.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <unordered_set>

using namespace windlecroft;
using namespace windlecroft::test;
using namespace std::chrono_literals;

namespace {

constexpr int width = 400;
constexpr int height = 300;
const std::string title = "Windlecroft at HiDPI";
constexpr Rect button{300, 220, 380, 280};
const std::string buttonTrace = "windlecroft: action 0x1002 0x0007\n"; // StopMain, 7

// Neighbouring pixels differ in every channel, and none is white.
std::uint32_t patternAt(int x, int y)
{
    return static_cast<std::uint32_t>((x * 37) & 0xFF) << 16 | static_cast<std::uint32_t>((y * 53) & 0xFF) << 8
           | static_cast<std::uint32_t>(0x40 + ((x + 2 * y) & 0x3F));
}

// The player with the patterned panel on x, under Qt's ratio from QT_SCALE_FACTOR=2.
std::unique_ptr<Process> startPlayer(const XServer& x, const TempDir& skin, const TempDir& runtime,
                                     const std::vector<std::string>& arguments)
{
    writeShapedSkin(skin, title, width, height, pictureBmp(width, height, [](int, int) { return 0x203040u; }), 300,
                    pictureBmp(width, height, patternAt), button, static_cast<std::uint16_t>(ActionCode::StopMain), 7);
    Process::Options options;
    options.workingDir = skin.path();
    options.environment = {{"DISPLAY", x.display()},      {"WAYLAND_DISPLAY", ""},
                           {"QT_QPA_PLATFORM", "xcb"},     {"QT_SCALE_FACTOR", "2"},
                           {"SDL_AUDIODRIVER", "dummy"},   {"DBUS_SESSION_BUS_ADDRESS", ""},
                           {"XDG_RUNTIME_DIR", runtime.path().string()}};
    std::vector<std::string> command{builtProgram("windlecroft").string(), "--trace-actions", "--quit-after", "30000"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return std::make_unique<Process>(command, options);
}

} // namespace

TEST(PlayerHiDpi, AtRatioTwoEachSkinPixelIsATwoByTwoBlockAndAClickReachesTheElementUnderIt)
{
    XServer x(1024, 768);
    ASSERT_TRUE(x.ready());
    TempDir skin, runtime;
    const auto player = startPlayer(x, skin, runtime, {});
    const auto window = x.waitForWindow(title);
    ASSERT_TRUE(window) << player->errors();
    const auto placed = x.geometry(*window);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->width, 2 * width);
    EXPECT_EQ(placed->height, 2 * height);
    const auto panelShown = [&] {
        return ScreenCapture(x).pixel(placed->x + 401, placed->y + 301) == patternAt(200, 150);
    };
    ASSERT_TRUE(eventually(panelShown, 15s)) << "the panel never showed; " << player->errors();

    // Every skin pixel is a 2x2 block of its colour; the cut corner shows Xvfb's white root.
    const ScreenCapture screen(x);
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int px = 0; px < width; ++px) {
            const bool cut = px < shapedSkinCornerCut && y < shapedSkinCornerCut;
            for (int block = 0; block < 4; ++block) {
                const std::uint32_t shown = screen.pixel(placed->x + 2 * px + block % 2, placed->y + 2 * y + block / 2);
                if (shown != (cut ? 0xFFFFFFu : patternAt(px, y)) && ++wrong <= 5)
                    ADD_FAILURE() << "skin pixel " << px << "," << y << " shows " << std::hex << shown;
            }
        }
    }

    // The right screen pixel of the button's last column (its rectangle holds its right edge)
    // is still the button; the next one is not. The press outside comes first, so that its
    // trace would be there before the other's.
    const std::string row = std::to_string(placed->y + button.top + button.bottom);
    const int pastButton = placed->x + 2 * (button.right + 1);
    x.query({"xdotool", "mousemove", std::to_string(pastButton), row, "click", "1"});
    x.query({"xdotool", "mousemove", std::to_string(pastButton - 1), row, "click", "1"});
    EXPECT_TRUE(eventually([&] { return player->errors().find(buttonTrace) != std::string::npos; }, 15s))
        << "the click on the button's last pixel did not reach it; " << player->errors();
    x.query({"xdotool", "windowfocus", "--sync", *window, "key", "Escape"});
    EXPECT_EQ(player->wait(15s), 0) << player->errors();
    const std::string errors = player->errors();
    EXPECT_EQ(errors.find(buttonTrace), errors.rfind(buttonTrace)) << "the press outside reached the button";
}

// --scale wins over QT_SCALE_FACTOR; at 1.5 neighbouring skin pixels are blended on screen.
TEST(PlayerHiDpi, ScaleForcesTheRatioAndAFractionalOneIsDrawnSmoothly)
{
    XServer x(1024, 768);
    ASSERT_TRUE(x.ready());
    TempDir skin, runtime;
    const auto player = startPlayer(x, skin, runtime, {"--scale", "1.5"});
    const auto window = x.waitForWindow(title);
    ASSERT_TRUE(window) << player->errors();
    const auto placed = x.geometry(*window);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->width, width * 3 / 2);
    EXPECT_EQ(placed->height, height * 3 / 2);
    // Skin pixel (70, 10) belongs to the panel's shape, not to the intro's fixed rectangle.
    ASSERT_TRUE(eventually([&] { return ScreenCapture(x).pixel(placed->x + 105, placed->y + 15) != 0xFFFFFFu; }, 15s))
        << "the panel never showed; " << player->errors();

    std::unordered_set<std::uint32_t> pattern;
    for (int y = 0; y < height; ++y) {
        for (int px = 0; px < width; ++px)
            pattern.insert(patternAt(px, y));
    }
    const ScreenCapture screen(x);
    int blended = 0;
    for (int y = 100; y < 400; ++y) {
        for (int px = 100; px < 500; ++px)
            blended += pattern.count(screen.pixel(placed->x + px, placed->y + y)) == 0 ? 1 : 0;
    }
    EXPECT_GT(blended, 300 * 400 / 4) << "the picture was not filtered";
    x.query({"xdotool", "windowfocus", "--sync", *window, "key", "Escape"});
    EXPECT_EQ(player->wait(15s), 0) << player->errors();
}
