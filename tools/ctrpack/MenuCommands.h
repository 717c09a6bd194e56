// The menu-authoring commands of ctrpack: build a launcher container from a
// menu folder, and check a folder or container for what the launcher refuses.
#pragma once

#include "tools/ctrpack/Commands.h"

int RunBuild(const CommandArgs& args);
int RunCheck(const CommandArgs& args);
