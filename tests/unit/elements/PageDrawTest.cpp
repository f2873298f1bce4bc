// The page's drawing: the background, indicators under buttons, pressed rectangles,
// the timed highlight blend, and the cross-fade drawing with the page's plugins. Every check
// reads pixels of the back buffer.
#include "support/PageRig.h"

#include "plugins/Plugin.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace windlecroft;
using windlecroft::test::blended;
using windlecroft::test::PageRig;
using windlecroft::test::pictureColour;

namespace {

constexpr std::uint32_t untouched = 0x00777777;

class PageDraw : public ::testing::Test {
protected:
    std::uint32_t normal(int x, int y) const { return pictureColour(PageRig::normalTag, x, y); }
    std::uint32_t pressed(int x, int y) const { return pictureColour(PageRig::pressedTag, x, y); }
    std::uint32_t highlight(int x, int y) const { return pictureColour(PageRig::highlightTag, x, y); }

    /** Runs one draw 11 ms after the last, so that each draw takes one highlight step. */
    void stepDraw()
    {
        rig.clock.advance(10);
        page->draw();
    }

    PageRig rig;
    std::unique_ptr<Page> page = rig.makePage();
};

} // namespace

TEST_F(PageDraw, PressedAndHighlightPicturesShareTheNormalOneUnlessNamed)
{
    EXPECT_NE(page->pressedImage(), page->normalImage());
    EXPECT_NE(page->highlightImage(), page->normalImage());
    auto shared = rig.makePage("normal.bmp", "", "");
    ASSERT_NE(shared->normalImage(), nullptr);
    EXPECT_EQ(shared->pressedImage(), shared->normalImage());
    EXPECT_EQ(shared->highlightImage(), shared->normalImage());
    auto half = rig.makePage("normal.bmp", "", "highlight.bmp");
    EXPECT_EQ(half->pressedImage(), half->normalImage());
    EXPECT_NE(half->highlightImage(), half->normalImage());
    EXPECT_EQ(half->highlightImage()->pixels().pixel(3, 4), highlight(3, 4));
}

TEST_F(PageDraw, APageWithoutANormalPictureDrawsNothingAtAll)
{
    auto bare = rig.makePage("", "pressed.bmp", "highlight.bmp");
    EXPECT_EQ(bare->normalImage(), nullptr);
    EXPECT_EQ(bare->pressedImage(), nullptr);
    EXPECT_EQ(bare->highlightImage(), nullptr);
    bare->addButton({0, 0, 20, 20}, 0x1001, 0);
    bare->addIndicator({30, 30, 40, 40}, "modulelooped");
    bare->onAction(0x6001, 0);
    bare->mouseDown(5, 5);
    rig.fill(untouched);
    bare->draw();
    bare->fadeDraw(200);
    for (int y = 0; y < PageRig::height; ++y)
        for (int x = 0; x < PageRig::width; ++x)
            ASSERT_EQ(rig.pixel(x, y), untouched) << x << "," << y;
}

TEST_F(PageDraw, TheBackgroundCoversTheWindowSize)
{
    rig.windowWidth = 32;
    rig.windowHeight = 20;
    rig.fill(untouched);
    page->draw();
    EXPECT_EQ(rig.pixel(0, 0), normal(0, 0));
    EXPECT_EQ(rig.pixel(31, 19), normal(31, 19));
    EXPECT_EQ(rig.pixel(32, 0), untouched);
    EXPECT_EQ(rig.pixel(0, 20), untouched);
}

TEST_F(PageDraw, APressedButtonShowsThePressedPictureOnePixelNarrowerThanItsHitArea)
{
    page->addButton({10, 10, 20, 16}, 0x1001, 0);
    EXPECT_TRUE(page->mouseDown(20, 16)) << "the hit area includes the right and bottom edges";
    page->draw();
    for (int y = 8; y <= 18; ++y) {
        for (int x = 8; x <= 22; ++x) {
            const bool drawn = x >= 10 && x < 20 && y >= 10 && y < 16;
            ASSERT_EQ(rig.pixel(x, y), drawn ? pressed(x, y) : normal(x, y)) << x << "," << y;
        }
    }
    // Released, not hovered, level 0: the button draws nothing of its own.
    page->mouseUp(50, 40);
    page->draw();
    EXPECT_EQ(rig.pixel(15, 12), normal(15, 12));
}

TEST_F(PageDraw, APressedButtonShowsThePressedPictureWhateverItsLevel)
{
    page->addButton({10, 10, 20, 16}, 0x1001, 0);
    page->mouseMove(15, 12, 0);
    for (int i = 0; i < 4; ++i)
        stepDraw();
    EXPECT_EQ(rig.pixel(15, 12), blended(highlight(15, 12), normal(15, 12), 51)); // level 20
    page->mouseDown(15, 12);
    stepDraw();
    EXPECT_EQ(rig.pixel(15, 12), pressed(15, 12));
    EXPECT_FLOAT_EQ(page->buttons()[0].level(), 25.0f) << "the level keeps rising while pressed";
    // Released while still hovered: the highlight shows at its level at once.
    page->mouseUp(15, 12);
    page->draw(); // no step: under 11 ms since the last
    EXPECT_EQ(rig.pixel(15, 12), blended(highlight(15, 12), normal(15, 12), 63)); // 25 × 2.55
}

TEST_F(PageDraw, TheHighlightBlendsAtLevelTimes255Hundredths)
{
    page->addButton({10, 10, 20, 16}, 0x1001, 0);
    rig.highlightStep = 1;
    page->mouseMove(12, 12, 0);
    stepDraw();
    ASSERT_FLOAT_EQ(page->buttons()[0].level(), 1.0f);
    // Level 1 blends at alpha 2, over the rectangle one pixel narrower and shorter.
    EXPECT_EQ(rig.pixel(10, 10), blended(highlight(10, 10), normal(10, 10), 2));
    EXPECT_EQ(rig.pixel(19, 15), blended(highlight(19, 15), normal(19, 15), 2));
    EXPECT_NE(rig.pixel(19, 15), normal(19, 15));
    EXPECT_EQ(rig.pixel(20, 15), normal(20, 15));
    EXPECT_EQ(rig.pixel(19, 16), normal(19, 16));

    rig.highlightStep = 100;
    stepDraw();
    EXPECT_EQ(rig.pixel(19, 15), highlight(19, 15)) << "level 100 blends at 255, a copy";
}

TEST_F(PageDraw, HighlightLevelsStepOncePerFrameTickOfDrawing)
{
    page->addButton({10, 10, 20, 16}, 0x1001, 0);
    page->mouseMove(12, 12, 0);
    const Button& button = page->buttons()[0];
    page->draw(); // created this very millisecond: no step yet
    EXPECT_FLOAT_EQ(button.level(), 0.0f);
    rig.clock.advance(9);
    page->draw();
    EXPECT_FLOAT_EQ(button.level(), 0.0f) << "9 ms is not enough";
    rig.clock.advance(1);
    page->draw();
    EXPECT_FLOAT_EQ(button.level(), 5.0f) << "a frame tick of 10 ms is";
    for (int i = 2; i <= 20; ++i) {
        stepDraw();
        ASSERT_FLOAT_EQ(button.level(), i < 20 ? 5.0f * static_cast<float>(i) : 100.0f) << "step " << i;
    }
    stepDraw();
    EXPECT_FLOAT_EQ(button.level(), 100.0f);
    // A long pause is still only one step.
    page->mouseMove(50, 40, 0);
    rig.clock.advance(5000);
    page->draw();
    EXPECT_FLOAT_EQ(button.level(), 95.0f);

    rig.highlightStep = 30;
    page->mouseMove(12, 12, 0);
    std::vector<float> levels;
    for (int i = 0; i < 4; ++i) {
        stepDraw();
        levels.push_back(button.level());
    }
    EXPECT_EQ(levels, (std::vector<float>{100, 100, 100, 100}));
    page->mouseMove(50, 40, 0);
    levels.clear();
    for (int i = 0; i < 5; ++i) {
        stepDraw();
        levels.push_back(button.level());
    }
    EXPECT_EQ(levels, (std::vector<float>{70, 40, 10, 0, 0}));
    page->mouseMove(12, 12, 0);
    levels.clear();
    for (int i = 0; i < 4; ++i) {
        stepDraw();
        levels.push_back(button.level());
    }
    EXPECT_EQ(levels, (std::vector<float>{30, 60, 90, 100}));
}

TEST_F(PageDraw, IndicatorsLightFromTheHighlightPictureUnderTheButtons)
{
    page->addIndicator({5, 5, 25, 25}, "modulelooped");
    page->addButton({15, 15, 35, 35}, 0x1001, 0);
    page->mouseDown(30, 30);
    page->draw();
    EXPECT_EQ(rig.pixel(10, 10), normal(10, 10)) << "the lamp starts off";
    page->onAction(0x6001, 0);
    page->draw();
    EXPECT_EQ(rig.pixel(10, 10), highlight(10, 10));
    EXPECT_EQ(rig.pixel(24, 10), highlight(24, 10));
    EXPECT_EQ(rig.pixel(25, 10), normal(25, 10)) << "one pixel narrower";
    EXPECT_EQ(rig.pixel(10, 25), normal(10, 25)) << "one pixel shorter";
    EXPECT_EQ(rig.pixel(20, 20), pressed(20, 20)) << "the button lies on top";
    EXPECT_EQ(rig.pixel(30, 30), pressed(30, 30));
    page->onAction(0x6002, 0);
    page->draw();
    EXPECT_EQ(rig.pixel(10, 10), normal(10, 10));
}

TEST_F(PageDraw, TheButtonDefinedEarlierLiesOnTop)
{
    rig.highlightStep = 100;
    // A (defined first) pressed, B hovered at level 100.
    page->addButton({10, 10, 30, 30}, 0x1001, 0);
    page->addButton({20, 20, 40, 40}, 0x1002, 0);
    page->mouseDown(12, 12);
    page->mouseMove(35, 35, 0);
    stepDraw();
    EXPECT_EQ(rig.pixel(25, 25), pressed(25, 25));
    EXPECT_EQ(rig.pixel(35, 35), highlight(35, 35));

    // The other way round: A hovered, B pressed.
    page->mouseUp(0, 0);
    page->mouseMove(12, 12, 0);
    page->mouseDown(35, 35);
    for (int i = 0; i < 2; ++i)
        stepDraw();
    ASSERT_FLOAT_EQ(page->buttons()[1].level(), 100.0f);
    ASSERT_FLOAT_EQ(page->buttons()[0].level(), 0.0f);
    EXPECT_EQ(rig.pixel(25, 25), highlight(25, 25));
    EXPECT_EQ(rig.pixel(35, 35), pressed(35, 35));
}

TEST_F(PageDraw, FadeDrawBlendsOnlyTheBackground)
{
    page->addButton({10, 10, 20, 16}, 0x1001, 0);
    page->addIndicator({30, 30, 40, 40}, "modulelooped");
    page->onAction(0x6001, 0);
    page->mouseDown(12, 12);
    page->mouseMove(12, 12, 0);
    rig.clock.advance(50);
    rig.windowWidth = 50;
    rig.fill(0x00202020);
    page->fadeDraw(100);
    for (int y = 0; y < PageRig::height; ++y) {
        for (int x = 0; x < PageRig::width; ++x) {
            const std::uint32_t expected = x < 50 ? blended(normal(x, y), 0x00202020, 100) : 0x00202020;
            ASSERT_EQ(rig.pixel(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_FLOAT_EQ(page->buttons()[0].level(), 0.0f) << "no highlight step either";
}

TEST_F(PageDraw, FadeDrawLetsModeOnePluginsDrawThenModeZeroNewestFirstAfterTheBlend)
{
    windlecroft::test::TempDir dir;
    std::vector<std::unique_ptr<Plugin>> plugins;
    for (const char* name : {"a.so", "b.so", "c.so", "d.so"}) {
        std::filesystem::copy_file(TAGGER_PLUGIN, dir / name);
        plugins.push_back(Plugin::load(name, {dir.path(), {}}));
    }
    page->addPlugin(0, *plugins[0]);
    page->addPlugin(0, *plugins[1]);
    page->addPlugin(1, *plugins[2]);
    page->addPlugin(1, *plugins[3]);
    ASSERT_EQ(page->plugins(0).size(), 2u);
    ASSERT_EQ(page->plugins(1).size(), 2u);

    rig.fill(0);
    page->fadeDraw(255);
    // The marks survive, so the plugins drew after the background; mode 1 came first.
    const auto mark = [](char letter) { return 0xD0u << 16 | 0xABu << 8 | static_cast<unsigned char>(letter); };
    EXPECT_EQ(rig.pixel(0, 0), mark('d'));
    EXPECT_EQ(rig.pixel(1, 0), mark('c'));
    EXPECT_EQ(rig.pixel(2, 0), mark('b'));
    EXPECT_EQ(rig.pixel(3, 0), mark('a'));
    EXPECT_EQ(rig.pixel(4, 0), normal(4, 0));
    EXPECT_EQ(rig.pixel(4, 1), normal(4, 1));

    // draw() never calls plugins.
    page->draw();
    EXPECT_EQ(rig.pixel(0, 0), normal(0, 0));

    // A page without a background only lets its plugins draw.
    auto bare = rig.makePage("", "", "");
    bare->addPlugin(1, *plugins[0]);
    rig.fill(0x00010101);
    bare->fadeDraw(128);
    EXPECT_EQ(rig.pixel(0, 0), mark('a'));
    EXPECT_EQ(rig.pixel(1, 0), 0x00010101u);
    // Pages only refer to their plugins: deleting the pages leaves the plugins usable.
    page.reset();
    bare.reset();
    WindlecroftPluginContext record{};
    plugins[0]->draw(record);
}

TEST_F(PageDraw, DrawStateChangesWithWhatDrawShowsAndAnimatingWithTheFade)
{
    page->addButton({10, 10, 20, 16}, 0x1001, 0);
    page->addIndicator({30, 30, 40, 40}, "musicrandom");
    const std::uint64_t idle = page->drawState();
    EXPECT_FALSE(page->animating());

    page->mouseMove(12, 12, 0);
    EXPECT_TRUE(page->animating()) << "hovered below 100: the next draw steps";
    EXPECT_EQ(page->drawState(), idle) << "nothing drawn differs yet";
    stepDraw();
    const std::uint64_t lit = page->drawState();
    EXPECT_NE(lit, idle);
    for (int i = 0; i < 19; ++i)
        stepDraw();
    EXPECT_FALSE(page->animating()) << "fully lit";

    const std::uint64_t full = page->drawState();
    page->mouseDown(12, 12);
    const std::uint64_t pressedState = page->drawState();
    EXPECT_NE(pressedState, full);
    page->mouseUp(12, 12);
    EXPECT_EQ(page->drawState(), full);

    rig.player.toggleRandom();
    const std::uint64_t lampOff = page->drawState();
    page->onAction(0x1009, 0);
    EXPECT_NE(page->drawState(), lampOff);

    page->mouseMove(50, 40, 0);
    EXPECT_TRUE(page->animating()) << "unhovered above 0: fading out";
    for (int i = 0; i < 20; ++i)
        stepDraw();
    EXPECT_FALSE(page->animating());
}

TEST_F(PageDraw, AParkedPageLetsItsPicturesGoAndDrawsThemAgainUnchanged)
{
    page->addButton({10, 10, 20, 16}, 0x1001, 0);
    page->mouseDown(15, 12);
    page->parkPictures();
    for (const Image* image : {page->normalImage(), page->pressedImage(), page->highlightImage()}) {
        EXPECT_TRUE(image->parked());
        EXPECT_TRUE(image->empty());
    }
    rig.fill(untouched);
    page->draw();
    EXPECT_FALSE(page->normalImage()->parked());
    EXPECT_EQ(rig.pixel(2, 3), normal(2, 3));
    EXPECT_EQ(rig.pixel(15, 12), pressed(15, 12));
    EXPECT_TRUE(page->highlightImage()->parked()) << "no highlight was needed";
    // The page shown keeps its normal picture.
    page->parkPictures(true);
    EXPECT_FALSE(page->normalImage()->parked());
    EXPECT_TRUE(page->pressedImage()->parked());
    // A cross-fade of a parked page decodes it too.
    page->parkPictures();
    rig.fill(0);
    page->fadeDraw(255);
    EXPECT_EQ(rig.pixel(40, 30), normal(40, 30));
}
