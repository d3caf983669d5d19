#pragma once
// Caption and control text output, and the conversions between the system ANSI code page and
// UTF-16 used where a window hands over ANSI text.
#include "ui/Graphics.h"

#include <string>

namespace skin {

// DrawTextW with the text's own length; returns the text height as DrawText does.
int DrawTextUnicode(HDC dc, const std::wstring& text, ui::TRect& rect, UINT format);

// System default ANSI code page <-> UTF-16.
std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);

} // namespace skin
