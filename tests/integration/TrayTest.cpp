#include "support/StandardSkin.h"

#include <gtest/gtest.h>

using namespace windlecroft;
using namespace windlecroft::test;

TEST(Tray, InTheTrayNothingIsDrawnAndFadesWaitThenFinishOnRestore)
{
    Harness h;
    TestSkin skin;
    skin.config.trayMenu("Windlecroft", {{"Quit", 0xFFFF, 0}});
    buildStandardSkin(skin, "intro", false, false);
    h.start(skin);
    h.run(200);
    h.act(0xFFFD);
    EXPECT_TRUE(h.desktop->trayShown());
    EXPECT_FALSE(h.desktop->window()->visible);
    ASSERT_EQ(h.desktop->trayMenu().size(), 2u);
    EXPECT_EQ(h.desktop->trayMenu()[0].text, "Przywróć");
    EXPECT_TRUE(h.desktop->trayMenu()[0].isDefault);
    EXPECT_EQ(h.desktop->trayTip(), "Windlecroft");

    const int presents = h.desktop->presentCount();
    const std::uint8_t alpha = h.desktop->windowAlpha();
    // Left presses reach no page and drag nothing while hidden.
    EXPECT_TRUE(h.app->mouseDown(300, 200));
    h.run(3000);
    EXPECT_EQ(h.desktop->presentCount(), presents);
    EXPECT_EQ(h.desktop->windowAlpha(), alpha);
    EXPECT_EQ(h.app->scenes().phase(), ScenePhase::IntroFadeIn);

    h.app->trayClicked(false);
    EXPECT_FALSE(h.desktop->trayShown());
    EXPECT_TRUE(h.desktop->window()->visible);
    EXPECT_EQ(h.app->scenes().phase(), ScenePhase::Idle);
    EXPECT_EQ(h.desktop->windowAlpha(), 254);
}

TEST(Tray, RightClickOpensTheMenuAndItsEntriesPostTheirActions)
{
    Harness h(false, true);
    TestSkin skin;
    skin.config.trayMenu("tip", {{"Random", 0x1009, 0}, {"Also random", 0x1009, 0}});
    buildStandardSkin(skin, "dzien", false, false);
    h.start(skin);
    h.act(0xFFFD);
    h.app->trayClicked(true);
    EXPECT_EQ(h.desktop->trayMenuOpened(), 1);
    h.log.str("");
    h.app->menuCommand(0x1009);
    // Both entries with the code post: random goes on and off again.
    EXPECT_EQ(h.log.str(), "windlecroft: action 0x1009 0x0000\nwindlecroft: action 0x1009 0x0000\n");
    EXPECT_FALSE(h.app->player().randomOrder());
    h.app->menuCommand(0xFFFC);
    EXPECT_FALSE(h.desktop->trayShown());
}

TEST(Tray, WithoutANotificationAreaToTrayMinimises)
{
    Harness h(false);
    TestSkin skin;
    buildStandardSkin(skin, "dzien", false, false);
    h.start(skin);
    h.desktop->setTrayAvailable(false);
    h.act(0xFFFD);
    EXPECT_FALSE(h.desktop->trayShown());
    EXPECT_TRUE(h.desktop->window()->minimised);
    // Restore shows the window whether or not the icon was shown.
    h.act(0xFFFC);
    EXPECT_TRUE(h.desktop->window()->visible);
    EXPECT_FALSE(h.desktop->window()->minimised);
}

namespace {

std::size_t linesOf(const std::string& log, const std::string& line)
{
    std::size_t count = 0;
    for (std::size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1))
        ++count;
    return count;
}

} // namespace

// Nothing is drawn in the tray, so a switch asked for meanwhile (the playlist moved to a track
// of another page) completes at once, its leave and enter actions once; the window comes back
// on that page, shaped for it, and the page takes clicks.
TEST(Tray, ATrackOfAnotherPageStartedWhileHiddenIsShownOnRestoreAndTakesClicks)
{
    for (const bool layered : {true, false}) {
        SCOPED_TRACE(layered ? "translucent" : "plain");
        Harness h(layered, true);
        TestSkin skin;
        PageRecords records;
        records.day = [](SkinConfigWriter& c) { c.actionRecord(0x4070, 0x0A01, 0); };
        records.night = [](SkinConfigWriter& c) {
            c.actionRecord(0x4060, 0x0A02, 0);
            c.button({10, 10, 50, 30}, 0x1009, 0);
        };
        buildStandardSkin(skin, "dzien", true, true, records);
        h.start(skin);
        h.run(1500);
        h.act(0xFFFD);
        h.act(0x1010, 13);
        h.run(3000);
        EXPECT_EQ(h.app->scenes().currentScene(), "noc");
        EXPECT_FALSE(h.app->scenes().switchPending());

        h.app->trayClicked(false);
        h.run(20);
        EXPECT_TRUE(h.desktop->window()->visible);
        EXPECT_EQ(h.pixel(300, 200), nightColours.normal);
        EXPECT_EQ(*h.desktop->windowShape(), *h.app->scenes().region("panel"));
        h.app->mouseDown(20, 20);
        h.app->mouseUp(20, 20);
        EXPECT_TRUE(h.app->player().randomOrder()) << "the night page's button took the click";
        EXPECT_EQ(linesOf(h.log.str(), "windlecroft: action 0x0A01"), 1u);
        EXPECT_EQ(linesOf(h.log.str(), "windlecroft: action 0x0A02"), 1u);
    }
}
