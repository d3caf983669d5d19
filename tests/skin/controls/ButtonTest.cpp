// Skinned push, glyph and speed buttons on a real skinned form: the strip frame each state shows
// (read back from the screen and compared with the skin's own strip), clicks, the space key, two-line
// captions, glyph layout, the platform's painting when the skin has no button image, and GDI objects
// that come and go in pairs.
#include "FrameTesting.h"
#include "WindowTesting.h"

#include "skin/controls/SkinButton.h"
#include "skin/data/SkinObjects.h"
#include "ui/Buttons.h"

#include <gtest/gtest.h>

#include <set>
#include <type_traits>

using namespace skin;
using namespace frame_testing;
using testing_support::PumpMessages;

namespace {

class Buttons : public ::testing::Test, public SkinnedWindows {
protected:
    ui::TForm* form = nullptr;
    TWinSkinForm* frame = nullptr;

    void SetUp() override
    {
        form = ShowForm(ui::TFormBorderStyle::bsSingle, 380, 200);
        frame = FrameOf(form->Handle());
        ASSERT_NE(frame, nullptr);
        ParkCursor();
    }

    template <class T>
    T* Add(int x, int y, int w, int h, const std::wstring& caption)
    {
        auto* control = new T(form);
        control->SetParent(form);
        control->SetBounds(x, y, w, h);
        control->SetCaption(caption);
        return control;
    }

    // The object the frame made for a control, or one made here while the frame makes none.
    template <class T>
    T* Obj(ui::TControl* control)
    {
        if (auto* found = dynamic_cast<T*>(frame->FindControlObject(control)))
            return found;
        frame->SkinComponents(form);
        if (auto* found = dynamic_cast<T*>(frame->FindControlObject(control)))
            return found;
        auto* object = new T(control);
        if constexpr (std::is_same_v<T, TSkinSpeedButton>)
            object->AttachGraphic(frame, &Data(), frame->ControlCanvas());
        else
            object->AttachControl(frame, &Data(), false, frame->ControlCanvas());
        return object;
    }

    POINT ScreenPoint(int x, int y) const
    {
        POINT p{x, y};
        ClientToScreen(form->Handle(), &p);
        return p;
    }
    // The cursor somewhere on the form but over no button.
    void ParkCursor() { SetCursorTo(ScreenPoint(370, 190)); }
    static void SetCursorTo(POINT screen)
    {
        SetCursorPos(screen.x, screen.y);
        PumpMessages();
    }
    void HoverOver(ui::TControl* control)
    {
        SetCursorTo(ScreenPoint(control->Left() + 8, control->Top() + 8));
        if (auto* windowed = dynamic_cast<ui::TWinControl*>(control))
            SendMessageW(windowed->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(8, 8));
        PumpMessages();
    }

    // A control's top-left in the pixels of the whole window.
    POINT Origin(ui::TControl* control) const
    {
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        const POINT screen = ScreenPoint(control->Left(), control->Top());
        return POINT{screen.x - window.left, screen.y - window.top};
    }

    std::uint32_t StripPixel(int frameIndex, int x, int y)
    {
        const ui::TBitmap& strip = Data().Buttons->Bitmap;
        const int w = strip.Width() / 5;
        const std::uint8_t* p = strip.ScanLine(y) + ((frameIndex - 1) * w + x) * 3;
        return (p[2] << 16) | (p[1] << 8) | p[0];
    }

    // The button's left face column (clear of caption and focus mark) against the strip: its rows
    // 0, 1, 2 and 12 tell the five frames apart in the product skin.
    ::testing::AssertionResult ShowsFrame(const TWindowPixels& shot, ui::TControl* control, int frameIndex)
    {
        const POINT at = Origin(control);
        for (int y : {0, 1, 2, 12}) {
            const std::uint32_t seen = shot.At(at.x + 8, at.y + y), expected = StripPixel(frameIndex, 12, y);
            if (seen != expected)
                return ::testing::AssertionFailure() << "row " << y << ": 0x" << std::hex << seen << " where frame "
                                                     << std::dec << frameIndex << " has 0x" << std::hex << expected;
        }
        return ::testing::AssertionSuccess();
    }

    // Rows of the control holding text-dark pixels, grouped into bands of consecutive rows.
    int TextBands(const TWindowPixels& shot, ui::TControl* control)
    {
        const POINT at = Origin(control);
        int bands = 0;
        bool inBand = false;
        for (int y = 3; y < control->Height() - 3; ++y) {
            bool dark = false;
            for (int x = 6; x < control->Width() - 6 && !dark; ++x) {
                const std::uint32_t c = shot.At(at.x + x, at.y + y);
                dark = ((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) < 3 * 0x80;
            }
            if (dark && !inBand)
                ++bands;
            inBand = dark;
        }
        return bands;
    }

    // A glyph strip of `count` cells of 16x16, each filled with its colour, its bottom row the key.
    static void MakeGlyph(ui::TBitmap& glyph, std::initializer_list<COLORREF> cells)
    {
        const int count = static_cast<int>(cells.size());
        glyph.SetSize(16 * count, 16);
        int index = 0;
        for (COLORREF colour : cells) {
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    glyph.Canvas().SetPixel(index * 16 + x, y, y == 15 ? ui::clFuchsia : static_cast<ui::TColor>(colour));
            ++index;
        }
    }
};

TEST_F(Buttons, PushButtonShowsTheFrameOfEachState)
{
    auto* normal = Add<ui::TButton>(10, 10, 75, 25, L"Normal");
    auto* byDefault = Add<ui::TButton>(95, 10, 75, 25, L"Default");
    byDefault->SetDefault(true);
    auto* other = Add<ui::TButton>(180, 10, 75, 25, L"Other");
    auto* disabled = Add<ui::TButton>(265, 10, 75, 25, L"Disabled");
    disabled->SetEnabled(false);
    TSkinButton* oNormal = Obj<TSkinButton>(normal);
    TSkinButton* oDefault = Obj<TSkinButton>(byDefault);
    TSkinButton* oOther = Obj<TSkinButton>(other);
    TSkinButton* oDisabled = Obj<TSkinButton>(disabled);

    byDefault->SetFocus();
    TWindowPixels shot = ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "button-default-focused");
    EXPECT_EQ(oNormal->LastFrame, 1);
    EXPECT_TRUE(ShowsFrame(shot, normal, 1));
    EXPECT_EQ(oDefault->LastFrame, 5);
    EXPECT_TRUE(ShowsFrame(shot, byDefault, 5));
    EXPECT_EQ(oDisabled->LastFrame, 3);
    EXPECT_TRUE(ShowsFrame(shot, disabled, 3));

    other->SetFocus();
    shot = ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "button-focused");
    EXPECT_EQ(oOther->LastFrame, 4);
    EXPECT_TRUE(ShowsFrame(shot, other, 4));
    EXPECT_EQ(oDefault->LastFrame, 5) << "a default button keeps its frame without the focus";
    // The focus mark: a dotted line four pixels in, over the face.
    const POINT at = Origin(other);
    int marked = 0;
    for (int x = 6; x < 20; ++x)
        marked += shot.At(at.x + x, at.y + 4) != StripPixel(4, 12, 4);
    EXPECT_GE(marked, 5);

    HoverOver(normal);
    shot = ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "button-hot");
    EXPECT_EQ(oNormal->LastFrame, 4);
    EXPECT_TRUE(ShowsFrame(shot, normal, 4));
    EXPECT_EQ(frame->HotButton(), oNormal);

    // Onto another button: the first one is told to leave.
    HoverOver(byDefault);
    shot = ReadWindow(form->Handle());
    EXPECT_EQ(frame->HotButton(), oDefault);
    EXPECT_FALSE(oNormal->Hot());
    EXPECT_TRUE(ShowsFrame(shot, normal, 1));
    EXPECT_TRUE(ShowsFrame(shot, byDefault, 4)) << "the mouse wins over default";

    SendMessageW(normal->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    shot = ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "button-pressed");
    EXPECT_EQ(GetFocus(), normal->Handle()) << "a press takes the focus";
    EXPECT_EQ(oNormal->LastFrame, 2);
    EXPECT_TRUE(ShowsFrame(shot, normal, 2));
    SendMessageW(normal->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 8));

    // Disabled wins over the mouse and the focus.
    SendMessageW(normal->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    normal->SetEnabled(false);
    shot = ReadWindow(form->Handle());
    EXPECT_EQ(oNormal->LastFrame, 3);
    EXPECT_TRUE(ShowsFrame(shot, normal, 3));
}

TEST_F(Buttons, ClickComesFromPressAndReleaseOnTheButtonOrFromSpace)
{
    auto* button = Add<ui::TButton>(10, 10, 75, 25, L"Click");
    int clicks = 0;
    button->OnClick = [&](ui::TObject*) { ++clicks; };
    TSkinButton* object = Obj<TSkinButton>(button);
    HWND h = button->Handle();

    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    PumpMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(object->Pressed());

    // The mouse left between press and release: no click.
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(h, ui::CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(object->Pressed());
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    PumpMessages();
    EXPECT_EQ(clicks, 1);

    // Space shows the pressed face; the release clicks once. The system button's own drawing on
    // focus and press never reaches the screen, not even before the next paint.
    button->SetFocus();
    EXPECT_TRUE(ShowsFrame(ReadWindowAsIs(form->Handle()), button, 4));
    SendMessageW(h, WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_TRUE(ShowsFrame(ReadWindowAsIs(form->Handle()), button, 4));
    TWindowPixels shot = ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "button-space-down");
    EXPECT_EQ(object->LastFrame, 2);
    EXPECT_TRUE(ShowsFrame(shot, button, 2));
    SendMessageW(h, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
    PumpMessages();
    EXPECT_EQ(clicks, 2);
    shot = ReadWindow(form->Handle());
    EXPECT_TRUE(ShowsFrame(shot, button, 4)) << "focused again, not pressed";
}

TEST_F(Buttons, CaptionReadBackAndBrokenOnTwoLines)
{
    auto* button = Add<ui::TButton>(10, 10, 90, 44, L"Single");
    TSkinButton* object = Obj<TSkinButton>(button);
    EXPECT_EQ(TextBands(ReadWindow(form->Handle()), button), 1);

    button->SetCaption(L"First||Second");
    EXPECT_EQ(object->Caption, L"First||Second");
    const TWindowPixels shot = ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "button-two-lines");
    EXPECT_EQ(TextBands(shot, button), 2);
}

TEST_F(Buttons, PlainButtonWindowIsSkinnedAndClicksThroughItsParent)
{
    HWND window = ShowPlainWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 150);
    TWinSkinForm* plainFrame = FrameOf(window);
    ASSERT_NE(plainFrame, nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", L"Plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 75, 25,
                                  window, reinterpret_cast<HMENU>(42), GetModuleHandleW(nullptr), nullptr);
    auto* object = dynamic_cast<TSkinButton*>(plainFrame->FindWindowObject(button));
    if (!object) {
        object = new TSkinButton(nullptr);   // the frame frees objects without an owner
        object->AttachWindow(button, &Data(), plainFrame, plainFrame->ControlCanvas());
    }
    TWindowPixels shot = ReadWindow(window);
    SaveScreenshot(window, "button-plain-window");
    EXPECT_EQ(object->LastFrame, 1);
    EXPECT_EQ(object->Caption, L"Plain");
    RECT outer{}, inner{};
    GetWindowRect(window, &outer);
    GetWindowRect(button, &inner);
    const std::uint32_t seen = shot.At(inner.left - outer.left + 8, inner.top - outer.top);
    EXPECT_EQ(seen, StripPixel(1, 12, 0));

    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    MSG posted{};
    ASSERT_TRUE(PeekMessageW(&posted, window, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(posted.wParam, MAKEWPARAM(42, BN_CLICKED));
    EXPECT_EQ(posted.lParam, reinterpret_cast<LPARAM>(button));
    EXPECT_FALSE(PeekMessageW(&posted, window, WM_COMMAND, WM_COMMAND, PM_REMOVE)) << "one click";
}

TEST(ButtonLayout, GlyphAndTextPositions)
{
    const SIZE client{75, 25}, glyph{16, 16}, text{30, 13};
    TGlyphLayout spread = LayoutGlyphAndText(client, glyph, text, gsLeft, -1, -1, false, false);
    EXPECT_EQ(spread.glyphPos.x, 9);
    EXPECT_EQ(spread.textPos.x, 34);
    EXPECT_EQ(spread.glyphPos.y, 5);
    EXPECT_EQ(spread.textPos.y, 6);
    EXPECT_EQ(LayoutGlyphAndText(client, glyph, text, gsLeft, -1, 4, false, false).glyphPos.x, 12);
    EXPECT_EQ(LayoutGlyphAndText(client, glyph, text, gsLeft, -1, 4, false, true).glyphPos.x, 13);
    EXPECT_EQ(LayoutGlyphAndText(client, glyph, text, gsLeft, -1, 4, false, false).textPos.x, 32);

    // A given margin with spacing -1 shares what is left; centring by alignment is for glyph
    // buttons only.
    TGlyphLayout right = LayoutGlyphAndText(client, glyph, text, gsRight, 3, -1, false, false);
    EXPECT_EQ(right.glyphPos.x, 75 - 3 - 16);
    EXPECT_EQ(right.textPos.x, 56 - 13 - 30);
    EXPECT_EQ(LayoutGlyphAndText(client, glyph, text, gsLeft, 2, 4, true, false).glyphPos.x, 12);
    EXPECT_EQ(LayoutGlyphAndText(client, glyph, text, gsLeft, 2, 4, true, true).glyphPos.x, 2);

    // A focused glyph button shows focus before default; a push button the other way round.
    TButtonState focusedDefault;
    focusedDefault.isDefault = focusedDefault.focused = true;
    EXPECT_EQ(BitButtonFrame(focusedDefault), 4);
    EXPECT_EQ(PushButtonFrame(focusedDefault), 5);
    EXPECT_EQ(GlyphSideFromName("BLGLYPHBOTTOM"), gsBottom);
    EXPECT_EQ(GlyphSideFromName("blGlyphRight"), gsRight);
    EXPECT_EQ(GlyphSideFromName(""), gsLeft);
}

TEST_F(Buttons, GlyphButtonLaysOutItsGlyphAndGreysItWhenDisabled)
{
    auto* spread = Add<ui::TBitBtn>(10, 10, 75, 25, L"Caption");
    MakeGlyph(spread->Glyph(), {RGB(255, 0, 0)});
    spread->SetMargin(-1);
    spread->SetSpacing(-1);
    auto* disabled = Add<ui::TBitBtn>(10, 50, 75, 25, L"Off");
    MakeGlyph(disabled->Glyph(), {RGB(255, 0, 0), RGB(0, 255, 255)});
    disabled->SetNumGlyphs(2);
    disabled->SetEnabled(false);
    TSkinBitButton* oSpread = Obj<TSkinBitButton>(spread);
    TSkinBitButton* oDisabled = Obj<TSkinBitButton>(disabled);

    // Where the glyph must go for the caption's real width in the button's font.
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, spread->Font().Handle());
    RECT measured{0, 0, 75, 25};
    DrawTextW(screen, L"Caption", -1, &measured, DT_CALCRECT);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    const int expectedX = (75 - 16 - measured.right) / 3;

    const TWindowPixels shot = ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "bitbtn-glyph-and-disabled");
    EXPECT_EQ(oSpread->LastFrame, 1);
    const POINT at = Origin(spread);
    int firstRed = -1;
    for (int x = 0; x < 75 && firstRed < 0; ++x)
        if (shot.At(at.x + x, at.y + 12) == 0xFF0000)
            firstRed = x;
    EXPECT_EQ(firstRed, expectedX);
    EXPECT_EQ(shot.At(at.x + expectedX, at.y + 5), 0xFF0000u) << "glyph top row at (25 - 16 + 1) / 2";

    EXPECT_EQ(oDisabled->LastFrame, 3);
    EXPECT_TRUE(ShowsFrame(shot, disabled, 3));
    const POINT off = Origin(disabled);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 75; ++x)
            colours.insert(shot.At(off.x + x, off.y + y));
    EXPECT_TRUE(colours.count(0x555555)) << "the first column, greyed";
    EXPECT_FALSE(colours.count(0xAAAAAA)) << "never the second column";
    EXPECT_FALSE(colours.count(0xFF0000)) << "not in colour";
}

TEST_F(Buttons, WithoutTheSkinsButtonImageThePlatformPaints)
{
    Data().Buttons->Bitmap.Clear();
    auto* button = Add<ui::TButton>(10, 10, 75, 25, L"Native");
    TSkinButton* object = Obj<TSkinButton>(button);
    const TWindowPixels shot = ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "button-without-skin-image");
    EXPECT_EQ(object->LastFrame, 0);
    const POINT at = Origin(button);
    const std::uint32_t behind = shot.At(at.x - 2, at.y + 12);
    std::set<std::uint32_t> colours;
    int likeBehind = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 75; ++x) {
            colours.insert(shot.At(at.x + x, at.y + y));
            likeBehind += shot.At(at.x + x, at.y + y) == behind;
        }
    EXPECT_GE(colours.size(), 3u) << "edges and caption drawn";
    EXPECT_LT(likeBehind, 75 * 25) << "not left unpainted";
}

TEST_F(Buttons, SpeedButtonFlatDownAndHot)
{
    auto* flat = Add<ui::TSpeedButton>(10, 10, 75, 25, L"Flat");
    flat->SetFlat(true);
    auto* down = Add<ui::TSpeedButton>(95, 10, 75, 25, L"Down");
    down->SetGroupIndex(1);
    down->SetDown(true);
    down->SetEnabled(false);
    auto* plain = Add<ui::TSpeedButton>(180, 10, 75, 25, L"Plain");
    TSkinSpeedButton* oFlat = Obj<TSkinSpeedButton>(flat);
    TSkinSpeedButton* oDown = Obj<TSkinSpeedButton>(down);
    TSkinSpeedButton* oPlain = Obj<TSkinSpeedButton>(plain);

    TWindowPixels shot = ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "speedbutton-rest");
    EXPECT_EQ(oFlat->LastFrame, 1);
    const POINT at = Origin(flat);
    const std::uint32_t behind = shot.At(at.x - 2, at.y + 12);
    for (int y : {0, 1, 2, 12})
        EXPECT_EQ(shot.At(at.x + 8, at.y + y), behind) << "a flat button at rest shows no face, row " << y;
    EXPECT_EQ(oDown->LastFrame, 2);
    EXPECT_TRUE(ShowsFrame(shot, down, 2)) << "down wins over disabled";
    EXPECT_EQ(oPlain->LastFrame, 1);
    EXPECT_TRUE(ShowsFrame(shot, plain, 1));

    HoverOver(flat);
    flat->Perform(ui::CM_MOUSEENTER);
    shot = ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "speedbutton-hot");
    EXPECT_EQ(oFlat->LastFrame, 4);
    EXPECT_TRUE(ShowsFrame(shot, flat, 4));
    EXPECT_EQ(frame->HotButton(), oFlat);

    flat->Perform(ui::CM_MOUSELEAVE);
    EXPECT_FALSE(oFlat->Hot());
    EXPECT_EQ(frame->HotButton(), nullptr);
}

TEST_F(Buttons, RepaintsGiveBackEveryGdiObject)
{
    auto* button = Add<ui::TButton>(10, 10, 75, 25, L"Push");
    auto* glyphButton = Add<ui::TBitBtn>(95, 10, 75, 25, L"Glyph");
    MakeGlyph(glyphButton->Glyph(), {RGB(255, 0, 0)});
    auto* speed = Add<ui::TSpeedButton>(180, 10, 75, 25, L"Speed");
    Obj<TSkinButton>(button);
    Obj<TSkinBitButton>(glyphButton);
    Obj<TSkinSpeedButton>(speed);
    button->SetFocus();
    auto repaint = [&] {
        const RECT buttons{10, 10, 255, 35};
        RedrawWindow(form->Handle(), &buttons, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        SendMessageW(button->Handle(), ui::CM_MOUSELEAVE, 0, 0);
        speed->Perform(ui::CM_MOUSEENTER);
        speed->Perform(ui::CM_MOUSELEAVE);
    };
    for (int i = 0; i < 20; ++i)
        repaint();
    PumpMessages();
    const unsigned before = GdiProbe();
    for (int i = 0; i < 1000; ++i)
        repaint();
    PumpMessages();
    const unsigned after = GdiProbe();
    EXPECT_LT(after > before ? after - before : 0u, 20u);
}

} // namespace
