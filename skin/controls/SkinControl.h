#pragma once
// Control skinning: one object per skinned control. It does not replace the control; it sits in
// front of the control's messages, lets the control do its own work and paints the skin over the
// result (or instead of it, for controls the skin draws whole).
//
// Three kinds of target:
// - a framework window control: the object replaces the control's WindowProc;
// - a plain child window without a framework object: the object subclasses the window;
// - a windowless framework control (speed buttons): the object replaces its WindowProc.
//
// The frame of the top-level window creates the objects, keeps them in its control list and frees
// those it owns; it is reached through TSkinHost so that this folder never needs the frame's class.
// The concrete kinds live one per header beside this one; WinSubClass.h gathers them.
#include "skin/data/SkinMessages.h"
#include "ui/Controls.h"
#include "ui/Graphics.h"
#include "ui/SubClass.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

namespace skin {

class TSkinData;
class TDataSkinObject;
class TSkinControl;

// Status of a control object.
enum TSkinControlStatus : int { ssNew = 0, ssAttached = 1, ssUnskinned = 2, ssDestroyed = 6 };
// MouseState bits.
enum : unsigned { msHot = 1, msPressed = 2 };

// Buttons strip frames, shared by every kind that paints a button face.
enum TButtonFrame : int { bfNormal = 1, bfPressed = 2, bfDisabled = 3, bfHot = 4, bfDefault = 5 };

// What a control object needs of the frame that owns its control list.
class TSkinHost {
public:
    virtual HWND HostWindow() const = 0;
    // The list keeps one entry per object.
    virtual void RegisterControl(TSkinControl* control) = 0;
    // Also forgets the object as the hot button.
    virtual void UnregisterControl(TSkinControl* control) = 0;
    // The one button of the window the mouse is over, told to leave when the mouse goes.
    virtual TSkinControl* HotButton() const = 0;
    virtual void SetHotButton(TSkinControl* control) = 0;
    // A canvas shared by the window's control objects; bound to a DC only while one paints.
    virtual ui::TCanvas* ControlCanvas() = 0;

protected:
    ~TSkinHost() = default;
};

class TSkinControl : public ui::TComponent {
public:
    // The owner is the skinned control (its end ends the object), or nullptr for a plain window,
    // whose object the frame frees.
    explicit TSkinControl(ui::TComponent* owner);
    ~TSkinControl() override;

    virtual void AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas);
    virtual void AttachWindow(HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas);
    // Gives the control its colour back; the message link goes with the object.
    virtual void Unskin();
    // True lets the control's own handling and AfterMessage run; false: the message is finished.
    virtual bool BeforeMessage(ui::TMessage& message);
    virtual void AfterMessage(ui::TMessage& message);
    // Paints the whole control into dc, or into its window DC when dc is nullptr.
    virtual void RedrawSkin(HDC dc);
    // rect: the window at the origin.
    virtual void DrawSkin(HDC dc, const ui::TRect& rect);
    virtual void SkinChanged();

    // The message entry that stands in for the control's own.
    void SkinWndProc(ui::TMessage& message);
    void CallOldProc(ui::TMessage& message);
    // Answers WM_PAINT by drawing the skin alone (WParam's DC, else BeginPaint).
    void HandlePaint(ui::TMessage& message);
    // For a control the skin draws whole: erasing, painting and printing the client area are the
    // skin's. True when the message was one of those and is answered.
    bool AnswerPaintMessages(ui::TMessage& message);
    // Answers a plain window's WM_PAINT through a memory bitmap: the window's own paint, then the
    // skin over it, copied to the screen once (a framework control's paint is buffered already).
    void PaintBuffered(ui::TMessage& message);
    // What the buffer holds before the window paints into it; the parent's colour by default.
    virtual void StartBuffer(HDC buffer, HDC screen, const ui::TRect& rect);
    // A part of the window the buffer is not copied over (a child window that paints itself).
    virtual RECT BufferKeepOut() const { return RECT{}; }
    // Tells a button the mouse left it, windowed or not.
    void TellMouseLeft();
    void RefreshSkin();
    void FillBackground(HDC dc, const ui::TRect& rect) const;
    void FillParentBackground(HDC dc, const ui::TRect& rect) const;
    // The control's text: the window's, read back with the wide function.
    std::wstring ReadCaption() const;
    // The framework control the object paints, windowed or not (nullptr for a plain window).
    ui::TControl* TargetControl() const { return Control ? static_cast<ui::TControl*>(Control) : GraphicControl; }
    bool Hooked() const;

    bool Hot() const { return (MouseState & msHot) != 0; }
    bool Pressed() const { return (MouseState & msPressed) != 0; }
    void SetMouseBit(unsigned bit, bool on) { MouseState = on ? (MouseState | bit) : (MouseState & ~bit); }

    unsigned MouseState = 0;
    ui::TCanvas* Canvas = nullptr;
    bool Enabled = true;
    bool Focused = false;
    std::wstring Caption;
    bool Active = true;
    TSkinData* SkinData = nullptr;
    HWND Handle = nullptr;
    ui::TWinControl* Control = nullptr;
    RECT WindowRect{};
    ui::TControl* GraphicControl = nullptr;
    bool UseSkinColor = false;
    ui::TColor SavedColor = 0;
    bool Attached = false;
    int Status = ssNew;
    TSkinHost* Form = nullptr;

protected:
    // Takes the frame, skin data and canvas, the control (nullptr for a plain window) and its
    // window, and joins the frame's control list; false, and not joined, without a window.
    bool Bind(ui::TWinControl* control, HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas);
    // Puts the object in front of a framework control's WindowProc.
    void HookControl(ui::TControl* control);
    // Takes the object out of the control's WindowProc chain again; a link someone installed
    // after ours stays and is passed through.
    void UnhookControl();
    // Subclasses a plain window.
    void HookWindow(HWND window);
    void UnhookWindow();
    void ReadState();

private:
    struct TProcLink;
    struct TLinkCall;
    std::shared_ptr<TProcLink> link_;
    ui::TControl* hooked_ = nullptr;
    ui::TSubclass subclass_;
};

// Published properties read and written by name, so that controls of any library with the same
// property names are served. Every one answers the empty value for a nil object or a missing
// property, and never raises.
int GetIntProp(ui::TObject* object, const std::string& name);
// The identifier of an enumeration value ("True", "blGlyphLeft"); "" when absent.
std::string GetEnumPropName(ui::TObject* object, const std::string& name);
std::wstring GetWideStrProp(ui::TObject* object, const std::string& name);
ui::TObject* GetObjectPropOf(ui::TObject* object, const std::string& name, const std::string& className);
// Enumerations by identifier, integers by number; other kinds are left alone.
void SetPropByText(ui::TObject* object, const std::string& name, const std::string& value);
bool PropIsTrue(ui::TObject* object, const std::string& name);

// Shared drawing of one frame (numbered from 1) of a horizontal image strip.
// The skin object's nine-slice picture (masked when the object is transparent); nothing for an
// inverted rectangle or a missing image.
void DrawSkinObject(HDC dc, const ui::TRect& rect, int frames, int frameIndex, const TDataSkinObject* object);
// One frame stretched to rect, magenta left out.
void DrawStripFrame(HDC dc, const ui::TRect& rect, int frames, int frameIndex, const ui::TBitmap* bitmap);
// Text centred vertically (one pixel above true centre), and horizontally for DT_CENTER.
void DrawCaptionCentered(HDC dc, const ui::TRect& rect, UINT alignment, bool enabled, const std::wstring& text);

} // namespace skin
