// The skinned menu bar with real mouse and keyboard input: the platform bar goes, the skin's bar
// opens its drop-down menus, the user moves along it with the arrows and the mouse, items run once,
// and skin off gives the menus back as they were.
#include "FrameTesting.h"
#include "MenuInput.h"
#include "UiTesting.h"
#include "WindowTesting.h"

#include "skin/window/SkinMenuItems.h"
#include "skin/window/SkinPopMenu.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace {

using frame_testing::SkinnedWindows;
using namespace menu_testing;
using testing_support::PumpMessages;
using testing_support::PumpUntil;

class MenuBar : public ::testing::Test, public SkinnedWindows {
protected:
    ~MenuBar() override { SetCursorPos(0, 0); }

    // A form with File, Edit, View and Help menus (View's items start, double and end with
    // separators; Help has a disabled item).
    ui::TForm* ShowMenuForm()
    {
        return ShowFormWith(
            [this](ui::TForm& form) {
                images_ = new ui::TImageList(&form);
                ui::TBitmap strip(32, 16);
                strip.Canvas().Brush().SetColor(ui::TColor(0x0000C000));
                strip.Canvas().FillRect(ui::Rect(0, 0, 32, 16));
                images_->AddMasked(strip, ui::TColor(0x00FF00FF));
                menu_ = new ui::TMainMenu(&form);
                menu_->SetImages(images_);
                auto* file = Add(menu_->Items(), L"&File");
                openItem_ = Add(file, L"&Open...");
                openItem_->SetShortCut(ui::TextToShortCut(L"Ctrl+O"));
                openItem_->SetImageIndex(0);
                Add(file, L"-");
                auto* exitItem = Add(file, L"E&xit");
                (void)exitItem;
                auto* edit = Add(menu_->Items(), L"&Edit");
                Add(edit, L"&Undo")->SetShortCut(ui::TextToShortCut(L"Ctrl+Z"));
                auto* wrap = Add(edit, L"&Word wrap");
                wrap->SetChecked(true);
                auto* more = Add(edit, L"&More");
                Add(more, L"&First");
                Add(more, L"&Second");
                auto* view = Add(menu_->Items(), L"&View");
                Add(view, L"-");
                Add(view, L"&Toolbar");
                Add(view, L"-");
                Add(view, L"-");
                Add(view, L"&Status bar");
                Add(view, L"-");
                auto* help = Add(menu_->Items(), L"&Help");
                disabledItem_ = Add(help, L"&Contents");
                disabledItem_->SetEnabled(false);
                Add(help, L"&About");
                form.SetMenu(menu_);
            },
            420, 240);
    }

    ui::TMenuItem* Add(ui::TMenuItem* parent, const wchar_t* caption)
    {
        auto* item = new ui::TMenuItem(menu_->Owner());
        item->SetCaption(caption);
        item->OnClick = [this, item](ui::TObject*) { clicks_.push_back(item); };
        parent->Add(item);
        return item;
    }

    // The screen point in the middle of a bar button.
    POINT ButtonCentre(skin::TWinSkinForm& frame, int index)
    {
        const RECT& b = frame.SkinMenu->Buttons.at(static_cast<std::size_t>(index))->Bounds;
        RECT window{};
        GetWindowRect(frame.WindowHandle, &window);
        return POINT{window.left + (b.left + b.right) / 2, window.top + (b.top + b.bottom) / 2};
    }

    // A step that waits for the drop-down menu of bar button `index`.
    static TMenuScript::TStep OpenAt(int index)
    {
        return [index] {
            return skin::MenuTracking().BarIndex == index && !MenuWindows().empty();
        };
    }

    int ClicksOf(const ui::TMenuItem* item) const
    {
        return static_cast<int>(std::count(clicks_.begin(), clicks_.end(), item));
    }

    ui::TMainMenu* menu_ = nullptr;
    ui::TImageList* images_ = nullptr;
    ui::TMenuItem* openItem_ = nullptr;
    ui::TMenuItem* disabledItem_ = nullptr;
    std::vector<ui::TMenuItem*> clicks_;
};

TEST_F(MenuBar, TakesThePlatformBarOffAndDrawsItsOwnBelowTheCaption)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->SkinMenu, nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr) << "the platform menu bar is removed";
    EXPECT_EQ(frame->MenuHeight, GetSystemMetrics(SM_CYMENU));
    ASSERT_EQ(frame->SkinMenu->Buttons.size(), 4u);
    EXPECT_EQ(frame->SkinMenu->Buttons[0]->Caption, L"&File");
    EXPECT_EQ(frame->SkinMenu->Buttons[3]->Caption, L"&Help");

    // The client area starts right below the bar.
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    POINT client{0, 0};
    ClientToScreen(form->Handle(), &client);
    EXPECT_EQ(client.y - window.top, frame->BorderTop + frame->MenuHeight);
    EXPECT_EQ(form->ClientHeight(), 240);

    // The bar's first pixel is the skin's bar image; each caption is drawn in the bar's text colour.
    const auto pixels = frame_testing::ReadWindow(form->Handle());
    ui::TBitmap& bar = Data().MenuBar->Bitmap;
    EXPECT_EQ(pixels.At(frame->BorderLeft, frame->BorderTop), Rgb(bar.Canvas().Pixel(0, 0)));
    const std::uint32_t textRgb = Rgb(Data().MenuBarTextColor);
    for (const auto& button : frame->SkinMenu->Buttons) {
        int found = 0;
        for (int y = button->Bounds.top; y < button->Bounds.bottom; ++y)
            for (int x = button->Bounds.left; x < button->Bounds.right; ++x)
                found += pixels.At(x, y) == textRgb;
        EXPECT_GT(found, 5) << "caption of a bar button";
        EXPECT_GE(button->Bounds.top, frame->BorderTop);
        EXPECT_LE(button->Bounds.bottom, frame->BorderTop + frame->MenuHeight);
    }
    frame_testing::SaveScreenshot(form->Handle(), "menu-bar");
}

TEST_F(MenuBar, AClickOpensTheDropDownAtTheButtonsLowerLeftCornerAndEscClosesIt)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    const RECT button = frame->SkinMenu->Buttons[1]->Bounds;
    RECT menuRect{};
    TMenuScript script;
    script.Then(OpenAt(1))
        .Then([&] {
            GetWindowRect(MenuWindows().front(), &menuRect);
            TapKey(VK_ESCAPE);
            return true;
        })
        .Then([&] { return MenuWindows().empty(); });
    EXPECT_TRUE(script.Run([&] { ClickAt(ButtonCentre(*frame, 1)); })) << "stuck at step " << script.Step();
    EXPECT_EQ(menuRect.left, window.left + button.left);
    EXPECT_EQ(menuRect.top, window.top + button.bottom);
    EXPECT_FALSE(frame->MenuTracking);
    EXPECT_EQ(skin::MenuTracking().Hook, nullptr) << "the hook goes with the menu";
}

TEST_F(MenuBar, ArrowKeysMoveAlongTheBarAndWrap)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    std::vector<int> seen;
    const auto press = [&](WORD key) {
        return [&seen, key] {
            seen.push_back(skin::MenuTracking().BarIndex);
            TapKey(key);
            return true;
        };
    };
    TMenuScript script;
    script.Then(OpenAt(0))
        .Then(press(VK_LEFT))
        .Then(OpenAt(3))
        .Then(press(VK_RIGHT))
        .Then(OpenAt(0))
        .Then(press(VK_RIGHT))
        .Then(OpenAt(1))
        .Then(press(VK_ESCAPE))
        .Then([] { return MenuWindows().empty(); });
    EXPECT_TRUE(script.Run([&] { ClickAt(ButtonCentre(*frame, 0)); })) << "stuck at step " << script.Step();
    EXPECT_EQ(seen, (std::vector<int>{0, 3, 0, 1}));
}

TEST_F(MenuBar, ARightToLeftMenuMirrorsTheArrows)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    menu_->SetRightToLeft(true);
    PumpMessages();
    frame->PaintFrame();
    // The bar runs from the right: File is the rightmost button.
    EXPECT_GT(frame->SkinMenu->Buttons[0]->Bounds.left, frame->SkinMenu->Buttons[1]->Bounds.left);
    int opened = -1;
    TMenuScript script;
    script.Then(OpenAt(1))
        .Then([] { return skin::MenuTracking().HasCurrent; })
        .Then([] {
            // Left, as the user sees the bar, is the next menu.
            TapKey(VK_LEFT);
            return true;
        })
        .Then([&] {
            if (skin::MenuTracking().BarIndex == 1 || MenuWindows().empty())
                return false;
            opened = skin::MenuTracking().BarIndex;
            TapKey(VK_ESCAPE);
            return true;
        })
        .Then([] { return MenuWindows().empty(); });
    EXPECT_TRUE(script.Run([&] { ClickAt(ButtonCentre(*frame, 1)); })) << "stuck at step " << script.Step();
    EXPECT_EQ(opened, 2);
}

TEST_F(MenuBar, AltLetterAltAloneAndF10OpenTheBarMenus)
{
    ui::TForm* form = ShowMenuForm();
    ASSERT_NE(FrameOf(form->Handle()), nullptr);
    SetForegroundWindow(form->Handle());
    MouseTo(POINT{0, 0});
    const auto escape = [] {
        TapKey(VK_ESCAPE);
        return true;
    };
    const auto closed = [] { return MenuWindows().empty() && skin::MenuTracking().BarIndex < 0; };
    TMenuScript altE;
    altE.Then(OpenAt(1)).Then(escape).Then(closed);
    EXPECT_TRUE(altE.Run([] { AltChord('E'); })) << "Alt+E opens Edit";
    TMenuScript altH;
    altH.Then(OpenAt(3)).Then(escape).Then(closed);
    EXPECT_TRUE(altH.Run([] { AltChord('H'); })) << "Alt+H opens Help";
    TMenuScript f10;
    f10.Then(OpenAt(0)).Then(escape).Then(closed);
    EXPECT_TRUE(f10.Run([] { TapKey(VK_F10); })) << "F10 enters the bar";
    TMenuScript alt;
    alt.Then(OpenAt(0)).Then(escape).Then(closed);
    EXPECT_TRUE(alt.Run([] { TapKey(VK_MENU); })) << "Alt alone enters the bar";
}

TEST_F(MenuBar, EnterRunsTheSelectedItemOnceAndDisabledItemsDoNothing)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    // The first item is selected as the menu opens; Enter chooses it.
    TMenuScript open;
    open.Then(OpenAt(0))
        .Then([] { return skin::MenuTracking().HasCurrent; })
        .Then([] {
            TapKey(VK_RETURN);
            return true;
        })
        .Then([] { return MenuWindows().empty(); });
    EXPECT_TRUE(open.Run([&] { ClickAt(ButtonCentre(*frame, 0)); })) << "stuck at step " << open.Step();
    PumpUntil([&] { return ClicksOf(openItem_) > 0; }, std::chrono::seconds(2));
    PumpMessages();
    EXPECT_EQ(ClicksOf(openItem_), 1);

    // Help's first item is disabled: Enter on it leaves the menu open and runs nothing.
    TMenuScript disabled;
    disabled.Then(OpenAt(3))
        .Then([] { return skin::MenuTracking().HasCurrent; })
        .Then([] {
            TapKey(VK_RETURN);
            return true;
        })
        .Then([] {
            // Whether the platform keeps the menu open on a disabled item or not, it ends closed.
            if (!MenuWindows().empty())
                TapKey(VK_ESCAPE);
            return true;
        })
        .Then([] { return MenuWindows().empty(); });
    EXPECT_TRUE(disabled.Run([&] { ClickAt(ButtonCentre(*frame, 3)); })) << "stuck at step " << disabled.Step();
    PumpMessages();
    EXPECT_EQ(ClicksOf(disabledItem_), 0);
}

TEST_F(MenuBar, AnItemsMnemonicRunsItInTheOpenMenu)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    TMenuScript script;
    script.Then(OpenAt(1))
        .Then([] {
            TapKey('W');
            return true;
        })
        .Then([] { return MenuWindows().empty(); });
    EXPECT_TRUE(script.Run([&] { ClickAt(ButtonCentre(*frame, 1)); })) << "stuck at step " << script.Step();
    const auto wordWrap = [&] {
        return std::count_if(clicks_.begin(), clicks_.end(),
                             [](const ui::TMenuItem* item) { return item->Caption() == L"&Word wrap"; });
    };
    PumpUntil([&] { return wordWrap() > 0; }, std::chrono::seconds(2));
    PumpMessages();
    EXPECT_EQ(wordWrap(), 1);
}

TEST_F(MenuBar, HoveringAcrossTheBarWhileAMenuIsOpenSwitchesMenus)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    TMenuScript script;
    script.Then(OpenAt(0))
        .Then([&] {
            MouseTo(ButtonCentre(*frame, 2));
            return true;
        })
        .Then(OpenAt(2))
        .Then([&] {
            MouseTo(ButtonCentre(*frame, 1));
            return true;
        })
        .Then(OpenAt(1))
        .ThenEscape();
    EXPECT_TRUE(script.Run([&] { ClickAt(ButtonCentre(*frame, 0)); })) << "stuck at step " << script.Step();
}

TEST_F(MenuBar, SeparatorsAtTheEndsAndDoubledOnesDoNotShow)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    std::vector<std::wstring> shown;
    TMenuScript script;
    script.Then(OpenAt(2))
        .Then([&] {
            HMENU menu = frame->SkinMenu->Buttons[2]->SubMenu;
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                wchar_t text[64] = {};
                GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
                shown.push_back(text);
            }
            TapKey(VK_ESCAPE);
            return true;
        })
        .Then([] { return MenuWindows().empty(); });
    EXPECT_TRUE(script.Run([&] { ClickAt(ButtonCentre(*frame, 2)); })) << "stuck at step " << script.Step();
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"&Toolbar", L"-", L"&Status bar"}));
}

TEST_F(MenuBar, TheDropDownsBorderAndItemsComeFromTheSkin)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    frame_testing::TWindowPixels menuPixels;
    bool skinned = false;
    TMenuScript script;
    script.Then(OpenAt(0))
        .Then([] { return skin::MenuTracking().HasCurrent; })
        .Then([&] {
            HWND window = MenuWindows().front();
            skinned = SendMessageW(window, skin::WM_SKINQUERY, 0, 0) == 1;
            menuPixels = frame_testing::ReadWindowAsIs(window);
            frame_testing::SaveScreenshot(window, "drop-down");
            TapKey(VK_ESCAPE);
            return true;
        })
        .Then([] { return MenuWindows().empty(); });
    ASSERT_TRUE(script.Run([&] { ClickAt(ButtonCentre(*frame, 0)); }));
    EXPECT_TRUE(skinned) << "the drop-down window is skinned";
    ASSERT_GT(menuPixels.width, 10);
    // The top-left corner is the skin's menu background image.
    EXPECT_EQ(menuPixels.At(0, 0), Rgb(Data().MenuBackground->Bitmap.Canvas().Pixel(0, 0)));
}

TEST_F(MenuBar, SkinOffGivesTheWindowItsPlatformMenuWithEveryText)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    // Open and close one menu first: its items were switched to owner-draw.
    TMenuScript script;
    script.Then(OpenAt(1))
        .ThenEscape();
    ASSERT_TRUE(script.Run([&] { ClickAt(ButtonCentre(*frame, 1)); }));

    frame->Detach();
    HMENU bar = GetMenu(form->Handle());
    ASSERT_EQ(bar, menu_->Handle()) << "the platform bar is back";
    EXPECT_EQ(GetMenuItemCount(bar), 4);
    HMENU edit = GetSubMenu(bar, 1);
    ASSERT_NE(edit, nullptr);
    for (int i = 0; i < GetMenuItemCount(edit); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(edit, static_cast<UINT>(i), TRUE, &info);
        EXPECT_FALSE(info.fType & MFT_OWNERDRAW) << "item " << i << " is drawn by the platform again";
    }
    wchar_t text[64] = {};
    GetMenuStringW(edit, 0, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&Undo\tCtrl+Z");
}

TEST_F(MenuBar, SkinOffAskedForWhileAMenuIsOpenWaitsForTheMenuToClose)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    HWND window = form->Handle();
    bool keptWhileOpen = false;
    auto asked = std::chrono::steady_clock::now();
    TMenuScript script;
    script.Then(OpenAt(0))
        .Then([&] {
            Data().SetActive(false);
            asked = std::chrono::steady_clock::now();
            return true;
        })
        .Then([&] {
            // Well past the manager's deferral: the frame whose menu is open is still there.
            if (std::chrono::steady_clock::now() - asked < std::chrono::milliseconds(700))
                return false;
            keptWhileOpen = FrameOf(window) == frame;
            TapKey(VK_ESCAPE);
            return true;
        })
        .Then([] { return MenuWindows().empty(); });
    EXPECT_TRUE(script.Run([&] { ClickAt(ButtonCentre(*frame, 0)); })) << "stuck at step " << script.Step();
    EXPECT_TRUE(keptWhileOpen);
    PumpUntil([window] { return FrameOf(window) == nullptr; }, std::chrono::seconds(3));
    EXPECT_EQ(FrameOf(window), nullptr) << "the skin goes once the menu closed";
    EXPECT_EQ(GetMenu(window), menu_->Handle());
}

// A plain window with a platform menu: the bar is built from the window's menu, a choice arrives
// as WM_COMMAND, and moving through its items (which no main menu knows) is safe.
TEST_F(MenuBar, APlainWindowsMenuIsSkinnedFromThePlatformMenu)
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 101, L"&New");
    AppendMenuW(file, MF_STRING, 102, L"&Close");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_STRING, 103, L"&Run");
    HWND window = ShowPlainWindow(WS_OVERLAPPEDWINDOW, 360, 220);
    ASSERT_NE(window, nullptr);
    skin::TWinSkinForm* frame = FrameOf(window);
    ASSERT_NE(frame, nullptr);
    // The menu is given after skinning, as a program may do.
    SetMenu(window, bar);
    SendMessageW(window, ui::CM_MENUCHANGED, 0, 0);
    PumpMessages();
    ASSERT_NE(frame->SkinMenu, nullptr);
    ASSERT_EQ(frame->SkinMenu->Buttons.size(), 2u);
    EXPECT_EQ(frame->SkinMenu->Buttons[0]->Caption, L"&File");
    EXPECT_EQ(GetMenu(window), nullptr);
    frame->PaintFrame();

    plainLog.clear();
    TMenuScript script;
    script.Then(OpenAt(0))
        .Then([] { return skin::MenuTracking().HasCurrent; })
        .Then([] {
            TapKey(VK_DOWN);
            TapKey(VK_RETURN);
            return true;
        })
        .Then([] { return MenuWindows().empty(); });
    EXPECT_TRUE(script.Run([&] { ClickAt(ButtonCentre(*frame, 0)); })) << "stuck at step " << script.Step();
    frame->Detach();
    EXPECT_EQ(GetMenu(window), bar);
    wchar_t text[32] = {};
    GetMenuStringW(file, 1, text, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&Close") << "the text survives owner-draw and back";
}

TEST_F(MenuBar, FiveHundredMenuOpeningsGiveBackEveryGdiObject)
{
    ui::TForm* form = ShowMenuForm();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    skin::TMenuBtn& edit = *frame->SkinMenu->Buttons[1];
    const auto openOnce = [&] {
        // Closed as soon as its items are drawn.
        TMenuScript script;
        script.Then([] {
            const auto menus = MenuWindows();
            if (menus.empty() || !skin::MenuTracking().HasCurrent)
                return false;
            PostMessageW(menus.front(), WM_KEYDOWN, VK_ESCAPE, 0);
            return true;
        });
        return script.Run([&] { frame->SkinMenu->OpenMenu(edit); });
    };
    ASSERT_TRUE(openOnce());
    const unsigned before = frame_testing::GdiProbe();
    int opened = 0;
    for (int i = 0; i < 500; ++i)
        opened += openOnce();
    EXPECT_EQ(opened, 500);
    // A leak moves the probe up; objects an earlier test left for later may go meanwhile.
    EXPECT_LE(frame_testing::GdiProbe(), before);
}

} // namespace
