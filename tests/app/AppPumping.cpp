#include "AppPumping.h"

#include <windows.h>

#include "ui/Forms.h"

namespace apptest {

bool PumpApp(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        ui::Application.ProcessMessages();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        Sleep(5);
    }
}

} // namespace apptest
