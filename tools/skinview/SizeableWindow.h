#pragma once
// The viewer's main window: a sizeable window with every caption button, naming the skin shown.
#include "ViewerSkin.h"

#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace skinview {

class TSizeableWindow : public ui::TForm {
    UI_CLASS(TSizeableWindow)
public:
    explicit TSizeableWindow(ui::TComponent* owner);
    // Names the skin in the caption and the window.
    void ShowSkin(const TViewerSkin& skin);

    ui::TLabel* SkinLabel = nullptr;
    ui::TLabel* AboutLabel = nullptr;
};

} // namespace skinview
