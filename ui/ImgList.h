#pragma once
// The image list: images of one size in a system image list, drawn with their mask.
#include "Component.h"
#include "Graphics.h"

#include <commctrl.h>

namespace ui {

// Published: Width, Height (16 by default; changing either empties the list). The system list
// (24-bit colour with a mask) goes with the component.
class TImageList : public TComponent {
    UI_CLASS(TImageList)
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    int Width() const { return width_; }
    void SetWidth(int value);
    int Height() const { return height_; }
    void SetHeight(int value);
    int Count() const;
    HIMAGELIST Handle() const { return handle_; }

    // Adds the images of a strip (Width-wide cells side by side); pixels of `maskColor` are left
    // out. Returns the index of the first image added, -1 when none was.
    int AddMasked(const TBitmap& image, TColor maskColor);
    int Add(const TBitmap& image, TColor maskColor) { return AddMasked(image, maskColor); }
    void Clear();
    // Takes a copy of another system list's images, and their size.
    void AssignList(HIMAGELIST list);
    // Draws image `index` at (x, y); disabled, it is drawn greyed.
    void Draw(HDC dc, int x, int y, int index, bool enabled = true) const;

    std::function<void()> OnChange;

private:
    void Recreate();
    void Changed();
    HIMAGELIST handle_ = nullptr;
    int width_ = 16;
    int height_ = 16;
};

} // namespace ui
