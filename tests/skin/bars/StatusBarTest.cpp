// Skinned status bars on real forms: panel frames at the window's own panel rectangles, the last
// panel reaching the right edge, the grip one pixel in from the corner, text alignment (mirrored
// for right-to-left panels), simple-text mode, owner-drawn panels, and the grip still resizing
// the form under a real mouse drag.
#include "BarsTesting.h"

#include "skin/controls/SkinStatusBar.h"
#include "ui/StatusBars.h"

using namespace bars_testing;
using namespace frame_testing;
using testing_support::PumpUntil;

namespace {

class StatusBars : public BarsFixture {
protected:
    ui::TStatusBar* bar = nullptr;

    ui::TForm* ShowBar(const std::function<void(ui::TStatusBar&)>& setUp)
    {
        return ShowFormWith([&](ui::TForm& f) {
            bar = new ui::TStatusBar(&f);
            bar->SetParent(&f);
            setUp(*bar);
        }, 360, 120);
    }

    static ui::TStatusPanel* AddPanel(ui::TStatusBar& b, const std::wstring& text, int width, ui::TStatusPanelBevel bevel)
    {
        ui::TStatusPanel* panel = b.Panels().Add();
        panel->SetText(text);
        panel->SetWidth(width);
        panel->SetBevel(bevel);
        return panel;
    }

    RECT PanelRect(int index) const
    {
        RECT r{};
        SendMessageW(bar->Handle(), SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
};

TEST_F(StatusBars, PanelsAreFramedByBevelTheLastReachesTheEdgeAndTheGripSitsOnePixelIn)
{
    UseBarsSkin();
    ui::TForm* form = ShowBar([](ui::TStatusBar& b) {
        AddPanel(b, L"Lowered", 90, ui::TStatusPanelBevel::pbLowered);
        AddPanel(b, L"", 100, ui::TStatusPanelBevel::pbRaised);
        AddPanel(b, L"None", 60, ui::TStatusPanelBevel::pbNone);
    });
    ASSERT_NE(SkinOf<skin::TSkinStatusBar>(form, bar), nullptr);
    EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight()) << "aligned to the bottom";
    const TWindowPixels shot = ReadWindow(bar->Handle());
    SaveScreenshot(bar->Handle(), "statusbar-test-skin");
    const int w = shot.width, h = shot.height, mid = h / 2;
    ASSERT_GT(h, 14);

    for (int i = 0; i < 3; ++i) {
        const RECT r = PanelRect(i);
        SCOPED_TRACE(testing::Message() << "panel " << i);
        EXPECT_EQ(shot.At(r.left, mid), Rgb(kEdgeRim[i])) << "left rim of the bevel's frame";
        EXPECT_EQ(shot.At(r.left + 1, r.top), Rgb(kEdgeRim[i]));
        if (i < 2) {
            EXPECT_EQ(shot.At(r.right - 1, mid), Rgb(kEdgeRim[i]));
        }
    }
    // The empty panel: framed, its inside plain fill.
    const RECT empty = PanelRect(1);
    EXPECT_EQ(DarkSpan(shot, RECT{empty.left + 2, empty.top + 2, empty.right - 2, empty.bottom - 2}).first, -1);
    EXPECT_EQ(shot.At((empty.left + empty.right) / 2, mid), Rgb(kEdgeFill));
    // The last panel's frame runs to the window's right edge, past what the window reports.
    EXPECT_EQ(shot.At(w - 1, mid), Rgb(kEdgeRim[2]));
    EXPECT_EQ(shot.At(w - 1, PanelRect(2).top), Rgb(kEdgeRim[2]));
    // The grip: 12 by 12, its bottom-right pixel at (w - 2, h - 2).
    EXPECT_EQ(shot.At(w - 2, h - 2), Rgb(kGrip));
    EXPECT_EQ(shot.At(w - 13, h - 13), Rgb(kGrip));
    EXPECT_NE(shot.At(w - 1, h - 1), Rgb(kGrip));
    EXPECT_NE(shot.At(w - 14, h - 2), Rgb(kGrip));
    EXPECT_NE(shot.At(w - 2, h - 14), Rgb(kGrip));
    // Texts in the skin's colour, left-aligned.
    const RECT first = PanelRect(0);
    const auto span = DarkSpan(shot, RECT{first.left + 2, first.top + 2, first.right - 2, first.bottom - 2});
    EXPECT_GE(span.first, first.left + 2);
    EXPECT_LT(span.first, first.left + 8);

    // Without a grip nothing is drawn in the corner.
    bar->SetSizeGrip(false);
    Settle();
    const TWindowPixels plain = ReadWindow(bar->Handle());
    EXPECT_NE(plain.At(plain.width - 2, plain.height - 2), Rgb(kGrip));
    EXPECT_EQ(plain.At(plain.width - 2, PanelRect(2).bottom - 2), Rgb(kEdgeRim[2]));
}

TEST_F(StatusBars, TextFollowsAlignmentMirroredForRightToLeftPanelsAndSimpleTextFillsTheBar)
{
    UseBarsSkin();
    ui::TStatusPanel *ltr = nullptr, *rtl = nullptr, *centre = nullptr;
    ui::TForm* form = ShowBar([&](ui::TStatusBar& b) {
        ltr = AddPanel(b, L"WWW", 110, ui::TStatusPanelBevel::pbLowered);
        rtl = AddPanel(b, L"WWW", 110, ui::TStatusPanelBevel::pbLowered);
        rtl->SetBiDiMode(ui::TPanelBiDiMode::bdRightToLeft);
        centre = AddPanel(b, L"WWW", 110, ui::TStatusPanelBevel::pbLowered);
        centre->SetAlignment(ui::TAlignment::taCenter);
        b.SetSizeGrip(false);
    });
    ASSERT_NE(SkinOf<skin::TSkinStatusBar>(form, bar), nullptr);
    TWindowPixels shot = ReadWindow(bar->Handle());
    SaveScreenshot(bar->Handle(), "statusbar-alignment");
    auto textOf = [&](int index) {
        const RECT r = PanelRect(index);
        return std::make_pair(r, DarkSpan(shot, RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2}));
    };
    const auto [left, leftSpan] = textOf(0);
    const auto [right, rightSpan] = textOf(1);
    const auto [mid, midSpan] = textOf(2);
    ASSERT_GE(leftSpan.first, 0);
    ASSERT_GE(rightSpan.first, 0);
    ASSERT_GE(midSpan.first, 0);
    EXPECT_LT(leftSpan.first - left.left, 8) << "left-aligned: at the left";
    EXPECT_LT(right.right - 1 - rightSpan.second, 8) << "right-to-left, left-aligned: drawn at the right";
    EXPECT_GT(rightSpan.first - right.left, 40);
    const int centreOffset = (midSpan.first - mid.left) - (mid.right - 1 - midSpan.second);
    EXPECT_LE(std::abs(centreOffset), 3) << "centred";

    // Simple text: one lowered frame over the whole bar, the simple text at its left.
    bar->SetSimpleText(L"Simple text");
    bar->SetSimplePanel(true);
    Settle();
    shot = ReadWindow(bar->Handle());
    SaveScreenshot(bar->Handle(), "statusbar-simple");
    const int h = shot.height, w = shot.width;
    EXPECT_EQ(shot.At(0, h / 2), Rgb(kEdgeRim[0]));
    EXPECT_EQ(shot.At(w - 1, h / 2), Rgb(kEdgeRim[0]));
    EXPECT_EQ(shot.At(right.left, 3), Rgb(kEdgeFill)) << "no panel frame inside";
    const auto simpleSpan = DarkSpan(shot, RECT{2, 2, w - 2, h - 2});
    EXPECT_GE(simpleSpan.first, 2);
    EXPECT_LT(simpleSpan.first, 10);
    EXPECT_LT(simpleSpan.second, w / 2);
}

TEST_F(StatusBars, OwnerDrawnPanelsAreHandedToTheApplicationAfterTheBar)
{
    UseBarsSkin();
    std::vector<RECT> drawn;
    ui::TForm* form = ShowBar([&](ui::TStatusBar& b) {
        AddPanel(b, L"Text", 100, ui::TStatusPanelBevel::pbLowered);
        ui::TStatusPanel* own = AddPanel(b, L"", 100, ui::TStatusPanelBevel::pbLowered);
        own->SetStyle(ui::TStatusPanelStyle::psOwnerDraw);
        b.OnDrawPanel = [&](ui::TStatusBar* sender, ui::TStatusPanel* panel, const ui::TRect& r) {
            EXPECT_EQ(panel->Index(), 1);
            drawn.push_back(r);
            sender->Canvas().Brush().SetColor(0x00FF00);
            sender->Canvas().FillRect(r);
        };
    });
    ASSERT_NE(SkinOf<skin::TSkinStatusBar>(form, bar), nullptr);
    drawn.clear();
    const TWindowPixels shot = ReadWindow(bar->Handle());
    ASSERT_FALSE(drawn.empty());
    const RECT r = PanelRect(1);
    EXPECT_EQ(drawn.back().left, r.left + 1);
    EXPECT_EQ(drawn.back().top, r.top + 1);
    EXPECT_EQ(shot.At(r.left + 5, shot.height / 2), 0x00FF00u) << "the handler's picture over the bar";
    EXPECT_EQ(shot.At(r.left, shot.height / 2), Rgb(kEdgeRim[0])) << "the frame around it stays";
}

TEST_F(StatusBars, DraggingTheGripResizesTheForm)
{
    ui::TForm* form = ShowBar([](ui::TStatusBar& b) {
        AddPanel(b, L"Ready", 120, ui::TStatusPanelBevel::pbLowered);
        AddPanel(b, L"Grip", 80, ui::TStatusPanelBevel::pbLowered);
    });
    ASSERT_NE(SkinOf<skin::TSkinStatusBar>(form, bar), nullptr);
    SaveScreenshot(form->Handle(), "statusbar-product");
    RECT before{};
    GetWindowRect(form->Handle(), &before);
    RECT client{};
    GetClientRect(bar->Handle(), &client);
    const POINT grip = ScreenOf(bar->Handle(), client.right - 4, client.bottom - 4);
    EXPECT_EQ(SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTBOTTOMRIGHT);

    testing_support::MouseTo(grip);
    Settle();
    // The press starts the form's sizing loop; a timer, which that loop still serves, moves the
    // mouse in steps and lets go.
    static POINT from;
    static int step;
    from = grip;
    step = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 60, [](HWND, UINT, UINT_PTR, DWORD) {
        ++step;
        if (step <= 4) {
            testing_support::MouseTo(POINT{from.x + 10 * step, from.y + 8 * step});
        } else if (step == 5) {
            INPUT up{};
            up.type = INPUT_MOUSE;
            up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(1, &up, sizeof(up));
        }
    });
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &down, sizeof(down));
    RECT after{};
    EXPECT_TRUE(PumpUntil([&] {
        GetWindowRect(form->Handle(), &after);
        return after.right - after.left >= before.right - before.left + 30;
    })) << "width " << (before.right - before.left) << " -> " << (after.right - after.left);
    EXPECT_GE(after.bottom - after.top, before.bottom - before.top + 20);
    EXPECT_EQ(after.left, before.left);
    KillTimer(nullptr, timer);
    Settle();
    // The bar follows, still skinned to its new right edge.
    EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
    const TWindowPixels shot = ReadWindow(bar->Handle());
    EXPECT_EQ(shot.width, form->ClientWidth());
}

TEST_F(StatusBars, ASkinWithoutImagesDrawsThreeDimensionalFramesAndNeverCrashes)
{
    Data().SkinStream() = ui::TMemoryStream(skin::BuildSkinArchive(
        {{"skin.ini", [] { std::string s = "[TitlebarSkin]\nSkinName=Bare\n[Personality]\n"; return std::vector<std::uint8_t>(s.begin(), s.end()); }()}}));
    ASSERT_TRUE(Data().LoadSkinData());
    ui::TForm* form = ShowBar([](ui::TStatusBar& b) {
        AddPanel(b, L"Lowered", 90, ui::TStatusPanelBevel::pbLowered);
        AddPanel(b, L"Raised", 90, ui::TStatusPanelBevel::pbRaised);
    });
    ASSERT_NE(SkinOf<skin::TSkinStatusBar>(form, bar), nullptr);
    const TWindowPixels shot = ReadWindow(bar->Handle());
    const std::uint32_t shadow = Rgb(GetSysColor(COLOR_BTNSHADOW)), light = Rgb(GetSysColor(COLOR_BTNHIGHLIGHT));
    const RECT lowered = PanelRect(0), raised = PanelRect(1);
    EXPECT_EQ(shot.At(lowered.left, shot.height / 2), shadow);
    EXPECT_EQ(shot.At(lowered.right - 1, shot.height / 2), light);
    EXPECT_EQ(shot.At(raised.left, shot.height / 2), light);
}

TEST_F(StatusBars, RepaintsLeaveNoGdiObjectsAndTheCallersDcAsItWas)
{
    ui::TForm* form = ShowBar([](ui::TStatusBar& b) {
        AddPanel(b, L"One", 90, ui::TStatusPanelBevel::pbLowered);
        AddPanel(b, L"Two", 90, ui::TStatusPanelBevel::pbRaised);
        AddPanel(b, L"Three", 90, ui::TStatusPanelBevel::pbNone);
    });
    auto* object = SkinOf<skin::TSkinStatusBar>(form, bar);
    ASSERT_NE(object, nullptr);
    ui::TBitmap target(bar->Width(), bar->Height());
    HDC dc = target.Canvas().Handle();
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    const COLORREF text = GetTextColor(dc);
    const int mode = GetBkMode(dc);
    object->RedrawSkin(dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    EXPECT_EQ(GetTextColor(dc), text);
    EXPECT_EQ(GetBkMode(dc), mode);

    const auto repaint = [&](int times) {
        for (int i = 0; i < times; ++i)
            RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Settle();
    };
    repaint(50);
    const unsigned before = GdiProbe();
    repaint(400);
    const unsigned after = GdiProbe();
    EXPECT_LE(after, before + 6) << "before " << before << ", after " << after;
}

} // namespace
