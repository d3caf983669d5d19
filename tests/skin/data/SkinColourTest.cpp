#include "skin/data/SkinColour.h"

#include <gtest/gtest.h>

namespace {

std::int32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

TEST(SkinColour, ParsesThreeNumbers)
{
    EXPECT_EQ(skin::ParseColour("0 0 0"), 0);
    EXPECT_EQ(skin::ParseColour("232, 234, 232"), Rgb(232, 234, 232));
    EXPECT_EQ(skin::ParseColour(" \t10 20 30\r\n"), Rgb(10, 20, 30));
    EXPECT_EQ(skin::ParseColour("r1g2b3"), Rgb(1, 2, 3));
    EXPECT_EQ(skin::ParseColour("-1 -2 -3"), Rgb(1, 2, 3));  // signs only separate
}

TEST(SkinColour, OpenNumberAtTheEndCountsOnlyAsTheThird)
{
    EXPECT_EQ(skin::ParseColour("255 255"), Rgb(255, 0, 0));  // pure red: the last 255 is dropped
    EXPECT_EQ(skin::ParseColour("200"), 0);
    EXPECT_EQ(skin::ParseColour("1 2 3 4"), Rgb(1, 2, 3));
    EXPECT_EQ(skin::ParseColour("1 2 3 4 5,"), Rgb(1, 2, 3));
    EXPECT_EQ(skin::ParseColour(""), 0);
}

TEST(SkinColour, ComponentsWrapModulo256)
{
    EXPECT_EQ(skin::ParseColour("256 257 511"), Rgb(0, 1, 255));
    // 99999999999999999999 mod 256 = 255; no overflow on long runs.
    EXPECT_EQ(skin::ParseColour("99999999999999999999 1 1"), Rgb(255, 1, 1));
}

} // namespace
