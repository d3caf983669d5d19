// Window states of a skinned frame: the caption styles switched off while the skin draws the
// caption, and the minimise, maximise, restore and close commands of the caption buttons.
#include "skin/window/WinSkinForm.h"

namespace skin {

int TWinSkinForm::WindowStateFromPlacement(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement))
        return fwsNormal;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return fwsMinimized;
    case SW_SHOWMAXIMIZED:
        return fwsMaximized;
    default:
        return fwsNormal;
    }
}

void TWinSkinForm::ReadWindowState()
{
    // A minimised window reports its restore position; IsIconic and IsZoomed are what it is now.
    if (IsIconic(WindowHandle))
        WindowState = fwsMinimized;
    else if (IsZoomed(WindowHandle))
        WindowState = fwsMaximized;
    else
        WindowState = WindowStateFromPlacement(WindowHandle);
}

void TWinSkinForm::SetCaptionStyles(bool value)
{
    TSkinManage* manager = SkinManager();
    if (!value && IsMDIChild() && manager && manager->MDIMaximized)
        return;
    CaptionStyles = value;
    LONG_PTR style = GetWindowLongPtrW(WindowHandle, GWL_STYLE);
    const LONG_PTR before = style;
    if (value) {
        // Exactly what was taken off goes back: a window never gains a style it did not have.
        style |= RemovedStyle;
        RemovedStyle = 0;
        StyleFlags &= ~sfCaptionRemoved;
    } else {
        LONG_PTR remove = 0;
        if (OwnerWindow || IsMDIChild())
            remove = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        else {
            remove = WS_CAPTION;
            StyleFlags |= sfCaptionRemoved;
        }
        RemovedStyle |= style & remove;
        style &= ~remove;
    }
    if (style != before)
        SetWindowLongPtrW(WindowHandle, GWL_STYLE, style);
}

void TWinSkinForm::Maximise()
{
    if (WindowState == fwsMaximized) {
        Restore();
        return;
    }
    if (IsMDIChild())
        if (TSkinManage* manager = SkinManager())
            manager->SetMDIMaximized(true);
    WindowState = fwsMaximized;
    PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    if (HotObject)
        HotObject->State = ncsNormal;
    HotObject = nullptr;
}

void TWinSkinForm::Restore()
{
    WindowState = fwsNormal;
    PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::Minimise()
{
    if (WindowState == fwsMinimized) {
        Restore();
        return;
    }
    WindowState = fwsMinimized;
    PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::Close(bool fromButton)
{
    EnableTimer(false);
    if (fromButton)
        PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        PostMessageW(WindowHandle, WM_CLOSE, 0, 0);
}

} // namespace skin
