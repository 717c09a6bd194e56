#include "ProcessDriver.h"

#include <stdexcept>

#include "tests/launcher/TestContainer.h"

namespace {

std::string TempRoot() {
    char path[MAX_PATH] = {};
    GetTempPathA(sizeof path, path);
    std::string root = path;
    if (!root.empty() && root.back() != '\\')
        root += '\\';
    return root;
}

struct TWindowSearch {
    DWORD ProcessId;
    const char* ClassName;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TWindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->ProcessId || !IsWindowVisible(window))
        return TRUE;
    if (search->ClassName) {
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, search->ClassName) != 0)
            return TRUE;
    }
    search->Found.push_back(window);
    return TRUE;
}

struct TChildSearch {
    const char* ClassName;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TChildSearch*>(param);
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->ClassName) == 0)
        search->Found.push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND parent, const char* className) {
    TChildSearch search{className, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void SendMouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

} // namespace

TTempFolder::TTempFolder(const std::string& namePart) {
    static int counter = 0;
    path_ = TempRoot() + "ovalyn-" + namePart + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "\\";
    RemoveFolderTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr))
        throw std::runtime_error("cannot create " + path_);
}

TTempFolder::~TTempFolder() {
    RemoveFolderTree(path_);
}

void CopyFileOrThrow(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + from + " to " + to);
}

TProcess::TProcess(const std::string& program, const std::string& workingFolder,
                   const std::string& arguments) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &info_))
        throw std::runtime_error("cannot start " + program);
    CloseHandle(info_.hThread);
    info_.hThread = nullptr;
}

TProcess::~TProcess() {
    if (Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
}

bool TProcess::WaitForExit(DWORD timeoutMs) {
    return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool TProcess::Running() {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> TProcess::Windows(const char* className) const {
    TWindowSearch search{info_.dwProcessId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND TProcess::WaitForWindow(DWORD timeoutMs, const char* className) {
    DWORD start = GetTickCount();
    do {
        std::vector<HWND> found = Windows(className);
        if (!found.empty())
            return found.front();
        if (!Running())
            return nullptr;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string DialogText(HWND dialog) {
    std::string text;
    for (HWND child : Children(dialog, "Static"))
        text += WindowText(child);
    return text;
}

bool PressDialogButton(HWND dialog, const std::string& caption) {
    for (HWND button : Children(dialog, "Button")) {
        if (WindowText(button) == caption) {
            SendMessageA(button, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    Sleep(100);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(100);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void SendKey(WORD virtualKey, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

bool WaitForFile(const std::string& path, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    do {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}
