#pragma once
// A dialog-style window (fixed dialog frame, close button only) with OK and Cancel buttons.
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace skinview {

class TDialogWindow : public ui::TForm {
    UI_CLASS(TDialogWindow)
public:
    explicit TDialogWindow(ui::TComponent* owner);

    ui::TLabel* MessageLabel = nullptr;
    ui::TButton* OkButton = nullptr;
    ui::TButton* CancelButton = nullptr;

private:
    ui::TButton* AddButton(const wchar_t* caption, int left, int modalResult);
};

} // namespace skinview
