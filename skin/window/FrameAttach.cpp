// Attaching a frame to a window and taking it off again; the frame geometry from the skin and
// fitting the window around it.
#include "skin/window/WinSkinForm.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "ui/Forms.h"

#include <algorithm>

namespace skin {

namespace {

std::unique_ptr<TSkinnedWindow> MakeFrame(HWND window, ui::TCustomForm* form, TSkinData* skinData)
{
    auto frame = std::make_unique<TWinSkinForm>(window, form);
    if (form)
        frame->AttachToForm(skinData, form);
    else
        frame->AttachToWindow(skinData);
    if (!frame->Subclassed())
        return nullptr;
    return frame;
}

std::string ClassNameOf(HWND window)
{
    char name[101] = {};
    GetClassNameA(window, name, 100);
    return name;
}

// The width of one frame of a border strip: side borders hold their frames side by side, top and
// bottom borders stacked. A strip without frames or image gives 0.
int BorderSize(const TDataSkinBorder* border, bool stacked)
{
    if (!border || border->Frame < 1 || border->Bitmap.Empty())
        return 0;
    return stacked ? border->Bitmap.Height() / border->Frame : border->Bitmap.Width() / border->Frame;
}

} // namespace

void UseWindowSkinning()
{
    TSkinManage::FrameFactory = &MakeFrame;
}

TWinSkinForm* TWinSkinForm::Find(HWND window)
{
    TSkinManage* manager = SkinManager();
    return manager ? dynamic_cast<TWinSkinForm*>(manager->FindSkinForm(window)) : nullptr;
}

TWinSkinForm::TWinSkinForm(HWND window, ui::TCustomForm* form) : Form(form), WindowHandle(window)
{
    DoubleClickTime = GetDoubleClickTime();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        captionFont_.Reset(CreateFontIndirectW(&metrics.lfCaptionFont));
}

TWinSkinForm::~TWinSkinForm()
{
    EnableTimer(false);
    UnskinControls();
    FreeSystemMenu();
    FreeMenuBar(false);
    UnhookMDIClient();
    RestoreWindowProcs();
    ReleaseCaptionButtons();
    if (scaledIcon_)
        DestroyIcon(scaledIcon_);
    // A frame freed by anyone but the manager takes itself off the manager's list.
    if (TSkinManage* manager = SkinManager(); manager && manager->FindSkinForm(WindowHandle) == this)
        manager->RemoveSkinForm(WindowHandle);
}

void TWinSkinForm::AttachToForm(TSkinData* skinData, ui::TCustomForm* form)
{
    Form = form;
    form->SetAutoScroll(false);
    if (skinData->HasSkinControl(xcMainMenu)) {
        OldWindowProc = form->WindowProc;
        form->WindowProc = [this](ui::TMessage& message) { FormWindowProc(message); };
    }
    AttachToWindow(skinData);
    if (!Subclassed()) {
        RestoreWindowProcs();
        return;
    }
    SavedColor = form->Color();
    form->SetColor(skinData->ButtonFaceColor);
    SkinFormMenus(true);
    SkinComponents(form);
}

void TWinSkinForm::AttachToWindow(TSkinData* skinData)
{
    if (Subclassed() || !IsWindow(WindowHandle))
        return;
    if (TSkinManage* manager = SkinManager(); manager && manager->RunState == 0)
        manager->RunState = 1;
    skinData_ = skinData;
    FrameSkinned = skinData->HasSkinControl(xcMainMenu);
    OrigStyle = GetWindowLongPtrW(WindowHandle, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(WindowHandle, GWL_EXSTYLE);
    RightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    DetachOnDestroy = true;
    SystemMenu = GetSystemMenu(WindowHandle, FALSE);

    RenewIcon();
    WindowClass = ClassNameOf(WindowHandle);
    OwnerWindow = GetWindow(WindowHandle, GW_OWNER);
    GetClientRect(WindowHandle, &ClientRect);
    GetWindowRect(WindowHandle, &WindowRect);
    OrigFrame = RECT{0, 0, (WindowRect.right - WindowRect.left) - ClientRect.right,
                     (WindowRect.bottom - WindowRect.top) - ClientRect.bottom};

    StyleFlags = 0;
    if ((OrigStyle & WS_SYSMENU) || SystemMenu)
        StyleFlags |= sfSysMenu;
    if (OrigStyle & WS_MINIMIZEBOX)
        StyleFlags |= sfMinBox;
    if (OrigStyle & WS_MAXIMIZEBOX)
        StyleFlags |= sfMaxBox;
    BuildSystemMenu();
    ReadWindowState();
    Sizable = (OrigStyle & WS_THICKFRAME) != 0;

    if (FindWindowExW(WindowHandle, nullptr, L"MDIClient", nullptr))
        FrameKind = 1;
    else if (exStyle & WS_EX_MDICHILD)
        FrameKind = 2;
    else
        FrameKind = 0;

    if ((OrigStyle & WS_POPUP) && (OrigStyle & WS_CAPTION) != WS_CAPTION)
        BorderKind = bkNoCaption;
    else if (OrigStyle & WS_THICKFRAME)
        BorderKind = bkSizable;
    else if (OrigStyle & DS_MODALFRAME)
        BorderKind = bkDialog;
    else
        BorderKind = bkFixed;
    if (exStyle & WS_EX_DLGMODALFRAME)
        BorderKind = bkDialog;
    if (WindowClass == "#32770" || WindowClass == "TMessageForm") {
        BorderKind = bkDialog;
        DialogClass = true;
    }

    if (FrameKind == 1)
        HookMDIClient();
    if (FrameSkinned) {
        MenuHandle = GetMenu(WindowHandle);
        CreateMenuBar();
        TSkinManage* manager = SkinManager();
        if (!(IsMDIChild() && manager && manager->MDIMaximized) && !Minimized())
            SetCaptionStyles(false);
        LoadGeometry();
    } else {
        Status = fsAttached;
    }
    if (!subclass_.Install(WindowHandle, [this](UINT message, WPARAM wParam, LPARAM lParam) {
            return WindowProcedure(message, wParam, lParam);
        })) {
        SetCaptionStyles(true);
        return;
    }
    if (!Form)
        SkinChildWindows();
    if (IsMDIChild() && WindowState == fwsMaximized)
        if (TSkinManage* manager = SkinManager())
            manager->SetMDIMaximized(true);
    InvalidateRect(WindowHandle, nullptr, TRUE);
}

void TWinSkinForm::RestoreWindowProcs()
{
    if (Form && OldWindowProc) {
        Form->WindowProc = OldWindowProc;
        OldWindowProc = nullptr;
    }
    subclass_.Remove();
}

void TWinSkinForm::RenewIcon()
{
    Icon = reinterpret_cast<HICON>(SendMessageW(WindowHandle, WM_GETICON, ICON_SMALL, 0));
    if (!Icon)
        Icon = reinterpret_cast<HICON>(SendMessageW(WindowHandle, WM_GETICON, ICON_BIG, 0));
    IconSize = GetSystemMetrics(SM_CXSMICON);
    if (scaledIcon_) {
        DestroyIcon(scaledIcon_);
        scaledIcon_ = nullptr;
    }
    if (Icon)
        scaledIcon_ = static_cast<HICON>(CopyImage(Icon, IMAGE_ICON, IconSize, IconSize, LR_COPYFROMRESOURCE));
    FillIconBitmap();
    composedValid_ = false;
}

void TWinSkinForm::FillIconBitmap()
{
    const int height = GetSystemMetrics(SM_CYSMICON);
    iconBitmap_.SetSize(IconSize, height);
    ui::TCanvas& canvas = iconBitmap_.Canvas();
    canvas.Brush().SetColor(SkinKeyColor);
    canvas.FillRect(ui::Rect(0, 0, IconSize, height));
    if (scaledIcon_) {
        DrawIconEx(canvas.Handle(), 0, 0, scaledIcon_, IconSize, height, 0, nullptr, DI_NORMAL);
        return;
    }
    // No icon of its own: the picture a window of the skin gave before.
    const ui::TBitmap* fallback = skinData_ && !skinData_->IconImage.Empty() ? &skinData_->IconImage : nullptr;
    if (!fallback)
        if (TSkinManage* manager = SkinManager())
            for (TSkinData* data : manager->SkinDataList)
                if (data->SkinFormtype() == sfMainform && !data->IconImage.Empty())
                    fallback = &data->IconImage;
    if (fallback)
        iconBitmap_.Assign(*fallback);
}

void TWinSkinForm::LoadGeometry()
{
    if (!skinData_ || skinData_->NoSkin)
        return;
    if (BorderKind == bkNoCaption) {
        BorderLeft = BorderTop = BorderRight = BorderBottom = MenuHeight = 0;
    } else {
        BorderLeft = BorderSize(skinData_->FrameLeft.get(), false);
        BorderRight = BorderSize(skinData_->FrameRight.get(), false);
        BorderTop = BorderSize(skinData_->FrameTop.get(), true);
        BorderBottom = BorderSize(skinData_->FrameBottom.get(), true);
    }
    ReleaseCaptionButtons();
    for (auto& record : skinData_->SysButtons) {
        CaptionButtons.push_back(std::make_unique<TWinSysButton>(*this, record.get()));
        if (record->Action == 3 || record->Action == 11) {
            // The system-menu button shows the window's icon; the first window of a skin gives it.
            if (record->Bitmap.Empty())
                record->Bitmap.Assign(iconBitmap_);
            if (skinData_->IconImage.Empty())
                skinData_->IconImage.Assign(iconBitmap_);
            record->Frame = 1;
        }
    }
    ForgetPictures();
}

void TWinSkinForm::ReleaseCaptionButtons()
{
    HotObject = nullptr;
    CaptionButtons.clear();
    RightButtonsLeft = 0;
    composedValid_ = false;
}

void TWinSkinForm::ReloadSkin()
{
    ReleaseCaptionButtons();
    LoadGeometry();
}

void TWinSkinForm::FitWindow(bool keepClient)
{
    if (WindowState == fwsMaximized) {
        SetWindowPos(WindowHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return;
    }
    if (keepClient)
        GetClientRect(WindowHandle, &ClientRect);
    // The client area the window had (or has) stays; the frame grows around it.
    int width = ClientRect.right + BorderLeft + BorderRight;
    const int height = ClientRect.bottom + BorderTop + BorderBottom + MenuHeight;
    if (DialogClass && !keepClient) {
        const std::wstring text = WindowText();
        HDC dc = GetWindowDC(WindowHandle);
        if (dc) {
            ui::TSelectObject font(dc, captionFont_.Get());
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            CaptionWidth = size.cx;
            ReleaseDC(WindowHandle, dc);
        }
        const TDataSkinTitle* title = skinData_ ? skinData_->Title.get() : nullptr;
        const int needed = (title ? title->LeftWidth + title->RightWidth : 0) + CaptionWidth;
        if (width < needed) {
            // The whole caption fits; the controls move to stay centred.
            const int shift = (needed - width) / 2;
            for (HWND child = GetWindow(WindowHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT r{};
                GetWindowRect(child, &r);
                MapWindowPoints(nullptr, WindowHandle, reinterpret_cast<POINT*>(&r), 2);
                SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
            }
            width = needed;
        }
    }
    SetWindowPos(WindowHandle, nullptr, 0, 0, width, height,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    // The client area moved inside the window: nothing of the old frame may stay in it.
    RedrawWindow(WindowHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TWinSkinForm::ApplySkinChange()
{
    if (Form)
        Form->SetColor(skinData_->ButtonFaceColor);
    const int previous = Status;
    Status = fsChanging;
    composedValid_ = false;
    if (FrameSkinned) {
        FitWindow(true);
        UpdateRegion();
        RedrawWindow(WindowHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if (FrameSkinned && Form)
        SkinFormMenus(true);
    // The controls repaint in the new skin; the focus stays where the user left it.
    ControlsSkinChanged();
    Status = previous == fsCreated ? fsCreated : fsAttached;
}

void TWinSkinForm::Detach()
{
    EnableTimer(false);
    if (!Subclassed())
        return;
    const bool destroying = Status == fsDestroying;
    FreeSystemMenu();
    UnskinControls();
    SkinFormMenus(false);
    RestoreWindowProcs();
    UnhookMDIClient();
    if (Form && !destroying)
        Form->SetColor(SavedColor);
    if (!FrameSkinned) {
        if (Form && !destroying)
            Form->Invalidate();
        return;
    }
    SetCaptionStyles(true);
    FreeMenuBar(!destroying);
    frameImage_.Clear();
    ForgetPictures();
    if (!destroying && (IsMDIChild() || !(OrigStyle & WS_CHILD))) {
        // The window keeps its client area under its own frame again.
        RECT r{};
        GetWindowRect(WindowHandle, &r);
        const int width = (r.right - r.left) - BorderLeft - BorderRight + OrigFrame.right;
        const int height = (r.bottom - r.top) - BorderTop - MenuHeight - BorderBottom + OrigFrame.bottom;
        SetWindowPos(WindowHandle, nullptr, 0, 0, width, height,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
    }
    if (!destroying)
        SetWindowRgn(WindowHandle, nullptr, TRUE);
    MenuHeight = 0;
    RegionSet = false;
    RegionWidth = RegionHeight = 0;
}

void TWinSkinForm::DetachOnNcDestroy()
{
    // The window is going: only the links are undone, nothing is restored on screen.
    EnableTimer(false);
    FreeSystemMenu();
    UnskinControls();
    RestoreWindowProcs();
    FreeMenuBar(false);
    UnhookMDIClient();
    frameImage_.Clear();
}

std::wstring TWinSkinForm::WindowText() const
{
    const int length = GetWindowTextLengthW(WindowHandle);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    const int copied = GetWindowTextW(WindowHandle, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

POINT TWinSkinForm::WindowPoint(POINT screen) const
{
    ScreenToClient(WindowHandle, &screen);
    if (!Minimized()) {
        screen.x += BorderLeft;
        screen.y += BorderTop + MenuHeight;
    }
    return screen;
}

} // namespace skin
