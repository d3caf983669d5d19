#include "Buttons.h"

#include "GdiObjects.h"

#include <windowsx.h>

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
        .Object<TImageList>("Images", &TBitBtn::Images, &TBitBtn::SetImages)
        .Int("ImageIndex", &TBitBtn::ImageIndex, &TBitBtn::SetImageIndex)
        .Int("DisabledIndex", &TBitBtn::DisabledIndex, &TBitBtn::SetDisabledIndex)
        .Build();
    return info;
}

const TClassInfo& TSpeedButton::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TSpeedButton, TGraphicControl>("TSpeedButton")
        .WStr("Caption", &TControl::GetText, &TControl::SetText)
        .Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
        .Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
        .Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
        .Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
        .Object<TBitmap>("Glyph", [](TSpeedButton& b) -> TBitmap& { return b.Glyph(); },
                         [](TSpeedButton& b, TBitmap* bitmap) { if (bitmap) b.Glyph().Assign(*bitmap); else b.Glyph().Clear(); b.Invalidate(); })
        .Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
        .Enum<TButtonLayout>("Layout", ButtonLayoutEnum(), &TSpeedButton::Layout, &TSpeedButton::SetLayout)
        .Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin)
        .Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
        .Build();
    return info;
}

// ---- shared drawing ----

void CalcButtonLayout(HDC dc, const TRect& client, SIZE glyph, const std::wstring& caption, TButtonLayout layout,
                      int margin, int spacing, POINT& glyphPos, TRect& textRect)
{
    const int clientW = RectWidth(client), clientH = RectHeight(client);
    SIZE text{0, 0};
    if (!caption.empty()) {
        RECT r{0, 0, clientW, 0};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_SINGLELINE);
        text = SIZE{r.right - r.left, r.bottom - r.top};
    }
    const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
    POINT textPos{0, 0};
    glyphPos = POINT{0, 0};
    if (horizontal) {
        glyphPos.y = (clientH - glyph.cy + 1) / 2;
        textPos.y = (clientH - text.cy + 1) / 2;
    } else {
        glyphPos.x = (clientW - glyph.cx + 1) / 2;
        textPos.x = (clientW - text.cx + 1) / 2;
    }
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
    switch (layout) {
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

void DrawGlyphFrame(HDC dc, int x, int y, TBitmap& glyph, int count, int index, bool grey)
{
    if (glyph.Empty() || count < 1)
        return;
    const int w = glyph.Width() / count, h = glyph.Height();
    if (w <= 0)
        return;
    const COLORREF key = ColorToRGB(glyph.TransparentColor());
    TBitmap cell(w, h, TPixelFormat::pf24bit);
    BitBlt(cell.Canvas().Handle(), 0, 0, w, h, glyph.Canvas().Handle(), std::clamp(index, 0, count - 1) * w, 0, SRCCOPY);
    if (grey)
        GreyBitmap(cell, key);
    TransparentBlt(dc, x, y, w, h, cell.Canvas().Handle(), 0, 0, w, h, key);
}

void DrawButtonCaption(HDC dc, const std::wstring& caption, const TRect& rect, TColor color, bool enabled)
{
    if (caption.empty())
        return;
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    const int length = static_cast<int>(caption.size());
    SetBkMode(dc, TRANSPARENT);
    TRect r = rect;
    if (enabled) {
        SetTextColor(dc, ColorToRGB(color));
        DrawTextW(dc, caption.c_str(), length, &r, format);
        return;
    }
    TRect shifted = rect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextW(dc, caption.c_str(), length, &shifted, format);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawTextW(dc, caption.c_str(), length, &r, format);
}

// ---- TBitBtn ----

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner)
{
    glyph_.OnChange = [this] { Invalidate(); };
}

void TBitBtn::SetImages(TImageList* value)
{
    if (SetReference(images_, value))
        Invalidate();
}

void TBitBtn::Notification(TComponent* component, TOperation operation)
{
    TButton::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        Invalidate();
    }
}

bool TBitBtn::UsesImages() const
{
    return glyph_.Empty() && images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count();
}

SIZE TBitBtn::GlyphSize() const
{
    if (!glyph_.Empty())
        return SIZE{glyph_.Width() / numGlyphs_, glyph_.Height()};
    if (UsesImages())
        return SIZE{images_->Width(), images_->Height()};
    return SIZE{0, 0};
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
    CalcButtonLayout(dc, client, GlyphSize(), text_, layout_, margin_, spacing_, glyphPos, textRect);
}

void TBitBtn::DrawGlyph(HDC dc, int x, int y, bool enabled, bool down)
{
    if (!glyph_.Empty()) {
        int frame = 0;
        if (!enabled && numGlyphs_ >= 2)
            frame = 1;
        else if (enabled && down && numGlyphs_ >= 3)
            frame = 2;
        DrawGlyphFrame(dc, x, y, glyph_, numGlyphs_, frame, !enabled && numGlyphs_ < 2);
        return;
    }
    if (!UsesImages())
        return;
    if (!enabled && disabledIndex_ >= 0 && disabledIndex_ < images_->Count())
        images_->Draw(dc, x, y, disabledIndex_, true);
    else
        images_->Draw(dc, x, y, imageIndex_, enabled);
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
    TBrushHandle face(CreateSolidBrush(ColorToRGB(parent_ ? parent_->Color() : clBtnFace)));
    FillRect(dc, &r, face.Get());
    if (focused || default_) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED | DFCS_FLAT : 0u));
    TRect content = r;
    InflateRect(&content, -2, -2);
    if (down)
        OffsetRect(&content, 1, 1);

    {
        TSelectObject font(dc, font_.Handle());
        POINT glyphPos{0, 0};
        TRect textRect{};
        CalcLayout(content, dc, glyphPos, textRect);
        DrawGlyph(dc, glyphPos.x, glyphPos.y, enabled, down);
        DrawButtonCaption(dc, text_, textRect, font_.Color(), enabled);
    }
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

// ---- TSpeedButton ----

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner)
{
    width_ = 23;
    height_ = 22;
    parentColor_ = false;
    color_ = clBtnFace;
    glyph_.OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetNumGlyphs(int value)
{
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}

std::vector<TSpeedButton*> TSpeedButton::GroupMates() const
{
    std::vector<TSpeedButton*> mates;
    if (!parent_ || groupIndex_ == 0)
        return mates;
    for (int i = 0; i < parent_->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TSpeedButton*>(parent_->Controls(i)); b && b != this && b->groupIndex_ == groupIndex_)
            mates.push_back(b);
    return mates;
}

void TSpeedButton::SetDown(bool value)
{
    // Read from a description before its group index may be.
    if (IsLoading()) {
        down_ = value;
        return;
    }
    // Outside a group, down is only what a press shows.
    if (groupIndex_ == 0)
        value = false;
    if (value == down_)
        return;
    // The down button of a group stays down unless all may be up.
    if (down_ && !allowAllUp_)
        return;
    down_ = value;
    if (value)
        for (TSpeedButton* mate : GroupMates())
            if (mate->down_) {
                mate->down_ = false;
                mate->Invalidate();
            }
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value)
{
    groupIndex_ = std::max(0, value);
    if (groupIndex_ == 0 && down_) {
        down_ = false;
        Invalidate();
    }
}

void TSpeedButton::SetAllowAllUp(bool value)
{
    // A group shares it: one member allowing all up allows it for every one.
    allowAllUp_ = value;
    for (TSpeedButton* mate : GroupMates())
        mate->allowAllUp_ = value;
}

void TSpeedButton::WndProc(TMessage& message)
{
    const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    const bool inside = p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (enabled_) {
            dragging_ = true;
            pressInside_ = true;
            Invalidate();
        }
        message.Result = 0;
        return;
    case WM_MOUSEMOVE:
        if (dragging_ && inside != pressInside_) {
            pressInside_ = inside;
            Invalidate();
        }
        message.Result = 0;
        return;
    case WM_LBUTTONUP:
        if (dragging_) {
            dragging_ = false;
            pressInside_ = false;
            if (inside && enabled_) {
                if (groupIndex_ != 0)
                    SetDown(!down_);
                Invalidate();
                Click();
            } else {
                Invalidate();
            }
        }
        message.Result = 0;
        return;
    case CM_CANCELMODE:
        if (dragging_) {
            dragging_ = false;
            pressInside_ = false;
            Invalidate();
        }
        message.Result = 0;
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        const bool hot = message.Msg == CM_MOUSEENTER;
        if (hot != hot_) {
            hot_ = hot;
            Invalidate();
        }
        message.Result = 0;
        return;
    }
    case CM_ENABLEDCHANGED:
        if (!enabled_) {
            dragging_ = false;
            pressInside_ = false;
            hot_ = false;
        }
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(message);
}

void TSpeedButton::Paint()
{
    HDC dc = canvas_.Handle();
    TRect r = ClientRect();
    const bool pressed = Pressed();
    const bool hot = hot_ && enabled_;
    TBrushHandle face(CreateSolidBrush(ColorToRGB(color_)));
    FillRect(dc, &r, face.Get());
    if (!flat_) {
        DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else if (pressed) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    } else if (hot) {
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
    TRect content = r;
    InflateRect(&content, -2, -2);
    if (pressed)
        OffsetRect(&content, 1, 1);

    TSavedDC saved(dc);
    SelectObject(dc, font_.Handle());
    SIZE glyph{0, 0};
    if (!glyph_.Empty())
        glyph = SIZE{glyph_.Width() / numGlyphs_, glyph_.Height()};
    POINT glyphPos{0, 0};
    TRect textRect{};
    CalcButtonLayout(dc, content, glyph, text_, layout_, margin_, spacing_, glyphPos, textRect);
    if (!glyph_.Empty()) {
        int frame = 0;
        if (!enabled_)
            frame = numGlyphs_ >= 2 ? 1 : 0;
        else if (pressed && numGlyphs_ >= 3)
            frame = 2;
        else if (hot && numGlyphs_ >= 4)
            frame = 3;
        DrawGlyphFrame(dc, glyphPos.x, glyphPos.y, glyph_, numGlyphs_, frame, !enabled_ && numGlyphs_ < 2);
    }
    DrawButtonCaption(dc, text_, textRect, font_.Color(), enabled_);
}

} // namespace ui
