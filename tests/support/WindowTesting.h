#pragma once
// Helpers for tests that drive real windows: pumping messages, finding the dialogs a handler opens,
// answering them through the window meant, and bounding every wait so that no test can hang.
#include <windows.h>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// The longest any one wait of a test may take: for a window to appear, for a modal loop to end,
// for a condition to hold.
inline constexpr std::chrono::milliseconds kWaitBound = std::chrono::seconds(30);

// Dispatches every pending message of this thread.
void PumpMessages();

// Pumps messages until `done` returns true or the timeout (at most kWaitBound) ends; returns
// `done()`.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// The first visible top-level window of this process with the given class name (and caption, when
// given), or nullptr.
HWND FindProcessWindow(const std::wstring& className, const std::wstring& caption = L"");

// A window as a failure message names it: class "caption".
std::string DescribeWindow(HWND window);

// Bounds a stretch of a test that may run a modal loop of this thread (a message box, a modal
// form, the file dialog). Past the bound the test fails, naming what it waited for and the windows
// still open, and every top-level window of this thread that came up during the stretch is closed:
// the modal loop ends, the stretch returns and the next test starts clean. It runs on a thread
// timer, which every message loop of the thread dispatches, the modal ones included.
class ModalWatchdog {
public:
    explicit ModalWatchdog(std::string waitingFor, std::chrono::milliseconds bound = kWaitBound);
    ~ModalWatchdog();
    ModalWatchdog(const ModalWatchdog&) = delete;
    ModalWatchdog& operator=(const ModalWatchdog&) = delete;

    // Names what the stretch waits for from now on and starts its bound again.
    void Expect(std::string waitingFor);
    // Whether the bound ran out and the windows were closed.
    bool Fired() const { return fired_; }

    // Called by the timer.
    void Check();
    UINT_PTR Timer() const { return timer_; }

private:
    std::string waitingFor_;
    std::chrono::milliseconds bound_;
    std::chrono::steady_clock::time_point deadline_;
    std::vector<HWND> before_;  // the thread's windows when the stretch began
    UINT_PTR timer_ = 0;
    bool fired_ = false;
};

// What the running test waits for, for the process watchdog's message; empty when it waits for
// nothing bounded.
std::string CurrentWait();

// Runs `answer` on the first window of class `className` that appears while `action` runs (a modal
// dialog's own message loop keeps dispatching the timer that looks for it). Returns whether it was
// seen. The window must appear, and be gone after its answer, within `bound`; otherwise the test
// fails naming it and the window is closed, so that `action` returns.
bool AnswerWhenShown(const std::wstring& className, const std::function<void(HWND)>& answer,
                     const std::function<void()>& action, std::chrono::milliseconds bound = kWaitBound);

// The child window of `dialog` (at any depth) whose class names a button and whose text is
// `caption`, or nullptr.
HWND FindButton(HWND dialog, const std::wstring& caption);

// Clicks the button `caption` of `dialog` through its window (found by class and text, never by
// focus). When there is no such button the test fails, naming the buttons there are, and the
// dialog is closed.
void PressButton(HWND dialog, const std::wstring& caption);

// The messages of the test failures that `stretch` reports, which then do not fail the running test
// (for tests of the helpers' own failures).
std::vector<std::string> FailuresOf(const std::function<void()>& stretch);

// Text of a window, through WM_GETTEXT.
std::wstring WindowText(HWND window);

// Real input, as the user gives it (SendInput): it goes to the focused window, the mouse's to the
// window under the pointer, through the system's queue (and a modal loop's, such as a menu's).
void SendKey(WORD key, bool up);
void TapKey(WORD key);
// The key with Alt held.
void AltChord(WORD key);
void MouseTo(POINT screen);
void ClickAt(POINT screen, bool right = false);
void DoubleClickAt(POINT screen);

} // namespace testing_support
