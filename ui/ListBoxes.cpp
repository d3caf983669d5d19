#include "ui/ListBoxes.h"

namespace ui {

const TClassInfo& TCustomListBox::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomListBox, TWinControl>("TCustomListBox")
        .NotCreatable()
        .Object<TStringList>("Items", [](TCustomListBox& l) -> TStringList& { return l.Items(); },
                             [](TCustomListBox& l, TStringList* list) { if (list) l.Items().Assign(*list); })
        .Int("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex)
        .Int("TopIndex", &TCustomListBox::TopIndex, &TCustomListBox::SetTopIndex)
        .Bool("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect)
        .Bool("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted)
        .Int("ScrollWidth", &TCustomListBox::ScrollWidth, &TCustomListBox::SetScrollWidth)
        .Event("OnDblClick", &TCustomListBox::OnDblClick)
        .Build();
    return info;
}

const TClassInfo& TListBox::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TListBox, TCustomListBox>("TListBox").Build();
    return info;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner)
{
    width_ = 121;
    height_ = 97;
    tabStop_ = true;
    parentColor_ = false;
    color_ = clWindow;
    items_.OnChange = [this] { FillWindowList(); };
}

TCustomListBox::~TCustomListBox()
{
    items_.OnChange = nullptr;
    DestroyHandle();
}

TListBox::TListBox(TComponent* owner) : TCustomListBox(owner) {}

void TCustomListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClassName = L"LISTBOX";
    params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    if (multiSelect_)
        params.Style |= LBS_EXTENDEDSEL;
    if (sorted_)
        params.Style |= LBS_SORT;
    if (scrollWidth_ > 0)
        params.Style |= WS_HSCROLL;
    if (ctl3D_)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        params.Style |= WS_BORDER;
}

void TCustomListBox::CreateHandleDone()
{
    FillWindowList();
    if (scrollWidth_ > 0)
        SendMessageW(handle_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(scrollWidth_), 0);
    if (itemIndex_ >= 0 && !multiSelect_)
        SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    if (topIndex_ > 0)
        SendMessageW(handle_, LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_), 0);
    TWinControl::CreateHandleDone();
}

void TCustomListBox::DestroyWnd()
{
    if (handle_) {
        itemIndex_ = ItemIndex();
        topIndex_ = TopIndex();
    }
    TWinControl::DestroyWnd();
}

void TCustomListBox::FillWindowList()
{
    if (!handle_)
        return;
    SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(handle_, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.Count(); ++i) {
        const std::wstring item = Utf8ToWide(items_[i]);
        SendMessageW(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
}

int TCustomListBox::ItemIndex() const
{
    if (!handle_)
        return itemIndex_;
    if (multiSelect_)
        return static_cast<int>(SendMessageW(handle_, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= items_.Count())
        index = -1;
    itemIndex_ = index;
    if (!handle_)
        return;
    if (multiSelect_)
        SendMessageW(handle_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    else
        SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TCustomListBox::TopIndex() const
{
    return handle_ ? static_cast<int>(SendMessageW(handle_, LB_GETTOPINDEX, 0, 0)) : topIndex_;
}

void TCustomListBox::SetTopIndex(int index)
{
    topIndex_ = index < 0 ? 0 : index;
    if (handle_)
        SendMessageW(handle_, LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_), 0);
}

void TCustomListBox::SetMultiSelect(bool value)
{
    if (value == multiSelect_)
        return;
    multiSelect_ = value;
    if (handle_)
        RecreateWnd();
}

void TCustomListBox::SetSorted(bool value)
{
    if (value == sorted_)
        return;
    sorted_ = value;
    if (handle_)
        RecreateWnd();
}

void TCustomListBox::SetScrollWidth(int value)
{
    value = value < 0 ? 0 : value;
    const bool styleChanges = (value > 0) != (scrollWidth_ > 0);
    scrollWidth_ = value;
    if (!handle_)
        return;
    if (styleChanges)
        RecreateWnd();
    else
        SendMessageW(handle_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(scrollWidth_), 0);
}

int TCustomListBox::ItemHeight() const
{
    return handle_ ? static_cast<int>(SendMessageW(handle_, LB_GETITEMHEIGHT, 0, 0)) : 13;
}

bool TCustomListBox::Selected(int index) const
{
    if (!handle_)
        return index == itemIndex_;
    return SendMessageW(handle_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool value)
{
    if (!handle_)
        return;
    if (multiSelect_)
        SendMessageW(handle_, LB_SETSEL, value ? TRUE : FALSE, index);
    else
        SetItemIndex(value ? index : -1);
}

int TCustomListBox::SelCount() const
{
    if (!handle_ || !multiSelect_)
        return -1;
    return static_cast<int>(SendMessageW(handle_, LB_GETSELCOUNT, 0, 0));
}

bool TCustomListBox::WantsKey(std::uint16_t key) const
{
    return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_PRIOR || key == VK_NEXT ||
           key == VK_HOME || key == VK_END;
}

void TCustomListBox::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND) {
        switch (HIWORD(message.WParam)) {
        case LBN_SELCHANGE:
            itemIndex_ = ItemIndex();
            Click();
            break;
        case LBN_DBLCLK:
            if (OnDblClick)
                OnDblClick(this);
            break;
        default:
            break;
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

} // namespace ui
