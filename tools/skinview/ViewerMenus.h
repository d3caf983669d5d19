#pragma once
// The main window's menus, built in code: the five menus of its bar, the context menu and the
// image list their glyphs come from. Items show every kind a skin draws: images, shortcuts, a
// disabled item, check marks, radio items, separators and a sub-menu.
#include "ui/ImgList.h"
#include "ui/Menus.h"

#include <functional>
#include <string>

namespace skinview {

// What the items do; the window showing the menus fills it in.
struct TMenuCommands {
    // Tells the user which item was chosen.
    std::function<void(const std::wstring& what)> Report;
    std::function<void()> Exit;
    std::function<void(bool on)> WordWrap;
    std::function<void(bool on)> StatusBar;
    std::function<void()> ShowMdi;
    std::function<void()> CascadeMdi;
    std::function<void()> TileMdi;
    std::function<void()> About;
};

// The glyphs of the image list, in strip order.
enum TMenuImage : int { miNew, miOpen, miCut, miCopy, miPaste, miDocument, miProperties, MenuImageCount };

// A 16 x 16 glyph per TMenuImage, drawn in code.
ui::TImageList* MakeMenuImages(ui::TComponent* owner);

// Each adds one top-level menu to `menu` and answers its item.
ui::TMenuItem* AddFileMenu(ui::TMainMenu& menu, const TMenuCommands& commands);
ui::TMenuItem* AddEditMenu(ui::TMainMenu& menu, const TMenuCommands& commands);
ui::TMenuItem* AddViewMenu(ui::TMainMenu& menu, const TMenuCommands& commands);
ui::TMenuItem* AddWindowMenu(ui::TMainMenu& menu, const TMenuCommands& commands);
ui::TMenuItem* AddHelpMenu(ui::TMainMenu& menu, const TMenuCommands& commands);

// The context menu: Copy, Paste, a separator and Properties.
ui::TPopupMenu* MakeContextMenu(ui::TComponent* owner, ui::TImageList* images, const TMenuCommands& commands);

} // namespace skinview
