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

// A menu folder read, checked (unless check is false) and turned into its
// container, not yet written: what "build" writes and "media" puts on a
// medium. Problems are printed on stderr; ToolError when one is an error.
struct PreparedMenu {
    MenuDocument menu;
    MenuOrigins origins;
    ContainerWriter container;
};
PreparedMenu PrepareMenuBuild(const std::string& folder, bool check);
