#include "ui/SubClass.h"

#include <commctrl.h>

namespace ui {

bool TSubclass::Install(HWND window, THandler handler)
{
    if (window_ || !IsWindow(window))
        return false;
    handler_ = std::move(handler);
    // The object's address identifies the link, so several objects may subclass one window.
    if (!SetWindowSubclass(window, &TSubclass::Procedure, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;
    window_ = window;
    return true;
}

void TSubclass::Remove()
{
    if (!window_)
        return;
    RemoveWindowSubclass(window_, &TSubclass::Procedure, reinterpret_cast<UINT_PTR>(this));
    window_ = nullptr;
}

LRESULT TSubclass::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return DefSubclassProc(calling_, message, wParam, lParam);
}

LRESULT CALLBACK TSubclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data)
{
    auto* self = reinterpret_cast<TSubclass*>(data);
    self->calling_ = window;
    if (message == WM_NCDESTROY) {
        // The handler sees the last message, then the link goes with the window.
        const LRESULT result = self->handler_ ? self->handler_(message, wParam, lParam)
                                              : DefSubclassProc(window, message, wParam, lParam);
        if (self->window_ == window)
            self->Remove();
        return result;
    }
    if (!self->handler_)
        return DefSubclassProc(window, message, wParam, lParam);
    return self->handler_(message, wParam, lParam);
}

} // namespace ui
