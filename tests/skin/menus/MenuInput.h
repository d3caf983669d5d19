#pragma once
// Driving menus in tests: real keyboard and mouse input, the popup-menu windows on screen, and
// steps run from a thread timer while a menu's own loop runs (it dispatches the timer), so that a
// test opens a menu, looks at it and closes it, and never waits in a menu loop past its deadline.
#include "WindowTesting.h"

#include "ui/Graphics.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace menu_testing {

class TMenuScript {
public:
    using TStep = std::function<bool()>;
    // A step answers false to be tried again at the next tick.
    TMenuScript& Then(TStep step);
    // Runs `start` (which may open a menu and return only when it closes), then pumps until every
    // step ran. True when all did in time; past the deadline any open menu is closed.
    bool Run(const std::function<void()>& start, std::chrono::milliseconds bound = std::chrono::seconds(8));
    // Presses Esc and waits until no menu shows.
    TMenuScript& ThenEscape();
    // The step that did not finish (for failure messages).
    std::size_t Step() const { return next_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<TStep> steps_;
    std::size_t next_ = 0;
    bool running_ = false;
    bool expired_ = false;
    std::chrono::steady_clock::time_point deadline_;
};

using testing_support::AltChord;
using testing_support::ClickAt;
using testing_support::DoubleClickAt;
using testing_support::MouseTo;
using testing_support::SendKey;
using testing_support::TapKey;

// The visible popup-menu windows of this thread, topmost first.
std::vector<HWND> MenuWindows();
// The menu a popup-menu window shows.
HMENU ShownMenu(HWND menuWindow);
// A colour as window pixels hold it (0x00RRGGBB).
std::uint32_t Rgb(ui::TColor colour);

} // namespace menu_testing
