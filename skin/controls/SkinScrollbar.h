#pragma once
// Scroll bars. A native scroll bar cannot be painted from outside, so a window of our own (the
// overlay) lies over each one and is painted from the skin; a press on it is handed to the
// scrolled window as a press on its native bar, whose own tracking loop then does the scrolling.
//
// - TSkinScrollbar: a framework control that scrolls (memo, list box, ...): a horizontal and a
//   vertical overlay over its own scroll bars;
// - TSkinScrollbarH: the same for a plain window (a combo box's drop-down list);
// - TSkinScControl: a stand-alone scroll bar control, one overlay over the whole control;
// - TSkinSizer: a size box or size grip, painted flat in the skin's face colour.
#include "skin/controls/SkinControl.h"

namespace skin {

// The parts of a bar, as the scroll requests number them.
enum TScrollPart : int { spFirstArrow = 0, spLastArrow = 1, spPageBefore = 2, spPageAfter = 3, spThumb = 5, spNone = -1 };
// What an overlay stands over.
enum TScrollKind : int { skHorizontal = 0, skVertical = 1, skControl = 2 };

// The overlay window. It is a sibling of the scrolled window (a child of the same parent, on top
// of it), or a top-level popup when the scrolled window is itself top-level (a drop-down list).
class TWScrollbar {
public:
    explicit TWScrollbar(TSkinControl* skinOwner);
    ~TWScrollbar();
    TWScrollbar(const TWScrollbar&) = delete;
    TWScrollbar& operator=(const TWScrollbar&) = delete;

    // A framework control's bar (kinds 0 and 1), or a scroll bar control (kind 2: its own
    // orientation decides).
    void AttachTo(ui::TWinControl* control, int kind);
    // A plain window's bar (kinds 0 and 1) or a plain "scrollbar" window (kind 2).
    void AttachToWindow(HWND handle, int kind);
    // Follows the native bar: position, size, visibility; repaints.
    void UpdatePosition(HWND handle);
    // The part under a point in bar coordinates.
    int HitTest(POINT point) const;
    // The native bar's geometry and state, by kind; false when there is none.
    bool ReadBarInfo(SCROLLBARINFO& info) const;
    // A scroll bar control's geometry, computed from its range, position and page.
    bool GetControlBarInfo(SCROLLBARINFO& info) const;
    void TrackThumb();
    // Composes the bar off-screen and copies it to dc once.
    void Paint(HDC dc);
    void Repaint();
    // Reads the native bar again and follows it: moved, resized, shown or hidden, repainted when
    // anything the picture depends on changed (or always when forced). True when the overlay's
    // place or visibility changed.
    bool Sync(bool force);
    // Hides the overlay until the next Sync (skin painting switched off).
    void Conceal();
    HWND Window() const { return window_; }

    int Length = 0;
    int ThumbTop = 0;
    int ThumbBottom = 0;
    POINT ScreenOrigin{};
    POINT PressCursor{};
    int PressThumbTop = 0;
    bool Tracking = false;
    int Orientation = 0;
    int ArrowSize = 0;
    HWND Target = nullptr;
    ui::TWinControl* TargetControl = nullptr;
    TSkinControl* SkinOwner = nullptr;
    int Kind = skHorizontal;
    RECT ClientRect{};
    int Part = spNone;
    // The part the mouse is over (for the arrows' hot frames), spNone when it is elsewhere.
    int HotPart = spNone;
    bool BarVisible = false;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateOverlay();
    void Press(POINT local);
    void Compose(HDC dc, int width, int height, const SCROLLBARINFO& info);
    // What the picture and the place depend on, to tell whether anything changed.
    struct TBarState {
        bool shown = false;
        RECT rect{};
        int thumbTop = 0, thumbBottom = 0, lineButton = 0;
        DWORD state = 0;
        bool enabled = true;
        bool operator==(const TBarState& other) const;
    };
    TBarState ReadState() const;
    HWND window_ = nullptr;
    TBarState last_{};
    bool placed_ = false;
    bool syncing_ = false;
    bool mouseTracked_ = false;
    bool addedClipSiblings_ = false;
    // The arrows' length along the axis as last painted (half the bar each on a short bar).
    int arrow_ = 0;
    // Cleared when the overlay goes, for code that waits in the native loop.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class TSkinScrollbar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinScrollbar() override;
    virtual void AttachScrollbars(ui::TWinControl* control, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas);
    void Unskin() override;
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    // The overlays and the corner between them, whatever DC the caller has: the corner lies in
    // the window's frame, so it is always painted through the window DC.
    void RedrawSkin(HDC dc) override;
    // Fills the corner of a DC of the whole window (origin at the window's top-left).
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    void SkinChanged() override;
    void UpdateBars();
    // Whether one of the window's messages is being handled right now (the object must not go).
    bool InMessage() const { return depth_ > 0; }

    std::unique_ptr<TWScrollbar> HorzBar;
    std::unique_ptr<TWScrollbar> VertBar;
    // Told with NotifyMessage (posted) when the scrolled window is hidden.
    HWND NotifyWindow = nullptr;
    UINT NotifyMessage = 0;

protected:
    void FreeBars();
    // Follows the native bars after a message; repaints the corner when a bar came or went.
    void SyncBars(bool force);
    // The square between both bars, in window coordinates; empty unless both are shown.
    RECT CornerRect() const;
    int depth_ = 0;
    bool wasVisible_ = false;
};

class TSkinScrollbarH : public TSkinScrollbar {
public:
    using TSkinScrollbar::TSkinScrollbar;
    void AttachWindow(HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas) override;
};

class TSkinScControl : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinScControl() override;
    void AttachScrollControl(ui::TWinControl* control, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas);
    // A plain "scrollbar" window of a dialog.
    void AttachWindow(HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas) override;
    void Unskin() override;
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;

    std::unique_ptr<TWScrollbar> Bar;
};

class TSkinSizer : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
};

} // namespace skin
