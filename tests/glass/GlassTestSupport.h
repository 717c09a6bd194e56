// Real windows for the form tests: message pumping with time limits, the real pointer
// and buttons (SetCursorPos, SendInput), the pixels a window shows read back from its
// own DC, and region comparison.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "tests/support/MessagePump.h"


// The real pointer. Each waits until the system has seen the input.
void MovePointer(int screenX, int screenY);
void PressButton(DWORD downFlag);
// Press with the left button, drag to (screenX, screenY) and let go.
void DragLeftTo(int screenX, int screenY);

// 0x00RRGGBB of pixel (x, y) of an area of the window's client DC.
class WindowPixels {
public:
    WindowPixels(HWND window, int left, int top, int width, int height);
    uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

private:
    int width_;
    std::vector<uint32_t> pixels_;
};

// A 24-bit picture made in memory; rgb(x, y) gives 0x00RRGGBB of each pixel.
std::unique_ptr<TBitmap> MakePicture(int width, int height,
                                     const std::function<uint32_t(int x, int y)>& rgb);
uint32_t PixelOf(TBitmap& picture, int x, int y); // 0x00RRGGBB

// The window's region, or nullptr when it has none (a copy owned by the caller).
HRGN WindowRegion(HWND window);
// The region of every pixel of picture whose colour differs from cutRgb, built pixel
// row by pixel row here, independently of the library.
HRGN RegionWithout(TBitmap& picture, uint32_t cutRgb);
bool SameRegion(HRGN a, HRGN b);
