#include "Menus.h"

#include "Forms.h"
#include "GdiObjects.h"
#include "ImgList.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace ui {

namespace {

constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);

// ---- command identifiers and live items ----

// Every live item by its command; WM_COMMAND carries only the low word, so identifiers stay below
// the system commands (0xF000) and are reused once their item is gone.
std::unordered_map<UINT, TMenuItem*>& CommandMap()
{
    static std::unordered_map<UINT, TMenuItem*> map;
    return map;
}

std::unordered_set<const TMenuItem*>& LiveItems()
{
    static std::unordered_set<const TMenuItem*> items;
    return items;
}

constexpr UINT FirstCommand = 100;
constexpr UINT LastCommand = 0xEFFF;

UINT NewCommand(TMenuItem* item)
{
    static UINT next = FirstCommand;
    auto& map = CommandMap();
    for (UINT tries = 0; tries <= LastCommand; ++tries) {
        const UINT id = next;
        next = next >= LastCommand ? FirstCommand : next + 1;
        if (map.emplace(id, item).second)
            return id;
    }
    throw Exception("Too many menu items");
}

// ---- platform menus ----

// Takes every entry out without destroying the popups attached to them (each item owns its own).
void ClearPlatformMenu(HMENU menu)
{
    while (GetMenuItemCount(menu) > 0)
        if (!RemoveMenu(menu, 0, MF_BYPOSITION))
            break;
}

void DestroyPlatformMenu(HMENU menu)
{
    ClearPlatformMenu(menu);
    DestroyMenu(menu);
}

void InsertPlatformItem(HMENU menu, UINT position, TMenuItem* item, bool ownerDraw, bool rightToLeft, bool bar)
{
    // The text is kept even when owner-drawn: turning owner drawing off gives it back, and
    // whoever draws the item can read it.
    std::wstring text = item->PlatformText();
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA;
    info.fType = item->IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (ownerDraw)
        info.fType |= MFT_OWNERDRAW;
    if (item->RadioItem())
        info.fType |= MFT_RADIOCHECK;
    if (rightToLeft)
        info.fType |= MFT_RIGHTORDER | (bar ? MFT_RIGHTJUSTIFY : 0);
    if (item->Checked())
        info.fState |= MFS_CHECKED;
    if (!item->Enabled())
        info.fState |= MFS_GRAYED;
    if (item->Default())
        info.fState |= MFS_DEFAULT;
    info.wID = item->Command();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (item->Count() > 0) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = item->Handle();
    }
    InsertMenuItemW(menu, position, TRUE, &info);
}

void FillWith(HMENU menu, const std::vector<TMenuItem*>& items, bool ownerDraw, bool rightToLeft, bool bar)
{
    ClearPlatformMenu(menu);
    UINT position = 0;
    for (TMenuItem* item : items)
        if (item->Visible())
            InsertPlatformItem(menu, position++, item, ownerDraw && !bar, rightToLeft, bar);
}

std::vector<TMenuItem*> ChildrenOf(const TMenuItem* item)
{
    std::vector<TMenuItem*> list;
    for (int i = 0; i < item->Count(); ++i)
        list.push_back(item->Items(i));
    return list;
}

// ---- shortcut names ----

struct KeyName {
    std::uint16_t key;
    const wchar_t* name;
};

constexpr KeyName KeyNames[] = {
    {VK_BACK, L"BkSp"}, {VK_TAB, L"Tab"}, {VK_ESCAPE, L"Esc"}, {VK_RETURN, L"Enter"}, {VK_SPACE, L"Space"},
    {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"}, {VK_END, L"End"}, {VK_HOME, L"Home"}, {VK_LEFT, L"Left"},
    {VK_UP, L"Up"}, {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"}, {VK_INSERT, L"Ins"}, {VK_DELETE, L"Del"},
};

std::wstring KeyText(std::uint16_t key)
{
    for (const KeyName& k : KeyNames)
        if (k.key == key)
            return k.name;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::wstring(1, static_cast<wchar_t>(key));
    if (key >= VK_F1 && key <= VK_F24)
        return L"F" + std::to_wstring(key - VK_F1 + 1);
    // Punctuation keys: the character the key types.
    const UINT ch = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0x7FFF;
    return ch ? std::wstring(1, static_cast<wchar_t>(ch)) : std::wstring();
}

std::uint16_t KeyOfText(const std::wstring& text)
{
    if (text.empty())
        return 0;
    for (const KeyName& k : KeyNames)
        if (lstrcmpiW(k.name, text.c_str()) == 0)
            return k.key;
    if (text.size() == 1) {
        const wchar_t ch = static_cast<wchar_t>(towupper(text[0]));
        if ((ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9'))
            return ch;
        const SHORT scan = VkKeyScanW(text[0]);
        return scan == -1 ? 0 : static_cast<std::uint16_t>(scan & 0xFF);
    }
    if (towupper(text[0]) == L'F') {
        int n = 0;
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (text[i] < L'0' || text[i] > L'9')
                return 0;
            n = n * 10 + (text[i] - L'0');
        }
        if (n >= 1 && n <= 24)
            return static_cast<std::uint16_t>(VK_F1 + n - 1);
    }
    return 0;
}

std::wstring StripHotkey(const std::wstring& caption)
{
    std::wstring text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size())
            ++i;
        else if (caption[i] == L'&')
            continue;
        text += caption[i];
    }
    return text;
}

// ---- popup menus ----

std::vector<TPopupMenu*>& PopupMenus()
{
    static std::vector<TPopupMenu*> menus;
    return menus;
}

LRESULT CALLBACK PopupListProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    try {
        const std::vector<TMenu*> menus(PopupMenus().begin(), PopupMenus().end());
        if (DispatchMenuMessage(message, menus))
            return message.Result;
    } catch (const std::exception& e) {
        Application.HandleException(&e);
        return 0;
    } catch (...) {
        Application.HandleException(nullptr);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

// ---- owner-drawn items ----

// The item a WM_MEASUREITEM / WM_DRAWITEM is about: its data when that is a live item of one of
// the menus, else the item with its identifier.
TMenuItem* MenuItemOf(ULONG_PTR data, UINT id, const std::vector<TMenu*>& menus)
{
    auto* candidate = reinterpret_cast<TMenuItem*>(data);
    if (candidate && LiveItems().count(candidate)) {
        TMenu* owner = candidate->GetParentMenu();
        for (TMenu* menu : menus) {
            if (!menu)
                continue;
            auto* main = dynamic_cast<TMainMenu*>(menu);
            if (owner == menu || (main && main->Merged() && owner == main->Merged()))
                return candidate;
        }
    }
    for (TMenu* menu : menus)
        if (menu)
            if (TMenuItem* item = menu->FindItem(id, TFindItemKind::fkCommand))
                return item;
    return nullptr;
}

void MeasurePlatformItem(TMenuItem& item, MEASUREITEMSTRUCT& measure)
{
    // No DC comes with the message: measure on one compatible with the screen.
    TMemoryDC dc(nullptr);
    TBorrowedCanvas canvas(dc.Get(), &Screen.MenuFont());
    int width = static_cast<int>(measure.itemWidth);
    int height = static_cast<int>(measure.itemHeight);
    item.MeasureItem(canvas.Canvas(), width, height);
    measure.itemWidth = static_cast<UINT>(std::max(0, width));
    measure.itemHeight = static_cast<UINT>(std::max(0, height));
}

void DrawPlatformItem(TMenuItem& item, const DRAWITEMSTRUCT& draw)
{
    const TRect r = draw.rcItem;
    const int w = RectWidth(r), h = RectHeight(r);
    if (w <= 0 || h <= 0)
        return;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    TMemoryDC memory(draw.hDC);
    TBitmapHandle bitmap(memory.Get() ? CreateCompatibleBitmap(draw.hDC, w, h) : nullptr);
    if (!bitmap) {
        TSavedDC saved(draw.hDC);
        TBorrowedCanvas canvas(draw.hDC, &Screen.MenuFont());
        item.DrawItem(canvas.Canvas(), r, selected);
        return;
    }
    // Composed off-screen in the item's own coordinates, then copied once.
    TSelectObject select(memory.Get(), bitmap.Get());
    SetViewportOrgEx(memory.Get(), -r.left, -r.top, nullptr);
    FillRect(memory.Get(), &r, GetSysColorBrush(COLOR_MENU));
    {
        TBorrowedCanvas canvas(memory.Get(), &Screen.MenuFont());
        item.DrawItem(canvas.Canvas(), r, selected);
    }
    SetViewportOrgEx(memory.Get(), 0, 0, nullptr);
    BitBlt(draw.hDC, r.left, r.top, w, h, memory.Get(), 0, 0, SRCCOPY);
}

int GlyphSpace(const TMenuItem& item)
{
    const TImageList* images = item.GetImageList();
    return (images ? std::max(images->Width(), GetSystemMetrics(SM_CXMENUCHECK)) : GetSystemMetrics(SM_CXMENUCHECK)) + 6;
}

} // namespace

// ---- shortcuts ----

TShortCut ShortCut(std::uint16_t key, TShiftState shift)
{
    if (key == 0 || key > 0xFF)
        return 0;
    TShortCut result = key;
    if (shift & ssShift)
        result |= scShift;
    if (shift & ssCtrl)
        result |= scCtrl;
    if (shift & ssAlt)
        result |= scAlt;
    return result;
}

std::wstring ShortCutToText(TShortCut shortCut)
{
    const std::wstring key = KeyText(static_cast<std::uint16_t>(shortCut & 0xFF));
    if (key.empty())
        return std::wstring();
    std::wstring text;
    if (shortCut & scCtrl)
        text += L"Ctrl+";
    if (shortCut & scAlt)
        text += L"Alt+";
    if (shortCut & scShift)
        text += L"Shift+";
    return text + key;
}

TShortCut TextToShortCut(const std::wstring& text)
{
    TShortCut modifiers = 0;
    std::size_t start = 0;
    while (true) {
        // A lone "+" names the plus key, so a separator needs something after it.
        const std::size_t plus = text.find(L'+', start);
        if (plus == std::wstring::npos || plus + 1 >= text.size())
            break;
        const std::wstring part = text.substr(start, plus - start);
        if (lstrcmpiW(part.c_str(), L"Ctrl") == 0)
            modifiers |= scCtrl;
        else if (lstrcmpiW(part.c_str(), L"Shift") == 0)
            modifiers |= scShift;
        else if (lstrcmpiW(part.c_str(), L"Alt") == 0)
            modifiers |= scAlt;
        else
            return 0;
        start = plus + 1;
    }
    const std::uint16_t key = KeyOfText(text.substr(start));
    return key ? static_cast<TShortCut>(key | modifiers) : 0;
}

// ---- class information ----

const TClassInfo& TMenuItem::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TMenuItem, TComponent>("TMenuItem")
        .WStr("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
        .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
        .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
        .Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
        .Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
        .Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
        .Int("ShortCut", &TMenuItem::ShortCut, [](TMenuItem& item, int value) { item.SetShortCut(static_cast<TShortCut>(value)); })
        .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
        .Event("OnClick", &TMenuItem::OnClick)
        .Event("OnDrawItem", &TMenuItem::OnDrawItem)
        .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
        .Build();
    return info;
}

const TClassInfo& TMenu::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TMenu, TComponent>("TMenu")
        .NotCreatable()
        .Object<TMenuItem>("Items", &TMenu::Items)
        .Object<TImageList>("Images", &TMenu::Images, &TMenu::SetImages)
        .Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
        .Build();
    return info;
}

const TClassInfo& TMainMenu::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TMainMenu, TMenu>("TMainMenu")
        .Bool("AutoMerge", &TMainMenu::AutoMerge, &TMainMenu::SetAutoMerge)
        .Build();
    return info;
}

const TClassInfo& TPopupMenu::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPopupMenu, TMenu>("TPopupMenu")
        .Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
        .Event("OnPopup", &TPopupMenu::OnPopup)
        .Build();
    return info;
}

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner)
{
    command_ = NewCommand(this);
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem()
{
    Destroying();
    if (parent_)
        parent_->Remove(this);
    // Sub-items go without rebuilding anything: this item's popup goes with them.
    std::vector<TMenuItem*> children;
    children.swap(items_);
    for (TMenuItem* child : children) {
        child->parent_ = nullptr;
        delete child;
    }
    ReleaseHandles();
    CommandMap().erase(command_);
    LiveItems().erase(this);
}

void TMenuItem::ReleaseHandles()
{
    if (handle_)
        DestroyPlatformMenu(handle_);
    handle_ = nullptr;
}

void TMenuItem::SetCaption(const std::wstring& value)
{
    if (caption_ == value)
        return;
    caption_ = value;
    Changed(true);
}

void TMenuItem::SetVisible(bool value)
{
    if (visible_ == value)
        return;
    visible_ = value;
    Changed(true);
}

void TMenuItem::SetEnabled(bool value)
{
    if (enabled_ == value)
        return;
    enabled_ = value;
    Changed(true);
}

void TMenuItem::SetChecked(bool value)
{
    if (checked_ == value)
        return;
    checked_ = value;
    if (value && radioItem_ && parent_)
        for (TMenuItem* sibling : parent_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
                sibling->checked_ = false;
    Changed(true);
}

void TMenuItem::SetDefault(bool value)
{
    if (default_ == value)
        return;
    default_ = value;
    Changed(true);
}

void TMenuItem::SetRadioItem(bool value)
{
    if (radioItem_ == value)
        return;
    radioItem_ = value;
    if (value && checked_) {
        // Re-check through the group rule so that only this one stays checked.
        checked_ = false;
        SetChecked(true);
        return;
    }
    Changed(true);
}

void TMenuItem::SetGroupIndex(int value)
{
    if (groupIndex_ == value)
        return;
    groupIndex_ = value;
    // Top-level items of a main menu merge by group index.
    Changed(true);
}

void TMenuItem::SetImageIndex(int value)
{
    if (imageIndex_ == value)
        return;
    imageIndex_ = value;
    Changed(true);
}

void TMenuItem::SetShortCut(TShortCut value)
{
    if (shortCut_ == value)
        return;
    shortCut_ = value;
    Changed(true);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this)
        return;
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item)
            throw EComponentError("A menu item cannot hold itself");
    if (item->parent_)
        item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    StructureChanged();
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
    StructureChanged();
}

void TMenuItem::Clear()
{
    std::vector<TMenuItem*> children;
    children.swap(items_);
    for (TMenuItem* child : children)
        child->parent_ = nullptr;
    // Detached from the platform menus first, so their popups can go.
    StructureChanged();
    for (TMenuItem* child : children)
        delete child;
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* item = this;
    while (item->parent_)
        item = item->parent_;
    return item->menu_;
}

TImageList* TMenuItem::GetImageList() const
{
    TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

HMENU TMenuItem::Handle()
{
    if (menu_)
        return menu_->Handle();
    if (items_.empty())
        return nullptr;
    if (!handle_) {
        handle_ = CreatePopupMenu();
        if (!handle_)
            throw Exception("Cannot create a menu");
        RefillHandle();
    }
    return handle_;
}

void TMenuItem::RefillHandle()
{
    if (!handle_ || menu_)
        return;
    const TMenu* menu = GetParentMenu();
    FillPlatformMenu(handle_, menu && menu->OwnerDraw(), false);
}

void TMenuItem::FillPlatformMenu(HMENU menu, bool ownerDraw, bool topLevel)
{
    const TMenu* owner = GetParentMenu();
    FillWith(menu, items_, ownerDraw, owner && owner->IsRightToLeft(), topLevel);
}

void TMenuItem::Changed(bool rebuild)
{
    if (IsDestroying() || !parent_)
        return;
    if (rebuild) {
        if (parent_->menu_)
            parent_->menu_->RefillRoot();
        else
            parent_->RefillHandle();
    }
    if (TMenu* menu = GetParentMenu())
        menu->MenuChanged();
}

void TMenuItem::StructureChanged()
{
    if (IsDestroying())
        return;
    if (menu_) {
        menu_->RefillRoot();
        menu_->MenuChanged();
        return;
    }
    RefillHandle();
    // Gaining or losing its first sub-item changes how the parent shows this item.
    Changed(true);
}

std::wstring TMenuItem::PlatformText() const
{
    if (!shortCut_)
        return caption_;
    return caption_ + L"\t" + ShortCutToText(shortCut_);
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height)
{
    if (IsLine()) {
        width = 0;
        height = 8;
    } else {
        const SIZE text = canvas.TextExtent(StripHotkey(caption_));
        int w = text.cx + 2 * GlyphSpace(*this);
        if (shortCut_)
            w += 2 * text.cy + canvas.TextExtent(ShortCutToText(shortCut_)).cx;
        int h = std::max(GetSystemMetrics(SM_CYMENU), static_cast<int>(text.cy) + 4);
        if (const TImageList* images = GetImageList())
            h = std::max(h, images->Height() + 4);
        width = w;
        height = h;
    }
    if (OnMeasureItem)
        OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, TRect rect, bool selected)
{
    if (OnDrawItem) {
        OnDrawItem(this, canvas, rect, selected);
        return;
    }
    HDC dc = canvas.Handle();
    canvas.Brush().SetStyle(TBrushStyle::Solid);
    canvas.Brush().SetColor(selected && !IsLine() ? clHighlight : clMenu);
    canvas.FillRect(rect);
    if (IsLine()) {
        TRect line = rect;
        line.top = (rect.top + rect.bottom) / 2 - 1;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const TColor textColor = !enabled_ ? clGrayText : selected ? clHighlightText : clMenuText;
    const int glyph = GlyphSpace(*this);
    const TImageList* images = GetImageList();
    const int cx = rect.left + glyph / 2, cy = (rect.top + rect.bottom) / 2;
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        const int x = cx - images->Width() / 2, y = cy - images->Height() / 2;
        images->Draw(dc, x, y, imageIndex_, enabled_);
        if (checked_) {
            canvas.Brush().SetColor(textColor);
            canvas.FrameRect(Rect(x - 2, y - 2, x + images->Width() + 2, y + images->Height() + 2));
        }
    } else if (checked_) {
        canvas.Pen().SetColor(textColor);
        canvas.Pen().SetWidth(1);
        canvas.Brush().SetColor(textColor);
        if (radioItem_) {
            canvas.Prepare();
            Ellipse(dc, cx - 3, cy - 3, cx + 4, cy + 4);
        } else {
            // A tick, three pixels thick.
            for (int i = 0; i < 3; ++i) {
                canvas.MoveTo(cx - 4, cy - 1 + i);
                canvas.LineTo(cx - 1, cy + 2 + i);
                canvas.LineTo(cx + 5, cy - 4 + i);
            }
        }
    }
    TRect text = Rect(rect.left + glyph, rect.top, rect.right - glyph, rect.bottom);
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    canvas.Font().SetColor(textColor);
    canvas.DrawText(caption_, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (shortCut_) {
        text = Rect(rect.left + glyph, rect.top, rect.right - glyph, rect.bottom);
        canvas.DrawText(ShortCutToText(shortCut_), text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (!parent_)
        return nullptr;
    if (parent_->menu_)
        return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else
        throw EComponentError("Menu item " + Name() + " needs a menu or a menu item as its parent");
}

// ---- TMenu ----

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr))
{
    items_->menu_ = this;
}

TMenu::~TMenu()
{
    Destroying();
    if (images_)
        images_->RemoveFreeNotification(this);
    // The platform menu goes first, emptied, so it takes none of the items' popups with it.
    if (handle_)
        DestroyPlatformMenu(handle_);
    handle_ = nullptr;
    delete items_;
}

HMENU TMenu::CreateMenuHandle() { return CreatePopupMenu(); }

void TMenu::FillRoot(HMENU menu) { items_->FillPlatformMenu(menu, ownerDraw_, false); }

HMENU TMenu::Handle()
{
    if (!handle_) {
        handle_ = CreateMenuHandle();
        if (!handle_)
            throw Exception("Cannot create a menu");
        FillRoot(handle_);
    }
    return handle_;
}

void TMenu::RefillRoot()
{
    if (handle_ && !IsDestroying())
        FillRoot(handle_);
}

void TMenu::RefillTree(TMenuItem* item)
{
    for (TMenuItem* child : item->items_) {
        RefillTree(child);
        child->RefillHandle();
    }
}

void TMenu::RebuildHandle()
{
    if (IsDestroying())
        return;
    RefillTree(items_);
    RefillRoot();
    MenuChanged();
}

void TMenu::SetImages(TImageList* value)
{
    if (SetReference(images_, value))
        RebuildHandle();
}

void TMenu::SetOwnerDraw(bool value)
{
    if (ownerDraw_ == value)
        return;
    ownerDraw_ = value;
    RebuildHandle();
}

void TMenu::SetRightToLeft(bool value)
{
    if (rightToLeft_ == value)
        return;
    rightToLeft_ = value;
    RebuildHandle();
}

TMenuItem* TMenu::FindIn(TMenuItem* item, UINT_PTR value, TFindItemKind kind)
{
    for (TMenuItem* child : item->items_) {
        bool match = false;
        switch (kind) {
        case TFindItemKind::fkCommand: match = child->command_ == value; break;
        case TFindItemKind::fkHandle: match = child->handle_ && reinterpret_cast<UINT_PTR>(child->handle_) == value; break;
        case TFindItemKind::fkShortCut: match = child->shortCut_ && child->shortCut_ == value; break;
        }
        if (match)
            return child;
        if (TMenuItem* found = FindIn(child, value, kind))
            return found;
    }
    return nullptr;
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const
{
    if (kind == TFindItemKind::fkHandle && handle_ && reinterpret_cast<UINT_PTR>(handle_) == value)
        return items_;
    if (TMenuItem* found = FindIn(items_, value, kind))
        return found;
    if (auto* main = dynamic_cast<const TMainMenu*>(this); main && main->Merged())
        return main->Merged()->FindItem(value, kind);
    return nullptr;
}

bool TMenu::DispatchCommand(UINT command)
{
    TMenuItem* item = FindItem(command, TFindItemKind::fkCommand);
    if (!item)
        return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU menu)
{
    return menu && FindItem(reinterpret_cast<UINT_PTR>(menu), TFindItemKind::fkHandle) != nullptr;
}

TMenuItem* TMenu::FindShortCut(TMenuItem* item, TShortCut shortCut)
{
    // Items under a disabled item cannot be reached.
    if (!item->enabled_)
        return nullptr;
    if (item->shortCut_ == shortCut && item->visible_ && !item->menu_)
        return item;
    for (TMenuItem* child : item->items_)
        if (TMenuItem* found = FindShortCut(child, shortCut))
            return found;
    return nullptr;
}

bool TMenu::IsShortCut(std::uint16_t key, TShiftState shift)
{
    const TShortCut shortCut = ui::ShortCut(key, shift);
    if (!shortCut)
        return false;
    // A main menu answers for what its bar shows (merged items in place of replaced ones).
    const auto* main = dynamic_cast<const TMainMenu*>(this);
    for (TMenuItem* top : main ? main->BarItems() : ChildrenOf(items_)) {
        if (TMenuItem* found = FindShortCut(top, shortCut)) {
            found->Click();
            return true;
        }
    }
    return false;
}

void TMenu::MenuChanged() {}

void TMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        RebuildHandle();
    }
}

// ---- TMainMenu ----

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu()
{
    Destroying();
    if (merged_) {
        merged_->mergedInto_ = nullptr;
        merged_ = nullptr;
    }
    // The menu showing these items in its bar lets them go before their popups are destroyed.
    if (mergedInto_)
        mergedInto_->Merge(nullptr);
    // A window destroys its menu with it: this one must not be.
    if (window_ && handle_ && IsWindow(window_) && GetMenu(window_) == handle_)
        ::SetMenu(window_, nullptr);
    window_ = nullptr;
}

HMENU TMainMenu::CreateMenuHandle() { return CreateMenu(); }

void TMainMenu::FillRoot(HMENU menu) { FillWith(menu, BarItems(), false, rightToLeft_, true); }

std::vector<TMenuItem*> TMainMenu::BarItems() const
{
    std::vector<TMenuItem*> own = ChildrenOf(items_);
    if (!merged_)
        return own;
    const std::vector<TMenuItem*> merged = ChildrenOf(merged_->Items());
    std::vector<TMenuItem*> bar;
    for (TMenuItem* item : own) {
        const bool replaced = std::any_of(merged.begin(), merged.end(), [item](const TMenuItem* m) { return m->GroupIndex() == item->GroupIndex(); });
        if (!replaced)
            bar.push_back(item);
    }
    // Each merged item goes before the first item of a higher group (after its own group's).
    for (TMenuItem* item : merged) {
        auto at = std::find_if(bar.begin(), bar.end(), [item](const TMenuItem* b) { return b->GroupIndex() > item->GroupIndex(); });
        bar.insert(at, item);
    }
    return bar;
}

void TMainMenu::Merge(TMainMenu* menu)
{
    if (menu == this)
        menu = nullptr;
    if (menu == merged_)
        return;
    if (merged_)
        merged_->mergedInto_ = nullptr;
    if (menu && menu->mergedInto_)
        menu->mergedInto_->Merge(nullptr);
    merged_ = menu;
    if (menu)
        menu->mergedInto_ = this;
    RebuildHandle();
}

void TMainMenu::Unmerge(TMainMenu* menu)
{
    if (menu && menu == merged_)
        Merge(nullptr);
}

void TMainMenu::MenuChanged()
{
    if (IsDestroying())
        return;
    if (window_ && IsWindow(window_)) {
        SendMessageW(window_, CM_MENUCHANGED, 0, 0);
        DrawMenuBar(window_);
    }
    // Merged items show in another bar too.
    if (mergedInto_)
        mergedInto_->RebuildHandle();
}

// ---- TPopupMenu ----

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { PopupMenus().push_back(this); }

TPopupMenu::~TPopupMenu()
{
    auto& menus = PopupMenus();
    menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
}

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup(this);
    HMENU menu = Handle();
    HWND owner = PopupListWindow();
    // The menu closes on a click elsewhere only while a window of this thread is in the
    // foreground; an active form of ours already is, so it keeps its activation.
    HWND foreground = GetForegroundWindow();
    if (!foreground || GetWindowThreadProcessId(foreground, nullptr) != GetCurrentThreadId()) {
        HWND window = owner;
        if (auto* control = dynamic_cast<TControl*>(popupComponent_))
            if (TCustomForm* form = GetParentForm(control); form && form->HandleAllocated() && IsWindowVisible(form->WindowHandle()))
                window = form->WindowHandle();
        SetForegroundWindow(window);
    }
    const UINT flags = TPM_RIGHTBUTTON | (rightToLeft_ ? TPM_RIGHTALIGN | TPM_LAYOUTRTL : TPM_LEFTALIGN);
    TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
    // The choice comes as a posted WM_COMMAND: its OnClick runs before Popup returns.
    MSG msg;
    while (PeekMessageW(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        DispatchMessageW(&msg);
}

// ---- routing ----

HWND PopupListWindow()
{
    static HWND window = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = PopupListProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TPopupListWindow";
        RegisterClassExW(&wc);
        // A real (never shown) window: a message-only window cannot own a menu.
        return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    }();
    return window;
}

bool DispatchMenuMessage(TMessage& message, const std::vector<TMenu*>& menus)
{
    switch (message.Msg) {
    case WM_COMMAND:
        // Menus send notification code 0 and no control window.
        if (HIWORD(message.WParam) != 0 || message.LParam != 0)
            return false;
        for (TMenu* menu : menus)
            if (menu && menu->DispatchCommand(LOWORD(message.WParam))) {
                message.Result = 0;
                return true;
            }
        return false;
    case WM_INITMENUPOPUP:
        for (TMenu* menu : menus)
            if (menu && menu->DispatchPopup(reinterpret_cast<HMENU>(message.WParam))) {
                message.Result = 0;
                return true;
            }
        return false;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        if (!measure || measure->CtlType != ODT_MENU)
            return false;
        TMenuItem* item = MenuItemOf(measure->itemData, measure->itemID, menus);
        if (!item)
            return false;
        MeasurePlatformItem(*item, *measure);
        message.Result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (!draw || draw->CtlType != ODT_MENU)
            return false;
        TMenuItem* item = MenuItemOf(draw->itemData, draw->itemID, menus);
        if (!item)
            return false;
        DrawPlatformItem(*item, *draw);
        message.Result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

} // namespace ui
