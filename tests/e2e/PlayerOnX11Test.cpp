// The real player on a private Xvfb, used with xdotool as a person would use it and read back
// from the screen: the window's shapes, dragging, translucency and the tray.
#include "ScreenCapture.h"
#include "XServer.h"
#include "app/SkinBuilder.h"
#include "support/SkinConfigWriter.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "support/TestSkin.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>

using namespace windlecroft;
using namespace windlecroft::test;
using namespace std::chrono_literals;

namespace {

constexpr int width = 400;
constexpr int height = 300;
const std::string title = "Windlecroft on X11";
constexpr std::uint32_t introColour = 0x203040;
constexpr std::uint32_t panelColour = 0x806020;
// The panel's shape leaves out the top-left corner of this size.
constexpr int cornerCut = 50;
// A button on the panel that sends the window to the tray, and where to click it.
constexpr Rect trayButton{300, 220, 380, 280};
constexpr std::uint16_t toTray = 0xFFFD;
constexpr std::uint16_t quit = 0xFFFF;
constexpr std::uint8_t escapeKey = 0x1B;

// A 24-bit BMP whose columns left of split are one colour and the rest another.
std::vector<std::uint8_t> splitBmp(int w, int h, int split, std::uint32_t left, std::uint32_t right)
{
    const int rowBytes = (w * 3 + 3) / 4 * 4;
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(static_cast<std::uint32_t>(54 + rowBytes * h));
    out.u32(0);
    out.u32(54);
    out.u32(40);
    out.u32(static_cast<std::uint32_t>(w));
    out.u32(static_cast<std::uint32_t>(h));
    out.u16(1);
    out.u16(24);
    for (int i = 0; i < 6; ++i)
        out.u32(0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t rgb = x < split ? left : right;
            out.u8(static_cast<std::uint8_t>(rgb));
            out.u8(static_cast<std::uint8_t>(rgb >> 8));
            out.u8(static_cast<std::uint8_t>(rgb >> 16));
        }
        for (int pad = w * 3; pad < rowBytes; ++pad)
            out.u8(0);
    }
    return out.bytes();
}

// The intro switches to the panel page ("dzien", the page of the first track) after 300 ms.
// Bare background everywhere but the tray button; Escape quits; the tray menu can quit too.
void writePanelSkin(const TempDir& dir)
{
    SkinConfigWriter config(title, width, height);
    config.startScene("intro");
    config.stringMapping(1, {{"dzien", 0}});
    config.trayMenu("Windlecroft tray", {{"Koniec", quit, 0}});
    config.beginPage("intro", "Data\\intro.bmp");
    config.pageTimer(300, 0x8001, 0);
    config.endPage();
    config.beginPage("dzien", "Data\\panel.bmp");
    config.button(trayButton, toTray, 0);
    config.keyBinding(escapeKey, quit, 0);
    config.endPage();
    config.save(dir / configFileName);

    ArchiveWriter archive;
    archive.add("Data\\intro.bmp", solidBmp(width, height, introColour));
    archive.add("Data\\panel.bmp", solidBmp(width, height, panelColour));
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(width * height), 0);
    for (int y = 0; y < cornerCut; ++y) {
        for (int x = 0; x < cornerCut; ++x)
            mask[static_cast<std::size_t>(y * width + x)] = 1;
    }
    archive.add("Data\\panel.rgn", mask);
    archive.save(dir / dataFileName);
}

Process::Options onDisplay(const TempDir& skin, const XServer& x, const TempDir& runtime)
{
    Process::Options options;
    options.workingDir = skin.path();
    options.environment.insert({{"DISPLAY", x.display()},
                                {"WAYLAND_DISPLAY", ""},
                                {"QT_QPA_PLATFORM", "xcb"},
                                // A bus address where none listens: the player runs without a session bus.
                                {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (runtime / "no-bus").string()},
                                {"SDL_AUDIODRIVER", "dummy"},
                                {"XDG_RUNTIME_DIR", runtime.path().string()}});
    return options;
}

void xdotool(const XServer& x, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "xdotool");
    x.query(arguments);
}

bool windowVisible(const XServer& x)
{
    return x.query({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"}).has_value();
}

// The centre of the player's icon inside the tray host, found in the window tree by the
// program's name; nothing while no icon is there.
std::optional<std::pair<int, int>> trayIconCentre(const XServer& x)
{
    const auto tree = x.query({"xwininfo", "-root", "-tree"});
    if (!tree)
        return std::nullopt;
    static const std::regex iconLine(R"re("windlecroft": \("windlecroft" [^)]*\)\s+(\d+)x(\d+)[-+]-?\d+[-+]-?\d+\s+\+(-?\d+)\+(-?\d+))re");
    std::smatch match;
    if (!std::regex_search(*tree, match, iconLine))
        return std::nullopt;
    const int w = std::stoi(match[1]);
    const int h = std::stoi(match[2]);
    return std::pair{std::stoi(match[3]) + w / 2, std::stoi(match[4]) + h / 2};
}

} // namespace

TEST(PlayerOnX11, ThePanelShapeShowsTheDesktopOutsideItAndABarePressDragsTheWindow)
{
    XServer x(1024, 768);
    ASSERT_TRUE(x.ready());
    TempDir skin;
    writePanelSkin(skin);
    TempDir runtime;
    Process player({builtProgram("windlecroft").string(), "--quit-after", "30000"}, onDisplay(skin, x, runtime));
    const auto window = x.waitForWindow(title);
    ASSERT_TRUE(window) << player.errors();
    const auto placed = x.geometry(*window);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->x, (1024 - width) / 2);
    EXPECT_EQ(placed->y, (768 - height) / 2);

    // Left of x 90 only the panel's shape shows the window: the intro's rectangle starts there.
    ASSERT_TRUE(eventually([&] { return ScreenCapture(x).pixel(placed->x + 70, placed->y + 10) == panelColour; }))
        << "the panel never showed; " << player.errors();
    {
        const ScreenCapture screen(x);
        EXPECT_EQ(screen.pixel(placed->x + 10, placed->y + 10), 0xFFFFFFu); // Xvfb's white desktop
        EXPECT_EQ(screen.pixel(placed->x + cornerCut - 1, placed->y + cornerCut - 1), 0xFFFFFFu);
        EXPECT_EQ(screen.pixel(placed->x + cornerCut, placed->y + cornerCut - 1), panelColour);
        EXPECT_EQ(screen.pixel(placed->x + 200, placed->y + 150), panelColour);
        EXPECT_EQ(screen.pixel(placed->x + width - 1, placed->y + height - 1), panelColour);
    }

    xdotool(x, {"mousemove", std::to_string(placed->x + 150), std::to_string(placed->y + 100), "mousedown", "1"});
    for (int step = 0; step < 4; ++step) {
        xdotool(x, {"mousemove_relative", "--", "10", "15"});
        std::this_thread::sleep_for(50ms);
    }
    xdotool(x, {"mouseup", "1"});
    EXPECT_TRUE(eventually([&] {
        const auto moved = x.geometry(*window);
        return moved && moved->x == placed->x + 40 && moved->y == placed->y + 60;
    })) << "the window did not follow the pointer";
    // The shape moved with the window.
    EXPECT_TRUE(eventually([&] {
        const ScreenCapture screen(x);
        return screen.pixel(placed->x + 40 + 10, placed->y + 60 + 10) == 0xFFFFFFu
               && screen.pixel(placed->x + 40 + 70, placed->y + 60 + 10) == panelColour;
    }));

    xdotool(x, {"windowfocus", "--sync", *window, "key", "Escape"});
    EXPECT_EQ(player.wait(15s), 0) << player.errors();
    // The missing bus is told in one line; nothing else is said.
    const std::string errors = player.errors();
    EXPECT_EQ(errors.rfind("windlecroft: no D-Bus session bus", 0), 0u) << errors;
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
}

TEST(PlayerOnX11, ToTrayHidesTheWindowATrayClickBringsItBackAndQuittingLeavesNoIcon)
{
    XServer x(640, 480);
    ASSERT_TRUE(x.ready());
    Process::Options hostOptions;
    hostOptions.environment["DISPLAY"] = x.display();
    Process trayHost({"trayer", "--edge", "top", "--align", "left", "--widthtype", "pixel", "--width", "40",
                      "--heighttype", "pixel", "--height", "40", "--SetDockType", "false", "--SetPartialStrut",
                      "false", "--expand", "false"},
                     hostOptions);
    ASSERT_TRUE(x.waitForWindow("panel")) << "trayer did not start";

    TempDir skin;
    writePanelSkin(skin);
    TempDir runtime;
    Process player({builtProgram("windlecroft").string(), "--quit-after", "30000"}, onDisplay(skin, x, runtime));
    const auto window = x.waitForWindow(title);
    ASSERT_TRUE(window) << player.errors();
    const auto placed = x.geometry(*window);
    ASSERT_TRUE(placed);
    ASSERT_TRUE(eventually([&] { return ScreenCapture(x).pixel(placed->x + 70, placed->y + 10) == panelColour; }))
        << player.errors();
    EXPECT_FALSE(trayIconCentre(x));

    const std::string buttonX = std::to_string(placed->x + (trayButton.left + trayButton.right) / 2);
    const std::string buttonY = std::to_string(placed->y + (trayButton.top + trayButton.bottom) / 2);
    xdotool(x, {"mousemove", buttonX, buttonY, "click", "1"});
    ASSERT_TRUE(eventually([&] { return !windowVisible(x); })) << "still on screen; " << player.errors();
    std::optional<std::pair<int, int>> icon;
    ASSERT_TRUE(eventually([&] { return (icon = trayIconCentre(x)).has_value(); })) << "no icon in the tray";

    xdotool(x, {"mousemove", std::to_string(icon->first), std::to_string(icon->second), "click", "1"});
    EXPECT_TRUE(eventually([&] { return windowVisible(x); })) << "a click on the icon did not restore the window";
    EXPECT_TRUE(eventually([&] { return !trayIconCentre(x); })) << "the icon stayed after the restore";
    EXPECT_TRUE(eventually([&] { return ScreenCapture(x).pixel(placed->x + 200, placed->y + 150) == panelColour; }));

    // Back to the tray, and out through the tray menu: Down selects the restore entry, the
    // second Down the skin's quit entry.
    xdotool(x, {"mousemove", buttonX, buttonY, "click", "1"});
    ASSERT_TRUE(eventually([&] { return (icon = trayIconCentre(x)).has_value(); }));
    xdotool(x, {"mousemove", std::to_string(icon->first), std::to_string(icon->second), "click", "3"});
    std::this_thread::sleep_for(500ms);
    xdotool(x, {"key", "Down", "Down", "Return"});
    EXPECT_EQ(player.wait(15s), 0) << player.errors();
    EXPECT_FALSE(trayIconCentre(x)) << "an icon was left behind";
}

TEST(PlayerOnX11, OnTheTranslucentPathTheIntroFadesInWithWhiteKeyedOut)
{
    XServer x(800, 600);
    ASSERT_TRUE(x.ready());
    Process::Options helperOptions;
    helperOptions.environment["DISPLAY"] = x.display();
    Process compositor({"xcompmgr"}, helperOptions);
    // xcompmgr takes the compositing selection as it starts; the player looks for it once.
    std::this_thread::sleep_for(700ms);
    ASSERT_TRUE(compositor.running());

    constexpr std::uint32_t colour = 0x3080C0;
    TempDir skin;
    SkinConfigWriter config(title, width, height);
    config.startScene("intro");
    config.beginPage("intro", "Data\\intro.bmp");
    config.keyBinding(escapeKey, quit, 0);
    config.endPage();
    config.save(skin / configFileName);
    ArchiveWriter archive;
    archive.add("Data\\intro.bmp", splitBmp(width, height, width / 2, 0xFFFFFF, colour));
    archive.add("Data\\panel.rgn", std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), 0));
    archive.save(skin / dataFileName);

    TempDir runtime;
    Process player({builtProgram("windlecroft").string(), "--quit-after", "30000"}, onDisplay(skin, x, runtime));
    const auto window = x.waitForWindow(title);
    ASSERT_TRUE(window) << player.errors();
    const auto placed = x.geometry(*window);
    ASSERT_TRUE(placed);

    // The coloured half, sampled while the fade runs, goes from the desktop's colour to the
    // picture's, never back.
    const auto alphaOf = [&](const ScreenCapture& screen) {
        const std::uint32_t shown = screen.pixel(placed->x + 300, placed->y + 150);
        const std::uint32_t under = screen.pixel(5, 5);
        // Measured on the channel where picture and desktop differ most.
        int best = 0;
        int alpha = 0;
        for (int shift : {0, 8, 16}) {
            const int span = static_cast<int>((colour >> shift) & 0xFF) - static_cast<int>((under >> shift) & 0xFF);
            if (std::abs(span) > std::abs(best)) {
                best = span;
                alpha = (static_cast<int>((shown >> shift) & 0xFF) - static_cast<int>((under >> shift) & 0xFF)) * 255 / span;
            }
        }
        return alpha;
    };
    std::vector<int> alphas;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < 3s && (alphas.empty() || alphas.back() < 250))
        alphas.push_back(alphaOf(ScreenCapture(x)));
    ASSERT_FALSE(alphas.empty());
    EXPECT_TRUE(std::any_of(alphas.begin(), alphas.end(), [](int a) { return a > 10 && a < 245; }))
        << "no step of the fade was seen: " << ::testing::PrintToString(alphas);
    for (std::size_t i = 1; i < alphas.size(); ++i)
        EXPECT_GE(alphas[i], alphas[i - 1] - 3) << ::testing::PrintToString(alphas);

    std::this_thread::sleep_for(1200ms);
    const ScreenCapture screen(x);
    const std::uint32_t desktop = screen.pixel(5, 5);
    ASSERT_FALSE(coloursNear(desktop, 0xFFFFFF, 8)) << "the compositor's desktop must not be white for this test";
    EXPECT_TRUE(coloursNear(screen.pixel(placed->x + 100, placed->y + 150), desktop, 2))
        << std::hex << screen.pixel(placed->x + 100, placed->y + 150) << " over " << desktop;
    EXPECT_TRUE(coloursNear(screen.pixel(placed->x + 300, placed->y + 150), colour, 3))
        << std::hex << screen.pixel(placed->x + 300, placed->y + 150);

    xdotool(x, {"windowfocus", "--sync", *window, "key", "Escape"});
    EXPECT_EQ(player.wait(15s), 0) << player.errors();
}
