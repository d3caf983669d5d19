// Painting a skinned frame: the four borders, the caption bar with its text and buttons. The whole
// frame is composed in one off-screen image and copied to the window at once, so nothing flickers;
// a repaint with nothing changed only copies the image again.
#include "skin/window/WinSkinForm.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>

namespace skin {

TDataSkinBorder* TWinSkinForm::Border(int index) const
{
    switch (index) {
    case 1: return skinData_->FrameLeft.get();
    case 2: return skinData_->FrameRight.get();
    case 3: return skinData_->FrameTop.get();
    default: return skinData_->FrameBottom.get();
    }
}

int TWinSkinForm::BorderFrame(const TDataSkinBorder& border) const
{
    return Active || border.Frame <= 1 ? 1 : 2;
}

void TWinSkinForm::ForgetPictures()
{
    for (auto& border : borderPictures_)
        for (TBorderPicture& picture : border)
            picture = TBorderPicture{};
    composedValid_ = false;
}

bool TWinSkinForm::CanPaint() const
{
    if (!skinData_ || skinData_->NoSkin || !FrameSkinned)
        return false;
    if (Status != fsAttached && Status != fsChanging)
        return false;
    if (BorderKind == bkNoCaption || (IsMDIChild() && WindowState != fwsNormal))
        return false;
    return true;
}

void TWinSkinForm::PaintBorder(HDC dc, int index, const RECT& rect)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    TDataSkinBorder* border = Border(index);
    // Each border's picture depends only on its size and frame: built once, copied at each paint.
    const int frame = border ? BorderFrame(*border) : 1;
    TBorderPicture& cached = borderPictures_[index - 1][frame == 1 ? 0 : 1];
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!cached.picture || cached.width != width || cached.height != height) {
        cached.picture = border ? BuildSkinRect(rect, &border->Bitmap, border->Margins(), index >= 3, border->Tile != 1,
                                                border->Frame, frame)
                                : nullptr;
        cached.width = width;
        cached.height = height;
    }
    ui::TBitmap* picture = cached.picture.get();
    if (!picture) {
        // A skin without this border still gets a plain one in its face colour.
        ui::TBrushHandle face(CreateSolidBrush(ui::ColorToRGB(skinData_->ButtonFaceColor)));
        FillRect(dc, &rect, face.Get());
        return;
    }
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, picture->Canvas().Handle(), 0, 0,
           SRCCOPY);
}

void TWinSkinForm::PaintCaptionText(HDC dc, const RECT& bar)
{
    const TDataSkinTitle* title = skinData_->Title.get();
    const int textShift = title ? title->LeftWidth : 0;
    const int textShiftVert = title ? title->TopHeight : 0;
    const int textRightClip = title ? title->RightWidth : 0;
    const int backLeft = title ? title->TXTBackleft : 0;
    const int backRight = title ? title->TXTBackRight : 0;
    const int alignment = title ? title->TextAlignment : 0;

    const std::wstring text = CaptionPrefix + WindowText() + CaptionSuffix;
    ui::TSavedDC saved(dc);
    if (captionFont_)
        SelectObject(dc, captionFont_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::ColorToRGB(Active ? skinData_->TitleTextActiveColor : skinData_->TitleTextNoActiveColor));

    ui::TRect r{bar.left, bar.top, bar.left, bar.top};
    DrawTextUnicode(dc, text, r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    r.right += backLeft + backRight;
    const int w = r.right - r.left;
    const int barWidth = bar.right - bar.left;
    int dx = 0;
    switch (RightToLeft ? 2 : alignment) {
    case 0: dx = textShift; break;
    case 1: dx = (barWidth - w) / 2; break;
    case 2: dx = barWidth - textRightClip - w; break;
    default: break;
    }
    const int dy = ((bar.bottom - bar.top) - (r.bottom - r.top)) / 2 + textShiftVert / 2;
    OffsetRect(&r, dx, dy);
    if (OrigStyle & WS_POPUP) {
        if (RightButtonsLeft > 5)
            r.right = std::min<LONG>(r.right, RightButtonsLeft - 5);
    } else {
        r.right = std::min<LONG>(r.right, bar.right - textRightClip);
    }
    if (BorderKind == bkDialog && alignment == 0)
        r.left -= 16;
    TextRect = r;
    if (title && !title->Bitmap.Empty() && r.right > r.left)
        DrawSkinBar(frameImage_.Canvas(), ui::Rect(r.left, bar.top, r.right, bar.bottom),
                    const_cast<ui::TBitmap*>(&title->Bitmap), true, true, 2, Active ? 1 : 2,
                    ui::Rect(backLeft, 0, backRight, 0));
    r.left += backLeft;
    r.right -= backRight;
    if (r.right > r.left)
        DrawTextUnicode(dc, text, r, DT_SINGLELINE | DT_END_ELLIPSIS | (RightToLeft ? DT_RIGHT : 0));
}

void TWinSkinForm::Compose(int width, int height)
{
    // What the picture depends on besides the skin: size, activation, state, buttons, text.
    unsigned key = static_cast<unsigned>(width) * 31u + static_cast<unsigned>(height);
    key = key * 31u + (Active ? 1u : 0u);
    key = key * 31u + static_cast<unsigned>(WindowState);
    key = key * 31u + static_cast<unsigned>(MenuHeight);
    for (auto& button : CaptionButtons)
        key = key * 31u + static_cast<unsigned>(button->State);
    if (SkinMenu)
        key = key * 31u + SkinMenu->PaintKey();
    const std::wstring text = WindowText();
    if (composedValid_ && key == composedKey_ && text == composedText_ && frameImage_.Width() == width &&
        frameImage_.Height() == height)
        return;
    composedValid_ = false;
    WindowWidth = width;
    WindowHeight = height;
    if (frameImage_.Width() != width || frameImage_.Height() != height)
        frameImage_.SetSize(width, height);
    HDC dc = frameImage_.Canvas().Handle();
    ui::TSavedDC saved(dc);
    PaintBorder(dc, 1, RECT{0, 0, BorderLeft, height});
    PaintBorder(dc, 2, RECT{width - BorderRight, 0, width, height});
    PaintBorder(dc, 4, RECT{BorderLeft, height - BorderBottom, width - BorderRight, height});
    const RECT bar{BorderLeft, 0, width - BorderRight, BorderTop};
    PaintBorder(dc, 3, bar);
    if (bar.right > bar.left && BorderTop > 0) {
        PaintCaptionText(dc, bar);
        LayoutCaptionButtons();
        PaintCaptionButtons(dc);
    }
    if (SkinMenu && MenuHeight > 0)
        SkinMenu->PaintBar(dc, RECT{BorderLeft, BorderTop, width - BorderRight, BorderTop + MenuHeight});
    composedKey_ = key;
    composedText_ = text;
    composedValid_ = true;
}

void TWinSkinForm::PaintFrame(HDC dc)
{
    if (!CanPaint())
        return;
    try {
        GetWindowRect(WindowHandle, &WindowRect);
        WindowWidth = WindowRect.right - WindowRect.left;
        WindowHeight = WindowRect.bottom - WindowRect.top;
        if (WindowWidth <= 0 || WindowHeight <= 0)
            return;
        Compose(WindowWidth, WindowHeight);
        std::unique_ptr<ui::TWindowDC> own;
        if (!dc) {
            own = std::make_unique<ui::TWindowDC>(WindowHandle);
            dc = own->Get();
        }
        if (!dc)
            return;
        ui::TSavedDC saved(dc);
        // Only the frame: the client area belongs to the window.
        ExcludeClipRect(dc, BorderLeft, BorderTop + MenuHeight, WindowWidth - BorderRight, WindowHeight - BorderBottom);
        BitBlt(dc, 0, 0, WindowWidth, WindowHeight, frameImage_.Canvas().Handle(), 0, 0, SRCCOPY);
    } catch (...) {
        // A frame that cannot be painted this time is painted at the next request.
    }
}

} // namespace skin
