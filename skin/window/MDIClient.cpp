// MDI: the frame watches its MDI client window (children made, destroyed, arranged, menus set) so
// that new children are skinned and the bar follows the active child; the children switch
// between the skin's frame and maximised display.
#include "skin/window/WinSkinForm.h"

#include "skin/data/WinSkinData.h"
#include "ui/Forms.h"

namespace skin {

void TWinSkinForm::HookMDIClient()
{
    MDIClientHandle = FindWindowExW(WindowHandle, nullptr, L"MDIClient", nullptr);
    if (!MDIClientHandle)
        return;
    if (TSkinManage* manager = SkinManager()) {
        manager->MDIClient = MDIClientHandle;
        manager->MDIFrameForm = Form;
    }
    SavedMenuUpdate = skinData_->MenuUpdate();
    clientSubclass_.Install(MDIClientHandle, [this](UINT message, WPARAM wParam, LPARAM lParam) {
        return MDIClientProcedure(message, wParam, lParam);
    });
}

void TWinSkinForm::UnhookMDIClient()
{
    clientSubclass_.Remove();
    // The manager forgets a frame that no longer watches its client.
    if (TSkinManage* manager = SkinManager(); manager && MDIClientHandle && manager->MDIClient == MDIClientHandle) {
        manager->MDIClient = nullptr;
        manager->MDIFrameForm = nullptr;
    }
    MDIClientHandle = nullptr;
    NewMDIChild = nullptr;
}

bool TWinSkinForm::ActiveChildMaximized() const
{
    if (FrameKind != 1 || !MDIClientHandle || !IsWindow(MDIClientHandle))
        return false;
    BOOL maximized = FALSE;
    HWND child = reinterpret_cast<HWND>(SendMessageW(MDIClientHandle, WM_MDIGETACTIVE, 0,
                                                     reinterpret_cast<LPARAM>(&maximized)));
    return child && maximized;
}

void TWinSkinForm::MDIChildCommand(UINT code)
{
    if (FrameKind != 1 || !MDIClientHandle)
        return;
    if (HWND child = reinterpret_cast<HWND>(SendMessageW(MDIClientHandle, WM_MDIGETACTIVE, 0, 0)))
        SendMessageW(child, WM_SYSCOMMAND, code, 0);
    if (TSkinManage* manager = SkinManager(); manager && manager->MDIMaximized && !ActiveChildMaximized())
        manager->SetMDIMaximized(false);
    composedValid_ = false;
    PaintFrame();
}

LRESULT TWinSkinForm::MDIClientProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto previous = [&] { return clientSubclass_.CallPrevious(message, wParam, lParam); };
    TSkinManage* manager = SkinManager();
    switch (message) {
    case WM_NCCALCSIZE:
        if (FrameSkinned && !(skinData_->Options() & SkinOption(xoMDIScrollbar))) {
            const LONG_PTR style = GetWindowLongPtrW(MDIClientHandle, GWL_STYLE);
            if (style & (WS_HSCROLL | WS_VSCROLL))
                SetWindowLongPtrW(MDIClientHandle, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
        }
        return previous();
    case WM_MDICREATE: {
        skinData_->SetMenuUpdate(false);
        const LRESULT result = previous();
        NewMDIChild = reinterpret_cast<HWND>(result);
        // The child is skinned once its form knows its window: after this message.
        if (NewMDIChild)
            PostMessageW(MDIClientHandle, WM_MDIREFRESHMENU, 0, 0);
        return result;
    }
    case WM_MDIDESTROY: {
        const LRESULT result = previous();
        if (!FrameSkinned)
            return result;
        if (manager)
            manager->SetMDIMaximized(ActiveChildMaximized());
        if (SkinMenu && !SendMessageW(MDIClientHandle, WM_MDIGETACTIVE, 0, 0)) {
            skinData_->SetMenuUpdate(SavedMenuUpdate);
            if (MenuTracking)
                MenuRebuildPending = true;
            else if (SkinMenu->Menu)
                SkinMenu->BuildFromMainMenu();
        }
        composedValid_ = false;
        PostMessageW(WindowHandle, WM_SKINREPAINT, 0, 0);
        return result;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (FrameSkinned && manager && manager->MDIMaximized)
            manager->SetMDIMaximized(false);
        return previous();
    case WM_MDISETMENU: {
        const LRESULT result = previous();
        if (FrameSkinned && wParam && SkinMenu && MenuTracking) {
            MenuRebuildPending = true;
        } else if (FrameSkinned && wParam && SkinMenu) {
            // Merged menus keep their handle and change their items: the bar is made again.
            SkinMenu->BuildFromMenu(GetMenu(WindowHandle) ? GetMenu(WindowHandle) : reinterpret_cast<HMENU>(wParam));
            composedValid_ = false;
            PostMessageW(WindowHandle, WM_SKINREPAINT, 0, 0);
        }
        if (FrameSkinned && SkinMenu && GetMenu(WindowHandle))
            SetMenu(WindowHandle, nullptr);
        return result;
    }
    case WM_MDIREFRESHMENU: {
        const LRESULT result = previous();
        if (HWND child = NewMDIChild) {
            NewMDIChild = nullptr;
            // The hook leaves MDI children alone; their frame skins them.
            if (manager && IsWindow(child)) {
                const bool all = manager->SkinAll;
                manager->SkinAll = true;
                manager->SkinWindow(child);
                manager->SkinAll = all;
            }
            PostMessageW(WindowHandle, WM_SKINREPAINT, 0, 0);
        }
        return result;
    }
    default:
        return previous();
    }
}

void TWinSkinForm::MDIMaximizedChanged(bool value)
{
    if (FrameKind == 1) {
        composedValid_ = false;
        PostMessageW(WindowHandle, WM_SKINREPAINT, 0, 0);
        return;
    }
    if (!IsMDIChild() || !FrameSkinned)
        return;
    if (value) {
        if (RegionSet) {
            SetWindowRgn(WindowHandle, nullptr, TRUE);
            RegionSet = false;
            RegionWidth = RegionHeight = 0;
            composedValid_ = false;
        }
        SetCaptionStyles(true);
        return;
    }
    if (Minimized()) {
        SetCaptionStyles(true);
        return;
    }
    WindowState = fwsNormal;
    UpdateRegion();
    SetCaptionStyles(false);
    if (!RegionSet)
        SetWindowPos(WindowHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace skin
