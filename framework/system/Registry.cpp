#include "framework/system/Registry.h"

#include <vector>

#include "framework/runtime/Exceptions.h"
#include "framework/system/PlatformCalls.h"

namespace {

std::string FetchFailed(const std::string& name) {
    return "Fehler beim Holen der Daten f\xFCr '" + name + "'";
}
std::string WrongType(const std::string& name) {
    return "Ung\xFCltiger Datentyp f\xFCr '" + name + "'";
}
std::string StoreFailed(const std::string& name) {
    return "Fehler beim Setzen der Daten f\xFCr '" + name + "'";
}

// Deletes a key with everything below it (RegDeleteKeyA alone refuses keys
// that have subkeys on some systems).
bool DeleteTree(HKEY parent, const std::string& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegistryKey owner(key);
        for (;;) {
            char sub[256];
            DWORD length = sizeof(sub);
            if (::RegEnumKeyExA(key, 0, sub, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            if (!DeleteTree(key, std::string(sub, length)))
                return false;
        }
    }
    return ::RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

} // namespace

TRegistry::TRegistry(REGSAM access) : access_(access) {}

TRegistry::~TRegistry() {
    CloseKey();
}

void TRegistry::SetRootKey(HKEY root) {
    if (root == rootKey_)
        return;
    CloseKey();
    rootKey_ = root;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    std::string path = key;
    const bool relative = path.empty() || path[0] != '\\';
    if (!relative)
        path.erase(0, 1);
    HKEY base = currentKey_ && relative ? currentKey_.get() : rootKey_;
    HKEY opened = nullptr;
    LONG result;
    if (!canCreate || path.empty()) {
        // Through the seam, so tests can see the rights asked for.
        result = Platform().RegOpenKeyExA(base, path.c_str(), 0, access_, &opened);
    } else {
        DWORD disposition = 0;
        result = ::RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                                   nullptr, &opened, &disposition);
    }
    if (result != ERROR_SUCCESS)
        return false;
    if (currentKey_ && relative && !currentPath_.empty())
        path = currentPath_ + "\\" + path;
    currentKey_.reset(opened);
    currentPath_ = path;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
    REGSAM saved = access_;
    access_ = KEY_READ;
    bool opened = OpenKey(key, false);
    access_ = saved;
    return opened;
}

void TRegistry::CloseKey() {
    currentKey_.reset();
    currentPath_.clear();
}

bool TRegistry::KeyExists(const std::string& key) {
    std::string path = key;
    const bool relative = path.empty() || path[0] != '\\';
    if (!relative)
        path.erase(0, 1);
    HKEY base = currentKey_ && relative ? currentKey_.get() : rootKey_;
    HKEY probe = nullptr;
    if (Platform().RegOpenKeyExA(base, path.c_str(), 0, KEY_QUERY_VALUE, &probe) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(probe);
    return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
    std::string path = key;
    const bool relative = path.empty() || path[0] != '\\';
    if (!relative)
        path.erase(0, 1);
    if (path.empty())
        return false;
    HKEY base = currentKey_ && relative ? currentKey_.get() : rootKey_;
    return DeleteTree(base, path);
}

bool TRegistry::FetchInfo(const std::string& name, DWORD& type, DWORD& size) const {
    if (!currentKey_)
        return false;
    type = REG_NONE;
    size = 0;
    return ::RegQueryValueExA(currentKey_.get(), name.c_str(), nullptr, &type, nullptr, &size) ==
           ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const {
    DWORD type, size;
    return FetchInfo(name, type, size);
}

int TRegistry::GetDataSize(const std::string& name) const {
    DWORD type, size;
    return FetchInfo(name, type, size) ? static_cast<int>(size) : -1;
}

TRegDataType TRegistry::GetDataType(const std::string& name) const {
    DWORD type, size;
    if (!FetchInfo(name, type, size))
        return rdUnknown;
    switch (type) {
    case REG_SZ:
        return rdString;
    case REG_EXPAND_SZ:
        return rdExpandString;
    case REG_DWORD:
        return rdInteger;
    case REG_BINARY:
        return rdBinary;
    default:
        return rdUnknown;
    }
}

std::string TRegistry::ReadString(const std::string& name) const {
    const int length = GetDataSize(name);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length));
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(length);
    if (::RegQueryValueExA(currentKey_.get(), name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        throw ERegistryException(FetchFailed(name));
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(WrongType(name));
    size_t end = 0;
    const size_t stored = std::min<size_t>(size, buffer.size());
    while (end < stored && buffer[end] != '\0')
        ++end;
    return std::string(buffer.data(), end);
}

int TRegistry::ReadInteger(const std::string& name) const {
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof(value);
    if (!currentKey_ || ::RegQueryValueExA(currentKey_.get(), name.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        throw ERegistryException(FetchFailed(name));
    if (type != REG_DWORD)
        throw ERegistryException(WrongType(name));
    return static_cast<int>(value);
}

void TRegistry::WriteData(const std::string& name, DWORD type, const void* data, DWORD size) {
    if (!currentKey_ || ::RegSetValueExA(currentKey_.get(), name.c_str(), 0, type,
                                         static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw ERegistryException(StoreFailed(name));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    WriteData(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
    WriteData(name, REG_EXPAND_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteInteger(const std::string& name, int value) {
    DWORD data = static_cast<DWORD>(value);
    WriteData(name, REG_DWORD, &data, sizeof(data));
}

bool TRegistry::DeleteValue(const std::string& name) {
    return currentKey_ && ::RegDeleteValueA(currentKey_.get(), name.c_str()) == ERROR_SUCCESS;
}
