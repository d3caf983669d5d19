// Skinned check boxes, radio buttons and group boxes on real windows: the box shows the strip frame
// of the control's state (compared pixel for pixel with the skin's own strip), sits where the
// platform's box was, leaves the caption alone, and every paint gives its GDI objects back.
#include "FrameTesting.h"
#include "UiTesting.h"

#include "skin/controls/WinSubClass.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinObjects.h"
#include "ui/GroupBoxes.h"

#include <gtest/gtest.h>

using namespace skin;
using frame_testing::TWindowPixels;

namespace {

std::uint32_t Rgb(ui::TColor colour)
{
    const COLORREF c = ui::ColorToRGB(colour);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// The frame of `strip` whose every non-key pixel the window shows with its top-left at (x, y);
// 0 when none does.
int ShownFrame(const TWindowPixels& shot, int x, int y, ui::TBitmap& strip, int frames)
{
    const int fw = strip.Width() / frames, fh = strip.Height();
    for (int frame = 1; frame <= frames; ++frame) {
        bool same = true;
        for (int sy = 0; sy < fh && same; ++sy)
            for (int sx = 0; sx < fw && same; ++sx) {
                const ui::TColor c = strip.Canvas().Pixel((frame - 1) * fw + sx, sy);
                if (c == SkinKeyColor)
                    continue;
                const int px = x + sx, py = y + sy;
                same = px >= 0 && py >= 0 && px < shot.width && py < shot.height && shot.At(px, py) == Rgb(c);
            }
        if (same)
            return frame;
    }
    return 0;
}

// Pixels that differ between two pictures of one window, outside [fromX, toX).
int DifferencesOutside(const TWindowPixels& a, const TWindowPixels& b, int fromX, int toX)
{
    int count = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if ((x < fromX || x >= toX) && a.At(x, y) != b.At(x, y))
                ++count;
    return count;
}

int InkColumns(const TWindowPixels& shot, int fromX, int toX)
{
    int count = 0;
    for (int x = fromX; x < toX; ++x)
        for (int y = 0; y < shot.height; ++y)
            if (shot.At(x, y) != shot.At(shot.width / 2, 0)) {
                ++count;
                break;
            }
    return count;
}

class CheckBoxSkin : public ::testing::Test, public frame_testing::SkinnedWindows {
protected:
    void SetUp() override
    {
        host = ShowPlainWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 460, 360);
        ASSERT_NE(FrameOf(host), nullptr);
        ASSERT_TRUE(Data().Buttons);
    }

    HWND AddButton(DWORD style, const wchar_t* text, int x, int y, int w = 170, int h = 17)
    {
        HWND button = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h, host,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + ++ids)), nullptr, nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return button;
    }

    // The window's object: the frame's, or made here while the frame does not classify windows.
    template <class T>
    T* Object(HWND window)
    {
        TWinSkinForm* frame = FrameOf(host);
        frame->SkinChildWindow(window);
        if (auto* found = dynamic_cast<T*>(frame->FindWindowObject(window)))
            return found;
        auto* object = new T(nullptr);
        object->AttachWindow(window, &Data(), frame, frame->ControlCanvas());
        return object;
    }

    template <class T>
    T* Object(ui::TWinControl* control, ui::TForm* form)
    {
        TWinSkinForm* frame = FrameOf(form->Handle());
        frame->SkinComponents(form);
        if (auto* found = dynamic_cast<T*>(frame->FindControlObject(control)))
            return found;
        auto* object = new T(control);
        object->AttachControl(frame, &Data(), false, frame->ControlCanvas());
        return object;
    }

    int CheckFrameAt(HWND window, int x)
    {
        const TWindowPixels shot = frame_testing::ReadWindow(window);
        return ShownFrame(shot, x, (shot.height - 13) / 2, Data().Buttons->CheckBitmap, Data().Buttons->CheckButtonFrame);
    }
    int RadioFrameAt(HWND window, int x)
    {
        const TWindowPixels shot = frame_testing::ReadWindow(window);
        return ShownFrame(shot, x, (shot.height - 13) / 2, Data().Buttons->RadioBitmap, Data().Buttons->RadioButtonFrame);
    }

    // The window as the platform paints it, then as the skin does.
    std::pair<TWindowPixels, TWindowPixels> NativeAndSkinned(HWND window)
    {
        SendMessageW(window, WM_SKINACTIVE, 0, 0);
        TWindowPixels native = frame_testing::ReadWindow(window);
        SendMessageW(window, WM_SKINACTIVE, 1, 0);
        return {std::move(native), frame_testing::ReadWindow(window)};
    }

    HWND host = nullptr;
    int ids = 0;
};

TEST(CheckBoxFrames, StateMapsToTheStripFrame)
{
    // checked, indeterminate, disabled
    EXPECT_EQ(CheckBoxFrame(false, false, false, 4), 1);
    EXPECT_EQ(CheckBoxFrame(true, false, false, 4), 2);
    EXPECT_EQ(CheckBoxFrame(false, false, true, 4), 3);
    EXPECT_EQ(CheckBoxFrame(true, false, true, 4), 4);
    EXPECT_EQ(CheckBoxFrame(false, true, false, 4), 4);
    EXPECT_EQ(CheckBoxFrame(false, true, true, 4), 4) << "past the strip: its last frame";
    EXPECT_EQ(CheckBoxFrame(false, true, true, 6), 6);
    EXPECT_EQ(CheckBoxFrame(true, false, true, 2), 2);

    EXPECT_EQ(CheckBoxFrame(false, false, false, 12), 1);
    EXPECT_EQ(CheckBoxFrame(true, false, false, 12), 5);
    EXPECT_EQ(CheckBoxFrame(false, true, false, 12), 9);
    EXPECT_EQ(CheckBoxFrame(true, true, false, 12), 9);
    EXPECT_EQ(CheckBoxFrame(false, false, true, 12), 4);
    EXPECT_EQ(CheckBoxFrame(true, false, true, 12), 8);
    EXPECT_EQ(CheckBoxFrame(false, true, true, 12), 12);

    EXPECT_EQ(RadioButtonFrame(false, false, 8), 1);
    EXPECT_EQ(RadioButtonFrame(true, false, 8), 5);
    EXPECT_EQ(RadioButtonFrame(false, true, 8), 4);
    EXPECT_EQ(RadioButtonFrame(true, true, 8), 8);
    EXPECT_EQ(RadioButtonFrame(true, true, 4), 4);
    EXPECT_EQ(RadioButtonFrame(true, true, 3), 3);

    for (int frames : {0, -1}) {
        EXPECT_EQ(CheckBoxFrame(true, false, false, frames), 0);
        EXPECT_EQ(RadioButtonFrame(true, false, frames), 0);
    }
}

TEST(CheckBoxFrames, BoxPlacement)
{
    const ui::TRect window = ui::Rect(0, 0, 120, 17);
    EXPECT_EQ(CheckBoxRect(window, 13, 13, false, false).left, 1);
    EXPECT_EQ(CheckBoxRect(window, 13, 13, false, true).left, 0);
    EXPECT_EQ(CheckBoxRect(window, 16, 16, false, false).left, 2);
    EXPECT_EQ(CheckBoxRect(window, 10, 10, false, false).left, 3);
    EXPECT_EQ(CheckBoxRect(window, 13, 13, true, false).right, 119);
    EXPECT_EQ(CheckBoxRect(window, 13, 13, true, true).right, 120);
    EXPECT_EQ(CheckBoxRect(window, 16, 16, true, false).right, 119);
    const ui::TRect box = CheckBoxRect(window, 13, 13, false, false);
    EXPECT_EQ(box.top, 2);
    EXPECT_EQ(box.bottom, 15);

    // The cleared part covers both boxes and stops before the platform's caption and focus mark.
    for (int width : {4, 13, 16, 20})
        for (bool leftText : {false, true}) {
            const ui::TRect b = CheckBoxRect(window, width, width, leftText, false);
            const ui::TRect clear = CheckBoxClearRect(window, b, leftText);
            if (!leftText) {
                EXPECT_EQ(clear.left, 0);
                EXPECT_GE(clear.right, 13) << width;
                EXPECT_LE(clear.right, 16) << width;
            } else {
                EXPECT_EQ(clear.right, 120);
                EXPECT_LE(clear.left, 120 - 13) << width;
                EXPECT_GE(clear.left, 120 - 15) << width;
            }
        }
}

TEST_F(CheckBoxSkin, EveryCheckStateShowsItsFrame)
{
    // The product skin's strips, whose layout the expectations below follow.
    ASSERT_EQ(Data().Buttons->CheckButtonFrame, 12);
    ASSERT_EQ(Data().Buttons->CheckBitmap.Width() / 12, 13);
    ASSERT_EQ(Data().Buttons->RadioButtonFrame, 8);
    ASSERT_EQ(Data().Buttons->RadioBitmap.Width() / 8, 13);

    struct Case { WPARAM check; bool disabled; int frame; };
    const Case cases[] = {{BST_UNCHECKED, false, 1}, {BST_CHECKED, false, 5}, {BST_INDETERMINATE, false, 9},
                          {BST_UNCHECKED, true, 4},  {BST_CHECKED, true, 8},  {BST_INDETERMINATE, true, 12}};
    int y = 10;
    for (const Case& c : cases) {
        HWND box = AddButton(BS_AUTO3STATE, L"Check box", 10, y);
        y += 22;
        SendMessageW(box, BM_SETCHECK, c.check, 0);
        EnableWindow(box, !c.disabled);
        Object<TSkinCheckBox>(box);
        EXPECT_EQ(CheckFrameAt(box, 1), c.frame) << "check " << c.check << " disabled " << c.disabled;
    }
    struct RadioCase { bool checked, disabled; int frame; };
    const RadioCase radios[] = {{false, false, 1}, {true, false, 5}, {false, true, 4}, {true, true, 8}};
    for (const RadioCase& c : radios) {
        HWND radio = AddButton(BS_RADIOBUTTON, L"Radio button", 230, y - 22 * 6);
        y += 22;
        SendMessageW(radio, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        EnableWindow(radio, !c.disabled);
        Object<TSkinRadioButton>(radio);
        EXPECT_EQ(RadioFrameAt(radio, 0), c.frame) << "checked " << c.checked << " disabled " << c.disabled;
    }
    frame_testing::SaveScreenshot(host, "check-boxes-dialog");
}

TEST_F(CheckBoxSkin, FourFrameStripAndMissingImages)
{
    // A four-frame strip of solid colours with a transparent corner.
    const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
    ui::TBitmap& strip = Data().Buttons->CheckBitmap;
    strip.SetSize(4 * 13, 13);
    for (int f = 0; f < 4; ++f)
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                strip.Canvas().SetPixel(f * 13 + x, y, x == 0 && y == 0 ? SkinKeyColor : colours[f]);
    Data().Buttons->CheckButtonFrame = 4;

    struct Case { WPARAM check; bool disabled; int frame; };
    const Case cases[] = {{BST_UNCHECKED, false, 1}, {BST_CHECKED, false, 2}, {BST_INDETERMINATE, false, 4},
                          {BST_UNCHECKED, true, 3},  {BST_CHECKED, true, 4},  {BST_INDETERMINATE, true, 4}};
    std::vector<HWND> boxes;
    int y = 10;
    for (const Case& c : cases) {
        HWND box = AddButton(BS_AUTO3STATE, L"Four frames", 10, y);
        y += 22;
        SendMessageW(box, BM_SETCHECK, c.check, 0);
        EnableWindow(box, !c.disabled);
        auto* object = Object<TSkinCheckBox>(box);
        EXPECT_EQ(CheckFrameAt(box, 1), c.frame) << "check " << c.check << " disabled " << c.disabled;
        EXPECT_EQ(object->LastFrame, c.frame);
        boxes.push_back(box);
    }
    // The key colour shows what is under the box: the parent's colour.
    const TWindowPixels shot = frame_testing::ReadWindow(boxes[0]);
    EXPECT_EQ(shot.At(1, 2), Rgb(Data().ButtonFaceColor));

    // Without a usable strip the platform's own box stays, pixel for pixel.
    const auto untouched = [&](const char* what) {
        auto [native, skinned] = NativeAndSkinned(boxes[1]);
        EXPECT_EQ(DifferencesOutside(native, skinned, 0, 0), 0) << what;
    };
    Data().Buttons->CheckButtonFrame = 0;
    untouched("no frames");
    Data().Buttons->CheckButtonFrame = 100;
    untouched("strip narrower than its frame count");
    Data().Buttons->CheckButtonFrame = 4;
    strip.Clear();
    untouched("no image");
}

TEST_F(CheckBoxSkin, MouseAndKeyboardToggleWhileSkinned)
{
    HWND box = AddButton(BS_AUTOCHECKBOX, L"Toggle me", 10, 10);
    HWND first = AddButton(BS_AUTORADIOBUTTON | WS_GROUP, L"First", 10, 40);
    HWND second = AddButton(BS_AUTORADIOBUTTON, L"Second", 10, 62);
    Object<TSkinCheckBox>(box);
    Object<TSkinRadioButton>(first);
    Object<TSkinRadioButton>(second);
    const auto shownNow = [&](HWND window, bool radio) {
        // As it is on the screen, with no repaint asked for.
        ui::Application.ProcessMessages();
        const TWindowPixels shot = frame_testing::ReadWindowAsIs(window);
        return radio ? ShownFrame(shot, 0, 2, Data().Buttons->RadioBitmap, 8)
                     : ShownFrame(shot, 1, 2, Data().Buttons->CheckBitmap, 12);
    };
    EXPECT_EQ(CheckFrameAt(box, 1), 1);

    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(shownNow(box, false), 5);

    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 8));
    EXPECT_NE(shownNow(box, false), 0) << "the platform's pressed box shows";
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 8));
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(shownNow(box, false), 1);

    SetFocus(box);
    ui_testing::PressKey(box, VK_SPACE);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(shownNow(box, false), 5);

    SendMessageW(first, BM_CLICK, 0, 0);
    EXPECT_EQ(shownNow(first, true), 5);
    EXPECT_EQ(shownNow(second, true), 1);
    SendMessageW(second, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(shownNow(first, true), 1);
    EXPECT_EQ(shownNow(second, true), 5);
}

TEST_F(CheckBoxSkin, BoxReplacesThePlatformBoxAndLeavesTheCaption)
{
    HWND left = AddButton(BS_AUTOCHECKBOX, L"Caption text", 10, 10);
    HWND radio = AddButton(BS_AUTORADIOBUTTON, L"Caption text", 10, 40);
    // Long captions placed left of the box run up to it.
    HWND rightCheck = AddButton(BS_AUTOCHECKBOX | BS_LEFTTEXT, L"A caption that runs all the way to the box WWWWWWWW", 10, 70);
    HWND rightRadio = AddButton(BS_AUTORADIOBUTTON | BS_LEFTTEXT, L"A caption that runs all the way to the box WWWWWWWW", 10, 100);
    Object<TSkinCheckBox>(left);
    Object<TSkinRadioButton>(radio);
    Object<TSkinCheckBox>(rightCheck);
    Object<TSkinRadioButton>(rightRadio);
    SetFocus(left);
    SendMessageW(left, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);

    EXPECT_EQ(CheckFrameAt(left, 1), 1);
    EXPECT_EQ(RadioFrameAt(radio, 0), 1);
    EXPECT_EQ(CheckFrameAt(rightCheck, 170 - 14), 1);
    EXPECT_EQ(RadioFrameAt(rightRadio, 170 - 13), 1);

    struct Case { HWND window; int fromX, toX; };
    for (const Case& c : {Case{left, 0, 16}, Case{radio, 0, 16}, Case{rightCheck, 170 - 15, 170}, Case{rightRadio, 170 - 15, 170}}) {
        auto [native, skinned] = NativeAndSkinned(c.window);
        // The caption (and the focus mark) is there, and the skin changed nothing outside the box.
        EXPECT_GT(InkColumns(native, c.fromX == 0 ? 16 : 0, c.fromX == 0 ? 170 : c.fromX), 40);
        EXPECT_EQ(DifferencesOutside(native, skinned, c.fromX, c.toX), 0);
        // Not one column of the platform's box is left.
        EXPECT_GT(DifferencesOutside(native, skinned, c.toX, c.fromX + 170), 0);
    }
}

TEST_F(CheckBoxSkin, CallerDcComesBackUnchanged)
{
    HWND box = AddButton(BS_AUTOCHECKBOX, L"Caption", 10, 10, 120, 40);
    auto* object = Object<TSkinCheckBox>(box);
    ui::TMemoryDC dc(nullptr);
    HDC screen = GetDC(nullptr);
    ui::TBitmapHandle bitmap(CreateCompatibleBitmap(screen, 120, 40));
    ReleaseDC(nullptr, screen);
    ui::TSelectObject selectBitmap(dc.Get(), bitmap.Get());
    ui::TSelectObject selectFont(dc.Get(), GetStockObject(ANSI_FIXED_FONT));
    ui::TSelectObject selectPen(dc.Get(), GetStockObject(WHITE_PEN));
    ui::TSelectObject selectBrush(dc.Get(), GetStockObject(GRAY_BRUSH));
    SetTextColor(dc.Get(), RGB(1, 2, 3));
    SetBkColor(dc.Get(), RGB(4, 5, 6));
    SetBkMode(dc.Get(), TRANSPARENT);
    const auto state = [&] {
        return std::vector<std::uintptr_t>{
            reinterpret_cast<std::uintptr_t>(GetCurrentObject(dc.Get(), OBJ_FONT)),
            reinterpret_cast<std::uintptr_t>(GetCurrentObject(dc.Get(), OBJ_PEN)),
            reinterpret_cast<std::uintptr_t>(GetCurrentObject(dc.Get(), OBJ_BRUSH)),
            reinterpret_cast<std::uintptr_t>(GetCurrentObject(dc.Get(), OBJ_BITMAP)),
            GetTextColor(dc.Get()), GetBkColor(dc.Get()), static_cast<std::uintptr_t>(GetBkMode(dc.Get()))};
    };
    const auto before = state();
    object->DrawSkin(dc.Get(), ui::Rect(0, 0, 120, 40));
    EXPECT_EQ(object->LastFrame, 1);
    EXPECT_EQ(state(), before);

    auto group = std::make_unique<TSkinGroupBox>(nullptr);
    HWND groupWindow = AddButton(BS_GROUPBOX, L"Group", 10, 60, 120, 60);
    group->AttachWindow(groupWindow, &Data(), nullptr, nullptr);
    group->DrawSkin(dc.Get(), ui::Rect(0, 0, 120, 40));
    EXPECT_EQ(state(), before);
    EXPECT_EQ(group->Caption, L"Group");
}

TEST_F(CheckBoxSkin, FrameworkControlsAndGroupBox)
{
    ui::TForm* form = ShowForm(ui::TFormBorderStyle::bsSingle, 420, 330);
    ASSERT_NE(form, nullptr);
    const auto add = [&](auto* control, ui::TWinControl* parent, int x, int y, int w, int h, const wchar_t* text) {
        control->SetParent(parent);
        control->SetBounds(x, y, w, h);
        control->SetCaption(text);
        return control;
    };
    auto* unchecked = add(new ui::TCheckBox(form), form, 10, 10, 150, 17, L"Unchecked");
    auto* checked = add(new ui::TCheckBox(form), form, 10, 32, 150, 17, L"Checked");
    checked->SetChecked(true);
    auto* grayed = add(new ui::TCheckBox(form), form, 10, 54, 150, 17, L"Grayed");
    grayed->SetAllowGrayed(true);
    grayed->SetState(ui::TCheckBoxState::cbGrayed);
    auto* disabledGrayed = add(new ui::TCheckBox(form), form, 10, 76, 150, 17, L"Disabled grayed");
    disabledGrayed->SetAllowGrayed(true);
    disabledGrayed->SetState(ui::TCheckBoxState::cbGrayed);
    disabledGrayed->SetEnabled(false);
    auto* disabledChecked = add(new ui::TCheckBox(form), form, 10, 98, 150, 17, L"Disabled checked");
    disabledChecked->SetChecked(true);
    disabledChecked->SetEnabled(false);
    auto* leftText = add(new ui::TCheckBox(form), form, 10, 120, 150, 17, L"Caption on the left");
    leftText->SetAlignment(ui::TAlignment::taLeftJustify);
    leftText->SetChecked(true);
    auto* radioOn = add(new ui::TRadioButton(form), form, 200, 10, 150, 17, L"Radio checked");
    radioOn->SetChecked(true);
    auto* radioOff = add(new ui::TRadioButton(form), form, 200, 32, 150, 17, L"Radio unchecked");
    auto* radioDisabled = add(new ui::TRadioButton(form), form, 200, 54, 150, 17, L"Radio disabled");
    radioDisabled->SetEnabled(false);
    auto* group = add(new ui::TGroupBox(form), form, 10, 150, 190, 100, L"Group caption");
    add(new ui::TCheckBox(form), group, 10, 24, 150, 17, L"Inside the group");
    auto* radios = add(new ui::TRadioGroup(form), form, 210, 150, 190, 100, L"Radio group");
    radios->Items().Add("One");
    radios->Items().Add("Two");
    radios->SetItemIndex(1);

    for (ui::TWinControl* c : std::initializer_list<ui::TWinControl*>{unchecked, checked, grayed, disabledGrayed, disabledChecked, leftText})
        Object<TSkinCheckBox>(c, form);
    for (ui::TWinControl* c : std::initializer_list<ui::TWinControl*>{radioOn, radioOff, radioDisabled})
        Object<TSkinRadioButton>(c, form);
    auto* groupObject = Object<TSkinGroupBox>(group, form);
    ui::Application.ProcessMessages();

    EXPECT_EQ(CheckFrameAt(unchecked->Handle(), 1), 1);
    EXPECT_EQ(CheckFrameAt(checked->Handle(), 1), 5);
    EXPECT_EQ(CheckFrameAt(grayed->Handle(), 1), 9);
    EXPECT_EQ(CheckFrameAt(disabledGrayed->Handle(), 1), 12);
    EXPECT_EQ(CheckFrameAt(disabledChecked->Handle(), 1), 8);
    EXPECT_EQ(CheckFrameAt(leftText->Handle(), 150 - 14), 5);
    EXPECT_EQ(RadioFrameAt(radioOn->Handle(), 0), 5);
    EXPECT_EQ(RadioFrameAt(radioOff->Handle(), 0), 1);
    EXPECT_EQ(RadioFrameAt(radioDisabled->Handle(), 0), 4);

    frame_testing::SaveScreenshot(form->Handle(), "check-boxes");

    // The framework's own state steps run through the skin too.
    SendMessageW(unchecked->Handle(), BM_CLICK, 0, 0);
    ui::Application.ProcessMessages();
    EXPECT_TRUE(unchecked->Checked());
    EXPECT_EQ(CheckFrameAt(unchecked->Handle(), 1), 5);
    grayed->SetFocus();
    ui_testing::PressKey(grayed->Handle(), VK_SPACE);
    EXPECT_EQ(grayed->State(), ui::TCheckBoxState::cbUnchecked);
    EXPECT_EQ(CheckFrameAt(grayed->Handle(), 1), 1);
    SendMessageW(radioOff->Handle(), BM_CLICK, 0, 0);
    ui::Application.ProcessMessages();
    EXPECT_EQ(RadioFrameAt(radioOff->Handle(), 0), 5);
    EXPECT_EQ(RadioFrameAt(radioOn->Handle(), 0), 1);

    // Group box: the rounded line in the shadow colour where the platform's frame was erased, the
    // caption on the face colour.
    const TWindowPixels shot = frame_testing::ReadWindow(group->Handle());
    const std::uint32_t shadow = Rgb(Data().ButtonShadowColor), face = Rgb(Data().ButtonFaceColor);
    HDC probe = GetDC(group->Handle());
    ui::TSelectObject selectFont(probe, group->Font().Handle());
    SIZE zero{};
    GetTextExtentPoint32W(probe, L"0", 1, &zero);
    ReleaseDC(group->Handle(), probe);
    const int lineTop = zero.cy / 2 - 1;
    EXPECT_EQ(shot.At(1, shot.height / 2), shadow);
    EXPECT_EQ(shot.At(0, shot.height / 2), face);
    EXPECT_EQ(shot.At(shot.width - 2, shot.height / 2), shadow);
    EXPECT_EQ(shot.At(shot.width / 2, shot.height - 2), shadow);
    EXPECT_EQ(shot.At(shot.width - 20, lineTop), shadow);
    EXPECT_EQ(shot.At(4, lineTop), shadow);
    EXPECT_EQ(shot.At(4, lineTop + 1), face) << "the platform's second frame line is erased";
    int captionInk = 0;
    for (int y = 0; y < zero.cy; ++y)
        for (int x = 9; x < 80; ++x)
            captionInk += shot.At(x, y) != face;
    EXPECT_GT(captionInk, 20);
    EXPECT_EQ(groupObject->Caption, L"Group caption");

    // An empty window text takes the control's Caption property.
    struct TCaptionedGroup : ui::TGroupBox {
        using ui::TGroupBox::TGroupBox;
        std::wstring GetText() const override { return L"From the property"; }
    };
    ui::TGroupBox* named = new TCaptionedGroup(form);
    named->SetParent(form);
    named->SetBounds(10, 260, 190, 60);
    SetWindowTextW(named->Handle(), L"");
    auto* namedObject = Object<TSkinGroupBox>(named, form);
    frame_testing::ReadWindow(named->Handle());
    EXPECT_EQ(namedObject->Caption, L"From the property");
}

TEST_F(CheckBoxSkin, NoGdiLeakOverThousandRepaints)
{
    HWND box = AddButton(BS_AUTO3STATE, L"Leak check", 10, 10);
    HWND radio = AddButton(BS_AUTORADIOBUTTON, L"Leak radio", 10, 40);
    HWND wide = AddButton(BS_AUTOCHECKBOX | BS_LEFTTEXT, L"Left text", 10, 70);
    auto group = std::make_unique<TSkinGroupBox>(nullptr);
    HWND groupWindow = AddButton(BS_GROUPBOX, L"Group", 200, 10, 200, 120);
    Object<TSkinCheckBox>(box);
    Object<TSkinRadioButton>(radio);
    Object<TSkinCheckBox>(wide);
    group->AttachWindow(groupWindow, &Data(), FrameOf(host), nullptr);
    SendMessageW(box, BM_SETCHECK, BST_INDETERMINATE, 0);
    const auto repaintAll = [&] {
        for (HWND w : {box, radio, wide, groupWindow})
            RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };
    repaintAll();
    SendMessageW(radio, BM_CLICK, 0, 0);
    ui::Application.ProcessMessages();
    const unsigned before = frame_testing::GdiProbe();
    for (int i = 0; i < 250; ++i) {
        repaintAll();
        if (i % 10 == 0)
            SendMessageW(i % 20 ? radio : box, BM_CLICK, 0, 0);
    }
    ui::Application.ProcessMessages();
    EXPECT_LE(frame_testing::GdiProbe(), before + 5);
}

} // namespace
