#include "tests/support/MessagePump.h"

#include <windows.h>

#include "framework/ui/Application.h"

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return done();
        MSG msg;
        bool any = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (msg.message == WM_QUIT)
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (Application)
            Application->Idle();
        if (!any)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}
