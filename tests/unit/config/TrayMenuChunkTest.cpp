#include "app/Application.h"
#include "config/SkinConfigLoader.h"
#include "config/SkinWriter.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/NullAudioOutput.h"
#include "platform/headless/ManualClock.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace windlecroft;

TEST(TrayMenuChunk, TipAndEntriesAddToOneMenuAndTheLastTipWins)
{
    ManualClock clock;
    HeadlessDesktop desktop{clock};
    NullAudioOutput audio;
    std::ostringstream log;
    Application app{desktop, clock, audio, {}, &log};

    SkinConfigWriter config("t", 100, 100);
    config.trayMenu("only a tip", {});
    config.trayMenu("Windlecroft player", {{"Play", 0x1001, 0}, {"Louder", 0x1017, 80}});
    config.trayMenu("final tip", {{"Quit", 0xFFFF, 0}});
    walkSkinConfig(config.finish(), app);

    EXPECT_EQ(app.trayTip, "final tip");
    const auto& menu = app.trayIcon.menu();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].command, 0xFFFC);
    EXPECT_EQ(menu[1].text, "Play");
    EXPECT_EQ(menu[2].text, "Louder");
    EXPECT_EQ(menu[3].text, "Quit");
    EXPECT_EQ(app.trayIcon.items().back().action, (Action{0x1001, 0}));
    EXPECT_EQ(app.trayIcon.items()[1].action, (Action{0x1017, 80}));
}
