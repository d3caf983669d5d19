#pragma once
// Forms, the screen (its forms, its menu font) and the application (message loop, exception
// handler). Every form's window class is its own class name ("TReprocessaSequencial").
#include "Controls.h"

#include <memory>
#include <type_traits>

namespace ui {

class TMainMenu;
class TMenuItem;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TEnumInfo& FormBorderStyleEnum();
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
const TEnumInfo& BorderIconElements();
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
const TEnumInfo& PositionEnum();
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
const TEnumInfo& WindowStateEnum();
// fsMDIForm: the form holds an MDI client window ("MDICLIENT") and its children; fsMDIChild: the
// form lives inside the MDI client of the application's main form.
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
const TEnumInfo& FormStyleEnum();
enum class TTileMode { tbHorizontal, tbVertical };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// Published: Caption, ClientWidth, ClientHeight, Left, Top, Width, Height, BorderStyle,
// BorderIcons, Position, WindowState, AutoScroll, Color, Font, KeyPreview, ActiveControl, and
// (accepted, no effect) OldCreateOrder, PixelsPerInch, TextHeight, Scaled; events OnCreate, OnShow,
// OnClose, OnCloseQuery, OnActivate, OnDeactivate, OnDestroy, OnKeyDown, OnKeyUp, OnKeyPress.
//
// Keyboard, as in a dialog: Tab / Shift+Tab move between the enabled visible tab stops in tab
// order, Alt+mnemonic (or the bare letter where the focused control takes no characters) clicks
// the button, Enter and Space press the focused button, Enter elsewhere the Default button, Esc
// the Cancel button. With KeyPreview off, the form's OnKeyDown sees a key only when the form itself
// has the focus. WM_NEXTDLGCTL (0, 0) moves to the next tab stop. Dialog keys and characters reach
// DialogKey / DialogChar as CM_DIALOGKEY / CM_DIALOGCHAR through WindowProc, so that a replacement
// of it can take them first (answering 1 ends their handling).
//
// The window carries the program's icon (resource "MAINICON", else the system's) through
// WM_SETICON; icons it loaded for itself go with the window.
class TCustomForm : public TWinControl {
    UI_CLASS(TCustomForm)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // The menu bar (published "Menu"): its platform menu is the window's menu; its commands,
    // shortcuts and owner-drawn items are routed to it.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* value);
    // Set before the window is made (published "FormStyle").
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);

    // MDI frames (fsMDIForm): the client window and the children in it.
    HWND ClientHandle() const { return clientHandle_; }
    TCustomForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int index) const;
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void Next();
    void Previous();
    TTileMode TileMode() const { return tileMode_; }
    void SetTileMode(TTileMode value) { tileMode_ = value; }
    // The item under which the MDI client lists the children (published "WindowMenu").
    TMenuItem* WindowMenu() const { return windowMenu_; }
    void SetWindowMenu(TMenuItem* value);

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    // The window's own state while it shows; otherwise the state Show will give it.
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);
    // Only a flag: the form does not scroll. The skinned frame clears it when it takes over.
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value) { autoScroll_ = value; }
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;
    TRect ClientRect() const override;

    // The focused control of the form (kept while the form is inactive).
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Focuses the first tab stop.
    void SelectFirst();
    void FocusControl(TWinControl* control);

    void Show();
    void Hide();
    void Close();
    // Shows the form modally: every other window of the thread is disabled while its own message
    // loop runs, until ModalResult is set (a button's ModalResult, or closing: mrCancel).
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    bool Modal() const { return modal_; }
    // Frees the form once the current message has been handled.
    void Release();
    bool Active() const { return active_; }

    // Keyboard handling driven by the application's message loop; true when the message is done.
    // CM_DIALOGKEY (wParam key, lParam shift state) and CM_DIALOGCHAR (wParam character, lParam 1
    // with Alt) go through WindowProc to DialogKey and DialogChar, Result 1 when handled.
    bool PreProcessKey(MSG& msg);
    bool DialogKey(std::uint16_t key, TShiftState shift);
    bool DialogChar(wchar_t ch, bool alt);
    // A control of the form (or nullptr: the form itself) took the focus: OnExit / OnEnter.
    void FocusChanged(TWinControl* control);

    TNotifyEvent OnCreate, OnShow, OnHide, OnActivate, OnDeactivate, OnDestroy;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void Loaded() override;
    void SetVisible(bool visible) override;
    void WndProc(TMessage& message) override;
    // MDI frames end in DefFrameProc, MDI children in DefMDIChildProc.
    void DefaultHandler(TMessage& message) override;
    // The menu and window menu going away are forgotten.
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // An MDI child is made through its frame's MDI client (WM_MDICREATE); an MDI frame makes its
    // client window once its own window exists.
    void CreateWnd() override;
    // MDI (MDIForms.cpp): the client window, child activation and menu merging.
    void CreateMDIClient();
    void MDIChildActivated(TCustomForm* child);
    // A child goes through WM_MDICREATE to its frame's client.
    HWND CreateWindowHandle(const TCreateParams& params) override;
    // A frame's client takes what its aligned controls leave.
    void AlignControls() override;
    // Menu messages reaching the form (Menus routing).
    bool HandleMenuMessage(TMessage& message);
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void PaintWindow(HDC dc) override;
    virtual bool CloseQuery();
    void PlaceOnScreen();
    void AssignIcons();
    void ReleaseIcons();

    struct IconDeleter {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };
    using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

    TMainMenu* menu_ = nullptr;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    HWND clientHandle_ = nullptr;
    TTileMode tileMode_ = TTileMode::tbHorizontal;
    TMenuItem* windowMenu_ = nullptr;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = TPosition::poDesigned;
    bool keyPreview_ = false;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool autoScroll_ = true;
    // Icons loaded for this window (null when it shows the shared system icon).
    IconHandle smallIcon_;
    IconHandle bigIcon_;
    int clientWidthWanted_ = -1;
    int clientHeightWanted_ = -1;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    int modalResult_ = 0;
    bool modal_ = false;
    bool active_ = false;
    bool placed_ = false;
    bool focusSet_ = false;

    friend class TWinControl;

private:
    // MDI pieces (MDIForms.cpp) the form's own handlers call.
    void ApplyFormStyle(TCreateParams& params) const;
    // True when the message was handled whole.
    bool MDIWndProc(TMessage& message);
    void ShowMDIChild();
    // True when the window went through its client (WM_MDIDESTROY).
    bool DestroyMDIChild();
    TCustomForm* MDIParent() const;
    void SizeMDIClient();
    void RefreshMDIMenu();
};

// A form read from a description. Program forms derive from it, declare their class with
// UI_CLASS and their fields and handlers with TClassBuilder, and are made with
// Application.CreateForm (which reads the description kept in the RCDATA resource named after the
// class) or with ReadComponentText (FormReader.h).
class TForm : public TCustomForm {
    UI_CLASS(TForm)
public:
    explicit TForm(TComponent* owner);
};

// The form holding a control (nullptr for a control not on a form).
TCustomForm* GetParentForm(const TControl* control);

class TScreen : public TComponent {
    UI_CLASS(TScreen)
public:
    TScreen();
    ~TScreen() override;
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(index); }
    // The font menus are drawn in (the system's menu font).
    TFont& MenuFont();
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

private:
    std::vector<TCustomForm*> forms_;
    std::unique_ptr<TFont> menuFont_;
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
    UI_CLASS(TApplication)
public:
    TApplication();
    ~TApplication() override;

    void Initialize();
    // Creates a form of class F owned by the application, reads its description from the RCDATA
    // resource named after its class, and makes the first one the main form. A damaged description
    // raises, and the half-made form is freed.
    template <class F>
    void CreateForm(F*& reference)
    {
        std::unique_ptr<F> form(new F(this));
        reference = form.get();
        try {
            ReadForm(form.get());
        } catch (...) {
            reference = nullptr;
            throw;
        }
        FormCreated(form.release());
    }
    // Runs the message loop until the main form closes (or Terminate).
    void Run();
    // Handles every pending message, then returns.
    void ProcessMessages();
    // Handles one message; false when the queue was empty.
    bool HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }

    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }
    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title) { title_ = title; }
    // A hidden window that carries timers and posted calls.
    HWND Handle();

    // The last-resort handler: the silent stop is swallowed, any other exception is shown in an
    // error box with its message (or passed to OnException when set).
    void HandleException(const std::exception* error);
    void ShowException(const std::exception& error);
    TExceptionEvent OnException;

    // Runs `call` from the message loop (after the current message).
    void Post(std::function<void()> call);

    // Pre-translates one message (keyboard of framework forms); true when it was handled.
    bool ProcessMessage(MSG& msg);

private:
    void ReadForm(TComponent* form);
    void FormCreated(TCustomForm* form);
    static LRESULT CALLBACK UtilWndProc(HWND, UINT, WPARAM, LPARAM);
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::wstring title_;
    HWND handle_ = nullptr;
    std::vector<std::function<void()>> posted_;
};

extern TScreen& Screen;
extern TApplication& Application;

// Registers the framework's classes with the form reader (done by the reader itself as well).
void RegisterStandardClasses();

} // namespace ui
