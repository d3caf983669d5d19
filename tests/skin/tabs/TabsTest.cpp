// Tab controls, page controls, tab sets and list views under the skin, on real windows: which frame
// each tab shows in every position, pages turned by the mouse and by Ctrl+Tab, the scroll up-down
// left alone, a caller's DC given back as it came, tabs that do not fit left out, the list view's
// header, and no GDI object lost over many repaints.
#include "FrameTesting.h"
#include "UiTesting.h"
#include "WindowTesting.h"

#include "skin/controls/WinSubClass.h"
#include "skin/data/SkinArchiveWriter.h"
#include "ui/GdiObjects.h"
#include "ui/ListViews.h"
#include "ui/StdCtrls.h"
#include "ui/TabControls.h"
#include "ui/TabSets.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <array>

using namespace skin;
using namespace frame_testing;

namespace {

std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// Each tab frame: two rows of one colour at the top, two of another at the bottom, a third in
// between; the frames differ in all three, so a frame and its orientation show in the pixels.
constexpr int kFrameW = 20, kFrameH = 20;
const std::array<COLORREF, 5> kTop{RGB(200, 0, 0), RGB(0, 200, 0), RGB(90, 0, 90), RGB(90, 90, 0), RGB(0, 90, 90)};
const std::array<COLORREF, 5> kMiddle{RGB(240, 120, 120), RGB(120, 240, 120), RGB(60, 60, 60), RGB(70, 70, 70), RGB(80, 80, 80)};
const std::array<COLORREF, 5> kBottom{RGB(0, 0, 200), RGB(200, 200, 0), RGB(10, 10, 10), RGB(20, 20, 20), RGB(30, 30, 30)};
constexpr COLORREF kBorder = RGB(0, 128, 255);
constexpr COLORREF kSentinel = RGB(18, 52, 86);
constexpr COLORREF kHeader = RGB(250, 140, 20);

std::vector<std::uint8_t> TabSkin(bool withImage, bool withBorder, bool withHeader = false)
{
    std::string ini = "[TitlebarSkin]\nSkinName=Tab parts\n[Personality]\n";
    std::vector<TSkinArchiveEntry> entries;
    if (withHeader) {
        ini += "[Headerbar]\nImage=header.bmp\nLeftWidth=2\nRightWidth=2\nTopHeight=2\nBottomHeight=2\n";
        entries.push_back({"header.bmp", ui_testing::MakeBmp(10 * 5, 18, [](int x, int) {
                               return x < 10 ? kHeader : RGB(0, 0, 0);
                           })});
    }
    if (withImage) {
        ini += "[Tabs]\nImage=tabs.bmp\nLeftWidth=2\nRightWidth=2\nTopHeight=2\nBottomHeight=2\nTrans=0\nTile=0\n";
        if (withBorder)
            ini += "Border=border.bmp\n";
        entries.push_back({"tabs.bmp", ui_testing::MakeBmp(kFrameW * 5, kFrameH, [](int x, int y) {
                               const int f = x / kFrameW;
                               return y < 2 ? kTop[f] : y >= kFrameH - 2 ? kBottom[f] : kMiddle[f];
                           })});
        if (withBorder)
            entries.push_back({"border.bmp", ui_testing::MakeBmp(16, 16, [](int, int) { return kBorder; })});
    }
    entries.insert(entries.begin(), {"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    return BuildSkinArchive(entries);
}

void Settle()
{
    for (int i = 0; i < 3; ++i)
        ui::Application.ProcessMessages();
}

POINT ScreenPoint(HWND window, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

class SkinnedTabs : public ::testing::Test, public SkinnedWindows {
protected:
    ~SkinnedTabs() override { SetCursorPos(0, 0); }

    void UseTestSkin(bool withImage = true, bool withBorder = true, bool withHeader = false)
    {
        Data().SkinStream() = ui::TMemoryStream(TabSkin(withImage, withBorder, withHeader));
        ASSERT_TRUE(Data().LoadSkinData());
    }

    template <class C>
    C* Add(ui::TWinControl& parent, ui::TComponent* owner, int x, int y, int w, int h)
    {
        auto* control = new C(owner);
        control->SetParent(&parent);
        control->SetBounds(x, y, w, h);
        return control;
    }

    // A page control with a sheet per caption, each sheet holding an edit.
    ui::TPageControl* Pages(ui::TForm& form, ui::TTabPosition position, const std::vector<std::wstring>& captions,
                            std::vector<ui::TTabSheet*>& sheets, std::vector<ui::TEdit*>* edits = nullptr)
    {
        auto* pages = Add<ui::TPageControl>(form, &form, 10, 10, 300, 200);
        pages->SetTabPosition(position);
        for (const std::wstring& caption : captions) {
            auto* sheet = new ui::TTabSheet(&form);
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
            sheets.push_back(sheet);
            auto* edit = Add<ui::TEdit>(*sheet, &form, 10, 10, 120, 21);
            if (edits)
                edits->push_back(edit);
        }
        return pages;
    }

    template <class T>
    static T* ObjectOf(ui::TForm* form, ui::TWinControl* control)
    {
        TWinSkinForm* frame = FrameOf(form->Handle());
        if (!frame)
            return nullptr;
        TSkinControl* found = frame->FindControlObject(control);
        if (!found)
            found = frame->FindWindowObject(control->Handle());
        return dynamic_cast<T*>(found);
    }

    // The frame a tab shows: read at a point of its middle band, away from its caption.
    static int FrameAt(const TWindowPixels& shown, POINT p)
    {
        const std::uint32_t c = shown.At(p.x, p.y);
        for (int f = 0; f < 5; ++f)
            if (c == Rgb(kMiddle[static_cast<size_t>(f)]))
                return f + 1;
        return 0;
    }

    // A point inside tab `index`, three pixels in from its start, in the middle band.
    static POINT BandPoint(HWND tab, int index, ui::TTabPosition position)
    {
        RECT r{};
        SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        if (position == ui::TTabPosition::tpLeft || position == ui::TTabPosition::tpRight)
            return POINT{(r.left + r.right) / 2, r.top + 4};
        return POINT{r.left + 4, (r.top + r.bottom) / 2};
    }
};

} // namespace

TEST_F(SkinnedTabs, SelectedTabShowsTheSelectedFrameInEveryPositionBottomTabsFlippedAndThePageBorderDrawn)
{
    UseTestSkin();
    using P = ui::TTabPosition;
    for (P position : {P::tpTop, P::tpBottom, P::tpLeft, P::tpRight}) {
        SCOPED_TRACE(static_cast<int>(position));
        std::vector<ui::TTabSheet*> sheets;
        ui::TPageControl* pages = nullptr;
        ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
            pages = Pages(f, position, {L"First page", L"Second page", L"Third page"}, sheets);
            pages->SetActivePage(sheets[1]);
        }, 320, 220);
        HWND tab = pages->Handle();
        auto* object = ObjectOf<TSkinTab>(form, pages);
        ASSERT_NE(object, nullptr) << "a page control gets the tab object";
        EXPECT_EQ(object->TabPosition, static_cast<int>(position));
        const TWindowPixels shown = ReadWindow(tab);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(FrameAt(shown, BandPoint(tab, i, position)), i == 1 ? 2 : 1) << "tab " << i;

        RECT r{};
        SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        if (position == P::tpTop || position == P::tpBottom) {
            // The outer rows are the image's top rows: at the top of a top tab, at the bottom of
            // a bottom tab (its image flipped); the middle band starts two rows in.
            const int x = r.left + 4;
            const int outer = position == P::tpTop ? r.top : r.bottom - 1;
            const int step = position == P::tpTop ? 1 : -1;
            EXPECT_EQ(shown.At(x, outer), Rgb(kTop[0]));
            EXPECT_EQ(shown.At(x, outer + step), Rgb(kTop[0]));
            EXPECT_EQ(shown.At(x, outer + 2 * step), Rgb(kMiddle[0]));
        }
        // The page border lies round the display area, four pixels out.
        const ui::TRect display = pages->DisplayRect();
        const int midY = (display.top + display.bottom) / 2, midX = (display.left + display.right) / 2;
        const POINT opposite = position == P::tpRight ? POINT{display.left - 3, midY}
            : position == P::tpBottom ? POINT{midX, display.top - 3}
            : position == P::tpLeft ? POINT{display.right + 2, midY} : POINT{midX, display.bottom + 2};
        EXPECT_EQ(shown.At(opposite.x, opposite.y), Rgb(kBorder)) << "border opposite the tabs";
        SaveScreenshot(form->Handle(), "test-skin-position-" + std::to_string(static_cast<int>(position)));
        form->Hide();
        Settle();
    }
}

TEST_F(SkinnedTabs, WithoutTabImagesTheControlKeepsItsOwnLook)
{
    UseTestSkin(false, false);
    std::vector<ui::TTabSheet*> sheets;
    ui::TPageControl* pages = nullptr;
    ui::TTabSet* set = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        pages = Pages(f, ui::TTabPosition::tpTop, {L"One", L"Two"}, sheets);
        set = Add<ui::TTabSet>(f, &f, 10, 215, 300, 22);
        for (const char* caption : {"Orders", "Customers", "Stock"})
            set->Tabs().Add(caption);
        set->SetTabIndex(1);
    }, 320, 240);
    EXPECT_EQ(ObjectOf<TSkinTab>(form, pages), nullptr);
    EXPECT_EQ(ObjectOf<TSkinTab31>(form, set), nullptr);
    // The tab set draws plain tabs itself: the selected one in the window colour.
    const TWindowPixels plain = ReadWindow(set->Handle());
    const auto places = set->VisibleTabs();
    ASSERT_EQ(places.size(), 3u);
    EXPECT_FALSE(set->ScrollerShowing());
    EXPECT_EQ(plain.At(places[1].Rect.left + 3, plain.height / 2 - 4), Rgb(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(plain.At(places[0].Rect.left + 3, plain.height / 2 - 4), Rgb(ui::ColorToRGB(set->Color())));
    EXPECT_EQ(plain.At(places[0].Rect.left, plain.height / 2), Rgb(GetSysColor(COLOR_BTNSHADOW))) << "tab edge";
    // Attached by hand to a skin without the image, it paints nothing and lets the control erase.
    auto* object = new TSkinTab(pages);
    TWinSkinForm* frame = FrameOf(form->Handle());
    object->AttachWindow(pages->Handle(), &Data(), frame, frame->ControlCanvas());
    ASSERT_TRUE(object->Attached);
    EXPECT_FALSE(object->HasTabs());
    const TWindowPixels shown = ReadWindow(pages->Handle());
    EXPECT_EQ(FrameAt(shown, BandPoint(pages->Handle(), 0, ui::TTabPosition::tpTop)), 0);
    ui::TBitmap print(shown.width, shown.height);
    EXPECT_EQ(SendMessageW(pages->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(print.Canvas().Handle()), 0), 1)
        << "the control's own erase runs";
}

TEST_F(SkinnedTabs, PagesTurnByClickAndByCtrlTabAndTheStripFollows)
{
    UseTestSkin();
    std::vector<ui::TTabSheet*> sheets;
    std::vector<ui::TEdit*> edits;
    ui::TPageControl* pages = nullptr;
    int changes = 0;
    bool refuse = false;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        pages = Pages(f, ui::TTabPosition::tpTop, {L"Alpha", L"Beta", L"Gamma"}, sheets, &edits);
        pages->OnChange = [&](ui::TObject*) { ++changes; };
        pages->OnChanging = [&](ui::TObject*, bool& allow) { allow = !refuse; };
    }, 320, 220);
    HWND tab = pages->Handle();
    ASSERT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_TRUE(IsWindowVisible(sheets[0]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[1]->Handle()));

    // A click on the second tab.
    const POINT second = BandPoint(tab, 1, ui::TTabPosition::tpTop);
    testing_support::ClickAt(ScreenPoint(tab, second.x + 8, second.y));
    ASSERT_TRUE(ui_testing::PumpAppUntil([&] { return pages->ActivePage() == sheets[1]; }));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(IsWindowVisible(sheets[1]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));
    Settle();
    TWindowPixels shown = ReadWindowAsIs(tab);
    EXPECT_EQ(FrameAt(shown, BandPoint(tab, 1, ui::TTabPosition::tpTop)), 2) << "the strip shows the new page";
    EXPECT_EQ(FrameAt(shown, BandPoint(tab, 0, ui::TTabPosition::tpTop)), 1);
    SaveScreenshot(form->Handle(), "test-skin-clicked");

    // Ctrl+Tab from an edit inside the page, forward and back.
    edits[1]->SetFocus();
    ASSERT_TRUE(ui_testing::PumpAppUntil([&] { return GetFocus() == edits[1]->Handle(); }));
    testing_support::SendKey(VK_CONTROL, false);
    testing_support::TapKey(VK_TAB);
    testing_support::SendKey(VK_CONTROL, true);
    ASSERT_TRUE(ui_testing::PumpAppUntil([&] { return pages->ActivePage() == sheets[2]; }));
    EXPECT_EQ(changes, 2);
    Settle();
    shown = ReadWindowAsIs(tab);
    EXPECT_EQ(FrameAt(shown, BandPoint(tab, 2, ui::TTabPosition::tpTop)), 2);
    EXPECT_EQ(FrameAt(shown, BandPoint(tab, 1, ui::TTabPosition::tpTop)), 1);
    EXPECT_TRUE(pages->Focused()) << "the focus does not stay on a hidden page";

    testing_support::SendKey(VK_CONTROL, false);
    testing_support::SendKey(VK_SHIFT, false);
    testing_support::TapKey(VK_TAB);
    testing_support::SendKey(VK_SHIFT, true);
    testing_support::SendKey(VK_CONTROL, true);
    ASSERT_TRUE(ui_testing::PumpAppUntil([&] { return pages->ActivePage() == sheets[1]; }));
    // Round the end, and refused by OnChanging.
    pages->SelectNextPage(true);
    pages->SelectNextPage(true);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    refuse = true;
    pages->SelectNextPage(false);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    // A hidden tab is skipped and its page never shown.
    refuse = false;
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages->TabCount(), 2);
    pages->SelectNextPage(true);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(pages->TabIndex(), 1);
}

TEST_F(SkinnedTabs, ScrollUpDownIsNeverPaintedOverAndACallersDcKeepsItsClipRegion)
{
    UseTestSkin();
    ui::TTabControl* tabs = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        tabs = Add<ui::TTabControl>(f, &f, 10, 10, 220, 120);
        for (int i = 0; i < 12; ++i)
            tabs->Tabs().Add("Tab number " + std::to_string(i));
        tabs->SetTabIndex(0);
    }, 260, 150);
    HWND tab = tabs->Handle();
    auto* object = ObjectOf<TSkinTab>(form, tabs);
    ASSERT_NE(object, nullptr);
    HWND spin = FindWindowExW(tab, nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(spin, nullptr);
    ASSERT_TRUE(IsWindowVisible(spin)) << "more tabs than fit";
    EXPECT_TRUE(object->FindUpDown());
    EXPECT_NE(object->UpDown, nullptr) << "the up-down gets its own object";
    RECT spinRect = object->UpDownRect();
    ASSERT_FALSE(IsRectEmpty(&spinRect));
    SaveScreenshot(form->Handle(), "test-skin-scrolling");

    RECT client{};
    GetClientRect(tab, &client);
    for (UINT msg : {UINT(WM_PRINTCLIENT), UINT(WM_PAINT)}) {
        SCOPED_TRACE(msg == WM_PAINT ? "WM_PAINT with a DC" : "WM_PRINTCLIENT");
        for (bool clipped : {false, true}) {
            ui::TBitmap print(client.right, client.bottom);
            HDC dc = print.Canvas().Handle();
            ui::TBrushHandle sentinel(CreateSolidBrush(kSentinel));
            FillRect(dc, &client, sentinel.Get());
            ui::TRegionHandle given(CreateRectRgn(0, 0, client.right - 1, client.bottom));
            if (clipped)
                SelectClipRgn(dc, given.Get());
            SendMessageW(tab, msg, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
            ui::TRegionHandle after(CreateRectRgn(0, 0, 0, 0));
            const int has = GetClipRgn(dc, after.Get());
            EXPECT_EQ(has, clipped ? 1 : 0);
            if (clipped) {
                EXPECT_TRUE(EqualRgn(after.Get(), given.Get())) << "the clip region came back changed";
            }
            // The strip was painted, the up-down's place was not.
            int painted = 0, kept = 0;
            for (int y = spinRect.top; y < spinRect.bottom; ++y)
                for (int x = spinRect.left; x < spinRect.right; ++x)
                    kept += Rgb(GetPixel(dc, x, y)) == Rgb(kSentinel);
            EXPECT_EQ(kept, (spinRect.right - spinRect.left) * (spinRect.bottom - spinRect.top));
            const POINT band = BandPoint(tab, 0, ui::TTabPosition::tpTop);
            painted = Rgb(GetPixel(dc, band.x, band.y)) == Rgb(kMiddle[1]);
            EXPECT_EQ(painted, 1) << "the selected tab in the printed picture";
            SelectClipRgn(dc, nullptr);
        }
    }

    // On screen: a repaint of the strip leaves the up-down's pixels as it drew them.
    const TWindowPixels before = ReadWindow(spin);
    InvalidateRect(tab, nullptr, TRUE);
    UpdateWindow(tab);
    EXPECT_EQ(ReadWindowAsIs(spin).pixels, before.pixels);
    // Scrolled by a click on its right arrow, the strip is redrawn from the new first tab.
    RECT spinScreen{};
    GetWindowRect(spin, &spinScreen);
    testing_support::ClickAt(POINT{spinScreen.right - 3, (spinScreen.top + spinScreen.bottom) / 2});
    RECT first{};
    ASSERT_TRUE(ui_testing::PumpAppUntil([&] {
        SendMessageW(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&first));
        return first.left <= 4;
    })) << "tab 1 comes first";
    Settle();
    const TWindowPixels scrolled = ReadWindowAsIs(tab);
    EXPECT_EQ(FrameAt(scrolled, BandPoint(tab, 1, ui::TTabPosition::tpTop)), 1);
    EXPECT_EQ(FrameAt(scrolled, POINT{first.left + 4, (first.top + first.bottom) / 2}), 1)
        << "the selected tab scrolled away";
}

TEST_F(SkinnedTabs, TabSetLeavesOutTabsThatDoNotFitAndAClickSelects)
{
    UseTestSkin();
    ui::TTabSet* set = nullptr;
    int changes = 0;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        set = Add<ui::TTabSet>(f, &f, 10, 10, 200, 22);
        for (const char* caption : {"Orders", "Customers", "A rather long caption here", "Stock", "Suppliers", "Invoices"})
            set->Tabs().Add(caption);
        set->SetTabIndex(0);
        set->OnChange = [&](ui::TObject*) { ++changes; };
    }, 290, 60);
    HWND window = set->Handle();
    ASSERT_EQ(set->ComponentCount() > 0 ? set->Components(0) : nullptr, set->Scroller()) << "scroll buttons made first";
    auto* object = ObjectOf<TSkinTab31>(form, set);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Scroller, set->Scroller());
    EXPECT_NE(object->UpDown, nullptr);
    ASSERT_TRUE(set->ScrollerShowing());
    ASSERT_TRUE(IsWindowVisible(set->Scroller()->Handle()));

    const std::vector<ui::TTabSet::TTabPlace> places = set->VisibleTabs();
    ASSERT_GE(places.size(), 2u);
    EXPECT_LT(places.size(), 6u);
    bool skipped = false;
    for (size_t i = 1; i < places.size(); ++i)
        skipped = skipped || places[i].Index != places[i - 1].Index + 1;
    EXPECT_TRUE(skipped) << "the long tab is left out and a later one still fits";
    const TWindowPixels shown = ReadWindow(window);
    int rightmost = -1;
    const int y = shown.height / 2;
    for (int x = 0; x < shown.width; ++x) {
        const std::uint32_t c = shown.At(x, y);
        if (c == Rgb(kMiddle[0]) || c == Rgb(kMiddle[1]))
            rightmost = x;
    }
    EXPECT_EQ(rightmost, places.back().Rect.right - 1) << "the last drawn tab ends where the layout puts it";
    EXPECT_LE(rightmost, shown.width - set->EndMargin() - ui::TTabSet::ScrollerRoom + ui::TTabSet::TabPadding);
    for (const auto& place : places) {
        const COLORREF want = place.Index == 0 ? kMiddle[1] : kMiddle[0];
        EXPECT_EQ(shown.At(place.Rect.left + 3, y), Rgb(want)) << "tab " << place.Index;
    }
    SaveScreenshot(form->Handle(), "test-skin-tabset");

    // A click on the second tab drawn selects it, and the skin shows it.
    const auto& target = places[1];
    testing_support::ClickAt(ScreenPoint(window, target.Rect.left + 4, y));
    ASSERT_TRUE(ui_testing::PumpAppUntil([&] { return set->TabIndex() == target.Index; }));
    EXPECT_EQ(changes, 1);
    Settle();
    EXPECT_EQ(ReadWindow(window).At(target.Rect.left + 3, y), Rgb(kMiddle[1]));

    // Scrolled to the end, everything fits behind the buttons again.
    set->SetFirstIndex(3);
    const auto later = set->VisibleTabs();
    ASSERT_FALSE(later.empty());
    EXPECT_EQ(later.front().Index, 3);
}

TEST_F(SkinnedTabs, ListViewHeaderIsPaintedFromTheSkinAndItsObjectFreedOnUnskin)
{
    UseTestSkin(true, true, true);
    ui::TListView* list = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        list = Add<ui::TListView>(f, &f, 10, 10, 300, 150);
        list->SetViewStyle(ui::TViewStyle::vsReport);
        list->SetRowSelect(true);
        list->SetGridLines(true);
        list->AddColumn(L"Code", 80);
        list->AddColumn(L"Description", 180);
        for (int i = 0; i < 30; ++i)
            list->AddItem(L"Item " + std::to_wstring(i), {L"Description of item " + std::to_wstring(i)});
    }, 320, 170);
    HWND header = list->HeaderHandle();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
    auto* object = ObjectOf<TSkinListView>(form, list);
    ASSERT_NE(object, nullptr) << "a list view gets its object";
    ASSERT_NE(object->Header, nullptr);
    EXPECT_EQ(object->Header->Handle, header);
    TWinSkinForm* frame = FrameOf(form->Handle());
    EXPECT_EQ(frame->FindWindowObject(header), object->Header);

    // Both items and the rest of the bar wear the header image's first frame.
    const TWindowPixels skinned = ReadWindow(header);
    RECT item{};
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    for (POINT p : {POINT{4, 1}, POINT{item.left + 3, 1}, POINT{item.right + 5, skinned.height / 2}})
        EXPECT_EQ(skinned.At(p.x, p.y), Rgb(kHeader)) << p.x << "," << p.y;
    SaveScreenshot(form->Handle(), "test-skin-listview");

    list->Item(3)->SetSelected(true);
    EXPECT_EQ(list->Selected(), list->Item(3));
    object->Unskin();
    EXPECT_EQ(object->Header, nullptr);
    EXPECT_EQ(frame->FindWindowObject(header), nullptr) << "the header's object is gone";
    // The header paints by itself again.
    const TWindowPixels own = ReadWindow(header);
    EXPECT_NE(own.At(4, 1), Rgb(kHeader));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(SkinnedTabs, ProductSkinPicturesAndNoGdiObjectLostOverManyRepaints)
{
    std::vector<ui::TTabSheet*> sheets;
    ui::TPageControl* pages = nullptr;
    ui::TTabControl* bottom = nullptr;
    ui::TTabSet* set = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        pages = Pages(f, ui::TTabPosition::tpTop, {L"General", L"Items", L"Totals"}, sheets);
        pages->SetActivePage(sheets[1]);
        bottom = Add<ui::TTabControl>(f, &f, 320, 10, 200, 120);
        bottom->SetTabPosition(ui::TTabPosition::tpBottom);
        for (int i = 0; i < 9; ++i)
            bottom->Tabs().Add("Sheet " + std::to_string(i));
        bottom->SetTabIndex(1);
        set = Add<ui::TTabSet>(f, &f, 10, 215, 300, 22);
        for (const char* caption : {"Orders", "Customers", "Stock", "Suppliers", "Invoices", "Payments"})
            set->Tabs().Add(caption);
        set->SetTabIndex(2);
        auto* list = Add<ui::TListView>(f, &f, 320, 140, 200, 95);
        list->SetViewStyle(ui::TViewStyle::vsReport);
        list->AddColumn(L"Code", 60);
        list->AddColumn(L"Description", 120);
        for (int i = 0; i < 8; ++i)
            list->AddItem(L"Item " + std::to_wstring(i), {L"Line " + std::to_wstring(i)});
    }, 530, 245);
    ASSERT_NE(ObjectOf<TSkinTab>(form, pages), nullptr);
    ASSERT_NE(ObjectOf<TSkinTab>(form, bottom), nullptr);
    ASSERT_NE(ObjectOf<TSkinTab31>(form, set), nullptr);
    Settle();
    SaveScreenshot(form->Handle(), "product-tabs");

    ui::TBitmap print(300, 200);
    auto repaint = [&] {
        for (HWND w : {pages->Handle(), bottom->Handle(), set->Handle()}) {
            InvalidateRect(w, nullptr, TRUE);
            UpdateWindow(w);
        }
        SendMessageW(bottom->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(print.Canvas().Handle()), PRF_CLIENT);
    };
    repaint();
    const unsigned before = GdiProbe();
    for (int i = 0; i < 300; ++i)
        repaint();
    EXPECT_EQ(GdiProbe(), before);
}
