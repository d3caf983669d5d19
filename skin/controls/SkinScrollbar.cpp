// Scrolling controls: an overlay over each native scroll bar of the control, kept in step with it
// after every message that may have moved, hidden or scrolled it.
#include "skin/controls/SkinScrollbar.h"

#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

namespace skin {

namespace {

// Messages that never move a scroll bar; everything else is followed by a look at the bars.
bool Quiet(UINT msg)
{
    switch (msg) {
    case WM_NCHITTEST: case WM_SETCURSOR: case WM_GETTEXT: case WM_GETTEXTLENGTH: case WM_GETDLGCODE:
    case WM_GETFONT: case WM_DESTROY: case WM_NCDESTROY: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_ERASEBKGND: case WM_GETOBJECT:
    case WM_NOTIFYFORMAT: case WM_QUERYUISTATE: case EM_GETSEL: case EM_GETLINECOUNT:
    case EM_GETFIRSTVISIBLELINE: case LB_GETTOPINDEX: case LB_GETCOUNT: case LB_GETCURSEL:
    case LB_GETITEMHEIGHT: case LB_GETTEXT: case LB_GETTEXTLEN: case LB_GETITEMRECT:
        return true;
    default:
        return false;
    }
}

bool IsScrollRequest(WPARAM wParam)
{
    const int code = LOWORD(wParam);
    return code == SB_LINEUP || code == SB_LINEDOWN || code == SB_PAGEUP || code == SB_PAGEDOWN || code == SB_THUMBTRACK;
}

} // namespace

TSkinScrollbar::~TSkinScrollbar() { FreeBars(); }

void TSkinScrollbar::FreeBars()
{
    HorzBar.reset();
    VertBar.reset();
}

void TSkinScrollbar::AttachScrollbars(ui::TWinControl* control, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas)
{
    if (Hooked() || !control || !Bind(control, control->Handle(), skinData, form, canvas))
        return;
    HorzBar = std::make_unique<TWScrollbar>(this);
    HorzBar->AttachTo(control, skHorizontal);
    VertBar = std::make_unique<TWScrollbar>(this);
    VertBar->AttachTo(control, skVertical);
    HookControl(control);
    wasVisible_ = IsWindowVisible(Handle) != FALSE;
    Attached = true;
    Status = ssAttached;
    RedrawSkin(nullptr);
}

void TSkinScrollbarH::AttachWindow(HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas)
{
    if (Hooked() || !IsWindow(handle) || !Bind(nullptr, handle, skinData, form, canvas))
        return;
    HorzBar = std::make_unique<TWScrollbar>(this);
    HorzBar->AttachToWindow(handle, skHorizontal);
    VertBar = std::make_unique<TWScrollbar>(this);
    VertBar->AttachToWindow(handle, skVertical);
    HookWindow(handle);
    wasVisible_ = (GetWindowLongPtrW(handle, GWL_STYLE) & WS_VISIBLE) != 0;
    Attached = true;
    Status = ssAttached;
    RedrawSkin(nullptr);
}

void TSkinScrollbar::Unskin()
{
    TSkinControl::Unskin();
    FreeBars();
}

void TSkinScrollbar::UpdateBars() { SyncBars(true); }

void TSkinScrollbar::SyncBars(bool force)
{
    if (!Active || Status != ssAttached || !IsWindow(Handle))
        return;
    bool moved = false;
    for (TWScrollbar* bar : {HorzBar.get(), VertBar.get()})
        if (bar)
            moved = bar->Sync(force) || moved;
    const bool visible = (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_VISIBLE) != 0;
    if (wasVisible_ && !visible && NotifyWindow)
        PostMessageW(NotifyWindow, NotifyMessage, 0, reinterpret_cast<LPARAM>(Handle));
    wasVisible_ = visible;
    // A bar that came or went changes the corner between them.
    if (moved)
        TSkinControl::RedrawSkin(nullptr);
}

RECT TSkinScrollbar::CornerRect() const
{
    RECT corner{};
    if (!HorzBar || !VertBar || !HorzBar->BarVisible || !VertBar->BarVisible)
        return corner;
    RECT window{};
    GetWindowRect(Handle, &window);
    // The bars' rectangles in window coordinates: the corner lies across from both.
    const int left = VertBar->ClientRect.left, right = VertBar->ClientRect.right;
    const int top = HorzBar->ClientRect.top, bottom = HorzBar->ClientRect.bottom;
    POINT origin{0, 0};
    ClientToScreen(Handle, &origin);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    corner = RECT{left + dx, top + dy, right + dx, bottom + dy};
    return corner;
}

bool TSkinScrollbar::BeforeMessage(ui::TMessage& message)
{
    if (message.Msg == WM_DESTROY) {
        // The overlays are siblings: they go with the control, not with its window's children.
        FreeBars();
        return true;
    }
    ++depth_;
    return true;
}

void TSkinScrollbar::AfterMessage(ui::TMessage& message)
{
    if (message.Msg == WM_DESTROY)
        return;
    --depth_;
    switch (message.Msg) {
    case WM_SKINACTIVE:
        Active = message.WParam > 0;
        if (!Active) {
            for (TWScrollbar* bar : {HorzBar.get(), VertBar.get()})
                if (bar)
                    bar->Conceal();
        } else {
            SyncBars(true);
        }
        return;
    case WM_NCPAINT:
        if (Control)
            Handle = Control->Handle();
        SyncBars(false);
        // The system painted the corner: ours goes back over it.
        TSkinControl::RedrawSkin(nullptr);
        return;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        TWScrollbar* bar = message.Msg == WM_HSCROLL ? HorzBar.get() : VertBar.get();
        if (bar && bar->Tracking && IsScrollRequest(message.WParam))
            bar->Part = LOWORD(message.WParam);
        SyncBars(false);
        // While the thumb is dragged it follows the cursor, which the bar state does not show.
        if (bar && bar->Tracking)
            bar->Repaint();
        return;
    }
    default:
        if (!Quiet(message.Msg))
            SyncBars(false);
        return;
    }
}

void TSkinScrollbar::RedrawSkin(HDC dc)
{
    (void)dc;
    for (TWScrollbar* bar : {HorzBar.get(), VertBar.get()})
        if (bar)
            bar->Repaint();
    TSkinControl::RedrawSkin(nullptr);
}

void TSkinScrollbar::DrawSkin(HDC dc, const ui::TRect& rect)
{
    (void)rect;
    const RECT corner = CornerRect();
    if (dc && !IsRectEmpty(&corner))
        FillBackground(dc, corner);
}

void TSkinScrollbar::SkinChanged()
{
    SyncBars(true);
    RedrawSkin(nullptr);
}

} // namespace skin
