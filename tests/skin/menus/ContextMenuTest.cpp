// A form's context menu under the skin: opened with the right mouse button and with the
// context-menu key, drawn by the skin, its items run once; skin off gives it its platform drawing.
#include "FrameTesting.h"
#include "MenuInput.h"
#include "WindowTesting.h"

#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using frame_testing::SkinnedWindows;
using namespace menu_testing;
using testing_support::PumpMessages;
using testing_support::PumpUntil;

class ContextMenu : public ::testing::Test, public SkinnedWindows {
protected:
    ~ContextMenu() override { SetCursorPos(0, 0); }

    ui::TForm* ShowWithContextMenu()
    {
        return ShowFormWith(
            [this](ui::TForm& form) {
                popup_ = new ui::TPopupMenu(&form);
                for (const wchar_t* caption : {L"&Copy", L"&Paste", L"-", L"P&roperties"}) {
                    auto* item = new ui::TMenuItem(&form);
                    item->SetCaption(caption);
                    item->OnClick = [this, item](ui::TObject*) { clicked_.push_back(item->Caption()); };
                    popup_->Items()->Add(item);
                }
                form.SetPopupMenu(popup_);
            },
            320, 200);
    }

    static bool OwnerDrawn(HMENU menu)
    {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        return GetMenuItemInfoW(menu, 0, TRUE, &info) && (info.fType & MFT_OWNERDRAW);
    }

    ui::TPopupMenu* popup_ = nullptr;
    std::vector<std::wstring> clicked_;
};

TEST_F(ContextMenu, ARightClickOpensItSkinnedAndItsItemsRunOnce)
{
    ui::TForm* form = ShowWithContextMenu();
    ASSERT_NE(FrameOf(form->Handle()), nullptr);
    EXPECT_TRUE(OwnerDrawn(popup_->Handle())) << "the skin draws the form's popup menus";
    bool skinned = false;
    int kind = -1;
    TMenuScript script;
    script.Then([] { return !MenuWindows().empty(); })
        .Then([&] {
            HWND window = MenuWindows().front();
            skinned = SendMessageW(window, skin::WM_SKINQUERY, 0, 0) == 1;
            kind = skin::SkinManager()->MenuKind;
            TapKey(VK_DOWN);
            TapKey(VK_DOWN);
            TapKey(VK_RETURN);
            return true;
        })
        .Then([] { return MenuWindows().empty(); });
    const POINT inside = form->ClientToScreen(POINT{60, 60});
    EXPECT_TRUE(script.Run([&] { ClickAt(inside, true); })) << "stuck at step " << script.Step();
    PumpMessages();
    EXPECT_TRUE(skinned);
    EXPECT_EQ(kind, 0) << "a context menu";
    EXPECT_EQ(clicked_, (std::vector<std::wstring>{L"&Paste"}));
}

TEST_F(ContextMenu, TheContextMenuKeyOpensItAndSkinOffGivesItsPlatformDrawingBack)
{
    ui::TForm* form = ShowWithContextMenu();
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    SetForegroundWindow(form->Handle());
    PumpMessages();
    TMenuScript script;
    script.Then([] { return !MenuWindows().empty(); })
        .ThenEscape();
    EXPECT_TRUE(script.Run([] { TapKey(VK_APPS); })) << "stuck at step " << script.Step();
    EXPECT_TRUE(clicked_.empty());

    frame->Detach();
    EXPECT_FALSE(OwnerDrawn(popup_->Handle()));
    wchar_t text[32] = {};
    GetMenuStringW(popup_->Handle(), 3, text, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"P&roperties");
}

} // namespace
