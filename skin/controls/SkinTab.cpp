// Tab and page controls: the system control draws into a buffer, the skin paints the tab strip
// and the page border over it, and the result goes to the screen once.
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinUpDown.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinPixelOps.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

#include <algorithm>

namespace skin {

namespace {

const TDataSkinBorder* TabsOf(const TSkinData* data) { return data && data->Tabs ? data->Tabs.get() : nullptr; }

// The page border's edge next to the tabs is a pixel wider than the other three.
ui::TRect BorderMargins(int position)
{
    switch (position) {
    case tpBottom: return ui::Rect(4, 4, 4, 5);
    case tpLeft: return ui::Rect(5, 4, 4, 4);
    case tpRight: return ui::Rect(4, 4, 5, 4);
    default: return ui::Rect(4, 5, 4, 4);
    }
}

ui::TColor ParentColour(HWND window, const TSkinData* data)
{
    if (ui::TWinControl* control = ui::FindControl(window); control && control->Parent())
        return control->Parent()->Color();
    return data ? data->ButtonFaceColor : ui::SystemColor(COLOR_BTNFACE);
}

} // namespace

TSkinTab::TSkinTab(ui::TComponent* owner) : TSkinControl(owner)
{
    WorkImage.SetPixelFormat(ui::TPixelFormat::pf24bit);
}

TSkinTab::~TSkinTab() = default;

void TSkinTab::AttachWindow(HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas)
{
    TSkinControl::AttachWindow(handle, skinData, form, canvas);
    if (!Attached)
        return;
    ReadState();
    Caption = ReadCaption();
    PrepareImages();
    FindUpDown();
}

void TSkinTab::Notification(ui::TComponent* component, ui::TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == UpDown)
        UpDown = nullptr;
}

void TSkinTab::Unskin()
{
    TSkinControl::Unskin();
    delete UpDown;
    UpDown = nullptr;
    if (Status != ssDestroyed && Handle && IsWindow(Handle))
        InvalidateRect(Handle, nullptr, TRUE);
}

void TSkinTab::SkinChanged()
{
    TSkinControl::SkinChanged();
    PrepareImages();
}

bool TSkinTab::HasTabs() const
{
    const TDataSkinBorder* tabs = TabsOf(SkinData);
    return tabs && tabs->Frame > 0 && !TabImage.Empty();
}

void TSkinTab::PrepareImages()
{
    if (Handle) {
        const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
        const bool bottom = (style & TCS_BOTTOM) != 0, vertical = (style & TCS_VERTICAL) != 0;
        TabPosition = vertical ? (bottom ? tpRight : tpLeft) : (bottom ? tpBottom : tpTop);
    }
    TabImage.Clear();
    BorderImage.Clear();
    const TDataSkinBorder* tabs = TabsOf(SkinData);
    // Without the tab image the control keeps its own look.
    if (!tabs || tabs->Bitmap.Empty())
        return;
    TabImage.Assign(tabs->Bitmap);
    TabImage.SetPixelFormat(ui::TPixelFormat::pf24bit);
    if (!tabs->Chunk.Empty()) {
        BorderImage.Assign(tabs->Chunk);
        BorderImage.SetPixelFormat(ui::TPixelFormat::pf24bit);
    }
    switch (TabPosition) {
    case tpBottom:
        FlipBitmap(&TabImage);
        FlipBitmap(&BorderImage);
        break;
    case tpLeft: RotateBitmapLeft(&BorderImage); break;
    case tpRight: RotateBitmapRight(&BorderImage); break;
    default: break;
    }
}

bool TSkinTab::FindUpDown()
{
    if (!Handle)
        return false;
    HWND spin = FindWindowExA(Handle, nullptr, "msctls_updown32", nullptr);
    if (!spin)
        return false;
    // A dead one stays until the frame frees it; the new window gets its own.
    if (UpDown && (UpDown->Handle != spin || UpDown->Status == ssDestroyed))
        UpDown = nullptr;
    if (!UpDown) {
        auto* object = new TSkinUpDown(this);
        object->Horizontal = 1;
        object->AttachWindow(spin, SkinData, Form, Canvas);
        if (object->Attached)
            UpDown = object;
        else
            delete object;
    }
    return (GetWindowLongPtrW(spin, GWL_STYLE) & WS_VISIBLE) != 0;
}

RECT TSkinTab::UpDownRect() const
{
    RECT r{};
    HWND spin = Handle ? FindWindowExA(Handle, nullptr, "msctls_updown32", nullptr) : nullptr;
    if (!spin || !(GetWindowLongPtrW(spin, GWL_STYLE) & WS_VISIBLE) || !GetWindowRect(spin, &r))
        return RECT{};
    MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool TSkinTab::BeforeMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        if (HasTabs()) {
            message.Result = 1;
            return false;
        }
        break;
    case WM_PAINT:
        if (HasTabs()) {
            message.Result = 0;
            if (HDC given = reinterpret_cast<HDC>(message.WParam)) {
                Compose(given);
            } else {
                ui::TPaintDC paint(Handle);
                if (paint.Get())
                    Compose(paint.Get());
            }
            return false;
        }
        break;
    case WM_PRINTCLIENT:
        if (HasTabs()) {
            Compose(reinterpret_cast<HDC>(message.WParam));
            message.Result = 0;
            return false;
        }
        break;
    default:
        break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinTab::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_STYLECHANGED:
        PrepareImages();
        InvalidateRect(Handle, nullptr, TRUE);
        break;
    case WM_SIZE: case WM_SETFONT:
    case TCM_SETCURSEL: case TCM_SETCURFOCUS: case TCM_INSERTITEMA: case TCM_INSERTITEMW:
    case TCM_DELETEITEM: case TCM_DELETEALLITEMS: case TCM_SETITEMA: case TCM_SETITEMW: case TCM_SETIMAGELIST:
        // The whole strip is the skin's: a change anywhere repaints all of it.
        if (HasTabs())
            InvalidateRect(Handle, nullptr, FALSE);
        break;
    case WM_PAINT:
        // Painted already in BeforeMessage when the skin draws the strip.
        return;
    default:
        break;
    }
    TSkinControl::AfterMessage(message);
}

void TSkinTab::Compose(HDC target)
{
    RECT client{};
    if (!target || !GetClientRect(Handle, &client) || client.right <= 0 || client.bottom <= 0)
        return;
    const ui::TRect rect = ui::Rect(0, 0, client.right, client.bottom);
    ui::TBitmap buffer(client.right, client.bottom);
    HDC memory = buffer.Canvas().Handle();
    {
        ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(ParentColour(Handle, SkinData))));
        FillRect(memory, &client, brush.Get());
    }
    // The control's own picture first: the page's inside is still its.
    ui::TMessage own{WM_PAINT, reinterpret_cast<WPARAM>(memory), 0, 0};
    CallOldProc(own);
    // The page's inside takes the skin's face colour, as the pages laid on it do.
    if (SkinData) {
        RECT inside = client;
        SendMessageW(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inside));
        ui::TBrushHandle face(CreateSolidBrush(ui::ColorToRGB(SkinData->ButtonFaceColor)));
        FillRect(memory, &inside, face.Get());
    }
    ReadState();
    try {
        DrawSkin(memory, rect);
    } catch (...) {
        // The control's own picture still goes out.
    }
    ui::TSavedDC saved(target);
    const RECT spin = UpDownRect();
    if (!IsRectEmpty(&spin))
        ExcludeClipRect(target, spin.left, spin.top, spin.right, spin.bottom);
    BitBlt(target, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
}

void TSkinTab::DrawSkin(HDC dc, const ui::TRect& rect)
{
    const TDataSkinBorder* tabs = TabsOf(SkinData);
    if (!dc || !Handle || !HasTabs())
        return;
    RECT page = rect;
    SendMessageW(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, 4, 4);
    const int count = static_cast<int>(SendMessageW(Handle, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(Handle, TCM_GETCURSEL, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, TCM_GETIMAGELIST, 0, 0));

    RECT strip = rect;
    switch (TabPosition) {
    case tpBottom: page.bottom -= 1; strip.top = page.bottom; break;
    case tpLeft: page.left += 1; strip.right = page.left; break;
    case tpRight: page.right -= 1; strip.left = page.right; break;
    default: page.top += 1; strip.bottom = page.top; break;
    }
    const int sw = strip.right - strip.left, sh = strip.bottom - strip.top;
    const bool turned = TabPosition == tpLeft || TabPosition == tpRight;
    if (sw > 0 && sh > 0) {
        WorkImage.SetSize(turned ? sh : sw, turned ? sw : sh);
        HDC work = WorkImage.Canvas().Handle();
        const RECT all{0, 0, WorkImage.Width(), WorkImage.Height()};
        {
            ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(ParentColour(Handle, SkinData))));
            FillRect(work, &all, brush.Get());
        }
        ui::TRect margins = tabs->Margins();
        // The flipped image has its caps the other way up.
        if (TabPosition == tpBottom)
            std::swap(margins.top, margins.bottom);
        auto font = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0));
        ui::TSelectObject selectFont(work, font ? font : GetStockObject(DEFAULT_GUI_FONT));
        const int oldMode = SetBkMode(work, TRANSPARENT);
        const COLORREF oldColour = GetTextColor(work);
        for (int i = 0; i < count; ++i) {
            wchar_t text[81] = {};
            TCITEMW item{};
            item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
            item.dwStateMask = TCIS_BUTTONPRESSED | TCIS_HIGHLIGHTED;
            item.pszText = text;
            item.cchTextMax = 80;
            RECT r{};
            if (!SendMessageW(Handle, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))
                || !SendMessageW(Handle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
                continue;
            RECT w = r;
            switch (TabPosition) {
            case tpBottom: OffsetRect(&w, -strip.left, -strip.top); break;
            case tpLeft:
                // Drawn upright, then turned a quarter left: the work's top becomes the left.
                w = RECT{sh - (r.bottom - strip.top), r.left - strip.left, sh - (r.top - strip.top), r.right - strip.left};
                break;
            case tpRight:
                // Turned a quarter right afterwards: the work's top becomes the right.
                w = RECT{r.top - strip.top, sw - (r.right - strip.left), r.bottom - strip.top, sw - (r.left - strip.left)};
                break;
            default: OffsetRect(&w, -strip.left, -strip.top); break;
            }
            const int state = i == selected ? 2 : 1;
            DrawSkinRect(work, w, &TabImage, false, tabs->Tile != 0, tabs->Trans != 0, tabs->Frame, state, margins);
            SetTextColor(work, ui::ColorToRGB(state == 2 ? tabs->MouseOverColour2 : tabs->NormalColour2));
            DrawImageAndText(work, w, 1, text, item.iImage, images, Enabled);
        }
        SetTextColor(work, oldColour);
        SetBkMode(work, oldMode);
        if (TabPosition == tpRight)
            RotateBitmapRight(&WorkImage);
        else if (TabPosition == tpLeft)
            RotateBitmapLeft(&WorkImage);
        // The scroll up-down paints itself: the strip goes round it.
        ui::TSavedDC saved(dc);
        const RECT spin = UpDownRect();
        if (!IsRectEmpty(&spin))
            ExcludeClipRect(dc, spin.left, spin.top, spin.right, spin.bottom);
        BitBlt(dc, strip.left, strip.top, sw, sh, WorkImage.Canvas().Handle(), 0, 0, SRCCOPY);
    }
    if (!BorderImage.Empty())
        DrawSkinFrame(dc, page, &BorderImage, false, 1, 1, BorderMargins(TabPosition));
}

} // namespace skin
