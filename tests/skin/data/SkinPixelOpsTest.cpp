// Grey, mirrored, flipped and rotated images.
#include "skin/data/SkinPixelOps.h"

#include "PixelTesting.h"

#include <gtest/gtest.h>

#include <vector>

using namespace skin;
using namespace pixel_testing;

namespace {

const ui::TColor A = 0x0000A1, B = 0x00B200, C = 0xC30000, D = 0x44D4D4, E = 0xE5E555, F = 0x66F6F6;

std::unique_ptr<ui::TBitmap> Picture(const std::vector<std::vector<ui::TColor>>& rows, ui::TPixelFormat format)
{
    auto b = std::make_unique<ui::TBitmap>(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), format);
    for (int y = 0; y < b->Height(); ++y)
        for (int x = 0; x < b->Width(); ++x)
            Put(*b, x, y, rows[y][x]);
    return b;
}

testing::AssertionResult Shows(const ui::TBitmap& b, const std::vector<std::vector<ui::TColor>>& rows)
{
    if (b.Height() != static_cast<int>(rows.size()) || b.Width() != static_cast<int>(rows[0].size()))
        return testing::AssertionFailure() << "size " << b.Width() << " x " << b.Height();
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (At(b, x, y) != rows[y][x])
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << At(b, x, y)
                                                   << ", expected " << rows[y][x];
    return testing::AssertionSuccess();
}

const ui::TPixelFormat Formats[] = {ui::TPixelFormat::pf24bit, ui::TPixelFormat::pf32bit};

} // namespace

TEST(SkinPixelOps, RotationsTurnAQuarterEachWay)
{
    for (auto format : Formats) {
        // A B C
        // D E F
        auto left = Picture({{A, B, C}, {D, E, F}}, format);
        RotateBitmapLeft(left.get());
        EXPECT_TRUE(Shows(*left, {{C, F}, {B, E}, {A, D}})); // old top-right at the new top-left
        EXPECT_EQ(left->PixelFormat(), format);

        auto right = Picture({{A, B, C}, {D, E, F}}, format);
        RotateBitmapRight(right.get());
        EXPECT_TRUE(Shows(*right, {{D, A}, {E, B}, {F, C}})); // old bottom-left at the new top-left

        RotateBitmapLeft(right.get());
        EXPECT_TRUE(Shows(*right, {{A, B, C}, {D, E, F}}));
    }
    // Wider than a row's padding hides: 5 x 3, turned four times, comes back.
    auto coords = CoordBitmap(5, 3);
    for (int i = 0; i < 4; ++i)
        RotateBitmapRight(coords.get());
    EXPECT_TRUE(Shows(*coords, {{Coord(0, 0), Coord(1, 0), Coord(2, 0), Coord(3, 0), Coord(4, 0)},
                                {Coord(0, 1), Coord(1, 1), Coord(2, 1), Coord(3, 1), Coord(4, 1)},
                                {Coord(0, 2), Coord(1, 2), Coord(2, 2), Coord(3, 2), Coord(4, 2)}}));
}

TEST(SkinPixelOps, MirrorAndFlipReverseColumnsAndRows)
{
    for (auto format : Formats) {
        auto mirrored = Picture({{A, B, C}, {D, E, F}}, format);
        MirrorBitmap(mirrored.get());
        EXPECT_TRUE(Shows(*mirrored, {{C, B, A}, {F, E, D}}));

        auto flipped = Picture({{A, B}, {C, D}, {E, F}}, format);
        FlipBitmap(flipped.get());
        EXPECT_TRUE(Shows(*flipped, {{E, F}, {C, D}, {A, B}}));
    }
}

TEST(SkinPixelOps, GrayAveragesTheChannelsIntoA24BitImage)
{
    for (auto format : Formats) {
        // (10 + 20 + 33) div 3 = 21; (255 + 255 + 254) div 3 = 254 (truncated, not rounded).
        auto grey = Picture({{0x21140A, 0xFEFFFF, 0x000000, 0xFF00FF}}, format);
        GrayBitmap(grey.get());
        EXPECT_EQ(grey->PixelFormat(), ui::TPixelFormat::pf24bit);
        EXPECT_TRUE(Shows(*grey, {{0x151515, 0xFEFEFE, 0x000000, 0xAAAAAA}}));
    }
}

TEST(SkinPixelOps, NilAndEmptyBitmapsAreLeftAlone)
{
    ui::TBitmap empty;
    for (ui::TBitmap* none : {static_cast<ui::TBitmap*>(nullptr), &empty}) {
        GrayBitmap(none);
        MirrorBitmap(none);
        FlipBitmap(none);
        RotateBitmapLeft(none);
        RotateBitmapRight(none);
    }
    EXPECT_TRUE(empty.Empty());
}
