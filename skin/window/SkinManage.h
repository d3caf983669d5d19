#pragma once
// The process-wide skin manager: knows the skin data components, installs the CBT hook through
// which top-level windows are skinned when first activated, and carries out skin-on, skin-off and
// skin-changed requests through a 250 ms timer once the application is running.
#include "skin/data/SkinMessages.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace ui {
class TBitmap;
class TCustomForm;
}

namespace skin {

class TSkinData;
class TWinSkinPopMenu;

// Requests a skin data component makes.
enum TSkinAction : int { saNone = 0, saSkinOn = 1, saSkinOff = 2, saSkinChanged = 3, saPurge = 6 };

// The manager's view of one skinned top-level window. The frame of the window-skinning code
// (TWinSkinForm) derives from it; the manager owns these objects. The manager frees the frames it
// still holds when it ends (program end): a frame freed while SkinManager()->RunState is 4 must
// only undo its subclassing, without restoring the window's look.
class TSkinnedWindow {
public:
    virtual ~TSkinnedWindow() = default;
    virtual HWND Handle() const = 0;
    virtual TSkinData* SkinData() const = 0;
    // The window is gone; the next PurgeDeadForms frees the object.
    virtual bool Destroyed() const = 0;
    // Skin off: gives the window back its own look.
    virtual void Detach() = 0;
    virtual void ReleaseCaptionButtons() = 0;
    // Skin changed: free the caption buttons, reload frame geometry and caption buttons.
    virtual void ReloadSkin() = 0;
    // Skin changed: re-apply the skin to the window's controls.
    virtual void ReapplyControls() = 0;
    // A child window made after the window was skinned (a size grip).
    virtual void SkinChildWindow(HWND child) { (void)child; }
    // MDI children switch between maximised display (their own caption styles, no region) and the
    // skin's frame.
    virtual void MDIMaximizedChanged(bool value) { (void)value; }
    // The frame is running a modal loop of its own (an open menu): no skin change may free it now.
    virtual bool Busy() const { return false; }
};

// Attaches a frame to a window (AttachToForm when `form` is set, AttachToWindow otherwise); nullptr
// when nothing was attached. This is where window skinning plugs in; until it does, no window gets
// a frame and SkinWindow answers false after all its checks.
using TFrameFactory = std::unique_ptr<TSkinnedWindow> (*)(HWND window, ui::TCustomForm* form, TSkinData* skinData);

class TSkinManage {
public:
    static constexpr UINT DefaultInterval = 250;

    TSkinManage();
    ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    void AddSkinData(TSkinData* skinData);
    // Also makes sure nothing goes on using the component: the main skin data falls back to the next
    // registered sfMainform component, a pending request for it is dropped and frames using it are
    // detached and freed.
    void RemoveSkinData(TSkinData* skinData);
    void InstallHook();
    void RemoveHook();

    bool SkinWindow(HWND handle);
    void SkinForm(ui::TCustomForm* form);
    TSkinnedWindow* FindSkinForm(HWND handle) const;
    // Forgets (without freeing) the first frame of that window; a frame freed by other means calls it.
    void RemoveSkinForm(HWND handle);
    void PurgeDeadForms();
    TSkinData* FindSkinDataFor(HWND handle) const;
    bool AllowSkin(const std::string& className) const;
    ui::TCustomForm* FindForm(HWND handle) const;
    bool IsMDIChild(HWND handle) const;

    // Popup-menu windows ("#32768"), PopupMenus.cpp. They are released whatever SkinEnabled says.
    void SkinPopupWindow(HWND handle);
    bool ReleasePopupWindow(HWND handle);
    bool IsPopupWindowSkinned(HWND handle) const;
    // The composed background of the popup window showing `menu`, or nullptr.
    ui::TBitmap* FindPopupBackground(HMENU menu) const;
    void SetMDIMaximized(bool value);

    void RequestAction(int action, UINT interval = DefaultInterval);
    void ReleaseCaptionButtons();
    // The timer's work: carries out PendingAction for PendingSkinData.
    void ApplyPendingAction();
    bool TimerEnabled() const { return timerId_ != 0; }

    HHOOK HookHandle = nullptr;
    std::vector<std::unique_ptr<TSkinnedWindow>> SkinForms;
    std::vector<TSkinData*> SkinDataList;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> PopupMenus;
    bool SkinEnabled = false;
    bool SkinAll = false;
    int RunState = 0;  // 0: no window activated yet; 1: running; 4: being destroyed
    int MenuKind = 0;  // 0: popup menu, 1: menu bar or item menu, 2: system menu
    bool MDIMaximized = false;
    HWND MDIClient = nullptr;
    ui::TCustomForm* MDIFrameForm = nullptr;
    int PendingAction = saNone;
    TSkinData* PendingSkinData = nullptr;
    TSkinData* MainSkinData = nullptr;
    // Raw GetVersion value, stored by InstallHook; the top bit marks the Windows 9x family.
    DWORD PlatformVersion = 0;

    // Window skinning installs its frame factory here.
    static TFrameFactory FrameFactory;

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    void StartTimer();
    void StopTimer();
    void DetachFrame(std::size_t index);

    UINT interval_ = DefaultInterval;
    UINT_PTR timerId_ = 0;
};

// The one manager of the process: nullptr until the first skin data component finishes loading.
TSkinManage* SkinManager();
// Creates it when there is none.
TSkinManage& CreateSkinManager();
// Frees it (at program end; tests use it to start afresh).
void FreeSkinManager();

} // namespace skin
