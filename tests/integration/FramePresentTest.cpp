#include "support/StandardSkin.h"

#include <gtest/gtest.h>

using namespace windlecroft;
using namespace windlecroft::test;

TEST(FramePresent, OnlyFramesThatChangeThePictureArePresented)
{
    Harness h(false);
    TestSkin skin;
    PageRecords records;
    records.day = [](SkinConfigWriter& c) { c.button({10, 10, 110, 40}, 0x1009, 0); };
    buildStandardSkin(skin, "dzien", false, false, records);
    h.start(skin);
    h.run(50);
    const int settled = h.desktop->presentCount();
    h.run(500);
    EXPECT_EQ(h.desktop->presentCount(), settled) << "nothing changed, nothing presented";

    // Hovering fades the highlight in: every step is a new picture until it is full.
    h.app->mouseMove(50, 20, 0);
    h.run(500);
    const int afterFade = h.desktop->presentCount();
    EXPECT_GT(afterFade, settled + 15);
    EXPECT_EQ(h.pixel(50, 20), dayColours.highlight);
    h.run(500);
    EXPECT_EQ(h.desktop->presentCount(), afterFade);

    // A press shows the pressed picture at once; another playlist position redraws the title.
    h.app->mouseDown(50, 20);
    EXPECT_EQ(h.desktop->presentCount(), afterFade + 1);
    EXPECT_EQ(h.pixel(50, 20), dayColours.pressed);
    h.act(0x1010, 2);
    EXPECT_EQ(h.desktop->presentCount(), afterFade + 2);
}
