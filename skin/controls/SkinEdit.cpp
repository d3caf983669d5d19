// Edits: the skin's two-line border over the edit's own non-client border.
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinUpDown.h"

#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

#include <algorithm>
#include <cwctype>
#include <string>

namespace skin {

namespace {

bool IsUpDownClass(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    std::wstring lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return std::towlower(c); });
    return lower == L"msctls_updown32" || lower.find(L"spin") != std::wstring::npos ||
           lower.find(L"updown") != std::wstring::npos;
}

void FrameWith(HDC dc, const RECT& rect, COLORREF colour)
{
    ui::TBrushHandle brush(CreateSolidBrush(colour));
    if (brush)
        FrameRect(dc, &rect, brush.Get());
}

} // namespace

void TSkinEdit::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        // A paint into a caller's DC covers the client area only; the border lives outside it.
        if (message.WParam == 0)
            RedrawSkin(nullptr);
        break;
    case WM_NCPAINT:
        // The edit has just drawn its own border over ours.
        RedrawSkin(nullptr);
        break;
    case WM_PRINT:
        if (message.LParam & PRF_NONCLIENT)
            PrintBorder(reinterpret_cast<HDC>(message.WParam));
        break;
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case ui::CM_ENABLEDCHANGED:
        // The border looks the same in every state, and the edit repaints its own text: invalidating
        // the whole window here would only flash it.
        break;
    case WM_SETTEXT:
        Caption = ReadCaption();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinEdit::FindUpDown()
{
    if (UpDownWindow && IsWindow(UpDownWindow) && GetParent(UpDownWindow) == Handle && UpDown &&
        UpDown->Handle == UpDownWindow && UpDown->Status != ssDestroyed)
        return;
    UpDownWindow = nullptr;
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsUpDownClass(child)) {
            UpDownWindow = child;
            break;
        }
    }
    // A framework up-down is skinned by the frame like any other control.
    if (!UpDownWindow || ui::FindControl(UpDownWindow))
        return;
    if (UpDown && UpDown->Handle == UpDownWindow && UpDown->Status != ssDestroyed)
        return;
    // A dead one is left to whoever frees dead objects; this one takes its place.
    auto* upDown = new TSkinUpDown(this);
    upDown->InEdit = true;
    upDown->AttachWindow(UpDownWindow, SkinData, Form, Canvas);
    if (!upDown->Attached) {
        delete upDown;
        return;
    }
    UpDown = upDown;
}

void TSkinEdit::Notification(ui::TComponent* component, ui::TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == UpDown)
        UpDown = nullptr;
}

bool TSkinEdit::HasBorder() const
{
    RECT window{}, client{};
    if (!GetWindowRect(Handle, &window) || !GetClientRect(Handle, &client))
        return false;
    return client.right != window.right - window.left && client.bottom != window.bottom - window.top;
}

void TSkinEdit::DrawSkin(HDC dc, const ui::TRect& rect)
{
    if (!Handle || !dc)
        return;
    FindUpDown();
    if (!HasBorder())
        return;
    const ui::TColor shadow = SkinData ? SkinData->ButtonShadowColor : ui::SystemColor(COLOR_BTNSHADOW);
    RECT r = rect;
    FrameWith(dc, r, ui::ColorToRGB(shadow));
    InflateRect(&r, -1, -1);
    FrameWith(dc, r, RGB(255, 255, 255));
}

void TSkinEdit::PrintBorder(HDC dc)
{
    if (!dc) {
        RedrawSkin(nullptr);
        return;
    }
    if (!Handle || !GetWindowRect(Handle, &WindowRect))
        return;
    ui::TSavedDC saved(dc);
    // The edit's own printing may leave its client area as the DC's clip region; the border lies
    // outside it.
    SelectClipRgn(dc, nullptr);
    try {
        DrawSkin(dc, ui::Rect(0, 0, WindowRect.right - WindowRect.left, WindowRect.bottom - WindowRect.top));
    } catch (...) {
        // Printing never breaks the edit's own handling.
    }
}

} // namespace skin
