// The skinned frame on real windows under the product skin: geometry, outline, hit testing, the
// pixels it paints, caption buttons and their actions, skin off and on, skin changes, and GDI
// objects that come and go in pairs.
#include "FrameTesting.h"
#include "WindowTesting.h"

#include "skin/data/SkinDraw.h"
#include "ui/Dialogs.h"

#include <gtest/gtest.h>

#include <windowsx.h>

using namespace skin;
using namespace frame_testing;
using testing_support::PumpUntil;

namespace {

int BorderWidth(const TDataSkinBorder& border, bool stacked)
{
    return stacked ? border.Bitmap.Height() / border.Frame : border.Bitmap.Width() / border.Frame;
}

// The pixel of one frame of a horizontal caption-button strip, as 0x00RRGGBB.
std::uint32_t StripPixel(const TDataSkinSysButton& skin, int frame, int x, int y)
{
    const int w = skin.Bitmap.Width() / skin.Frame;
    const std::uint8_t* p = skin.Bitmap.ScanLine(y) + ((frame - 1) * w + x) * 3;
    return (p[2] << 16) | (p[1] << 8) | p[0];
}

TWinSysButton* ButtonWithAction(TWinSkinForm& frame, int action)
{
    for (int i = 0; i < frame.CaptionButtonCount(); ++i)
        if (frame.CaptionButton(i)->Visible && frame.CaptionButton(i)->Skin->Action == action)
            return frame.CaptionButton(i);
    return nullptr;
}

// Screen point of a window point.
LPARAM ScreenAt(HWND window, POINT windowPoint)
{
    RECT r{};
    GetWindowRect(window, &r);
    return MAKELPARAM(r.left + windowPoint.x, r.top + windowPoint.y);
}

POINT Centre(const RECT& r)
{
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

LRESULT HitAt(HWND window, POINT windowPoint)
{
    return SendMessageW(window, WM_NCHITTEST, 0, ScreenAt(window, windowPoint));
}

class Frame : public ::testing::Test {
protected:
    SkinnedWindows windows;
};

TEST_F(Frame, ClientAreaSitsInsideTheSkinsBordersAndKeepsItsSize)
{
    ui::TForm* form = windows.ShowForm(ui::TFormBorderStyle::bsSingle, 474, 292);
    TWinSkinForm* frame = SkinnedWindows::FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    const TSkinData& data = windows.Data();
    EXPECT_EQ(frame->BorderLeft, BorderWidth(*data.FrameLeft, false));
    EXPECT_EQ(frame->BorderRight, BorderWidth(*data.FrameRight, false));
    EXPECT_EQ(frame->BorderTop, BorderWidth(*data.FrameTop, true));
    EXPECT_EQ(frame->BorderBottom, BorderWidth(*data.FrameBottom, true));

    RECT window{}, client{};
    GetWindowRect(form->Handle(), &window);
    GetClientRect(form->Handle(), &client);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    EXPECT_EQ(client.right, 474);
    EXPECT_EQ(client.bottom, 292);
    EXPECT_EQ(origin.x - window.left, frame->BorderLeft);
    EXPECT_EQ(origin.y - window.top, frame->BorderTop);
    EXPECT_EQ(window.right - window.left, 474 + frame->BorderLeft + frame->BorderRight);
    EXPECT_EQ(window.bottom - window.top, 292 + frame->BorderTop + frame->BorderBottom);
    SaveScreenshot(form->Handle(), "frame-single-active");
}

TEST_F(Frame, TheOutlineFollowsTheTransparentCornersAndGrowsWithTheWindow)
{
    ui::TForm* form = windows.ShowForm(ui::TFormBorderStyle::bsSizeable, 300, 200);
    HWND w = form->Handle();
    ASSERT_NE(SkinnedWindows::FrameOf(w), nullptr);
    const auto check = [w] {
        RECT r{};
        GetWindowRect(w, &r);
        const int width = r.right - r.left, height = r.bottom - r.top;
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(w, region), ERROR);
        EXPECT_FALSE(PtInRegion(region, 0, 0)) << "top-left corner is cut";
        EXPECT_FALSE(PtInRegion(region, width - 1, 0)) << "top-right corner is cut";
        EXPECT_TRUE(PtInRegion(region, width / 2, 1)) << "top edge";
        EXPECT_TRUE(PtInRegion(region, 0, height / 2)) << "left edge";
        EXPECT_TRUE(PtInRegion(region, width - 1, height / 2)) << "right edge";
        EXPECT_TRUE(PtInRegion(region, width / 2, height - 1)) << "bottom edge";
        EXPECT_TRUE(PtInRegion(region, width - 1, height - 1)) << "square bottom corner";
        DeleteObject(region);
    };
    check();
    SetWindowPos(w, nullptr, 0, 0, 520, 400, SWP_NOMOVE | SWP_NOZORDER);
    ui::Application.ProcessMessages();
    check();
}

TEST_F(Frame, HitTestingAnswersBordersCornersCaptionAndButtons)
{
    ui::TForm* form = windows.ShowForm(ui::TFormBorderStyle::bsSizeable, 300, 200);
    HWND w = form->Handle();
    TWinSkinForm* frame = SkinnedWindows::FrameOf(w);
    ASSERT_NE(frame, nullptr);
    RECT r{};
    GetWindowRect(w, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    EXPECT_EQ(HitAt(w, {0, height / 2}), HTLEFT);
    EXPECT_EQ(HitAt(w, {width - 1, height / 2}), HTRIGHT);
    EXPECT_EQ(HitAt(w, {width / 2, height - 1}), HTBOTTOM);
    EXPECT_EQ(HitAt(w, {width - 1, height - 1}), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(w, {width / 2, 0}), HTTOP);
    EXPECT_EQ(HitAt(w, {width / 3, frame->BorderTop / 2}), HTCAPTION);
    EXPECT_EQ(HitAt(w, {width / 2, height / 2}), HTCLIENT);
    TWinSysButton* close = ButtonWithAction(*frame, 0);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(HitAt(w, Centre(close->Bounds)), HTCAPTION);
    EXPECT_EQ(frame->ObjectAt(Centre(close->Bounds)), close);

    // A fixed frame's side border moves the window like its caption.
    ui::TForm* single = windows.ShowForm(ui::TFormBorderStyle::bsSingle, 200, 100);
    TWinSkinForm* fixed = SkinnedWindows::FrameOf(single->Handle());
    ASSERT_NE(fixed, nullptr);
    GetWindowRect(single->Handle(), &r);
    EXPECT_EQ(HitAt(single->Handle(), {1, (r.bottom - r.top) / 2}), HTCAPTION);
}

TEST_F(Frame, ActiveAndInactiveFramesShowTheSkinsTwoPictures)
{
    ui::TForm* form = windows.ShowForm(ui::TFormBorderStyle::bsSizeable, 300, 200);
    HWND w = form->Handle();
    TWinSkinForm* frame = SkinnedWindows::FrameOf(w);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->Active);
    const TWindowPixels active = ReadWindow(w);
    // What shows is what the frame composed, around an untouched client area.
    const int x = frame->BorderLeft / 2, y = active.height / 2;
    EXPECT_EQ(active.At(x, y), FramePixel(*frame, x, y));
    EXPECT_EQ(active.At(active.width / 2, active.height - 1), FramePixel(*frame, active.width / 2, active.height - 1));
    EXPECT_EQ(active.At(active.width / 3, frame->BorderTop - 2), FramePixel(*frame, active.width / 3, frame->BorderTop - 2));

    SendMessageW(w, WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(frame->Active);
    const TWindowPixels inactive = ReadWindow(w);
    const int cx = active.width / 3, cy = frame->BorderTop - 2;
    EXPECT_NE(inactive.At(cx, cy), active.At(cx, cy)) << "the inactive caption is the skin's second frame";
    EXPECT_EQ(inactive.At(cx, cy), FramePixel(*frame, cx, cy));
    EXPECT_EQ(inactive.At(x, y), FramePixel(*frame, x, y));
    SaveScreenshot(w, "frame-sizeable-inactive");
    SendMessageW(w, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(ReadWindow(w).At(cx, cy), active.At(cx, cy));
    SaveScreenshot(w, "frame-sizeable-active");
}

TEST_F(Frame, CaptionButtonsShowTheirStatesAndActOnlyWhenReleasedOverThemselves)
{
    HWND w = windows.ShowPlainWindow(WS_OVERLAPPEDWINDOW, 320, 200);
    TWinSkinForm* frame = SkinnedWindows::FrameOf(w);
    ASSERT_NE(frame, nullptr);
    TWinSysButton* close = ButtonWithAction(*frame, 0);
    ASSERT_NE(close, nullptr);
    const TDataSkinSysButton& skin = *close->Skin;
    ASSERT_GE(skin.Frame, 4);
    const POINT at = Centre(close->Bounds);
    const int sx = at.x - close->Bounds.left, sy = at.y - close->Bounds.top;
    const auto shown = [&] { return ReadWindow(w).At(at.x, at.y); };

    EXPECT_EQ(shown(), StripPixel(skin, 1, sx, sy)) << "normal";
    SendMessageW(w, WM_NCMOUSEMOVE, HTCAPTION, ScreenAt(w, at));
    EXPECT_EQ(close->State, ncsHot);
    EXPECT_EQ(shown(), StripPixel(skin, 3, sx, sy)) << "hot";
    SendMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, ScreenAt(w, at));
    EXPECT_EQ(close->State, ncsPressed);
    EXPECT_EQ(shown(), StripPixel(skin, 2, sx, sy)) << "pressed";

    // Released elsewhere: nothing happens.
    SendMessageW(w, WM_NCLBUTTONUP, HTCAPTION, ScreenAt(w, {frame->BorderLeft + 40, frame->BorderTop / 2}));
    ui::Application.ProcessMessages();
    EXPECT_TRUE(SkinnedWindows::plainLog.empty());

    // Pressed and released on it: the window is asked to close.
    SendMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, ScreenAt(w, at));
    SendMessageW(w, WM_NCLBUTTONUP, HTCAPTION, ScreenAt(w, at));
    ui::Application.ProcessMessages();
    ASSERT_FALSE(SkinnedWindows::plainLog.empty());
    EXPECT_EQ(SkinnedWindows::plainLog.front(), (std::pair<UINT, WPARAM>{WM_SYSCOMMAND, SC_CLOSE}));

    SendMessageW(w, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(shown(), StripPixel(skin, 4, sx, sy)) << "inactive window";
}

TEST_F(Frame, MaximiseAndRestoreSwapTheButtonAndAFormWithoutTheBoxHasNone)
{
    HWND w = windows.ShowPlainWindow(WS_OVERLAPPEDWINDOW, 320, 200);
    TWinSkinForm* frame = SkinnedWindows::FrameOf(w);
    ASSERT_NE(frame, nullptr);
    TWinSysButton* maximise = ButtonWithAction(*frame, 1);
    ASSERT_NE(maximise, nullptr);
    TDataSkinSysButton* normalImage = maximise->Skin;
    const POINT at = Centre(maximise->Bounds);
    SendMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, ScreenAt(w, at));
    SendMessageW(w, WM_NCLBUTTONUP, HTCAPTION, ScreenAt(w, at));
    ASSERT_TRUE(PumpUntil([w] { return IsZoomed(w) != FALSE; }));
    EXPECT_EQ(frame->WindowState, fwsMaximized);
    RECT maximised{};
    GetWindowRect(w, &maximised);
    EXPECT_GE(maximised.right - maximised.left, GetSystemMetrics(SM_CXSCREEN)) << "maximised over the screen";
    ReadWindow(w);
    TWinSysButton* restore = ButtonWithAction(*frame, 1);
    ASSERT_NE(restore, nullptr);
    EXPECT_NE(restore->Skin, normalImage) << "the restore picture replaces the maximise one";
    SaveScreenshot(w, "frame-plain-maximised");

    SendMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, ScreenAt(w, Centre(restore->Bounds)));
    SendMessageW(w, WM_NCLBUTTONUP, HTCAPTION, ScreenAt(w, Centre(restore->Bounds)));
    ASSERT_TRUE(PumpUntil([w] { return !IsZoomed(w); }));
    ReadWindow(w);
    EXPECT_EQ(ButtonWithAction(*frame, 1)->Skin, normalImage);

    ui::TForm* fixed = windows.ShowForm(ui::TFormBorderStyle::bsSingle, 200, 100, ui::biSystemMenu | ui::biMinimize);
    TWinSkinForm* fixedFrame = SkinnedWindows::FrameOf(fixed->Handle());
    ASSERT_NE(fixedFrame, nullptr);
    ReadWindow(fixed->Handle());
    EXPECT_EQ(ButtonWithAction(*fixedFrame, 1), nullptr);
    EXPECT_NE(ButtonWithAction(*fixedFrame, 2), nullptr);
    EXPECT_NE(ButtonWithAction(*fixedFrame, 0), nullptr);
}

// Pixels of the caption strip that differ from what the frame composed (inside the outline).
int CaptionMismatches(HWND window, const TWinSkinForm& frame)
{
    const TWindowPixels shown = ReadWindowAsIs(window);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(window, region) != ERROR;
    int mismatches = 0;
    for (int y = 0; y < frame.BorderTop; ++y)
        for (int x = 0; x < shown.width; ++x)
            if ((!shaped || PtInRegion(region, x, y)) && shown.At(x, y) != FramePixel(frame, x, y))
                ++mismatches;
    DeleteObject(region);
    return mismatches;
}

TEST_F(Frame, NewTextAndIconLeaveOnlyTheSkinsPixelsOnWindowsThatKeepTheirCaptionStyle)
{
    // An owned window keeps WS_CAPTION under the skin; the platform paints its own caption over it
    // on these two messages unless the frame paints again.
    HWND owner = windows.ShowPlainWindow(WS_OVERLAPPEDWINDOW, 300, 200);
    HWND w = windows.ShowPlainWindow(WS_CAPTION | WS_SYSMENU, 300, 160, owner);
    TWinSkinForm* frame = SkinnedWindows::FrameOf(w);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(GetWindowLongPtrW(w, GWL_STYLE) & WS_CAPTION);
    ReadWindow(w);
    SetWindowTextW(w, L"A new caption for the owned window");
    EXPECT_EQ(CaptionMismatches(w, *frame), 0);
    EXPECT_NE(frame->WindowText().find(L"new caption"), std::wstring::npos);
    SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_WARNING)));
    EXPECT_EQ(CaptionMismatches(w, *frame), 0);
    SaveScreenshot(w, "frame-owned-after-settext");
}

TEST_F(Frame, SkinOffGivesTheWindowItsOwnFrameBackAndSkinOnTakesItAgain)
{
    HWND plain = windows.ShowPlainWindow(WS_OVERLAPPEDWINDOW, 320, 200);
    ui::TForm* form = windows.ShowForm(ui::TFormBorderStyle::bsSingle, 240, 120);
    HWND w = form->Handle();
    TWinSkinForm* frame = SkinnedWindows::FrameOf(w);
    ASSERT_NE(frame, nullptr);
    const LONG_PTR formStyle = frame->OrigStyle;
    const LONG_PTR plainStyle = SkinnedWindows::FrameOf(plain)->OrigStyle;
    const auto plainProc = static_cast<LONG_PTR>(GetClassLongPtrW(plain, GCLP_WNDPROC));
    EXPECT_NE(GetWindowLongPtrW(plain, GWLP_WNDPROC), plainProc);

    windows.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return SkinManager()->SkinForms.empty(); }));
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 120);
    EXPECT_EQ(GetWindowLongPtrW(w, GWL_STYLE), formStyle);
    EXPECT_EQ(GetWindowLongPtrW(plain, GWL_STYLE), plainStyle);
    EXPECT_EQ(GetWindowLongPtrW(plain, GWLP_WNDPROC), plainProc);
    EXPECT_TRUE(IsWindowUnicode(plain));
    EXPECT_EQ(SendMessageW(w, WM_SKINQUERY, 0, 0), 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(w, region), ERROR) << "no outline any more";
    DeleteObject(region);
    RECT window{};
    GetWindowRect(w, &window);
    RECT standard{0, 0, 240, 120};
    AdjustWindowRectEx(&standard, static_cast<DWORD>(formStyle), FALSE, static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE)));
    EXPECT_EQ(window.right - window.left, standard.right - standard.left);
    SaveScreenshot(w, "frame-skin-off");

    windows.Data().SetActive(true);
    ASSERT_TRUE(PumpUntil([w] {
        TWinSkinForm* again = SkinnedWindows::FrameOf(w);
        return again && again->Status == fsAttached;
    }));
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 120);
    EXPECT_EQ(SendMessageW(w, WM_SKINQUERY, 0, 0), 1);
}

TEST_F(Frame, ASkinChangeReadsTheGeometryAgainAndASkinWithoutABorderImageStillWorks)
{
    ui::TForm* form = windows.ShowForm(ui::TFormBorderStyle::bsSizeable, 260, 140);
    HWND w = form->Handle();
    TWinSkinForm* frame = SkinnedWindows::FrameOf(w);
    ASSERT_NE(frame, nullptr);

    windows.Data().SkinStream() = ui::TMemoryStream(PlainBorderSkin(7, 26, 9, 0));
    ASSERT_TRUE(windows.Data().LoadSkinData());
    windows.Data().ApplySkin();
    ASSERT_TRUE(PumpUntil([frame] { return frame->BorderLeft == 7 && frame->Status == fsAttached; }));
    ui::Application.ProcessMessages();
    EXPECT_EQ(frame->BorderTop, 26);
    EXPECT_EQ(frame->BorderRight, 9);
    EXPECT_EQ(frame->BorderBottom, 0) << "no bottom image: no bottom border";
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    RECT window{}, client{};
    GetWindowRect(w, &window);
    GetClientRect(w, &client);
    EXPECT_EQ(origin.x - window.left, 7);
    EXPECT_EQ(origin.y - window.top, 26);
    EXPECT_EQ(client.right, 260);
    EXPECT_EQ(client.bottom, 140);
    const TWindowPixels shown = ReadWindow(w);
    EXPECT_EQ(shown.At(3, shown.height / 2), 0xC80000u) << "the new left border";
    EXPECT_EQ(HitAt(w, {shown.width / 2, 13}), HTCAPTION);
    SaveScreenshot(w, "frame-plain-border-skin");
}

TEST(FrameRunState, ASecondComponentKeepsTheManagerRunning)
{
    SkinnedWindows windows;
    ui::TForm* form = windows.ShowForm(ui::TFormBorderStyle::bsSingle, 200, 100);
    ASSERT_NE(SkinnedWindows::FrameOf(form->Handle()), nullptr);
    ASSERT_EQ(SkinManager()->RunState, 1);
    TSkinData dialogs(nullptr);
    dialogs.SetSkinFormtype(sfDialog);
    dialogs.Loaded();
    EXPECT_EQ(SkinManager()->RunState, 1);
    // Skin on still works with the manager running.
    windows.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([] { return SkinManager()->SkinForms.empty(); }));
    windows.Data().SetActive(true);
    EXPECT_TRUE(SkinnedWindows::WaitSkinned(form->Handle()));
}

TEST_F(Frame, MessageBoxAndFileDialogWearTheSkin)
{
    ui::TForm* form = windows.ShowForm(ui::TFormBorderStyle::bsSingle, 300, 160);
    ASSERT_NE(SkinnedWindows::FrameOf(form->Handle()), nullptr);
    bool boxSkinned = false;
    testing_support::AnswerWhenShown(L"TMessageForm", [&](HWND box) {
        boxSkinned = SkinnedWindows::WaitSkinned(box);
        SaveScreenshot(box, "message-box");
        testing_support::PressButton(box, L"&Yes");
    }, [] { ui::MessageDlg(L"Confirma o reprocessamento?", ui::TMsgDlgType::mtConfirmation, ui::mbYesNo); });
    EXPECT_TRUE(boxSkinned);

    bool dialogSkinned = false;
    ui::TOpenDialog dialog(nullptr);
    dialog.SetFilter(L"Banco de dados (*.FDB)|*.FDB");
    testing_support::AnswerWhenShown(L"#32770", [&](HWND box) {
        dialogSkinned = SkinnedWindows::WaitSkinned(box);
        SaveScreenshot(box, "file-dialog");
        testing_support::PressButton(box, L"Cancel");
    }, [&] { dialog.Execute(); });
    EXPECT_TRUE(dialogSkinned);
}

TEST_F(Frame, RepaintsAndSkinCyclesLeaveNoGdiObjectBehind)
{
    ui::TForm* form = windows.ShowForm(ui::TFormBorderStyle::bsSizeable, 300, 200);
    HWND w = form->Handle();
    ASSERT_NE(SkinnedWindows::FrameOf(w), nullptr);
    // One round first: caches the platform and the frame fill once are not leaks.
    const auto repaint = [w](int i) {
        SendMessageW(w, WM_NCACTIVATE, i % 2, 0);
        RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    };
    for (int i = 0; i < 20; ++i)
        repaint(i);
    const unsigned before = GdiProbe();
    for (int i = 0; i < 1000; ++i) {
        // Alternating activation makes every paint compose the frame anew.
        SendMessageW(w, WM_NCACTIVATE, i % 2, 0);
        RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }
    // A leak on any paint path would add hundreds; the platform's own caches move it by one or two.
    EXPECT_LE(GdiProbe(), before + 2) << "after 1,000 frame repaints";

    TSkinManage& manager = *SkinManager();
    const auto cycles = [&](int count) {
    for (int i = 0; i < count; ++i) {
        for (int action : {saSkinOff, saSkinOn}) {
            manager.PendingSkinData = &windows.Data();
            manager.RequestAction(action);
            manager.ApplyPendingAction();
            ui::Application.ProcessMessages();
        }
    }
    ASSERT_TRUE(SkinnedWindows::WaitSkinned(w));
    ReadWindow(w);
    };
    cycles(2);
    const unsigned beforeCycles = GdiProbe();
    cycles(50);
    EXPECT_LE(GdiProbe(), beforeCycles + 2) << "after 50 skin off and on cycles";

    // A DC handed in goes back as it came.
    TWinSkinForm* frame = SkinnedWindows::FrameOf(w);
    HDC dc = GetWindowDC(w);
    SetBkMode(dc, OPAQUE);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    frame->PaintFrame(dc);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    ReleaseDC(w, dc);
}

TEST_F(Frame, AltF4AndAltSpaceKeepWorkingOnASkinnedCaption)
{
    HWND w = windows.ShowPlainWindow(WS_OVERLAPPEDWINDOW, 320, 200);
    ASSERT_NE(SkinnedWindows::FrameOf(w), nullptr);
    SendMessageW(w, WM_SYSKEYDOWN, VK_F4, 1 << 29);
    ui::Application.ProcessMessages();
    ASSERT_FALSE(SkinnedWindows::plainLog.empty());
    EXPECT_EQ(SkinnedWindows::plainLog.front(), (std::pair<UINT, WPARAM>{WM_SYSCOMMAND, SC_CLOSE}));

    // Alt+Space opens the system menu; its Close item closes the window.
    bool opened = testing_support::AnswerWhenShown(L"#32768", [](HWND) { EndMenu(); }, [w] {
        SendMessageW(w, WM_SYSCOMMAND, SC_KEYMENU, L' ');
    });
    EXPECT_TRUE(opened);
}

} // namespace
