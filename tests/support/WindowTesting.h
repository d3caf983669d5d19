#pragma once
// Helpers for tests that drive real windows: pumping messages, finding the dialogs a handler opens,
// reading pixels back.
#include <windows.h>
#include <chrono>
#include <functional>
#include <string>

namespace testing_support {

// Dispatches every pending message of this thread.
void PumpMessages();

// Pumps messages until `done` returns true or the timeout ends; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// The first visible top-level window of this process with the given class name (and caption, when
// given), or nullptr.
HWND FindProcessWindow(const std::wstring& className, const std::wstring& caption = L"");

// Runs `answer` on the first window of class `className` that appears while `action` runs (a modal
// dialog's own message loop keeps dispatching the timer that looks for it). Returns whether it was
// seen.
bool AnswerWhenShown(const std::wstring& className, const std::function<void(HWND)>& answer,
                     const std::function<void()>& action);

// Text of a window, through WM_GETTEXT.
std::wstring WindowText(HWND window);

} // namespace testing_support
