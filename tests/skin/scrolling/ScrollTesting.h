#pragma once
// Shared by the scroll-bar tests: a skin of solid, recognisable colours, skinned forms holding
// scrolling controls, the overlays' pixels, and presses held down while the native loop runs.
#include "FrameTesting.h"
#include "UiTesting.h"
#include "WindowTesting.h"

#include "skin/controls/WinSubClass.h"
#include "skin/data/SkinArchiveWriter.h"
#include "ui/Memos.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace scroll_testing {

using frame_testing::TWindowPixels;

inline std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// Colours of the solid skin: arrow strip frame n (1..23), track frames (1..4), thumb frames (1..3).
inline COLORREF ArrowColour(int frame) { return RGB(frame * 10, 250 - frame * 9, 40 + frame * 7); }
inline COLORREF HorzTrackColour(int frame) { return RGB(60 + frame * 40, 20, 20); }
inline COLORREF VertTrackColour(int frame) { return RGB(20, 20, 60 + frame * 40); }
inline COLORREF HorzThumbColour(int frame) { return RGB(200, 200 - frame * 50, 0); }
inline COLORREF VertThumbColour(int frame) { return RGB(0, 200 - frame * 50, 200); }
inline const COLORREF kSolidFace = RGB(90, 60, 30);

// Which parts the solid skin has.
struct TSolidParts {
    bool arrows = true;
    bool tracks = true;
    bool thumbs = true;
};
std::vector<std::uint8_t> SolidScrollSkin(TSolidParts parts = {});

// Pumps the application's messages a few times.
void Settle();
// Left button down or up through real input.
void LeftButton(bool down);
// Presses the left button at `screen`; once the native loop holds the press, `steps` run one per
// timer tick (each may move the mouse and look at pixels); then the button goes up. Returns when
// the press is over; the steps run even if no loop started, so nothing can hang.
void PressAndHold(POINT screen, std::vector<std::function<void()>> steps);

// Every overlay window of this thread, shown or not.
std::vector<HWND> OverlayWindows();

// A point of a bar in screen coordinates: `along` pixels from its start, in the middle across.
POINT BarPoint(const skin::TWScrollbar& bar, int along);
// The bar's own pixels at `along` (middle across).
std::uint32_t BarPixel(const TWindowPixels& shown, const skin::TWScrollbar& bar, int along);

class ScrollFixture : public ::testing::Test, public frame_testing::SkinnedWindows {
protected:
    ~ScrollFixture() override;
    // A form holding a memo of `lines` numbered lines with the given scroll bars.
    ui::TMemo* ShowMemo(int lines, ui::TScrollStyle bars, int width = 240, int height = 160);
    skin::TSkinScrollbar* SkinOf(ui::TWinControl* control);
    void UseSkin(const std::vector<std::uint8_t>& archive);
    ui::TForm* form_ = nullptr;
};

// The memo's text: `count` lines, long enough to need a horizontal bar.
std::wstring NumberedLines(int count);

} // namespace scroll_testing
