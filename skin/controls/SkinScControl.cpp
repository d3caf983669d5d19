// A stand-alone scroll bar control: one overlay over the whole control, its geometry computed from
// the control's range, page and position.
#include "skin/controls/SkinScrollbar.h"

namespace skin {

namespace {

bool Quiet(UINT msg)
{
    switch (msg) {
    case WM_NCHITTEST: case WM_SETCURSOR: case WM_GETTEXT: case WM_GETTEXTLENGTH: case WM_GETDLGCODE:
    case WM_GETFONT: case WM_DESTROY: case WM_NCDESTROY: case WM_ERASEBKGND: case WM_GETOBJECT:
    case SBM_GETPOS: case SBM_GETRANGE: case SBM_GETSCROLLINFO: case SBM_GETSCROLLBARINFO:
        return true;
    default:
        return false;
    }
}

} // namespace

TSkinScControl::~TSkinScControl() { Bar.reset(); }

void TSkinScControl::AttachScrollControl(ui::TWinControl* control, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas)
{
    if (Hooked() || !control || !Bind(control, control->Handle(), skinData, form, canvas))
        return;
    Bar = std::make_unique<TWScrollbar>(this);
    Bar->AttachTo(control, skControl);
    HookControl(control);
    Attached = true;
    Status = ssAttached;
}

void TSkinScControl::AttachWindow(HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas)
{
    if (Hooked() || !IsWindow(handle) || !Bind(nullptr, handle, skinData, form, canvas))
        return;
    Bar = std::make_unique<TWScrollbar>(this);
    Bar->AttachToWindow(handle, skControl);
    HookWindow(handle);
    Attached = true;
    Status = ssAttached;
}

void TSkinScControl::Unskin()
{
    TSkinControl::Unskin();
    Bar.reset();
}

bool TSkinScControl::BeforeMessage(ui::TMessage& message)
{
    // The overlay is a sibling: it goes with the control.
    if (message.Msg == WM_DESTROY)
        Bar.reset();
    return true;
}

void TSkinScControl::AfterMessage(ui::TMessage& message)
{
    if (!Bar)
        return;
    switch (message.Msg) {
    case WM_SKINACTIVE:
        Active = message.WParam > 0;
        if (Active)
            Bar->Sync(true);
        else
            Bar->Conceal();
        return;
    case ui::CN_HSCROLL:
    case ui::CN_VSCROLL:
    case WM_HSCROLL:
    case WM_VSCROLL: {
        const int code = LOWORD(message.WParam);
        if (Bar->Tracking && (code <= SB_PAGEDOWN || code == SB_THUMBTRACK))
            Bar->Part = code;
        Bar->Sync(false);
        if (Bar->Tracking)
            Bar->Repaint();
        return;
    }
    case WM_PAINT:
    case WM_NCPAINT:
    case SBM_SETSCROLLINFO:
        if (Control)
            Handle = Control->Handle();
        Bar->Sync(false);
        return;
    default:
        if (Active && !Quiet(message.Msg))
            Bar->Sync(false);
        return;
    }
}

void TSkinScControl::DrawSkin(HDC dc, const ui::TRect& rect)
{
    (void)dc;
    (void)rect;
    if (Bar)
        Bar->Repaint();
}

} // namespace skin
