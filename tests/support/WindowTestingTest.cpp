#include "WindowTesting.h"

#include <gtest/gtest.h>

using namespace testing_support;
using namespace std::chrono_literals;

namespace {
::testing::AssertionResult Mentions(const std::string& message, const std::string& part)
{
    if (message.find(part) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << message << "\" does not mention \"" << part << "\"";
}
} // namespace

// A system message box answered through its real window proves the dialog-answering path that the
// application tests rely on.
TEST(WindowTesting, AnswersAModalMessageBoxThroughItsButton)
{
    int result = 0;
    const bool seen = AnswerWhenShown(L"#32770", [](HWND box) { PressButton(box, L"&No"); },
                                      [&] { result = MessageBoxW(nullptr, L"Continue?", L"Question", MB_YESNO); });
    EXPECT_TRUE(seen);
    EXPECT_EQ(result, IDNO);
}

// A box nobody answers, or that stays after its answer, fails the test within the bound, naming
// the box, and is closed so that its modal loop ends and the test goes on.
TEST(WindowTesting, ABoxLeftOpenFailsNamingItAndIsClosed)
{
    struct Case {
        const char* what;
        std::function<void(HWND)> answer;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"no answer", [](HWND) {}, "waited 0.5 s for #32770 \"Left open\" to close after its answer"},
        {"a key sent to no window", [](HWND) { PostMessageW(nullptr, WM_KEYDOWN, VK_RETURN, 1); }, "\"Left open\" to close"},
        {"a button it does not have", [](HWND box) { PressButton(box, L"&Maybe"); },
         "no button \"&Maybe\" on #32770 \"Left open\"; it has: \"&Yes\" \"&No\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int result = 0;
        bool seen = false;
        const auto start = std::chrono::steady_clock::now();
        const auto failures = FailuresOf([&] {
            seen = AnswerWhenShown(L"#32770", c.answer,
                                   [&] { result = MessageBoxW(nullptr, L"Nobody answers", L"Left open", MB_YESNO); }, 500ms);
        });
        EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_TRUE(Mentions(failures[0], c.expected));
        EXPECT_TRUE(seen);
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(FindProcessWindow(L"#32770"), nullptr);
    }
}

// Waiting for a box that never comes while another one holds the modal loop: the wait fails
// naming what it waited for and what was open, and the stray box is closed.
TEST(WindowTesting, AWaitForABoxThatNeverShowsEndsAndClosesTheBoxThatDid)
{
    const auto failures = FailuresOf([] {
        const bool seen = AnswerWhenShown(L"TMessageForm", [](HWND) {},
                                          [] { MessageBoxW(nullptr, L"Stray", L"Unexpected", MB_OK); }, 500ms);
        EXPECT_FALSE(seen);
    });
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_TRUE(Mentions(failures[0], "for a window of class TMessageForm to show; closing what is still open: #32770 \"Unexpected\""));
    EXPECT_EQ(FindProcessWindow(L"#32770"), nullptr);
}

// Nested stretches: the innermost names the wait; each ends with its own bound.
TEST(WindowTesting, WatchdogsNameTheInnermostWait)
{
    EXPECT_EQ(CurrentWait(), "");
    {
        ModalWatchdog outer("the outer stretch");
        EXPECT_EQ(CurrentWait(), "the outer stretch");
        {
            ModalWatchdog inner("the inner stretch");
            EXPECT_EQ(CurrentWait(), "the inner stretch");
            inner.Expect("the inner stretch's second step");
            EXPECT_EQ(CurrentWait(), "the inner stretch's second step");
        }
        EXPECT_EQ(CurrentWait(), "the outer stretch");
        EXPECT_FALSE(outer.Fired());
    }
    EXPECT_EQ(CurrentWait(), "");
    // A condition that never holds is waited for no longer than the bound, whatever was asked.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(PumpUntil([] { return false; }, 200ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}
