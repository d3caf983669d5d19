#include "MenuInput.h"

#include "WindowTesting.h"

#include <string>

namespace menu_testing {

namespace {
TMenuScript* gRunning = nullptr;
}

TMenuScript& TMenuScript::Then(TStep step)
{
    steps_.push_back(std::move(step));
    return *this;
}

bool TMenuScript::Run(const std::function<void()>& start, std::chrono::milliseconds bound)
{
    deadline_ = std::chrono::steady_clock::now() + bound;
    gRunning = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &TMenuScript::Tick);
    if (start)
        start();
    testing_support::PumpUntil([this] { return next_ >= steps_.size() || expired_; }, bound + std::chrono::seconds(1));
    KillTimer(nullptr, timer);
    gRunning = nullptr;
    testing_support::PumpMessages();
    return next_ >= steps_.size() && !expired_;
}

void CALLBACK TMenuScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    TMenuScript* self = gRunning;
    if (!self || self->running_)
        return;
    self->running_ = true;
    if (std::chrono::steady_clock::now() > self->deadline_) {
        self->expired_ = true;
        EndMenu();
    } else if (self->next_ < self->steps_.size() && self->steps_[self->next_]()) {
        ++self->next_;
    }
    self->running_ = false;
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

std::vector<HWND> MenuWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wstring(name) == L"#32768" && IsWindowVisible(window))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HMENU ShownMenu(HWND menuWindow)
{
    return reinterpret_cast<HMENU>(SendMessageW(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
}

std::uint32_t Rgb(ui::TColor colour)
{
    const COLORREF c = ui::ColorToRGB(colour);
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

} // namespace menu_testing
