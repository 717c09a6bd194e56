// The owner of a loaded module. Modules are freed through the platform seam
// (PlatformCalls.h) so that tests which answer LoadLibraryA with a fake
// handle never hand it to the real FreeLibrary.
#pragma once

#include "framework/win32/Handles.h"

namespace handle_detail {
struct ModuleTraits {
    static HMODULE Empty() noexcept { return nullptr; }
    static void Free(HMODULE h) noexcept;
};
} // namespace handle_detail

using ModuleHandle = handle_detail::UniqueHandle<HMODULE, handle_detail::ModuleTraits>;
