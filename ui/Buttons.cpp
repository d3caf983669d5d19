#include "Buttons.h"

#include <algorithm>

namespace ui {

const TEnumInfo& ButtonLayoutEnum()
{
    static const TEnumInfo info{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
    return info;
}

const TEnumInfo& BitBtnKindEnum()
{
    static const TEnumInfo info{"TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};
    return info;
}

const TClassInfo& TBitBtn::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBitBtn, TButton>("TBitBtn")
        .Object<TBitmap>("Glyph", [](TBitBtn& b) -> TBitmap& { return b.Glyph(); },
                         [](TBitBtn& b, TBitmap* bitmap) { if (bitmap) b.Glyph().Assign(*bitmap); else b.Glyph().Clear(); b.Invalidate(); })
        .Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
        .Enum<TButtonLayout>("Layout", ButtonLayoutEnum(), &TBitBtn::Layout, &TBitBtn::SetLayout)
        .Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
        .Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing)
        .Enum<TBitBtnKind>("Kind", BitBtnKindEnum(), &TBitBtn::Kind, &TBitBtn::SetKind)
        .Build();
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner)
{
    glyph_.OnChange = [this] { Invalidate(); };
}

void TBitBtn::SetNumGlyphs(int value)
{
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}

void TBitBtn::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(BS_DEFPUSHBUTTON | BS_PUSHBUTTON);
    params.Style |= BS_OWNERDRAW;
}

void TBitBtn::CalcLayout(const TRect& client, HDC dc, POINT& glyphPos, TRect& textRect) const
{
    const int clientW = RectWidth(client), clientH = RectHeight(client);
    SIZE glyph{0, 0};
    if (!glyph_.Empty())
        glyph = SIZE{glyph_.Width() / numGlyphs_, glyph_.Height()};
    const std::wstring caption = text_;
    SIZE text{0, 0};
    if (!caption.empty()) {
        RECT r{0, 0, clientW, 0};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_SINGLELINE);
        text = SIZE{r.right - r.left, r.bottom - r.top};
    }
    const bool horizontal = layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;
    POINT textPos{0, 0};
    if (horizontal) {
        glyphPos.y = (clientH - glyph.cy + 1) / 2;
        textPos.y = (clientH - text.cy + 1) / 2;
    } else {
        glyphPos.x = (clientW - glyph.cx + 1) / 2;
        textPos.x = (clientW - text.cx + 1) / 2;
    }
    int spacing = spacing_, margin = margin_;
    if (text.cx == 0 || glyph.cx == 0)
        spacing = 0;
    const int clientAxis = horizontal ? clientW : clientH;
    const int glyphAxis = horizontal ? glyph.cx : glyph.cy;
    const int textAxis = horizontal ? text.cx : text.cy;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (clientAxis - (glyphAxis + textAxis)) / 3;
            spacing = margin;
        } else {
            margin = (clientAxis - (glyphAxis + spacing + textAxis) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (clientAxis - (margin + glyphAxis) - textAxis) / 2;
    }
    switch (layout_) {
    case TButtonLayout::blGlyphLeft:
        glyphPos.x = margin;
        textPos.x = glyphPos.x + glyph.cx + spacing;
        break;
    case TButtonLayout::blGlyphRight:
        glyphPos.x = clientW - margin - glyph.cx;
        textPos.x = glyphPos.x - spacing - text.cx;
        break;
    case TButtonLayout::blGlyphTop:
        glyphPos.y = margin;
        textPos.y = glyphPos.y + glyph.cy + spacing;
        break;
    case TButtonLayout::blGlyphBottom:
        glyphPos.y = clientH - margin - glyph.cy;
        textPos.y = glyphPos.y - spacing - text.cy;
        break;
    }
    glyphPos.x += client.left;
    glyphPos.y += client.top;
    textRect = Rect(client.left + textPos.x, client.top + textPos.y, client.left + textPos.x + text.cx,
                    client.top + textPos.y + text.cy);
}

void TBitBtn::DrawGlyph(HDC dc, int x, int y, bool enabled, bool down)
{
    if (glyph_.Empty())
        return;
    const int w = glyph_.Width() / numGlyphs_, h = glyph_.Height();
    int column = 0;
    bool grey = false;
    if (!enabled) {
        if (numGlyphs_ >= 2)
            column = 1;
        else
            grey = true;
    } else if (down && numGlyphs_ >= 3) {
        column = 2;
    }
    // The key colour is the bottom-left pixel of the whole glyph.
    const COLORREF key = ColorToRGB(glyph_.TransparentColor());
    TBitmap cell(w, h, TPixelFormat::pf24bit);
    BitBlt(cell.Canvas().Handle(), 0, 0, w, h, glyph_.Canvas().Handle(), column * w, 0, SRCCOPY);
    if (grey) {
        const std::uint8_t kr = GetRValue(key), kg = GetGValue(key), kb = GetBValue(key);
        for (int row = 0; row < h; ++row) {
            std::uint8_t* p = cell.ScanLine(row);
            for (int col = 0; col < w; ++col, p += 3) {
                if (p[0] == kb && p[1] == kg && p[2] == kr)
                    continue;
                const int luma = (p[2] * 30 + p[1] * 59 + p[0] * 11) / 100;
                const std::uint8_t g = static_cast<std::uint8_t>(128 + luma / 2);
                p[0] = p[1] = p[2] = g;
            }
        }
    }
    TransparentBlt(dc, x, y, w, h, cell.Canvas().Handle(), 0, 0, w, h, key);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item)
{
    const TRect full = item.rcItem;
    const int w = RectWidth(full), h = RectHeight(full);
    if (w <= 0 || h <= 0)
        return;
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool enabled = enabled_ && !(item.itemState & ODS_DISABLED);

    // Composed off-screen and copied once.
    TBitmap buffer(w, h);
    HDC dc = buffer.Canvas().Handle();
    TRect r = Rect(0, 0, w, h);
    HBRUSH face = CreateSolidBrush(ColorToRGB(parent_ ? parent_->Color() : clBtnFace));
    FillRect(dc, &r, face);
    DeleteObject(face);
    if (focused || default_) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED | DFCS_FLAT : 0u));
    TRect content = r;
    InflateRect(&content, -2, -2);
    if (down)
        OffsetRect(&content, 1, 1);

    HGDIOBJ oldFont = SelectObject(dc, font_.Handle());
    POINT glyphPos{0, 0};
    TRect textRect{};
    CalcLayout(content, dc, glyphPos, textRect);
    DrawGlyph(dc, glyphPos.x, glyphPos.y, enabled, down);
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (!text_.empty()) {
        if (enabled) {
            SetTextColor(dc, ColorToRGB(font_.Color()));
            DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &textRect, format);
        } else {
            TRect shifted = textRect;
            OffsetRect(&shifted, 1, 1);
            SetTextColor(dc, ColorToRGB(clBtnHighlight));
            DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &shifted, format);
            SetTextColor(dc, ColorToRGB(clBtnShadow));
            DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &textRect, format);
        }
    }
    SelectObject(dc, oldFont);
    if (focused) {
        TRect focusRect = r;
        InflateRect(&focusRect, -3, -3);
        DrawFocusRect(dc, &focusRect);
    }
    BitBlt(item.hDC, full.left, full.top, w, h, dc, 0, 0, SRCCOPY);
}

void TBitBtn::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
        message.Result = TRUE;
        return;
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button reports a double click as such; treat it as a second press.
        message.Msg = WM_LBUTTONDOWN;
        break;
    default:
        break;
    }
    TButton::WndProc(message);
}

} // namespace ui
