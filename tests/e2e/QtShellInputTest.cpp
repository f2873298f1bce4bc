// The Qt shell in this process on a private Xvfb, driven by xdotool as a person would drive it:
// what reaches the core, and how a press nothing takes drags the window.
#include "EventRecorder.h"
#include "QtSession.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtMainWindow.h"
#include "resources/Surface.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

constexpr int windowX = 100;
constexpr int windowY = 80;

// A shown window with a grey frame, on a display without a window manager.
class ShellInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session.ready());
        desktop = std::make_unique<QtDesktop>();
        desktop->createWindow("input", windowX, windowY, 200, 150);
        Surface frame(200, 150);
        for (int y = 0; y < frame.height(); ++y)
            std::fill_n(frame.row(y), frame.width(), 0x00405060u);
        desktop->present(frame);
        desktop->showWindow(ShowCommand::Show);
    }

    void TearDown() override
    {
        if (desktop)
            desktop->destroyWindow();
        desktop.reset();
    }

    std::string windowId() const { return std::to_string(desktop->window()->winId()); }

    // Waits until the window is on screen, then gives it the keyboard focus, so that no focus
    // event comes with a later click.
    bool waitUntilShown(bool focus = true)
    {
        if (!QtSession::waitFor([&] {
                return session.run({"xdotool", "search", "--onlyvisible", "--name", "^input$"}, 0).has_value();
            }))
            return false;
        if (!focus)
            return true;
        session.run({"xdotool", "windowfocus", "--sync", windowId()});
        const bool focused = QtSession::waitFor([&] { return events.saw("focus"); });
        events.take();
        return focused;
    }

    // xdotool with client coordinates made absolute.
    void pointerTo(int x, int y)
    {
        const QPoint corner = desktop->window()->pos();
        session.run({"xdotool", "mousemove", std::to_string(corner.x() + x), std::to_string(corner.y() + y)});
    }

    void inLoop(const std::function<void()>& body) { QtSession::insideLoop(*desktop, events, body); }

    QtSession session;
    std::unique_ptr<QtDesktop> desktop;
    EventRecorder events;
};

int count(const std::vector<std::string>& lines, const std::string& line)
{
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

} // namespace

TEST_F(ShellInput, KeysArriveAsVirtualKeyCodesAndAHeldKeyRepeatsWithoutRelease)
{
    inLoop([&] {
        ASSERT_TRUE(waitUntilShown());
        // xdotool lets Shift go before '/': the release names the same key as the shifted press.
        session.run({"xdotool", "key", "space", "a", "F1", "Escape", "Left", "Tab", "KP_Add", "shift+slash"});
        const std::vector<std::string> expected{
            "key down 32",  "key up 32",  "key down 65", "key up 65",   "key down 112", "key up 112",
            "key down 27",  "key up 27",  "key down 37", "key up 37",   "key down 9",   "key up 9",
            "key down 107", "key up 107", "key down 16", "key down 191", "key up 16",   "key up 191",
        };
        EXPECT_EQ(events.take(), expected);

        session.run({"xdotool", "keydown", "b"}, 900);
        session.run({"xdotool", "keyup", "b"});
        const std::vector<std::string> held = events.take();
        EXPECT_GE(count(held, "key down 66"), 3) << "the X server did not repeat the held key";
        EXPECT_EQ(count(held, "key up 66"), 1) << ::testing::PrintToString(held);
        ASSERT_FALSE(held.empty());
        EXPECT_EQ(held.back(), "key up 66");
    });
}

TEST_F(ShellInput, MouseEventsCarryClientCoordinatesTheKeyStateWordAndSignedWheelNotches)
{
    inLoop([&] {
        ASSERT_TRUE(waitUntilShown());
        pointerTo(10, 20);
        EXPECT_EQ(events.take(true), std::vector<std::string>{"move 10 20 0"});

        session.run({"xdotool", "keydown", "shift"});
        pointerTo(12, 20);
        session.run({"xdotool", "keyup", "shift", "keydown", "ctrl", "mousedown", "1"});
        pointerTo(14, 21);
        session.run({"xdotool", "mouseup", "1", "keyup", "ctrl"});
        session.run({"xdotool", "mousedown", "2"});
        pointerTo(15, 21);
        session.run({"xdotool", "mouseup", "2", "click", "3", "click", "4", "click", "5"});
        const std::vector<std::string> lines = events.take(true);
        const std::vector<std::string> expected{"move 12 20 4", "down 12 20", "move 14 21 9", "up 14 21", "move 15 21 16",
                                                "right",        "wheel 15 21 120", "wheel 15 21 -120"};
        std::vector<std::string> seen;
        for (const std::string& line : lines) {
            if (line.rfind("key ", 0) != 0)
                seen.push_back(line);
        }
        EXPECT_EQ(seen, expected);
    });
}

TEST_F(ShellInput, ADoubleClickIsPressReleasePressDoubleClickRelease)
{
    inLoop([&] {
        ASSERT_TRUE(waitUntilShown());
        pointerTo(30, 40);
        events.take();
        session.run({"xdotool", "click", "--repeat", "2", "--delay", "60", "1"});
        EXPECT_EQ(events.take(), (std::vector<std::string>{"down 30 40", "up 30 40", "down 30 40", "double 30 40", "up 30 40"}));
    });
}

// As a click activates a window before the window sees it, the core hears of the focus first
// (it resets its buttons then), and only once.
TEST_F(ShellInput, AClickOnAWindowWithoutFocusReportsTheFocusBeforeThePress)
{
    inLoop([&] {
        ASSERT_TRUE(waitUntilShown(false));
        pointerTo(30, 40);
        events.take();
        session.run({"xdotool", "click", "1"}, 400);
        session.run({"xdotool", "click", "3"}, 400);
        EXPECT_EQ(events.take(), (std::vector<std::string>{"focus", "down 30 40", "up 30 40", "right"}));
        EXPECT_TRUE(desktop->window()->hasFocus());
    });
}

TEST_F(ShellInput, APressNothingTakesDragsTheWindowAndItsReleaseIsNoClick)
{
    inLoop([&] {
        ASSERT_TRUE(waitUntilShown());
        const auto before = session.x().geometry(windowId());
        ASSERT_TRUE(before);

        events.takePress = false;
        pointerTo(50, 50);
        events.take();
        session.run({"xdotool", "mousedown", "1"});
        for (int step = 1; step <= 4; ++step)
            session.run({"xdotool", "mousemove_relative", "--", "15", "10"}, 50);
        session.run({"xdotool", "mouseup", "1"});
        const auto dragged = session.x().geometry(windowId());
        ASSERT_TRUE(dragged);
        EXPECT_EQ(dragged->x, before->x + 60);
        EXPECT_EQ(dragged->y, before->y + 40);
        EXPECT_EQ(events.take(true), std::vector<std::string>{"down 50 50"});
        EXPECT_GT(events.moves, 0);

        // A press the core takes leaves the window where it is.
        events.takePress = true;
        session.run({"xdotool", "mousedown", "1", "mousemove_relative", "--", "20", "20", "mouseup", "1"});
        const auto after = session.x().geometry(windowId());
        ASSERT_TRUE(after);
        EXPECT_EQ(after->x, dragged->x);
        EXPECT_EQ(after->y, dragged->y);
        EXPECT_EQ(events.take(), (std::vector<std::string>{"down 50 50", "up 70 70"}));
    });
}

TEST_F(ShellInput, ClosingOnlyAsksTheCore)
{
    inLoop([&] {
        ASSERT_TRUE(waitUntilShown());
        desktop->window()->close();
        QtSession::pump(100);
        EXPECT_EQ(events.take(), std::vector<std::string>{"close"});
        EXPECT_TRUE(desktop->window()->isVisible());
    });
}
