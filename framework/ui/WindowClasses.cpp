#include "framework/ui/WindowClasses.h"

#include <map>

#include "framework/runtime/Exceptions.h"
#include "framework/ui/WinControl.h"

namespace {
struct TRegistered {
    UINT Style;
    WNDPROC BaseProcedure; // the standard class's own procedure, or nullptr
};
std::map<std::string, TRegistered>& Registered() {
    static std::map<std::string, TRegistered> classes;
    return classes;
}
} // namespace

namespace window_classes {

std::string Register(const TCreateParams& params, WNDPROC procedure) {
    const WNDCLASSA& wanted = params.WindowClass;
    // A superclass keeps its base procedure in the class description.
    WNDPROC base = wanted.lpfnWndProc == procedure ? nullptr : wanted.lpfnWndProc;
    for (int variant = 0; variant < 64; ++variant) {
        std::string name = params.WinClassName;
        if (variant > 0)
            name += "." + std::to_string(variant);
        auto found = Registered().find(name);
        if (found != Registered().end()) {
            if (found->second.Style == wanted.style && found->second.BaseProcedure == base)
                return name;
            continue;
        }
        WNDCLASSA windowClass = wanted;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = name.c_str();
        if (!RegisterClassA(&windowClass)) {
            if (GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
                continue; // taken by code outside the framework
            throw EOSError("Fensterklasse " + name + " konnte nicht registriert werden");
        }
        Registered()[name] = TRegistered{wanted.style, base};
        return name;
    }
    throw EOSError("Zu viele Fensterklassen namens " + params.WinClassName);
}

} // namespace window_classes
