#include "elements/TextList.h"

#include <gtest/gtest.h>

#include <string>

using namespace windlecroft;

namespace {

TextList listWith(int lines, int activation = 1)
{
    TextList list(activation, {0, 100, 200, 200}, nullptr, 20);
    for (int i = 0; i < lines; ++i)
        list.addLine("line " + std::to_string(i));
    return list;
}

} // namespace

TEST(TextList, RowsAndScrollLimitsFollowTheLines)
{
    TextList empty = listWith(0);
    EXPECT_EQ(empty.visibleRows(), 0);
    EXPECT_FALSE(empty.click(1, true, 10, 105));

    TextList three = listWith(3);
    EXPECT_EQ(three.visibleRows(), 3);
    EXPECT_EQ(three.maxTop(), 0);
    EXPECT_EQ(three.line(0), "line 2"); // newest first

    TextList twelve = listWith(12);
    EXPECT_EQ(twelve.visibleRows(), 5);
    EXPECT_EQ(twelve.maxTop(), 7);
}

TEST(TextList, SingleClickActivatesOnlyPressAndReleaseOnTheSameRow)
{
    TextList list = listWith(3);
    EXPECT_FALSE(list.click(1, true, 10, 170)); // beyond the last line
    EXPECT_EQ(list.pressedRow(), -1);
    EXPECT_TRUE(list.click(1, true, 10, 145));
    EXPECT_EQ(list.pressedRow(), 2);
    EXPECT_TRUE(list.click(1, false, 10, 145));
    EXPECT_EQ(list.selected(), 2);
    EXPECT_EQ(list.pressedRow(), -1);

    EXPECT_TRUE(list.click(1, true, 10, 105));
    EXPECT_FALSE(list.click(1, false, 10, 125)); // released on another row
    EXPECT_EQ(list.pressedRow(), -1);
    EXPECT_EQ(list.selected(), 2);

    EXPECT_TRUE(list.click(1, true, 10, 105));
    EXPECT_FALSE(list.click(1, false, 300, 105)); // a release outside forgets the press
    EXPECT_EQ(list.pressedRow(), -1);
    // The double-click route does nothing for a single-click list.
    EXPECT_FALSE(list.click(0, true, 10, 105));
}

TEST(TextList, DoubleClickListSelectsOnlyThroughItsOwnRoute)
{
    TextList list = listWith(12, 0);
    list.scrollDown();
    EXPECT_FALSE(list.click(1, true, 10, 125));
    EXPECT_FALSE(list.click(0, true, 10, 300));
    EXPECT_FALSE(list.click(0, false, 10, 125));
    EXPECT_TRUE(list.click(0, true, 10, 125));
    EXPECT_EQ(list.selected(), 2);
}

TEST(TextList, ScrollingFormulas)
{
    TextList list = listWith(12);
    list.scrollToPercent(50);
    EXPECT_EQ(list.top(), 3);
    list.scrollToPercent(98);
    EXPECT_EQ(list.top(), 7);
    list.scrollToPercent(100);
    EXPECT_EQ(list.top(), 7);
    list.scrollToPercent(0);
    EXPECT_EQ(list.top(), 0);
    list.scrollUp();
    EXPECT_EQ(list.top(), 0);
    for (int i = 0; i < 10; ++i)
        list.scrollDown();
    EXPECT_EQ(list.top(), 7);

    list.scrollToPercent(0);
    list.setSelected(9);
    list.showSelected();
    EXPECT_EQ(list.top(), 5);
    list.setSelected(2);
    list.showSelected();
    EXPECT_EQ(list.top(), 2);
    // Selection is never changed by scrolling.
    list.scrollDown();
    EXPECT_EQ(list.selected(), 2);
}

TEST(TextList, HoverNamesTheRowUnderThePointer)
{
    TextList list = listWith(12);
    list.scrollDown();
    list.hoverAt(10, 145);
    EXPECT_EQ(list.hoverRow(), 3);
    list.hoverAt(10, 99);
    EXPECT_EQ(list.hoverRow(), -1);
}

TEST(TextList, ZeroRowHeightHasNoRowsAndNeverDivides)
{
    TextList list(1, {0, 0, 100, 100}, nullptr, 0);
    list.addLine("a");
    EXPECT_EQ(list.visibleRows(), 0);
    EXPECT_EQ(list.maxTop(), 1);
    EXPECT_FALSE(list.click(1, true, 5, 5));
    list.hoverAt(5, 5);
    EXPECT_EQ(list.hoverRow(), -1);
}
