#pragma once
// Panels and group boxes: a panel takes the skin's face colour; a group box has its frame and
// caption redrawn in the skin's colours.
#include "skin/controls/WinSubClass.h"

namespace skin {

class TSkinBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    // Only the colour: the panel's messages are not hooked.
    void AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas) override;
    void Unskin() override;
};

class TSkinGroupBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
};

} // namespace skin
