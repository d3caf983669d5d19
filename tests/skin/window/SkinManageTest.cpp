// The skin manager's registration side: the component list and the main component, the choice of
// skin data per window, deferred requests through the timer, and the CBT hook's activation
// bookkeeping with the frame seam (a recording frame stands in for window skinning here).
#include "WindowTesting.h"

#include "skin/data/SkinArchiveWriter.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using namespace skin;

namespace {

// What the recording frames saw; reset by each test.
struct FrameLog {
    std::vector<HWND> attached;
    std::vector<HWND> detached;
    int reloads = 0;
    int reapplied = 0;
    int released = 0;
    int freedAtEnd = 0;  // frames freed while the manager ends
    std::function<void()> atEnd;  // run by a frame freed while the manager ends
};
FrameLog gLog;

class RecordingFrame : public TSkinnedWindow {
public:
    RecordingFrame(HWND window, TSkinData* data) : window_(window), data_(data) { gLog.attached.push_back(window); }
    ~RecordingFrame() override
    {
        if (SkinManager() && SkinManager()->RunState == 4) {
            ++gLog.freedAtEnd;
            if (gLog.atEnd)
                gLog.atEnd();
        }
    }
    HWND Handle() const override { return window_; }
    TSkinData* SkinData() const override { return data_; }
    bool Destroyed() const override { return !IsWindow(window_); }
    void Detach() override { gLog.detached.push_back(window_); }
    void ReleaseCaptionButtons() override { ++gLog.released; }
    void ReloadSkin() override { ++gLog.reloads; }
    void ReapplyControls() override { ++gLog.reapplied; }

private:
    HWND window_;
    TSkinData* data_;
};

std::unique_ptr<TSkinnedWindow> RecordingFactory(HWND window, ui::TCustomForm*, TSkinData* data)
{
    return std::make_unique<RecordingFrame>(window, data);
}

// A loaded skin, so that components count as having one.
void GiveSkin(TSkinData& data)
{
    const std::string ini = "[TitlebarSkin]\nSkinName=x\n";
    std::vector<TSkinArchiveEntry> entries{{"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())}};
    data.SkinStream() = ui::TMemoryStream(BuildSkinArchive(entries));
    ASSERT_TRUE(data.LoadSkinData());
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

// A plain top-level window of a class of the test's naming.
HWND MakeWindow(const wchar_t* className, int width = 200, int height = 120, DWORD style = WS_OVERLAPPEDWINDOW)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    return CreateWindowExW(0, className, L"test", style, 10, 10, width, height, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

class SkinManager_ : public ::testing::Test {
protected:
    void SetUp() override
    {
        gLog = {};
        TSkinManage::FrameFactory = &RecordingFactory;
    }
    void TearDown() override
    {
        for (HWND w : windows)
            DestroyWindow(w);
        FreeSkinManager();
        TSkinManage::FrameFactory = nullptr;
    }
    HWND Window(const wchar_t* className, int width = 200, int height = 120, DWORD style = WS_OVERLAPPEDWINDOW)
    {
        HWND w = MakeWindow(className, width, height, style);
        windows.push_back(w);
        return w;
    }
    std::vector<HWND> windows;
};

TEST_F(SkinManager_, RegistrationAndTheMainComponent)
{
    TSkinManage& manager = CreateSkinManager();
    EXPECT_EQ(&manager, SkinManager());
    EXPECT_EQ(&CreateSkinManager(), &manager) << "one manager per process";
    TSkinData dialog(nullptr), first(nullptr), second(nullptr);
    dialog.SetSkinFormtype(sfDialog);
    manager.AddSkinData(&dialog);
    EXPECT_EQ(manager.MainSkinData, nullptr) << "only a sfMainform component becomes the main one";
    manager.AddSkinData(&first);
    manager.AddSkinData(&second);
    EXPECT_EQ(manager.MainSkinData, &first);
    EXPECT_EQ(manager.SkinDataList, (std::vector<TSkinData*>{&dialog, &first, &second}));

    HWND plain = Window(L"SkinManageTestPlain");
    HWND box = Window(L"#32770");
    EXPECT_EQ(manager.FindSkinDataFor(plain), &second) << "windows take the main component registered last";
    EXPECT_EQ(manager.FindSkinDataFor(box), &dialog) << "dialog boxes take the sfDialog component";

    // Removing the main component passes the filter on; nothing keeps pointing at it.
    manager.PendingSkinData = &first;
    manager.RemoveSkinData(&first);
    EXPECT_EQ(manager.MainSkinData, &second);
    EXPECT_EQ(manager.PendingSkinData, nullptr);
    manager.RemoveSkinData(&second);
    EXPECT_EQ(manager.MainSkinData, nullptr);
    EXPECT_EQ(manager.FindSkinDataFor(plain), &dialog) << "the first entry when nothing else fits";
    manager.RemoveSkinData(&dialog);
    EXPECT_EQ(manager.FindSkinDataFor(plain), nullptr);
}

TEST_F(SkinManager_, RequestsBeforeTheFirstActivationOnlySwitchSkinning)
{
    TSkinManage& manager = CreateSkinManager();
    TSkinData data(nullptr);
    manager.AddSkinData(&data);
    ASSERT_EQ(manager.RunState, 0);
    manager.RequestAction(saSkinOn);
    EXPECT_TRUE(manager.SkinEnabled);
    EXPECT_FALSE(manager.TimerEnabled());
    manager.RequestAction(saSkinOff);
    EXPECT_FALSE(manager.SkinEnabled);
    manager.RequestAction(saSkinChanged);
    EXPECT_FALSE(manager.SkinEnabled);
    EXPECT_FALSE(manager.TimerEnabled());
}

TEST_F(SkinManager_, TheTimerCarriesTheRequestOutOnceRunning)
{
    TSkinManage& manager = CreateSkinManager();
    TSkinData data(nullptr);
    GiveSkin(data);
    manager.AddSkinData(&data);
    int changed = 0;
    data.OnSkinChanged = [&](ui::TObject* sender) {
        EXPECT_EQ(sender, &data);
        ++changed;
    };
    manager.RunState = 1;

    // Without a pending component the timer keeps trying.
    manager.RequestAction(saSkinOn);
    EXPECT_TRUE(manager.TimerEnabled());
    manager.ApplyPendingAction();
    EXPECT_TRUE(manager.TimerEnabled());
    EXPECT_FALSE(manager.SkinEnabled);

    manager.PendingSkinData = &data;
    EXPECT_EQ(changed, 0) << "nothing happens at once";
    ASSERT_TRUE(testing_support::PumpUntil([&] { return changed > 0; }));
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(manager.SkinEnabled);
    EXPECT_FALSE(manager.SkinAll);
    EXPECT_EQ(manager.PendingSkinData, nullptr);
    EXPECT_FALSE(manager.TimerEnabled());

    // Skin changed: every frame of the component reloads, then re-applies to its controls.
    HWND a = Window(L"SkinManageTestA");
    HWND b = Window(L"SkinManageTestB");
    ASSERT_TRUE(manager.SkinWindow(a));
    ASSERT_TRUE(manager.SkinWindow(b));
    data.ApplySkin();
    EXPECT_EQ(gLog.released, 2) << "the caption buttons go at once";
    ASSERT_TRUE(testing_support::PumpUntil([&] { return changed > 1; }));
    EXPECT_EQ(gLog.reloads, 2);
    EXPECT_EQ(gLog.reapplied, 2);

    // Skin off through Active: every frame is detached and freed.
    data.SetSkinFormtype(sfMainform);
    data.SetActive(true);
    data.SetActive(false);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return changed > 2; }));
    EXPECT_FALSE(manager.SkinEnabled);
    EXPECT_EQ(gLog.detached, (std::vector<HWND>{b, a})) << "from the last to the first";
    EXPECT_TRUE(manager.SkinForms.empty());
}

TEST_F(SkinManager_, SkinWindowChecksBeforeAttaching)
{
    TSkinManage& manager = CreateSkinManager();
    TSkinData data(nullptr);
    manager.AddSkinData(&data);
    HWND plain = Window(L"SkinManageTestPlain");
    HWND flat = Window(L"SkinManageTestFlat", 0, 0, WS_POPUP);
    HWND vetoed = Window(L"SysMonthCal32Test");
    HWND application = Window(L"TApplication");

    EXPECT_FALSE(manager.SkinWindow(plain)) << "skinning is off";
    manager.SkinEnabled = true;
    EXPECT_FALSE(manager.SkinWindow(plain)) << "the component has no skin";
    GiveSkin(data);
    EXPECT_FALSE(manager.SkinWindow(flat));
    EXPECT_FALSE(manager.SkinWindow(application));
    data.OnFormSkin = [](ui::TObject*, const std::string& name, bool& doSkin) {
        doSkin = name != "SysMonthCal32Test";
    };
    EXPECT_FALSE(manager.SkinWindow(vetoed)) << "the main component's filter";
    EXPECT_TRUE(gLog.attached.empty());

    ASSERT_TRUE(manager.SkinWindow(plain));
    EXPECT_EQ(gLog.attached, std::vector<HWND>{plain});
    EXPECT_NE(manager.FindSkinForm(plain), nullptr);
    EXPECT_FALSE(manager.SkinWindow(plain)) << "never twice";
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, plain, WM_SKINAPPLIED, WM_SKINAPPLIED, PM_REMOVE));
    EXPECT_EQ(msg.lParam, 1000);

    // A destroyed window's frame goes at the next purge.
    DestroyWindow(plain);
    manager.PurgeDeadForms();
    EXPECT_TRUE(manager.SkinForms.empty());

    // A form whose Tag is 99 is never skinned.
    ui::TForm form(nullptr);
    form.SetTag(99);
    form.SetBounds(0, 0, 200, 100);
    EXPECT_FALSE(manager.SkinWindow(form.Handle()));
    form.SetTag(0);
    EXPECT_TRUE(manager.SkinWindow(form.Handle()));

    // A component that goes takes its frames with it.
    manager.RemoveSkinData(&data);
    EXPECT_EQ(gLog.detached, std::vector<HWND>{form.Handle()});
    EXPECT_TRUE(manager.SkinForms.empty());
}

TEST_F(SkinManager_, AComponentForOneFormSkinsItWhenLoaded)
{
    ui::TForm form(nullptr);
    form.SetBounds(0, 0, 240, 160);
    TSkinData main(nullptr);
    GiveSkin(main);
    auto* own = new TSkinData(&form);  // owned and freed by the form
    own->SetSkinFormtype(sfOnlyThisForm);
    GiveSkin(*own);

    main.Loaded();
    TSkinManage& manager = *SkinManager();
    EXPECT_FALSE(manager.SkinEnabled);
    own->Loaded();
    EXPECT_TRUE(manager.SkinEnabled);
    EXPECT_EQ(manager.RunState, 1);
    EXPECT_EQ(manager.MainSkinData, &main);
    EXPECT_EQ(gLog.attached, std::vector<HWND>{form.Handle()});
    ASSERT_NE(manager.FindSkinForm(form.Handle()), nullptr);
    EXPECT_EQ(manager.FindSkinForm(form.Handle())->SkinData(), own) << "its own form takes it";
    HWND other = Window(L"SkinManageTestOther");
    EXPECT_EQ(manager.FindSkinDataFor(other), &main);
}

TEST_F(SkinManager_, TheHookSkinsWindowsWhenActivated)
{
    TSkinManage& manager = CreateSkinManager();
    TSkinData data(nullptr);
    GiveSkin(data);
    manager.AddSkinData(&data);
    manager.InstallHook();
    ASSERT_NE(manager.HookHandle, nullptr);
    EXPECT_NE(manager.PlatformVersion, 0u);

    // With skinning off an activation only marks the application as running.
    HWND first = Window(L"SkinManageTestFirst");
    SetActiveWindow(first);
    testing_support::PumpMessages();
    EXPECT_EQ(manager.RunState, 1);
    EXPECT_TRUE(gLog.attached.empty());

    manager.SkinEnabled = true;
    std::vector<std::string> created;
    data.OnWindowCreated = [&](TSkinData* sender, HWND, const std::string& className) {
        EXPECT_EQ(sender, &data);
        created.push_back(className);
        throw std::runtime_error("swallowed by the hook");
    };
    HWND second = Window(L"SkinManageTestSecond");
    EXPECT_EQ(created, std::vector<std::string>{"SkinManageTestSecond"});
    SetActiveWindow(second);
    testing_support::PumpMessages();
    EXPECT_EQ(gLog.attached, std::vector<HWND>{second});

    // Without the manager the hook is gone: nothing is recorded any more. Its frames were freed
    // without a detach.
    FreeSkinManager();
    EXPECT_EQ(gLog.freedAtEnd, 1);
    EXPECT_TRUE(gLog.detached.empty());
    HWND third = Window(L"SkinManageTestThird");
    SetActiveWindow(third);
    testing_support::PumpMessages();
    EXPECT_EQ(gLog.attached, std::vector<HWND>{second});
    EXPECT_EQ(created.size(), 1u);
}

// The manager and the forms holding skin components end in any order: a component freed after
// the manager, or while it ends, touches nothing; one freed before it detaches its frames.
TEST_F(SkinManager_, FormsAndTheManagerEndInEitherOrder)
{
    HWND window = Window(L"SkinManageTestEnd");
    auto skinnedForm = [&](TSkinData*& data) {
        auto* form = new ui::TForm(nullptr);
        data = new TSkinData(form);
        GiveSkin(*data);
        TSkinManage& manager = CreateSkinManager();
        manager.AddSkinData(data);
        manager.PendingSkinData = data;
        manager.SkinForms.push_back(std::make_unique<RecordingFrame>(window, data));
        return form;
    };

    // The manager first, the form after.
    TSkinData* data = nullptr;
    ui::TForm* form = skinnedForm(data);
    ASSERT_EQ(SkinManager()->MainSkinData, data);
    FreeSkinManager();
    EXPECT_EQ(gLog.freedAtEnd, 1);
    EXPECT_TRUE(gLog.detached.empty()) << "the manager's end unskins nothing";
    delete form;
    EXPECT_EQ(SkinManager(), nullptr) << "a component freed later finds no manager";

    // The form first: its frames are detached, the manager holds nothing of it.
    form = skinnedForm(data);
    delete form;
    TSkinManage* manager = SkinManager();
    EXPECT_EQ(gLog.detached, std::vector<HWND>{window});
    EXPECT_TRUE(manager->SkinForms.empty());
    EXPECT_TRUE(manager->SkinDataList.empty());
    EXPECT_EQ(manager->MainSkinData, nullptr);
    EXPECT_EQ(manager->PendingSkinData, nullptr);
    FreeSkinManager();

    // The form freed while the manager ends (by one of its frames): it only leaves the lists.
    gLog = {};
    form = skinnedForm(data);
    TSkinData other(nullptr);
    SkinManager()->AddSkinData(&other);
    gLog.atEnd = [&] { delete form; };
    FreeSkinManager();
    EXPECT_EQ(gLog.freedAtEnd, 1);
    EXPECT_TRUE(gLog.detached.empty());
    EXPECT_EQ(SkinManager(), nullptr);
}

// A program ending with a skinned form still alive (freed by the application object during the
// static teardown) exits cleanly.
TEST(SkinManagerExit, AProgramEndingWithASkinnedFormExitsCleanly)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring probe(path);
    probe = probe.substr(0, probe.find_last_of(L"\\/") + 1) + L"skin_exit_probe.exe";
    ASSERT_NE(GetFileAttributesW(probe.c_str()), INVALID_FILE_ATTRIBUTES);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + probe + L"\"";
    ASSERT_TRUE(CreateProcessW(probe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    // A teardown that deadlocks must fail here, not hang the whole run.
    const DWORD waited = WaitForSingleObject(process.hProcess, 30000);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 2);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program did not end within 30 s";
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 0u);
}

} // namespace
