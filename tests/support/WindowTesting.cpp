#include "WindowTesting.h"

#include <vector>

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
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        PumpMessages();
        Sleep(5);
    }
    return true;
}

namespace {
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
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (request->className != name)
        return TRUE;
    if (!request->caption.empty() && WindowText(window) != request->caption)
        return TRUE;
    request->found = window;
    return FALSE;
}

// State of the one pending AnswerWhenShown; timers carry no user data, so it lives here.
struct PendingAnswer {
    std::wstring className;
    std::function<void(HWND)> answer;
    bool seen = false;
};
PendingAnswer* g_pending = nullptr;

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR timerId, DWORD)
{
    if (!g_pending || g_pending->seen)
        return;
    if (HWND dialog = FindProcessWindow(g_pending->className)) {
        g_pending->seen = true;
        KillTimer(nullptr, timerId);
        g_pending->answer(dialog);
    }
}
} // namespace

HWND FindProcessWindow(const std::wstring& className, const std::wstring& caption)
{
    FindRequest request{className, caption};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

bool AnswerWhenShown(const std::wstring& className, const std::function<void(HWND)>& answer,
                     const std::function<void()>& action)
{
    PendingAnswer pending{className, answer};
    g_pending = &pending;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookForDialog);
    try {
        action();
    } catch (...) {
        KillTimer(nullptr, timer);
        g_pending = nullptr;
        throw;
    }
    if (!pending.seen)
        KillTimer(nullptr, timer);
    g_pending = nullptr;
    return pending.seen;
}

std::wstring WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> text(length + 1);
    GetWindowTextW(window, text.data(), length + 1);
    return std::wstring(text.data());
}

} // namespace testing_support
