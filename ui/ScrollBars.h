#pragma once
// The stand-alone scroll bar over the system SCROLLBAR class. It moves its own position as the
// user scrolls it (the parent reflects WM_HSCROLL / WM_VSCROLL to it).
#include "ui/Controls.h"

namespace ui {

enum class TScrollBarKind { sbHorizontal, sbVertical };
const TEnumInfo& ScrollBarKindEnum();

enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// Published: Kind, Min, Max, Position, PageSize, SmallChange, LargeChange, OnChange, OnScroll.
class TScrollBar : public TWinControl {
    UI_CLASS(TScrollBar)
public:
    explicit TScrollBar(TComponent* owner);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    int Min() const { return min_; }
    void SetMin(int value) { SetParams(position_, value, max_); }
    int Max() const { return max_; }
    void SetMax(int value) { SetParams(position_, min_, value); }
    int Position() const { return position_; }
    void SetPosition(int value) { SetParams(value, min_, max_); }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }
    // Range and position at once; the position is kept inside the range.
    void SetParams(int position, int min, int max);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    virtual void Change();
    virtual void Scroll(TScrollCode code, int& position);
    void ApplyToWindow();
    // The highest position the thumb can reach: the page takes up the end of the range.
    int HighestPosition() const;

    TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int pageSize_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
};

} // namespace ui
