#pragma once
// The skin data component: the non-visual component an application drops on its main form to get
// a skinned user interface. It keeps the skin archive (in the form description or in a file named
// by SkinFile), turns it into the skin objects (TSkinDefinition), carries the settings that say
// which kinds of controls are skinned, and hands itself to the skin manager, which skins windows.
#include "skin/data/SkinDefinition.h"
#include "skin/data/SkinObjects.h"
#include "ui/Classes.h"
#include "ui/Component.h"
#include "ui/Graphics.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>

namespace ui {
class TControl;
}

namespace skin {

class TSkinData;

// Kinds of controls and menus the skin may take over; a TSkinControlTypes value holds member n as
// bit n.
enum TSkinControlType : int {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress,
    xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar, xcTab,
    xcSystemMenu, xcFastReport
};
using TSkinControlTypes = unsigned;
constexpr TSkinControlTypes SkinControl(TSkinControlType type) { return 1u << type; }
constexpr TSkinControlTypes AllSkinControls = (1u << (xcFastReport + 1)) - 1;

enum TSkinOption : int { xoMDIScrollbar, xoMenuMerge, xoNCPaint };
using TSkinOptions = unsigned;
constexpr TSkinOptions SkinOption(TSkinOption option) { return 1u << option; }

// sfMainform skins every form of the application; sfOnlyThisForm and sfDialog only the owning form
// (sfDialog never switches skinning on or off by itself).
enum TSkinFormType : int { sfMainform, sfOnlyThisForm, sfDialog };

const ui::TEnumInfo& SkinControlTypeEnum();
const ui::TEnumInfo& SkinOptionEnum();
const ui::TEnumInfo& SkinFormTypeEnum();

// Asked before a window is skinned; aName is the window's class name.
using TOnFormSkin = std::function<void(ui::TObject* Sender, const std::string& aName, bool& DoSkin)>;
// Lets the application supply the skinning object of a control (SkinnedControl arrives nil).
using TOnSkinControl = std::function<void(ui::TComponent* Sender, TSkinData* SkinData, ui::TControl* Form,
                                          ui::TControl* Control, const std::string& ControlClass,
                                          ui::TComponent*& SkinnedControl)>;
using TSkinNotifyEvent = std::function<void(ui::TObject* Sender)>;
// Called by the skin manager for every top-level window being created.
using TWindowCreatedEvent = std::function<void(TSkinData* Sender, HWND Window, const std::string& ClassName)>;

// The system-menu glyphs (restore, maximise, minimise, close), 16 x 16 each, from the bitmap
// resource "TOLMARKMENU" that skin/data/SkinData.rc links into every executable using the skin.
class TMenuGlyphs {
public:
    enum { Restore, Maximize, Minimize, Close };
    TMenuGlyphs();
    ~TMenuGlyphs();
    TMenuGlyphs(const TMenuGlyphs&) = delete;
    TMenuGlyphs& operator=(const TMenuGlyphs&) = delete;
    HIMAGELIST Handle() const { return list_; }
    int Count() const;
    void Draw(HDC dc, int x, int y, int index) const;

private:
    HIMAGELIST list_ = nullptr;
};

class TSkinData : public ui::TComponent, public TSkinDefinition {
    UI_CLASS(TSkinData)
public:
    static constexpr const char* VersionText = "3.01.02.21";

    explicit TSkinData(ui::TComponent* owner);
    ~TSkinData() override;

    // Published properties.
    bool Active() const { return active_; }
    void SetActive(bool value);
    int DisableTag() const { return disableTag_; }
    void SetDisableTag(int value) { disableTag_ = value; }
    TSkinControlTypes SkinControls() const { return skinControls_; }
    void SetSkinControls(TSkinControlTypes value) { skinControls_ = value & AllSkinControls; }
    bool HasSkinControl(TSkinControlType type) const { return (skinControls_ & SkinControl(type)) != 0; }
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions value) { options_ = value & 7u; }
    ui::TStringList& Skin3rd() { return skin3rd_; }
    const ui::TStringList& Skin3rd() const { return skin3rd_; }
    void SetSkin3rd(const ui::TStringList& lines) { skin3rd_.Assign(lines); }
    const std::string& SkinFile() const { return skinFile_; }
    void SetSkinFile(const std::string& path);
    std::string SkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return skinFormtype_; }
    void SetSkinFormtype(TSkinFormType value) { skinFormtype_ = value; }
    std::string Version() const { return VersionText; }
    void SetVersion(const std::string&) {}
    bool MenuUpdate() const { return menuUpdate_; }
    void SetMenuUpdate(bool value) { menuUpdate_ = value; }
    bool MenuMerge() const { return menuMerge_; }
    void SetMenuMerge(bool value) { menuMerge_ = value; }

    TOnFormSkin OnFormSkin;
    TSkinNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;

    // The stored archive: a 4-byte expanded size plus the LZH bits.
    ui::TMemoryStream& SkinStream() { return stored_; }
    // The form description's binary property SkinStream: a 4-byte length n, then n bytes.
    bool ReadBinaryProperty(const std::string& name, ui::TMemoryStream& stream) override;
    void WriteSkinStream(ui::TMemoryStream& block) const;

    void Loaded() override;
    // Archive to skin objects; false when the archive was refused (NoSkin stays true).
    bool LoadSkinData();
    // Makes the skin manager re-apply this component's current skin.
    void ApplySkin();
    // The rule behind OnFormSkin: DoSkin arrives true.
    void AllowFormSkin(const std::string& aName, bool& DoSkin);
    void SkinChanged();
    // The skin kind Skin3rd gives a control class ("combobox", "nil", ...), lower-cased; nothing
    // when no line names the class.
    std::optional<std::string> Skin3rdKind(const std::string& className) const;

    // Unpublished state the skinning code shares.
    TWindowCreatedEvent OnWindowCreated;
    ui::TBitmap IconImage;        // a frame's window icon, copied by the first frame that has one
    bool NCPaintEnabled = true;   // the frame paints its non-client area only while set
    TMenuGlyphs MenuGlyphs;

private:
    bool Designing() const { return (ComponentState() & ui::csDesigning) != 0; }
    bool Reading() const { return (ComponentState() & (ui::csReading | ui::csLoading)) != 0; }

    bool active_ = false;
    int disableTag_ = 99;
    TSkinControlTypes skinControls_ = AllSkinControls & ~(SkinControl(xcMenuItem) | SkinControl(xcFastReport));
    TSkinOptions options_ = 0;
    ui::TStringList skin3rd_;
    std::string skinFile_;
    TSkinFormType skinFormtype_ = sfMainform;
    bool menuUpdate_ = true;
    bool menuMerge_ = false;
    ui::TMemoryStream stored_;
};

// The default Skin3rd rows, in order.
const ui::TStringList& DefaultSkin3rd();

// Registers TSkinData with the form reader's class registry.
void RegisterSkinData();

} // namespace skin
