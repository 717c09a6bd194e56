#include "KeyboardInput.h"

#include "framework/ui/Application.h"

namespace {
void SendKey(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

bool PumpApplication(const std::function<bool()>& done, DWORD limitMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs)
            return done();
        Application->ProcessMessages();
        Application->Idle();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}
} // namespace

void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers) {
    for (WORD modifier : modifiers)
        SendKey(modifier, true);
    SendKey(virtualKey, true);
    SendKey(virtualKey, false);
    for (auto it = modifiers.end(); it != modifiers.begin();)
        SendKey(*--it, false);
    // The keys come back through the display server.
    PumpApplicationFor(80);
}

bool PumpApplicationUntil(const std::function<bool()>& done) {
    return PumpApplication(done, 2000);
}

void PumpApplicationFor(int ms) {
    PumpApplication([] { return false; }, static_cast<DWORD>(ms));
}
