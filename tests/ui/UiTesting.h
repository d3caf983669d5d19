#pragma once
// Shared helpers of the framework tests: pixels read from the screen, images made in memory.
#include "ui/Graphics.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui_testing {

// The colour of a pixel of a window's client area as it is on the screen (0x00BBGGRR).
COLORREF ScreenPixel(HWND window, int x, int y);

// How many pixels of `area` (client coordinates) have exactly that colour on the screen.
int CountPixels(HWND window, const RECT& area, COLORREF color);

// How many GDI objects the process holds, as Wine lets it be counted (it hands freed handle slots
// out before new ones): compare two readings around work that must give back what it takes.
unsigned GdiObjectsAlive();

// A PNG file image of width x height RGBA pixels (row-major, R G B A bytes).
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba);

// A 24-bit BMP file image filled by `pixel(x, y)` (0x00BBGGRR).
template <class F>
std::vector<std::uint8_t> MakeBmp(int width, int height, F pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> out(14 + 40 + imageSize, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) { for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i)); };
    auto put16 = [&](std::size_t at, std::uint16_t v) { out[at] = static_cast<std::uint8_t>(v); out[at + 1] = static_cast<std::uint8_t>(v >> 8); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<std::uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, imageSize);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, height - 1 - y);
            std::uint8_t* p = out.data() + 54 + y * stride + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return out;
}

// Bytes as the hex digits of a { } block.
std::string Hex(const std::vector<std::uint8_t>& bytes);

// The slot a new USER object takes. GetGuiResources is a stub under Wine, but Wine hands a freed
// slot out again before a new one: with nothing leaked between two probes, both take the same.
unsigned UserSlotProbe();

// Pumps through the application's loop (keys go through the forms' key handling) until `done`, at
// most 10 s; returns `done()`.
bool PumpAppUntil(const std::function<bool()>& done);

// Every child window of `parent` with that class name, in z order.
std::vector<HWND> ChildWindows(HWND parent, const std::wstring& className);

// Posts a key press (down, and up) to a window and lets the application's loop handle it.
void PressKey(HWND window, WORD key);
// Posts a character as typed with Alt held (a mnemonic).
void PressAltChar(HWND window, wchar_t ch);

} // namespace ui_testing
