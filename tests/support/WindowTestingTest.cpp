#include "WindowTesting.h"

#include <gtest/gtest.h>

using namespace testing_support;

// A system message box answered through its real window proves the dialog-answering path that the
// application tests rely on.
TEST(WindowTesting, AnswersAModalMessageBox)
{
    int result = 0;
    const bool seen = AnswerWhenShown(L"#32770", [](HWND box) {
        PostMessageW(box, WM_COMMAND, IDNO, 0);
    }, [&] { result = MessageBoxW(nullptr, L"Continue?", L"Question", MB_YESNO); });
    EXPECT_TRUE(seen);
    EXPECT_EQ(result, IDNO);
}
