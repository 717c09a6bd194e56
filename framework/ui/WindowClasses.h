// Internal to the framework: registration of the window classes controls are
// made from.
#pragma once

#include <windows.h>

#include <string>

struct TCreateParams;

namespace window_classes {
// Registers params.WindowClass under params.WinClassName with procedure (once
// per name) and returns the name to create windows with. A name already taken
// with a different class style or base procedure gets a numbered variant, so
// controls of one class that differ in csDoubleClicks each get theirs.
std::string Register(const TCreateParams& params, WNDPROC procedure);
} // namespace window_classes
