// The page chunk and its element records: the checks in their order, every message
// verbatim, the timer rule, what is dropped or replaced, and files that end or lie about lengths.
#include "support/SkinRig.h"
#include "support/TestSkin.h"

#include "base/SkinLimits.h"
#include "skin/ChunkIds.h"
#include "elements/Page.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using namespace windlecroft;
using windlecroft::test::SkinRig;
using windlecroft::test::fitRoot;
using windlecroft::test::solidBmp;

namespace {

class PageChunk : public ::testing::Test {
protected:
    PageChunk()
    {
        rig.archive.add("bg.bmp", solidBmp(8, 6, 0x00102030));
        rig.archive.add("knob.bmp", solidBmp(10, 4, 0x00FFFFFF));
        rig.archive.add("doc.txt", std::string_view("a document"));
    }

    /** A skin with a font "font" and a page "p" whose records the test adds. */
    SkinConfigWriter& pageWith()
    {
        writer.font("font", "", 400, 12);
        writer.beginPage("p", "bg.bmp");
        return writer;
    }

    Page& page() { return *rig.skin.page("p"); }

    SkinRig rig;
    SkinConfigWriter writer{"t", 8, 6};
};

const std::string corrupted = "config file corrupted, ";

} // namespace

// Each fault of a record ends the load with its message; the checks within one record come in
// the player's order (a font or plugin is looked up before the mode is checked, a slider's
// bytes before its knob is loaded).
TEST(PageChunkErrors, EachFaultEndsTheLoadWithItsMessage)
{
    using Records = std::function<void(SkinConfigWriter&)>;
    const struct {
        const char* fault;
        Records records;
        std::string message;
    } cases[] = {
        {"unknown text-list font", [](auto& c) { c.textList({0, 0, 5, 5}, 0, "nofont", 10); },
         "can't find font named nofont"},
        {"names compare byte for byte", [](auto& c) { c.textViewer({0, 0, 5, 5}, "Font", 10); },
         "can't find font named Font"},
        {"font before mode", [](auto& c) { c.textList({0, 0, 50, 50}, 2, "missing", 16); },
         "can't find font named missing"},
        {"text-list mode", [](auto& c) { c.textList({0, 0, 50, 50}, 2, "font", 16); }, "unknown playlist mode"},
        {"slider type 2", [](auto& c) { c.slider({0, 0, 50, 9}, 2, 0, "knob.bmp", 1); },
         "unknown slider orientation or type"},
        {"slider orientation 255", [](auto& c) { c.slider({0, 0, 50, 9}, 1, 255, "knob.bmp", 1); },
         "unknown slider orientation or type"},
        {"slider bytes before knob", [](auto& c) { c.slider({0, 0, 50, 9}, 0, 2, "no-knob.bmp", 1); },
         "unknown slider orientation or type"},
        {"missing knob", [](auto& c) { c.slider({0, 0, 50, 9}, 0, 0, "gone.bmp", 1); },
         "can't find file gone.bmp in datafile"},
        {"unknown plugin", [](auto& c) { c.pagePlugin("spectrum", 0); }, "can't find plugin named spectrum"},
        {"plugin before mode", [](auto& c) { c.pagePlugin("vis", 2); }, "can't find plugin named vis"},
        {"list style target", [](auto& c) { c.record(skin::ListStyleRecord{.target = 2}); }, "unknown list style target"},
        {"live slider source",
         [](auto& c) {
             c.slider({0, 0, 50, 9}, 0, 0, "knob.bmp", 0x2001);
             c.record(skin::LiveSliderRecord{0x2001, 6});
         },
         "unknown live slider source"},
        {"live slider before its slider",
         [](auto& c) {
             c.record(skin::LiveSliderRecord{0x2001, 1});
             c.slider({0, 0, 50, 9}, 0, 0, "knob.bmp", 0x2001);
         },
         "can't find slider 0x2001"},
        {"live text font before its bytes", [](auto& c) { c.record(skin::LiveTextRecord{{}, "none", 0, 7, 9}); },
         "can't find font named none"},
        {"live text alignment", [](auto& c) { c.record(skin::LiveTextRecord{{}, "font", 0, 3, 0}); },
         "unknown live text alignment"},
        {"live text kind", [](auto& c) { c.record(skin::LiveTextRecord{{}, "font", 0, 2, 8}); }, "unknown live text kind"},
        {"live plugin", [](auto& c) { c.record(skin::LivePluginRecord{"spectrum", {0, 0, 5, 5}, 1}); },
         "can't find plugin named spectrum"},
    };
    for (const auto& each : cases) {
        SkinRig rig;
        rig.archive.add("bg.bmp", solidBmp(8, 6, 0));
        rig.archive.add("knob.bmp", solidBmp(10, 4, 0));
        SkinConfigWriter config("t", 8, 6);
        config.font("font", "", 400, 12);
        config.beginPage("p", "bg.bmp");
        each.records(config);
        const std::string expected = each.message.starts_with("can't find file") ? each.message : corrupted + each.message;
        EXPECT_EQ(rig.walk(config), expected) << each.fault;
    }
    // A font defined only after the page is unknown to it.
    SkinRig rig;
    SkinConfigWriter late("t", 8, 6);
    late.beginPage("p", "");
    late.textList({0, 0, 5, 5}, 0, "late", 10);
    late.endPage();
    late.font("late", "", 400, 12);
    EXPECT_EQ(rig.walk(late), corrupted + "can't find font named late");
}

TEST_F(PageChunk, TextListModes)
{
    pageWith().textList({0, 0, 50, 50}, 1, "font", 16);
    EXPECT_EQ(rig.walk(writer), "loaded");
    ASSERT_NE(page().textList(), nullptr);
    EXPECT_EQ(page().textList()->activation(), 0) << "mode 1: single clicks do not activate";
    EXPECT_EQ(page().textList()->rowHeight(), 16);
    EXPECT_EQ(page().textList()->font(), rig.skin.fonts().find("font"));

    SkinRig single;
    single.archive.add("bg.bmp", solidBmp(8, 6, 0));
    SkinConfigWriter zero("t", 8, 6);
    zero.font("font", "", 400, 12);
    zero.beginPage("p", "bg.bmp");
    zero.textList({0, 0, 50, 50}, 0, "font", 7);
    EXPECT_EQ(single.walk(zero), "loaded");
    EXPECT_EQ(single.skin.page("p")->textList()->activation(), 1);
    EXPECT_EQ(single.skin.page("p")->textList()->rowHeight(), 7);
}

TEST_F(PageChunk, SlidersTakeTheirKnobFromTheArchive)
{
    pageWith().slider({0, 0, 50, 9}, 1, 0, "knob.bmp", 0x2001);
    writer.slider({0, 0, 9, 50}, 0, 1, "knob.bmp", 0x2002);
    EXPECT_EQ(rig.walk(writer), "loaded");
    const auto& sliders = page().sliders();
    ASSERT_EQ(sliders.size(), 2u);
    EXPECT_EQ(sliders[0]->orientation(), Slider::Orientation::Vertical);
    EXPECT_FALSE(sliders[0]->releaseOnly());
    EXPECT_EQ(sliders[0]->maximum(), 46); // 50 − knob height 4
    EXPECT_EQ(sliders[1]->orientation(), Slider::Orientation::Horizontal);
    EXPECT_TRUE(sliders[1]->releaseOnly());
    EXPECT_EQ(sliders[1]->id(), 0x2001);
    EXPECT_EQ(sliders[1]->maximum(), 40); // 50 − knob width 10
}

TEST_F(PageChunk, PluginRecordsAttachToTheModeTheyName)
{
    // The program's plugin folder holds the library.
    ApplicationOptions options;
    options.pluginDir = std::filesystem::path(TAGGER_PLUGIN).parent_path();
    SkinRig withPlugins(true, options);
    writer.plugin("vis", std::filesystem::path(TAGGER_PLUGIN).filename().string());
    writer.beginPage("p", "");
    writer.pagePlugin("vis", 1);
    writer.pagePlugin("vis", 0);
    writer.pagePlugin("vis", 1);
    writer.pagePlugin("vis", 2);
    EXPECT_EQ(withPlugins.walk(writer), corrupted + "unknown plugin mode");
    Plugin* vis = withPlugins.skin.plugins().find("vis");
    ASSERT_NE(vis, nullptr);
    const Page& page = *withPlugins.skin.page("p");
    EXPECT_EQ(page.plugins(0), (std::deque<Plugin*>{vis}));
    EXPECT_EQ(page.plugins(1), (std::deque<Plugin*>{vis, vis}));
}

TEST_F(PageChunk, AnErrorLeavesWhatWasBuiltRegistered)
{
    pageWith().button({1, 2, 3, 4}, 0x1001, 0);
    writer.textList({0, 0, 5, 5}, 9, "font", 10);
    writer.button({5, 6, 7, 8}, 0x1002, 0);
    EXPECT_EQ(rig.walk(writer), corrupted + "unknown playlist mode");
    ASSERT_NE(rig.skin.page("p"), nullptr);
    EXPECT_EQ(page().buttons().size(), 1u);
    EXPECT_EQ(page().textList(), nullptr);
}

TEST_F(PageChunk, ASwitchTimerWaitsASecondLongerWithoutTranslucentWindows)
{
    for (bool layered : {true, false}) {
        SkinRig one(layered);
        one.archive.add("bg.bmp", solidBmp(8, 6, 0));
        SkinConfigWriter config("t", 8, 6);
        config.beginPage("p", "bg.bmp");
        config.pageTimer(500, 0x8001, 1);
        config.pageTimer(500, 0x1001, 0);
        config.pageTimer(0xFFFFFFFF, 0x8001, 2);
        EXPECT_EQ(one.walk(config), "loaded");
        const auto& timers = one.skin.page("p")->timers();
        ASSERT_EQ(timers.size(), 3u);
        // The delay is widened to 64 bits before the second is added: no wrap.
        EXPECT_EQ(timers[0].delay(), layered ? 0xFFFFFFFFull : 0xFFFFFFFFull + 1000) << layered;
        EXPECT_EQ(timers[0].action(), (Action{0x8001, 2}));
        EXPECT_EQ(timers[1].delay(), 500u) << "other codes are never delayed";
        EXPECT_EQ(timers[2].delay(), layered ? 500u : 1500u);
    }
}

TEST_F(PageChunk, TextBlocksBeforeTheViewerAreDroppedAndLaterOnesAdded)
{
    // The dropped block's file is not in the archive: it is never looked up.
    pageWith().textBlock("Early", "absent.txt");
    writer.textViewer({0, 0, 50, 50}, "font", 10);
    writer.textBlock("Doc", "doc.txt");
    EXPECT_EQ(rig.walk(writer), "loaded");
    ASSERT_NE(page().textViewer(), nullptr);
    EXPECT_EQ(page().textViewer()->documentCount(), 1);
    EXPECT_EQ(page().textViewer()->documentTitle(0), "Doc");
    EXPECT_EQ(page().textViewer()->titles().line(0), "Doc");

    SkinRig missing;
    SkinConfigWriter config("t", 8, 6);
    config.font("font", "", 400, 12);
    config.beginPage("p", "");
    config.textViewer({0, 0, 50, 50}, "font", 10);
    config.textBlock("Doc", "absent.txt");
    EXPECT_EQ(missing.walk(config), "can't find file absent.txt in datafile");
}

// A document is cut to maxDocumentBytes, and each time a page names one its text counts
// against the skin's document budget.
TEST_F(PageChunk, DocumentsOfASkinShareOneBudget)
{
    const auto skinNaming = [](std::uint64_t documents) {
        SkinConfigWriter config("t", 8, 6);
        config.font("font", "", 400, 12);
        config.beginPage("p", "");
        config.textViewer({0, 0, 50, 50}, "font", 10);
        for (std::uint64_t i = 0; i < documents; ++i)
            config.textBlock("Breaks", "breaks.txt");
        return config.finish();
    };
    const std::uint64_t fitting = maxSkinDocumentBytes / maxDocumentBytes;
    rig.archive.add("breaks.txt", std::string(maxDocumentBytes + 5, '\n'));
    EXPECT_EQ(rig.walk(skinNaming(fitting)), "loaded");
    TextViewer& viewer = *page().textViewer();
    ASSERT_EQ(viewer.documentCount(), static_cast<int>(fitting));
    viewer.press(true, 1, 1);
    viewer.press(false, 1, 1);
    ASSERT_NE(viewer.openDocument(), nullptr);
    EXPECT_EQ(viewer.openDocument()->lineCount(), static_cast<int>(maxDocumentBytes) + 1);

    SkinRig over;
    over.archive.add("breaks.txt", std::string(maxDocumentBytes + 5, '\n'));
    EXPECT_EQ(over.walk(skinNaming(fitting + 1)), corrupted + "documents too large");
}

TEST_F(PageChunk, ASecondTextListOrViewerReplacesTheFirst)
{
    writer.font("other", "", 700, 20);
    pageWith().textList({0, 0, 50, 50}, 0, "font", 10);
    writer.textViewer({0, 0, 50, 50}, "font", 10);
    writer.textBlock("One", "doc.txt");
    writer.textBlock("Two", "doc.txt");
    writer.textList({1, 1, 40, 40}, 1, "other", 8);
    writer.textViewer({2, 2, 30, 30}, "other", 6);
    writer.textBlock("Three", "doc.txt");
    writer.endPage();
    writer.tracklist(1, {{"song", "song.ogg"}});
    EXPECT_EQ(rig.walk(writer), "loaded");
    const TextList& list = *page().textList();
    EXPECT_EQ(list.rect(), (Rect{1, 1, 40, 40}));
    EXPECT_EQ(list.activation(), 0);
    EXPECT_EQ(list.font(), rig.skin.fonts().find("other"));
    EXPECT_EQ(list.lineCount(), 1);
    const TextViewer& viewer = *page().textViewer();
    EXPECT_EQ(viewer.rect(), (Rect{2, 2, 30, 30}));
    EXPECT_EQ(viewer.documentCount(), 1);
    EXPECT_EQ(viewer.documentTitle(0), "Three");
}

TEST_F(PageChunk, AnEmptyPageAndThePagesAfterIt)
{
    writer.beginPage("empty", "bg.bmp", "", "", true);
    writer.endPage();
    writer.startScene("empty");
    writer.beginPage("bare", "", "bg.bmp", "bg.bmp");
    writer.button({0, 0, 1, 1}, 0x1001, 0);
    writer.endPage();
    EXPECT_EQ(rig.walk(writer), "loaded");
    EXPECT_EQ(rig.skin.startScene(), "empty") << "the walk goes on after an empty page";
    const Page& empty = *rig.skin.page("empty");
    EXPECT_TRUE(empty.crossFade());
    EXPECT_TRUE(empty.buttons().empty());
    EXPECT_EQ(empty.normalImage()->pixels().pixel(7, 5), 0x00102030u);
    const Page& bare = *rig.skin.page("bare");
    EXPECT_FALSE(bare.crossFade());
    EXPECT_EQ(bare.normalImage(), nullptr);
    EXPECT_EQ(bare.pressedImage(), nullptr) << "no normal picture: no pictures at all";
    EXPECT_EQ(bare.highlightImage(), nullptr);
    EXPECT_EQ(bare.buttons().size(), 1u);
}

TEST_F(PageChunk, TheNewestPageOfANameIsFound)
{
    writer.beginPage("p", "bg.bmp");
    writer.button({0, 0, 1, 1}, 0x1001, 0);
    writer.endPage();
    writer.beginPage("p", "");
    writer.button({0, 0, 1, 1}, 0x1002, 0);
    writer.endPage();
    EXPECT_EQ(rig.walk(writer), "loaded");
    EXPECT_EQ(rig.skin.pages().size(), 2u);
    EXPECT_EQ(page().buttons()[0].action(), (Action{0x1002, 0}));
}

TEST_F(PageChunk, UnknownRecordsAreSkippedByTheirLength)
{
    pageWith().button({1, 1, 2, 2}, 0x1001, 0);
    // Record 0x4150 of length 20: 14 payload bytes that look like a button record.
    ByteWriter payload;
    payload.u16(record::button);
    payload.u32(26);
    for (int i = 0; i < 8; ++i)
        payload.u8(0xEE);
    writer.rawChunk(0x4150, payload.bytes());
    writer.button({3, 3, 4, 4}, 0x1002, 0);
    writer.endPage();
    writer.startScene("after");
    EXPECT_EQ(rig.walk(writer), "loaded");
    ASSERT_EQ(page().buttons().size(), 2u);
    EXPECT_EQ(page().buttons()[0].rect(), (Rect{3, 3, 4, 4}));
    EXPECT_EQ(page().buttons()[1].rect(), (Rect{1, 1, 2, 2}));
    EXPECT_EQ(rig.skin.startScene(), "after");
}

TEST_F(PageChunk, AnUnknownRecordShorterThanItsHeaderEndsTheLoadWithAMessage)
{
    pageWith();
    writer.rawChunk(0x4150, {}, 3u);
    writer.button({3, 3, 4, 4}, 0x1002, 0);
    const std::string result = rig.walk(writer);
    EXPECT_EQ(result.rfind(corrupted, 0), 0u) << result;
}

TEST_F(PageChunk, KnownRecordsReadTheirFieldsWhateverTheirLengthSays)
{
    // A button record whose length (6) is smaller than its fields: the fields are read anyway
    // and the next record follows them.
    pageWith();
    ByteWriter fields;
    fields.rect({10, 20, 30, 40});
    fields.u16(0x1001);
    fields.u16(7);
    writer.rawChunk(record::button, fields.bytes(), 6u);
    writer.keyBinding(0x20, 0x1001, 7);
    writer.endPage();
    EXPECT_EQ(rig.walk(writer), "loaded");
    ASSERT_EQ(page().buttons().size(), 1u);
    EXPECT_EQ(page().buttons()[0].rect(), (Rect{10, 20, 30, 40}));
    EXPECT_EQ(page().buttons()[0].action(), (Action{0x1001, 7}));
    ASSERT_EQ(page().keyBindings().size(), 1u);
    EXPECT_EQ(page().keyBindings()[0].key, 0x20);
}

TEST_F(PageChunk, APageLengthShorterThanItsStringsEndsTheElementWalkAtOnce)
{
    // The declared length ends inside the page's own fields: no records are read from it and
    // the top-level walk goes on right after the flag.
    writer.beginPage("p", "bg.bmp");
    writer.setChunkLength(7);
    writer.endPage();
    writer.startScene("after");
    EXPECT_EQ(rig.walk(writer), "loaded");
    EXPECT_TRUE(page().buttons().empty());
    EXPECT_EQ(rig.skin.startScene(), "after");
}

TEST_F(PageChunk, APageLengthRunningPastTheEndOfTheFileStopsAtTheEnd)
{
    writer.font("font", "", 400, 12);
    writer.beginPage("p", "bg.bmp");
    writer.button({1, 1, 2, 2}, 0x1001, 0);
    writer.keyBinding(0x20, 0x1001, 0);
    writer.setChunkLength(writer.chunkLength() + 65536);
    std::vector<std::uint8_t> bytes = writer.finish();
    EXPECT_EQ(rig.walk(bytes), "loaded");
    EXPECT_EQ(page().buttons().size(), 1u);
    EXPECT_EQ(page().keyBindings().size(), 1u);

    // The same page when the root claims the bytes too: reported, after the page was built.
    SkinRig longer;
    longer.archive.add("bg.bmp", solidBmp(8, 6, 0));
    bytes[4] = 0x01;
    const std::string result = longer.walk(bytes);
    EXPECT_EQ(result, corrupted + "unexpected end of file");
    ASSERT_NE(longer.skin.page("p"), nullptr);
    EXPECT_EQ(longer.skin.page("p")->keyBindings().size(), 1u);
}

TEST_F(PageChunk, StringsRunningToTheEndOfTheFile)
{
    // The page's name runs to the end of the file: a page of that name with no pictures.
    const auto text = [](std::string_view chars) { return std::vector<std::uint8_t>(chars.begin(), chars.end()); };
    SkinConfigWriter config("t", 8, 6);
    config.rawChunk(chunk::page, text("unterminated"), 100u);
    EXPECT_EQ(rig.walk(config), "loaded");
    ASSERT_NE(rig.skin.page("unterminated"), nullptr);
    EXPECT_EQ(rig.skin.page("unterminated")->normalImage(), nullptr);

    // An indicator's state name running to the end: the record is built with what was read.
    SkinRig indicator;
    SkinConfigWriter second("t", 8, 6);
    second.beginPage("p", "");
    second.rawChunk(record::indicator, text("musiclo"), 40u);
    second.endPage();
    EXPECT_EQ(indicator.walk(second), "loaded");
    const Page& p = *indicator.skin.page("p");
    ASSERT_EQ(p.indicators().size(), 1u);
    EXPECT_EQ(p.indicators()[0].state(), "musiclo");

    // A text list's font name running to the end: the lookup fails with that name.
    SkinRig list;
    SkinConfigWriter third("t", 8, 6);
    third.beginPage("p", "");
    ByteWriter fields;
    fields.rect({0, 0, 9, 9});
    fields.u8(0);
    fields.raw(text("fon"));
    third.rawChunk(record::textList, fields.bytes(), 40u);
    third.endPage();
    EXPECT_EQ(list.walk(third), corrupted + "can't find font named fon");
}

TEST_F(PageChunk, EveryCutOfAFullPageLoadsOrFailsWithAMessage)
{
    writer.font("font", "", 400, 12);
    writer.beginPage("p", "bg.bmp", "bg.bmp", "bg.bmp", true);
    writer.button({1, 2, 3, 4}, 0x1001, 0);
    writer.keyBinding(0x20, 0x1001, 0);
    writer.indicator("musiclooped", {1, 1, 5, 5});
    writer.actionRecord(record::backgroundAction, 1, 2);
    writer.actionRecord(record::rightClickAction, 3, 4);
    writer.actionRecord(record::enterAction, 5, 6);
    writer.actionRecord(record::leaveAction, 7, 8);
    writer.textList({0, 0, 8, 6}, 0, "font", 2);
    writer.slider({0, 0, 50, 9}, 0, 0, "knob.bmp", 0x2001);
    writer.textViewer({0, 0, 8, 6}, "font", 2);
    writer.textBlock("Doc", "doc.txt");
    writer.pageTimer(100, 0x8001, 0);
    writer.wheelZone({0, 0, 8, 6}, 1, 2, 3, 4);
    writer.endPage();
    writer.tracklist(1, {{"song", "song.ogg"}});
    const std::vector<std::uint8_t> full = writer.finish();
    const std::vector<std::string> allowed{
        "loaded",
        corrupted,
        "can't find file ",
        "invalid bmp format",
    };
    for (std::size_t length = 11; length <= full.size(); ++length) {
        for (bool fit : {false, true}) {
            std::vector<std::uint8_t> bytes(full.begin(), full.begin() + static_cast<long>(length));
            if (fit)
                fitRoot(bytes);
            SkinRig one;
            one.archive.add("bg.bmp", solidBmp(8, 6, 0));
            one.archive.add("knob.bmp", solidBmp(10, 4, 0));
            one.archive.add("doc.txt", std::string_view("a document"));
            const std::string result = one.walk(bytes);
            bool known = false;
            for (const std::string& prefix : allowed)
                known = known || result.rfind(prefix, 0) == 0;
            EXPECT_TRUE(known) << "length " << length << (fit ? " (root fitted)" : "") << ": " << result;
        }
    }
}

TEST_F(PageChunk, ExtremeRectanglesAreAcceptedAndNeverOverflow)
{
    const Rect huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    const Rect inverted{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    pageWith();
    for (const Rect& rect : {huge, inverted}) {
        writer.button(rect, 0x1001, 0);
        writer.indicator("modulelooped", rect);
        writer.slider(rect, 0, 0, "knob.bmp", 0x2002);
        writer.slider(rect, 1, 1, "knob.bmp", 0x2003);
        writer.wheelZone(rect, 1, 2, 3, 4);
    }
    writer.textList(huge, 0, "font", 1);
    writer.textViewer(huge, "font", 1);
    writer.textBlock("Doc", "doc.txt");
    writer.endPage();
    writer.tracklist(1, {{"a", "a.ogg"}, {"b", "b.ogg"}});
    EXPECT_EQ(rig.walk(writer), "loaded");
    rig.canvas.create(8, 6);

    // Drive the page everywhere: hit tests, drags, list rows, drawing.
    Page& p = page();
    p.onAction(0x6001, 0);
    for (int x : {-5, 0, 3, 7, 100000}) {
        p.mouseMove(x, x, 0);
        p.mouseDown(x, x);
        p.mouseMove(x + 1, x - 1, 1);
        p.mouseUp(x, x);
        p.doubleClick(x, x);
        p.wheel(x, x, 120);
        p.draw();
        p.fadeDraw(128);
    }
    for (std::uint16_t arg : {0x2002, 0x2003})
        p.onAction(0x2000, arg);
    for (std::uint16_t code : {0x1003, 0x4000, 0x4001, 0x4002, 0x5001, 0x5002, 0x5003})
        p.onAction(code, 0);
    rig.clock.advance(50);
    p.draw();
    EXPECT_EQ(p.buttons().size(), 2u);
}
