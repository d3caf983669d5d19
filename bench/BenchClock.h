#pragma once
// What the window benchmarks share: a precise clock and a bounded wait that keeps the message
// loop running.
#include "ui/Forms.h"

#include <windows.h>

#include <functional>

namespace bench {

// Seconds on the performance counter.
inline double Seconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Handles messages until `done` holds, at most 20 s; returns whether it held.
inline bool PumpUntil(const std::function<bool()>& done)
{
    const double end = Seconds() + 20;
    while (Seconds() < end) {
        ui::Application.ProcessMessages();
        if (done())
            return true;
        Sleep(1);
    }
    return false;
}

} // namespace bench
