#include "ui/UpDowns.h"

#include "ui/TypInfo.h"

#include <cstdlib>

namespace ui {

namespace {
const TEnumInfo& OrientationEnum()
{
    static const TEnumInfo info{"TUDOrientation", {"udHorizontal", "udVertical"}};
    return info;
}
} // namespace

const TClassInfo& TUpDown::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TUpDown, TWinControl>("TUpDown")
        .Enum<TUDOrientation>("Orientation", OrientationEnum(), &TUpDown::Orientation, &TUpDown::SetOrientation)
        .Int("Min", &TUpDown::Min, &TUpDown::SetMin)
        .Int("Max", &TUpDown::Max, &TUpDown::SetMax)
        .Int("Position", &TUpDown::Position, &TUpDown::SetPosition)
        .Int("Increment", &TUpDown::Increment, &TUpDown::SetIncrement)
        .Bool("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap)
        .Object<TWinControl>("Associate", &TUpDown::Associate, &TUpDown::SetAssociate)
        .Event("OnClick", &TUpDown::OnClick)
        .Event("OnChanging", &TUpDown::OnChanging)
        .Build();
    return info;
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner)
{
    width_ = 16;
    height_ = 24;
}

TUpDown::~TUpDown() { SetReference(associate_, static_cast<TWinControl*>(nullptr)); }

void TUpDown::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_UPDOWN_CLASS);
    TWinControl::CreateParams(params);
    params.BaseClassName = UPDOWN_CLASSW;
    params.Style |= UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
    if (associate_)
        params.Style |= UDS_ALIGNRIGHT;
    if (orientation_ == TUDOrientation::udHorizontal)
        params.Style |= UDS_HORZ;
    if (wrap_)
        params.Style |= UDS_WRAP;
}

void TUpDown::CreateHandleDone()
{
    TWinControl::CreateHandleDone();
    SendRange();
    UDACCEL accel{0, static_cast<UINT>(increment_ > 0 ? increment_ : 1)};
    SendMessageW(handle_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    SendBuddy();
    // The position after the buddy: with one, setting it also writes the buddy's text.
    SendMessageW(handle_, UDM_SETPOS32, 0, position_);
}

void TUpDown::SendRange()
{
    if (handle_)
        SendMessageW(handle_, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TUpDown::SendBuddy()
{
    if (!handle_)
        return;
    HWND buddy = associate_ ? associate_->Handle() : nullptr;
    SendMessageW(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
}

void TUpDown::SetOrientation(TUDOrientation value)
{
    if (value == orientation_)
        return;
    position_ = Position();
    orientation_ = value;
    RecreateWnd();
}

void TUpDown::SetMin(int value)
{
    min_ = value;
    SendRange();
}

void TUpDown::SetMax(int value)
{
    max_ = value;
    SendRange();
}

int TUpDown::Position() const
{
    if (!handle_)
        return position_;
    // The error flag only says the buddy's text was not a number (some systems raise it without a
    // buddy): the control's own value is right either way.
    BOOL failed = FALSE;
    return static_cast<int>(SendMessageW(handle_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
}

void TUpDown::SetPosition(int value)
{
    position_ = value;
    if (handle_)
        SendMessageW(handle_, UDM_SETPOS32, 0, value);
}

void TUpDown::SetIncrement(int value)
{
    increment_ = value;
    if (handle_) {
        UDACCEL accel{0, static_cast<UINT>(value > 0 ? value : 1)};
        SendMessageW(handle_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void TUpDown::SetWrap(bool value)
{
    wrap_ = value;
    position_ = Position();
    RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* value)
{
    if (value == this || !SetReference(associate_, value))
        return;
    position_ = Position();
    // The alignment style is fixed at creation.
    if (handle_)
        RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == associate_) {
        associate_ = nullptr;
        if (handle_ && !IsDestroying())
            SendMessageW(handle_, UDM_SETBUDDY, 0, 0);
    }
}

void TUpDown::Click(TUDBtnType button)
{
    if (OnClick)
        OnClick(this, button);
}

void TUpDown::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        if (header && header->code == UDN_DELTAPOS) {
            bool allow = true;
            if (OnChanging)
                OnChanging(this, allow);
            message.Result = allow ? 0 : 1;
            return;
        }
        break;
    }
    case CN_HSCROLL:
    case CN_VSCROLL:
        if (LOWORD(message.WParam) == SB_THUMBPOSITION) {
            const int now = Position();
            if (now != position_) {
                // A wrap past the end counts as a step in the direction pressed.
                const bool up = wrap_ && (now == min_ || now == max_) && std::abs(now - position_) > increment_
                                    ? now < position_ : now > position_;
                position_ = now;
                Click(up ? TUDBtnType::btNext : TUDBtnType::btPrev);
            }
        }
        message.Result = 0;
        return;
    case WM_DESTROY:
        position_ = Position();
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

} // namespace ui
