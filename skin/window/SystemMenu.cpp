// The skinned system menu: a popup menu of the frame with the skin's item drawing and the
// system-menu glyphs, standing in for the window's own system menu.
#include "skin/window/WinSkinForm.h"

#include "skin/data/WinSkinData.h"
#include "skin/window/SkinMenuItems.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

namespace skin {

namespace {

enum TSysItemTag : int { tagRestore = 0, tagMaximize = 1, tagMinimize = 2, tagClose = 3, tagLine = 100 };
constexpr int SystemMenuTag = 33333;

} // namespace

void TWinSkinForm::BuildSystemMenu()
{
    FreeSystemMenu();
    auto menu = std::make_unique<ui::TPopupMenu>(nullptr);
    menu->SetTag(SystemMenuTag);
    // The skin data's system-menu glyphs, in a list of the menu's own.
    auto* glyphs = new ui::TImageList(menu.get());
    glyphs->AssignList(skinData_->MenuGlyphs.Handle());
    menu->SetImages(glyphs);
    TSkinData* skin = skinData_;
    const auto add = [&](const wchar_t* caption, int tag) {
        auto* item = new ui::TMenuItem(menu.get());
        item->SetCaption(caption);
        item->SetTag(tag);
        item->SetImageIndex(tag == tagLine ? -1 : tag);
        item->OnClick = [this, tag](ui::TObject*) {
            switch (tag) {
            case tagRestore: Restore(); break;
            case tagMaximize: Maximise(); break;
            case tagMinimize: Minimise(); break;
            case tagClose: Close(false); break;
            default: break;
            }
        };
        item->OnDrawItem = [skin, item](ui::TObject*, ui::TCanvas& canvas, ui::TRect rect, bool selected) {
            DrawSkinMenuItem(*skin, *item, canvas, rect, selected);
        };
        item->OnMeasureItem = [skin, item](ui::TObject*, ui::TCanvas& canvas, int& width, int& height) {
            MeasurePopupMenuItem(*skin, *item, canvas, width, height);
        };
        menu->Items()->Add(item);
        return item;
    };
    add(L" Restore ", tagRestore);
    if (StyleFlags & sfMaxBox)
        add(L" Maximize ", tagMaximize);
    if (StyleFlags & sfMinBox)
        add(L" Minimize ", tagMinimize);
    add(L"-", tagLine);
    add(L" Close ", tagClose)->SetShortCut(ui::TextToShortCut(L"Shift+F4"));
    menu->SetOwnerDraw(true);
    SysPopupMenu = std::move(menu);
}

void TWinSkinForm::FreeSystemMenu()
{
    SysPopupMenu.reset();
}

void TWinSkinForm::TrackSystemMenu(POINT screenPoint)
{
    if (TSkinManage* manager = SkinManager())
        manager->MenuKind = 2;
    if (SysPopupMenu && skinData_ && skinData_->HasSkinControl(xcSystemMenu) && !IsMDIChild()) {
        ui::TMenuItem* items = SysPopupMenu->Items();
        for (int i = 0; i < items->Count(); ++i) {
            ui::TMenuItem* item = items->Items(i);
            switch (item->Tag()) {
            case tagRestore: item->SetEnabled(WindowState != fwsNormal); break;
            case tagMaximize: item->SetEnabled(WindowState != fwsMaximized); break;
            case tagMinimize: item->SetEnabled(WindowState != fwsMinimized); break;
            default: break;
            }
        }
        SysPopupMenu->Popup(screenPoint.x, screenPoint.y);
        return;
    }
    if (!SystemMenu)
        return;
    const auto enable = [this](UINT command, bool enabled) {
        EnableMenuItem(SystemMenu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, WindowState != fwsNormal);
    enable(SC_MAXIMIZE, WindowState != fwsMaximized && (StyleFlags & sfMaxBox));
    enable(SC_MINIMIZE, WindowState != fwsMinimized && (StyleFlags & sfMinBox));
    enable(SC_MOVE, WindowState == fwsNormal);
    enable(SC_SIZE, WindowState == fwsNormal && Sizable);
    // The window's own system menu; its choice arrives as WM_SYSCOMMAND (or WM_COMMAND, which the
    // frame turns into one).
    TrackedMenu = SystemMenu;
    TrackPopupMenu(SystemMenu, TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, WindowHandle, nullptr);
    TrackedMenu = nullptr;
}

} // namespace skin
