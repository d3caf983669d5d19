// The skin objects as a test skin's definition builds them: nil and empty slots, the readers'
// defaults and clamps, caption and MDI buttons, check and radio strips, colours, the combo
// composite, reloads and damaged skins.
#include "TestSkins.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"

#include <gtest/gtest.h>

using namespace skin;
using test_skins::MakeBmp;
using test_skins::TTestSkin;

namespace {

ui::TColor PixelAt(const ui::TBitmap& b, int x, int y)
{
    const int bytes = static_cast<int>(b.PixelFormat()) / 8;
    const std::uint8_t* p = b.ScanLine(y) + x * bytes;
    return p[2] | (p[1] << 8) | (p[0] << 16);
}

class SkinObjects : public ::testing::Test {
protected:
    void TearDown() override { FreeSkinManager(); }

    bool Load(const TTestSkin& skin)
    {
        const auto stored = skin.Stored();
        data.SkinStream() = ui::TMemoryStream(stored);
        return data.LoadSkinData();
    }

    TSkinData data{nullptr};
};

TEST_F(SkinObjects, SlotIsNilWithoutImageKeyAndEmptyWhenTheFileIsMissing)
{
    TTestSkin skin;
    skin.Ini = "[GroupBoxEdge]\nLeftWidth=3\nTopHeight=4\nTile=1\n"
               "[Toolbars]\nImage=absent.bmp\nLeftWidth=2\n"
               "[Headerbar]\nImage=header.BMP\n"
               "[MenuItem]\nImage=c:\\skins\\old\\item.bmp\n"
               "[SunkEdge]\nImage=edge.tga\n";
    skin.Bmp("header.bmp", 10, 4).Bmp("item.bmp", 25, 6).Bmp("edge.tga", 8, 8);
    ASSERT_TRUE(Load(skin));
    EXPECT_FALSE(data.NoSkin);

    EXPECT_EQ(data.GroupBoxEdge, nullptr) << "other keys without Image create nothing";
    ASSERT_NE(data.Toolbars, nullptr);
    EXPECT_TRUE(data.Toolbars->Bitmap.Empty()) << "a file the archive lacks gives an empty image";
    EXPECT_EQ(data.Toolbars->LeftWidth, 2);
    EXPECT_EQ(data.Toolbars->Name, "Toolbars");
    ASSERT_NE(data.Headerbar, nullptr);
    EXPECT_TRUE(data.Headerbar->Bitmap.Empty()) << "the .bmp extension is compared case-sensitively";
    ASSERT_NE(data.MenuItem, nullptr);
    EXPECT_EQ(data.MenuItem->Bitmap.Width(), 25) << "only the file-name part of a path is looked up";
    ASSERT_NE(data.SunkEdge, nullptr);
    EXPECT_TRUE(data.SunkEdge->Bitmap.Empty()) << "only .bmp entries are images";
    EXPECT_EQ(data.Scrollbar, nullptr);
    EXPECT_EQ(data.Progress, nullptr);
    EXPECT_EQ(data.MenuBar, nullptr);
}

TEST_F(SkinObjects, ImagesKeepTheirRowOrderAndPixelFormat)
{
    // Top half red, bottom half blue, in each of the stored layouts skins use.
    auto picture = [](int, int y) { return y < 4 ? 0x0000FF : 0xFF0000; };
    TTestSkin skin;
    skin.Ini = "[Toolbars]\nImage=up.bmp\n[Headerbar]\nImage=down.bmp\n[MenuItem]\nImage=wide.bmp\n";
    skin.Add("up.bmp", MakeBmp(5, 8, picture, 24, false));
    skin.Add("down.bmp", MakeBmp(5, 8, picture, 24, true));
    skin.Add("wide.bmp", MakeBmp(5, 8, picture, 32, false));
    ASSERT_TRUE(Load(skin));
    for (TDataSkinObject* o : {data.Toolbars.get(), data.Headerbar.get(), data.MenuItem.get()}) {
        ASSERT_NE(o, nullptr);
        ASSERT_EQ(o->Bitmap.Width(), 5) << o->Name;
        ASSERT_EQ(o->Bitmap.Height(), 8) << o->Name;
        EXPECT_EQ(PixelAt(o->Bitmap, 4, 0), 0x0000FF) << o->Name;
        EXPECT_EQ(PixelAt(o->Bitmap, 0, 3), 0x0000FF) << o->Name;
        EXPECT_EQ(PixelAt(o->Bitmap, 2, 4), 0xFF0000) << o->Name;
        EXPECT_EQ(PixelAt(o->Bitmap, 4, 7), 0xFF0000) << o->Name;
    }
    EXPECT_EQ(data.MenuItem->Bitmap.PixelFormat(), ui::TPixelFormat::pf32bit);
    EXPECT_EQ(data.Toolbars->Bitmap.PixelFormat(), ui::TPixelFormat::pf24bit);
}

TEST_F(SkinObjects, TileAboveOneIsClampedOnlyByTheGenericBorderAndBoxLabelReaders)
{
    TTestSkin skin;
    skin.Ini = "[GroupBoxEdge]\nImage=a.bmp\nTile=2\n"
               "[Tabs]\nImage=a.bmp\nTile=2\nBorder=b.bmp\nStyle=3\n"
               "[GroupBox]\nImage=a.bmp\nTile=2\nBackgroundAlignment=1\nBackgroundLeftShift=4\n"
               "BackgroundRightShift=5\n"
               "[Progress]\nBitmap=a.bmp\nChunk=b.bmp\nTile=2\nStyle=3\n"
               "[Buttons]\nBitmap=a.bmp\nTile=2\n"
               "[Toolbars]\nImage=a.bmp\nTile=1\n";
    skin.Bmp("a.bmp", 20, 10).Bmp("b.bmp", 7, 3);
    ASSERT_TRUE(Load(skin));
    ASSERT_NE(data.GroupBoxEdge, nullptr);
    EXPECT_EQ(data.GroupBoxEdge->Tile, 0);
    ASSERT_NE(data.Tabs, nullptr);
    EXPECT_EQ(data.Tabs->Tile, 0);
    EXPECT_EQ(data.Tabs->Chunk.Width(), 7);
    EXPECT_EQ(data.Tabs->Style, 0) << "the border reader reads no Style";
    ASSERT_NE(data.GroupBox, nullptr);
    EXPECT_EQ(data.GroupBox->Tile, 0);
    EXPECT_EQ(data.GroupBox->BackgroundAlignment, 1);
    EXPECT_EQ(data.GroupBox->BackgroundLeftShift, 4);
    EXPECT_EQ(data.GroupBox->BackgroundRightShift, 5);
    ASSERT_NE(data.Progress, nullptr);
    EXPECT_EQ(data.Progress->Tile, 2);
    EXPECT_EQ(data.Progress->Style, 3);
    EXPECT_EQ(data.Progress->Chunk.Width(), 7);
    EXPECT_EQ(data.Progress->NormalColour, NoColourChoice) << "the bar reader reads no colours";
    EXPECT_EQ(data.Buttons->Tile, 2);
    ASSERT_NE(data.Toolbars, nullptr);
    EXPECT_EQ(data.Toolbars->Tile, 1);
}

TEST_F(SkinObjects, CaptionButtonsAreFilteredAndTheirFrameCountsComputed)
{
    TTestSkin skin;
    skin.Ini = "[Buttons]\nBitmap=a.bmp\n"
               "[Button.Radio]\nButtonImage=wide.bmp\n"
               "[BUTTON]\nButtonImage=wide.bmp\n"
               "[ButtonClose]\nAction=0\nButtonImage=narrow.bmp\nAlign=1\nXcoord=20\nYcoord=5\n"
               "[ButtonMax]\nAction=1\nButtonImage=wide.bmp\n"
               "[ButtonHidden]\nAction=-1\nVisibility=0\nButtonImage=narrow.bmp\n"
               "[ButtonGone]\nAction=-1\nButtonImage=narrow.bmp\n"
               "[ButtonHelp]\nAction=3\nButtonImage=narrow.bmp\n"
               "[ButtonKept]\nAction=3\nframe=2\nButtonImage=narrow.bmp\n"
               "[buttonNoImage]\nAction=2\n";
    skin.Bmp("a.bmp", 50, 20).Bmp("narrow.bmp", 54, 18).Bmp("wide.bmp", 120, 18);
    ASSERT_TRUE(Load(skin));

    std::vector<std::string> names;
    for (const auto& b : data.SysButtons)
        names.push_back(b->Name);
    const std::vector<std::string> expected{"BUTTONCLOSE", "BUTTONMAX", "BUTTONHIDDEN", "BUTTONHELP", "BUTTONKEPT",
                                            "BUTTONNOIMAGE", "MDICONTROLS", "MDICONTROLS", "MDICONTROLS"};
    ASSERT_EQ(names, expected);

    const TDataSkinSysButton& close = *data.SysButtons[0];
    EXPECT_EQ(close.Frame, 3) << "54 x 18 is a ratio of 3.0";
    EXPECT_EQ(close.Align, 1);
    EXPECT_EQ(close.Xcoord, 20);
    EXPECT_EQ(close.Ycoord, 5);
    EXPECT_EQ(close.CombineOp, -1);
    EXPECT_EQ(close.Visibility1, 0);
    EXPECT_EQ(data.SysButtons[1]->Frame, 6) << "120 x 18 is a ratio above 3.8";
    const TDataSkinSysButton& hidden = *data.SysButtons[2];
    EXPECT_EQ(hidden.Frame, 6) << "a negative action always takes 6 frames";
    EXPECT_EQ(hidden.Visibility1, -1);
    EXPECT_TRUE(data.SysButtons[3]->Bitmap.Empty()) << "action 3 without a frame count loses its image";
    EXPECT_EQ(data.SysButtons[4]->Frame, 2);
    EXPECT_EQ(data.SysButtons[4]->Bitmap.Width(), 54) << "an explicit frame count keeps the image";
    EXPECT_EQ(data.SysButtons[5]->Frame, 6);

    for (int k = 0; k < 3; ++k) {
        const TDataSkinSysButton& mdi = *data.SysButtons[6 + k];
        EXPECT_EQ(mdi.Action, 7 + k);
        EXPECT_EQ(mdi.Align, 100);
        EXPECT_EQ(mdi.Visibility, 100);
        EXPECT_EQ(mdi.Visibility1, 100);
        EXPECT_EQ(mdi.Frame, 4);
        EXPECT_TRUE(mdi.Bitmap.Empty()) << "without MDICONTROLS the MDI buttons keep empty images";
    }
}

TEST_F(SkinObjects, MdiImagesAreCutFromOneStrip)
{
    TTestSkin skin;
    skin.Ini = "[MDICONTROLS]\nImage=mdi.bmp\n";
    // Three 60-pixel slices in three colours.
    const ui::TColor slice[3] = {0x0000C0, 0x00C000, 0xC00000};
    skin.Add("mdi.bmp", MakeBmp(180, 14, [&](int x, int) { return slice[x / 60]; }));
    ASSERT_TRUE(Load(skin));
    ASSERT_EQ(data.SysButtons.size(), 3u);
    const int xcoord[3] = {57, 38, 19};
    for (int k = 0; k < 3; ++k) {
        const TDataSkinSysButton& mdi = *data.SysButtons[k];
        ASSERT_EQ(mdi.Bitmap.Width(), 60);
        ASSERT_EQ(mdi.Bitmap.Height(), 14);
        EXPECT_EQ(mdi.Xcoord, xcoord[k]);
        EXPECT_EQ(PixelAt(mdi.Bitmap, 0, 0), slice[k]);
        EXPECT_EQ(PixelAt(mdi.Bitmap, 59, 13), slice[k]);
    }
}

TEST_F(SkinObjects, CheckAndRadioStripsGetTheirFrameCounts)
{
    TTestSkin skin;
    skin.Ini = "[Buttons]\nBitmap=button.bmp\nCheckButton=check.bmp\nRadioButton=radio.bmp\n"
               "NormalColour2=10 20 30\nPressedColour=4\n";
    skin.Bmp("button.bmp", 100, 21).Bmp("check.bmp", 65, 13).Bmp("radio.bmp", 40, 16);
    ASSERT_TRUE(Load(skin));
    EXPECT_EQ(data.Buttons->CheckButtonFrame, 5) << "13-pixel cells below 16 pixels of height";
    EXPECT_EQ(data.Buttons->RadioButtonFrame, 4) << "never fewer than 4 states";
    EXPECT_EQ(data.Buttons->Frame, 5);
    EXPECT_TRUE(data.Buttons->HasNormalColour2);
    EXPECT_FALSE(data.Buttons->HasMouseOverColour2);
    EXPECT_EQ(data.Buttons->NormalColour2, 10 + 20 * 256 + 30 * 65536);
    EXPECT_EQ(data.Buttons->MouseOverColour2, data.ButtonTextColor);
    EXPECT_EQ(data.Buttons->PressedColour, 4);
    EXPECT_EQ(data.Buttons->NormalColour, NoColourChoice);

    TTestSkin given;
    given.Ini = "[Buttons]\nCheckButton=check.bmp\nCheckButtonFrame=7\n";
    given.Bmp("check.bmp", 65, 13);
    ASSERT_TRUE(Load(given));
    EXPECT_EQ(data.Buttons->CheckButtonFrame, 7);
    EXPECT_TRUE(data.Buttons->Bitmap.Empty()) << "a reload clears an image the new skin lacks";
    EXPECT_EQ(data.Buttons->RadioButtonFrame, 4);
}

TEST_F(SkinObjects, TitleTextColourNeedsAllThreeComponents)
{
    TTestSkin skin;
    skin.Ini = "[Personality]\nActiveTextR=255\nActiveTextG=0x10\nActiveTextB=300\n"
               "InActiveTextR=1\nInActiveTextG=2\n"
               "TextShift=6\nTextShiftVert=3\nTextRightClip=40\nTextAlignment=2\nTextBack=tb.bmp\n"
               "[Fonts]\nFontHeight=17\n";
    skin.Bmp("tb.bmp", 30, 20);
    ASSERT_TRUE(Load(skin));
    const TDataSkinTitle& title = *data.Title;
    EXPECT_EQ(title.ActiveTextColor, 255 + 0x10 * 256 + (300 % 256) * 65536);
    EXPECT_EQ(title.InactiveTextColor, ui::clNone);
    EXPECT_EQ(title.Margins().left, 6);
    EXPECT_EQ(title.Margins().top, 3);
    EXPECT_EQ(title.Margins().right, 40);
    EXPECT_EQ(title.Margins().bottom, 0);
    EXPECT_EQ(title.TextAlignment, 2);
    EXPECT_EQ(title.FontHeight, 17);
    EXPECT_EQ(title.Frame, 2);
    EXPECT_EQ(title.Bitmap.Width(), 30);
}

TEST_F(SkinObjects, FrameBordersMenuBarAndFrameCounts)
{
    TTestSkin skin;
    skin.Ini = "[Personality]\nLeft=l.bmp\nLeftTopHeight=30\nLeftBotHeight=8\nLeftFrame=2\n"
               "Top=t.bmp\nTopTopHeight=12\nTopBotHeight=70\nTopStretch=0\nTopTrans=0\n"
               "MenuBar=mb.bmp\nTileMenu=1\nTileLeftMenu=0\n"
               "[Scrollbar]\nImage=s.bmp\n[VertScrollThumb]\nImage=s.bmp\nFrameCount=4\n"
               "[HorzScrollThumb]\nImage=s.bmp\n[UpDown.Vert]\nImage=s.bmp\nGlyphImage=l.bmp\n"
               "[Trackbar.ThumbDown]\nImage=s.bmp\n";
    skin.Bmp("l.bmp", 8, 60).Bmp("t.bmp", 120, 30).Bmp("mb.bmp", 40, 20).Bmp("s.bmp", 23 * 16, 16);
    ASSERT_TRUE(Load(skin));
    const TDataSkinBorder& left = *data.FrameLeft;
    EXPECT_EQ(left.Name, "Left");
    EXPECT_EQ(left.TopHeight, 30);
    EXPECT_EQ(left.BottomHeight, 8);
    EXPECT_EQ(left.LeftWidth, 0);
    EXPECT_EQ(left.Frame, 2);
    EXPECT_EQ(left.Tile, 1) << "Stretch defaults to 1";
    EXPECT_EQ(left.Trans, 1);
    const TDataSkinBorder& top = *data.FrameTop;
    EXPECT_EQ(top.LeftWidth, 12) << "horizontal borders carry their end margins left and right";
    EXPECT_EQ(top.RightWidth, 70);
    EXPECT_EQ(top.TopHeight, 0);
    EXPECT_EQ(top.Tile, 0);
    EXPECT_EQ(top.Trans, 0);
    EXPECT_EQ(top.Frame, 1);
    EXPECT_TRUE(data.FrameRight->Bitmap.Empty());
    ASSERT_NE(data.MenuBar, nullptr) << "keys match without regard to case";
    EXPECT_EQ(data.MenuBar->Tile, 1);
    EXPECT_EQ(data.MenuBar->LeftWidth, 0);
    EXPECT_EQ(data.MenuBar->RightWidth, 1);
    EXPECT_EQ(data.MenuBar->Frame, 2);
    EXPECT_EQ(data.Scrollbar->Frame, 23);
    EXPECT_EQ(data.VertScrollThumb->Frame, 4);
    EXPECT_EQ(data.HorzScrollThumb->Frame, 3);
    EXPECT_EQ(data.UpDownVert->Frame, 8);
    EXPECT_EQ(data.UpDownVert->Chunk.Height(), 60);
    EXPECT_EQ(data.TrackbarThumbDown->Frame, 5);
}

TEST_F(SkinObjects, ColoursTakeTheirDefaultsAndTheSkinsValues)
{
    TTestSkin skin;
    skin.Ini = "[Colours]\nButtonFace=200 201 202\nMenuText=1,2,3\nHilight=\n"
               "[Colour1]\ncolor=9 9 9\n[COLOURS2]\n[Colours]\nWindowText=5 5 5\n"
               "[Customcolors]\nColor3=0 0 255\n"
               "[ToolBars]\nImage=x.bmp\n";
    skin.Bmp("x.bmp", 10, 10);
    ASSERT_TRUE(Load(skin));
    EXPECT_EQ(data.ButtonFaceColor, 200 + 201 * 256 + 202 * 65536);
    EXPECT_EQ(data.MenubarColor, data.ButtonFaceColor) << "the menu bar defaults to the face just read";
    EXPECT_EQ(data.MenuTextColor, 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(data.HilightColor, static_cast<ui::TColor>(0xFF00000D)) << "an empty value takes the default";
    EXPECT_EQ(data.WindowTextColor, static_cast<ui::TColor>(0xFF000008)) << "only the first section is read";
    EXPECT_EQ(data.ButtonDkShadowColor, static_cast<ui::TColor>(0xFF000015));
    ASSERT_EQ(data.SectionColors.size(), 2u);
    EXPECT_EQ(data.SectionColors[0], 9 + 9 * 256 + 9 * 65536);
    EXPECT_EQ(data.SectionColors[1], static_cast<ui::TColor>(0xFF000008));
    EXPECT_EQ(data.CustomColors[3], 0xFF0000);
    EXPECT_EQ(data.CustomColors[0], 0xFFFFFF);
    ASSERT_NE(data.Toolbars, nullptr);
    EXPECT_EQ(data.Toolbars->NormalColour2, data.ButtonTextColor);
    LOGBRUSH brush{};
    ASSERT_NE(data.FaceBrush, nullptr);
    ASSERT_TRUE(GetObjectW(data.FaceBrush, sizeof(brush), &brush));
    EXPECT_EQ(brush.lbColor, RGB(200, 201, 202));
}

TEST_F(SkinObjects, ComboButtonBecomesAWholeComboFrame)
{
    const ui::TColor edge = 0x404040, inside = 0xF0F0F0, button = 0x00A000, arrow = 0x000000;
    TTestSkin skin;
    skin.Ini = "[SunkEdge]\nImage=sunk.bmp\nLeftWidth=2\nRightWidth=2\nTopHeight=3\nBottomHeight=2\n"
               "[ComboButton]\nImage=combo.bmp\n"
               "[ExtraImages]\nImage=extra.bmp\n";
    // Four sunken-edge frames of 10 x 10: a dark border around a light inside.
    skin.Add("sunk.bmp", MakeBmp(40, 10, [&](int x, int y) {
        const int fx = x % 10;
        return fx < 2 || fx >= 8 || y < 2 || y >= 8 ? edge : inside;
    }));
    // The button's left half is a distinct colour so its mirror shows.
    skin.Add("combo.bmp", MakeBmp(64, 16, [&](int x, int) { return x % 16 < 8 ? button : 0x0000A0; }));
    skin.Add("extra.bmp", MakeBmp(20, 4, [&](int, int) { return arrow; }));
    ASSERT_TRUE(Load(skin));
    ASSERT_NE(data.ComboButton, nullptr);
    const TDataSkinBorder& combo = *data.ComboButton;
    const int w = GetSystemMetrics(SM_CXHSCROLL) + 2;
    EXPECT_EQ(combo.Style, 2);
    EXPECT_EQ(combo.Frame, 4);
    EXPECT_EQ(combo.LeftWidth, 2);
    EXPECT_EQ(combo.RightWidth, w + 2);
    EXPECT_EQ(combo.TopHeight, 3);
    EXPECT_EQ(combo.BottomHeight, 2);
    ASSERT_EQ(combo.Bitmap.Width(), 200);
    ASSERT_EQ(combo.Bitmap.Height(), 21);
    for (int b = 0; b < 4; ++b) {
        const int x0 = 50 * b;
        EXPECT_EQ(PixelAt(combo.Bitmap, x0, 0), edge) << "frame " << b + 1;
        EXPECT_EQ(PixelAt(combo.Bitmap, x0 + 10, 10), SkinKeyColor) << "the inside is left transparent";
        EXPECT_EQ(PixelAt(combo.Bitmap, x0 + 2, 2), SkinKeyColor);
        EXPECT_EQ(PixelAt(combo.Bitmap, x0 + 1, 10), edge);
        // The arrow is centred in the button.
        EXPECT_EQ(PixelAt(combo.Bitmap, x0 + 50 - w + (w - 4) / 2 + 1, 9), arrow);
        EXPECT_EQ(PixelAt(combo.Bitmap, x0 + 50 - w, 1), button);
    }
    ASSERT_EQ(combo.Chunk.Width(), 64) << "the mirror of the button as read";
    EXPECT_EQ(PixelAt(combo.Chunk, 63, 0), button);
    EXPECT_EQ(PixelAt(combo.Chunk, 0, 0), 0x0000A0);
}

TEST_F(SkinObjects, AReloadReplacesObjectsAndKeepsThePermanentOnes)
{
    TTestSkin first;
    first.Ini = "[Tabs]\nImage=a.bmp\n[Personality]\nLeft=a.bmp\nTextBack=a.bmp\n";
    first.Bmp("a.bmp", 30, 30);
    ASSERT_TRUE(Load(first));
    TDataSkinBorder* left = data.FrameLeft.get();
    TDataSkinTitle* title = data.Title.get();
    ASSERT_NE(data.Tabs, nullptr);
    EXPECT_EQ(left->Bitmap.Width(), 30);

    TTestSkin second;
    second.Ini = "[StatusBarEdges]\nImage=b.bmp\n";
    second.Bmp("b.bmp", 9, 3);
    ASSERT_TRUE(Load(second));
    EXPECT_EQ(data.Tabs, nullptr);
    ASSERT_NE(data.StatusBarEdges, nullptr);
    EXPECT_EQ(data.StatusBarEdges->Frame, 3);
    EXPECT_EQ(data.FrameLeft.get(), left);
    EXPECT_EQ(data.Title.get(), title);
    EXPECT_TRUE(left->Bitmap.Empty());
    EXPECT_TRUE(title->Bitmap.Empty());
}

// A damaged archive or image is refused as a whole: NoSkin stays true and nothing is drawn from it,
// also when a good skin was loaded before.
TEST_F(SkinObjects, DamagedSkinsLeaveNothingBuilt)
{
    TTestSkin good;
    good.Ini = "[Tabs]\nImage=a.bmp\n[Personality]\nLeft=a.bmp\n[Buttons]\nBitmap=a.bmp\n";
    good.Bmp("a.bmp", 30, 30);

    auto expectNothing = [&](const char* what) {
        EXPECT_TRUE(data.NoSkin) << what;
        EXPECT_EQ(data.Tabs, nullptr) << what;
        EXPECT_TRUE(data.FrameLeft->Bitmap.Empty()) << what;
        EXPECT_TRUE(data.Buttons->Bitmap.Empty()) << what;
        EXPECT_TRUE(data.SysButtons.empty()) << what;
    };

    // A BMP whose header claims more rows than the file holds.
    auto lying = MakeBmp(30, 30, 0x808080);
    lying[22] = 0xFF;  // height 255
    TTestSkin badImage = good;
    badImage.Files.push_back({"lie.bmp", lying});
    badImage.Ini += "[SunkEdge]\nImage=lie.bmp\n";
    ASSERT_TRUE(Load(good));
    EXPECT_FALSE(Load(badImage));
    expectNothing("lying bmp");

    // An archive whose sizes run past its bodies.
    auto container = good.Container();
    const std::uint32_t nameLength = container[4] | container[5] << 8;
    container[16 + nameLength] = 0xFF;
    container[16 + nameLength + 1] = 0xFF;
    ASSERT_TRUE(Load(good));
    data.SkinStream() = ui::TMemoryStream(test_skins::StoredOf(container));
    EXPECT_FALSE(data.LoadSkinData());
    expectNothing("sizes past the bodies");

    // A stored stream declaring an absurd expanded size.
    auto stored = good.Stored();
    stored[3] = 0x7F;
    ASSERT_TRUE(Load(good));
    data.SkinStream() = ui::TMemoryStream(stored);
    EXPECT_FALSE(data.LoadSkinData());
    expectNothing("huge expanded size");

    // Bytes that are no archive at all, and a stream cut short.
    ASSERT_TRUE(Load(good));
    data.SkinStream() = ui::TMemoryStream(std::vector<std::uint8_t>{1, 2});
    EXPECT_FALSE(data.LoadSkinData());
    expectNothing("two bytes");
    auto cut = good.Stored();
    cut.resize(cut.size() / 3);
    data.SkinStream() = ui::TMemoryStream(cut);
    EXPECT_FALSE(data.LoadSkinData());
    expectNothing("truncated");
}

// One large file named from many slots: each image is within the bound for one image, but the
// load as a whole decodes past its budget and is refused as a damaged skin.
TEST_F(SkinObjects, DecodingPastTheLoadBudgetIsRefused)
{
    TTestSkin skin;
    skin.Bmp("big.bmp", 2000, 2000);
    skin.Ini = "[Toolbars]\nImage=big.bmp\n[Headerbar]\nImage=big.bmp\n"
               "[MenuItem]\nImage=big.bmp\n[MenuBackground]\nImage=big.bmp\n";
    ASSERT_TRUE(Load(skin)) << "four screen-sized images are within the budget";
    ASSERT_NE(data.MenuBackground, nullptr);
    EXPECT_EQ(data.MenuBackground->Bitmap.Width(), 2000);

    skin.Ini += "[Scrollbar]\nImage=big.bmp\n[SunkEdge]\nImage=big.bmp\n";
    EXPECT_FALSE(Load(skin));
    EXPECT_TRUE(data.NoSkin);
    EXPECT_EQ(data.Toolbars, nullptr);
    EXPECT_EQ(data.MenuBackground, nullptr);
    EXPECT_EQ(data.Scrollbar, nullptr);
    EXPECT_EQ(data.SunkEdge, nullptr);

    // The budget is per load: the first skin loads again afterwards.
    skin.Ini = "[Toolbars]\nImage=big.bmp\n";
    ASSERT_TRUE(Load(skin));
    EXPECT_FALSE(data.NoSkin);
}

} // namespace
