// Controls with real windows: class names, the replaceable message entry, properties by name,
// painting read back from the screen, keyboard handling like a dialog, and the application's
// last-resort exception handler.
#include "UiTesting.h"
#include "WindowTesting.h"

#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Gauges.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ui;
using namespace ui_testing;
using testing_support::AnswerWhenShown;
using testing_support::PumpUntil;
using testing_support::WindowText;

namespace {

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// A form laid out like the tool's window: a flat panel holding a titled panel, inputs and buttons.
class TKeyForm : public TForm {
    UI_CLASS(TKeyForm)
public:
    explicit TKeyForm(TComponent* owner) : TForm(owner)
    {
        SetClientWidth(300);
        SetClientHeight(200);
        SetPosition(TPosition::poScreenCenter);
        SetCaption(L"Keys");
        panel = Add<TPanel>("panel");
        panel->SetAlign(TAlign::alTop);
        panel->SetHeight(200);
        panel->SetCtl3D(false);
        panel->SetBevelOuter(TBevelCut::bvNone);
        btnOpen = Add<TBitBtn>("btnOpen", panel, 1);
        btnOpen->SetCaption(L"&Abrir");
        edtPath = Add<TEdit>("edtPath", panel, 2);
        edtPath->SetEnabled(false);
        cbx = Add<TComboBox>("cbx", panel, 3);
        for (const char* item : {"00", "01", "02"})
            cbx->Items().Add(item);
        edtOrder = Add<TEdit>("edtOrder", panel, 4);
        btnRun = Add<TButton>("btnRun", panel, 5);
        btnRun->SetCaption(L"Run");
        btnClear = Add<TBitBtn>("btnClear", panel, 6);
        btnClear->SetCaption(L"&Limpar");
        btnQuit = Add<TBitBtn>("btnQuit", panel, 8);
        btnQuit->SetCaption(L"&Sair");
        btnCancel = Add<TBitBtn>("btnCancel", panel, 7);
        btnCancel->SetCaption(L"&Cancelar");
        int y = 4;
        for (TControl* c : std::initializer_list<TControl*>{btnOpen, edtPath, cbx, edtOrder, btnRun, btnClear, btnQuit, btnCancel}) {
            c->SetBounds(8, y, 90, 21);
            y += 24;
        }
        for (TButton* b : {static_cast<TButton*>(btnOpen), btnRun, static_cast<TButton*>(btnClear),
                           static_cast<TButton*>(btnQuit), static_cast<TButton*>(btnCancel)})
            b->OnClick = [this](TObject* sender) { clicked.push_back(static_cast<TComponent*>(sender)->Name()); };
    }

    template <class C>
    C* Add(const char* name, TWinControl* parent = nullptr, int tabOrder = -1)
    {
        auto* c = new C(this);
        c->SetName(name);
        c->SetParent(parent ? parent : this);
        if (tabOrder >= 0)
            c->SetTabOrder(tabOrder);
        return c;
    }

    std::string FocusedName() const
    {
        TWinControl* c = FindOwningControl(GetFocus());
        return c ? c->Name() : std::string("(none)");
    }

    TPanel* panel;
    TBitBtn* btnOpen;
    TEdit* edtPath;
    TComboBox* cbx;
    TEdit* edtOrder;
    TButton* btnRun;
    TBitBtn* btnClear;
    TBitBtn* btnQuit;
    TBitBtn* btnCancel;
    std::vector<std::string> clicked;
};

const TClassInfo& TKeyForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TKeyForm, TForm>("TKeyForm").NotCreatable().Build();
    return info;
}

struct ShownForm {
    ShownForm() : form(std::make_unique<TKeyForm>(nullptr))
    {
        form->Show();
        Application.ProcessMessages();
    }
    std::unique_ptr<TKeyForm> form;
};

} // namespace

TEST(Controls, WindowsAreUnicodeAndRegisteredUnderTheFrameworkClassNames)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    EXPECT_EQ(ClassNameOf(f.Handle()), L"TKeyForm");
    EXPECT_EQ(ClassNameOf(f.panel->Handle()), L"TPanel");
    EXPECT_EQ(ClassNameOf(f.edtOrder->Handle()), L"TEdit");
    EXPECT_EQ(ClassNameOf(f.cbx->Handle()), L"TComboBox");
    EXPECT_EQ(ClassNameOf(f.btnRun->Handle()), L"TButton");
    EXPECT_EQ(ClassNameOf(f.btnOpen->Handle()), L"TBitBtn");
    EXPECT_TRUE(IsWindowUnicode(f.edtOrder->Handle()));
    EXPECT_NE(GetClassLongPtrW(f.Handle(), GCLP_HICON), 0u); // the program's icon, or the system's
    EXPECT_EQ(GetParent(f.edtOrder->Handle()), f.panel->Handle());
    EXPECT_EQ(FindControl(f.cbx->Handle()), f.cbx);
    // The superclassed windows behave as the system classes: the edit keeps text, the combo box
    // lists its items and empties its text for "no item".
    f.edtOrder->SetText(L"123 \u00e9");
    EXPECT_EQ(WindowText(f.edtOrder->Handle()), L"123 \u00e9");
    EXPECT_EQ(SendMessageW(f.cbx->Handle(), CB_GETCOUNT, 0, 0), 3);
    f.cbx->SetItemIndex(1);
    EXPECT_EQ(f.cbx->Text(), L"01");
    f.cbx->SetItemIndex(-1);
    EXPECT_EQ(f.cbx->Text(), L"");
    f.cbx->Items().Add("03");
    EXPECT_EQ(SendMessageW(f.cbx->Handle(), CB_GETCOUNT, 0, 0), 4);
    // The panel is aligned to the top across the client width; flat, its edits get a plain border.
    EXPECT_EQ(f.panel->Width(), f.ClientWidth());
    EXPECT_EQ(f.ClientWidth(), 300);
    EXPECT_FALSE(f.edtOrder->Ctl3D());
    EXPECT_FALSE(GetWindowLongW(f.edtOrder->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    TEdit* raised = f.Add<TEdit>("raised");
    EXPECT_TRUE(GetWindowLongW(raised->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(Screen.FormCount(), 1);
    EXPECT_EQ(Screen.Forms(0), &f);
    EXPECT_FALSE(Screen.MenuFont().Name().empty());
}

TEST(Controls, ReplacedWindowProcSeesEveryMessageAndChainsToTheSavedOne)
{
    ShownForm shown;
    TButton* button = shown.form->btnRun;
    int setText = 0, paints = 0, enabledChanged = 0;
    TWndMethod saved = button->WindowProc;
    button->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SETTEXT) ++setText;
        if (m.Msg == WM_PAINT) ++paints;
        if (m.Msg == CM_ENABLEDCHANGED) ++enabledChanged;
        saved(m);
    };
    button->SetCaption(L"Again");
    EXPECT_EQ(setText, 1);
    EXPECT_EQ(WindowText(button->Handle()), L"Again"); // the saved procedure did its work
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(paints, 1);
    button->SetEnabled(false);
    EXPECT_EQ(enabledChanged, 1);
    EXPECT_FALSE(IsWindowEnabled(button->Handle()));
    // Double buffering composes the paint off-screen: the replacement sees it once, with the
    // memory DC.
    button->SetDoubleBuffered(true);
    const int before = paints;
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(paints, before + 1);
    button->WindowProc = saved;
    button->SetCaption(L"Restored");
    EXPECT_EQ(setText, 1);
    EXPECT_EQ(WindowText(button->Handle()), L"Restored");
}

TEST(Controls, PublishedPropertiesAreReadAndWrittenByName)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    TBitBtn* bit = f.btnOpen;

    EXPECT_EQ(bit->ClassName(), "TBitBtn");
    EXPECT_TRUE(bit->InheritsFrom("TButton"));
    EXPECT_TRUE(bit->InheritsFrom("twincontrol"));
    EXPECT_FALSE(bit->InheritsFrom("TCustomEdit"));
    EXPECT_TRUE(f.cbx->InheritsFrom("TCustomComboBox"));
    EXPECT_TRUE(f.panel->InheritsFrom("TCustomPanel"));

    // Inherited tables: TBitBtn has its own, TButton's and TControl's properties.
    EXPECT_EQ(GetEnumProp(bit, "Layout"), "blGlyphLeft");
    EXPECT_EQ(GetOrdProp(bit, "NumGlyphs"), 1);
    SetOrdProp(bit, "NumGlyphs", 2);
    EXPECT_EQ(bit->NumGlyphs(), 2);
    EXPECT_EQ(GetWideStrProp(bit, "Caption"), L"&Abrir");
    EXPECT_EQ(GetStrProp(bit, "Caption"), "&Abrir");
    EXPECT_EQ(GetEnumProp(bit, "Default"), "False");
    EXPECT_EQ(GetOrdProp(bit, "Left"), bit->Left());
    EXPECT_EQ(GetObjectProp(bit, "Glyph", "TBitmap"), &bit->Glyph());
    EXPECT_EQ(GetObjectProp(bit, "Font", "TBitmap"), nullptr);
    EXPECT_EQ(GetObjectProp(bit, "Font")->ClassName(), "TFont");
    EXPECT_EQ(PropType(bit, "Caption"), tkWString);
    EXPECT_EQ(PropType(bit, "Layout"), tkEnumeration);

    SetEnumProp(f.panel, "BevelOuter", "bvLowered");
    EXPECT_EQ(f.panel->BevelOuter(), TBevelCut::bvLowered);
    SetWideStrProp(f.edtOrder, "Text", L"42");
    EXPECT_EQ(WindowText(f.edtOrder->Handle()), L"42");
    SetSetProp(&bit->Font(), "Style", "[fsBold,fsItalic]");
    EXPECT_EQ(bit->Font().Style(), unsigned(TFontStyle::Bold) | unsigned(TFontStyle::Italic));
    EXPECT_EQ(GetSetProp(&bit->Font(), "Style"), "[fsBold,fsItalic]");
    EXPECT_FALSE(bit->ParentFont());
    SetOrdProp(f.edtOrder, "Color", clWhite);
    EXPECT_EQ(f.edtOrder->Color(), clWhite);

    // A missing property is not there for the lookups, and an error for the accessors.
    EXPECT_FALSE(IsPublishedProp(f.panel, "Glyph"));
    EXPECT_EQ(GetPropInfo(f.edtOrder, "Transparent"), nullptr);
    EXPECT_EQ(GetPropInfo(nullptr, "Caption"), nullptr);
    EXPECT_THROW(GetOrdProp(f.panel, "NumGlyphs"), EPropertyError);
    EXPECT_THROW(SetEnumProp(bit, "Layout", "blSideways"), EPropertyError);
    EXPECT_THROW(SetSetProp(&bit->Font(), "Style", "[fsHuge]"), EPropertyError);
    EXPECT_EQ(bit->Layout(), TButtonLayout::blGlyphLeft);
}

TEST(Controls, GaugeShowsTruncatedPercentageAndClampsProgress)
{
    TGauge gauge(nullptr);
    EXPECT_EQ(gauge.PercentText(), L"0%");
    gauge.SetMaxValue(3);
    gauge.SetProgress(1);
    EXPECT_EQ(gauge.PercentText(), L"33%");
    gauge.SetProgress(2);
    EXPECT_EQ(gauge.PercentDone(), 66);
    gauge.SetProgress(10);
    EXPECT_EQ(gauge.Progress(), 3);
    EXPECT_EQ(gauge.PercentText(), L"100%");
    gauge.SetProgress(-4);
    EXPECT_EQ(gauge.Progress(), 0);
    gauge.SetMaxValue(0);
    EXPECT_EQ(gauge.PercentDone(), 0); // max = min
    gauge.SetMaxValue(200);
    gauge.SetProgress(150);
    gauge.SetMaxValue(100);
    EXPECT_EQ(gauge.Progress(), 100); // a lower maximum pulls the progress in
}

TEST(Controls, GaugePaintsABlackBarOnWhiteWithASingleBorderAndCentredText)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    f.panel->SetVisible(false);
    auto* gauge = new TGauge(&f);
    gauge->SetParent(&f);
    gauge->SetBounds(10, 10, 200, 21);
    gauge->SetProgress(25);
    HWND w = f.Handle();
    EXPECT_EQ(ScreenPixel(w, 10, 20), RGB(0, 0, 0));         // border
    EXPECT_EQ(ScreenPixel(w, 209, 20), RGB(0, 0, 0));        // border
    EXPECT_EQ(ScreenPixel(w, 15, 14), RGB(0, 0, 0));         // bar, 25 % of the inside
    EXPECT_EQ(ScreenPixel(w, 55, 14), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(w, 65, 14), RGB(255, 255, 255));   // beyond the bar
    EXPECT_EQ(ScreenPixel(w, 200, 14), RGB(255, 255, 255));
    // The text "25%" sits in the middle: dark pixels appear there on the white part.
    EXPECT_GT(CountPixels(w, Rect(95, 13, 125, 28), RGB(0, 0, 0)), 10);
    gauge->SetProgress(100);
    EXPECT_EQ(ScreenPixel(w, 200, 14), RGB(0, 0, 0));
    // Over the bar the text shows white.
    EXPECT_GT(CountPixels(w, Rect(95, 13, 125, 28), RGB(255, 255, 255)), 10);
}

// A long run advances the gauge once per row; only a step that changes the percentage may cost a
// repaint.
TEST(Controls, GaugeRepaintsOnlyWhenThePercentageChanges)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    f.panel->SetVisible(false);
    auto* gauge = new TGauge(&f);
    gauge->SetParent(&f);
    gauge->SetBounds(10, 10, 200, 21);
    gauge->SetMaxValue(1000);
    HWND w = f.Handle();
    UpdateWindow(w);
    RECT dirty{};
    gauge->SetProgress(9); // still 0 %
    EXPECT_FALSE(GetUpdateRect(w, &dirty, FALSE));
    gauge->SetProgress(10); // 1 %
    EXPECT_TRUE(GetUpdateRect(w, &dirty, FALSE));
    UpdateWindow(w);
    EXPECT_EQ(gauge->PercentText(), L"1%");
}

TEST(Controls, ImageStretchesItsPngOverTheParentBackground)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    f.panel->SetVisible(false);
    f.SetColor(clWhite);
    // 4 x 2 pixels: left half opaque red, right half fully transparent.
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool left = x < 2;
            rgba.insert(rgba.end(), {static_cast<std::uint8_t>(left ? 255 : 0), 0, 0, static_cast<std::uint8_t>(left ? 255 : 0)});
        }
    const std::vector<std::uint8_t> png = EncodePng(4, 2, rgba);
    ASSERT_FALSE(png.empty());
    auto* image = new TImage(&f);
    image->SetParent(&f);
    image->SetBounds(20, 20, 80, 40);
    image->SetStretch(true);
    ASSERT_TRUE(image->Picture().LoadFromPngBytes(png.data(), png.size()));
    EXPECT_EQ(image->Picture().Width(), 4);
    HWND w = f.Handle();
    EXPECT_EQ(ScreenPixel(w, 30, 40), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(w, 90, 40), RGB(255, 255, 255));
    EXPECT_EQ(ScreenPixel(w, 110, 40), RGB(255, 255, 255)); // outside the image
    // Damaged PNG data is refused, leaving the picture as it was.
    std::vector<std::uint8_t> damaged(png.begin(), png.begin() + png.size() / 2);
    EXPECT_FALSE(image->Picture().LoadFromPngBytes(damaged.data(), damaged.size()));
    EXPECT_EQ(image->Picture().Width(), 4);
}

TEST(Controls, BitmapButtonShowsItsGlyphAndTheSecondImageWhenDisabled)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    TBitBtn* b = f.btnOpen;
    b->SetBounds(8, 4, 90, 30);
    b->SetCaption(L"");
    // Two 16 x 16 images: red and blue squares on a fuchsia key colour.
    const auto bmp = MakeBmp(32, 16, [](int x, int y) -> COLORREF {
        const int cx = x % 16;
        if (cx < 4 || cx >= 12 || y < 4 || y >= 12)
            return RGB(255, 0, 255);
        return x < 16 ? RGB(255, 0, 0) : RGB(0, 0, 255);
    });
    ASSERT_TRUE(b->Glyph().LoadFromBmpBytes(bmp.data(), bmp.size()));
    b->SetNumGlyphs(2);
    b->Invalidate();
    HWND w = b->Handle();
    // Centred: the glyph's middle is the button's middle.
    EXPECT_EQ(ScreenPixel(w, 45, 15), RGB(255, 0, 0));
    EXPECT_NE(ScreenPixel(w, 45 - 6, 15), RGB(255, 0, 255)); // the key colour is not drawn
    b->SetEnabled(false);
    EXPECT_EQ(ScreenPixel(w, 45, 15), RGB(0, 0, 255));
    // With one image, the disabled glyph is the first one greyed.
    b->SetNumGlyphs(1);
    b->Glyph().SetSize(16, 16);
    const COLORREF grey = ScreenPixel(w, 45, 15);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
}

TEST(Controls, TabAndShiftTabFollowTheTabOrderAndSkipDisabledControls)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    ASSERT_TRUE(PumpUntil([&] { return f.FocusedName() != "(none)"; }));
    EXPECT_EQ(f.FocusedName(), "btnOpen");
    std::vector<std::string> order;
    for (int i = 0; i < 8; ++i) {
        PressKey(GetFocus(), VK_TAB);
        order.push_back(f.FocusedName());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"cbx", "edtOrder", "btnRun", "btnClear", "btnCancel", "btnQuit", "btnOpen", "cbx"}));
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PressKey(GetFocus(), VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(f.FocusedName(), "btnOpen");
    // A control in a hidden panel cannot take the focus; SetFocus then does nothing.
    f.btnRun->SetFocus();
    EXPECT_EQ(f.FocusedName(), "btnRun");
    f.panel->SetVisible(false);
    EXPECT_FALSE(f.edtOrder->CanFocus());
    f.edtOrder->SetFocus();
    EXPECT_NE(f.FocusedName(), "edtOrder");
}

TEST(Controls, AShownFormFocusesItsFirstTabStopEvenWhenItIsTheFirstControl)
{
    // The first control in tab order takes the focus itself, with nothing before it to skip; the
    // controls are made in another order than their tab order, so only the tab order can decide.
    struct Layout {
        const char* what;
        bool inPanel;  // the two controls inside a panel that comes first, or straight on the form
    };
    for (const Layout& layout : {Layout{"on the form", false}, Layout{"in a panel", true}}) {
        SCOPED_TRACE(layout.what);
        TForm form(nullptr);
        form.SetClientWidth(240);
        form.SetClientHeight(120);
        form.SetPosition(TPosition::poScreenCenter);
        TWinControl* parent = &form;
        if (layout.inPanel) {
            auto* panel = new TPanel(&form);
            panel->SetParent(&form);
            panel->SetAlign(TAlign::alClient);
            parent = panel;
        }
        auto* button = new TButton(&form);
        button->SetName("second");
        button->SetParent(parent);
        button->SetCaption(L"Second");
        button->SetBounds(8, 40, 90, 25);
        button->SetTabOrder(1);
        auto* edit = new TEdit(&form);
        edit->SetName("first");
        edit->SetParent(parent);
        edit->SetBounds(8, 8, 90, 21);
        edit->SetTabOrder(0);
        form.Show();
        ASSERT_TRUE(PumpUntil([&] { return GetFocus() && GetAncestor(GetFocus(), GA_ROOT) == form.Handle(); }));
        Application.ProcessMessages();
        EXPECT_EQ(GetFocus(), edit->Handle());
        EXPECT_EQ(form.ActiveControl(), edit);
        PressKey(GetFocus(), VK_TAB);
        EXPECT_EQ(GetFocus(), button->Handle());
        EXPECT_EQ(form.ActiveControl(), button);
        PressKey(GetFocus(), VK_TAB);  // and round to the first again
        EXPECT_EQ(GetFocus(), edit->Handle());
    }

    // A button first on the form, then a panel holding an edit: Tab enters the panel.
    TForm form(nullptr);
    form.SetClientWidth(240);
    form.SetClientHeight(120);
    form.SetPosition(TPosition::poScreenCenter);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 40, 240, 80);
    panel->SetTabOrder(1);
    auto* inner = new TEdit(&form);
    inner->SetParent(panel);
    inner->SetBounds(8, 8, 90, 21);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetCaption(L"First");
    button->SetBounds(8, 8, 90, 25);
    button->SetTabOrder(0);
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() && GetAncestor(GetFocus(), GA_ROOT) == form.Handle(); }));
    Application.ProcessMessages();
    EXPECT_EQ(GetFocus(), button->Handle());
    EXPECT_EQ(form.ActiveControl(), button);
    PressKey(GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), inner->Handle());
    EXPECT_EQ(form.ActiveControl(), inner);
}

TEST(Controls, EnterSpaceAndMnemonicsPressButtons)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    f.btnRun->SetFocus();
    PressKey(f.btnRun->Handle(), VK_RETURN);
    EXPECT_EQ(f.clicked, (std::vector<std::string>{"btnRun"}));
    f.btnClear->SetFocus();
    PressKey(f.btnClear->Handle(), VK_SPACE);
    EXPECT_EQ(f.clicked.back(), "btnClear");
    f.clicked.clear();
    f.edtOrder->SetFocus();
    PressAltChar(f.edtOrder->Handle(), L's');
    PressAltChar(f.edtOrder->Handle(), L'C');
    EXPECT_EQ(f.clicked, (std::vector<std::string>{"btnQuit", "btnCancel"}));
    // A disabled button keeps its mnemonic to itself.
    f.clicked.clear();
    f.btnQuit->SetEnabled(false);
    PressAltChar(f.edtOrder->Handle(), L's');
    EXPECT_TRUE(f.clicked.empty());
    // Without Alt the letter is typed into the edit, not taken as a mnemonic.
    f.edtOrder->SetText(L"");
    PostMessageW(f.edtOrder->Handle(), WM_CHAR, L'c', 1);
    Application.ProcessMessages();
    EXPECT_EQ(f.edtOrder->Text(), L"c");
    EXPECT_TRUE(f.clicked.empty());
}

TEST(Controls, EnterInAnEditReachesItsKeyHandlersAndTheFormSeesKeysOnlyWithoutAFocusedControl)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    std::vector<std::string> events;
    f.OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) {
        events.push_back("form:" + std::to_string(key));
        if (key == VK_RETURN)
            PostMessageW(f.Handle(), WM_NEXTDLGCTL, 0, 0);
    };
    f.edtOrder->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) { events.push_back("down:" + std::to_string(key)); };
    f.edtOrder->OnKeyPress = [&](TObject*, wchar_t& key) {
        events.push_back("press:" + std::to_string(static_cast<int>(key)));
        if (key == L'x')
            key = L'y'; // modified
        if (key == L'z')
            key = 0;    // swallowed
    };
    f.edtOrder->SetFocus();
    PressKey(f.edtOrder->Handle(), VK_RETURN);
    EXPECT_EQ(events, (std::vector<std::string>{"down:13", "press:13"}));
    EXPECT_EQ(f.FocusedName(), "edtOrder");
    f.edtOrder->SetText(L"");
    PostMessageW(f.edtOrder->Handle(), WM_CHAR, L'x', 1);
    PostMessageW(f.edtOrder->Handle(), WM_CHAR, L'z', 1);
    Application.ProcessMessages();
    EXPECT_EQ(f.edtOrder->Text(), L"y");

    // Keys typed in the editable combo box's inner edit reach the combo box's handlers.
    std::vector<int> comboKeys;
    f.cbx->OnKeyPress = [&](TObject* sender, wchar_t& key) {
        EXPECT_EQ(sender, f.cbx);
        comboKeys.push_back(key);
    };
    f.cbx->SetFocus();
    ASSERT_NE(f.cbx->EditHandle(), nullptr);
    EXPECT_EQ(GetFocus(), f.cbx->EditHandle());
    EXPECT_TRUE(f.cbx->Focused());
    PressKey(GetFocus(), VK_RETURN);
    EXPECT_EQ(comboKeys, (std::vector<int>{13}));

    // Disabling the focused control leaves the focus to the form: now the form hears Enter, and
    // moves on to the next tab stop with WM_NEXTDLGCTL.
    events.clear();
    f.edtOrder->SetFocus();
    f.edtOrder->SetEnabled(false);
    EXPECT_EQ(GetFocus(), f.Handle());
    PressKey(GetFocus(), VK_RETURN);
    Application.ProcessMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"form:13"}));
    EXPECT_EQ(f.FocusedName(), "btnOpen");
}

TEST(Controls, ExitFiresWhenTheFocusLeavesAControlOfTheForm)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    std::vector<std::string> events;
    f.cbx->OnExit = [&](TObject*) { events.push_back("cbx exit"); };
    f.cbx->OnEnter = [&](TObject*) { events.push_back("cbx enter"); };
    f.cbx->SetFocus();
    f.cbx->SetFocus(); // focusing again is no move
    EXPECT_EQ(events, (std::vector<std::string>{"cbx enter"}));
    PressKey(GetFocus(), VK_TAB);
    EXPECT_EQ(events, (std::vector<std::string>{"cbx enter", "cbx exit"}));
    EXPECT_EQ(f.FocusedName(), "edtOrder");
}

TEST(Controls, ApplicationHandlerSwallowsTheSilentStopAndShowsOtherErrors)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    bool ran = false;
    f.btnRun->OnClick = [&](TObject*) {
        ran = true;
        Abort();
    };
    const bool boxForAbort = AnswerWhenShown(L"#32770", [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); },
                                             [&] {
                                                 SendMessageW(f.btnRun->Handle(), BM_CLICK, 0, 0);
                                                 Application.ProcessMessages();
                                             });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(boxForAbort);

    f.btnRun->OnClick = [](TObject*) { throw Exception("Falha ao gravar"); };
    std::wstring shownText;
    const bool boxForError = AnswerWhenShown(L"#32770", [&](HWND box) {
        for (HWND child : ChildWindows(box, L"Static"))
            shownText += WindowText(child);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }, [&] { SendMessageW(f.btnRun->Handle(), BM_CLICK, 0, 0); });
    EXPECT_TRUE(boxForError);
    EXPECT_NE(shownText.find(L"Falha ao gravar."), std::wstring::npos);
    // The window still works afterwards.
    EXPECT_TRUE(IsWindow(f.btnRun->Handle()));
}

TEST(Controls, TimerFiresOnTheMessageLoopWhileEnabled)
{
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetInterval(10);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    Application.ProcessMessages();
    const int stopped = ticks;
    Sleep(50);
    Application.ProcessMessages();
    EXPECT_EQ(ticks, stopped);
}

TEST(Controls, OwnershipFreesOwnedComponentsAndControlsLeaveTheirParent)
{
    auto form = std::make_unique<TForm>(nullptr);
    auto* panel = new TPanel(form.get());
    panel->SetName("panel");
    panel->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetName("edit");
    edit->SetParent(panel);
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->FindComponent("EDIT"), edit);
    EXPECT_THROW(edit->SetName("panel"), EComponentError);
    EXPECT_THROW(edit->SetName("1bad"), EComponentError);
    edit->SetTag(199);
    EXPECT_EQ(GetOrdProp(edit, "Tag"), 199);
    delete panel; // its child control goes with it, and both leave the owner
    EXPECT_EQ(form->ComponentCount(), 0);
    auto* timer = new TTimer(form.get());
    timer->SetName("timer");
    EXPECT_EQ(form->ComponentCount(), 1);
}

TEST(Controls, DestroyingTheFocusedControlLeavesNoDanglingFocus)
{
    ShownForm shown;
    TKeyForm& f = *shown.form;
    int exits = 0;
    f.edtOrder->OnExit = [&](TObject*) { ++exits; };
    f.edtOrder->SetFocus();
    EXPECT_EQ(f.ActiveControl(), f.edtOrder);
    delete f.edtOrder;
    f.edtOrder = nullptr;
    // Whatever has the focus now, it is not the destroyed edit.
    EXPECT_EQ(f.FindComponent("edtOrder"), nullptr);
    for (TWinControl* c : {f.ActiveControl(), FindOwningControl(GetFocus())})
        EXPECT_TRUE(c == nullptr || f.FindComponent(c->Name()) == c || c == &f);
    PressKey(GetFocus() ? GetFocus() : f.Handle(), VK_TAB);
    f.btnRun->SetFocus();
    EXPECT_EQ(f.FocusedName(), "btnRun");
    EXPECT_EQ(exits, 0);
}

TEST(Controls, AlignedChildrenFillTheClientAreaInsideThePanelsBevelsAndFollowResizing)
{
    TForm form(nullptr);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetAlign(TAlign::alClient);
    panel->SetBevelOuter(TBevelCut::bvRaised);
    panel->SetBorderWidth(2);
    auto add = [&](TAlign align, int size) {
        auto* c = new TPanel(&form);
        c->SetParent(panel);
        c->SetBounds(0, 0, size, size);
        c->SetAlign(align);
        return c;
    };
    TPanel* top = add(TAlign::alTop, 20);
    TPanel* bottom = add(TAlign::alBottom, 30);
    TPanel* left = add(TAlign::alLeft, 40);
    TPanel* client = add(TAlign::alClient, 5);
    form.Show();
    Application.ProcessMessages();
    auto bounds = [](TControl* c) { return std::vector<int>{c->Left(), c->Top(), c->Width(), c->Height()}; };
    EXPECT_EQ(bounds(panel), (std::vector<int>{0, 0, 300, 200}));
    EXPECT_EQ(bounds(top), (std::vector<int>{3, 3, 294, 20}));
    EXPECT_EQ(bounds(bottom), (std::vector<int>{3, 167, 294, 30}));
    EXPECT_EQ(bounds(left), (std::vector<int>{3, 23, 40, 144}));
    EXPECT_EQ(bounds(client), (std::vector<int>{43, 23, 254, 144}));
    form.SetClientWidth(400);
    Application.ProcessMessages();
    EXPECT_EQ(panel->Width(), 400);
    EXPECT_EQ(bounds(client), (std::vector<int>{43, 23, 354, 144}));
    // The windows are where the controls say.
    RECT r;
    GetWindowRect(client->Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, panel->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 43);
    EXPECT_EQ(r.right - r.left, 354);
}

TEST(Controls, FontAndColourFollowTheParentUntilTheControlSetsItsOwn)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* plain = new TLabel(&form);
    plain->SetParent(panel);
    auto* bold = new TLabel(&form);
    bold->SetParent(panel);
    bold->Font().SetStyle(unsigned(TFontStyle::Bold));
    EXPECT_TRUE(plain->ParentFont());
    EXPECT_FALSE(bold->ParentFont());
    form.Font().SetName(L"Tahoma");
    form.Font().SetHeight(13);
    EXPECT_EQ(panel->Font().Name(), L"Tahoma");
    EXPECT_EQ(plain->Font().Height(), 13);
    EXPECT_EQ(bold->Font().Name(), L"MS Sans Serif");
    panel->SetColor(clWhite);
    EXPECT_EQ(plain->Color(), clWhite);
    plain->SetColor(clBlack);
    panel->SetColor(clBtnFace);
    EXPECT_EQ(plain->Color(), clBlack);
    EXPECT_EQ(bold->Color(), clBtnFace);
    // An edit keeps its own window colour.
    auto* edit = new TEdit(&form);
    edit->SetParent(panel);
    EXPECT_EQ(edit->Color(), clWindow);
}

namespace {
class TModalProbeForm : public TForm {
    UI_CLASS(TModalProbeForm)
public:
    explicit TModalProbeForm(TComponent* owner) : TForm(owner)
    {
        SetBounds(50, 50, 200, 120);
        ok = new TButton(this);
        ok->SetParent(this);
        ok->SetCaption(L"OK");
        ok->SetModalResult(mrOk);
    }
    TButton* ok;
};

const TClassInfo& TModalProbeForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TModalProbeForm, TForm>("TModalProbeForm").NotCreatable().Build();
    return info;
}
} // namespace

TEST(Controls, ShowModalEndsWithTheButtonsResultOrCancelAndReenablesTheOwner)
{
    ShownForm shown;
    HWND owner = shown.form->Handle();
    TModalProbeForm dialog(nullptr);
    bool ownerDisabled = false;
    int result = -1;
    EXPECT_TRUE(AnswerWhenShown(L"TModalProbeForm", [&](HWND window) {
        ownerDisabled = !IsWindowEnabled(owner);
        EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
        PostMessageW(dialog.ok->Handle(), BM_CLICK, 0, 0);
    }, [&] { result = dialog.ShowModal(); }));
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_TRUE(AnswerWhenShown(L"TModalProbeForm", [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); },
                                [&] { result = dialog.ShowModal(); }));
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST(Controls, StoredPicturesAreCheckedBeforeUse)
{
    TBitmap bitmap;
    const auto bmp = MakeBmp(3, 2, [](int, int) -> COLORREF { return RGB(1, 2, 3); });
    auto block = [](std::uint32_t length, const std::vector<std::uint8_t>& body) {
        std::vector<std::uint8_t> data;
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
        data.insert(data.end(), body.begin(), body.end());
        return TMemoryStream(data);
    };
    TMemoryStream good = block(static_cast<std::uint32_t>(bmp.size()), bmp);
    EXPECT_TRUE(bitmap.ReadBinaryProperty("Data", good));
    EXPECT_EQ(bitmap.Width(), 3);
    TMemoryStream tooLong = block(static_cast<std::uint32_t>(bmp.size() + 100), bmp);
    EXPECT_THROW(bitmap.ReadBinaryProperty("Data", tooLong), Exception);
    TMemoryStream notBmp = block(8, std::vector<std::uint8_t>(8, 0x41));
    EXPECT_THROW(bitmap.ReadBinaryProperty("Data", notBmp), Exception);
    TMemoryStream other = block(0, {});
    EXPECT_FALSE(bitmap.ReadBinaryProperty("Pixels", other));

    TPicture picture;
    std::vector<std::uint8_t> named{7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
    TMemoryStream bmpBlock = block(static_cast<std::uint32_t>(bmp.size()), bmp);
    named.insert(named.end(), bmpBlock.Bytes().begin(), bmpBlock.Bytes().end());
    TMemoryStream namedStream(named);
    EXPECT_TRUE(picture.ReadBinaryProperty("Data", namedStream));
    EXPECT_EQ(picture.Width(), 3);
    std::vector<std::uint8_t> jpeg{10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e', 0xFF, 0xD8};
    TMemoryStream jpegStream(jpeg);
    EXPECT_THROW(picture.ReadBinaryProperty("Data", jpegStream), Exception);
    std::vector<std::uint8_t> truncatedName{40, 'T', 'B'};
    TMemoryStream truncatedStream(truncatedName);
    EXPECT_THROW(picture.ReadBinaryProperty("Data", truncatedStream), Exception);
}

TEST(Controls, ClassTablesInheritAndTheRegistryFindsClassesInAnyCase)
{
    RegisterStandardClasses();
    ASSERT_NE(FindClass("tbitbtn"), nullptr);
    EXPECT_EQ(FindClass("TBITBTN")->Name, "TBitBtn");
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
    const auto all = TBitBtn::StaticClassInfo().AllProperties();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front()->Name, "Name"); // the root class's first
    auto index = [&](const std::string& name) {
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i]->Name == name)
                return static_cast<int>(i);
        return -1;
    };
    EXPECT_LT(index("Left"), index("TabOrder"));
    EXPECT_LT(index("TabOrder"), index("Caption"));
    EXPECT_LT(index("Caption"), index("Glyph"));
    // A handler of the wrong kind is refused.
    TKeyForm form(nullptr);
    EXPECT_THROW(SetMethodProp(form.btnRun, "OnClick", &form, "NoSuchHandler"), EPropertyError);
    // String lists tell their owner once per batch.
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.BeginUpdate();
    list.Add("a");
    list.Add("b");
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    list.Delete(0);
    EXPECT_EQ(changes, 2);
}

TEST(Fonts, AssigningAnEqualFaceKeepsItsHandleAndTakesTheColour)
{
    TFont source;
    source.SetName(L"Tahoma");
    source.SetHeight(13);
    source.SetColor(TColor(0x0000FF));
    TFont font;
    font.Assign(source);
    const HFONT first = font.Handle();
    ASSERT_NE(first, nullptr);
    source.SetColor(TColor(0xFF0000));
    font.Assign(source);
    EXPECT_EQ(font.Handle(), first) << "the same face is not made again";
    EXPECT_EQ(font.Color(), TColor(0xFF0000));
    source.SetStyle(static_cast<TFontStyles>(TFontStyle::Bold));
    font.Assign(source);
    EXPECT_EQ(font.Style(), source.Style());
    LOGFONTW log{};
    GetObjectW(font.Handle(), sizeof(log), &log);
    EXPECT_EQ(log.lfWeight, FW_BOLD) << "another face gets a handle of its own";
}
