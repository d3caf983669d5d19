#include "skin/data/SkinDraw.h"

#include <algorithm>

namespace skin {

namespace {

bool EmptyDest(const ui::TRect& r) { return r.right < r.left || r.bottom < r.top; }

bool Drawable(const ui::TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }

// Copies w x h pixels from (sx, sy) of `source` to (x, y) of dc, leaving destination pixels under
// key-colour source pixels unchanged. The mask is one bit per pixel: key pixels set.
void MaskedCopy(HDC dc, int x, int y, int w, int h, ui::TBitmap& source, int sx, int sy, COLORREF key)
{
    if (w <= 0 || h <= 0)
        return;
    HDC sourceDC = source.Canvas().Handle();
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HDC maskDC = CreateCompatibleDC(nullptr);
    if (!mask || !maskDC) {
        if (maskDC) DeleteDC(maskDC);
        if (mask) DeleteObject(mask);
        return;
    }
    HGDIOBJ oldMask = SelectObject(maskDC, mask);
    // Colour to monochrome: pixels of the source DC's background colour become 1, the rest 0.
    const COLORREF oldBk = SetBkColor(sourceDC, key);
    BitBlt(maskDC, 0, 0, w, h, sourceDC, sx, sy, SRCCOPY);
    SetBkColor(sourceDC, oldBk);
    SelectObject(maskDC, oldMask);
    DeleteDC(maskDC);
    // Set mask bits keep the destination, clear ones take the source.
    MaskBlt(dc, x, y, w, h, sourceDC, sx, sy, mask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    DeleteObject(mask);
}

void StretchPiece(HDC dest, int dl, int dt, int dr, int db, HDC source, int sl, int st, int sr, int sb)
{
    StretchBlt(dest, dl, dt, dr - dl, db - dt, source, sl, st, sr - sl, sb - st, SRCCOPY);
}

// Margins cut down to what the destination can hold: a pair that does not fit collapses to 0.
ui::TRect CollapsedMargins(const ui::TRect& margins, int w, int h)
{
    ui::TRect m = margins;
    if (w < m.left + m.right)
        m.left = m.right = 0;
    if (h < m.top + m.bottom)
        m.top = m.bottom = 0;
    return m;
}

// The eight border pieces of the nine-slice; the centre lies between the first five and the last
// three so that a tiled centre's overrun is covered by the bottom-right corner and the right and
// bottom edges. (ox, oy) moves every destination rectangle.
template <typename Centre>
void DrawNineSlice(HDC dest, int ox, int oy, int w, int h, HDC source, const ui::TRect& frame, const ui::TRect& m,
                   Centre centre)
{
    const int sx = frame.left, sy = frame.top;
    const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
    const int L = m.left, T = m.top, R = m.right, B = m.bottom;
    if (L * T > 0)
        StretchPiece(dest, ox, oy, ox + L, oy + T, source, sx, sy, sx + L, sy + T);
    if (L * B > 0)
        StretchPiece(dest, ox, oy + h - B, ox + L, oy + h, source, sx, sy + fh - B, sx + L, sy + fh);
    if (R * T > 0)
        StretchPiece(dest, ox + w - R, oy, ox + w, oy + T, source, sx + fw - R, sy, sx + fw, sy + T);
    if (L > 0)
        StretchPiece(dest, ox, oy + T, ox + L, oy + h - B, source, sx, sy + T, sx + L, sy + fh - B);
    if (T > 0)
        StretchPiece(dest, ox + L, oy, ox + w - R, oy + T, source, sx + L, sy, sx + fw - R, sy + T);
    centre(ui::Rect(ox + L, oy + T, ox + w - R, oy + h - B), ui::Rect(sx + L, sy + T, sx + fw - R, sy + fh - B));
    if (R * B > 0)
        StretchPiece(dest, ox + w - R, oy + h - B, ox + w, oy + h, source, sx + fw - R, sy + fh - B, sx + fw, sy + fh);
    if (R > 0)
        StretchPiece(dest, ox + w - R, oy + T, ox + w, oy + h - B, source, sx + fw - R, sy + T, sx + fw, sy + fh - B);
    if (B > 0)
        StretchPiece(dest, ox + L, oy + h - B, ox + w - R, oy + h, source, sx + L, sy + fh - B, sx + fw - R, sy + fh);
}

std::unique_ptr<ui::TBitmap> g_workBitmap;

} // namespace

bool SkinFrameRect(const ui::TBitmap* bitmap, bool vertical, int frames, int frameIndex, ui::TRect& frame)
{
    frame = ui::Rect(0, 0, 0, 0);
    if (!Drawable(bitmap) || frames < 1)
        return false;
    const int index = std::clamp(frameIndex, 1, frames);
    if (vertical) {
        const int fh = bitmap->Height() / frames;
        if (fh <= 0)
            return false;
        frame = ui::Rect(0, fh * (index - 1), bitmap->Width(), fh * index);
    } else {
        const int fw = bitmap->Width() / frames;
        if (fw <= 0)
            return false;
        frame = ui::Rect(fw * (index - 1), 0, fw * index, bitmap->Height());
    }
    return true;
}

std::unique_ptr<ui::TBitmap> BuildSkinRect(const ui::TRect& destRect, ui::TBitmap* bitmap, const ui::TRect& margins,
                                           bool vertical, bool tile, int frames, int frameIndex)
{
    const int w = ui::RectWidth(destRect), h = ui::RectHeight(destRect);
    ui::TRect frame;
    if (w <= 0 || h <= 0 || !SkinFrameRect(bitmap, vertical, frames, frameIndex, frame))
        return nullptr;
    auto picture = std::make_unique<ui::TBitmap>(w, h, ui::TPixelFormat::pf24bit);
    if (picture->Empty())
        return nullptr;
    ui::TCanvas& canvas = picture->Canvas();
    canvas.SetStretchMode(COLORONCOLOR);
    HDC dest = canvas.Handle();
    HDC source = bitmap->Canvas().Handle();
    DrawNineSlice(dest, 0, 0, w, h, source, frame, CollapsedMargins(margins, w, h),
                  [&](const ui::TRect& to, const ui::TRect& from) {
                      if (tile)
                          TileBitmap(canvas, to, bitmap, from);
                      else
                          StretchPiece(dest, to.left, to.top, to.right, to.bottom, source, from.left, from.top,
                                       from.right, from.bottom);
                  });
    return picture;
}

void DrawSkinRect(HDC dc, const ui::TRect& destRect, ui::TBitmap* bitmap, bool vertical, bool tile, bool trans,
                  int frames, int frameIndex, const ui::TRect& margins)
{
    if (EmptyDest(destRect))
        return;
    auto picture = BuildSkinRect(destRect, bitmap, margins, vertical, tile, frames, frameIndex);
    if (!picture)
        return;
    if (trans)
        DrawMasked(dc, destRect, picture.get(), SkinKeyColor);
    else
        BitBlt(dc, destRect.left, destRect.top, picture->Width(), picture->Height(), picture->Canvas().Handle(), 0, 0,
               SRCCOPY);
}

void DrawSkinFrame(HDC dc, const ui::TRect& destRect, ui::TBitmap* bitmap, bool vertical, int frames, int frameIndex,
                   const ui::TRect& margins)
{
    const int w = ui::RectWidth(destRect), h = ui::RectHeight(destRect);
    ui::TRect frame;
    if (EmptyDest(destRect) || !SkinFrameRect(bitmap, vertical, frames, frameIndex, frame))
        return;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    DrawNineSlice(dc, destRect.left, destRect.top, w, h, bitmap->Canvas().Handle(), frame,
                  CollapsedMargins(margins, w, h), [](const ui::TRect&, const ui::TRect&) {});
    if (oldMode)
        SetStretchBltMode(dc, oldMode);
}

void DrawSkinBar(ui::TCanvas& canvas, const ui::TRect& destRect, ui::TBitmap* bitmap, bool vertical, bool trans,
                 int frames, int frameIndex, const ui::TRect& margins)
{
    const int w = ui::RectWidth(destRect), h = ui::RectHeight(destRect);
    ui::TRect frame;
    if (EmptyDest(destRect) || w <= 0 || h <= 0 || !canvas.HandleAllocated()
        || !SkinFrameRect(bitmap, vertical, frames, frameIndex, frame))
        return;
    ui::TBitmap work(w, h, ui::TPixelFormat::pf24bit);
    if (work.Empty())
        return;
    work.Canvas().SetStretchMode(COLORONCOLOR);
    HDC dest = work.Canvas().Handle();
    HDC source = bitmap->Canvas().Handle();
    const int sx = frame.left, sy = frame.top;
    const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
    const int L = margins.left, R = margins.right;
    StretchPiece(dest, 0, 0, L, h, source, sx, sy, sx + L, sy + fh);
    // A frame no wider than its caps has no middle to repeat (stepping by it would never end).
    const int M = fw - L - R;
    if (M > 0)
        for (int x = L; x < w - R; x += M)
            StretchPiece(dest, x, 0, x + M, h, source, sx + L, sy, sx + L + M, sy + fh);
    StretchPiece(dest, w - R, 0, w, h, source, sx + fw - R, sy, sx + fw, sy + fh);
    if (trans) {
        work.SetTransparent(true);
        work.SetTransparentColor(SkinKeyColor);
    }
    canvas.Draw(destRect.left, destRect.top, work);
}

void DrawSkinStretch(HDC dc, const ui::TRect& destRect, ui::TBitmap* bitmap, bool trans, int frames, int frameIndex)
{
    const int w = ui::RectWidth(destRect), h = ui::RectHeight(destRect);
    ui::TRect frame;
    if (EmptyDest(destRect) || w <= 0 || h <= 0 || !SkinFrameRect(bitmap, false, frames, frameIndex, frame))
        return;
    // Stretched with the work DC's default mode: this routine never set one.
    ui::TBitmap work(w, h, ui::TPixelFormat::pf24bit);
    if (work.Empty())
        return;
    work.Canvas().CopyRect(ui::Rect(0, 0, w, h), bitmap->Canvas(), frame);
    if (trans)
        DrawMasked(dc, destRect, &work, SkinKeyColor);
    else
        BitBlt(dc, destRect.left, destRect.top, w, h, work.Canvas().Handle(), 0, 0, SRCCOPY);
}

void DrawSkinCentered(HDC dc, const ui::TRect& destRect, ui::TBitmap* bitmap, bool trans, int frames,
                      int frameIndex)
{
    ui::TRect frame;
    if (EmptyDest(destRect) || !SkinFrameRect(bitmap, false, frames, frameIndex, frame))
        return;
    const int fw = ui::RectWidth(frame), fh = ui::RectHeight(frame);
    // C++ division truncates toward zero, as the centring wants.
    const int x = destRect.left + (ui::RectWidth(destRect) - fw) / 2;
    const int y = destRect.top + (ui::RectHeight(destRect) - fh) / 2;
    // The frame is copied unscaled, so it goes straight from the strip: no intermediate bitmap.
    if (trans)
        MaskedCopy(dc, x, y, fw, fh, *bitmap, frame.left, frame.top, ui::ColorToRGB(SkinKeyColor));
    else
        BitBlt(dc, x, y, fw, fh, bitmap->Canvas().Handle(), frame.left, frame.top, SRCCOPY);
}

void TileBitmap(ui::TCanvas& canvas, const ui::TRect& destRect, ui::TBitmap* bitmap, const ui::TRect& sourceRect)
{
    const int tw = ui::RectWidth(sourceRect), th = ui::RectHeight(sourceRect);
    if (tw <= 0 || th <= 0 || !Drawable(bitmap) || !canvas.HandleAllocated())
        return;
    // A tile of its own, so that a bitmap may be tiled onto its own canvas.
    ui::TBitmap tileBitmap(tw, th, ui::TPixelFormat::pf24bit);
    if (tileBitmap.Empty())
        return;
    BitBlt(tileBitmap.Canvas().Handle(), 0, 0, tw, th, bitmap->Canvas().Handle(), sourceRect.left, sourceRect.top,
           SRCCOPY);
    HDC dest = canvas.Handle();
    HDC tileDC = tileBitmap.Canvas().Handle();
    for (int x = destRect.left; x < destRect.right; x += tw)
        for (int y = destRect.top; y < destRect.bottom; y += th)
            BitBlt(dest, x, y, tw, th, tileDC, 0, 0, SRCCOPY);
}

void DrawMasked(HDC dc, const ui::TRect& destRect, ui::TBitmap* bitmap, ui::TColor keyColor)
{
    if (EmptyDest(destRect) || !Drawable(bitmap))
        return;
    // Never more than the bitmap holds.
    const int w = std::min(ui::RectWidth(destRect), bitmap->Width());
    const int h = std::min(ui::RectHeight(destRect), bitmap->Height());
    MaskedCopy(dc, destRect.left, destRect.top, w, h, *bitmap, 0, 0, ui::ColorToRGB(keyColor));
}

ui::TBitmap& WorkBitmap()
{
    if (!g_workBitmap) {
        g_workBitmap = std::make_unique<ui::TBitmap>(1, 1, ui::TPixelFormat::pf24bit);
        g_workBitmap->Canvas().SetStretchMode(COLORONCOLOR);
    }
    return *g_workBitmap;
}

ui::TBitmap& WorkBitmap(int width, int height)
{
    ui::TBitmap& work = WorkBitmap();
    if (work.Width() != width || work.Height() != height) {
        work.SetSize(width, height);
        work.Canvas().SetStretchMode(COLORONCOLOR);
    }
    return work;
}

void FreeWorkBitmap() { g_workBitmap.reset(); }

} // namespace skin
