#include "elements/Button.h"

#include <gtest/gtest.h>

#include <vector>

using namespace windlecroft;

namespace {

// Runs one draw step every 11 ms while hovered and returns the levels reached.
std::vector<float> levelsWhileHovered(std::uint16_t step, int draws)
{
    std::uint64_t now = 1000;
    Button button({0, 0, 10, 10}, {0x1001, 0}, now);
    button.hoverAt(5, 5);
    std::vector<float> levels;
    for (int i = 0; i < draws; ++i) {
        now += 11;
        button.stepHighlight(now, step);
        levels.push_back(button.level());
    }
    return levels;
}

} // namespace

TEST(Button, HighlightRisesByItsStepAndStopsAtExactly100)
{
    auto five = levelsWhileHovered(5, 21);
    EXPECT_FLOAT_EQ(five[18], 95.0f);
    EXPECT_FLOAT_EQ(five[19], 100.0f);
    EXPECT_FLOAT_EQ(five[20], 100.0f);
    EXPECT_EQ(levelsWhileHovered(30, 4), (std::vector<float>{30, 60, 90, 100}));
}

TEST(Button, HighlightStepsOnEveryTickOfTenMsAndFallsWhenLeft)
{
    Button button({0, 0, 10, 10}, {0x1001, 0}, 1000);
    button.hoverAt(0, 0);
    button.stepHighlight(1009, 5); // 9 ms: too early
    EXPECT_FLOAT_EQ(button.level(), 0.0f);
    button.stepHighlight(1010, 5); // one frame tick
    EXPECT_FLOAT_EQ(button.level(), 5.0f);
    button.stepHighlight(5000, 5); // a long gap is still one step
    EXPECT_FLOAT_EQ(button.level(), 10.0f);
    button.stepHighlight(4000, 5); // time going backwards does nothing
    EXPECT_FLOAT_EQ(button.level(), 10.0f);

    button.hoverAt(11, 0); // the right edge is inclusive, 11 is outside
    EXPECT_FALSE(button.hover());
    button.stepHighlight(5010, 7);
    EXPECT_FLOAT_EQ(button.level(), 3.0f);
    button.stepHighlight(5020, 7);
    EXPECT_FLOAT_EQ(button.level(), 0.0f);
}

TEST(Button, BlendAlphaIsLevelTimes255Truncated)
{
    Button button({0, 0, 1, 1}, {}, 0);
    const std::vector<std::pair<float, int>> cases{{0, 0}, {1, 2}, {50, 127}, {99, 252}, {100, 255}};
    for (auto [level, alpha] : cases) {
        button.setLevel(level);
        EXPECT_EQ(button.highlightAlpha(), alpha) << "level " << level;
    }
}

TEST(Button, PressFollowsTheRectangleOrAKeyAndResetClearsEverything)
{
    Button button({10, 20, 110, 40}, {0x1001, 0}, 0);
    button.pressAt(true, 110, 40);
    EXPECT_TRUE(button.pressed());
    button.pressAt(true, 111, 40);
    EXPECT_FALSE(button.pressed());
    button.pressAt(true, -1, -1); // a key presses it wherever the pointer is
    EXPECT_TRUE(button.pressed());
    button.hoverAt(50, 30);
    button.setLevel(40);
    button.reset();
    EXPECT_FALSE(button.pressed());
    EXPECT_FALSE(button.hover());
    EXPECT_FLOAT_EQ(button.level(), 0.0f);
}
