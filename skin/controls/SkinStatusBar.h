#pragma once
// Status bars: the whole bar, its panels and its size grip drawn from the skin.
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinStatusBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
};

} // namespace skin
