#pragma once
// Menu items in the skin: measuring and drawing owner-drawn items from the skin's MenuItem strip
// (five frames side by side: 1 normal, 2 separator, 4 selected), its colours and the background of
// the popup window showing them; switching a form's menus to owner-draw and back; tidying the
// separators of a drop-down menu before it opens.
#include "ui/Controls.h"
#include "ui/Graphics.h"

#include <windows.h>

#include <string>

namespace ui {
class TComponent;
class TMenuItem;
}

namespace skin {

class TSkinData;

// The menu bar's caption routine: Text measured and centred both ways in Rect (left or right
// aligned when asked); a disabled caption takes the system button-shadow colour.
void DrawMenuCaption(ui::TCanvas& canvas, const RECT& rect, const std::wstring& text, ui::TAlignment alignment,
                     bool enabled);

// Measuring: the item's own size, widened for the skin's left cap and the glyph column.
void MeasureMainMenuItem(TSkinData& skin, ui::TMenuItem& item, ui::TCanvas& canvas, int& width, int& height);
void MeasurePopupMenuItem(TSkinData& skin, ui::TMenuItem& item, ui::TCanvas& canvas, int& width, int& height);
// WM_MEASUREITEM for an item of a platform menu the framework does not know (a system menu of a
// plain window, a dialog's menu): text from the menu by command.
void MeasurePlatformMenuItem(TSkinData& skin, HMENU menu, MEASUREITEMSTRUCT& measure);

// The skinned item drawing (the plain-colour drawing when the skin has no MenuItem object).
void DrawSkinMenuItem(TSkinData& skin, ui::TMenuItem& item, ui::TCanvas& canvas, const RECT& rect, bool selected);
// WM_DRAWITEM for an item of a platform menu the framework does not know: drawn as a temporary item
// made from the platform menu (caption, enabled, checked).
void DrawPlatformMenuItem(TSkinData& skin, const DRAWITEMSTRUCT& draw);

// Owner-draw switching of a form's menus: popup menus (all items, the popup measuring) and main
// menus (items below the top level, the main-menu measuring). False gives the menus back their
// platform drawing.
void MakePopupMenusOwnerDraw(ui::TComponent* form, TSkinData* skin, bool value);
void MakeMainMenusOwnerDraw(ui::TComponent* form, TSkinData* skin, bool value);
// Switches every item of a platform menu tree to owner-draw or back, keeping each item's text.
void SetPlatformMenuOwnerDraw(HMENU menu, bool value);

// The position of the first enabled item of `menu` whose text has `ch` as its mnemonic, or -1.
int MenuMnemonicPosition(HMENU menu, wchar_t ch);

// No separator at the start or the end of the children, one between groups.
void TidySeparators(ui::TMenuItem& parent);

} // namespace skin
