// Reading a menu folder written for authors: menu.ini and the files it names
// (the notice text, the pictures in BMP, PNG or JPEG, the extra entries).
#pragma once

#include <string>
#include <vector>

#include "authoring/FileBytes.h"
#include "authoring/MenuDocument.h"
#include "authoring/MenuOrigins.h"
#include "authoring/Problem.h"

inline constexpr const char* kMenuIniName = "menu.ini";
// Files other than pictures (menu.ini, the notice, extra entries) of more
// bytes are refused before they are read.
inline constexpr uint64_t kMaxMenuFileBytes = 64ull * 1024 * 1024;

struct LoadedMenu {
    MenuDocument menu;
    MenuOrigins origins;
    std::string iniText; // menu.ini as it was read
};

// Whether folder holds a menu.ini.
bool HasMenuIni(const std::string& folder);

// Reads folder/menu.ini and every file it names, relative to folder. Every
// problem (syntax, names, values, files that cannot be read or imported) is
// added to problems, each naming menu.ini's line or the file; the document
// holds what could be read. The launcher's checks are CheckMenu's. With
// keepUnreadablePictures a picture that cannot be imported is taken byte for
// byte with a warning (so any container taken apart builds again, even one
// the launcher would refuse).
LoadedMenu LoadMenuIniFolder(const std::string& folder, std::vector<Problem>& problems,
                             bool keepUnreadablePictures = false);

// What keeps a file name of menu.ini from naming a file of the menu: an
// absolute path ("/x.png", "C:\\x.png"); "" for a usable name.
std::string FileNameProblem(const std::string& name);

// folder and name joined with "/" (Windows takes it too).
std::string InFolder(const std::string& folder, const std::string& name);
