// One window of 1920x1080 client size, painted with a plain brush. When a
// command line is given its first word names an event that is set once the
// first WM_PAINT has been handled, so the benchmark can confirm that its
// outside view of "painted" does not fire early. A second word "lists" adds
// two drop-down lists with a font each, as the launcher's menu has: the
// benchmark uses it to show what those standard controls cost on their own.
#include <windows.h>

#include <cstring>

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
    char eventName[256] = "";
    bool withLists = false;
    if (commandLine) {
        const char* blank = std::strchr(commandLine, ' ');
        const size_t length = blank ? size_t(blank - commandLine) : std::strlen(commandLine);
        if (length < sizeof eventName) {
            std::memcpy(eventName, commandLine, length);
            eventName[length] = '\0';
        }
        withLists = blank && std::strcmp(blank + 1, "lists") == 0;
    }
    if (*eventName)
        g_paintedEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName);

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
    // Fonts live as long as the process; the system frees them at its end.
    if (withLists) {
        const char* faces[2] = {"MS Sans Serif", "Tahoma"};
        for (int i = 0; i < 2; ++i) {
            HWND list = CreateWindowA(
                "COMBOBOX", "",
                WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 100,
                100 + 40 * i, 185, 150, window, nullptr, instance, nullptr);
            HFONT font = CreateFontA(-11 - i, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                                     0, faces[i]);
            SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Windowed"));
            SendMessageA(list, CB_SETCURSEL, 0, 0);
        }
    }
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
