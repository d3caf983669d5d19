// Drawing shared by the control kinds: a skin object's picture, one frame of a strip, a centred
// caption.
#include "skin/controls/WinSubClass.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/SkinText.h"
#include "ui/GdiObjects.h"

namespace skin {

namespace {
bool Inverted(const ui::TRect& rect) { return rect.right < rect.left || rect.bottom < rect.top; }
}

void DrawSkinObject(HDC dc, const ui::TRect& rect, int frames, int frameIndex, const TDataSkinObject* object)
{
    if (!object || Inverted(rect) || object->Bitmap.Empty())
        return;
    auto* bitmap = const_cast<ui::TBitmap*>(&object->Bitmap);
    const ui::TRect at = ui::Rect(0, 0, ui::RectWidth(rect), ui::RectHeight(rect));
    std::unique_ptr<ui::TBitmap> picture =
        BuildSkinRect(at, bitmap, object->Margins(), false, object->Tile != 0, frames, frameIndex);
    if (!picture)
        return;
    if (object->Trans == 1)
        DrawMasked(dc, rect, picture.get(), SkinKeyColor);
    else
        BitBlt(dc, rect.left, rect.top, picture->Width(), picture->Height(), picture->Canvas().Handle(), 0, 0, SRCCOPY);
}

void DrawStripFrame(HDC dc, const ui::TRect& rect, int frames, int frameIndex, const ui::TBitmap* bitmap)
{
    if (!bitmap || Inverted(rect) || bitmap->Empty())
        return;
    DrawSkinStretch(dc, rect, const_cast<ui::TBitmap*>(bitmap), true, frames, frameIndex);
}

void DrawCaptionCentered(HDC dc, const ui::TRect& rect, UINT alignment, bool enabled, const std::wstring& text)
{
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    ui::TRect measured = rect;
    DrawTextUnicode(dc, text, measured, alignment | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
    const int height = ui::RectHeight(measured);
    const int width = ui::RectWidth(measured);
    ui::TRect at = rect;
    at.top = rect.top + (ui::RectHeight(rect) - height) / 2 - 1;
    at.bottom = at.top + height;
    if (alignment & DT_CENTER) {
        at.left = rect.left + (ui::RectWidth(rect) - width) / 2;
        at.right = at.left + width;
    }
    COLORREF oldColour = 0;
    if (!enabled)
        oldColour = SetTextColor(dc, ui::ColorToRGB(ui::clBtnShadow));
    DrawTextUnicode(dc, text, at, alignment | DT_EXPANDTABS);
    if (!enabled)
        SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

} // namespace skin
