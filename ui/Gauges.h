#pragma once
// The percentage gauge: a bar with the percentage done written in its middle.
#include "Controls.h"

namespace ui {

enum class TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
const TEnumInfo& GaugeKindEnum();

// Published: Kind (horizontal and vertical bars and text are drawn), MinValue, MaxValue, Progress,
// ForeColor (bar, black), BackColor (white), BorderStyle (single), ShowText, Font.
// Progress is kept within [MinValue, MaxValue]; PercentDone = Progress * 100 / (Max - Min),
// truncated, 0 when Max = Min; the text is "%d%%".
class TGauge : public TGraphicControl {
    UI_CLASS(TGauge)
public:
    explicit TGauge(TComponent* owner);
    TGaugeKind Kind() const { return kind_; }
    void SetKind(TGaugeKind value) { kind_ = value; Invalidate(); }
    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    int Progress() const { return progress_; }
    void SetProgress(int value);
    void AddProgress(int value) { SetProgress(progress_ + value); }
    int PercentDone() const;
    TColor ForeColor() const { return foreColor_; }
    void SetForeColor(TColor value) { foreColor_ = value; Invalidate(); }
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value) { backColor_ = value; Invalidate(); }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value) { borderStyle_ = value; Invalidate(); }
    bool ShowText() const { return showText_; }
    void SetShowText(bool value) { showText_ = value; Invalidate(); }
    // The text shown, "42%".
    std::wstring PercentText() const;

protected:
    void Paint() override;
    TGaugeKind kind_ = TGaugeKind::gkHorizontalBar;
    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 0;
    TColor foreColor_ = clBlack;
    TColor backColor_ = clWhite;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool showText_ = true;
};

} // namespace ui
