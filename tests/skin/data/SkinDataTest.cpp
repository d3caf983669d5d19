// The skin component read from a form description through the framework's reader: its stored
// properties, the SkinStream block, Loaded's work with the manager, the filters, the Skin3rd table,
// the older-archive message box and the menu glyphs.
#include "TestSkins.h"
#include "WindowTesting.h"

#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "ui/Dialogs.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

using namespace skin;
using test_skins::TTestSkin;

namespace {

TTestSkin SmallSkin()
{
    TTestSkin skin;
    skin.Ini = "[TitlebarSkin]\nSkinName=Test\n[Tabs]\nImage=a.bmp\n[Personality]\nLeft=a.bmp\n";
    skin.Bmp("a.bmp", 16, 16, 0x336699);
    return skin;
}

class SkinDataForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterSkinData();
        form = std::make_unique<ui::TForm>(nullptr);
    }
    void TearDown() override
    {
        form.reset();
        FreeSkinManager();
    }

    // Reads a form holding one TSkinData with the given property lines.
    TSkinData& Read(const std::string& properties)
    {
        const std::string text = "object Form1: TForm\n"
                                 "  Caption = 'skin'\n"
                                 "  object SkinData1: TSkinData\n" +
                                 properties +
                                 "  end\n"
                                 "end\n";
        ui::ReadComponentText(form.get(), text);
        auto* data = dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"));
        if (!data)
            throw std::runtime_error("SkinData1 was not read");
        return *data;
    }

    static std::string Stream(const std::vector<std::uint8_t>& stored)
    {
        return "    SkinStream = {\n      " + test_skins::SkinStreamHex(stored) + "}\n";
    }

    std::unique_ptr<ui::TForm> form;
};

TEST_F(SkinDataForm, StoredPropertiesAndTheSkinStreamAreRead)
{
    TSkinData& data = Read("    Active = True\n"
                           "    DisableTag = 77\n"
                           "    SkinControls = [xcMainMenu, xcMenuItem, xcCombo, xcFastReport]\n"
                           "    Options = [xoNCPaint]\n"
                           "    SkinStore = '(Good)'\n"
                           "    SkinFormtype = sfMainform\n"
                           "    Version = '9.9.9.9'\n"
                           "    MenuUpdate = False\n"
                           "    MenuMerge = True\n"
                           "    Skin3rd.Strings = (\n      'TFoo=Edit'\n      'TBar=nil')\n" +
                           Stream(SmallSkin().Stored()));
    EXPECT_FALSE(data.NoSkin) << "the archive is loaded while the form is read";
    EXPECT_EQ(data.SkinName, "Test");
    ASSERT_NE(data.Tabs, nullptr);
    EXPECT_EQ(data.FrameLeft->Bitmap.Width(), 16);
    EXPECT_TRUE(data.Active());
    EXPECT_EQ(data.DisableTag(), 77);
    EXPECT_EQ(data.SkinStore(), "(none)") << "a status text only, whatever the description stored";
    EXPECT_EQ(data.Version(), "3.01.02.21") << "writing Version has no effect";
    EXPECT_FALSE(data.MenuUpdate());
    EXPECT_TRUE(data.MenuMerge());
    EXPECT_EQ(data.Options(), SkinOption(xoNCPaint));
    EXPECT_EQ(data.Skin3rd().Count(), 2);
    EXPECT_EQ(data.Skin3rdKind("tfoo"), std::optional<std::string>("edit"));
    // Loaded: with the main menu in the set, item menus are dropped.
    EXPECT_EQ(data.SkinControls(), SkinControl(xcMainMenu) | SkinControl(xcCombo) | SkinControl(xcFastReport));

    // The published properties are readable by name.
    EXPECT_EQ(ui::GetEnumProp(&data, "SkinFormtype"), "sfMainform");
    EXPECT_EQ(ui::GetStrProp(&data, "Version"), "3.01.02.21");
    EXPECT_EQ(ui::GetSetProp(&data, "SkinControls"), "[xcMainMenu,xcCombo,xcFastReport]");
    EXPECT_EQ(ui::GetOrdProp(&data, "DisableTag"), 77);
    ui::SetStrProp(&data, "Version", "1.0");
    EXPECT_EQ(ui::GetStrProp(&data, "Version"), "3.01.02.21");
    ui::SetStrProp(&data, "SkinStore", "(Good)");
    EXPECT_EQ(ui::GetStrProp(&data, "SkinStore"), "(none)");

    // Written back, the block is the length and the stored bytes.
    ui::TMemoryStream block;
    data.WriteSkinStream(block);
    const auto stored = SmallSkin().Stored();
    ASSERT_EQ(block.Size(), stored.size() + 4);
    EXPECT_EQ(std::memcmp(block.Memory() + 4, stored.data(), stored.size()), 0);
}

TEST_F(SkinDataForm, ConstructorDefaultsAndTheSkin3rdTable)
{
    TSkinData& data = Read("");
    EXPECT_FALSE(data.Active());
    EXPECT_TRUE(data.NoSkin);
    EXPECT_EQ(data.DisableTag(), 99);
    EXPECT_EQ(data.SkinFormtype(), sfMainform);
    EXPECT_TRUE(data.MenuUpdate());
    EXPECT_FALSE(data.MenuMerge());
    EXPECT_EQ(data.Options(), 0u);
    EXPECT_TRUE(data.NCPaintEnabled);
    EXPECT_TRUE(data.IconImage.Empty());
    // Every member but xcMenuItem and xcFastReport; Loaded keeps it (the main menu is in).
    EXPECT_EQ(data.SkinControls(), AllSkinControls & ~SkinControl(xcMenuItem) & ~SkinControl(xcFastReport));

    const ui::TStringList& rows = data.Skin3rd();
    ASSERT_EQ(rows.Count(), 110);
    EXPECT_EQ(rows[0], "TAdvPanelGroup=embedscrollbar");
    EXPECT_EQ(rows[40], "TDBCheckboxEh=Checkbox");
    EXPECT_EQ(rows[109], "TOVCDBNUMERICFIELD=Edit");
    EXPECT_EQ(data.Skin3rdKind("TLMDGroupBox"), std::optional<std::string>("groupbox"));
    EXPECT_EQ(data.Skin3rdKind("TLMDGROUPBOX"), std::optional<std::string>("groupbox")) << "the first row wins";
    EXPECT_EQ(data.Skin3rdKind("TAdvPageControl"), std::optional<std::string>("nil"));
    EXPECT_FALSE(data.Skin3rdKind("TLMDGroupBoxEx")) << "the key includes the equals sign";
    EXPECT_FALSE(data.Skin3rdKind("TLMDGroup"));
    EXPECT_FALSE(data.Skin3rdKind("TButton"));
}

TEST_F(SkinDataForm, LoadedAdjustsSkinControls)
{
    TSkinData& data = Read("    SkinControls = [xcPopupMenu, xcSystemMenu]\n");
    EXPECT_EQ(data.SkinControls(), SkinControl(xcPopupMenu)) << "no system menu without the main menu";
    form = std::make_unique<ui::TForm>(nullptr);
    FreeSkinManager();
    TSkinData& other = Read("    SkinControls = [xcMainMenu, xcMenuItem]\n");
    EXPECT_EQ(other.SkinControls(), SkinControl(xcMainMenu));
}

TEST_F(SkinDataForm, LoadedRegistersWithTheManager)
{
    ASSERT_EQ(SkinManager(), nullptr);
    TSkinData& data = Read("    Active = True\n" + Stream(SmallSkin().Stored()));
    TSkinManage* manager = SkinManager();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->MainSkinData, &data);
    ASSERT_EQ(manager->SkinDataList.size(), 1u);
    EXPECT_NE(manager->HookHandle, nullptr);
    EXPECT_EQ(manager->RunState, 0);
    EXPECT_TRUE(manager->SkinEnabled) << "before any activation the request only switches skinning on";
    EXPECT_FALSE(manager->TimerEnabled());
    EXPECT_TRUE(data.Active());

    // Off and on again before any window was activated: no timer is left running.
    data.SetActive(false);
    EXPECT_FALSE(manager->SkinEnabled);
    data.SetActive(true);
    EXPECT_TRUE(manager->SkinEnabled);
    EXPECT_FALSE(manager->TimerEnabled());
    EXPECT_EQ(manager->PendingSkinData, &data);

    form.reset();
    EXPECT_TRUE(manager->SkinDataList.empty()) << "the component leaves the manager when freed";
    EXPECT_EQ(manager->MainSkinData, nullptr);
}

TEST_F(SkinDataForm, EmptyOrDamagedStreamLeavesNoSkinAndActiveOff)
{
    TSkinData& data = Read("    Active = True\n    SkinStream = {\n      00000000}\n");
    EXPECT_TRUE(data.NoSkin);
    EXPECT_EQ(data.SkinStream().Size(), 0u);
    EXPECT_FALSE(data.Active()) << "Loaded switches a skinless component off";
    EXPECT_FALSE(SkinManager()->SkinEnabled);

    form = std::make_unique<ui::TForm>(nullptr);
    FreeSkinManager();
    auto stored = SmallSkin().Stored();
    stored[3] = 0x40;  // a gigabyte of declared expanded size
    TSkinData& damaged = Read("    Active = True\n" + Stream(stored));
    EXPECT_TRUE(damaged.NoSkin);
    EXPECT_EQ(damaged.Tabs, nullptr);
    EXPECT_FALSE(damaged.Active());
}

TEST_F(SkinDataForm, AnOlderArchiveShowsTheMessageAndLoadsNothing)
{
    TSkinData& data = Read("");
    auto container = SmallSkin().Container();
    container[0] = 0x21;  // version 20001
    data.SkinStream() = ui::TMemoryStream(test_skins::StoredOf(container));
    std::wstring text, caption;
    bool loaded = true;
    const bool seen = testing_support::AnswerWhenShown(
        L"TMessageForm",
        [&](HWND dialog) {
            caption = testing_support::WindowText(dialog);
            if (auto* box = dynamic_cast<ui::TMessageForm*>(ui::FindControl(dialog)))
                text = box->Message();
            // The dialog keeps line breaks as CR LF.
            for (std::size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;)
                text.erase(at + 1, 1);
            testing_support::PressButton(dialog, L"OK");
        },
        [&] { loaded = data.LoadSkinData(); });
    EXPECT_TRUE(seen);
    EXPECT_EQ(caption, L"Information");
    EXPECT_EQ(text, L"This is Older Skin File\rPlease update to new version !");
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(data.NoSkin);
}

TEST_F(SkinDataForm, AllowFormSkinFiltersWindowClasses)
{
    TSkinData& data = Read("    SkinControls = [xcMainMenu]\n");
    auto allowed = [&](const std::string& name) {
        bool doSkin = true;
        data.AllowFormSkin(name, doSkin);
        return doSkin;
    };
    EXPECT_FALSE(allowed("SysMonthCal32"));
    EXPECT_TRUE(allowed("sysmonthcal32")) << "the comparison is exact";
    EXPECT_TRUE(allowed("TfrPreviewForm")) << "report windows are skipped only with xcFastReport";
    data.SetSkinControls(data.SkinControls() | SkinControl(xcFastReport));
    EXPECT_FALSE(allowed("TfrPreviewForm"));
    EXPECT_TRUE(allowed("TForm1"));

    std::string asked;
    data.OnFormSkin = [&](ui::TObject* sender, const std::string& name, bool& doSkin) {
        EXPECT_EQ(sender, &data);
        asked = name;
        doSkin = name != "TForm1";
    };
    EXPECT_TRUE(allowed("SysMonthCal32")) << "a handler alone decides";
    EXPECT_FALSE(allowed("TForm1"));
    EXPECT_EQ(asked, "TForm1");
    EXPECT_TRUE(ui::HasMethodProp(&data, "OnFormSkin"));
}

TEST_F(SkinDataForm, ActiveAtRunTimeWithoutASkinLeavesTheManagerAlone)
{
    TSkinData data(nullptr);
    data.SetActive(true);
    EXPECT_EQ(SkinManager(), nullptr);
    data.SetActive(false);

    TSkinData& read = Read("");
    TSkinManage* manager = SkinManager();
    read.SetActive(true);
    EXPECT_TRUE(read.Active());
    EXPECT_EQ(manager->PendingSkinData, nullptr);
    EXPECT_EQ(manager->PendingAction, saNone);
    EXPECT_FALSE(manager->SkinEnabled);
}

TEST_F(SkinDataForm, SkinFileLoadsAnArchiveFromDisk)
{
    TSkinData& data = Read("");
    const std::string path = "skin-objects-test.skn";
    {
        const auto stored = SmallSkin().Stored();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(stored.data()), static_cast<std::streamsize>(stored.size()));
    }
    data.SetSkinFile(path);
    EXPECT_FALSE(data.NoSkin);
    EXPECT_EQ(data.SkinName, "Test");
    EXPECT_EQ(SkinManager()->PendingSkinData, &data) << "a main component re-applies its new skin";
    std::remove(path.c_str());

    data.SetSkinFile("no-such-skin.skn");
    EXPECT_TRUE(data.NoSkin);
    EXPECT_EQ(data.SkinFile(), "no-such-skin.skn");
}

TEST(SkinDataGlyphs, MenuGlyphsComeFromTheLinkedResource)
{
    TSkinData data(nullptr);
    ASSERT_EQ(data.MenuGlyphs.Count(), 4);
    ui::TBitmap canvas(64, 16);
    canvas.Canvas().Brush().SetColor(0x00C000);
    canvas.Canvas().FillRect(ui::Rect(0, 0, 64, 16));
    for (int i = 0; i < 4; ++i)
        data.MenuGlyphs.Draw(canvas.Canvas().Handle(), 16 * i, 0, i);
    auto at = [&](int x, int y) { return canvas.Canvas().Pixel(x, y); };
    // White is the mask: the background shows around the black glyph pixels.
    EXPECT_EQ(at(0, 0), 0x00C000);
    EXPECT_EQ(at(16 + 3, 2), 0x000000) << "maximise: the thick top edge";
    EXPECT_EQ(at(16 + 8, 8), 0x00C000) << "maximise: the window's inside";
    EXPECT_EQ(at(32 + 5, 10), 0x000000) << "minimise: the bar";
    EXPECT_EQ(at(32 + 5, 4), 0x00C000);
    EXPECT_EQ(at(48 + 7, 6), 0x000000) << "close: the crossing";
    EXPECT_EQ(at(48 + 1, 6), 0x00C000);
}

} // namespace
