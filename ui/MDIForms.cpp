// MDI frames and children: the frame's client window, children made through it, their
// activation, window arrangement and the merging of the active child's menu into the frame's.
#include "Forms.h"
#include "Menus.h"

#include <algorithm>

namespace ui {

namespace {
// Commands of the client's window list start here (above the menus' own identifiers, below the
// system commands).
constexpr UINT kFirstMDIChildId = 0xFF00;

TCustomForm* FormOf(HWND window) { return dynamic_cast<TCustomForm*>(FindControl(window)); }

bool IsMDIChildWindow(HWND window)
{
    return window && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

// The frame's client area less what its aligned controls (tool bars, status bars) take.
TRect MDIClientArea(const TCustomForm& frame)
{
    TRect r = frame.ClientRect();
    frame.AdjustClientRect(r);
    for (int i = 0; i < frame.ControlCount(); ++i) {
        const TControl* c = frame.Controls(i);
        if (!c->Visible())
            continue;
        switch (c->Align()) {
        case TAlign::alTop: r.top = std::max<LONG>(r.top, c->Top() + c->Height()); break;
        case TAlign::alBottom: r.bottom = std::min<LONG>(r.bottom, c->Top()); break;
        case TAlign::alLeft: r.left = std::max<LONG>(r.left, c->Left() + c->Width()); break;
        case TAlign::alRight: r.right = std::min<LONG>(r.right, c->Left()); break;
        default: break;
        }
    }
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

bool ShowsChildButtons(HMENU bar)
{
    const UINT last = GetMenuItemID(bar, GetMenuItemCount(bar) - 1);
    return last == SC_RESTORE || last == SC_CLOSE || last == SC_MINIMIZE;
}

// The client puts a maximised child's icon and buttons on a bar only when it is handed a new one,
// and a bar refilled in place (menus merged) lost them: it is handed a placeholder first.
void RestoreChildButtons(HWND client, HMENU bar)
{
    HMENU placeholder = CreateMenu();
    SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(placeholder), 0);
    SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), 0);
    // What may be left in it (the child's system menu) is the child's: taken out, not destroyed.
    while (GetMenuItemCount(placeholder) > 0 && RemoveMenu(placeholder, 0, MF_BYPOSITION)) {
    }
    DestroyMenu(placeholder);
}
} // namespace

const TEnumInfo& FormStyleEnum()
{
    static const TEnumInfo info{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
    return info;
}

// Ctrl+F4 closes the active child, Ctrl+F6 moves to the next one: keys typed anywhere in a frame.
bool TranslateMDIKeys(MSG& msg)
{
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || !msg.hwnd)
        return false;
    TCustomForm* frame = FormOf(GetAncestor(msg.hwnd, GA_ROOT));
    return frame && frame->ClientHandle() && TranslateMDISysAccel(frame->ClientHandle(), &msg);
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (formStyle_ == value)
        return;
    const auto isMDI = [](TFormStyle style) { return style == TFormStyle::fsMDIChild || style == TFormStyle::fsMDIForm; };
    const bool kindChanges = isMDI(formStyle_) || isMDI(value);
    formStyle_ = value;
    if (!handle_)
        return;
    if (kindChanges) {
        // A child of a client, or a frame holding one: another kind of window.
        RecreateWnd();
        return;
    }
    SetWindowPos(handle_, value == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowMenu(TMenuItem* value)
{
    if (SetReference(windowMenu_, value))
        RefreshMDIMenu();
}

void TCustomForm::ApplyFormStyle(TCreateParams& params) const
{
    if (formStyle_ == TFormStyle::fsStayOnTop)
        params.ExStyle |= WS_EX_TOPMOST;
    if (formStyle_ != TFormStyle::fsMDIChild)
        return;
    params.Style &= ~static_cast<DWORD>(WS_POPUP | DS_MODALFRAME);
    params.Style |= WS_CHILD;
    if (visible_)
        params.Style |= WS_VISIBLE;
    if (windowState_ == TWindowState::wsMaximized)
        params.Style |= WS_MAXIMIZE;
    else if (windowState_ == TWindowState::wsMinimized)
        params.Style |= WS_MINIMIZE;
    params.ExStyle |= WS_EX_MDICHILD;
    const TCustomForm* frame = MDIParent();
    params.WndParent = frame ? frame->clientHandle_ : nullptr;
    // The client places (and sizes) the child the way it cascades new ones.
    if (position_ == TPosition::poDefault || position_ == TPosition::poDefaultPosOnly)
        params.X = params.Y = CW_USEDEFAULT;
    if (position_ == TPosition::poDefault || position_ == TPosition::poDefaultSizeOnly)
        params.Width = params.Height = CW_USEDEFAULT;
}

TCustomForm* TCustomForm::MDIParent() const
{
    if (IsMDIChildWindow(handle_))
        return FormOf(GetParent(GetParent(handle_)));
    TCustomForm* main = Application.MainForm();
    return main && main != this && main->formStyle_ == TFormStyle::fsMDIForm ? main : nullptr;
}

void TCustomForm::CreateWnd()
{
    if (formStyle_ == TFormStyle::fsMDIChild) {
        TCustomForm* frame = MDIParent();
        if (frame)
            frame->HandleNeeded();
        if (!frame || !frame->clientHandle_)
            throw EInvalidOperation("No MDI parent form");
    }
    TWinControl::CreateWnd();
    if (formStyle_ == TFormStyle::fsMDIForm)
        CreateMDIClient();
}

HWND TCustomForm::CreateWindowHandle(const TCreateParams& params)
{
    if (formStyle_ != TFormStyle::fsMDIChild)
        return TWinControl::CreateWindowHandle(params);
    // Through the client, so that whoever watches it (a skinned client) sees the child come.
    MDICREATESTRUCTW create{};
    create.szClass = params.WinClassName.c_str();
    create.szTitle = params.Caption.c_str();
    create.hOwner = GetModuleHandleW(nullptr);
    create.x = params.X;
    create.y = params.Y;
    create.cx = params.Width;
    create.cy = params.Height;
    create.style = params.Style;
    return reinterpret_cast<HWND>(SendMessageW(params.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void TCustomForm::CreateMDIClient()
{
    if (clientHandle_ || !handle_)
        return;
    CLIENTCREATESTRUCT create{windowMenu_ ? windowMenu_->Handle() : nullptr, kFirstMDIChildId};
    const TRect r = MDIClientArea(*this);
    clientHandle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE |
                                        MDIS_ALLCHILDSTYLES,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, handle_, nullptr,
                                    GetModuleHandleW(nullptr), &create);
    if (!clientHandle_)
        throw Exception("Cannot create the MDI client window of " + (Name().empty() ? ClassName() : Name()));
}

void TCustomForm::AlignControls()
{
    TWinControl::AlignControls();
    SizeMDIClient();
}

void TCustomForm::SizeMDIClient()
{
    if (!clientHandle_ || IsIconic(handle_))
        return;
    const TRect r = MDIClientArea(*this);
    SetWindowPos(clientHandle_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::DefaultHandler(TMessage& message)
{
    if (!handle_ || (message.Msg >= CM_BASE && message.Msg < CN_BASE + 0x400)) {
        TWinControl::DefaultHandler(message);
        return;
    }
    // The frame sizes its client itself, around the aligned controls (AlignControls).
    if (clientHandle_ && message.Msg != WM_SIZE) {
        message.Result = DefFrameProcW(handle_, clientHandle_, message.Msg, message.WParam, message.LParam);
        return;
    }
    if (formStyle_ == TFormStyle::fsMDIChild && IsMDIChildWindow(handle_)) {
        message.Result = DefMDIChildProcW(handle_, message.Msg, message.WParam, message.LParam);
        return;
    }
    TWinControl::DefaultHandler(message);
}

bool TCustomForm::MDIWndProc(TMessage& message)
{
    if (clientHandle_) {
        switch (message.Msg) {
        case WM_ACTIVATE:
            // The focus goes to the active child (through the client), not to a control of the frame.
            if (LOWORD(message.WParam) != WA_INACTIVE && !HIWORD(message.WParam) && ActiveMDIChild()) {
                focusSet_ = true;
                activeControl_ = nullptr;
            }
            return false;
        case CM_MENUCHANGED:
            // Items refilled in place: the window list and a maximised child's buttons go back.
            RefreshMDIMenu();
            return false;
        case WM_NCDESTROY:
            // The client went with the frame's window, its children with it.
            clientHandle_ = nullptr;
            return false;
        default:
            return false;
        }
    }
    if (formStyle_ != TFormStyle::fsMDIChild || !IsMDIChildWindow(handle_))
        return false;
    switch (message.Msg) {
    case WM_MDIACTIVATE: {
        const HWND activated = reinterpret_cast<HWND>(message.LParam);
        const bool becomesActive = activated == handle_;
        active_ = becomesActive;
        if (becomesActive) {
            // First shown, the child's window has the focus: its first control takes it.
            TWinControl* target = activeControl_ ? activeControl_ : FindNextControl(nullptr, true, true, false);
            if (GetFocus() == handle_ && target && target->HandleAllocated() && target->CanFocus())
                ::SetFocus(target->WindowHandle());
        }
        if (const TNotifyEvent& event = becomesActive ? OnActivate : OnDeactivate)
            event(this);
        // A child deactivating in favour of another leaves the frame to hear of that one.
        if (TCustomForm* frame = MDIParent(); frame && (becomesActive || !activated))
            frame->MDIChildActivated(becomesActive ? this : nullptr);
        message.Result = 0;
        return true;
    }
    case WM_SHOWWINDOW:
        // A child hidden while active hands the activation on.
        if (!message.WParam && GetParent(handle_) &&
            reinterpret_cast<HWND>(SendMessageW(GetParent(handle_), WM_MDIGETACTIVE, 0, 0)) == handle_)
            SendMessageW(GetParent(handle_), WM_MDINEXT, reinterpret_cast<WPARAM>(handle_), 0);
        return false;
    default:
        return false;
    }
}

void TCustomForm::ShowMDIChild()
{
    const bool wasVisible = handle_ && IsWindowVisible(handle_);
    visible_ = true;
    if (!wasVisible && OnShow)
        OnShow(this);
    if (!handle_) {
        // Made visible (and maximised when it should be); the client activates it.
        try {
            HandleNeeded();
        } catch (...) {
            visible_ = false;
            throw;
        }
    } else if (!wasVisible) {
        const int command = windowState_ == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                            : windowState_ == TWindowState::wsMinimized ? SW_SHOWMINIMIZED
                                                                        : SW_SHOWNORMAL;
        ShowWindow(handle_, command);
    }
    SendMessageW(GetParent(handle_), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(handle_), 0);
    if (GetFocus() == handle_) {
        TWinControl* target = activeControl_ ? activeControl_ : FindNextControl(nullptr, true, true, false);
        if (target && target->CanFocus())
            ::SetFocus(target->Handle());
    }
}

bool TCustomForm::DestroyMDIChild()
{
    if (!IsMDIChildWindow(handle_))
        return false;
    TCustomForm* frame = MDIParent();
    const HWND window = handle_;
    SendMessageW(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    if (IsWindow(window))
        DestroyWindow(window);
    if (frame)
        frame->MDIChildActivated(frame->ActiveMDIChild());
    return true;
}

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    if (!clientHandle_)
        return nullptr;
    return FormOf(reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0)));
}

// Children in the order they were made (Screen's order).
int TCustomForm::MDIChildCount() const
{
    int count = 0;
    for (int i = 0; i < Screen.FormCount(); ++i) {
        const TCustomForm* form = Screen.Forms(i);
        if (clientHandle_ && form->formStyle_ == TFormStyle::fsMDIChild && form->handle_ && GetParent(form->handle_) == clientHandle_)
            ++count;
    }
    return count;
}

TCustomForm* TCustomForm::MDIChildren(int index) const
{
    for (int i = 0; i < Screen.FormCount(); ++i) {
        TCustomForm* form = Screen.Forms(i);
        if (clientHandle_ && form->formStyle_ == TFormStyle::fsMDIChild && form->handle_ && GetParent(form->handle_) == clientHandle_)
            if (index-- == 0)
                return form;
    }
    throw EInvalidOperation("MDI child index out of range");
}

void TCustomForm::Cascade()
{
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile()
{
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDITILE, tileMode_ == TTileMode::tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::ArrangeIcons()
{
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next()
{
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous()
{
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDINEXT, 0, 1);
}

void TCustomForm::MDIChildActivated(TCustomForm* child)
{
    if (!menu_)
        return;
    TMainMenu* wanted = child && !child->IsDestroying() ? child->menu_ : nullptr;
    if (menu_->Merged() == wanted)
        return;
    menu_->Merge(wanted);
    // A menu shown on this window tells it of the change itself (CM_MENUCHANGED).
    if (menu_->WindowHandle() != handle_)
        RefreshMDIMenu();
}

void TCustomForm::RefreshMDIMenu()
{
    if (!clientHandle_ || !handle_)
        return;
    // The client shows the frame's menu (with a maximised child's buttons) and lists the children
    // under the window menu; a skinned frame rebuilds its own bar on WM_MDISETMENU.
    HMENU bar = menu_ ? menu_->Handle() : nullptr;
    HMENU windowPopup = windowMenu_ ? windowMenu_->Handle() : nullptr;
    BOOL maximized = FALSE;
    SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    if (bar && maximized && GetMenu(handle_) == bar && !ShowsChildButtons(bar))
        RestoreChildButtons(clientHandle_, bar);
    SendMessageW(clientHandle_, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), reinterpret_cast<LPARAM>(windowPopup));
    SendMessageW(clientHandle_, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(handle_);
}

} // namespace ui
