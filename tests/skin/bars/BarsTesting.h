#pragma once
// Shared by the bar tests: a skin of solid, recognisable colours for status-bar edges, the size
// grip, header sections and buttons, and a few pixel helpers.
#include "FrameTesting.h"
#include "UiTesting.h"
#include "WindowTesting.h"

#include "skin/controls/WinSubClass.h"
#include "skin/data/SkinArchiveWriter.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace bars_testing {

inline std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// Status-bar edge frames (lowered, raised, none): a two-pixel rim round a common fill.
inline const std::array<COLORREF, 3> kEdgeRim{RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200)};
inline constexpr COLORREF kEdgeFill = RGB(240, 240, 200);
inline constexpr COLORREF kGrip = RGB(255, 128, 0);
// Header frames: frame 1 has a rim and a fill; the other frames are solid, so a wrong one shows.
inline constexpr COLORREF kHeadRim = RGB(120, 0, 120);
inline constexpr COLORREF kHeadFill = RGB(230, 200, 230);
inline constexpr COLORREF kHeadOther = RGB(0, 90, 90);
// Buttons strip: normal, pressed, disabled, hot, default.
inline const std::array<COLORREF, 5> kButton{RGB(0, 128, 255), RGB(255, 0, 128), RGB(150, 150, 150),
                                             RGB(0, 200, 100), RGB(100, 50, 0)};
inline constexpr COLORREF kText = RGB(10, 10, 10);

inline std::vector<std::uint8_t> BarsSkin()
{
    using ui_testing::MakeBmp;
    const std::string margins = "LeftWidth=2\nRightWidth=2\nTopHeight=2\nBottomHeight=2\nTrans=0\nTile=0\n";
    std::string ini = "[TitlebarSkin]\nSkinName=Bar parts\n[Personality]\n";
    ini += "[StatusBarEdges]\nImage=edges.bmp\nNormalColour2=10 10 10\n" + margins;
    ini += "[ExtraImages]\nImage=extra.bmp\nTrans=1\n";
    ini += "[Headerbar]\nImage=header.bmp\nNormalColour2=10 10 10\n" + margins;
    ini += "[Buttons]\nBitmap=buttons.bmp\nLeftWidth=3\nRightWidth=3\nTopHeight=3\nBottomHeight=3\nTrans=0\n"
           "NormalColour2=10 10 10\nMouseOverColour2=10 10 10\nPressedColour2=10 10 10\n";
    std::vector<skin::TSkinArchiveEntry> entries;
    entries.push_back({"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    entries.push_back({"edges.bmp", MakeBmp(10 * 3, 10, [](int x, int y) {
                           const int cx = x % 10;
                           const bool rim = cx < 2 || cx >= 8 || y < 2 || y >= 8;
                           return rim ? kEdgeRim[static_cast<size_t>(x / 10)] : kEdgeFill;
                       })});
    entries.push_back({"extra.bmp", MakeBmp(12 * 5, 12, [](int x, int) {
                           return x / 12 == 4 ? kGrip : RGB(255, 0, 255);
                       })});
    entries.push_back({"header.bmp", MakeBmp(10 * 5, 12, [](int x, int y) {
                           if (x >= 10)
                               return kHeadOther;
                           const bool rim = x < 2 || x >= 8 || y < 2 || y >= 10;
                           return rim ? kHeadRim : kHeadFill;
                       })});
    entries.push_back({"buttons.bmp", MakeBmp(12 * 5, 12, [](int x, int) {
                           return kButton[static_cast<size_t>(x / 12)];
                       })});
    return skin::BuildSkinArchive(entries);
}

inline bool IsDark(std::uint32_t c) { return ((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) < 3 * 0x50; }

// Columns of the box holding dark (text) pixels: the leftmost and rightmost, -1 when none.
inline std::pair<int, int> DarkSpan(const frame_testing::TWindowPixels& shot, const RECT& box)
{
    int first = -1, last = -1;
    for (int x = box.left; x < box.right; ++x)
        for (int y = box.top; y < box.bottom; ++y)
            if (IsDark(shot.At(x, y))) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

inline void Settle()
{
    for (int i = 0; i < 3; ++i)
        ui::Application.ProcessMessages();
}

class BarsFixture : public ::testing::Test, public frame_testing::SkinnedWindows {
protected:
    ~BarsFixture() override { SetCursorPos(0, 0); }

    void UseBarsSkin()
    {
        Data().SkinStream() = ui::TMemoryStream(BarsSkin());
        ASSERT_TRUE(Data().LoadSkinData());
    }

    template <class T>
    T* SkinOf(ui::TForm* form, ui::TWinControl* control)
    {
        skin::TWinSkinForm* frame = FrameOf(form->Handle());
        if (!frame)
            return nullptr;
        skin::TSkinControl* found = frame->FindControlObject(control);
        if (!found)
            found = frame->FindWindowObject(control->Handle());
        return dynamic_cast<T*>(found);
    }

    static POINT ScreenOf(HWND window, int x, int y)
    {
        POINT p{x, y};
        ClientToScreen(window, &p);
        return p;
    }
};

} // namespace bars_testing
