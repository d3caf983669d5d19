#pragma once
// A window holding every control kind the skin paints, each in the states a skin author checks,
// one labelled row per kind.
#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/GroupBoxes.h"
#include "ui/StdCtrls.h"

#include <initializer_list>

namespace skinview {

class TControlsWindow : public ui::TForm {
    UI_CLASS(TControlsWindow)
public:
    explicit TControlsWindow(ui::TComponent* owner);

    // The pictures move the mouse over the first and hold the second down.
    ui::TButton* EnabledButton = nullptr;
    ui::TBitBtn* GlyphLeftButton = nullptr;
    // Holds the focus when the window is activated.
    ui::TButton* FocusedButton = nullptr;
    // Opens the message dialog, so that its buttons can be seen in the skin.
    ui::TButton* MessageButton = nullptr;

private:
    void AddRowLabel(int top, const wchar_t* caption, int height);
    ui::TButton* AddButton(int column, int top, const wchar_t* caption);
    ui::TBitBtn* AddBitBtn(int column, int top, int height, const wchar_t* caption, ui::TButtonLayout layout);
    ui::TSpeedButton* AddSpeedButton(int column, int top, const wchar_t* caption);
    ui::TCheckBox* AddCheckBox(ui::TWinControl* parent, int left, int top, const wchar_t* caption,
                               ui::TCheckBoxState state);
    ui::TRadioButton* AddRadioButton(ui::TWinControl* parent, int left, int top, const wchar_t* caption);
    ui::TEdit* AddEdit(ui::TWinControl* parent, int left, int top, int width, const wchar_t* text);
    ui::TComboBox* AddComboBox(int column, int top, ui::TComboBoxStyle style, std::initializer_list<const char*> items);
};

} // namespace skinview
