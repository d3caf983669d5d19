#pragma once
// Drawing of skin image strips: pick one frame of a strip, cut it by four margins and stretch or
// tile the pieces into a rectangle, optionally leaving the key colour (magenta) out.
//
// A strip holds `frames` equal frames side by side (or stacked when `vertical`), numbered from 1.
// Input the skin objects never supply is drawn safely rather than faithfully: a nil or empty bitmap,
// `frames` below 1, or a strip with more frames than pixels draws nothing; a `frameIndex` outside
// 1..frames is clamped into that range, so a state the skin lacks shows its nearest frame.
// A destination whose right is left of its left (or bottom above top) draws nothing.
#include "ui/Graphics.h"

#include <memory>

namespace skin {

// The transparent key colour of every skin image.
constexpr ui::TColor SkinKeyColor = 0xFF00FF;

// The source rectangle of one frame of a strip, in bitmap coordinates; false (and an empty
// rectangle) when there is nothing to draw.
bool SkinFrameRect(const ui::TBitmap* bitmap, bool vertical, int frames, int frameIndex, ui::TRect& frame);

// Nine-slice of one frame into destRect; the key colour is left out when `trans`.
void DrawSkinRect(HDC dc, const ui::TRect& destRect, ui::TBitmap* bitmap, bool vertical, bool tile, bool trans,
                  int frames, int frameIndex, const ui::TRect& margins);

// The nine-slice picture as a new 24-bit bitmap of destRect's size; nullptr when there is nothing
// to draw (nil or empty bitmap, no frames, destination without area).
std::unique_ptr<ui::TBitmap> BuildSkinRect(const ui::TRect& destRect, ui::TBitmap* bitmap, const ui::TRect& margins,
                                           bool vertical, bool tile, int frames, int frameIndex);

// The eight border pieces of the nine-slice straight onto the DC: no centre, no transparency.
void DrawSkinFrame(HDC dc, const ui::TRect& destRect, ui::TBitmap* bitmap, bool vertical, int frames, int frameIndex,
                   const ui::TRect& margins);

// Three-slice bar: left cap, the middle repeated at its own width, right cap (margins.left and
// margins.right; top and bottom are not used).
void DrawSkinBar(ui::TCanvas& canvas, const ui::TRect& destRect, ui::TBitmap* bitmap, bool vertical, bool trans,
                 int frames, int frameIndex, const ui::TRect& margins);

// One frame of a horizontal strip stretched to destRect.
void DrawSkinStretch(HDC dc, const ui::TRect& destRect, ui::TBitmap* bitmap, bool trans, int frames, int frameIndex);

// One frame of a horizontal strip at natural size, centred in destRect (offsets truncated toward
// zero, so a frame larger than the rectangle is centred over it).
void DrawSkinCentered(HDC dc, const ui::TRect& destRect, ui::TBitmap* bitmap, bool trans, int frames,
                      int frameIndex);

// sourceRect of bitmap repeated over destRect from its top-left; the last column and row are not
// clipped to destRect.
void TileBitmap(ui::TCanvas& canvas, const ui::TRect& destRect, ui::TBitmap* bitmap, const ui::TRect& sourceRect);

// The bitmap's top-left part of destRect's size (at most the bitmap's own size) copied unscaled to
// destRect's origin; destination pixels under key-colour pixels stay unchanged.
void DrawMasked(HDC dc, const ui::TRect& destRect, ui::TBitmap* bitmap, ui::TColor keyColor);

// The shared scratch bitmap of control painting, created on first use and freed by
// FreeWorkBitmap (or at process exit). Its DC stretches in COLORONCOLOR mode; the sized form
// resizes it first (a resize gives it a new DC, whose mode is set again).
ui::TBitmap& WorkBitmap();
ui::TBitmap& WorkBitmap(int width, int height);
void FreeWorkBitmap();

} // namespace skin
