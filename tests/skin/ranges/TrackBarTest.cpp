// Track bars under the skin: the thumb drawn from the skin's thumb strip over the control's own
// thumb rectangle, following the mouse and the keys; the vertical bar's fallback to the horizontal
// image; a plain outlined thumb when the skin has no image.
#include "RangeTesting.h"

#include "skin/controls/WinSubClass.h"
#include "ui/GdiObjects.h"
#include "ui/TrackBars.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace frame_testing;
using namespace range_testing;

namespace {

class TrackBars : public ::testing::Test, public SkinnedWindows {
protected:
    ~TrackBars() override
    {
        LeftButton(false);
        SetCursorPos(0, 0);
    }

    void UseSkin(const TRangeSkin& s)
    {
        Data().SkinStream() = ui::TMemoryStream(BuildRangeSkin(s));
        ASSERT_TRUE(Data().LoadSkinData());
    }

    ui::TTrackBar* Add(ui::TForm& form, int x, int y, int w, int h, bool vertical)
    {
        auto* bar = new ui::TTrackBar(&form);
        if (vertical)
            bar->SetOrientation(ui::TTrackBarOrientation::trVertical);
        bar->SetParent(&form);
        bar->SetBounds(x, y, w, h);
        bar->SetMax(10);
        return bar;
    }

    static RECT Thumb(ui::TTrackBar* bar)
    {
        RECT r{};
        SendMessageW(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }

    static int Area(const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); }

    // The whole thumb rectangle shows the colour, as the screen has it now.
    static void ExpectThumb(ui::TTrackBar* bar, COLORREF colour, bool repaint = true)
    {
        const RECT r = Thumb(bar);
        ASSERT_GT(Area(r), 0);
        const TClientPixels shown = ReadClient(bar->Handle(), repaint);
        EXPECT_EQ(shown.Count(r, Rgb(colour)), Area(r)) << "thumb at " << r.left << "," << r.top;
    }
};

} // namespace

TEST_F(TrackBars, ThumbFromTheStripFollowsDragAndKeys)
{
    UseSkin({});
    ui::TTrackBar* bar = nullptr;
    int changes = 0;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        bar = Add(f, 10, 10, 220, 40, false);
        bar->OnChange = [&](ui::TObject*) { ++changes; };
    }, 260, 70);
    TSkinControl* object = FrameOf(form->Handle())->FindControlObject(bar);
    ASSERT_NE(dynamic_cast<TSkinTrackBar*>(object), nullptr);

    // Resting: frame 2 of the horizontal strip, stretched over the control's thumb rectangle.
    ExpectThumb(bar, kThumbH[1]);
    const RECT start = Thumb(bar);
    const TClientPixels before = ReadClient(bar->Handle());
    EXPECT_EQ(before.Count(RECT{0, 0, before.width, before.height}, Rgb(kThumbH[1])), Area(start))
        << "nothing else shows the thumb colour";

    // Dragged: the thumb is drawn where the mouse takes it, while the button is still down.
    HWND h = bar->Handle();
    testing_support::MouseTo(ScreenPoint(h, (start.left + start.right) / 2, (start.top + start.bottom) / 2));
    Settle();
    LeftButton(true);
    Settle();
    testing_support::MouseTo(ScreenPoint(h, (start.left + start.right) / 2 + 100, (start.top + start.bottom) / 2));
    ASSERT_TRUE(ui_testing::PumpAppUntil([&] { return bar->Position() >= 4; })) << bar->Position();
    const RECT dragged = Thumb(bar);
    EXPECT_GT(dragged.left, start.left + 60);
    ExpectThumb(bar, kThumbH[1], false);
    EXPECT_EQ(ReadClient(h, false).Count(start, Rgb(kThumbH[1])), 0) << "the old place is cleared";
    LeftButton(false);
    Settle();
    const int dropped = bar->Position();
    EXPECT_GE(dropped, 4);
    EXPECT_GT(changes, 0);
    ExpectThumb(bar, kThumbH[1]);

    // Keys: arrows step by one, Page Down by the page, Home and End to the ends.
    bar->SetFocus();
    Settle();
    const auto key = [&](WORD k, int expected) {
        testing_support::TapKey(k);
        EXPECT_TRUE(ui_testing::PumpAppUntil([&] { return bar->Position() == expected; }))
            << "key " << k << ": " << bar->Position() << " instead of " << expected;
        ExpectThumb(bar, kThumbH[1]);
    };
    key(VK_HOME, 0);
    key(VK_RIGHT, 1);
    key(VK_NEXT, 1 + bar->PageSize());
    key(VK_LEFT, bar->PageSize());
    key(VK_END, 10);
    const RECT end = Thumb(bar);
    EXPECT_GT(end.left, dragged.left);
    SaveScreenshot(form->Handle(), "trackbar-test-skin");
}

TEST_F(TrackBars, VerticalBarsUseTheirImageOrTheHorizontalOneAndNoImageGivesAnOutline)
{
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        TRangeSkin s;
        s.thumbV = variant == 0;
        s.thumbH = variant < 2;
        UseSkin(s);
        ui::TTrackBar *vertical = nullptr, *horizontal = nullptr;
        ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
            vertical = Add(f, 10, 10, 40, 160, true);
            vertical->SetPosition(3);
            horizontal = Add(f, 60, 10, 160, 40, false);
        }, 240, 180);
        if (variant == 0)
            ExpectThumb(vertical, kThumbV[1]);
        else if (variant == 1)
            ExpectThumb(vertical, kThumbH[1]);
        if (variant < 2) {
            ExpectThumb(horizontal, kThumbH[1]);
            continue;
        }
        // No image: the control's thumb rectangle outlined in the shadow colour, filled with the face.
        for (ui::TTrackBar* bar : {vertical, horizontal}) {
            const RECT r = Thumb(bar);
            ASSERT_GT(Area(r), 0);
            const TClientPixels shown = ReadClient(bar->Handle());
            const int edge = 2 * (r.right - r.left) + 2 * (r.bottom - r.top) - 4;
            EXPECT_EQ(shown.Count(r, Rgb(kShadow)), edge);
            EXPECT_EQ(shown.Count(r, Rgb(kFace)), Area(r) - edge);
            EXPECT_NE(shown.Count(RECT{0, 0, shown.width, shown.height}, Rgb(kShadow)), 0);
        }
        SaveScreenshot(form->Handle(), "trackbar-outline-thumb");
    }
}

TEST_F(TrackBars, ProductSkinAndRepaintsGiveBackTheirObjects)
{
    ui::TTrackBar *horizontal = nullptr, *vertical = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        horizontal = Add(f, 10, 10, 200, 40, false);
        horizontal->SetPosition(4);
        vertical = Add(f, 220, 10, 40, 150, true);
        vertical->SetPosition(7);
    }, 280, 170);
    ASSERT_TRUE(Data().TrackbarThumbHorz && Data().TrackbarThumbVert);
    // The thumb rectangle shows the product's own frame 2, drawn by the shared strip routine.
    for (ui::TTrackBar* bar : {horizontal, vertical}) {
        const bool isVertical = bar == vertical;
        const RECT r = Thumb(bar);
        ui::TBitmap want(r.right - r.left, r.bottom - r.top);
        HDC dc = want.Canvas().Handle();
        ui::TBrushHandle face(CreateSolidBrush(RGB(1, 2, 3)));
        const RECT all{0, 0, want.Width(), want.Height()};
        FillRect(dc, &all, face.Get());
        DrawStripFrame(dc, ui::Rect(0, 0, want.Width(), want.Height()), 5, 2,
                       isVertical ? &Data().TrackbarThumbVert->Bitmap : &Data().TrackbarThumbHorz->Bitmap);
        const TClientPixels shown = ReadClient(bar->Handle());
        int same = 0, drawn = 0;
        for (int y = 0; y < want.Height(); ++y)
            for (int x = 0; x < want.Width(); ++x) {
                const std::uint32_t w = Rgb(GetPixel(dc, x, y));
                if (w == 0x010203)
                    continue;
                ++drawn;
                same += shown.At(r.left + x, r.top + y) == w;
            }
        EXPECT_GT(drawn, 0);
        EXPECT_EQ(same, drawn) << (isVertical ? "vertical" : "horizontal");
    }
    SaveScreenshot(form->Handle(), "trackbar-product");

    const unsigned probe = GdiProbe();
    for (int i = 0; i < 300; ++i) {
        horizontal->SetPosition(i % 11);
        RedrawWindow(vertical->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        UpdateWindow(horizontal->Handle());
    }
    ui::Application.ProcessMessages();
    EXPECT_EQ(GdiProbe(), probe);

    // A DC of the caller's comes back with its own objects selected.
    ui::TBitmap target(200, 40);
    HDC dc = target.Canvas().Handle();
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
    auto* object = dynamic_cast<TSkinTrackBar*>(FrameOf(form->Handle())->FindControlObject(horizontal));
    ASSERT_NE(object, nullptr);
    object->DrawThumb(dc);
    Data().TrackbarThumbHorz->Bitmap.Clear();
    object->DrawThumb(dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
}
