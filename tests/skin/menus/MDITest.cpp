// A skinned MDI frame: its children are skinned as they come, a maximised child's buttons and
// merged menu show in the frame's bar, restoring and closing give the bar back, and the Window
// menu's list activates children.
#include "FrameTesting.h"
#include "MenuInput.h"
#include "WindowTesting.h"

#include "ui/Menus.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using frame_testing::SkinnedWindows;
using menu_testing::Rgb;
using testing_support::PumpMessages;
using testing_support::PumpUntil;

class SkinnedMDI : public ::testing::Test, public SkinnedWindows {
protected:
    SkinnedMDI() : previousMain_(ui::Application.MainForm()) {}
    ~SkinnedMDI() override { ui::Application.SetMainForm(previousMain_); }

    // The frame with File (group 0) and Window (group 9); its window menu lists the children.
    ui::TForm* ShowFrame()
    {
        frame_ = ShowFormWith(
            [this](ui::TForm& form) {
                form.SetFormStyle(ui::TFormStyle::fsMDIForm);
                form.SetCaption(L"MDI frame");
                auto* menu = new ui::TMainMenu(&form);
                auto* file = Item(&form, menu->Items(), L"&File", 0);
                Item(&form, file, L"&New", 0);
                window_ = Item(&form, menu->Items(), L"&Window", 9);
                Item(&form, window_, L"&Cascade", 9);
                form.SetMenu(menu);
                form.SetWindowMenu(window_);
                ui::Application.SetMainForm(&form);
            },
            560, 380);
        return frame_;
    }

    // A child with its own menu (group 1), merged into the frame's bar while it is active.
    ui::TForm* AddChild(const std::wstring& caption, int x, int y)
    {
        auto* child = new ui::TForm(frame_);
        child->SetFormStyle(ui::TFormStyle::fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(x, y, 220, 150);
        auto* menu = new ui::TMainMenu(child);
        auto* edit = Item(child, menu->Items(), L"&Child", 1);
        Item(child, edit, L"&Undo", 1);
        child->SetMenu(menu);
        child->Show();
        PumpUntil([child] { return FrameOf(child->Handle()) != nullptr; }, std::chrono::seconds(3));
        PumpMessages();
        return child;
    }

    static ui::TMenuItem* Item(ui::TComponent* owner, ui::TMenuItem* parent, const wchar_t* caption, int group)
    {
        auto* item = new ui::TMenuItem(owner);
        item->SetCaption(caption);
        item->SetGroupIndex(group);
        parent->Add(item);
        return item;
    }

    std::vector<std::wstring> BarCaptions()
    {
        std::vector<std::wstring> captions;
        for (const auto& button : FrameOf(frame_->Handle())->SkinMenu->Buttons)
            if (button->Visible)
                captions.push_back(button->Caption);
        return captions;
    }

    // The caption buttons the skin anchors in the bar that show now.
    int BarButtonsShown()
    {
        skin::TWinSkinForm* frame = FrameOf(frame_->Handle());
        frame->PaintFrame();
        int shown = 0;
        for (int i = 0; i < frame->CaptionButtonCount(); ++i)
            if (frame->CaptionButton(i)->Skin->Visibility == 100 && frame->CaptionButton(i)->Visible)
                ++shown;
        return shown;
    }

    ui::TForm* frame_ = nullptr;
    ui::TMenuItem* window_ = nullptr;

private:
    ui::TCustomForm* previousMain_;
};

TEST_F(SkinnedMDI, NewChildrenAreSkinnedByTheirFrame)
{
    ShowFrame();
    skin::TWinSkinForm* frame = FrameOf(frame_->Handle());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->FrameKind, 1);
    ASSERT_NE(frame->MDIClientHandle, nullptr);
    EXPECT_EQ(skin::SkinManager()->MDIClient, frame->MDIClientHandle);
    EXPECT_EQ(skin::SkinManager()->MDIFrameForm, frame_);

    ui::TForm* first = AddChild(L"First", 10, 10);
    ui::TForm* second = AddChild(L"Second", 40, 40);
    for (ui::TForm* child : {first, second}) {
        skin::TWinSkinForm* childFrame = FrameOf(child->Handle());
        ASSERT_NE(childFrame, nullptr) << "a new MDI child is skinned";
        EXPECT_EQ(childFrame->FrameKind, 2);
        EXPECT_EQ(childFrame->SkinMenu, nullptr) << "a child has no bar of its own";
        EXPECT_TRUE(WaitSkinned(child->Handle()));
    }
    // The active child's menu is merged into the frame's bar.
    EXPECT_EQ(BarCaptions(), (std::vector<std::wstring>{L"&File", L"&Child", L"&Window"}));
    frame_testing::SaveScreenshot(frame_->Handle(), "mdi");

    // The frame forgets its client when it goes; the manager no longer points at it.
    frame->Detach();
    EXPECT_EQ(skin::SkinManager()->MDIClient, nullptr);
    EXPECT_EQ(skin::SkinManager()->MDIFrameForm, nullptr);
}

TEST_F(SkinnedMDI, AMaximisedChildsButtonsAndMenuAreInTheBarUntilItIsRestoredOrClosed)
{
    ShowFrame();
    skin::TWinSkinForm* frame = FrameOf(frame_->Handle());
    ASSERT_NE(frame, nullptr);
    ui::TForm* child = AddChild(L"Report", 20, 20);
    ASSERT_NE(FrameOf(child->Handle()), nullptr);
    EXPECT_EQ(BarButtonsShown(), 0);

    SendMessageW(frame->MDIClientHandle, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    PumpMessages();
    EXPECT_TRUE(skin::SkinManager()->MDIMaximized);
    EXPECT_TRUE(frame->ActiveChildMaximized());
    EXPECT_EQ(BarButtonsShown(), 3) << "minimise, restore and close of the child";
    EXPECT_EQ(GetMenu(frame_->Handle()), nullptr) << "the platform bar stays off";
    EXPECT_EQ(BarCaptions(), (std::vector<std::wstring>{L"&File", L"&Child", L"&Window"}));

    // The close button is drawn from the skin's MDI strip, at its place in the bar.
    const auto pixels = frame_testing::ReadWindow(frame_->Handle());
    bool found = false;
    for (int i = 0; i < frame->CaptionButtonCount(); ++i) {
        skin::TWinSysButton& button = *frame->CaptionButton(i);
        if (button.Skin->Visibility != 100 || button.Skin->Action != 9)
            continue;
        found = true;
        EXPECT_GE(button.Bounds.top, frame->BorderTop);
        EXPECT_LE(button.Bounds.bottom, frame->BorderTop + frame->MenuHeight);
        ui::TBitmap& strip = button.Skin->Bitmap;
        const int w = strip.Width() / button.Skin->Frame;
        const ui::TColor centre = strip.Canvas().Pixel(w / 2, strip.Height() / 2);
        EXPECT_EQ(pixels.At((button.Bounds.left + button.Bounds.right) / 2, (button.Bounds.top + button.Bounds.bottom) / 2),
                  Rgb(centre));
    }
    EXPECT_TRUE(found);
    frame_testing::SaveScreenshot(frame_->Handle(), "mdi-maximised");

    // The restore button of the bar gives the child its frame back, and the bar its normal look.
    frame->MDIChildCommand(SC_RESTORE);
    PumpMessages();
    EXPECT_FALSE(skin::SkinManager()->MDIMaximized);
    EXPECT_EQ(BarButtonsShown(), 0);

    // Maximised again, then closed: the bar is the frame's own again.
    SendMessageW(frame->MDIClientHandle, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    PumpMessages();
    EXPECT_EQ(BarButtonsShown(), 3);
    frame->MDIChildCommand(SC_CLOSE);
    PumpUntil([&] { return frame_->MDIChildCount() == 0; }, std::chrono::seconds(3));
    PumpMessages();
    EXPECT_FALSE(skin::SkinManager()->MDIMaximized);
    EXPECT_EQ(BarButtonsShown(), 0);
    EXPECT_EQ(BarCaptions(), (std::vector<std::wstring>{L"&File", L"&Window"}));
}

TEST_F(SkinnedMDI, TheWindowMenusListActivatesTheChildChosen)
{
    ShowFrame();
    skin::TWinSkinForm* frame = FrameOf(frame_->Handle());
    ASSERT_NE(frame, nullptr);
    ui::TForm* a = AddChild(L"Alpha", 10, 10);
    AddChild(L"Beta", 40, 40);
    AddChild(L"Gamma", 70, 70);
    ASSERT_NE(frame_->ActiveMDIChild(), a);
    // The list's first entry (the platform numbers them from its first child id) is Alpha.
    HMENU list = window_->Handle();
    int entry = -1;
    for (int i = 0; i < GetMenuItemCount(list); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(list, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        if (std::wstring(text).find(L"Alpha") != std::wstring::npos)
            entry = static_cast<int>(GetMenuItemID(list, i));
    }
    ASSERT_GE(entry, 0) << "the window menu lists the children";
    PostMessageW(frame_->Handle(), WM_COMMAND, static_cast<WPARAM>(entry), 0);
    PumpUntil([&] { return frame_->ActiveMDIChild() == a; }, std::chrono::seconds(3));
    EXPECT_EQ(frame_->ActiveMDIChild(), a);
}

TEST_F(SkinnedMDI, AltLetterInAChildOpensTheFramesMenu)
{
    ShowFrame();
    skin::TWinSkinForm* frame = FrameOf(frame_->Handle());
    ASSERT_NE(frame, nullptr);
    ui::TForm* child = AddChild(L"Notes", 10, 10);
    SetForegroundWindow(frame_->Handle());
    SetFocus(child->Handle());
    PumpMessages();
    menu_testing::TMenuScript script;
    script.Then([] { return skin::MenuTracking().BarIndex == 0 && !menu_testing::MenuWindows().empty(); })
        .ThenEscape();
    EXPECT_TRUE(script.Run([] { menu_testing::AltChord('F'); })) << "stuck at step " << script.Step();
}

} // namespace
