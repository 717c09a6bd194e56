#include "WindowDriver.h"

#include <psapi.h>

namespace {

struct TDescendantSearch {
    std::string ClassName;
    bool VisibleOnly;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectDescendant(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TDescendantSearch*>(param);
    if (search->VisibleOnly && !IsWindowVisible(window))
        return TRUE;
    if (!search->ClassName.empty() &&
        lstrcmpiA(ClassOf(window).c_str(), search->ClassName.c_str()) != 0)
        return TRUE;
    search->Found.push_back(window);
    return TRUE;
}

struct TTextSearch {
    bool Any;
    std::string Text;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TTextSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId() && IsWindowVisible(window) &&
        (search->Any || TextOf(window) == search->Text))
        search->Found.push_back(window);
    return TRUE;
}

void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

INPUT KeyInput(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

void SendKeys(std::vector<INPUT>& inputs) {
    if (!inputs.empty())
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // The display server hands the keys on; the next step waits for their effect.
    Sleep(30);
}

} // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(50);
    }
}

std::string TextOf(HWND window) {
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> Descendants(HWND parent, const std::string& className, bool visibleOnly) {
    TDescendantSearch search{className, visibleOnly, {}};
    EnumChildWindows(parent, CollectDescendant, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND OnlyDescendant(HWND parent, const std::string& className) {
    const std::vector<HWND> found = Descendants(parent, className);
    return found.size() == 1 ? found.front() : nullptr;
}

HWND DescendantWithText(HWND parent, const std::string& className, const std::string& text) {
    for (HWND window : Descendants(parent, className))
        if (TextOf(window) == text)
            return window;
    return nullptr;
}

RECT RectIn(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT CentreOnScreen(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string DescribeDescendants(HWND parent) {
    std::string list;
    for (HWND window : Descendants(parent)) {
        const RECT rect = RectIn(parent, window);
        list += ClassOf(window) + " \"" + TextOf(window) + "\" at " + std::to_string(rect.left) +
                "," + std::to_string(rect.top) + "; ";
    }
    return list;
}

void MovePointer(POINT to) {
    SetCursorPos(to.x, to.y);
    // A relative move of nothing: a move event where the pointer now is.
    SendMouse(MOUSEEVENTF_MOVE);
    WaitUntil(
        [&] {
            POINT at{};
            GetCursorPos(&at);
            return at.x == to.x && at.y == to.y;
        },
        2000);
    Sleep(30);
}

void PressLeft() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(60);
}

void ReleaseLeft() {
    SendMouse(MOUSEEVENTF_LEFTUP);
    Sleep(60);
}

void ClickAt(POINT at) {
    MovePointer(at);
    PressLeft();
    ReleaseLeft();
}

void PressKeys(WORD key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers)
        inputs.push_back(KeyInput(modifier, true));
    inputs.push_back(KeyInput(key, true));
    inputs.push_back(KeyInput(key, false));
    for (auto it = modifiers.end(); it != modifiers.begin();)
        inputs.push_back(KeyInput(*--it, false));
    SendKeys(inputs);
}

bool TypeKeys(const std::string& text) {
    std::vector<INPUT> inputs;
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan == -1)
            return false;
        const WORD key = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift)
            inputs.push_back(KeyInput(VK_SHIFT, true));
        inputs.push_back(KeyInput(key, true));
        inputs.push_back(KeyInput(key, false));
        if (shift)
            inputs.push_back(KeyInput(VK_SHIFT, false));
    }
    SendKeys(inputs);
    return true;
}

bool ReplaceFieldText(HWND field, const std::string& text, DWORD timeoutMs) {
    ClickAt(CentreOnScreen(field));
    PressKeys(VK_END);
    PressKeys(VK_HOME, {VK_SHIFT});
    if (!TypeKeys(text))
        return false;
    return WaitUntil([&] { return TextOf(field) == text; }, timeoutMs);
}

std::vector<HWND> TopLevelWindowsWithText(const std::string& text) {
    TTextSearch search{false, text, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string DescribeTopLevelWindows() {
    TTextSearch search{true, "", {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    std::string list;
    for (HWND window : search.Found) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        list += ClassOf(window) + " \"" + TextOf(window) + "\" of process " + std::to_string(pid);
        // A dialog's message is in its static children.
        for (HWND text : Descendants(window, "Static"))
            list += " \"" + TextOf(text) + "\"";
        list += "; ";
    }
    return list;
}

TForeignProcess::TForeignProcess(HWND window) {
    GetWindowThreadProcessId(window, &id_);
    handle_.reset(OpenProcess(
        SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id_));
}

TForeignProcess::~TForeignProcess() {
    if (handle_ && !WaitForExit(0)) {
        TerminateProcess(handle_.get(), 99);
        WaitForSingleObject(handle_.get(), 5000);
    }
}

std::string TForeignProcess::ProgramPath() const {
    char path[MAX_PATH * 2] = {};
    if (!handle_)
        return {};
    const DWORD size = GetModuleFileNameExA(handle_.get(), nullptr, path, sizeof path);
    return std::string(path, size);
}

bool TForeignProcess::WaitForExit(DWORD timeoutMs) const {
    return handle_ && WaitForSingleObject(handle_.get(), timeoutMs) == WAIT_OBJECT_0;
}
