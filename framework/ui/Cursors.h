// Internal to the framework: the system cursor shown for a TCursor value.
#pragma once

#include <windows.h>

#include "framework/ui/Control.h"

HCURSOR CursorHandle(TCursor cursor);
