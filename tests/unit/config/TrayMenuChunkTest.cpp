#include "support/SkinRig.h"

#include <gtest/gtest.h>

using namespace windlecroft;

TEST(TrayMenuChunk, TipAndEntriesAddToOneMenuAndTheLastTipWins)
{
    test::SkinRig rig;
    SkinConfigWriter config("t", 100, 100);
    config.trayMenu("only a tip", {});
    config.trayMenu("Windlecroft player", {{"Play", 0x1001, 0}, {"Louder", 0x1017, 80}});
    config.trayMenu("final tip", {{"Quit", 0xFFFF, 0}});
    ASSERT_EQ(rig.walk(config), "loaded");

    const TrayMenu& tray = rig.skin.trayMenu();
    EXPECT_EQ(tray.tip(), "final tip");
    const auto& menu = tray.menu();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].command, 0xFFFC);
    EXPECT_EQ(menu[1].text, "Play");
    EXPECT_EQ(menu[2].text, "Louder");
    EXPECT_EQ(menu[3].text, "Quit");
    EXPECT_EQ(tray.items().back().action, (Action{0x1001, 0}));
    EXPECT_EQ(tray.items()[1].action, (Action{0x1017, 80}));
}
