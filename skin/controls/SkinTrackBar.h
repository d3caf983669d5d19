#pragma once
// Track bars: the native channel and ticks stay; the thumb is drawn from the skin through the
// control's custom-draw notifications.
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinTrackBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(ui::TMessage& message) override;
    void SkinChanged() override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    // Answers one NMCUSTOMDRAW notification; dflt is what an unhandled stage answers.
    LRESULT CustomDraw(const NMCUSTOMDRAW& info, LRESULT dflt);
    void DrawThumb(HDC dc);
};

} // namespace skin
