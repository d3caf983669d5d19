#include "skin/data/WinSkinData.h"

#include "skin/data/QuickIni.h"
#include "skin/data/SkinReader.h"
#include "skin/window/SkinManage.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

#include <fstream>
#include <iterator>

namespace skin {

namespace {

const char* const kDefaultSkin3rd[] = {
    "TAdvPanelGroup=embedscrollbar", "TComboboxex=combobox", "TRxSpeedButton=speedbutton", "TControlBar=Panel",
    "TTBDock=Panel", "TTBToolbar=Panel", "TAdvPageControl=nil", "TImageEnMView=scrollbar",
    "TImageEnView=scrollbar", "TAdvMemo=scrollbar", "TDBAdvMemo=scrollbar", "TcxDBLookupComboBox=combobox",
    "TcxDBComboBox=combobox", "TcxDBDateEdit=combobox", "TcxDBImageComboBox=combobox", "TcxDBCalcEdit=combobox",
    "TcxDBBlobEdit=combobox", "TcxDBPopupEdit=combobox", "TcxDBFontNameComboBox=combobox",
    "TcxDBShellComboBox=combobox", "TRxLookupEdit=combobox", "TRxDBLookupCombo=combobox", "TRzButton=button",
    "TRzBitbtn=bitbtn", "TRzMenuButton=bitbtn", "TRzCheckGroup=CheckGroup", "TRzRadioGroup=Radiogroup",
    "TRzRadioButton=Radiobutton", "TRzCheckBox=Checkbox", "TRzButtonEdit=Edit", "TRzDBRadioGroup=Radiogroup",
    "TRzDBRadioButton=Radiobutton", "TRzDateTimeEdit=combobox", "TRzColorEdit=combobox",
    "TRzDateTimePicker=combobox", "TRzDBDateTimeEdit=combobox", "TRzDbColorEdit=combobox",
    "TRzDBDateTimePicker=combobox", "TLMDGroupBox=Groupbox", "TDBCheckboxEh=Checkbox", "TDBCheckboxEh=Checkbox",
    "TLMDCHECKBOX=Checkbox", "TLMDDBCHECKBOX=Checkbox", "TLMDRadiobutton=Radiobutton", "TLMDCalculator=panel",
    "TLMDGROUPBOX=Panel", "TLMDSIMPLEPANEL=Panel", "TLMDDBCalendar=Panel", "TLMDButtonPanel=Panel",
    "TLMDLMDCalculator=Panel", "TLMDHeaderPanel=Panel", "TLMDTechnicalLine=Panel", "TLMDLMDClock=Panel",
    "TLMDTrackbar=panel", "TLMDListCombobox=combobox", "TLMDCheckListCombobox=combobox",
    "TLMDHeaderListCombobox=combobox", "TLMDImageCombobox=combobox", "TLMDColorCombobox=combobox",
    "TLMDFontCombobox=combobox", "TLMDFontSizeCombobox=combobox", "TLMDFontSizeCombobox=combobox",
    "TLMDPrinterCombobox=combobox", "TLMDDriveCombobox=combobox", "TLMDCalculatorComboBox=combobox",
    "TLMDTrackBarComboBox=combobox", "TLMDCalendarComboBox=combobox", "TLMDTreeComboBox=combobox",
    "TLMDRADIOGROUP=radiogroup", "TLMDCheckGroup=CheckGroup", "TLMDDBRADIOGROUP=radiogroup",
    "TLMDDBCheckGroup=CheckGroup", "TLMDCalculatorEdit=edit", "TLMDEDIT=Edit", "TLMDMASKEDIT=Edit",
    "TLMDBROWSEEDIT=Edit", "TLMDEXTSPINEDIT=Edit", "TLMDCALENDAREDIT=Edit", "TLMDFILEOPENEDIT=Edit",
    "TLMDFILESAVEEDIT=Edit", "TLMDCOLOREDIT=Edit", "TLMDDBEDIT=Edit", "TLMDDBMASKEDIT=Edit",
    "TLMDDBEXTSPINEDIT=Edit", "TLMDDBSPINEDIT=Edit", "TLMDDBEDITDBLookup=Edit", "TLMDEDITDBLookup=Edit",
    "TDBLookupCombobox=Combobox", "TWWDBCombobox=Combobox", "TWWDBLookupCombo=Combobox",
    "TWWDBCombobox=Combobox", "TWWKeyCombo=Combobox", "TWWTempKeyCombo=combobox",
    "TWWDBDateTimePicker=Combobox", "TWWRADIOGROUP=radiogroup", "TWWDBEDIT=Edit", "TcxButton=bitbtn",
    "TcxDBCheckBox=checkbox", "TcxDBRadioGroup=radiogroup", "TcxRadioGroup=radiogroup", "TcxCheckBox=checkbox",
    "TOVCPICTUREFIELD=Edit", "TOVCDBPICTUREFIELD=Edit", "TOVCSLIDEREDIT=Edit", "TOVCDBSLIDEREDIT=Edit",
    "TOVCSIMPLEFIELD=Edit", "TOVCDBSIMPLEFIELD=Edit", "TO32DBFLEXEDIT=Edit", "TOVCNUMERICFIELD=Edit",
    "TOVCDBNUMERICFIELD=Edit",
};

// The modal information box the archive reader asks for when a container has another version.
void ShowOlderSkinMessage(const std::string& text)
{
    ui::MessageDlg(ui::Utf8ToWide(text), ui::TMsgDlgType::mtInformation, ui::mbOK);
}

} // namespace

const ui::TStringList& DefaultSkin3rd()
{
    static const ui::TStringList rows = [] {
        ui::TStringList list;
        for (const char* row : kDefaultSkin3rd)
            list.Add(row);
        return list;
    }();
    return rows;
}

const ui::TEnumInfo& SkinControlTypeEnum()
{
    static const ui::TEnumInfo info{"TSkinControlType",
                                    {"xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar",
                                     "xcCombo", "xcCheckBox", "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit",
                                     "xcButton", "xcBitBtn", "xcSpeedButton", "xcPanel", "xcGroupBox",
                                     "xcStatusBar", "xcTab", "xcSystemMenu", "xcFastReport"}};
    return info;
}

const ui::TEnumInfo& SkinOptionEnum()
{
    static const ui::TEnumInfo info{"TSkinOption", {"xoMDIScrollbar", "xoMenuMerge", "xoNCPaint"}};
    return info;
}

const ui::TEnumInfo& SkinFormTypeEnum()
{
    static const ui::TEnumInfo info{"TSkinFormType", {"sfMainform", "sfOnlyThisForm", "sfDialog"}};
    return info;
}

// ---- TMenuGlyphs ----

TMenuGlyphs::TMenuGlyphs()
{
    // White is the mask colour: the glyphs are black on white.
    list_ = ImageList_LoadImageW(GetModuleHandleW(nullptr), L"TOLMARKMENU", 16, 0, RGB(255, 255, 255),
                                 IMAGE_BITMAP, LR_DEFAULTCOLOR);
}

TMenuGlyphs::~TMenuGlyphs()
{
    if (list_)
        ImageList_Destroy(list_);
}

int TMenuGlyphs::Count() const
{
    return list_ ? ImageList_GetImageCount(list_) : 0;
}

void TMenuGlyphs::Draw(HDC dc, int x, int y, int index) const
{
    if (list_)
        ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
}

// ---- TSkinData ----

const ui::TClassInfo& TSkinData::StaticClassInfo()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TSkinData, ui::TComponent>("TSkinData")
            .Bool("Active", &TSkinData::Active, &TSkinData::SetActive)
            .Int("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag)
            .Set("SkinControls", SkinControlTypeEnum(), &TSkinData::SkinControls, &TSkinData::SetSkinControls)
            .Set("Options", SkinOptionEnum(), &TSkinData::Options, &TSkinData::SetOptions)
            .Object<ui::TStringList>(
                "Skin3rd", [](TSkinData& d) -> ui::TStringList& { return d.Skin3rd(); },
                [](TSkinData& d, ui::TStringList* lines) {
                    if (lines)
                        d.SetSkin3rd(*lines);
                })
            .Str("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
            .Str("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
            .Enum<TSkinFormType>("SkinFormtype", SkinFormTypeEnum(), &TSkinData::SkinFormtype,
                                 &TSkinData::SetSkinFormtype)
            .Str("Version", &TSkinData::Version, &TSkinData::SetVersion)
            .Bool("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate)
            .Bool("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge)
            .Event("OnFormSkin", &TSkinData::OnFormSkin)
            .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
            .Event("OnSkinControl", &TSkinData::OnSkinControl)
            .Build();
    return info;
}

void RegisterSkinData()
{
    if (!ui::FindClass("TSkinData"))
        ui::RegisterComponentClass<TSkinData>();
}

TSkinData::TSkinData(ui::TComponent* owner) : ui::TComponent(owner)
{
    skin3rd_.Assign(DefaultSkin3rd());
    // The archive reader knows no windows; an outdated container is reported from here.
    if (!OlderSkinHandler())
        SetOlderSkinHandler(&ShowOlderSkinMessage);
}

TSkinData::~TSkinData()
{
    skin3rd_.Clear();
    if (TSkinManage* manager = SkinManager())
        manager->RemoveSkinData(this);
}

std::string TSkinData::SkinStore() const
{
    if (Designing())
        return stored_.Size() ? "(Good)" : "(none)";
    return "(none)";
}

bool TSkinData::ReadBinaryProperty(const std::string& name, ui::TMemoryStream& stream)
{
    if (ui::LowerCaseAscii(name) != "skinstream")
        return ui::TComponent::ReadBinaryProperty(name, stream);
    std::int32_t length = 0;
    stream.SetPosition(0);
    if (stream.Read(&length, 4) != 4 || length <= 0)
        return true;
    // A block shorter than its own length field is a damaged description: keep nothing of it.
    if (stream.Size() - stream.Position() < static_cast<std::size_t>(length))
        return true;
    stored_.Clear();
    stored_.CopyFrom(stream, static_cast<std::size_t>(length));
    if (!Designing())
        LoadSkinData();
    return true;
}

void TSkinData::WriteSkinStream(ui::TMemoryStream& block) const
{
    const std::int32_t length = static_cast<std::int32_t>(stored_.Size());
    block.Write(&length, 4);
    if (length > 0)
        block.Write(stored_.Memory(), stored_.Size());
}

bool TSkinData::LoadSkinData()
{
    NoSkin = true;
    if (Designing())
        return false;
    TSkinReader archive;
    stored_.SetPosition(0);
    if (!archive.LoadArchive(stored_)) {
        // Nothing of an earlier skin may be drawn once a load has failed.
        ClearSkin();
        return false;
    }
    ui::TMemoryStream work;
    std::string found;
    archive.FindFile(".ini", work, found);
    work.SetPosition(0);
    TQuickIni ini;
    ini.LoadFromStream(&work);
    return LoadSkinDefinition(ini, archive);
}

void TSkinData::SetSkinFile(const std::string& path)
{
    NoSkin = true;
    skinFile_ = path;
    if (Designing()) {
        if (!path.empty() && stored_.Size())
            stored_.Clear();
        return;
    }
    const std::wstring widePath = ui::Utf8ToWide(path);
    const DWORD attributes = GetFileAttributesW(widePath.c_str());
    if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    std::ifstream file(widePath.c_str(), std::ios::binary);
    if (!file)
        return;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    stored_ = ui::TMemoryStream(std::move(bytes));
    LoadSkinData();
    if (skinFormtype_ == sfMainform)
        ApplySkin();
}

void TSkinData::ApplySkin()
{
    if (Reading() || Designing())
        return;
    if (!SkinManager())
        Loaded();
    TSkinManage& manager = *SkinManager();
    manager.PendingSkinData = this;
    manager.ReleaseCaptionButtons();
    if (manager.RunState == 1)
        manager.RequestAction(saSkinChanged, TSkinManage::DefaultInterval);
}

void TSkinData::AllowFormSkin(const std::string& aName, bool& DoSkin)
{
    if (OnFormSkin) {
        OnFormSkin(this, aName, DoSkin);
        return;
    }
    if (aName == "SysMonthCal32")
        DoSkin = false;
    else if (HasSkinControl(xcFastReport) && aName.compare(0, 3, "Tfr") == 0)
        DoSkin = false;
}

void TSkinData::SkinChanged()
{
    if (OnSkinChanged)
        OnSkinChanged(this);
}

std::optional<std::string> TSkinData::Skin3rdKind(const std::string& className) const
{
    const std::string key = ui::LowerCaseAscii(className) + "=";
    for (int i = 0; i < skin3rd_.Count(); ++i) {
        const std::string line = ui::LowerCaseAscii(skin3rd_[i]);
        if (line.compare(0, key.size(), key) == 0)
            return line.substr(key.size(), 50);
    }
    return std::nullopt;
}

void TSkinData::Loaded()
{
    ui::TComponent::Loaded();
    if (Designing())
        return;
    TSkinManage& manager = CreateSkinManager();
    manager.AddSkinData(this);
    if (skinFormtype_ != sfMainform) {
        manager.SkinEnabled = true;
        // Running from now on; a second component must not count past it.
        if (manager.RunState == 0)
            manager.RunState = 1;
        if (auto* form = dynamic_cast<ui::TCustomForm*>(Owner()))
            manager.SkinWindow(form->Handle());
        return;
    }
    manager.InstallHook();
    if (active_) {
        if (NoSkin)
            active_ = false;
        else
            manager.RequestAction(saSkinOn, TSkinManage::DefaultInterval);
    }
    // The system menu is drawn with the main menu; item menus only without one.
    if (!HasSkinControl(xcMainMenu))
        skinControls_ &= ~SkinControl(xcSystemMenu);
    else
        skinControls_ &= ~SkinControl(xcMenuItem);
}

void TSkinData::SetActive(bool value)
{
    if (value == active_)
        return;
    active_ = value;
    if (Reading() || Designing())
        return;
    TSkinManage* manager = SkinManager();
    switch (skinFormtype_) {
    case sfMainform:
        if (value) {
            if (NoSkin || !manager)
                return;
            manager->RequestAction(saSkinOn, TSkinManage::DefaultInterval);
            manager->RunState = 1;
            manager->PendingSkinData = this;
        } else if (manager) {
            manager->RequestAction(saSkinOff, TSkinManage::DefaultInterval);
            manager->PendingSkinData = this;
        }
        break;
    case sfOnlyThisForm:
        if (!manager)
            return;
        manager->PendingSkinData = this;
        if (value && NoSkin)
            return;
        manager->RequestAction(value ? saSkinOn : saSkinOff, TSkinManage::DefaultInterval);
        break;
    case sfDialog:
        break;
    }
}

} // namespace skin
