#pragma once
// The bitmap button (a push button that draws a glyph beside its caption) and the speed button (a
// windowless tool button).
#include "ImgList.h"
#include "StdCtrls.h"

namespace ui {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumInfo& ButtonLayoutEnum();
enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
const TEnumInfo& BitBtnKindEnum();

// Where a glyph of size `glyph` and a single-line caption go inside `client`, for the font
// selected into `dc`. Margin -1 centres the pair; spacing -1 spreads it evenly.
void CalcButtonLayout(HDC dc, const TRect& client, SIZE glyph, const std::wstring& caption, TButtonLayout layout,
                      int margin, int spacing, POINT& glyphPos, TRect& textRect);

// Draws image `index` of a strip of `count` glyphs side by side, without its key colour (the
// strip's bottom-left pixel); `grey` draws it greyed.
void DrawGlyphFrame(HDC dc, int x, int y, TBitmap& glyph, int count, int index, bool grey);

// Draws a caption at `rect`, embossed (highlight under shadow) when disabled.
void DrawButtonCaption(HDC dc, const std::wstring& caption, const TRect& rect, TColor color, bool enabled);

// Published: Glyph (Glyph.Data in a description), NumGlyphs (1 to 4 images side by side: up,
// disabled, down, hot), Layout, Margin (-1: centred), Spacing, Kind, Images (a TImageList of the
// form), ImageIndex and DisabledIndex (-1: none), and what TButton publishes.
// Disabled, it shows the second image when NumGlyphs >= 2, else the first one greyed. Without a
// glyph, it shows image ImageIndex of Images (DisabledIndex, or ImageIndex greyed, when disabled).
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
    // A reference to an image list the form owns, forgotten when that list goes.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; Invalidate(); }
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int value) { disabledIndex_ = value; Invalidate(); }
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    // Where glyph and caption go in a client rectangle (shared with the drawing).
    void CalcLayout(const TRect& client, HDC dc, POINT& glyphPos, TRect& textRect) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawGlyph(HDC dc, int x, int y, bool enabled, bool down);
    // The image shown: the glyph's cell, else the image list's image size, else nothing.
    SIZE GlyphSize() const;
    bool UsesImages() const;

    TBitmap glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
    TImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
};

// Published: Flat, Down, GroupIndex, AllowAllUp, Glyph, NumGlyphs (up, disabled, down, hot),
// Layout, Margin, Spacing, Caption, Enabled, Font, OnClick.
// A windowless button: its parent routes the mouse to it. A click (press and release on it) runs
// OnClick. With GroupIndex 0 it shows down only while pressed; with GroupIndex > 0 a click puts it
// down and raises the other speed buttons of that group on the same parent, and a down button
// comes up again on a click only when AllowAllUp. Flat, it shows no edge until the mouse is on it.
class TSpeedButton : public TGraphicControl {
    UI_CLASS(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* owner);
    bool Flat() const { return flat_; }
    void SetFlat(bool value) { flat_ = value; Invalidate(); }
    bool Down() const { return down_; }
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    TBitmap& Glyph() { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value) { layout_ = value; Invalidate(); }
    int Margin() const { return margin_; }
    void SetMargin(int value) { margin_ = value; Invalidate(); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value) { spacing_ = value; Invalidate(); }
    // Drawn pressed: the mouse is held on it, or it is down.
    bool Pressed() const { return (dragging_ && pressInside_) || down_; }
    // The mouse is over it.
    bool Hot() const { return hot_; }
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    // The other speed buttons of the same group and parent.
    std::vector<TSpeedButton*> GroupMates() const;

    bool flat_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    TBitmap glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool hot_ = false;
    bool dragging_ = false;
    bool pressInside_ = false;
};

} // namespace ui
