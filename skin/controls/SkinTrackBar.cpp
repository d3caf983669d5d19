// Track bars: the control keeps drawing its channel and ticks; the thumb is answered from its
// custom-draw notifications with the skin's thumb image (or a plain outlined block).
#include "skin/controls/SkinTrackBar.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

namespace skin {

namespace {

// The thumb strip's frame for every state: the skins' second frame is the resting thumb.
constexpr int kThumbFrame = 2;
constexpr int kThumbFrames = 5;

const ui::TBitmap* ThumbImage(const TSkinData* data, bool vertical, int& frames)
{
    if (!data)
        return nullptr;
    const TDataSkinObject* object = nullptr;
    if (vertical && data->TrackbarThumbVert && !data->TrackbarThumbVert->Bitmap.Empty())
        object = data->TrackbarThumbVert.get();
    else if (data->TrackbarThumbHorz && !data->TrackbarThumbHorz->Bitmap.Empty())
        object = data->TrackbarThumbHorz.get();
    if (!object)
        return nullptr;
    frames = object->Frame > 0 ? object->Frame : kThumbFrames;
    return &object->Bitmap;
}

} // namespace

bool TSkinTrackBar::BeforeMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    case WM_NOTIFY:
    case ui::CN_NOTIFY: {
        const auto* info = reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam);
        if (info && info->hdr.code == static_cast<UINT>(NM_CUSTOMDRAW) && info->hdr.hwndFrom == Handle) {
            message.Result = CustomDraw(*info, message.Result);
            return false;
        }
        break;
    }
    default:
        break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinTrackBar::SkinChanged()
{
    // Only the thumb is ours: the control repaints it from its own notifications.
    if (Handle && IsWindowVisible(Handle))
        InvalidateRect(Handle, nullptr, TRUE);
}

void TSkinTrackBar::DrawSkin(HDC, const ui::TRect&) {}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& info, LRESULT dflt)
{
    if (info.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (info.dwDrawStage == CDDS_ITEMPREPAINT) {
        switch (info.dwItemSpec) {
        case TBCD_TICS:
        case TBCD_CHANNEL:
            return CDRF_DODEFAULT;
        case TBCD_THUMB:
            try {
                DrawThumb(info.hdc);
            } catch (...) {
                // The control still answers; a thumb missing once is repainted with the next move.
            }
            return CDRF_SKIPDEFAULT;
        default:
            break;
        }
    }
    return dflt;
}

void TSkinTrackBar::DrawThumb(HDC dc)
{
    if (!dc || !Handle || !IsWindow(Handle))
        return;
    RECT thumb{};
    SendMessageW(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    if (thumb.right <= thumb.left || thumb.bottom <= thumb.top)
        return;
    const bool vertical = (GetWindowLongPtrW(Handle, GWL_STYLE) & TBS_VERT) != 0;
    int frames = 0;
    const ui::TBitmap* image = ThumbImage(SkinData, vertical, frames);
    ui::TSavedDC saved(dc);
    if (image) {
        DrawStripFrame(dc, thumb, frames, kThumbFrame, image);
        return;
    }
    const ui::TColor shadow = SkinData ? SkinData->ButtonShadowColor : ui::SystemColor(COLOR_BTNSHADOW);
    const ui::TColor face = SkinData ? SkinData->ButtonFaceColor : ui::SystemColor(COLOR_BTNFACE);
    ui::TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(shadow)));
    ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(face)));
    if (!pen || !brush)
        return;
    ui::TSelectObject usePen(dc, pen.Get());
    ui::TSelectObject useBrush(dc, brush.Get());
    Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

} // namespace skin
