#include "DialogWindow.h"

namespace skinview {

namespace {
constexpr int DialogClientWidth = 340;
constexpr int DialogClientHeight = 130;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int Margin = 12;
} // namespace

const ui::TClassInfo& TDialogWindow::StaticClassInfo()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TDialogWindow, ui::TForm>("TDialogWindow").NotCreatable().Build();
    return info;
}

TDialogWindow::TDialogWindow(ui::TComponent* owner) : ui::TForm(owner)
{
    SetBorderStyle(ui::TFormBorderStyle::bsDialog);
    SetCaption(L"Dialog window");
    // Beside the sizeable window, so that neither hides the other.
    SetBounds(580, 24, 360, 170);
    SetClientWidth(DialogClientWidth);
    SetClientHeight(DialogClientHeight);

    MessageLabel = new ui::TLabel(this);
    MessageLabel->SetParent(this);
    MessageLabel->SetWordWrap(true);
    MessageLabel->SetTransparent(true);
    MessageLabel->SetBounds(Margin, Margin + 4, DialogClientWidth - 2 * Margin, 16);
    MessageLabel->SetCaption(L"A dialog window: a fixed dialog frame with a caption and a close button. "
                             L"OK and Cancel hide it.");

    const int right = DialogClientWidth - Margin;
    OkButton = AddButton(L"OK", right - 2 * ButtonWidth - 8, ui::mrOk);
    OkButton->SetDefault(true);
    CancelButton = AddButton(L"Cancel", right - ButtonWidth, ui::mrCancel);
    CancelButton->SetCancel(true);
}

ui::TButton* TDialogWindow::AddButton(const wchar_t* caption, int left, int modalResult)
{
    auto* button = new ui::TButton(this);
    button->SetParent(this);
    button->SetBounds(left, DialogClientHeight - Margin - ButtonHeight, ButtonWidth, ButtonHeight);
    button->SetCaption(caption);
    button->SetModalResult(modalResult);
    button->OnClick = [this](ui::TObject*) {
        if (!Modal())
            Hide();
    };
    return button;
}

} // namespace skinview
