#pragma once
// An MDI window: a frame whose client holds child windows, with a File menu, a Window menu that
// lists the children, and children whose own "Child" menu joins the frame's bar while they are
// active.
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace skinview {

class TMdiChild : public ui::TForm {
    UI_CLASS(TMdiChild)
public:
    TMdiChild(ui::TComponent* owner, int number);

    ui::TLabel* TextLabel = nullptr;
    ui::TMainMenu* ChildMenu = nullptr;

private:
    void Maximise();
};

class TMdiWindow : public ui::TForm {
    UI_CLASS(TMdiWindow)
public:
    explicit TMdiWindow(ui::TComponent* owner);

    // Shows the window; the first time, with three children, cascaded.
    void Open();
    // A new child, shown and active.
    TMdiChild* AddChild();
    void CloseActiveChild();

    ui::TMainMenu* FrameMenu = nullptr;
    // Lists the children (the window menu).
    ui::TMenuItem* WindowItem = nullptr;

private:
    int childrenMade_ = 0;
};

} // namespace skinview
