// Pixel-exact checks of the skin drawing routines on DIB sections, read back through ScanLine.
//
// Source strips are "coordinate bitmaps": every pixel holds its own position (red = x, green = y,
// blue = CoordTag), so each destination pixel tells which source pixel reached it. A stretched piece
// must only show pixels of its source rectangle; a piece drawn at its own size must show exactly
// the matching pixel. A wrong source rectangle, a wrong piece order or an uncovered overrun shows.
#include "skin/data/SkinDraw.h"

#include "PixelTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace skin;
using namespace pixel_testing;

namespace {

// One band of destination columns (or rows) and the source range it comes from.
struct Band {
    int destFrom, destTo, srcFrom, srcTo;
    bool tiled = false;
};

// Checks every pixel of the area (ox, oy)+bands against the source ranges of its column and row
// band. Stretched bands only bound the source pixel (the sampling is the platform's); bands of equal
// size, and tiled bands, fix it exactly.
testing::AssertionResult MatchesBands(const ui::TBitmap& pic, int ox, int oy, const std::vector<Band>& cols,
                                      const std::vector<Band>& rows)
{
    auto check = [](const Band& band, int d, int s, std::string& why) {
        const int dw = band.destTo - band.destFrom, sw = band.srcTo - band.srcFrom;
        int expected = -1;
        if (band.tiled)
            expected = band.srcFrom + (d - band.destFrom) % sw;
        else if (dw == sw)
            expected = band.srcFrom + (d - band.destFrom);
        if (expected >= 0 && s != expected) {
            why = "source " + std::to_string(s) + ", expected " + std::to_string(expected);
            return false;
        }
        if (s < band.srcFrom || s >= band.srcTo) {
            why = "source " + std::to_string(s) + " outside [" + std::to_string(band.srcFrom) + ", "
                + std::to_string(band.srcTo) + ")";
            return false;
        }
        return true;
    };
    for (const Band& row : rows)
        for (int y = row.destFrom; y < row.destTo; ++y)
            for (const Band& col : cols)
                for (int x = col.destFrom; x < col.destTo; ++x) {
                    const ui::TColor c = At(pic, ox + x, oy + y);
                    const int sx = c & 0xFF, sy = (c >> 8) & 0xFF;
                    std::string why;
                    if (((c >> 16) & 0xFF) != CoordTag)
                        why = "not drawn";
                    else if (check(col, x, sx, why) && check(row, y, sy, why))
                        continue;
                    return testing::AssertionFailure() << "pixel (" << x << ", " << y << "): " << why;
                }
    return testing::AssertionSuccess();
}

} // namespace

// ---- frame geometry ----

TEST(SkinFrameGeometry, PicksTheFrameOfHorizontalAndVerticalStrips)
{
    // 54 x 18, three frames side by side: frame 2 is (18, 0)-(36, 18).
    auto strip = CoordBitmap(54, 18);
    auto pic = BuildSkinRect(ui::Rect(0, 0, 18, 18), strip.get(), ui::Rect(0, 0, 0, 0), false, false, 3, 2);
    ASSERT_TRUE(pic);
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{0, 18, 18, 36}}, {{0, 18, 0, 18}}));

    // 44 high, two frames stacked: frame 2 uses rows 22 to 43.
    auto vertical = CoordBitmap(10, 44);
    pic = BuildSkinRect(ui::Rect(0, 0, 10, 22), vertical.get(), ui::Rect(0, 0, 0, 0), true, false, 2, 2);
    ASSERT_TRUE(pic);
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{0, 10, 0, 10}}, {{0, 22, 22, 44}}));

    // Cut margins of a vertical strip are measured from the frame's own top and bottom.
    pic = BuildSkinRect(ui::Rect(0, 0, 14, 30), vertical.get(), ui::Rect(2, 3, 2, 3), true, false, 2, 2);
    ASSERT_TRUE(pic);
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{0, 2, 0, 2}, {2, 12, 2, 8}, {12, 14, 8, 10}},
                             {{0, 3, 22, 25}, {3, 27, 25, 41}, {27, 30, 41, 44}}));
}

TEST(SkinFrameGeometry, FrameNumbersOutsideTheStripAreClampedAndNoFramesDrawNothing)
{
    auto strip = CoordBitmap(60, 10); // three frames of 20
    ui::TRect frame;
    ASSERT_TRUE(SkinFrameRect(strip.get(), false, 3, 0, frame));
    EXPECT_EQ(frame.left, 0);
    ASSERT_TRUE(SkinFrameRect(strip.get(), false, 3, 7, frame));
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.right, 60);

    auto pic = BuildSkinRect(ui::Rect(0, 0, 20, 10), strip.get(), ui::Rect(0, 0, 0, 0), false, false, 3, -4);
    ASSERT_TRUE(pic);
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{0, 20, 0, 20}}, {{0, 10, 0, 10}}));
    pic = BuildSkinRect(ui::Rect(0, 0, 20, 10), strip.get(), ui::Rect(0, 0, 0, 0), false, false, 3, 4);
    ASSERT_TRUE(pic);
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{0, 20, 40, 60}}, {{0, 10, 0, 10}}));

    // No frames, more frames than pixels, nil and empty bitmaps: nothing is drawn anywhere.
    ui::TBitmap empty;
    auto dest = SentinelBitmap(30, 20);
    HDC dc = dest->Canvas().Handle();
    for (int frames : {0, -2, 61}) {
        EXPECT_FALSE(BuildSkinRect(ui::Rect(0, 0, 20, 10), strip.get(), ui::Rect(0, 0, 0, 0), false, false, frames, 1));
        DrawSkinRect(dc, ui::Rect(0, 0, 30, 20), strip.get(), false, false, false, frames, 1, ui::Rect(2, 2, 2, 2));
        DrawSkinFrame(dc, ui::Rect(0, 0, 30, 20), strip.get(), false, frames, 1, ui::Rect(2, 2, 2, 2));
        DrawSkinBar(dest->Canvas(), ui::Rect(0, 0, 30, 20), strip.get(), false, false, frames, 1, ui::Rect(2, 0, 2, 0));
        DrawSkinStretch(dc, ui::Rect(0, 0, 30, 20), strip.get(), false, frames, 1);
        DrawSkinCentered(dc, ui::Rect(0, 0, 30, 20), strip.get(), false, frames, 1);
    }
    for (ui::TBitmap* none : {static_cast<ui::TBitmap*>(nullptr), &empty}) {
        EXPECT_FALSE(BuildSkinRect(ui::Rect(0, 0, 20, 10), none, ui::Rect(0, 0, 0, 0), false, false, 1, 1));
        DrawSkinRect(dc, ui::Rect(0, 0, 30, 20), none, false, false, true, 1, 1, ui::Rect(2, 2, 2, 2));
        DrawSkinFrame(dc, ui::Rect(0, 0, 30, 20), none, false, 1, 1, ui::Rect(2, 2, 2, 2));
        DrawSkinBar(dest->Canvas(), ui::Rect(0, 0, 30, 20), none, false, true, 1, 1, ui::Rect(2, 0, 2, 0));
        DrawSkinStretch(dc, ui::Rect(0, 0, 30, 20), none, true, 1, 1);
        DrawSkinCentered(dc, ui::Rect(0, 0, 30, 20), none, true, 1, 1);
        TileBitmap(dest->Canvas(), ui::Rect(0, 0, 30, 20), none, ui::Rect(0, 0, 4, 4));
        DrawMasked(dc, ui::Rect(0, 0, 30, 20), none, Magenta);
    }
    EXPECT_EQ(CountColour(*dest, Sentinel), 30 * 20);
}

// ---- nine-slice ----

// Frame 2 of a three-frame 60 x 16 strip (frames of 20), margins L3 T4 R5 B2, into 37 x 29.
const std::vector<Band> NineCols = {{0, 3, 20, 23}, {3, 32, 23, 35}, {32, 37, 35, 40}};
const std::vector<Band> NineRows = {{0, 4, 0, 4}, {4, 27, 4, 14}, {27, 29, 14, 16}};

TEST(SkinNineSlice, StretchedPiecesComeFromTheirSourceRectangles)
{
    auto strip = CoordBitmap(60, 16);
    auto pic = BuildSkinRect(ui::Rect(10, 20, 47, 49), strip.get(), ui::Rect(3, 4, 5, 2), false, false, 3, 2);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Width(), 37);
    EXPECT_EQ(pic->Height(), 29);
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, NineCols, NineRows));
}

TEST(SkinNineSlice, TiledCentreRepeatsFromItsCornerAndEdgesCoverTheOverrun)
{
    auto strip = CoordBitmap(60, 16);
    // Centre 29 x 23 from a 12 x 10 tile: tiles at 0, 12, 24 and 0, 10, 20; the last ones run past
    // the centre and must be covered by the right and bottom edges and the corner.
    auto pic = BuildSkinRect(ui::Rect(0, 0, 37, 29), strip.get(), ui::Rect(3, 4, 5, 2), false, true, 3, 2);
    ASSERT_TRUE(pic);
    // Only the centre tiles; the edges are stretched as before.
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, NineCols, {NineRows[0], NineRows[2]}));
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {NineCols[0], NineCols[2]}, NineRows));
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{3, 32, 23, 35, true}}, {{4, 27, 4, 14, true}}));
    // No right margin: the centre source is 17 wide, and its second tile is cut off by the picture's
    // border instead.
    pic = BuildSkinRect(ui::Rect(0, 0, 30, 29), strip.get(), ui::Rect(3, 4, 0, 2), false, true, 3, 2);
    ASSERT_TRUE(pic);
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{3, 30, 23, 40, true}}, {{4, 27, 4, 14, true}}));
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{0, 3, 20, 23}, {3, 30, 23, 40}}, {{0, 4, 0, 4}, {27, 29, 14, 16}}));
}

TEST(SkinNineSlice, MarginsThatDoNotFitCollapseInPairs)
{
    auto strip = CoordBitmap(60, 20);
    // 12 wide < 8 + 8: left and right collapse, top and bottom stay.
    auto pic = BuildSkinRect(ui::Rect(0, 0, 12, 30), strip.get(), ui::Rect(8, 9, 8, 9), false, false, 3, 1);
    ASSERT_TRUE(pic);
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{0, 12, 0, 20}}, {{0, 9, 0, 9}, {9, 21, 9, 11}, {21, 30, 11, 20}}));
    // 15 high < 9 + 9: top and bottom collapse, left and right stay.
    pic = BuildSkinRect(ui::Rect(0, 0, 40, 15), strip.get(), ui::Rect(8, 9, 8, 9), false, false, 3, 1);
    ASSERT_TRUE(pic);
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{0, 8, 0, 8}, {8, 32, 8, 12}, {32, 40, 12, 20}}, {{0, 15, 0, 20}}));
    // Exactly fitting margins do not collapse: the centre is empty.
    pic = BuildSkinRect(ui::Rect(0, 0, 16, 18), strip.get(), ui::Rect(8, 9, 8, 9), false, false, 3, 1);
    ASSERT_TRUE(pic);
    EXPECT_TRUE(MatchesBands(*pic, 0, 0, {{0, 8, 0, 8}, {8, 16, 12, 20}}, {{0, 9, 0, 9}, {9, 18, 11, 20}}));
}

TEST(SkinNineSlice, DrawSkinRectPlacesThePictureAndLeavesMagentaOutWhenTransparent)
{
    auto strip = CoordBitmap(60, 16);
    // Magenta in the unstretched top-left corner of frame 2.
    Put(*strip, 20, 0, Magenta);
    Put(*strip, 21, 1, Magenta);
    for (bool trans : {false, true}) {
        SCOPED_TRACE(trans ? "transparent" : "opaque");
        auto dest = SentinelBitmap(60, 50);
        DrawSkinRect(dest->Canvas().Handle(), ui::Rect(5, 6, 42, 35), strip.get(), false, false, trans, 3, 2,
                     ui::Rect(3, 4, 5, 2));
        EXPECT_EQ(At(*dest, 5, 6), trans ? Sentinel : Magenta);
        EXPECT_EQ(At(*dest, 6, 7), trans ? Sentinel : Magenta);
        Put(*dest, 5, 6, Coord(20, 0));
        Put(*dest, 6, 7, Coord(21, 1));
        EXPECT_TRUE(MatchesBands(*dest, 5, 6, NineCols, NineRows));
        EXPECT_EQ(CountColour(*dest, Sentinel), 60 * 50 - 37 * 29);
    }
    // An inverted rectangle draws nothing.
    auto dest = SentinelBitmap(20, 20);
    DrawSkinRect(dest->Canvas().Handle(), ui::Rect(10, 10, 5, 15), strip.get(), false, false, false, 3, 2,
                 ui::Rect(0, 0, 0, 0));
    EXPECT_EQ(CountColour(*dest, Sentinel), 400);
}

TEST(SkinNineSlice, DrawSkinFrameDrawsTheBorderOnlyAtTheOffset)
{
    auto strip = CoordBitmap(60, 16);
    auto dest = SentinelBitmap(60, 50);
    DrawSkinFrame(dest->Canvas().Handle(), ui::Rect(5, 6, 42, 35), strip.get(), false, 3, 2, ui::Rect(3, 4, 5, 2));
    EXPECT_TRUE(MatchesBands(*dest, 5, 6, NineCols, {NineRows[0], NineRows[2]}));
    EXPECT_TRUE(MatchesBands(*dest, 5, 6, {NineCols[0], NineCols[2]}, NineRows));
    // The centre and everything outside the rectangle stay as they were.
    const int border = 37 * 29 - 29 * 23;
    EXPECT_EQ(CountColour(*dest, Sentinel), 60 * 50 - border);

    // Collapsed left and right margins: only the top and bottom bands are drawn, full width.
    dest = SentinelBitmap(30, 40);
    DrawSkinFrame(dest->Canvas().Handle(), ui::Rect(2, 3, 14, 33), strip.get(), false, 3, 2, ui::Rect(8, 4, 8, 2));
    EXPECT_TRUE(MatchesBands(*dest, 2, 3, {{0, 12, 20, 40}}, {{0, 4, 0, 4}, {28, 30, 14, 16}}));
    EXPECT_EQ(CountColour(*dest, Sentinel), 30 * 40 - 12 * 6);
}

// ---- bars, stretch, centred ----

TEST(SkinBar, MiddleRepeatsAtItsOwnWidthAndTheRightCapCoversTheOverrun)
{
    // Frame 2 of a two-frame 60 x 12 strip: fw 30, L = R = 5, middle 20; bar 50 x 8.
    auto strip = CoordBitmap(60, 12);
    auto dest = SentinelBitmap(70, 20);
    DrawSkinBar(dest->Canvas(), ui::Rect(10, 4, 60, 12), strip.get(), false, false, 2, 2, ui::Rect(5, 3, 5, 3));
    // Copies at x = 5 and 25 (the second runs to 45 and is covered from 45 by the cap).
    EXPECT_TRUE(MatchesBands(*dest, 10, 4,
                             {{0, 5, 30, 35}, {5, 25, 35, 55}, {25, 45, 35, 55}, {45, 50, 55, 60}},
                             {{0, 8, 0, 12}})); // the full frame height, top and bottom margins unused
    EXPECT_EQ(CountColour(*dest, Sentinel), 70 * 20 - 50 * 8);

    // A middle that does not fit whole: 43 wide bar, copies at 5 and 25, right cap at 38.
    dest = SentinelBitmap(43, 12);
    DrawSkinBar(dest->Canvas(), ui::Rect(0, 0, 43, 12), strip.get(), false, false, 2, 2, ui::Rect(5, 0, 5, 0));
    EXPECT_TRUE(MatchesBands(*dest, 0, 0, {{0, 5, 30, 35}, {5, 25, 35, 55}, {25, 38, 35, 48}, {38, 43, 55, 60}},
                             {{0, 12, 0, 12}}));
}

TEST(SkinBar, TransparentBarKeepsTheCanvasUnderMagentaAndAnEmptyMiddleStillEnds)
{
    auto strip = CoordBitmap(30, 6);
    for (int y = 0; y < 6; ++y)
        Put(*strip, 12, y, Magenta); // one column of the middle
    auto dest = SentinelBitmap(50, 6);
    DrawSkinBar(dest->Canvas(), ui::Rect(0, 0, 50, 6), strip.get(), false, true, 1, 1, ui::Rect(5, 0, 5, 0));
    // Middle copies at 5 and 25: source column 12 lands at 12 and 32.
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(At(*dest, 12, y), Sentinel);
        EXPECT_EQ(At(*dest, 32, y), Sentinel);
        EXPECT_EQ(At(*dest, 13, y), Coord(13, y));
    }
    EXPECT_EQ(CountColour(*dest, Sentinel), 2 * 6);

    // A frame no wider than its caps: the call returns with both caps in place (the gap between
    // them is the bar's blank work picture).
    strip = CoordBitmap(30, 6);
    dest = SentinelBitmap(40, 6);
    DrawSkinBar(dest->Canvas(), ui::Rect(0, 0, 40, 6), strip.get(), false, false, 1, 1, ui::Rect(15, 0, 15, 0));
    EXPECT_TRUE(MatchesBands(*dest, 0, 0, {{0, 15, 0, 15}, {25, 40, 15, 30}}, {{0, 6, 0, 6}}));
}

TEST(SkinStretch, OneFrameFillsTheRectangle)
{
    auto strip = CoordBitmap(30, 8); // three frames of 10
    for (bool trans : {false, true}) {
        auto dest = SentinelBitmap(40, 30);
        DrawSkinStretch(dest->Canvas().Handle(), ui::Rect(4, 5, 34, 29), strip.get(), trans, 3, 3);
        EXPECT_TRUE(MatchesBands(*dest, 4, 5, {{0, 30, 20, 30}}, {{0, 24, 0, 8}}));
        EXPECT_EQ(At(*dest, 4, 5), Coord(20, 0));
        EXPECT_EQ(At(*dest, 33, 28), Coord(29, 7));
        EXPECT_EQ(CountColour(*dest, Sentinel), 40 * 30 - 30 * 24);
    }
    // Transparent: a magenta source pixel leaves its enlarged block of the destination alone.
    Put(*strip, 25, 4, Magenta);
    auto dest = SentinelBitmap(40, 30);
    DrawSkinStretch(dest->Canvas().Handle(), ui::Rect(0, 0, 20, 16), strip.get(), true, 3, 3);
    EXPECT_EQ(CountColour(*dest, Sentinel), 40 * 30 - 20 * 16 + 4);
    EXPECT_EQ(At(*dest, 10, 8), Sentinel);
    EXPECT_EQ(At(*dest, 11, 9), Sentinel);
}

TEST(SkinCentered, FrameIsCentredWithOffsetsTruncatedTowardZero)
{
    auto strip = CoordBitmap(40, 9); // two frames of 20 x 9
    auto dest = SentinelBitmap(40, 20);
    // 20 wide in 15: x = 10 + (-5 div 2) = 8; 9 high in 6: y = 5 + (-3 div 2) = 4.
    DrawSkinCentered(dest->Canvas().Handle(), ui::Rect(10, 5, 25, 11), strip.get(), false, 2, 2);
    EXPECT_TRUE(MatchesBands(*dest, 8, 4, {{0, 20, 20, 40}}, {{0, 9, 0, 9}}));
    EXPECT_EQ(CountColour(*dest, Sentinel), 40 * 20 - 20 * 9);

    // Smaller than the rectangle: 20 x 9 in 25 x 14 at (3, 2): x = 3 + 2, y = 2 + 2.
    dest = SentinelBitmap(40, 20);
    Put(*strip, 3, 0, Magenta);
    DrawSkinCentered(dest->Canvas().Handle(), ui::Rect(3, 2, 28, 16), strip.get(), true, 2, 1);
    EXPECT_EQ(At(*dest, 8, 4), Sentinel);
    Put(*dest, 8, 4, Coord(3, 0));
    EXPECT_TRUE(MatchesBands(*dest, 5, 4, {{0, 20, 0, 20}}, {{0, 9, 0, 9}}));
    EXPECT_EQ(CountColour(*dest, Sentinel), 40 * 20 - 20 * 9);
}

// ---- tiles and masked copies ----

TEST(SkinTile, TilesRunFromTheTopLeftAndPastTheRectangle)
{
    auto source = CoordBitmap(20, 20);
    auto dest = SentinelBitmap(20, 14);
    TileBitmap(dest->Canvas(), ui::Rect(2, 3, 13, 9), source.get(), ui::Rect(5, 6, 9, 9));
    // Columns at 2, 6, 10 (the last to 14), rows at 3 and 6 (to 9).
    EXPECT_TRUE(MatchesBands(*dest, 2, 3, {{0, 12, 5, 9, true}}, {{0, 6, 6, 9, true}}));
    EXPECT_EQ(CountColour(*dest, Sentinel), 20 * 14 - 12 * 6);

    // Zero or negative tile sizes are not repeated.
    dest = SentinelBitmap(20, 14);
    TileBitmap(dest->Canvas(), ui::Rect(0, 0, 20, 14), source.get(), ui::Rect(5, 6, 5, 9));
    TileBitmap(dest->Canvas(), ui::Rect(0, 0, 20, 14), source.get(), ui::Rect(5, 6, 9, 4));
    EXPECT_EQ(CountColour(*dest, Sentinel), 20 * 14);
}

TEST(SkinMasked, DestinationUnderMagentaStaysAndEverythingElseIsCopied)
{
    for (auto format : {ui::TPixelFormat::pf24bit, ui::TPixelFormat::pf32bit}) {
        auto source = CoordBitmap(8, 6, format);
        // Magenta is left out; colours next to it are not.
        for (int x = 0; x < 8; ++x)
            Put(*source, x, 2, Magenta);
        Put(*source, 1, 4, 0xFE00FF);
        Put(*source, 2, 4, 0xFF01FF);
        Put(*source, 3, 4, 0xFF00FE);
        auto dest = SentinelBitmap(20, 20);
        DrawMasked(dest->Canvas().Handle(), ui::Rect(3, 4, 11, 10), source.get(), Magenta);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                const ui::TColor s = At(*source, x, y);
                EXPECT_EQ(At(*dest, 3 + x, 4 + y), s == Magenta ? Sentinel : s) << x << ", " << y;
            }
        EXPECT_EQ(CountColour(*dest, Sentinel), 20 * 20 - 8 * 5);
    }
    // Only the top-left part of the rectangle's size is copied, and never more than the bitmap.
    auto source = CoordBitmap(8, 6);
    auto dest = SentinelBitmap(20, 20);
    DrawMasked(dest->Canvas().Handle(), ui::Rect(0, 0, 5, 4), source.get(), Magenta);
    EXPECT_TRUE(MatchesBands(*dest, 0, 0, {{0, 5, 0, 5}}, {{0, 4, 0, 4}}));
    EXPECT_EQ(CountColour(*dest, Sentinel), 400 - 20);
    dest = SentinelBitmap(20, 20);
    DrawMasked(dest->Canvas().Handle(), ui::Rect(1, 1, 19, 19), source.get(), Magenta);
    EXPECT_TRUE(MatchesBands(*dest, 1, 1, {{0, 8, 0, 8}}, {{0, 6, 0, 6}}));
    EXPECT_EQ(CountColour(*dest, Sentinel), 400 - 48);
}

// ---- the shared scratch bitmap ----

TEST(SkinWorkBitmap, SizedOnDemandStretchingInColourOnColourMode)
{
    ui::TBitmap& work = WorkBitmap(30, 20);
    EXPECT_EQ(work.Width(), 30);
    EXPECT_EQ(work.Height(), 20);
    EXPECT_EQ(GetStretchBltMode(work.Canvas().Handle()), COLORONCOLOR);
    EXPECT_EQ(&WorkBitmap(), &work);
    ui::TBitmap& resized = WorkBitmap(7, 9);
    EXPECT_EQ(resized.Width(), 7);
    EXPECT_EQ(GetStretchBltMode(resized.Canvas().Handle()), COLORONCOLOR);
    FreeWorkBitmap();
    EXPECT_FALSE(WorkBitmap().Empty());
    FreeWorkBitmap();
}
