#pragma once
// A window of the scrolling and bar controls: a memo and a list box with both scroll bars,
// stand-alone scroll bars, track bars, up-downs, progress bars, page controls with tabs on top and
// at the bottom, a tab set, a list view with its header, a tool bar and a status bar with a grip.
#include "ui/Forms.h"
#include "ui/Memos.h"

namespace skinview {

class TScrollingWindow : public ui::TForm {
    UI_CLASS(TScrollingWindow)
public:
    explicit TScrollingWindow(ui::TComponent* owner);
    // Shows the memo's middle line at the top, so the thumb stands in the middle of its bar.
    void ScrollMemoToMiddle();

    ui::TMemo* Memo = nullptr;
};

} // namespace skinview
