#pragma once
// Reading and writing single pixels of DIB sections for the drawing tests, and the bitmaps they
// start from.
#include "ui/Graphics.h"

#include <cstdint>
#include <memory>

namespace pixel_testing {

constexpr std::uint8_t CoordTag = 0x40;
constexpr ui::TColor Sentinel = 0x123456; // never a coordinate pixel (blue 0x12)
constexpr ui::TColor Magenta = 0xFF00FF;

inline int BytesPerPixel(const ui::TBitmap& b) { return static_cast<int>(b.PixelFormat()) / 8; }

inline ui::TColor At(const ui::TBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.ScanLine(y) + x * BytesPerPixel(b);
    return p[2] | (p[1] << 8) | (p[0] << 16);
}

inline void Put(ui::TBitmap& b, int x, int y, ui::TColor c)
{
    std::uint8_t* p = b.ScanLine(y) + x * BytesPerPixel(b);
    p[0] = static_cast<std::uint8_t>(c >> 16);
    p[1] = static_cast<std::uint8_t>(c >> 8);
    p[2] = static_cast<std::uint8_t>(c);
}

inline void Fill(ui::TBitmap& b, ui::TColor c)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            Put(b, x, y, c);
}

inline int CountColour(const ui::TBitmap& b, ui::TColor c)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += At(b, x, y) == c;
    return n;
}

// The colour that names the source pixel (x, y): red = x, green = y, blue = CoordTag.
inline ui::TColor Coord(int x, int y) { return x | (y << 8) | (CoordTag << 16); }

// A bitmap whose every pixel holds its own position.
inline std::unique_ptr<ui::TBitmap> CoordBitmap(int w, int h, ui::TPixelFormat format = ui::TPixelFormat::pf24bit)
{
    auto b = std::make_unique<ui::TBitmap>(w, h, format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Put(*b, x, y, Coord(x, y));
    return b;
}

// A destination filled with the sentinel colour, so untouched pixels show.
inline std::unique_ptr<ui::TBitmap> SentinelBitmap(int w, int h)
{
    auto b = std::make_unique<ui::TBitmap>(w, h);
    Fill(*b, Sentinel);
    return b;
}

} // namespace pixel_testing
