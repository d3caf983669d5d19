#pragma once
// Progress bars over the system's progress class.
#include "ui/CommonControls.h"
#include "ui/Controls.h"

namespace ui {

enum class TProgressBarOrientation { pbHorizontal, pbVertical };

// Published: Orientation, Smooth, Min, Max, Position, Step.
class TProgressBar : public TWinControl {
    UI_CLASS(TProgressBar)
public:
    explicit TProgressBar(TComponent* owner);

    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation value);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    int Step() const { return step_; }
    void SetStep(int value);
    // Advances by Step (wrapping to Min past Max, as the system control does).
    void StepIt();
    void StepBy(int delta);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    void SendRange();
    TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
    bool smooth_ = false;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
};

} // namespace ui
