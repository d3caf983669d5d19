// Skinned tool bars on real forms: made flat, each button on the skin's button frame of its state
// (normal, hot under the real mouse, pressed and checked, disabled) with the bar's own captions
// over it, clicks reaching OnClick, the application's own drawing left alone, and the bar's look
// given back when unskinned; plus the product skin's picture of all the bars together.
#include "BarsTesting.h"

#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinStatusBar.h"
#include "ui/HeaderControls.h"
#include "ui/StatusBars.h"
#include "ui/ToolBars.h"

using namespace bars_testing;
using namespace frame_testing;
using testing_support::PumpUntil;

namespace {

class ToolBars : public BarsFixture {
protected:
    ui::TToolBar* bar = nullptr;
    ui::TToolButton *one = nullptr, *check = nullptr, *off = nullptr;
    std::vector<ui::TToolButton*> clicks;

    ui::TForm* ShowBar(bool ownDrawing = false)
    {
        return ShowFormWith([&](ui::TForm& f) {
            bar = new ui::TToolBar(&f);
            bar->SetParent(&f);
            bar->SetShowCaptions(true);
            one = bar->AddButton(L"One");
            bar->AddButton(L"", -1, ui::TToolButtonStyle::tbsSeparator);
            check = bar->AddButton(L"Check", -1, ui::TToolButtonStyle::tbsCheck);
            off = bar->AddButton(L"Off");
            off->SetEnabled(false);
            for (ui::TToolButton* b : {one, check, off})
                b->OnClick = [this](ui::TObject* sender) { clicks.push_back(static_cast<ui::TToolButton*>(sender)); };
            if (ownDrawing)
                bar->OnCustomDrawButton = [](ui::TToolBar*, ui::TToolButton*, UINT, UINT, bool&) {};
        }, 360, 120);
    }

    // A pixel in the button's face margin, clear of its caption.
    std::uint32_t FacePixel(ui::TToolButton* button)
    {
        const RECT r = button->BoundsRect();
        return ReadWindow(bar->Handle()).At(r.left + 1, r.top + 1);
    }

    void Hover(ui::TToolButton* button)
    {
        const RECT r = button->BoundsRect();
        testing_support::MouseTo(ScreenOf(bar->Handle(), r.left + 3, r.top + 3));
        Settle();
    }
    void Away()
    {
        RECT r{};
        GetClientRect(bar->Handle(), &r);
        testing_support::MouseTo(ScreenOf(bar->Handle(), r.right - 5, r.bottom + 30));
        Settle();
    }
};

TEST_F(ToolBars, ButtonsShowTheSkinFrameOfTheirStateAndClicksRunOnClick)
{
    UseBarsSkin();
    ui::TForm* form = ShowBar();
    auto* object = SkinOf<skin::TSkinToolBar>(form, bar);
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(bar->Flat()) << "made flat";
    EXPECT_EQ(bar->Color(), Data().ButtonFaceColor);
    Away();
    EXPECT_EQ(FacePixel(one), Rgb(kButton[0])) << "normal";
    EXPECT_EQ(FacePixel(check), Rgb(kButton[0]));
    EXPECT_EQ(FacePixel(off), Rgb(kButton[2])) << "disabled";
    SaveScreenshot(bar->Handle(), "toolbar-test-skin");
    // The caption is the bar's own, drawn over the face.
    const RECT r = one->BoundsRect();
    const TWindowPixels shot = ReadWindow(bar->Handle());
    EXPECT_GE(DarkSpan(shot, RECT{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3}).first, 0);

    Hover(one);
    EXPECT_TRUE(PumpUntil([&] { return FacePixel(one) == Rgb(kButton[3]); })) << "hot under the mouse";
    SaveScreenshot(bar->Handle(), "toolbar-hot");
    EXPECT_EQ(FacePixel(check), Rgb(kButton[0]));

    testing_support::ClickAt(ScreenOf(bar->Handle(), r.left + 3, r.top + 3));
    EXPECT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], one);

    const RECT c = check->BoundsRect();
    testing_support::ClickAt(ScreenOf(bar->Handle(), c.left + 3, c.top + 3));
    EXPECT_TRUE(PumpUntil([&] { return clicks.size() == 2; }));
    EXPECT_TRUE(check->Down()) << "a check button stays down";
    Away();
    EXPECT_TRUE(PumpUntil([&] { return FacePixel(check) == Rgb(kButton[1]); })) << "down: the pressed frame";
    EXPECT_EQ(FacePixel(one), Rgb(kButton[0])) << "the mouse left: normal again";
    SaveScreenshot(bar->Handle(), "toolbar-checked");

    // Pressed and held: the pressed frame while the button is down under the mouse.
    const RECT o = one->BoundsRect();
    testing_support::MouseTo(ScreenOf(bar->Handle(), o.left + 3, o.top + 3));
    Settle();
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof(press));
    EXPECT_TRUE(PumpUntil([&] { return FacePixel(one) == Rgb(kButton[1]); })) << "held down";
    press.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &press, sizeof(press));
    EXPECT_TRUE(PumpUntil([&] { return clicks.size() == 3; }));

    // A disabled button is not clicked.
    const RECT d = off->BoundsRect();
    testing_support::ClickAt(ScreenOf(bar->Handle(), d.left + 3, d.top + 3));
    Settle();
    EXPECT_EQ(clicks.size(), 3u);

    // Unskinned: the bar paints its buttons itself again.
    object->Unskin();
    Away();
    Settle();
    EXPECT_NE(FacePixel(one), Rgb(kButton[0]));
    EXPECT_NE(FacePixel(off), Rgb(kButton[2]));
}

TEST_F(ToolBars, TheApplicationsOwnButtonDrawingIsLeftAlone)
{
    UseBarsSkin();
    ui::TForm* form = ShowBar(true);
    ASSERT_NE(SkinOf<skin::TSkinToolBar>(form, bar), nullptr);
    Away();
    EXPECT_NE(FacePixel(one), Rgb(kButton[0]));
    EXPECT_NE(FacePixel(off), Rgb(kButton[2]));
}

TEST_F(ToolBars, RepaintsLeaveNoGdiObjects)
{
    ui::TForm* form = ShowBar();
    ASSERT_NE(SkinOf<skin::TSkinToolBar>(form, bar), nullptr);
    const auto repaint = [&](int times) {
        for (int i = 0; i < times; ++i)
            RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
    };
    repaint(50);
    const unsigned before = GdiProbe();
    repaint(400);
    const unsigned after = GdiProbe();
    EXPECT_LE(after, before + 6) << "before " << before << ", after " << after;
}

TEST_F(ToolBars, ScreenshotOfAllBarsInTheProductSkin)
{
    ui::TStatusBar* status = nullptr;
    ui::THeaderControl* header = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        bar = new ui::TToolBar(&f);
        bar->SetParent(&f);
        bar->SetShowCaptions(true);
        bar->AddButton(L"Open");
        bar->AddButton(L"Save");
        bar->AddButton(L"", -1, ui::TToolButtonStyle::tbsSeparator);
        check = bar->AddButton(L"Bold", -1, ui::TToolButtonStyle::tbsCheck);
        check->SetDown(true);
        off = bar->AddButton(L"Print");
        off->SetEnabled(false);
        header = new ui::THeaderControl(&f);
        header->SetParent(&f);
        header->SetHeight(22);
        for (const wchar_t* text : {L"Item", L"Quantity", L"Price"}) {
            ui::THeaderSection* s = header->Sections().Add();
            s->SetText(text);
            s->SetWidth(100);
        }
        header->Sections()[2]->SetAlignment(ui::TAlignment::taRightJustify);
        status = new ui::TStatusBar(&f);
        status->SetParent(&f);
        for (const wchar_t* text : {L"Ready", L"Right to left", L""}) {
            ui::TStatusPanel* p = status->Panels().Add();
            p->SetText(text);
            p->SetWidth(120);
        }
        status->Panels()[1]->SetBiDiMode(ui::TPanelBiDiMode::bdRightToLeft);
        status->Panels()[2]->SetBevel(ui::TStatusPanelBevel::pbRaised);
    }, 420, 200);
    ASSERT_NE(SkinOf<skin::TSkinToolBar>(form, bar), nullptr);
    ASSERT_NE(SkinOf<skin::TSkinHeader>(form, header), nullptr);
    ASSERT_NE(SkinOf<skin::TSkinStatusBar>(form, status), nullptr);
    Away();
    Settle();
    ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "bars-product-skin");
}

} // namespace
