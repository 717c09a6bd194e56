// Owners for the handles the resource tests take from Windows: an icon, and
// an executable mapped as data only (nothing of it runs).
#pragma once

#include <windows.h>

#include "framework/win32/Handles.h"

struct IconTraits {
    static HICON Empty() noexcept { return nullptr; }
    static void Free(HICON h) noexcept { ::DestroyIcon(h); }
};
using IconHandle = handle_detail::UniqueHandle<HICON, IconTraits>;

struct DataModuleTraits {
    static HMODULE Empty() noexcept { return nullptr; }
    static void Free(HMODULE h) noexcept { ::FreeLibrary(h); }
};
using DataModule = handle_detail::UniqueHandle<HMODULE, DataModuleTraits>;

// The size of an icon's colour bitmap; {0, 0} when Windows gives none.
inline SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return {0, 0};
    BitmapHandle colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    if (!colour || !GetObjectA(colour.get(), sizeof bitmap, &bitmap))
        return {0, 0};
    return {bitmap.bmWidth, bitmap.bmHeight};
}
