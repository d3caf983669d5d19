#include "ui/HeaderControls.h"

#include <algorithm>

namespace ui {

const TClassInfo& THeaderSection::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<THeaderSection, TPersistent>("THeaderSection")
        .WStr("Text", &THeaderSection::Text, &THeaderSection::SetText)
        .Int("Width", &THeaderSection::Width, &THeaderSection::SetWidth)
        .Enum<TAlignment>("Alignment", AlignmentEnum(), &THeaderSection::Alignment, &THeaderSection::SetAlignment)
        .Int("ImageIndex", &THeaderSection::ImageIndex, &THeaderSection::SetImageIndex)
        .Build();
    return info;
}

const TClassInfo& THeaderControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<THeaderControl, TWinControl>("THeaderControl")
        .Event("OnSectionResize", &THeaderControl::OnSectionResize)
        .Event("OnSectionClick", &THeaderControl::OnSectionClick)
        .Build();
    return info;
}

// ---- THeaderSection ----

int THeaderSection::Index() const { return header_ ? header_->Sections().IndexOf(this) : -1; }

int THeaderSection::Left() const
{
    int left = 0;
    const int index = Index();
    for (int i = 0; i < index; ++i)
        left += header_->Sections()[i]->Width();
    return left;
}

void THeaderSection::SetText(const std::wstring& value)
{
    text_ = value;
    Changed();
}

void THeaderSection::SetWidth(int value)
{
    width_ = std::max(0, value);
    Changed();
}

void THeaderSection::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Changed();
}

void THeaderSection::SetImageIndex(int value)
{
    imageIndex_ = value;
    Changed();
}

void THeaderSection::Changed()
{
    if (header_)
        header_->UpdateSection(Index());
}

// ---- THeaderSections ----

THeaderSection* THeaderSections::Add()
{
    items_.push_back(std::make_unique<THeaderSection>(header_));
    header_->UpdateSections();
    return items_.back().get();
}

void THeaderSections::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    header_->UpdateSections();
}

void THeaderSections::Clear()
{
    items_.clear();
    header_->UpdateSections();
}

int THeaderSections::IndexOf(const THeaderSection* section) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == section)
            return static_cast<int>(i);
    return -1;
}

// ---- THeaderControl ----

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner), sections_(this)
{
    width_ = 200;
    height_ = 17;
    color_ = clBtnFace;
    SetAlign(TAlign::alTop);
}

THeaderControl::~THeaderControl()
{
    SetImages(nullptr);
    DestroyHandle();
}

void THeaderControl::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_LISTVIEW_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = WC_HEADERW;
    params.Style |= HDS_HORZ | HDS_BUTTONS | HDS_FULLDRAG;
}

void THeaderControl::CreateHandleDone()
{
    TWinControl::CreateHandleDone();
    UpdateSections();
}

void THeaderControl::SetImages(TImageList* value)
{
    SetReference(images_, value);
    if (handle_)
        UpdateSections();
}

void THeaderControl::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        if (handle_ && !IsDestroying())
            UpdateSections();
    }
}

void THeaderControl::UpdateSections()
{
    if (!handle_)
        return;
    SendMessageW(handle_, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    while (SendMessageW(handle_, HDM_GETITEMCOUNT, 0, 0) > 0)
        if (!SendMessageW(handle_, HDM_DELETEITEM, 0, 0))
            break;
    for (int i = 0; i < sections_.Count(); ++i) {
        HDITEMW item{};
        item.mask = HDI_WIDTH | HDI_FORMAT;
        SendMessageW(handle_, HDM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        UpdateSection(i);
    }
    Invalidate();
}

void THeaderControl::UpdateSection(int index)
{
    if (!handle_ || index < 0 || index >= sections_.Count())
        return;
    const THeaderSection* section = sections_[index];
    if (SendMessageW(handle_, HDM_GETITEMCOUNT, 0, 0) <= index)
        return;
    std::wstring text = section->Text();
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT | HDI_IMAGE;
    item.cxy = section->Width();
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    item.iImage = section->ImageIndex();
    item.fmt = HDF_STRING;
    switch (section->Alignment()) {
    case TAlignment::taRightJustify: item.fmt |= HDF_RIGHT; break;
    case TAlignment::taCenter: item.fmt |= HDF_CENTER; break;
    default: item.fmt |= HDF_LEFT; break;
    }
    if (images_ && section->ImageIndex() >= 0)
        item.fmt |= HDF_IMAGE;
    SendMessageW(handle_, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::WndProc(TMessage& message)
{
    if (message.Msg == CN_NOTIFY) {
        const auto* notify = reinterpret_cast<const NMHEADERW*>(message.LParam);
        const UINT code = notify ? notify->hdr.code : 0;
        const int index = notify ? notify->iItem : -1;
        THeaderSection* section = index >= 0 && index < sections_.Count() ? sections_[index] : nullptr;
        switch (code) {
        case HDN_ITEMCHANGEDW:
        case HDN_ITEMCHANGEDA:
            // The header's own tracking changed a width: take it, and tell the application.
            if (section && notify->pitem && (notify->pitem->mask & HDI_WIDTH) && notify->pitem->cxy != section->width_) {
                section->width_ = std::max(0, notify->pitem->cxy);
                if (OnSectionResize)
                    OnSectionResize(this, section);
            }
            message.Result = 0;
            return;
        case HDN_ITEMCLICKW:
        case HDN_ITEMCLICKA:
            if (section && OnSectionClick)
                OnSectionClick(this, section);
            message.Result = 0;
            return;
        default:
            break;
        }
    }
    TWinControl::WndProc(message);
}

} // namespace ui
