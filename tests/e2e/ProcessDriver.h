// Drives real programs for end-to-end tests: temporary folders, process
// starts, finding a process's windows, the real pointer and keyboard.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with its contents when
// the object goes. Its name holds a blank only where namePart has one.
class TTempFolder {
public:
    explicit TTempFolder(const std::string& namePart);
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    // With its trailing backslash.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

void CopyFileOrThrow(const std::string& from, const std::string& to);

// A started program; the destructor ends it if it still runs.
class TProcess {
public:
    // Starts the program with the given working folder (not its own folder)
    // and command-line arguments after the program's quoted path.
    TProcess(const std::string& program, const std::string& workingFolder,
             const std::string& arguments = "");
    ~TProcess();
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    // True when the process ended within timeoutMs.
    bool WaitForExit(DWORD timeoutMs);
    bool Running();

    // Visible top-level windows of the process, optionally only of one class.
    std::vector<HWND> Windows(const char* className = nullptr) const;
    // Waits until a visible top-level window (of the class, if given) appears.
    HWND WaitForWindow(DWORD timeoutMs, const char* className = nullptr);

private:
    PROCESS_INFORMATION info_{};
};

// Texts of the static controls in a dialog (a message box's message).
std::string DialogText(HWND dialog);
// Presses a dialog's button with that caption (BM_CLICK); false if none.
bool PressDialogButton(HWND dialog, const std::string& caption);

// Moves the real pointer to the screen point and clicks the left button.
void ClickAt(int x, int y);
// Presses or releases a key with the real keyboard.
void SendKey(WORD virtualKey, bool down);
// Waits until the file exists; false on timeout (writers here move files into place whole).
bool WaitForFile(const std::string& path, DWORD timeoutMs);
