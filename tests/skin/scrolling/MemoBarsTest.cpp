// A memo's scroll bars under the skin: overlays lying exactly over the native bars, their frames in
// each state, scrolling by real clicks and drags through the native loop, and the overlays
// following the memo wherever it goes.
#include "ScrollTesting.h"

#include "skin/data/WinSkinData.h"

using namespace skin;
using namespace scroll_testing;
using frame_testing::ReadWindowAsIs;
using testing_support::MouseTo;
using testing_support::PumpUntil;

namespace {

class MemoBars : public ScrollFixture {
protected:
    static SCROLLBARINFO Native(HWND window, LONG which)
    {
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        EXPECT_TRUE(GetScrollBarInfo(window, which, &info));
        return info;
    }
    static int FirstLine(ui::TMemo* memo) { return memo->TopLine(); }
    // Whether an overlay lies exactly over the native bar it stands for, and shows when it does.
    static void ExpectCovers(const TWScrollbar& bar, HWND target, LONG which)
    {
        const SCROLLBARINFO info = Native(target, which);
        const bool shown = !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE) && IsWindowVisible(target);
        ASSERT_NE(bar.Window(), nullptr);
        EXPECT_EQ(IsWindowVisible(bar.Window()) != FALSE, shown) << (which == OBJID_VSCROLL ? "vertical" : "horizontal");
        if (!shown)
            return;
        RECT r{};
        GetWindowRect(bar.Window(), &r);
        EXPECT_TRUE(EqualRect(&r, &info.rcScrollBar))
            << "overlay " << r.left << "," << r.top << "-" << r.right << "," << r.bottom << " bar "
            << info.rcScrollBar.left << "," << info.rcScrollBar.top << "-" << info.rcScrollBar.right << ","
            << info.rcScrollBar.bottom;
    }
};

} // namespace

TEST_F(MemoBars, OverlaysCoverTheNativeBarsExactlyAndTheCornerIsFilled)
{
    for (const bool solid : {false, true}) {
        SCOPED_TRACE(solid ? "solid skin" : "product skin");
        if (solid)
            UseSkin(SolidScrollSkin());
        ui::TMemo* memo = ShowMemo(200, ui::TScrollStyle::ssBoth);
        TSkinScrollbar* bars = SkinOf(memo);
        ASSERT_NE(bars, nullptr) << "a memo with scroll bars gets skinned bars";
        ASSERT_TRUE(bars->HorzBar && bars->VertBar);
        ExpectCovers(*bars->VertBar, memo->Handle(), OBJID_VSCROLL);
        ExpectCovers(*bars->HorzBar, memo->Handle(), OBJID_HSCROLL);
        EXPECT_EQ(GetParent(bars->VertBar->Window()), form_->Handle()) << "a sibling of the memo";
        EXPECT_EQ(GetWindow(memo->Handle(), GW_HWNDPREV) == bars->VertBar->Window() ||
                      GetWindow(memo->Handle(), GW_HWNDPREV) == bars->HorzBar->Window(),
                  true)
            << "right above the memo";

        // The corner square between both bars, in the memo's window.
        const SCROLLBARINFO v = Native(memo->Handle(), OBJID_VSCROLL), h = Native(memo->Handle(), OBJID_HSCROLL);
        RECT window{};
        GetWindowRect(memo->Handle(), &window);
        const TWindowPixels memoPixels = ReadWindowAsIs(memo->Handle());
        const std::uint32_t face = Rgb(ui::ColorToRGB(Data().ButtonFaceColor));
        int wrong = 0;
        // What neither bar covers (Wine's bar rectangles overlap by a pixel).
        for (int y = v.rcScrollBar.bottom; y < h.rcScrollBar.bottom; ++y)
            for (int x = h.rcScrollBar.right; x < v.rcScrollBar.right; ++x)
                wrong += memoPixels.At(x - window.left, y - window.top) != face;
        EXPECT_EQ(wrong, 0) << "corner square in the face colour";
        if (solid) {
            // Arrows, track and thumb from the skin's frames.
            const TWindowPixels vert = ReadWindowAsIs(bars->VertBar->Window());
            const TWindowPixels horz = ReadWindowAsIs(bars->HorzBar->Window());
            const int a = GetSystemMetrics(SM_CYVSCROLL);
            EXPECT_EQ(BarPixel(vert, *bars->VertBar, a / 2), Rgb(ArrowColour(9)));
            EXPECT_EQ(BarPixel(vert, *bars->VertBar, vert.height - a / 2), Rgb(ArrowColour(13)));
            EXPECT_EQ(BarPixel(horz, *bars->HorzBar, a / 2), Rgb(ArrowColour(1)));
            EXPECT_EQ(BarPixel(horz, *bars->HorzBar, horz.width - a / 2), Rgb(ArrowColour(5)));
            EXPECT_EQ(BarPixel(vert, *bars->VertBar, v.xyThumbTop + 2), Rgb(VertThumbColour(1)));
            EXPECT_EQ(BarPixel(vert, *bars->VertBar, v.xyThumbBottom + 2), Rgb(VertTrackColour(1)));
            EXPECT_EQ(BarPixel(horz, *bars->HorzBar, h.xyThumbTop + 2), Rgb(HorzThumbColour(1)));
            EXPECT_EQ(BarPixel(horz, *bars->HorzBar, h.xyThumbBottom + 2), Rgb(HorzTrackColour(1)));
        }
        delete memo;
        Settle();
    }
}

TEST_F(MemoBars, ArrowsShowNormalHotAndPressedFramesAndAClickScrollsOneLine)
{
    UseSkin(SolidScrollSkin());
    ui::TMemo* memo = ShowMemo(200, ui::TScrollStyle::ssVertical);
    TSkinScrollbar* bars = SkinOf(memo);
    ASSERT_NE(bars, nullptr);
    TWScrollbar& bar = *bars->VertBar;
    const int a = GetSystemMetrics(SM_CYVSCROLL);
    const auto down = [&] { return BarPixel(ReadWindowAsIs(bar.Window()), bar, bar.Length - a / 2); };

    MouseTo(POINT{0, 0});
    Settle();
    EXPECT_EQ(down(), Rgb(ArrowColour(13))) << "normal";
    MouseTo(BarPoint(bar, bar.Length - a / 2));
    ASSERT_TRUE(PumpUntil([&] { return bar.HotPart == spLastArrow; }));
    EXPECT_EQ(down(), Rgb(ArrowColour(15))) << "hot";

    std::uint32_t pressed = 0;
    bool tracking = false;
    const int before = FirstLine(memo);
    PressAndHold(BarPoint(bar, bar.Length - a / 2), {[&] {
                     tracking = bar.Tracking;
                     pressed = down();
                 }});
    EXPECT_TRUE(tracking) << "the native loop held the press";
    EXPECT_EQ(pressed, Rgb(ArrowColour(14))) << "pressed";
    EXPECT_GE(FirstLine(memo), before + 1);
    EXPECT_FALSE(bar.Tracking);

    // A quick click: one line, and the thumb follows.
    const int start = FirstLine(memo);
    testing_support::ClickAt(BarPoint(bar, bar.Length - a / 2));
    ASSERT_TRUE(PumpUntil([&] { return FirstLine(memo) != start; }));
    Settle();
    EXPECT_EQ(FirstLine(memo), start + 1);
    testing_support::ClickAt(BarPoint(bar, a / 2));
    ASSERT_TRUE(PumpUntil([&] { return FirstLine(memo) == start; }));
    const SCROLLBARINFO info = Native(memo->Handle(), OBJID_VSCROLL);
    Settle();
    EXPECT_EQ(BarPixel(ReadWindowAsIs(bar.Window()), bar, info.xyThumbTop + 1), Rgb(VertThumbColour(1)))
        << "the thumb where the system has it";
}

TEST_F(MemoBars, TrackClickScrollsAPageAndTheDraggedThumbScrollsProportionallyBetweenTheArrows)
{
    UseSkin(SolidScrollSkin());
    constexpr int lines = 300;
    ui::TMemo* memo = ShowMemo(lines, ui::TScrollStyle::ssVertical);
    TSkinScrollbar* bars = SkinOf(memo);
    ASSERT_NE(bars, nullptr);
    TWScrollbar& bar = *bars->VertBar;
    const int a = GetSystemMetrics(SM_CYVSCROLL);

    // A page: the lines the memo shows.
    RECT client{};
    GetClientRect(memo->Handle(), &client);
    const int lineHeight = [&] {
        HDC dc = GetDC(memo->Handle());
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(memo->Handle(), WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(memo->Handle(), dc);
        return static_cast<int>(metrics.tmHeight);
    }();
    const int page = client.bottom / lineHeight;
    SCROLLBARINFO info = Native(memo->Handle(), OBJID_VSCROLL);
    testing_support::ClickAt(BarPoint(bar, (info.xyThumbBottom + bar.Length - a) / 2));
    ASSERT_TRUE(PumpUntil([&] { return FirstLine(memo) != 0; }));
    Settle();
    EXPECT_NEAR(FirstLine(memo), page, 1) << "one page down";
    memo->SetTopLine(0);
    Settle();

    // Dragging the thumb 40 pixels: the drawn thumb follows the cursor while the loop runs.
    info = Native(memo->Handle(), OBJID_VSCROLL);
    const int thumb = info.xyThumbBottom - info.xyThumbTop;
    const POINT grab = BarPoint(bar, info.xyThumbTop + thumb / 2);
    std::uint32_t atMoved = 0, beforeMoved = 0, atEnd = 0, pastEnd = 0;
    int linesWhileDragging = -1, topWhileDragging = -1, bottomAtEnd = -1;
    PressAndHold(grab, {[&] { MouseTo(POINT{grab.x, grab.y + 40}); },
                        [&] {
                            const TWindowPixels shown = ReadWindowAsIs(bar.Window());
                            topWhileDragging = bar.ThumbTop;
                            atMoved = BarPixel(shown, bar, info.xyThumbTop + 40 + 1);
                            beforeMoved = BarPixel(shown, bar, info.xyThumbTop + 40 - 2);
                            linesWhileDragging = FirstLine(memo);
                            // Past the end, still near the bar (far away, the system puts the thumb back).
                            MouseTo(BarPoint(bar, bar.Length - 2));
                        },
                        [&] {
                            const TWindowPixels shown = ReadWindowAsIs(bar.Window());
                            bottomAtEnd = bar.ThumbBottom;
                            atEnd = BarPixel(shown, bar, bar.Length - a - 1);
                            pastEnd = BarPixel(shown, bar, bar.Length - a + 1);
                        }});
    EXPECT_EQ(topWhileDragging, info.xyThumbTop + 40);
    EXPECT_EQ(atMoved, Rgb(VertThumbColour(2))) << "the pressed thumb, moved with the cursor";
    EXPECT_EQ(beforeMoved, Rgb(VertTrackColour(1)));
    const int scrollable = lines - page;
    const int expected = 40 * scrollable / (bar.Length - 2 * a - thumb);
    EXPECT_NEAR(linesWhileDragging, expected, 3) << "proportional to the distance dragged";
    EXPECT_EQ(bottomAtEnd, bar.Length - a) << "never past the last arrow";
    EXPECT_EQ(atEnd, Rgb(VertThumbColour(2)));
    EXPECT_EQ(pastEnd, Rgb(ArrowColour(13)));
    EXPECT_NEAR(FirstLine(memo), scrollable, 1) << "dragged to the end";
}

TEST_F(MemoBars, ADisabledBarShowsItsDisabledFramesAndNoThumb)
{
    UseSkin(SolidScrollSkin());
    ui::TMemo* memo = ShowMemo(200, ui::TScrollStyle::ssVertical);
    TSkinScrollbar* bars = SkinOf(memo);
    ASSERT_NE(bars, nullptr);
    TWScrollbar& bar = *bars->VertBar;
    const int a = GetSystemMetrics(SM_CYVSCROLL);
    const auto thumbPixels = [&] {
        const TWindowPixels shown = ReadWindowAsIs(bar.Window());
        int count = 0;
        for (int along = 0; along < bar.Length; ++along)
            count += BarPixel(shown, bar, along) == Rgb(VertThumbColour(1));
        return count;
    };
    ASSERT_GT(thumbPixels(), 0);
    const auto expectDisabled = [&](const char* how) {
        const TWindowPixels shown = ReadWindowAsIs(bar.Window());
        EXPECT_EQ(thumbPixels(), 0) << how;
        EXPECT_EQ(BarPixel(shown, bar, bar.Length / 2), Rgb(VertTrackColour(3))) << how;
        EXPECT_EQ(BarPixel(shown, bar, a / 2), Rgb(ArrowColour(12))) << how;
        EXPECT_EQ(BarPixel(shown, bar, bar.Length - a / 2), Rgb(ArrowColour(16))) << how;
    };
    memo->SetEnabled(false);
    Settle();
    expectDisabled("disabled memo");
    memo->SetEnabled(true);
    Settle();
    EXPECT_GT(thumbPixels(), 0);
    EnableScrollBar(memo->Handle(), SB_VERT, ESB_DISABLE_BOTH);
    RedrawWindow(memo->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Settle();
    expectDisabled("disabled bar");
    // A press on a disabled bar starts nothing.
    testing_support::ClickAt(BarPoint(bar, bar.Length - a / 2));
    Settle();
    EXPECT_EQ(FirstLine(memo), 0);
}

TEST_F(MemoBars, OverlaysFollowTheMemoMovedHiddenShownScrolledAndDestroyed)
{
    UseSkin(SolidScrollSkin());
    ui::TMemo* memo = ShowMemo(200, ui::TScrollStyle::ssBoth);
    TSkinScrollbar* bars = SkinOf(memo);
    ASSERT_NE(bars, nullptr);
    const auto covers = [&](const char* when) {
        SCOPED_TRACE(when);
        Settle();
        ExpectCovers(*bars->VertBar, memo->Handle(), OBJID_VSCROLL);
        ExpectCovers(*bars->HorzBar, memo->Handle(), OBJID_HSCROLL);
    };
    const auto thumbFollows = [&](const char* when) {
        SCOPED_TRACE(when);
        Settle();
        const SCROLLBARINFO info = Native(memo->Handle(), OBJID_VSCROLL);
        const TWindowPixels shown = ReadWindowAsIs(bars->VertBar->Window());
        EXPECT_EQ(BarPixel(shown, *bars->VertBar, info.xyThumbTop + 1), Rgb(VertThumbColour(1)));
        EXPECT_EQ(BarPixel(shown, *bars->VertBar, info.xyThumbTop - 2), Rgb(VertTrackColour(1)));
    };

    memo->SetBounds(30, 20, 200, 140);
    covers("moved and resized");
    memo->Hide();
    covers("hidden");
    EXPECT_FALSE(IsWindowVisible(bars->VertBar->Window()));
    memo->Show();
    covers("shown again");
    EXPECT_TRUE(IsWindowVisible(bars->VertBar->Window()));
    SetWindowPos(memo->Handle(), nullptr, 12, 14, 220, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    covers("moved by the system");

    SendMessageW(memo->Handle(), EM_LINESCROLL, 0, 50);
    thumbFollows("scrolled by a message");
    memo->SetFocus();
    Settle();
    const int beforeKeys = FirstLine(memo);
    testing_support::TapKey(VK_NEXT);
    testing_support::TapKey(VK_NEXT);
    ASSERT_TRUE(PumpUntil([&] { return FirstLine(memo) != beforeKeys; }));
    thumbFollows("scrolled by keys");
    const int beforeWheel = FirstLine(memo);
    RECT r{};
    GetWindowRect(memo->Handle(), &r);
    MouseTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    INPUT wheel{};
    wheel.type = INPUT_MOUSE;
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    wheel.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA * 2);
    SendInput(1, &wheel, sizeof(wheel));
    ASSERT_TRUE(PumpUntil([&] { return FirstLine(memo) != beforeWheel; }));
    thumbFollows("scrolled by the wheel");
    SCROLLINFO set{sizeof(set), SIF_POS, 0, 0, 0, 10, 0};
    SetScrollInfo(memo->Handle(), SB_VERT, &set, TRUE);
    SendMessageW(memo->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10), 0);
    thumbFollows("set by the program");

    // A bar taken away and given back.
    ShowScrollBar(memo->Handle(), SB_VERT, FALSE);
    covers("vertical bar taken away");
    EXPECT_FALSE(IsWindowVisible(bars->VertBar->Window()));
    ShowScrollBar(memo->Handle(), SB_VERT, TRUE);
    covers("vertical bar back");
    EXPECT_TRUE(IsWindowVisible(bars->VertBar->Window()));
    memo->SetText(L"short");
    covers("content fits");
    memo->SetText(NumberedLines(100));
    covers("content grew again");

    // Skin painting off for the memo alone: the native bars show; on again: the overlays are back.
    SendMessageW(memo->Handle(), WM_SKINACTIVE, 0, 0);
    Settle();
    EXPECT_FALSE(IsWindowVisible(bars->VertBar->Window()));
    EXPECT_FALSE(IsWindowVisible(bars->HorzBar->Window()));
    SendMessageW(memo->Handle(), WM_SKINACTIVE, 1, 0);
    covers("skin painting on again");

    const HWND vert = bars->VertBar->Window(), horz = bars->HorzBar->Window();
    delete memo;
    Settle();
    EXPECT_FALSE(IsWindow(vert));
    EXPECT_FALSE(IsWindow(horz));
    EXPECT_TRUE(OverlayWindows().empty());
}

TEST_F(MemoBars, ScreenshotOfAMemoScrolledToTheMiddle)
{
    ui::TMemo* memo = ShowMemo(400, ui::TScrollStyle::ssBoth, 300, 200);
    memo->SetTopLine(200 - 5);
    SendMessageW(memo->Handle(), WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), 0);
    Settle();
    TSkinScrollbar* bars = SkinOf(memo);
    ASSERT_NE(bars, nullptr);
    const SCROLLBARINFO info = Native(memo->Handle(), OBJID_VSCROLL);
    const int middle = (info.xyThumbTop + info.xyThumbBottom) / 2;
    EXPECT_NEAR(middle, bars->VertBar->Length / 2, bars->VertBar->Length / 10) << "the thumb halfway";
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Settle();
    frame_testing::SaveScreenshot(form_->Handle(), "memo-middle");
}
