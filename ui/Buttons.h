#pragma once
// The bitmap button: a push button that draws a glyph beside its caption.
#include "StdCtrls.h"

namespace ui {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumInfo& ButtonLayoutEnum();
enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
const TEnumInfo& BitBtnKindEnum();

// Published: Glyph (Glyph.Data in a description), NumGlyphs (1 to 4 images side by side: up,
// disabled, down, hot), Layout, Margin (-1: centred), Spacing, Kind, and what TButton publishes.
// Disabled, it shows the second image when NumGlyphs >= 2, else the first one greyed.
class TBitBtn : public TButton {
    UI_CLASS(TBitBtn)
public:
    explicit TBitBtn(TComponent* owner);
    TBitmap& Glyph() { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value) { layout_ = value; Invalidate(); }
    int Margin() const { return margin_; }
    void SetMargin(int value) { margin_ = value; Invalidate(); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value) { spacing_ = value; Invalidate(); }
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind value) { kind_ = value; }
    void WndProc(TMessage& message) override;

    // Where glyph and caption go in a client rectangle (shared with the drawing).
    void CalcLayout(const TRect& client, HDC dc, POINT& glyphPos, TRect& textRect) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawGlyph(HDC dc, int x, int y, bool enabled, bool down);

    TBitmap glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
};

} // namespace ui
