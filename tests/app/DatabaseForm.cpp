#include "DatabaseForm.h"
#include "AppPumping.h"

#include <windows.h>

#include <chrono>
#include <set>

#include "WindowTesting.h"
#include "ui/FormReader.h"

namespace apptest {

namespace {

using namespace std::chrono_literals;

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        ui::Application.ProcessMessages();
        Sleep(2);
    }
}

// The dialogs being answered; thread timers carry no data of their own.
struct DialogRun {
    Answers answers;
    std::vector<Box> boxes;
    std::set<HWND> handled;
};
DialogRun* g_run = nullptr;

void CALLBACK AnswerDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    if (!g_run)
        return;
    for (auto it = g_run->handled.begin(); it != g_run->handled.end();)
        it = IsWindow(*it) ? std::next(it) : g_run->handled.erase(it);

    if (HWND box = testing_support::FindProcessWindow(L"TMessageForm"); box && !g_run->handled.count(box)) {
        g_run->handled.insert(box);
        auto* form = dynamic_cast<ui::TMessageForm*>(ui::FindOwningControl(box));
        Box seen{testing_support::WindowText(box), form ? form->Message() : std::wstring()};
        // The dialog keeps its lines with CR LF; the program writes them with CR.
        for (std::size_t at; (at = seen.text.find(L"\r\n")) != std::wstring::npos;)
            seen.text.erase(at + 1, 1);
        g_run->boxes.push_back(seen);
        testing_support::PressButton(box, seen.caption == L"Confirm" ? g_run->answers.confirm : L"OK");
        return;
    }
    if (HWND chooser = testing_support::FindProcessWindow(L"#32770"); chooser && !g_run->handled.count(chooser)) {
        g_run->handled.insert(chooser);
        if (g_run->answers.file.empty()) {
            SendMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        // The file-name box of the open dialog (a combo box in the explorer style, an edit in
        // the old one).
        const int nameBox = GetDlgItem(chooser, 0x47C) ? 0x47C : 0x480;
        SetDlgItemTextW(chooser, nameBox, g_run->answers.file.c_str());
        SendMessageW(chooser, WM_COMMAND, IDOK, 0);
    }
}

} // namespace

std::wstring FailureText(const std::wstring& order)
{
    return L"Não foi possível reprocessar a sequência do pedido: " + order +
           L"\rVerifique se as informações estão corretas e tente novamente.";
}

namespace {

// Removes a folder and everything in it.
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[1024];
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

} // namespace

void DatabaseForm::SetUp()
{
    // Journals of the test's runs go to a folder of its own, not to the user's.
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    localAppData_ = Environment(L"TEMP") + L"\\appdata-" + ui::Utf8ToWide(test->name()) + L"-" +
                    std::to_wstring(GetCurrentProcessId());
    RemoveTree(localAppData_);
    CreateDirectoryW(localAppData_.c_str(), nullptr);
    savedLocalAppData_ = Environment(L"LOCALAPPDATA");
    SetEnvironmentVariableW(L"LOCALAPPDATA", localAppData_.c_str());

    form_ = std::make_unique<TReprocessaSequencial>(nullptr);
    ui::ReadComponentResource(form_.get(), ui::ResourceNameOf(form_.get()));
    f = form_.get();
    f->Show();
    ASSERT_TRUE(PumpApp([&] { return IsWindowVisible(f->Handle()) && GetFocus() != nullptr; }));
    Settle();
}

void DatabaseForm::TearDown()
{
    form_.reset();
    Settle();
    database_.reset();
    SetEnvironmentVariableW(L"LOCALAPPDATA", savedLocalAppData_.empty() ? nullptr : savedLocalAppData_.c_str());
    RemoveTree(localAppData_);
}

std::vector<std::wstring> DatabaseForm::Journals() const
{
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((JournalFolder() + L"\\*.csv").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do
        files.push_back(JournalFolder() + L"\\" + found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

std::string DatabaseForm::ReadFileBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

std::vector<Box> DatabaseForm::WithDialogs(const std::function<void()>& action, const Answers& answers)
{
    DialogRun run{answers, {}, {}};
    // Every box answered, so the action ends; one that stays open fails the test and is closed.
    testing_support::ModalWatchdog watchdog("the action and the boxes it shows to end");
    g_run = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, AnswerDialogs);
    try {
        action();
        Settle();
    } catch (...) {
        KillTimer(nullptr, timer);
        g_run = nullptr;
        throw;
    }
    KillTimer(nullptr, timer);
    g_run = nullptr;
    return run.boxes;
}

void DatabaseForm::Click(ui::TWinControl* button)
{
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
}

void DatabaseForm::Key(ui::TWinControl* control, unsigned short virtualKey)
{
    HWND target = control->Handle();
    // A combo box takes keys in its inner edit.
    if (HWND inner = GetWindow(target, GW_CHILD))
        target = inner;
    SetFocus(target);
    Settle();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, virtualKey, scan | 1);
    PostMessageW(target, WM_KEYUP, virtualKey, scan | 1 | (LPARAM(3) << 30));
    Settle();
}

std::vector<Box> DatabaseForm::Open(const std::string& path)
{
    Answers answers;
    answers.file = ui::Utf8ToWide(path);
    return WithDialogs([&] { Click(f->btnAbrirCarvoni); }, answers);
}

std::vector<Box> DatabaseForm::Rebuild(const std::wstring& branch, const std::wstring& order, const Answers& answers)
{
    f->cbxFilial->SetText(branch);
    f->edtCodPedido->SetText(order);
    return WithDialogs([&] { Click(f->btnReprocessa); }, answers);
}

ui::TWinControl* DatabaseForm::Focused() const
{
    return ui::FindOwningControl(GetFocus());
}

bool DatabaseForm::InputsEnabled() const
{
    for (ui::TWinControl* control : {static_cast<ui::TWinControl*>(f->btnReprocessa), static_cast<ui::TWinControl*>(f->btnSair),
                                     static_cast<ui::TWinControl*>(f->btnAbrirCarvoni), static_cast<ui::TWinControl*>(f->btnLimpar),
                                     static_cast<ui::TWinControl*>(f->edtCodPedido), static_cast<ui::TWinControl*>(f->btnCancelar),
                                     static_cast<ui::TWinControl*>(f->cbxFilial)})
        if (!IsWindowEnabled(control->Handle()))
            return false;
    return true;
}

} // namespace apptest
