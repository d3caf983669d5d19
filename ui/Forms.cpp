#include "Forms.h"

#include "Buttons.h"
#include "CheckBoxes.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "FormReader.h"
#include "Gauges.h"
#include "GroupBoxes.h"
#include "ImgList.h"
#include "Menus.h"
#include "StdCtrls.h"

#include <algorithm>

namespace ui {

// MDIForms.cpp: the frame's keys for its children (Ctrl+F4, Ctrl+F6).
bool TranslateMDIKeys(MSG& msg);

const TEnumInfo& FormBorderStyleEnum()
{
    static const TEnumInfo info{"TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
    return info;
}

const TEnumInfo& BorderIconElements()
{
    static const TEnumInfo info{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
    return info;
}

const TEnumInfo& WindowStateEnum()
{
    static const TEnumInfo info{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}};
    return info;
}

const TEnumInfo& PositionEnum()
{
    static const TEnumInfo info{"TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};
    return info;
}

const TClassInfo& TCustomForm::StaticClassInfo()
{
    auto ignored = [](TCustomForm&) { return 0; };
    auto ignore = [](TCustomForm&, int) {};
    static const TClassInfo info = TClassBuilder<TCustomForm, TWinControl>("TCustomForm")
        .NotCreatable()
        .WStr("Caption", &TControl::GetText, &TControl::SetText)
        .Int("ClientWidth", &TControl::ClientWidth, &TCustomForm::SetClientWidth)
        .Int("ClientHeight", &TControl::ClientHeight, &TCustomForm::SetClientHeight)
        .Enum<TFormBorderStyle>("BorderStyle", FormBorderStyleEnum(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
        .Set("BorderIcons", BorderIconElements(), &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Enum<TPosition>("Position", PositionEnum(), &TCustomForm::Position, &TCustomForm::SetPosition)
        .Enum<TWindowState>("WindowState", WindowStateEnum(), &TCustomForm::WindowState, &TCustomForm::SetWindowState)
        .Enum<TFormStyle>("FormStyle", FormStyleEnum(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle)
        .Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll)
        .Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
        .Object<TWinControl>("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
        .Object<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
        .Object<TMenuItem>("WindowMenu", &TCustomForm::WindowMenu, &TCustomForm::SetWindowMenu)
        .Bool("OldCreateOrder", [](TCustomForm&) { return false; }, [](TCustomForm&, bool) {})
        .Bool("Scaled", [](TCustomForm&) { return true; }, [](TCustomForm&, bool) {})
        .Int("PixelsPerInch", [](TCustomForm&) { return 96; }, ignore)
        .Int("TextHeight", ignored, ignore)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnShow", &TCustomForm::OnShow)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
        .Build();
    return info;
}

const TClassInfo& TForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TForm, TCustomForm>("TForm").Build();
    return info;
}

const TClassInfo& TScreen::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TScreen, TComponent>("TScreen").NotCreatable().Build();
    return info;
}

const TClassInfo& TApplication::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TApplication, TComponent>("TApplication").NotCreatable().Build();
    return info;
}

TCustomForm* GetParentForm(const TControl* control)
{
    const TControl* c = control;
    while (c && c->Parent())
        c = c->Parent();
    return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(c));
}

void RegisterStandardClasses()
{
    RegisterComponentClass<TForm>();
    RegisterComponentClass<TPanel>();
    RegisterComponentClass<TLabel>();
    RegisterComponentClass<TImage>();
    RegisterComponentClass<TEdit>();
    RegisterComponentClass<TComboBox>();
    RegisterComponentClass<TButton>();
    RegisterComponentClass<TBitBtn>();
    RegisterComponentClass<TSpeedButton>();
    RegisterComponentClass<TCheckBox>();
    RegisterComponentClass<TRadioButton>();
    RegisterComponentClass<TGroupBox>();
    RegisterComponentClass<TRadioGroup>();
    RegisterComponentClass<TImageList>();
    RegisterComponentClass<TGauge>();
    RegisterComponentClass<TTimer>();
    RegisterComponentClass<TOpenDialog>();
    RegisterComponentClass<TMainMenu>();
    RegisterComponentClass<TPopupMenu>();
    RegisterComponentClass<TMenuItem>();
}

// ---- TCustomForm ----

namespace {
// A window with a menu bar: it takes room from the client area (an MDI child shows none).
BOOL ShowsMenuBar(const TCustomForm& form)
{
    return form.Menu() && form.FormStyle() != TFormStyle::fsMDIChild ? TRUE : FALSE;
}

// Keys menu shortcuts may take: combinations with Ctrl or Alt and the keys that type nothing.
bool IsMenuKey(std::uint16_t key, TShiftState shift)
{
    return (shift & (ssCtrl | ssAlt)) || (key >= VK_F1 && key <= VK_F24) || key == VK_DELETE || key == VK_INSERT;
}

// Shows a hidden window in `state`; a normal state undoes one the window was hidden in.
int ShowCommand(TWindowState state, HWND window)
{
    switch (state) {
    case TWindowState::wsMinimized: return SW_SHOWMINIMIZED;
    case TWindowState::wsMaximized: return SW_SHOWMAXIMIZED;
    default: return IsIconic(window) || IsZoomed(window) ? SW_SHOWNORMAL : SW_SHOW;
    }
}
} // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    visible_ = false;
    parentColor_ = false;
    parentFont_ = false;
    color_ = clBtnFace;
    width_ = 320;
    height_ = 240;
    Screen.AddForm(this);
}

TCustomForm::~TCustomForm()
{
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (const std::exception& e) {
            Application.HandleException(&e);
        }
    }
    Destroying();
    if (Application.MainForm() == this)
        Application.SetMainForm(nullptr);
    Screen.RemoveForm(this);
    DestroyHandle();
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle = 0;
    params.WndParent = nullptr;
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone: params.Style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: params.Style |= WS_CAPTION; break;
    case TFormBorderStyle::bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case TFormBorderStyle::bsToolWindow: params.Style |= WS_CAPTION; params.ExStyle |= WS_EX_TOOLWINDOW; break;
    case TFormBorderStyle::bsSizeToolWin: params.Style |= WS_CAPTION | WS_THICKFRAME; params.ExStyle |= WS_EX_TOOLWINDOW; break;
    }
    if (borderStyle_ != TFormBorderStyle::bsNone && (borderIcons_ & biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        const bool plain = borderStyle_ == TFormBorderStyle::bsSingle || borderStyle_ == TFormBorderStyle::bsSizeable;
        if (plain && (borderIcons_ & biMinimize))
            params.Style |= WS_MINIMIZEBOX;
        if (plain && (borderIcons_ & biMaximize))
            params.Style |= WS_MAXIMIZEBOX;
        // The system shows the help button only on a caption without minimise and maximise boxes.
        if ((borderIcons_ & biHelp) && !(params.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
            params.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (!enabled_)
        params.Style |= WS_DISABLED;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style, ShowsMenuBar(*this), params.ExStyle);
    if (clientWidthWanted_ >= 0)
        width_ = clientWidthWanted_ + (frame.right - frame.left);
    if (clientHeightWanted_ >= 0)
        height_ = clientHeightWanted_ + (frame.bottom - frame.top);
    params.Width = width_;
    params.Height = height_;
    params.ClassStyle = CS_DBLCLKS;
    // Shared: the class keeps them for the life of the process, and this runs on every size query.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    params.Icon = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    params.SmallIcon = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (!params.Icon)
        params.Icon = LoadIconW(nullptr, IDI_APPLICATION);
    ApplyFormStyle(params);
}

void TCustomForm::CreateHandleDone()
{
    clientWidthWanted_ = -1;
    clientHeightWanted_ = -1;
    AssignIcons();
    TWinControl::CreateHandleDone();
    // The new window shows the menu bar.
    SetMenu(menu_);
    // A form shown when its window was recreated (a new border style) shows again, as it was,
    // leaving the focus to RecreateWnd.
    if (visible_) {
        switch (windowState_) {
        case TWindowState::wsMinimized: ShowWindow(handle_, SW_SHOWMINNOACTIVE); break;
        case TWindowState::wsMaximized: ShowWindow(handle_, SW_SHOWMAXIMIZED); break;
        case TWindowState::wsNormal: ShowWindow(handle_, SW_SHOWNA); break;
        }
    }
}

void TCustomForm::SetMenu(TMainMenu* value)
{
    if (value != menu_) {
        if (menu_) {
            menu_->RemoveFreeNotification(this);
            if (menu_->WindowHandle() == handle_)
                menu_->SetWindowHandle(nullptr);
        }
        menu_ = value;
        if (value)
            value->FreeNotification(this);
    }
    // An MDI child's menu shows merged into its frame's bar, never on the child window.
    if (!handle_ || formStyle_ == TFormStyle::fsMDIChild)
        return;
    if (menu_) {
        menu_->SetWindowHandle(handle_);
        ::SetMenu(handle_, menu_->Handle());
    } else {
        ::SetMenu(handle_, nullptr);
    }
    RefreshMDIMenu();
}

bool TCustomForm::HandleMenuMessage(TMessage& message)
{
    if (!menu_)
        return false;
    return DispatchMenuMessage(message, {menu_});
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == menu_) {
        // The menu has already left the window it was shown on.
        menu_ = nullptr;
        if (handle_ && formStyle_ != TFormStyle::fsMDIChild)
            DrawMenuBar(handle_);
    }
    if (component == windowMenu_)
        windowMenu_ = nullptr;
}

void TCustomForm::DestroyWnd()
{
    if (handle_ && IsWindowVisible(handle_))
        windowState_ = WindowState();
    if (!DestroyMDIChild())
        TWinControl::DestroyWnd();
    ReleaseIcons();
}

void TCustomForm::AssignIcons()
{
    // Loaded for this window alone (not shared), so the window can free them when it goes.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto load = [instance](int cx, int cy) {
        return IconHandle(static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, cx, cy, 0)));
    };
    IconHandle small = load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    IconHandle big = load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    HICON system = LoadIconW(nullptr, IDI_APPLICATION);
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small.get() : system));
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big ? big.get() : system));
    smallIcon_ = std::move(small);
    bigIcon_ = std::move(big);
}

void TCustomForm::ReleaseIcons()
{
    smallIcon_.reset();
    bigIcon_.reset();
}

TWindowState TCustomForm::WindowState() const
{
    // A hidden window's placement says nothing of the state it will be shown in.
    if (!handle_ || !IsWindowVisible(handle_))
        return windowState_;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(handle_, &placement))
        return windowState_;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return TWindowState::wsMinimized;
    case SW_SHOWMAXIMIZED:
        return TWindowState::wsMaximized;
    default:
        return TWindowState::wsNormal;
    }
}

void TCustomForm::SetWindowState(TWindowState value)
{
    windowState_ = value;
    if (!handle_ || !IsWindowVisible(handle_))
        return;
    switch (value) {
    case TWindowState::wsMinimized: ShowWindow(handle_, SW_SHOWMINIMIZED); break;
    case TWindowState::wsMaximized: ShowWindow(handle_, SW_SHOWMAXIMIZED); break;
    case TWindowState::wsNormal:
        // A window minimised from maximised restores to maximised first.
        for (int i = 0; i < 2 && (IsIconic(handle_) || IsZoomed(handle_)); ++i)
            ShowWindow(handle_, SW_RESTORE);
        break;
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    borderStyle_ = value;
    if (clientWidthWanted_ >= 0 || clientHeightWanted_ >= 0) {
        TCreateParams params;
        CreateParams(params);
    }
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    borderIcons_ = value;
    RecreateWnd();
}

void TCustomForm::SetClientWidth(int value)
{
    if (handle_) {
        RECT client;
        GetClientRect(handle_, &client);
        SetBounds(left_, top_, width_ + value - client.right, height_);
    } else {
        clientWidthWanted_ = value;
        TCreateParams params;
        CreateParams(params);
    }
}

void TCustomForm::SetClientHeight(int value)
{
    if (handle_) {
        RECT client;
        GetClientRect(handle_, &client);
        SetBounds(left_, top_, width_, height_ + value - client.bottom);
    } else {
        clientHeightWanted_ = value;
        TCreateParams params;
        CreateParams(params);
    }
}

TRect TCustomForm::ClientRect() const
{
    if (handle_)
        return TWinControl::ClientRect();
    TCreateParams params;
    const_cast<TCustomForm*>(this)->CreateParams(params);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style, ShowsMenuBar(*this), params.ExStyle);
    return Rect(0, 0, std::max(0L, width_ - (frame.right - frame.left)), std::max(0L, height_ - (frame.bottom - frame.top)));
}

void TCustomForm::Loaded()
{
    TWinControl::Loaded();
    AlignControls();
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == this)
        control = nullptr;
    activeControl_ = control;
    if (control && handle_ && IsWindowVisible(handle_) && active_ && control->CanFocus())
        ::SetFocus(control->Handle());
}

void TCustomForm::SelectFirst()
{
    if (TWinControl* first = FindNextControl(nullptr, true, true, false))
        first->SetFocus();
}

void TCustomForm::FocusControl(TWinControl* control)
{
    if (control)
        control->SetFocus();
}

void TCustomForm::FocusChanged(TWinControl* control)
{
    focusSet_ = true;
    if (control)
        activeControl_ = control;
    if (focusedControl_ == control)
        return;
    TWinControl* old = focusedControl_;
    focusedControl_ = control;
    if (old)
        old->DoExit();
    // The exit handler may have moved the focus on.
    if (control && focusedControl_ == control)
        control->DoEnter();
}

void TCustomForm::PlaceOnScreen()
{
    if (placed_)
        return;
    placed_ = true;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    TRect around = area;
    if (position_ == TPosition::poMainFormCenter || position_ == TPosition::poOwnerFormCenter) {
        TCustomForm* main = Application.MainForm();
        if (main && main != this && main->HandleAllocated() && IsWindowVisible(main->WindowHandle()))
            GetWindowRect(main->WindowHandle(), &around);
    } else if (position_ != TPosition::poScreenCenter && position_ != TPosition::poDesktopCenter) {
        return;
    }
    const int x = around.left + (RectWidth(around) - width_) / 2;
    const int y = around.top + (RectHeight(around) - height_) / 2;
    SetBounds(std::max(x, static_cast<int>(area.left)), std::max(y, static_cast<int>(area.top)), width_, height_);
}

void TCustomForm::SetVisible(bool visible)
{
    if (visible && formStyle_ == TFormStyle::fsMDIChild) {
        ShowMDIChild();
        return;
    }
    if (visible) {
        HandleNeeded();
        PlaceOnScreen();
        const bool wasVisible = IsWindowVisible(handle_) != FALSE;
        visible_ = true;
        if (!wasVisible && OnShow)
            OnShow(this);
        ShowWindow(handle_, wasVisible ? SW_SHOW : ShowCommand(windowState_, handle_));
        if (!wasVisible && windowState_ == TWindowState::wsNormal && IsZoomed(handle_))
            ShowWindow(handle_, SW_RESTORE); // it was hidden minimised from maximised
        if (wasVisible || windowState_ != TWindowState::wsMinimized)
            SetForegroundWindow(handle_);
    } else {
        const bool wasVisible = visible_;
        visible_ = false;
        if (handle_ && IsWindowVisible(handle_))
            windowState_ = WindowState(); // shown again as it was
        if (handle_)
            ShowWindow(handle_, SW_HIDE);
        if (wasVisible && OnHide)
            OnHide(this);
    }
}

void TCustomForm::Show() { SetVisible(true); }

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (!CloseQuery())
        return;
    // An MDI child closed is gone (its frame lists only the children still open).
    TCloseAction action = formStyle_ == TFormStyle::fsMDIChild ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == TCloseAction::caNone)
        return;
    if (modal_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        return;
    }
    if (Application.MainForm() == this) {
        Application.Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: if (handle_) ShowWindow(handle_, SW_MINIMIZE); break;
    case TCloseAction::caFree: Release(); break;
    default: break;
    }
}

namespace {
struct DisabledWindows {
    HWND except;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableThreadWindow(HWND window, LPARAM param)
{
    auto* state = reinterpret_cast<DisabledWindows*>(param);
    if (window != state->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
        state->windows.push_back(window);
        EnableWindow(window, FALSE);
    }
    return TRUE;
}
} // namespace

int TCustomForm::ShowModal()
{
    if (modal_ || (handle_ && IsWindowVisible(handle_)))
        throw EInvalidOperation("Cannot make a visible window modal");
    HWND owner = GetActiveWindow();
    HandleNeeded();
    if (owner && owner != handle_)
        SetWindowLongPtrW(handle_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    ReleaseCapture();
    DisabledWindows disabled{handle_, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableThreadWindow, reinterpret_cast<LPARAM>(&disabled));
    modal_ = true;
    modalResult_ = mrNone;
    auto restore = [&] {
        for (auto it = disabled.windows.rbegin(); it != disabled.windows.rend(); ++it)
            if (IsWindow(*it))
                EnableWindow(*it, TRUE);
        disabled.windows.clear();
        if (handle_)
            Hide();
        modal_ = false;
        if (owner && IsWindow(owner))
            SetActiveWindow(owner);
    };
    try {
        Show();
        while (modalResult_ == mrNone) {
            MSG msg;
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) {
                // The application is ending: hand the quit on to the outer loop.
                PostQuitMessage(static_cast<int>(msg.wParam));
                modalResult_ = mrCancel;
                break;
            }
            if (got < 0)
                break;
            if (!Application.ProcessMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (modalResult_ == mrNone && (Application.Terminated() || !handle_ || !IsWindowVisible(handle_)))
                modalResult_ = mrCancel;
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return modalResult_;
}

void TCustomForm::Release()
{
    Hide();
    Application.Post([this] { delete this; });
}

void TCustomForm::PaintWindow(HDC dc)
{
    RECT r;
    GetClientRect(handle_, &r);
    FillRect(dc, &r, ColorBrush());
    PaintControls(dc);
}

bool TCustomForm::DialogKey(std::uint16_t key, TShiftState shift)
{
    auto findButton = [this](bool wantDefault) -> TButton* {
        std::vector<TWinControl*> list;
        GetTabOrderList(list);
        for (TWinControl* c : list)
            if (auto* b = dynamic_cast<TButton*>(c))
                if ((wantDefault ? b->Default() : b->Cancel()) && b->CanFocus())
                    return b;
        return nullptr;
    };
    // The containers of the focused control see the key first (a page control turns its pages
    // on Ctrl+Tab); an embedded form does its own.
    for (TWinControl* c = FindOwningControl(GetFocus()); c && c != this && !dynamic_cast<TCustomForm*>(c); c = c->Parent())
        if (c->Perform(CM_DIALOGKEY, key, static_cast<LPARAM>(shift)) != 0)
            return true;
    // Alt and Ctrl combinations belong to menus and accelerators.
    if (shift & (ssAlt | ssCtrl))
        return false;
    switch (key) {
    case VK_TAB:
        SelectNext(focusedControl_ ? focusedControl_ : activeControl_, (shift & ssShift) == 0, true);
        return true;
    case VK_RETURN: {
        TWinControl* focused = FindOwningControl(GetFocus());
        // Enter presses a focused push button; on a check box it goes to the default button.
        if (auto* button = dynamic_cast<TButton*>(focused); button && GetParentForm(button) == this) {
            button->Click();
            return true;
        }
        if (TButton* button = findButton(true)) {
            button->Click();
            return true;
        }
        return false;
    }
    case VK_ESCAPE:
        if (TButton* button = findButton(false)) {
            button->Click();
            return true;
        }
        return false;
    default:
        return false;
    }
}

namespace {
TControl* FindAccel(const TWinControl* parent, wchar_t ch)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (auto* button = dynamic_cast<TButtonControl*>(c)) {
            if (IsAccel(ch, button->Caption()) && button->CanFocus())
                return button;
        } else if (auto* label = dynamic_cast<TCustomLabel*>(c)) {
            if (label->FocusControl() && label->Visible() && IsAccel(ch, label->Caption()) && label->FocusControl()->CanFocus())
                return label;
        }
        if (auto* window = dynamic_cast<TWinControl*>(c))
            if (window->Visible() && window->Enabled())
                if (TControl* found = FindAccel(window, ch))
                    return found;
    }
    return nullptr;
}
} // namespace

bool TCustomForm::DialogChar(wchar_t ch, bool alt)
{
    TControl* found = FindAccel(this, ch);
    if (!found)
        return false;
    if (auto* label = dynamic_cast<TCustomLabel*>(found)) {
        label->FocusControl()->SetFocus();
        return true;
    }
    // The button acts on its mnemonic itself (a push button clicks, a check box toggles).
    return found->Perform(CM_DIALOGCHAR, ch, alt ? 1 : 0) != 0;
}

bool TCustomForm::PreProcessKey(MSG& msg)
{
    TWinControl* target = FindOwningControl(msg.hwnd);
    if (!target || (target != this && GetParentForm(target) != this))
        return false;
    const TShiftState shift = KeyboardShiftState();
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        std::uint16_t key = static_cast<std::uint16_t>(msg.wParam);
        if (IsMenuKey(key, shift)) {
            // Menus come first: the popup menus of the focused control and its parents, then the
            // bar (an MDI child's items are in its frame's bar, merged).
            for (TControl* c = target; c; c = c->Parent())
                if (c->PopupMenu() && c->PopupMenu()->IsShortCut(key, shift))
                    return true;
            TCustomForm* frame = formStyle_ == TFormStyle::fsMDIChild ? MDIParent() : this;
            if (frame && frame->menu_ && frame->menu_->IsShortCut(key, shift))
                return true;
        }
        if (keyPreview_ && target != this && DoKeyDown(key, shift))
            return true;
        if (target->DoKeyDown(key, shift))
            return true;
        msg.wParam = key;
        // Through WindowProc, so that a replacement of it sees the key (and may take it) first.
        return !target->WantsKey(key) && Perform(CM_DIALOGKEY, key, static_cast<LPARAM>(shift)) != 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        std::uint16_t key = static_cast<std::uint16_t>(msg.wParam);
        if (keyPreview_ && target != this && OnKeyUp) {
            OnKeyUp(this, key, shift);
            if (key == 0)
                return true;
        }
        if (target->OnKeyUp) {
            target->OnKeyUp(target, key, shift);
            if (key == 0)
                return true;
        }
        msg.wParam = key;
        return false;
    }
    case WM_CHAR: {
        wchar_t ch = static_cast<wchar_t>(msg.wParam);
        if (keyPreview_ && target != this && DoKeyPress(ch))
            return true;
        if (target->DoKeyPress(ch))
            return true;
        msg.wParam = ch;
        if (ch > L' ' && target->HandleAllocated()) {
            const LRESULT code = SendMessageW(target->WindowHandle(), WM_GETDLGCODE, 0, 0);
            if (!(code & DLGC_WANTCHARS) && Perform(CM_DIALOGCHAR, ch, 0) != 0)
                return true;
        }
        return false;
    }
    case WM_SYSCHAR:
        return Perform(CM_DIALOGCHAR, msg.wParam, 1) != 0;
    default:
        return false;
    }
}

void TCustomForm::WndProc(TMessage& message)
{
    if (MDIWndProc(message))
        return;
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case WM_ACTIVATE:
        if (LOWORD(message.WParam) != WA_INACTIVE) {
            active_ = true;
            if (!HIWORD(message.WParam)) {
                // Focus goes back to the form's control, or to its first tab stop the first time.
                TWinControl* target = activeControl_;
                if (target && target != this && target->CanFocus()) {
                    ::SetFocus(target->Handle());
                } else if (!focusSet_) {
                    focusSet_ = true;
                    if (TWinControl* first = FindNextControl(nullptr, true, true, false))
                        ::SetFocus(first->Handle());
                    else
                        ::SetFocus(handle_);
                } else {
                    ::SetFocus(handle_);
                }
            }
            if (OnActivate)
                OnActivate(this);
            message.Result = 0;
            return;
        }
        active_ = false;
        if (OnDeactivate)
            OnDeactivate(this);
        break;
    case WM_SETFOCUS:
        if (activeControl_ && activeControl_ != this && activeControl_->CanFocus() && activeControl_->HandleAllocated()) {
            ::SetFocus(activeControl_->WindowHandle());
            message.Result = 0;
            return;
        }
        // The form itself has the focus now: no control of it does.
        activeControl_ = nullptr;
        FocusChanged(nullptr);
        break;
    case CM_DIALOGKEY:
        message.Result = DialogKey(static_cast<std::uint16_t>(message.WParam), static_cast<TShiftState>(message.LParam)) ? 1 : 0;
        return;
    case CM_DIALOGCHAR:
        message.Result = DialogChar(static_cast<wchar_t>(message.WParam), message.LParam != 0) ? 1 : 0;
        return;
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (HandleMenuMessage(message))
            return;
        break;
    case WM_DESTROY:
        // A window destroys its menu with it: the menu is the TMainMenu's to destroy.
        if (menu_ && menu_->HasHandle() && GetMenu(handle_) == menu_->Handle())
            ::SetMenu(handle_, nullptr);
        if (menu_ && menu_->WindowHandle() == handle_)
            menu_->SetWindowHandle(nullptr);
        break;
    case WM_NCDESTROY:
        // Destroyed from outside (DestroyWindow): the icons go with the window all the same.
        TWinControl::WndProc(message);
        ReleaseIcons();
        return;
    case WM_NEXTDLGCTL:
        if (LOWORD(message.LParam)) {
            if (TWinControl* c = FindOwningControl(reinterpret_cast<HWND>(message.WParam)))
                c->SetFocus();
        } else {
            SelectNext(focusedControl_ ? focusedControl_ : activeControl_, message.WParam == 0, true);
        }
        message.Result = 0;
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// ---- TScreen ----

TScreen::TScreen() : TComponent(nullptr) {}

TScreen::~TScreen() = default;

TFont& TScreen::MenuFont()
{
    if (!menuFont_) {
        menuFont_ = std::make_unique<TFont>();
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
            menuFont_->SetFromHandle(font);
            DeleteObject(font);
        }
    }
    return *menuFont_;
}

TCustomForm* TScreen::ActiveForm() const
{
    HWND active = GetActiveWindow();
    for (TCustomForm* form : forms_)
        if (form->WindowHandle() && form->WindowHandle() == active)
            return form;
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const
{
    TCustomForm* form = ActiveForm();
    return form ? form->ActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* form)
{
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
        forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) { forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end()); }

// ---- TApplication ----

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication()
{
    // Forms go before the utility window; each one leaves Screen as it is destroyed.
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    if (handle_)
        DestroyWindow(handle_);
}

void TApplication::Initialize() { RegisterStandardClasses(); }

void TApplication::ReadForm(TComponent* form)
{
    ReadComponentResource(form, ResourceNameOf(form));
    if (auto* f = dynamic_cast<TCustomForm*>(form); f && f->OnCreate)
        f->OnCreate(f);
}

void TApplication::FormCreated(TCustomForm* form)
{
    if (!mainForm_)
        mainForm_ = form;
}

void TApplication::Run()
{
    if (mainForm_ && !mainForm_->Visible())
        mainForm_->Show();
    while (!terminated_) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            terminated_ = true;
            break;
        }
        if (!ProcessMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

bool TApplication::HandleMessage()
{
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (!ProcessMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void TApplication::ProcessMessages()
{
    while (HandleMessage()) {
    }
}

void TApplication::Terminate()
{
    if (terminated_)
        return;
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    if (TranslateMDIKeys(msg))
        return true;
    TWinControl* control = FindOwningControl(msg.hwnd);
    if (!control)
        return false;
    TCustomForm* form = dynamic_cast<TCustomForm*>(control);
    if (!form)
        form = GetParentForm(control);
    if (!form)
        return false;
    try {
        return form->PreProcessKey(msg);
    } catch (const std::exception& e) {
        HandleException(&e);
    } catch (...) {
        HandleException(nullptr);
    }
    return true;
}

HWND TApplication::Handle()
{
    if (!handle_) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = UtilWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TPUtilWindow";
        RegisterClassExW(&wc);
        handle_ = CreateWindowExW(0, L"TPUtilWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    return handle_;
}

void TApplication::Post(std::function<void()> call)
{
    posted_.push_back(std::move(call));
    PostMessageW(Handle(), WM_APP + 1, 0, 0);
}

LRESULT CALLBACK TApplication::UtilWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_APP + 1) {
        std::vector<std::function<void()>> calls;
        calls.swap(Application.posted_);
        for (auto& call : calls) {
            try {
                call();
            } catch (const std::exception& e) {
                Application.HandleException(&e);
            } catch (...) {
                Application.HandleException(nullptr);
            }
        }
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void TApplication::HandleException(const std::exception* error)
{
    if (error && dynamic_cast<const EAbort*>(error))
        return;
    try {
        if (OnException && error)
            OnException(this, *error);
        else if (error)
            ShowException(*error);
        else
            ShowException(Exception("Unknown error"));
    } catch (...) {
        // A failing handler must not take the message loop down.
    }
}

void TApplication::ShowException(const std::exception& error)
{
    std::wstring text = Utf8ToWide(error.what());
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\r' || text.back() == L'\n'))
        text.pop_back();
    if (!text.empty() && text.back() > L'.')
        text += L'.';
    std::wstring title = title_;
    if (title.empty()) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        title = path;
        const auto slash = title.find_last_of(L"\\/");
        if (slash != std::wstring::npos)
            title = title.substr(slash + 1);
        const auto dot = title.find_last_of(L'.');
        if (dot != std::wstring::npos)
            title = title.substr(0, dot);
    }
    MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
}

namespace {
TScreen& ScreenInstance()
{
    static TScreen screen;
    return screen;
}

TApplication& ApplicationInstance()
{
    static TApplication application;
    return application;
}
} // namespace

TScreen& Screen = ScreenInstance();
TApplication& Application = ApplicationInstance();

} // namespace ui
