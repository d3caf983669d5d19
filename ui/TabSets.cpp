#include "ui/TabSets.h"

#include "ui/Classes.h"
#include "ui/GdiObjects.h"

#include <windowsx.h>

#include <algorithm>

namespace ui {

const TClassInfo& TTabScroller::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTabScroller, TWinControl>("TTabScroller").NotCreatable().Build();
    return info;
}

const TClassInfo& TTabSet::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTabSet, TCustomControl>("TTabSet")
        .Object<TStringList>("Tabs", [](TTabSet& c) -> TStringList& { return c.Tabs(); },
                             [](TTabSet& c, TStringList* list) { if (list) c.Tabs().Assign(*list); })
        .Int("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex)
        .Int("FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex)
        .Int("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin)
        .Int("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin)
        .Event("OnChange", &TTabSet::OnChange)
        .Build();
    return info;
}

// ---- TTabScroller ----

TTabScroller::TTabScroller(TTabSet* owner) : TWinControl(owner), tabSet_(owner)
{
    width_ = TTabSet::ScrollerWidth;
    height_ = 15;
    visible_ = false;
}

void TTabScroller::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_UPDOWN_CLASS);
    TWinControl::CreateParams(params);
    params.BaseClassName = UPDOWN_CLASSW;
    params.Style |= UDS_HORZ;
}

void TTabScroller::CreateHandleDone()
{
    TWinControl::CreateHandleDone();
    SetRange(count_);
    SetPosition(position_);
}

void TTabScroller::SetRange(int count)
{
    count_ = std::max(0, count);
    if (handle_)
        SendMessageW(handle_, UDM_SETRANGE32, 0, std::max(0, count_ - 1));
}

void TTabScroller::SetPosition(int value)
{
    position_ = value;
    if (handle_)
        SendMessageW(handle_, UDM_SETPOS32, 0, value);
}

void TTabScroller::WndProc(TMessage& message)
{
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        position_ = static_cast<int>(CallDefault(UDM_GETPOS32, 0, 0));
        if (tabSet_)
            tabSet_->SetFirstIndex(position_);
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

// ---- TTabSet ----

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner)
{
    // The scroll buttons come before anything else the tab set owns.
    scroller_ = new TTabScroller(this);
    scroller_->SetParent(this);
    width_ = 185;
    height_ = 21;
    color_ = clBtnFace;
    parentColor_ = false;
    doubleBuffered_ = true;
    tabs_.OnChange = [this] {
        if (tabIndex_ >= tabs_.Count())
            tabIndex_ = tabs_.Count() - 1;
        if (firstIndex_ >= tabs_.Count())
            firstIndex_ = std::max(0, tabs_.Count() - 1);
        UpdateScroller();
        Invalidate();
    };
}

TTabSet::~TTabSet()
{
    Destroying();
    tabs_.OnChange = nullptr;
}

void TTabSet::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TTabSet::CreateHandleDone()
{
    TCustomControl::CreateHandleDone();
    UpdateScroller();
}

void TTabSet::SetTabIndex(int value)
{
    if (value < -1 || value >= tabs_.Count())
        value = -1;
    if (value == tabIndex_)
        return;
    tabIndex_ = value;
    Invalidate();
}

void TTabSet::SetFirstIndex(int value)
{
    value = std::clamp(value, 0, std::max(0, tabs_.Count() - 1));
    if (value == firstIndex_)
        return;
    firstIndex_ = value;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetStartMargin(int value)
{
    startMargin_ = std::max(0, value);
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetEndMargin(int value)
{
    endMargin_ = std::max(0, value);
    UpdateScroller();
    Invalidate();
}

void TTabSet::Resize()
{
    UpdateScroller();
    Invalidate();
}

void TTabSet::FontChanged()
{
    TCustomControl::FontChanged();
    UpdateScroller();
}

std::vector<int> TTabSet::TextWidths()
{
    std::vector<int> widths;
    HDC screen = handle_ ? GetDC(handle_) : GetDC(nullptr);
    {
        TMemoryDC dc(screen);
        TSelectObject font(dc.Get(), font_.Handle());
        for (int i = 0; i < tabs_.Count(); ++i) {
            const std::wstring text = Utf8ToWide(tabs_[i]);
            SIZE size{};
            GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
            widths.push_back(size.cx);
        }
    }
    ReleaseDC(handle_, screen);
    return widths;
}

void TTabSet::UpdateScroller()
{
    if (IsDestroying() || !scroller_)
        return;
    const std::vector<int> widths = TextWidths();
    const int avail = width_ - endMargin_;
    int x = startMargin_;
    bool overflow = false;
    for (int i = firstIndex_; i < static_cast<int>(widths.size()); ++i) {
        x += widths[static_cast<size_t>(i)] + TabPadding;
        if (x > avail)
            overflow = true;
    }
    scrollerShowing_ = overflow || firstIndex_ > 0;
    scroller_->SetRange(tabs_.Count());
    scroller_->SetPosition(firstIndex_);
    scroller_->SetBounds(std::max(0, width_ - ScrollerWidth), 0, ScrollerWidth, std::max(1, std::min(height_, 17)));
    scroller_->SetVisible(scrollerShowing_);
}

std::vector<TTabSet::TTabPlace> TTabSet::VisibleTabs()
{
    std::vector<TTabPlace> places;
    const std::vector<int> widths = TextWidths();
    const int avail = width_ - endMargin_;
    const int room = scrollerShowing_ ? ScrollerRoom : TabPadding;
    int x = startMargin_;
    for (int i = firstIndex_; i < static_cast<int>(widths.size()); ++i) {
        const int w = widths[static_cast<size_t>(i)];
        if (avail < x + w + room)
            continue;
        places.push_back({i, Rect(x, 0, x + w + TabPadding, height_)});
        x += w + TabPadding;
    }
    return places;
}

int TTabSet::ItemAtPos(POINT point)
{
    for (const TTabPlace& place : VisibleTabs()) {
        const RECT r = place.Rect;
        if (PtInRect(&r, point))
            return place.Index;
    }
    return -1;
}

void TTabSet::Paint()
{
    HDC dc = canvas_.Handle();
    const RECT all{0, 0, width_, height_};
    TBrushHandle face(CreateSolidBrush(ColorToRGB(color_)));
    FillRect(dc, &all, face.Get());
    TBrushHandle shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
    TBrushHandle window(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    const RECT top{0, 0, width_, 1};
    FillRect(dc, &top, shadow.Get());
    TSelectObject font(dc, font_.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(font_.Color()));
    for (const TTabPlace& place : VisibleTabs()) {
        RECT r = place.Rect;
        const bool selected = place.Index == tabIndex_;
        // The selected tab is open towards the pages above it.
        r.top = selected ? 0 : 1;
        r.bottom = std::max<LONG>(r.top + 2, r.bottom - (selected ? 1 : 3));
        FillRect(dc, &r, selected ? window.Get() : face.Get());
        const RECT left{r.left, r.top, r.left + 1, r.bottom};
        const RECT right{r.right - 1, r.top, r.right, r.bottom};
        const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
        for (const RECT& edge : {left, right, bottom})
            FillRect(dc, &edge, shadow.Get());
        const std::wstring text = Utf8ToWide(tabs_[place.Index]);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void TTabSet::WndProc(TMessage& message)
{
    if (message.Msg == WM_LBUTTONDOWN && !IsDestroying()) {
        if (CanFocus() && handle_ && GetFocus() != handle_)
            ::SetFocus(handle_);
        const int index = ItemAtPos(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
        if (index >= 0 && index != tabIndex_) {
            SetTabIndex(index);
            if (OnChange)
                OnChange(this);
        }
    }
    TCustomControl::WndProc(message);
}

} // namespace ui
