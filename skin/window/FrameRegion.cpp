// The outline of a skinned window: the inner rectangle plus the opaque pixels of each transparent
// border, so the skin's shaped corners show the desktop behind them.
#include "skin/window/WinSkinForm.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinRegion.h"
#include "skin/data/WinSkinData.h"

namespace skin {

namespace {

// A region of the pixels of `source` (x, y, w, h) that are not the key colour, placed at (x, y).
HRGN OpaquePixels(ui::TBitmap& source, int x, int y, int w, int h)
{
    ui::TBitmap piece(w, h);
    BitBlt(piece.Canvas().Handle(), 0, 0, w, h, source.Canvas().Handle(), x, y, SRCCOPY);
    return BitmapToRegion(&piece, x, y, 1, 1, 1, SkinKeyColor);
}

} // namespace

void TWinSkinForm::UpdateRegion()
{
    if (Status == fsDestroyed || !skinData_ || skinData_->NoSkin || !FrameSkinned)
        return;
    RECT r{};
    GetWindowRect(WindowHandle, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 0 || h <= 0 || (IsMDIChild() && WindowState != fwsNormal))
        return;
    if (w == RegionWidth && h == RegionHeight && !IsMDIChild() && Status != fsChanging)
        return;
    RegionSet = false;

    bool anyTransparent = false;
    for (int i = 1; i <= 4; ++i)
        if (const TDataSkinBorder* border = Border(i); border && border->Trans)
            anyTransparent = true;
    ui::TRegionHandle region;
    if (!anyTransparent || BorderKind == bkNoCaption) {
        region.Reset(CreateRectRgn(0, 0, w, h));
    } else {
        RegionWidth = w;
        RegionHeight = h;
        // The borders are taken from the composed frame, so the caption buttons shape it too.
        Compose(w, h);
        region.Reset(CreateRectRgn(BorderLeft, BorderTop, w - BorderRight, h - BorderBottom));
        const auto add = [&region](HRGN piece) {
            ui::TRegionHandle owned(piece);
            if (owned)
                CombineRgn(region.Get(), region.Get(), owned.Get(), RGN_OR);
        };
        const auto piece = [&](int index, int x, int y, int pw, int ph, bool shaped) {
            if (pw <= 0 || ph <= 0)
                return;
            const TDataSkinBorder* border = Border(index);
            if (shaped && border && border->Trans == 1)
                add(OpaquePixels(frameImage_, x, y, pw, ph));
            else
                add(CreateRectRgn(x, y, x + pw, y + ph));
        };
        piece(1, 0, 0, BorderLeft, h, h > 1);
        piece(2, w - BorderRight, 0, BorderRight, h, h > 1);
        piece(4, BorderLeft, h - BorderBottom, w - BorderLeft - BorderRight, BorderBottom, BorderBottom >= 2);
        piece(3, BorderLeft, 0, w - BorderLeft - BorderRight, BorderTop, BorderTop > 1);
    }
    // The window owns the region from here on.
    if (SetWindowRgn(WindowHandle, region.Get(), TRUE)) {
        region.Release();
        RegionSet = true;
    }
}

} // namespace skin
