#include "ui/ScrollBars.h"

#include <algorithm>

namespace ui {

const TEnumInfo& ScrollBarKindEnum()
{
    static const TEnumInfo info{"TScrollBarKind", {"sbHorizontal", "sbVertical"}};
    return info;
}

const TClassInfo& TScrollBar::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TScrollBar, TWinControl>("TScrollBar")
        .Enum<TScrollBarKind>("Kind", ScrollBarKindEnum(), &TScrollBar::Kind, &TScrollBar::SetKind)
        .Int("Min", &TScrollBar::Min, &TScrollBar::SetMin)
        .Int("Max", &TScrollBar::Max, &TScrollBar::SetMax)
        .Int("Position", &TScrollBar::Position, &TScrollBar::SetPosition)
        .Int("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize)
        .Int("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)
        .Int("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange)
        .Event("OnChange", &TScrollBar::OnChange)
        .Build();
    return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner)
{
    width_ = 121;
    height_ = GetSystemMetrics(SM_CYHSCROLL);
    tabStop_ = true;
    parentColor_ = false;
    color_ = clBtnFace;
}

void TScrollBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClassName = L"SCROLLBAR";
    params.Style |= kind_ == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateHandleDone()
{
    ApplyToWindow();
    TWinControl::CreateHandleDone();
}

void TScrollBar::SetKind(TScrollBarKind value)
{
    if (value == kind_)
        return;
    kind_ = value;
    // A new orientation swaps the sides, as the designer would.
    if (!IsLoading())
        SetBounds(left_, top_, height_, width_);
    if (handle_)
        RecreateWnd();
}

int TScrollBar::HighestPosition() const { return max_ - std::max(pageSize_ - 1, 0); }

void TScrollBar::SetParams(int position, int min, int max)
{
    if (max < min)
        max = min;
    min_ = min;
    max_ = max;
    if (pageSize_ > max_ - min_ + 1)
        pageSize_ = max_ - min_ + 1;
    position = std::clamp(position, min_, std::max(min_, HighestPosition()));
    const bool changed = position != position_;
    position_ = position;
    ApplyToWindow();
    if (changed)
        Change();
}

void TScrollBar::SetPageSize(int value)
{
    pageSize_ = std::clamp(value, 0, max_ - min_ + 1);
    SetParams(position_, min_, max_);
}

void TScrollBar::ApplyToWindow()
{
    if (!handle_)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    info.nMin = min_;
    info.nMax = max_;
    info.nPage = static_cast<UINT>(pageSize_);
    info.nPos = position_;
    SetScrollInfo(handle_, SB_CTL, &info, TRUE);
}

void TScrollBar::Change()
{
    if (OnChange)
        OnChange(this);
}

void TScrollBar::Scroll(TScrollCode code, int& position)
{
    if (OnScroll)
        OnScroll(this, code, position);
}

void TScrollBar::WndProc(TMessage& message)
{
    if (message.Msg != CN_HSCROLL && message.Msg != CN_VSCROLL) {
        TWinControl::WndProc(message);
        return;
    }
    const int request = LOWORD(message.WParam);
    int position = position_;
    switch (request) {
    case SB_LINEUP: position -= smallChange_; break;
    case SB_LINEDOWN: position += smallChange_; break;
    case SB_PAGEUP: position -= largeChange_; break;
    case SB_PAGEDOWN: position += largeChange_; break;
    case SB_THUMBPOSITION: case SB_THUMBTRACK: {
        // The 16-bit position of the message cannot hold a large range: ask the bar.
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        position = GetScrollInfo(handle_, SB_CTL, &info) ? info.nTrackPos : HIWORD(message.WParam);
        break;
    }
    case SB_TOP: position = min_; break;
    case SB_BOTTOM: position = max_; break;
    default: break;
    }
    if (request <= SB_ENDSCROLL) {
        position = std::clamp(position, min_, std::max(min_, HighestPosition()));
        Scroll(static_cast<TScrollCode>(request), position);
        SetPosition(position);
    }
    message.Result = 0;
}

} // namespace ui
