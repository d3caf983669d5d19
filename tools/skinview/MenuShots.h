#pragma once
// Pictures of open menus and of the MDI window. A menu runs a modal loop in this thread while it is
// open: a thread timer, which that loop dispatches, watches the menu windows, takes the pictures
// and types the keys that move through the menus and close them.
#include "Screenshots.h"

#include <windows.h>

namespace ui {
class TPopupMenu;
}

namespace skinview {

class TMdiWindow;

// menu-open (the File menu with its Recent sub-menu), context-menu and system-menu, each showing
// `main` and the menus open over it; `main` is the active window with a skinned menu bar.
void ShootMenus(TShotWriter& shots, HWND main, ui::TPopupMenu* contextMenu);

// mdi (three children, cascaded) and mdi-maximised (the active child maximised); the window is
// hidden again afterwards.
void ShootMdi(TShotWriter& shots, TMdiWindow& mdi);

} // namespace skinview
