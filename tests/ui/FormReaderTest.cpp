// The form-description reader on good and damaged descriptions: components made by class name,
// nested and parented, properties of every kind, handlers and fields wired by name, binary
// properties offered while reading, Loaded afterwards; damage raises, never crashes, leaks nothing.
#include "UiTesting.h"
#include "WindowTesting.h"

#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/Gauges.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ui;
using namespace ui_testing;

namespace {

// Records the order of events, counts live instances, and reads a binary property of its own.
std::vector<std::string> g_events;
int g_liveProbes = 0;

class TProbe : public TComponent {
    UI_CLASS(TProbe)
public:
    explicit TProbe(TComponent* owner) : TComponent(owner) { ++g_liveProbes; }
    ~TProbe() override { --g_liveProbes; }
    bool ReadBinaryProperty(const std::string& name, TMemoryStream& stream) override
    {
        if (name != "Payload")
            return false;
        g_events.push_back(Name() + ".Payload" + (IsLoading() ? " while loading" : ""));
        payload.assign(stream.Memory(), stream.Memory() + stream.Size());
        return true;
    }
    void Loaded() override
    {
        TComponent::Loaded();
        g_events.push_back(Name() + ".Loaded");
    }
    int Level() const { return level_; }
    void SetLevel(int value) { level_ = value; }
    std::vector<std::uint8_t> payload;

private:
    int level_ = 0;
};

const TClassInfo& TProbe::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TProbe, TComponent>("TProbe").Int("Level", &TProbe::Level, &TProbe::SetLevel).Build();
    return info;
}

class TSampleForm : public TForm {
    UI_CLASS(TSampleForm)
public:
    explicit TSampleForm(TComponent* owner) : TForm(owner) {}
    TPanel* Panel2 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* lblTitulo = nullptr;
    TEdit* edtCodPedido = nullptr;
    TComboBox* cbxFilial = nullptr;
    TBitBtn* btnSair = nullptr;
    TGauge* barra = nullptr;
    TProbe* probe = nullptr;
    TOpenDialog* dlg = nullptr;
    std::vector<std::string> calls;
    void btnSairClick(TObject*) { calls.push_back("btnSairClick"); }
    void FormKeyDown(TObject*, std::uint16_t&, TShiftState) { calls.push_back("FormKeyDown"); }
    void cbxFilialKeyPress(TObject*, wchar_t&) { calls.push_back("cbxFilialKeyPress"); }
    void cbxFilialExit(TObject*) { calls.push_back("cbxFilialExit"); }
};

const TClassInfo& TSampleForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TSampleForm, TForm>("TSampleForm")
        .NotCreatable()
        .Field("Panel2", &TSampleForm::Panel2)
        .Field("Panel1", &TSampleForm::Panel1)
        .Field("lblTitulo", &TSampleForm::lblTitulo)
        .Field("edtCodPedido", &TSampleForm::edtCodPedido)
        .Field("cbxFilial", &TSampleForm::cbxFilial)
        .Field("btnSair", &TSampleForm::btnSair)
        .Field("barra", &TSampleForm::barra)
        .Field("probe", &TSampleForm::probe)
        .Field("dlg", &TSampleForm::dlg)
        .Handler("btnSairClick", &TSampleForm::btnSairClick)
        .Handler("FormKeyDown", &TSampleForm::FormKeyDown)
        .Handler("cbxFilialKeyPress", &TSampleForm::cbxFilialKeyPress)
        .Handler("cbxFilialExit", &TSampleForm::cbxFilialExit)
        .Build();
    return info;
}

std::string GlyphHex()
{
    const auto bmp = MakeBmp(32, 16, [](int x, int) -> COLORREF { return x < 16 ? RGB(255, 0, 0) : RGB(0, 0, 255); });
    std::vector<std::uint8_t> data;
    const std::uint32_t size = static_cast<std::uint32_t>(bmp.size());
    for (int i = 0; i < 4; ++i)
        data.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
    for (std::uint8_t b : bmp)
        data.push_back(b);
    return Hex(data);
}

std::string PictureHex()
{
    std::vector<std::uint8_t> rgba(3 * 2 * 4, 255);
    const auto png = EncodePng(3, 2, rgba);
    std::vector<std::uint8_t> data{9};
    for (char c : std::string("TPngImage"))
        data.push_back(static_cast<std::uint8_t>(c));
    data.insert(data.end(), png.begin(), png.end());
    return Hex(data);
}

std::string SampleText()
{
    return "object SampleForm: TSampleForm\n"
           "  Left = 10\n"
           "  Top = 20\n"
           "  BorderStyle = bsSingle\n"
           "  BorderIcons = [biSystemMenu, biMinimize, biMaximize]\n"
           "  Caption = 'Rotina de reprocesso de sequencia da Pr'#233'-Venda' +\n"
           "    ' - v26.11da0'\n"
           "  ClientHeight = 292\n"
           "  ClientWidth = 474\n"
           "  Color = clBtnFace\n"
           "  Font.Charset = DEFAULT_CHARSET\n"
           "  Font.Color = clWindowText\n"
           "  Font.Height = -11\n"
           "  Font.Name = 'MS Sans Serif'\n"
           "  Font.Style = []\n"
           "  KeyPreview = False\n"
           "  OldCreateOrder = False\n"
           "  Position = poScreenCenter\n"
           "  ActiveControl = btnSair\n"
           "  OnKeyDown = FormKeyDown\n"
           "  PixelsPerInch = 96\n"
           "  TextHeight = 13\n"
           "  object Panel2: TPanel\n"
           "    Left = 0\n"
           "    Top = 0\n"
           "    Width = 474\n"
           "    Height = 329\n"
           "    Align = alTop\n"
           "    BevelOuter = bvNone\n"
           "    Color = clBtnHighlight\n"
           "    Ctl3D = False\n"
           "    ParentCtl3D = False\n"
           "    TabOrder = 0\n"
           "    object Panel1: TPanel\n"
           "      Left = 0\n"
           "      Top = 0\n"
           "      Width = 474\n"
           "      Height = 76\n"
           "      Align = alTop\n"
           "      Color = clBtnHighlight\n"
           "      TabOrder = 0\n"
           "      object lblTitulo: TLabel\n"
           "        Left = 200\n"
           "        Top = 23\n"
           "        Width = 250\n"
           "        Height = 16\n"
           "        Alignment = taCenter\n"
           "        AutoSize = False\n"
           "        Caption = 'Reprocessar sequ'#234'ncia de pedidos'\n"
           "        Font.Height = -13\n"
           "        Font.Style = [fsBold]\n"
           "        ParentFont = False\n"
           "      end\n"
           "      object imgZemlo: TImage\n"
           "        Left = 5\n"
           "        Top = 3\n"
           "        Width = 179\n"
           "        Height = 68\n"
           "        Stretch = True\n"
           "        Picture.Data = {" + PictureHex() + "}\n"
           "      end\n"
           "    end\n"
           "    object edtCodPedido: TEdit\n"
           "      Left = 76\n"
           "      Top = 144\n"
           "      Width = 121\n"
           "      Height = 19\n"
           "      TabOrder = 4\n"
           "    end\n"
           "    object cbxFilial: TComboBox\n"
           "      Left = 5\n"
           "      Top = 143\n"
           "      Width = 38\n"
           "      Height = 21\n"
           "      ItemHeight = 13\n"
           "      TabOrder = 3\n"
           "      OnExit = cbxFilialExit\n"
           "      OnKeyPress = cbxFilialKeyPress\n"
           "      Items.Strings = (\n"
           "        '00'\n"
           "        '01'\n"
           "        'It''s')\n"
           "    end\n"
           "    object btnSair: TBitBtn\n"
           "      Left = 390\n"
           "      Top = 140\n"
           "      Width = 76\n"
           "      Height = 25\n"
           "      Caption = '&Sair'\n"
           "      TabOrder = 7\n"
           "      OnClick = btnSairClick\n"
           "      Glyph.Data = {" + GlyphHex() + "}\n"
           "      NumGlyphs = 2\n"
           "    end\n"
           "    object barra: TGauge\n"
           "      Left = 73\n"
           "      Top = 259\n"
           "      Width = 321\n"
           "      Height = 21\n"
           "      ForeColor = clBlack\n"
           "      Progress = 0\n"
           "    end\n"
           "  end\n"
           "  object probe: TProbe\n"
           "    Level = -7\n"
           "    Tag = $10\n"
           "    Payload = {00010203 FF\n"
           "      FE}\n"
           "  end\n"
           "  object dlg: TOpenDialog\n"
           "    Filter = 'Banco (*.FB;*.FDB)|*.FB; *.FDB'\n"
           "    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]\n"
           "  end\n"
           "end\n";
}

struct Registered {
    Registered() { RegisterComponentClass<TProbe>(); }
};
const Registered g_registered;

} // namespace

TEST(FormReader, BuildsTheFormFromItsDescription)
{
    g_events.clear();
    TSampleForm form(nullptr);
    ReadComponentText(&form, SampleText());

    EXPECT_EQ(form.Name(), "SampleForm");
    EXPECT_EQ(form.Caption(), L"Rotina de reprocesso de sequencia da Pr\u00e9-Venda - v26.11da0");
    EXPECT_EQ(form.ClientWidth(), 474);
    EXPECT_EQ(form.ClientHeight(), 292);
    EXPECT_EQ(form.Position(), TPosition::poScreenCenter);
    EXPECT_EQ(form.BorderStyle(), TFormBorderStyle::bsSingle);
    EXPECT_EQ(form.Font().Name(), L"MS Sans Serif");
    EXPECT_EQ(form.Font().Height(), 11);

    // Fields point at the components; nesting made them owned by the form and parented.
    ASSERT_NE(form.Panel2, nullptr);
    ASSERT_NE(form.Panel1, nullptr);
    ASSERT_NE(form.lblTitulo, nullptr);
    ASSERT_NE(form.cbxFilial, nullptr);
    ASSERT_NE(form.btnSair, nullptr);
    ASSERT_NE(form.probe, nullptr);
    ASSERT_NE(form.dlg, nullptr);
    EXPECT_EQ(form.Panel2->Parent(), &form);
    EXPECT_EQ(form.Panel1->Parent(), form.Panel2);
    EXPECT_EQ(form.lblTitulo->Parent(), form.Panel1);
    EXPECT_EQ(form.btnSair->Owner(), &form);
    EXPECT_EQ(form.ComponentCount(), 10);
    EXPECT_EQ(form.FindComponent("imgZemlo")->ClassName(), "TImage");

    // Properties of every kind.
    EXPECT_EQ(form.Panel2->Align(), TAlign::alTop);
    EXPECT_EQ(form.Panel2->Color(), clBtnHighlight);
    EXPECT_FALSE(form.Panel2->Ctl3D());
    EXPECT_EQ(form.Panel2->BevelOuter(), TBevelCut::bvNone);
    EXPECT_EQ(form.Panel2->Width(), 474); // aligned to the top of the client area
    EXPECT_EQ(form.lblTitulo->Caption(), L"Reprocessar sequ\u00eancia de pedidos");
    EXPECT_EQ(form.lblTitulo->Font().Style(), unsigned(TFontStyle::Bold));
    EXPECT_EQ(form.lblTitulo->Font().Height(), 13);
    EXPECT_EQ(form.lblTitulo->Width(), 250);
    EXPECT_EQ(form.cbxFilial->Items().Count(), 3);
    EXPECT_EQ(form.cbxFilial->Items()[2], "It's");
    EXPECT_EQ(form.btnSair->Caption(), L"&Sair");
    EXPECT_EQ(form.btnSair->NumGlyphs(), 2);
    EXPECT_EQ(form.btnSair->Glyph().Width(), 32);
    EXPECT_EQ(form.btnSair->TabOrder(), 7);
    auto* image = static_cast<TImage*>(form.FindComponent("imgZemlo"));
    EXPECT_EQ(image->Picture().Width(), 3);
    EXPECT_TRUE(image->Stretch());
    EXPECT_EQ(form.barra->MaxValue(), 100);
    EXPECT_EQ(form.probe->Level(), -7);
    EXPECT_EQ(form.probe->Tag(), 16);
    EXPECT_EQ(form.probe->payload, (std::vector<std::uint8_t>{0, 1, 2, 3, 0xFF, 0xFE}));
    EXPECT_EQ(form.dlg->Filter(), L"Banco (*.FB;*.FDB)|*.FB; *.FDB");
    EXPECT_EQ(form.dlg->Options(), unsigned(ofHideReadOnly | ofFileMustExist | ofEnableSizing));
    EXPECT_EQ(form.ActiveControl(), form.btnSair); // a reference resolved after reading

    // The binary property came while loading; Loaded ran afterwards.
    EXPECT_EQ(g_events, (std::vector<std::string>{"probe.Payload while loading", "probe.Loaded"}));
    EXPECT_FALSE(form.probe->IsLoading());
    EXPECT_FALSE(form.IsLoading());

    // Handlers wired by name call the form's methods.
    form.btnSair->Click();
    std::uint16_t key = VK_RETURN;
    form.OnKeyDown(&form, key, 0);
    wchar_t ch = L'1';
    form.cbxFilial->OnKeyPress(form.cbxFilial, ch);
    form.cbxFilial->OnExit(form.cbxFilial);
    EXPECT_EQ(form.calls, (std::vector<std::string>{"btnSairClick", "FormKeyDown", "cbxFilialKeyPress", "cbxFilialExit"}));
    EXPECT_TRUE(HasMethodProp(form.btnSair, "OnClick"));
    EXPECT_FALSE(HasMethodProp(form.edtCodPedido, "OnClick"));

    // The windows come with the form's.
    form.Show();
    Application.ProcessMessages();
    EXPECT_EQ(testing_support::WindowText(form.Handle()), form.Caption());
    EXPECT_EQ(SendMessageW(form.cbxFilial->Handle(), CB_GETCOUNT, 0, 0), 3);
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 474);
    EXPECT_EQ(client.bottom, 292);
}

TEST(FormReader, DamagedDescriptionsRaiseNamingProblemAndLineAndLeaveNothingBehind)
{
    struct Case {
        const char* what;
        std::string text;
        const char* message;
        int line;
    };
    const std::string head = "object SampleForm: TSampleForm\n  object probe: TProbe\n  end\n";
    const std::vector<Case> cases = {
        {"unknown class", head + "  object x: TNoSuchThing\n  end\nend\n", "TNoSuchThing", 4},
        {"unknown property", head + "  object p: TPanel\n    Wobble = 3\n  end\nend\n", "p.Wobble", 5},
        {"bad token", head + "  Left = @\nend\n", "Invalid character", 4},
        {"unterminated object", head + "  object p: TPanel\n    Left = 1\n", "not terminated", 4},
        {"bad hex", head + "  object q: TProbe\n    Payload = {0G}\n  end\nend\n", "binary data", 5},
        {"odd hex", head + "  object q: TProbe\n    Payload = {012}\n  end\nend\n", "odd number", 5},
        {"unterminated hex", head + "  object q: TProbe\n    Payload = {0102\n", "not terminated", 5},
        {"unterminated string", head + "  Caption = 'abc\nend\n", "Unterminated string", 4},
        {"bad enumeration", head + "  Position = poNowhere\nend\n", "Position", 4},
        {"bad set element", head + "  Font.Style = [fsBold, fsHuge]\nend\n", "fsHuge", 4},
        {"string for integer", head + "  Left = 'ten'\nend\n", "Left", 4},
        {"missing handler", head + "  OnKeyDown = NoSuchHandler\nend\n", "NoSuchHandler", 4},
        {"wrong handler type", head + "  OnKeyDown = btnSairClick\nend\n", "btnSairClick", 4},
        {"duplicate name", head + "  object probe: TProbe\n  end\nend\n", "probe", 4},
        {"wrong root class", "object SampleForm: TOtherForm\nend\n", "TOtherForm", 1},
        {"unknown reference", head + "  ActiveControl = nobody\nend\n", "nobody", 4},
        {"field of another class", head + "  object btnSair: TPanel\n  end\nend\n", "btnSair", 0},
        {"control in a non-window", head + "  object q: TProbe\n    object b: TButton\n    end\n  end\nend\n", "windowed parent", 5},
        {"text after the end", head + "end\nobject\n", "after the end", 5},
        {"number too large", head + "  Left = 99999999999\nend\n", "out of range", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSampleForm form(nullptr);
        try {
            ReadComponentText(&form, c.text);
            ADD_FAILURE() << "no error raised";
        } catch (const EReadError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            if (c.line) {
                EXPECT_EQ(e.Line(), c.line) << e.what();
            }
        }
        EXPECT_EQ(form.ComponentCount(), 0);
        EXPECT_EQ(form.ControlCount(), 0);
        EXPECT_EQ(g_liveProbes, 0);
        EXPECT_FALSE(form.IsLoading());
        EXPECT_EQ(form.btnSair, nullptr);
    }
}

TEST(FormReader, EveryTruncationOfAGoodDescriptionRaisesOrReadsButNeverCrashes)
{
    const std::string text = SampleText();
    int errors = 0;
    for (std::size_t length = 0; length < text.size(); length += 3) {
        TSampleForm form(nullptr);
        try {
            ReadComponentText(&form, text.substr(0, length));
        } catch (const EReadError&) {
            ++errors;
            EXPECT_EQ(form.ComponentCount(), 0);
        }
    }
    EXPECT_GT(errors, 0);
    EXPECT_EQ(g_liveProbes, 0);
}

TEST(FormReader, CreateFormFreesTheFormWhenItsDescriptionIsMissing)
{
    // A resource that does not exist is an error, and the half-made form is freed.
    TSampleForm* form = nullptr;
    const int before = Screen.FormCount();
    EXPECT_THROW(Application.CreateForm(form), Exception);
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(Screen.FormCount(), before);
}
