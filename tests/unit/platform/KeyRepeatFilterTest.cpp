#include "platform/qt/KeyRepeatFilter.h"

#include <gtest/gtest.h>

using namespace windlecroft;

TEST(KeyRepeatFilter, AReleaseAndPressWithOneTimestampAreARepeat)
{
    KeyRepeatFilter filter;
    EXPECT_EQ(filter.press(0x42, 100), std::nullopt);
    EXPECT_EQ(filter.release(0x42, 600), std::nullopt);
    EXPECT_TRUE(filter.holding());
    EXPECT_EQ(filter.press(0x42, 600), std::nullopt); // the repeat: its release is dropped
    EXPECT_FALSE(filter.holding());
    EXPECT_EQ(filter.release(0x42, 630), std::nullopt);
    EXPECT_EQ(filter.flush(), 0x42); // nothing followed: a real release
    EXPECT_EQ(filter.flush(), std::nullopt);
}

TEST(KeyRepeatFilter, AnyOtherKeyEventLetsTheHeldReleaseGoFirst)
{
    KeyRepeatFilter filter;
    filter.release(0x42, 600);
    EXPECT_EQ(filter.press(0x42, 601), 0x42); // pressed again later: released in between
    filter.release(0x42, 700);
    EXPECT_EQ(filter.press(0x43, 700), 0x42); // another key at the same moment
    filter.release(0x10, 800);
    EXPECT_EQ(filter.release(0x43, 800), 0x10); // the earlier release goes before the later one
    EXPECT_EQ(filter.flush(), 0x43);
}
