#pragma once
// Tab controls over the system's tab class: a plain tab strip (TTabControl) and a page control
// whose tabs are its pages (TPageControl, TTabSheet). The system window draws the strip and
// reports tab changes, which come back to the control as CN_NOTIFY.
#include "ui/CommonControls.h"
#include "ui/Controls.h"
#include "ui/ImgList.h"

#include <functional>
#include <vector>

namespace ui {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
const TEnumInfo& TabPositionEnum();

// Asked before the selection leaves the current tab; clearing AllowChange keeps it.
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Published: TabIndex, TabPosition, MultiLine, Images, OnChange, OnChanging (Tabs on TTabControl).
class TCustomTabControl : public TWinControl {
    UI_CLASS(TCustomTabControl)
public:
    explicit TCustomTabControl(TComponent* owner);
    ~TCustomTabControl() override;

    int TabIndex() const;
    void SetTabIndex(int value);
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    // The number of tabs the window shows.
    int TabCount() const;
    // The area inside the tab strip and the page border, in client coordinates.
    TRect DisplayRect() const;
    // The tab under a client point, -1 for none.
    int IndexOfTabAt(int x, int y) const;
    // A tab's rectangle in client coordinates (empty when it has none).
    TRect TabRect(int index) const;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void AdjustClientRect(TRect& rect) const override;
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    virtual bool CanChange();
    virtual void Change();
    // The captions and images the strip shows, in order.
    virtual int ItemCount() const { return 0; }
    virtual std::wstring ItemCaption(int index) const { (void)index; return {}; }
    virtual int ItemImage(int index) const { (void)index; return -1; }
    // Puts the items into the window again (after a change of the list).
    void RebuildTabs();
    void SelectTab(int index);
    void Realign();
    void ImagesChanged();

    int tabIndex_ = -1;
    TTabPosition tabPosition_ = TTabPosition::tpTop;
    bool multiLine_ = false;
    TImageList* images_ = nullptr;
};

// Published in addition: Tabs (the captions, Tabs.Strings in a description).
class TTabControl : public TCustomTabControl {
    UI_CLASS(TTabControl)
public:
    explicit TTabControl(TComponent* owner);
    TStringList& Tabs() { return tabs_; }

protected:
    int ItemCount() const override { return tabs_.Count(); }
    std::wstring ItemCaption(int index) const override;
    int ItemImage(int index) const override { return index; }

private:
    TStringList tabs_;
};

class TPageControl;

// One page of a page control: a window that fills the page control's display area while it is
// the active page. Published: Caption, ImageIndex, TabVisible, PageIndex.
class TTabSheet : public TCustomControl {
    UI_CLASS(TTabSheet)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    int PageIndex() const;
    void SetPageIndex(int value);
    // Its position among the visible tabs, -1 when its tab is hidden.
    int TabIndex() const;

    void SetParent(TWinControl* parent) override;
    void SetText(const std::wstring& text) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    int imageIndex_ = -1;
    bool tabVisible_ = true;
};

// Published in addition: ActivePage (by name), ActivePageIndex.
class TPageControl : public TCustomTabControl {
    UI_CLASS(TPageControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The next (or previous) page with a visible tab after `current`, round the end; nullptr
    // when there is none.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward) const;
    // Moves to the next page as Ctrl+Tab does, asking OnChanging first.
    void SelectNextPage(bool goForward);

    bool DoKeyDown(std::uint16_t& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void CreateHandleDone() override;
    void Change() override;
    int ItemCount() const override;
    std::wstring ItemCaption(int index) const override;
    int ItemImage(int index) const override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void PagesChanged();
    void ShowActivePage();
    // The page of a visible tab.
    TTabSheet* PageOfTab(int tabIndex) const;
    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};

} // namespace ui
