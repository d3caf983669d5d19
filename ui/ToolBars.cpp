#include "ui/ToolBars.h"

#include "ui/GdiObjects.h"
#include "ui/Menus.h"

#include <algorithm>

namespace ui {

namespace {
// Command identifiers of buttons, unique in the process.
int NextCommandId()
{
    static int next = 0x7000;
    return ++next;
}
} // namespace

const TEnumInfo& ToolButtonStyleEnum()
{
    static const TEnumInfo info{"TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator"}};
    return info;
}

const TClassInfo& TToolButton::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TToolButton, TComponent>("TToolButton")
        .WStr("Caption", &TToolButton::Caption, &TToolButton::SetCaption)
        .Int("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
        .Enum<TToolButtonStyle>("Style", ToolButtonStyleEnum(), &TToolButton::Style, &TToolButton::SetStyle)
        .Bool("Down", &TToolButton::Down, &TToolButton::SetDown)
        .Bool("Enabled", &TToolButton::Enabled, &TToolButton::SetEnabled)
        .Event("OnClick", &TToolButton::OnClick)
        .Build();
    return info;
}

const TClassInfo& TToolBar::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TToolBar, TWinControl>("TToolBar")
        .Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
        .Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
        .Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton)
        .Build();
    return info;
}

// ---- TToolButton ----

TToolButton::TToolButton(TComponent* owner) : TComponent(owner), id_(NextCommandId()) {}

TToolButton::~TToolButton()
{
    SetDropdownMenu(nullptr);
    SetToolBar(nullptr);
}

void TToolButton::SetToolBar(TToolBar* bar)
{
    if (bar_ == bar)
        return;
    if (bar_)
        bar_->RemoveButton(this);
    bar_ = bar;
    if (bar_)
        bar_->InsertButton(this);
}

int TToolButton::Index() const
{
    if (!bar_)
        return -1;
    const auto& list = bar_->buttons_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TToolButton::SetCaption(const std::wstring& value)
{
    caption_ = value;
    if (bar_)
        bar_->UpdateButton(this);
}

void TToolButton::SetImageIndex(int value)
{
    imageIndex_ = value;
    if (bar_)
        bar_->UpdateButton(this);
}

void TToolButton::SetStyle(TToolButtonStyle value)
{
    if (style_ == value)
        return;
    style_ = value;
    if (bar_)
        bar_->RebuildButtons();
}

bool TToolButton::Down() const
{
    if (bar_ && bar_->HandleAllocated()) {
        // -1: the window does not hold the button (yet).
        const LRESULT state = SendMessageW(bar_->WindowHandle(), TB_GETSTATE, static_cast<WPARAM>(id_), 0);
        if (state != -1)
            return (state & TBSTATE_CHECKED) != 0;
    }
    return down_;
}

void TToolButton::SetDown(bool value)
{
    down_ = value;
    if (bar_ && bar_->HandleAllocated())
        SendMessageW(bar_->WindowHandle(), TB_CHECKBUTTON, static_cast<WPARAM>(id_), MAKELPARAM(value ? TRUE : FALSE, 0));
}

void TToolButton::SetEnabled(bool value)
{
    enabled_ = value;
    if (bar_ && bar_->HandleAllocated())
        SendMessageW(bar_->WindowHandle(), TB_ENABLEBUTTON, static_cast<WPARAM>(id_), MAKELPARAM(value ? TRUE : FALSE, 0));
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) { SetReference(dropdownMenu_, menu); }

TRect TToolButton::BoundsRect() const
{
    TRect r{};
    if (bar_ && bar_->HandleAllocated())
        SendMessageW(bar_->WindowHandle(), TB_GETRECT, static_cast<WPARAM>(id_), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TToolButton::Click()
{
    if (OnClick)
        OnClick(this);
}

void TToolButton::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == dropdownMenu_)
        dropdownMenu_ = nullptr;
}

// ---- TToolBar ----

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner)
{
    width_ = 200;
    height_ = 29;
    color_ = clBtnFace;
    SetAlign(TAlign::alTop);
}

TToolBar::~TToolBar()
{
    // Buttons owned by the bar go after this destructor: they must not call back into it.
    for (TToolButton* button : buttons_)
        button->bar_ = nullptr;
    buttons_.clear();
    SetImages(nullptr);
    DestroyHandle();
}

void TToolBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = TOOLBARCLASSNAMEW;
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (flat_)
        params.Style |= TBSTYLE_FLAT;
}

void TToolBar::CreateHandleDone()
{
    SendMessageW(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TWinControl::CreateHandleDone();
    RebuildButtons();
}

TToolButton* TToolBar::AddButton(const std::wstring& caption, int imageIndex, TToolButtonStyle style)
{
    auto* button = new TToolButton(this);
    button->caption_ = caption;
    button->imageIndex_ = imageIndex;
    button->style_ = style;
    button->SetToolBar(this);
    return button;
}

TToolButton* TToolBar::FindButton(int commandId) const
{
    for (TToolButton* button : buttons_)
        if (button->id_ == commandId)
            return button;
    return nullptr;
}

void TToolBar::InsertButton(TToolButton* button)
{
    if (std::find(buttons_.begin(), buttons_.end(), button) == buttons_.end())
        buttons_.push_back(button);
    RebuildButtons();
}

void TToolBar::RemoveButton(TToolButton* button)
{
    // Its state is kept for a bar it may join later.
    button->down_ = button->Down();
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
    if (!IsDestroying())
        RebuildButtons();
}

void TToolBar::SetFlat(bool value)
{
    if (flat_ == value)
        return;
    flat_ = value;
    if (handle_) {
        // Restyled in place: the window keeps its buttons and whatever listens to it.
        LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
        style = value ? (style | TBSTYLE_FLAT) : (style & ~static_cast<LONG_PTR>(TBSTYLE_FLAT));
        SetWindowLongPtrW(handle_, GWL_STYLE, style);
        Invalidate();
    }
}

void TToolBar::SetShowCaptions(bool value)
{
    if (showCaptions_ == value)
        return;
    showCaptions_ = value;
    RebuildButtons();
}

void TToolBar::SetImages(TImageList* value)
{
    SetReference(images_, value);
    if (handle_) {
        SendMessageW(handle_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
        RebuildButtons();
    }
}

void TToolBar::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        if (handle_ && !IsDestroying())
            SendMessageW(handle_, TB_SETIMAGELIST, 0, 0);
    }
}

void TToolBar::RebuildButtons()
{
    if (!handle_)
        return;
    for (TToolButton* button : buttons_)
        button->down_ = button->Down();
    while (SendMessageW(handle_, TB_BUTTONCOUNT, 0, 0) > 0)
        if (!SendMessageW(handle_, TB_DELETEBUTTON, 0, 0))
            break;
    SendMessageW(handle_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    std::vector<TBBUTTON> list;
    for (TToolButton* button : buttons_) {
        TBBUTTON b{};
        b.idCommand = button->id_;
        b.iBitmap = button->imageIndex_ >= 0 && images_ ? button->imageIndex_ : I_IMAGENONE;
        b.fsState = static_cast<BYTE>((button->enabled_ ? TBSTATE_ENABLED : 0) | (button->down_ ? TBSTATE_CHECKED : 0));
        switch (button->style_) {
        case TToolButtonStyle::tbsCheck: b.fsStyle = BTNS_CHECK; break;
        case TToolButtonStyle::tbsDropDown: b.fsStyle = BTNS_DROPDOWN; break;
        case TToolButtonStyle::tbsSeparator: b.fsStyle = BTNS_SEP; b.iBitmap = 6; break;
        default: b.fsStyle = BTNS_BUTTON; break;
        }
        b.iString = showCaptions_ && button->style_ != TToolButtonStyle::tbsSeparator
                        ? reinterpret_cast<INT_PTR>(button->caption_.c_str())
                        : -1;
        list.push_back(b);
    }
    SendMessageW(handle_, TB_SETMAXTEXTROWS, showCaptions_ ? 1 : 0, 0);
    if (!list.empty())
        SendMessageW(handle_, TB_ADDBUTTONSW, list.size(), reinterpret_cast<LPARAM>(list.data()));
    SendMessageW(handle_, TB_AUTOSIZE, 0, 0);
    AdjustHeight();
    Invalidate();
}

void TToolBar::UpdateButton(TToolButton* button)
{
    if (!handle_)
        return;
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_IMAGE | TBIF_TEXT;
    info.iImage = button->imageIndex_ >= 0 && images_ ? button->imageIndex_ : I_IMAGENONE;
    std::wstring text = showCaptions_ ? button->caption_ : std::wstring();
    info.pszText = text.data();
    SendMessageW(handle_, TB_SETBUTTONINFOW, static_cast<WPARAM>(button->id_), reinterpret_cast<LPARAM>(&info));
    SendMessageW(handle_, TB_AUTOSIZE, 0, 0);
    AdjustHeight();
    Invalidate();
}

void TToolBar::AdjustHeight()
{
    if (!handle_ || (align_ != TAlign::alTop && align_ != TAlign::alBottom))
        return;
    int bottom = 0;
    const int count = static_cast<int>(SendMessageW(handle_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (SendMessageW(handle_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
            bottom = std::max(bottom, static_cast<int>(r.bottom));
    }
    if (bottom > 0 && bottom + 2 != height_)
        SetHeight(bottom + 2);
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& draw)
{
    const DWORD stage = draw.nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (stage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    bool defaultDraw = true;
    TToolButton* button = FindButton(static_cast<int>(draw.nmcd.dwItemSpec));
    canvas_.Font().Assign(font_);
    canvas_.SetHandle(draw.nmcd.hdc);
    struct TUnbind {
        TCanvas& canvas;
        ~TUnbind() { canvas.SetHandle(nullptr); }
    } unbind{canvas_};
    OnCustomDrawButton(this, button, stage, draw.nmcd.uItemState, defaultDraw);
    return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
}

void TToolBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        // The bar's own colour, not the class brush.
        if (HDC dc = reinterpret_cast<HDC>(message.WParam)) {
            RECT r{};
            GetClientRect(handle_, &r);
            TBrushHandle brush(CreateSolidBrush(ColorToRGB(color_)));
            ::FillRect(dc, &r, brush.Get());
            message.Result = 1;
            return;
        }
        break;
    case CN_COMMAND:
        if (TToolButton* button = FindButton(LOWORD(message.WParam))) {
            button->down_ = button->Down();
            button->Click();
            message.Result = 0;
            return;
        }
        break;
    case CN_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(message.LParam);
        if (!header)
            break;
        if (header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
            message.Result = OnCustomDrawButton ? CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(header)) : CDRF_DODEFAULT;
            return;
        }
        if (header->code == static_cast<UINT>(TBN_DROPDOWN)) {
            const auto* info = reinterpret_cast<NMTOOLBARW*>(header);
            TToolButton* button = FindButton(info->iItem);
            message.Result = TBDDRET_DEFAULT;
            if (button && button->dropdownMenu_) {
                RECT r = button->BoundsRect();
                POINT below{r.left, r.bottom};
                ::ClientToScreen(handle_, &below);
                button->dropdownMenu_->Popup(below.x, below.y);
            } else {
                message.Result = TBDDRET_NODEFAULT;
            }
            return;
        }
        break;
    }
    default:
        break;
    }
    TWinControl::WndProc(message);
}

} // namespace ui
