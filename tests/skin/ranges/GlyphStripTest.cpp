// Check boxes that draw themselves from a nine-glyph strip: the strip the skin builds from its
// check images (four, five or twelve frames), the properties it sets, and skins it cannot serve.
#include "RangeTesting.h"

#include "skin/controls/WinSubClass.h"
#include "skin/data/SkinDraw.h"
#include "ui/TypInfo.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace frame_testing;
using namespace range_testing;

namespace {

// A check box of another library, as far as the skin sees it: it publishes its glyph strip, the
// strip's transparent colour and the switch that makes it reload the strip.
class TRzDBCheckBox : public ui::TCustomControl {
    UI_CLASS(TRzDBCheckBox)
public:
    explicit TRzDBCheckBox(ui::TComponent* owner) : ui::TCustomControl(owner) { width_ = 120; height_ = 20; }
    ui::TBitmap& CustomGlyphs() { return glyphs_; }
    int TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(int value) { transparentColor_ = value; }
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    void SetUseCustomGlyphs(bool value)
    {
        if (value && !useCustomGlyphs_)
            ++Reloads;
        useCustomGlyphs_ = value;
        Invalidate();
    }
    bool Checked = false;
    int Reloads = 0;

protected:
    void Paint() override
    {
        ui::TCanvas& c = Canvas();
        c.Brush().SetColor(ui::clWhite);
        c.FillRect(ui::Rect(0, 0, width_, height_));
        if (!useCustomGlyphs_ || glyphs_.Empty())
            return;
        const int w = glyphs_.Width() / 9, h = glyphs_.Height();
        TransparentBlt(c.Handle(), 2, (height_ - h) / 2, w, h, glyphs_.Canvas().Handle(), (Checked ? 1 : 0) * w, 0, w,
                       h, ui::ColorToRGB(transparentColor_));
    }

private:
    ui::TBitmap glyphs_;
    int transparentColor_ = 0;
    bool useCustomGlyphs_ = false;
};

const ui::TClassInfo& TRzDBCheckBox::StaticClassInfo()
{
    static const ui::TClassInfo info = ui::TClassBuilder<TRzDBCheckBox, ui::TCustomControl>("TRzDBCheckBox")
        .Object<ui::TBitmap>("CustomGlyphs", [](TRzDBCheckBox& b) -> ui::TBitmap& { return b.CustomGlyphs(); })
        .Int("TransparentColor", &TRzDBCheckBox::TransparentColor, &TRzDBCheckBox::SetTransparentColor)
        .Bool("UseCustomGlyphs", &TRzDBCheckBox::UseCustomGlyphs, &TRzDBCheckBox::SetUseCustomGlyphs)
        .Build();
    return info;
}

std::uint32_t Pixel(ui::TBitmap& b, int x, int y) { return Rgb(GetPixel(b.Canvas().Handle(), x, y)); }

class GlyphCheckBoxes : public ::testing::Test, public SkinnedWindows {
protected:
    void UseSkin(const TRangeSkin& s)
    {
        Data().SkinStream() = ui::TMemoryStream(BuildRangeSkin(s));
        ASSERT_TRUE(Data().LoadSkinData());
    }

    TRzDBCheckBox* Show(ui::TForm*& form)
    {
        TRzDBCheckBox* box = nullptr;
        form = ShowFormWith([&](ui::TForm& f) {
            box = new TRzDBCheckBox(&f);
            box->SetParent(&f);
            box->SetBounds(10, 10, 120, 20);
        }, 150, 40);
        return box;
    }

    TSkinObjImage* ObjectOf(ui::TForm* form, ui::TControl* box)
    {
        return dynamic_cast<TSkinObjImage*>(FrameOf(form->Handle())->FindControlObject(box));
    }
};

} // namespace

TEST_F(GlyphCheckBoxes, FourAndFiveFrameImagesFillTheNineColumns)
{
    for (int frames : {4, 5}) {
        SCOPED_TRACE(frames);
        TRangeSkin s;
        s.checkFrames = frames;
        UseSkin(s);
        ui::TForm* form = nullptr;
        TRzDBCheckBox* box = Show(form);
        TSkinObjImage* object = ObjectOf(form, box);
        ASSERT_NE(object, nullptr) << "classified by its class name";
        EXPECT_EQ(object->GlyphMode, 1);
        ui::TBitmap& strip = box->CustomGlyphs();
        ASSERT_EQ(strip.Width(), 9 * 13);
        ASSERT_EQ(strip.Height(), 13);
        EXPECT_EQ(box->TransparentColor(), 0xFF00FF);
        EXPECT_TRUE(box->UseCustomGlyphs());
        EXPECT_EQ(box->Reloads, 1);
        const std::uint32_t empty = Rgb(kKey);
        const std::uint32_t grayed = frames == 5 ? Rgb(kCheck[4]) : empty;
        const std::uint32_t want[9] = {Rgb(kCheck[0]), Rgb(kCheck[1]), grayed, Rgb(kCheck[0]), Rgb(kCheck[1]),
                                       grayed, Rgb(kCheck[2]), Rgb(kCheck[3]), grayed};
        for (int column = 0; column < 9; ++column)
            for (int x : {0, 12})
                EXPECT_EQ(Pixel(strip, column * 13 + x, 6), want[column]) << "column " << column;

        // The control draws from the strip; checked shows the second column.
        TClientPixels p = ReadClient(box->Handle());
        EXPECT_EQ(p.At(8, 10), Rgb(kCheck[0]));
        box->Checked = true;
        p = ReadClient(box->Handle());
        EXPECT_EQ(p.At(8, 10), Rgb(kCheck[1]));

        // A changed skin rebuilds; unskinned, the control's own glyphs come back.
        object->SkinChanged();
        EXPECT_EQ(box->Reloads, 2);
        object->Unskin();
        EXPECT_FALSE(box->UseCustomGlyphs());
    }
}

TEST_F(GlyphCheckBoxes, SkinsThatCannotMakeAStripLeaveTheControlAlone)
{
    struct Case {
        const char* name;
        int frames, setting;
    };
    for (const Case& c : {Case{"no check image", 0, -1}, Case{"frame count 0", 4, 0},
                          Case{"more frames than pixels", 4, 100}}) {
        SCOPED_TRACE(c.name);
        TRangeSkin s;
        s.checkFrames = c.frames;
        s.checkFrameSetting = c.setting;
        UseSkin(s);
        // The skin reader replaces a missing count by one of its own: set it as the case wants.
        if (c.setting >= 0)
            Data().Buttons->CheckButtonFrame = c.setting;
        ui::TForm* form = nullptr;
        TRzDBCheckBox* box = Show(form);
        TSkinObjImage* object = ObjectOf(form, box);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->BuildGlyphStrip(), nullptr);
        object->BuildGlyphs();
        EXPECT_TRUE(box->CustomGlyphs().Empty());
        EXPECT_FALSE(box->UseCustomGlyphs());
        EXPECT_EQ(box->Reloads, 0);
    }

    // A five-frame count over an image of four frames copies only what the image holds.
    TRangeSkin s;
    s.checkFrames = 4;
    UseSkin(s);
    Data().Buttons->CheckButtonFrame = 5;
    ui::TForm* form = nullptr;
    TRzDBCheckBox* box = Show(form);
    ASSERT_EQ(box->CustomGlyphs().Width(), 9 * (52 / 5));
    // A control without the properties is served without harm.
    auto* plain = new ui::TCustomControl(form);
    plain->SetParent(form);
    auto* object = new TSkinObjImage(plain);
    object->GlyphMode = 1;
    object->AttachControl(FrameOf(form->Handle()), &Data(), true, FrameOf(form->Handle())->ControlCanvas());
    EXPECT_TRUE(object->Attached);
    object->Unskin();
}

TEST_F(GlyphCheckBoxes, ProductSkinStripUsesItsTwelveFrames)
{
    ui::TForm* form = nullptr;
    TRzDBCheckBox* box = Show(form);
    ASSERT_EQ(Data().Buttons->CheckButtonFrame, 12);
    ui::TBitmap& strip = box->CustomGlyphs();
    ui::TBitmap& check = Data().Buttons->CheckBitmap;
    const int w = check.Width() / 12;
    ASSERT_EQ(strip.Width(), 9 * w);
    // Unchecked, checked and grayed from the three groups; the disabled row from each group's fourth.
    const int sources[9] = {0, 4, 8, 0, 4, 8, 3, 7, 11};
    for (int column = 0; column < 9; ++column) {
        int same = 0;
        for (int y = 0; y < strip.Height(); ++y)
            for (int x = 0; x < w; ++x)
                same += Pixel(strip, column * w + x, y) == Pixel(check, sources[column] * w + x, y);
        EXPECT_EQ(same, w * strip.Height()) << "column " << column;
    }
    box->Checked = true;
    ReadClient(box->Handle());
    SaveScreenshot(form->Handle(), "glyph-checkbox-product");
}
