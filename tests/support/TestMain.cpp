#include "WindowTesting.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

// The last line of defence against a hang that no bounded wait can end (a modal loop that
// dispatches no timer, a blocked call): a test that runs past this ends its group's process with a
// message naming it, long before the test runner's own timeout.
constexpr auto kTestBound = std::chrono::seconds(150);

// The running test, shared with the watching thread. Never freed: the thread may look at it while
// the process ends.
struct RunningTest {
    std::mutex mutex;
    std::string name;
    std::chrono::steady_clock::time_point started;
    bool running = false;
};

class TestTracker : public ::testing::EmptyTestEventListener {
public:
    explicit TestTracker(RunningTest& test) : test_(test) {}
    void OnTestStart(const ::testing::TestInfo& info) override
    {
        std::lock_guard<std::mutex> lock(test_.mutex);
        test_.name = std::string(info.test_suite_name()) + "." + info.name();
        test_.started = std::chrono::steady_clock::now();
        test_.running = true;
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        std::lock_guard<std::mutex> lock(test_.mutex);
        test_.running = false;
    }

private:
    RunningTest& test_;
};

DWORD WINAPI WatchTests(LPVOID param)
{
    auto& test = *static_cast<RunningTest*>(param);
    for (;;) {
        Sleep(500);
        std::lock_guard<std::mutex> lock(test.mutex);
        if (!test.running || std::chrono::steady_clock::now() - test.started < kTestBound)
            continue;
        std::string message = "\n[ WATCHDOG ] " + test.name + " has run for " + std::to_string(kTestBound.count()) +
                              " s; ending the group";
        if (const std::string wait = testing_support::CurrentWait(); !wait.empty())
            message += " (it was waiting for " + wait + ")";
        std::fprintf(stdout, "%s\n", message.c_str());
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 3);
    }
}

} // namespace

int main(int argc, char** argv)
{
    // Tests answer every dialog themselves; a crash must end the process, not wait on a dialog box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::testing::InitGoogleTest(&argc, argv);
    auto* running = new RunningTest;
    // GoogleTest owns its listeners.
    ::testing::UnitTest::GetInstance()->listeners().Append(new TestTracker(*running));
    if (HANDLE thread = CreateThread(nullptr, 0, WatchTests, running, 0, nullptr))
        CloseHandle(thread);
    return RUN_ALL_TESTS();
}
