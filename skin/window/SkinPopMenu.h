#pragma once
// The skinned popup-menu window: one object per "#32768" window shown while skinning is on. It
// subclasses the window, composes the menu's background from the skin's MenuBackground image
// (border ring and the space around the items) and keeps it for the items, which copy their
// background from it.
#include "ui/Graphics.h"
#include "ui/SubClass.h"

#include <windows.h>

#include <memory>

namespace skin {

class TSkinData;

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu() = default;
    // Detaches; a popup that was pending stops being so.
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    void Attach(HWND handle, TSkinData* skinData);
    void Detach();
    bool Attached() const;

    HWND Handle = nullptr;
    TSkinData* SkinData = nullptr;
    // The composed background (window size); empty until the first paint.
    ui::TBitmap Background;
    // The menu shown in the window; nullptr until known.
    HMENU Menu = nullptr;

private:
    LRESULT WindowProcedure(UINT message, WPARAM wParam, LPARAM lParam);
    bool ComposeBackground();
    ui::TSubclass subclass_;
};

// The popup that has painted but does not yet know its menu handle (nullptr when none).
TWinSkinPopMenu* PendingPopup();
void SetPendingPopup(TWinSkinPopMenu* popup);

} // namespace skin
