// Speed buttons: windowless, painted into their parent's DC; the face follows Down and Flat as well
// as the mouse.
#include "skin/controls/SkinButton.h"

#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

namespace skin {

TSkinSpeedButton::~TSkinSpeedButton() = default;

void TSkinSpeedButton::AttachGraphic(TSkinHost* form, TSkinData* skinData, ui::TCanvas* canvas)
{
    auto* control = dynamic_cast<ui::TControl*>(Owner());
    if (Attached || !control || dynamic_cast<ui::TWinControl*>(control))
        return;
    SkinData = skinData;
    Canvas = canvas;
    GraphicControl = control;
    Form = form;
    HookControl(control);
    if (Form)
        Form->RegisterControl(this);
    Enabled = control->Enabled();
    Caption = control->Caption();
    Attached = true;
    Status = ssAttached;
    control->Invalidate();
}

bool TSkinSpeedButton::BeforeMessage(ui::TMessage& message)
{
    if (!CanDraw() || !GraphicControl)
        return TSkinControl::BeforeMessage(message);
    switch (message.Msg) {
    case WM_PAINT:
        // The parent's DC, already at the button's origin and clipped to it.
        if (message.WParam)
            PaintSpeedButton(reinterpret_cast<HDC>(message.WParam), GraphicControl->ClientRect());
        else
            RedrawSkin(nullptr);
        message.Result = 0;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The button does its own down and group handling first.
        CallOldProc(message);
        SetMouseBit(msPressed, true);
        RedrawSkin(nullptr);
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinSpeedButton::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_NCDESTROY:
    case ui::CM_RELEASE:
        UnhookControl();
        break;
    case WM_LBUTTONUP:
    case ui::CM_CANCELMODE:
        // The click is the button's own.
        SetMouseBit(msPressed, false);
        RedrawSkin(nullptr);
        break;
    case WM_MOUSEMOVE:
        TrackMouseMove();
        break;
    case ui::CM_MOUSEENTER:
        MouseEnter();
        break;
    case ui::CM_MOUSELEAVE:
        MouseLeave();
        break;
    case ui::CM_ENABLEDCHANGED:
    case ui::CM_TEXTCHANGED:
    case ui::CM_FONTCHANGED:
        RefreshSkin();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinSpeedButton::RedrawSkin(HDC dc)
{
    if (!GraphicControl || !CanDraw())
        return;
    try {
        if (dc) {
            PaintSpeedButton(dc, GraphicControl->ClientRect());
            return;
        }
        ui::TWinControl* parent = GraphicControl->Parent();
        if (!GraphicControl->Visible() || !parent || !parent->HandleAllocated() || !IsWindowVisible(parent->WindowHandle()))
            return;
        ui::TClientDC client(parent->WindowHandle());
        if (!client.Get())
            return;
        SetViewportOrgEx(client.Get(), GraphicControl->Left(), GraphicControl->Top(), nullptr);
        IntersectClipRect(client.Get(), 0, 0, GraphicControl->Width(), GraphicControl->Height());
        PaintSpeedButton(client.Get(), GraphicControl->ClientRect());
    } catch (...) {
        // A paint never breaks the button's message handling.
    }
}

void TSkinSpeedButton::PaintSpeedButton(HDC dc, const ui::TRect& rect)
{
    if (!CanDraw() || !GraphicControl)
        return;
    TButtonState state;
    state.enabled = PropIsTrue(GraphicControl, "Enabled");
    state.down = PropIsTrue(GraphicControl, "Down");
    state.pressed = Pressed();
    state.hot = Hot();
    Enabled = state.enabled;
    const int frame = SpeedButtonFrame(state);
    LastFrame = frame;
    const bool flat = PropIsTrue(GraphicControl, "Flat");
    const bool hasGlyph = [&] {
        auto* glyph = dynamic_cast<ui::TBitmap*>(GetObjectPropOf(GraphicControl, "Glyph", "TBitmap"));
        return glyph && !glyph->Empty();
    }();
    HDC face = ComposeFace(rect, frame, SpeedButtonShowsFace(frame, flat));
    const ui::TRect local = ui::Rect(0, 0, FaceBitmap.Width(), FaceBitmap.Height());
    {
        ui::TSavedDC saved(face);
        SelectObject(face, CaptionFont());
        SetBkMode(face, TRANSPARENT);
        if (hasGlyph) {
            DrawGlyphAndCaption(face, local, frame, state.enabled, true);
        } else {
            SetTextColor(face, CaptionColour(frame, state.enabled));
            DrawCentredCaption(face, local, ReadButtonCaption(), DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS);
        }
    }
    BitBlt(dc, rect.left, rect.top, local.right, local.bottom, face, 0, 0, SRCCOPY);
}

} // namespace skin
