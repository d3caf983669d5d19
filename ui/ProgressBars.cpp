#include "ui/ProgressBars.h"

#include "ui/TypInfo.h"

namespace ui {

namespace {
const TEnumInfo& OrientationEnum()
{
    static const TEnumInfo info{"TProgressBarOrientation", {"pbHorizontal", "pbVertical"}};
    return info;
}
} // namespace

const TClassInfo& TProgressBar::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TProgressBar, TWinControl>("TProgressBar")
        .Enum<TProgressBarOrientation>("Orientation", OrientationEnum(), &TProgressBar::Orientation,
                                       &TProgressBar::SetOrientation)
        .Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth)
        .Int("Min", &TProgressBar::Min, &TProgressBar::SetMin)
        .Int("Max", &TProgressBar::Max, &TProgressBar::SetMax)
        .Int("Position", &TProgressBar::Position, &TProgressBar::SetPosition)
        .Int("Step", &TProgressBar::Step, &TProgressBar::SetStep)
        .Build();
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner)
{
    width_ = 150;
    height_ = 16;
}

void TProgressBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_PROGRESS_CLASS);
    TWinControl::CreateParams(params);
    params.BaseClassName = PROGRESS_CLASSW;
    if (orientation_ == TProgressBarOrientation::pbVertical)
        params.Style |= PBS_VERTICAL;
    if (smooth_)
        params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateHandleDone()
{
    TWinControl::CreateHandleDone();
    SendRange();
    SendMessageW(handle_, PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
    SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SendRange()
{
    if (handle_)
        SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TProgressBar::SetOrientation(TProgressBarOrientation value)
{
    if (value == orientation_)
        return;
    position_ = Position();
    orientation_ = value;
    RecreateWnd();
}

void TProgressBar::SetSmooth(bool value)
{
    if (value == smooth_)
        return;
    position_ = Position();
    smooth_ = value;
    RecreateWnd();
}

void TProgressBar::SetMin(int value)
{
    min_ = value;
    SendRange();
}

void TProgressBar::SetMax(int value)
{
    max_ = value;
    SendRange();
}

int TProgressBar::Position() const
{
    return handle_ ? static_cast<int>(SendMessageW(handle_, PBM_GETPOS, 0, 0)) : position_;
}

void TProgressBar::SetPosition(int value)
{
    position_ = value;
    if (handle_)
        SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetStep(int value)
{
    step_ = value;
    if (handle_)
        SendMessageW(handle_, PBM_SETSTEP, static_cast<WPARAM>(value), 0);
}

void TProgressBar::StepIt()
{
    if (handle_) {
        SendMessageW(handle_, PBM_STEPIT, 0, 0);
        position_ = Position();
        return;
    }
    position_ += step_;
    if (position_ > max_)
        position_ = min_ + (position_ - max_);
}

void TProgressBar::StepBy(int delta)
{
    if (handle_) {
        SendMessageW(handle_, PBM_DELTAPOS, static_cast<WPARAM>(delta), 0);
        position_ = Position();
        return;
    }
    SetPosition(position_ + delta);
}

void TProgressBar::WndProc(TMessage& message)
{
    if (message.Msg == WM_DESTROY)
        position_ = Position();
    TWinControl::WndProc(message);
}

} // namespace ui
