#include "framework/system/IniFile.h"

#include <windows.h>

#include <cctype>
#include <vector>

#include "framework/portable/Convert.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/StringList.h"

namespace {

// The longest value the profile routines hand back, without its NUL.
constexpr DWORD kValueBufferSize = 2048;

// A NUL-separated list (section or key names), read into a buffer that grows
// until the list fits: the routines report a cut list as size - 2.
std::vector<std::string> ReadNameList(const char* section, const std::string& fileName) {
    std::vector<char> buffer(4096);
    for (;;) {
        DWORD n = section ? ::GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                                       static_cast<DWORD>(buffer.size()),
                                                       fileName.c_str())
                          : ::GetPrivateProfileSectionNamesA(
                                buffer.data(), static_cast<DWORD>(buffer.size()), fileName.c_str());
        if (n + 2 < buffer.size() || buffer.size() >= (1u << 24)) {
            std::vector<std::string> names;
            for (DWORD i = 0; i < n;) {
                std::string name(buffer.data() + i);
                i += static_cast<DWORD>(name.size()) + 1;
                if (!name.empty())
                    names.push_back(name);
            }
            return names;
        }
        buffer.resize(buffer.size() * 4);
    }
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
    std::vector<char> buffer(kValueBufferSize, '\0');
    DWORD n = ::GetPrivateProfileStringA(section.c_str(), ident.c_str(), defaultValue.c_str(),
                                         buffer.data(), kValueBufferSize, fileName_.c_str());
    return std::string(buffer.data(), n);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
    if (!::WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(),
                                      fileName_.c_str()))
        throw EIniFileException("Fehler beim Schreiben in " + fileName_);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident,
                          int defaultValue) const {
    return IniStrToIntDef(ReadString(section, ident, ""), defaultValue);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident,
                        bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

bool TIniFile::SectionExists(const std::string& section) const {
    return !ReadNameList(section.c_str(), fileName_).empty();
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
    for (const std::string& key : ReadNameList(section.c_str(), fileName_))
        if (SameText(key, ident))
            return true;
    return false;
}

void TIniFile::ReadSection(const std::string& section, TStringList& keys) const {
    keys.Clear();
    for (const std::string& key : ReadNameList(section.c_str(), fileName_))
        keys.Add(key);
}

void TIniFile::ReadSections(TStringList& sections) const {
    sections.Clear();
    for (const std::string& name : ReadNameList(nullptr, fileName_))
        sections.Add(name);
}

void TIniFile::EraseSection(const std::string& section) {
    if (!::WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str()))
        throw EIniFileException("Fehler beim Schreiben in " + fileName_);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    ::WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, fileName_.c_str());
}

void TIniFile::UpdateFile() {
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str());
}
