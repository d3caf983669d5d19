// Check boxes and radio buttons: the state picks a frame of the skin's check or radio strip, which
// is drawn over the platform's own box; the caption and focus mark stay the control's.
#include "skin/controls/SkinCheckBox.h"

#include "skin/data/SkinObjects.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"
#include "ui/StdCtrls.h"

#include <algorithm>
#include <cctype>

namespace skin {

namespace {

// The framework's notification after a check control changed its state.
constexpr UINT CM_CHECKSTATE = ui::CM_BASE + 0xD0;

// The platform draws its box 13 pixels square, the caption's focus mark from 16 pixels in on the
// left, and a caption placed left of the box up to 16 pixels from the right edge (measured with
// the usual dialog fonts); clearing stays inside those bounds so the caption is never wiped.
constexpr int PlatformBox = 13;
constexpr int LeftClearLimit = 16;
constexpr int RightClearLimit = 15;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool IsEmpty(const ui::TRect& r) { return r.right <= r.left || r.bottom <= r.top; }

ui::TRect Intersect(const ui::TRect& a, const ui::TRect& b)
{
    return ui::Rect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom));
}

ui::TRect Union(const ui::TRect& a, const ui::TRect& b)
{
    return ui::Rect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom));
}

ui::TRect Offset(const ui::TRect& r, int dx, int dy) { return ui::Rect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy); }

bool Inside(const ui::TRect& inner, const ui::TRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

// A frame past the strip's end shows the last one.
int ClampFrame(int frame, int frames) { return frames <= 0 ? 0 : std::min(frame, frames); }

} // namespace

int CheckBoxFrame(bool checked, bool indeterminate, bool disabled, int frames)
{
    if (frames <= 0)
        return 0;
    if (frames == 12) {
        const int group = indeterminate ? 9 : checked ? 5 : 1;
        return disabled ? group + 3 : group;
    }
    // Disabled indeterminate is 6, past the end of a four-frame strip: its last frame shows.
    const int state = indeterminate ? (disabled ? 6 : 4) : (checked ? 2 : 1) + (disabled ? 2 : 0);
    return ClampFrame(state, frames);
}

int RadioButtonFrame(bool checked, bool disabled, int frames)
{
    if (frames <= 0)
        return 0;
    if (frames == 8) {
        const int group = checked ? 5 : 1;
        return disabled ? group + 3 : group;
    }
    return ClampFrame((checked ? 2 : 1) + (disabled ? 2 : 0), frames);
}

ui::TRect CheckBoxRect(const ui::TRect& rect, int boxWidth, int boxHeight, bool leftText, bool radio)
{
    ui::TRect box{};
    box.top = rect.top + (ui::RectHeight(rect) - boxHeight) / 2;
    box.bottom = box.top + boxHeight;
    if (!leftText) {
        if (radio)
            box.left = boxWidth > 14 ? rect.left : rect.left + (14 - boxWidth) / 2;
        else
            box.left = boxWidth > 14 ? rect.left + 2 : rect.left + (14 - boxWidth) / 2 + 1;
        box.right = box.left + boxWidth;
    } else {
        if (radio)
            box.right = boxWidth > 14 ? rect.right - 1 : rect.right - (14 - boxWidth) / 2;
        else
            box.right = boxWidth > 15 ? rect.right - 1 : rect.right - (15 - boxWidth) / 2;
        box.left = box.right - boxWidth;
    }
    return box;
}

ui::TRect CheckBoxClearRect(const ui::TRect& rect, const ui::TRect& box, bool leftText)
{
    // The platform's box and the skin's with a pixel to spare, up to where the caption may start.
    ui::TRect clear = rect;
    if (!leftText) {
        const LONG right = std::max<LONG>(box.right + 1, rect.left + PlatformBox);
        clear.right = std::min<LONG>({right, rect.left + LeftClearLimit, rect.right});
    } else {
        const LONG left = std::min<LONG>(box.left - 1, rect.right - PlatformBox);
        clear.left = std::max<LONG>({left, rect.right - RightClearLimit, rect.left});
    }
    return clear;
}

// ---- TSkinCheckBox ----

bool TSkinCheckBox::BeforeMessage(ui::TMessage& message)
{
    // A framework control already paints into a memory bitmap; a plain window gets the same here.
    if (message.Msg == WM_PAINT && message.WParam == 0 && !Control && Handle) {
        PaintBuffered(message);
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinCheckBox::AfterMessage(ui::TMessage& message)
{
    // The platform control paints its box straight onto the screen after these, outside WM_PAINT:
    // the skin's box goes back over it at once, before anything shows (a plain window's refresh
    // already repaints at once).
    const bool boxRepainted = Handle && IsWindowVisible(Handle);
    switch (message.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case ui::CM_EXIT:
    case CM_CHECKSTATE:
        if (boxRepainted && Control)
            RedrawSkin(nullptr);
        RefreshSkin();
        return;
    case BM_SETSTATE:
    case WM_UPDATEUISTATE:
        if (boxRepainted)
            RedrawSkin(nullptr);
        return;
    case WM_SETTEXT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        if (boxRepainted)
            RedrawSkin(nullptr);
        break;
    default:
        break;
    }
    TSkinControl::AfterMessage(message);
}

const ui::TBitmap* TSkinCheckBox::Strip(int& frames) const
{
    frames = 0;
    if (!SkinData || !SkinData->Buttons || SkinData->Buttons->CheckBitmap.Empty())
        return nullptr;
    frames = SkinData->Buttons->CheckButtonFrame;
    return &SkinData->Buttons->CheckBitmap;
}

int TSkinCheckBox::StateFrame(int frames) const
{
    const LRESULT state = SendMessageW(Handle, BM_GETSTATE, 0, 0);
    bool checked = (state & BST_CHECKED) != 0;
    bool indeterminate = (state & BST_INDETERMINATE) != 0;
    if (Control) {
        // The framework's own state wins over the window's: a two-state window cannot hold "grayed".
        const std::string value = Lower(GetEnumPropName(Control, "State"));
        if (Contains(value, "uncheck")) {
            checked = false;
        } else if (Contains(value, "check")) {
            checked = true;
        } else if (Contains(value, "gray")) {
            checked = false;
            indeterminate = true;
        } else if (value.empty() && !GetEnumPropName(Control, "Checked").empty()) {
            checked = PropIsTrue(Control, "Checked");
        }
    }
    const bool disabled = (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_DISABLED) != 0;
    return CheckBoxFrame(checked, indeterminate, disabled, frames);
}

void TSkinCheckBox::DrawSkin(HDC dc, const ui::TRect& rect)
{
    LastFrame = 0;
    if (!dc || !Handle)
        return;
    int frames = 0;
    const ui::TBitmap* strip = Strip(frames);
    if (!strip || frames <= 0)
        return;
    // A button window that shows no box (push-like, owner-drawn) keeps its own look.
    wchar_t className[16]{};
    GetClassNameW(Handle, className, 16);
    if (lstrcmpiW(className, L"Button") == 0 || dynamic_cast<ui::TButtonControl*>(Control)) {
        const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
        const LONG_PTR type = style & BS_TYPEMASK;
        const bool radioType = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
        const bool checkType = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
        if ((Radio() ? !radioType : !checkType) || (style & BS_PUSHLIKE))
            return;
    }
    DrawBox(dc, rect, *strip, frames, StateFrame(frames));
}

void TSkinCheckBox::DrawBox(HDC dc, const ui::TRect& rect, const ui::TBitmap& strip, int frames, int frame)
{
    if (frames <= 0 || frame < 1 || frame > frames)
        return;
    // A strip narrower than its frame count has no frame to show.
    const int boxWidth = strip.Width() / frames;
    const int boxHeight = strip.Height();
    if (boxWidth <= 0 || boxHeight <= 0)
        return;
    const bool leftText = (GetWindowLongPtrW(Handle, GWL_STYLE) & BS_LEFTTEXT) != 0
                          || (GetWindowLongPtrW(Handle, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
    const ui::TRect box = CheckBoxRect(rect, boxWidth, boxHeight, leftText, Radio());
    const ui::TRect clear = CheckBoxClearRect(rect, box, leftText);
    const ui::TRect area = Intersect(Union(clear, box), rect);
    if (IsEmpty(area))
        return;
    const int w = ui::RectWidth(area), h = ui::RectHeight(area);
    ui::TBitmap work(w, h);
    if (work.Empty())
        return;
    HDC composed = work.Canvas().Handle();
    // A box wider than the cleared part lies partly over what the control drew: keep that under
    // the box's transparent pixels.
    if (!Inside(Intersect(box, rect), clear))
        BitBlt(composed, 0, 0, w, h, dc, area.left, area.top, SRCCOPY);
    FillParentBackground(composed, Offset(clear, -area.left, -area.top));
    DrawStripFrame(composed, Offset(box, -area.left, -area.top), frames, frame, &strip);
    BitBlt(dc, area.left, area.top, w, h, composed, 0, 0, SRCCOPY);
    LastFrame = frame;
}

// ---- TSkinRadioButton ----

const ui::TBitmap* TSkinRadioButton::Strip(int& frames) const
{
    frames = 0;
    if (!SkinData || !SkinData->Buttons || SkinData->Buttons->RadioBitmap.Empty())
        return nullptr;
    frames = SkinData->Buttons->RadioButtonFrame;
    return &SkinData->Buttons->RadioBitmap;
}

int TSkinRadioButton::StateFrame(int frames) const
{
    bool checked = SendMessageW(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (Control && !GetEnumPropName(Control, "Checked").empty())
        checked = PropIsTrue(Control, "Checked");
    const bool disabled = (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_DISABLED) != 0;
    return RadioButtonFrame(checked, disabled, frames);
}

} // namespace skin
