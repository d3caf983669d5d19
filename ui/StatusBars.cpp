#include "ui/StatusBars.h"

#include <algorithm>

namespace ui {

const TEnumInfo& StatusPanelBevelEnum()
{
    static const TEnumInfo info{"TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"}};
    return info;
}

const TEnumInfo& StatusPanelStyleEnum()
{
    static const TEnumInfo info{"TStatusPanelStyle", {"psText", "psOwnerDraw"}};
    return info;
}

const TEnumInfo& PanelBiDiModeEnum()
{
    static const TEnumInfo info{"TBiDiMode",
                                {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};
    return info;
}

const TClassInfo& TStatusPanel::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TStatusPanel, TPersistent>("TStatusPanel")
        .WStr("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
        .Int("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
        .Enum<TStatusPanelBevel>("Bevel", StatusPanelBevelEnum(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
        .Enum<TAlignment>("Alignment", AlignmentEnum(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
        .Enum<TStatusPanelStyle>("Style", StatusPanelStyleEnum(), &TStatusPanel::Style, &TStatusPanel::SetStyle)
        .Enum<TPanelBiDiMode>("BiDiMode", PanelBiDiModeEnum(), &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode)
        .Build();
    return info;
}

const TClassInfo& TStatusBar::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TStatusBar, TWinControl>("TStatusBar")
        .Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
        .WStr("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
        .Bool("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip)
        .Event("OnDrawPanel", &TStatusBar::OnDrawPanel)
        .Build();
    return info;
}

// ---- TStatusPanel ----

int TStatusPanel::Index() const { return bar_ ? bar_->Panels().IndexOf(this) : -1; }

void TStatusPanel::SetText(const std::wstring& value)
{
    if (text_ == value)
        return;
    text_ = value;
    Changed(false);
}

void TStatusPanel::SetWidth(int value)
{
    value = std::max(0, value);
    if (width_ == value)
        return;
    width_ = value;
    Changed(true);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value)
{
    bevel_ = value;
    Changed(false);
}

void TStatusPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value)
{
    style_ = value;
    Changed(false);
}

void TStatusPanel::SetBiDiMode(TPanelBiDiMode value)
{
    biDiMode_ = value;
    Changed(false);
}

void TStatusPanel::Changed(bool layout)
{
    if (!bar_)
        return;
    if (layout)
        bar_->UpdatePanels();
    else
        bar_->UpdatePanel(Index());
}

// ---- TStatusPanels ----

TStatusPanel* TStatusPanels::Add()
{
    items_.push_back(std::make_unique<TStatusPanel>(bar_));
    bar_->UpdatePanels();
    return items_.back().get();
}

void TStatusPanels::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    bar_->UpdatePanels();
}

void TStatusPanels::Clear()
{
    items_.clear();
    bar_->UpdatePanels();
}

int TStatusPanels::IndexOf(const TStatusPanel* panel) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == panel)
            return static_cast<int>(i);
    return -1;
}

// ---- TStatusBar ----

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner), panels_(this)
{
    width_ = 200;
    height_ = 19;
    color_ = clBtnFace;
    SetAlign(TAlign::alBottom);
}

TStatusBar::~TStatusBar()
{
    // The panels' setters must not reach a window on its way out.
    DestroyHandle();
}

void TStatusBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = STATUSCLASSNAMEW;
    // The framework places the bar; the window must not move itself to its parent's bottom.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (sizeGrip_)
        params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateHandleDone()
{
    TWinControl::CreateHandleDone();
    UpdatePanels();
}

void TStatusBar::SetSimplePanel(bool value)
{
    if (simplePanel_ == value)
        return;
    simplePanel_ = value;
    UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::wstring& value)
{
    simpleText_ = value;
    if (handle_)
        SendMessageW(handle_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void TStatusBar::SetSizeGrip(bool value)
{
    if (sizeGrip_ == value)
        return;
    sizeGrip_ = value;
    if (handle_) {
        // Restyled in place: the window keeps its panels and whatever listens to it.
        LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
        style = value ? (style | SBARS_SIZEGRIP) : (style & ~static_cast<LONG_PTR>(SBARS_SIZEGRIP));
        SetWindowLongPtrW(handle_, GWL_STYLE, style);
        Invalidate();
    }
}

void TStatusBar::UpdatePanels()
{
    if (!handle_)
        return;
    // At least one part, the last reaching the right edge.
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < panels_.Count(); ++i) {
        right += panels_[i]->Width();
        edges.push_back(right);
    }
    if (edges.empty())
        edges.push_back(-1);
    else
        edges.back() = -1;
    SendMessageW(handle_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < panels_.Count(); ++i)
        UpdatePanel(i);
    SendMessageW(handle_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    SendMessageW(handle_, SB_SIMPLE, simplePanel_ || panels_.Count() == 0 ? TRUE : FALSE, 0);
    Invalidate();
}

void TStatusBar::UpdatePanel(int index)
{
    if (!handle_ || index < 0 || index >= panels_.Count())
        return;
    TStatusPanel* panel = panels_[index];
    WPARAM flags = static_cast<WPARAM>(index);
    if (panel->Bevel() == TStatusPanelBevel::pbNone)
        flags |= SBT_NOBORDERS;
    else if (panel->Bevel() == TStatusPanelBevel::pbRaised)
        flags |= SBT_POPOUT;
    if (panel->RightToLeft())
        flags |= SBT_RTLREADING;
    if (panel->Style() == TStatusPanelStyle::psOwnerDraw) {
        SendMessageW(handle_, SB_SETTEXTW, flags | SBT_OWNERDRAW, static_cast<LPARAM>(index));
        return;
    }
    // The status window aligns by tabs: one centres, two align right.
    TAlignment alignment = panel->Alignment();
    if (panel->RightToLeft() && alignment != TAlignment::taCenter)
        alignment = alignment == TAlignment::taLeftJustify ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
    std::wstring text = panel->Text();
    if (alignment == TAlignment::taCenter)
        text = L"\t" + text;
    else if (alignment == TAlignment::taRightJustify)
        text = L"\t\t" + text;
    SendMessageW(handle_, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::DrawPanel(HDC dc, TStatusPanel* panel, const TRect& rect)
{
    if (!OnDrawPanel || !dc || !panel)
        return;
    canvas_.Font().Assign(font_);
    canvas_.SetHandle(dc);
    struct TUnbind {
        TCanvas& canvas;
        ~TUnbind() { canvas.SetHandle(nullptr); }
    } unbind{canvas_};
    OnDrawPanel(this, panel, rect);
}

void TStatusBar::WndProc(TMessage& message)
{
    if (message.Msg == CN_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        const int index = item ? static_cast<int>(item->itemID) : -1;
        if (index >= 0 && index < panels_.Count()) {
            DrawPanel(item->hDC, panels_[index], item->rcItem);
            message.Result = TRUE;
            return;
        }
    }
    TWinControl::WndProc(message);
}

} // namespace ui
