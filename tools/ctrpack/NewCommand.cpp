// ctrpack new DIR: a small working menu to start from.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "authoring/StarterMenu.h"
#include "tools/ctrpack/Arguments.h"
#include "tools/ctrpack/Commands.h"
#include "tools/ctrpack/OutputFile.h"
#include "tools/ctrpack/ToolError.h"

int RunNew(const CommandArgs& args) {
    const Arguments arguments(args, {{}, {}});
    const auto& words = arguments.Positional();
    if (words.size() != 1)
        throw ToolError("needs one DIR");
    const std::string& folder = words[0];
    const std::vector<StarterFile> files = StarterMenuFiles();

    // An author's own files are never overwritten: everything is checked
    // before the first file is written.
    for (const StarterFile& file : files) {
        const std::string path = JoinPath(folder, file.name);
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::path(path), error) || error)
            throw ToolError(path, "exists already; nothing written (ctrpack new makes a new menu "
                                  "folder and never overwrites a file)");
    }
    EnsureFolder(folder);
    for (const StarterFile& file : files)
        WriteFileWhole(JoinPath(folder, file.name), file.bytes);
    std::printf("%s: a starter menu (menu.ini and %zu files); build it with\n"
                "  ctrpack build %s L-Ctnr.ctr\n",
                folder.c_str(), files.size() - 1, folder.c_str());
    return 0;
}
