#pragma once
// One way to put a message handler in front of a window's own procedure, for every window the
// skin engine takes over. It goes through the system's subclass chain (SetWindowSubclass), so:
// - the window stays a Unicode window (IsWindowUnicode unchanged) and 64-bit pointers are kept;
// - removing it leaves any handler another piece of code put in later where it is, instead of
//   cutting it out by writing back an old window procedure;
// - it is removed by itself when the window is destroyed.
#include <windows.h>

#include <functional>

namespace ui {

class TSubclass {
public:
    // The handler sees every message first; it calls CallPrevious for the window's own handling.
    using THandler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    TSubclass() = default;
    ~TSubclass() { Remove(); }
    TSubclass(const TSubclass&) = delete;
    TSubclass& operator=(const TSubclass&) = delete;

    // False when the window does not exist or is already subclassed by this object.
    bool Install(HWND window, THandler handler);
    void Remove();
    bool Installed() const { return window_ != nullptr; }
    HWND Window() const { return window_; }

    // The handling the window would have had without this handler (the next one in the chain).
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    HWND window_ = nullptr;
    // The window the handler was last called for; the previous handling stays reachable for the
    // message during which the link was removed.
    HWND calling_ = nullptr;
    THandler handler_;
};

} // namespace ui
