#pragma once
// Check box and radio button: system BUTTON windows whose state the framework keeps itself (plain
// BS_3STATE and BS_RADIOBUTTON, never the automatic styles), so that a skin painting over them
// reads the state from the control and every change runs through one place.
#include "StdCtrls.h"

namespace ui {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const TEnumInfo& CheckBoxStateEnum();

// Published: Caption, Checked, State, AllowGrayed, Alignment, and the windowed-control properties
// and events. A click, Space or Alt plus its mnemonic moves it on: unchecked, checked, grayed (with
// AllowGrayed), unchecked. OnClick runs on every change of state, the program's included.
// Alignment taLeftJustify puts the caption left of the box; taRightJustify (the default) right.
class TCustomCheckBox : public TButtonControl {
    UI_CLASS(TCustomCheckBox)
public:
    explicit TCustomCheckBox(TComponent* owner);
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
    void SetChecked(bool value) { SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // The user's step to the next state.
    virtual void Toggle();
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = TAlignment::taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    UI_CLASS(TCheckBox)
public:
    explicit TCheckBox(TComponent* owner);
};

// Published: Caption, Checked, Alignment, and the windowed-control properties and events. A click,
// Space or Alt plus its mnemonic checks it and unchecks the other radio buttons of its parent;
// OnClick runs when it becomes checked. The arrow keys move to the previous or next radio button of
// the parent and check it.
class TRadioButton : public TButtonControl {
    UI_CLASS(TRadioButton)
public:
    explicit TRadioButton(TComponent* owner);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool WantsKey(std::uint16_t key) const override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    // The enabled visible radio buttons of the parent, this one included, in z order.
    std::vector<TRadioButton*> Siblings() const;

    bool checked_ = false;
    TAlignment alignment_ = TAlignment::taRightJustify;
};

} // namespace ui
