#pragma once
// Pictures of the viewer's windows as the skin draws them, read back from each window's own DC.
#include "PngFile.h"

#include <windows.h>

#include <string>
#include <vector>

namespace ui {
class TPopupMenu;
}

namespace skinview {

class TMdiWindow;

// Handles messages for about `milliseconds`.
void PumpMessagesFor(DWORD milliseconds);

// Handles messages until the skin manager has a frame for every window, at most `timeout`
// milliseconds; false when one is still unskinned then.
bool PumpUntilSkinned(const std::vector<HWND>& windows, DWORD timeout);

// The whole window rectangle from the window DC; pixels outside the window's region are
// transparent, the others opaque.
TRgbaPicture CaptureWindow(HWND window);

// The screen's pixels in `area` (screen coordinates), all opaque: what overlapping windows, such
// as open menus over their window, show together.
TRgbaPicture CaptureScreenArea(const RECT& area);

// Writes pictures into a folder and prints each written path; remembers failures.
class TShotWriter {
public:
    explicit TShotWriter(const std::wstring& folder) : folder_(folder) {}

    // The window's picture (CaptureWindow).
    void Write(HWND window, const wchar_t* name);
    void Write(const TRgbaPicture& picture, const wchar_t* name);
    void Fail(const std::string& text);
    bool Failed() const { return failed_; }

private:
    std::wstring folder_;
    bool failed_ = false;
};

// Activates `window` (so every other window of the viewer is inactive) and lets it repaint.
void ActivateWindow(HWND window);

// The control window and the buttons its pictures act on.
struct TControlWindows {
    HWND Window = nullptr;
    // The mouse rests on this one...
    HWND HotButton = nullptr;
    // ...while this one is held down.
    HWND PressedButton = nullptr;
    // Opens the message dialog.
    HWND MessageButton = nullptr;
    // The scrolling and bar controls.
    HWND Scrolling = nullptr;
};

// The main window's menus and the MDI window their pictures show.
struct TMenuWindows {
    // The main window's context menu.
    ui::TPopupMenu* ContextMenu = nullptr;
    TMdiWindow* Mdi = nullptr;
};

// Shows the states a skin author checks and writes them into `folder`: sizeable-active,
// sizeable-inactive, sizeable-maximised, dialog-active, dialog-inactive, controls,
// controls-hot-pressed, scrolling, message-box, menu-bar, menu-open, context-menu, system-menu, mdi,
// mdi-maximised (.png). Prints each written path on standard output; returns the process exit
// code.
int TakeScreenshots(HWND sizeable, HWND dialog, const TControlWindows& controls, const TMenuWindows& menus,
                    const std::wstring& folder);

} // namespace skinview
