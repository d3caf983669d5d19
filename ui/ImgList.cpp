#include "ImgList.h"

#include "GdiObjects.h"

#include <algorithm>
#include <cstdint>

namespace ui {

const TClassInfo& TImageList::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TImageList, TComponent>("TImageList")
        .Int("Width", &TImageList::Width, &TImageList::SetWidth)
        .Int("Height", &TImageList::Height, &TImageList::SetHeight)
        .Build();
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) { Recreate(); }

TImageList::~TImageList()
{
    OnChange = nullptr;
    if (handle_)
        ImageList_Destroy(handle_);
}

void TImageList::Recreate()
{
    if (handle_)
        ImageList_Destroy(handle_);
    handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    if (!handle_)
        throw Exception("Cannot create an image list");
}

void TImageList::Changed()
{
    if (OnChange)
        OnChange();
}

void TImageList::SetWidth(int value)
{
    value = std::max(1, value);
    if (value == width_)
        return;
    width_ = value;
    Recreate();
    Changed();
}

void TImageList::SetHeight(int value)
{
    value = std::max(1, value);
    if (value == height_)
        return;
    height_ = value;
    Recreate();
    Changed();
}

void TImageList::AssignList(HIMAGELIST list)
{
    HIMAGELIST copy = list ? ImageList_Duplicate(list) : nullptr;
    if (!copy)
        return;
    int width = 0, height = 0;
    ImageList_GetIconSize(copy, &width, &height);
    ImageList_Destroy(handle_);
    handle_ = copy;
    width_ = width;
    height_ = height;
    Changed();
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TImageList::AddMasked(const TBitmap& image, TColor maskColor)
{
    if (image.Empty() || image.Width() < width_)
        return -1;
    // Copied pixel by pixel into a section no DC holds: the list selects it into a DC of its own
    // and blackens its masked pixels, while the caller's bitmap stays selected into its canvas.
    TBitmap copy(image.Width(), height_, TPixelFormat::pf24bit);
    if (copy.Empty())
        return -1;
    GdiFlush();
    const int step = image.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
    for (int row = 0; row < std::min(image.Height(), height_); ++row) {
        const std::uint8_t* from = image.ScanLine(row);
        std::uint8_t* to = copy.ScanLine(row);
        for (int x = 0; x < image.Width(); ++x, from += step, to += 3) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    const int index = ImageList_AddMasked(handle_, copy.Handle(), ColorToRGB(maskColor));
    if (index >= 0)
        Changed();
    return index;
}

void TImageList::Clear()
{
    if (handle_ && ImageList_Remove(handle_, -1))
        Changed();
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const
{
    if (!handle_ || index < 0 || index >= Count())
        return;
    if (enabled) {
        ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    // Greyed through a key colour no image of the tool uses, like a disabled glyph.
    const COLORREF key = RGB(255, 0, 255);
    TBitmap cell(width_, height_, TPixelFormat::pf24bit);
    HDC cellDC = cell.Canvas().Handle();
    const RECT all{0, 0, width_, height_};
    TBrushHandle keyBrush(CreateSolidBrush(key));
    FillRect(cellDC, &all, keyBrush.Get());
    ImageList_Draw(handle_, index, cellDC, 0, 0, ILD_TRANSPARENT);
    GreyBitmap(cell, key);
    TransparentBlt(dc, x, y, width_, height_, cellDC, 0, 0, width_, height_, key);
}

} // namespace ui
