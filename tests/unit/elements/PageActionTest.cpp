// The page's reaction to the actions the frame update carried out.
#include "support/PageRig.h"

#include "platform/headless/NullAudioOutput.h"
#include "support/TempDir.h"

#include "support/ToneEncoder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace windlecroft;
using windlecroft::test::PageRig;

namespace {

class PageAction : public ::testing::Test {
protected:
    std::vector<bool> lamps() const
    {
        std::vector<bool> on;
        for (const Indicator& indicator : page->indicators())
            on.push_back(indicator.on());
        return on;
    }

    /** A playlist of count entries whose files have no music kind: playIndex moves but starts nothing. */
    void playlistOf(int count)
    {
        for (int i = count - 1; i >= 0; --i)
            rig.playlist.addTrack("entry" + std::to_string(i) + ".txt");
    }

    PageRig rig;
    std::unique_ptr<Page> page = rig.makePage();
};

} // namespace

TEST_F(PageAction, IndicatorsFollowTheirStates)
{
    page->addIndicator({0, 0, 1, 1}, "musiclooped");
    page->addIndicator({0, 0, 1, 1}, "musicrandom");
    page->addIndicator({0, 0, 1, 1}, "modulelooped");
    page->addIndicator({0, 0, 1, 1}, "MusicLooped"); // names are compared byte for byte
    // Newest first: MusicLooped, modulelooped, musicrandom, musiclooped.
    rig.player.toggleRepeatOne();
    page->onAction(0x1008, 0);
    EXPECT_EQ(lamps(), (std::vector<bool>{false, false, false, true}));
    rig.player.toggleRandom();
    page->onAction(0x1009, 0);
    EXPECT_EQ(lamps(), (std::vector<bool>{false, false, true, true}));
    page->onAction(0x6001, 0);
    EXPECT_EQ(lamps(), (std::vector<bool>{false, true, true, true}));
    page->onAction(0x6002, 5);
    EXPECT_EQ(lamps(), (std::vector<bool>{false, false, true, true}));
    rig.player.toggleRandom();
    page->onAction(0x1009, 0);
    rig.player.toggleRepeatOne();
    page->onAction(0x1008, 0);
    EXPECT_EQ(lamps(), (std::vector<bool>{false, false, false, false}));
    // Other codes change no lamp.
    rig.player.toggleRepeatOne();
    for (std::uint16_t code : {0x1001, 0x1003, 0x100A, 0x6000, 0x6003})
        page->onAction(code, 0);
    EXPECT_EQ(lamps(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(PageAction, TrackChangesSelectThePlayingEntryAndScrollItIntoView)
{
    playlistOf(12);
    page->setTextList(0, {0, 0, 40, 50}, nullptr, 10); // five rows
    for (int i = 0; i < 12; ++i)
        page->addTextListLine("t");
    TextList& list = *page->textList();
    for (std::uint16_t code : {0x1003, 0x1004, 0x4003}) {
        rig.player.playIndex(9);
        page->onAction(code, 0);
        EXPECT_EQ(list.selected(), 9);
        EXPECT_EQ(list.top(), 5);
        rig.player.playIndex(2);
        page->onAction(code, 0);
        EXPECT_EQ(list.selected(), 2);
        EXPECT_EQ(list.top(), 2);
        page->onAction(0x4001, 0);
        page->onAction(0x4001, 0);
        page->onAction(0x4001, 0);
        EXPECT_EQ(list.top(), 0);
    }
    for (int i = 0; i < 9; ++i)
        page->onAction(0x4002, 0);
    EXPECT_EQ(list.top(), 7) << "maxTop of 12 lines in 5 rows";
    EXPECT_EQ(list.selected(), 2) << "scrolling never selects";

    // Entering the page: a list drawn by the pictures stays as it was, a styled one catches up
    // with the entry that began playing while another page showed.
    for (int i = 0; i < 9; ++i)
        page->onAction(0x4001, 0);
    rig.player.playIndex(9);
    page->enter();
    EXPECT_EQ(list.selected(), 2);
    EXPECT_EQ(list.top(), 0);
    page->setListStyle(0, {});
    page->enter();
    EXPECT_EQ(list.selected(), 9);
    EXPECT_EQ(list.top(), 5);
}

TEST_F(PageAction, SliderAnnouncementsScrollTheListAndTheViewerByTheirIds)
{
    // Hit tests do not care about the window: the list and the viewer lie below it, out of the sliders' way.
    page->setTextList(1, {0, 100, 40, 150}, nullptr, 10); // five rows
    for (int i = 0; i < 12; ++i)
        page->addTextListLine("t");
    ArchiveWriter files;
    std::string sixty;
    for (int i = 0; i < 59; ++i)
        sixty += "line\n";
    files.add("long.txt", sixty + "end");
    DataArchive documents;
    documents.openBytes(files.bytes());
    page->setTextViewer({0, 200, 40, 250}, nullptr, 10); // five lines a page
    page->addViewerDocument("long.txt", "Long", documents);

    // Horizontal sliders over x 0..60 with a 20-pixel knob: maximum 40.
    const auto slider = [&](std::uint16_t id) {
        page->addSlider(Slider::Orientation::Horizontal, false, {0, 0, 60, 9}, "knob20x10.bmp", id, rig.images());
        return page->sliders().front().get();
    };
    Slider* listSlider = slider(0x2002);
    Slider* viewerSlider = slider(0x2003);
    Slider* other = slider(0x2004);
    EXPECT_EQ(listSlider->maximum(), 40);

    // Every slider takes the press at x 30: value 20, 50 percent.
    page->mouseDown(30, 5);
    page->mouseUp(30, 5);
    EXPECT_EQ(rig.posted(), (std::vector<Action>{{0x2000, 0x2004}, {0x2000, 0x2003}, {0x2000, 0x2002}}));
    EXPECT_FLOAT_EQ(listSlider->percent(), 50.0f);
    EXPECT_FLOAT_EQ(other->percent(), 50.0f);
    page->onAction(0x2000, 0x2004);
    EXPECT_EQ(page->textList()->top(), 0) << "other ids mean nothing to the page";
    EXPECT_EQ(page->textViewer()->titles().top(), 0);
    page->onAction(0x2000, 0x2002);
    EXPECT_EQ(page->textList()->top(), 3); // trunc(52 × 7 × 0.01)
    EXPECT_EQ(page->textViewer()->firstLine(), 0);

    // Open the document and move the viewer's slider to 100 percent.
    page->mouseDown(5, 205);
    page->mouseUp(5, 205);
    ASSERT_TRUE(page->textViewer()->reading());
    viewerSlider->press(true, 60, 5);
    viewerSlider->press(false, -1, -1);
    page->onAction(0x2000, 0x2003);
    EXPECT_EQ(page->textViewer()->firstLine(), 55); // 60 lines, 5 a page
    EXPECT_EQ(page->textList()->top(), 3) << "the list follows only its own slider";
    viewerSlider->press(true, 30, 5);
    page->onAction(0x2000, 0x2003);
    EXPECT_EQ(page->textViewer()->firstLine(), 28); // trunc(55 × 51 × 0.01)
    listSlider->press(true, 0, 5);
    page->onAction(0x2000, 0x2002);
    EXPECT_EQ(page->textList()->top(), 0); // trunc(2 × 7 × 0.01)
    EXPECT_EQ(page->textViewer()->firstLine(), 28);
}

TEST_F(PageAction, MinimisingEndsPressAndHoverAndLetsTheHighlightFade)
{
    page->addButton({10, 10, 30, 20}, 0x1001, 0);
    page->mouseMove(15, 15, 0);
    for (int i = 0; i < 4; ++i) {
        rig.clock.advance(11);
        page->draw();
    }
    page->mouseDown(15, 15);
    page->onAction(0xFFFE, 0);
    const Button& button = page->buttons()[0];
    EXPECT_FALSE(button.pressed());
    EXPECT_FALSE(button.hover());
    EXPECT_FLOAT_EQ(button.level(), 20.0f) << "the level is left to fade by itself";
    rig.clock.advance(11);
    page->draw();
    EXPECT_FLOAT_EQ(button.level(), 15.0f);
    page->mouseUp(15, 15);
    EXPECT_TRUE(rig.posted().empty());
}
