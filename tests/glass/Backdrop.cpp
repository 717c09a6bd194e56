// A screen-filling window painted with a pattern of many colours, so that a screenshot
// check of the glass example has something other than black behind the glass.
// Usage: glass_backdrop.exe MS   (ends by itself after MS milliseconds)
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

uint32_t PatternAt(int x, int y) {
    const uint32_t red = static_cast<uint32_t>(x * 255 / 1280) & 0xFF;
    const uint32_t green = static_cast<uint32_t>(y * 255 / 1024) & 0xFF;
    const uint32_t blue = ((x / 16 + y / 16) % 2) ? 220 : 30;
    return red << 16 | green << 8 | blue;
}

LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        const int width = client.right, height = client.bottom;
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[static_cast<size_t>(y) * width + x] = PatternAt(x, y);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info,
                          DIB_RGB_COLORS);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const int lifetime = __argc > 1 ? std::atoi(__argv[1]) : 10000;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BackdropProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "GlassBackdrop";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "GlassBackdrop", "Backdrop", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    SetTimer(window, 1, static_cast<UINT>(lifetime), nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(window);
    return 0;
}
