#pragma once
// Status bars: a row of panels at the bottom of a form, over the system's status window.
#include "ui/CommonControls.h"
#include "ui/Controls.h"

#include <memory>
#include <vector>

namespace ui {

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum class TStatusPanelStyle { psText, psOwnerDraw };
// Reading order of one panel's text.
enum class TPanelBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
const TEnumInfo& StatusPanelBevelEnum();
const TEnumInfo& StatusPanelStyleEnum();
const TEnumInfo& PanelBiDiModeEnum();

class TStatusBar;

// Published: Text, Width, Bevel, Alignment, Style, BiDiMode. A change goes to the bar's window.
class TStatusPanel : public TPersistent {
    UI_CLASS(TStatusPanel)
public:
    explicit TStatusPanel(TStatusBar* bar) : bar_(bar) {}
    TStatusBar* StatusBar() const { return bar_; }
    int Index() const;

    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle value);
    TPanelBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TPanelBiDiMode value);
    bool RightToLeft() const { return biDiMode_ != TPanelBiDiMode::bdLeftToRight; }

private:
    void Changed(bool layout);
    TStatusBar* bar_ = nullptr;
    std::wstring text_;
    int width_ = 50;
    TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TStatusPanelStyle style_ = TStatusPanelStyle::psText;
    TPanelBiDiMode biDiMode_ = TPanelBiDiMode::bdLeftToRight;
};

// The bar's panels, in order.
class TStatusPanels {
public:
    explicit TStatusPanels(TStatusBar* bar) : bar_(bar) {}
    TStatusPanel* Add();
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TStatusPanel* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    TStatusPanel* operator[](int index) const { return Items(index); }
    int IndexOf(const TStatusPanel* panel) const;

private:
    TStatusBar* bar_;
    std::vector<std::unique_ptr<TStatusPanel>> items_;
};

// An owner-drawn panel is painted by the handler on the bar's Canvas, inside `rect`.
using TDrawPanelEvent = std::function<void(TStatusBar* statusBar, TStatusPanel* panel, const TRect& rect)>;

// Published: SimplePanel, SimpleText, SizeGrip, OnDrawPanel, and the control properties. Aligned
// to the bottom of its parent unless told otherwise.
class TStatusBar : public TWinControl {
    UI_CLASS(TStatusBar)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanels& Panels() { return panels_; }
    const TStatusPanels& Panels() const { return panels_; }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::wstring& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::wstring& value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    TCanvas& Canvas() { return canvas_; }

    // Runs OnDrawPanel with the canvas lent to dc; the DC gets its objects back.
    void DrawPanel(HDC dc, TStatusPanel* panel, const TRect& rect);
    // Sends the panels' widths and texts to the window again.
    void UpdatePanels();
    void UpdatePanel(int index);

    TDrawPanelEvent OnDrawPanel;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    TStatusPanels panels_;
    bool simplePanel_ = false;
    std::wstring simpleText_;
    bool sizeGrip_ = true;
    TCanvas canvas_;
};

} // namespace ui
