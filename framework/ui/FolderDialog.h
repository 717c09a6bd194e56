// TFolderDialog: the system folder chooser (SHBrowseForFolderA with the
// resizable new-style dialog, available since Windows 2000, so XP works).
#pragma once

#include <windows.h>

#include <string>

class TFolderDialog {
public:
    std::string Title;
    // The folder selected when the dialog opens, and the chosen one after
    // Execute returned true.
    std::string Folder;

    // Runs the dialog owned by owner (nullptr: the application's window);
    // true when the user chose a folder of the file system.
    bool Execute(HWND owner = nullptr);
};
