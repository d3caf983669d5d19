// The overlay window laid over a native scroll bar: it follows the bar, paints it from the skin and
// hands presses to the scrolled window, whose own tracking loop does the scrolling.
#include "skin/controls/SkinScrollbar.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>

namespace skin {

namespace {

constexpr wchar_t kOverlayClass[] = L"SkinScrollOverlay";

bool Usable(const TDataSkinObject* object) { return object && !object->Bitmap.Empty() && object->Frame > 0; }

// A bar is off when it says so, when its window is disabled, or when both its arrows are (the
// system reports a bar switched off with EnableScrollBar that way).
bool BarEnabled(const SCROLLBARINFO& info, HWND target)
{
    if ((info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) || !IsWindowEnabled(target))
        return false;
    return !((info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) && (info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE));
}

// Strip frames of the arrows: left, right, up, down, each normal, pressed, hot, disabled.
int ArrowFrame(bool vertical, bool last, bool enabled, bool pressed, bool hot)
{
    const int base = (vertical ? 9 : 1) + (last ? 4 : 0);
    if (!enabled)
        return base + 3;
    if (pressed)
        return base + 1;
    if (hot)
        return base + 2;
    return base;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

bool TWScrollbar::TBarState::operator==(const TBarState& other) const
{
    return shown == other.shown && EqualRect(&rect, &other.rect) && thumbTop == other.thumbTop &&
           thumbBottom == other.thumbBottom && lineButton == other.lineButton && state == other.state &&
           enabled == other.enabled;
}

TWScrollbar::TWScrollbar(TSkinControl* skinOwner) : ArrowSize(GetSystemMetrics(SM_CXHSCROLL)), SkinOwner(skinOwner)
{
    arrow_ = ArrowSize;
}

TWScrollbar::~TWScrollbar()
{
    *alive_ = false;
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        window_ = nullptr;
    }
    if (addedClipSiblings_ && IsWindow(Target)) {
        const LONG_PTR style = GetWindowLongPtrW(Target, GWL_STYLE);
        SetWindowLongPtrW(Target, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CLIPSIBLINGS));
    }
}

void TWScrollbar::AttachTo(ui::TWinControl* control, int kind)
{
    if (!control)
        return;
    TargetControl = control;
    Target = control->Handle();
    Kind = kind;
    Orientation = kind == skVertical ? 1 : 0;
    if (kind == skControl) {
        const std::string name = Lower(GetEnumPropName(control, "Kind"));
        if (name.empty())
            Orientation = (GetWindowLongPtrW(Target, GWL_STYLE) & SBS_VERT) ? 1 : 0;
        else
            Orientation = name == "sbhorizontal" ? 0 : 1;
    }
    ArrowSize = GetSystemMetrics(Orientation == 1 ? SM_CYVSCROLL : SM_CXHSCROLL);
    CreateOverlay();
    UpdatePosition(Target);
}

void TWScrollbar::AttachToWindow(HWND handle, int kind)
{
    if (!IsWindow(handle))
        return;
    TargetControl = nullptr;
    Target = handle;
    Kind = kind;
    if (kind == skControl)
        Orientation = (GetWindowLongPtrW(handle, GWL_STYLE) & SBS_VERT) ? 1 : 0;
    else
        Orientation = kind == skVertical ? 1 : 0;
    ArrowSize = GetSystemMetrics(Orientation == 1 ? SM_CYVSCROLL : SM_CXHSCROLL);
    CreateOverlay();
    UpdatePosition(Target);
}

void TWScrollbar::CreateOverlay()
{
    if (window_ || !IsWindow(Target))
        return;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    static const ATOM registered = [instance] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &TWScrollbar::WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kOverlayClass;
        return RegisterClassExW(&wc);
    }();
    (void)registered;
    const LONG_PTR targetStyle = GetWindowLongPtrW(Target, GWL_STYLE);
    const bool child = (targetStyle & WS_CHILD) != 0;
    // A drop-down list is a child of the desktop (or, elsewhere, a popup): its overlay is a window
    // of the same kind (a popup it owns), topmost like the list, and never takes the activation
    // from the list's owner.
    const bool topLevel = !child || GetParent(Target) == GetDesktopWindow();
    const DWORD style = WS_CLIPSIBLINGS | (child ? WS_CHILD : WS_POPUP);
    const DWORD exStyle = topLevel ? (WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW) : 0;
    const HWND parent = child ? GetParent(Target) : Target;
    window_ = CreateWindowExW(exStyle, kOverlayClass, L"", style, 0, 0, 0, 0, parent, nullptr, instance, this);
    // The native bar repaints itself while it scrolls: kept off the overlay lying above it.
    if (child && !(targetStyle & WS_CLIPSIBLINGS)) {
        SetWindowLongPtrW(Target, GWL_STYLE, targetStyle | WS_CLIPSIBLINGS);
        addedClipSiblings_ = true;
    }
}

bool TWScrollbar::GetControlBarInfo(SCROLLBARINFO& info) const
{
    if (!IsWindow(Target))
        return false;
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_ALL;
    if (!GetScrollInfo(Target, SB_CTL, &scroll))
        return false;
    RECT client{};
    GetClientRect(Target, &client);
    MapWindowPoints(Target, nullptr, reinterpret_cast<POINT*>(&client), 2);
    info.rcScrollBar = client;
    const int length = Orientation == 1 ? client.bottom - client.top : client.right - client.left;
    const int arrow = std::max(0, std::min(ArrowSize, length / 2));
    info.dxyLineButton = arrow;
    info.xyThumbTop = info.xyThumbBottom = 0;
    info.rgstate[0] = IsWindowEnabled(Target) ? 0 : STATE_SYSTEM_UNAVAILABLE;
    if (!(GetWindowLongPtrW(Target, GWL_STYLE) & WS_VISIBLE))
        info.rgstate[0] |= STATE_SYSTEM_INVISIBLE;

    // The thumb scales by the range, not by the maximum; a page as large as the range leaves
    // nothing to scroll and no thumb.
    const int range = scroll.nMax - scroll.nMin;
    const int track = length - 2 * arrow;
    const int page = static_cast<int>(scroll.nPage);
    if (range <= 0 || track <= 0 || page > range)
        return true;
    int thumb = page > 0 ? MulDiv(track, page, range + 1) : ArrowSize;
    thumb = std::min(track, std::max(thumb, std::min(track, 8)));
    const int span = range - std::max(page - 1, 0);
    const int position = std::clamp(scroll.nPos, scroll.nMin, scroll.nMin + std::max(span, 0));
    const int offset = span > 0 ? MulDiv(track - thumb, position - scroll.nMin, span) : 0;
    info.xyThumbTop = arrow + offset;
    info.xyThumbBottom = info.xyThumbTop + thumb;
    return true;
}

bool TWScrollbar::ReadBarInfo(SCROLLBARINFO& info) const
{
    info = SCROLLBARINFO{};
    info.cbSize = sizeof(info);
    if (!IsWindow(Target))
        return false;
    switch (Kind) {
    case skHorizontal: return GetScrollBarInfo(Target, OBJID_HSCROLL, &info) != FALSE;
    case skVertical: return GetScrollBarInfo(Target, OBJID_VSCROLL, &info) != FALSE;
    default: return GetControlBarInfo(info);
    }
}

TWScrollbar::TBarState TWScrollbar::ReadState() const
{
    TBarState state;
    SCROLLBARINFO info{};
    if (!ReadBarInfo(info))
        return state;
    // The window's own visibility flag: a hidden parent hides the overlay (its sibling) by itself.
    state.shown = !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE) && (GetWindowLongPtrW(Target, GWL_STYLE) & WS_VISIBLE) &&
                  info.rcScrollBar.right > info.rcScrollBar.left && info.rcScrollBar.bottom > info.rcScrollBar.top;
    state.rect = info.rcScrollBar;
    // Relative to the parent's client area, so that moving the whole form changes nothing.
    if (const HWND parent = GetParent(window_); parent && (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&state.rect), 2);
    state.thumbTop = info.xyThumbTop;
    state.thumbBottom = info.xyThumbBottom;
    state.lineButton = info.dxyLineButton;
    state.state = info.rgstate[0] | ((info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) << 1) |
                  ((info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) << 2);
    state.enabled = IsWindowEnabled(Target) != FALSE;
    return state;
}

void TWScrollbar::UpdatePosition(HWND handle)
{
    if (handle)
        Target = handle;
    Sync(true);
}

bool TWScrollbar::Sync(bool force)
{
    if (!window_ || syncing_)
        return false;
    syncing_ = true;
    const TBarState now = ReadState();
    const bool changed = !(now == last_);
    bool moved = false;
    if (!now.shown) {
        if (BarVisible || IsWindowVisible(window_)) {
            ShowWindow(window_, SW_HIDE);
            moved = true;
        }
        BarVisible = false;
    } else if (force || changed || !BarVisible) {
        SCROLLBARINFO info{};
        ReadBarInfo(info);
        ClientRect = info.rcScrollBar;
        MapWindowPoints(nullptr, Target, reinterpret_cast<POINT*>(&ClientRect), 2);
        ScreenOrigin = POINT{info.rcScrollBar.left, info.rcScrollBar.top};
        const int w = info.rcScrollBar.right - info.rcScrollBar.left;
        const int h = info.rcScrollBar.bottom - info.rcScrollBar.top;
        Length = Orientation == 1 ? h : w;
        const bool placeChanged = !BarVisible || !placed_ || !EqualRect(&now.rect, &last_.rect);
        if (placeChanged || force) {
            const bool child = (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD) != 0;
            UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOREDRAW;
            HWND after = HWND_TOP;
            if (child) {
                // Just above the scrolled window: other siblings keep their order.
                const HWND above = GetWindow(Target, GW_HWNDPREV);
                if (above == window_)
                    flags |= SWP_NOZORDER;
                else if (above)
                    after = above;
            } else {
                flags |= SWP_NOZORDER;
            }
            SetWindowPos(window_, after, now.rect.left, now.rect.top, w, h, flags);
            moved = placeChanged;
            placed_ = true;
        }
        BarVisible = true;
        Repaint();
    }
    last_ = now;
    syncing_ = false;
    return moved;
}

void TWScrollbar::Conceal()
{
    if (window_ && IsWindowVisible(window_))
        ShowWindow(window_, SW_HIDE);
    BarVisible = false;
    last_ = TBarState{};
    HotPart = spNone;
}

int TWScrollbar::HitTest(POINT point) const
{
    const int at = Orientation == 1 ? point.y : point.x;
    if (at < arrow_)
        return spFirstArrow;
    if (at >= Length - arrow_)
        return spLastArrow;
    if (ThumbBottom <= ThumbTop)
        return at < Length / 2 ? spPageBefore : spPageAfter;
    if (at < ThumbTop)
        return spPageBefore;
    if (at < ThumbBottom)
        return spThumb;
    return spPageAfter;
}

void TWScrollbar::TrackThumb()
{
    const int span = ThumbBottom - ThumbTop;
    POINT cursor{};
    GetCursorPos(&cursor);
    const int moved = Orientation == 1 ? cursor.y - PressCursor.y : cursor.x - PressCursor.x;
    const int lowest = arrow_;
    const int highest = std::max(lowest, Length - arrow_ - span);
    ThumbTop = std::clamp(PressThumbTop + moved, lowest, highest);
    ThumbBottom = ThumbTop + span;
}

void TWScrollbar::Repaint()
{
    if (!window_ || !BarVisible)
        return;
    ui::TClientDC dc(window_);
    if (dc.Get())
        Paint(dc.Get());
    ValidateRect(window_, nullptr);
}

void TWScrollbar::Paint(HDC dc)
{
    RECT client{};
    if (!dc || !window_ || !GetClientRect(window_, &client))
        return;
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0)
        return;
    ui::TMemoryDC memory(dc);
    ui::TBitmapHandle bitmap(memory.Get() ? CreateCompatibleBitmap(dc, w, h) : nullptr);
    if (!bitmap)
        return;
    ui::TSelectObject select(memory.Get(), bitmap.Get());
    SetStretchBltMode(memory.Get(), COLORONCOLOR);
    const TSkinData* data = SkinOwner ? SkinOwner->SkinData : nullptr;
    {
        ui::TBrushHandle face(CreateSolidBrush(ui::ColorToRGB(data ? data->ButtonFaceColor : ui::SystemColor(COLOR_BTNFACE))));
        FillRect(memory.Get(), &client, face.Get());
    }
    SCROLLBARINFO info{};
    if (ReadBarInfo(info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
        try {
            Compose(memory.Get(), w, h, info);
        } catch (...) {
            // The face colour still goes out.
        }
    }
    BitBlt(dc, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
}

void TWScrollbar::Compose(HDC dc, int width, int height, const SCROLLBARINFO& info)
{
    const TSkinData* data = SkinOwner ? SkinOwner->SkinData : nullptr;
    const bool vertical = Orientation == 1;
    const bool enabled = BarEnabled(info, Target);
    Length = vertical ? height : width;
    const int cross = vertical ? width : height;
    const TDataSkinObject* arrows = data ? data->Scrollbar.get() : nullptr;
    int thickness = cross;
    if (Usable(arrows)) {
        // A strip a little thinner than the bar keeps its own thickness; a much thinner or a
        // thicker one fills the bar.
        thickness = arrows->Bitmap.Height();
        if (thickness + 3 < cross || thickness > cross)
            thickness = cross;
    }
    // The system's arrow size, not the info's line-button field: Wine reports the thumb's length
    // there.
    int arrow = ArrowSize;
    if (Length < 2 * arrow)
        arrow = Length / 2;
    arrow_ = arrow;
    const auto along = [vertical, thickness](int from, int to) {
        return vertical ? ui::Rect(0, from, thickness, to) : ui::Rect(from, 0, to, thickness);
    };

    // Track.
    const ui::TRect track = along(arrow, Length - arrow);
    const TDataSkinObject* trackImage = data ? (vertical ? data->VertScroll.get() : data->HorzScroll.get()) : nullptr;
    if (track.right > track.left && track.bottom > track.top) {
        if (Usable(trackImage)) {
            const TDataSkinObject* flags = data->HorzScroll ? data->HorzScroll.get() : trackImage;
            DrawSkinRect(dc, track, const_cast<ui::TBitmap*>(&trackImage->Bitmap), false, flags->Tile != 0,
                         flags->Trans != 0, trackImage->Frame, enabled ? 1 : 3, trackImage->Margins());
        } else {
            ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(data ? data->ScrollbarColor : ui::SystemColor(COLOR_SCROLLBAR))));
            const RECT r = track;
            FillRect(dc, &r, brush.Get());
        }
    }

    // Arrows.
    for (int last = 0; last < 2; ++last) {
        if (arrow <= 0)
            break;
        const ui::TRect r = last ? along(Length - arrow, Length) : along(0, arrow);
        const int part = last ? spLastArrow : spFirstArrow;
        const bool pressed = Tracking && Part == part;
        const bool hot = !Tracking && HotPart == part;
        // One arrow can be off alone (at the end of the range, for some programs).
        const bool on = enabled && !(info.rgstate[last ? 5 : 1] & STATE_SYSTEM_UNAVAILABLE);
        if (Usable(arrows)) {
            DrawStripFrame(dc, r, arrows->Frame, ArrowFrame(vertical, last != 0, on, pressed, hot), &arrows->Bitmap);
        } else {
            RECT box = r;
            UINT kind = vertical ? (last ? DFCS_SCROLLDOWN : DFCS_SCROLLUP) : (last ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT);
            if (pressed)
                kind |= DFCS_PUSHED | DFCS_FLAT;
            if (!on)
                kind |= DFCS_INACTIVE;
            DrawFrameControl(dc, &box, DFC_SCROLL, kind);
        }
    }

    // Thumb: none on a disabled bar or when there is nothing to scroll.
    const bool hasThumb = enabled && info.xyThumbBottom > info.xyThumbTop;
    if (!hasThumb) {
        ThumbTop = ThumbBottom = 0;
        return;
    }
    if (Tracking && Part == spThumb) {
        ThumbBottom = ThumbTop + (info.xyThumbBottom - info.xyThumbTop);
        TrackThumb();
    } else {
        ThumbTop = info.xyThumbTop;
        ThumbBottom = info.xyThumbBottom;
    }
    // Never over the arrows, whatever the system reported.
    const int span = std::min(ThumbBottom - ThumbTop, std::max(0, Length - 2 * arrow));
    ThumbTop = std::clamp(ThumbTop, arrow, std::max(arrow, Length - arrow - span));
    ThumbBottom = ThumbTop + span;
    if (span <= 0)
        return;
    const ui::TRect thumb = along(ThumbTop, ThumbBottom);
    const TDataSkinObject* thumbImage = data ? (vertical ? data->VertScrollThumb.get() : data->HorzScrollThumb.get()) : nullptr;
    const TDataSkinObject* thumbFlags = data && data->HorzScrollThumb ? data->HorzScrollThumb.get() : thumbImage;
    if (thumbImage && !thumbImage->Bitmap.Empty() && thumbFlags && thumbFlags->Frame > 0) {
        int frame = 1;
        if (Tracking && Part == spThumb)
            frame = 2;
        else if (!Tracking && HotPart == spThumb && thumbFlags->Frame >= 3)
            frame = 3;
        DrawSkinRect(dc, thumb, const_cast<ui::TBitmap*>(&thumbImage->Bitmap), false, false, thumbFlags->Trans != 0,
                     thumbFlags->Frame, frame, thumbImage->Margins());
    } else {
        RECT r = thumb;
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    }
}

void TWScrollbar::Press(POINT local)
{
    SCROLLBARINFO info{};
    if (!ReadBarInfo(info) || !BarEnabled(info, Target))
        return;
    Part = HitTest(local);
    GetCursorPos(&PressCursor);
    PressThumbTop = ThumbBottom > ThumbTop ? ThumbTop : info.xyThumbTop;
    Tracking = true;
    Repaint();
    // The press goes to the native bar: its loop captures the mouse, repeats, tracks the thumb and
    // reports with WM_HSCROLL / WM_VSCROLL; it returns when the button is released.
    const std::shared_ptr<bool> alive = alive_;
    ReleaseCapture();
    if (Kind == skControl) {
        SendMessageW(Target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.x, local.y));
    } else {
        POINT screen = local;
        ClientToScreen(window_, &screen);
        SendMessageW(Target, WM_NCLBUTTONDOWN, Kind == skVertical ? HTVSCROLL : HTHSCROLL,
                     MAKELPARAM(screen.x, screen.y));
    }
    if (!*alive)
        return;
    Tracking = false;
    Part = spNone;
    if (GetCapture() == window_)
        ReleaseCapture();
    Sync(true);
}

LRESULT CALLBACK TWScrollbar::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TWScrollbar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // Gone with its parent: nothing may use the handle again.
        self->window_ = nullptr;
        self->BarVisible = false;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    if (!self->window_)
        self->window_ = window;
    return self->Message(msg, wParam, lParam);
}

LRESULT TWScrollbar::Message(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        ui::TPaintDC paint(window_);
        if (paint.Get())
            Paint(paint.Get());
        return 0;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP:
        if (Tracking) {
            Tracking = false;
            Repaint();
        }
        return 0;
    case WM_MOUSEMOVE: {
        if (!mouseTracked_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
            mouseTracked_ = TrackMouseEvent(&track) != FALSE;
        }
        const int part = HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (part != HotPart) {
            HotPart = part;
            Repaint();
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        mouseTracked_ = false;
        if (HotPart != spNone) {
            HotPart = spNone;
            Repaint();
        }
        return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        // The wheel over the bar scrolls what the bar scrolls.
        return IsWindow(Target) ? SendMessageW(Target, msg, wParam, lParam) : 0;
    default:
        return DefWindowProcW(window_, msg, wParam, lParam);
    }
}

} // namespace skin
