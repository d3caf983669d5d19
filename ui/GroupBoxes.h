#pragma once
// Group box and radio group: windows of their own classes that hold controls and draw a titled
// etched frame around them (not the system's BS_GROUPBOX, which cannot parent controls).
#include "CheckBoxes.h"

namespace ui {

// Published: Caption, Color, ParentColor, Font, ParentFont, Ctl3D, TabOrder, TabStop, and the
// windowed-control events. The frame line runs at half the caption's height; the caption sits at
// x = 8 over the background colour. Aligned children go inside the frame, below the caption.
class TCustomGroupBox : public TCustomControl {
    UI_CLASS(TCustomGroupBox)
public:
    explicit TCustomGroupBox(TComponent* owner);
    void AdjustClientRect(TRect& rect) const override;
    // Height of a line of the caption's font.
    int CaptionHeight() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void FontChanged() override;
    void TextChanged() override;
};

class TGroupBox : public TCustomGroupBox {
    UI_CLASS(TGroupBox)
public:
    explicit TGroupBox(TComponent* owner);
};

// Published: Items (UTF-8 lines; Items.Strings in a description), Columns (1 or more), ItemIndex
// (-1: none), and what a group box publishes. One radio button per item, owned by the group and
// laid out down the columns inside the frame; OnClick runs when the user checks another button.
// Tab stops at the checked button only; the arrows move between the buttons.
class TCustomRadioGroup : public TCustomGroupBox {
    UI_CLASS(TCustomRadioGroup)
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;
    TStringList& Items() { return items_; }
    int Columns() const { return columns_; }
    void SetColumns(int value);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TRadioButton* Buttons(int index) const { return buttons_.at(index); }
    void Loaded() override;

protected:
    void Resize() override;
    void FontChanged() override;
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TRadioButton* button);
    // Tab reaches the group once: at its checked button, or its first one.
    void UpdateTabStops();

    TStringList items_;
    std::vector<TRadioButton*> buttons_;
    int columns_ = 1;
    int itemIndex_ = -1;
    bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
    UI_CLASS(TRadioGroup)
public:
    explicit TRadioGroup(TComponent* owner);
};

} // namespace ui
