#include "SkinBuilder.h"
#include "ToneEncoder.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace windlecroft;
using namespace windlecroft::test;

TEST(Actions, StopThenPlayPostedBeforeOneUpdateEndsStopped)
{
    Harness h(false);
    TestSkin skin;
    skin.config.startScene("dzien");
    skin.addPage("dzien", dayColours);
    const std::vector<std::uint8_t> tone = encodeTone({});
    writeFile(h.dir / "tone.ogg", tone);
    skin.config.begin(0x1000);
    skin.config.out().u8(1);
    skin.config.out().u16(1);
    skin.config.out().string("Tone");
    skin.config.out().string((h.dir / "tone.ogg").string());
    skin.config.end();
    h.start(skin);

    h.app->postAction(0x1002, 0);
    h.app->postAction(0x1001, 0);
    h.run(10);
    EXPECT_FALSE(h.app->player.mainPlaying());

    h.app->postAction(0x1001, 0);
    h.app->postAction(0x1002, 0);
    h.run(10);
    EXPECT_TRUE(h.app->player.mainPlaying());
    // The title drawn is the playing entry's name.
    EXPECT_EQ(h.app->playlist.at(h.app->player.currentIndex())->title, "Tone");
}

TEST(Actions, PageSwitchRunsLeaveAndEnterListsInTheSameUpdateEnterFirst)
{
    Harness h(false, true);
    TestSkin skin;
    PageRecords records;
    records.day = [](SkinConfigWriter& c) { c.actionRecord(0x4070, 0x0A01, 1); };
    records.evening = [](SkinConfigWriter& c) { c.actionRecord(0x4060, 0x0A02, 2); };
    buildStandardSkin(skin, "dzien", false, false, records);
    h.start(skin);
    h.run(20);
    h.log.str("");
    h.app->postAction(0x8001, toEvening);
    h.app->frameUpdate();
    EXPECT_EQ(h.log.str(), "action 0x8001 0x0001\naction 0x0A02 0x0002\naction 0x0A01 0x0001\n");
    EXPECT_EQ(h.app->nextScene, "wieczor");
}

TEST(Actions, TrackDrivenSwitchReplacesAnEarlierRequestAndNeverLeavesIntro)
{
    Harness h(false);
    TestSkin skin;
    buildStandardSkin(skin, "intro", false, false);
    h.start(skin);
    h.run(20);
    // On the intro the playing position changes no page.
    h.act(0x1010, 13);
    EXPECT_EQ(h.app->currentScene, "intro");
    h.act(0x8001, toDay);
    EXPECT_EQ(h.app->currentScene, "dzien");
    // Position 13 belongs to the night page, which the next update asks for.
    h.run(10);
    EXPECT_EQ(h.app->currentScene, "noc");
    h.run(50);
    EXPECT_EQ(h.app->currentScene, "noc");
    // An evening request and a move to position 3 in one update: the track's page wins.
    h.app->postAction(0x8001, toEvening);
    h.app->postAction(0x1010, 3);
    h.app->frameUpdate();
    EXPECT_EQ(h.app->nextScene, "dzien");
}

TEST(Actions, PluginCommandIsSeenDuringItsFrameOnly)
{
    Harness h(false);
    TestSkin skin;
    std::filesystem::copy_file(RECORDER_PLUGIN, h.dir / "recorder.so");
    skin.config.plugin("rec", "recorder.so");
    PageRecords records;
    records.night = [](SkinConfigWriter& c) { c.pagePlugin("rec", 0); };
    buildStandardSkin(skin, "dzien", true, true, records);
    h.start(skin);
    h.run(20);
    h.app->postAction(0x7001, 5);
    h.app->postAction(0x1010, 13);
    h.run(10);
    EXPECT_EQ(h.app->pluginContext.record().pluginCommand, 5);
    h.run(1600);
    EXPECT_EQ(h.app->currentScene, "noc");
    EXPECT_EQ(h.app->pluginContext.record().pluginCommand, 0);
    EXPECT_EQ(h.app->pluginContext.pageName(), "noc");
}

TEST(Actions, StringMappingErrorsEndTheLoopWithTheirMessage)
{
    const std::vector<std::pair<bool, std::string>> cases{
        {true, "string mapping index out of range"},
        {false, "string mapping is null, propably not initialized"}};
    for (const auto& [withMapping, message] : cases) {
        TempDir dir;
        TestSkin skin;
        skin.config.startScene("dzien");
        if (withMapping)
            skin.config.stringMapping(1, {{"noc", 0}});
        const std::uint16_t index = withMapping ? 7 : 0;
        skin.addPage("dzien", dayColours, false, [index](SkinConfigWriter& c) { c.pageTimer(50, 0x8001, index); });
        skin.save(dir.path());
        ManualClock clock;
        HeadlessDesktop desktop(clock, false);
        NullAudioOutput audio;
        std::ostringstream log;
        ApplicationOptions options;
        options.skinDir = dir.path();
        options.quitAfterMs = 5000;
        Application app(desktop, clock, audio, options, &log);
        EXPECT_EQ(app.run(), 1);
        EXPECT_EQ(desktop.lastError(), message);
        EXPECT_EQ(log.str(), "windlecroft: " + message + "\n");
        // Shutdown ran in order: the window is gone.
        EXPECT_FALSE(desktop.window().has_value());
    }
}
