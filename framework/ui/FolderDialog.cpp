#include "framework/ui/FolderDialog.h"

#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

#include "framework/ui/Application.h"

namespace {
// Owns an item id list the shell allocated (freed with CoTaskMemFree).
class ItemIdList {
public:
    explicit ItemIdList(LPITEMIDLIST list) : list_(list) {}
    ~ItemIdList() {
        if (list_)
            CoTaskMemFree(list_);
    }
    ItemIdList(const ItemIdList&) = delete;
    ItemIdList& operator=(const ItemIdList&) = delete;
    LPITEMIDLIST get() const { return list_; }

private:
    LPITEMIDLIST list_;
};

// The new-style dialog needs OLE on the calling thread; it is undone when
// this call initialised it.
class ScopedOle {
public:
    ScopedOle() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~ScopedOle() {
        if (initialised_)
            OleUninitialize();
    }
    ScopedOle(const ScopedOle&) = delete;
    ScopedOle& operator=(const ScopedOle&) = delete;

private:
    bool initialised_;
};

int CALLBACK SelectInitialFolder(HWND dialog, UINT msg, LPARAM, LPARAM folder) {
    if (msg == BFFM_INITIALIZED && folder)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, folder);
    return 0;
}
} // namespace

bool TFolderDialog::Execute(HWND owner) {
    ScopedOle ole;
    char display[MAX_PATH]{};
    BROWSEINFOA browse{};
    browse.hwndOwner = owner ? owner : (Application ? Application->Handle() : nullptr);
    browse.pszDisplayName = display;
    browse.lpszTitle = Title.empty() ? nullptr : Title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = SelectInitialFolder;
    browse.lParam = Folder.empty() ? 0 : reinterpret_cast<LPARAM>(Folder.c_str());
    ItemIdList chosen(SHBrowseForFolderA(&browse));
    if (!chosen.get())
        return false;
    char path[MAX_PATH]{};
    if (!SHGetPathFromIDListA(chosen.get(), path))
        return false; // a place outside the file system
    Folder = path;
    return true;
}
