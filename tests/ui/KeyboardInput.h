// Real keyboard input for the window tests: keys go through SendInput and
// the display server, and come back through the application's message loop
// (so Tab, menu shortcuts and the default button are handled as in a program).
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>

void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers = {});
// Runs the application's message loop (TApplication::ProcessMessages) until
// done() holds or about two seconds passed; returns done().
bool PumpApplicationUntil(const std::function<bool()>& done);
// As above for a while, for "nothing happened" checks.
void PumpApplicationFor(int ms);
