// Tab sets: the row of tabs drawn from the skin's tab image turned upside down (the tabs hang
// below the pages), and its scroll buttons skinned as up-down buttons.
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinUpDown.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinPixelOps.h"
#include "skin/data/WinSkinData.h"
#include "ui/Classes.h"
#include "ui/GdiObjects.h"

#include <algorithm>

namespace skin {

namespace {
// Room a tab takes beyond its caption, and what stays free for the scroll buttons.
constexpr int kTabPadding = 9;
constexpr int kScrollerRoom = 21;
} // namespace

TSkinTab31::~TSkinTab31() = default;

void TSkinTab31::AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas)
{
    (void)useSkinColor;
    auto* control = dynamic_cast<ui::TWinControl*>(Owner());
    if (Attached || !control)
        return;
    Control = control;
    TSkinControl::AttachWindow(control->Handle(), skinData, form, canvas);
    if (!Attached)
        return;
    PrepareImage();
    // The scroll buttons are the first component the tab set makes.
    if (control->ComponentCount() > 0)
        if (auto* scroller = dynamic_cast<ui::TWinControl*>(control->Components(0)); scroller && scroller->Parent() == control) {
            Scroller = scroller;
            auto* object = new TSkinUpDown(this);
            object->Horizontal = 1;
            object->AttachWindow(scroller->Handle(), skinData, form, canvas);
            if (object->Attached)
                UpDown = object;
            else
                delete object;
        }
}

void TSkinTab31::Notification(ui::TComponent* component, ui::TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == UpDown)
        UpDown = nullptr;
}

void TSkinTab31::Unskin()
{
    TSkinControl::Unskin();
    delete UpDown;
    UpDown = nullptr;
    if (Status != ssDestroyed && Handle && IsWindow(Handle))
        InvalidateRect(Handle, nullptr, TRUE);
}

void TSkinTab31::SkinChanged()
{
    TSkinControl::SkinChanged();
    PrepareImage();
}

void TSkinTab31::PrepareImage()
{
    TabImage.Clear();
    if (!SkinData || !SkinData->Tabs || SkinData->Tabs->Bitmap.Empty())
        return;
    TabImage.Assign(SkinData->Tabs->Bitmap);
    TabImage.SetPixelFormat(ui::TPixelFormat::pf24bit);
    FlipBitmap(&TabImage);
}

bool TSkinTab31::HasImage() const
{
    return SkinData && SkinData->Tabs && SkinData->Tabs->Frame > 0 && !TabImage.Empty() && Control;
}

bool TSkinTab31::BeforeMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (HasImage()) {
            // The skin draws every pixel; the control's own paint would only be covered.
            HandlePaint(message);
            return false;
        }
        break;
    case WM_ERASEBKGND:
        if (HasImage()) {
            message.Result = 1;
            return false;
        }
        break;
    default:
        break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinTab31::DrawSkin(HDC dc, const ui::TRect& rect)
{
    if (!dc || !HasImage())
        return;
    const TDataSkinBorder& tabs = *SkinData->Tabs;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return;
    ui::TBitmap work(w, h);
    HDC paint = work.Canvas().Handle();
    const ui::TRect all = ui::Rect(0, 0, w, h);
    FillBackground(paint, all);
    ui::TSelectObject font(paint, Control->Font().Handle());
    SetBkMode(paint, TRANSPARENT);

    const int startMargin = GetIntProp(Control, "StartMargin");
    const int endMargin = GetIntProp(Control, "EndMargin");
    const int first = std::max(0, GetIntProp(Control, "FirstIndex"));
    const int selected = GetIntProp(Control, "TabIndex");
    const auto* list = dynamic_cast<ui::TStringList*>(GetObjectPropOf(Control, "Tabs", "TStringList"));
    const bool scrolling = Scroller && Scroller->HandleAllocated()
        && (GetWindowLongPtrW(Scroller->WindowHandle(), GWL_STYLE) & WS_VISIBLE);
    ui::TRect margins = tabs.Margins();
    std::swap(margins.top, margins.bottom);

    int x = startMargin;
    const int avail = w - endMargin;
    const int count = list ? list->Count() : 0;
    for (int i = first; i < count; ++i) {
        const std::wstring text = ui::Utf8ToWide((*list)[i]);
        SIZE size{};
        GetTextExtentPoint32W(paint, text.c_str(), static_cast<int>(text.size()), &size);
        // A tab that does not fit is left out; a shorter one after it may still fit.
        if (avail < x + size.cx + (scrolling ? kScrollerRoom : kTabPadding))
            continue;
        const ui::TRect tab = ui::Rect(x, 0, x + size.cx + kTabPadding, h);
        const int state = i == selected ? 2 : 1;
        DrawSkinRect(paint, tab, &TabImage, false, tabs.Tile != 0, tabs.Trans != 0, tabs.Frame, state, margins);
        SetTextColor(paint, ui::ColorToRGB(state == 2 ? tabs.MouseOverColour2 : tabs.NormalColour2));
        DrawCaptionCentered(paint, tab, DT_CENTER, true, text);
        x += size.cx + kTabPadding;
    }
    BitBlt(dc, rect.left, rect.top, w, h, paint, 0, 0, SRCCOPY);
}

} // namespace skin
