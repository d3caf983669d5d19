#pragma once
// A tab set: a row of tabs the control paints itself, the selected one joined to what lies above
// it. Tabs that do not fit are reached with a pair of scroll buttons at the right end.
#include "ui/CommonControls.h"
#include "ui/Controls.h"

#include <vector>

namespace ui {

class TTabSet;

// The scroll buttons of a tab set: a horizontal system up-down that moves the first tab shown.
class TTabScroller : public TWinControl {
    UI_CLASS(TTabScroller)
public:
    explicit TTabScroller(TTabSet* owner);
    void SetRange(int count);
    void SetPosition(int value);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    TTabSet* tabSet_;
    int count_ = 0;
    int position_ = 0;
};

// Published: Tabs (Tabs.Strings in a description), TabIndex, FirstIndex, StartMargin, EndMargin,
// Font, Color, OnChange, OnClick.
class TTabSet : public TCustomControl {
    UI_CLASS(TTabSet)
public:
    // Room a tab takes beyond its caption, and what stays free for the scroll buttons.
    static constexpr int TabPadding = 9;
    static constexpr int ScrollerRoom = 21;
    static constexpr int ScrollerWidth = 17;

    explicit TTabSet(TComponent* owner);
    ~TTabSet() override;

    TStringList& Tabs() { return tabs_; }
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int value);
    int FirstIndex() const { return firstIndex_; }
    void SetFirstIndex(int value);
    int StartMargin() const { return startMargin_; }
    void SetStartMargin(int value);
    int EndMargin() const { return endMargin_; }
    void SetEndMargin(int value);
    // The scroll buttons; made first, so they are the first component the tab set owns.
    TTabScroller* Scroller() const { return scroller_; }
    bool ScrollerShowing() const { return scrollerShowing_; }

    struct TTabPlace {
        int Index;
        TRect Rect;
    };
    // The tabs drawn, from FirstIndex on: a tab that does not fit is left out.
    std::vector<TTabPlace> VisibleTabs();
    // The tab at a client point, -1 for none.
    int ItemAtPos(POINT point);

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void Paint() override;
    void Resize() override;
    void FontChanged() override;
    // Shows the scroll buttons when the tabs from FirstIndex on do not all fit, or some are
    // scrolled away.
    void UpdateScroller();
    std::vector<int> TextWidths();

private:
    TTabScroller* scroller_ = nullptr;
    TStringList tabs_;
    int tabIndex_ = -1;
    int firstIndex_ = 0;
    int startMargin_ = 5;
    int endMargin_ = 5;
    bool scrollerShowing_ = false;
};

} // namespace ui
