// The control base: hooking a control's messages, the message filters, and the paint entry.
#include "skin/controls/WinSubClass.h"

#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

namespace skin {

// The link put in a framework control's WindowProc. It outlives the object when someone installed
// a WindowProc after ours: the link then passes every message straight on.
struct TSkinControl::TProcLink {
    TSkinControl* skin = nullptr;
    ui::TWndMethod previous;
};

struct TSkinControl::TLinkCall {
    std::shared_ptr<TProcLink> link;
    void operator()(ui::TMessage& message) const
    {
        const std::shared_ptr<TProcLink> keep = link;   // the call may replace the WindowProc
        if (keep->skin)
            keep->skin->SkinWndProc(message);
        else if (keep->previous)
            keep->previous(message);
    }
};

TSkinControl::TSkinControl(ui::TComponent* owner) : ui::TComponent(owner) {}

TSkinControl::~TSkinControl()
{
    UnhookControl();
    UnhookWindow();
    if (Form)
        Form->UnregisterControl(this);
}

void TSkinControl::HookControl(ui::TControl* control)
{
    if (!control || link_)
        return;
    link_ = std::make_shared<TProcLink>();
    link_->skin = this;
    link_->previous = control->WindowProc;
    control->WindowProc = TLinkCall{link_};
    hooked_ = control;
}

void TSkinControl::UnhookControl()
{
    if (!link_)
        return;
    link_->skin = nullptr;
    // A control on its way out keeps its WindowProc: it is never called again.
    if (hooked_ && !hooked_->IsDestroying()) {
        const TLinkCall* ours = hooked_->WindowProc.target<TLinkCall>();
        if (ours && ours->link == link_)
            hooked_->WindowProc = link_->previous;
    }
    link_.reset();
    hooked_ = nullptr;
}

void TSkinControl::HookWindow(HWND window)
{
    subclass_.Install(window, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        ui::TMessage message{msg, wParam, lParam, 0};
        SkinWndProc(message);
        return message.Result;
    });
}

void TSkinControl::UnhookWindow() { subclass_.Remove(); }

bool TSkinControl::Hooked() const { return link_ != nullptr || subclass_.Installed(); }

void TSkinControl::ReadState()
{
    if (!Handle)
        return;
    Focused = GetFocus() == Handle;
    Enabled = (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_DISABLED) == 0;
}

std::wstring TSkinControl::ReadCaption() const
{
    if (!Handle)
        return GraphicControl ? GraphicControl->Caption() : std::wstring();
    const int length = GetWindowTextLengthW(Handle);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Handle, text.data(), length + 1)));
    return text;
}

void TSkinControl::AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas)
{
    auto* control = dynamic_cast<ui::TWinControl*>(Owner());
    if (Attached || !control)
        return;
    UseSkinColor = useSkinColor;
    SkinData = skinData;
    Form = form;
    Canvas = canvas;
    Control = control;
    Handle = control->Handle();
    HookControl(control);
    control->SetDoubleBuffered(true);
    if (Form)
        Form->RegisterControl(this);
    ReadState();
    Caption = ReadCaption();
    if (UseSkinColor && SkinData) {
        SavedColor = control->Color();
        control->SetColor(SkinData->ButtonFaceColor);
    }
    control->Invalidate();
    Attached = true;
    Status = ssAttached;
}

bool TSkinControl::Bind(ui::TWinControl* control, HWND handle, TSkinData* skinData, TSkinHost* form,
                        ui::TCanvas* canvas)
{
    Control = control;
    Handle = handle;
    SkinData = skinData;
    Form = form;
    Canvas = canvas;
    if (!Handle)
        return false;
    if (Form)
        Form->RegisterControl(this);
    return true;
}

void TSkinControl::AttachWindow(HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas)
{
    // A second attach would put the object in front of itself.
    if (Attached || !IsWindow(handle))
        return;
    // A kind that binds its framework control first keeps it.
    Bind(Control, handle, skinData, form, canvas);
    Enabled = true;
    Caption = ReadCaption();
    HookWindow(handle);
    InvalidateRect(handle, nullptr, TRUE);
    Attached = true;
    Status = ssAttached;
}

void TSkinControl::Unskin()
{
    if (UseSkinColor && Control && !Control->IsDestroying()) {
        Control->SetColor(SavedColor);
        UseSkinColor = false;
    }
}

void TSkinControl::SkinChanged()
{
    if (UseSkinColor && Control && SkinData)
        Control->SetColor(SkinData->ButtonFaceColor);
    if (Handle)
        InvalidateRect(Handle, nullptr, TRUE);
    else if (GraphicControl)
        GraphicControl->Invalidate();
}

void TSkinControl::SkinWndProc(ui::TMessage& message)
{
    // The end of the window is always seen, skin painting on or off: afterwards nothing may
    // touch the handle again.
    if (message.Msg == WM_NCDESTROY) {
        CallOldProc(message);
        Status = ssDestroyed;
        Unskin();
        return;
    }
    if (!Active) {
        if (message.Msg == WM_SKINACTIVE) {
            Active = message.WParam > 0;
            if (Active)
                RefreshSkin();
            return;
        }
        CallOldProc(message);
        return;
    }
    if (BeforeMessage(message)) {
        CallOldProc(message);
        AfterMessage(message);
    }
}

void TSkinControl::CallOldProc(ui::TMessage& message)
{
    if (link_ && link_->previous)
        link_->previous(message);
    else if (subclass_.Installed())
        message.Result = subclass_.CallPrevious(message.Msg, message.WParam, message.LParam);
    else if (Handle && IsWindow(Handle))
        message.Result = DefWindowProcW(Handle, message.Msg, message.WParam, message.LParam);
}

bool TSkinControl::BeforeMessage(ui::TMessage& message)
{
    (void)message;
    return true;
}

void TSkinControl::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case ui::CM_ENABLEDCHANGED:
        RefreshSkin();
        break;
    case WM_SETTEXT:
        // Read back what the control stored: the message's text may be in either character set.
        Caption = ReadCaption();
        RefreshSkin();
        break;
    case WM_PAINT:
        // A buffered control's paint arrives once, with its memory DC.
        RedrawSkin(reinterpret_cast<HDC>(message.WParam));
        break;
    case WM_SKINACTIVE:
        Active = message.WParam > 0;
        break;
    default:
        break;
    }
}

void TSkinControl::RedrawSkin(HDC dc)
{
    if (!Handle || !GetWindowRect(Handle, &WindowRect))
        return;
    const ui::TRect rect = ui::Rect(0, 0, WindowRect.right - WindowRect.left, WindowRect.bottom - WindowRect.top);
    try {
        if (dc) {
            DrawSkin(dc, rect);
        } else {
            ui::TWindowDC window(Handle);
            if (window.Get())
                DrawSkin(window.Get(), rect);
        }
    } catch (...) {
        // A paint never breaks the control's message handling.
    }
}

void TSkinControl::DrawSkin(HDC dc, const ui::TRect& rect)
{
    (void)dc;
    (void)rect;
}

void TSkinControl::HandlePaint(ui::TMessage& message)
{
    message.Result = 0;
    if (HDC given = reinterpret_cast<HDC>(message.WParam)) {
        RedrawSkin(given);
        return;
    }
    ui::TPaintDC paint(Handle);
    if (paint.Get())
        RedrawSkin(paint.Get());
}

bool TSkinControl::AnswerPaintMessages(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1;
        return true;
    case WM_PAINT:
        HandlePaint(message);
        return true;
    case WM_PRINTCLIENT:
        if (message.WParam)
            RedrawSkin(reinterpret_cast<HDC>(message.WParam));
        message.Result = 0;
        return true;
    default:
        return false;
    }
}

void TSkinControl::PaintBuffered(ui::TMessage& message)
{
    message.Result = 0;
    ui::TPaintDC paint(Handle);
    HDC dc = paint.Get();
    if (!dc)
        return;
    RECT client{}, window{};
    GetClientRect(Handle, &client);
    GetWindowRect(Handle, &window);
    const int w = client.right, h = client.bottom;
    // A border of the window's own puts the client and window origins apart: no buffer then.
    const bool sameOrigin = w == window.right - window.left && h == window.bottom - window.top;
    ui::TMemoryDC memory(dc);
    ui::TBitmapHandle bitmap(sameOrigin && memory.Get() && w > 0 && h > 0 ? CreateCompatibleBitmap(dc, w, h) : nullptr);
    if (!bitmap) {
        ui::TMessage own{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
        CallOldProc(own);
        RedrawSkin(nullptr);
        return;
    }
    ui::TSelectObject select(memory.Get(), bitmap.Get());
    const ui::TRect rect = ui::Rect(0, 0, w, h);
    StartBuffer(memory.Get(), dc, rect);
    ui::TMessage own{WM_PAINT, reinterpret_cast<WPARAM>(memory.Get()), 0, 0};
    CallOldProc(own);
    WindowRect = window;
    try {
        DrawSkin(memory.Get(), rect);
    } catch (...) {
        // The window's own picture still goes out.
    }
    ui::TSavedDC saved(dc);
    const RECT keep = BufferKeepOut();
    if (!IsRectEmpty(&keep))
        ExcludeClipRect(dc, keep.left, keep.top, keep.right, keep.bottom);
    BitBlt(dc, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
}

void TSkinControl::StartBuffer(HDC buffer, HDC screen, const ui::TRect& rect)
{
    (void)screen;
    FillParentBackground(buffer, rect);
}

void TSkinControl::TellMouseLeft()
{
    if (Handle)
        SendMessageW(Handle, ui::CM_MOUSELEAVE, 0, 0);
    else if (GraphicControl)
        GraphicControl->Perform(ui::CM_MOUSELEAVE);
}

void TSkinControl::RefreshSkin()
{
    if (Control && Control->HandleAllocated()) {
        Control->Invalidate();
    } else if (GraphicControl) {
        GraphicControl->Invalidate();
    } else if (Handle) {
        InvalidateRect(Handle, nullptr, TRUE);
        UpdateWindow(Handle);
    }
}

void TSkinControl::FillBackground(HDC dc, const ui::TRect& rect) const
{
    const ui::TColor colour = SkinData ? SkinData->ButtonFaceColor : ui::SystemColor(COLOR_BTNFACE);
    ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(colour)));
    const RECT r = rect;
    FillRect(dc, &r, brush.Get());
}

void TSkinControl::FillParentBackground(HDC dc, const ui::TRect& rect) const
{
    ui::TControl* control = TargetControl();
    ui::TColor colour = SkinData ? SkinData->ButtonFaceColor : ui::SystemColor(COLOR_BTNFACE);
    if (control && control->Parent())
        colour = control->Parent()->Color();
    ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(colour)));
    const RECT r = rect;
    FillRect(dc, &r, brush.Get());
}

} // namespace skin
