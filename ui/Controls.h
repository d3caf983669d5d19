#pragma once
// Controls: TControl (with or without a window), TWinControl (a Unicode window registered under the
// control's class name, with a replaceable message entry WindowProc), TGraphicControl (windowless,
// painted by its parent) and TCustomControl (a window with a canvas and a Paint operation).
#include "Component.h"
#include "Graphics.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

// Framework messages (sent through WindowProc, never posted to other processes).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
// A windowless control lost the mouse capture its parent held for it (drop any pressed state).
constexpr UINT CM_CANCELMODE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_RELEASE = CM_BASE + 33;
// Notifications a parent reflects to the child they concern (CN_COMMAND for WM_COMMAND, ...).
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;

// One message as it travels through WindowProc; handlers set Result.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};
using TWndMethod = std::function<void(TMessage&)>;

// Keyboard shift state.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32;
TShiftState KeyboardShiftState();

// Event types. Key is the virtual-key code (0 = handled); the key-press character is modifiable
// (0 = swallow it).
using TNotifyEvent = std::function<void(TObject* Sender)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TBorderStyle { bsNone, bsSingle };
const TEnumInfo& AlignEnum();
const TEnumInfo& AlignmentEnum();
const TEnumInfo& BorderStyleEnum();

// Whether `accel` is the mnemonic of `caption` (the character after a single '&', letter case
// ignored).
bool IsAccel(wchar_t accel, const std::wstring& caption);

class TWinControl;
class TCustomForm;
class TPopupMenu;

// Published: Left, Top, Width, Height, Align, Caption/Text (where the class shows it), Color,
// ParentColor, Font, ParentFont, Enabled, Visible, Tag, Name, OnClick (where the class has it).
class TControl : public TComponent {
    UI_CLASS(TControl)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Rect(left_, top_, left_ + width_, top_ + height_); }
    // Whether a point of the parent's client area falls on the control.
    bool ContainsPoint(POINT point) const
    {
        return point.x >= left_ && point.y >= top_ && point.x < left_ + width_ && point.y < top_ + height_;
    }
    // The client area, at the origin.
    virtual TRect ClientRect() const;
    int ClientWidth() const { return RectWidth(ClientRect()); }
    int ClientHeight() const { return RectHeight(ClientRect()); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, with every parent visible (and, for windows, the window shown).
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // The control's text: its caption, or the contents of an edit.
    std::wstring Caption() const { return GetText(); }
    void SetCaption(const std::wstring& text) { SetText(text); }
    std::wstring Text() const { return GetText(); }
    void SetTextValue(const std::wstring& text) { SetText(text); }
    virtual std::wstring GetText() const;
    virtual void SetText(const std::wstring& text);

    TColor Color() const { return color_; }
    virtual void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // The message entry: every message of the control goes through it. It starts as the control's
    // own WndProc; the skin engine saves it, installs its own and calls the saved one.
    TWndMethod WindowProc;
    // Sends a message through WindowProc and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    TNotifyEvent OnClick;
    virtual void Click();

    // The context menu a right click or the context-menu key opens over the control (published
    // "PopupMenu"); a control without one passes the request to its parent.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value);
    // Forgets its popup menu when that goes.
    void Notification(TComponent* component, TOperation operation) override;

    virtual void Invalidate();
    virtual void Update();
    void Repaint() { Invalidate(); Update(); }
    void Refresh() { Repaint(); }
    void BringToFront();

    POINT ClientToScreen(POINT point) const;
    POINT ScreenToClient(POINT point) const;

    // The control's own message handling (what WindowProc starts as).
    virtual void WndProc(TMessage& message);
    // Handling of messages nobody answered.
    virtual void DefaultHandler(TMessage& message);

protected:
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged() {}
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    void RequestAlign();
    void ParentFontChanged();
    void ParentColorChanged();

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::wstring text_;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    bool applyingParentFont_ = false;
    bool mouseInside_ = false;
    TPopupMenu* popupMenu_ = nullptr;

    friend class TWinControl;
};

// A control without a window, painted by its parent into the parent's DC (WM_PAINT through
// WindowProc with the DC in WParam, origin moved to the control's top-left). The parent routes the
// mouse to it through its WindowProc (see TWinControl).
class TGraphicControl : public TControl {
    UI_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas& Canvas() { return canvas_; }
    void Invalidate() override;
    void Update() override;
    void WndProc(TMessage& message) override;

protected:
    virtual void Paint() {}
    TCanvas canvas_;
};

// Parameters a windowed control is created with.
struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // The window class name (the control's class name) and the system class it superclasses
    // (L"EDIT", L"BUTTON", L"COMBOBOX"; empty for a class of its own).
    std::wstring WinClassName;
    std::wstring BaseClassName;
    UINT ClassStyle = CS_DBLCLKS;
    HICON Icon = nullptr;
    HICON SmallIcon = nullptr;
};

// The framework control a window belongs to, or nullptr.
TWinControl* FindControl(HWND window);
// The nearest framework control at or above `window` (a combo box for its inner edit).
TWinControl* FindOwningControl(HWND window);

// Published in addition: TabOrder, TabStop, Ctl3D, ParentCtl3D, DoubleBuffered (public),
// OnEnter, OnExit, OnKeyDown, OnKeyUp, OnKeyPress (on the classes that show them).
//
// Double buffered, a paint is composed off-screen before it reaches WindowProc: WindowProc sees
// WM_ERASEBKGND and then exactly one WM_PAINT, both with the memory DC in WParam, and the result is
// copied to the screen afterwards. A replacement of WindowProc paints over that DC.
//
// Windowless children get the mouse from their parent: WM_LBUTTONDOWN, WM_LBUTTONDBLCLK,
// WM_LBUTTONUP and WM_MOUSEMOVE go through the WindowProc of the topmost visible enabled one under
// the cursor, in its own coordinates. A press captures the mouse for that control until the
// release (CM_CANCELMODE tells it when the capture is taken away), and CM_MOUSEENTER /
// CM_MOUSELEAVE tell it when the cursor comes onto it and leaves it (or the parent).
class TWinControl : public TControl {
    UI_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* owner);
    // Frees its child controls (as the owner would), then destroys the window.
    ~TWinControl() override;

    // The window, created (with its parents') when it does not exist yet.
    HWND Handle();
    HWND WindowHandle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    void DestroyHandle();
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;

    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool value);

    bool Showing() const override;
    // The window or a window inside it has the keyboard focus.
    bool Focused() const;
    // It and every parent up to the form are visible and enabled.
    bool CanFocus() const;
    // Focuses the control; does nothing when it cannot take the focus. On a form not yet shown,
    // the control becomes the form's ActiveControl.
    virtual void SetFocus();

    // Windowed children in tab order, nested (a child, then the children inside it).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next (or previous) control after `current` among this control's tab-order list.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    // The topmost visible enabled windowless child at a client point, or nullptr.
    TControl* ControlAtPos(POINT point) const;
    // The windowless child holding the mouse (pressed on) and the one under the cursor.
    TControl* CaptureControl() const { return captureControl_; }
    TControl* MouseControl() const { return mouseControl_; }

    // Paints the control and its children into `dc` at (x, y).
    void PaintTo(HDC dc, int x, int y);
    // Lays the children out by their Align, inside AdjustClientRect(ClientRect()).
    virtual void AlignControls();
    virtual void AdjustClientRect(TRect& rect) const { (void)rect; }
    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    void Invalidate() override;
    void Update() override;
    void SetText(const std::wstring& text) override;
    std::wstring GetText() const override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Key handling the application's message loop drives; true when the key was consumed.
    virtual bool DoKeyDown(std::uint16_t& key, TShiftState shift);
    virtual bool DoKeyPress(wchar_t& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Whether the control handles the key itself (an edit wants arrows, a multi-line edit Enter).
    virtual bool WantsKey(std::uint16_t key) const;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Makes the window itself (CreateWnd binds it to the control as its first message arrives).
    virtual HWND CreateWindowHandle(const TCreateParams& params);
    // After the window exists: set its font, text and state, make the child windows.
    virtual void CreateHandleDone();
    virtual void DestroyWnd();
    // Paints what the control draws itself (background and windowless children), WParam DC or not.
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc);
    void PaintHandler(TMessage& message);
    void FontChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void UpdateBounds();
    virtual void Resize() {}
    // Height given to the window (a drop-down combo box adds its list).
    virtual int WindowHeight() const { return height_; }
    // Messages from a system class window that must go to its original procedure.
    LRESULT CallDefault(UINT msg, WPARAM wParam, LPARAM lParam);
    // Mouse messages for windowless children; true when one of them took the message.
    bool RouteMouse(TMessage& message);
    void SetMouseControl(TControl* control);
    // A real WM_PAINT of a double-buffered window: one pass through WindowProc into memory.
    void PaintBuffered();

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;
    bool doubleBuffered_ = false;
    int tabOrder_ = -1;
    bool tabStop_ = false;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    bool settingBounds_ = false;
    bool aligning_ = false;
    TControl* captureControl_ = nullptr;
    TControl* mouseControl_ = nullptr;
    HBRUSH brush_ = nullptr;
    TColor brushColor_ = clNone;
    std::uint64_t creationIndex_ = 0;

    friend LRESULT CALLBACK InitWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT DispatchToControl(TWinControl*, UINT, WPARAM, LPARAM);
    friend class TControl;
    friend class TCustomForm;
    HBRUSH ColorBrush();
};

// A window that paints itself on a canvas.
class TCustomControl : public TWinControl {
    UI_CLASS(TCustomControl)
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas& Canvas() { return canvas_; }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    TCanvas canvas_;
};

// Dispatches one message to a framework window: exceptions are handed to the application's
// handler, never through the system's frames.
LRESULT DispatchToControl(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace ui
