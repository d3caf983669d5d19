#pragma once
// The skinned frame of a top-level window: it takes over the window's non-client area and draws
// it from the skin (four borders, the caption bar with icon, text and caption buttons), gives the
// window the outline of its borders, and answers the non-client messages so that the window moves,
// sizes, minimises, maximises, restores and closes from the skin's own caption buttons.
//
// The skin manager attaches one frame per top-level window (through TSkinManage::FrameFactory,
// installed by UseWindowSkinning) and owns it.
#include "skin/controls/WinSubClass.h"
#include "skin/window/NCObjects.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinMenu.h"
#include "ui/Controls.h"
#include "ui/GdiObjects.h"
#include "ui/Graphics.h"
#include "ui/Menus.h"
#include "ui/SubClass.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace ui {
class TCustomForm;
class TMainMenu;
class TPopupMenu;
}

namespace skin {

class TSkinData;
class TDataSkinBorder;

// Installs the frame factory in the skin manager: from then on the manager's hook gives every
// top-level window it skins a TWinSkinForm.
void UseWindowSkinning();

// Border kinds and window states as the frame keeps them.
enum TBorderKind : int { bkSizable = 0, bkFixed = 1, bkNoCaption = 2, bkDialog = 3 };
enum TFrameWindowState : int { fwsNormal = 0, fwsMaximized = 1, fwsMinimized = 2 };
// StyleFlags bits.
enum : unsigned { sfMaxBox = 1, sfMinBox = 2, sfSysMenu = 8, sfCaptionRemoved = 0x10 };
// Status values.
enum TFrameStatus : int {
    fsCreated = 0, fsAttached = 1, fsChanging = 3, fsDestroying = 4, fsLayingOut = 5, fsDestroyed = 6
};

class TWinSkinForm final : public TSkinnedWindow, public TSkinHost {
public:
    // The mouse-leave timer's id on the window, and its interval.
    static constexpr UINT_PTR MouseLeaveTimerId = 0x3550;
    static constexpr UINT MouseLeaveInterval = 250;

    TWinSkinForm(HWND window, ui::TCustomForm* form);
    // The frame the skin manager keeps for a window, or nullptr.
    static TWinSkinForm* Find(HWND window);
    ~TWinSkinForm() override;
    TWinSkinForm(const TWinSkinForm&) = delete;
    TWinSkinForm& operator=(const TWinSkinForm&) = delete;

    // What the skin manager sees.
    HWND Handle() const override { return WindowHandle; }
    TSkinData* SkinData() const override { return skinData_; }
    bool Destroyed() const override { return Status == fsDestroyed; }
    void Detach() override;
    void ReleaseCaptionButtons() override;
    void ReloadSkin() override;
    void ReapplyControls() override { ApplySkinChange(); }

    // Attaching (FrameAttach.cpp).
    void AttachToForm(TSkinData* skinData, ui::TCustomForm* form);
    void AttachToWindow(TSkinData* skinData);
    bool Subclassed() const { return subclass_.Installed(); }
    void LoadGeometry();
    void FitWindow(bool keepClient);
    void ApplySkinChange();

    // Outline and painting (FrameRegion.cpp, FramePaint.cpp).
    void UpdateRegion();
    // Paints the whole frame; dc nullptr: the window DC. Composed off-screen, copied once.
    void PaintFrame(HDC dc = nullptr);
    // The frame as it was last composed (W x H; the client part is not drawn).
    const ui::TBitmap& FrameImage() const { return frameImage_; }

    // The control list (SkinHost.cpp): what the control objects see of their frame.
    HWND HostWindow() const override { return WindowHandle; }
    void RegisterControl(TSkinControl* control) override;
    void UnregisterControl(TSkinControl* control) override;
    TSkinControl* HotButton() const override { return hotButton_; }
    void SetHotButton(TSkinControl* control) override { hotButton_ = control; }
    ui::TCanvas* ControlCanvas() override { return &controlCanvas_; }
    // The object painting a framework control or a window; nullptr when there is none.
    TSkinControl* FindControlObject(const ui::TControl* control) const;
    TSkinControl* FindWindowObject(HWND window) const;
    // Frees the objects whose window is gone.
    void PurgeDeadControls();
    // Skin off for every control: colours back, objects freed, message links undone.
    void UnskinControls();
    // Tells every control object the skin changed.
    void ControlsSkinChanged();

    // Classification (Classify.cpp): which controls get which object.
    void SkinComponents(ui::TComponent* owner);
    void ClassifyComponent(ui::TComponent* component, ui::TComponent* owner);
    bool MapSkin3rd(const std::string& className, ui::TComponent* component);
    bool IsSkinned(ui::TComponent* component) const;
    void SkinChildWindows();
    void SkinChildWindow(HWND handle) override;
    void MDIMaximizedChanged(bool value) override;
    bool Busy() const override { return MenuTracking; }
    // Creates and attaches an object for a component, or for a window (owner nullptr: the frame's).
    template <class T> void Attach(ui::TComponent* component, bool useSkinColor);
    template <class T> void AttachHandle(ui::TComponent* owner, HWND window);
    void AttachGraphicControl(ui::TComponent* component);
    // Scrolling controls and stand-alone scroll bars: their objects overlay bars instead of
    // painting the control.
    template <class T> void AttachScrolling(ui::TComponent* component);
    void AttachScrollControl(ui::TComponent* component);
    void AttachGlyphCheckBox(ui::TComponent* component);

    // The menu bar (WinSkinMenu.cpp) and the menus of the window (FrameMenus.cpp).
    // The form's main menu, or nullptr (plain windows have none).
    ui::TMainMenu* MainMenu() const;
    // Makes the skinned bar when the window has a menu; none for MDI children.
    void CreateMenuBar();
    // Rebuilds the bar after a menu change (deferred while a bar menu is open).
    void RebuildMenuBar();
    // Gives the window its platform menu bar back and frees the skinned one.
    void FreeMenuBar(bool restore);
    // Owner-drawn menu items reaching the window; false: the previous procedure answers.
    bool MeasureMenuItem(MEASUREITEMSTRUCT& measure);
    bool DrawMenuItem(const DRAWITEMSTRUCT& draw);
    // The menus of the form drawn by the skin, or given back their platform drawing.
    void SkinFormMenus(bool value);
    // Alt+letter, Alt alone and F10: opens the matching bar menu; true when one opened.
    bool MenuAccelerator(wchar_t ch);
    // The frame of an MDI child's MDI frame window; nullptr for other windows.
    TWinSkinForm* MDIFrame() const;

    // The skinned system menu (SystemMenu.cpp).
    void BuildSystemMenu();
    void FreeSystemMenu();

    // MDI (MDIClient.cpp).
    void HookMDIClient();
    void UnhookMDIClient();
    // An MDI frame whose active child is maximised.
    bool ActiveChildMaximized() const;
    // MDI child commands of the caption buttons in the bar (minimise, restore, close).
    void MDIChildCommand(UINT code);

    // Caption buttons (CaptionButtons.cpp).
    bool IsShown(int index);
    void LayoutCaptionButtons();
    void PerformAction(int x, int y);
    void ShowSystemMenu(POINT screenPoint);
    // Opens the window's system menu at a screen point (no double-click rule).
    void TrackSystemMenu(POINT screenPoint);
    // The caption button under a window point that takes clicks, else nullptr.
    TNCObject* ObjectAt(POINT windowPoint);
    int CaptionButtonCount() const { return static_cast<int>(CaptionButtons.size()); }
    TWinSysButton* CaptionButton(int index) const { return CaptionButtons.at(index).get(); }

    // Window states (WindowStates.cpp).
    void SetCaptionStyles(bool value);
    void Maximise();
    void Restore();
    void Minimise();
    // fromButton: WM_SYSCOMMAND SC_CLOSE (caption button), else WM_CLOSE (menu item).
    void Close(bool fromButton);
    void ReadWindowState();
    static int WindowStateFromPlacement(HWND window);

    // A screen point relative to the window's top-left corner.
    POINT WindowPoint(POINT screen) const;
    // The window's text as the caption shows it (without the affixes).
    std::wstring WindowText() const;
    bool Minimized() const { return WindowState == fwsMinimized; }
    bool IsMDIChild() const { return FrameKind == 2; }

    // Fields the frame's parts share.
    ui::TCustomForm* Form = nullptr;
    HWND WindowHandle = nullptr;
    ui::TWndMethod OldWindowProc;
    std::wstring CaptionSuffix = L"  ";
    std::wstring CaptionPrefix = L" ";
    std::string WindowClass;
    bool CaptionStyles = true;
    bool FrameSkinned = false;
    RECT ClientRect{};
    DWORD LastSysMenuTick = 0;
    bool SysMenuTicked = false;
    UINT DoubleClickTime = 500;
    int CaptionWidth = 0;
    HWND OwnerWindow = nullptr;
    HICON Icon = nullptr;          // the window's own icon (not owned)
    int IconSize = 16;
    int BorderLeft = 0, BorderTop = 0, BorderRight = 0, BorderBottom = 0;
    RECT WindowRect{};
    RECT TextRect{};
    RECT OrigFrame{};
    int MenuHeight = 0;
    bool RightToLeft = false;
    bool Sizable = false;
    bool DialogClass = false;
    bool DetachOnDestroy = false;
    HMENU MenuHandle = nullptr;
    HMENU SystemMenu = nullptr;
    ui::TColor SavedColor = 0;
    LONG_PTR OrigStyle = 0;
    int RightButtonsLeft = 0;
    TNCObject* HotObject = nullptr;
    bool RegionSet = false;
    int WindowWidth = 0, WindowHeight = 0;
    int RegionWidth = 0, RegionHeight = 0;
    bool Active = true;
    int FrameKind = 0;
    int BorderKind = bkSizable;
    unsigned StyleFlags = 0;
    int WindowState = fwsNormal;
    int Status = fsCreated;
    bool TimerEnabled = false;
    // The style bits the frame took off to keep the platform from drawing its caption.
    LONG_PTR RemovedStyle = 0;
    std::vector<std::unique_ptr<TWinSysButton>> CaptionButtons;
    std::unique_ptr<TWinSkinMenu> SkinMenu;
    bool MenuTracking = false;
    HMENU TrackedMenu = nullptr;
    // A menu change arrived while a bar menu was open: the bar is rebuilt once it closes.
    bool MenuRebuildPending = false;
    std::unique_ptr<ui::TPopupMenu> SysPopupMenu;
    bool SavedMenuUpdate = true;
    HWND MDIClientHandle = nullptr;
    HWND NewMDIChild = nullptr;
    // Every control object of the window, in attach order. Objects without an owner component
    // (plain child windows) belong to the frame; the others to their control.
    std::vector<TSkinControl*> Controls;

private:
    friend class TFrameMessages;
    friend class TWinSkinMenu;
    LRESULT MDIClientProcedure(UINT message, WPARAM wParam, LPARAM lParam);
    ui::TSubclass clientSubclass_;
    LRESULT WindowProcedure(UINT message, WPARAM wParam, LPARAM lParam);
    void FormWindowProc(ui::TMessage& message);
    // CM_DIALOGCHAR: Alt+letter opens the bar menu with that mnemonic; an MDI child asks its frame.
    bool DialogChar(ui::TMessage& message);
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) { return subclass_.CallPrevious(message, wParam, lParam); }
    void EnableTimer(bool enabled);
    void OnMouseLeaveTimer();
    void DetachOnNcDestroy();
    void RestoreWindowProcs();
    // Icon: one copy scaled to the small-icon size, renewed when the window's icon changes.
    void RenewIcon();
    void FillIconBitmap();

    // Painting parts.
    bool CanPaint() const;
    void Compose(int width, int height);
    void PaintBorder(HDC dc, int index, const RECT& rect);
    void PaintCaptionText(HDC dc, const RECT& bar);
    void PaintCaptionButtons(HDC dc);
    TDataSkinBorder* Border(int index) const;
    int BorderFrame(const TDataSkinBorder& border) const;

    void FreeControlObject(TSkinControl* control);

    TSkinData* skinData_ = nullptr;
    TSkinControl* hotButton_ = nullptr;
    ui::TCanvas controlCanvas_;
    ui::TSubclass subclass_;
    ui::TFontHandle captionFont_;
    HICON scaledIcon_ = nullptr;   // owned
    ui::TBitmap iconBitmap_;
    ui::TBitmap frameImage_;
    // The four borders' pictures, active and inactive, at the size they were last painted.
    struct TBorderPicture {
        std::unique_ptr<ui::TBitmap> picture;
        int width = -1;
        int height = -1;
    };
    TBorderPicture borderPictures_[4][2];
    void ForgetPictures();
    // What frameImage_ was composed for; a paint with nothing changed only copies it.
    std::wstring composedText_;
    unsigned composedKey_ = 0;
    bool composedValid_ = false;
};

} // namespace skin
