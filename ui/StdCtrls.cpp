#include "StdCtrls.h"

#include "Forms.h"

#include <algorithm>

namespace ui {

const TEnumInfo& TextLayoutEnum()
{
    static const TEnumInfo info{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}};
    return info;
}

const TEnumInfo& ComboBoxStyleEnum()
{
    static const TEnumInfo info{"TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};
    return info;
}

namespace {
const TEnumInfo& EditCharCaseEnum()
{
    static const TEnumInfo info{"TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}};
    return info;
}
} // namespace

// ---- class information ----

const TClassInfo& TCustomLabel::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomLabel, TGraphicControl>("TCustomLabel")
        .NotCreatable()
        .WStr("Caption", &TControl::GetText, &TControl::SetText)
        .Enum<TAlignment>("Alignment", AlignmentEnum(), &TCustomLabel::Alignment, &TCustomLabel::SetAlignment)
        .Bool("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize)
        .Bool("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent)
        .Enum<TTextLayout>("Layout", TextLayoutEnum(), &TCustomLabel::Layout, &TCustomLabel::SetLayout)
        .Bool("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap)
        .Build();
    return info;
}

const TClassInfo& TLabel::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TLabel, TCustomLabel>("TLabel").Build();
    return info;
}

const TClassInfo& TCustomEdit::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomEdit, TWinControl>("TCustomEdit")
        .NotCreatable()
        .WStr("Text", &TControl::GetText, &TControl::SetText)
        .Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength)
        .Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly)
        .Enum<TEditCharCase>("CharCase", EditCharCaseEnum(), &TCustomEdit::CharCase, &TCustomEdit::SetCharCase)
        .Enum<TBorderStyle>("BorderStyle", BorderStyleEnum(), &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle)
        .Bool("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize)
        .Event("OnChange", &TCustomEdit::OnChange)
        .Build();
    return info;
}

const TClassInfo& TEdit::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TEdit, TCustomEdit>("TEdit").Build();
    return info;
}

const TClassInfo& TCustomComboBox::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomComboBox, TWinControl>("TCustomComboBox")
        .NotCreatable()
        .Enum<TComboBoxStyle>("Style", ComboBoxStyleEnum(), &TCustomComboBox::Style, &TCustomComboBox::SetStyle)
        .Object<TStringList>("Items", [](TCustomComboBox& c) -> TStringList& { return c.Items(); },
                             [](TCustomComboBox& c, TStringList* list) { if (list) c.Items().Assign(*list); })
        .Int("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex)
        .Int("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight)
        .Int("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount)
        .Int("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength)
        .Bool("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted)
        .WStr("Text", &TControl::GetText, &TControl::SetText)
        .Event("OnChange", &TCustomComboBox::OnChange)
        .Event("OnSelect", &TCustomComboBox::OnSelect)
        .Event("OnDropDown", &TCustomComboBox::OnDropDown)
        .Build();
    return info;
}

const TClassInfo& TComboBox::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TComboBox, TCustomComboBox>("TComboBox").Build();
    return info;
}

const TClassInfo& TButtonControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TButtonControl, TWinControl>("TButtonControl").NotCreatable().Build();
    return info;
}

const TClassInfo& TButton::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TButton, TButtonControl>("TButton")
        .WStr("Caption", &TControl::GetText, &TControl::SetText)
        .Bool("Default", &TButton::Default, &TButton::SetDefault)
        .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel)
        .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
        .Build();
    return info;
}

// ---- TCustomLabel ----

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    width_ = 65;
    height_ = 17;
}

TLabel::TLabel(TComponent* owner) : TCustomLabel(owner) {}

void TCustomLabel::SetAutoSize(bool value)
{
    autoSize_ = value;
    AdjustBounds();
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::TextChanged() { AdjustBounds(); }

void TCustomLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

UINT TCustomLabel::TextFormat() const
{
    UINT format = DT_EXPANDTABS;
    switch (alignment_) {
    case TAlignment::taLeftJustify: format |= DT_LEFT; break;
    case TAlignment::taRightJustify: format |= DT_RIGHT; break;
    case TAlignment::taCenter: format |= DT_CENTER; break;
    }
    if (wordWrap_)
        format |= DT_WORDBREAK;
    return format;
}

void TCustomLabel::AdjustBounds()
{
    if (!autoSize_ || IsLoading())
        return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_.Handle());
    const std::wstring text = text_.empty() ? std::wstring(L" ") : text_;
    RECT r{0, 0, wordWrap_ ? width_ : 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFormat() | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int left = left_;
    if (!wordWrap_ && alignment_ == TAlignment::taRightJustify)
        left = left_ + width_ - r.right;
    SetBounds(left, top_, r.right, r.bottom);
}

void TCustomLabel::Paint()
{
    // The font first: replacing it while it is selected into the DC would leak the old one.
    canvas_.Font().Assign(font_);
    TRect r = ClientRect();
    if (!transparent_) {
        canvas_.Brush().SetColor(color_);
        canvas_.FillRect(r);
    }
    canvas_.Brush().SetStyle(TBrushStyle::Clear);
    UINT format = TextFormat();
    if (layout_ != TTextLayout::tlTop) {
        TRect calc = r;
        canvas_.DrawText(text_, calc, format | DT_CALCRECT);
        const int offset = RectHeight(r) - RectHeight(calc);
        r.top += layout_ == TTextLayout::tlBottom ? offset : offset / 2;
    }
    if (!enabled_) {
        TRect shifted = r;
        OffsetRect(&shifted, 1, 1);
        canvas_.Font().SetColor(clBtnHighlight);
        canvas_.DrawText(text_, shifted, format);
        canvas_.Font().SetColor(clBtnShadow);
    }
    canvas_.DrawText(text_, r, format);
    canvas_.Brush().SetStyle(TBrushStyle::Solid);
}

void TCustomLabel::WndProc(TMessage& message) { TGraphicControl::WndProc(message); }

// ---- TCustomEdit ----

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    width_ = 121;
    height_ = 21;
    tabStop_ = true;
    parentColor_ = false;
    color_ = clWindow;
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClassName = L"EDIT";
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (readOnly_)
        params.Style |= ES_READONLY;
    if (charCase_ == TEditCharCase::ecUpperCase)
        params.Style |= ES_UPPERCASE;
    else if (charCase_ == TEditCharCase::ecLowerCase)
        params.Style |= ES_LOWERCASE;
    if (borderStyle_ == TBorderStyle::bsSingle) {
        if (ctl3D_)
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
}

void TCustomEdit::SetMaxLength(int value)
{
    maxLength_ = value < 0 ? 0 : value;
    if (handle_)
        SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool value)
{
    readOnly_ = value;
    if (handle_)
        SendMessageW(handle_, EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SelectAll()
{
    if (handle_)
        SendMessageW(handle_, EM_SETSEL, 0, -1);
}

int TCustomEdit::SelStart() const
{
    DWORD start = 0, end = 0;
    if (handle_)
        SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value)
{
    if (handle_)
        SendMessageW(handle_, EM_SETSEL, value, value);
}

int TCustomEdit::SelLength() const
{
    DWORD start = 0, end = 0;
    if (handle_)
        SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value)
{
    if (handle_) {
        const int start = SelStart();
        SendMessageW(handle_, EM_SETSEL, start, start + value);
    }
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == EN_CHANGE)
            Change();
        message.Result = 0;
        return;
    }
    if (message.Msg == WM_NCDESTROY || message.Msg == WM_DESTROY)
        text_ = GetText();
    TWinControl::WndProc(message);
    if (message.Msg == WM_CREATE && maxLength_ > 0)
        CallDefault(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

// ---- TCustomComboBox ----

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner)
{
    width_ = 145;
    height_ = 21;
    tabStop_ = true;
    parentColor_ = false;
    color_ = clWindow;
    items_.OnChange = [this] { FillWindowList(); };
}

TCustomComboBox::~TCustomComboBox()
{
    items_.OnChange = nullptr;
    DestroyHandle();
}

TComboBox::TComboBox(TComponent* owner) : TCustomComboBox(owner) {}

void TCustomComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClassName = L"COMBOBOX";
    params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
    switch (style_) {
    case TComboBoxStyle::csSimple: params.Style |= CBS_SIMPLE; break;
    case TComboBoxStyle::csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
    default: params.Style |= CBS_DROPDOWN; break;
    }
    if (sorted_)
        params.Style |= CBS_SORT;
}

int TCustomComboBox::WindowHeight() const
{
    // The window's height includes the dropped-down list.
    if (style_ == TComboBoxStyle::csSimple)
        return height_;
    return height_ + itemHeight_ * std::max(1, dropDownCount_) + 2;
}

void TCustomComboBox::CreateHandleDone()
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (style_ != TComboBoxStyle::csDropDownList && GetComboBoxInfo(handle_, &info) && info.hwndItem
        && info.hwndItem != handle_) {
        editHandle_ = info.hwndItem;
        SetPropW(editHandle_, L"ui.ComboBox", this);
        editDefProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(editHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomComboBox::EditWndProc)));
    }
    const std::wstring text = text_;
    FillWindowList();
    if (maxLength_ > 0)
        SendMessageW(handle_, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (itemIndex_ >= 0)
        SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    else if (!text.empty())
        SendMessageW(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    TWinControl::CreateHandleDone();
}

void TCustomComboBox::DestroyWnd()
{
    if (editHandle_) {
        if (IsWindow(editHandle_)) {
            SetWindowLongPtrW(editHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editDefProc_));
            RemovePropW(editHandle_, L"ui.ComboBox");
        }
        editHandle_ = nullptr;
    }
    if (handle_) {
        text_ = GetText();
        itemIndex_ = ItemIndex();
    }
    TWinControl::DestroyWnd();
}

LRESULT CALLBACK TCustomComboBox::EditWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* combo = static_cast<TCustomComboBox*>(GetPropW(window, L"ui.ComboBox"));
    if (!combo)
        return DefWindowProcW(window, msg, wParam, lParam);
    WNDPROC previous = combo->editDefProc_;
    if (msg == WM_SETFOCUS) {
        try {
            if (TCustomForm* form = GetParentForm(combo))
                form->FocusChanged(combo);
        } catch (const std::exception& e) {
            Application.HandleException(&e);
        } catch (...) {
            Application.HandleException(nullptr);
        }
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(window, L"ui.ComboBox");
        combo->editHandle_ = nullptr;
    }
    return CallWindowProcW(previous, window, msg, wParam, lParam);
}

void TCustomComboBox::FillWindowList()
{
    if (!handle_)
        return;
    const std::wstring text = GetText();
    SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.Count(); ++i) {
        const std::wstring item = Utf8ToWide(items_[i]);
        SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    if (style_ != TComboBoxStyle::csDropDownList && !text.empty())
        SendMessageW(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TCustomComboBox::ItemIndex() const
{
    if (handle_)
        return static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
    return itemIndex_;
}

void TCustomComboBox::SetItemIndex(int index)
{
    if (index < -1 || index >= items_.Count())
        index = -1;
    itemIndex_ = index;
    if (handle_) {
        SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        if (index < 0 && style_ != TComboBoxStyle::csDropDownList)
            SendMessageW(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    } else {
        text_ = index >= 0 ? Utf8ToWide(items_[index]) : std::wstring();
    }
}

void TCustomComboBox::SetItemHeight(int value)
{
    itemHeight_ = value > 0 ? value : 13;
    RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int value)
{
    maxLength_ = value < 0 ? 0 : value;
    if (handle_)
        SendMessageW(handle_, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

bool TCustomComboBox::DroppedDown() const
{
    return handle_ && SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value)
{
    if (handle_)
        SendMessageW(handle_, CB_SHOWDROPDOWN, value ? TRUE : FALSE, 0);
}

void TCustomComboBox::SelectAll()
{
    if (handle_)
        SendMessageW(handle_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void TCustomComboBox::Clear()
{
    items_.Clear();
    SetItemIndex(-1);
    SetText(L"");
}

std::wstring TCustomComboBox::GetText() const { return TWinControl::GetText(); }

void TCustomComboBox::SetText(const std::wstring& text)
{
    if (style_ == TComboBoxStyle::csDropDownList) {
        int found = -1;
        for (int i = 0; i < items_.Count(); ++i)
            if (Utf8ToWide(items_[i]) == text)
                found = i;
        SetItemIndex(found);
        return;
    }
    TWinControl::SetText(text);
}

bool TCustomComboBox::WantsKey(std::uint16_t key) const
{
    if (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT)
        return true;
    if (key == VK_RETURN || key == VK_ESCAPE)
        return DroppedDown();
    return false;
}

void TCustomComboBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        switch (HIWORD(message.WParam)) {
        case CBN_SELCHANGE: {
            itemIndex_ = ItemIndex();
            // The edit shows the new item only after this notification; put it there now so that
            // handlers read the chosen text.
            if (itemIndex_ >= 0 && itemIndex_ < items_.Count() && style_ != TComboBoxStyle::csDropDownList) {
                const std::wstring item = Utf8ToWide(items_[itemIndex_]);
                SendMessageW(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(item.c_str()));
            }
            if (OnSelect)
                OnSelect(this);
            if (OnChange)
                OnChange(this);
            break;
        }
        case CBN_EDITCHANGE:
            if (OnChange)
                OnChange(this);
            break;
        case CBN_DROPDOWN:
            if (OnDropDown)
                OnDropDown(this);
            break;
        default:
            break;
        }
        message.Result = 0;
        return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        // The inner edit and list take the combo box's colours.
        if (!FindControl(reinterpret_cast<HWND>(message.LParam))) {
            HDC dc = reinterpret_cast<HDC>(message.WParam);
            SetTextColor(dc, ColorToRGB(font_.Color()));
            SetBkColor(dc, ColorToRGB(color_));
            message.Result = reinterpret_cast<LRESULT>(ColorBrush());
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// ---- TButtonControl / TButton ----

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner)
{
    tabStop_ = true;
    parentColor_ = false;
    color_ = clBtnFace;
}

bool TButtonControl::WantsKey(std::uint16_t) const { return false; }

void TButtonControl::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGCHAR) {
        if (IsAccel(static_cast<wchar_t>(message.WParam), Caption()) && CanFocus()) {
            Click();
            message.Result = 1;
        } else {
            message.Result = 0;
        }
        return;
    }
    TWinControl::WndProc(message);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner)
{
    width_ = 75;
    height_ = 25;
}

void TButton::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    params.BaseClassName = L"BUTTON";
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value)
{
    default_ = value;
    if (handle_)
        SendMessageW(handle_, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this); form && modalResult_ != mrNone)
        form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == BN_CLICKED)
            Click();
        message.Result = 0;
        return;
    }
    TButtonControl::WndProc(message);
}

} // namespace ui
