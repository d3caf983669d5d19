#include "Gauges.h"

#include <algorithm>
#include <cstdio>

namespace ui {

const TEnumInfo& GaugeKindEnum()
{
    static const TEnumInfo info{"TGaugeKind", {"gkText", "gkHorizontalBar", "gkVerticalBar", "gkPie", "gkNeedle"}};
    return info;
}

const TClassInfo& TGauge::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TGauge, TGraphicControl>("TGauge")
        .Enum<TGaugeKind>("Kind", GaugeKindEnum(), &TGauge::Kind, &TGauge::SetKind)
        .Int("MinValue", &TGauge::MinValue, &TGauge::SetMinValue)
        .Int("MaxValue", &TGauge::MaxValue, &TGauge::SetMaxValue)
        .Int("Progress", &TGauge::Progress, &TGauge::SetProgress)
        .Int("ForeColor", &TGauge::ForeColor, &TGauge::SetForeColor, &ColorIdents())
        .Int("BackColor", &TGauge::BackColor, &TGauge::SetBackColor, &ColorIdents())
        .Enum<TBorderStyle>("BorderStyle", BorderStyleEnum(), &TGauge::BorderStyle, &TGauge::SetBorderStyle)
        .Bool("ShowText", &TGauge::ShowText, &TGauge::SetShowText)
        .Build();
    return info;
}

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner)
{
    width_ = 100;
    height_ = 100;
}

void TGauge::SetMinValue(int value)
{
    minValue_ = value;
    if (maxValue_ < minValue_)
        maxValue_ = minValue_;
    progress_ = std::clamp(progress_, minValue_, maxValue_);
    Invalidate();
}

void TGauge::SetMaxValue(int value)
{
    maxValue_ = value;
    if (minValue_ > maxValue_)
        minValue_ = maxValue_;
    progress_ = std::clamp(progress_, minValue_, maxValue_);
    Invalidate();
}

void TGauge::SetProgress(int value)
{
    value = std::clamp(value, minValue_, maxValue_);
    if (value == progress_)
        return;
    // The picture depends on the percentage only: a step that leaves it unchanged repaints
    // nothing, so a long run can advance the gauge row by row cheaply.
    const int before = PercentDone();
    progress_ = value;
    if (PercentDone() != before)
        Invalidate();
}

int TGauge::PercentDone() const
{
    const long long range = static_cast<long long>(maxValue_) - minValue_;
    if (range == 0)
        return 0;
    return static_cast<int>((static_cast<long long>(progress_) - minValue_) * 100 / range);
}

std::wstring TGauge::PercentText() const
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%d%%", PercentDone());
    return text;
}

void TGauge::Paint()
{
    const int w = width_, h = height_;
    if (w <= 0 || h <= 0)
        return;
    // Bar and text are composed off-screen; the text is inverted where it crosses the bar.
    TBitmap image(w, h);
    TCanvas& c = image.Canvas();
    TRect r = Rect(0, 0, w, h);
    if (borderStyle_ == TBorderStyle::bsSingle) {
        c.Brush().SetColor(clBlack);
        c.FrameRect(r);
        InflateRect(&r, -1, -1);
    }
    c.Brush().SetColor(backColor_);
    c.FillRect(r);
    const int done = PercentDone();
    if (kind_ == TGaugeKind::gkHorizontalBar) {
        TRect bar = r;
        bar.right = bar.left + static_cast<int>(static_cast<long long>(RectWidth(r)) * done / 100);
        c.Brush().SetColor(foreColor_);
        if (bar.right > bar.left)
            c.FillRect(bar);
    } else if (kind_ == TGaugeKind::gkVerticalBar) {
        TRect bar = r;
        bar.top = bar.bottom - static_cast<int>(static_cast<long long>(RectHeight(r)) * done / 100);
        c.Brush().SetColor(foreColor_);
        if (bar.bottom > bar.top)
            c.FillRect(bar);
    }
    if (showText_) {
        TBitmap mask(w, h);
        TCanvas& m = mask.Canvas();
        m.Font().Assign(font_);
        m.Font().SetColor(clBlack);
        m.Brush().SetColor(clWhite);
        m.FillRect(Rect(0, 0, w, h));
        m.Brush().SetStyle(TBrushStyle::Clear);
        TRect textRect = r;
        m.DrawText(PercentText(), textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* in = mask.ScanLine(y);
            std::uint8_t* out = image.ScanLine(y);
            for (int x = 0; x < w * 3; ++x)
                if (in[x] < 128)
                    out[x] = static_cast<std::uint8_t>(~out[x]);
        }
    }
    BitBlt(canvas_.Handle(), 0, 0, w, h, c.Handle(), 0, 0, SRCCOPY);
}

} // namespace ui
