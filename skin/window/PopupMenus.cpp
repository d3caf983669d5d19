// The skin manager's popup-menu windows: one TWinSkinPopMenu per "#32768" window made while
// skinning is on, freed with its window.
#include "skin/window/SkinManage.h"

#include "skin/data/WinSkinData.h"
#include "skin/window/SkinPopMenu.h"

namespace skin {

namespace {

constexpr UINT MessageGetMenu = 0x01E1;

// Whether the skin takes over the kind of menu being opened (MenuKind).
bool MenuKindAllowed(const TSkinData& skinData, int menuKind)
{
    switch (menuKind) {
    case 0:
        return skinData.HasSkinControl(xcPopupMenu);
    case 1:
        return skinData.HasSkinControl(xcMainMenu) || skinData.HasSkinControl(xcMenuItem);
    case 2:
        return skinData.HasSkinControl(xcSystemMenu);
    default:
        return false;
    }
}

} // namespace

void TSkinManage::SkinPopupWindow(HWND handle)
{
    if (!SkinEnabled || !handle)
        return;
    if (SendMessageW(handle, WM_SKINQUERY, 0, 0) == 1 || IsPopupWindowSkinned(handle))
        return;
    TSkinData* skinData = FindSkinDataFor(handle);
    if (!skinData || skinData->NoSkin || !MenuKindAllowed(*skinData, MenuKind))
        return;
    auto popup = std::make_unique<TWinSkinPopMenu>();
    popup->Attach(handle, skinData);
    if (popup->Attached())
        PopupMenus.push_back(std::move(popup));
}

bool TSkinManage::ReleasePopupWindow(HWND handle)
{
    bool freed = false;
    for (auto it = PopupMenus.begin(); it != PopupMenus.end(); ++it)
        if (*it && (*it)->Handle == handle) {
            std::unique_ptr<TWinSkinPopMenu> popup = std::move(*it);
            PopupMenus.erase(it);
            popup->Detach();
            freed = true;
            break;
        }
    // The next menu opened is a plain popup menu unless the menu code says otherwise.
    if (PopupMenus.empty())
        MenuKind = 0;
    return freed;
}

bool TSkinManage::IsPopupWindowSkinned(HWND handle) const
{
    for (const auto& popup : PopupMenus)
        if (popup && popup->Handle == handle)
            return true;
    return false;
}

ui::TBitmap* TSkinManage::FindPopupBackground(HMENU menu) const
{
    if (!menu)
        return nullptr;
    for (const auto& popup : PopupMenus) {
        if (!popup)
            continue;
        if (!popup->Menu && popup->Handle)
            popup->Menu = reinterpret_cast<HMENU>(SendMessageW(popup->Handle, MessageGetMenu, 0, 0));
        if (popup->Menu == menu)
            return popup->Background.Empty() ? nullptr : &popup->Background;
    }
    return nullptr;
}

} // namespace skin
