#include "skin/window/SkinManage.h"

#include "skin/data/WinSkinData.h"
#include "skin/window/SkinPopMenu.h"
#include "ui/Forms.h"

#include <algorithm>
#include <cstdlib>

namespace skin {

namespace {

// A plain pointer, so that nothing frees the manager at an unknown point of the program's static
// teardown: the finaliser registered with its first creation does, at a fixed point (before every
// object built earlier, after every one built later). A skin component freed after that finds no
// manager and touches nothing.
TSkinManage* gManager = nullptr;

// Class names are read with the ANSI function, at most 100 characters.
std::string WindowClassName(HWND window)
{
    char name[101] = {};
    const int length = GetClassNameA(window, name, static_cast<int>(sizeof(name)));
    return std::string(name, name + std::max(length, 0));
}

} // namespace

TFrameFactory TSkinManage::FrameFactory = nullptr;

TSkinManage* SkinManager()
{
    return gManager;
}

TSkinManage& CreateSkinManager()
{
    if (!gManager) {
        static const bool finaliserRegistered = std::atexit([] { FreeSkinManager(); }) == 0;
        (void)finaliserRegistered;
        gManager = new TSkinManage;
    }
    return *gManager;
}

void FreeSkinManager()
{
    // The manager stays reachable while it ends, so that frames freed by it see RunState 4.
    delete gManager;
    gManager = nullptr;
}

TSkinManage::TSkinManage() = default;

TSkinManage::~TSkinManage()
{
    RunState = 4;
    StopTimer();
    RemoveHook();
    // The frames are freed without a full detach (RunState 4 tells them): their windows go with the
    // application. Freeing them still gives each window its own procedure back.
    std::vector<std::unique_ptr<TSkinnedWindow>> frames = std::move(SkinForms);
    SkinForms.clear();
    frames.clear();
    PopupMenus.clear();
    SkinDataList.clear();
}

void TSkinManage::AddSkinData(TSkinData* skinData)
{
    if (!skinData || std::find(SkinDataList.begin(), SkinDataList.end(), skinData) != SkinDataList.end())
        return;
    SkinDataList.push_back(skinData);
    if (!MainSkinData && skinData->SkinFormtype() == sfMainform)
        MainSkinData = skinData;
}

void TSkinManage::RemoveSkinData(TSkinData* skinData)
{
    const auto it = std::find(SkinDataList.begin(), SkinDataList.end(), skinData);
    if (it != SkinDataList.end())
        SkinDataList.erase(it);
    // A component freed while the manager ends only leaves its lists: the frames go with the manager.
    if (RunState == 4) {
        if (MainSkinData == skinData)
            MainSkinData = nullptr;
        if (PendingSkinData == skinData)
            PendingSkinData = nullptr;
        return;
    }
    // Nothing may go on using a component that is gone: its filter and callback pass to the next
    // main component, its pending request is dropped and the frames drawn from it are detached.
    if (MainSkinData == skinData) {
        MainSkinData = nullptr;
        for (TSkinData* other : SkinDataList)
            if (other->SkinFormtype() == sfMainform) {
                MainSkinData = other;
                break;
            }
    }
    if (PendingSkinData == skinData) {
        PendingSkinData = nullptr;
        PendingAction = saNone;
        StopTimer();
    }
    for (std::size_t i = SkinForms.size(); i-- > 0;)
        if (SkinForms[i] && SkinForms[i]->SkinData() == skinData)
            DetachFrame(i);
}

void TSkinManage::InstallHook()
{
    PlatformVersion = GetVersion();
    if (!HookHandle)
        HookHandle = SetWindowsHookExA(WH_CBT, &TSkinManage::CbtProc, nullptr, GetCurrentThreadId());
}

void TSkinManage::RemoveHook()
{
    if (HookHandle) {
        UnhookWindowsHookEx(HookHandle);
        HookHandle = nullptr;
    }
}

LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    TSkinManage* self = gManager;
    HHOOK hook = self ? self->HookHandle : nullptr;
    if (self && self->RunState != 4) {
        // A popup object goes with its window even after skinning was switched off.
        if (code == HCBT_DESTROYWND)
            self->ReleasePopupWindow(reinterpret_cast<HWND>(wParam));
        if (code < 0 || !self->SkinEnabled) {
            if (code == HCBT_ACTIVATE && self->RunState == 0)
                self->RunState = 1;
        } else if (code == HCBT_CREATEWND) {
            const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
            HWND window = reinterpret_cast<HWND>(wParam);
            if (create && create->lpcs && (create->lpcs->style & WS_CHILD) && (create->lpcs->style & SBS_SIZEGRIP) &&
                WindowClassName(window) == "ScrollBar") {
                // A size grip made inside a skinned window is skinned as its child.
                if (TSkinnedWindow* frame = self->FindSkinForm(create->lpcs->hwndParent))
                    frame->SkinChildWindow(window);
            } else if (create && create->lpcs && !(create->lpcs->style & WS_CHILD)) {
                if (WindowClassName(window) == "#32768")
                    self->SkinPopupWindow(window);
                TSkinData* main = self->MainSkinData;
                if (main && main->OnWindowCreated) {
                    // The application's callback must never break the hook chain.
                    try {
                        main->OnWindowCreated(main, window, WindowClassName(window));
                    } catch (...) {
                    }
                }
            }
        } else if (code == HCBT_ACTIVATE) {
            if (self->RunState == 0)
                self->RunState = 1;
            self->SkinWindow(reinterpret_cast<HWND>(wParam));
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

bool TSkinManage::SkinWindow(HWND handle)
{
    if (!SkinEnabled || !handle)
        return false;
    PurgeDeadForms();
    if (SendMessageW(handle, WM_SKINQUERY, 0, 0) == 1 || FindSkinForm(handle))
        return false;
    ui::TCustomForm* form = FindForm(handle);
    if (!SkinAll && IsMDIChild(handle))
        return false;
    RECT bounds{};
    GetWindowRect(handle, &bounds);
    if ((bounds.right - bounds.left) * (bounds.bottom - bounds.top) == 0)
        return false;
    if (form && form->Tag() == 99)
        return false;
    const std::string className = WindowClassName(handle);
    if (className == "TApplication" || className == "TQRStandardPreview" || !AllowSkin(className))
        return false;
    TSkinData* skinData = FindSkinDataFor(handle);
    if (!skinData || skinData->NoSkin || !FrameFactory)
        return false;
    std::unique_ptr<TSkinnedWindow> frame = FrameFactory(handle, form, skinData);
    if (!frame)
        return false;
    SkinForms.push_back(std::move(frame));
    PostMessageW(handle, WM_SKINAPPLIED, 0, 1000);
    return true;
}

void TSkinManage::SkinForm(ui::TCustomForm* form)
{
    if (!form || !form->Visible())
        return;
    HWND handle = form->Handle();
    // The framework has no MDI child forms, so a form living as a child window is left alone.
    if (GetWindowLongW(handle, GWL_STYLE) & WS_CHILD)
        return;
    SkinWindow(handle);
}

TSkinnedWindow* TSkinManage::FindSkinForm(HWND handle) const
{
    for (const auto& frame : SkinForms)
        if (frame && frame->Handle() == handle)
            return frame.get();
    return nullptr;
}

void TSkinManage::RemoveSkinForm(HWND handle)
{
    for (auto it = SkinForms.begin(); it != SkinForms.end(); ++it)
        if (*it && (*it)->Handle() == handle) {
            it->release();  // the frame is being freed by its own owner
            SkinForms.erase(it);
            return;
        }
}

void TSkinManage::PurgeDeadForms()
{
    for (std::size_t i = SkinForms.size(); i-- > 0;)
        if (!SkinForms[i] || SkinForms[i]->Destroyed()) {
            std::unique_ptr<TSkinnedWindow> dead = std::move(SkinForms[i]);
            SkinForms.erase(SkinForms.begin() + static_cast<std::ptrdiff_t>(i));
        }
}

TSkinData* TSkinManage::FindSkinDataFor(HWND handle) const
{
    TSkinData* found = nullptr;
    for (TSkinData* data : SkinDataList) {
        auto* form = dynamic_cast<ui::TCustomForm*>(data->Owner());
        if (data->SkinFormtype() == sfOnlyThisForm && form && form->WindowHandle() == handle)
            found = data;
    }
    if (found)
        return found;
    const std::string className = ui::LowerCaseAscii(WindowClassName(handle));
    if (className == "tmessageform" || className == "#32770") {
        for (TSkinData* data : SkinDataList)
            if (data->SkinFormtype() == sfDialog)
                found = data;
        if (found)
            return found;
    }
    for (TSkinData* data : SkinDataList)
        if (data->SkinFormtype() == sfMainform)
            found = data;
    if (found)
        return found;
    return SkinDataList.empty() ? nullptr : SkinDataList.front();
}

bool TSkinManage::AllowSkin(const std::string& className) const
{
    bool doSkin = true;
    if (MainSkinData)
        MainSkinData->AllowFormSkin(className, doSkin);
    return doSkin;
}

ui::TCustomForm* TSkinManage::FindForm(HWND handle) const
{
    ui::TScreen& screen = ui::Screen;
    for (int i = 0; i < screen.FormCount(); ++i) {
        ui::TCustomForm* form = screen.Forms(i);
        if (form && form->WindowHandle() == handle)
            return form;
    }
    return nullptr;
}

bool TSkinManage::IsMDIChild(HWND handle) const
{
    if (!(GetWindowLongW(handle, GWL_STYLE) & WS_CHILD))
        return false;
    HWND parent = GetParent(handle);
    return parent && ui::LowerCaseAscii(WindowClassName(parent)) == "mdiclient";
}

void TSkinManage::SetMDIMaximized(bool value)
{
    if (value == MDIMaximized)
        return;
    MDIMaximized = value;
    for (auto& frame : SkinForms)
        if (!frame->Destroyed())
            frame->MDIMaximizedChanged(value);
}

void TSkinManage::RequestAction(int action, UINT interval)
{
    PendingAction = action;
    interval_ = interval;
    if (RunState != 0)
        StartTimer();
    else if (action == saSkinOn)
        SkinEnabled = true;
    else if (action == saSkinOff)
        SkinEnabled = false;
}

void TSkinManage::ReleaseCaptionButtons()
{
    for (auto& frame : SkinForms)
        if (frame && PendingSkinData && frame->SkinData() == PendingSkinData)
            frame->ReleaseCaptionButtons();
}

void TSkinManage::DetachFrame(std::size_t index)
{
    std::unique_ptr<TSkinnedWindow> frame = std::move(SkinForms[index]);
    SkinForms.erase(SkinForms.begin() + static_cast<std::ptrdiff_t>(index));
    if (!frame)
        return;
    HWND window = frame->Handle();
    frame->Detach();
    frame.reset();
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
}

void TSkinManage::ApplyPendingAction()
{
    TSkinData* sd = PendingSkinData;
    if (!sd)
        return;  // the timer keeps running and tries again at the next tick
    // A frame whose menu is open is in the middle of its own work: it is left alone until the menu
    // has closed.
    for (auto& frame : SkinForms)
        if (frame->Busy())
            return;
    StopTimer();
    const bool onlyThisForm = sd->SkinFormtype() == sfOnlyThisForm;
    ui::TScreen& screen = ui::Screen;
    switch (PendingAction) {
    case saSkinOn:
        SkinEnabled = true;
        SkinAll = true;
        if (onlyThisForm) {
            for (int i = screen.FormCount() - 1; i >= 0; --i)
                if (screen.Forms(i) == sd->Owner()) {
                    SkinForm(screen.Forms(i));
                    break;
                }
        } else {
            PurgeDeadForms();
            for (int i = screen.FormCount() - 1; i >= 0; --i)
                SkinForm(screen.Forms(i));
        }
        SkinAll = false;
        break;
    case saSkinOff:
        SkinEnabled = false;
        PurgeDeadForms();
        for (std::size_t i = SkinForms.size(); i-- > 0;)
            if (!onlyThisForm || SkinForms[i]->SkinData() == sd) {
                DetachFrame(i);
                if (onlyThisForm)
                    break;
            }
        break;
    case saSkinChanged:
        PurgeDeadForms();
        if (onlyThisForm) {
            for (auto& frame : SkinForms)
                if (frame->SkinData() == sd) {
                    frame->ReloadSkin();
                    frame->ReapplyControls();
                    break;
                }
        } else {
            for (auto& frame : SkinForms)
                if (frame->SkinData() == sd)
                    frame->ReloadSkin();
            for (auto& frame : SkinForms)
                if (frame->SkinData() == sd)
                    frame->ReapplyControls();
        }
        break;
    case saPurge:
        PurgeDeadForms();
        break;
    default:
        break;
    }
    // The request may have freed the component's form; only a still registered one hears of it.
    if (std::find(SkinDataList.begin(), SkinDataList.end(), sd) != SkinDataList.end())
        sd->SkinChanged();
    PendingSkinData = nullptr;
}

void CALLBACK TSkinManage::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    TSkinManage* self = gManager;
    if (self && self->timerId_ == id)
        self->ApplyPendingAction();
}

void TSkinManage::StartTimer()
{
    // A thread timer: the manager has no window of its own. Setting it again restarts the interval.
    timerId_ = SetTimer(nullptr, timerId_, interval_, &TSkinManage::TimerProc);
}

void TSkinManage::StopTimer()
{
    if (timerId_) {
        KillTimer(nullptr, timerId_);
        timerId_ = 0;
    }
}

} // namespace skin
