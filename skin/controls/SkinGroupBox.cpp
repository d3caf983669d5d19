// Group boxes: the native frame is painted over in the face colour and redrawn as a rounded line
// in the skin's shadow colour, the caption on the face colour.
#include "skin/controls/SkinBox.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

#include <algorithm>

namespace skin {

void TSkinGroupBox::DrawSkin(HDC dc, const ui::TRect& rect)
{
    const int w = ui::RectWidth(rect), h = ui::RectHeight(rect);
    if (!dc || !Handle || !SkinData || w <= 0 || h <= 0)
        return;
    Caption = ReadCaption();
    if (Caption.empty() && Control)
        Caption = skin::GetWideStrProp(Control, std::string("Caption"));
    auto* controlFont = Control ? dynamic_cast<ui::TFont*>(GetObjectPropOf(Control, "Font", "TFont")) : nullptr;
    HFONT font = controlFont ? controlFont->Handle() : reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0));

    // Composed over a copy of what the control painted; only the frame band goes back, so the
    // inside (and the controls in it) is never touched.
    ui::TBitmap& work = WorkBitmap(w, h);
    if (work.Width() < w || work.Height() < h)
        return;
    HDC composed = work.Canvas().Handle();
    BitBlt(composed, 0, 0, w, h, dc, rect.left, rect.top, SRCCOPY);
    ui::TSavedDC savedWork(composed);
    ui::TSelectObject selectFont(composed, font);

    SIZE zero{};
    GetTextExtentPoint32W(composed, L"0", 1, &zero);
    const int lineTop = zero.cy / 2 - 1;

    ui::TBrushHandle ownFace;
    HBRUSH face = SkinData->FaceBrush;
    if (!face) {
        ownFace.Reset(CreateSolidBrush(ui::ColorToRGB(SkinData->ButtonFaceColor)));
        face = ownFace.Get();
    }
    RECT edge{0, lineTop, w, h};
    FrameRect(composed, &edge, face);
    InflateRect(&edge, -1, -1);
    FrameRect(composed, &edge, face);

    RECT text{9, 0, w, h};
    RECT measured = text;
    if (!Caption.empty()) {
        DrawTextW(composed, Caption.c_str(), static_cast<int>(Caption.size()), &measured, DT_EXPANDTABS | DT_CALCRECT);
        // The control's own caption may sit a few pixels off ours: clear where it can be.
        RECT old{2, 0, std::min<LONG>(w - 2, measured.right + 3), std::min<LONG>(h - 2, measured.bottom)};
        FillRect(composed, &old, face);
    }

    ui::TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(SkinData->ButtonShadowColor)));
    {
        ui::TSelectObject selectPen(composed, pen.Get());
        ui::TSelectObject selectBrush(composed, GetStockObject(NULL_BRUSH));
        RoundRect(composed, 1, lineTop, w - 1, h - 1, 5, 5);
    }

    if (!Caption.empty()) {
        const bool enabled = (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_DISABLED) == 0;
        ui::TColor colour = controlFont ? controlFont->Color() : SkinData->ButtonTextColor;
        if (!enabled)
            colour = ui::clBtnShadow;
        SetBkMode(composed, OPAQUE);
        SetBkColor(composed, ui::ColorToRGB(SkinData->ButtonFaceColor));
        SetTextColor(composed, ui::ColorToRGB(colour));
        DrawTextW(composed, Caption.c_str(), static_cast<int>(Caption.size()), &text, DT_EXPANDTABS);
    }

    ui::TSavedDC savedTarget(dc);
    const int insideTop = std::max<int>(lineTop + 2, Caption.empty() ? 0 : measured.bottom);
    ExcludeClipRect(dc, rect.left + 2, rect.top + insideTop, rect.right - 2, rect.bottom - 2);
    BitBlt(dc, rect.left, rect.top, w, h, composed, 0, 0, SRCCOPY);
}

} // namespace skin
