// What the authoring tools do with whole menus, as a library: read a menu
// from a folder (menu.ini, or numbered entry files) or a container, check
// it, turn it into a container, take a container apart into a menu folder,
// and write the starter menu. ctrpack prints what these return; the designer
// shows it. Every failure that leaves nothing to return is an AuthoringError.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "authoring/MenuDocument.h"
#include "authoring/MenuFolder.h"
#include "authoring/MenuOrigins.h"
#include "authoring/Problem.h"
#include "container/ContainerWriter.h"

// A menu as it was read, with every problem met reading it (syntax, names,
// values, files that cannot be read or imported); the launcher's own checks
// are not among them.
struct MenuSource {
    std::string folder; // the folder it was read from; "" for a container
    MenuDocument menu;
    MenuOrigins origins;
    std::vector<MenuEntry> numbered; // a numbered folder's files, built as they are
    int entriesHeld = 0;             // how many entries the folder or container holds
    std::vector<Problem> problems;
};

enum class UnreadablePictures {
    Refuse, // a problem each
    Keep,   // taken byte for byte with a warning, so any container taken apart builds again
};

// Reads a menu folder or a container (path names which; a folder holding a
// menu.ini is read from it). AuthoringError when path is no menu at all.
MenuSource ReadMenuSource(const std::string& path,
                          UnreadablePictures pictures = UnreadablePictures::Refuse);
bool IsFolder(const std::string& path);

// The reading problems, then, when none of them is an error, the launcher's
// checks (CheckMenu): everything "ctrpack check" reports.
std::vector<Problem> CheckMenuSource(const MenuSource& source);

struct MenuBuild {
    enum class Stop { None, Reading, Checks };
    MenuSource source;
    std::vector<Problem> problems; // reading problems, then the checks' (when asked for)
    Stop stop = Stop::None;        // where an error stopped the build
    ContainerWriter container;     // the container, when stop is None
};
// A menu folder read, checked (unless check is false: then only what could
// not be read stops it) and turned into its container, not yet written:
// what "ctrpack build" writes and a medium gets. AuthoringError when folder
// is no folder or an entry does not fit into a container.
MenuBuild BuildMenu(const std::string& folder, bool check);

// The menu's entries, scrambled as the launcher reads them, in a container
// not yet written; source names them in messages. AuthoringError when they
// do not fit.
ContainerWriter ContainerOfMenu(const MenuDocument& menu, const std::string& source);
// The container file of the menu as it is, byte for byte.
std::vector<uint8_t> ContainerBytesOfMenu(const MenuDocument& menu);
// Writes the container to path, whole or not at all (AuthoringError naming
// path when it cannot be written).
void WriteContainerFile(const ContainerWriter& container, const std::string& path);
// Writes a build's container to path, refusing (AuthoringError naming path)
// any path that is no regular file or new name, and any of the menu's own
// files (its menu.ini, pictures, notice, entry files).
void WriteBuiltContainer(const MenuBuild& build, const std::string& path);

// Names the files of a menu taken apart: notice.txt, background.bmp, ...,
// entryN.bin; an empty entry gets no file.
void NameDecompiledFiles(MenuDocument& menu);
// A folder of numbered entry files read into a menu whose files are named
// as a container taken apart names them; AuthoringError when the folder
// holds no such menu or its configuration list cannot be held exactly in
// menu.ini.
MenuDocument ReadNumberedMenu(const std::string& folder);
// Every entry of the container (at offset bytes before its end) read into a
// menu whose files are named; AuthoringError when the container cannot be
// read or its configuration list cannot be held exactly in menu.ini.
MenuDocument DecompileContainer(const std::string& container, int32_t offset = 0);
// Writes menu.ini and the menu's named files into folder (made when
// missing); nothing is written when one of the files exists already.
// menu.ini comes last, so a folder left half written has none.
void WriteMenuFolder(const MenuDocument& menu, const std::string& folder);
// The starter menu of "ctrpack new" written into folder; nothing is written
// when one of its files exists already. Returns how many files it wrote.
std::size_t WriteStarterMenu(const std::string& folder);
