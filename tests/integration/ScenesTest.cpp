#include "support/StandardSkin.h"

#include <gtest/gtest.h>

using namespace windlecroft;
using namespace windlecroft::test;

TEST(Scenes, IntroFadesInTo254AfterAboutASecondAndStaysThere)
{
    Harness h;
    TestSkin skin;
    buildStandardSkin(skin, "intro", false, false);
    h.start(skin);
    EXPECT_TRUE(h.desktop->window()->visible);
    EXPECT_TRUE(h.desktop->translucent());
    EXPECT_EQ(h.desktop->windowAlpha(), 0);
    h.run(990);
    EXPECT_EQ(h.desktop->windowAlpha(), 252);
    for (int ms = 990; ms < 996; ++ms) {
        h.clock.advance(1);
        h.app->tick();
    }
    EXPECT_EQ(h.desktop->windowAlpha(), 253);
    EXPECT_EQ(h.app->scenes().phase(), ScenePhase::IntroFadeIn);
    h.clock.advance(1);
    h.app->tick();
    EXPECT_EQ(h.desktop->windowAlpha(), 254);
    EXPECT_EQ(h.app->scenes().phase(), ScenePhase::Idle);
    h.run(3000);
    EXPECT_EQ(h.desktop->windowAlpha(), 254);
    EXPECT_EQ(h.pixel(300, 200), introColours.normal);
}

TEST(Scenes, LeavingTheIntroFadesOutThenInAndEndsShapedAndOpaque)
{
    Harness h;
    TestSkin skin;
    buildStandardSkin(skin, "intro", false, false);
    h.start(skin);
    h.run(1100);
    h.act(0x8001, toDay);
    EXPECT_EQ(h.app->scenes().phase(), ScenePhase::IntroFadeOut);
    EXPECT_EQ(h.desktop->windowAlpha(), 255);
    h.run(500);
    EXPECT_EQ(h.app->scenes().currentScene(), "intro");
    EXPECT_EQ(h.desktop->windowAlpha(), 255 - static_cast<int>(500 * 0.255f));
    h.run(500);
    EXPECT_EQ(h.app->scenes().currentScene(), "dzien");
    EXPECT_EQ(h.app->scenes().phase(), ScenePhase::PanelFadeIn);
    EXPECT_TRUE(h.desktop->translucent());
    EXPECT_FALSE(h.desktop->windowShape().has_value());
    EXPECT_LT(h.desktop->windowAlpha(), 10);
    h.run(1000);
    EXPECT_EQ(h.app->scenes().phase(), ScenePhase::Idle);
    EXPECT_FALSE(h.desktop->translucent());
    EXPECT_FALSE(h.app->scenes().alphaActive());
    ASSERT_TRUE(h.desktop->windowShape().has_value());
    EXPECT_EQ(*h.desktop->windowShape(), *h.app->scenes().region("panel"));
    EXPECT_EQ(h.pixel(300, 200), dayColours.normal);
}

TEST(Scenes, WithoutTranslucencyScenesChangeAtOnceWithTheirShapes)
{
    Harness h(false);
    TestSkin skin;
    buildStandardSkin(skin, "intro", false, false);
    h.start(skin);
    // The intro shows at once, shaped by the fixed intro rectangle.
    EXPECT_TRUE(h.desktop->window()->visible);
    ASSERT_TRUE(h.desktop->windowShape().has_value());
    EXPECT_EQ(*h.desktop->windowShape(), Region::rectangle(90, 45, 510, 465));
    h.run(10);
    h.act(0x8001, toDay);
    EXPECT_EQ(h.app->scenes().currentScene(), "dzien");
    EXPECT_EQ(*h.desktop->windowShape(), *h.app->scenes().region("panel"));
    h.act(0x8001, toOutro);
    EXPECT_EQ(h.app->scenes().currentScene(), "outro");
    EXPECT_EQ(*h.desktop->windowShape(), Region::rectangle(90, 45, 510, 465));
    EXPECT_EQ(h.pixel(300, 200), outroColours.normal);
}

namespace {

// Starts on the day page without translucency, so no fade is running.
void startOnDay(Harness& h, TestSkin& skin, bool crossFadeDay, bool crossFadeNight)
{
    buildStandardSkin(skin, "dzien", crossFadeDay, crossFadeNight);
    h.start(skin);
    h.run(20);
    ASSERT_EQ(h.app->scenes().currentScene(), "dzien");
}

} // namespace

TEST(Scenes, PanelPagesCrossFadeByTheirFlags)
{
    const std::uint32_t day = dayColours.normal;
    const std::uint32_t night = nightColours.normal;
    for (int mask = 0; mask < 4; ++mask) {
        SCOPED_TRACE("mask " + std::to_string(mask));
        Harness h(false);
        TestSkin skin;
        startOnDay(h, skin, mask & 1, mask & 2);
        // Playing position 13 belongs to the night page: the track asks for the switch.
        h.act(0x1010, 13);
        EXPECT_EQ(h.app->scenes().nextScene(), "noc");
        if (mask == 0) {
            EXPECT_FALSE(h.app->scenes().switchPending());
            EXPECT_EQ(h.app->scenes().currentScene(), "noc");
            EXPECT_EQ(h.pixel(10, 10), night);
            continue;
        }
        EXPECT_TRUE(h.app->scenes().switchPending());
        h.run(740);
        const auto a = static_cast<unsigned>(740.0 / 1500 * 255);
        const std::uint32_t seen = h.pixel(10, 10);
        if (mask == 1)
            EXPECT_EQ(seen, blended(day, night, 255 - a));
        else if (mask == 2)
            EXPECT_EQ(seen, blended(night, day, a));
        else
            EXPECT_NE(seen, day) << std::hex << seen;
        EXPECT_EQ(h.app->scenes().currentScene(), "dzien");
        // Actions wait while the switch runs.
        h.app->postAction(0x1009, 0);
        h.run(700);
        EXPECT_FALSE(h.app->player().randomOrder());
        EXPECT_EQ(h.app->scenes().currentScene(), "dzien");
        h.run(100);
        EXPECT_EQ(h.app->scenes().currentScene(), "noc");
        h.run(10);
        EXPECT_EQ(h.pixel(10, 10), night);
        EXPECT_TRUE(h.app->player().randomOrder());
    }
}

TEST(Scenes, EmptyEndsTheProgramAfterTheOutroFade)
{
    TestSkin skin;
    PageRecords records;
    records.outro = [](SkinConfigWriter& c) { c.pageTimer(100, 0x8001, toEmpty); };
    buildStandardSkin(skin, "outro", false, false, records);
    TempDir dir;
    skin.save(dir.path());
    ManualClock clock;
    HeadlessDesktop desktop(clock, true);
    NullAudioOutput audio;
    std::ostringstream log;
    ApplicationOptions options;
    options.skinDir = dir.path();
    options.quitAfterMs = 10'000;
    Application app(desktop, clock, audio, options, &log);
    const std::uint64_t start = clock.now();
    EXPECT_EQ(app.run(), 0) << log.str();
    // The timer fires on the first tick after 100 ms; the fade out takes another second.
    EXPECT_EQ(clock.now() - start, 1110u);
}

TEST(Scenes, WithoutTranslucencyEmptyHidesAndEndsAtOnce)
{
    Harness h(false);
    TestSkin skin;
    buildStandardSkin(skin, "outro", false, false);
    h.start(skin);
    h.run(20);
    h.act(0x8001, toEmpty);
    EXPECT_FALSE(h.desktop->window()->visible);
    EXPECT_FALSE(h.app->scenes().switchPending());
}

// A start page that is not the playing track's page switches once, after the window has faded
// in: the track does not ask again on every frame of the fade.
TEST(Scenes, AStartPageThatIsNotTheTracksPageSwitchesOnceAfterTheFadeIn)
{
    Harness h(true, true);
    TestSkin skin;
    PageRecords records;
    records.night = [](SkinConfigWriter& c) { c.actionRecord(0x4070, 0x0A01, 0); };
    records.day = [](SkinConfigWriter& c) { c.actionRecord(0x4060, 0x0A02, 0); };
    buildStandardSkin(skin, "noc", false, false, records);
    h.start(skin);
    h.run(4000);
    EXPECT_EQ(h.app->scenes().currentScene(), "dzien");
    const std::string log = h.log.str();
    for (const char* line : {"windlecroft: action 0x0A01", "windlecroft: action 0x0A02"}) {
        const std::size_t first = log.find(line);
        ASSERT_NE(first, std::string::npos) << line;
        EXPECT_EQ(log.find(line, first + 1), std::string::npos) << line << " ran more than once";
    }
}

// Without translucent windows the intro and the outro take the shape of their own masks when
// the archive has them (the fixed rectangle otherwise).
TEST(Scenes, IntroAndOutroMasksShapeTheirScenesWithoutTranslucency)
{
    Harness h(false);
    TestSkin skin;
    std::vector<std::uint8_t> round(static_cast<std::size_t>(skin.width() * skin.height()), 1);
    for (int y = 100; y < 300; ++y)
        for (int x = 150; x < 400; ++x)
            round[static_cast<std::size_t>(y * skin.width() + x)] = 0;
    skin.archive.add("Data\\intro.rgn", round);
    buildStandardSkin(skin, "intro", false, false);
    h.start(skin);
    const Region expected = Region::rectangle(150, 100, 400, 300);
    EXPECT_EQ(*h.desktop->windowShape(), expected);
    h.act(0x8001, toDay);
    h.act(0x8001, toOutro);
    h.run(20);
    EXPECT_EQ(h.app->scenes().currentScene(), "outro");
    EXPECT_EQ(*h.desktop->windowShape(), Region::rectangle(90, 45, 510, 465)) << "no outro mask: the rectangle";
}
