// Combo boxes: border and drop button from the skin, composed off-screen and copied once around the
// text area, which stays the control's own.
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinScrollbar.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

namespace skin {

namespace {

bool Usable(const TDataSkinObject* object) { return object && !object->Bitmap.Empty() && object->Frame > 0; }

// Posted by the list's bar object when the list closed: the object can go once the list's own
// message is over.
UINT ListClosedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"SkinComboListClosed");
    return message;
}

bool OverCombo(HWND combo)
{
    POINT at{};
    if (!GetCursorPos(&at))
        return false;
    const HWND under = WindowFromPoint(at);
    return under == combo || (under && IsChild(combo, under));
}

} // namespace

TComboGeometry ComboGeometry(const ui::TRect& rect, int arrowWidth, bool buttonLeft)
{
    TComboGeometry g;
    const int span = arrowWidth + 2;
    if (buttonLeft) {
        g.button = ui::Rect(rect.left, rect.top, rect.left + span, rect.bottom);
        g.glyphArea = ui::Rect(rect.left + 2, rect.top, rect.left + span, rect.bottom);
        g.textArea = ui::Rect(rect.left + span + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
    } else {
        g.button = ui::Rect(rect.right - span, rect.top, rect.right, rect.bottom);
        g.glyphArea = ui::Rect(rect.right - span, rect.top, rect.right - 2, rect.bottom);
        g.textArea = ui::Rect(rect.left + 2, rect.top + 2, rect.right - span - 2, rect.bottom - 2);
    }
    return g;
}

int ComboFrame(bool pressed, bool hot, bool focused, bool enabled)
{
    if (!enabled)
        return bfDisabled;
    if (pressed)
        return bfPressed;
    if (hot || focused)
        return bfHot;
    return bfNormal;
}

TSkinComBox::~TSkinComBox()
{
    ListScrollbar.reset();
    UnhookEdit();
}

void TSkinComBox::FollowList()
{
    if (ListScrollbar || !Active || Status != ssAttached || !ListHandle || (Style & 3) == CBS_SIMPLE ||
        !IsWindow(ListHandle) || !IsWindowVisible(ListHandle))
        return;
    auto bar = std::make_unique<TSkinScrollbarH>(nullptr);
    // Owned here, not by the frame's list: it lives only while the list is open.
    bar->AttachWindow(ListHandle, SkinData, nullptr, Canvas);
    if (!bar->Attached)
        return;
    bar->NotifyWindow = Handle;
    bar->NotifyMessage = ListClosedMessage();
    ListScrollbar = std::move(bar);
}

void TSkinComBox::DropListBar()
{
    if (!ListScrollbar || (IsWindow(ListHandle) && IsWindowVisible(ListHandle)))
        return;
    if (ListScrollbar->InMessage()) {
        PostMessageW(Handle, ListClosedMessage(), 0, 0);
        return;
    }
    ListScrollbar->Unskin();
    ListScrollbar.reset();
}

void TSkinComBox::AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas)
{
    if (Attached)
        return;
    TSkinControl::AttachControl(form, skinData, useSkinColor, canvas);
    if (Attached)
        HookParts();
}

void TSkinComBox::AttachWindow(HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas)
{
    if (Attached)
        return;
    TSkinControl::AttachWindow(handle, skinData, form, canvas);
    if (Attached)
        HookParts();
}

bool TSkinComBox::ReadComboInfo()
{
    ComboInfo = COMBOBOXINFO{};
    ComboInfo.cbSize = sizeof(COMBOBOXINFO);
    return Handle && GetComboBoxInfo(Handle, &ComboInfo) != FALSE;
}

void TSkinComBox::HookParts()
{
    Style = GetWindowLongPtrW(Handle, GWL_STYLE);
    ListHandle = nullptr;
    if (!ReadComboInfo())
        return;
    ListHandle = ComboInfo.hwndList;
    // Only an editable drop-down combo has an edit of its own to hook.
    if ((Style & 3) != CBS_DROPDOWN)
        return;
    const HWND edit = ComboInfo.hwndItem;
    if (!edit || edit == Handle || GetParent(edit) != Handle)
        return;
    // The combo's buffered paint must not cover the edit, which paints itself.
    if (!(Style & WS_CLIPCHILDREN)) {
        SetWindowLongPtrW(Handle, GWL_STYLE, Style | WS_CLIPCHILDREN);
        Style |= WS_CLIPCHILDREN;
        addedClipChildren_ = true;
    }
    if (editLink_.Install(edit, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
            return EditMessage(msg, wParam, lParam);
        }))
        EditHandle = edit;
}

void TSkinComBox::UnhookEdit()
{
    editLink_.Remove();
    EditHandle = nullptr;
    if (addedClipChildren_ && Status != ssDestroyed && IsWindow(Handle)) {
        Style = GetWindowLongPtrW(Handle, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CLIPCHILDREN);
        SetWindowLongPtrW(Handle, GWL_STYLE, Style);
    }
    addedClipChildren_ = false;
}

void TSkinComBox::Unskin()
{
    TSkinControl::Unskin();
    ListScrollbar.reset();
    UnhookEdit();
}

LRESULT TSkinComBox::EditMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = editLink_.CallPrevious(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The link goes with the window (the subclass removes itself).
        EditHandle = nullptr;
        return result;
    }
    if (!Active || Status != ssAttached)
        return result;
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP:
        NotePress(msg);
        break;
    case WM_MOUSEMOVE:
        TrackHot(EditHandle);
        break;
    case WM_MOUSELEAVE:
        LeaveHot();
        break;
    default:
        break;
    }
    return result;
}

void TSkinComBox::NotePress(UINT msg)
{
    const bool down = msg != WM_LBUTTONUP;
    if (down == Pressed())
        return;
    SetMouseBit(msPressed, down);
    RefreshSkin();
}

void TSkinComBox::TrackHot(HWND window)
{
    if (!window || !IsWindowEnabled(Handle))
        return;
    SetMouseBit(msHot, true);
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
}

void TSkinComBox::LeaveHot()
{
    // Moving between the combo and its edit leaves one window for the other, not the control.
    if (Hot() && !OverCombo(Handle))
        SetMouseBit(msHot, false);
}

bool TSkinComBox::BeforeMessage(ui::TMessage& message)
{
    // A framework control buffers its paint itself; a plain window's is buffered here.
    if (message.Msg == WM_PAINT && message.WParam == 0 && !Control && CanSkin()) {
        PaintBuffered(message);
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinComBox::AfterMessage(ui::TMessage& message)
{
    if (message.Msg == ListClosedMessage()) {
        DropListBar();
        return;
    }
    if (message.Msg == WM_DESTROY)
        ListScrollbar.reset();
    else if (!ListScrollbar)
        FollowList();
    switch (message.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP:
        NotePress(message.Msg);
        break;
    case WM_DRAWITEM: case WM_NCPAINT:
        // The control drew over the skin outside a paint: put the skin back over it.
        RedrawSkin(nullptr);
        break;
    case ui::CM_MOUSEENTER:
        // The look follows at the next repaint.
        if (IsWindowEnabled(Handle))
            SetMouseBit(msHot, true);
        break;
    case ui::CM_MOUSELEAVE:
        LeaveHot();
        break;
    case WM_MOUSEMOVE:
        if (!Control)
            TrackHot(Handle);
        break;
    case WM_MOUSELEAVE:
        if (!Control)
            LeaveHot();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

bool TSkinComBox::CanSkin() const
{
    return Handle && SkinData && Usable(SkinData->ComboButton.get());
}

void TSkinComBox::StartBuffer(HDC buffer, HDC screen, const ui::TRect& rect)
{
    // What the screen shows is the best start for pixels the control leaves alone.
    BitBlt(buffer, 0, 0, ui::RectWidth(rect), ui::RectHeight(rect), screen, 0, 0, SRCCOPY);
}

RECT TSkinComBox::BufferKeepOut() const
{
    RECT r{};
    if (!EditHandle || !IsWindow(EditHandle) || !IsWindowVisible(EditHandle))
        return r;
    GetWindowRect(EditHandle, &r);
    MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool TSkinComBox::Compose(HDC picture, HDC target, const ui::TRect& rect, int frame, const TComboGeometry& geometry,
                          bool buttonLeft, bool& drewBorder) const
{
    const TDataSkinBorder& button = *SkinData->ComboButton;
    const TDataSkinObject* edge = SkinData->SunkEdge.get();
    const TDataSkinObject* glyph = SkinData->ExtraImages.get();
    drewBorder = false;

    if (button.Style == 1) {
        // The simple form: two plain frames and the button's image on a flat face.
        const HBRUSH face = static_cast<HBRUSH>(GetCurrentObject(target, OBJ_BRUSH));
        ui::TBrushHandle shadow(CreateSolidBrush(ui::ColorToRGB(SkinData->ButtonShadowColor)));
        RECT r = rect;
        FrameRect(picture, &r, shadow.Get());
        InflateRect(&r, -1, -1);
        FrameRect(picture, &r, face);
        RECT b = geometry.button;
        InflateRect(&b, 0, -2);
        if (buttonLeft)
            b.left += 2;
        else
            b.right -= 2;
        FillRect(picture, &b, face);
        DrawStripFrame(picture, b, button.Frame, frame, &button.Bitmap);
        drewBorder = true;
        return true;
    }
    if (button.Style == 2 && !buttonLeft) {
        // The whole frame (border, button and arrow) was composed when the skin was loaded.
        DrawSkinRect(picture, rect, const_cast<ui::TBitmap*>(&button.Bitmap), false, false, true, button.Frame, frame,
                     button.Margins());
        drewBorder = true;
        return true;
    }
    if (Usable(edge)) {
        DrawSkinObject(picture, rect, edge->Frame, frame, edge);
        drewBorder = true;
    }
    // The mirrored image mirrors the whole strip: its frames run from the right.
    const ui::TBitmap& image = buttonLeft ? button.Chunk : button.Bitmap;
    const int imageFrame = buttonLeft ? button.Frame + 1 - frame : frame;
    const bool drewButton = !image.Empty();
    if (drewButton)
        DrawStripFrame(picture, geometry.button, button.Frame, imageFrame, &image);
    if (drewButton && Usable(glyph))
        DrawSkinCentered(picture, geometry.glyphArea, const_cast<ui::TBitmap*>(&glyph->Bitmap), true, glyph->Frame,
                         frame);
    return drewBorder || drewButton;
}

void TSkinComBox::DrawSkin(HDC dc, const ui::TRect& rect)
{
    if (!dc || !CanSkin())
        return;
    Style = GetWindowLongPtrW(Handle, GWL_STYLE);
    ExStyle = GetWindowLongPtrW(Handle, GWL_EXSTYLE);
    if (!ReadComboInfo() || (ComboInfo.stateButton & STATE_SYSTEM_INVISIBLE))
        return;
    const HWND focus = GetFocus();
    Focused = focus && (focus == Handle || IsChild(Handle, focus));
    Enabled = (Style & WS_DISABLED) == 0;
    const int frame = ComboFrame(Pressed(), Hot(), Focused, Enabled);
    const bool buttonLeft = (ExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    const TComboGeometry geometry = ComboGeometry(rect, GetSystemMetrics(SM_CXHSCROLL), buttonLeft);

    const int w = ui::RectWidth(rect), h = ui::RectHeight(rect);
    if (w <= 0 || h <= 0)
        return;
    ui::TMemoryDC memory(dc);
    ui::TBitmapHandle bitmap(CreateCompatibleBitmap(dc, w, h));
    if (!memory.Get() || !bitmap)
        return;
    ui::TSelectObject select(memory.Get(), bitmap.Get());
    // The skin's transparent pixels keep what the control drew.
    BitBlt(memory.Get(), 0, 0, w, h, dc, rect.left, rect.top, SRCCOPY);
    const ui::TRect local = ui::Rect(0, 0, w, h);
    const TComboGeometry at = ComboGeometry(local, GetSystemMetrics(SM_CXHSCROLL), buttonLeft);
    bool drewBorder = false;
    if (!Compose(memory.Get(), dc, local, frame, at, buttonLeft, drewBorder))
        return;

    ui::TSavedDC saved(dc);
    if (drewBorder) {
        const RECT text = geometry.textArea;
        ExcludeClipRect(dc, text.left, text.top, text.right, text.bottom);
        BitBlt(dc, rect.left, rect.top, w, h, memory.Get(), 0, 0, SRCCOPY);
    } else {
        // Without a border image the border stays the platform's: only the button goes out.
        const RECT b = geometry.button;
        BitBlt(dc, b.left, b.top, b.right - b.left, b.bottom - b.top, memory.Get(), b.left - rect.left,
               b.top - rect.top, SRCCOPY);
    }
    LastFrame = frame;
}

} // namespace skin
