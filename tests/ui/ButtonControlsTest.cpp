// Check boxes, radio buttons, group boxes, radio groups, speed buttons and image lists with real
// windows: state kept by the framework and agreeing with the system button, mouse routing to
// windowless controls, and pixels read back where the drawing matters.
#include "UiTesting.h"
#include "WindowTesting.h"

#include "ui/Buttons.h"
#include "ui/CheckBoxes.h"
#include "ui/ExtCtrls.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/GroupBoxes.h"
#include "ui/ImgList.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ui;
using namespace ui_testing;

namespace {

struct ShownForm {
    ShownForm() : form(std::make_unique<TForm>(nullptr))
    {
        form->SetClientWidth(400);
        form->SetClientHeight(300);
        form->SetPosition(TPosition::poScreenCenter);
        form->Show();
        Application.ProcessMessages();
    }
    template <class C>
    C* Add(int left, int top, int width, int height, TWinControl* parent = nullptr)
    {
        auto* c = new C(form.get());
        c->SetParent(parent ? parent : form.get());
        c->SetBounds(left, top, width, height);
        return c;
    }
    std::unique_ptr<TForm> form;
};

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

LRESULT CheckOf(TWinControl* c) { return SendMessageW(c->Handle(), BM_GETCHECK, 0, 0); }

void ClickAt(HWND window, int x, int y)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void MoveTo(HWND window, int x, int y) { SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

// 32 x 16: a red square on fuchsia, then a blue one.
std::vector<std::uint8_t> TwoSquares()
{
    return MakeBmp(32, 16, [](int x, int y) -> COLORREF {
        const int cx = x % 16;
        if (cx < 4 || cx >= 12 || y < 4 || y >= 12)
            return RGB(255, 0, 255);
        return x < 16 ? RGB(255, 0, 0) : RGB(0, 0, 255);
    });
}

} // namespace

TEST(ButtonControls, CheckBoxStepsThroughItsStatesByMouseSpaceMnemonicAndProgram)
{
    ShownForm shown;
    auto* edit = shown.Add<TEdit>(10, 200, 100, 21);
    auto* box = shown.Add<TCheckBox>(10, 10, 140, 20);
    box->SetCaption(L"&Verify");
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    HWND w = box->Handle();
    EXPECT_EQ(ClassNameOf(w), L"TCheckBox");
    EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK, BS_3STATE);

    ClickAt(w, 70, 10);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(CheckOf(box), BST_CHECKED);
    box->SetFocus();
    PressKey(w, VK_SPACE);
    EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(CheckOf(box), BST_UNCHECKED);
    EXPECT_EQ(clicks, 2);

    // With AllowGrayed the cycle passes through grayed, the system button agreeing at each step.
    box->SetAllowGrayed(true);
    std::vector<LRESULT> seen;
    for (int i = 0; i < 3; ++i) {
        SendMessageW(w, BM_CLICK, 0, 0);
        seen.push_back(CheckOf(box));
        EXPECT_EQ(GetEnumProp(box, "State"), CheckBoxStateEnum().Names[static_cast<int>(box->State())]);
    }
    EXPECT_EQ(seen, (std::vector<LRESULT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));
    EXPECT_EQ(clicks, 5);

    // Alt plus the mnemonic, typed in another control, focuses the box and toggles it.
    edit->SetFocus();
    PressAltChar(edit->Handle(), L'v');
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(GetFocus(), w);
    EXPECT_EQ(clicks, 6);
    // Enter on a focused check box is not a click.
    PressKey(w, VK_RETURN);
    EXPECT_EQ(clicks, 6);

    // The program's changes click too, but only when the state changes.
    box->SetChecked(true);
    EXPECT_EQ(clicks, 6);
    SetEnumProp(box, "State", "cbGrayed");
    EXPECT_EQ(CheckOf(box), BST_INDETERMINATE);
    EXPECT_EQ(GetEnumProp(box, "Checked"), "False");
    EXPECT_EQ(clicks, 7);

    // Caption on the left is BS_LEFTTEXT; the new window keeps the state.
    EXPECT_EQ(GetEnumProp(box, "Alignment"), "taRightJustify");
    EXPECT_FALSE(GetWindowLongW(w, GWL_STYLE) & BS_LEFTTEXT);
    SetEnumProp(box, "Alignment", "taLeftJustify");
    EXPECT_TRUE(GetWindowLongW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(CheckOf(box), BST_INDETERMINATE);
    for (const char* name : {"Caption", "Checked", "State", "AllowGrayed", "Alignment", "Enabled", "Font", "TabOrder", "TabStop", "OnClick"})
        EXPECT_TRUE(IsPublishedProp(box, name)) << name;
    EXPECT_TRUE(box->TabStop());
}

TEST(ButtonControls, RadioButtonsAreExclusiveAmongTheirParentsRadioButtons)
{
    ShownForm shown;
    auto* panel = shown.Add<TPanel>(0, 0, 200, 120);
    TRadioButton* radios[3];
    std::vector<int> clicked;
    for (int i = 0; i < 3; ++i) {
        radios[i] = shown.Add<TRadioButton>(8, 8 + i * 24, 150, 20, panel);
        radios[i]->SetCaption(i == 2 ? L"&Third" : L"Option");
        radios[i]->OnClick = [&clicked, i](TObject*) { clicked.push_back(i); };
    }
    auto* outside = shown.Add<TRadioButton>(220, 8, 150, 20);
    outside->SetChecked(true);
    EXPECT_EQ(ClassNameOf(radios[0]->Handle()), L"TRadioButton");
    EXPECT_EQ(GetWindowLongW(radios[0]->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_RADIOBUTTON);

    ClickAt(radios[0]->Handle(), 40, 10);
    SendMessageW(radios[1]->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(radios[0]->Checked());
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_EQ(CheckOf(radios[0]), BST_UNCHECKED);
    EXPECT_EQ(CheckOf(radios[1]), BST_CHECKED);
    EXPECT_TRUE(outside->Checked()); // another parent, another group
    // A click on the checked button changes nothing and clicks nothing.
    SendMessageW(radios[1]->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicked, (std::vector<int>{0, 1}));

    // Arrows walk the parent's radio buttons, wrapping; the mnemonic checks its button.
    radios[1]->SetFocus();
    PressKey(radios[1]->Handle(), VK_DOWN);
    EXPECT_TRUE(radios[2]->Checked());
    EXPECT_EQ(GetFocus(), radios[2]->Handle());
    PressKey(radios[2]->Handle(), VK_DOWN);
    EXPECT_TRUE(radios[0]->Checked());
    PressAltChar(radios[0]->Handle(), L't');
    EXPECT_TRUE(radios[2]->Checked());
    EXPECT_FALSE(radios[0]->Checked());
    EXPECT_EQ(clicked, (std::vector<int>{0, 1, 2, 0, 2}));

    SetEnumProp(radios[0], "Checked", "True");
    EXPECT_FALSE(radios[2]->Checked());
    SetEnumProp(radios[0], "Alignment", "taLeftJustify");
    EXPECT_TRUE(GetWindowLongW(radios[0]->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(CheckOf(radios[0]), BST_CHECKED);
}

TEST(ButtonControls, GroupBoxDrawsAnEtchedFrameAtHalfTheCaptionHeightAndHoldsItsChildrenInside)
{
    ShownForm shown;
    auto* group = shown.Add<TGroupBox>(10, 10, 200, 120);
    group->SetCaption(L"Options");
    group->SetColor(RGB(230, 230, 200));
    auto* inner = shown.Add<TPanel>(0, 0, 50, 50, group);
    inner->SetAlign(TAlign::alClient);
    HWND w = group->Handle();
    EXPECT_EQ(ClassNameOf(w), L"TGroupBox");
    EXPECT_EQ(GetParent(inner->Handle()), w);

    const int h = group->CaptionHeight();
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(ScreenPixel(w, 3, h / 2), shadow);
    EXPECT_EQ(ScreenPixel(w, 190, h / 2), shadow);
    EXPECT_EQ(ScreenPixel(w, 0, 60), shadow);
    // The caption's background cuts the line.
    EXPECT_EQ(ScreenPixel(w, 7, h / 2), RGB(230, 230, 200));
    const RECT caption{8, 0, 60, h};
    EXPECT_GT(CountPixels(w, caption, ColorToRGB(clWindowText)), 0);

    // The aligned child fills the inside: below the caption, clear of the frame.
    EXPECT_GE(inner->Top(), h);
    EXPECT_GE(inner->Left(), 2);
    EXPECT_LE(inner->Left() + inner->Width(), group->ClientWidth() - 2);
    EXPECT_LE(inner->Top() + inner->Height(), group->ClientHeight() - 2);
    EXPECT_GT(inner->Width(), 150);
}

TEST(ButtonControls, RadioGroupKeepsItemIndexAndItsButtonsInStepAndLaysThemOutInColumns)
{
    ShownForm shown;
    auto* group = shown.Add<TRadioGroup>(10, 10, 300, 120);
    group->SetCaption(L"Tipo");
    int clicks = 0;
    group->OnClick = [&](TObject*) { ++clicks; };
    for (const char* item : {"Um", "Dois", "Tr\xc3\xaas", "Quatro", "Cinco"})
        group->Items().Add(item);
    SetOrdProp(group, "Columns", 2);
    ASSERT_EQ(group->ButtonCount(), 5);
    EXPECT_EQ(group->Buttons(2)->Caption(), L"Tr\u00eas");
    EXPECT_EQ(GetParent(group->Buttons(0)->Handle()), group->Handle());
    EXPECT_EQ(group->ItemIndex(), -1);

    // Three down the first column, two down the second, all below the caption.
    TControl* b0 = group->Buttons(0);
    TControl* b1 = group->Buttons(1);
    TControl* b3 = group->Buttons(3);
    EXPECT_GT(b3->Left(), b0->Left() + b0->Width() / 2);
    EXPECT_EQ(b3->Top(), b0->Top());
    EXPECT_GE(b1->Top(), b0->Top() + b0->Height());
    EXPECT_GE(b0->Top(), group->CaptionHeight());
    EXPECT_LE(group->Buttons(2)->Top() + group->Buttons(2)->Height(), group->ClientHeight());

    // The program's choice checks the button without a click; the user's choice clicks once.
    group->SetItemIndex(3);
    EXPECT_TRUE(group->Buttons(3)->Checked());
    EXPECT_EQ(CheckOf(group->Buttons(3)), BST_CHECKED);
    EXPECT_EQ(clicks, 0);
    // Tab reaches the group at its checked button only.
    EXPECT_TRUE(GetWindowLongW(group->Buttons(3)->Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongW(group->Buttons(0)->Handle(), GWL_STYLE) & WS_TABSTOP);
    SendMessageW(group->Buttons(1)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(GetOrdProp(group, "ItemIndex"), 1);
    EXPECT_FALSE(group->Buttons(3)->Checked());
    EXPECT_EQ(clicks, 1);
    SendMessageW(group->Buttons(1)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    group->Buttons(4)->SetFocus();
    PressKey(group->Buttons(4)->Handle(), VK_UP);
    EXPECT_EQ(group->ItemIndex(), 3);
    EXPECT_EQ(clicks, 2);

    // Fewer items, fewer buttons; a choice past the end is no choice.
    group->Items().Delete(4);
    group->Items().Delete(3);
    EXPECT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(group->ItemIndex(), -1);
    SetOrdProp(group, "ItemIndex", 7);
    EXPECT_EQ(group->ItemIndex(), -1);
    auto* items = dynamic_cast<TStringList*>(GetObjectProp(group, "Items"));
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->Count(), 3);
    EXPECT_TRUE(IsPublishedProp(group, "Caption"));
}

TEST(ButtonControls, ParentRoutesTheMouseToTheWindowlessControlUnderTheCursor)
{
    ShownForm shown;
    HWND w = shown.form->Handle();
    auto* below = shown.Add<TSpeedButton>(20, 20, 60, 40);
    auto* above = shown.Add<TSpeedButton>(60, 20, 60, 40); // later: on top where they overlap
    auto* off = shown.Add<TSpeedButton>(150, 20, 40, 40);
    off->SetEnabled(false);
    std::vector<std::string> log;
    auto record = [&](TControl* c, const char* name) {
        TWndMethod saved = c->WindowProc;
        c->WindowProc = [&log, saved, name](TMessage& m) {
            const int x = static_cast<short>(LOWORD(m.LParam)), y = static_cast<short>(HIWORD(m.LParam));
            switch (m.Msg) {
            case CM_MOUSEENTER: log.push_back(std::string(name) + " enter"); break;
            case CM_MOUSELEAVE: log.push_back(std::string(name) + " leave"); break;
            case CM_CANCELMODE: log.push_back(std::string(name) + " cancel"); break;
            case WM_MOUSEMOVE: log.push_back(std::string(name) + " move " + std::to_string(x) + "," + std::to_string(y)); break;
            case WM_LBUTTONDOWN: log.push_back(std::string(name) + " down " + std::to_string(x) + "," + std::to_string(y)); break;
            case WM_LBUTTONUP: log.push_back(std::string(name) + " up " + std::to_string(x) + "," + std::to_string(y)); break;
            default: break;
            }
            saved(m);
        };
    };
    record(below, "below");
    record(above, "above");
    record(off, "off");

    MoveTo(w, 25, 30);
    MoveTo(w, 70, 30); // the overlap: the later control
    MoveTo(w, 160, 30); // disabled: nobody
    MoveTo(w, 30, 25);
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"below enter", "below move 5,10", "below leave", "above enter", "above move 10,10",
                                             "above leave", "below enter", "below move 10,5", "below leave"}));

    // Held: moves and the release go to the pressed control, outside it too, under the capture.
    log.clear();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    EXPECT_EQ(GetCapture(), w);
    EXPECT_EQ(shown.form->CaptureControl(), below);
    MoveTo(w, 100, 30);
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(100, 30));
    EXPECT_NE(GetCapture(), w);
    EXPECT_EQ(shown.form->CaptureControl(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"below enter", "below down 10,10", "below leave", "below move 80,10", "below up 80,10",
                                             "above enter"}));

    // Losing the capture while held cancels the press.
    log.clear();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 30));
    EXPECT_TRUE(above->Pressed());
    ReleaseCapture();
    EXPECT_FALSE(above->Pressed());
    EXPECT_EQ(shown.form->CaptureControl(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"above down 40,10", "above cancel", "above leave"}));

    // A control going away while under the mouse leaves nothing behind.
    MoveTo(w, 30, 30);
    EXPECT_EQ(shown.form->MouseControl(), below);
    delete below;
    EXPECT_EQ(shown.form->MouseControl(), nullptr);
    MoveTo(w, 35, 30);
}

TEST(ButtonControls, SpeedButtonClicksOnReleaseOverItAndKeepsOneButtonOfAGroupDown)
{
    ShownForm shown;
    HWND w = shown.form->Handle();
    auto* plain = shown.Add<TSpeedButton>(10, 10, 30, 30);
    int clicks = 0;
    plain->OnClick = [&](TObject*) { ++clicks; };
    ClickAt(w, 20, 20);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(plain->Down());
    // Pressed, dragged off and released outside: no click.
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    EXPECT_TRUE(plain->Pressed());
    MoveTo(w, 80, 80);
    EXPECT_FALSE(plain->Pressed());
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(80, 80));
    EXPECT_EQ(clicks, 1);
    // Outside a group it cannot stay down.
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());

    TSpeedButton* group[3];
    for (int i = 0; i < 3; ++i) {
        group[i] = shown.Add<TSpeedButton>(100 + i * 30, 10, 30, 30);
        SetOrdProp(group[i], "GroupIndex", 1);
    }
    auto* other = shown.Add<TSpeedButton>(200, 10, 30, 30);
    other->SetGroupIndex(2);
    other->SetDown(true);
    auto downs = [&] { return std::vector<bool>{group[0]->Down(), group[1]->Down(), group[2]->Down(), other->Down()}; };
    ClickAt(w, 110, 20);
    EXPECT_EQ(downs(), (std::vector<bool>{true, false, false, true}));
    ClickAt(w, 140, 20);
    EXPECT_EQ(downs(), (std::vector<bool>{false, true, false, true}));
    ClickAt(w, 140, 20); // the down one stays down
    EXPECT_EQ(downs(), (std::vector<bool>{false, true, false, true}));
    SetEnumProp(group[0], "AllowAllUp", "True"); // for the whole group
    ClickAt(w, 140, 20);
    EXPECT_EQ(downs(), (std::vector<bool>{false, false, false, true}));
    SetEnumProp(group[2], "Down", "True");
    EXPECT_EQ(downs(), (std::vector<bool>{false, false, true, true}));

    for (const char* name : {"Flat", "Down", "GroupIndex", "AllowAllUp", "Glyph", "NumGlyphs", "Layout", "Margin", "Spacing",
                             "Caption", "Enabled", "Font", "OnClick"})
        EXPECT_TRUE(IsPublishedProp(plain, name)) << name;
}

TEST(ButtonControls, SpeedButtonDrawsItsEdgeRaisedSunkenOrOnlyWhenHotWhenFlat)
{
    ShownForm shown;
    HWND w = shown.form->Handle();
    auto* b = shown.Add<TSpeedButton>(40, 40, 40, 30);
    b->SetColor(RGB(0, 160, 0));
    const COLORREF face = RGB(0, 160, 0);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    // Raised: dark outer edge bottom right; pressed: it moves to the top left.
    EXPECT_EQ(ScreenPixel(w, 40 + 39, 40 + 29), dark);
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_EQ(ScreenPixel(w, 41, 41), dark);
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));

    SetEnumProp(b, "Flat", "True");
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(b->Hot());
    EXPECT_EQ(ScreenPixel(w, 40 + 39, 40 + 29), face);
    EXPECT_EQ(ScreenPixel(w, 40, 40), face);
    b->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(b->Hot());
    EXPECT_EQ(ScreenPixel(w, 40 + 39, 40 + 29), GetSysColor(COLOR_BTNSHADOW));

    // The glyph sits in the middle, the down image while pressed (here: down in a group).
    const auto bmp = TwoSquares();
    ASSERT_TRUE(b->Glyph().LoadFromBmpBytes(bmp.data(), bmp.size()));
    b->SetNumGlyphs(2);
    EXPECT_EQ(ScreenPixel(w, 60, 55), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(w, 60 - 6, 55), face); // the key colour is left out
    b->SetEnabled(false);
    EXPECT_EQ(ScreenPixel(w, 60, 55), RGB(0, 0, 255));
}

TEST(ButtonControls, BitmapButtonDrawsItsImageListImageAndForgetsTheListWhenItGoes)
{
    ShownForm shown;
    auto* b = shown.Add<TBitBtn>(10, 10, 90, 30);
    auto* images = new TImageList(shown.form.get());
    images->SetName("images");
    TBitmap strip;
    const auto bmp = TwoSquares();
    ASSERT_TRUE(strip.LoadFromBmpBytes(bmp.data(), bmp.size()));
    EXPECT_EQ(images->AddMasked(strip, RGB(255, 0, 255)), 0);
    EXPECT_EQ(images->Count(), 2);

    SetObjectProp(b, "Images", images);
    EXPECT_EQ(GetObjectProp(b, "Images", "TImageList"), images);
    SetOrdProp(b, "ImageIndex", 0);
    HWND w = b->Handle();
    EXPECT_EQ(ScreenPixel(w, 45, 15), RGB(255, 0, 0));
    EXPECT_NE(ScreenPixel(w, 45 - 6, 15), RGB(255, 0, 255)); // masked out
    // Disabled: DisabledIndex when given, else the image greyed.
    b->SetEnabled(false);
    const COLORREF grey = ScreenPixel(w, 45, 15);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    SetOrdProp(b, "DisabledIndex", 1);
    EXPECT_EQ(ScreenPixel(w, 45, 15), RGB(0, 0, 255));
    // A glyph takes precedence over the list.
    b->SetEnabled(true);
    TBitmap blue;
    const auto plain = MakeBmp(16, 16, [](int x, int y) -> COLORREF { return x < 2 || y < 2 ? RGB(255, 0, 255) : RGB(0, 0, 255); });
    ASSERT_TRUE(b->Glyph().LoadFromBmpBytes(plain.data(), plain.size()));
    EXPECT_EQ(ScreenPixel(w, 45, 15), RGB(0, 0, 255));
    b->Glyph().Clear();
    EXPECT_EQ(ScreenPixel(w, 45, 15), RGB(255, 0, 0));

    delete images;
    EXPECT_EQ(b->Images(), nullptr);
    EXPECT_NE(ScreenPixel(w, 45, 15), RGB(255, 0, 0));
}

TEST(ButtonControls, ImageListsGiveBackEveryGdiObject)
{
    TBitmap strip;
    const auto bmp = TwoSquares();
    ASSERT_TRUE(strip.LoadFromBmpBytes(bmp.data(), bmp.size()));
    TBitmap target(64, 16);
    HDC dc = target.Canvas().Handle();
    auto work = [&] {
        for (int i = 0; i < 50; ++i) {
            TImageList list(nullptr);
            list.AddMasked(strip, RGB(255, 0, 255));
            list.SetWidth(8); // a new, empty system list
            list.AddMasked(strip, RGB(255, 0, 255));
            for (int n = 0; n < 10; ++n) {
                list.Draw(dc, 0, 0, n % 4, true);
                list.Draw(dc, 16, 0, n % 4, false);
            }
        }
    };
    work(); // first use loads what the system keeps for good
    const unsigned before = GdiObjectsAlive();
    work();
    EXPECT_EQ(GdiObjectsAlive(), before);
}

TEST(ButtonControls, ABufferedPaintGoesThroughAReplacedWindowProcOnce)
{
    ShownForm shown;
    auto* panel = shown.Add<TPanel>(10, 10, 120, 60);
    panel->SetColor(RGB(20, 40, 200));
    auto* box = shown.Add<TCheckBox>(10, 100, 120, 20);
    box->SetCaption(L"Buffered");
    for (TWinControl* c : {static_cast<TWinControl*>(panel), static_cast<TWinControl*>(box)}) {
        c->SetDoubleBuffered(true);
        HWND w = c->Handle();
        std::vector<WPARAM> paints;
        TWndMethod saved = c->WindowProc;
        c->WindowProc = [&paints, saved](TMessage& m) {
            if (m.Msg == WM_PAINT)
                paints.push_back(m.WParam);
            saved(m);
        };
        InvalidateRect(w, nullptr, TRUE);
        UpdateWindow(w);
        ASSERT_EQ(paints.size(), 1u) << c->ClassName();
        EXPECT_NE(paints[0], 0u); // the memory DC
        c->WindowProc = saved;
    }
    // What was composed reached the screen.
    EXPECT_EQ(ScreenPixel(panel->Handle(), 60, 30), RGB(20, 40, 200));
    const RECT text{16, 0, 120, 20};
    EXPECT_GT(CountPixels(box->Handle(), text, ColorToRGB(clWindowText)), 0);
}

TEST(ButtonControls, TransparentPanelShowsItsParentsBackground)
{
    ShownForm shown;
    shown.form->SetColor(RGB(250, 240, 10));
    auto* panel = shown.Add<TPanel>(10, 10, 120, 60);
    panel->SetColor(RGB(20, 40, 200));
    panel->SetBevelOuter(TBevelCut::bvNone);
    EXPECT_EQ(ScreenPixel(panel->Handle(), 60, 30), RGB(20, 40, 200));
    SetEnumProp(panel, "Transparent", "True");
    EXPECT_EQ(ScreenPixel(panel->Handle(), 60, 30), RGB(250, 240, 10));
    EXPECT_EQ(GetEnumProp(panel, "Transparent"), "True");
}

TEST(ButtonControls, FormDescriptionsMakeTheNewControlsWhateverTheOrderOfTheirProperties)
{
    TForm form(nullptr);
    ReadComponentText(&form, "object F: TForm\n"
                             "  object btn: TBitBtn\n"
                             "    Images = images\n"
                             "    ImageIndex = 0\n"
                             "  end\n"
                             "  object grp: TRadioGroup\n"
                             "    Caption = 'Tipo'\n"
                             "    ItemIndex = 2\n"
                             "    Items.Strings = (\n"
                             "      'A'\n"
                             "      'B'\n"
                             "      'C')\n"
                             "    object inner: TGroupBox\n"
                             "    end\n"
                             "  end\n"
                             "  object chk: TCheckBox\n"
                             "    State = cbGrayed\n"
                             "  end\n"
                             "  object sb: TSpeedButton\n"
                             "    Down = True\n"
                             "    GroupIndex = 3\n"
                             "  end\n"
                             "  object opt: TRadioButton\n"
                             "    Checked = True\n"
                             "  end\n"
                             "  object images: TImageList\n"
                             "    Width = 24\n"
                             "  end\n"
                             "end\n");
    auto* grp = dynamic_cast<TRadioGroup*>(form.FindComponent("grp"));
    ASSERT_NE(grp, nullptr);
    EXPECT_EQ(grp->ItemIndex(), 2);
    ASSERT_EQ(grp->ButtonCount(), 3);
    EXPECT_TRUE(grp->Buttons(2)->Checked());
    EXPECT_EQ(dynamic_cast<TGroupBox*>(form.FindComponent("inner"))->Parent(), grp);
    EXPECT_EQ(dynamic_cast<TCheckBox*>(form.FindComponent("chk"))->State(), TCheckBoxState::cbGrayed);
    EXPECT_TRUE(dynamic_cast<TSpeedButton*>(form.FindComponent("sb"))->Down());
    EXPECT_TRUE(dynamic_cast<TRadioButton*>(form.FindComponent("opt"))->Checked());
    auto* images = dynamic_cast<TImageList*>(form.FindComponent("images"));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->Width(), 24);
    EXPECT_EQ(dynamic_cast<TBitBtn*>(form.FindComponent("btn"))->Images(), images);
}

TEST(ButtonControls, SpeedButtonFollowsTheRealPointerOnAndOffIt)
{
    ShownForm shown;
    auto* b = shown.Add<TSpeedButton>(40, 40, 40, 30);
    b->SetFlat(true);
    SetForegroundWindow(shown.form->Handle());
    // Input the system delivers as it would from the mouse, not a cursor warp (no messages).
    auto pointTo = [](int x, int y) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof(input));
    };
    const POINT on = b->ClientToScreen(POINT{20, 15});
    pointTo(on.x, on.y);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return b->Hot(); }));
    EXPECT_EQ(shown.form->MouseControl(), b);
    // Off the form altogether: the form's mouse-leave tells the button.
    RECT frame;
    GetWindowRect(shown.form->Handle(), &frame);
    pointTo(frame.right + 40, frame.bottom + 40);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return !b->Hot(); }));
    EXPECT_EQ(shown.form->MouseControl(), nullptr);
}
