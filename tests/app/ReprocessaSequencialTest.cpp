// The main form read from the description kept in this executable's resources, shown, and driven
// through its windows with real messages.
#include "app/ReprocessaSequencial.h"
#include "AppPumping.h"

#include "WindowTesting.h"
#include "ui/FormReader.h"

#if APP_WITH_SKIN
#include "skin/data/WinSkinData.h"
#include "skin/window/WinSkinForm.h"
#endif

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using apptest::PumpApp;

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        ui::Application.ProcessMessages();
        Sleep(2);
    }
}

void PostKey(HWND target, WORD key)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, scan | 1);
    PostMessageW(target, WM_KEYUP, key, scan | 1 | (LPARAM(3) << 30));
    Settle();
}

// The framework control that holds the keyboard focus (a combo box for its inner edit).
ui::TWinControl* FocusedControl()
{
    return ui::FindOwningControl(GetFocus());
}

RECT RectInParent(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// The pixels of a window's client rectangle as it shows on the screen, 0x00RRGGBB each.
std::vector<std::uint32_t> Capture(HWND window, const RECT& area)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Settle();
    const int w = area.right - area.left, h = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(p, p + static_cast<size_t>(w) * h);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    for (auto& px : pixels)
        px &= 0xFFFFFF;
    return pixels;
}

int Count(const std::vector<std::uint32_t>& pixels, const std::function<bool(int r, int g, int b)>& test)
{
    int n = 0;
    for (auto px : pixels)
        n += test((px >> 16) & 255, (px >> 8) & 255, px & 255) ? 1 : 0;
    return n;
}

bool Yellowish(int r, int g, int b) { return r > 200 && g > 140 && b < 120; }
bool Grey(int r, int g, int b) { return std::abs(r - g) < 8 && std::abs(g - b) < 8 && r > 100 && r < 235; }

class MainForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        form_ = std::make_unique<TReprocessaSequencial>(nullptr);
        ui::ReadComponentResource(form_.get(), ui::ResourceNameOf(form_.get()));
        f = form_.get();
        f->Show();
        ASSERT_TRUE(PumpApp([&] { return IsWindowVisible(f->Handle()) && GetFocus() != nullptr; }));
        Settle();
    }
    void TearDown() override
    {
        form_.reset();
        Settle();
    }

    // The seven inputs that are enabled and disabled together.
    std::vector<ui::TWinControl*> Inputs() const
    {
        return {f->btnReprocessa, f->btnSair, f->btnAbrirCarvoni, f->btnLimpar, f->edtCodPedido, f->btnCancelar, f->cbxFilial};
    }

    void FillInputs()
    {
        f->edtCaminhoCarvoni->SetText(L"Z:\\dados\\CARVONI.FDB");
        f->edtCodPedido->SetText(L"00000123");
        f->cbxFilial->SetItemIndex(1);
        ASSERT_EQ(f->cbxFilial->Text(), L"01");
    }

    std::unique_ptr<TReprocessaSequencial> form_;
    TReprocessaSequencial* f = nullptr;
};

TEST(MainFormDescription, IsKeptAsResourceAndADamagedCopyIsAClearError)
{
    HRSRC found = FindResourceW(nullptr, L"TREPROCESSASEQUENCIAL", reinterpret_cast<LPCWSTR>(RT_RCDATA));
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    const std::string text(data, SizeofResource(nullptr, found));
    EXPECT_EQ(text.rfind("object ReprocessaSequencial: TReprocessaSequencial", 0), 0u);

    // Cut in the middle of a binary block: the reader names the fault; no half-made form is left.
    const auto cut = text.find("Glyph.Data");
    ASSERT_NE(cut, std::string::npos);
    TReprocessaSequencial damaged(nullptr);
    EXPECT_THROW(ui::ReadComponentText(&damaged, text.substr(0, cut + 40)), ui::EReadError);
    EXPECT_EQ(damaged.ComponentCount(), 0);
    EXPECT_EQ(damaged.btnSair, nullptr);
}

TEST_F(MainForm, WindowIsAsStored)
{
    HWND window = f->Handle();
    EXPECT_EQ(ClassOf(window), L"TReprocessaSequencial");
    EXPECT_EQ(f->Name(), "ReprocessaSequencial");
    EXPECT_EQ(testing_support::WindowText(window), L"Rotina de reprocesso de sequencia da Pr\u00e9-Venda - v26.11da0");

    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right - client.left, 474);
    EXPECT_EQ(client.bottom - client.top, 292);

    // The skin's frame is on the window: it keeps the stored client size and takes the caption
    // style off (the skin draws the caption); the window's own style is what the frame keeps.
    auto* skinned = skin::TWinSkinForm::Find(window);
    ASSERT_NE(skinned, nullptr);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION);

    // A single border: not resizable; system menu, minimise, maximise and close.
    const LONG style = static_cast<LONG>(skinned->OrigStyle);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);

    // Centred on the screen.
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    // Placed before the skin came; the skinned frame grows it downwards from the same top.
    const int growth = (frame.bottom - frame.top) - (292 + skinned->OrigFrame.bottom);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, growth / 2 + 1);

    // The program's icon, in the caption's and the task switcher's sizes.
    for (auto [which, size] : {std::pair{GCLP_HICON, GetSystemMetrics(SM_CXICON)}, std::pair{GCLP_HICONSM, GetSystemMetrics(SM_CXSMICON)}}) {
        auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, which));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof(mask), &mask);
        EXPECT_EQ(mask.bmWidth, size);
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
    }

    EXPECT_EQ(skinned->SavedColor, ui::clBtnFace);
    EXPECT_EQ(f->Color(), skinned->SkinData()->ButtonFaceColor);
    EXPECT_EQ(f->Font().Name(), L"MS Sans Serif");
    EXPECT_EQ(f->Font().Height(), 11);
    EXPECT_EQ(f->Font().Color(), ui::clWindowText);
    EXPECT_FALSE(f->KeyPreview());
}

struct Expected {
    const char* name;
    const wchar_t* windowClass;  // empty for controls without a window
    const char* parent;
    int left, top, width, height; // width and height -1: sized by the control (labels)
    int tabOrder;                 // -1: not a tab stop
    const wchar_t* caption;       // nullptr: not checked
};

const Expected kControls[] = {
    {"Panel2", L"TPanel", "ReprocessaSequencial", 0, 0, 474, 329, 0, nullptr},
    {"Panel1", L"TPanel", "Panel2", 0, 0, 474, 76, 0, nullptr},
    {"imgZemlo", L"", "Panel1", 5, 3, 179, 68, -1, nullptr},
    {"lblTitulo", L"", "Panel1", 200, 23, 250, 16, -1, L"Reprocessar sequ\u00eancia de pedidos"},
    {"lblCaminho", L"", "Panel2", 7, 92, -1, -1, -1, L"Caminho do banco Carvoni:"},
    {"edtCaminhoCarvoni", L"TEdit", "Panel2", 5, 107, 382, 19, 2, L""},
    {"btnAbrirCarvoni", L"TBitBtn", "Panel2", 390, 103, 76, 25, 1, L"&Abrir"},
    {"lblFilial", L"", "Panel2", 7, 130, -1, -1, -1, L"Filial:"},
    {"cbxFilial", L"TComboBox", "Panel2", 5, 143, 38, -1, 3, L""},
    {"lblPedido", L"", "Panel2", 76, 130, -1, -1, -1, L"N\u00famero do pedido:"},
    {"edtCodPedido", L"TEdit", "Panel2", 76, 144, 121, 19, 4, L""},
    {"btnReprocessa", L"TButton", "Panel2", 73, 198, 321, 53, 5, L"Recriar a Sequ\u00eancia do Pedido"},
    {"btnLimpar", L"TBitBtn", "Panel2", 232, 140, 76, 25, 6, L"&Limpar"},
    {"btnCancelar", L"TBitBtn", "Panel2", 311, 140, 76, 25, 8, L"&Cancelar"},
    {"btnSair", L"TBitBtn", "Panel2", 390, 140, 76, 25, 7, L"&Sair"},
    {"barraProgresso", L"", "Panel2", 73, 259, 321, 21, -1, nullptr},
};

TEST_F(MainForm, ControlsArePlacedNamedAndOrderedAsStored)
{
    for (const Expected& e : kControls) {
        SCOPED_TRACE(e.name);
        auto* control = dynamic_cast<ui::TControl*>(f->FindComponent(e.name));
        ASSERT_NE(control, nullptr);
        ASSERT_NE(control->Parent(), nullptr);
        EXPECT_EQ(control->Parent()->Name(), e.parent);
        EXPECT_EQ(control->Left(), e.left);
        EXPECT_EQ(control->Top(), e.top);
        if (e.width >= 0) {
            EXPECT_EQ(control->Width(), e.width);
        }
        if (e.height >= 0) {
            EXPECT_EQ(control->Height(), e.height);
        }
        if (e.caption) {
            EXPECT_EQ(control->Caption(), e.caption);
        }
        auto* windowed = dynamic_cast<ui::TWinControl*>(control);
        EXPECT_EQ(windowed != nullptr, *e.windowClass != 0);
        if (!windowed)
            continue;
        HWND window = windowed->Handle();
        EXPECT_EQ(ClassOf(window), e.windowClass);
        EXPECT_EQ(GetParent(window), control->Parent()->Handle());
        const RECT r = RectInParent(window);
        EXPECT_EQ(r.left, e.left);
        EXPECT_EQ(r.top, e.top);
        EXPECT_EQ(r.right - r.left, e.width);
        if (e.height >= 0) {
            EXPECT_EQ(r.bottom - r.top, e.height);
        }
        EXPECT_EQ(windowed->TabOrder(), e.tabOrder);
    }
    // Panel2 reaches below the client area, where it is clipped.
    EXPECT_EQ(f->Panel2->Height(), 329);
    EXPECT_EQ(f->Panel2->Align(), ui::TAlign::alTop);
    EXPECT_EQ(f->Panel1->Align(), ui::TAlign::alTop);
    EXPECT_EQ(f->Panel2->BevelOuter(), ui::TBevelCut::bvNone);
    EXPECT_EQ(f->Panel1->BevelOuter(), ui::TBevelCut::bvRaised);
    // The panels wear the skin's face colour and keep their stored one for when the skin goes.
    auto* frame = skin::TWinSkinForm::Find(f->Handle());
    ASSERT_NE(frame, nullptr);
    for (ui::TPanel* panel : {f->Panel2, f->Panel1}) {
        skin::TSkinControl* object = frame->FindControlObject(panel);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->SavedColor, ui::clBtnHighlight);
        EXPECT_EQ(panel->Color(), frame->SkinData()->ButtonFaceColor);
    }
    EXPECT_FALSE(f->Panel2->Ctl3D());
    // Labels stay in the parents' order of the description.
    EXPECT_EQ(f->Panel1->Controls(0), f->imgZemlo);
}

TEST_F(MainForm, ControlsStartInTheirStoredState)
{
    EXPECT_FALSE(IsWindowEnabled(f->edtCaminhoCarvoni->Handle()));
    for (ui::TWinControl* input : Inputs())
        EXPECT_TRUE(IsWindowEnabled(input->Handle())) << input->Name();
    EXPECT_EQ(f->edtCaminhoCarvoni->Text(), L"");
    EXPECT_EQ(f->edtCodPedido->Text(), L"");
    EXPECT_EQ(f->edtCodPedido->MaxLength(), 0);

    // The branch list: "00" to "09", editable, nothing chosen.
    HWND combo = f->cbxFilial->Handle();
    EXPECT_EQ(f->cbxFilial->Style(), ui::TComboBoxStyle::csDropDown);
    EXPECT_NE(f->cbxFilial->EditHandle(), nullptr);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 10);
    for (int i = 0; i < 10; ++i) {
        wchar_t item[16] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(std::wstring(item), std::wstring(L"0") + static_cast<wchar_t>(L'0' + i));
    }
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(f->cbxFilial->ItemHeight(), 13);

    // Fonts: the form's, bold labels and rebuild button, a larger bold title.
    for (ui::TControl* bold : std::initializer_list<ui::TControl*>{f->lblCaminho, f->lblFilial, f->lblPedido, f->btnReprocessa}) {
        EXPECT_EQ(bold->Font().Style(), static_cast<ui::TFontStyles>(ui::TFontStyle::Bold)) << bold->Name();
        EXPECT_EQ(bold->Font().Name(), L"MS Sans Serif");
        EXPECT_EQ(bold->Font().Height(), 11);
        EXPECT_EQ(bold->Font().Color(), ui::clWindowText);
    }
    EXPECT_EQ(f->lblTitulo->Font().Height(), 13);
    EXPECT_EQ(f->lblTitulo->Font().Style(), static_cast<ui::TFontStyles>(ui::TFontStyle::Bold));
    EXPECT_EQ(f->lblTitulo->Alignment(), ui::TAlignment::taCenter);

    // Glyphs: 16 x 16 with a greyed twin; no default or cancel button.
    for (ui::TBitBtn* button : {f->btnAbrirCarvoni, f->btnLimpar, f->btnCancelar, f->btnSair}) {
        EXPECT_EQ(button->NumGlyphs(), 2) << button->Name();
        EXPECT_EQ(button->Glyph().Width(), 32) << button->Name();
        EXPECT_EQ(button->Glyph().Height(), 16) << button->Name();
    }
    for (ui::TButton* button : {static_cast<ui::TButton*>(f->btnAbrirCarvoni), f->btnReprocessa,
                                static_cast<ui::TButton*>(f->btnLimpar), static_cast<ui::TButton*>(f->btnCancelar),
                                static_cast<ui::TButton*>(f->btnSair)}) {
        EXPECT_FALSE(button->Default()) << button->Name();
        EXPECT_FALSE(button->Cancel()) << button->Name();
    }

    // The logo: a 186 x 83 picture stretched into its box.
    EXPECT_EQ(f->imgZemlo->Picture().Width(), 186);
    EXPECT_EQ(f->imgZemlo->Picture().Height(), 83);
    EXPECT_TRUE(f->imgZemlo->Stretch());

    EXPECT_TRUE(f->barraProgresso->Visible());
    EXPECT_EQ(f->barraProgresso->MinValue(), 0);
    EXPECT_EQ(f->barraProgresso->MaxValue(), 100);
    EXPECT_EQ(f->barraProgresso->Progress(), 0);
    EXPECT_EQ(f->barraProgresso->PercentText(), L"0%");

    // The connection is there, with its fixed parameters, and closed.
    ASSERT_NE(f->vConexao, nullptr);
    EXPECT_FALSE(f->vConexao->Connected());
    EXPECT_FALSE(f->vConexao->LoginPrompt);
    EXPECT_EQ(f->vConexao->ParamValue("User_Name"), "sysdba");
    EXPECT_EQ(f->vConexao->ParamValue("SQLDialect"), "1");
    EXPECT_EQ(f->FTransacao.TransactionID, 1u);
    EXPECT_FALSE(f->FSucesso);
    EXPECT_EQ(f->FUltimoIdItem, 0);
}

#if APP_WITH_SKIN
TEST_F(MainForm, SkinComponentIsStoredWithItsSettingsAndLoadedArchive)
{
    skin::TSkinData* s = f->SkinData1;
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Owner(), f);
    EXPECT_TRUE(s->Active());
    EXPECT_EQ(s->SkinFormtype(), skin::sfMainform);
    EXPECT_EQ(s->DisableTag(), 99);
    EXPECT_EQ(s->Options(), 0u);
    skin::TSkinControlTypes expected = 0;
    for (auto type : {skin::xcMainMenu, skin::xcPopupMenu, skin::xcToolbar, skin::xcControlbar, skin::xcCombo,
                      skin::xcCheckBox, skin::xcRadioButton, skin::xcProgress, skin::xcScrollbar, skin::xcEdit,
                      skin::xcButton, skin::xcBitBtn, skin::xcSpeedButton, skin::xcPanel, skin::xcGroupBox,
                      skin::xcStatusBar, skin::xcTab, skin::xcSystemMenu})
        expected |= skin::SkinControl(type);
    EXPECT_EQ(s->SkinControls(), expected);
    EXPECT_TRUE(s->MenuUpdate());
    EXPECT_FALSE(s->MenuMerge());
    // The class-name mapping is the component's own default list, row for row.
    const ui::TStringList& defaults = skin::DefaultSkin3rd();
    ASSERT_EQ(s->Skin3rd().Count(), 110);
    ASSERT_EQ(defaults.Count(), 110);
    for (int i = 0; i < 110; ++i)
        EXPECT_EQ(s->Skin3rd()[i], defaults[i]) << "row " << i;
    // The packed skin came in with the description and was expanded into skin objects.
    EXPECT_GT(s->SkinStream().Size(), 4u);
    EXPECT_FALSE(s->NoSkin);
    EXPECT_FALSE(s->SkinName.empty());
}
#endif

TEST_F(MainForm, TheLogoAndTheGlyphsArePainted)
{
    // The blue of the logo's emblem shows inside the image's box on the title band.
    const auto logo = Capture(f->Panel1->Handle(), RECT{5, 3, 5 + 179, 3 + 68});
    EXPECT_GT(Count(logo, [](int r, int g, int b) { return b > 140 && r < 90 && g > 40 && g < 150; }), 300);

    // The open button shows its yellow folder; disabled, the greyed twin instead.
    HWND open = f->btnAbrirCarvoni->Handle();
    RECT client;
    GetClientRect(open, &client);
    EXPECT_GT(Count(Capture(open, client), Yellowish), 20);
    f->HabilitaCampos(false);
    const auto disabled = Capture(open, client);
    EXPECT_EQ(Count(disabled, Yellowish), 0);
    EXPECT_GT(Count(disabled, Grey), 20);
}

TEST_F(MainForm, FocusStartsOnTheOpenButton)
{
    EXPECT_EQ(GetFocus(), f->btnAbrirCarvoni->Handle());
    EXPECT_EQ(f->ActiveControl(), f->btnAbrirCarvoni);
}

TEST_F(MainForm, TabVisitsTheEnabledStopsInTabOrder)
{
    // A path and a branch, so that leaving the branch box has nothing to complain about.
    FillInputs();
    const std::vector<ui::TWinControl*> expected = {
        f->cbxFilial, f->edtCodPedido, f->btnReprocessa, f->btnLimpar, f->btnSair, f->btnCancelar, f->btnAbrirCarvoni};
    ASSERT_EQ(FocusedControl(), f->btnAbrirCarvoni);
    for (ui::TWinControl* next : expected) {
        PostKey(GetFocus(), VK_TAB);
        EXPECT_EQ(FocusedControl(), next) << "expected " << next->Name() << ", got "
                                          << (FocusedControl() ? FocusedControl()->Name() : "nothing");
    }
}

TEST_F(MainForm, EnterOnTheFormMovesToTheNextStop)
{
    // No control focused (the form window itself has the focus): the form's own key handler
    // moves on to the next tab stop.
    auto focusTheForm = [&] {
        f->SetActiveControl(nullptr);
        SetFocus(f->Handle());
        return PumpApp([&] { return GetFocus() == f->Handle(); });
    };
    ASSERT_TRUE(focusTheForm());
    // The keystroke ends there: the button it moved to is not pressed as well (that would open
    // the file dialog, which is then cancelled here).
    const bool pressed = testing_support::AnswerWhenShown(
        L"#32770", [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); },
        [&] { PostKey(f->Handle(), VK_RETURN); });
    EXPECT_FALSE(pressed);
    EXPECT_EQ(FocusedControl(), f->btnAbrirCarvoni);

    // Other keys are left alone.
    ASSERT_TRUE(focusTheForm());
    PostKey(f->Handle(), VK_F5);
    EXPECT_EQ(GetFocus(), f->Handle());
}

TEST_F(MainForm, EnterPressesTheFocusedButton)
{
    FillInputs();
    f->btnLimpar->SetFocus();
    ASSERT_TRUE(PumpApp([&] { return GetFocus() == f->btnLimpar->Handle(); }));
    PostKey(f->btnLimpar->Handle(), VK_RETURN);
    // The button was pressed (its click cleared the inputs) and the focus stayed on it.
    EXPECT_TRUE(PumpApp([&] { return f->edtCodPedido->Text().empty(); }));
    EXPECT_EQ(f->edtCaminhoCarvoni->Text(), L"");
    EXPECT_EQ(GetFocus(), f->btnLimpar->Handle());
}

TEST_F(MainForm, HabilitaCamposTouchesExactlyItsSevenControls)
{
    std::map<ui::TControl*, bool> before;
    for (int i = 0; i < f->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<ui::TControl*>(f->Components(i)))
            before[control] = control->Enabled();
    const auto inputs = Inputs();
    const std::set<ui::TControl*> seven(inputs.begin(), inputs.end());
    ASSERT_EQ(seven.size(), 7u);

    f->HabilitaCampos(false);
    for (auto [control, was] : before) {
        SCOPED_TRACE(control->Name());
        if (seven.count(control)) {
            EXPECT_FALSE(control->Enabled());
            EXPECT_FALSE(IsWindowEnabled(static_cast<ui::TWinControl*>(control)->Handle()));
        } else {
            EXPECT_EQ(control->Enabled(), was);
        }
    }
    f->HabilitaCampos(true);
    for (auto [control, was] : before) {
        SCOPED_TRACE(control->Name());
        if (seven.count(control))
            EXPECT_TRUE(IsWindowEnabled(static_cast<ui::TWinControl*>(control)->Handle()));
        else
            EXPECT_EQ(control->Enabled(), was);
    }
    EXPECT_FALSE(IsWindowEnabled(f->edtCaminhoCarvoni->Handle()));
}

TEST_F(MainForm, LimparEmptiesPathOrderAndBranch)
{
    FillInputs();
    SendMessageW(f->btnLimpar->Handle(), BM_CLICK, 0, 0);
    Settle();
    EXPECT_EQ(f->edtCaminhoCarvoni->Text(), L"");
    EXPECT_EQ(f->edtCodPedido->Text(), L"");
    EXPECT_EQ(f->cbxFilial->ItemIndex(), -1);
    EXPECT_EQ(f->cbxFilial->Text(), L"");
    EXPECT_EQ(testing_support::WindowText(f->cbxFilial->EditHandle()), L"");
    // The items stay.
    EXPECT_EQ(SendMessageW(f->cbxFilial->Handle(), CB_GETCOUNT, 0, 0), 10);
}

class CancelAnswered : public MainForm, public ::testing::WithParamInterface<bool> {};

TEST_P(CancelAnswered, ClearsOnlyOnYesAndAlwaysReenablesAndFocusesOpen)
{
    const bool yes = GetParam();
    FillInputs();
    // Some inputs disabled, as after a run that stopped half-way; the focus elsewhere.
    f->btnReprocessa->SetEnabled(false);
    f->cbxFilial->SetEnabled(false);
    f->edtCodPedido->SetFocus();
    Settle();

    std::wstring caption, message;
    const bool shown = testing_support::AnswerWhenShown(
        L"TMessageForm",
        [&](HWND dialog) {
            caption = testing_support::WindowText(dialog);
            if (auto* box = dynamic_cast<ui::TMessageForm*>(ui::FindControl(dialog)))
                message = box->Message();
            testing_support::PressButton(dialog, yes ? L"&Yes" : L"&No");
        },
        [&] { SendMessageW(f->btnCancelar->Handle(), BM_CLICK, 0, 0); });
    ASSERT_TRUE(shown);
    Settle();
    EXPECT_EQ(caption, L"Confirm");
    EXPECT_EQ(message, L" Deseja cancelar ?");

    if (yes) {
        EXPECT_EQ(f->edtCaminhoCarvoni->Text(), L"");
        EXPECT_EQ(f->edtCodPedido->Text(), L"");
        EXPECT_EQ(f->cbxFilial->ItemIndex(), -1);
    } else {
        EXPECT_EQ(f->edtCaminhoCarvoni->Text(), L"Z:\\dados\\CARVONI.FDB");
        EXPECT_EQ(f->edtCodPedido->Text(), L"00000123");
        EXPECT_EQ(f->cbxFilial->Text(), L"01");
    }
    for (ui::TWinControl* input : Inputs())
        EXPECT_TRUE(IsWindowEnabled(input->Handle())) << input->Name();
    EXPECT_FALSE(IsWindowEnabled(f->edtCaminhoCarvoni->Handle()));
    EXPECT_EQ(GetFocus(), f->btnAbrirCarvoni->Handle());
}

INSTANTIATE_TEST_SUITE_P(YesAndNo, CancelAnswered, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Yes" : "No"; });

} // namespace
