#pragma once
// Header controls: a row of resizable column captions, over the system's header window.
#include "ui/CommonControls.h"
#include "ui/Controls.h"
#include "ui/ImgList.h"

#include <memory>
#include <vector>

namespace ui {

class THeaderControl;

// Published: Text, Width, Alignment, ImageIndex. A change goes to the header's window.
class THeaderSection : public TPersistent {
    UI_CLASS(THeaderSection)
public:
    explicit THeaderSection(THeaderControl* header) : header_(header) {}
    THeaderControl* Header() const { return header_; }
    int Index() const;

    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // Left and right edges in the header's client area.
    int Left() const;
    int Right() const { return Left() + width_; }

private:
    friend class THeaderControl;
    void Changed();
    THeaderControl* header_ = nullptr;
    std::wstring text_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int imageIndex_ = -1;
};

class THeaderSections {
public:
    explicit THeaderSections(THeaderControl* header) : header_(header) {}
    THeaderSection* Add();
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    THeaderSection* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    THeaderSection* operator[](int index) const { return Items(index); }
    int IndexOf(const THeaderSection* section) const;

private:
    THeaderControl* header_;
    std::vector<std::unique_ptr<THeaderSection>> items_;
};

using TSectionNotifyEvent = std::function<void(THeaderControl* headerControl, THeaderSection* section)>;

// Published: OnSectionResize, OnSectionClick, and the control properties. Aligned to the top of its
// parent. A section is resized by dragging its right divider (the window does the tracking); the
// new width is read back and OnSectionResize runs.
class THeaderControl : public TWinControl {
    UI_CLASS(THeaderControl)
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;

    THeaderSections& Sections() { return sections_; }
    const THeaderSections& Sections() const { return sections_; }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    // Sends every section to the window again.
    void UpdateSections();
    void UpdateSection(int index);

    TSectionNotifyEvent OnSectionResize;
    TSectionNotifyEvent OnSectionClick;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    THeaderSections sections_;
    TImageList* images_ = nullptr;
};

} // namespace ui
