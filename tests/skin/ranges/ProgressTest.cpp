// Progress bars under the skin: the fill counted from the range's minimum, the vertical bar filled
// from the bottom, the block row cut at the fill's end, skins without the images.
#include "RangeTesting.h"

#include "skin/controls/WinSubClass.h"
#include "ui/ProgressBars.h"

#include <gtest/gtest.h>

#include <climits>

using namespace skin;
using namespace frame_testing;
using namespace range_testing;

namespace {

class ProgressBars : public ::testing::Test, public SkinnedWindows {
protected:
    void UseSkin(const TRangeSkin& s)
    {
        Data().SkinStream() = ui::TMemoryStream(BuildRangeSkin(s));
        ASSERT_TRUE(Data().LoadSkinData());
    }

    static ui::TProgressBar* Add(ui::TForm& form, int x, int y, int w, int h, bool vertical = false)
    {
        auto* bar = new ui::TProgressBar(&form);
        if (vertical)
            bar->SetOrientation(ui::TProgressBarOrientation::pbVertical);
        bar->SetParent(&form);
        bar->SetBounds(x, y, w, h);
        return bar;
    }

    // Gives the bar a client area of exactly w x h, whatever edge the control keeps.
    static void ClientSize(ui::TProgressBar* bar, int w, int h)
    {
        RECT window{}, client{};
        GetWindowRect(bar->Handle(), &window);
        GetClientRect(bar->Handle(), &client);
        bar->SetBounds(bar->Left(), bar->Top(), w + (window.right - window.left) - client.right,
                       h + (window.bottom - window.top) - client.bottom);
    }

    static int InRow(const TClientPixels& p, int y, COLORREF colour)
    {
        return p.Count(RECT{0, y, p.width, y + 1}, Rgb(colour));
    }
};

} // namespace

TEST(ProgressFill, CountsFromTheMinimumAndStaysInsideTheBar)
{
    EXPECT_EQ(TSkinProgress::FillLength(100, 30, 0, 60), 50);
    EXPECT_EQ(TSkinProgress::FillLength(100, 30, 20, 60), 25);
    EXPECT_EQ(TSkinProgress::FillLength(100, 0, 0, 60), 0);
    EXPECT_EQ(TSkinProgress::FillLength(100, 20, 20, 60), 0);
    EXPECT_EQ(TSkinProgress::FillLength(100, 10, 20, 60), 0);
    EXPECT_EQ(TSkinProgress::FillLength(100, 60, 0, 60), 100);
    EXPECT_EQ(TSkinProgress::FillLength(100, 90, 0, 60), 100);
    EXPECT_EQ(TSkinProgress::FillLength(100, 5, 10, 10), 0) << "an empty range";
    EXPECT_EQ(TSkinProgress::FillLength(100, 5, 10, 0), 0) << "a reversed range";
    EXPECT_EQ(TSkinProgress::FillLength(100, -10, -20, 20), 25);
    EXPECT_EQ(TSkinProgress::FillLength(0, 30, 0, 60), 0);
    EXPECT_EQ(TSkinProgress::FillLength(1000, INT_MAX / 2, INT_MIN, INT_MAX), 749) << "no overflow";
}

TEST_F(ProgressBars, FillCountsTheMinimumAndAVerticalBarFillsFromTheBottom)
{
    UseSkin({});
    ui::TProgressBar *bar = nullptr, *vertical = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        bar = Add(f, 10, 10, 102, 16);
        vertical = Add(f, 130, 10, 22, 102, true);
    }, 180, 130);
    ClientSize(bar, 100, 14);
    ClientSize(vertical, 20, 100);
    ASSERT_NE(dynamic_cast<TSkinProgress*>(FrameOf(form->Handle())->FindControlObject(bar)), nullptr);
    struct Case {
        int low, high, pos, filled;
    };
    for (const Case& c : {Case{0, 60, 30, 50}, Case{20, 60, 30, 25}, Case{0, 60, 0, 0}, Case{20, 60, 20, 0},
                          Case{0, 60, 60, 100}}) {
        SCOPED_TRACE(testing::Message() << c.pos << " of " << c.low << ".." << c.high);
        for (ui::TProgressBar* b : {bar, vertical}) {
            b->SetMin(c.low);
            b->SetMax(c.high);
            b->SetPosition(c.pos);
        }
        const TClientPixels p = ReadClient(bar->Handle());
        ASSERT_EQ(p.width, 100);
        for (int y : {0, 7, 13}) {
            EXPECT_EQ(InRow(p, y, kFill), c.filled);
            EXPECT_EQ(InRow(p, y, kTrack), 100 - c.filled);
        }
        if (c.filled > 0) {
            EXPECT_EQ(p.At(0, 7), Rgb(kFill)) << "filled from the left";
        }
        const TClientPixels v = ReadClient(vertical->Handle());
        ASSERT_EQ(v.height, 100);
        EXPECT_EQ(v.Count(RECT{10, 100 - c.filled, 11, 100}, Rgb(kFill)), c.filled) << "from the bottom";
        EXPECT_EQ(v.Count(RECT{10, 0, 11, 100 - c.filled}, Rgb(kTrack)), 100 - c.filled);
    }
    bar->SetMin(0);
    bar->SetMax(60);
    bar->SetPosition(30);
    vertical->SetPosition(30);
    SaveScreenshot(form->Handle(), "progress-test-skin");
}

TEST_F(ProgressBars, BlocksAreCountedAndTheLastIsCutAtTheFillsEnd)
{
    TRangeSkin s;
    s.progressStyle = 1;
    UseSkin(s);
    ui::TProgressBar* bar = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) { bar = Add(f, 10, 10, 102, 16); }, 140, 40);
    ClientSize(bar, 100, 14);
    bar->SetPosition(50);
    const TClientPixels p = ReadClient(bar->Handle());
    ASSERT_EQ(p.width, 100);
    // The block image is 6 solid pixels and 2 key-coloured ones, 6 high, centred; the row starts 3 in.
    const int y = (14 - 6) / 2 + 3;
    std::vector<std::pair<int, int>> runs;   // (start, length) of block-coloured runs
    for (int x = 0; x < p.width; ++x) {
        if (p.At(x, y) != Rgb(kBlock))
            continue;
        if (!runs.empty() && runs.back().first + runs.back().second == x)
            ++runs.back().second;
        else
            runs.emplace_back(x, 1);
    }
    ASSERT_EQ(runs.size(), 7u) << "50 div 8 + 1 blocks";
    for (std::size_t i = 0; i + 1 < runs.size(); ++i)
        EXPECT_EQ(runs[i], std::make_pair(3 + 8 * static_cast<int>(i), 6));
    EXPECT_EQ(runs.back(), std::make_pair(51, 2)) << "cut at the row's end, 3 + 50";
    EXPECT_EQ(p.At(1, y), Rgb(kTrack)) << "the track shows beside the row";
    EXPECT_EQ(p.At(2, 1), Rgb(kTrack));
    EXPECT_EQ(p.At(10, y), Rgb(kTrack)) << "the blocks' gaps show the track";
    SaveScreenshot(form->Handle(), "progress-blocks-test-skin");

    // Position 0 shows no block; a full bar's row runs past the right inset into the bitmap's end.
    bar->SetPosition(0);
    EXPECT_EQ(ReadClient(bar->Handle()).Count(RECT{0, 0, 100, 14}, Rgb(kBlock)), 0);
    bar->SetPosition(100);
    EXPECT_EQ(ReadClient(bar->Handle()).At(99, y), Rgb(kBlock));
}

TEST_F(ProgressBars, SkinsWithoutTheImagesLeaveTheBarToTheControl)
{
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant == 0 ? "no bar image" : "block style without a block image");
        TRangeSkin s;
        s.progressStyle = variant == 0 ? -1 : 1;
        s.blockWidth = 0;
        UseSkin(s);
        ui::TProgressBar* bar = nullptr;
        ui::TForm* form = ShowFormWith([&](ui::TForm& f) { bar = Add(f, 10, 10, 102, 16); }, 140, 40);
        bar->SetPosition(50);
        const TClientPixels p = ReadClient(bar->Handle());
        EXPECT_EQ(p.Count(RECT{0, 0, p.width, p.height}, Rgb(kTrack)), 0);
        SendMessageW(bar->Handle(), WM_SKINACTIVE, 0, 0);
        const TClientPixels own = ReadClient(bar->Handle());
        SendMessageW(bar->Handle(), WM_SKINACTIVE, 1, 0);
        EXPECT_EQ(p.pixels, own.pixels) << "the control's own look";
        (void)form;
    }
}

TEST_F(ProgressBars, ProductSkinAndRepaintsGiveBackTheirObjects)
{
    ui::TProgressBar *bar = nullptr, *vertical = nullptr, *smooth = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        bar = Add(f, 10, 10, 200, 18);
        bar->SetPosition(40);
        smooth = Add(f, 10, 40, 200, 18);
        smooth->SetSmooth(true);
        smooth->SetMin(20);
        smooth->SetPosition(52);
        vertical = Add(f, 220, 10, 18, 120, true);
        vertical->SetPosition(70);
    }, 250, 140);
    ASSERT_TRUE(Data().Progress);
    const TClientPixels p = ReadClient(bar->Handle());
    const TClientPixels q = ReadClient(smooth->Handle());
    EXPECT_EQ(p.pixels, q.pixels) << "40 of 0..100 and 52 of 20..100 fill alike";
    SaveScreenshot(form->Handle(), "progress-product");

    const unsigned probe = GdiProbe();
    for (int i = 0; i < 300; ++i) {
        bar->SetPosition(i % 101);
        vertical->SetPosition(100 - i % 101);
        UpdateWindow(bar->Handle());
        UpdateWindow(vertical->Handle());
        RedrawWindow(smooth->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    ui::Application.ProcessMessages();
    EXPECT_EQ(GdiProbe(), probe);
}
