#include "ExtCtrls.h"

#include "Forms.h"
#include "GdiObjects.h"

#include <algorithm>
#include <map>

namespace ui {

const TEnumInfo& BevelCutEnum()
{
    static const TEnumInfo info{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
    return info;
}

const TClassInfo& TCustomPanel::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomPanel, TCustomControl>("TCustomPanel")
        .NotCreatable()
        .WStr("Caption", &TControl::GetText, &TControl::SetText)
        .Enum<TAlignment>("Alignment", AlignmentEnum(), &TCustomPanel::Alignment, &TCustomPanel::SetAlignment)
        .Enum<TBevelCut>("BevelInner", BevelCutEnum(), &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner)
        .Enum<TBevelCut>("BevelOuter", BevelCutEnum(), &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter)
        .Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
        .Int("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth)
        .Enum<TBorderStyle>("BorderStyle", BorderStyleEnum(), &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle)
        .Bool("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint)
        .Bool("Transparent", &TCustomPanel::Transparent, &TCustomPanel::SetTransparent)
        .Build();
    return info;
}

const TClassInfo& TPanel::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPanel, TCustomPanel>("TPanel").Build();
    return info;
}

const TClassInfo& TImage::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TImage, TGraphicControl>("TImage")
        .Object<TPicture>("Picture", [](TImage& i) -> TPicture& { return i.Picture(); })
        .Bool("Stretch", &TImage::Stretch, &TImage::SetStretch)
        .Bool("Center", &TImage::Center, &TImage::SetCenter)
        .Bool("Proportional", &TImage::Proportional, &TImage::SetProportional)
        .Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent)
        .Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize)
        .Build();
    return info;
}

const TClassInfo& TTimer::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTimer, TComponent>("TTimer")
        .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
        .Int("Interval", [](TTimer& t) { return static_cast<int>(t.Interval()); },
             [](TTimer& t, int v) { t.SetInterval(v < 0 ? 0u : static_cast<unsigned>(v)); })
        .Event("OnTimer", &TTimer::OnTimer)
        .Build();
    return info;
}

// ---- TCustomPanel ----

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    width_ = 185;
    height_ = 41;
    parentColor_ = false;
    color_ = clBtnFace;
}

TPanel::TPanel(TComponent* owner) : TCustomPanel(owner) {}

void TCustomPanel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    if (borderStyle_ == TBorderStyle::bsSingle) {
        if (ctl3D_)
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
}

void TCustomPanel::AdjustClientRect(TRect& rect) const
{
    int inset = borderWidth_;
    if (bevelOuter_ != TBevelCut::bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != TBevelCut::bvNone)
        inset += bevelWidth_;
    InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::Realign()
{
    Invalidate();
    AlignControls();
}

namespace {
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width)
{
    for (int i = 0; i < width; ++i) {
        canvas.Pen().SetColor(topColor);
        canvas.MoveTo(rect.left, rect.bottom - 1);
        canvas.LineTo(rect.left, rect.top);
        canvas.LineTo(rect.right - 1, rect.top);
        canvas.Pen().SetColor(bottomColor);
        canvas.LineTo(rect.right - 1, rect.bottom - 1);
        canvas.LineTo(rect.left - 1, rect.bottom - 1);
        InflateRect(&rect, -1, -1);
    }
}
} // namespace

void TCustomPanel::Paint()
{
    TRect r = ClientRect();
    if (transparent_ && parent_ && parent_->HandleAllocated() && handle_) {
        // The parent paints its client area into this DC, shifted so that its pixels under the
        // panel land here; before the canvas selects anything into the DC.
        HDC dc = canvas_.Handle();
        TSavedDC saved(dc);
        POINT origin{0, 0};
        MapWindowPoints(handle_, parent_->WindowHandle(), &origin, 1);
        POINT viewport;
        GetViewportOrgEx(dc, &viewport);
        SetViewportOrgEx(dc, viewport.x - origin.x, viewport.y - origin.y, nullptr);
        parent_->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
    canvas_.Font().Assign(font_); // before any drawing selects the canvas font
    if (!transparent_) {
        canvas_.Brush().SetColor(color_);
        canvas_.FillRect(r);
    }
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone)
            return;
        if (cut == TBevelCut::bvSpace) {
            InflateRect(&r, -bevelWidth_, -bevelWidth_);
            return;
        }
        const bool raised = cut == TBevelCut::bvRaised;
        Frame3D(canvas_, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
    };
    bevel(bevelOuter_);
    InflateRect(&r, -borderWidth_, -borderWidth_);
    bevel(bevelInner_);
    if (!text_.empty()) {
        canvas_.Brush().SetStyle(TBrushStyle::Clear);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
        format |= alignment_ == TAlignment::taCenter ? DT_CENTER : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT;
        canvas_.DrawText(text_, r, format);
        canvas_.Brush().SetStyle(TBrushStyle::Solid);
    }
}

// ---- TImage ----

TImage::TImage(TComponent* owner) : TGraphicControl(owner)
{
    width_ = 105;
    height_ = 105;
    picture_.OnChange = [this] {
        if (autoSize_ && !picture_.Empty())
            SetBounds(left_, top_, picture_.Width(), picture_.Height());
        Invalidate();
    };
}

TRect TImage::DestRect() const
{
    int w = picture_.Width(), h = picture_.Height();
    const int cw = width_, ch = height_;
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_ && w > 0 && h > 0) {
            if (static_cast<long long>(cw) * h > static_cast<long long>(ch) * w) {
                w = MulDiv(w, ch, h);
                h = ch;
            } else {
                h = MulDiv(h, cw, w);
                w = cw;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Rect(0, 0, w, h);
    if (center_)
        OffsetRect(&r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    if (picture_.Empty())
        return;
    TBitmap& bitmap = picture_.Bitmap();
    const bool keepTransparent = bitmap.Transparent();
    if (transparent_ && !bitmap.AlphaPremultiplied())
        bitmap.SetTransparent(true);
    canvas_.SetStretchMode(HALFTONE);
    canvas_.StretchDraw(DestRect(), bitmap);
    bitmap.SetTransparent(keepTransparent);
}

// ---- TTimer ----

namespace {
std::map<UINT_PTR, TTimer*>& Timers()
{
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer()
{
    enabled_ = false;
    UpdateTimer();
}

void TTimer::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value)
{
    if (value == interval_)
        return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (id_) {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (enabled_ && interval_ > 0 && !IsLoading() && !IsDestroying()) {
        id_ = SetTimer(nullptr, 0, interval_, &TTimer::TimerProc);
        if (!id_)
            throw Exception("Not enough timers available");
        Timers()[id_] = this;
    }
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    auto it = Timers().find(id);
    if (it == Timers().end())
        return;
    TTimer* timer = it->second;
    try {
        if (timer->OnTimer)
            timer->OnTimer(timer);
    } catch (const std::exception& e) {
        Application.HandleException(&e);
    } catch (...) {
        Application.HandleException(nullptr);
    }
}

} // namespace ui
