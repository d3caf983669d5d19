#include "ui/TrackBars.h"

#include "ui/TypInfo.h"

namespace ui {

namespace {
const TEnumInfo& OrientationEnum()
{
    static const TEnumInfo info{"TTrackBarOrientation", {"trHorizontal", "trVertical"}};
    return info;
}
const TEnumInfo& TickStyleEnum()
{
    static const TEnumInfo info{"TTickStyle", {"tsNone", "tsAuto", "tsManual"}};
    return info;
}
const TEnumInfo& TickMarkEnum()
{
    static const TEnumInfo info{"TTickMark", {"tmBottomRight", "tmTopLeft", "tmBoth"}};
    return info;
}
} // namespace

const TClassInfo& TTrackBar::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTrackBar, TWinControl>("TTrackBar")
        .Enum<TTrackBarOrientation>("Orientation", OrientationEnum(), &TTrackBar::Orientation, &TTrackBar::SetOrientation)
        .Int("Min", &TTrackBar::Min, &TTrackBar::SetMin)
        .Int("Max", &TTrackBar::Max, &TTrackBar::SetMax)
        .Int("Position", &TTrackBar::Position, &TTrackBar::SetPosition)
        .Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
        .Enum<TTickStyle>("TickStyle", TickStyleEnum(), &TTrackBar::TickStyle, &TTrackBar::SetTickStyle)
        .Enum<TTickMark>("TickMarks", TickMarkEnum(), &TTrackBar::TickMarks, &TTrackBar::SetTickMarks)
        .Int("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize)
        .Int("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize)
        .Event("OnChange", &TTrackBar::OnChange)
        .Build();
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner)
{
    width_ = 150;
    height_ = 45;
    tabStop_ = true;
}

void TTrackBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = TRACKBAR_CLASSW;
    params.Style |= orientation_ == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
    if (tickStyle_ == TTickStyle::tsNone)
        params.Style |= TBS_NOTICKS;
    else if (tickStyle_ == TTickStyle::tsAuto)
        params.Style |= TBS_AUTOTICKS;
    if (tickMarks_ == TTickMark::tmBoth)
        params.Style |= TBS_BOTH;
    else if (tickMarks_ == TTickMark::tmTopLeft)
        params.Style |= TBS_TOP;
}

void TTrackBar::CreateHandleDone()
{
    TWinControl::CreateHandleDone();
    SendRange();
    SendMessageW(handle_, TBM_SETPAGESIZE, 0, pageSize_);
    SendMessageW(handle_, TBM_SETLINESIZE, 0, lineSize_);
    SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    SendMessageW(handle_, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::SendRange()
{
    if (!handle_)
        return;
    SendMessageW(handle_, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(handle_, TBM_SETRANGEMAX, TRUE, max_);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value)
{
    if (value == orientation_)
        return;
    position_ = Position();
    orientation_ = value;
    // A bar turned on its side keeps its place but swaps its extent.
    if (!IsLoading())
        SetBounds(left_, top_, height_, width_);
    RecreateWnd();
}

void TTrackBar::SetMin(int value)
{
    min_ = value;
    if (max_ < min_)
        max_ = min_;
    SendRange();
    position_ = Position();
}

void TTrackBar::SetMax(int value)
{
    max_ = value;
    if (min_ > max_)
        min_ = max_;
    SendRange();
    position_ = Position();
}

int TTrackBar::Position() const
{
    if (handle_)
        return static_cast<int>(SendMessageW(handle_, TBM_GETPOS, 0, 0));
    return position_;
}

void TTrackBar::SetPosition(int value)
{
    if (!IsLoading())
        value = value < min_ ? min_ : value > max_ ? max_ : value;
    const int old = Position();
    position_ = value;
    if (handle_)
        SendMessageW(handle_, TBM_SETPOS, TRUE, value);
    if (old != Position())
        Changed();
}

void TTrackBar::SetFrequency(int value)
{
    frequency_ = value;
    if (handle_)
        SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetTickStyle(TTickStyle value)
{
    tickStyle_ = value;
    position_ = Position();
    RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value)
{
    tickMarks_ = value;
    position_ = Position();
    RecreateWnd();
}

void TTrackBar::SetPageSize(int value)
{
    pageSize_ = value;
    if (handle_)
        SendMessageW(handle_, TBM_SETPAGESIZE, 0, value);
}

void TTrackBar::SetLineSize(int value)
{
    lineSize_ = value;
    if (handle_)
        SendMessageW(handle_, TBM_SETLINESIZE, 0, value);
}

void TTrackBar::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TTrackBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
        position_ = Position();
        Changed();
        message.Result = 0;
        return;
    case WM_DESTROY:
        position_ = Position();
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

} // namespace ui
