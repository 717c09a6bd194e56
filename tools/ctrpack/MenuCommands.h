// The menu-authoring commands of ctrpack: build a launcher container from a
// menu folder (menu.ini, or numbered entry files), check a folder or a
// container for what the launcher refuses, and take a container apart into a
// menu.ini folder that builds it again.
#pragma once

#include "authoring/MenuDocument.h"
#include "authoring/MenuOrigins.h"
#include "tools/ctrpack/Commands.h"
#include "tools/ctrpack/ContainerWriter.h"

int RunBuild(const CommandArgs& args);
int RunCheck(const CommandArgs& args);
int RunDecompile(const CommandArgs& args);
int RunMedia(const CommandArgs& args);

// Names the files of a menu taken apart: notice.txt, background.bmp, ...,
// entryN.bin; an empty entry gets no file.
void NameDecompiledFiles(MenuDocument& menu);

// The menu's entries, scrambled as the launcher reads them, in a container
// not yet written; source names them in messages. ToolError when they do not fit.
ContainerWriter ContainerOfMenu(const MenuDocument& menu, const std::string& source);

// A menu folder read, checked (unless check is false) and turned into its
// container, not yet written: what "build" writes and "media" puts on a
// medium. Problems are printed on stderr; ToolError when one is an error.
struct PreparedMenu {
    MenuDocument menu;
    MenuOrigins origins;
    ContainerWriter container;
};
PreparedMenu PrepareMenuBuild(const std::string& folder, bool check);
