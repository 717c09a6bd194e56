// A platform fake for tests: records every call with its arguments and gives
// harmless answers. Module calls go to the real functions (so code under test
// can find real exports) unless an export is hidden by name; CopyFileA copies
// for real unless an answer is set; registry keys open for real; the volume
// and the application data folder are the real ones unless answers are set.
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
