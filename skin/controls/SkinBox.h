#pragma once
// Panels and group boxes: a panel takes the skin's face colour; a group box has its frame and
// caption redrawn in the skin's colours.
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    // Only the colour: the panel's messages are not hooked.
    void AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas) override;
    void Unskin() override;
};

// Tool bars: a panel that is flat, with the skin's button image behind each button (unless the
// application draws the buttons itself) and the skin's menu items for a button's drop-down menu.
class TSkinToolBar : public TSkinBox {
public:
    using TSkinBox::TSkinBox;
    void AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas) override;
    void Unskin() override;
    // The buttons' custom drawing; other messages pass untouched.
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
};

class TSkinGroupBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
};

} // namespace skin
