#pragma once
// Panel, image and timer.
#include "Controls.h"

namespace ui {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
const TEnumInfo& BevelCutEnum();

// Published: Caption, Alignment, BevelInner, BevelOuter, BevelWidth, BorderWidth, BorderStyle,
// Color, ParentColor, Font, ParentFont, Ctl3D, ParentCtl3D, FullRepaint, Transparent, TabOrder,
// TabStop. With Ctl3D off (a flat panel) the controls on it that follow it draw without 3-D borders.
// Transparent, the parent's background (what the parent paints for WM_PRINTCLIENT, through its
// WindowProc) shows under the bevels and caption instead of Color.
class TCustomPanel : public TCustomControl {
    UI_CLASS(TCustomPanel)
public:
    explicit TCustomPanel(TComponent* owner);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; Invalidate(); }
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value) { bevelInner_ = value; Realign(); }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value) { bevelOuter_ = value; Realign(); }
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value) { bevelWidth_ = value; Realign(); }
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value) { borderWidth_ = value; Realign(); }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value) { borderStyle_ = value; RecreateWnd(); }
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; Invalidate(); }
    // Aligned children go inside the bevels and border.
    void AdjustClientRect(TRect& rect) const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void Realign();

    TAlignment alignment_ = TAlignment::taCenter;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::bsNone;
    bool fullRepaint_ = true;
    bool transparent_ = false;
};

class TPanel : public TCustomPanel {
    UI_CLASS(TPanel)
public:
    explicit TPanel(TComponent* owner);
};

// Published: Picture (Picture.Data in a description), Stretch, Center, Proportional, Transparent,
// AutoSize. A picture with alpha is blended over the parent's background.
class TImage : public TGraphicControl {
    UI_CLASS(TImage)
public:
    explicit TImage(TComponent* owner);
    TPicture& Picture() { return picture_; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value) { stretch_ = value; Invalidate(); }
    bool Center() const { return center_; }
    void SetCenter(bool value) { center_ = value; Invalidate(); }
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value) { proportional_ = value; Invalidate(); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; Invalidate(); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }
    // Where the picture is drawn inside the control.
    TRect DestRect() const;

protected:
    void Paint() override;
    TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool proportional_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
};

// Published: Enabled, Interval (milliseconds), OnTimer. Runs on the thread that made it.
class TTimer : public TComponent {
    UI_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);
    TNotifyEvent OnTimer;
    void Loaded() override;

private:
    void UpdateTimer();
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    bool enabled_ = true;
    unsigned interval_ = 1000;
    UINT_PTR id_ = 0;
};

} // namespace ui
