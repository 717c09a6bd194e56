// TOpenDialog / TSaveDialog: the system file dialogs (GetOpenFileNameA /
// GetSaveFileNameA). The process's current folder is left alone
// (OFN_NOCHANGEDIR): relative paths elsewhere keep their meaning.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

class TFileDialog {
public:
    virtual ~TFileDialog() = default;

    // "Menus (*.ini)|*.ini|All files (*.*)|*.*": pairs of description and
    // pattern separated by '|'. An odd number of parts or an empty pattern
    // raises EInvalidOperation naming the filter.
    std::string Filter;
    // 1-based, as the system counts; after Execute the filter the user chose.
    int FilterIndex = 1;
    std::string InitialDir;
    // Appended when the user types a name without extension (no dot: "ini").
    std::string DefaultExt;
    std::string Title;
    // The chosen file after Execute (and the name proposed before it).
    std::string FileName;

    // Runs the dialog owned by owner (nullptr: the application's window);
    // true when the user chose a file.
    bool Execute(HWND owner = nullptr);

    // The structure Execute hands to the system; it points into this object
    // (filter and file name buffers), valid until the next Build or Execute.
    OPENFILENAMEA Build(HWND owner);

protected:
    virtual DWORD Flags() const = 0;
    virtual bool Run(OPENFILENAMEA& dialog) = 0;

private:
    std::string filterBuffer_; // NUL-separated, double NUL at the end
    std::string fileBuffer_;
};

// Only existing files in existing folders may be chosen.
class TOpenDialog : public TFileDialog {
protected:
    DWORD Flags() const override;
    bool Run(OPENFILENAMEA& dialog) override;
};

// The user is asked before an existing file is replaced.
class TSaveDialog : public TFileDialog {
protected:
    DWORD Flags() const override;
    bool Run(OPENFILENAMEA& dialog) override;
};

// The system's double-NUL list for a '|' filter (see TFileDialog::Filter).
std::string FilterToSystemList(const std::string& filter);
