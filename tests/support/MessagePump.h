// Message pumping with time limits for the tests that open real windows.
#pragma once

#include <functional>

// Handles messages (and the application's idle work, which reports pointer
// enter and leave) until done() holds or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);
// Handles messages for a while (for "nothing happens" checks).
void PumpFor(int ms);
