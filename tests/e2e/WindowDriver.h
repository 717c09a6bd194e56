// Drives another process's windows from outside, as a user would: windows
// found by class, text and place, the real pointer and keyboard (SendInput
// through the display server), and waits that poll for a condition.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/win32/Handles.h"

// Polls condition every 50 ms until it holds or timeoutMs passed; returns
// whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Asked with WM_GETTEXT: GetWindowText reads only the creation caption of
// another process's control, not the text an edit control holds.
std::string TextOf(HWND window);
std::string ClassOf(HWND window);
// Every window below parent (children, their children...) of that class
// (any class when empty), visible ones only when visibleOnly.
std::vector<HWND> Descendants(HWND parent, const std::string& className = "",
                              bool visibleOnly = true);
// The only visible descendant of that class; nullptr when there is none or
// more than one.
HWND OnlyDescendant(HWND parent, const std::string& className);
// The first visible descendant of the class whose text is text, or nullptr.
HWND DescendantWithText(HWND parent, const std::string& className, const std::string& text);
// The child's rectangle in the client coordinates of parent.
RECT RectIn(HWND parent, HWND child);
POINT CentreOnScreen(HWND window);
// Classes and texts of the visible descendants, for failure messages.
std::string DescribeDescendants(HWND parent);

// The real pointer: moved (a move event at the new place), pressed, released.
void MovePointer(POINT to);
void PressLeft();
void ReleaseLeft();
void ClickAt(POINT at);
// Presses key with the modifiers held (all released afterwards).
void PressKeys(WORD key, std::initializer_list<WORD> modifiers = {});
// Types text key by key with the keyboard layout's keys (Shift where the
// character needs it); false when a character has no key.
bool TypeKeys(const std::string& text);
// Clicks into the edit field, selects all its text with End and Shift+Home
// and types text over it; true when the field then shows text.
bool ReplaceFieldText(HWND field, const std::string& text, DWORD timeoutMs);

// Visible top-level windows of other processes whose text is text.
std::vector<HWND> TopLevelWindowsWithText(const std::string& text);
// Texts and process ids of the visible top-level windows of other
// processes, for failure messages.
std::string DescribeTopLevelWindows();

// A process found through one of its windows: opened for waiting, asking
// its program's path and ending it; the destructor ends it if still running.
class TForeignProcess {
public:
    explicit TForeignProcess(HWND window);
    ~TForeignProcess();
    TForeignProcess(const TForeignProcess&) = delete;
    TForeignProcess& operator=(const TForeignProcess&) = delete;

    bool Opened() const { return static_cast<bool>(handle_); }
    DWORD Id() const { return id_; }
    // The full path of its program; "" when it cannot be asked.
    std::string ProgramPath() const;
    bool WaitForExit(DWORD timeoutMs) const;

private:
    struct ProcessTraits {
        static HANDLE Empty() noexcept { return nullptr; }
        static void Free(HANDLE h) noexcept { ::CloseHandle(h); }
    };
    handle_detail::UniqueHandle<HANDLE, ProcessTraits> handle_;
    DWORD id_ = 0;
};
