// Progress bars: the skin's two-frame bar strip (track, then fill) or, for a block-style skin, the
// track with a row of chunk images. A vertical bar is composed lying down and turned, so both
// orientations share one drawing and a vertical one fills from the bottom.
#include "skin/controls/SkinProgress.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinPixelOps.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

#include <algorithm>

namespace skin {

namespace {

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    ui::TBrushHandle brush(CreateSolidBrush(colour));
    if (brush)
        FillRect(dc, &rect, brush.Get());
}

} // namespace

int TSkinProgress::FillLength(int length, int pos, int low, int high)
{
    if (length <= 0 || high <= low || pos <= low)
        return 0;
    if (pos >= high)
        return length;
    const long long filled = static_cast<long long>(length) * (static_cast<long long>(pos) - low) /
                             (static_cast<long long>(high) - low);
    return static_cast<int>(std::clamp<long long>(filled, 0, length));
}

bool TSkinProgress::BeforeMessage(ui::TMessage& message)
{
    const TDataSkinBorder* progress = SkinData ? SkinData->Progress.get() : nullptr;
    // A block skin without its block image leaves the bar to the control.
    const bool ours = progress && !progress->Bitmap.Empty() && Handle && (progress->Style != 1 || !progress->Chunk.Empty());
    switch (message.Msg) {
    case WM_ERASEBKGND:
        if (!ours)
            break;
        message.Result = 1;
        return false;
    case WM_PAINT: {
        if (!ours)
            break;
        // The bar fills the client area; the control's own edge around it stays.
        message.Result = 0;
        RECT client{};
        GetClientRect(Handle, &client);
        if (HDC given = reinterpret_cast<HDC>(message.WParam)) {
            DrawSkin(given, client);
        } else {
            ui::TPaintDC paint(Handle);
            if (paint.Get())
                DrawSkin(paint.Get(), client);
        }
        return false;
    }
    default:
        break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinProgress::ComposeBar(ui::TBitmap& bar, int filled) const
{
    TDataSkinBorder& p = *SkinData->Progress;
    HDC dc = bar.Canvas().Handle();
    const ui::TRect whole = ui::Rect(0, 0, bar.Width(), bar.Height());
    if (auto track = BuildSkinRect(whole, &p.Bitmap, p.Margins(), false, p.Tile != 0, 2, 1))
        DrawMasked(dc, whole, track.get(), SkinKeyColor);
    if (filled <= 0)
        return;
    const ui::TRect fill = ui::Rect(0, 0, filled, bar.Height());
    if (auto picture = BuildSkinRect(fill, &p.Bitmap, p.Margins(), false, p.Tile != 0, 2, 2))
        DrawMasked(dc, fill, picture.get(), SkinKeyColor);
}

void TSkinProgress::ComposeBlocks(ui::TBitmap& bar, int filled) const
{
    TDataSkinBorder& p = *SkinData->Progress;
    HDC dc = bar.Canvas().Handle();
    const ui::TRect whole = ui::Rect(0, 0, bar.Width(), bar.Height());
    if (auto track = BuildSkinRect(whole, &p.Bitmap, p.Margins(), false, p.Tile != 0, 1, 1))
        DrawMasked(dc, whole, track.get(), SkinKeyColor);
    const int w = p.Chunk.Width(), h = p.Chunk.Height();
    if (filled <= 0 || w <= 0 || h <= 0)
        return;
    // The row is as long as the fill; the last block is cut at its end.
    ui::TBitmap row(filled, h, ui::TPixelFormat::pf24bit);
    if (row.Empty())
        return;
    HDC rdc = row.Canvas().Handle();
    FillSolid(rdc, RECT{0, 0, filled, h}, ui::ColorToRGB(SkinKeyColor));
    const int blocks = filled / w + 1;
    for (int i = 0; i < blocks; ++i)
        BitBlt(rdc, i * w, 0, w, h, p.Chunk.Canvas().Handle(), 0, 0, SRCCOPY);
    const int x = p.LeftWidth, y = (bar.Height() - h) / 2;
    DrawMasked(dc, ui::Rect(x, y, x + filled, y + h), &row, SkinKeyColor);
}

void TSkinProgress::DrawSkin(HDC dc, const ui::TRect& rect)
{
    if (!dc || !Handle || !SkinData)
        return;
    TDataSkinBorder* p = SkinData->Progress.get();
    if (!p || p->Bitmap.Empty())
        return;
    const bool blocks = p->Style == 1;
    if (blocks && p->Chunk.Empty())
        return;
    const int w = ui::RectWidth(rect), h = ui::RectHeight(rect);
    if (w <= 0 || h <= 0)
        return;
    const bool vertical = (GetWindowLongPtrW(Handle, GWL_STYLE) & PBS_VERTICAL) != 0;
    const int length = vertical ? h : w, thickness = vertical ? w : h;

    PBRANGE range{};
    SendMessageW(Handle, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const int pos = static_cast<int>(SendMessageW(Handle, PBM_GETPOS, 0, 0));
    const int filled = FillLength(length, pos, range.iLow, range.iHigh);

    ui::TBitmap bar(length, thickness, ui::TPixelFormat::pf24bit);
    if (bar.Empty())
        return;
    const ui::TColor face = SkinData->ButtonFaceColor;
    FillSolid(bar.Canvas().Handle(), RECT{0, 0, length, thickness}, ui::ColorToRGB(face));
    if (blocks)
        ComposeBlocks(bar, filled);
    else
        ComposeBar(bar, filled);
    // Turned counter-clockwise, the start of the bar comes to the bottom.
    if (vertical)
        RotateBitmapLeft(&bar);
    BitBlt(dc, rect.left, rect.top, w, h, bar.Canvas().Handle(), 0, 0, SRCCOPY);
}

} // namespace skin
