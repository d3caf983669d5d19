#pragma once
// The window shape of a skinned frame: a region made of the bitmap's opaque pixels.
#include "ui/Graphics.h"

#include <cstdint>

namespace skin {

// A new region (owned by the caller) of every pixel whose colour lies outside the key range
// [key, key + delta] per channel, moved by (offsetX, offsetY). Always a region object: an empty one
// when every pixel is transparent or the bitmap is nil or empty.
HRGN BitmapToRegion(ui::TBitmap* bitmap, int offsetX, int offsetY, std::uint8_t deltaB, std::uint8_t deltaG,
                    std::uint8_t deltaR, ui::TColor keyColor);

} // namespace skin
