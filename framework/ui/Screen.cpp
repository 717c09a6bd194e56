#include "framework/ui/Screen.h"

#include <windows.h>

namespace {
TScreen processScreen;
}

TScreen* Screen = &processScreen;

int TScreen::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

int TScreen::PixelsPerInch() const {
    HDC screen = GetDC(nullptr);
    int perInch = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return perInch > 0 ? perInch : 96;
}
