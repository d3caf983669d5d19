#pragma once
// The skin engine's own window messages, shared by the manager, the frames and the control objects.
#include <windows.h>

namespace skin {

constexpr UINT WM_SKINCHANGED = 0x3401;
constexpr UINT WM_SKINREPAINT = 0x3502;
constexpr UINT WM_SKINAPPLIED = 0x3503;
constexpr UINT WM_SKINQUERY = 0x3504;
// To a skinned control: WParam 0 stops skin painting, WParam > 0 starts it again.
constexpr UINT WM_SKINACTIVE = 0x3506;
constexpr UINT WM_SKINBUTTONCLICK = 0x3514;

} // namespace skin
