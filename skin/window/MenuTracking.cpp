// Moving along the menu bar while one of its menus is open: a message-filter hook sees the menu
// loop's keys and mouse moves; the frame's window procedure sees which item is selected
// (WM_MENUSELECT is sent to the window, so no hook can see it).
#include "skin/window/WinSkinMenu.h"

#include "skin/window/WinSkinForm.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace skin {

namespace {

TMenuTracking gTracking;

// The next button along the bar that shows (hidden items open nothing), wrapping at the ends.
int NeighbourIndex(const TWinSkinMenu& bar, int index, int step)
{
    const int count = static_cast<int>(bar.Buttons.size());
    for (int i = 1; i <= count; ++i) {
        const int next = ((index + step * i) % count + count) % count;
        const TMenuBtn& button = *bar.Buttons[static_cast<std::size_t>(next)];
        if (button.Visible && !button.Caption.empty())
            return next;
    }
    return -1;
}

bool CurrentIsRightToLeft()
{
    if (gTracking.CurrentItem)
        if (ui::TMenu* menu = gTracking.CurrentItem->GetParentMenu())
            return menu->IsRightToLeft();
    return false;
}

// The bar index a message of the menu loop asks for, or -1.
int TargetOf(MSG& msg, TWinSkinForm& frame, bool& closeOnly)
{
    TWinSkinMenu& bar = *frame.SkinMenu;
    closeOnly = false;
    switch (msg.message) {
    case WM_KEYDOWN:
        if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) {
            gTracking.Switching = false;
        } else if (msg.wParam == VK_LEFT) {
            // From the drop-down itself to the previous bar menu; in a submenu the platform closes it.
            if (!gTracking.HasCurrent || gTracking.CurrentMenu == gTracking.TrackedMenu ||
                gTracking.CurrentSubMenu == gTracking.TrackedMenu)
                return NeighbourIndex(bar, gTracking.BarIndex, -1);
        } else if (msg.wParam == VK_RIGHT) {
            // On an item with a submenu the platform opens it.
            if (!gTracking.HasCurrent || !(gTracking.CurrentFlags & MF_POPUP))
                return NeighbourIndex(bar, gTracking.BarIndex, 1);
        }
        return -1;
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_MENU)
            frame.MenuTracking = false;
        return -1;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        if (msg.pt.x == gTracking.LastCursor.x && msg.pt.y == gTracking.LastCursor.y)
            return -1;
        gTracking.LastCursor = msg.pt;
        const TMenuBtn* button = bar.FindBarButton(frame.WindowPoint(msg.pt));
        return button ? button->Index : -1;
    }
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN: {
        // A click on the open menu's own button closes it; on another button, opens that one.
        const TMenuBtn* button = bar.FindBarButton(frame.WindowPoint(msg.pt));
        if (!button)
            return -1;
        closeOnly = button->Index == gTracking.BarIndex;
        return button->Index;
    }
    default:
        return -1;
    }
}

LRESULT CALLBACK MenuHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_MENU && msg && msg->message == WM_KEYDOWN && gTracking.HasCurrent && CurrentIsRightToLeft()) {
        // A right-to-left menu: the arrows are mirrored before the platform sees them.
        if (msg->wParam == VK_LEFT)
            msg->wParam = VK_RIGHT;
        else if (msg->wParam == VK_RIGHT)
            msg->wParam = VK_LEFT;
    }
    const LRESULT result = CallNextHookEx(gTracking.Hook, code, wParam, lParam);
    TWinSkinForm* frame = gTracking.Frame;
    if (result || code != MSGF_MENU || !msg || !frame || !frame->SkinMenu)
        return result;
    if (!gTracking.FirstMessage) {
        // The first item is selected, as when the platform's own bar opens a menu.
        gTracking.FirstMessage = true;
        PostMessageW(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    bool closeOnly = false;
    const int target = TargetOf(*msg, *frame, closeOnly);
    if (target < 0 || (target == gTracking.BarIndex && !closeOnly))
        return result;
    gTracking.Switching = !closeOnly;
    gTracking.SwitchTo = closeOnly ? -1 : target;
    EndMenu();
    return 1;
}

} // namespace

TMenuTracking& MenuTracking()
{
    return gTracking;
}

void InstallMenuHook()
{
    gTracking.Switching = false;
    gTracking.FirstMessage = false;
    gTracking.HasCurrent = false;
    gTracking.CurrentItem = nullptr;
    GetCursorPos(&gTracking.LastCursor);
    if (!gTracking.Hook)
        gTracking.Hook = SetWindowsHookExW(WH_MSGFILTER, &MenuHookProc, nullptr, GetCurrentThreadId());
}

void RemoveMenuHook()
{
    if (gTracking.Hook) {
        UnhookWindowsHookEx(gTracking.Hook);
        gTracking.Hook = nullptr;
    }
    gTracking.CurrentItem = nullptr;
    gTracking.HasCurrent = false;
    gTracking.BarIndex = -1;
    gTracking.FirstMessage = false;
}

void TrackMenuSelect(TWinSkinForm& frame, WPARAM wParam, LPARAM lParam)
{
    if (gTracking.Frame != &frame)
        return;
    const UINT flags = HIWORD(wParam);
    const UINT id = LOWORD(wParam);
    auto* menu = reinterpret_cast<HMENU>(lParam);
    if (flags == 0xFFFF && !menu) {
        // The menu closed.
        if (!gTracking.Switching)
            frame.MenuTracking = false;
        gTracking.HasCurrent = false;
        gTracking.CurrentItem = nullptr;
        return;
    }
    gTracking.Switching = false;
    gTracking.HasCurrent = true;
    gTracking.CurrentMenu = menu;
    gTracking.CurrentFlags = flags;
    gTracking.CurrentSubMenu = (flags & MF_POPUP) ? GetSubMenu(menu, static_cast<int>(id)) : nullptr;
    gTracking.CurrentItem = nullptr;
    // Only a form has a main menu to look the item up in.
    if (ui::TMainMenu* main = frame.MainMenu()) {
        if (gTracking.CurrentSubMenu)
            gTracking.CurrentItem =
                main->FindItem(reinterpret_cast<UINT_PTR>(gTracking.CurrentSubMenu), ui::TFindItemKind::fkHandle);
        else
            gTracking.CurrentItem = main->FindItem(id, ui::TFindItemKind::fkCommand);
    }
}

} // namespace skin
