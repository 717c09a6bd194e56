#include "tools/ctrpack/MenuCommands.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "framework/runtime/StringList.h"
#include "tools/ctrpack/Arguments.h"
#include "tools/ctrpack/ContainerFile.h"
#include "tools/ctrpack/ContainerWriter.h"
#include "tools/ctrpack/MenuCheck.h"
#include "tools/ctrpack/MenuFolder.h"
#include "tools/ctrpack/ToolError.h"

namespace {

int ConfigLineCount(const std::vector<MenuEntry>& entries) {
    if (entries.empty())
        return 0;
    TStringList lines;
    lines.SetText(std::string(entries.front().bytes.begin(), entries.front().bytes.end()));
    return lines.Count();
}

} // namespace

int RunBuild(const CommandArgs& args) {
    const Arguments arguments(args, {{"--no-check"}, {}});
    const auto& words = arguments.Positional();
    if (words.size() != 2)
        throw ToolError("needs MENU_DIR and OUT");
    const std::string& folder = words[0];
    const std::string& out = words[1];

    std::vector<MenuEntry> entries = ReadMenuFolder(folder);
    if (!arguments.Has("--no-check")) {
        const std::vector<std::string> problems = CheckMenu(folder, entries);
        for (const std::string& problem : problems)
            std::fprintf(stderr, "%s\n", problem.c_str());
        if (!problems.empty())
            throw ToolError(folder, std::to_string(problems.size()) +
                                        " problem(s) the launcher would refuse; nothing written"
                                        " (--no-check builds anyway)");
    }

    ContainerWriter writer;
    for (MenuEntry& entry : entries) {
        ScrambleEntry(entry.bytes);
        writer.AddEntry(std::move(entry.bytes), entry.source);
    }
    WriteContainerFile(writer, out);
    return 0;
}

int RunCheck(const CommandArgs& args) {
    const Arguments arguments(args, {{}, {}});
    const auto& words = arguments.Positional();
    if (words.size() != 1)
        throw ToolError("needs one CONTAINER or MENU_DIR");
    const std::string& source = words[0];
    std::error_code error;
    const bool isFolder = std::filesystem::is_directory(std::filesystem::path(source), error);
    int entriesHeld = 0;
    const std::vector<MenuEntry> entries =
        isFolder ? ReadMenuFolder(source) : ReadMenuContainer(source, entriesHeld);
    if (isFolder)
        entriesHeld = static_cast<int>(entries.size());

    const std::vector<std::string> problems = CheckMenu(source, entries);
    for (const std::string& problem : problems)
        std::printf("%s\n", problem.c_str());
    if (!problems.empty())
        return 1;
    std::printf("%s: the launcher takes this menu (%d entries, %d configuration lines)\n",
                source.c_str(), entriesHeld, ConfigLineCount(entries));
    return 0;
}
