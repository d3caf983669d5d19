#include "WindowTesting.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

namespace testing_support {

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + std::min(timeout, kWaitBound);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        PumpMessages();
        Sleep(5);
    }
    return true;
}

namespace {
std::string Narrow(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

struct FindRequest {
    std::wstring className;
    std::wstring caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* request = reinterpret_cast<FindRequest*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(window))
        return TRUE;
    if (request->className != ClassOf(window))
        return TRUE;
    if (!request->caption.empty() && WindowText(window) != request->caption)
        return TRUE;
    request->found = window;
    return FALSE;
}

// The visible top-level windows of this thread, topmost first (owned boxes before their owners).
std::vector<HWND> VisibleThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM param) -> BOOL {
        if (IsWindowVisible(window))
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Ends a window's modal loop: a dialog box (message box, file dialog) through EndDialog; a form
// of the framework by hiding it, which ends its modal loop as a cancel.
void Dismiss(HWND window)
{
    if (ClassOf(window) == L"#32770")
        EndDialog(window, IDCANCEL);
    else
        ShowWindow(window, SW_HIDE);
}

// The watchdogs running, innermost last; thread timers carry no data of their own, so the tick
// finds its watchdog here by timer.
std::vector<ModalWatchdog*> g_watchdogs;

// What the innermost watchdog waits for, read by the process watchdog's thread.
std::mutex g_waitMutex;
std::string g_currentWait;

void SetCurrentWait(std::string what)
{
    std::lock_guard<std::mutex> lock(g_waitMutex);
    g_currentWait = std::move(what);
}

void CALLBACK WatchdogTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    for (ModalWatchdog* watchdog : g_watchdogs)
        if (watchdog->Timer() == timer)
            watchdog->Check();
}
} // namespace

HWND FindProcessWindow(const std::wstring& className, const std::wstring& caption)
{
    FindRequest request{className, caption};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

std::string DescribeWindow(HWND window)
{
    return Narrow(ClassOf(window)) + " \"" + Narrow(WindowText(window)) + "\"";
}

ModalWatchdog::ModalWatchdog(std::string waitingFor, std::chrono::milliseconds bound)
    : waitingFor_(std::move(waitingFor)), bound_(std::min(bound, kWaitBound)),
      deadline_(std::chrono::steady_clock::now() + bound_), before_(VisibleThreadWindows())
{
    timer_ = SetTimer(nullptr, 0, 50, WatchdogTick);
    g_watchdogs.push_back(this);
    SetCurrentWait(waitingFor_);
}

ModalWatchdog::~ModalWatchdog()
{
    KillTimer(nullptr, timer_);
    g_watchdogs.erase(std::find(g_watchdogs.begin(), g_watchdogs.end(), this));
    SetCurrentWait(g_watchdogs.empty() ? std::string() : g_watchdogs.back()->waitingFor_);
}

void ModalWatchdog::Expect(std::string waitingFor)
{
    waitingFor_ = std::move(waitingFor);
    deadline_ = std::chrono::steady_clock::now() + bound_;
    if (g_watchdogs.back() == this)
        SetCurrentWait(waitingFor_);
}

void ModalWatchdog::Check()
{
    if (fired_ || std::chrono::steady_clock::now() < deadline_)
        return;
    fired_ = true;
    std::vector<HWND> opened;
    for (HWND window : VisibleThreadWindows())
        if (std::find(before_.begin(), before_.end(), window) == before_.end())
            opened.push_back(window);
    std::string open;
    for (HWND window : opened)
        open += (open.empty() ? "" : ", ") + DescribeWindow(window);
    ADD_FAILURE() << "waited " << bound_.count() / 1000.0 << " s for " << waitingFor_ << "; "
                  << (open.empty() ? std::string("no window of the test is open") : "closing what is still open: " + open);
    for (HWND window : opened)
        if (IsWindow(window))
            Dismiss(window);
}

std::string CurrentWait()
{
    std::lock_guard<std::mutex> lock(g_waitMutex);
    return g_currentWait;
}

namespace {
// The one pending AnswerWhenShown; thread timers carry no data of their own.
struct PendingAnswer {
    std::wstring className;
    std::function<void(HWND)> answer;
    ModalWatchdog* watchdog;
    HWND box = nullptr;
};
PendingAnswer* g_pending = nullptr;

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR timerId, DWORD)
{
    if (!g_pending || g_pending->box)
        return;
    if (HWND dialog = FindProcessWindow(g_pending->className)) {
        g_pending->box = dialog;
        KillTimer(nullptr, timerId);
        g_pending->watchdog->Expect(DescribeWindow(dialog) + " to close after its answer");
        g_pending->answer(dialog);
    }
}
} // namespace

bool AnswerWhenShown(const std::wstring& className, const std::function<void(HWND)>& answer,
                     const std::function<void()>& action, std::chrono::milliseconds bound)
{
    ModalWatchdog watchdog("a window of class " + Narrow(className) + " to show", bound);
    PendingAnswer pending{className, answer, &watchdog};
    PendingAnswer* outer = g_pending;
    g_pending = &pending;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookForDialog);
    try {
        action();
    } catch (...) {
        KillTimer(nullptr, timer);
        g_pending = outer;
        throw;
    }
    KillTimer(nullptr, timer);
    g_pending = outer;
    // A box that stays open after its answer (one that is not modal) is as lost as a hung one.
    if (pending.box && !watchdog.Fired() && IsWindow(pending.box) && IsWindowVisible(pending.box)) {
        ADD_FAILURE() << DescribeWindow(pending.box) << " is still open after its answer; closing it";
        Dismiss(pending.box);
    }
    return pending.box != nullptr;
}

namespace {
// The child windows of `dialog`, at any depth, whose class names a button ("Button", "TButton",
// "TBitBtn").
std::vector<HWND> Buttons(HWND dialog)
{
    std::vector<HWND> buttons;
    EnumChildWindows(dialog, [](HWND child, LPARAM param) -> BOOL {
        if (ClassOf(child).find(L"Button") != std::wstring::npos)
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&buttons));
    return buttons;
}
} // namespace

HWND FindButton(HWND dialog, const std::wstring& caption)
{
    for (HWND button : Buttons(dialog))
        if (WindowText(button) == caption)
            return button;
    return nullptr;
}

void PressButton(HWND dialog, const std::wstring& caption)
{
    if (HWND button = FindButton(dialog, caption)) {
        SendMessageW(button, BM_CLICK, 0, 0);
        return;
    }
    std::string buttons;
    for (HWND button : Buttons(dialog))
        buttons += " \"" + Narrow(WindowText(button)) + "\"";
    ADD_FAILURE() << "no button \"" << Narrow(caption) << "\" on " << DescribeWindow(dialog) << "; it has:" << buttons
                  << "; closing it";
    Dismiss(dialog);
}

std::vector<std::string> FailuresOf(const std::function<void()>& stretch)
{
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        stretch();
    }
    std::vector<std::string> messages;
    for (int i = 0; i < results.size(); ++i)
        messages.push_back(results.GetTestPartResult(i).message());
    return messages;
}

std::wstring WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> text(length + 1);
    GetWindowTextW(window, text.data(), length + 1);
    return std::wstring(text.data());
}

void SendKey(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

void TapKey(WORD key)
{
    SendKey(key, false);
    SendKey(key, true);
}

void AltChord(WORD key)
{
    SendKey(VK_MENU, false);
    TapKey(key);
    SendKey(VK_MENU, true);
}

void MouseTo(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    SendInput(1, &input, sizeof(input));
}

void ClickAt(POINT screen, bool right)
{
    MouseTo(screen);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

void DoubleClickAt(POINT screen)
{
    ClickAt(screen);
    ClickAt(screen);
}

} // namespace testing_support
