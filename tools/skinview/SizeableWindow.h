#pragma once
// The viewer's main window: a sizeable window with every caption button, a menu bar and a
// context menu, naming the skin shown.
#include "ViewerMenus.h"
#include "ViewerSkin.h"

#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace skinview {

class TSizeableWindow : public ui::TForm {
    UI_CLASS(TSizeableWindow)
public:
    explicit TSizeableWindow(ui::TComponent* owner);
    // Names the skin in the caption and the window.
    void ShowSkin(const TViewerSkin& skin);
    // Gives the window its menu bar and context menu; `commands` brings what the window cannot do
    // itself (the MDI window's items), the rest the window fills in. Done before the window shows,
    // so that the skin finds the menus when it takes the window over.
    void BuildMenus(TMenuCommands commands);

    ui::TLabel* SkinLabel = nullptr;
    ui::TLabel* AboutLabel = nullptr;
    // The last menu item chosen; View > Status bar shows and hides it.
    ui::TLabel* StatusLabel = nullptr;
    ui::TImageList* MenuImages = nullptr;
    ui::TMainMenu* MainMenu = nullptr;
    ui::TPopupMenu* ContextMenu = nullptr;
    ui::TMenuItem* FileMenu = nullptr;
};

} // namespace skinview
