#include "support/StandardSkin.h"
#include "support/ToneEncoder.h"

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
    EXPECT_FALSE(h.app->player().mainPlaying());

    h.app->postAction(0x1001, 0);
    h.app->postAction(0x1002, 0);
    h.run(10);
    EXPECT_TRUE(h.app->player().mainPlaying());
    // The title drawn is the playing entry's name.
    EXPECT_EQ(h.app->skin().playlist().at(h.app->player().currentIndex())->title, "Tone");
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
    EXPECT_EQ(h.log.str(), "windlecroft: action 0x8001 0x0001\nwindlecroft: action 0x0A02 0x0002\nwindlecroft: action 0x0A01 0x0001\n");
    EXPECT_EQ(h.app->scenes().nextScene(), "wieczor");
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
    EXPECT_EQ(h.app->scenes().currentScene(), "intro");
    h.act(0x8001, toDay);
    EXPECT_EQ(h.app->scenes().currentScene(), "dzien");
    // Position 13 belongs to the night page, which the next update asks for.
    h.run(10);
    EXPECT_EQ(h.app->scenes().currentScene(), "noc");
    h.run(50);
    EXPECT_EQ(h.app->scenes().currentScene(), "noc");
    // An evening request and a move to position 3 in one update: the track's page wins.
    h.app->postAction(0x8001, toEvening);
    h.app->postAction(0x1010, 3);
    h.app->frameUpdate();
    EXPECT_EQ(h.app->scenes().nextScene(), "dzien");
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
    EXPECT_EQ(h.app->pluginContext().record().pluginCommand, 5);
    h.run(1600);
    EXPECT_EQ(h.app->scenes().currentScene(), "noc");
    EXPECT_EQ(h.app->pluginContext().record().pluginCommand, 0);
    EXPECT_EQ(h.app->pluginContext().pageName(), "noc");
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

// The player commands of a page's elements go through the one dispatcher: a chosen row plays
// that entry and a refused choice snaps back; only the seek slider's id seeks.
TEST(Actions, AChosenRowPlaysItsEntryAndTheSeekSliderSeeks)
{
    Harness h(false);
    TestSkin skin;
    skin.config.startScene("dzien");
    skin.config.font("lst", "", 400, 10);
    skin.archive.add("Data\\knob.bmp", solidBmp(20, 10, 0x102030));
    skin.addPage("dzien", dayColours, false, [](SkinConfigWriter& c) {
        c.textList({0, 100, 40, 139}, 0, "lst", 10);
        c.slider({0, 0, 60, 9}, 0, 0, "Data\\knob.bmp", 0x2001);
        c.slider({0, 20, 60, 29}, 0, 0, "Data\\knob.bmp", 0x2002);
    });
    writeFile(h.dir / "tone.ogg", encodeTone({.seconds = 4.0}));
    // Position 0 is a placeholder the player refuses.
    skin.config.tracklist(1, {{"Tone", (h.dir / "tone.ogg").string()}, {"Again", (h.dir / "tone.ogg").string()}, {"", ""}});
    h.start(skin);
    h.run(20);
    const TextList& list = *h.app->scenes().currentPage()->textList();

    // Rows show the newest entry first: row 1 is position 1.
    h.app->mouseDown(5, 115);
    h.app->mouseUp(5, 115);
    EXPECT_EQ(h.app->player().currentIndex(), 1);
    EXPECT_EQ(list.selected(), 1);
    h.app->mouseDown(5, 105);
    h.app->mouseUp(5, 105);
    EXPECT_EQ(h.app->player().currentIndex(), 1) << "the placeholder is refused";
    EXPECT_EQ(list.selected(), 1);

    const ChannelHandle stream = h.app->player().mainChannel().stream;
    const std::uint64_t length = h.app->audioEngine().length(stream);
    ASSERT_GT(length, 0u);
    h.app->mouseDown(30, 25); // the scrolling slider at 50 percent
    h.app->mouseUp(30, 25);
    EXPECT_LT(h.app->audioEngine().position(stream), length / 10) << "only the seek slider's id seeks";
    h.app->mouseDown(30, 5);
    h.app->mouseUp(30, 5);
    const double half = static_cast<double>(h.app->audioEngine().position(stream)) / static_cast<double>(length);
    EXPECT_NEAR(half, 0.5, 0.02);
}
