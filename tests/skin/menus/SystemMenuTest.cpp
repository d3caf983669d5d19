// The skinned system menu, opened with Alt+Space and from the caption's icon; a double click on
// the icon closes the window; its items act on the window.
#include "FrameTesting.h"
#include "MenuInput.h"
#include "WindowTesting.h"

#include "ui/ImgList.h"
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using frame_testing::SkinnedWindows;
using namespace menu_testing;
using testing_support::PumpMessages;
using testing_support::PumpUntil;

class SystemMenu : public ::testing::Test, public SkinnedWindows {
protected:
    ~SystemMenu() override { SetCursorPos(0, 0); }

    // The middle of the caption button that opens the system menu (it shows the window's icon).
    static POINT IconCentre(skin::TWinSkinForm& frame)
    {
        frame.PaintFrame();
        RECT window{};
        GetWindowRect(frame.WindowHandle, &window);
        for (int i = 0; i < frame.CaptionButtonCount(); ++i) {
            skin::TWinSysButton& button = *frame.CaptionButton(i);
            if (button.Visible && button.ShowsIcon())
                return POINT{window.left + (button.Bounds.left + button.Bounds.right) / 2,
                             window.top + (button.Bounds.top + button.Bounds.bottom) / 2};
        }
        ADD_FAILURE() << "no icon button";
        return POINT{};
    }

    static std::vector<std::wstring> Texts(HMENU menu)
    {
        std::vector<std::wstring> texts;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            texts.push_back(text);
        }
        return texts;
    }

    static bool Closed() { return MenuWindows().empty(); }
    static bool Escape()
    {
        TapKey(VK_ESCAPE);
        return true;
    }
    static bool Closes()
    {
        return std::any_of(plainLog.begin(), plainLog.end(),
                           [](const auto& entry) { return entry.first == WM_CLOSE; });
    }
};

TEST_F(SystemMenu, AltSpaceOpensTheSkinsSystemMenuWithItsGlyphs)
{
    ui::TForm* form = ShowForm(ui::TFormBorderStyle::bsSizeable, 320, 200);
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->SysPopupMenu, nullptr);
    SetForegroundWindow(form->Handle());
    PumpMessages();
    bool skinned = false;
    int kind = -1;
    HMENU shown = nullptr;
    TMenuScript script;
    script.Then([] { return !MenuWindows().empty(); })
        .Then([&] {
            HWND window = MenuWindows().front();
            skinned = SendMessageW(window, skin::WM_SKINQUERY, 0, 0) == 1;
            kind = skin::SkinManager()->MenuKind;
            shown = ShownMenu(window);
            frame_testing::SaveScreenshot(window, "system-menu");
            return Escape();
        })
        .Then(Closed);
    EXPECT_TRUE(script.Run([] { AltChord(VK_SPACE); })) << "stuck at step " << script.Step();
    EXPECT_TRUE(skinned);
    EXPECT_EQ(kind, 2) << "opened as the system menu";
    EXPECT_EQ(shown, frame->SysPopupMenu->Handle());
    EXPECT_EQ(Texts(frame->SysPopupMenu->Handle()),
              (std::vector<std::wstring>{L" Restore ", L" Maximize ", L" Minimize ", L"-", L" Close \tShift+F4"}));
    EXPECT_EQ(skin::SkinManager()->MenuKind, 0) << "back to popup menus once it closed";
    EXPECT_NE(frame->SysPopupMenu->Images(), nullptr);
    EXPECT_EQ(frame->SysPopupMenu->Images()->Count(), 4) << "the system-menu glyphs";
}

TEST_F(SystemMenu, TheIconOpensItAndItsCloseItemClosesTheWindow)
{
    HWND window = ShowPlainWindow(WS_OVERLAPPEDWINDOW, 320, 200);
    skin::TWinSkinForm* frame = FrameOf(window);
    ASSERT_NE(frame, nullptr);
    const POINT icon = IconCentre(*frame);
    plainLog.clear();
    // Restore is disabled in normal state; Up from nothing selects the last item, Close.
    bool restoreEnabled = true;
    TMenuScript script;
    script.Then([] { return !MenuWindows().empty(); })
        .Then([&] {
            restoreEnabled = frame->SysPopupMenu->Items()->Items(0)->Enabled();
            TapKey(VK_UP);
            TapKey(VK_RETURN);
            return true;
        })
        .Then(Closed);
    EXPECT_TRUE(script.Run([&] { ClickAt(icon); })) << "stuck at step " << script.Step();
    EXPECT_FALSE(restoreEnabled);
    PumpUntil(Closes, std::chrono::seconds(2));
    EXPECT_TRUE(Closes()) << "Close posts WM_CLOSE";
}

TEST_F(SystemMenu, ADoubleClickOnTheIconClosesTheWindow)
{
    HWND window = ShowPlainWindow(WS_OVERLAPPEDWINDOW, 320, 200);
    skin::TWinSkinForm* frame = FrameOf(window);
    ASSERT_NE(frame, nullptr);
    const POINT icon = IconCentre(*frame);
    plainLog.clear();
    TMenuScript script;
    script.Then([] { return Closes(); }).Then([] {
        // Whatever menu the first click left open goes.
        if (!MenuWindows().empty())
            TapKey(VK_ESCAPE);
        return MenuWindows().empty();
    });
    EXPECT_TRUE(script.Run([&] { DoubleClickAt(icon); })) << "stuck at step " << script.Step();
    EXPECT_FALSE(std::any_of(plainLog.begin(), plainLog.end(), [](const auto& entry) {
        return entry.first == WM_SYSCOMMAND && (entry.second & 0xFFF0) == SC_MAXIMIZE;
    })) << "a double click on the icon does not maximise";
}

} // namespace
