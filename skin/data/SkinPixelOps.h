#pragma once
// Pixel operations that derive skin images in place: grey for disabled glyphs, mirrored, flipped
// and rotated strips for controls drawn in other orientations. A nil or empty bitmap is left alone.
#include "ui/Graphics.h"

namespace skin {

// Converts to 24 bits per pixel; every channel becomes (R + G + B) div 3.
void GrayBitmap(ui::TBitmap* bitmap);
// Left-right mirror.
void MirrorBitmap(ui::TBitmap* bitmap);
// Top-bottom flip.
void FlipBitmap(ui::TBitmap* bitmap);
// A quarter turn counter-clockwise: width and height swap, the old top-right pixel becomes the new
// top-left.
void RotateBitmapLeft(ui::TBitmap* bitmap);
// A quarter turn clockwise: the old bottom-left pixel becomes the new top-left.
void RotateBitmapRight(ui::TBitmap* bitmap);

} // namespace skin
