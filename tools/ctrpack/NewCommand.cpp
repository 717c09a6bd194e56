// ctrpack new DIR: a small working menu to start from.
#include <cstdio>

#include "authoring/AuthoringError.h"
#include "authoring/MenuBuild.h"
#include "tools/ctrpack/Arguments.h"
#include "tools/ctrpack/Commands.h"

int RunNew(const CommandArgs& args) {
    const Arguments arguments(args, {{}, {}});
    const auto& words = arguments.Positional();
    if (words.size() != 1)
        throw AuthoringError("needs one DIR");
    const std::string& folder = words[0];
    const std::size_t files = WriteStarterMenu(folder);
    std::printf("%s: a starter menu (menu.ini and %zu files); build it with\n"
                "  ctrpack build %s L-Ctnr.ctr\n",
                folder.c_str(), files - 1, folder.c_str());
    return 0;
}
