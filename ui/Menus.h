#pragma once
// Menus over platform menus: TMenuItem (a tree of items), TMainMenu (a form's menu bar) and
// TPopupMenu (a context menu). Each menu builds its platform menu on demand and rebuilds it when an
// item changes; invisible items are left out of the platform menu, so positions there can differ
// from item indexes. Every item carries a command identifier unique in the process (for WM_COMMAND,
// WM_MEASUREITEM and WM_DRAWITEM) and its item pointer as the platform item's data.
#include "Component.h"
#include "Controls.h"
#include "Graphics.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

class TImageList;
class TMenu;
class TCustomForm;

// A shortcut: virtual-key code in the low byte, modifiers above.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
TShortCut ShortCut(std::uint16_t key, TShiftState shift);
// "Ctrl+N", "Shift+F4", "Del"; empty for 0.
std::wstring ShortCutToText(TShortCut shortCut);
// The inverse; 0 for text it does not know.
TShortCut TextToShortCut(const std::wstring& text);

using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, TRect ARect, bool Selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height)>;

enum class TFindItemKind { fkCommand, fkHandle, fkShortCut };

// Published: Caption, Checked, Default, Enabled, GroupIndex, ImageIndex, RadioItem, ShortCut,
// Visible, Tag, Name; events OnClick, OnDrawItem, OnMeasureItem. A caption of "-" makes a
// separator; "&" marks the mnemonic.
class TMenuItem : public TComponent {
    UI_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner);
    // Leaves its parent and frees its sub-items.
    ~TMenuItem() override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    // Checking a radio item unchecks the other radio items of its GroupIndex among its siblings.
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool IsLine() const { return caption_ == L"-"; }

    // Sub-items.
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index); }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    // The menu the item belongs to (through its parents), or nullptr.
    TMenu* GetParentMenu() const;
    // The image list the item's images come from (its menu's Images), or nullptr.
    TImageList* GetImageList() const;

    // The identifier WM_COMMAND carries for this item.
    UINT Command() const { return command_; }
    // The platform popup menu holding the sub-items (made on demand); nullptr without sub-items.
    HMENU Handle();
    bool HasHandle() const { return handle_ != nullptr; }

    // Runs OnClick (a radio item, a checked one stays checked).
    virtual void Click();
    // Owner-drawn items: OnMeasureItem / OnDrawItem when set, else the framework's own drawing.
    virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
    virtual void DrawItem(TCanvas& canvas, TRect rect, bool selected);

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    // The platform menu's text for this item: the caption, a tab and the shortcut text.
    std::wstring PlatformText() const;

private:
    friend class TMenu;
    // Something shown changed: the platform menu holding the item is rebuilt.
    void Changed(bool rebuild);
    // Fills `menu` with the visible sub-items (recursing into their own menus).
    void FillPlatformMenu(HMENU menu, bool ownerDraw, bool topLevel);
    void ReleaseHandles();
    // Sub-items were added or taken out: this item's popup and the menu holding it are rebuilt.
    void StructureChanged();
    // Refills this item's own popup (when it has one) from its sub-items.
    void RefillHandle();

    std::wstring caption_;
    bool visible_ = true;
    bool enabled_ = true;
    bool checked_ = false;
    bool default_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    int imageIndex_ = -1;
    TShortCut shortCut_ = 0;
    UINT command_ = 0;
    HMENU handle_ = nullptr;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item only
    std::vector<TMenuItem*> items_;
};

// Published: Items (the reader nests items), Images, OwnerDraw, Tag, Name.
class TMenu : public TComponent {
    UI_CLASS(TMenu)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item: its sub-items are the menu's top-level items.
    TMenuItem* Items() const { return items_; }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    // Owner-drawn menus send WM_MEASUREITEM / WM_DRAWITEM for their items.
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    bool IsRightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool value);

    // The platform menu (made on demand).
    virtual HMENU Handle();
    bool HasHandle() const { return handle_ != nullptr; }
    // Makes the platform menu again from the items (done after every change).
    void RebuildHandle();

    // The item with that command, popup handle or shortcut at any depth, or nullptr.
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
    // WM_COMMAND from a menu: clicks the item; false when no item has that command.
    bool DispatchCommand(UINT command);
    // WM_INITMENUPOPUP: false when the menu handle is none of this menu's.
    bool DispatchPopup(HMENU menu);
    // Ctrl/Alt shortcut of an enabled, visible item: clicks it and answers true.
    bool IsShortCut(std::uint16_t key, TShiftState shift);

    // Told of every change that needs the platform menu made again.
    virtual void MenuChanged();
    void Notification(TComponent* component, TOperation operation) override;

protected:
    virtual HMENU CreateMenuHandle();
    // Fills the menu's own platform menu with its top-level items.
    virtual void FillRoot(HMENU menu);

    TMenuItem* items_;
    HMENU handle_ = nullptr;
    TImageList* images_ = nullptr;
    bool ownerDraw_ = false;
    bool rightToLeft_ = false;

private:
    friend class TMenuItem;
    void RefillRoot();
    static void RefillTree(TMenuItem* item);
    static TMenuItem* FindIn(TMenuItem* item, UINT_PTR value, TFindItemKind kind);
    static TMenuItem* FindShortCut(TMenuItem* item, TShortCut shortCut);
};

// A form's menu bar. Published: AutoMerge.
class TMainMenu : public TMenu {
    UI_CLASS(TMainMenu)
public:
    explicit TMainMenu(TComponent* owner);
    // Leaves the window showing it and the menu it is merged into.
    ~TMainMenu() override;

    bool AutoMerge() const { return autoMerge_; }
    void SetAutoMerge(bool value) { autoMerge_ = value; }
    // Menu merging by group index: the items of `menu` replace this menu's top-level items of
    // the same GroupIndex and are inserted among them in GroupIndex order; nullptr undoes it.
    void Merge(TMainMenu* menu);
    void Unmerge(TMainMenu* menu);
    TMainMenu* Merged() const { return merged_; }
    // The form showing this menu (set by TCustomForm::SetMenu), told of changes with
    // CM_MENUCHANGED so that it refreshes its bar.
    HWND WindowHandle() const { return window_; }
    void SetWindowHandle(HWND window) { window_ = window; }
    void MenuChanged() override;
    // Top-level items as the bar shows them: own items, with merged ones in place.
    std::vector<TMenuItem*> BarItems() const;

protected:
    HMENU CreateMenuHandle() override;
    void FillRoot(HMENU menu) override;

private:
    bool autoMerge_ = false;
    TMainMenu* merged_ = nullptr;
    TMainMenu* mergedInto_ = nullptr;  // the main menu showing this one's items in its bar
    HWND window_ = nullptr;
};

// A context menu. Published: AutoPopup; event OnPopup.
class TPopupMenu : public TMenu {
    UI_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    // The control it was last opened for.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* value) { popupComponent_ = value; }
    // Opens the menu at a screen point and returns when it closes; the chosen item's OnClick
    // runs before it returns.
    virtual void Popup(int x, int y);

    TNotifyEvent OnPopup;

private:
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

// The hidden window that owns every open popup menu: it hands WM_COMMAND, WM_INITMENUPOPUP,
// WM_MEASUREITEM and WM_DRAWITEM of popup menus to their items.
HWND PopupListWindow();

// Routes a menu message reaching a form (or any window owning menus) to the menus given; true
// when one of them took it (message.Result set).
bool DispatchMenuMessage(TMessage& message, const std::vector<TMenu*>& menus);

} // namespace ui
