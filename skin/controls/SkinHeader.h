#pragma once
// Column headers, and list views: a list view's scroll bars as any scrolling control's, and its
// header from the skin.
#include "skin/controls/SkinScrollbar.h"

namespace skin {

class TSkinHeader : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    void DrawHeaderItem(HDC dc, HIMAGELIST images, int index, const ui::TRect& itemRect);
};

class TSkinListView : public TSkinScrollbar {
public:
    using TSkinScrollbar::TSkinScrollbar;
    ~TSkinListView() override;
    void AttachScrollbars(ui::TWinControl* control, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas) override;
    void Unskin() override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

    TSkinHeader* Header = nullptr;
};

} // namespace skin
