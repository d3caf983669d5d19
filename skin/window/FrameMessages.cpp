// The messages of a skinned window. Three stages: what every skinned window answers; what a
// top-level window with a skinned frame answers; and, once the frame is laid out and the window is
// neither minimised nor a maximised MDI child, the non-client messages the skin takes over.
#include "skin/window/WinSkinForm.h"

#include "skin/data/WinSkinData.h"
#include "ui/Forms.h"
#include "skin/window/SkinMenuItems.h"
#include "ui/Menus.h"

#include <windowsx.h>

#include <algorithm>

namespace skin {

namespace {

constexpr UINT SWP_FRAMEONLY = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

POINT PointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// Turns the skin data's non-client painting off while it lives, and back on however it ends.
class TNCPaintPause {
public:
    explicit TNCPaintPause(TSkinData* data) : data_(data), was_(data ? data->NCPaintEnabled : false)
    {
        if (data_)
            data_->NCPaintEnabled = false;
    }
    ~TNCPaintPause()
    {
        if (data_)
            data_->NCPaintEnabled = was_;
    }
    TNCPaintPause(const TNCPaintPause&) = delete;
    TNCPaintPause& operator=(const TNCPaintPause&) = delete;

private:
    TSkinData* data_;
    bool was_;
};

} // namespace

// The frame's message handling, one function per group of messages.
class TFrameMessages {
public:
    explicit TFrameMessages(TWinSkinForm& frame) : f(frame) {}

    LRESULT EveryWindow(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        handled = true;
        switch (message) {
        case WM_ERASEBKGND: {
            const LRESULT result = f.CallPrevious(message, wParam, lParam);
            if (f.Form || !f.skinData_->FaceBrush)
                return result;
            RECT client{};
            GetClientRect(f.WindowHandle, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, f.skinData_->FaceBrush);
            return 1;
        }
        case WM_NCDESTROY: {
            f.Status = fsDestroying;
            if (f.DetachOnDestroy)
                f.DetachOnNcDestroy();
            const LRESULT result = f.CallPrevious(message, wParam, lParam);
            f.Status = fsDestroyed;
            return result;
        }
        case WM_INITMENUPOPUP:
            if (TSkinManage* manager = SkinManager())
                manager->MenuKind = reinterpret_cast<HMENU>(wParam) == f.SystemMenu ? 2 : 1;
            return f.CallPrevious(message, wParam, lParam);
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            return ControlColour(message, wParam, lParam);
        case WM_SKINQUERY:
            return 1;
        case WM_TIMER:
            if (wParam == TWinSkinForm::MouseLeaveTimerId) {
                f.OnMouseLeaveTimer();
                return 0;
            }
            break;
        default:
            break;
        }
        handled = false;
        return 0;
    }

    LRESULT ControlColour(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const LRESULT result = f.CallPrevious(message, wParam, lParam);
        if (f.Form)
            return result;
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        if (message == WM_CTLCOLORSTATIC && f.skinData_->FaceBrush)
            return reinterpret_cast<LRESULT>(f.skinData_->FaceBrush);
        return result;
    }

    LRESULT TopLevel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        handled = true;
        switch (message) {
        case WM_COMMAND:
            // The platform's system menu reports its choice as a command.
            switch (LOWORD(wParam)) {
            case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE:
            case SC_NEXTWINDOW: case SC_PREVWINDOW: case SC_CLOSE: case SC_RESTORE:
                PostMessageW(f.WindowHandle, WM_SYSCOMMAND, LOWORD(wParam), 0);
                return 0;
            default:
                return f.CallPrevious(message, wParam, lParam);
            }
        case WM_GETMINMAXINFO:
            return MinMaxInfo(message, wParam, lParam);
        case WM_SIZE: {
            const LRESULT result = f.CallPrevious(message, wParam, lParam);
            if (wParam == SIZE_RESTORED)
                f.WindowState = fwsNormal;
            else if (wParam == SIZE_MINIMIZED)
                f.WindowState = fwsMinimized;
            else if (wParam == SIZE_MAXIMIZED)
                f.WindowState = fwsMaximized;
            TSkinManage* manager = SkinManager();
            // A child maximised or restored by any means: the frame's bar shows or drops its buttons.
            if (f.IsMDIChild() && manager && (wParam == SIZE_MAXIMIZED || wParam == SIZE_RESTORED))
                manager->SetMDIMaximized(wParam == SIZE_MAXIMIZED);
            const bool mdiOutOfNormal = f.IsMDIChild() && ((manager && manager->MDIMaximized) || f.WindowState != fwsNormal);
            if (!f.Minimized() && !mdiOutOfNormal && (f.Status == fsAttached || f.Status == fsChanging))
                f.UpdateRegion();
            return result;
        }
        case WM_ACTIVATE:
            f.Active = LOWORD(wParam) != WA_INACTIVE;
            return f.CallPrevious(message, wParam, lParam);
        case WM_NCACTIVATE:
            f.Active = wParam != 0;
            handled = false;  // on to the frame's own painting
            return 0;
        case WM_WINDOWPOSCHANGED:
            f.ReadWindowState();
            return f.CallPrevious(message, wParam, lParam);
        case WM_SYSCOMMAND:
            return SysCommand(message, wParam, lParam);
        case WM_SKINAPPLIED:
            return SkinApplied();
        case ui::CM_MENUCHANGED: {
            LRESULT result = 0;
            {
                TNCPaintPause pause(f.skinData_);
                result = f.CallPrevious(message, wParam, lParam);
            }
            // A form's menu changes reach its WindowProc, where the frame rebuilds the bar.
            if (!f.Form && f.skinData_->MenuUpdate())
                f.RebuildMenuBar();
            return result;
        }
        case WM_MENUSELECT:
            TrackMenuSelect(f, wParam, lParam);
            return f.CallPrevious(message, wParam, lParam);
        case WM_MENUCHAR: {
            // Owner-drawn items keep their text: their mnemonics still choose them.
            const LRESULT result = f.CallPrevious(message, wParam, lParam);
            if (HIWORD(result) != MNC_IGNORE)
                return result;
            const int position = MenuMnemonicPosition(reinterpret_cast<HMENU>(lParam), static_cast<wchar_t>(LOWORD(wParam)));
            return position >= 0 ? MAKELRESULT(position, MNC_EXECUTE) : result;
        }
        case WM_SETTEXT:
        case WM_SETICON: {
            // The platform repaints a caption of its own here, without WM_NCPAINT, on windows that
            // keep their caption style; the skin's frame goes back over it at once.
            const LRESULT result = f.CallPrevious(message, wParam, lParam);
            if (message == WM_SETICON)
                f.RenewIcon();
            f.composedValid_ = false;
            f.PaintFrame();
            return result;
        }
        default:
            break;
        }
        handled = false;
        return 0;
    }

    LRESULT MinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const LRESULT result = f.CallPrevious(message, wParam, lParam);
        f.ReadWindowState();
        if (f.Minimized())
            f.SetCaptionStyles(true);
        else if (!f.IsMDIChild() || f.WindowState == fwsNormal)
            f.SetCaptionStyles(false);
        else
            f.SetCaptionStyles(true);
        if (f.BorderKind == bkSizable) {
            // Sizing may reach the maximised size, never less than what maximising itself gives.
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMaxTrackSize.x = std::max<LONG>(info->ptMaxSize.x, GetSystemMetrics(SM_CXMAXIMIZED));
            info->ptMaxTrackSize.y = std::max<LONG>(info->ptMaxSize.y, GetSystemMetrics(SM_CYMAXIMIZED));
        }
        return result;
    }

    LRESULT SysCommand(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const UINT code = static_cast<UINT>(wParam) & 0xFFF0;
        if (code == SC_KEYMENU && !GetCapture()) {
            const auto ch = static_cast<wchar_t>(lParam);
            if (ch == L' ') {
                // Alt+Space: the system menu under the caption's left end, as the platform opens it.
                RECT r{};
                GetWindowRect(f.WindowHandle, &r);
                f.TrackSystemMenu(POINT{r.left + f.BorderLeft, r.top + f.BorderTop});
                return 0;
            }
            // The skinned bar opens its own menus: Alt alone and F10 the first one, Alt+letter the one
            // with that mnemonic. The platform's menu mode is never entered over a skinned caption.
            if (!f.MenuTracking && ch != L'-') {
                if (f.MenuAccelerator(ch))
                    return 0;
                if (ch == 0)
                    return 1;
            }
        }
        switch (code) {
        case SC_MINIMIZE:
            f.WindowState = fwsMinimized;
            if (f.IsMDIChild())
                f.SetCaptionStyles(true);
            break;
        case SC_MAXIMIZE:
            f.WindowState = fwsMaximized;
            break;
        case SC_RESTORE:
            f.WindowState = fwsNormal;
            if (f.IsMDIChild())
                f.SetCaptionStyles(false);
            break;
        default:
            break;
        }
        return f.CallPrevious(message, wParam, lParam);
    }

    LRESULT SkinApplied()
    {
        if (f.Status == fsCreated && !f.Minimized() && f.BorderKind != bkNoCaption) {
            f.Status = fsLayingOut;
            f.FitWindow(false);
            f.Status = fsAttached;
            f.UpdateRegion();
        }
        f.Status = fsAttached;
        f.EnableTimer(f.Active);
        f.PaintFrame();
        return 0;
    }

    LRESULT NonClient(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_NCACTIVATE:
            f.Active = wParam != 0;
            f.EnableTimer(f.Active);
            if (!f.Active && f.HotObject)
                f.HotObject->MouseLeave();
            f.PaintFrame();
            return 1;
        case WM_NCCALCSIZE:
            return NcCalcSize(message, wParam, lParam);
        case WM_NCHITTEST:
            return NcHitTest(message, wParam, lParam);
        case WM_NCPAINT:
            if (f.skinData_->NCPaintEnabled) {
                if (f.BorderKind == bkNoCaption)
                    return f.CallPrevious(message, wParam, lParam);
                f.PaintFrame();
            }
            return 0;
        case WM_NCMOUSEMOVE:
            return NcMouseMove(message, wParam, lParam);
        case WM_NCLBUTTONDOWN:
            return NcButtonDown(message, wParam, lParam);
        case WM_NCLBUTTONUP:
            return NcButtonUp(message, wParam, lParam);
        case WM_NCLBUTTONDBLCLK:
            // On the icon, the second click of a double click closes the window (the system
            // menu's own rule); anywhere else it maximises or restores.
            if (auto* button = dynamic_cast<TWinSysButton*>(f.ObjectAt(f.WindowPoint(PointOf(lParam))));
                button && button->ShowsIcon()) {
                const POINT p = PointOf(lParam);
                button->MouseDown();
                f.ShowSystemMenu(POINT{p.x + 1, p.y + 1});
                return 0;
            }
            if (f.WindowState != fwsNormal)
                f.Restore();
            else if (f.StyleFlags & sfMaxBox)
                f.Maximise();
            return 0;
        case WM_NCRBUTTONDOWN:
            if (wParam == HTCAPTION && !f.IsMDIChild()) {
                POINT cursor{};
                GetCursorPos(&cursor);
                f.ShowSystemMenu(cursor);
                return 0;
            }
            return f.CallPrevious(message, wParam, lParam);
        case WM_SKINREPAINT:
            f.composedValid_ = false;
            f.PaintFrame();
            return 0;
        case WM_MEASUREITEM:
            if (f.SkinMenu && f.MeasureMenuItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
                return TRUE;
            return f.CallPrevious(message, wParam, lParam);
        case WM_DRAWITEM:
            if (f.SkinMenu && f.DrawMenuItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
                return TRUE;
            return f.CallPrevious(message, wParam, lParam);
        default:
            return f.CallPrevious(message, wParam, lParam);
        }
    }

    LRESULT NcCalcSize(UINT message, WPARAM wParam, LPARAM lParam)
    {
        // The previous procedure computes its own frame first; with wParam FALSE that stands.
        f.CallPrevious(message, wParam, lParam);
        if (!wParam)
            return 0;
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        if ((f.IsMDIChild() && f.WindowState != fwsNormal) || f.BorderKind == bkNoCaption) {
            params->rgrc[1] = params->rgrc[0];
            return WVR_VALIDRECTS;
        }
        const RECT proposed = params->rgrc[0];
        const int x = params->lppos ? params->lppos->x : proposed.left;
        const int y = params->lppos ? params->lppos->y : proposed.top;
        const int cx = params->lppos ? params->lppos->cx : proposed.right - proposed.left;
        const int cy = params->lppos ? params->lppos->cy : proposed.bottom - proposed.top;
        RECT client{x + f.BorderLeft, y + f.BorderTop + f.MenuHeight, x + cx - f.BorderRight, y + cy - f.BorderBottom};
        // A window smaller than its borders gets an empty client area, never an inverted one.
        if (client.right < client.left)
            client.right = client.left;
        if (client.bottom < client.top)
            client.bottom = client.top;
        params->rgrc[0] = client;
        params->rgrc[1] = client;
        return WVR_VALIDRECTS;
    }

    LRESULT NcHitTest(UINT message, WPARAM wParam, LPARAM lParam)
    {
        LRESULT hit = f.CallPrevious(message, wParam, lParam);
        if (hit != HTNOWHERE && hit != HTCAPTION)
            return hit;
        const POINT p = f.WindowPoint(PointOf(lParam));
        if (f.MenuHeight > 0 && p.y > f.BorderTop && p.y <= f.BorderTop + f.MenuHeight)
            hit = HTMENU;
        else if (p.y > 3)
            hit = HTCAPTION;
        return hit;
    }

    LRESULT NcMouseMove(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (!f.Active)
            return 0;
        if (TNCObject* object = f.ObjectAt(f.WindowPoint(PointOf(lParam)))) {
            object->MouseMove();
            return 0;
        }
        if (f.HotObject)
            f.HotObject->MouseLeave();
        return f.CallPrevious(message, wParam, lParam);
    }

    LRESULT NcButtonDown(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (TNCObject* object = f.ObjectAt(f.WindowPoint(PointOf(lParam)))) {
            if (!f.Active)
                SetForegroundWindow(f.WindowHandle);
            object->MouseDown();
            if (auto* button = dynamic_cast<TMenuBtn*>(object); button && f.SkinMenu)
                f.SkinMenu->OpenMenu(*button);
            return 0;
        }
        // A maximised window is not dragged by its caption.
        if (f.WindowState == fwsMaximized && f.Active && wParam == HTCAPTION)
            return 0;
        return f.CallPrevious(message, wParam, lParam);
    }

    LRESULT NcButtonUp(UINT message, WPARAM wParam, LPARAM lParam)
    {
        TNCObject* object = f.ObjectAt(f.WindowPoint(PointOf(lParam)));
        if (!object)
            return f.CallPrevious(message, wParam, lParam);
        if (object == f.HotObject && dynamic_cast<TWinSysButton*>(object)) {
            object->MouseUp();
            const POINT p = PointOf(lParam);
            f.PerformAction(p.x, p.y);
        }
        return 0;
    }

private:
    TWinSkinForm& f;
};

LRESULT TWinSkinForm::WindowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    TFrameMessages messages(*this);
    bool handled = false;
    LRESULT result = messages.EveryWindow(message, wParam, lParam, handled);
    if (handled)
        return result;
    if (!FrameSkinned || (!IsMDIChild() && (OrigStyle & WS_CHILD)))
        return CallPrevious(message, wParam, lParam);
    result = messages.TopLevel(message, wParam, lParam, handled);
    if (handled)
        return result;
    if ((IsMDIChild() && WindowState != fwsNormal) || Minimized() || Status == fsCreated)
        return CallPrevious(message, wParam, lParam);
    return messages.NonClient(message, wParam, lParam);
}

void TWinSkinForm::FormWindowProc(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_SETTEXT:
        OldWindowProc(message);
        composedValid_ = false;
        SetWindowPos(WindowHandle, nullptr, 0, 0, 0, 0, SWP_FRAMEONLY);
        return;
    case WM_SKINCHANGED:
        ApplySkinChange();
        return;
    case ui::CM_MENUCHANGED:
        OldWindowProc(message);
        if (skinData_->MenuUpdate())
            RebuildMenuBar();
        return;
    case ui::CM_DIALOGCHAR:
        if (DialogChar(message))
            return;
        OldWindowProc(message);
        return;
    default:
        OldWindowProc(message);
        return;
    }
}

void TWinSkinForm::EnableTimer(bool enabled)
{
    if (enabled == TimerEnabled || !IsWindow(WindowHandle)) {
        if (!enabled)
            TimerEnabled = false;
        return;
    }
    TimerEnabled = enabled;
    if (enabled)
        SetTimer(WindowHandle, MouseLeaveTimerId, MouseLeaveInterval, nullptr);
    else
        KillTimer(WindowHandle, MouseLeaveTimerId);
}

void TWinSkinForm::OnMouseLeaveTimer()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    if (TSkinControl* hot = hotButton_) {
        // The hot button is told once the cursor has left it.
        RECT r{};
        if (hot->Handle) {
            GetWindowRect(hot->Handle, &r);
        } else if (ui::TControl* control = hot->TargetControl()) {
            const POINT origin = control->ClientToScreen(POINT{0, 0});
            r = RECT{origin.x, origin.y, origin.x + control->Width(), origin.y + control->Height()};
        }
        if (!PtInRect(&r, cursor)) {
            hotButton_ = nullptr;
            hot->TellMouseLeft();
        }
    }
    if (!HotObject)
        return;
    const POINT p = WindowPoint(cursor);
    if (!PtInRect(&HotObject->Bounds, p))
        HotObject->MouseLeave();
}

} // namespace skin
