#include "CheckBoxes.h"

#include "Forms.h"

namespace ui {

const TEnumInfo& CheckBoxStateEnum()
{
    static const TEnumInfo info{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};
    return info;
}

const TClassInfo& TCustomCheckBox::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomCheckBox, TButtonControl>("TCustomCheckBox")
        .NotCreatable()
        .WStr("Caption", &TControl::GetText, &TControl::SetText)
        .Enum<TAlignment>("Alignment", AlignmentEnum(), &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment)
        .Bool("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed)
        .Enum<TCheckBoxState>("State", CheckBoxStateEnum(), &TCustomCheckBox::State, &TCustomCheckBox::SetState)
        .Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked)
        .Build();
    return info;
}

const TClassInfo& TCheckBox::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCheckBox, TCustomCheckBox>("TCheckBox").Build();
    return info;
}

const TClassInfo& TRadioButton::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TRadioButton, TButtonControl>("TRadioButton")
        .WStr("Caption", &TControl::GetText, &TControl::SetText)
        .Enum<TAlignment>("Alignment", AlignmentEnum(), &TRadioButton::Alignment, &TRadioButton::SetAlignment)
        .Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
        .Build();
    return info;
}

namespace {
WPARAM CheckOf(TCheckBoxState state)
{
    switch (state) {
    case TCheckBoxState::cbChecked: return BST_CHECKED;
    case TCheckBoxState::cbGrayed: return BST_INDETERMINATE;
    default: return BST_UNCHECKED;
    }
}

// A system BUTTON of a box style; taLeftJustify puts the caption left of the box.
void BoxButtonParams(TCreateParams& params, DWORD style, TAlignment alignment)
{
    params.BaseClassName = L"BUTTON";
    params.Style |= style;
    if (alignment == TAlignment::taLeftJustify)
        params.Style |= BS_LEFTTEXT;
}
} // namespace

// ---- TCustomCheckBox ----

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner)
{
    width_ = 97;
    height_ = 17;
    // It sits on its parent's background.
    parentColor_ = true;
}

TCheckBox::TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}

void TCustomCheckBox::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    BoxButtonParams(params, BS_3STATE, alignment_);
}

void TCustomCheckBox::CreateHandleDone()
{
    SendMessageW(handle_, BM_SETCHECK, CheckOf(state_), 0);
    TButtonControl::CreateHandleDone();
}

void TCustomCheckBox::SetState(TCheckBoxState value)
{
    if (value == state_)
        return;
    state_ = value;
    if (handle_)
        SendMessageW(handle_, BM_SETCHECK, CheckOf(state_), 0);
    if (!IsLoading())
        Click();
}

void TCustomCheckBox::SetAlignment(TAlignment value)
{
    // Only left or right of the box.
    if (value == TAlignment::taCenter)
        value = TAlignment::taRightJustify;
    if (value == alignment_)
        return;
    alignment_ = value;
    RecreateWnd();
}

void TCustomCheckBox::Toggle()
{
    switch (state_) {
    case TCheckBoxState::cbUnchecked:
        SetState(TCheckBoxState::cbChecked);
        break;
    case TCheckBoxState::cbChecked:
        SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
        break;
    case TCheckBoxState::cbGrayed:
        SetState(TCheckBoxState::cbUnchecked);
        break;
    }
}

void TCustomCheckBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED)
            Toggle();
        message.Result = 0;
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<wchar_t>(message.WParam), Caption()) && CanFocus()) {
            SetFocus();
            Toggle();
            message.Result = 1;
        } else {
            message.Result = 0;
        }
        return;
    default:
        break;
    }
    TButtonControl::WndProc(message);
}

// ---- TRadioButton ----

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner)
{
    width_ = 113;
    height_ = 17;
    parentColor_ = true;
}

void TRadioButton::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    BoxButtonParams(params, BS_RADIOBUTTON, alignment_);
}

void TRadioButton::CreateHandleDone()
{
    SendMessageW(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    TButtonControl::CreateHandleDone();
}

void TRadioButton::SetAlignment(TAlignment value)
{
    if (value == TAlignment::taCenter)
        value = TAlignment::taRightJustify;
    if (value == alignment_)
        return;
    alignment_ = value;
    RecreateWnd();
}

std::vector<TRadioButton*> TRadioButton::Siblings() const
{
    std::vector<TRadioButton*> list;
    if (!parent_)
        return list;
    for (int i = 0; i < parent_->ControlCount(); ++i)
        if (auto* r = dynamic_cast<TRadioButton*>(parent_->Controls(i)))
            if (r == this || (r->Visible() && r->Enabled()))
                list.push_back(r);
    return list;
}

void TRadioButton::SetChecked(bool value)
{
    if (value == checked_)
        return;
    checked_ = value;
    if (handle_)
        SendMessageW(handle_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value)
        return;
    if (parent_)
        for (int i = 0; i < parent_->ControlCount(); ++i)
            if (auto* r = dynamic_cast<TRadioButton*>(parent_->Controls(i)); r && r != this)
                r->SetChecked(false);
    if (!IsLoading())
        Click();
}

bool TRadioButton::WantsKey(std::uint16_t key) const
{
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TRadioButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED)
            SetChecked(true);
        message.Result = 0;
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<wchar_t>(message.WParam), Caption()) && CanFocus()) {
            SetFocus();
            SetChecked(true);
            message.Result = 1;
        } else {
            message.Result = 0;
        }
        return;
    case WM_KEYDOWN: {
        const auto key = static_cast<std::uint16_t>(message.WParam);
        if (!WantsKey(key))
            break;
        // Like a radio group of a dialog: the arrows walk the parent's radio buttons, wrapping.
        const std::vector<TRadioButton*> list = Siblings();
        const int count = static_cast<int>(list.size());
        int at = 0;
        while (at < count && list[at] != this)
            ++at;
        if (count > 1 && at < count) {
            const int step = key == VK_LEFT || key == VK_UP ? -1 : 1;
            TRadioButton* next = list[(at + step + count) % count];
            next->SetFocus();
            next->SetChecked(true);
        }
        message.Result = 0;
        return;
    }
    default:
        break;
    }
    TButtonControl::WndProc(message);
}

} // namespace ui
