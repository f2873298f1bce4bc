// The Qt shell's translucent window under a compositing manager, read back from the screen.
#include "EventRecorder.h"
#include "QtSession.h"
#include "ScreenCapture.h"
#include "platform/qt/QtDesktop.h"
#include "resources/Surface.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QWidget>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

constexpr int windowX = 100;
constexpr int windowY = 80;
constexpr std::uint32_t colour = 0x3080C0;
constexpr std::uint32_t nearWhite = 0xFFFFFE;

// White on the left, one column short of white next to it, a colour on the right.
Surface keyedFrame()
{
    Surface frame(64, 48);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x)
            frame.setPixel(x, y, x < 24 ? 0xFFFFFF : x < 32 ? nearWhite : colour);
    }
    return frame;
}

std::uint32_t blend(std::uint32_t over, std::uint32_t under, int alpha)
{
    std::uint32_t result = 0;
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((over >> shift) & 0xFF);
        const int b = static_cast<int>((under >> shift) & 0xFF);
        result |= static_cast<std::uint32_t>((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

} // namespace

TEST(QtShellTranslucency, WhiteIsKeyedOutAndEveryOtherPixelShowsAtTheWindowAlpha)
{
    QtSession session(320, 240);
    ASSERT_TRUE(session.ready());
    {
        QtDesktop withoutCompositor;
        EXPECT_FALSE(withoutCompositor.supportsLayered());
    }
    session.startHelper({"xcompmgr"});
    std::unique_ptr<QtDesktop> desktop;
    // The compositing manager needs a moment to announce itself.
    ASSERT_TRUE(QtSession::waitFor([&] {
        QtSession::pump(50);
        desktop = std::make_unique<QtDesktop>();
        return desktop->supportsLayered();
    }));

    desktop->createWindow("translucent", windowX, windowY, 64, 48);
    desktop->setTranslucent(true);
    desktop->setWindowAlpha(0);
    desktop->showWindow(ShowCommand::Show);
    desktop->present(keyedFrame());

    const auto shot = [&] {
        QtSession::pump(600);
        return ScreenCapture(session.x());
    };
    {
        const ScreenCapture screen = shot();
        ASSERT_TRUE(screen.valid());
        const std::uint32_t desktopColour = screen.pixel(300, 220);
        for (int x : {2, 26, 40, 63})
            EXPECT_TRUE(coloursNear(screen.pixel(windowX + x, windowY + 20), desktopColour, 2)) << "alpha 0, x " << x;
    }

    desktop->setWindowAlpha(255);
    {
        const ScreenCapture screen = shot();
        const std::uint32_t desktopColour = screen.pixel(300, 220);
        ASSERT_FALSE(coloursNear(desktopColour, 0xFFFFFF, 8)) << "the desktop must differ from white for this test";
        EXPECT_TRUE(coloursNear(screen.pixel(windowX + 5, windowY + 5), desktopColour, 2)) << std::hex << screen.pixel(windowX + 5, windowY + 5);
        EXPECT_TRUE(coloursNear(screen.pixel(windowX + 23, windowY + 47), desktopColour, 2));
        EXPECT_TRUE(coloursNear(screen.pixel(windowX + 26, windowY + 5), nearWhite, 2));
        EXPECT_TRUE(coloursNear(screen.pixel(windowX + 50, windowY + 30), colour, 2)) << std::hex << screen.pixel(windowX + 50, windowY + 30);
    }

    desktop->setWindowAlpha(128);
    {
        const ScreenCapture screen = shot();
        const std::uint32_t desktopColour = screen.pixel(300, 220);
        EXPECT_TRUE(coloursNear(screen.pixel(windowX + 5, windowY + 5), desktopColour, 2));
        const std::uint32_t half = screen.pixel(windowX + 50, windowY + 30);
        EXPECT_TRUE(coloursNear(half, blend(colour, desktopColour, 128), 4)) << std::hex << half;
    }

    // Opaque again: white shows as white, whatever the alpha was.
    desktop->setTranslucent(false);
    {
        const ScreenCapture screen = shot();
        EXPECT_EQ(screen.pixel(windowX + 5, windowY + 5), 0xFFFFFFu);
        EXPECT_EQ(screen.pixel(windowX + 50, windowY + 30), colour);
    }
    desktop->destroyWindow();
}

namespace {

// A plain window that counts the presses it gets.
class PressCounter final : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

} // namespace

class QtShellTranslucencyAtRatio : public ::testing::TestWithParam<int> {};

// Keyed-out white lets clicks through to the window below, as a colour key does; the pixels
// that show take them. At a device pixel ratio of 2 the input shape is as large as the window,
// and the last screen pixel of a skin pixel still belongs to it.
TEST_P(QtShellTranslucencyAtRatio, APressOnAKeyedPixelReachesTheWindowBelow)
{
    const int ratio = GetParam();
    QtSession session(320 * ratio, 240 * ratio, ratio);
    ASSERT_TRUE(session.ready());
    session.startHelper({"xcompmgr"});
    std::unique_ptr<QtDesktop> desktop;
    ASSERT_TRUE(QtSession::waitFor([&] {
        QtSession::pump(50);
        desktop = std::make_unique<QtDesktop>();
        return desktop->supportsLayered();
    }));
    PressCounter below;
    below.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    below.setGeometry(windowX, windowY, 64, 48);
    below.show();
    QtSession::pump(200);

    desktop->createWindow("translucent", windowX, windowY, 64, 48);
    desktop->setTranslucent(true);
    desktop->setWindowAlpha(255);
    desktop->showWindow(ShowCommand::Show);
    desktop->present(keyedFrame());
    EventRecorder events;
    QtSession::insideLoop(*desktop, events, [&] {
        QtSession::pump(400);
        const auto clickAt = [&](int x) {
            session.run({"xdotool", "mousemove", std::to_string((windowX + x) * ratio + ratio - 1),
                         std::to_string((windowY + 20) * ratio), "click", "1"},
                        300);
        };
        clickAt(20);
        EXPECT_EQ(below.presses, 1) << "the press on white went to the window below";
        EXPECT_FALSE(events.saw("down 20 20"));
        clickAt(50);
        EXPECT_TRUE(events.saw("down 50 20")) << "a visible pixel takes the press";
        EXPECT_EQ(below.presses, 1);
    });
    desktop->destroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Ratios, QtShellTranslucencyAtRatio, ::testing::Values(1, 2));
