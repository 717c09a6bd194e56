#include "framework/ui/FontNames.h"

#include <windows.h>

#include <algorithm>

#include "framework/win32/Handles.h"

namespace {
int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names) {
    // "@" marks the vertical variant of an East Asian font.
    if (font->lfFaceName[0] != '@' && font->lfFaceName[0] != '\0')
        reinterpret_cast<std::vector<std::string>*>(names)->emplace_back(font->lfFaceName);
    return 1;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
}
} // namespace

std::vector<std::string> ScreenFontNames() {
    std::vector<std::string> names;
    WindowDc screen = WindowDc::Client(nullptr);
    if (!screen)
        return names;
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET; // every character set: one call per family and set
    EnumFontFamiliesExA(screen.get(), &all, reinterpret_cast<FONTENUMPROCA>(AddFamily),
                        reinterpret_cast<LPARAM>(&names), 0);
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    names.erase(std::unique(names.begin(), names.end(),
                            [](const std::string& a, const std::string& b) {
                                return lstrcmpiA(a.c_str(), b.c_str()) == 0;
                            }),
                names.end());
    return names;
}
