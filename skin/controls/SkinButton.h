#pragma once
// Push buttons, glyph buttons and speed buttons drawn whole from the skin's Buttons strip.
#include "skin/controls/SkinControl.h"

namespace skin {

// The state of a button as the strip shows it.
struct TButtonState {
    bool enabled = true;
    bool pressed = false;
    bool hot = false;
    bool focused = false;
    bool isDefault = false;
    bool down = false;   // a speed button that stays down
};
// Push buttons: pressed, then hot, then default, then focused; disabled wins.
int PushButtonFrame(const TButtonState& state);
// Glyph buttons: pressed, then hot or focused, then default; disabled wins.
int BitButtonFrame(const TButtonState& state);
// Speed buttons: down wins over everything, disabled included; then pressed, then hot.
int SpeedButtonFrame(const TButtonState& state);
// Which glyph of a four-glyph strip a frame shows: 1 up, 2 disabled, 3 down.
int GlyphStateOfFrame(int frame);
// A flat speed button at rest shows no face, only what is behind it.
bool SpeedButtonShowsFace(int frame, bool flat);

class TSkinButton : public TSkinControl {
public:
    explicit TSkinButton(ui::TComponent* owner);
    ~TSkinButton() override;
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    // The control's click, or BN_CLICKED to a plain window's parent.
    virtual void Click();
    // The frame last painted (for the viewer and the tests).
    int LastFrame = 0;

protected:
    // The skin has a button image: without one the platform paints the button.
    bool CanDraw() const;
    // Hot tracking shared by every button kind: one hot button per window.
    void TrackMouseMove();
    void MouseEnter();
    void MouseLeave();
    // Shows a change of the mouse state: a later paint for a window, at once for a windowless
    // button (its parent would repaint everything around it).
    virtual void StateChanged() { RefreshSkin(); }

    // Painting parts shared by the kinds.
    // A plain push button cuts the strip into five frames, whatever the skin says; the glyph
    // kinds use the skin's own count.
    virtual int StripFrames() const { return 5; }
    TButtonState ReadButtonState();
    std::wstring ReadButtonCaption();
    // The font the caption is drawn in (not owned).
    HFONT CaptionFont();
    COLORREF CaptionColour(int frame, bool enabled) const;
    // FaceBitmap sized to rect's size, filled with what is behind the button and, unless
    // withFace is false, the strip frame on top. Returns its DC.
    HDC ComposeFace(const ui::TRect& rect, int frame, bool withFace);
    // The caption centred in the face, "||" breaking lines.
    void DrawCentredCaption(HDC face, const ui::TRect& rect, const std::wstring& caption, UINT format);
    void DrawFocus(HDC face, const ui::TRect& rect) const;
    // Lays out and draws glyph (or image) and caption of a glyph button or a speed button.
    void DrawGlyphAndCaption(HDC face, const ui::TRect& rect, int frame, bool enabled, bool forSpeedButton);

    ui::TBitmap FaceBitmap;

private:
    // Runs the control's own handling without letting it paint over the skin on the screen.
    void QuietDefault(ui::TMessage& message);
    int quiet_ = 0;
};

class TSkinBitButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;

protected:
    int StripFrames() const override;
};

class TSkinSpeedButton : public TSkinBitButton {
public:
    using TSkinBitButton::TSkinBitButton;
    ~TSkinSpeedButton() override;
    void AttachGraphic(TSkinHost* form, TSkinData* skinData, ui::TCanvas* canvas);
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void RedrawSkin(HDC dc) override;
    void PaintSpeedButton(HDC dc, const ui::TRect& rect);

protected:
    void StateChanged() override { RedrawSkin(nullptr); }
};

// Where the glyph and the text of a glyph button go. Sizes and positions are in client
// coordinates; spacing and margin -1 mean "centre".
struct TGlyphLayout {
    POINT glyphPos{};
    POINT textPos{};
    UINT textFormat = 0;
};
enum TGlyphSide : int { gsLeft, gsRight, gsTop, gsBottom };
// centred: the control asks for centring (its Alignment); speed buttons ignore it.
// forSpeedButton: one more pixel of margin when centred with a given spacing, no word break.
TGlyphLayout LayoutGlyphAndText(SIZE client, SIZE glyph, SIZE text, TGlyphSide side, int margin, int spacing,
                                bool centred, bool forSpeedButton);
// "blGlyphRight" and the others, in any letter case; glyph-left for anything else.
TGlyphSide GlyphSideFromName(const std::string& layoutName);
// One glyph of a strip of numGlyphs at (x, y): the column of glyphState for a four-glyph strip,
// else the first; greyed in the disabled state; its bottom-left colour left out.
void DrawButtonGlyph(HDC dc, int x, int y, int numGlyphs, int glyphState, const ui::TBitmap& glyph);

} // namespace skin
