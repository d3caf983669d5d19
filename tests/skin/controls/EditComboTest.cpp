// Edits and combo boxes under the skin, on real windows: the edit's two-line border, the combo's
// border and drop button in each state, the button on the left for right-to-left reading, hot and
// pressed tracking, skins that lack the images, and what a paint gives back (DC state, GDI objects).
#include "FrameTesting.h"
#include "UiTesting.h"
#include "WindowTesting.h"

#include "skin/controls/WinSubClass.h"
#include "skin/data/SkinArchiveWriter.h"
#include "skin/data/SkinDraw.h"
#include "ui/GdiObjects.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <array>
#include <type_traits>

using namespace skin;
using namespace frame_testing;
using testing_support::PumpUntil;

namespace {

std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
constexpr std::uint32_t kWhite = 0xFFFFFF;
int ButtonSpan() { return GetSystemMetrics(SM_CXHSCROLL) + 2; }

// A skin of combo images only, each state solid; the button's halves differ, so a mirror shows.
const std::array<COLORREF, 4> kLeft{RGB(200, 40, 40), RGB(40, 160, 40), RGB(120, 120, 0), RGB(250, 150, 0)};
const std::array<COLORREF, 4> kRight{RGB(40, 40, 200), RGB(160, 40, 160), RGB(0, 120, 120), RGB(0, 150, 250)};
const std::array<COLORREF, 4> kEdge{RGB(10, 80, 10), RGB(80, 10, 10), RGB(10, 10, 80), RGB(80, 80, 10)};

std::vector<std::uint8_t> ComboSkin(bool withEdge, bool withButton)
{
    std::string ini = "[TitlebarSkin]\nSkinName=Combo parts\n[Personality]\n";
    std::vector<TSkinArchiveEntry> entries;
    const std::string margins = "LeftWidth=2\nRightWidth=2\nTopHeight=2\nBottomHeight=2\n";
    if (withButton) {
        ini += "[ComboButton]\nImage=button.bmp\nTrans=1\n" + margins;
        entries.push_back({"button.bmp", ui_testing::MakeBmp(19 * 4, 21, [](int x, int) {
                               return x % 19 < 9 ? kLeft[x / 19] : kRight[x / 19];
                           })});
    }
    if (withEdge) {
        ini += "[SunkEdge]\nImage=edge.bmp\n" + margins;
        entries.push_back({"edge.bmp", ui_testing::MakeBmp(12 * 4, 21, [](int x, int y) {
                               const bool rim = x % 12 < 2 || x % 12 >= 10 || y < 2 || y >= 19;
                               return rim ? kEdge[x / 12] : RGB(255, 255, 255);
                           })});
    }
    entries.insert(entries.begin(), {"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    return BuildSkinArchive(entries);
}

// How many pixels of the button band and of the left border differ from one state of the product's
// composed combo frame, drawn by the skin's own routine (key-coloured pixels are the control's).
int Mismatches(const TWindowPixels& shown, int frame, const TDataSkinBorder& combo)
{
    ui::TBitmap picture(shown.width, shown.height);
    picture.Canvas().Brush().SetColor(SkinKeyColor);
    picture.Canvas().FillRect(ui::Rect(0, 0, shown.width, shown.height));
    DrawSkinRect(picture.Canvas().Handle(), ui::Rect(0, 0, shown.width, shown.height),
                 const_cast<ui::TBitmap*>(&combo.Bitmap), false, false, true, combo.Frame, frame, combo.Margins());
    int wrong = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) {
            const std::uint8_t* p = picture.ScanLine(y) + x * 3;
            const std::uint32_t want = (p[2] << 16) | (p[1] << 8) | p[0];
            if ((x < 2 || x >= shown.width - ButtonSpan()) && want != SkinKeyColor && shown.At(x, y) != want)
                ++wrong;
        }
    return wrong;
}

void Settle()
{
    for (int i = 0; i < 3; ++i)
        ui::Application.ProcessMessages();
}

class EditsAndCombos : public ::testing::Test, public SkinnedWindows {
protected:
    ~EditsAndCombos() override { SetCursorPos(0, 0); }

    template <class C>
    C* Add(ui::TForm& form, int x, int y, int w, int h = 21)
    {
        auto* control = new C(&form);
        control->SetParent(&form);
        control->SetBounds(x, y, w, h);
        return control;
    }

    // The object the frame made for a control, or one attached here.
    template <class T>
    T* SkinOf(ui::TForm* form, ui::TWinControl* control)
    {
        TWinSkinForm* frame = FrameOf(form->Handle());
        TSkinControl* found = frame->FindControlObject(control);
        if (!found)
            found = frame->FindWindowObject(control->Handle());
        if (found)
            return dynamic_cast<T*>(found);
        auto* object = new T(control);
        if constexpr (std::is_same_v<T, TSkinComBox>)
            object->AttachControl(frame, &Data(), false, frame->ControlCanvas());
        else
            object->AttachWindow(control->Handle(), &Data(), frame, frame->ControlCanvas());
        return object;
    }

    // A plain "ComboBox" (drop-down list) on a form, skinned as a foreign window is.
    TSkinComBox* PlainCombo(ui::TForm* form, DWORD exStyle, int x, int y, HWND& window)
    {
        window = CreateWindowExW(exStyle, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, x, y, 140, 160,
                                 form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Plain item"));
        SendMessageW(window, CB_SETCURSEL, 0, 0);
        TWinSkinForm* frame = FrameOf(form->Handle());
        if (auto* found = dynamic_cast<TSkinComBox*>(frame->FindWindowObject(window)))
            return found;
        auto* object = new TSkinComBox(nullptr);
        object->AttachWindow(window, &Data(), frame, frame->ControlCanvas());
        return object;
    }

    // The window as it looks with skin painting off.
    static TWindowPixels Unskinned(HWND window)
    {
        SendMessageW(window, WM_SKINACTIVE, 0, 0);
        const TWindowPixels own = ReadWindow(window);
        SendMessageW(window, WM_SKINACTIVE, 1, 0);
        return own;
    }
};

} // namespace

TEST_F(EditsAndCombos, GeometryKeepsButtonGlyphAndTextApartAndDisabledWins)
{
    for (bool left : {false, true}) {
        const TComboGeometry g = ComboGeometry(ui::Rect(0, 0, 120, 22), 17, left);
        RECT overlap{}, button = g.button, text = g.textArea, glyph = g.glyphArea;
        EXPECT_EQ(button.right - button.left, 19);
        EXPECT_EQ(left ? button.left : button.right, left ? 0 : 120);
        EXPECT_FALSE(IntersectRect(&overlap, &button, &text));
        EXPECT_TRUE(IntersectRect(&overlap, &button, &glyph) && EqualRect(&overlap, &glyph));
        EXPECT_TRUE(text.top == 2 && text.bottom == 20 && (left ? text.right == 118 : text.left == 2));
    }
    EXPECT_EQ(ComboFrame(false, false, false, true), bfNormal);
    EXPECT_EQ(ComboFrame(false, true, false, true), bfHot);
    EXPECT_EQ(ComboFrame(false, false, true, true), bfHot);
    EXPECT_EQ(ComboFrame(true, true, true, true), bfPressed);
    EXPECT_EQ(ComboFrame(true, true, true, false), bfDisabled);
}

TEST_F(EditsAndCombos, EditsWithABorderGetTheTwoLineFrameInEveryStateBorderlessOnesNone)
{
    ui::TEdit *plain = nullptr, *readOnly = nullptr, *disabled = nullptr, *borderless = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        plain = Add<ui::TEdit>(f, 10, 10, 150);
        readOnly = Add<ui::TEdit>(f, 10, 40, 150);
        readOnly->SetReadOnly(true);
        disabled = Add<ui::TEdit>(f, 10, 70, 150);
        disabled->SetEnabled(false);
        borderless = Add<ui::TEdit>(f, 10, 100, 150);
        borderless->SetBorderStyle(ui::TBorderStyle::bsNone);
    }, 260, 140);
    const std::uint32_t shadow = Rgb(ui::ColorToRGB(Data().ButtonShadowColor));
    ASSERT_NE(shadow, kWhite);
    for (ui::TEdit* edit : {plain, readOnly, disabled}) {
        ASSERT_NE(SkinOf<TSkinEdit>(form, edit), nullptr);
        const TWindowPixels shown = ReadWindow(edit->Handle());
        const int w = shown.width, h = shown.height;
        for (POINT p : {POINT{0, h / 2}, POINT{w - 1, h / 2}, POINT{w / 2, 0}, POINT{w / 2, h - 1}})
            EXPECT_EQ(shown.At(p.x, p.y), shadow) << "outer frame at " << p.x << "," << p.y;
        for (POINT p : {POINT{1, h / 2}, POINT{w - 2, h / 2}, POINT{w / 2, 1}, POINT{w / 2, h - 2}})
            EXPECT_EQ(shown.At(p.x, p.y), kWhite) << "inner frame at " << p.x << "," << p.y;
    }
    ASSERT_NE(SkinOf<TSkinEdit>(form, borderless), nullptr);
    const TWindowPixels own = Unskinned(borderless->Handle());
    EXPECT_EQ(ReadWindow(borderless->Handle()).pixels, own.pixels) << "a borderless edit is left alone";

    // Printed: the border goes into the DC too, though the edit's own printing leaves its client
    // area clipped; printing straight through the object leaves no clip region behind.
    RECT r{};
    GetWindowRect(plain->Handle(), &r);
    ui::TBitmap print(r.right - r.left, r.bottom - r.top), fresh(r.right - r.left, r.bottom - r.top);
    HDC dc = print.Canvas().Handle();
    SendMessageW(plain->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(Rgb(GetPixel(dc, 0, print.Height() / 2)), shadow);
    EXPECT_EQ(Rgb(GetPixel(dc, 1, print.Height() / 2)), kWhite);
    SkinOf<TSkinEdit>(form, readOnly)->PrintBorder(fresh.Canvas().Handle());
    EXPECT_EQ(Rgb(GetPixel(fresh.Canvas().Handle(), 0, 3)), shadow);
    ui::TRegionHandle clip(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(fresh.Canvas().Handle(), clip.Get()), 0);

    // An up-down that comes after skinning is found at the next paint, and forgotten when gone.
    TSkinEdit* object = SkinOf<TSkinEdit>(form, plain);
    EXPECT_EQ(object->UpDownWindow, nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 120, 0, 16, 17, plain->Handle(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ReadWindow(plain->Handle());
    EXPECT_EQ(object->UpDownWindow, spin);
    DestroyWindow(spin);
    ReadWindow(plain->Handle());
    EXPECT_EQ(object->UpDownWindow, nullptr);
}

TEST_F(EditsAndCombos, ComboBorderAndButtonFollowTheStateInBothStylesAndHoverWaitsForAPaint)
{
    ui::TEdit* other = nullptr;
    ui::TComboBox *editable = nullptr, *list = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        other = Add<ui::TEdit>(f, 10, 10, 140);
        editable = Add<ui::TComboBox>(f, 10, 40, 140);
        list = Add<ui::TComboBox>(f, 10, 70, 140);
        list->SetStyle(ui::TComboBoxStyle::csDropDownList);
        for (ui::TComboBox* c : {editable, list}) {
            c->Items().Add("First item");
            c->SetItemIndex(0);
        }
    }, 260, 110);
    const TDataSkinBorder& skin = *Data().ComboButton;
    ASSERT_EQ(skin.Style, 2) << "the product skin composes its combo frame";
    for (ui::TComboBox* control : {editable, list}) {
        SCOPED_TRACE(control == list ? "drop-down list" : "editable");
        HWND w = control->Handle();
        TSkinComBox* object = SkinOf<TSkinComBox>(form, control);
        ASSERT_NE(object, nullptr);
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetComboBoxInfo(w, &info));
        wchar_t name[32] = {};
        GetClassNameW(object->ListHandle, name, 32);
        EXPECT_STREQ(name, L"ComboLBox");
        EXPECT_EQ(object->EditHandle, control == editable ? info.hwndItem : nullptr);
        const TWindowPixels first = ReadWindow(w);
        EXPECT_GT(Mismatches(first, bfPressed, skin) * Mismatches(first, bfHot, skin), 0) << "states look alike";

        other->SetFocus();
        EXPECT_EQ(Mismatches(ReadWindow(w), bfNormal, skin), 0) << "normal";
        control->SetFocus();
        EXPECT_EQ(Mismatches(ReadWindow(w), bfHot, skin), 0) << "focused";
        const LPARAM inButton = MAKELPARAM(first.width - ButtonSpan() / 2, first.height / 2);
        SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, inButton);
        EXPECT_EQ(Mismatches(ReadWindow(w), bfPressed, skin), 0) << "pressed";
        SendMessageW(w, WM_LBUTTONUP, 0, inButton);
        EXPECT_FALSE(object->Pressed());
        SendMessageW(w, CB_SHOWDROPDOWN, FALSE, 0);
        ReleaseCapture();
        control->SetEnabled(false);
        EXPECT_EQ(Mismatches(ReadWindow(w), bfDisabled, skin), 0) << "disabled";
        control->SetEnabled(true);

        // The mouse sets Hot but paints nothing; the next paint shows it.
        other->SetFocus();
        const TWindowPixels before = ReadWindow(w);
        RECT r{};
        GetWindowRect(w, &r);
        SetCursorPos(r.left + 60, r.top + 5);
        SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(60, 5));
        Settle();
        EXPECT_TRUE(object->Hot());
        EXPECT_EQ(ReadWindowAsIs(w).pixels, before.pixels);
        EXPECT_EQ(Mismatches(ReadWindow(w), bfHot, skin), 0) << "hot";
        SetCursorPos(0, 0);
        EXPECT_TRUE(PumpUntil([object] { return !object->Hot(); }));
    }
}

TEST_F(EditsAndCombos, TheEditPartReportsPressesAndItsHookComesOffLeavingTheControlsOwn)
{
    ui::TForm* form = ShowForm(ui::TFormBorderStyle::bsSizeable, 200, 80);
    ui::TEdit* other = Add<ui::TEdit>(*form, 10, 10, 140);
    auto* control = Add<ui::TComboBox>(*form, 10, 40, 140);
    HWND edit = control->EditHandle();
    ASSERT_NE(edit, nullptr);
    const LONG_PTR ownProc = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    TSkinComBox* object = SkinOf<TSkinComBox>(form, control);
    ASSERT_EQ(object->EditHandle, edit);
    EXPECT_NE(GetWindowLongPtrW(control->Handle(), GWL_STYLE) & WS_CLIPCHILDREN, 0) << "buffered paint spares the edit";
    other->SetFocus();
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(object->Pressed());
    EXPECT_EQ(Mismatches(ReadWindow(control->Handle()), bfPressed, *Data().ComboButton), 0);
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ReleaseCapture();
    EXPECT_FALSE(object->Pressed());

    // Unskin takes out our link alone: the framework's edit procedure and the style are back.
    object->Unskin();
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), ownProc);
    EXPECT_EQ(GetWindowLongPtrW(control->Handle(), GWL_STYLE) & WS_CLIPCHILDREN, 0);
    delete object;
    object = SkinOf<TSkinComBox>(form, control);
    ASSERT_EQ(object->EditHandle, edit);
    delete object;
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), ownProc) << "the object's end unhooks too";

    // An edit that goes first leaves a sound object behind.
    object = SkinOf<TSkinComBox>(form, control);
    DestroyWindow(edit);
    EXPECT_EQ(object->EditHandle, nullptr);
    object->LastFrame = 0;
    ReadWindow(control->Handle());
    EXPECT_EQ(object->LastFrame, bfNormal);
}

TEST_F(EditsAndCombos, MirroredButtonOnTheLeftAndSkinsLackingBorderOrButton)
{
    struct TCase {
        bool edge, button;
    };
    for (TCase c : {TCase{true, true}, TCase{false, true}, TCase{true, false}}) {
        SCOPED_TRACE(testing::Message() << "edge " << c.edge << " button " << c.button);
        Data().SkinStream() = ui::TMemoryStream(ComboSkin(c.edge, c.button));
        ASSERT_TRUE(Data().LoadSkinData());
        ui::TForm* form = ShowForm(ui::TFormBorderStyle::bsSizeable, 200, 80);
        HWND ltr = nullptr, rtl = nullptr;
        TSkinComBox* plain = PlainCombo(form, 0, 10, 10, ltr);
        TSkinComBox* mirrored = PlainCombo(form, WS_EX_LEFTSCROLLBAR, 10, 40, rtl);
        const TWindowPixels own = Unskinned(ltr), left = ReadWindow(ltr), right = ReadWindow(rtl);
        const int mid = left.height / 2, span = ButtonSpan(), f = plain->LastFrame - 1;
        if (!c.button) {
            EXPECT_EQ(left.pixels, own.pixels) << "no button image: the platform's look";
            EXPECT_EQ(plain->LastFrame + mirrored->LastFrame, 0);
            continue;
        }
        ASSERT_EQ(f, bfNormal - 1);
        EXPECT_EQ(left.At(left.width - span + 3, mid), Rgb(kLeft[f]));
        EXPECT_EQ(left.At(left.width - 3, mid), Rgb(kRight[f]));
        EXPECT_EQ(right.At(3, mid), Rgb(kRight[f])) << "the mirrored image, on the left";
        EXPECT_EQ(right.At(span - 3, mid), Rgb(kLeft[f]));
        if (c.edge) {
            EXPECT_EQ(left.At(0, mid), Rgb(kEdge[f]));
            EXPECT_EQ(right.At(right.width - 1, mid), Rgb(kEdge[f]));
        } else {
            for (int x = 0; x < left.width - span; ++x)
                for (int y : {0, 1, mid, left.height - 2, left.height - 1})
                    ASSERT_EQ(left.At(x, y), own.At(x, y)) << "the platform's border at " << x << "," << y;
        }
        EnableWindow(rtl, FALSE);
        const TWindowPixels off = ReadWindow(rtl);
        EXPECT_EQ(off.At(3, mid), Rgb(kRight[bfDisabled - 1])) << "the mirrored strip's frames run backwards";
        SendMessageW(ltr, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left.width - 5, mid));
        EXPECT_EQ(ReadWindow(ltr).At(left.width - span + 3, mid), Rgb(kLeft[bfPressed - 1])) << "a plain combo's press";
        SendMessageW(ltr, WM_LBUTTONUP, 0, MAKELPARAM(left.width - 5, mid));
        SendMessageW(ltr, CB_SHOWDROPDOWN, FALSE, 0);
        ReleaseCapture();
    }
}

TEST_F(EditsAndCombos, ACallersDCComesBackAsItCameAndRepaintsLeaveNoGdiObjects)
{
    ui::TEdit* edit = nullptr;
    ui::TComboBox *editable = nullptr, *list = nullptr, *simple = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        edit = Add<ui::TEdit>(f, 10, 10, 140);
        editable = Add<ui::TComboBox>(f, 10, 40, 140);
        list = Add<ui::TComboBox>(f, 10, 70, 140);
        list->SetStyle(ui::TComboBoxStyle::csDropDownList);
        simple = Add<ui::TComboBox>(f, 160, 10, 100, 80);
        simple->SetStyle(ui::TComboBoxStyle::csSimple);
    }, 280, 140);
    HWND plainWindow = nullptr;
    TSkinComBox* combos[] = {SkinOf<TSkinComBox>(form, editable), SkinOf<TSkinComBox>(form, list),
                             PlainCombo(form, 0, 10, 100, plainWindow)};
    TSkinEdit* edits = SkinOf<TSkinEdit>(form, edit);
    TSkinComBox* noButton = SkinOf<TSkinComBox>(form, simple);
    ASSERT_TRUE(edits && noButton);

    ui::TBitmap target(140, 24);
    HDC dc = target.Canvas().Handle();
    const HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
    ui::TRegionHandle clip(CreateRectRgn(0, 0, 0, 0));
    for (TSkinComBox* object : combos) {
        ASSERT_NE(object, nullptr);
        object->LastFrame = 0;
        object->RedrawSkin(dc);
        EXPECT_NE(object->LastFrame, 0) << "drew into the caller's DC";
        EXPECT_EQ(GetClipRgn(dc, clip.Get()), 0) << "no clip region left behind";
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), selected);
    }
    SendMessageW(plainWindow, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(list->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(GetClipRgn(dc, clip.Get()), 0);
    noButton->RedrawSkin(dc);
    ReadWindow(simple->Handle());
    EXPECT_EQ(noButton->LastFrame, 0) << "a combo without a drop button is left to the platform";

    const auto repaint = [&](int times) {
        for (int i = 0; i < times; ++i) {
            edits->RedrawSkin(nullptr);
            for (TSkinComBox* object : combos)
                object->RedrawSkin(nullptr);
            if (i % 50 == 0)
                RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        Settle();
    };
    repaint(100);   // the controls make what they keep (colour brushes, fonts)
    const unsigned before = GdiProbe();
    repaint(1000);
    // Wine's cache of window DCs (GDI objects too) moves by a few; a leak would show by hundreds.
    const unsigned after = GdiProbe();
    EXPECT_LE(after, before + 6) << "before " << before << ", after " << after;
}

TEST_F(EditsAndCombos, ScreenshotOfEditsAndCombosInSeveralStates)
{
    ui::TComboBox *focused = nullptr, *pressed = nullptr;
    ui::TForm* form = ShowFormWith([&](ui::TForm& f) {
        const wchar_t* edits[] = {L"Edit", L"Read-only edit", L"Disabled edit", L"Borderless edit"};
        const char* combos[] = {"Normal", "Focused", "Disabled", "Pressed list"};
        std::array<ui::TComboBox*, 4> c{};
        std::array<ui::TEdit*, 4> e{};
        for (int i = 0; i < 4; ++i) {
            e[i] = Add<ui::TEdit>(f, 10, 10 + 30 * i, 150);
            e[i]->SetText(edits[i]);
            c[i] = Add<ui::TComboBox>(f, 180, 10 + 30 * i, 150);
            c[i]->Items().Add(combos[i]);
            c[i]->SetItemIndex(0);
        }
        e[1]->SetReadOnly(true);
        e[2]->SetEnabled(false);
        e[3]->SetBorderStyle(ui::TBorderStyle::bsNone);
        c[2]->SetEnabled(false);
        c[3]->SetStyle(ui::TComboBoxStyle::csDropDownList);
        focused = c[1];
        pressed = c[3];
    }, 360, 170);
    HWND rtl = nullptr;
    PlainCombo(form, WS_EX_LEFTSCROLLBAR, 180, 130, rtl);
    focused->SetFocus();
    TSkinComBox* down = SkinOf<TSkinComBox>(form, pressed);
    down->SetMouseBit(msPressed, true);   // pressed without the list, so the picture shows the control
    ReadWindow(form->Handle());
    SaveScreenshot(form->Handle(), "edits-combos");
    EXPECT_EQ(down->LastFrame, bfPressed);
    down->SetMouseBit(msPressed, false);
}
