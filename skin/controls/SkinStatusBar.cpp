// Status bars: the whole bar composed off-screen (face, panel frames, texts, size grip) and
// copied once; owner-drawn panels are handed to the application afterwards.
#include "skin/controls/SkinStatusBar.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"
#include "ui/StatusBars.h"

#include <algorithm>
#include <vector>

namespace skin {

namespace {

enum TPanelFrame : int { pfLowered = 1, pfRaised = 2, pfNone = 3 };

struct TPanelLook {
    ui::TRect rect{};
    int frame = pfLowered;
    UINT alignment = DT_LEFT;
    std::wstring text;
    bool textStyle = true;
    ui::TStatusPanel* panel = nullptr;
};

int FrameOfBevel(const std::string& bevel)
{
    if (bevel == "pbRaised")
        return pfRaised;
    if (bevel == "pbNone")
        return pfNone;
    return pfLowered;
}

UINT AlignmentFormat(const std::string& alignment, bool rightToLeft)
{
    if (alignment == "taCenter")
        return DT_CENTER;
    const bool right = alignment == "taRightJustify";
    return right != rightToLeft ? DT_RIGHT : DT_LEFT;
}

std::wstring PartText(HWND bar, int index, WORD& flags)
{
    const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0);
    flags = HIWORD(info);
    std::wstring text(static_cast<size_t>(LOWORD(info)) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    // The window's own alignment tabs.
    const size_t start = text.find_first_not_of(L'\t');
    return start == std::wstring::npos ? std::wstring() : text.substr(start);
}

// One-pixel three-dimensional frame for a skin without panel images.
void DrawBevel(HDC dc, const ui::TRect& r, int frame)
{
    if (frame == pfNone || r.right - r.left < 2 || r.bottom - r.top < 2)
        return;
    ui::TBrushHandle shadow(CreateSolidBrush(ui::ColorToRGB(ui::clBtnShadow)));
    ui::TBrushHandle light(CreateSolidBrush(ui::ColorToRGB(ui::clBtnHighlight)));
    HBRUSH topLeft = frame == pfLowered ? shadow.Get() : light.Get();
    HBRUSH bottomRight = frame == pfLowered ? light.Get() : shadow.Get();
    const RECT top{r.left, r.top, r.right, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom};
    const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, topLeft);
    FillRect(dc, &left, topLeft);
    FillRect(dc, &bottom, bottomRight);
    FillRect(dc, &right, bottomRight);
}

} // namespace

bool TSkinStatusBar::BeforeMessage(ui::TMessage& message)
{
    // Every pixel comes from the skin's paint.
    return !AnswerPaintMessages(message);
}

void TSkinStatusBar::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_SIZE:
        // The last panel and the grip follow the right edge: the window only repaints what is new.
        if (Handle)
            InvalidateRect(Handle, nullptr, FALSE);
        break;
    case WM_PAINT:
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinStatusBar::DrawSkin(HDC dc, const ui::TRect& rect)
{
    const int width = ui::RectWidth(rect), height = ui::RectHeight(rect);
    if (!dc || !Handle || width <= 0 || height <= 0)
        return;
    auto* bar = dynamic_cast<ui::TStatusBar*>(Control);
    const TDataSkinObject* edges = SkinData ? SkinData->StatusBarEdges.get() : nullptr;
    if (edges && (edges->Bitmap.Empty() || edges->Frame <= 0))
        edges = nullptr;
    const TDataSkinObject* extra = SkinData ? SkinData->ExtraImages.get() : nullptr;
    const bool enabled = IsWindowEnabled(Handle) != FALSE;

    // The panels as they are to look.
    std::vector<TPanelLook> looks;
    const int parts = bar ? bar->Panels().Count() : static_cast<int>(SendMessageW(Handle, SB_GETPARTS, 0, 0));
    const bool simple = bar ? (bar->SimplePanel() || parts == 0) : SendMessageW(Handle, SB_ISSIMPLE, 0, 0) != 0;
    if (simple) {
        TPanelLook look;
        look.rect = ui::Rect(0, 0, width, height);
        if (bar) {
            look.text = skin::GetWideStrProp(bar, "SimpleText");
        } else {
            WORD flags = 0;
            look.text = PartText(Handle, SB_SIMPLEID, flags);
        }
        looks.push_back(look);
    } else {
        for (int i = 0; i < parts; ++i) {
            TPanelLook look;
            if (!SendMessageW(Handle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&look.rect)))
                continue;
            if (bar) {
                ui::TStatusPanel* panel = bar->Panels()[i];
                look.panel = panel;
                look.frame = FrameOfBevel(GetEnumPropName(panel, "Bevel"));
                look.alignment =
                    AlignmentFormat(GetEnumPropName(panel, "Alignment"), GetEnumPropName(panel, "BiDiMode") == "bdRightToLeft");
                look.text = skin::GetWideStrProp(panel, "Text");
                look.textStyle = GetEnumPropName(panel, "Style") != "psOwnerDraw";
            } else {
                WORD flags = 0;
                look.text = PartText(Handle, i, flags);
                look.frame = (flags & SBT_NOBORDERS) ? pfNone : (flags & SBT_POPOUT) ? pfRaised : pfLowered;
                look.textStyle = (flags & SBT_OWNERDRAW) == 0;
            }
            looks.push_back(look);
        }
        if (!looks.empty())
            looks.back().rect.right = width;
    }

    ui::TBitmap& work = WorkBitmap(width, height);
    HDC canvas = work.Canvas().Handle();
    if (!canvas)
        return;
    // The bar's font in its plain style; it outlives its selection into the work bitmap.
    ui::TFont font;
    if (Control)
        font.Assign(Control->Font());
    else if (auto own = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0)))
        font.SetFromHandle(own);
    font.SetStyle(0);
    {
        ui::TSavedDC savedWork(canvas);
        const ui::TRect all = ui::Rect(0, 0, width, height);
        FillBackground(canvas, all);
        SelectObject(canvas, font.Handle());
        SetTextColor(canvas, ui::ColorToRGB(edges ? edges->NormalColour2 : font.Color()));
        SetBkMode(canvas, TRANSPARENT);

        const bool grip = (GetWindowLongPtrW(Handle, GWL_STYLE) & SBARS_SIZEGRIP) != 0;
        int gripWidth = 0, gripHeight = 0;
        if (grip && extra && !extra->Bitmap.Empty() && extra->Frame > 0) {
            gripWidth = extra->Bitmap.Width() / extra->Frame;
            gripHeight = extra->Bitmap.Height();
        }

        for (size_t i = 0; i < looks.size(); ++i) {
            const TPanelLook& look = looks[i];
            const ui::TRect& r = look.rect;
            if (r.right <= r.left || r.bottom <= r.top)
                continue;
            if (edges) {
                std::unique_ptr<ui::TBitmap> face =
                    BuildSkinRect(ui::Rect(0, 0, ui::RectWidth(r), ui::RectHeight(r)), const_cast<ui::TBitmap*>(&edges->Bitmap),
                                  edges->Margins(), false, edges->Tile != 0, edges->Frame, look.frame);
                if (face)
                    BitBlt(canvas, r.left, r.top, face->Width(), face->Height(), face->Canvas().Handle(), 0, 0, SRCCOPY);
            } else {
                DrawBevel(canvas, r, look.frame);
            }
            if (!look.textStyle)
                continue;
            ui::TRect textRect = r;
            textRect.left += 2;
            textRect.right -= 2;
            // The last panel's text stays clear of the grip.
            if (grip && i + 1 == looks.size())
                textRect.right -= std::max(gripWidth, GetSystemMetrics(SM_CXVSCROLL) / 2);
            if (textRect.right <= textRect.left)
                continue;
            DrawCaptionCentered(canvas, textRect, look.alignment | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, enabled,
                                look.text.empty() ? std::wstring(L" ") : look.text);
        }

        if (grip) {
            if (gripWidth > 0 && gripHeight > 0) {
                const ui::TRect at = ui::Rect(width - 1 - gripWidth, height - 1 - gripHeight, width - 1, height - 1);
                DrawStripFrame(canvas, at, extra->Frame, 5, &extra->Bitmap);
            } else {
                // No grip image: the system's grip, so the bar still shows it can be dragged.
                const int side = std::min(GetSystemMetrics(SM_CXVSCROLL), height - 1);
                RECT at{width - 1 - side, height - 1 - side, width - 1, height - 1};
                if (side > 0)
                    DrawFrameControl(canvas, &at, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
            }
        }
    }
    BitBlt(dc, rect.left, rect.top, width, height, canvas, 0, 0, SRCCOPY);

    if (bar && bar->OnDrawPanel)
        for (const TPanelLook& look : looks) {
            if (!look.panel || look.textStyle)
                continue;
            ui::TRect r = look.rect;
            InflateRect(&r, -1, -1);
            ui::TSavedDC saved(dc);
            bar->DrawPanel(dc, look.panel, r);
        }
}

} // namespace skin
