// The base of the library's shaped windowed controls, and the library's
// exception class.
#pragma once

#include "framework/runtime/Exceptions.h"

// Raised when one of the library's platform calls fails; carries its message only.
OVALYN_DECLARE_EXCEPTION(OvalynShapeException, Exception);
