#pragma once
// Check boxes of other libraries that draw themselves from a glyph strip property ("CustomGlyphs"):
// the skin builds that strip from its own check-box images.
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinObjImage : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas) override;
    void SkinChanged() override;
    void Unskin() override;
    // The 9-column glyph strip from the skin's check images; nullptr when the skin has none.
    std::unique_ptr<ui::TBitmap> BuildGlyphStrip() const;
    void BuildGlyphs();

    int GlyphMode = 0;
};

} // namespace skin
