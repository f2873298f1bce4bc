#include "elements/Slider.h"
#include "resources/Canvas.h"

#include <gtest/gtest.h>

using namespace windlecroft;

TEST(Slider, HorizontalKnobIsCentredOnThePointer)
{
    Slider slider(Slider::Orientation::Horizontal, false, {100, 0, 300, 20}, 0x2001);
    slider.setKnobSize(20, 10);
    EXPECT_EQ(slider.maximum(), 180);
    EXPECT_TRUE(slider.press(true, 110, 5));
    EXPECT_EQ(slider.value(), 0);
    slider.press(true, 200, 5);
    EXPECT_EQ(slider.value(), 90);
    EXPECT_FLOAT_EQ(slider.percent(), 50.0f);
    slider.press(true, 290, 5);
    EXPECT_EQ(slider.value(), 180);
    EXPECT_FLOAT_EQ(slider.percent(), 100.0f);
    slider.press(true, 300, 5);
    EXPECT_EQ(slider.value(), 180);
}

TEST(Slider, VerticalKnobHangsBelowThePointerByItsWholeHeight)
{
    Slider slider(Slider::Orientation::Vertical, false, {0, 50, 20, 250}, 0x2002);
    slider.setKnobSize(10, 16);
    EXPECT_EQ(slider.maximum(), 184);
    for (auto [y, value] : {std::pair{60, 0}, {66, 0}, {100, 34}, {250, 184}}) {
        slider.press(true, 5, y);
        EXPECT_EQ(slider.value(), value) << "y " << y;
    }
}

TEST(Slider, LiveSliderAnnouncesEveryMoveReleaseOnlyOnlyTheRelease)
{
    for (bool releaseOnly : {false, true}) {
        Slider slider(Slider::Orientation::Horizontal, releaseOnly, {0, 0, 100, 10}, 1);
        slider.setKnobSize(10, 10);
        EXPECT_FALSE(slider.dragTo(50, 5)) << "no drag before a press";
        EXPECT_TRUE(slider.press(true, 20, 5)); // taken, but announced only by the page's later steps
        EXPECT_EQ(slider.dragTo(40, 5), !releaseOnly);
        EXPECT_EQ(slider.value(), 35);
        // Outside the rectangle the value stays and the drag goes on.
        EXPECT_FALSE(slider.dragTo(400, 5));
        EXPECT_EQ(slider.value(), 35);
        EXPECT_TRUE(slider.dragging());
        EXPECT_EQ(slider.dragTo(60, 5), !releaseOnly);
        EXPECT_TRUE(slider.press(false, -1, -1)); // the release ends the drag with one announcement
        EXPECT_FALSE(slider.press(false, -1, -1));
        EXPECT_FALSE(slider.dragTo(70, 5));
        EXPECT_EQ(slider.value(), 55);
    }
}

TEST(Slider, PressOutsideChangesNothingAndNoTravelMeansZeroPercent)
{
    Slider slider(Slider::Orientation::Horizontal, false, {0, 0, 100, 10}, 1);
    slider.setKnobSize(10, 10);
    EXPECT_FALSE(slider.press(true, 101, 5));
    EXPECT_FALSE(slider.dragging());

    Slider full(Slider::Orientation::Horizontal, false, {0, 0, 20, 10}, 1);
    full.setKnobSize(20, 10);
    EXPECT_EQ(full.maximum(), 0);
    full.press(true, 15, 5);
    EXPECT_EQ(full.percent(), 0.0f);
    Slider larger(Slider::Orientation::Vertical, false, {0, 0, 20, 10}, 1);
    larger.setKnobSize(5, 30);
    EXPECT_EQ(larger.maximum(), 0);
    larger.press(true, 5, 10);
    EXPECT_EQ(larger.value(), 0);
    EXPECT_EQ(larger.percent(), 0.0f);
}

TEST(Slider, AFollowingKnobChangesOnlyWhereItWasAndWhereItIs)
{
    Slider slider(Slider::Orientation::Horizontal, false, {100, 0, 300, 20}, 0x2001);
    slider.setKnobSize(20, 10);
    EXPECT_TRUE(slider.follow(0.5));
    EXPECT_EQ(slider.knobChange(), (Rect{100, 0, 300, 20})) << "nothing drawn yet: the whole slider";
    Canvas canvas;
    canvas.create(400, 40);
    slider.drawKnob(canvas, {0, 0, 400, 40});
    EXPECT_FALSE(slider.follow(0.5));
    EXPECT_TRUE(slider.follow(0.6));
    EXPECT_EQ(slider.knobChange(), (Rect{190, 0, 228, 10}));
}
