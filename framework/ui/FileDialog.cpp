#include "framework/ui/FileDialog.h"

#include <commdlg.h>

#include "framework/runtime/Exceptions.h"
#include "framework/ui/Application.h"

namespace {
// Room for a long path chosen in the dialog (the ANSI calls stop at MAX_PATH
// on older systems, but newer ones fill what they are given).
constexpr std::size_t fileBufferSize = 4096;
} // namespace

std::string FilterToSystemList(const std::string& filter) {
    if (filter.empty())
        return std::string(2, '\0');
    std::string list;
    std::size_t parts = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = filter.find('|', start);
        std::string part = filter.substr(start, bar == std::string::npos ? bar : bar - start);
        ++parts;
        if (parts % 2 == 0 && part.empty())
            throw EInvalidOperation("Dateifilter \"" + filter + "\": Muster " +
                                    std::to_string(parts / 2) + " ist leer");
        list += part;
        list += '\0';
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    if (parts % 2 != 0)
        throw EInvalidOperation("Dateifilter \"" + filter + "\": zu Beschreibung " +
                                std::to_string(parts / 2 + 1) + " fehlt das Muster");
    list += '\0';
    return list;
}

OPENFILENAMEA TFileDialog::Build(HWND owner) {
    filterBuffer_ = FilterToSystemList(Filter);
    fileBuffer_.assign(fileBufferSize, '\0');
    fileBuffer_.replace(0, std::min(FileName.size(), fileBufferSize - 1), FileName, 0,
                        fileBufferSize - 1);

    OPENFILENAMEA dialog{};
    // The size of the structure as Windows 2000 and later know it.
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner ? owner : (Application ? Application->Handle() : nullptr);
    dialog.lpstrFilter = Filter.empty() ? nullptr : filterBuffer_.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(FilterIndex < 1 ? 1 : FilterIndex);
    dialog.lpstrFile = fileBuffer_.data();
    dialog.nMaxFile = static_cast<DWORD>(fileBuffer_.size());
    dialog.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    dialog.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    dialog.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    dialog.Flags = Flags() | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_EXPLORER;
    return dialog;
}

bool TFileDialog::Execute(HWND owner) {
    OPENFILENAMEA dialog = Build(owner);
    if (!Run(dialog))
        return false;
    FileName = dialog.lpstrFile;
    FilterIndex = static_cast<int>(dialog.nFilterIndex);
    return true;
}

DWORD TOpenDialog::Flags() const {
    return OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
}

bool TOpenDialog::Run(OPENFILENAMEA& dialog) {
    return GetOpenFileNameA(&dialog) != FALSE;
}

DWORD TSaveDialog::Flags() const {
    return OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
}

bool TSaveDialog::Run(OPENFILENAMEA& dialog) {
    return GetSaveFileNameA(&dialog) != FALSE;
}
