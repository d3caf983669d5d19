#pragma once
// List views over the system's list-view class: columns with captions and widths, items with a
// caption, sub-items and an image, in one of the four view styles.
#include "ui/CommonControls.h"
#include "ui/Controls.h"
#include "ui/ImgList.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
const TEnumInfo& ViewStyleEnum();

class TCustomListView;

class TListColumn {
public:
    TListColumn(TCustomListView* owner, int index) : owner_(owner), index_(index) {}
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    int Index() const { return index_; }

private:
    friend class TCustomListView;
    TCustomListView* owner_;
    int index_;
    std::wstring caption_;
    int width_ = 50;
};

class TListItem {
public:
    TListItem(TCustomListView* owner, int index) : owner_(owner), index_(index) {}
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // The texts of the columns after the first.
    const std::vector<std::wstring>& SubItems() const { return subItems_; }
    void AddSubItem(const std::wstring& text);
    void SetSubItem(int index, const std::wstring& text);
    int Index() const { return index_; }
    bool Selected() const;
    void SetSelected(bool value);

private:
    friend class TCustomListView;
    TCustomListView* owner_;
    int index_;
    std::wstring caption_;
    int imageIndex_ = -1;
    std::vector<std::wstring> subItems_;
};

// Published: ViewStyle, RowSelect, GridLines, SmallImages, ReadOnly, OnChange (the selection
// moved), and the windowed-control events.
class TCustomListView : public TWinControl {
    UI_CLASS(TCustomListView)
public:
    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;

    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle value);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TImageList* value);

    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    TListColumn* Column(int index) const { return columns_.at(static_cast<size_t>(index)).get(); }
    TListColumn* AddColumn(const std::wstring& caption, int width);
    int ItemCount() const { return static_cast<int>(items_.size()); }
    TListItem* Item(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    TListItem* AddItem(const std::wstring& caption, const std::vector<std::wstring>& subItems = {});
    void ClearItems();
    // The first selected item, or nullptr.
    TListItem* Selected() const;
    // The header window of the report view (nullptr without a window).
    HWND HeaderHandle() const;

    TNotifyEvent OnChange;
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void ApplyExtendedStyle();

private:
    friend class TListColumn;
    friend class TListItem;
    void PutColumn(const TListColumn& column, bool insert);
    void PutItem(const TListItem& item, bool insert);

    TViewStyle viewStyle_ = TViewStyle::vsIcon;
    bool rowSelect_ = false;
    bool gridLines_ = false;
    bool readOnly_ = false;
    TImageList* smallImages_ = nullptr;
    std::vector<std::unique_ptr<TListColumn>> columns_;
    std::vector<std::unique_ptr<TListItem>> items_;
};

class TListView : public TCustomListView {
    UI_CLASS(TListView)
public:
    explicit TListView(TComponent* owner);
};

} // namespace ui
