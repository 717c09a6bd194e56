// A platform fake for tests: records every call with its arguments and gives
// harmless answers. Module calls go to the real functions (so code under test
// can find real exports) unless an export is hidden by name; CopyFileA copies
// for real unless an answer is set; registry keys and files open for real
// unless a right is denied; the volume and the application data folder are
// the real ones unless answers are set.
#pragma once

#include <windows.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "framework/system/PlatformCalls.h"

struct TRecordedCall {
    std::string Name;              // "PlaySoundA", "WinExec", ...
    std::vector<std::string> Args; // texts as given ("(null)" for nullptr), numbers in decimal
};

class TRecordingPlatform : public TPlatformCalls {
public:
    std::vector<TRecordedCall> Calls;
    // CreateFileA calls, kept apart: files are opened as a matter of course,
    // and the other calls' order is what most tests look at.
    std::vector<TRecordedCall> FileOpens;

    int MessageBoxAnswer = IDOK;
    UINT WinExecAnswer = 33;                  // > 31: started
    INT_PTR ShellExecuteAnswer = 42;          // > 32: done
    std::optional<BOOL> CopyFileAnswer;       // unset: really copy
    std::optional<HMODULE> LoadLibraryAnswer; // unset: really load
    std::set<std::string> HiddenProcs;        // GetProcAddress answers nullptr for these
    std::optional<DWORD> VolumeSerialAnswer;  // unset: the real volume's
    DWORD VolumeFlagsAnswer = 0;              // with a serial answer: FILE_READ_ONLY_VOLUME, ...
    // SHGetFolderPathA's folder; unset: the real one; "": the call fails.
    std::optional<std::string> FolderPathAnswer;
    // GetVolumePathNameA's mount point for every path; unset: the real one.
    std::optional<std::string> VolumePathAnswer;
    // CreateFileA of this path (any case) asking for any of these rights
    // fails with ERROR_ACCESS_DENIED, as a folder or file whose access list
    // refuses them does.
    std::string DeniedPath;
    DWORD DeniedRights = 0;
    // CreateFileA of this path (any case) empties the file, as a full
    // medium takes a truncation, and opens it for reading only, so that
    // every write to it fails.
    std::string FullPath;

    // The calls of one name, in order.
    std::vector<TRecordedCall> CallsOf(const std::string& name) const {
        std::vector<TRecordedCall> out;
        std::copy_if(Calls.begin(), Calls.end(), std::back_inserter(out),
                     [&](const TRecordedCall& c) { return c.Name == name; });
        return out;
    }
    int Count(const std::string& name) const { return static_cast<int>(CallsOf(name).size()); }
    // Names of all calls in order, e.g. {"MessageBeep", "MessageBoxA"}.
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const auto& c : Calls)
            out.push_back(c.Name);
        return out;
    }

    BOOL PlaySoundA(const char* sound, HMODULE module, DWORD flags) override {
        Record("PlaySoundA",
               {Text(sound), Number(reinterpret_cast<INT_PTR>(module)), Number(flags)});
        return TRUE;
    }
    UINT WinExec(const char* commandLine, UINT show) override {
        Record("WinExec", {Text(commandLine), Number(show)});
        return WinExecAnswer;
    }
    HINSTANCE ShellExecuteA(HWND window, const char* verb, const char* file, const char* parameters,
                            const char* directory, int show) override {
        Record("ShellExecuteA", {Number(reinterpret_cast<INT_PTR>(window)), Text(verb), Text(file),
                                 Text(parameters), Text(directory), Number(show)});
        return reinterpret_cast<HINSTANCE>(ShellExecuteAnswer);
    }
    BOOL MessageBeep(UINT type) override {
        Record("MessageBeep", {Number(type)});
        return TRUE;
    }
    int MessageBoxA(HWND window, const char* text, const char* caption, UINT flags) override {
        Record("MessageBoxA", {Number(reinterpret_cast<INT_PTR>(window)), Text(text), Text(caption),
                               Number(flags)});
        return MessageBoxAnswer;
    }
    BOOL CopyFileA(const char* from, const char* to, BOOL failIfExists) override {
        Record("CopyFileA", {Text(from), Text(to), Number(failIfExists)});
        if (CopyFileAnswer)
            return *CopyFileAnswer;
        return ::CopyFileA(from, to, failIfExists);
    }
    HMODULE LoadLibraryA(const char* fileName) override {
        Record("LoadLibraryA", {Text(fileName)});
        if (LoadLibraryAnswer)
            return *LoadLibraryAnswer;
        return ::LoadLibraryA(fileName);
    }
    FARPROC GetProcAddress(HMODULE module, const char* procName) override {
        Record("GetProcAddress", {Number(reinterpret_cast<INT_PTR>(module)), Text(procName)});
        if (procName && HiddenProcs.count(procName))
            return nullptr;
        if (LoadLibraryAnswer)
            return nullptr; // a fake module exports nothing
        return ::GetProcAddress(module, procName);
    }
    BOOL FreeLibrary(HMODULE module) override {
        Record("FreeLibrary", {Number(reinterpret_cast<INT_PTR>(module))});
        if (LoadLibraryAnswer || !module)
            return module != nullptr;
        return ::FreeLibrary(module);
    }

    LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access,
                       HKEY* result) override {
        Record("RegOpenKeyExA", {Number(reinterpret_cast<INT_PTR>(key)), Text(subKey),
                                 Number(options), Number(access)});
        return ::RegOpenKeyExA(key, subKey, options, access, result);
    }
    BOOL GetVolumeInformationA(const char* root, char* volumeName, DWORD volumeNameSize,
                               DWORD* serialNumber, DWORD* maxComponentLength,
                               DWORD* fileSystemFlags, char* fileSystemName,
                               DWORD fileSystemNameSize) override {
        Record("GetVolumeInformationA", {Text(root)});
        if (!VolumeSerialAnswer)
            return ::GetVolumeInformationA(root, volumeName, volumeNameSize, serialNumber,
                                           maxComponentLength, fileSystemFlags, fileSystemName,
                                           fileSystemNameSize);
        if (serialNumber)
            *serialNumber = *VolumeSerialAnswer;
        if (fileSystemFlags)
            *fileSystemFlags = VolumeFlagsAnswer;
        return TRUE;
    }
    BOOL GetVolumePathNameA(const char* path, char* mountPoint, DWORD size) override {
        Record("GetVolumePathNameA", {Text(path)});
        if (!VolumePathAnswer)
            return ::GetVolumePathNameA(path, mountPoint, size);
        if (VolumePathAnswer->size() >= size)
            return FALSE;
        VolumePathAnswer->copy(mountPoint, VolumePathAnswer->size());
        mountPoint[VolumePathAnswer->size()] = '\0';
        return TRUE;
    }
    HANDLE CreateFileA(const char* path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override {
        FileOpens.push_back(
            {"CreateFileA", {Text(path), Number(access), Number(disposition), Number(flags)}});
        if (path && lstrcmpiA(path, DeniedPath.c_str()) == 0 && (access & DeniedRights) != 0) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        // Windows refuses to replace a hidden or system file unless the new
        // attributes keep those bits; Wine replaces it.
        const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        const DWORD existing = path ? ::GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
        if ((disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) &&
            existing != INVALID_FILE_ATTRIBUTES && (existing & kept & ~flags) != 0) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        if (path && !FullPath.empty() && lstrcmpiA(path, FullPath.c_str()) == 0) {
            HANDLE file =
                ::CreateFileA(path, GENERIC_WRITE, share, security, OPEN_ALWAYS, flags, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                ::SetEndOfFile(file);
                ::CloseHandle(file);
            }
            access = GENERIC_READ;
            disposition = OPEN_EXISTING;
        }
        return ::CreateFileA(path, access, share, security, disposition, flags, templateFile);
    }
    HRESULT SHGetFolderPathA(HWND window, int folder, HANDLE token, DWORD flags,
                             char* path) override {
        Record("SHGetFolderPathA", {Number(folder), Number(flags)});
        if (!FolderPathAnswer)
            return TPlatformCalls::SHGetFolderPathA(window, folder, token, flags, path);
        if (FolderPathAnswer->empty() || FolderPathAnswer->size() >= MAX_PATH)
            return E_FAIL;
        FolderPathAnswer->copy(path, FolderPathAnswer->size());
        path[FolderPathAnswer->size()] = '\0';
        return S_OK;
    }

private:
    static std::string Text(const char* s) { return s ? std::string(s) : std::string("(null)"); }
    static std::string Number(long long n) { return std::to_string(n); }
    void Record(const char* name, std::vector<std::string> args) {
        Calls.push_back(TRecordedCall{name, std::move(args)});
    }
};
