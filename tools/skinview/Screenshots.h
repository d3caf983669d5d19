#pragma once
// Pictures of the viewer's windows as the skin draws them, read back from each window's own DC.
#include "PngFile.h"

#include <windows.h>

#include <string>
#include <vector>

namespace skinview {

// Handles messages for about `milliseconds`.
void PumpMessagesFor(DWORD milliseconds);

// Handles messages until the skin manager has a frame for every window, at most `timeout`
// milliseconds; false when one is still unskinned then.
bool PumpUntilSkinned(const std::vector<HWND>& windows, DWORD timeout);

// The whole window rectangle from the window DC; pixels outside the window's region are
// transparent, the others opaque.
TRgbaPicture CaptureWindow(HWND window);

// Activates `window` (so every other window of the viewer is inactive) and lets it repaint.
void ActivateWindow(HWND window);

// Shows the states a skin author checks and writes them into `folder`: sizeable-active,
// sizeable-inactive, sizeable-maximised, dialog-active, dialog-inactive (.png). Prints each written
// path on standard output; returns the process exit code.
int TakeScreenshots(HWND sizeable, HWND dialog, const std::wstring& folder);

} // namespace skinview
