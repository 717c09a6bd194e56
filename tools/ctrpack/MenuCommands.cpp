#include "tools/ctrpack/MenuCommands.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "authoring/MenuCheck.h"
#include "authoring/MenuSource.h"
#include "tools/ctrpack/Arguments.h"
#include "tools/ctrpack/ContainerFile.h"
#include "tools/ctrpack/ContainerWriter.h"
#include "tools/ctrpack/MenuFolder.h"
#include "tools/ctrpack/ToolError.h"

namespace {

// A menu as the checks see it, with the entries to build it from.
struct SourceMenu {
    MenuDocument menu;
    MenuOrigins origins;
    std::vector<MenuEntry> numbered; // the files of a numbered folder, built as they are
    int entriesHeld = 0;
};

SourceMenu FromEntries(const std::string& name, std::vector<MenuEntry> entries, int entriesHeld) {
    std::vector<std::vector<uint8_t>> bytes;
    for (const MenuEntry& entry : entries)
        bytes.push_back(entry.bytes);
    SourceMenu source;
    source.menu = MenuFromEntries(name, std::move(bytes), false);
    source.origins = ListOrigins(name, entries.front().source, entries.front().isFile,
                                 static_cast<int>(source.menu.Tail().size()));
    if (entries.size() >= 2)
        source.origins.notice.file = entries[1].source;
    for (int i = 0; i < kPictureCount; ++i)
        if (static_cast<std::size_t>(kFirstPictureEntry - 1 + i) < entries.size())
            source.origins.pictures[i].file = entries[kFirstPictureEntry - 1 + i].source;
    source.numbered = std::move(entries);
    source.entriesHeld = entriesHeld;
    return source;
}

// Reads a menu folder (menu.ini or numbered files) or a container; problems
// met while reading menu.ini and its files are added to problems.
SourceMenu ReadSource(const std::string& path, bool isFolder, std::vector<Problem>& problems,
                      bool keepUnreadablePictures = false) {
    if (isFolder && HasMenuIni(path)) {
        LoadedMenu loaded = LoadMenuIniFolder(path, problems, keepUnreadablePictures);
        SourceMenu source{std::move(loaded.menu), std::move(loaded.origins), {}, 0};
        source.entriesHeld = source.menu.EntryCount();
        return source;
    }
    if (isFolder) {
        std::vector<MenuEntry> entries = ReadMenuFolder(path);
        const int count = static_cast<int>(entries.size());
        return FromEntries(path, std::move(entries), count);
    }
    int entriesHeld = 0;
    std::vector<MenuEntry> entries = ReadMenuContainer(path, entriesHeld);
    if (entries.empty())
        throw ToolError(path, "holds no entries; entry 1 is the configuration list");
    return FromEntries(path, std::move(entries), entriesHeld);
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::path(path), error);
}

// Prints every problem, one line each; true when one of them is an error.
bool PrintProblems(const std::vector<Problem>& problems, std::FILE* out) {
    for (const Problem& problem : problems)
        std::fprintf(out, "%s\n", problem.Format().c_str());
    return HasErrors(problems);
}

int ErrorCount(const std::vector<Problem>& problems) {
    int count = 0;
    for (const Problem& problem : problems)
        count += problem.severity == Severity::Error ? 1 : 0;
    return count;
}

} // namespace

PreparedMenu PrepareMenuBuild(const std::string& folder, bool check) {
    if (!IsFolder(folder))
        throw ToolError(folder, "is no folder; build takes a menu folder (menu.ini, or files "
                                "named 1-..., 2-..., ...)");

    std::vector<Problem> problems;
    SourceMenu source = ReadSource(folder, true, problems, !check);
    // What menu.ini and its files could not give is never built; the launcher's
    // own checks may be skipped.
    if (PrintProblems(problems, stderr))
        throw ToolError(folder, std::to_string(ErrorCount(problems)) +
                                    " problem(s) in the menu folder; nothing written");
    if (check) {
        const std::vector<Problem> checked = CheckMenu(source.menu, source.origins);
        if (PrintProblems(checked, stderr))
            throw ToolError(folder, std::to_string(ErrorCount(checked)) +
                                        " problem(s) the launcher would refuse; nothing written"
                                        " (--no-check builds anyway)");
    }

    PreparedMenu prepared;
    if (!source.numbered.empty()) {
        for (MenuEntry& entry : source.numbered) {
            ScrambleEntry(entry.bytes);
            prepared.container.AddEntry(std::move(entry.bytes), entry.source);
        }
    } else {
        prepared.container = ContainerOfMenu(source.menu, folder);
    }
    prepared.menu = std::move(source.menu);
    prepared.origins = std::move(source.origins);
    return prepared;
}

ContainerWriter ContainerOfMenu(const MenuDocument& menu, const std::string& source) {
    ContainerWriter container;
    int number = 0;
    for (std::vector<uint8_t>& bytes : menu.Entries()) {
        ScrambleEntry(bytes);
        container.AddEntry(std::move(bytes), source + " entry " + std::to_string(++number));
    }
    return container;
}

int RunBuild(const CommandArgs& args) {
    const Arguments arguments(args, {{"--no-check"}, {}});
    const auto& words = arguments.Positional();
    if (words.size() != 2)
        throw ToolError("needs MENU_DIR and OUT");
    const PreparedMenu prepared = PrepareMenuBuild(words[0], !arguments.Has("--no-check"));
    WriteContainerFile(prepared.container, words[1]);
    return 0;
}

int RunCheck(const CommandArgs& args) {
    const Arguments arguments(args, {{}, {}});
    const auto& words = arguments.Positional();
    if (words.size() != 1)
        throw ToolError("needs one CONTAINER or MENU_DIR");
    const std::string& path = words[0];
    std::vector<Problem> problems;
    const SourceMenu source = ReadSource(path, IsFolder(path), problems);
    if (!HasErrors(problems)) {
        std::vector<Problem> checked = CheckMenu(source.menu, source.origins);
        problems.insert(problems.end(), checked.begin(), checked.end());
    }
    if (PrintProblems(problems, stdout))
        return 1;
    const int lines = source.menu.FixedLinesPresent() + static_cast<int>(source.menu.Tail().size());
    std::printf("%s: the launcher takes this menu (%d entries, %d configuration lines)\n",
                path.c_str(), source.entriesHeld, lines);
    return 0;
}
