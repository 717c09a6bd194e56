#include "DirectXKey.h"

#include <stdexcept>

namespace {
constexpr const char* kKeyPath = "Software\\Microsoft\\DirectX";
}

TDirectXKey::TDirectXKey() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    existed_ = true;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name, type = 0, dataSize = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) !=
            ERROR_SUCCESS)
            break;
        std::string data(dataSize, '\0');
        nameSize = sizeof name;
        RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                      &dataSize);
        saved_.push_back({std::string(name, nameSize), type, data.substr(0, dataSize)});
    }
    RegCloseKey(key);
}

TDirectXKey::~TDirectXKey() {
    RemoveKey();
    if (!existed_)
        return;
    HKEY key = OpenOrCreate();
    for (const TValue& value : saved_)
        RegSetValueExA(key, value.Name.c_str(), 0, value.Type,
                       reinterpret_cast<const BYTE*>(value.Data.data()),
                       static_cast<DWORD>(value.Data.size()));
    RegCloseKey(key);
}

HKEY TDirectXKey::OpenOrCreate() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the DirectX key");
    return key;
}

void TDirectXKey::RemoveKey() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKeyPath);
}

void TDirectXKey::RemoveVersion() {
    HKEY key = OpenOrCreate();
    RegDeleteValueA(key, "Version");
    RegCloseKey(key);
}

void TDirectXKey::SetVersion(const std::string& text, DWORD type) {
    SetVersionData(type, std::string(text.c_str(), text.size() + 1));
}

void TDirectXKey::SetVersionData(DWORD type, const std::string& bytes) {
    HKEY key = OpenOrCreate();
    RegSetValueExA(key, "Version", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}
