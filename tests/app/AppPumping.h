#pragma once
// Waiting on the form's windows through the application's own loop, so the framework's keyboard
// handling (Tab, Enter, mnemonics) sees the keys as it does in the program.
#include <chrono>
#include <functional>

namespace apptest {

// Processes the application's messages until `done` holds or the timeout ends; returns `done()`.
bool PumpApp(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

} // namespace apptest
