#include "skin/data/SkinPixelOps.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace skin {

namespace {

bool Usable(const ui::TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }

int BytesPerPixel(const ui::TBitmap& bitmap) { return static_cast<int>(bitmap.PixelFormat()) / 8; }

// Rotates by a quarter turn; `source` maps a new pixel (x', y') to the old pixel it takes.
template <typename Source>
void Rotate(ui::TBitmap& bitmap, Source source)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    const int bytes = BytesPerPixel(bitmap);
    // A packed copy of the old picture, then the bitmap takes its new shape.
    std::vector<std::uint8_t> old(static_cast<std::size_t>(w) * h * bytes);
    for (int y = 0; y < h; ++y)
        std::memcpy(&old[static_cast<std::size_t>(y) * w * bytes], bitmap.ScanLine(y), static_cast<std::size_t>(w) * bytes);
    bitmap.SetSize(h, w);
    if (bitmap.Width() != h || bitmap.Height() != w)
        return;
    for (int ny = 0; ny < w; ++ny) {
        std::uint8_t* row = bitmap.ScanLine(ny);
        for (int nx = 0; nx < h; ++nx) {
            const POINT p = source(nx, ny, w, h);
            std::memcpy(row + nx * bytes, &old[(static_cast<std::size_t>(p.y) * w + p.x) * bytes], bytes);
        }
    }
}

} // namespace

void GrayBitmap(ui::TBitmap* bitmap)
{
    if (!Usable(bitmap))
        return;
    bitmap->SetPixelFormat(ui::TPixelFormat::pf24bit);
    for (int y = 0; y < bitmap->Height(); ++y) {
        std::uint8_t* p = bitmap->ScanLine(y);
        for (int x = 0; x < bitmap->Width(); ++x, p += 3) {
            const auto grey = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = grey;
        }
    }
}

void MirrorBitmap(ui::TBitmap* bitmap)
{
    if (!Usable(bitmap))
        return;
    const int w = bitmap->Width();
    const int bytes = BytesPerPixel(*bitmap);
    std::vector<std::uint8_t> copy(static_cast<std::size_t>(w) * bytes);
    for (int y = 0; y < bitmap->Height(); ++y) {
        std::uint8_t* row = bitmap->ScanLine(y);
        std::memcpy(copy.data(), row, copy.size());
        for (int x = 0; x < w; ++x)
            std::memcpy(row + x * bytes, &copy[static_cast<std::size_t>(w - 1 - x) * bytes], bytes);
    }
}

void FlipBitmap(ui::TBitmap* bitmap)
{
    if (!Usable(bitmap))
        return;
    const int h = bitmap->Height();
    const std::size_t rowBytes = static_cast<std::size_t>(bitmap->Width()) * BytesPerPixel(*bitmap);
    std::vector<std::uint8_t> copy(rowBytes);
    for (int top = 0, bottom = h - 1; top < bottom; ++top, --bottom) {
        std::uint8_t* a = bitmap->ScanLine(top);
        std::uint8_t* b = bitmap->ScanLine(bottom);
        std::memcpy(copy.data(), a, rowBytes);
        std::memcpy(a, b, rowBytes);
        std::memcpy(b, copy.data(), rowBytes);
    }
}

void RotateBitmapLeft(ui::TBitmap* bitmap)
{
    if (!Usable(bitmap))
        return;
    Rotate(*bitmap, [](int nx, int ny, int w, int) { return POINT{w - 1 - ny, nx}; });
}

void RotateBitmapRight(ui::TBitmap* bitmap)
{
    if (!Usable(bitmap))
        return;
    Rotate(*bitmap, [](int nx, int ny, int, int h) { return POINT{ny, h - 1 - nx}; });
}

} // namespace skin
