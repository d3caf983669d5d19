// Column headers: every item's face from the skin's header image, its text and image on it, and the
// rest of the bar after the last item; composed off-screen and copied once.
#include "skin/controls/SkinHeader.h"

#include "skin/controls/SkinTab.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

#include <algorithm>

namespace skin {

namespace {

const TDataSkinObject* HeaderImage(const TSkinData* data)
{
    const TDataSkinObject* image = data ? data->Headerbar.get() : nullptr;
    return image && !image->Bitmap.Empty() && image->Frame > 0 ? image : nullptr;
}

void DrawFace(HDC dc, const ui::TRect& r, const TDataSkinObject& image)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    std::unique_ptr<ui::TBitmap> face =
        BuildSkinRect(ui::Rect(0, 0, ui::RectWidth(r), ui::RectHeight(r)), const_cast<ui::TBitmap*>(&image.Bitmap),
                      image.Margins(), false, image.Tile != 0, image.Frame, 1);
    if (face)
        BitBlt(dc, r.left, r.top, face->Width(), face->Height(), face->Canvas().Handle(), 0, 0, SRCCOPY);
}

} // namespace

bool TSkinHeader::BeforeMessage(ui::TMessage& message)
{
    // Without the skin's image the header keeps its own look.
    return !(HeaderImage(SkinData) && AnswerPaintMessages(message));
}

void TSkinHeader::DrawSkin(HDC dc, const ui::TRect& rect)
{
    const TDataSkinObject* image = HeaderImage(SkinData);
    const int width = ui::RectWidth(rect), height = ui::RectHeight(rect);
    if (!image || !dc || !Handle || width <= 0 || height <= 0)
        return;
    ui::TBitmap work(width, height);
    HDC canvas = work.Canvas().Handle();
    if (!canvas)
        return;
    {
        ui::TSavedDC saved(canvas);
        FillBackground(canvas, ui::Rect(0, 0, width, height));
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0));
        SelectObject(canvas, font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        SetBkMode(canvas, TRANSPARENT);
        SetTextColor(canvas, ui::ColorToRGB(image->NormalColour2));
        const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, HDM_GETIMAGELIST, 0, 0));
        const int count = static_cast<int>(SendMessageW(Handle, HDM_GETITEMCOUNT, 0, 0));
        int last = 0;
        for (int i = 0; i < count; ++i) {
            RECT item{};
            if (!SendMessageW(Handle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
                continue;
            DrawHeaderItem(canvas, images, i, item);
            last = std::max(last, static_cast<int>(item.right));
        }
        if (last < width)
            DrawFace(canvas, ui::Rect(last, 0, width, height), *image);
    }
    BitBlt(dc, rect.left, rect.top, width, height, canvas, 0, 0, SRCCOPY);
}

void TSkinHeader::DrawHeaderItem(HDC dc, HIMAGELIST images, int index, const ui::TRect& itemRect)
{
    const TDataSkinObject* image = HeaderImage(SkinData);
    if (!image || !dc || !Handle)
        return;
    wchar_t text[202] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = 201;
    if (!SendMessageW(Handle, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return;
    DrawFace(dc, itemRect, *image);
    const std::wstring caption = item.pszText ? std::wstring(item.pszText) : std::wstring();
    if (caption.empty())
        return;
    const int imageIndex = (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? item.iImage : -1;
    int alignment = 0;
    switch (item.fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: alignment = 2; break;
    case HDF_CENTER: alignment = 1; break;
    default: alignment = 0; break;
    }
    DrawImageAndText(dc, itemRect, alignment, caption, imageIndex, images, IsWindowEnabled(Handle) != FALSE);
}

} // namespace skin
