// The seam through which the system reaches the platform calls that have
// effects outside the process (sounds, program starts, message boxes, file
// copies, module loading) or whose arguments and answers tests must see or
// choose (the rights a registry key or a file is opened with, the volume's
// mount point and serial number, the user's application data folder). Production code calls
// Platform().X(...); tests install a recording fake (RecordingPlatform.h)
// with ScopedPlatform.
#pragma once

#include <windows.h>

class TPlatformCalls {
public:
    virtual ~TPlatformCalls() = default;

    // Each default forwards to the Win32 function of the same name.
    virtual BOOL PlaySoundA(const char* sound, HMODULE module, DWORD flags);
    virtual UINT WinExec(const char* commandLine, UINT show);
    virtual HINSTANCE ShellExecuteA(HWND window, const char* verb, const char* file,
                                    const char* parameters, const char* directory, int show);
    virtual BOOL MessageBeep(UINT type);
    virtual int MessageBoxA(HWND window, const char* text, const char* caption, UINT flags);
    virtual BOOL CopyFileA(const char* from, const char* to, BOOL failIfExists);
    virtual HMODULE LoadLibraryA(const char* fileName);
    virtual FARPROC GetProcAddress(HMODULE module, const char* procName);
    virtual BOOL FreeLibrary(HMODULE module);
    virtual LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access,
                               HKEY* result);
    virtual BOOL GetVolumeInformationA(const char* root, char* volumeName, DWORD volumeNameSize,
                                       DWORD* serialNumber, DWORD* maxComponentLength,
                                       DWORD* fileSystemFlags, char* fileSystemName,
                                       DWORD fileSystemNameSize);
    virtual BOOL GetVolumePathNameA(const char* path, char* mountPoint, DWORD size);
    virtual HANDLE CreateFileA(const char* path, DWORD access, DWORD share,
                               SECURITY_ATTRIBUTES* security, DWORD disposition, DWORD flags,
                               HANDLE templateFile);
    // shell32's SHGetFolderPathA, loaded on first use like ShellExecuteA.
    virtual HRESULT SHGetFolderPathA(HWND window, int folder, HANDLE token, DWORD flags,
                                     char* path);
};

// The calls in use: the real ones unless a replacement is installed.
TPlatformCalls& Platform();
// Installs calls (not owned; must outlive their use); nullptr restores the real ones.
void SetPlatform(TPlatformCalls* calls);

// Installs calls for a scope and puts the previous ones back.
class ScopedPlatform {
public:
    explicit ScopedPlatform(TPlatformCalls& calls);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    TPlatformCalls* previous_;
};
