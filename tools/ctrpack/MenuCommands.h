// The menu-authoring commands of ctrpack, over the authoring library: build
// a launcher container from a menu folder, check a folder or a container for
// what the launcher refuses, take a container apart into a menu.ini folder
// that builds it again, lay a menu out as a medium, start a new menu.
#pragma once

#include "tools/ctrpack/Commands.h"

int RunBuild(const CommandArgs& args);
int RunCheck(const CommandArgs& args);
int RunDecompile(const CommandArgs& args);
int RunMedia(const CommandArgs& args);
