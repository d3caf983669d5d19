// Up-down buttons: both buttons painted from the skin's up-down strips (faces and arrow glyphs),
// or plain blocks with arrows when the skin has none; press, hover and disabled states follow the
// cursor.
#include "skin/controls/SkinUpDown.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

namespace skin {

namespace {

constexpr int kUpDownFrames = 8;

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    ui::TBrushHandle brush(CreateSolidBrush(colour));
    if (brush)
        FillRect(dc, &rect, brush.Get());
}

} // namespace

void DrawArrow(HDC dc, int x, int y, int direction, COLORREF colour)
{
    ui::TBrushHandle brush(CreateSolidBrush(colour));
    if (!brush)
        return;
    auto row = [&](int left, int top, int right, int bottom) {
        const RECT r{left, top, right, bottom};
        FillRect(dc, &r, brush.Get());
    };
    switch (direction) {
    case saUp:
        // Point at (x, y), one pixel wider each side per row, down to four each side.
        for (int i = 0; i <= 4; ++i)
            row(x - i, y + i, x + i + 1, y + i + 1);
        break;
    case saDown:
        // The same wedge upside down, point at (x, y + 3).
        for (int i = 0; i <= 4; ++i)
            row(x - i, y + 3 - i, x + i + 1, y + 4 - i);
        break;
    case saLeft:
        for (int i = 0; i <= 2; ++i)
            row(x - 1 + i, y - i, x + i, y + i + 1);
        break;
    case saRight:
        for (int i = 0; i <= 2; ++i)
            row(x + 1 - i, y - i, x + 2 - i, y + i + 1);
        break;
    default:
        break;
    }
}

bool TSkinUpDown::SideBySide() const
{
    return Horizontal == 1 || (Handle && (GetWindowLongPtrW(Handle, GWL_STYLE) & UDS_HORZ) != 0);
}

ui::TRect TSkinUpDown::DrawArea() const
{
    RECT client{};
    if (Handle)
        GetClientRect(Handle, &client);
    ui::TRect area = client;
    if (InEdit)
        area = ui::Rect(area.left + 1, area.top + 1, area.right - 1, area.bottom - 1);
    return area;
}

void TSkinUpDown::ButtonStates(POINT cursor, const ui::TRect& client, int& first, int& second) const
{
    if (Handle && (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_DISABLED)) {
        first = second = ssDisabledButton;
        return;
    }
    // A cursor off the control shows neither press nor hover, whatever the flags still say until
    // the release or the leave arrives.
    RECT window{};
    if (Handle)
        GetClientRect(Handle, &window);
    const bool inside = !Handle || PtInRect(&window, cursor);
    const int mouse = !inside ? ssNormal : Pressed() ? ssPressedButton : Hot() ? ssHotButton : ssNormal;
    const bool onFirst = SideBySide() ? cursor.x < client.left + ui::RectWidth(client) / 2
                                      : cursor.y < client.top + ui::RectHeight(client) / 2;
    first = onFirst ? mouse : ssNormal;
    second = onFirst ? ssNormal : mouse;
}

bool TSkinUpDown::BeforeMessage(ui::TMessage& message)
{
    // Every pixel is the skin's.
    if (AnswerPaintMessages(message))
        return false;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The control steps its value first; the press shows straight after.
        CallOldProc(message);
        SetMouseBit(msPressed, true);
        RedrawSkin(nullptr);
        return false;
    case WM_LBUTTONUP:
        SetMouseBit(msPressed, false);
        CallOldProc(message);
        RedrawSkin(nullptr);
        return false;
    default:
        break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinUpDown::UpdateMouseState()
{
    if (!Handle)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle, &cursor);
    int first = 0, second = 0;
    ButtonStates(cursor, DrawArea(), first, second);
    if (first != LastFirst || second != LastSecond)
        RedrawSkin(nullptr);
}

void TSkinUpDown::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        if (!Hot() && Handle) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle, 0};
            TrackMouseEvent(&track);
            SetMouseBit(msHot, true);
        }
        UpdateMouseState();
        break;
    case WM_MOUSELEAVE:
        SetMouseBit(msHot, false);
        UpdateMouseState();
        break;
    case WM_CAPTURECHANGED:
        // A press taken away without a release (another window took the mouse).
        if (Pressed() && reinterpret_cast<HWND>(message.LParam) != Handle) {
            SetMouseBit(msPressed, false);
            UpdateMouseState();
        }
        break;
    case WM_ENABLE:
    case ui::CM_ENABLEDCHANGED:
        RedrawSkin(nullptr);
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinUpDown::DrawSkin(HDC dc, const ui::TRect& rect)
{
    if (!dc || !Handle)
        return;
    RECT client{};
    GetClientRect(Handle, &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0)
        return;
    const ui::TColor face = SkinData ? SkinData->ButtonFaceColor : ui::SystemColor(COLOR_BTNFACE);
    ui::TBitmap work(w, h, ui::TPixelFormat::pf24bit);
    if (work.Empty())
        return;
    HDC wdc = work.Canvas().Handle();
    SetStretchBltMode(wdc, COLORONCOLOR);
    FillSolid(wdc, client, ui::ColorToRGB(face));

    const ui::TRect area = DrawArea();
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle, &cursor);
    int first = ssNormal, second = ssNormal;
    ButtonStates(cursor, area, first, second);

    ui::TRect one, two;
    int arrowOne = saUp, arrowTwo = saDown;
    const bool side = SideBySide();
    if (side) {
        const int half = ui::RectWidth(area) / 2;
        one = ui::Rect(area.left, area.top, area.left + half, area.bottom);
        two = ui::Rect(area.left + half, area.top, area.right, area.bottom);
        arrowOne = saLeft;
        arrowTwo = saRight;
    } else {
        const int half = ui::RectHeight(area) / 2;
        one = ui::Rect(area.left, area.top, area.right, area.top + half);
        two = ui::Rect(area.left, area.top + half, area.right, area.bottom);
    }
    const TDataSkinBorder* strip = !SkinData ? nullptr : side ? SkinData->UpDownHorz.get() : SkinData->UpDownVert.get();
    const bool skinned = strip && !strip->Bitmap.Empty();
    for (int i = 0; i < 2; ++i) {
        const ui::TRect& button = i == 0 ? one : two;
        const int arrow = i == 0 ? arrowOne : arrowTwo;
        const int state = i == 0 ? first : second;
        if (skinned)
            DrawSpinButton(wdc, button, arrow, state);
        else
            DrawPlainSpinButton(wdc, button, arrow, state);
    }
    LastFirst = first;
    LastSecond = second;
    // The client area's origin: a border of the window's own is not ours.
    (void)rect;
    BitBlt(dc, 0, 0, w, h, wdc, 0, 0, SRCCOPY);
}

void TSkinUpDown::DrawSpinButton(HDC dc, const ui::TRect& buttonRect, int arrow, int state)
{
    if (!SkinData || buttonRect.right <= buttonRect.left || buttonRect.bottom <= buttonRect.top)
        return;
    const bool vertical = arrow == saUp || arrow == saDown;
    TDataSkinBorder* strip = vertical ? SkinData->UpDownVert.get() : SkinData->UpDownHorz.get();
    if (!strip || strip->Bitmap.Empty())
        return;
    const int frames = strip->Frame > 0 ? strip->Frame : kUpDownFrames;
    const int frame = vertical ? state + 4 * arrow : state + 4 * arrow - 8;
    DrawSkinStretch(dc, buttonRect, &strip->Bitmap, true, frames, frame);
    if (!strip->Chunk.Empty())
        DrawSkinCentered(dc, buttonRect, &strip->Chunk, true, frames, frame);
}

void TSkinUpDown::DrawPlainSpinButton(HDC dc, const ui::TRect& buttonRect, int arrow, int state)
{
    if (buttonRect.right <= buttonRect.left || buttonRect.bottom <= buttonRect.top)
        return;
    const TSkinData* d = SkinData;
    const ui::TColor face = d ? d->ButtonFaceColor : ui::SystemColor(COLOR_BTNFACE);
    const ui::TColor shadow = d ? d->ButtonShadowColor : ui::SystemColor(COLOR_BTNSHADOW);
    const ui::TColor dark = d ? d->ButtonDkShadowColor : ui::SystemColor(COLOR_3DDKSHADOW);
    const bool lit = state == ssPressedButton || state == ssHotButton;
    {
        ui::TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(dark)));
        ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(lit ? shadow : face)));
        if (!pen || !brush)
            return;
        ui::TSavedDC saved(dc);
        SelectObject(dc, pen.Get());
        SelectObject(dc, brush.Get());
        Rectangle(dc, buttonRect.left, buttonRect.top, buttonRect.right, buttonRect.bottom);
    }
    const int x = buttonRect.left + ui::RectWidth(buttonRect) / 2;
    int y = buttonRect.top + ui::RectHeight(buttonRect) / 2;
    if (arrow == saUp || arrow == saDown)
        y -= 2;
    DrawArrow(dc, x, y, arrow, ui::ColorToRGB(state == ssDisabledButton ? shadow : dark));
}

} // namespace skin
