#pragma once
// Progress bars: the skin's bar strip (track and fill) or, for a block style skin, a row of blocks.
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinProgress : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    // How many pixels of a bar `length` long are filled at pos within [low, high].
    static int FillLength(int length, int pos, int low, int high);

private:
    // The bar lying down (length x thickness), fill from the left.
    void ComposeBar(ui::TBitmap& bar, int filled) const;
    void ComposeBlocks(ui::TBitmap& bar, int filled) const;
};

} // namespace skin
