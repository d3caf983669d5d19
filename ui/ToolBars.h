#pragma once
// Tool bars: a row of buttons with images and captions, over the system's tool bar window.
#include "ui/CommonControls.h"
#include "ui/Controls.h"
#include "ui/ImgList.h"

#include <vector>

namespace ui {

class TToolBar;
class TPopupMenu;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator };
const TEnumInfo& ToolButtonStyleEnum();

// Published: Caption, ImageIndex, Style, Down, Enabled, DropdownMenu, OnClick. It joins a bar with
// SetToolBar (AddButton does it for you); a click runs OnClick, a check button's click toggles Down
// first.
class TToolButton : public TComponent {
    UI_CLASS(TToolButton)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolBar* ToolBar() const { return bar_; }
    void SetToolBar(TToolBar* bar);
    // The command identifier the bar's window knows the button by.
    int CommandId() const { return id_; }
    int Index() const;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle value);
    bool Down() const;
    void SetDown(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    // The button's rectangle in the bar's client area (empty without a window).
    TRect BoundsRect() const;

    void Click();
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnClick;

private:
    friend class TToolBar;
    TToolBar* bar_ = nullptr;
    int id_ = 0;
    std::wstring caption_;
    int imageIndex_ = -1;
    TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
    bool down_ = false;
    bool enabled_ = true;
    TPopupMenu* dropdownMenu_ = nullptr;
};

// Custom drawing of one button on the bar's Canvas (lent to the paint's DC). `stage` is the
// custom-draw stage (CDDS_ITEMPREPAINT, ...), `state` the CDIS_* item state; clearing defaultDraw
// leaves nothing of the bar's own drawing for the button.
using TToolBarCustomDrawButtonEvent =
    std::function<void(TToolBar* sender, TToolButton* button, UINT stage, UINT state, bool& defaultDraw)>;

// Published: Flat, ShowCaptions, Images, OnCustomDrawButton, and the control properties. Aligned to
// the top of its parent; its height follows its buttons.
class TToolBar : public TWinControl {
    UI_CLASS(TToolBar)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    // A new button owned by the bar, at the end of the row.
    TToolButton* AddButton(const std::wstring& caption, int imageIndex = -1,
                           TToolButtonStyle style = TToolButtonStyle::tbsButton);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }
    TToolButton* FindButton(int commandId) const;

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    TCanvas& Canvas() { return canvas_; }

    TToolBarCustomDrawButtonEvent OnCustomDrawButton;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    friend class TToolButton;
    void InsertButton(TToolButton* button);
    void RemoveButton(TToolButton* button);
    // The window's buttons made again from the list.
    void RebuildButtons();
    void UpdateButton(TToolButton* button);
    void AdjustHeight();
    LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);

    std::vector<TToolButton*> buttons_;
    bool flat_ = false;
    bool showCaptions_ = false;
    TImageList* images_ = nullptr;
    TCanvas canvas_;
};

} // namespace ui
