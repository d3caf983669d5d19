// Glyph buttons: the face of a push button with a glyph (or an image-list image) laid out beside
// the caption, as the control's Layout, Margin and Spacing ask.
#include "skin/controls/SkinButton.h"

#include "skin/data/SkinPixelOps.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"
#include "ui/ImgList.h"
#include "ui/TypInfo.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace skin {

namespace {

// An integer property, or the fallback when the control has none (GetIntProp would say 0).
int IntPropOr(ui::TObject* object, const std::string& name, int fallback)
{
    return ui::PropType(object, name) == ui::tkInteger ? GetIntProp(object, name) : fallback;
}

std::wstring BreakLines(std::wstring text)
{
    for (size_t at = text.find(L"||"); at != std::wstring::npos; at = text.find(L"||", at + 2))
        text.replace(at, 2, L"\r\n");
    return text;
}

bool CentredByAlignment(ui::TObject* object)
{
    std::string name = GetEnumPropName(object, "Alignment");
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name == "tacenter";
}

} // namespace

void DrawButtonGlyph(HDC dc, int x, int y, int numGlyphs, int glyphState, const ui::TBitmap& glyph)
{
    numGlyphs = std::max(1, numGlyphs);
    const int width = glyph.Width() / numGlyphs, height = glyph.Height();
    if (width <= 0 || height <= 0)
        return;
    // Only a full four-glyph strip has a picture per state.
    const int column = numGlyphs == 4 ? std::clamp(glyphState - 1, 0, 3) : 0;
    ui::TBitmap cell(width, height, ui::TPixelFormat::pf24bit);
    HDC cellDC = cell.Canvas().Handle();
    BitBlt(cellDC, 0, 0, width, height, const_cast<ui::TBitmap&>(glyph).Canvas().Handle(), column * width, 0, SRCCOPY);
    const std::uint8_t* corner = cell.ScanLine(height - 1);
    const COLORREF key = RGB(corner[2], corner[1], corner[0]);
    if (glyphState == 2) {
        // Greyed without greying the key colour, so the background still shows through.
        std::vector<bool> transparent(static_cast<size_t>(width) * height);
        for (int row = 0; row < height; ++row) {
            const std::uint8_t* p = cell.ScanLine(row);
            for (int col = 0; col < width; ++col, p += 3)
                transparent[static_cast<size_t>(row) * width + col] = RGB(p[2], p[1], p[0]) == key;
        }
        GrayBitmap(&cell);
        for (int row = 0; row < height; ++row) {
            std::uint8_t* p = cell.ScanLine(row);
            for (int col = 0; col < width; ++col, p += 3)
                if (transparent[static_cast<size_t>(row) * width + col]) {
                    p[0] = GetBValue(key);
                    p[1] = GetGValue(key);
                    p[2] = GetRValue(key);
                }
        }
        cellDC = cell.Canvas().Handle();
    }
    TransparentBlt(dc, x, y, width, height, cellDC, 0, 0, width, height, key);
}

void TSkinButton::DrawGlyphAndCaption(HDC face, const ui::TRect& rect, int frame, bool enabled, bool forSpeedButton)
{
    ui::TControl* control = TargetControl();
    auto* glyph = dynamic_cast<ui::TBitmap*>(GetObjectPropOf(control, "Glyph", "TBitmap"));
    if (glyph && glyph->Empty())
        glyph = nullptr;
    ui::TImageList* images = nullptr;
    if (!forSpeedButton)
        images = dynamic_cast<ui::TImageList*>(GetObjectPropOf(control, "Images", "TImageList"));
    const int numGlyphs = std::max(1, GetIntProp(control, "NumGlyphs"));
    const int imageIndex = IntPropOr(control, "ImageIndex", -1);
    const int disabledIndex = IntPropOr(control, "DisabledIndex", -1);
    const int margin = IntPropOr(control, "Margin", -1);
    const int spacing = IntPropOr(control, "Spacing", 4);
    const TGlyphSide side = GlyphSideFromName(GetEnumPropName(control, "Layout"));

    const SIZE client{ui::RectWidth(rect), ui::RectHeight(rect)};
    SIZE glyphSize{0, 0};
    if (glyph)
        glyphSize = SIZE{glyph->Width() / numGlyphs, glyph->Height()};
    else if (images && imageIndex != -1)
        glyphSize = SIZE{images->Width(), images->Height()};
    const std::wstring text = BreakLines(ReadButtonCaption());
    SIZE textSize{0, 0};
    if (!text.empty()) {
        ui::TRect measured = ui::Rect(0, 0, client.cx, client.cy);
        DrawTextUnicode(face, text, measured, DT_CALCRECT);
        textSize = SIZE{ui::RectWidth(measured), ui::RectHeight(measured)};
    }
    const TGlyphLayout layout = LayoutGlyphAndText(client, glyphSize, textSize, side, margin, spacing,
                                                   CentredByAlignment(control), forSpeedButton);
    const int gx = rect.left + layout.glyphPos.x, gy = rect.top + layout.glyphPos.y;
    if (glyph) {
        DrawButtonGlyph(face, gx, gy, numGlyphs, GlyphStateOfFrame(frame), *glyph);
    } else if (images) {
        const int index = enabled ? imageIndex : (disabledIndex != -1 ? disabledIndex : imageIndex);
        if (index != -1)
            images->Draw(face, gx, gy, index, enabled);
    }
    if (text.empty())
        return;
    ui::TRect at = ui::Rect(rect.left + layout.textPos.x, rect.top + layout.textPos.y,
                            rect.left + layout.textPos.x + textSize.cx, rect.top + layout.textPos.y + textSize.cy);
    SetTextColor(face, CaptionColour(frame, enabled));
    DrawTextUnicode(face, text, at, layout.textFormat);
}

void TSkinBitButton::DrawSkin(HDC dc, const ui::TRect& rect)
{
    if (!CanDraw())
        return;
    const TButtonState state = ReadButtonState();
    const int frame = BitButtonFrame(state);
    LastFrame = frame;
    HDC face = ComposeFace(rect, frame, true);
    const ui::TRect local = ui::Rect(0, 0, FaceBitmap.Width(), FaceBitmap.Height());
    {
        ui::TSavedDC saved(face);
        SelectObject(face, CaptionFont());
        SetBkMode(face, TRANSPARENT);
        DrawGlyphAndCaption(face, local, frame, state.enabled, false);
        if (state.focused)
            DrawFocus(face, local);
    }
    BitBlt(dc, rect.left, rect.top, local.right, local.bottom, face, 0, 0, SRCCOPY);
}

} // namespace skin
