// A fresh folder under the temporary folder for one test, removed afterwards.
#pragma once

#include <windows.h>

#include <string>

class TempFolder {
public:
    explicit TempFolder(const std::string& name) {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        path_ = std::string(base) + name + "_" + std::to_string(::GetCurrentProcessId());
        Remove(path_);
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() { Remove(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string full = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(full);
                else
                    ::DeleteFileA(full.c_str());
            } while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(folder.c_str());
    }
    std::string path_;
};
