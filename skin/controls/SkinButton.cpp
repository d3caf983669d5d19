// Push buttons: the state-to-frame rules of every button kind, the message filters, and the face
// and caption painting the glyph and speed buttons share.
#include "skin/controls/SkinButton.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

#include <algorithm>
#include <cctype>

namespace skin {

int PushButtonFrame(const TButtonState& state)
{
    if (!state.enabled)
        return bfDisabled;
    if (state.pressed)
        return bfPressed;
    if (state.hot)
        return bfHot;
    if (state.isDefault)
        return bfDefault;
    if (state.focused)
        return bfHot;
    return bfNormal;
}

int BitButtonFrame(const TButtonState& state)
{
    if (!state.enabled)
        return bfDisabled;
    if (state.pressed)
        return bfPressed;
    if (state.hot || state.focused)
        return bfHot;
    if (state.isDefault)
        return bfDefault;
    return bfNormal;
}

int SpeedButtonFrame(const TButtonState& state)
{
    if (state.down)
        return bfPressed;
    if (!state.enabled)
        return bfDisabled;
    if (state.pressed)
        return bfPressed;
    if (state.hot)
        return bfHot;
    return bfNormal;
}

int GlyphStateOfFrame(int frame)
{
    if (frame == bfPressed)
        return 3;
    if (frame == bfDisabled)
        return 2;
    return 1;
}

bool SpeedButtonShowsFace(int frame, bool flat) { return !(flat && frame == bfNormal); }

namespace {

// "||" in a caption asks for a line break.
std::wstring BreakLines(std::wstring text)
{
    for (size_t at = text.find(L"||"); at != std::wstring::npos; at = text.find(L"||", at + 2))
        text.replace(at, 2, L"\r\n");
    return text;
}

} // namespace

TSkinButton::TSkinButton(ui::TComponent* owner) : TSkinControl(owner) {}
TSkinButton::~TSkinButton() = default;

bool TSkinButton::CanDraw() const
{
    return SkinData && SkinData->Buttons && !SkinData->Buttons->Bitmap.Empty();
}

int TSkinBitButton::StripFrames() const
{
    const int frames = SkinData->Buttons->Frame;
    return frames > 0 ? frames : 5;
}

void TSkinButton::QuietDefault(ui::TMessage& message)
{
    // The system button paints itself at once on these, over the skin: it is made invisible to
    // itself meanwhile and the skin repaints afterwards.
    if (quiet_ > 0 || !Handle || !IsWindowVisible(Handle)) {
        CallOldProc(message);
        return;
    }
    struct TRedrawOff {
        TSkinButton* self;
        explicit TRedrawOff(TSkinButton* button) : self(button)
        {
            ++self->quiet_;
            ui::TMessage off{WM_SETREDRAW, FALSE, 0, 0};
            self->CallOldProc(off);
        }
        ~TRedrawOff()
        {
            ui::TMessage on{WM_SETREDRAW, TRUE, 0, 0};
            self->CallOldProc(on);
            --self->quiet_;
        }
    } off(this);
    CallOldProc(message);
}

bool TSkinButton::BeforeMessage(ui::TMessage& message)
{
    // Without the skin's image the platform paints and presses the button.
    if (!CanDraw() || !Handle)
        return TSkinControl::BeforeMessage(message);
    // A button printed into another DC is printed skinned too.
    if (AnswerPaintMessages(message))
        return false;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The system button never sees the press: the click is the skin's.
        if (GetFocus() != Handle)
            SetFocus(Handle);
        SetMouseBit(msPressed, true);
        RedrawSkin(nullptr);
        message.Result = 0;
        return false;
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
        QuietDefault(message);
        AfterMessage(message);
        return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The system button draws its focus mark straight onto the screen: cover it at once.
        CallOldProc(message);
        if (IsWindow(Handle))
            RedrawSkin(nullptr);
        AfterMessage(message);
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinButton::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_KEYDOWN:
        if (message.WParam == VK_SPACE) {
            SetMouseBit(msPressed, true);
            RefreshSkin();
        }
        break;
    case WM_KEYUP:
        // The click on Space is the system button's own.
        if (message.WParam == VK_SPACE) {
            SetMouseBit(msPressed, false);
            RefreshSkin();
        }
        break;
    case WM_KILLFOCUS:
        SetMouseBit(msPressed, false);
        TSkinControl::AfterMessage(message);
        break;
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_UPDATEUISTATE:
        RefreshSkin();
        break;
    case WM_MOUSEMOVE:
        TrackMouseMove();
        break;
    case WM_LBUTTONUP:
        if (Pressed()) {
            SetMouseBit(msPressed, false);
            RefreshSkin();
            // Last: the click may free the button and this object with it.
            Click();
        }
        break;
    case ui::CM_MOUSEENTER:
        if (Enabled)
            MouseEnter();
        break;
    case ui::CM_MOUSELEAVE:
        MouseLeave();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinButton::TrackMouseMove()
{
    if (Hot())
        return;
    MouseEnter();
}

void TSkinButton::MouseEnter()
{
    SetMouseBit(msHot, true);
    if (Form) {
        TSkinControl* previous = Form->HotButton();
        if (previous && previous != this)
            previous->TellMouseLeft();
        if (Form->HotButton() != this)
            Form->SetHotButton(this);
    }
    StateChanged();
}

void TSkinButton::MouseLeave()
{
    // A button disabled while hot still gives the mouse up, or it would stay the hot one.
    const bool wasShown = MouseState != 0;
    SetMouseBit(msHot, false);
    SetMouseBit(msPressed, false);
    if (Form && Form->HotButton() == this)
        Form->SetHotButton(nullptr);
    if (wasShown)
        StateChanged();
}

void TSkinButton::Click()
{
    if (ui::TControl* control = TargetControl()) {
        control->Click();
        return;
    }
    if (Handle) {
        PostMessageW(GetParent(Handle), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle), BN_CLICKED),
                     reinterpret_cast<LPARAM>(Handle));
    }
}

TButtonState TSkinButton::ReadButtonState()
{
    ReadState();
    TButtonState state;
    state.enabled = Enabled;
    state.pressed = Pressed();
    state.hot = Hot();
    state.focused = Focused;
    if (Handle)
        state.isDefault = (GetWindowLongPtrW(Handle, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (!state.isDefault)
        state.isDefault = PropIsTrue(TargetControl(), "Default");
    return state;
}

std::wstring TSkinButton::ReadButtonCaption()
{
    std::wstring caption = skin::GetWideStrProp(TargetControl(), "Caption");
    if (caption.empty() && Handle)
        caption = ReadCaption();
    Caption = caption;
    return caption;
}

HFONT TSkinButton::CaptionFont()
{
    if (auto* font = dynamic_cast<ui::TFont*>(GetObjectPropOf(TargetControl(), "Font", "TFont")))
        return font->Handle();
    if (ui::TControl* control = TargetControl())
        return control->Font().Handle();
    if (Handle)
        if (auto font = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0)))
            return font;
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

COLORREF TSkinButton::CaptionColour(int frame, bool enabled) const
{
    const TDataSkinButton& skin = *SkinData->Buttons;
    if (!enabled)
        return TargetControl() ? ui::ColorToRGB(ui::clBtnShadow) : RGB(0x80, 0x80, 0x80);
    if (frame == bfNormal && skin.HasNormalColour2)
        return ui::ColorToRGB(skin.NormalColour2);
    if (frame == bfHot && skin.HasMouseOverColour2)
        return ui::ColorToRGB(skin.MouseOverColour2);
    if (frame == bfPressed && skin.HasPressedColour2)
        return ui::ColorToRGB(skin.PressedColour2);
    ui::TControl* control = TargetControl();
    if (auto* font = dynamic_cast<ui::TFont*>(GetObjectPropOf(control, "Font", "TFont")))
        return ui::ColorToRGB(font->Color());
    if (control)
        return ui::ColorToRGB(control->Font().Color());
    return ui::ColorToRGB(SkinData->ButtonTextColor);
}

HDC TSkinButton::ComposeFace(const ui::TRect& rect, int frame, bool withFace)
{
    const int width = std::max(1, ui::RectWidth(rect));
    const int height = std::max(1, ui::RectHeight(rect));
    if (FaceBitmap.Width() != width || FaceBitmap.Height() != height)
        FaceBitmap.SetSize(width, height);
    HDC face = FaceBitmap.Canvas().Handle();
    const ui::TRect local = ui::Rect(0, 0, width, height);
    // The strip's key colour shows the face colour behind the button.
    FillBackground(face, local);
    if (withFace)
        DrawSkinObject(face, local, StripFrames(), frame, SkinData->Buttons.get());
    return face;
}

void TSkinButton::DrawCentredCaption(HDC face, const ui::TRect& rect, const std::wstring& caption, UINT format)
{
    if (caption.empty())
        return;
    const std::wstring text = BreakLines(caption);
    ui::TRect measured = rect;
    DrawTextUnicode(face, text, measured, format | DT_CALCRECT | DT_NOCLIP);
    const int width = ui::RectWidth(measured), height = ui::RectHeight(measured);
    ui::TRect at;
    at.left = rect.left + (ui::RectWidth(rect) - width) / 2;
    at.top = rect.top + (ui::RectHeight(rect) - height) / 2 - 1;
    at.right = at.left + width;
    at.bottom = at.top + height;
    DrawTextUnicode(face, text, at, format);
}

void TSkinButton::DrawFocus(HDC face, const ui::TRect& rect) const
{
    RECT r = rect;
    InflateRect(&r, -4, -4);
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    SetTextColor(face, RGB(0, 0, 0));
    SetBkColor(face, RGB(255, 255, 255));
    DrawFocusRect(face, &r);
}

void TSkinButton::DrawSkin(HDC dc, const ui::TRect& rect)
{
    if (!CanDraw())
        return;
    const TButtonState state = ReadButtonState();
    const int frame = PushButtonFrame(state);
    LastFrame = frame;
    const std::wstring caption = ReadButtonCaption();
    HDC face = ComposeFace(rect, frame, true);
    const ui::TRect local = ui::Rect(0, 0, FaceBitmap.Width(), FaceBitmap.Height());
    {
        ui::TSavedDC saved(face);
        SelectObject(face, CaptionFont());
        SetBkMode(face, TRANSPARENT);
        SetTextColor(face, CaptionColour(frame, state.enabled));
        DrawCentredCaption(face, local, caption, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS);
        if (state.focused)
            DrawFocus(face, local);
    }
    BitBlt(dc, rect.left, rect.top, local.right, local.bottom, face, 0, 0, SRCCOPY);
}

// ---- glyph and caption layout ----

TGlyphSide GlyphSideFromName(const std::string& layoutName)
{
    std::string name;
    for (char c : layoutName)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "blglyphright")
        return gsRight;
    if (name == "blglyphtop")
        return gsTop;
    if (name == "blglyphbottom")
        return gsBottom;
    return gsLeft;
}

TGlyphLayout LayoutGlyphAndText(SIZE client, SIZE glyph, SIZE text, TGlyphSide side, int margin, int spacing,
                                bool centred, bool forSpeedButton)
{
    TGlyphLayout layout;
    const bool horizontal = side == gsLeft || side == gsRight;
    if (horizontal) {
        layout.glyphPos.y = (client.cy - glyph.cy + 1) / 2;
        layout.textPos.y = (client.cy - text.cy + 1) / 2;
    } else {
        layout.glyphPos.x = (client.cx - glyph.cx + 1) / 2;
        layout.textPos.x = (client.cx - text.cx + 1) / 2;
    }
    if (text.cx == 0 || glyph.cx == 0)
        spacing = 0;
    const int clientAxis = horizontal ? client.cx : client.cy;
    const int glyphAxis = horizontal ? glyph.cx : glyph.cy;
    const int textAxis = horizontal ? text.cx : text.cy;
    if (margin == -1 || (centred && !forSpeedButton)) {
        if (spacing == -1) {
            margin = (clientAxis - (glyphAxis + textAxis)) / 3;
            spacing = margin;
        } else {
            margin = (clientAxis - (glyphAxis + spacing + textAxis)) / 2 + (forSpeedButton ? 1 : 0);
        }
    } else if (spacing == -1) {
        spacing = (clientAxis - (margin + glyphAxis) - textAxis) / 2;
    }
    const UINT wordBreak = forSpeedButton ? 0u : static_cast<UINT>(DT_WORDBREAK);
    switch (side) {
    case gsLeft:
        layout.glyphPos.x = margin;
        layout.textPos.x = layout.glyphPos.x + glyph.cx + spacing;
        layout.textFormat = wordBreak;
        break;
    case gsRight:
        layout.glyphPos.x = client.cx - margin - glyph.cx;
        layout.textPos.x = layout.glyphPos.x - spacing - text.cx;
        layout.textFormat = wordBreak | DT_RIGHT;
        break;
    case gsTop:
        layout.glyphPos.y = margin;
        layout.textPos.y = layout.glyphPos.y + glyph.cy + spacing;
        layout.textFormat = wordBreak | DT_CENTER;
        break;
    case gsBottom:
        layout.glyphPos.y = client.cy - margin - glyph.cy;
        layout.textPos.y = layout.glyphPos.y - spacing - text.cy;
        layout.textFormat = wordBreak | DT_CENTER;
        break;
    }
    return layout;
}

} // namespace skin
