// The real player on a private headless weston, read back through the compositor's screenshots:
// the translucent intro and its fade, the shaped panel, and a clean end.
#include "ScreenCapture.h"
#include "ShapedSkin.h"
#include "WaylandCompositor.h"
#include "base/ActionCode.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace windlecroft;
using namespace windlecroft::test;
using namespace std::chrono_literals;

namespace {

constexpr int width = 400;
constexpr int height = 300;
constexpr std::uint32_t background = 0x204060;
constexpr std::uint32_t introColour = 0xC08030;
constexpr std::uint32_t panelColour = 0x40C080;

struct Seen {
    int pixels = 0; // of the colour
    int others = 0; // neither the colour nor the background
    int left = 1 << 30;
    int top = 1 << 30;
    int right = 0; // exclusive
    int bottom = 0;
};

// Where the screen shows this colour (its bounding box), and how much else it shows.
Seen look(const ScreenCapture& shot, std::uint32_t colour)
{
    Seen seen;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (coloursNear(shot.pixel(x, y), colour, 2)) {
                seen = {seen.pixels + 1, seen.others, std::min(seen.left, x), std::min(seen.top, y),
                        std::max(seen.right, x + 1), std::max(seen.bottom, y + 1)};
            } else if (!coloursNear(shot.pixel(x, y), background, 2)) {
                ++seen.others;
            }
        }
    }
    return seen;
}

} // namespace

TEST(PlayerOnWayland, TheIntroFadesInKeyedOutThePanelIsShapedAndThePlayerEndsCleanly)
{
    if (const std::optional<std::string> lack = WaylandCompositor::missing())
        GTEST_SKIP() << "no Wayland end-to-end run: " << *lack;
    WaylandCompositor weston(640, 480, background);
    ASSERT_TRUE(weston.ready()) << "weston did not start:\n" << weston.log();
    // The intro's left half is white, which a translucent window does not show.
    TempDir skin;
    writeShapedSkin(skin, "Windlecroft on Wayland", width, height,
                    pictureBmp(width, height, [](int x, int) { return x < width / 2 ? 0xFFFFFFu : introColour; }), 1500,
                    pictureBmp(width, height, [](int, int) { return panelColour; }), {300, 220, 380, 280},
                    static_cast<std::uint16_t>(ActionCode::StopMain), 0);
    Process::Options options = weston.clientOptions();
    options.workingDir = skin.path();
    options.environment["SDL_AUDIODRIVER"] = "dummy";
    Process player({builtProgram("windlecroft").string(), "--quit-after", "8000"}, options);

    // Until the panel shows complete but for its corner: a fade step shows the intro's half in
    // a colour of its own, the intro at full alpha shows that half alone, and never white.
    bool fadeSeen = false;
    bool introKeyedOut = false;
    std::optional<Seen> panel;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!panel && player.running() && std::chrono::steady_clock::now() < deadline) {
        const ScreenCapture shot = weston.screenshot();
        ASSERT_TRUE(shot.valid()) << weston.log();
        const Seen intro = look(shot, introColour);
        EXPECT_EQ(look(shot, 0xFFFFFF).pixels, 0) << "a white pixel of a translucent page was shown";
        const Seen shown = look(shot, panelColour);
        fadeSeen = fadeSeen || (intro.pixels == 0 && shown.pixels == 0 && intro.others == width * height / 2);
        introKeyedOut = introKeyedOut || (intro.pixels == width * height / 2 && intro.right - intro.left == width / 2);
        if (shown.pixels == width * height - shapedSkinCornerCut * shapedSkinCornerCut)
            panel = shown;
    }
    EXPECT_TRUE(fadeSeen) << "no step of the intro's fade was seen";
    EXPECT_TRUE(introKeyedOut) << "the intro never showed as its coloured half alone";
    ASSERT_TRUE(panel) << "the shaped panel never showed; " << player.errors();
    EXPECT_EQ(panel->right - panel->left, width);
    EXPECT_EQ(panel->bottom - panel->top, height);
    const ScreenCapture shot = weston.screenshot();
    EXPECT_EQ(shot.pixel(panel->left + shapedSkinCornerCut - 1, panel->top + shapedSkinCornerCut - 1), background);
    EXPECT_EQ(shot.pixel(panel->left + shapedSkinCornerCut, panel->top), panelColour);

    EXPECT_EQ(player.wait(30s), 0) << player.errors();
    // Nothing but the notice that this private compositor has no session bus beside it.
    std::string errors = player.errors();
    if (const std::size_t bus = errors.find("windlecroft: no D-Bus session bus"); bus != std::string::npos)
        errors.erase(bus, errors.find('\n', bus) + 1 - bus);
    EXPECT_EQ(errors, "");
}
