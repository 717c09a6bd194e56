// DemoApp: the program the demo menu starts. It records how it was started
// (its command line and the show state its starter asked for) in a text file
// beside itself, named after its own executable ("DemoApp.exe" writes
// "DemoApp.run.txt"), and its working folder in "DemoApp.folder.txt", and then
// shows that in a small window. With the word
// "-exit" anywhere on its command line it only records and ends, which lets
// tests start copies of it under other names and read what each one saw.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string OwnPath() {
    char path[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n);
}

std::string RecordFileName() {
    std::string path = OwnPath();
    std::string::size_type slash = path.find_last_of("\\/");
    std::string::size_type dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        path.erase(dot);
    return path + ".run.txt";
}

// The show state as the starter passed it; -1 when it passed none.
int RequestedShowState() {
    STARTUPINFOA info = {};
    info.cb = sizeof info;
    GetStartupInfoA(&info);
    return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : -1;
}

bool HasWord(const std::string& text, const std::string& word) {
    std::string::size_type at = 0;
    while ((at = text.find(word, at)) != std::string::npos) {
        bool startOk = at == 0 || text[at - 1] == ' ' || text[at - 1] == '"';
        std::string::size_type end = at + word.size();
        bool endOk = end == text.size() || text[end] == ' ' || text[end] == '"';
        if (startOk && endOk)
            return true;
        at = end;
    }
    return false;
}

// Written whole to a temporary name and then moved into place, so a reader
// never sees half a record.
bool WriteRecord(const std::string& commandLine, int showState) {
    std::string target = RecordFileName();
    std::string temp = target + ".tmp";
    FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file)
        return false;
    std::fprintf(file, "%s\r\n%d\r\n", commandLine.c_str(), showState);
    bool ok = std::fclose(file) == 0;
    return ok && MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::string g_report;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT area;
        GetClientRect(window, &area);
        InflateRect(&area, -16, -16);
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc, g_report.c_str(), static_cast<int>(g_report.size()), &area,
                  DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

// The working folder it was started in, in a file of its own beside the
// record ("DemoApp.folder.txt"), so the record keeps its two lines.
void WriteWorkingFolder() {
    char folder[MAX_PATH * 2] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    std::string path = RecordFileName();
    path.replace(path.size() - 8, 8, ".folder.txt"); // instead of ".run.txt"
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(folder, 1, length < sizeof folder ? length : 0, file);
        std::fclose(file);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::string commandLine = GetCommandLineA();
    int showState = RequestedShowState();
    WriteWorkingFolder();
    bool recorded = WriteRecord(commandLine, showState);
    if (HasWord(commandLine, "-exit"))
        return recorded ? 0 : 1;

    g_report = "The demo game is running.\n\nCommand line:\n" + commandLine +
               "\n\nShow state asked for: " + std::to_string(showState) +
               "\n\nClick or press a key to end.";
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "OvalynDemoApp";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Ovalyn Demo Adventure",
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 480, 260,
                                  nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    // The show state of the first ShowWindow call is the one the starter asked for.
    ShowWindow(window, SW_SHOWDEFAULT);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
