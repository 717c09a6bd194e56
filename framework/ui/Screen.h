// TScreen: facts about the display (global `Screen`).
#pragma once

class TScreen {
public:
    // The primary screen's size in pixels (SM_CXSCREEN / SM_CYSCREEN).
    int Width() const;
    int Height() const;
    // Logical pixels per inch of the screen.
    int PixelsPerInch() const;
};

extern TScreen* Screen;
