// A skin written with the skin writer, holding every chunk kind and every element record kind,
// loads; what it builds matches what was written, element by element.
#include "support/SkinRig.h"
#include "support/TestSkin.h"

#include "app/TrayIcon.h"
#include "skin/ChunkIds.h"
#include "elements/Page.h"
#include "plugins/Plugin.h"
#include "resources/Font.h"
#include "support/TempDir.h"

#include "support/TestFont.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace windlecroft;
using windlecroft::test::SkinRig;
using windlecroft::test::solidBmp;

namespace {

ApplicationOptions inFolder(const std::filesystem::path& folder)
{
    ApplicationOptions options;
    options.skinDir = folder;
    return options;
}

class SkinRoundTrip : public ::testing::Test {
protected:
    SkinRoundTrip()
    {
        std::filesystem::copy_file(TAGGER_PLUGIN, dir / "spectrum.so");
        ArchiveWriter& archive = rig.archive;
        archive.add("Fonts\\windle.ttf", windlecroft::test::testFontFile());
        archive.add("Data\\dzien.bmp", solidBmp(600, 510, 0x00102030));
        archive.add("Data\\dzien_p.bmp", solidBmp(600, 510, 0x00405060));
        archive.add("Data\\dzien_h.bmp", solidBmp(600, 510, 0x00708090));
        archive.add("Data\\noc.bmp", solidBmp(600, 510, 0x00010203));
        archive.add("Data\\knob.bmp", solidBmp(12, 16, 0x00FFFFFF));
        archive.add("Docs\\readme.txt", std::string_view("first line\nsecond line"));
        archive.add("Docs\\licence.txt", std::string_view("words words words words words words words"));

        SkinConfigWriter& w = writer;
        w.startScene("intro");
        w.timing(700, 2000, 30);
        w.stringMapping(3, {{"dzien", 2}, {"noc", 0}, {"intro", 1}});
        w.trayMenu("Windlecroft player", {{"Play", 0x1001, 0}, {"Quit", 0xFFFF, 0}, {"Louder", 0x1017, 80}});
        w.fontFile("Fonts\\windle.ttf");
        w.font("font", windlecroft::test::testFontFamily, 700, 14, 1, 2, 3, 4);
        w.font("small", "", 400, 10);
        w.plugin("spectrum", "spectrum.dll");
        w.rawChunk(0x7000, std::vector<std::uint8_t>{1, 2, 3});

        w.beginPage("dzien", "Data\\dzien.bmp", "Data\\dzien_p.bmp", "Data\\dzien_h.bmp", true);
        w.button({10, 20, 110, 40}, 0x1001, 0);
        w.button({120, 20, 220, 40}, 0x1003, 5);
        w.keyBinding(0x27, 0x1003, 5);
        w.keyBinding(0x20, 0x1007, 0);
        w.indicator("musiclooped", {300, 10, 320, 30});
        w.indicator("musicrandom", {330, 10, 350, 30});
        w.actionRecord(record::backgroundAction, 0x0A01, 1);
        w.actionRecord(record::backgroundAction, 0x0A02, 2);
        w.actionRecord(record::rightClickAction, 0xFFFD, 0);
        w.actionRecord(record::enterAction, 0x1015, 0);
        w.actionRecord(record::leaveAction, 0x1016, 0);
        w.textList({20, 100, 220, 200}, 0, "font", 20);
        w.slider({20, 220, 220, 236}, 0, 0, "Data\\knob.bmp", 0x2001);
        w.slider({230, 100, 246, 300}, 1, 1, "Data\\knob.bmp", 0x2002);
        w.textViewer({300, 100, 500, 300}, "small", 10);
        w.textBlock("Read me", "Docs\\readme.txt");
        w.textBlock("Licence", "Docs\\licence.txt");
        w.pageTimer(500, 0x8001, 1);
        w.pageTimer(0, 0x1001, 0);
        w.pagePlugin("spectrum", 1);
        w.wheelZone({0, 0, 599, 509}, 0x1017, 90, 0x1017, 10);
        w.rawChunk(0x4150, std::vector<std::uint8_t>(14, 0xEE));
        w.endPage();

        w.beginPage("noc", "Data\\noc.bmp");
        w.textList({20, 100, 220, 200}, 1, "small", 16);
        w.pagePlugin("spectrum", 0);
        w.endPage();
        w.beginPage("intro", "");
        w.endPage();

        w.tracklist(0, {{"intro", "Music\\intro.xm"}, {"outro", "Music\\outro.it"}});
        w.tracklist(1, {{"Song A", "music/a.ogg"}, {"Song B", ""}, {"Song C", "music/c.xm"}});
    }

    test::TempDir dir;
    SkinRig rig{true, inFolder(dir.path())};
    SkinConfigWriter writer{"Windlecroft demo", 600, 510};
};

template <typename T>
std::vector<T> all(const std::deque<T>& items)
{
    return {items.begin(), items.end()};
}

} // namespace

TEST_F(SkinRoundTrip, EveryChunkAndRecordBuildsWhatWasWritten)
{
    ASSERT_EQ(rig.walk(writer), "loaded");
    const Skin& app = rig.skin;

    // Root, start scene, timing, string mapping.
    EXPECT_EQ(app.windowTitle(), "Windlecroft demo");
    EXPECT_EQ(app.windowWidth(), 600);
    EXPECT_EQ(app.windowHeight(), 510);
    EXPECT_EQ(app.startScene(), "intro");
    EXPECT_EQ(app.timing().crossFadeTime, 700);
    EXPECT_EQ(app.timing().musicFadeTime, 2000);
    EXPECT_EQ(app.timing().highlightStep, 30);
    EXPECT_EQ(app.stringMapping().lookup(0), "noc");
    EXPECT_EQ(app.stringMapping().lookup(1), "intro");
    EXPECT_EQ(app.stringMapping().lookup(2), "dzien");

    // Tray: the tip, the items newest first, the menu with the restore entry first.
    EXPECT_EQ(app.trayMenu().tip(), "Windlecroft player");
    const auto& items = app.trayMenu().items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "Louder");
    EXPECT_EQ(items[0].action, (Action{0x1017, 80}));
    EXPECT_EQ(items[2].text, "Play");
    const auto& menu = app.trayMenu().menu();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].command, 0xFFFC);
    EXPECT_TRUE(menu[0].isDefault);
    EXPECT_EQ(menu[1].text, "Play");
    EXPECT_EQ(menu[2].command, 0xFFFF);
    EXPECT_EQ(menu[3].text, "Louder");
    EXPECT_FALSE(menu[3].isDefault);

    // Fonts.
    ASSERT_EQ(app.installedFonts().size(), 1u);
    EXPECT_EQ((*app.installedFonts().begin())->fileName(), "windle.ttf");
    const Font* font = app.fonts().find("font");
    const Font* small = app.fonts().find("small");
    ASSERT_NE(font, nullptr);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(font->family(), windlecroft::test::testFontFamily);
    EXPECT_EQ(font->weight(), 700);
    EXPECT_EQ(font->height(), 14);
    EXPECT_EQ(std::vector<std::uint32_t>({font->value1, font->value2, font->value3, font->value4}),
              (std::vector<std::uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(small->weight(), 400);
    EXPECT_EQ(small->height(), 10);

    // The plugin, found through the ".dll" retry in the skin folder.
    ASSERT_EQ(app.plugins().size(), 1u);
    Plugin* spectrum = app.plugins().find("spectrum");
    ASSERT_NE(spectrum, nullptr);
    EXPECT_EQ(spectrum->fileName(), "spectrum.dll");

    // Pages, newest first.
    ASSERT_EQ(app.pages().size(), 3u);
    std::vector<std::string> pageNames;
    for (const auto& [name, page] : app.pages())
        pageNames.push_back(name);
    EXPECT_EQ(pageNames, (std::vector<std::string>{"intro", "noc", "dzien"}));

    const Page& dzien = *app.page("dzien");
    EXPECT_TRUE(dzien.crossFade());
    ASSERT_NE(dzien.normalImage(), nullptr);
    EXPECT_EQ(dzien.normalImage()->pixels().pixel(599, 509), 0x00102030u);
    EXPECT_EQ(dzien.pressedImage()->pixels().pixel(0, 0), 0x00405060u);
    EXPECT_EQ(dzien.highlightImage()->pixels().pixel(0, 0), 0x00708090u);

    ASSERT_EQ(dzien.buttons().size(), 2u);
    EXPECT_EQ(dzien.buttons()[0].rect(), (Rect{120, 20, 220, 40}));
    EXPECT_EQ(dzien.buttons()[0].action(), (Action{0x1003, 5}));
    EXPECT_EQ(dzien.buttons()[1].rect(), (Rect{10, 20, 110, 40}));
    EXPECT_EQ(dzien.buttons()[1].action(), (Action{0x1001, 0}));
    EXPECT_FLOAT_EQ(dzien.buttons()[0].level(), 0.0f);

    ASSERT_EQ(dzien.keyBindings().size(), 2u);
    EXPECT_EQ(dzien.keyBindings()[0].key, 0x20);
    EXPECT_EQ(dzien.keyBindings()[0].action, (Action{0x1007, 0}));
    EXPECT_EQ(dzien.keyBindings()[1].key, 0x27);
    EXPECT_EQ(dzien.keyBindings()[1].action, (Action{0x1003, 5}));

    ASSERT_EQ(dzien.indicators().size(), 2u);
    EXPECT_EQ(dzien.indicators()[0].state(), "musicrandom");
    EXPECT_EQ(dzien.indicators()[0].rect(), (Rect{330, 10, 350, 30}));
    EXPECT_EQ(dzien.indicators()[1].state(), "musiclooped");
    EXPECT_FALSE(dzien.indicators()[1].on());

    EXPECT_EQ(all(dzien.backgroundActions()), (std::vector<Action>{{0x0A02, 2}, {0x0A01, 1}}));
    EXPECT_EQ(all(dzien.rightClickActions()), (std::vector<Action>{{0xFFFD, 0}}));
    EXPECT_EQ(all(dzien.enterActions()), (std::vector<Action>{{0x1015, 0}}));
    EXPECT_EQ(all(dzien.leaveActions()), (std::vector<Action>{{0x1016, 0}}));

    const TextList* list = dzien.textList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->rect(), (Rect{20, 100, 220, 200}));
    EXPECT_EQ(list->activation(), 1);
    EXPECT_EQ(list->rowHeight(), 20);
    EXPECT_EQ(list->font(), font);
    ASSERT_EQ(list->lineCount(), 3);
    EXPECT_EQ(list->line(0), "Song C");
    EXPECT_EQ(list->line(2), "Song A");
    EXPECT_EQ(list->visibleRows(), 3);

    ASSERT_EQ(dzien.sliders().size(), 2u);
    const Slider& vertical = *dzien.sliders()[0];
    EXPECT_EQ(vertical.rect(), (Rect{230, 100, 246, 300}));
    EXPECT_EQ(vertical.orientation(), Slider::Orientation::Vertical);
    EXPECT_TRUE(vertical.releaseOnly());
    EXPECT_EQ(vertical.id(), 0x2002);
    EXPECT_EQ(vertical.knobWidth(), 12);
    EXPECT_EQ(vertical.knobHeight(), 16);
    EXPECT_EQ(vertical.maximum(), 184);
    const Slider& horizontal = *dzien.sliders()[1];
    EXPECT_EQ(horizontal.orientation(), Slider::Orientation::Horizontal);
    EXPECT_FALSE(horizontal.releaseOnly());
    EXPECT_EQ(horizontal.id(), 0x2001);
    EXPECT_EQ(horizontal.maximum(), 188);

    const TextViewer* viewer = dzien.textViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->rect(), (Rect{300, 100, 500, 300}));
    EXPECT_EQ(viewer->titles().font(), small);
    EXPECT_EQ(viewer->titles().rowHeight(), 10);
    EXPECT_EQ(viewer->pageRows(), 20);
    ASSERT_EQ(viewer->documentCount(), 2);
    EXPECT_EQ(viewer->documentTitle(0), "Licence");
    EXPECT_EQ(viewer->documentTitle(1), "Read me");
    EXPECT_EQ(viewer->titles().line(1), "Read me");

    ASSERT_EQ(dzien.timers().size(), 2u);
    EXPECT_EQ(dzien.timers()[0].delay(), 0u);
    EXPECT_EQ(dzien.timers()[0].action(), (Action{0x1001, 0}));
    EXPECT_EQ(dzien.timers()[1].delay(), 500u) << "the window is layered: no extra second";
    EXPECT_EQ(dzien.timers()[1].action(), (Action{0x8001, 1}));
    EXPECT_FALSE(dzien.timers()[1].armed());

    EXPECT_TRUE(dzien.plugins(0).empty());
    ASSERT_EQ(dzien.plugins(1).size(), 1u);
    EXPECT_EQ(dzien.plugins(1)[0], spectrum);

    ASSERT_EQ(dzien.wheelZones().size(), 1u);
    EXPECT_EQ(dzien.wheelZones()[0].rect(), (Rect{0, 0, 599, 509}));
    EXPECT_EQ(dzien.wheelZones()[0].up(), (Action{0x1017, 90}));
    EXPECT_EQ(dzien.wheelZones()[0].down(), (Action{0x1017, 10}));

    const Page& noc = *app.page("noc");
    EXPECT_FALSE(noc.crossFade());
    EXPECT_EQ(noc.pressedImage(), noc.normalImage());
    EXPECT_EQ(noc.highlightImage(), noc.normalImage());
    EXPECT_EQ(noc.textList()->activation(), 0);
    EXPECT_EQ(noc.textList()->font(), small);
    EXPECT_EQ(noc.textList()->lineCount(), 3);
    ASSERT_EQ(noc.plugins(0).size(), 1u);
    EXPECT_EQ(noc.plugins(0)[0], spectrum);
    EXPECT_TRUE(noc.plugins(1).empty());
    EXPECT_TRUE(noc.buttons().empty());

    const Page& intro = *app.page("intro");
    EXPECT_EQ(intro.normalImage(), nullptr);
    EXPECT_EQ(intro.textList(), nullptr);

    // Tracks.
    ASSERT_EQ(app.namedTracks().size(), 2u);
    EXPECT_EQ(app.namedTracks().find("intro")->name, "Music\\intro.xm");
    EXPECT_TRUE(app.namedTracks().find("outro")->fromArchive);
    ASSERT_EQ(app.playlist().count(), 3);
    EXPECT_EQ(app.playlist().at(0)->name, "music/c.xm");
    EXPECT_EQ(app.playlist().at(0)->title, "Song C");
    EXPECT_TRUE(app.playlist().isPlaceholder(1));
    EXPECT_EQ(app.playlist().at(1)->title, "Song B");
    EXPECT_EQ(app.playlist().at(2)->name, "music/a.ogg");
    EXPECT_FALSE(app.playlist().at(2)->fromArchive);

    const auto& record = rig.plugins.record();
    ASSERT_EQ(record.trackNameCount, 3);
    EXPECT_EQ(rig.plugins.trackName(0), "Song A");
    EXPECT_EQ(rig.plugins.trackName(1), "Song B");
    EXPECT_EQ(rig.plugins.trackName(2), "Song C");
}

TEST_F(SkinRoundTrip, TheSameSkinWithoutTranslucentWindowsDelaysItsSwitchTimer)
{
    test::TempDir other;
    std::filesystem::copy_file(TAGGER_PLUGIN, other / "spectrum.so");
    SkinRig plain{false, inFolder(other.path())};
    plain.archive = std::move(rig.archive);
    ASSERT_EQ(plain.walk(writer), "loaded");
    const Page& dzien = *plain.skin.page("dzien");
    EXPECT_EQ(dzien.timers()[1].delay(), 1500u);
    EXPECT_EQ(dzien.timers()[0].delay(), 0u);
}

TEST_F(SkinRoundTrip, TheLoadedSkinWorks)
{
    ASSERT_EQ(rig.walk(writer), "loaded");
    const Skin& app = rig.skin;
    rig.canvas.create(600, 510);
    Page& dzien = *app.page("dzien");
    // A click on the second button, a key, the wheel, a row of the list.
    dzien.mouseDown(150, 30);
    dzien.mouseUp(150, 30);
    dzien.keyDown(0x27);
    EXPECT_TRUE(dzien.buttons()[0].pressed());
    dzien.keyUp(0x27);
    dzien.wheel(10, 10, -120);
    dzien.mouseDown(30, 125);
    dzien.mouseUp(30, 125);
    std::vector<Action> carried;
    while (auto action = rig.actions.take())
        carried.push_back(*action);
    EXPECT_EQ(carried, (std::vector<Action>{{0x4000, 0}, {0x1017, 10}, {0x1003, 5}, {0x1003, 5}}));
    EXPECT_EQ(dzien.textList()->selected(), 1);
    dzien.draw();
    EXPECT_EQ(rig.canvas.surface().pixel(5, 5), 0x00102030u);
}
