#pragma once
// Track bars over the system's track-bar class.
#include "ui/CommonControls.h"
#include "ui/Controls.h"

namespace ui {

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickStyle { tsNone, tsAuto, tsManual };
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };

// Published: Orientation, Min, Max, Position, Frequency, TickStyle, TickMarks, PageSize, LineSize,
// OnChange (after every move, by mouse, key or program).
class TTrackBar : public TWinControl {
    UI_CLASS(TTrackBar)
public:
    explicit TTrackBar(TComponent* owner);

    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    int Frequency() const { return frequency_; }
    void SetFrequency(int value);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle value);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int value);

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    virtual void Changed();

private:
    void SendRange();
    TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int frequency_ = 1;
    TTickStyle tickStyle_ = TTickStyle::tsAuto;
    TTickMark tickMarks_ = TTickMark::tmBottomRight;
    int pageSize_ = 2;
    int lineSize_ = 1;
};

} // namespace ui
