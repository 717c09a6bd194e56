// The menu-authoring commands of ctrpack: build a launcher container from a
// menu folder (menu.ini, or numbered entry files), check a folder or a
// container for what the launcher refuses, and take a container apart into a
// menu.ini folder that builds it again.
#pragma once

#include "tools/ctrpack/Commands.h"

int RunBuild(const CommandArgs& args);
int RunCheck(const CommandArgs& args);
int RunDecompile(const CommandArgs& args);
