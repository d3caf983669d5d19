#include <gtest/gtest.h>
#include <windows.h>

int main(int argc, char** argv)
{
    // Tests answer every dialog themselves; a crash must end the process, not wait on a dialog box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
