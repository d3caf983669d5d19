// List views: the scroll bars as any scrolling control's, and the column header from the skin.
#include "skin/controls/SkinHeader.h"

namespace skin {

TSkinListView::~TSkinListView() = default;

void TSkinListView::AttachScrollbars(ui::TWinControl* control, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas)
{
    TSkinScrollbar::AttachScrollbars(control, skinData, form, canvas);
    if (!Hooked())
        return;
    HWND header = reinterpret_cast<HWND>(SendMessageW(Handle, LVM_GETHEADER, 0, 0));
    if (!header || Header)
        return;
    auto* object = new TSkinHeader(this);
    object->AttachWindow(header, skinData, form, canvas);
    if (object->Attached)
        Header = object;
    else
        delete object;
}

void TSkinListView::Notification(ui::TComponent* component, ui::TOperation operation)
{
    TSkinScrollbar::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == Header)
        Header = nullptr;
}

void TSkinListView::Unskin()
{
    TSkinScrollbar::Unskin();
    HWND header = Header && Header->Status != ssDestroyed ? Header->Handle : nullptr;
    delete Header;
    Header = nullptr;
    if (header && IsWindow(header))
        InvalidateRect(header, nullptr, TRUE);
}

} // namespace skin
