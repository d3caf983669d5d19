// Window regions from bitmaps: every pixel outside the key range is in the region, nothing else.
#include "skin/data/SkinRegion.h"

#include "PixelTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace skin;
using namespace pixel_testing;

namespace {

std::vector<RECT> RegionRects(HRGN region)
{
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<BYTE> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (!size || !GetRegionData(region, size, data))
        return {};
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

// Compares the region with the pixels that `opaque` names, over the bitmap moved by the offsets
// plus a one-pixel ring around it.
testing::AssertionResult RegionIs(HRGN region, int w, int h, int ox, int oy, const std::function<bool(int, int)>& opaque)
{
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x) {
            const bool expected = x >= 0 && y >= 0 && x < w && y < h && opaque(x, y);
            if (PtInRegion(region, x + ox, y + oy) != (expected ? TRUE : FALSE))
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") should "
                                                   << (expected ? "" : "not ") << "be in the region";
        }
    return testing::AssertionSuccess();
}

struct Region {
    HRGN handle;
    explicit Region(HRGN h) : handle(h) {}
    ~Region() { if (handle) DeleteObject(handle); }
};

} // namespace

TEST(SkinBitmapToRegion, AllKeyPixelsGiveAnEmptyRegionObject)
{
    ui::TBitmap bitmap(5, 3);
    Fill(bitmap, Magenta);
    Region region(BitmapToRegion(&bitmap, 0, 0, 1, 1, 1, Magenta));
    ASSERT_TRUE(region.handle);
    RECT box;
    EXPECT_EQ(GetRgnBox(region.handle, &box), NULLREGION);

    ui::TBitmap empty;
    for (ui::TBitmap* none : {static_cast<ui::TBitmap*>(nullptr), &empty}) {
        Region nothing(BitmapToRegion(none, 3, 4, 1, 1, 1, Magenta));
        ASSERT_TRUE(nothing.handle);
        EXPECT_EQ(GetRgnBox(nothing.handle, &box), NULLREGION);
    }
}

TEST(SkinBitmapToRegion, RunsBetweenKeyPixelsBecomeRectanglesAtTheOffset)
{
    ui::TBitmap bitmap(4, 1);
    const ui::TColor red = 0x0000FF;
    Put(bitmap, 0, 0, Magenta);
    Put(bitmap, 1, 0, red);
    Put(bitmap, 2, 0, red);
    Put(bitmap, 3, 0, Magenta);
    Region plain(BitmapToRegion(&bitmap, 0, 0, 1, 1, 1, Magenta));
    auto rects = RegionRects(plain.handle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].left, 1);
    EXPECT_EQ(rects[0].top, 0);
    EXPECT_EQ(rects[0].right, 3);
    EXPECT_EQ(rects[0].bottom, 1);

    Region moved(BitmapToRegion(&bitmap, 10, 20, 1, 1, 1, Magenta));
    rects = RegionRects(moved.handle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].left, 11);
    EXPECT_EQ(rects[0].top, 20);
    EXPECT_EQ(rects[0].right, 13);
    EXPECT_EQ(rects[0].bottom, 21);

    // Runs touching both ends of rows, and rows of their own.
    ui::TBitmap rows(5, 3);
    const char* pattern[] = {"..M..", "M...M", "MMMMM"};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            Put(rows, x, y, pattern[y][x] == 'M' ? Magenta : red);
    Region shaped(BitmapToRegion(&rows, -2, 7, 1, 1, 1, Magenta));
    EXPECT_TRUE(RegionIs(shaped.handle, 5, 3, -2, 7, [&](int x, int y) { return pattern[y][x] != 'M'; }));
}

TEST(SkinBitmapToRegion, TheKeyRangeReachesTheDeltasAboveTheKeyOnly)
{
    // Deltas 1, 1, 1 on magenta: red 255, green 0 or 1, blue 255 are transparent.
    const ui::TColor colours[] = {0xFF00FF, 0xFF01FF, 0xFF02FF, 0xFF00FE, 0xFE00FF, 0xFF01FE, 0x000000};
    const bool transparent[] = {true, true, false, false, false, false, false};
    ui::TBitmap bitmap(7, 1, ui::TPixelFormat::pf32bit);
    for (int x = 0; x < 7; ++x)
        Put(bitmap, x, 0, colours[x]);
    Region region(BitmapToRegion(&bitmap, 0, 0, 1, 1, 1, Magenta));
    EXPECT_TRUE(RegionIs(region.handle, 7, 1, 0, 0, [&](int x, int) { return !transparent[x]; }));

    // Each delta widens its own channel; a range past 255 stops at 255.
    ui::TBitmap channels(4, 1);
    Put(channels, 0, 0, 0x100A14); // R 20, G 10, B 16
    Put(channels, 1, 0, 0x100A1E); // R 30
    Put(channels, 2, 0, 0x10FF14); // G 255
    Put(channels, 3, 0, 0x100A13); // R 19: below the key
    Region ranged(BitmapToRegion(&channels, 0, 0, 0, 250, 10, 0x100A14));
    EXPECT_TRUE(RegionIs(ranged.handle, 4, 1, 0, 0, [](int x, int) { return x == 3; }));
}

TEST(SkinBitmapToRegion, LargeBitmapsCrossTheRectangleBatches)
{
    // About 60 runs a row over 80 rows: well over two batches of 2000 rectangles.
    for (auto format : {ui::TPixelFormat::pf24bit, ui::TPixelFormat::pf32bit}) {
        const int w = 300, h = 80;
        auto keyed = [](int x, int y) { return (x * 7 + y * 3) % 5 == 0 || (y % 17 == 0 && x > 150); };
        ui::TBitmap bitmap(w, h, format);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                Put(bitmap, x, y, keyed(x, y) ? Magenta : Coord(x % 256, y));
        Region region(BitmapToRegion(&bitmap, -3, 5, 1, 1, 1, Magenta));
        EXPECT_GT(RegionRects(region.handle).size(), 4000u);
        EXPECT_TRUE(RegionIs(region.handle, w, h, -3, 5, [&](int x, int y) { return !keyed(x, y); }));
    }
}
