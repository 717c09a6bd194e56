#include "framework/system/ModuleHandle.h"

#include "framework/system/PlatformCalls.h"

void handle_detail::ModuleTraits::Free(HMODULE h) noexcept {
    Platform().FreeLibrary(h);
}
