#include "ui/TabControls.h"

#include "ui/Classes.h"
#include "ui/Forms.h"

#include <algorithm>

namespace ui {

const TEnumInfo& TabPositionEnum()
{
    static const TEnumInfo info{"TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}};
    return info;
}

// ---- class information ----

const TClassInfo& TCustomTabControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomTabControl, TWinControl>("TCustomTabControl")
        .NotCreatable()
        .Int("TabIndex", &TCustomTabControl::TabIndex, &TCustomTabControl::SetTabIndex)
        .Enum<TTabPosition>("TabPosition", TabPositionEnum(), &TCustomTabControl::TabPosition,
                            &TCustomTabControl::SetTabPosition)
        .Bool("MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine)
        .Object<TImageList>("Images", &TCustomTabControl::Images, &TCustomTabControl::SetImages)
        .Event("OnChange", &TCustomTabControl::OnChange)
        .Event("OnChanging", &TCustomTabControl::OnChanging)
        .Build();
    return info;
}

const TClassInfo& TTabControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTabControl, TCustomTabControl>("TTabControl")
        .Object<TStringList>("Tabs", [](TTabControl& c) -> TStringList& { return c.Tabs(); },
                             [](TTabControl& c, TStringList* list) { if (list) c.Tabs().Assign(*list); })
        .Build();
    return info;
}

const TClassInfo& TTabSheet::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTabSheet, TCustomControl>("TTabSheet")
        .WStr("Caption", &TControl::GetText, &TControl::SetText)
        .Int("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex)
        .Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
        .Int("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
        .Build();
    return info;
}

const TClassInfo& TPageControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPageControl, TCustomTabControl>("TPageControl")
        .Object<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
        .Int("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex)
        .Build();
    return info;
}

// ---- TCustomTabControl ----

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner)
{
    width_ = 289;
    height_ = 193;
    tabStop_ = true;
    parentColor_ = true;
}

TCustomTabControl::~TCustomTabControl()
{
    SetReference(images_, static_cast<TImageList*>(nullptr));
}

void TCustomTabControl::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_TAB_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = WC_TABCONTROLW;
    params.Style |= WS_CLIPCHILDREN;
    // Tabs down a side only come in rows.
    if (multiLine_ || tabPosition_ == TTabPosition::tpLeft || tabPosition_ == TTabPosition::tpRight)
        params.Style |= TCS_MULTILINE;
    switch (tabPosition_) {
    case TTabPosition::tpBottom: params.Style |= TCS_BOTTOM; break;
    case TTabPosition::tpLeft: params.Style |= TCS_VERTICAL; break;
    case TTabPosition::tpRight: params.Style |= TCS_VERTICAL | TCS_RIGHT; break;
    default: break;
    }
}

void TCustomTabControl::CreateHandleDone()
{
    const int index = tabIndex_;
    if (images_ && images_->Handle())
        SendMessageW(handle_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    TWinControl::CreateHandleDone();
    RebuildTabs();
    SelectTab(index);
    Realign();
}

void TCustomTabControl::RebuildTabs()
{
    if (!handle_) {
        if (tabIndex_ >= ItemCount())
            tabIndex_ = ItemCount() - 1;
        return;
    }
    const int selected = tabIndex_;
    SendMessageW(handle_, TCM_DELETEALLITEMS, 0, 0);
    const int count = ItemCount();
    for (int i = 0; i < count; ++i) {
        std::wstring caption = ItemCaption(i);
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = caption.data();
        item.iImage = ItemImage(i);
        SendMessageW(handle_, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    SelectTab(std::min(selected, count - 1));
    Realign();
}

void TCustomTabControl::SelectTab(int index)
{
    tabIndex_ = index;
    if (handle_) {
        SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
        // The strip shows the new selection whoever paints it.
        InvalidateRect(handle_, nullptr, FALSE);
    }
}

void TCustomTabControl::Realign()
{
    if (handle_)
        AlignControls();
}

int TCustomTabControl::TabIndex() const
{
    if (handle_)
        return static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
    return tabIndex_;
}

void TCustomTabControl::SetTabIndex(int value)
{
    if (value < -1 || value >= ItemCount())
        value = -1;
    SelectTab(value);
}

int TCustomTabControl::TabCount() const
{
    return handle_ ? static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0)) : ItemCount();
}

void TCustomTabControl::SetTabPosition(TTabPosition value)
{
    if (value == tabPosition_)
        return;
    tabPosition_ = value;
    RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool value)
{
    if (value == multiLine_)
        return;
    multiLine_ = value;
    RecreateWnd();
}

void TCustomTabControl::SetImages(TImageList* value)
{
    if (images_)
        images_->OnChange = nullptr;
    if (!SetReference(images_, value) && !value)
        return;
    if (images_)
        images_->OnChange = [this] { ImagesChanged(); };
    ImagesChanged();
}

void TCustomTabControl::ImagesChanged()
{
    if (!handle_)
        return;
    SendMessageW(handle_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    Realign();
    InvalidateRect(handle_, nullptr, TRUE);
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        if (handle_ && !IsDestroying())
            SendMessageW(handle_, TCM_SETIMAGELIST, 0, 0);
    }
}

TRect TCustomTabControl::DisplayRect() const
{
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    return rect;
}

void TCustomTabControl::AdjustClientRect(TRect& rect) const
{
    if (handle_) {
        RECT r = rect;
        SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        rect = Rect(r.left, r.top, r.right, r.bottom);
        return;
    }
    // Without a window: one row of tabs of the usual height.
    const int strip = ItemCount() > 0 ? 24 : 4;
    switch (tabPosition_) {
    case TTabPosition::tpBottom: rect.bottom -= strip; break;
    case TTabPosition::tpLeft: rect.left += strip; break;
    case TTabPosition::tpRight: rect.right -= strip; break;
    default: rect.top += strip; break;
    }
    InflateRect(reinterpret_cast<RECT*>(&rect), -4, -4);
}

int TCustomTabControl::IndexOfTabAt(int x, int y) const
{
    if (!handle_)
        return -1;
    TCHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    return static_cast<int>(SendMessageW(handle_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

TRect TCustomTabControl::TabRect(int index) const
{
    RECT r{};
    if (handle_ && SendMessageW(handle_, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
        return Rect(r.left, r.top, r.right, r.bottom);
    return Rect(0, 0, 0, 0);
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomTabControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        if (header && header->code == static_cast<UINT>(TCN_SELCHANGING)) {
            // TRUE keeps the current tab.
            message.Result = CanChange() ? FALSE : TRUE;
            return;
        }
        if (header && header->code == static_cast<UINT>(TCN_SELCHANGE)) {
            tabIndex_ = static_cast<int>(CallDefault(TCM_GETCURSEL, 0, 0));
            Change();
            message.Result = 0;
            return;
        }
        break;
    }
    case WM_SIZE:
        TWinControl::WndProc(message);
        Realign();
        return;
    case WM_DESTROY:
        if (handle_)
            tabIndex_ = static_cast<int>(CallDefault(TCM_GETCURSEL, 0, 0));
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// ---- TTabControl ----

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner)
{
    tabs_.OnChange = [this] { RebuildTabs(); };
}

std::wstring TTabControl::ItemCaption(int index) const { return Utf8ToWide(tabs_[index]); }

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner)
{
    align_ = TAlign::alClient;
    visible_ = false;
    parentColor_ = true;
}

TTabSheet::~TTabSheet()
{
    Destroying();
    if (pageControl_)
        pageControl_->RemovePage(this);
}

void TTabSheet::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TTabSheet::Paint()
{
    canvas_.Brush().SetColor(color_);
    canvas_.FillRect(ClientRect());
}

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

void TTabSheet::SetParent(TWinControl* parent)
{
    auto* pages = dynamic_cast<TPageControl*>(parent);
    if (pageControl_ && pageControl_ != pages)
        pageControl_->RemovePage(this);
    TCustomControl::SetParent(parent);
    if (pages && pageControl_ != pages)
        pages->InsertPage(this);
}

void TTabSheet::SetText(const std::wstring& text)
{
    TCustomControl::SetText(text);
    if (pageControl_)
        pageControl_->PagesChanged();
}

void TTabSheet::SetImageIndex(int value)
{
    imageIndex_ = value;
    if (pageControl_)
        pageControl_->PagesChanged();
}

void TTabSheet::SetTabVisible(bool value)
{
    if (value == tabVisible_)
        return;
    tabVisible_ = value;
    if (pageControl_)
        pageControl_->PagesChanged();
}

int TTabSheet::PageIndex() const
{
    if (!pageControl_)
        return -1;
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value)
{
    if (!pageControl_)
        return;
    auto& pages = pageControl_->pages_;
    const int count = static_cast<int>(pages.size());
    value = std::clamp(value, 0, count - 1);
    pages.erase(std::find(pages.begin(), pages.end(), this));
    pages.insert(pages.begin() + value, this);
    pageControl_->PagesChanged();
}

int TTabSheet::TabIndex() const
{
    if (!pageControl_ || !tabVisible_)
        return -1;
    int index = 0;
    for (TTabSheet* page : pageControl_->pages_) {
        if (page == this)
            return index;
        if (page->tabVisible_)
            ++index;
    }
    return -1;
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl()
{
    Destroying();
    // The sheets go with the control's children; none may call back into it.
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page)
{
    page->pageControl_ = this;
    pages_.push_back(page);
    PagesChanged();
    if (!activePage_ && page->tabVisible_)
        SetActivePage(page);
    else
        page->SetVisible(page == activePage_);
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    TTabSheet* next = page == activePage_ ? FindNextPage(page, true) : activePage_;
    pages_.erase(it);
    page->pageControl_ = nullptr;
    if (page == activePage_)
        activePage_ = nullptr;
    if (IsDestroying())
        return;
    PagesChanged();
    SetActivePage(next == page ? nullptr : next);
}

int TPageControl::ItemCount() const
{
    return static_cast<int>(std::count_if(pages_.begin(), pages_.end(), [](TTabSheet* p) { return p->tabVisible_; }));
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const
{
    int index = 0;
    for (TTabSheet* page : pages_) {
        if (!page->tabVisible_)
            continue;
        if (index == tabIndex)
            return page;
        ++index;
    }
    return nullptr;
}

std::wstring TPageControl::ItemCaption(int index) const
{
    TTabSheet* page = PageOfTab(index);
    return page ? page->GetText() : std::wstring();
}

int TPageControl::ItemImage(int index) const
{
    TTabSheet* page = PageOfTab(index);
    return page ? page->imageIndex_ : -1;
}

void TPageControl::PagesChanged()
{
    if (IsDestroying())
        return;
    RebuildTabs();
    if (activePage_ && !activePage_->tabVisible_)
        SetActivePage(FindNextPage(activePage_, true));
    else
        SelectTab(activePage_ ? activePage_->TabIndex() : -1);
}

void TPageControl::CreateHandleDone()
{
    TCustomTabControl::CreateHandleDone();
    ShowActivePage();
}

void TPageControl::Loaded()
{
    TCustomTabControl::Loaded();
    PagesChanged();
    ShowActivePage();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward) const
{
    const int count = PageCount();
    if (count == 0)
        return nullptr;
    auto it = std::find(pages_.begin(), pages_.end(), current);
    int start = it == pages_.end() ? (goForward ? count - 1 : 0) : static_cast<int>(it - pages_.begin());
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        if (pages_[static_cast<size_t>(i)]->tabVisible_)
            return pages_[static_cast<size_t>(i)];
    }
    return nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->pageControl_ != this)
        return;
    if (page && !page->tabVisible_)
        page = nullptr;
    TTabSheet* old = activePage_;
    const bool hadFocus = old && old->HandleAllocated() && old->Focused();
    activePage_ = page;
    SelectTab(page ? page->TabIndex() : -1);
    ShowActivePage();
    // The focus does not stay in a page that is hidden.
    if (hadFocus && old != page && CanFocus())
        SetFocus();
}

void TPageControl::ShowActivePage()
{
    if (activePage_) {
        activePage_->BringToFront();
        activePage_->SetVisible(true);
    }
    for (TTabSheet* page : pages_)
        if (page != activePage_)
            page->SetVisible(false);
    Realign();
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr);
}

void TPageControl::Change()
{
    // The user chose a tab: its page comes up before anyone hears of it.
    TTabSheet* page = PageOfTab(tabIndex_);
    if (page != activePage_)
        SetActivePage(page);
    TCustomTabControl::Change();
}

void TPageControl::SelectNextPage(bool goForward)
{
    TTabSheet* page = FindNextPage(activePage_, goForward);
    if (!page || page == activePage_ || !CanChange())
        return;
    SetActivePage(page);
    TCustomTabControl::Change();
}

bool TPageControl::DoKeyDown(std::uint16_t& key, TShiftState shift)
{
    if (key == VK_TAB && (shift & ssCtrl) && !(shift & ssAlt)) {
        SelectNextPage((shift & ssShift) == 0);
        key = 0;
        return true;
    }
    return TCustomTabControl::DoKeyDown(key, shift);
}

void TPageControl::WndProc(TMessage& message)
{
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages while the focus is anywhere inside.
    if (message.Msg == CM_DIALOGKEY && message.WParam == VK_TAB) {
        const TShiftState shift = static_cast<TShiftState>(message.LParam);
        if ((shift & ssCtrl) && !(shift & ssAlt) && HandleAllocated() && Focused()) {
            SelectNextPage((shift & ssShift) == 0);
            message.Result = 1;
            return;
        }
    }
    TCustomTabControl::WndProc(message);
}

} // namespace ui
