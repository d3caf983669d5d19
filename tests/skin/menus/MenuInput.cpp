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

TMenuScript& TMenuScript::ThenEscape()
{
    Then([] {
        TapKey(VK_ESCAPE);
        return true;
    });
    return Then([] { return MenuWindows().empty(); });
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
