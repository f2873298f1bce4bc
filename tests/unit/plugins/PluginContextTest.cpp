#include "plugins/PluginContext.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace windlecroft;

TEST(PluginContext, StringsFollowTheSmallAndLargeFormsAndNamesCarryTheirCount)
{
    PluginContext context;
    WindlecroftPluginContext& record = context.record();
    EXPECT_STREQ(windlecroft_string_text(&record.pageName), "");
    EXPECT_EQ(record.trackNames, nullptr);

    context.setPageName("noc");
    EXPECT_LT(record.pageName.capacity, 16u);
    EXPECT_EQ(record.pageName.length, 3u);
    EXPECT_STREQ(record.pageName.data.small, "noc");

    context.setPageName("exactly sixteen!");
    EXPECT_GE(record.pageName.capacity, 16u);
    EXPECT_STREQ(record.pageName.data.pointer, "exactly sixteen!");
    context.setPageName("fifteen chars..");
    EXPECT_STREQ(record.pageName.data.small, "fifteen chars..");

    context.setTrackNames({"a", "b", "c"});
    std::uint32_t cookie = 0;
    std::memcpy(&cookie, reinterpret_cast<const unsigned char*>(record.trackNames) - 4, 4);
    EXPECT_EQ(cookie, 3u);
    EXPECT_EQ(record.trackNameCount, 3);
    EXPECT_EQ(context.trackName(2), "c");

    // A later playlist replaces the names; an empty one leaves an empty array and count 0.
    context.setTrackNames({});
    EXPECT_EQ(record.trackNameCount, 0);
    EXPECT_NE(record.trackNames, nullptr);

    context.reset();
    EXPECT_EQ(record.trackNames, nullptr);
    EXPECT_EQ(record.surface, nullptr);
}
