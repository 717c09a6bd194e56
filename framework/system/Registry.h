// TRegistry: access to one open registry key at a time below a root key.
#pragma once

#include <windows.h>

#include <string>

#include "framework/runtime/Persistent.h"
#include "framework/win32/Handles.h"

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
public:
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS);
    ~TRegistry() override;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;
    const char* ClassName() const override { return "TRegistry"; }

    // HKEY_CURRENT_USER until set; setting it closes the open key.
    HKEY RootKey() const { return rootKey_; }
    void SetRootKey(HKEY root);
    REGSAM Access() const { return access_; }
    void SetAccess(REGSAM access) { access_ = access; }

    // Opens key with Access(): a leading backslash means from the root key,
    // otherwise relative to the open key (or the root when none is open).
    // canCreate false uses RegOpenKeyExA only; true creates missing keys.
    // Returns false when the key cannot be opened; the former key then stays open.
    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    HKEY CurrentKey() const { return currentKey_.get(); }
    // Path of the open key below the root, without a leading backslash.
    const std::string& CurrentPath() const { return currentPath_; }
    bool KeyExists(const std::string& key);
    bool DeleteKey(const std::string& key);

    // Value queries on the open key; the value names ignore case.
    bool ValueExists(const std::string& name) const;
    // The value's size in bytes; -1 when it is missing (or no key is open).
    int GetDataSize(const std::string& name) const;
    TRegDataType GetDataType(const std::string& name) const;

    // REG_SZ and REG_EXPAND_SZ values, as stored (nothing expanded), up to the
    // first NUL; "" when the value is missing or empty. Another type raises
    // ERegistryException "Ungültiger Datentyp für '<name>'"; a value that
    // cannot be fetched "Fehler beim Holen der Daten für '<name>'".
    std::string ReadString(const std::string& name) const;
    // REG_DWORD values; other types or a missing value raise as ReadString.
    int ReadInteger(const std::string& name) const;

    // Writing raises ERegistryException "Fehler beim Setzen der Daten für '<name>'".
    void WriteString(const std::string& name, const std::string& value);
    void WriteExpandString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int value);
    // Raw bytes with an explicit type (REG_SZ with embedded NULs, REG_BINARY ...).
    void WriteData(const std::string& name, DWORD type, const void* data, DWORD size);
    bool DeleteValue(const std::string& name);

private:
    bool FetchInfo(const std::string& name, DWORD& type, DWORD& size) const;

    HKEY rootKey_ = HKEY_CURRENT_USER;
    REGSAM access_;
    RegistryKey currentKey_;
    std::string currentPath_;
};
