// The DirectX probe: the version text the registry records for DirectX.
#pragma once

#include <string>

// HKEY_LOCAL_MACHINE "Software\Microsoft\DirectX", value "version":
// "0" when the key is missing or cannot be opened for reading, "" when it
// holds no (or an empty) version value, otherwise the text as stored up to its
// first NUL. A value of another type raises ERegistryException. Reads only.
std::string GetDirectXVersion();
