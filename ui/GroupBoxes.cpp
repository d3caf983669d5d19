#include "GroupBoxes.h"

#include "GdiObjects.h"

#include <algorithm>

namespace ui {

const TClassInfo& TCustomGroupBox::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomGroupBox, TCustomControl>("TCustomGroupBox")
        .NotCreatable()
        .WStr("Caption", &TControl::GetText, &TControl::SetText)
        .Build();
    return info;
}

const TClassInfo& TGroupBox::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TGroupBox, TCustomGroupBox>("TGroupBox").Build();
    return info;
}

const TClassInfo& TCustomRadioGroup::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomRadioGroup, TCustomGroupBox>("TCustomRadioGroup")
        .NotCreatable()
        .Int("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns)
        .Int("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex)
        .Object<TStringList>("Items", [](TCustomRadioGroup& g) -> TStringList& { return g.Items(); },
                             [](TCustomRadioGroup& g, TStringList* list) { if (list) g.Items().Assign(*list); })
        .Build();
    return info;
}

const TClassInfo& TRadioGroup::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TRadioGroup, TCustomRadioGroup>("TRadioGroup").Build();
    return info;
}

// ---- TCustomGroupBox ----

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner)
{
    width_ = 185;
    height_ = 105;
    parentColor_ = true;
}

TGroupBox::TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}

void TCustomGroupBox::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

int TCustomGroupBox::CaptionHeight() const
{
    HDC screen = GetDC(nullptr);
    TEXTMETRICW metrics{};
    {
        // The font object is made on first use; that changes nothing the caller sees.
        TSelectObject font(screen, const_cast<TFont&>(font_).Handle());
        GetTextMetricsW(screen, &metrics);
    }
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) const
{
    rect.top += CaptionHeight();
    // Inside the two-pixel etched line and a pixel of air.
    InflateRect(&rect, -3, -3);
    rect.top -= 1;
}

void TCustomGroupBox::FontChanged()
{
    TCustomControl::FontChanged();
    AlignControls();
}

void TCustomGroupBox::TextChanged() { Invalidate(); }

void TCustomGroupBox::Paint()
{
    canvas_.Font().Assign(font_); // before any drawing selects the canvas font
    canvas_.Brush().SetColor(color_);
    const TRect client = ClientRect();
    canvas_.FillRect(client);
    HDC dc = canvas_.Handle();
    canvas_.Prepare();
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int h = metrics.tmHeight;
    TRect frame = Rect(0, h / 2, client.right, client.bottom);
    if (ctl3D_) {
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    } else {
        TBrushHandle line(CreateSolidBrush(ColorToRGB(clWindowText)));
        FrameRect(dc, &frame, line.Get());
    }
    if (text_.empty())
        return;
    TRect textRect = Rect(8, 0, client.right - 8, h);
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &textRect, DT_SINGLELINE | DT_CALCRECT);
    // The background behind the caption cuts the frame line, with a pixel either side.
    TRect gap = Rect(textRect.left - 1, 0, std::min<int>(textRect.right + 1, client.right - 8), h);
    canvas_.FillRect(gap);
    canvas_.Prepare();
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_SINGLELINE | DT_LEFT | DT_END_ELLIPSIS;
    const int length = static_cast<int>(text_.size());
    if (!enabled_) {
        TRect shifted = textRect;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextW(dc, text_.c_str(), length, &shifted, format);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        SetTextColor(dc, ColorToRGB(font_.Color()));
    }
    DrawTextW(dc, text_.c_str(), length, &textRect, format);
}

// ---- TCustomRadioGroup ----

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner)
{
    items_.OnChange = [this] { UpdateButtons(); };
}

TCustomRadioGroup::~TCustomRadioGroup()
{
    items_.OnChange = nullptr;
    for (TRadioButton* b : buttons_)
        b->OnClick = nullptr;
}

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}

void TCustomRadioGroup::UpdateButtons()
{
    const int count = items_.Count();
    while (static_cast<int>(buttons_.size()) > count) {
        TRadioButton* last = buttons_.back();
        buttons_.pop_back();
        delete last;
    }
    while (static_cast<int>(buttons_.size()) < count) {
        auto* button = new TRadioButton(this);
        button->OnClick = [this, button](TObject*) { ButtonClicked(button); };
        button->SetParent(this);
        buttons_.push_back(button);
    }
    if (!IsLoading() && itemIndex_ >= count)
        itemIndex_ = -1;
    updating_ = true;
    try {
        for (int i = 0; i < count; ++i) {
            buttons_[i]->SetCaption(Utf8ToWide(items_[i]));
            buttons_[i]->SetChecked(i == itemIndex_);
        }
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
    UpdateTabStops();
    ArrangeButtons();
}

void TCustomRadioGroup::UpdateTabStops()
{
    for (int i = 0; i < static_cast<int>(buttons_.size()); ++i)
        buttons_[i]->SetTabStop(i == itemIndex_ || (itemIndex_ < 0 && i == 0));
}

void TCustomRadioGroup::ArrangeButtons()
{
    const int count = static_cast<int>(buttons_.size());
    if (count == 0)
        return;
    TRect area = ClientRect();
    AdjustClientRect(area);
    const int columns = std::min(columns_, count);
    const int perColumn = (count + columns - 1) / columns;
    const int columnWidth = std::max(0, static_cast<int>(RectWidth(area)) / columns);
    const int rowHeight = std::max(0, static_cast<int>(RectHeight(area)) / perColumn);
    // Rows share the height; what does not divide evenly goes above the first row.
    const int top = area.top + (RectHeight(area) - rowHeight * perColumn) / 2;
    for (int i = 0; i < count; ++i) {
        const int column = i / perColumn, row = i % perColumn;
        buttons_[i]->SetBounds(area.left + 2 + column * columnWidth, top + row * rowHeight, std::max(0, columnWidth - 2),
                               rowHeight);
    }
}

void TCustomRadioGroup::SetColumns(int value)
{
    value = std::clamp(value, 1, 16);
    if (value == columns_)
        return;
    columns_ = value;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::SetItemIndex(int value)
{
    // Read before the items in a description: kept as it is until Loaded.
    if (IsLoading()) {
        itemIndex_ = value;
        return;
    }
    if (value < -1 || value >= static_cast<int>(buttons_.size()))
        value = -1;
    itemIndex_ = value;
    updating_ = true;
    try {
        if (value >= 0)
            buttons_[value]->SetChecked(true);
        else
            for (TRadioButton* b : buttons_)
                b->SetChecked(false);
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
    UpdateTabStops();
}

void TCustomRadioGroup::Loaded()
{
    TCustomGroupBox::Loaded();
    SetItemIndex(itemIndex_);
    ArrangeButtons();
}

void TCustomRadioGroup::ButtonClicked(TRadioButton* button)
{
    if (updating_ || !button->Checked())
        return;
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end())
        return;
    itemIndex_ = static_cast<int>(it - buttons_.begin());
    UpdateTabStops();
    Click();
}

void TCustomRadioGroup::Resize()
{
    TCustomGroupBox::Resize();
    ArrangeButtons();
}

void TCustomRadioGroup::FontChanged()
{
    TCustomGroupBox::FontChanged();
    ArrangeButtons();
}

} // namespace ui
