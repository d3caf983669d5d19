// An item's image and text side by side, aligned as a group: tab and header items.
#include "skin/controls/SkinTab.h"

#include "skin/data/SkinText.h"
#include "ui/GdiObjects.h"

#include <algorithm>

namespace skin {

void DrawImageAndText(HDC dc, const ui::TRect& rect, int alignment, const std::wstring& text, int imageIndex,
                      HIMAGELIST images, bool enabled)
{
    if (!dc)
        return;
    const int width = ui::RectWidth(rect), height = ui::RectHeight(rect);
    if (width <= 0 || height <= 0)
        return;
    // The image only when there is one to draw and it leaves room.
    int cx = 0, cy = 0;
    const bool usable = images && imageIndex >= 0 && imageIndex < ImageList_GetImageCount(images) &&
                        ImageList_GetIconSize(images, &cx, &cy) && cx < width;
    if (!usable)
        cx = cy = 0;
    const bool withImage = cx > 0;

    // The text in the plain style of the font the caller selected; declared first so that it is
    // deleted only after the DC has its own font back.
    ui::TFontHandle plain;
    // Everything below is put back when done: the caller's DC comes back as it went.
    ui::TSavedDC saved(dc);
    LOGFONTW font{};
    if (GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font) &&
        (font.lfWeight > FW_NORMAL || font.lfItalic || font.lfUnderline || font.lfStrikeOut)) {
        font.lfWeight = FW_NORMAL;
        font.lfItalic = font.lfUnderline = font.lfStrikeOut = FALSE;
        plain.Reset(CreateFontIndirectW(&font));
        if (plain)
            SelectObject(dc, plain.Get());
    }
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (!enabled)
        SetTextColor(dc, ui::ColorToRGB(ui::clBtnShadow));

    const UINT format = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS | DT_NOPREFIX;
    // Room the text may take beside the image.
    const int room = std::max(0, width - (withImage ? cx + 2 : 0) - 3);
    int textWidth = 0, textHeight = 0;
    if (!text.empty()) {
        ui::TRect measured = ui::Rect(0, 0, room, height);
        DrawTextUnicode(dc, text, measured, format | DT_CALCRECT | DT_NOCLIP);
        textWidth = std::min(room, ui::RectWidth(measured));
        textHeight = ui::RectHeight(measured);
    }

    int dx = 2;
    if (alignment == 1)
        dx = (width - cx - textWidth) / 2;
    else if (alignment == 2)
        dx = width - cx - textWidth - 4;   // the text ends as far from the right as it starts from the left
    dx = std::max(2, dx);

    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    if (withImage)
        ImageList_Draw(images, imageIndex, dc, rect.left + dx, rect.top + (height - cy) / 2, ILD_TRANSPARENT);
    if (!text.empty()) {
        ui::TRect at;
        at.left = rect.left + dx + cx + 1;
        at.right = std::min(static_cast<int>(rect.right), static_cast<int>(at.left) + std::max(textWidth, 1));
        at.top = rect.top + (height - textHeight) / 2;
        at.bottom = at.top + textHeight;
        if (at.right > at.left)
            DrawTextUnicode(dc, text, at, format);
    }
}

} // namespace skin
