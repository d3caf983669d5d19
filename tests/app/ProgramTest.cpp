// The program itself: started as a user starts it, its window found from outside, then closed.
#include "WindowTesting.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

// The program's path as a Windows path (a build on Linux names it with a Unix path, which Wine
// shows as drive Z:).
std::wstring ProgramPath()
{
    std::string path = APP_EXE_PATH;
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            if (c == '/')
                c = '\\';
        path = "Z:" + path;
    }
    return std::wstring(path.begin(), path.end());
}

struct FindRequest {
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM param)
{
    auto* request = reinterpret_cast<FindRequest*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (pid == request->pid && IsWindowVisible(window) && std::wstring(name) == L"TReprocessaSequencial") {
        request->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND ChildWithText(HWND parent, const std::wstring& text)
{
    struct Search {
        std::wstring text;
        HWND found = nullptr;
    } search{text};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (testing_support::WindowText(child) == s->text) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::wstring command = L"\"" + ProgramPath() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process_))
            << "cannot start " << std::string(command.begin(), command.end());
        CloseHandle(process_.hThread);
        process_.hThread = nullptr;
        // Wait for the main window with its focus placed (a first start may be slow).
        FindRequest request{process_.dwProcessId};
        ASSERT_TRUE(testing_support::PumpUntil(
            [&] {
                request.found = nullptr;
                EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&request));
                GUITHREADINFO gui{};
                gui.cbSize = sizeof(gui);
                return request.found && GetGUIThreadInfo(GetWindowThreadProcessId(request.found, nullptr), &gui) &&
                       gui.hwndFocus;
            },
            testing_support::kWaitBound))
            << "the program's window did not show";
        window_ = request.found;
    }

    void TearDown() override
    {
        if (!process_.hProcess)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
    }

    // Waits for the program to end; its exit code, or -1 while it still runs past the wait bound.
    long ExitCode()
    {
        if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(testing_support::kWaitBound.count())) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

TEST_F(Program, OpensItsWindowWithTheFocusOnOpenAndEndsWhenTheWindowCloses)
{
    EXPECT_EQ(testing_support::WindowText(window_), L"Rotina de reprocesso de sequencia da Pr\u00e9-Venda - v26.11da0");
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, 474);
    EXPECT_EQ(client.bottom, 292);

    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &gui));
    HWND open = ChildWithText(window_, L"&Abrir");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(gui.hwndFocus, open);

    // The close box (the system's close command) ends the program.
    PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(ExitCode(), 0);
}

TEST_F(Program, EndsWithTheExitButton)
{
    HWND exit = ChildWithText(window_, L"&Sair");
    ASSERT_NE(exit, nullptr);
    PostMessageW(exit, BM_CLICK, 0, 0);
    EXPECT_EQ(ExitCode(), 0);
}

// The executable's resources: the icon in three sizes of 256 colours, version and manifest.
TEST(ProgramFile, CarriesIconVersionAndManifest)
{
    const std::wstring path = ProgramPath();
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);

#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    HRSRC group = FindResourceW(module, L"MAINICON", reinterpret_cast<LPCWSTR>(RT_GROUP_ICON));
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const WORD*>(LockResource(LoadResource(module, group)));
    const WORD count = dir[2];
    const auto* entries = reinterpret_cast<const GroupEntry*>(dir + 3);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        sizes.push_back(entries[i].width);
        EXPECT_EQ(entries[i].bitCount, 8);
        // Each image really is a 256-colour bitmap of that size.
        HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(entries[i].id), reinterpret_cast<LPCWSTR>(RT_ICON));
        ASSERT_NE(image, nullptr);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
        EXPECT_EQ(header->biWidth, entries[i].width);
        EXPECT_EQ(header->biBitCount, 8);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));

    HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_MANIFEST));
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                           SizeofResource(module, manifest));
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("asInvoker"), std::string::npos);

    HRSRC version = FindResourceW(module, MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_VERSION));
    ASSERT_NE(version, nullptr);
    const auto* block = static_cast<const wchar_t*>(LockResource(LoadResource(module, version)));
    const std::wstring all(block, SizeofResource(module, version) / sizeof(wchar_t));
    EXPECT_NE(all.find(L"26.11da0"), std::wstring::npos);
    FreeLibrary(module);
}

} // namespace
