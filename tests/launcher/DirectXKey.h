// Test control over HKEY_LOCAL_MACHINE "Software\Microsoft\DirectX": the
// guard keeps a copy of every value the key holds and puts the key back as it
// was when it goes (so Wine's "4.09.00.0904" survives every test).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TDirectXKey {
public:
    TDirectXKey();
    ~TDirectXKey();
    TDirectXKey(const TDirectXKey&) = delete;
    TDirectXKey& operator=(const TDirectXKey&) = delete;

    void RemoveKey();
    void RemoveVersion(); // the key stays
    void SetVersion(const std::string& text, DWORD type = REG_SZ);
    // Raw bytes, for values with embedded NULs or of other types.
    void SetVersionData(DWORD type, const std::string& bytes);

private:
    struct TValue {
        std::string Name;
        DWORD Type;
        std::string Data;
    };
    HKEY OpenOrCreate();
    bool existed_ = false;
    std::vector<TValue> saved_;
};
