#pragma once
// The skinned menu bar of a frame: the window's platform menu bar is taken off and its top-level
// items are drawn inside the frame, below the caption, as buttons. A click (or Alt+letter, Alt
// alone, F10) opens the item's drop-down menu with TrackPopupMenu; while it is open a
// message-filter hook lets the user move to the next bar menu with the mouse or the arrow keys.
#include "skin/window/NCObjects.h"
#include "ui/Graphics.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace ui {
class TMainMenu;
class TMenuItem;
}

namespace skin {

class TSkinData;
class TWinSkinForm;
class TWinSkinMenu;

class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm& form, TWinSkinMenu& bar) : TNCObject(form), Bar(bar) {}
    void Paint() override;

    TWinSkinMenu& Bar;
    ui::TMenuItem* MenuItem = nullptr;
    int Index = 0;
    std::wstring Caption;
    bool Enabled = true;
    HMENU SubMenu = nullptr;  // the drop-down menu; nullptr when the item has none
    UINT Command = 0;
};

class TWinSkinMenu {
public:
    TWinSkinMenu(TWinSkinForm& form, TSkinData* skinData, ui::TMainMenu* menu);
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // Buttons from the form's main menu; from the window's platform menu by position; from a
    // given platform menu, completed from the main menu by command. Each takes the platform menu
    // bar off the window.
    void BuildFromMainMenu();
    void BuildFromWindowMenu();
    void BuildFromMenu(HMENU menu);

    // Paints the bar into `dc` at `rect` (window coordinates) and places the buttons.
    void PaintBar(HDC dc, const RECT& rect);
    // The first button holding a window point whose caption is not empty.
    TMenuBtn* FindBarButton(POINT windowPoint) const;
    // Opens the button's drop-down menu; returns when the menu (and any menu the user moved on
    // to) has closed.
    void OpenMenu(TMenuBtn& button);
    // Opens another bar menu by a click posted at the button.
    void SwitchToButton(const TMenuBtn& button);
    // The first enabled, visible button with `ch` as its mnemonic.
    TMenuBtn* AccelButton(wchar_t ch) const;
    // The first enabled, visible button with a drop-down menu (Alt alone, F10).
    TMenuBtn* FirstButton() const;
    // What the picture of the bar depends on, for the frame's repaint check.
    unsigned PaintKey() const;

    std::vector<std::unique_ptr<TMenuBtn>> Buttons;
    ui::TMainMenu* Menu = nullptr;
    RECT BarRect{};
    TSkinData* SkinData = nullptr;
    TWinSkinForm& Form;
    ui::TBitmap Background;
    int Count = 0;
    bool Painting = false;
    HMENU MenuHandle = nullptr;

private:
    TMenuBtn& AddButton();
    void FillFromPlatformMenu(HMENU menu, bool byPosition);
    void TakeMenuBarOff();
    // Tracks one drop-down menu; answers the bar index the user moved on to, or -1.
    int TrackOne(TMenuBtn& button);
    unsigned version_ = 0;
};

// Process-wide state while a bar menu is open (one at a time: the platform's menu loop is modal).
struct TMenuTracking {
    TWinSkinForm* Frame = nullptr;
    int BarIndex = -1;
    // The item under selection, from WM_MENUSELECT: the menu holding it, its flags, the submenu it
    // opens, and the framework item when the frame has a main menu.
    HMENU CurrentMenu = nullptr;
    UINT CurrentFlags = 0;
    HMENU CurrentSubMenu = nullptr;
    ui::TMenuItem* CurrentItem = nullptr;
    bool HasCurrent = false;
    bool Switching = false;
    bool FirstMessage = false;
    // The bar index to open once the current menu has closed (-1: none).
    int SwitchTo = -1;
    POINT LastCursor{};
    HHOOK Hook = nullptr;
    HMENU TrackedMenu = nullptr;
};
TMenuTracking& MenuTracking();
void InstallMenuHook();
void RemoveMenuHook();
// WM_MENUSELECT reaching the tracking frame's window.
void TrackMenuSelect(TWinSkinForm& frame, WPARAM wParam, LPARAM lParam);

} // namespace skin
