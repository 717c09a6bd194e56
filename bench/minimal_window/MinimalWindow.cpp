// One window of 1920x1080 client size, painted with a plain brush. When a
// command line is given it names an event that is set once the first
// WM_PAINT has been handled, so the benchmark can confirm that its outside
// view of "painted" does not fire early.
#include <windows.h>

namespace {

HANDLE g_paintedEvent = nullptr; // owned here, closed when the loop ends
bool g_painted = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(window, &ps);
        if (!g_painted && g_paintedEvent)
            SetEvent(g_paintedEvent);
        g_painted = true;
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    if (commandLine && *commandLine)
        g_paintedEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, commandLine);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "MinimalWindow";
    if (!RegisterClassA(&windowClass))
        return 1;

    // A popup, as the skinned launcher is: no frame, and no frame limits on size.
    const DWORD style = WS_POPUP;
    RECT frame{0, 0, 1920, 1080};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window =
        CreateWindowA("MinimalWindow", "Minimal window", style, 0, 0, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (g_paintedEvent)
        CloseHandle(g_paintedEvent);
    return static_cast<int>(message.wParam);
}
