// The period the player asks of its desktop's tick: the 10 ms frame tick while anything moves, one
// tick at a waiting timer's deadline, and none at all while nothing moves, waits or plays.
#include "support/StandardSkin.h"

#include <gtest/gtest.h>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

constexpr int frameTick = 10;

} // namespace

TEST(TickPacing, AnArmedTimerTicksAtItsDeadlineAndAStillPanelStopsTheTick)
{
    Harness h(false);
    TestSkin skin;
    PageRecords records;
    records.intro = [](SkinConfigWriter& c) { c.pageTimer(300, 0x8001, toDay); };
    records.day = [](SkinConfigWriter& c) { c.button({10, 10, 110, 40}, 0x1009, 0); };
    buildStandardSkin(skin, "intro", false, false, records);
    h.start(skin);
    h.run(200);
    EXPECT_EQ(h.app->scenes().currentScene(), "intro");
    // Without translucency a timer waits 1000 ms longer: it fires after 1300 ms.
    EXPECT_GE(h.desktop->tickInterval(), 1090) << "one tick, at the intro timer's deadline";
    EXPECT_LE(h.desktop->tickInterval(), 1110);
    h.run(1200);
    ASSERT_EQ(h.app->scenes().currentScene(), "dzien");
    h.run(20);
    EXPECT_EQ(h.desktop->tickInterval(), EventLoop::noTick) << "nothing moves or plays on the day page";
}

TEST(TickPacing, HighlightFadesRunOnTheFrameTickUntilTheyEnd)
{
    Harness h(false);
    TestSkin skin;
    PageRecords records;
    records.day = [](SkinConfigWriter& c) { c.button({10, 10, 110, 40}, 0x1009, 0); };
    buildStandardSkin(skin, "dzien", false, false, records);
    h.start(skin);
    h.run(50);
    const int resting = h.desktop->tickInterval();
    ASSERT_EQ(resting, EventLoop::noTick);
    // The pointer's arrival starts the fade in its own frame, without waiting for a tick.
    h.app->mouseMove(50, 20, 0);
    EXPECT_EQ(h.desktop->tickInterval(), frameTick);
    h.run(500);
    EXPECT_EQ(h.pixel(50, 20), dayColours.highlight);
    EXPECT_EQ(h.desktop->tickInterval(), resting) << "the highlight is full";
    h.app->mouseMove(300, 300, 0);
    EXPECT_EQ(h.desktop->tickInterval(), frameTick) << "the highlight fades out";
    h.run(500);
    EXPECT_EQ(h.desktop->tickInterval(), resting);
}

TEST(TickPacing, CrossFadeRunsOnTheFrameTick)
{
    Harness h(false);
    TestSkin skin;
    buildStandardSkin(skin, "dzien", true, true);
    h.start(skin);
    h.run(50);
    ASSERT_EQ(h.desktop->tickInterval(), EventLoop::noTick);
    // Position 13 belongs to the night page: the track asks for the switch.
    h.act(0x1010, 13);
    ASSERT_TRUE(h.app->scenes().switchPending());
    EXPECT_EQ(h.desktop->tickInterval(), frameTick);
    h.run(1600);
    EXPECT_EQ(h.app->scenes().currentScene(), "noc");
    EXPECT_EQ(h.desktop->tickInterval(), EventLoop::noTick);
}

TEST(TickPacing, QuitAfterIsKeptToTheFrameTick)
{
    Harness h(false);
    TestSkin skin;
    buildStandardSkin(skin, "dzien", false, false);
    skin.save(h.dir.path());
    h.desktop = std::make_unique<HeadlessDesktop>(h.clock, false, ScreenRect{0, 0, 1024, 768});
    ApplicationOptions options;
    options.skinDir = h.dir.path();
    options.quitAfterMs = 135;
    h.app = std::make_unique<Application>(*h.desktop, h.clock, h.audio, options, &h.log);
    h.app->preReadConfig();
    h.app->createMainWindow();
    h.app->loadConfig();
    h.app->initAudio();
    h.app->startScenes();
    h.run(100);
    EXPECT_LE(h.desktop->tickInterval(), 35) << "no tick may land after the deadline";
    EXPECT_GE(h.desktop->tickInterval(), frameTick);
}
