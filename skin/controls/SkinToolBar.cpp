// Tool bars: the panel's colour, and each button on the skin's button image through the bar's
// custom drawing; the bar still draws the buttons' images and captions itself.
#include "skin/controls/SkinBox.h"

#include "skin/data/WinSkinData.h"
#include "ui/ToolBars.h"

namespace skin {

namespace {

// One place decides the frame of a button's state.
int ToolButtonFrame(UINT itemState)
{
    if (itemState & CDIS_DISABLED)
        return bfDisabled;
    if (itemState & (CDIS_SELECTED | CDIS_CHECKED))
        return bfPressed;
    if (itemState & CDIS_HOT)
        return bfHot;
    return bfNormal;
}

bool IsSeparator(HWND bar, DWORD_PTR command)
{
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE;
    return SendMessageW(bar, TB_GETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)) >= 0 &&
           (info.fsStyle & BTNS_SEP) != 0;
}

} // namespace

void TSkinToolBar::AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas)
{
    if (Attached)
        return;
    TSkinBox::AttachControl(form, skinData, useSkinColor, canvas);
    if (!Control)
        return;
    HookControl(Control);
    // Face, image and caption of each button reach the screen together.
    Control->SetDoubleBuffered(true);
    Control->Invalidate();
}

void TSkinToolBar::Unskin()
{
    UnhookControl();
    TSkinBox::Unskin();
    if (Control && !Control->IsDestroying() && Control->HandleAllocated())
        Control->Invalidate();
}

bool TSkinToolBar::BeforeMessage(ui::TMessage& message)
{
    if (message.Msg != ui::CN_NOTIFY || Status != ssAttached || !SkinData || !SkinData->Buttons ||
        SkinData->Buttons->Bitmap.Empty())
        return true;
    auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(message.LParam);
    if (!draw || draw->nmcd.hdr.code != static_cast<UINT>(NM_CUSTOMDRAW) || draw->nmcd.hdr.hwndFrom != Handle)
        return true;
    // The application's own drawing wins.
    if (auto* bar = dynamic_cast<ui::TToolBar*>(Control); !bar || bar->OnCustomDrawButton)
        return true;

    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        message.Result = CDRF_NOTIFYITEMDRAW;
        return false;
    case CDDS_ITEMPREPAINT: {
        message.Result = CDRF_DODEFAULT;
        if (IsSeparator(Handle, draw->nmcd.dwItemSpec))
            return false;
        const TDataSkinButton& skin = *SkinData->Buttons;
        const int frame = ToolButtonFrame(draw->nmcd.uItemState);
        const int frames = skin.Frame > 0 ? skin.Frame : 5;
        DrawSkinObject(draw->nmcd.hdc, draw->nmcd.rc, frames, frame, &skin);
        if (frame == bfNormal && skin.HasNormalColour2)
            draw->clrText = ui::ColorToRGB(skin.NormalColour2);
        else if (frame == bfHot && skin.HasMouseOverColour2)
            draw->clrText = ui::ColorToRGB(skin.MouseOverColour2);
        else if (frame == bfPressed && skin.HasPressedColour2)
            draw->clrText = ui::ColorToRGB(skin.PressedColour2);
        // The face is ours: the bar adds its image and caption only.
        message.Result = CDRF_DODEFAULT | TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND;
        return false;
    }
    default:
        message.Result = CDRF_DODEFAULT;
        return false;
    }
}

void TSkinToolBar::AfterMessage(ui::TMessage& message)
{
    // A panel only follows the skin's switching on and off.
    if (message.Msg == WM_SKINACTIVE)
        TSkinBox::AfterMessage(message);
}

} // namespace skin
