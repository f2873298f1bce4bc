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
    EXPECT_EQ(h.log.str(), "action 0x1009 0x0000\naction 0x1009 0x0000\n");
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
