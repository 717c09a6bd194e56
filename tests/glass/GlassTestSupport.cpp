#include "GlassTestSupport.h"

#include "framework/ui/Application.h"

namespace {
INPUT MouseInput(DWORD flags, int screenX = 0, int screenY = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // Normalised coordinates: 0..65535 across the primary screen.
        input.mi.dx = MulDiv(screenX, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        input.mi.dy = MulDiv(screenY, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    return input;
}
} // namespace

void MovePointer(int screenX, int screenY) {
    SetCursorPos(screenX, screenY);
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screenX, screenY);
    SendInput(1, &input, sizeof input);
    PumpUntil([&] {
        POINT p{};
        GetCursorPos(&p);
        return p.x == screenX && p.y == screenY;
    });
    PumpFor(60);
}

void PressButton(DWORD downFlag) {
    INPUT input = MouseInput(downFlag);
    SendInput(1, &input, sizeof input);
    PumpFor(100);
}

namespace {
struct DragPath {
    POINT Middle, End;
};

// The rest of a drag, sent from a thread of its own: a move loop started by the press
// runs inside the press's handling and reads input that arrives while it runs.
DWORD WINAPI FinishDrag(void* parameter) {
    const auto* path = static_cast<const DragPath*>(parameter);
    Sleep(250);
    INPUT middle =
        MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, path->Middle.x, path->Middle.y);
    SendInput(1, &middle, sizeof middle);
    Sleep(100);
    INPUT end = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, path->End.x, path->End.y);
    SendInput(1, &end, sizeof end);
    Sleep(150);
    INPUT up = MouseInput(MOUSEEVENTF_LEFTUP);
    SendInput(1, &up, sizeof up);
    return 0;
}
} // namespace

void DragLeftTo(int screenX, int screenY) {
    POINT start{};
    GetCursorPos(&start);
    DragPath path{{(start.x + screenX) / 2, (start.y + screenY) / 2}, {screenX, screenY}};
    HANDLE finisher = CreateThread(nullptr, 0, FinishDrag, &path, 0, nullptr);
    INPUT down = MouseInput(MOUSEEVENTF_LEFTDOWN);
    SendInput(1, &down, sizeof down);
    PumpUntil([&] { return WaitForSingleObject(finisher, 0) == WAIT_OBJECT_0; }, 5000);
    WaitForSingleObject(finisher, 5000);
    CloseHandle(finisher);
    PumpFor(150);
}

WindowPixels::WindowPixels(HWND window, int left, int top, int width, int height)
    : width_(width), pixels_(static_cast<size_t>(width) * height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, windowDc, left, top, SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < pixels_.size(); ++i)
        pixels_[i] = words[i] & 0xFFFFFF; // memory order blue, green, red: 0x00RRGGBB
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
}

std::unique_ptr<TBitmap> MakePicture(int width, int height,
                                     const std::function<uint32_t(int x, int y)>& rgb) {
    auto picture = std::make_unique<TBitmap>();
    picture->SetPixelFormat(pf24bit);
    picture->SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = picture->ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const uint32_t c = rgb(x, y);
            row[3 * x] = static_cast<uint8_t>(c);
            row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(c >> 16);
        }
    }
    return picture;
}

uint32_t PixelOf(TBitmap& picture, int x, int y) {
    TBitmap copy;
    copy.Assign(&picture);
    copy.SetPixelFormat(pf24bit);
    const uint8_t* p = copy.ScanLine(y) + 3 * x;
    return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
}

HRGN WindowRegion(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) == ERROR) {
        DeleteObject(region);
        return nullptr;
    }
    return region;
}

HRGN RegionWithout(TBitmap& picture, uint32_t cutRgb) {
    TBitmap copy;
    copy.Assign(&picture);
    copy.SetPixelFormat(pf24bit);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < copy.Height(); ++y) {
        const uint8_t* row = copy.ScanLine(y);
        int x = 0;
        while (x < copy.Width()) {
            auto kept = [&](int at) {
                const uint8_t* p = row + 3 * at;
                return (p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16) != cutRgb;
            };
            if (!kept(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < copy.Width() && kept(x))
                ++x;
            HRGN run = CreateRectRgn(start, y, x, y + 1);
            CombineRgn(region, region, run, RGN_OR);
            DeleteObject(run);
        }
    }
    return region;
}

bool SameRegion(HRGN a, HRGN b) {
    return a && b && EqualRgn(a, b);
}
