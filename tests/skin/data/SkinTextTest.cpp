// Caption text output and the ANSI conversions.
#include "skin/data/SkinText.h"

#include "PixelTesting.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace pixel_testing;

TEST(SkinText, DrawsWideTextInsideItsRectangleOnly)
{
    ui::TBitmap bitmap(120, 40);
    Fill(bitmap, 0xFFFFFF);
    HDC dc = bitmap.Canvas().Handle();
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = L"A\u00E7\u00E3o \u03A9";

    ui::TRect measured = ui::Rect(0, 0, 0, 0);
    const int height = DrawTextUnicode(dc, text, measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(height, 0);
    EXPECT_GT(measured.right, 0);
    EXPECT_EQ(measured.bottom, height);
    ui::TRect empty = ui::Rect(0, 0, 0, 0);
    DrawTextUnicode(dc, L"", empty, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(empty.right, 0);

    ui::TRect box = ui::Rect(10, 5, 10 + measured.right, 5 + measured.bottom);
    DrawTextUnicode(dc, text, box, DT_SINGLELINE);
    int inside = 0, outside = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (At(bitmap, x, y) != 0xFFFFFF)
                ++(x >= box.left && x < box.right && y >= box.top && y < box.bottom ? inside : outside);
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);

    // A shortened text is written into a copy: the caller's string stays whole.
    const std::wstring longText = L"A caption much too long for its place";
    ui::TRect narrow = ui::Rect(0, 0, 30, 20);
    DrawTextUnicode(dc, longText, narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(longText, L"A caption much too long for its place");
}

TEST(SkinText, AnsiConversionsRoundTrip)
{
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(WideToAnsi(L""), "");
    EXPECT_EQ(AnsiToWide("Skin 1.0"), L"Skin 1.0");
    EXPECT_EQ(WideToAnsi(L"Skin 1.0"), "Skin 1.0");
    if (GetACP() == 1252) {
        EXPECT_EQ(AnsiToWide("A\xE7\xE3o"), L"A\u00E7\u00E3o");
        EXPECT_EQ(WideToAnsi(L"A\u00E7\u00E3o"), "A\xE7\xE3o");
    }
    const std::string bytes = "Caption \x80\xE9";
    EXPECT_EQ(WideToAnsi(AnsiToWide(bytes)), bytes);
}
