// The message dialog answered through its real window (captions, buttons, keyboard, modality) and
// the file-open dialog (filter, answer through the system dialog).
#include "UiTesting.h"
#include "WindowTesting.h"

#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

using namespace ui;
using namespace ui_testing;
using testing_support::AnswerWhenShown;
using testing_support::FindButton;
using testing_support::WindowText;

namespace {

struct Seen {
    std::wstring caption;
    std::vector<std::wstring> buttons;
    std::wstring focused;
    bool ownerEnabled = true;
    int iconPixels = 0;
};

// A visible form the dialogs are shown over.
struct OwnerForm {
    OwnerForm()
    {
        form.SetCaption(L"Owner");
        form.SetBounds(10, 10, 200, 100);
        form.Show();
        Application.ProcessMessages();
    }
    TForm form{nullptr};
};

// Shows MessageDlg over the owner, looks at the dialog and answers it with `answer` (given the
// dialog window); returns the dialog's result.
int AskThroughWindow(OwnerForm& ownerForm, const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons,
                     Seen& seen, const std::function<void(HWND)>& answer)
{
    TForm& owner = ownerForm.form;
    SetForegroundWindow(owner.Handle());
    Application.ProcessMessages();
    int result = -1;
    const bool shown = AnswerWhenShown(L"TMessageForm", [&](HWND dialog) {
        seen.caption = WindowText(dialog);
        for (HWND button : ChildWindows(dialog, L"TButton"))
            seen.buttons.push_back(WindowText(button));
        seen.focused = WindowText(GetFocus());
        seen.ownerEnabled = IsWindowEnabled(owner.Handle()) != FALSE;
        const int icon = GetSystemMetrics(SM_CXICON);
        seen.iconPixels = icon * icon - CountPixels(dialog, Rect(8, 8, 8 + icon, 8 + icon), GetSysColor(COLOR_BTNFACE));
        answer(dialog);
    }, [&] { result = MessageDlg(text, type, buttons); });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    return result;
}

// The dialog's button `caption`. Keys go to it, never to whatever holds the focus: a key sent to no
// window would leave the box open.
HWND ButtonOf(HWND dialog, const wchar_t* caption)
{
    HWND button = FindButton(dialog, caption);
    EXPECT_NE(button, nullptr) << "no button " << ui::WideToUtf8(caption);
    return button;
}

} // namespace

TEST(MessageDialog, ConfirmationShowsYesAndNoAndAnswersFromTheKeyboard)
{
    struct Case {
        const char* what;
        std::function<void(HWND)> answer;
        int expected;
    };
    const std::vector<Case> cases = {
        {"Enter on the focused Yes", [](HWND d) { PressKey(ButtonOf(d, L"&Yes"), VK_RETURN); }, mrYes},
        {"Esc", [](HWND d) { PressKey(ButtonOf(d, L"&Yes"), VK_ESCAPE); }, mrNo},
        {"Alt+N", [](HWND d) { PressAltChar(ButtonOf(d, L"&Yes"), L'n'); }, mrNo},
        {"Alt+Y", [](HWND d) { PressAltChar(ButtonOf(d, L"&Yes"), L'Y'); }, mrYes},
        {"bare N on a button", [](HWND d) { PostMessageW(ButtonOf(d, L"&Yes"), WM_CHAR, L'n', 1); }, mrNo},
        // Enter presses the button that holds the focus, which Tab moved from Yes to No.
        {"Tab then Enter", [](HWND d) {
             PressKey(ButtonOf(d, L"&Yes"), VK_TAB);
             EXPECT_EQ(GetFocus(), ButtonOf(d, L"&No"));
             PressKey(ButtonOf(d, L"&No"), VK_RETURN);
         }, mrNo},
        {"Space on Yes", [](HWND d) { PressKey(ButtonOf(d, L"&Yes"), VK_SPACE); }, mrYes},
        {"close box", [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }, mrCancel},
    };
    OwnerForm owner;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Seen seen;
        const int result = AskThroughWindow(owner, L" Deseja cancelar ?", TMsgDlgType::mtConfirmation, mbYes | mbNo, seen, c.answer);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(seen.caption, L"Confirm");
        EXPECT_EQ(seen.buttons, (std::vector<std::wstring>{L"&Yes", L"&No"}));
        EXPECT_EQ(seen.focused, L"&Yes");
        EXPECT_FALSE(seen.ownerEnabled);
        EXPECT_GT(seen.iconPixels, 20);
    }
}

TEST(MessageDialog, WarningAndInformationHaveOneOkButton)
{
    OwnerForm owner;
    for (auto [type, caption] : {std::pair{TMsgDlgType::mtWarning, L"Warning"}, std::pair{TMsgDlgType::mtInformation, L"Information"}}) {
        for (WORD key : {WORD(VK_RETURN), WORD(VK_ESCAPE)}) {
            Seen seen;
            const int result = AskThroughWindow(owner, L"Pedido n\u00e3o encontrado", type, mbOK, seen,
                                                [key](HWND d) { PressKey(ButtonOf(d, L"OK"), key); });
            EXPECT_EQ(result, mrOk);
            EXPECT_EQ(seen.caption, caption);
            EXPECT_EQ(seen.buttons, (std::vector<std::wstring>{L"OK"}));
            EXPECT_GT(seen.iconPixels, 20);
        }
    }
}

// A box left unanswered fails within the wait bound naming it; its modal loop ends as a cancel and
// gives the owner back, so the tests after it start clean.
TEST(MessageDialog, ABoxLeftUnansweredFailsNamingItAndGivesTheOwnerBack)
{
    using namespace std::chrono_literals;
    OwnerForm owner;
    int result = -1;
    const auto failures = testing_support::FailuresOf([&] {
        AnswerWhenShown(L"TMessageForm", [](HWND) {},
                        [&] { result = MessageDlg(L" Deseja cancelar ?", TMsgDlgType::mtConfirmation, mbYes | mbNo); }, 500ms);
    });
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("TMessageForm \"Confirm\" to close after its answer"), std::string::npos) << failures[0];
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(IsWindowEnabled(owner.form.Handle()));
    EXPECT_EQ(testing_support::FindProcessWindow(L"TMessageForm"), nullptr);
}

// Shows the watchdog at its real bound: fails after 30 s naming the box, and the group goes on.
// Run on purpose with --gtest_also_run_disabled_tests.
TEST(MessageDialog, DISABLED_LeftUnansweredOnPurpose)
{
    OwnerForm owner;
    AnswerWhenShown(L"TMessageForm", [](HWND) {},
                    [] { MessageDlg(L"Nobody answers this box", TMsgDlgType::mtWarning, mbOK); });
}

TEST(MessageDialog, CarriageReturnsBreakTheText)
{
    std::unique_ptr<TMessageForm> one(CreateMessageDialog(L"Processo conclu\u00eddo", TMsgDlgType::mtInformation, mbOK));
    std::unique_ptr<TMessageForm> three(CreateMessageDialog(L"Processo\rconclu\u00eddo\rcom sucesso", TMsgDlgType::mtInformation, mbOK));
    EXPECT_EQ(three->Message(), L"Processo\r\nconclu\u00eddo\r\ncom sucesso");
    EXPECT_EQ(three->ClassName(), "TMessageForm");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, three->Font().Handle());
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // Two more lines of text, unless the icon was taller than them.
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    const int grown = three->ClientHeight() - one->ClientHeight();
    EXPECT_EQ(grown, std::max(0, 3 * static_cast<int>(metrics.tmHeight) - std::max(iconHeight, static_cast<int>(metrics.tmHeight))));
    EXPECT_LT(three->ClientWidth(), one->ClientWidth() + 10);
}

TEST(OpenDialog, FilterBecomesTheWindowsFilter)
{
    auto exact = [](const auto& literal) { return std::wstring(literal, std::size(literal) - 1); };
    EXPECT_EQ(MakeWindowsFilter(L"Banco de dados (*.FB;*.FDB)|*.FB; *.FDB"),
              exact(L"Banco de dados (*.FB;*.FDB)\0*.FB;*.FDB\0\0"));
    EXPECT_EQ(MakeWindowsFilter(L"A|*.a|B|*.b"), exact(L"A\0*.a\0B\0*.b\0\0"));
    EXPECT_EQ(MakeWindowsFilter(L""), L"");
    TOpenDialog dialog(nullptr);
    SetWideStrProp(&dialog, "Filter", L"X|*.x");
    EXPECT_EQ(dialog.Filter(), L"X|*.x");
}

TEST(OpenDialog, ExecuteReturnsTheFileChosenInTheSystemDialog)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"ui_open_test.fdb";
    { std::ofstream(path.c_str()) << "x"; }
    TOpenDialog dialog(nullptr);
    dialog.SetFilter(L"Banco (*.FB;*.FDB)|*.FB; *.FDB");
    dialog.SetOptions(ofHideReadOnly | ofFileMustExist | ofEnableSizing);
    bool chosen = false;
    const bool shown = AnswerWhenShown(L"#32770", [&](HWND box) {
        for (int id : {1148, 1152})
            if (HWND field = GetDlgItem(box, id))
                SetWindowTextW(field, path.c_str());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }, [&] { chosen = dialog.Execute(); });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(chosen);
    auto lower = [](std::wstring s) { CharLowerW(s.data()); return s; };
    EXPECT_EQ(lower(dialog.FileName()), lower(path));

    const std::wstring before = dialog.FileName();
    bool cancelled = true;
    AnswerWhenShown(L"#32770", [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); },
                    [&] { cancelled = !dialog.Execute(); });
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(dialog.FileName(), before);
    DeleteFileW(path.c_str());
}
