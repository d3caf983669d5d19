// The skinned menu bar: its buttons, its painting inside the frame, and opening the drop-down
// menus (one after the other when the user moves along the bar).
#include "skin/window/WinSkinMenu.h"

#include "skin/controls/WinSubClass.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinMenuItems.h"
#include "skin/window/WinSkinForm.h"
#include "ui/Forms.h"
#include "ui/GdiObjects.h"
#include "ui/Menus.h"

#include <algorithm>

namespace skin {

namespace {

// The caption's width as the bar draws it (the mnemonic marker takes no room).
int MenuCaptionWidth(ui::TCanvas& canvas, const std::wstring& caption)
{
    if (caption.empty())
        return 0;
    canvas.Prepare();
    ui::TRect r = ui::Rect(0, 0, 0, 0);
    DrawTextUnicode(canvas.Handle(), caption, r, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    return r.right - r.left;
}

} // namespace

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& form, TSkinData* skinData, ui::TMainMenu* menu)
    : Menu(menu), SkinData(skinData), Form(form)
{
}

TMenuBtn& TWinSkinMenu::AddButton()
{
    auto button = std::make_unique<TMenuBtn>(Form, *this);
    button->Index = static_cast<int>(Buttons.size());
    button->Visible = true;
    button->State = ncsNormal;
    Buttons.push_back(std::move(button));
    return *Buttons.back();
}

void TWinSkinMenu::TakeMenuBarOff()
{
    ++version_;
    Count = static_cast<int>(Buttons.size());
    if (GetMenu(Form.WindowHandle))
        SetMenu(Form.WindowHandle, nullptr);
}

void TWinSkinMenu::BuildFromMainMenu()
{
    if (HMENU current = GetMenu(Form.WindowHandle))
        MenuHandle = current;
    if (!Menu)
        return;
    if (Menu->HasHandle())
        MenuHandle = Menu->Handle();
    if (!MenuHandle)
        return;
    Form.HotObject = nullptr;
    Buttons.clear();
    for (ui::TMenuItem* item : Menu->BarItems()) {
        TMenuBtn& button = AddButton();
        button.Visible = item->Visible();
        button.Enabled = item->Enabled();
        button.Command = item->Command();
        button.Caption = skin::GetWideStrProp(item, "Caption");
        button.MenuItem = item;
        button.SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
    }
    TakeMenuBarOff();
}

void TWinSkinMenu::BuildFromWindowMenu()
{
    if (HMENU current = GetMenu(Form.WindowHandle))
        MenuHandle = current;
    FillFromPlatformMenu(MenuHandle, true);
}

void TWinSkinMenu::BuildFromMenu(HMENU menu)
{
    if (menu)
        MenuHandle = menu;
    FillFromPlatformMenu(MenuHandle, false);
}

void TWinSkinMenu::FillFromPlatformMenu(HMENU menu, bool byPosition)
{
    if (!menu || !IsMenu(menu))
        return;
    Form.HotObject = nullptr;
    Buttons.clear();
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[80] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text) - 1);
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info))
            continue;
        // The bitmap items a maximised MDI child adds to its frame's bar are drawn by the skin's
        // own caption buttons.
        if (info.hbmpItem && !text[0])
            continue;
        TMenuBtn& button = AddButton();
        button.SubMenu = info.hSubMenu;
        button.Enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        button.Command = info.wID;
        button.Caption = text;
        if (!button.Caption.empty() || !Menu)
            continue;
        // Owner-drawn items carry no text: the framework's item completes the button.
        ui::TMenuItem* item = nullptr;
        if (byPosition) {
            const std::vector<ui::TMenuItem*> items = Menu->BarItems();
            if (position < static_cast<int>(items.size()))
                item = items[static_cast<std::size_t>(position)];
        } else {
            for (ui::TMenuItem* candidate : Menu->BarItems())
                if (candidate->Command() == info.wID)
                    item = candidate;
        }
        if (!item)
            continue;
        button.MenuItem = item;
        button.Caption = item->Caption();
        button.Enabled = item->Enabled();
        button.Command = byPosition ? GetMenuItemID(menu, position) : item->Command();
        button.SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
    }
    TakeMenuBarOff();
}

void TWinSkinMenu::PaintBar(HDC dc, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0 || !SkinData)
        return;
    ui::TBitmap picture;
    picture.SetSize(width, height);
    ui::TCanvas& canvas = picture.Canvas();
    const bool rtl = Form.RightToLeft || (Menu && Menu->IsRightToLeft());

    int start = 6;
    TDataSkinObject* bar = SkinData->MenuBar.get();
    if (bar && !bar->Bitmap.Empty()) {
        const ui::TRect whole = ui::Rect(0, 0, width, height);
        const int frame = Form.Active ? 1 : 2;
        if (bar->Tile == 1)
            DrawSkinRect(canvas.Handle(), whole, &bar->Bitmap, true, true, false, 2, frame, bar->Margins());
        else
            DrawSkinBar(canvas, whole, &bar->Bitmap, true, false, 2, frame, bar->Margins());
        start = (rtl ? bar->RightWidth + 8 : bar->LeftWidth + 4);
        if (width < start)
            start = 12;
    } else {
        canvas.Brush().SetColor(SkinData->MenubarColor);
        canvas.FillRect(ui::Rect(0, 0, width, height));
    }
    BarRect = rect;
    Background.Assign(picture);

    canvas.Font().Assign(ui::Screen.MenuFont());
    canvas.Font().SetColor(SkinData->MenuBarTextColor);
    canvas.Brush().SetStyle(ui::TBrushStyle::Clear);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    Painting = true;
    int x = rtl ? width - start : start;
    for (auto& button : Buttons) {
        if (!button->Visible) {
            button->Bounds = RECT{};
            continue;
        }
        int w = MenuCaptionWidth(canvas, button->Caption);
        if (w != 0)
            w += 10;
        canvas.Font().SetColor(button->Enabled ? SkinData->MenuBarTextColor : SkinData->ButtonShadowColor);
        const int left = rtl ? x - w : x;
        DrawMenuCaption(canvas, RECT{left, 0, left + w, height - 1}, button->Caption, ui::TAlignment::taCenter,
                        button->Enabled);
        button->Bounds = RECT{left + rect.left, rect.top, left + rect.left + w, rect.bottom - 1};
        x = rtl ? x - w : x + w;
    }
    Painting = false;

    if (Form.ActiveChildMaximized()) {
        // The maximised child's own buttons sit in the bar.
        for (int i = 0; i < Form.CaptionButtonCount(); ++i) {
            TWinSysButton& button = *Form.CaptionButton(i);
            if (button.Skin->Visibility != 100 || button.Skin->Bitmap.Empty() || !button.Visible)
                continue;
            RECT r = button.Bounds;
            OffsetRect(&r, -Form.BorderLeft, -Form.BorderTop);
            DrawSkinStretch(canvas.Handle(), r, &button.Skin->Bitmap, true, button.Skin->Frame, 1);
        }
        if (TSkinManage* manager = SkinManager(); manager && !manager->MDIMaximized)
            manager->SetMDIMaximized(true);
    }
    BitBlt(dc, rect.left, rect.top, width, height, canvas.Handle(), 0, 0, SRCCOPY);
}

unsigned TWinSkinMenu::PaintKey() const
{
    unsigned key = version_;
    for (const auto& button : Buttons)
        key = key * 31u + static_cast<unsigned>(button->State) * 2u + (button->Enabled ? 1u : 0u);
    return key;
}

void TMenuBtn::Paint()
{
    TSkinData* skin = Bar.SkinData;
    const int width = Bounds.right - Bounds.left;
    const int height = Bar.BarRect.bottom - Bar.BarRect.top;
    if (!skin || width <= 0 || height <= 0 || Bar.Background.Empty() || !Visible)
        return;
    // Composed off-screen: the bar's background under the button, the hot frame, the caption.
    ui::TBitmap picture;
    picture.SetSize(width, height);
    ui::TCanvas& canvas = picture.Canvas();
    BitBlt(canvas.Handle(), 0, 0, width, height, Bar.Background.Canvas().Handle(), Bounds.left - Bar.BarRect.left, 0,
           SRCCOPY);
    if (State == ncsHot || State == ncsPressed) {
        ui::TBrushHandle frame(CreateSolidBrush(ui::ColorToRGB(skin->ButtonHilightColor)));
        RECT r{0, 0, width, Bounds.bottom - Bounds.top};
        FrameRect(canvas.Handle(), &r, frame.Get());
    }
    canvas.Font().Assign(ui::Screen.MenuFont());
    canvas.Font().SetColor(Enabled ? skin->MenuBarTextColor : skin->ButtonShadowColor);
    DrawMenuCaption(canvas, RECT{0, 0, width, Bounds.bottom - Bounds.top}, Caption, ui::TAlignment::taCenter, Enabled);
    ui::TWindowDC dc(Form.WindowHandle);
    if (dc.Get())
        BitBlt(dc.Get(), Bounds.left, Bar.BarRect.top, width, height, canvas.Handle(), 0, 0, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::FindBarButton(POINT windowPoint) const
{
    for (const auto& button : Buttons)
        if (button->Visible && !button->Caption.empty() && PtInRect(&button->Bounds, windowPoint))
            return button.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::AccelButton(wchar_t ch) const
{
    for (const auto& button : Buttons)
        if (button->Enabled && button->Visible && ui::IsAccel(ch, button->Caption))
            return button.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FirstButton() const
{
    for (const auto& button : Buttons)
        if (button->Enabled && button->Visible && !button->Caption.empty())
            return button.get();
    return nullptr;
}

void TWinSkinMenu::SwitchToButton(const TMenuBtn& button)
{
    RECT window{};
    GetWindowRect(Form.WindowHandle, &window);
    const int x = button.Bounds.left + window.left + 1;
    const int y = button.Bounds.top + window.top + 1;
    PostMessageW(Form.WindowHandle, WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(x, y));
}

void TWinSkinMenu::OpenMenu(TMenuBtn& button)
{
    // Moving along the bar closes one menu and opens the next from here, so that the platform
    // never has two menus open at once.
    int index = button.Index;
    const unsigned version = version_;
    while (index >= 0 && index < static_cast<int>(Buttons.size()) && version == version_)
        index = TrackOne(*Buttons[static_cast<std::size_t>(index)]);
    if (Form.MenuRebuildPending) {
        Form.MenuRebuildPending = false;
        Form.RebuildMenuBar();
    }
}

int TWinSkinMenu::TrackOne(TMenuBtn& button)
{
    // The top-level item's own click runs first: it may fill its drop-down menu.
    PostMessageW(Form.WindowHandle, WM_COMMAND, button.Command, 0);
    // From here on a menu change (tidying the separators changes the menu) waits for the menu
    // to close before the bar is made again.
    Form.MenuTracking = true;
    if (button.MenuItem) {
        TidySeparators(*button.MenuItem);
        button.SubMenu = button.MenuItem->Count() > 0 ? button.MenuItem->Handle() : nullptr;
    }
    if (!button.SubMenu) {
        Form.MenuTracking = false;
        return -1;
    }

    TMenuTracking& tracking = MenuTracking();
    tracking.BarIndex = button.Index;
    tracking.Frame = &Form;
    tracking.SwitchTo = -1;
    GetWindowRect(Form.WindowHandle, &Form.WindowRect);
    SetPlatformMenuOwnerDraw(button.SubMenu, true);
    Form.MenuTracking = true;
    if (TSkinManage* manager = SkinManager())
        manager->MenuKind = 1;
    Form.TrackedMenu = button.SubMenu;
    tracking.TrackedMenu = button.SubMenu;
    InstallMenuHook();

    if (Form.HotObject && Form.HotObject != &button)
        Form.HotObject->MouseLeave();
    Form.HotObject = &button;
    button.State = ncsPressed;
    button.Paint();
    if (button.Enabled)
        TrackPopupMenu(button.SubMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                       button.Bounds.left + Form.WindowRect.left, button.Bounds.bottom + Form.WindowRect.top, 0,
                       Form.WindowHandle, nullptr);
    const int next = tracking.SwitchTo;
    RemoveMenuHook();
    Form.MenuTracking = false;
    Form.TrackedMenu = nullptr;
    tracking.Frame = nullptr;
    tracking.TrackedMenu = nullptr;
    if (Form.HotObject == &button)
        button.MouseLeave();
    return next;
}

} // namespace skin
