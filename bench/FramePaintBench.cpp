// The skinned frame's cost, each figure against a reference measured in the same run:
// - full non-client repaints per second of a window the size of the main window (474 x 292 client,
//   fixed frame), skinned, against the same window with the skin off (the platform's frame);
//   skinned twice: a repaint with nothing changed, and one that composes the frame anew
//   (activation toggled before each);
// - the time from the process start to the first skinned frame on screen against the time to the
//   first frame of the same program with the skin off (the skin component present, not active).
// Usage: frame_paint_bench             all figures
//        frame_paint_bench --child on|off EVENT   (started by itself for the start-up figure)
#include "skin/data/WinSkinData.h"
#include "skin/window/WinSkinForm.h"
#include "ui/Forms.h"

#include "BenchClock.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::Seconds;

std::vector<std::uint8_t> LinkedSkin()
{
    HRSRC resource = FindResourceW(nullptr, L"PRODUCTSKIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!resource)
        return {};
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, resource)));
    return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(nullptr, resource));
}

// The program under measure: the skin component with the product skin, and a main-sized form.
struct TProgram {
    std::unique_ptr<skin::TSkinData> data;
    std::unique_ptr<ui::TForm> form;

    explicit TProgram(bool skinned)
    {
        skin::UseWindowSkinning();
        data = std::make_unique<skin::TSkinData>(nullptr);
        const std::vector<std::uint8_t> archive = LinkedSkin();
        data->SkinStream().Write(archive.data(), archive.size());
        data->LoadSkinData();
        data->SetActive(skinned);
        data->Loaded();
        form = std::make_unique<ui::TForm>(nullptr);
        form->SetBorderStyle(ui::TFormBorderStyle::bsSingle);
        form->SetClientWidth(474);
        form->SetClientHeight(292);
        form->SetCaption(L"Rotina de reprocesso de sequencia da Pré-Venda");
        form->Show();
        SetForegroundWindow(form->Handle());
    }
    ~TProgram()
    {
        form.reset();
        data.reset();
        skin::FreeSkinManager();
    }
    skin::TWinSkinForm* Frame() const
    {
        return skin::TWinSkinForm::Find(form->Handle());
    }
    // Pumps until the window shows its first frame (the skinned one when skinned).
    bool WaitFirstFrame(bool skinned) const
    {
        const double end = Seconds() + 20;
        while (Seconds() < end) {
            ui::Application.ProcessMessages();
            if (!skinned && IsWindowVisible(form->Handle())) {
                UpdateWindow(form->Handle());
                return true;
            }
            if (skinned)
                if (skin::TWinSkinForm* frame = Frame(); frame && frame->Status == skin::fsAttached && frame->FrameImage().Width() > 0)
                    return true;
            Sleep(1);
        }
        return false;
    }
};

// Non-client repaints per second over `count` repaints.
double RepaintsPerSecond(HWND window, int count, bool toggleActivation)
{
    const double start = Seconds();
    for (int i = 0; i < count; ++i) {
        if (toggleActivation)
            SendMessageW(window, WM_NCACTIVATE, i % 2, 0);
        SendMessageW(window, WM_NCPAINT, 1, 0);
    }
    return count / (Seconds() - start);
}

int Child(bool skinned, const wchar_t* eventName)
{
    TProgram program(skinned);
    const bool shown = program.WaitFirstFrame(skinned);
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName)) {
        if (shown)
            SetEvent(event);
        CloseHandle(event);
    }
    return shown ? 0 : 1;
}

// Seconds from CreateProcess to the child's first frame.
double StartToFirstFrame(bool skinned)
{
    const std::wstring eventName = L"FramePaintBench" + std::to_wstring(GetCurrentProcessId());
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --child " + (skinned ? L"on " : L"off ") + eventName;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const double start = Seconds();
    double elapsed = -1;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        if (WaitForSingleObject(event, 60000) == WAIT_OBJECT_0)
            elapsed = Seconds() - start;
        WaitForSingleObject(process.hProcess, 60000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(event);
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    ui::Application.Initialize();
    if (argc >= 4 && std::wstring(argv[1]) == L"--child")
        return Child(std::wstring(argv[2]) == L"on", argv[3]);

    constexpr int repaints = 2000;
    double plain = 0, cached = 0, composed = 0;
    {
        TProgram program(true);
        if (!program.WaitFirstFrame(true)) {
            std::printf("the window was not skinned\n");
            return 1;
        }
        HWND window = program.form->Handle();
        RepaintsPerSecond(window, 50, true);
        cached = RepaintsPerSecond(window, repaints, false);
        composed = RepaintsPerSecond(window, repaints, true);
    }
    {
        TProgram program(false);
        program.WaitFirstFrame(false);
        HWND window = program.form->Handle();
        RepaintsPerSecond(window, 50, true);
        plain = RepaintsPerSecond(window, repaints, true);
    }
    std::printf("Non-client repaints of a %dx%d-client window (%d each):\n", 474, 292, repaints);
    std::printf("  platform frame (skin off)        %8.0f /s  (reference)\n", plain);
    std::printf("  skinned, nothing changed         %8.0f /s  time per repaint %.2f x the platform's\n", cached,
                plain / cached);
    std::printf("  skinned, composed anew each time %8.0f /s  time per repaint %.2f x the platform's\n", composed,
                plain / composed);

    std::vector<double> on, off;
    for (int i = 0; i < 5; ++i) {
        off.push_back(StartToFirstFrame(false));
        on.push_back(StartToFirstFrame(true));
    }
    const double startOff = Median(off), startOn = Median(on);
    std::printf("Process start to first frame (median of 5):\n");
    std::printf("  skin off  %7.1f ms  (reference)\n", startOff * 1000);
    std::printf("  skinned   %7.1f ms  %.2f x the unskinned start\n", startOn * 1000, startOn / startOff);
    return 0;
}
