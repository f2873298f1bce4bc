// The page's input routing: every collection walked newest first with no early exit,
// posts in the player's order, and what counts as a handled press.
#include "support/PageRig.h"

#include <gtest/gtest.h>

using namespace windlecroft;
using windlecroft::test::PageRig;

namespace {

using Actions = std::vector<Action>;

class PageInput : public ::testing::Test {
protected:
    PageRig rig;
    std::unique_ptr<Page> page = rig.makePage();
};

} // namespace

TEST_F(PageInput, TwoOverlappingButtonsBothPostTheLaterDefinedFirst)
{
    page->addButton({10, 10, 30, 20}, 0x1001, 1);
    page->addButton({20, 10, 40, 20}, 0x1002, 2);
    EXPECT_TRUE(page->mouseDown(25, 15));
    EXPECT_TRUE(page->buttons()[0].pressed());
    EXPECT_TRUE(page->buttons()[1].pressed());
    EXPECT_TRUE(rig.posted().empty()) << "a press posts nothing";
    page->mouseUp(25, 15);
    EXPECT_EQ(rig.actions.size(), 2u);
    // Posted newest first, so the earlier-defined button's action is carried out first.
    EXPECT_EQ(rig.carriedOut(), (Actions{{0x1001, 1}, {0x1002, 2}}));
    EXPECT_FALSE(page->buttons()[0].pressed());
    EXPECT_FALSE(page->buttons()[1].pressed());

    // The release inside only one of them posts only that one; both are released.
    page->mouseDown(25, 15);
    page->mouseUp(35, 15);
    EXPECT_EQ(rig.posted(), (Actions{{0x1002, 2}}));
    EXPECT_FALSE(page->buttons()[1].pressed());
}

TEST_F(PageInput, EdgesOfAButtonAreInside)
{
    page->addButton({10, 20, 110, 40}, 0x1001, 0);
    for (auto [x, y] : {std::pair{10, 20}, {110, 40}, {110, 20}, {10, 40}}) {
        EXPECT_TRUE(page->mouseDown(x, y)) << x << "," << y;
        page->mouseUp(x, y);
        EXPECT_EQ(rig.posted(), (Actions{{0x1001, 0}}));
    }
    EXPECT_FALSE(page->mouseDown(111, 40));
    EXPECT_FALSE(page->mouseDown(10, 19));
}

TEST_F(PageInput, APressDraggedOffPostsNothing)
{
    page->addButton({10, 10, 30, 20}, 0x1001, 0);
    page->mouseDown(15, 15);
    page->mouseMove(50, 15, 1); // left button held
    page->mouseUp(50, 15);
    EXPECT_TRUE(rig.posted().empty());
    EXPECT_FALSE(page->buttons()[0].pressed());
    // Coming back and releasing inside after the release posts nothing either.
    page->mouseUp(15, 15);
    EXPECT_TRUE(rig.posted().empty());
}

TEST_F(PageInput, BackgroundActionsPostWhenNothingTakesThePress)
{
    page->addButton({10, 10, 30, 20}, 0x1001, 0);
    page->addBackgroundAction({0x0A01, 1});
    page->addBackgroundAction({0x0A02, 2});
    page->addBackgroundAction({0x0A03, 3});
    EXPECT_FALSE(page->mouseDown(50, 40));
    // Posted newest first, so they are carried out in definition order.
    EXPECT_EQ(rig.carriedOut(), (Actions{{0x0A01, 1}, {0x0A02, 2}, {0x0A03, 3}}));

    EXPECT_TRUE(page->mouseDown(15, 15));
    EXPECT_TRUE(rig.posted().empty()) << "a press on a button posts no background action";
    page->mouseUp(15, 15);
    rig.posted();

    // Only a left press: right presses, moves and releases post none of them.
    page->mouseUp(50, 40);
    page->mouseMove(50, 40, 0);
    page->rightDown();
    EXPECT_TRUE(rig.posted().empty());
}

TEST_F(PageInput, APressInsideATextViewerIsAlwaysHandled)
{
    page->addBackgroundAction({0x0A01, 0});
    page->setTextViewer({0, 0, 40, 40}, nullptr, 10);
    // No documents: no title row under the press, still handled.
    EXPECT_TRUE(page->mouseDown(5, 35));
    EXPECT_TRUE(page->mouseDown(40, 40));
    EXPECT_FALSE(page->mouseDown(41, 40));
    EXPECT_EQ(rig.posted(), (Actions{{0x0A01, 0}}));
}

TEST_F(PageInput, ASliderAndASingleClickListRowTakeThePress)
{
    page->addBackgroundAction({0x0A01, 0});
    page->addSlider(Slider::Orientation::Horizontal, false, {0, 0, 40, 9}, "knob20x10.bmp", 7, rig.images());
    page->setTextList(1, {0, 20, 40, 47}, nullptr, 10);
    page->addTextListLine("a");
    EXPECT_TRUE(page->mouseDown(5, 5));
    page->mouseUp(5, 5);
    EXPECT_TRUE(page->mouseDown(5, 25)); // the list's only row
    page->mouseUp(5, 25);
    EXPECT_EQ(rig.posted(), (Actions{{0x2000, 7}, {0x4000, 0}}));
    EXPECT_FALSE(page->mouseDown(5, 35)) << "below the last line nothing takes the press";
    EXPECT_EQ(rig.posted(), (Actions{{0x0A01, 0}}));
}

TEST_F(PageInput, KeyBindingsPressEveryMatchingButtonAndPostOnceOnRelease)
{
    page->addButton({0, 0, 5, 5}, 0x1003, 0);
    page->addButton({50, 40, 60, 45}, 0x1003, 0);
    page->addButton({20, 20, 25, 25}, 0x1003, 1); // other arg
    page->addButton({30, 30, 35, 35}, 0x1004, 0); // other code
    page->addKeyBinding(0x27, 0x1003, 0);
    const auto pressed = [&] {
        std::vector<bool> flags;
        for (const Button& button : page->buttons())
            flags.push_back(button.pressed());
        return flags;
    };

    page->keyDown(0x27);
    page->keyDown(0x27); // auto-repeat
    EXPECT_TRUE(rig.posted().empty());
    // Newest first: 0x1004, (0x1003, 1), then the two matching ones.
    EXPECT_EQ(pressed(), (std::vector<bool>{false, false, true, true}));
    page->keyDown(0x127); // the whole 16-bit code is compared
    page->keyUp(0x127);
    EXPECT_TRUE(rig.posted().empty());

    page->keyUp(0x27);
    EXPECT_EQ(rig.posted(), (Actions{{0x1003, 0}}));
    EXPECT_EQ(pressed(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(PageInput, EveryBindingOfAKeyPostsEvenWithoutAButton)
{
    page->addKeyBinding(0x20, 0x1007, 0);
    page->addKeyBinding(0x20, 0x1008, 0);
    page->addKeyBinding(0x21, 0x1009, 0);
    page->keyDown(0x20);
    EXPECT_TRUE(rig.posted().empty());
    page->keyUp(0x20);
    // Newest first, so the binding defined first is carried out first.
    EXPECT_EQ(rig.carriedOut(), (Actions{{0x1007, 0}, {0x1008, 0}}));
    // A release without a press still posts.
    page->keyUp(0x21);
    EXPECT_EQ(rig.posted(), (Actions{{0x1009, 0}}));
}

TEST_F(PageInput, AKeyPressedButtonIsReleasedByTheMouseToo)
{
    page->addButton({0, 0, 5, 5}, 0x1003, 0);
    page->addKeyBinding(0x27, 0x1003, 0);
    page->keyDown(0x27);
    // Any left release clears the press; outside the button it posts nothing.
    page->mouseUp(40, 40);
    EXPECT_FALSE(page->buttons()[0].pressed());
    EXPECT_TRUE(rig.posted().empty());
}

TEST_F(PageInput, ATimerWithDelayZeroFiresOnTheFirstTickAfterOneMillisecondOncePerVisit)
{
    page->addTimer(0, 0x8001, 2);
    const std::uint64_t start = rig.clock.now();
    page->timerTick(start + 5);
    EXPECT_TRUE(rig.posted().empty()) << "never fires before its page is current";

    page->armTimers();
    page->timerTick(start);
    EXPECT_TRUE(rig.posted().empty());
    page->timerTick(start + 1);
    EXPECT_EQ(rig.posted(), (Actions{{0x8001, 2}}));
    for (std::uint64_t t = start + 2; t < start + 100; t += 10)
        page->timerTick(t);
    EXPECT_TRUE(rig.posted().empty()) << "never twice per visit";

    // The next visit counts from its own start.
    rig.clock.advance(1000);
    page->armTimers();
    page->timerTick(rig.clock.now());
    EXPECT_TRUE(rig.posted().empty());
    page->timerTick(rig.clock.now() + 1);
    EXPECT_EQ(rig.posted(), (Actions{{0x8001, 2}}));
}

TEST_F(PageInput, TimersFireIndependentlyStrictlyAfterTheirDelay)
{
    page->addTimer(500, 0x1001, 0);
    page->addTimer(100, 0x1002, 0);
    const std::uint64_t start = rig.clock.now();
    page->armTimers();
    page->timerTick(start + 100);
    EXPECT_TRUE(rig.posted().empty());
    page->timerTick(start + 101);
    EXPECT_EQ(rig.posted(), (Actions{{0x1002, 0}}));
    page->timerTick(start + 500);
    EXPECT_TRUE(rig.posted().empty());
    // A late tick after both delays posts only the one still armed.
    page->timerTick(start + 5000);
    EXPECT_EQ(rig.posted(), (Actions{{0x1001, 0}}));
    // 64-bit times: a start past the 32-bit wrap is no different.
    rig.clock.set(0x1'0000'0000ULL - 50);
    page->armTimers();
    page->timerTick(0x1'0000'0000ULL + 51);
    EXPECT_EQ(rig.posted(), (Actions{{0x1002, 0}}));
}

TEST_F(PageInput, MovesWithAKeyOrButtonHeldLeaveHoverAlone)
{
    page->addButton({10, 10, 30, 20}, 0x1001, 0);
    const Button& button = page->buttons()[0];
    page->mouseMove(15, 15, 0);
    EXPECT_TRUE(button.hover());
    for (std::uint16_t keys : {4, 8, 1, 2, 16, 4 | 8}) {
        page->mouseMove(50, 40, keys);
        EXPECT_TRUE(button.hover()) << "key state " << keys;
    }
    page->mouseMove(50, 40, 0);
    EXPECT_FALSE(button.hover());
    page->mouseMove(15, 15, 4); // Shift held: entering does not light it either
    EXPECT_FALSE(button.hover());
}

TEST_F(PageInput, WheelChoosesBySignAndDeltaZeroRepeatsTheLastChoice)
{
    page->addWheelZone({0, 0, 20, 20}, {0x1017, 80}, {0x1017, 20});
    page->wheel(5, 5, 0);
    EXPECT_EQ(rig.posted(), (Actions{{0, 0}})) << "code 0 with arg 0 before any choice";
    page->wheel(5, 5, -120);
    EXPECT_EQ(rig.posted(), (Actions{{0x1017, 20}}));
    page->wheel(5, 5, 0);
    EXPECT_EQ(rig.posted(), (Actions{{0x1017, 20}}));
    page->wheel(5, 5, 240);
    EXPECT_EQ(rig.posted(), (Actions{{0x1017, 80}}));
    page->wheel(21, 5, 120);
    EXPECT_TRUE(rig.posted().empty()) << "outside every zone";

    // Overlapping zones both post, newest first.
    page->addWheelZone({10, 10, 30, 30}, {0x1018, 1}, {0x1018, 2});
    page->wheel(15, 15, -1);
    EXPECT_EQ(rig.posted(), (Actions{{0x1018, 2}, {0x1017, 20}}));
}

TEST_F(PageInput, RightPressPostsEveryRightClickActionWherever)
{
    page->addRightClickAction({0xFFFD, 0});
    page->addRightClickAction({0x1002, 0});
    page->rightDown();
    EXPECT_EQ(rig.carriedOut(), (Actions{{0xFFFD, 0}, {0x1002, 0}}));
}

TEST_F(PageInput, EnterPostsItsListAndLightsThePlayersStatesLeaveResetsButtons)
{
    page->addEnterAction({0x1015, 0});
    page->addEnterAction({0x1011, 3});
    page->addLeaveAction({0x1016, 0});
    page->addIndicator({0, 0, 5, 5}, "musiclooped");
    page->addIndicator({6, 0, 9, 5}, "musicrandom");
    page->addButton({10, 10, 30, 20}, 0x1001, 0);

    rig.player.toggleRepeatOne();
    rig.player.toggleRandom();
    page->enter();
    EXPECT_EQ(rig.carriedOut(), (Actions{{0x1015, 0}, {0x1011, 3}}));
    // Newest first: musicrandom, musiclooped. Entering takes every state from the player,
    // whatever page was current when it changed.
    EXPECT_TRUE(page->indicators()[0].on());
    EXPECT_TRUE(page->indicators()[1].on());

    page->mouseMove(15, 15, 0);
    page->mouseDown(15, 15);
    page->leave();
    EXPECT_EQ(rig.posted(), (Actions{{0x1016, 0}}));
    EXPECT_FALSE(page->buttons()[0].pressed());
    EXPECT_FALSE(page->buttons()[0].hover());
    EXPECT_TRUE(page->indicators()[1].on()) << "leaving keeps the lamps";

    rig.player.toggleRepeatOne();
    rig.player.toggleRandom();
    page->enter();
    EXPECT_FALSE(page->indicators()[0].on());
    EXPECT_FALSE(page->indicators()[1].on());
}

TEST_F(PageInput, FocusGainForgetsPressHoverAndHighlight)
{
    page->addButton({10, 10, 30, 20}, 0x1001, 0);
    page->mouseMove(15, 15, 0);
    rig.clock.advance(11);
    page->draw();
    EXPECT_FLOAT_EQ(page->buttons()[0].level(), 5.0f);
    page->mouseDown(15, 15);
    page->resetButtons();
    const Button& button = page->buttons()[0];
    EXPECT_FALSE(button.pressed());
    EXPECT_FALSE(button.hover());
    EXPECT_FLOAT_EQ(button.level(), 0.0f);
    page->mouseUp(15, 15);
    EXPECT_TRUE(rig.posted().empty());
}

TEST_F(PageInput, SlidersDragThroughThePageAndAnnounceEveryMoveOrOnlyTheRelease)
{
    // Live (7) and release-only (8) sliders over the same track.
    page->addSlider(Slider::Orientation::Horizontal, false, {0, 0, 60, 9}, "knob20x10.bmp", 7, rig.images());
    page->addSlider(Slider::Orientation::Horizontal, true, {0, 0, 60, 9}, "knob20x10.bmp", 8, rig.images());
    EXPECT_EQ(page->sliders()[0]->maximum(), 40);
    EXPECT_TRUE(page->mouseDown(30, 5));
    EXPECT_TRUE(rig.posted().empty()) << "a press announces nothing yet";
    page->mouseMove(40, 5, 1);
    page->mouseMove(45, 5, 1);
    page->mouseMove(45, 50, 1); // outside: no step
    EXPECT_EQ(rig.posted(), (Actions{{0x2000, 7}, {0x2000, 7}}));
    page->mouseUp(45, 50);
    // Each drag ends with one announcement, newest slider first.
    EXPECT_EQ(rig.posted(), (Actions{{0x2000, 8}, {0x2000, 7}}));
    EXPECT_EQ(page->sliders()[0]->value(), 35);
    EXPECT_EQ(page->sliders()[1]->value(), 35);
    page->mouseMove(10, 5, 0);
    page->mouseUp(10, 5);
    EXPECT_TRUE(rig.posted().empty());
}

TEST_F(PageInput, DoubleClickReachesOnlyAListThatSingleClicksDoNotActivate)
{
    page->addButton({0, 0, 63, 47}, 0x1001, 0);
    page->addSlider(Slider::Orientation::Horizontal, false, {0, 0, 60, 9}, "knob20x10.bmp", 7, rig.images());

    // A single-click list takes no double click; neither do buttons or sliders.
    page->setTextList(1, {0, 20, 40, 47}, nullptr, 9);
    page->addTextListLine("a");
    page->addTextListLine("b");
    page->doubleClick(5, 5);
    page->doubleClick(5, 30);
    EXPECT_TRUE(rig.posted().empty());
    EXPECT_FALSE(page->buttons()[0].pressed());
    EXPECT_FALSE(page->sliders()[0]->dragging());
    EXPECT_EQ(page->textList()->selected(), 0);

    // A list in activation mode 0 (three 9-pixel rows): the platform sends press, release,
    // press with the double click, release. The button sees two clicks, the list one double click.
    page->setTextList(0, {0, 20, 40, 47}, nullptr, 9);
    for (const char* line : {"a", "b", "c"})
        page->addTextListLine(line);
    page->mouseDown(5, 35);
    page->mouseUp(5, 35);
    EXPECT_EQ(page->textList()->selected(), 0) << "single clicks do not activate it";
    page->mouseDown(5, 35);
    page->doubleClick(5, 35);
    EXPECT_TRUE(page->buttons()[0].pressed());
    page->mouseUp(5, 35);
    EXPECT_EQ(rig.posted(), (Actions{{0x1001, 0}, {0x4000, 0}, {0x1001, 0}}));
    EXPECT_EQ(page->textList()->selected(), 1); // (35 − 20) ÷ 9
    page->doubleClick(5, 46); // row 2, the last one
    EXPECT_EQ(rig.posted(), (Actions{{0x4000, 0}}));
    EXPECT_EQ(page->textList()->selected(), 2);
    page->doubleClick(5, 47); // row 3: beyond the last line
    page->doubleClick(50, 35); // outside the list
    EXPECT_TRUE(rig.posted().empty());
    EXPECT_EQ(page->textList()->selected(), 2);
}

TEST_F(PageInput, AListInModeZeroLetsSingleClicksThrough)
{
    page->addBackgroundAction({0x0A01, 0});
    page->setTextList(0, {0, 20, 40, 47}, nullptr, 10);
    page->addTextListLine("a");
    // Single clicks do not activate such a list, so the press counts as bare background.
    EXPECT_FALSE(page->mouseDown(5, 25));
    EXPECT_EQ(rig.posted(), (Actions{{0x0A01, 0}}));
}

TEST_F(PageInput, AViewerOpensATitleAndThePageReactsToItsActions)
{
    ArchiveWriter files;
    files.add("a.txt", std::string_view("one\ntwo\nthree\nfour\nfive\nsix"));
    files.add("b.txt", std::string_view("short"));
    DataArchive documents;
    documents.openBytes(files.bytes());
    page->setTextViewer({0, 0, 40, 29}, nullptr, 10); // two rows
    page->addViewerDocument("a.txt", "A", documents);
    page->addViewerDocument("b.txt", "B", documents);
    TextViewer& viewer = *page->textViewer();
    EXPECT_EQ(viewer.titles().line(0), "B");

    page->mouseMove(5, 15, 0);
    EXPECT_EQ(viewer.titles().hoverRow(), 1);
    EXPECT_TRUE(page->mouseDown(5, 15));
    page->mouseUp(5, 15);
    EXPECT_TRUE(viewer.reading());
    EXPECT_EQ(viewer.openIndex(), 1);
    EXPECT_EQ(viewer.openDocument()->lineCount(), 6);
    EXPECT_TRUE(rig.posted().empty()) << "opening a document posts nothing";

    page->onAction(0x5002, 0);
    page->onAction(0x5002, 0);
    EXPECT_EQ(viewer.firstLine(), 2);
    page->onAction(0x5001, 0);
    EXPECT_EQ(viewer.firstLine(), 1);
    page->onAction(0x5003, 0);
    EXPECT_FALSE(viewer.reading());
}

TEST_F(PageInput, AddingToMissingListsOrViewersDoesNothing)
{
    DataArchive empty;
    empty.openBytes({});
    // The document is never looked up, so its absence raises nothing.
    page->addViewerDocument("missing.txt", "title", empty);
    page->addTextListLine("line");
    EXPECT_EQ(page->textList(), nullptr);
    EXPECT_EQ(page->textViewer(), nullptr);
    EXPECT_FALSE(page->mouseDown(5, 5));
    page->doubleClick(5, 5);
    for (std::uint16_t code : {0x1003, 0x4000, 0x4001, 0x4002, 0x5001, 0x5002, 0x5003})
        page->onAction(code, 0);
    page->onAction(0x2000, 0x2002);
    page->onAction(0x2000, 0x2003);
    EXPECT_TRUE(rig.posted().empty());
}

TEST_F(PageInput, ASecondListOrViewerReplacesTheFirst)
{
    page->setTextList(1, {0, 0, 40, 40}, nullptr, 10);
    page->addTextListLine("old");
    page->setTextList(0, {0, 0, 20, 20}, nullptr, 5);
    ASSERT_NE(page->textList(), nullptr);
    EXPECT_EQ(page->textList()->lineCount(), 0);
    EXPECT_EQ(page->textList()->activation(), 0);
    EXPECT_EQ(page->textList()->rowHeight(), 5);

    ArchiveWriter files;
    files.add("a.txt", std::string_view("text"));
    DataArchive documents;
    documents.openBytes(files.bytes());
    page->setTextViewer({0, 0, 40, 40}, nullptr, 10);
    page->addViewerDocument("a.txt", "A", documents);
    page->setTextViewer({0, 0, 30, 30}, nullptr, 10);
    EXPECT_EQ(page->textViewer()->documentCount(), 0);
    EXPECT_EQ(page->textViewer()->rect(), (Rect{0, 0, 30, 30}));
}
