#pragma once
// Shared by the range-control tests: a skin of solid, recognisable colours for track-bar thumbs,
// up-down buttons, progress bars and check glyphs; mouse buttons held through real input.
#include "FrameTesting.h"
#include "UiTesting.h"
#include "WindowTesting.h"

#include "skin/data/SkinArchiveWriter.h"

#include <array>
#include <string>
#include <vector>

namespace range_testing {

inline std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// Colours of the test skin.
constexpr COLORREF kFace = RGB(230, 230, 200);
constexpr COLORREF kShadow = RGB(100, 60, 20);
constexpr COLORREF kDkShadow = RGB(20, 20, 90);
constexpr COLORREF kKey = RGB(255, 0, 255);
// Thumb frames 1..5, horizontal and vertical images.
constexpr std::array<COLORREF, 5> kThumbH{RGB(200, 0, 0), RGB(0, 180, 0), RGB(0, 0, 200), RGB(200, 200, 0), RGB(0, 200, 200)};
constexpr std::array<COLORREF, 5> kThumbV{RGB(120, 0, 0), RGB(0, 110, 0), RGB(0, 0, 120), RGB(120, 120, 0), RGB(0, 120, 120)};
// Up-down frames 1..8 (stacked and side by side).
constexpr std::array<COLORREF, 8> kSpinV{RGB(250, 10, 10), RGB(10, 250, 10), RGB(10, 10, 250), RGB(250, 250, 10),
                                         RGB(250, 10, 250 - 1), RGB(10, 250, 250), RGB(140, 70, 0), RGB(70, 0, 140)};
constexpr std::array<COLORREF, 8> kSpinH{RGB(150, 30, 30), RGB(30, 150, 30), RGB(30, 30, 150), RGB(150, 150, 30),
                                         RGB(150, 30, 150), RGB(30, 150, 150), RGB(90, 40, 10), RGB(40, 10, 90)};
constexpr COLORREF kTrack = RGB(60, 160, 220);
constexpr COLORREF kFill = RGB(240, 120, 20);
constexpr COLORREF kBlock = RGB(20, 120, 40);
// Check glyph frames.
constexpr std::array<COLORREF, 5> kCheck{RGB(11, 22, 33), RGB(44, 55, 66), RGB(77, 88, 99), RGB(110, 120, 130),
                                         RGB(140, 150, 160)};

struct TRangeSkin {
    bool thumbH = true;
    bool thumbV = true;
    bool spinV = true;
    bool spinH = true;
    int progressStyle = 0;    // -1: no progress image
    int blockWidth = 8;       // block image: blockWidth - 2 solid, then 2 key-coloured; 0: none
    int blockLeft = 3;        // the block row's left inset
    int checkFrames = 4;      // 0: no check image
    int checkFrameSetting = -1;   // CheckButtonFrame written to the skin; -1: the frame count
};

inline std::vector<std::uint8_t> BuildRangeSkin(const TRangeSkin& s)
{
    using ui_testing::MakeBmp;
    std::string ini = "[TitlebarSkin]\nSkinName=Ranges\n[Personality]\n[Colours]\n"
                      "ButtonFace=230 230 200\nButtonShadow=100 60 20\nButtonDkShadow=20 20 90\n";
    std::vector<skin::TSkinArchiveEntry> entries;
    if (s.thumbH) {
        ini += "[Trackbar.ThumbHorz]\nImage=th.bmp\nTrans=1\n";
        entries.push_back({"th.bmp", MakeBmp(11 * 5, 21, [](int x, int) { return kThumbH[x / 11]; })});
    }
    if (s.thumbV) {
        ini += "[Trackbar.ThumbVert]\nImage=tv.bmp\nTrans=1\n";
        entries.push_back({"tv.bmp", MakeBmp(21 * 5, 11, [](int x, int) { return kThumbV[x / 21]; })});
    }
    if (s.spinV) {
        ini += "[UpDown.Vert]\nImage=sv.bmp\nTrans=1\n";
        entries.push_back({"sv.bmp", MakeBmp(16 * 8, 11, [](int x, int) { return kSpinV[x / 16]; })});
    }
    if (s.spinH) {
        ini += "[UpDown.Horz]\nImage=sh.bmp\nTrans=1\n";
        entries.push_back({"sh.bmp", MakeBmp(11 * 8, 16, [](int x, int) { return kSpinH[x / 11]; })});
    }
    if (s.progressStyle >= 0) {
        ini += "[Progress]\nBitmap=pr.bmp\nTrans=1\nStyle=" + std::to_string(s.progressStyle) +
               "\nLeftWidth=" + std::to_string(s.progressStyle == 1 ? s.blockLeft : 0) + "\n";
        entries.push_back({"pr.bmp", MakeBmp(2 * 10, 12, [](int x, int) { return x < 10 ? kTrack : kFill; })});
        if (s.progressStyle == 1 && s.blockWidth > 0) {
            ini += "Chunk=ch.bmp\n";
            const int w = s.blockWidth;
            entries.push_back({"ch.bmp", MakeBmp(w, 6, [w](int x, int) { return x < w - 2 ? kBlock : kKey; })});
        }
    }
    if (s.checkFrames > 0) {
        const int frames = s.checkFrames;
        ini += "[Buttons]\nCheckButton=ck.bmp\nCheckButtonFrame=" +
               std::to_string(s.checkFrameSetting >= 0 ? s.checkFrameSetting : frames) + "\n";
        entries.push_back({"ck.bmp", MakeBmp(13 * frames, 13, [](int x, int) { return kCheck[(x / 13) % 5]; })});
    }
    entries.insert(entries.begin(), {"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    return skin::BuildSkinArchive(entries);
}

// The left mouse button pressed or released where the pointer is, through the system's queue.
inline void LeftButton(bool down)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
}

inline void Settle()
{
    for (int i = 0; i < 4; ++i) {
        ui::Application.ProcessMessages();
        Sleep(10);
    }
}

inline POINT ScreenPoint(HWND window, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

// The client-area pixels of a window as on screen now (0x00RRGGBB), after pending paints.
struct TClientPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    int Count(const RECT& r, std::uint32_t colour) const
    {
        int n = 0;
        for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, height); ++y)
            for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, width); ++x)
                n += At(x, y) == colour;
        return n;
    }
};

inline TClientPixels ReadClient(HWND window, bool repaint = true)
{
    if (repaint) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ui::Application.ProcessMessages();
    }
    RECT c{};
    GetClientRect(window, &c);
    TClientPixels out;
    out.width = c.right;
    out.height = c.bottom;
    ui::TBitmap copy(out.width, out.height);
    HDC dc = GetDC(window);
    BitBlt(copy.Canvas().Handle(), 0, 0, out.width, out.height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const std::uint8_t* p = copy.ScanLine(y);
        for (int x = 0; x < out.width; ++x, p += 3)
            out.pixels[static_cast<std::size_t>(y) * out.width + x] = (p[2] << 16) | (p[1] << 8) | p[0];
    }
    return out;
}

} // namespace range_testing
