// Stand-alone scroll bars, a combo box's drop-down list, size grips, and what scrolling and skin
// cycles leave behind.
#include "ScrollTesting.h"

#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "ui/ListBoxes.h"
#include "ui/ScrollBars.h"
#include "ui/StdCtrls.h"

using namespace skin;
using namespace scroll_testing;
using frame_testing::GdiProbe;
using frame_testing::ReadWindowAsIs;
using testing_support::PumpUntil;

namespace {

class ScrollControls : public ScrollFixture {
protected:
    TSkinScControl* ControlOf(ui::TWinControl* control)
    {
        TWinSkinForm* frame = FrameOf(form_->Handle());
        return frame ? dynamic_cast<TSkinScControl*>(frame->FindControlObject(control)) : nullptr;
    }
    // Where the drawn thumb lies along the bar: [first, last) of its colour; {0, 0} without one.
    static std::pair<int, int> DrawnThumb(const TWScrollbar& bar, COLORREF colour)
    {
        const TWindowPixels shown = ReadWindowAsIs(bar.Window());
        int first = -1, last = -1;
        for (int along = 0; along < bar.Length; ++along)
            if (BarPixel(shown, bar, along) == Rgb(colour)) {
                if (first < 0)
                    first = along;
                last = along + 1;
            }
        return first < 0 ? std::pair{0, 0} : std::pair{first, last};
    }
};

} // namespace

TEST_F(ScrollControls, AStandAloneScrollBarTakesItsGeometryFromRangePageAndPosition)
{
    UseSkin(SolidScrollSkin());
    ui::TScrollBar* bar = nullptr;
    form_ = ShowFormWith([&](ui::TForm& f) {
        bar = new ui::TScrollBar(&f);
        bar->SetParent(&f);
        bar->SetKind(ui::TScrollBarKind::sbVertical);
        bar->SetBounds(20, 10, GetSystemMetrics(SM_CXVSCROLL), 200);
        bar->SetParams(0, 0, 100);
        bar->SetPageSize(10);
        bar->SetLargeChange(10);
    }, 120, 230);
    Settle();
    TSkinScControl* object = ControlOf(bar);
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(object->Bar);
    TWScrollbar& overlay = *object->Bar;
    EXPECT_EQ(overlay.Orientation, 1);
    RECT r{}, client{};
    GetWindowRect(overlay.Window(), &r);
    GetClientRect(bar->Handle(), &client);
    MapWindowPoints(bar->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(EqualRect(&r, &client)) << "over the whole control";
    const int a = GetSystemMetrics(SM_CYVSCROLL);
    const int track = 200 - 2 * a;

    struct TCase {
        int min, max, page, position;
    };
    for (const TCase c : {TCase{0, 100, 10, 0}, TCase{0, 100, 10, 91}, TCase{50, 150, 10, 95}, TCase{-20, 20, 0, 0},
                          TCase{7, 7, 0, 7}, TCase{0, 100, 101, 0}}) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " page " << c.page << " at " << c.position);
        bar->SetPageSize(0);
        bar->SetParams(c.position, c.min, c.max);
        bar->SetPageSize(c.page);
        Settle();
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(overlay.GetControlBarInfo(info));
        const auto [first, last] = DrawnThumb(overlay, VertThumbColour(1));
        const int range = c.max - c.min;
        if (range <= 0 || c.page > range) {
            EXPECT_EQ(info.xyThumbTop, info.xyThumbBottom) << "nothing to scroll: no thumb";
            EXPECT_EQ(last - first, 0);
            continue;
        }
        EXPECT_EQ(first, info.xyThumbTop);
        EXPECT_EQ(last, info.xyThumbBottom);
        EXPECT_GE(first, a);
        EXPECT_LE(last, 200 - a);
        const int highest = c.max - std::max(c.page - 1, 0);
        if (c.position == c.min) {
            EXPECT_EQ(first, a) << "at the start";
        }
        if (c.position == highest) {
            EXPECT_EQ(last, 200 - a) << "at the end";
        }
        if (c.page > 0) {
            EXPECT_NEAR(last - first, track * c.page / (range + 1), 1) << "the page's share of the track";
        }
        if (c.position != c.min && c.position != highest) {
            const double share = double(c.position - c.min) / (highest - c.min);
            EXPECT_NEAR(first - a, share * (track - (last - first)), 1) << "proportional";
        }
    }

    // Clicks through the native loop of the control itself.
    bar->SetPageSize(10);
    bar->SetParams(50, 0, 100);
    Settle();
    testing_support::ClickAt(BarPoint(overlay, 200 - a / 2));
    ASSERT_TRUE(PumpUntil([&] { return bar->Position() == 51; })) << bar->Position();
    Settle();
    EXPECT_EQ(DrawnThumb(overlay, VertThumbColour(1)).first, overlay.ThumbTop) << "the thumb moved with it";
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    overlay.GetControlBarInfo(info);
    testing_support::ClickAt(BarPoint(overlay, (info.xyThumbBottom + 200 - a) / 2));
    ASSERT_TRUE(PumpUntil([&] { return bar->Position() == 61; })) << bar->Position();
    std::uint32_t pressed = 0;
    PressAndHold(BarPoint(overlay, a / 2), {[&] { pressed = BarPixel(ReadWindowAsIs(overlay.Window()), overlay, a / 2); }});
    EXPECT_EQ(pressed, Rgb(ArrowColour(10))) << "the pressed first arrow";
    EXPECT_LT(bar->Position(), 61);

    const HWND window = overlay.Window();
    delete bar;
    Settle();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(ScrollControls, PlainScrollBarWindowsAndSizeGripsOfADialogAreSkinned)
{
    UseSkin(SolidScrollSkin());
    form_ = ShowForm(ui::TFormBorderStyle::bsSizeable, 200, 150);
    TWinSkinForm* frame = FrameOf(form_->Handle());
    ASSERT_NE(frame, nullptr);
    const HWND plain = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 10, 10, 150,
                                       GetSystemMetrics(SM_CYHSCROLL), form_->Handle(), nullptr, nullptr, nullptr);
    const HWND grip = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 170, 120, 20, 20,
                                      form_->Handle(), nullptr, nullptr, nullptr);
    SCROLLINFO set{sizeof(set), SIF_ALL, 10, 60, 10, 30, 0};
    SetScrollInfo(plain, SB_CTL, &set, TRUE);
    frame->SkinChildWindow(plain);
    frame->SkinChildWindow(grip);
    auto* bar = dynamic_cast<TSkinScControl*>(frame->FindWindowObject(plain));
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(dynamic_cast<TSkinSizer*>(frame->FindWindowObject(grip)), nullptr);
    Settle();
    EXPECT_EQ(bar->Bar->Orientation, 0);
    const auto [first, last] = DrawnThumb(*bar->Bar, HorzThumbColour(1));
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_GT(first, a);
    EXPECT_LT(last, 150 - a);
    EXPECT_NEAR((first + last) / 2, 75, 3) << "halfway through 10..60";
    SetScrollPos(plain, SB_CTL, 10, TRUE);
    Settle();
    EXPECT_EQ(DrawnThumb(*bar->Bar, HorzThumbColour(1)).first, a) << "the overlay follows SetScrollPos";

    InvalidateRect(grip, nullptr, TRUE);
    Settle();
    const TWindowPixels shown = ReadWindowAsIs(grip);
    int other = 0;
    for (std::uint32_t p : shown.pixels)
        other += p != Rgb(kSolidFace);
    EXPECT_EQ(other, 0) << "a size grip is flat in the face colour";
    DestroyWindow(plain);
    DestroyWindow(grip);
    Settle();
    EXPECT_TRUE(OverlayWindows().empty());
}

TEST_F(ScrollControls, AComboBoxDropDownListHasASkinnedBarWhileOpenAndNoneAfter)
{
    UseSkin(SolidScrollSkin());
    ui::TComboBox* combo = nullptr;
    form_ = ShowFormWith([&](ui::TForm& f) {
        combo = new ui::TComboBox(&f);
        combo->SetParent(&f);
        combo->SetBounds(10, 10, 160, 21);
        combo->SetStyle(ui::TComboBoxStyle::csDropDownList);
        for (int i = 0; i < 40; ++i)
            combo->Items().Add("Item " + std::to_string(i));
    }, 220, 120);
    Settle();
    TWinSkinForm* frame = FrameOf(form_->Handle());
    auto* object = dynamic_cast<TSkinComBox*>(frame->FindControlObject(combo));
    ASSERT_NE(object, nullptr);
    ASSERT_NE(object->ListHandle, nullptr);
    EXPECT_FALSE(object->ListScrollbar);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        RECT r{};
        GetWindowRect(combo->Handle(), &r);
        if (round == 0) {
            testing_support::ClickAt(POINT{r.right - 8, (r.top + r.bottom) / 2});
        } else {
            combo->SetFocus();
            Settle();
            testing_support::TapKey(VK_F4);
        }
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(object->ListHandle) != FALSE; }));
        Settle();
        ASSERT_TRUE(object->ListScrollbar) << "the open list has its bar";
        TWScrollbar& bar = *object->ListScrollbar->VertBar;
        ASSERT_TRUE(IsWindowVisible(bar.Window()));
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetScrollBarInfo(object->ListHandle, OBJID_VSCROLL, &info));
        RECT overlay{};
        GetWindowRect(bar.Window(), &overlay);
        EXPECT_TRUE(EqualRect(&overlay, &info.rcScrollBar));
        EXPECT_EQ(BarPixel(ReadWindowAsIs(bar.Window()), bar, GetSystemMetrics(SM_CYVSCROLL) / 2), Rgb(ArrowColour(9)));
        EXPECT_FALSE(IsWindowVisible(object->ListScrollbar->HorzBar->Window()));
        EXPECT_EQ(GetWindowLongPtrW(bar.Window(), GWL_EXSTYLE) & WS_EX_NOACTIVATE, WS_EX_NOACTIVATE)
            << "never takes the activation";
        EXPECT_EQ(GetForegroundWindow(), form_->Handle());

        // The wheel over the open list scrolls it; the thumb follows.
        SendMessageW(object->ListHandle, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
        Settle();
        ASSERT_TRUE(GetScrollBarInfo(object->ListHandle, OBJID_VSCROLL, &info));
        EXPECT_EQ(BarPixel(ReadWindowAsIs(bar.Window()), bar, info.xyThumbTop + 1), Rgb(VertThumbColour(1)));

        const HWND window = bar.Window();
        if (round == 0)
            testing_support::TapKey(VK_ESCAPE);
        else
            testing_support::ClickAt(POINT{r.right - 8, (r.top + r.bottom) / 2});
        ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(object->ListHandle); }));
        ASSERT_TRUE(PumpUntil([&] { return !object->ListScrollbar; })) << "no bar once the list closed";
        EXPECT_FALSE(IsWindow(window));
    }
    delete combo;
    Settle();
    EXPECT_TRUE(OverlayWindows().empty());
}

TEST_F(ScrollControls, ListBoxesAndSkinsWithoutTheImagesPaintWithoutFault)
{
    for (const TSolidParts parts : {TSolidParts{false, false, false}, TSolidParts{true, false, false},
                                    TSolidParts{false, true, true}}) {
        UseSkin(SolidScrollSkin(parts));
        ui::TListBox* list = nullptr;
        form_ = ShowFormWith([&](ui::TForm& f) {
            list = new ui::TListBox(&f);
            list->SetParent(&f);
            list->SetBounds(10, 10, 150, 100);
            list->SetScrollWidth(400);
            for (int i = 0; i < 60; ++i)
                list->Items().Add("List item " + std::to_string(i));
        }, 200, 140);
        Settle();
        TSkinScrollbar* bars = SkinOf(list);
        ASSERT_NE(bars, nullptr);
        ASSERT_TRUE(IsWindowVisible(bars->VertBar->Window()));
        ASSERT_TRUE(IsWindowVisible(bars->HorzBar->Window()));
        list->SetTopIndex(30);
        Settle();
        const TWindowPixels shown = ReadWindowAsIs(bars->VertBar->Window());
        const int a = GetSystemMetrics(SM_CYVSCROLL);
        if (parts.arrows)
            EXPECT_EQ(BarPixel(shown, *bars->VertBar, a / 2), Rgb(ArrowColour(9)));
        else
            EXPECT_NE(BarPixel(shown, *bars->VertBar, a / 2), Rgb(ArrowColour(9)));
        if (parts.tracks) {
            EXPECT_EQ(BarPixel(shown, *bars->VertBar, a + 1), Rgb(VertTrackColour(1)));
        }
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        GetScrollBarInfo(list->Handle(), OBJID_VSCROLL, &info);
        if (parts.thumbs) {
            EXPECT_EQ(BarPixel(shown, *bars->VertBar, (info.xyThumbTop + info.xyThumbBottom) / 2), Rgb(VertThumbColour(1)));
        }
        delete list;
        Settle();
    }
}

TEST_F(ScrollControls, ScrollingAndSkinCyclesLeaveNoGdiObjectsAndNoOverlaysBehind)
{
    ui::TMemo* memo = ShowMemo(300, ui::TScrollStyle::ssBoth);
    TSkinScrollbar* bars = SkinOf(memo);
    ASSERT_NE(bars, nullptr);
    const auto scroll = [&](int times) {
        for (int i = 0; i < times; ++i) {
            SendMessageW(memo->Handle(), WM_VSCROLL, MAKEWPARAM(i % 200 < 100 ? SB_LINEDOWN : SB_LINEUP, 0), 0);
            UpdateWindow(memo->Handle());
        }
        Settle();
    };
    scroll(100);
    const unsigned before = GdiProbe();
    scroll(1000);
    const unsigned after = GdiProbe();
    EXPECT_LE(after, before + 6) << "before " << before << ", after " << after;

    HWND w = form_->Handle();
    const std::size_t overlays = OverlayWindows().size();
    EXPECT_EQ(overlays, 2u);
    const auto cycle = [&] {
        // The manager's usual delay is for people, not for this loop.
        Data().SetActive(false);
        SkinManager()->RequestAction(saSkinOff, 1);
        ASSERT_TRUE(PumpUntil([] { return SkinManager()->SkinForms.empty(); }));
        EXPECT_TRUE(OverlayWindows().empty()) << "unskinned: the overlays are gone";
        Data().SetActive(true);
        SkinManager()->RequestAction(saSkinOn, 1);
        ASSERT_TRUE(PumpUntil([w] {
            TWinSkinForm* frame = FrameOf(w);
            return frame && frame->Status == fsAttached;
        }));
        Settle();
    };
    cycle();
    const unsigned beforeCycles = GdiProbe();
    for (int i = 0; i < 49; ++i)
        cycle();
    const unsigned afterCycles = GdiProbe();
    EXPECT_LE(afterCycles, beforeCycles + 6) << "before " << beforeCycles << ", after " << afterCycles;
    EXPECT_EQ(OverlayWindows().size(), overlays);
}
