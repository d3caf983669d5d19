#include "MenuShots.h"

#include "MdiWindow.h"

#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "ui/Menus.h"

#include <functional>
#include <vector>

namespace skinview {

namespace {

constexpr UINT TickTime = 30;
// A menu window shown this long has been painted by the skin.
constexpr ULONGLONG MenuSettleTime = 400;
// Between two arrow keys: the menu redraws its selection.
constexpr ULONGLONG KeyInterval = 80;
// No menu's pictures take longer; the menu is ended then, so the viewer never hangs.
constexpr ULONGLONG ScriptTimeout = 10000;
constexpr DWORD SettleTime = 500;
constexpr DWORD SkinTimeout = 5000;
// MN_GETHMENU: the menu a "#32768" window shows.
constexpr UINT MessageGetMenu = 0x01E1;

// The visible menu windows of this thread, topmost (the newest sub-menu) first.
std::vector<HWND> OpenMenuWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM param) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (IsWindowVisible(window) && std::wstring(name) == L"#32768")
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

HMENU NewestMenu()
{
    const std::vector<HWND> windows = OpenMenuWindows();
    return windows.empty() ? nullptr : reinterpret_cast<HMENU>(SendMessageW(windows.front(), MessageGetMenu, 0, 0));
}

// The selected item's position, or -1.
int HotItem(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            return i;
    return -1;
}

bool IsEnabledItem(HMENU menu, int position)
{
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return !(state & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR));
}

bool OpensSubMenu(HMENU menu, int position) { return GetSubMenu(menu, position) != nullptr; }

// A key pressed and released as the keyboard gives it; the menu loop reads it from the queue.
void SendKey(WORD key)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// The window and every open menu, within the screen.
RECT MenuArea(HWND window)
{
    RECT area{};
    GetWindowRect(window, &area);
    for (HWND menu : OpenMenuWindows()) {
        RECT r{};
        GetWindowRect(menu, &r);
        UnionRect(&area, &area, &r);
    }
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&area, &area, &screen);
    return area;
}

// One step of a script: gets the time since the step began, answers true when it is done.
using TStep = std::function<bool(ULONGLONG elapsed)>;

// Steps run one after the other from a thread timer while a menu is open.
struct TMenuScript {
    std::vector<TStep> Steps;
    // The steps that must have run (the waits after the last key need not: the menu closes).
    std::size_t Required = 0;
    std::size_t Next = 0;
    ULONGLONG StepStart = 0;
    ULONGLONG Deadline = 0;
    bool Running = false;
    bool TimedOut = false;
    bool Finished() const { return Next >= Steps.size(); }
};
TMenuScript* g_script = nullptr;

void CALLBACK RunScript(HWND, UINT, UINT_PTR, DWORD)
{
    TMenuScript* script = g_script;
    // A step that pumps messages must not run the next one inside it.
    if (!script || script->Running)
        return;
    const ULONGLONG now = GetTickCount64();
    if (script->Finished()) {
        // The keys did not close everything.
        EndMenu();
        return;
    }
    if (now > script->Deadline) {
        script->TimedOut = true;
        script->Next = script->Steps.size();
        EndMenu();
        return;
    }
    script->Running = true;
    const bool done = script->Steps[script->Next](now - script->StepStart);
    script->Running = false;
    if (done) {
        ++script->Next;
        script->StepStart = now;
    }
}

// Runs `open` (which returns when its menu has closed) with the script driving the menu; false
// when the script did not get through its keys.
bool PlayMenu(TMenuScript& script, const std::function<void()>& open)
{
    script.StepStart = GetTickCount64();
    script.Deadline = script.StepStart + ScriptTimeout;
    g_script = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, TickTime, RunScript);
    try {
        open();
    } catch (...) {
        KillTimer(nullptr, timer);
        g_script = nullptr;
        throw;
    }
    KillTimer(nullptr, timer);
    g_script = nullptr;
    PumpMessagesFor(SettleTime);
    return script.Next >= script.Required && !script.TimedOut;
}

// Waits until `count` menus have shown for a while.
TStep WaitForMenus(std::size_t count)
{
    ULONGLONG seen = 0;
    return [count, seen](ULONGLONG) mutable {
        if (OpenMenuWindows().size() < count) {
            seen = 0;
            return false;
        }
        const ULONGLONG now = GetTickCount64();
        if (!seen)
            seen = now;
        return now - seen >= MenuSettleTime;
    };
}

TStep Pause(ULONGLONG milliseconds)
{
    return [milliseconds](ULONGLONG elapsed) { return elapsed >= milliseconds; };
}

TStep Press(WORD key)
{
    return [key](ULONGLONG) {
        SendKey(key);
        return true;
    };
}

// Moves the selection of the newest menu down until `wanted` holds for the selected item (at most
// once round the menu).
TStep SelectItem(std::function<bool(HMENU, int)> wanted)
{
    ULONGLONG lastKey = 0;
    int presses = 0;
    return [wanted = std::move(wanted), lastKey, presses](ULONGLONG) mutable {
        HMENU menu = NewestMenu();
        if (!menu)
            return false;
        const int hot = HotItem(menu);
        if (hot >= 0 && wanted(menu, hot))
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now - lastKey < KeyInterval)
            return false;
        if (presses++ > GetMenuItemCount(menu) + 1)
            return true;
        SendKey(VK_DOWN);
        lastKey = now;
        return false;
    };
}

TStep Capture(TShotWriter& shots, HWND window, const wchar_t* name)
{
    return [&shots, window, name](ULONGLONG) {
        shots.Write(CaptureScreenArea(MenuArea(window)), name);
        return true;
    };
}

// Selects the first enabled item of the one open menu and takes the picture, then closes it.
TMenuScript PictureOfMenu(TShotWriter& shots, HWND window, const wchar_t* name)
{
    TMenuScript script;
    script.Steps = {WaitForMenus(1), SelectItem(IsEnabledItem), Pause(2 * KeyInterval), Capture(shots, window, name),
                    Press(VK_ESCAPE), Pause(300)};
    script.Required = script.Steps.size() - 1;
    return script;
}

void Report(TShotWriter& shots, bool played, const char* what)
{
    if (!played)
        shots.Fail(std::string("the ") + what + " did not open, or did not take its keys");
    if (!OpenMenuWindows().empty()) {
        shots.Fail(std::string("the ") + what + " did not close");
        EndMenu();
        PumpMessagesFor(SettleTime);
    }
}

void ShootFileMenu(TShotWriter& shots, HWND main, skin::TWinSkinForm& frame)
{
    if (!frame.SkinMenu || frame.SkinMenu->Buttons.empty()) {
        shots.Fail("the main window has no skinned menu bar");
        return;
    }
    TMenuScript script;
    script.Steps = {WaitForMenus(1), SelectItem(OpensSubMenu), Press(VK_RIGHT), WaitForMenus(2),
                    Capture(shots, main, L"menu-open.png"), Press(VK_ESCAPE), Pause(150), Press(VK_ESCAPE),
                    Pause(300)};
    script.Required = script.Steps.size() - 1;
    skin::TWinSkinMenu& bar = *frame.SkinMenu;
    Report(shots, PlayMenu(script, [&bar] { bar.OpenMenu(*bar.Buttons.front()); }), "File menu");
}

void ShootContextMenu(TShotWriter& shots, HWND main, ui::TPopupMenu& menu)
{
    RECT client{};
    GetClientRect(main, &client);
    POINT at{client.right / 3, client.bottom / 3};
    ClientToScreen(main, &at);
    TMenuScript script = PictureOfMenu(shots, main, L"context-menu.png");
    Report(shots, PlayMenu(script, [&menu, at] { menu.Popup(at.x, at.y); }), "context menu");
}

void ShootSystemMenu(TShotWriter& shots, HWND main, skin::TWinSkinForm& frame)
{
    // Below the caption's left end, where the icon opens it.
    RECT bounds{};
    GetWindowRect(main, &bounds);
    POINT at{bounds.left + frame.BorderLeft, bounds.top + frame.BorderTop};
    if (frame.SkinMenu)
        at = {bounds.left + frame.SkinMenu->BarRect.left, bounds.top + frame.SkinMenu->BarRect.top};
    TMenuScript script = PictureOfMenu(shots, main, L"system-menu.png");
    Report(shots, PlayMenu(script, [&frame, at] { frame.TrackSystemMenu(at); }), "system menu");
}

} // namespace

void ShootMenus(TShotWriter& shots, HWND main, ui::TPopupMenu* contextMenu)
{
    skin::TWinSkinForm* frame = skin::TWinSkinForm::Find(main);
    if (!frame) {
        shots.Fail("the main window was not skinned; no menu pictures");
        return;
    }
    // The pointer stays off the menus: only the keys select.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    ShootFileMenu(shots, main, *frame);
    if (contextMenu)
        ShootContextMenu(shots, main, *contextMenu);
    ShootSystemMenu(shots, main, *frame);
}

void ShootMdi(TShotWriter& shots, TMdiWindow& mdi)
{
    mdi.Open();
    ActivateWindow(mdi.Handle());
    std::vector<HWND> windows{mdi.Handle()};
    for (int i = 0; i < mdi.MDIChildCount(); ++i)
        windows.push_back(mdi.MDIChildren(i)->Handle());
    if (mdi.MDIChildCount() < 3)
        shots.Fail("the MDI window has fewer than three children");
    if (!PumpUntilSkinned(windows, SkinTimeout))
        shots.Fail("the MDI window or a child was not skinned");
    mdi.Cascade();
    PumpMessagesFor(SettleTime);
    shots.Write(mdi.Handle(), L"mdi.png");

    ui::TCustomForm* child = mdi.ActiveMDIChild();
    if (!child) {
        shots.Fail("the MDI window has no active child");
        return;
    }
    SendMessageW(mdi.ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    PumpMessagesFor(SettleTime);
    shots.Write(mdi.Handle(), L"mdi-maximised.png");

    SendMessageW(mdi.ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    PumpMessagesFor(SettleTime);
    mdi.Hide();
    PumpMessagesFor(SettleTime);
}

} // namespace skinview
