// Up-down buttons under the skin: the frame each button shows for press, hover and disabled, the
// value an associated edit shows after a click, side-by-side buttons, the one-pixel inset inside an
// edit, plain buttons when the skin has no images.
#include "RangeTesting.h"

#include "skin/controls/WinSubClass.h"
#include "ui/StdCtrls.h"
#include "ui/UpDowns.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace frame_testing;
using namespace range_testing;

namespace {

class UpDowns : public ::testing::Test, public SkinnedWindows {
protected:
    ~UpDowns() override
    {
        LeftButton(false);
        SetCursorPos(0, 0);
    }

    void UseSkin(const TRangeSkin& s)
    {
        Data().SkinStream() = ui::TMemoryStream(BuildRangeSkin(s));
        ASSERT_TRUE(Data().LoadSkinData());
    }

    static ui::TUpDown* Add(ui::TForm& form, int x, int y, int w, int h)
    {
        auto* spin = new ui::TUpDown(&form);
        spin->SetParent(&form);
        spin->SetBounds(x, y, w, h);
        spin->SetMax(10);
        spin->SetPosition(5);
        return spin;
    }

    TSkinUpDown* SkinOf(ui::TForm* form, ui::TControl* control)
    {
        return dynamic_cast<TSkinUpDown*>(FrameOf(form->Handle())->FindControlObject(control));
    }

    // The colours at the centres of the first and second button.
    static std::pair<std::uint32_t, std::uint32_t> Centres(HWND window, bool sideBySide, bool repaint = true)
    {
        const TClientPixels p = ReadClient(window, repaint);
        if (sideBySide)
            return {p.At(p.width / 4, p.height / 2), p.At(3 * p.width / 4, p.height / 2)};
        return {p.At(p.width / 2, p.height / 4), p.At(p.width / 2, 3 * p.height / 4)};
    }
};

} // namespace

TEST_F(UpDowns, PressHoverAndDisabledPickTheButtonsFrames)
{
    UseSkin({});
    ui::TUpDown* spin = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) { spin = Add(f, 20, 10, 20, 40); }, 120, 70);
    TSkinUpDown* object = SkinOf(form, spin);
    ASSERT_NE(object, nullptr);
    HWND h = spin->Handle();
    using Pair = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(Centres(h, false), Pair(Rgb(kSpinV[0]), Rgb(kSpinV[4])));

    // Pressing the lower half: the second button's pressed frame (6), the first stays normal (1).
    testing_support::MouseTo(ScreenPoint(h, 10, 30));
    Settle();
    EXPECT_EQ(Centres(h, false, false), Pair(Rgb(kSpinV[0]), Rgb(kSpinV[7]))) << "hover shows frame 8 below";
    LeftButton(true);
    Settle();
    EXPECT_TRUE(object->Pressed());
    EXPECT_EQ(Centres(h, false, false), Pair(Rgb(kSpinV[0]), Rgb(kSpinV[5])));
    LeftButton(false);
    Settle();
    EXPECT_FALSE(object->Pressed());
    EXPECT_LT(spin->Position(), 5) << "the lower button steps down";
    EXPECT_EQ(Centres(h, false, false), Pair(Rgb(kSpinV[0]), Rgb(kSpinV[7])));

    // Over the upper half: frame 4 there; leaving the control brings both back to normal.
    testing_support::MouseTo(ScreenPoint(h, 10, 8));
    Settle();
    EXPECT_EQ(Centres(h, false, false), Pair(Rgb(kSpinV[3]), Rgb(kSpinV[4])));
    testing_support::MouseTo(ScreenPoint(h, 60, 30));
    EXPECT_TRUE(ui_testing::PumpAppUntil([&] { return !object->Hot(); }));
    EXPECT_EQ(Centres(h, false, false), Pair(Rgb(kSpinV[0]), Rgb(kSpinV[4])));

    // Disabled: frames 3 and 7, whatever the mouse does.
    spin->SetEnabled(false);
    testing_support::MouseTo(ScreenPoint(h, 10, 8));
    Settle();
    EXPECT_EQ(Centres(h, false), Pair(Rgb(kSpinV[2]), Rgb(kSpinV[6])));
    SaveScreenshot(form->Handle(), "updown-disabled-test-skin");
}

TEST_F(UpDowns, AClickOnTheUpArrowStepsTheAssociatedEditAndSideBySideButtonsUseTheirStrip)
{
    UseSkin({});
    ui::TEdit* edit = nullptr;
    ui::TUpDown *spin = nullptr, *across = nullptr;
    int clicks = 0;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        edit = new ui::TEdit(&f);
        edit->SetParent(&f);
        edit->SetBounds(10, 10, 80, 22);
        spin = Add(f, 90, 10, 17, 22);
        spin->SetAssociate(edit);
        spin->OnClick = [&](ui::TObject*, ui::TUDBtnType b) { clicks += b == ui::TUDBtnType::btNext ? 1 : -100; };
        across = Add(f, 10, 50, 40, 20);
        across->SetOrientation(ui::TUDOrientation::udHorizontal);
    }, 160, 90);
    ASSERT_NE(SkinOf(form, spin), nullptr);
    EXPECT_EQ(testing_support::WindowText(edit->Handle()), L"5");
    HWND h = spin->Handle();
    RECT r{};
    GetClientRect(h, &r);
    testing_support::ClickAt(ScreenPoint(h, r.right / 2, r.bottom / 4));
    EXPECT_TRUE(ui_testing::PumpAppUntil([&] { return testing_support::WindowText(edit->Handle()) == L"6"; }))
        << "the edit shows " << testing_support::WindowText(edit->Handle()).size() << " characters";
    EXPECT_EQ(spin->Position(), 6);
    EXPECT_EQ(clicks, 1);

    // Side by side: the horizontal strip, left button frames 1-4, right button 5-8.
    TSkinUpDown* object = SkinOf(form, across);
    ASSERT_NE(object, nullptr);
    using Pair = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(Centres(across->Handle(), true), Pair(Rgb(kSpinH[0]), Rgb(kSpinH[4])));
    testing_support::MouseTo(ScreenPoint(across->Handle(), 30, 10));
    Settle();
    LeftButton(true);
    Settle();
    EXPECT_EQ(Centres(across->Handle(), true, false), Pair(Rgb(kSpinH[0]), Rgb(kSpinH[5])));
    LeftButton(false);
    Settle();
    EXPECT_GT(across->Position(), 5) << "the right button steps up";
    SaveScreenshot(form->Handle(), "updown-associated-test-skin");
}

TEST_F(UpDowns, AnUpDownInsideAnEditIsSkinnedOnePixelInAndPlainButtonsWithoutImages)
{
    for (bool images : {true, false}) {
        SCOPED_TRACE(images ? "skin images" : "plain buttons");
        TRangeSkin s;
        s.spinV = s.spinH = images;
        UseSkin(s);
        ui::TEdit* edit = nullptr;
        ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
            edit = new ui::TEdit(&f);
            edit->SetParent(&f);
            edit->SetBounds(10, 10, 120, 24);
        }, 160, 50);
        ui::InitCommonControlClasses(ICC_UPDOWN_CLASS);
        HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 100, 0, 16, 20, edit->Handle(),
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(spin, nullptr);
        ReadClient(edit->Handle());
        auto* editObject = dynamic_cast<TSkinEdit*>(FrameOf(form->Handle())->FindControlObject(edit));
        ASSERT_NE(editObject, nullptr);
        ASSERT_NE(editObject->UpDown, nullptr) << "found at the edit's next paint";
        EXPECT_TRUE(editObject->UpDown->InEdit);
        EXPECT_EQ(editObject->UpDown->Handle, spin);
        const TClientPixels p = ReadClient(spin);
        EXPECT_EQ(p.At(0, 0), Rgb(kFace));
        EXPECT_EQ(p.At(15, 19), Rgb(kFace));
        EXPECT_EQ(p.At(8, 0), Rgb(kFace));
        if (images) {
            EXPECT_EQ(p.At(1, 1), Rgb(kSpinV[0]));
            EXPECT_EQ(p.At(14, 18), Rgb(kSpinV[4]));
        } else {
            // A dark outline around each button, the face inside, a dark arrow at the centre.
            EXPECT_EQ(p.At(1, 1), Rgb(kDkShadow));
            EXPECT_EQ(p.At(2, 2), Rgb(kFace));
            EXPECT_EQ(p.At(8, 9 / 2 + 1 - 2), Rgb(kDkShadow)) << "arrow point";
            EXPECT_GE(p.Count(RECT{2, 2, 14, 9}, Rgb(kDkShadow)), 9) << "arrow";
            // Pressed: the shadow colour fills the pressed button.
            auto* object = editObject->UpDown;
            testing_support::MouseTo(ScreenPoint(spin, 8, 15));
            Settle();
            LeftButton(true);
            Settle();
            EXPECT_TRUE(object->Pressed());
            const TClientPixels down = ReadClient(spin, false);
            EXPECT_EQ(down.At(3, 12), Rgb(kShadow));
            EXPECT_EQ(down.At(3, 4), Rgb(kFace));
            LeftButton(false);
            Settle();
            SaveScreenshot(form->Handle(), "updown-plain-in-edit");
        }
        // The edit forgets a child that is gone.
        DestroyWindow(spin);
        ReadClient(edit->Handle());
        EXPECT_EQ(editObject->UpDownWindow, nullptr);
    }
}

TEST_F(UpDowns, ProductSkinAndRepaintsGiveBackTheirObjects)
{
    ui::TEdit* edit = nullptr;
    ui::TUpDown *spin = nullptr, *across = nullptr, *alone = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        edit = new ui::TEdit(&f);
        edit->SetParent(&f);
        edit->SetBounds(10, 10, 80, 22);
        spin = Add(f, 90, 10, 17, 22);
        spin->SetAssociate(edit);
        alone = Add(f, 130, 10, 18, 40);
        across = Add(f, 10, 50, 40, 20);
        across->SetOrientation(ui::TUDOrientation::udHorizontal);
    }, 170, 80);
    ASSERT_TRUE(Data().UpDownVert && Data().UpDownHorz);
    for (ui::TUpDown* s : {spin, alone, across})
        ASSERT_NE(SkinOf(form, s), nullptr);
    // The centre of each button shows its glyph's centre frame.
    testing_support::MouseTo(ScreenPoint(alone->Handle(), 9, 30));
    Settle();
    LeftButton(true);
    Settle();
    SaveScreenshot(form->Handle(), "updown-product-pressed");
    EXPECT_EQ(SkinOf(form, alone)->LastSecond, ssPressedButton);
    LeftButton(false);
    SetCursorPos(0, 0);
    Settle();
    ReadClient(alone->Handle());
    EXPECT_EQ(SkinOf(form, alone)->LastFirst, ssNormal) << "the cursor is off the control";
    EXPECT_EQ(SkinOf(form, alone)->LastSecond, ssNormal);
    SaveScreenshot(form->Handle(), "updown-product");

    const auto repaint = [&](int times) {
        for (int i = 0; i < times; ++i)
            for (ui::TUpDown* s : {spin, alone, across})
                RedrawWindow(s->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ui::Application.ProcessMessages();
    };
    repaint(5);
    // A leak moves the probe up by the number of paints; objects freed meanwhile may move it down.
    const unsigned probe = GdiProbe();
    repaint(300);
    EXPECT_LE(GdiProbe(), probe);
}
