#include "ui/ListViews.h"

#include "ui/Classes.h"

namespace ui {

const TEnumInfo& ViewStyleEnum()
{
    static const TEnumInfo info{"TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}};
    return info;
}

const TClassInfo& TCustomListView::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomListView, TWinControl>("TCustomListView")
        .NotCreatable()
        .Enum<TViewStyle>("ViewStyle", ViewStyleEnum(), &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle)
        .Bool("RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect)
        .Bool("GridLines", &TCustomListView::GridLines, &TCustomListView::SetGridLines)
        .Bool("ReadOnly", &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly)
        .Object<TImageList>("SmallImages", &TCustomListView::SmallImages, &TCustomListView::SetSmallImages)
        .Event("OnChange", &TCustomListView::OnChange)
        .Build();
    return info;
}

const TClassInfo& TListView::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TListView, TCustomListView>("TListView").Build();
    return info;
}

// ---- columns and items ----

void TListColumn::SetCaption(const std::wstring& value)
{
    caption_ = value;
    owner_->PutColumn(*this, false);
}

void TListColumn::SetWidth(int value)
{
    width_ = value;
    owner_->PutColumn(*this, false);
}

void TListItem::SetCaption(const std::wstring& value)
{
    caption_ = value;
    owner_->PutItem(*this, false);
}

void TListItem::SetImageIndex(int value)
{
    imageIndex_ = value;
    owner_->PutItem(*this, false);
}

void TListItem::AddSubItem(const std::wstring& text)
{
    subItems_.push_back(text);
    owner_->PutItem(*this, false);
}

void TListItem::SetSubItem(int index, const std::wstring& text)
{
    if (index < 0)
        return;
    if (static_cast<size_t>(index) >= subItems_.size())
        subItems_.resize(static_cast<size_t>(index) + 1);
    subItems_[static_cast<size_t>(index)] = text;
    owner_->PutItem(*this, false);
}

bool TListItem::Selected() const
{
    HWND window = owner_->WindowHandle();
    return window && (SendMessageW(window, LVM_GETITEMSTATE, static_cast<WPARAM>(index_), LVIS_SELECTED) & LVIS_SELECTED);
}

void TListItem::SetSelected(bool value)
{
    HWND window = owner_->WindowHandle();
    if (!window)
        return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = value ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(&item));
}

// ---- TCustomListView ----

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner)
{
    width_ = 250;
    height_ = 150;
    tabStop_ = true;
    color_ = clWindow;
    parentColor_ = false;
}

TCustomListView::~TCustomListView()
{
    SetReference(smallImages_, static_cast<TImageList*>(nullptr));
}

TListView::TListView(TComponent* owner) : TCustomListView(owner) {}

void TCustomListView::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_LISTVIEW_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = WC_LISTVIEWW;
    params.ExStyle |= WS_EX_CLIENTEDGE;
    params.Style |= LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
    if (!readOnly_)
        params.Style |= LVS_EDITLABELS;
    switch (viewStyle_) {
    case TViewStyle::vsSmallIcon: params.Style |= LVS_SMALLICON; break;
    case TViewStyle::vsList: params.Style |= LVS_LIST; break;
    case TViewStyle::vsReport: params.Style |= LVS_REPORT; break;
    default: params.Style |= LVS_ICON; break;
    }
}

void TCustomListView::CreateHandleDone()
{
    TWinControl::CreateHandleDone();
    ApplyExtendedStyle();
    if (smallImages_)
        SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_->Handle()));
    SendMessageW(handle_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(color_)));
    SendMessageW(handle_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(color_)));
    for (const auto& column : columns_)
        PutColumn(*column, true);
    for (const auto& item : items_)
        PutItem(*item, true);
}

void TCustomListView::ApplyExtendedStyle()
{
    if (!handle_)
        return;
    const DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    DWORD style = 0;
    if (rowSelect_)
        style |= LVS_EX_FULLROWSELECT;
    if (gridLines_)
        style |= LVS_EX_GRIDLINES;
    SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style);
}

void TCustomListView::SetViewStyle(TViewStyle value)
{
    if (value == viewStyle_)
        return;
    viewStyle_ = value;
    RecreateWnd();
}

void TCustomListView::SetRowSelect(bool value)
{
    rowSelect_ = value;
    ApplyExtendedStyle();
}

void TCustomListView::SetGridLines(bool value)
{
    gridLines_ = value;
    ApplyExtendedStyle();
}

void TCustomListView::SetReadOnly(bool value)
{
    if (value == readOnly_)
        return;
    readOnly_ = value;
    RecreateWnd();
}

void TCustomListView::SetSmallImages(TImageList* value)
{
    SetReference(smallImages_, value);
    if (handle_)
        SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(value ? value->Handle() : nullptr));
}

void TCustomListView::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == smallImages_) {
        smallImages_ = nullptr;
        if (handle_ && !IsDestroying())
            SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    }
}

TListColumn* TCustomListView::AddColumn(const std::wstring& caption, int width)
{
    columns_.push_back(std::make_unique<TListColumn>(this, ColumnCount()));
    TListColumn* column = columns_.back().get();
    column->caption_ = caption;
    column->width_ = width;
    PutColumn(*column, true);
    return column;
}

TListItem* TCustomListView::AddItem(const std::wstring& caption, const std::vector<std::wstring>& subItems)
{
    items_.push_back(std::make_unique<TListItem>(this, ItemCount()));
    TListItem* item = items_.back().get();
    item->caption_ = caption;
    item->subItems_ = subItems;
    PutItem(*item, true);
    return item;
}

void TCustomListView::ClearItems()
{
    items_.clear();
    if (handle_)
        SendMessageW(handle_, LVM_DELETEALLITEMS, 0, 0);
}

TListItem* TCustomListView::Selected() const
{
    if (!handle_)
        return nullptr;
    const int index = static_cast<int>(SendMessageW(handle_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return index >= 0 && index < ItemCount() ? Item(index) : nullptr;
}

HWND TCustomListView::HeaderHandle() const
{
    return handle_ ? reinterpret_cast<HWND>(SendMessageW(handle_, LVM_GETHEADER, 0, 0)) : nullptr;
}

void TCustomListView::PutColumn(const TListColumn& column, bool insert)
{
    if (!handle_)
        return;
    std::wstring caption = column.caption_;
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    c.pszText = caption.data();
    c.cx = column.width_;
    c.iSubItem = column.index_;
    SendMessageW(handle_, insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, static_cast<WPARAM>(column.index_),
                 reinterpret_cast<LPARAM>(&c));
}

void TCustomListView::PutItem(const TListItem& item, bool insert)
{
    if (!handle_)
        return;
    std::wstring caption = item.caption_;
    LVITEMW it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE;
    it.iItem = item.index_;
    it.pszText = caption.data();
    it.iImage = item.imageIndex_;
    SendMessageW(handle_, insert ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    for (size_t i = 0; i < item.subItems_.size(); ++i) {
        std::wstring text = item.subItems_[i];
        LVITEMW sub{};
        sub.mask = LVIF_TEXT;
        sub.iItem = item.index_;
        sub.iSubItem = static_cast<int>(i) + 1;
        sub.pszText = text.data();
        SendMessageW(handle_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&sub));
    }
}

void TCustomListView::WndProc(TMessage& message)
{
    if (message.Msg == CN_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        if (header && header->code == static_cast<UINT>(LVN_ITEMCHANGED)) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(message.LParam);
            if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) && OnChange)
                OnChange(this);
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

} // namespace ui
