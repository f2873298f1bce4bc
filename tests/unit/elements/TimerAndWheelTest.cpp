#include "elements/Indicator.h"
#include "elements/PageTimer.h"
#include "elements/WheelZone.h"

#include <gtest/gtest.h>

using namespace windlecroft;

TEST(PageTimer, FiresOnceOnTheFirstTickAfterItsDelayPerArming)
{
    PageTimer zero(0, {0x8001, 1});
    EXPECT_FALSE(zero.tick(5000)) << "never fires before it is armed";
    zero.arm(1000);
    EXPECT_FALSE(zero.tick(1000));
    EXPECT_TRUE(zero.tick(1001));
    EXPECT_FALSE(zero.tick(2000));
    zero.arm(3000);
    EXPECT_TRUE(zero.tick(3001));

    PageTimer timer(500, {0x1001, 0});
    timer.arm(10'000);
    EXPECT_FALSE(timer.tick(10'500));
    EXPECT_TRUE(timer.tick(10'501));
    // A clock that reads earlier than the start does not fire it.
    timer.arm(10'000);
    EXPECT_FALSE(timer.tick(9'000));
}

TEST(WheelZone, SignChoosesAndZeroRepeatsTheLastChoice)
{
    WheelZone zone({0, 0, 10, 10}, {0x1017, 80}, {0x1017, 20});
    EXPECT_EQ(zone.wheel(0), (Action{0, 0}));
    EXPECT_EQ(zone.wheel(-120), (Action{0x1017, 20}));
    EXPECT_EQ(zone.wheel(0), (Action{0x1017, 20}));
    EXPECT_EQ(zone.wheel(240), (Action{0x1017, 80}));
}

TEST(Indicator, OnlyItsOwnStateNameSwitchesIt)
{
    Indicator lamp({0, 0, 5, 5}, "musicrandom");
    lamp.setState("musiclooped", true);
    EXPECT_FALSE(lamp.on());
    lamp.setState("musicrandom", true);
    EXPECT_TRUE(lamp.on());
    lamp.setState("musicrando", false);
    EXPECT_TRUE(lamp.on());
    lamp.setState("musicrandom", false);
    EXPECT_FALSE(lamp.on());
}
