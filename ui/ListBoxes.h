#pragma once
// List boxes over the system LISTBOX class.
#include "ui/Controls.h"

namespace ui {

// Published: Items (Items.Strings in a description), ItemIndex, TopIndex, MultiSelect, Sorted,
// ScrollWidth (a width wider than the box gives it a horizontal scroll bar), OnClick,
// OnDblClick, and the windowed-control events.
class TCustomListBox : public TWinControl {
    UI_CLASS(TCustomListBox)
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;
    TStringList& Items() { return items_; }
    int ItemIndex() const;
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    int ScrollWidth() const { return scrollWidth_; }
    void SetScrollWidth(int value);
    int ItemHeight() const;
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    void Clear() { items_.Clear(); }
    bool WantsKey(std::uint16_t key) const override;

    TNotifyEvent OnDblClick;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void FillWindowList();

    TStringList items_;
    int itemIndex_ = -1;
    int topIndex_ = 0;
    bool multiSelect_ = false;
    bool sorted_ = false;
    int scrollWidth_ = 0;
};

class TListBox : public TCustomListBox {
    UI_CLASS(TListBox)
public:
    explicit TListBox(TComponent* owner);
};

} // namespace ui
