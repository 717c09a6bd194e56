#include "framework/system/PlatformCalls.h"

#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include "framework/system/SoundQueue.h"

namespace {
// Sound and shell DLLs are loaded on first use rather than imported: under
// Wine each costs a program some 10-20 ms before its first line runs, and a
// launcher may never open a shell target.
template <typename Function> Function LateBound(const char* dll, const char* name) {
    HMODULE module = ::LoadLibraryA(dll); // kept loaded for the rest of the process
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
               : nullptr;
}
} // namespace

BOOL TPlatformCalls::PlaySoundA(const char* sound, HMODULE module, DWORD flags) {
    // Made once and kept to the end of the process: its thread may still be
    // playing while static objects are destroyed.
    static TSoundQueue* const queue = new TSoundQueue([](const char* s, HMODULE m, DWORD f) {
        static const auto play = LateBound<decltype(&::PlaySoundA)>("winmm.dll", "PlaySoundA");
        return play ? play(s, m, f) : FALSE;
    });
    return queue->Play(sound, module, flags);
}
UINT TPlatformCalls::WinExec(const char* commandLine, UINT show) {
    return ::WinExec(commandLine, show);
}
HINSTANCE TPlatformCalls::ShellExecuteA(HWND window, const char* verb, const char* file,
                                        const char* parameters, const char* directory, int show) {
    static const auto execute =
        LateBound<decltype(&::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    return execute ? execute(window, verb, file, parameters, directory, show)
                   : reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND);
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
LONG TPlatformCalls::RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access,
                                   HKEY* result) {
    return ::RegOpenKeyExA(key, subKey, options, access, result);
}
BOOL TPlatformCalls::GetVolumeInformationA(const char* root, char* volumeName, DWORD volumeNameSize,
                                           DWORD* serialNumber, DWORD* maxComponentLength,
                                           DWORD* fileSystemFlags, char* fileSystemName,
                                           DWORD fileSystemNameSize) {
    return ::GetVolumeInformationA(root, volumeName, volumeNameSize, serialNumber,
                                   maxComponentLength, fileSystemFlags, fileSystemName,
                                   fileSystemNameSize);
}
BOOL TPlatformCalls::GetVolumePathNameA(const char* path, char* mountPoint, DWORD size) {
    return ::GetVolumePathNameA(path, mountPoint, size);
}
HANDLE TPlatformCalls::CreateFileA(const char* path, DWORD access, DWORD share,
                                   SECURITY_ATTRIBUTES* security, DWORD disposition, DWORD flags,
                                   HANDLE templateFile) {
    return ::CreateFileA(path, access, share, security, disposition, flags, templateFile);
}
HRESULT TPlatformCalls::SHGetFolderPathA(HWND window, int folder, HANDLE token, DWORD flags,
                                         char* path) {
    static const auto getFolder =
        LateBound<decltype(&::SHGetFolderPathA)>("shell32.dll", "SHGetFolderPathA");
    return getFolder ? getFolder(window, folder, token, flags, path) : E_NOTIMPL;
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
