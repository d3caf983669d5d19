#pragma once
// Check boxes and radio buttons: the skin replaces only the box (or circle); the control paints
// its own caption and focus mark.
#include "skin/controls/SkinControl.h"

namespace skin {

// The strip frame of a check box (numbered from 1; 0: nothing to draw). A 12-frame strip holds
// groups of four for unchecked, checked and indeterminate (first of a group enabled, fourth
// disabled); any other strip is read as unchecked 1, checked 2, disabled unchecked 3, disabled
// checked or indeterminate 4, disabled indeterminate 6, and a state past its end shows its last frame.
int CheckBoxFrame(bool checked, bool indeterminate, bool disabled, int frames);
// The same for a radio button: an 8-frame strip has groups of four for unchecked and checked;
// other strips unchecked 1, checked 2, disabled 3 and 4.
int RadioButtonFrame(bool checked, bool disabled, int frames);
// Where a box of boxWidth x boxHeight goes in a window of rect's size: left of the caption, or at
// the right edge when the caption is on the left (leftText).
ui::TRect CheckBoxRect(const ui::TRect& rect, int boxWidth, int boxHeight, bool leftText, bool radio);
// The part of the window cleared to the parent's colour before the box is drawn: the platform's
// own box and the skin's, never reaching into the caption or its focus mark.
ui::TRect CheckBoxClearRect(const ui::TRect& rect, const ui::TRect& box, bool leftText);

class TSkinCheckBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    // The frame the last paint drew (0: none).
    int LastFrame = 0;

protected:
    virtual bool Radio() const { return false; }
    // The image strip of the kind and its frame count; nullptr when the skin has none.
    virtual const ui::TBitmap* Strip(int& frames) const;
    // The frame for the control's state, read from the window and the control each time.
    virtual int StateFrame(int frames) const;
    // Draws one frame of strip in the box, composed off-screen and copied to dc once.
    void DrawBox(HDC dc, const ui::TRect& rect, const ui::TBitmap& strip, int frames, int frame);
};

class TSkinRadioButton : public TSkinCheckBox {
public:
    using TSkinCheckBox::TSkinCheckBox;

protected:
    bool Radio() const override { return true; }
    const ui::TBitmap* Strip(int& frames) const override;
    int StateFrame(int frames) const override;
};

} // namespace skin
