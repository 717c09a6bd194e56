#include "launcher/u_CheckSystemLittle.h"

#include <windows.h>

#include "framework/system/Registry.h"

std::string GetDirectXVersion() {
    std::string result = "0";
    // Read rights suffice for a probe; asking for full access would make it
    // fail (and report no DirectX) for every user without admin rights.
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (registry.OpenKey("\\Software\\Microsoft\\DirectX", false)) {
        // The registry object closes the key on every way out.
        if (registry.GetDataSize("version") <= 0)
            result.clear();
        else
            result = registry.ReadString("version");
        registry.CloseKey();
    }
    return result;
}
