#pragma once
// The system's common controls (track bars, status bars, tabs, list views, ...) are registered
// once per process, by class group, before the first one is made.
#include <windows.h>
#include <commctrl.h>

namespace ui {

// ICC_* flags of the classes about to be used.
void InitCommonControlClasses(DWORD classes);

} // namespace ui
