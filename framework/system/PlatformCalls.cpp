#include "framework/system/PlatformCalls.h"

#include <mmsystem.h>
#include <shellapi.h>

BOOL TPlatformCalls::PlaySoundA(const char* sound, HMODULE module, DWORD flags) {
    return ::PlaySoundA(sound, module, flags);
}
UINT TPlatformCalls::WinExec(const char* commandLine, UINT show) {
    return ::WinExec(commandLine, show);
}
HINSTANCE TPlatformCalls::ShellExecuteA(HWND window, const char* verb, const char* file,
                                        const char* parameters, const char* directory, int show) {
    return ::ShellExecuteA(window, verb, file, parameters, directory, show);
}
BOOL TPlatformCalls::MessageBeep(UINT type) {
    return ::MessageBeep(type);
}
int TPlatformCalls::MessageBoxA(HWND window, const char* text, const char* caption, UINT flags) {
    return ::MessageBoxA(window, text, caption, flags);
}
BOOL TPlatformCalls::CopyFileA(const char* from, const char* to, BOOL failIfExists) {
    return ::CopyFileA(from, to, failIfExists);
}
HMODULE TPlatformCalls::LoadLibraryA(const char* fileName) {
    return ::LoadLibraryA(fileName);
}
FARPROC TPlatformCalls::GetProcAddress(HMODULE module, const char* procName) {
    return ::GetProcAddress(module, procName);
}
BOOL TPlatformCalls::FreeLibrary(HMODULE module) {
    return module ? ::FreeLibrary(module) : FALSE;
}

namespace {
TPlatformCalls& RealCalls() {
    static TPlatformCalls real;
    return real;
}
TPlatformCalls* gInstalled = nullptr;
} // namespace

TPlatformCalls& Platform() {
    return gInstalled ? *gInstalled : RealCalls();
}

void SetPlatform(TPlatformCalls* calls) {
    gInstalled = calls;
}

ScopedPlatform::ScopedPlatform(TPlatformCalls& calls) : previous_(gInstalled) {
    gInstalled = &calls;
}
ScopedPlatform::~ScopedPlatform() {
    gInstalled = previous_;
}
