#pragma once
// The skin objects: one image strip of the skin archive with the numbers that say how to cut and
// draw it (nine-slice margins, frame count, tile and transparency flags, state colours). The skin
// component owns them; window and control skinning read them and hand them to the drawing routines.
#include "ui/Graphics.h"

#include <string>

namespace skin {

// The text colour a state takes when the skin gives none.
constexpr int NoColourChoice = -1;

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string name = {}) : Name(std::move(name)) {}
    virtual ~TDataSkinObject() = default;
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    // The cut margins as the drawing routines take them.
    ui::TRect Margins() const { return ui::Rect(LeftWidth, TopHeight, RightWidth, BottomHeight); }
    // The width of one frame of the (horizontal) strip; 0 when there is no image.
    int FrameWidth() const { return Frame > 0 ? Bitmap.Width() / Frame : 0; }

    int LeftWidth = 0;
    int TopHeight = 0;
    int RightWidth = 0;
    int BottomHeight = 0;
    ui::TBitmap Bitmap;   // empty when the skin lacks the image
    int Trans = 0;        // non-zero: magenta pixels are left out when drawn
    int Tile = 0;         // 0: middle parts stretched; 1: tiled
    std::string Name;     // section (or key prefix) the object was read from
    int Frame = 0;        // number of equal frames (element states) in the strip
    int Style = 0;
    int NormalColour = NoColourChoice;
    int MouseOverColour = NoColourChoice;
    int PressedColour = NoColourChoice;
    ui::TColor NormalColour2 = 0;
    ui::TColor MouseOverColour2 = 0;
    ui::TColor PressedColour2 = 0;
};

// An object with a second image: the progress bar's chunk, the tab border, the up-down glyphs and
// the mirrored combo button.
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    ui::TBitmap Chunk;
};

// The caption text band. Its margins carry the text layout: LeftWidth = TextShift, TopHeight =
// TextShiftVert, RightWidth = TextRightClip; Bitmap is the text background.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int TextAlignment = 0;
    int Textbackground = 0;
    int FontHeight = 14;
    int TXTBackleft = 0;
    int TXTBackRight = 0;
    ui::TColor ActiveTextColor = ui::clNone;    // clNone when the skin gives no complete colour
    ui::TColor InactiveTextColor = ui::clNone;
};

// Push buttons, with the check-box and radio-button strips beside them.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    ui::TBitmap CheckBitmap;
    ui::TBitmap RadioBitmap;
    int RadioButtonFrame = 0;
    int CheckButtonFrame = 0;
    bool HasNormalColour2 = false;     // the skin gave the colour itself
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// A caption button (close, maximise, minimise, system menu, or one of the skin's own) and the three
// MDI child buttons.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int Action = 0;
    int Align = 0;
    int Xcoord = 0;
    int Ycoord = 0;
    int CombineOp = -1;
    int Visibility = 0;
    int Visibility1 = 0;
};

// The group box label background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int BackgroundLeftShift = 0;
    int BackgroundRightShift = 0;
    int BackgroundAlignment = 0;
};

} // namespace skin
