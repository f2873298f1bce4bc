#include "app/BackBuffer.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/ManualClock.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace windlecroft;

namespace {

// Every pixel different: x in blue, y in green, and a tag in red.
Surface pattern(int width, int height, std::uint32_t tag)
{
    Surface surface(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            surface.setPixel(x, y, tag << 16 | static_cast<std::uint32_t>(y) << 8 | static_cast<std::uint32_t>(x));
    }
    return surface;
}

class BackBufferDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        buffer.create(20, 10);
        buffer.surface() = pattern(20, 10, 0xAA);
    }

    // What a plain reference copy of the same rectangle gives, pixel by pixel.
    Surface referenceCopy(const Surface& source, int x, int y, int w, int h, int sx, int sy) const
    {
        Surface expected = buffer.surface();
        for (int row = 0; row < h; ++row) {
            for (int col = 0; col < w; ++col) {
                const int dx = x + col, dy = y + row, fx = sx + col, fy = sy + row;
                if (dx >= 0 && dy >= 0 && dx < expected.width() && dy < expected.height() && fx >= 0 && fy >= 0 &&
                    fx < source.width() && fy < source.height())
                    expected.setPixel(dx, dy, source.pixel(fx, fy));
            }
        }
        return expected;
    }

    static bool same(const Surface& a, const Surface& b)
    {
        if (a.width() != b.width() || a.height() != b.height())
            return false;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (a.pixel(x, y) != b.pixel(x, y))
                    return false;
            }
        }
        return true;
    }

    ManualClock clock;
    HeadlessDesktop desktop{clock};
    BackBuffer buffer{desktop};
    Image image{pattern(8, 6, 0x55)};
};

} // namespace

TEST_F(BackBufferDrawing, CopyIsClippedToBothSurfaces)
{
    struct Case {
        int x, y, w, h, sx, sy;
    };
    const Case cases[] = {
        {2, 3, 4, 2, 1, 1},        // inside both
        {-3, -2, 8, 6, 0, 0},      // off the buffer's top-left
        {16, 7, 8, 6, 0, 0},       // off its bottom-right
        {1, 1, 8, 6, -2, -3},      // source rectangle starts before the image
        {0, 0, 30, 30, 5, 4},      // larger than the image
        {4, 4, 8, 6, 8, 0},        // source entirely right of the image
        {20, 0, 5, 5, 0, 0},       // destination entirely off
        {0, 0, 0, 5, 0, 0},        // zero width
        {0, 0, -4, 5, 0, 0},       // negative width
        {-2147483647, 0, 2147483647, 3, 0, 0}, // arithmetic that would overflow 32 bits
        {3, 2, 2147483647, 2147483647, 2, 2},
    };
    for (const Case& c : cases) {
        SetUp();
        const Surface expected = referenceCopy(image.pixels(), c.x, c.y, std::min(c.w, 100), std::min(c.h, 100), c.sx, c.sy);
        buffer.copy(image, c.x, c.y, c.w, c.h, c.sx, c.sy);
        EXPECT_TRUE(same(buffer.surface(), expected)) << c.x << "," << c.y << " " << c.w << "x" << c.h << " from " << c.sx
                                                      << "," << c.sy;
    }
}

TEST_F(BackBufferDrawing, BlendAlphaZeroLeavesTheBufferAndFullAlphaCopies)
{
    const Surface before = buffer.surface();
    // An empty image draws nothing at any alpha.
    buffer.copy(Image{}, 0, 0, 20, 10, 0, 0);
    buffer.blend(Image{}, 0, 0, 20, 10, 0, 0, 128);
    EXPECT_TRUE(same(buffer.surface(), before));
    for (float alpha : {0.0f, 0.99f, -3.0f, std::nanf("")}) {
        buffer.blend(image, 1, 1, 8, 6, 0, 0, alpha);
        EXPECT_TRUE(same(buffer.surface(), before)) << alpha;
    }
    const Surface copied = referenceCopy(image.pixels(), 3, 2, 8, 6, 0, 0);
    for (float alpha : {255.0f, 255.5f, 1000.0f}) {
        SetUp();
        buffer.blend(image, 3, 2, 8, 6, 0, 0, alpha);
        EXPECT_TRUE(same(buffer.surface(), copied)) << alpha;
    }
}

TEST(BackBuffer, BlendRoundsEveryChannelToTheNearestValue)
{
    // Every source value against every destination value, per channel: source s sits in
    // column s, destination d in row d; red, green and blue carry s, 255 - s and s ^ 0x5A.
    auto channels = [](std::uint32_t v) {
        return static_cast<std::uint32_t>(v) << 16 | (255 - v) << 8 | (v ^ 0x5Au);
    };
    Surface source(256, 256);
    Surface destination(256, 256);
    for (std::uint32_t y = 0; y < 256; ++y) {
        for (std::uint32_t x = 0; x < 256; ++x) {
            source.setPixel(static_cast<int>(x), static_cast<int>(y), channels(x));
            destination.setPixel(static_cast<int>(x), static_cast<int>(y), channels(y));
        }
    }
    const Image image{source};
    ManualClock clock;
    HeadlessDesktop desktop{clock};
    BackBuffer buffer{desktop};
    buffer.create(256, 256);
    for (int alpha : {1, 2, 77, 127, 128, 200, 254}) {
        buffer.surface() = destination;
        // A fractional alpha is truncated.
        buffer.blend(image, 0, 0, 256, 256, 0, 0, static_cast<float>(alpha) + 0.75f);
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const std::uint32_t got = buffer.surface().pixel(x, y);
                ASSERT_EQ(got >> 24, 0u);
                for (int shift : {0, 8, 16}) {
                    const double s = (source.pixel(x, y) >> shift) & 0xFF;
                    const double d = (destination.pixel(x, y) >> shift) & 0xFF;
                    const auto expected = static_cast<std::uint32_t>(std::lround((s * alpha + d * (255 - alpha)) / 255.0));
                    ASSERT_EQ((got >> shift) & 0xFF, expected) << "alpha " << alpha << " s " << s << " d " << d;
                }
            }
        }
    }
}

TEST_F(BackBufferDrawing, PresentHandsTheWholeBufferOverAndItKeepsItsContent)
{
    buffer.copy(image, 0, 0, 8, 6, 0, 0);
    buffer.present();
    EXPECT_EQ(desktop.presentCount(), 1);
    EXPECT_TRUE(same(desktop.presentedFrame(), buffer.surface()));
    // A frame that draws nothing presents the same pixels again.
    const Surface first = desktop.presentedFrame();
    buffer.present();
    EXPECT_EQ(desktop.presentCount(), 2);
    EXPECT_TRUE(same(desktop.presentedFrame(), first));
    // The desktop keeps its own copy.
    buffer.blend(image, 0, 0, 20, 10, 0, 0, 100);
    EXPECT_TRUE(same(desktop.presentedFrame(), first));
}
