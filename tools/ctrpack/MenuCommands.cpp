#include "tools/ctrpack/MenuCommands.h"

#include <cstdio>

#include "authoring/AuthoringError.h"
#include "authoring/MenuBuild.h"
#include "authoring/OutputFile.h"
#include "tools/ctrpack/Arguments.h"

namespace {

// Prints every problem, one line each.
void PrintProblems(const std::vector<Problem>& problems, std::FILE* out) {
    for (const Problem& problem : problems)
        std::fprintf(out, "%s\n", problem.Format().c_str());
}

} // namespace

int RunBuild(const CommandArgs& args) {
    const Arguments arguments(args, {{"--no-check"}, {}});
    const auto& words = arguments.Positional();
    if (words.size() != 2)
        throw AuthoringError("needs MENU_DIR and OUT");
    const std::string& folder = words[0];
    if (const std::string problem = OutputPathProblem(words[1]); !problem.empty())
        throw AuthoringError(words[1], problem + "; nothing written");
    const MenuBuild build = BuildMenu(folder, !arguments.Has("--no-check"));
    PrintProblems(build.problems, stderr);
    const int errors = ErrorCount(build.problems);
    switch (build.stop) {
    case MenuBuild::Stop::Reading:
        throw AuthoringError(folder, std::to_string(errors) +
                                         " problem(s) in the menu folder; nothing written");
    case MenuBuild::Stop::Checks:
        throw AuthoringError(folder, std::to_string(errors) +
                                         " problem(s) the launcher would refuse; nothing written"
                                         " (--no-check builds anyway)");
    case MenuBuild::Stop::None:
        break;
    }
    WriteBuiltContainer(build, words[1]);
    return 0;
}

int RunCheck(const CommandArgs& args) {
    const Arguments arguments(args, {{}, {}});
    const auto& words = arguments.Positional();
    if (words.size() != 1)
        throw AuthoringError("needs one CONTAINER or MENU_DIR");
    const std::string& path = words[0];
    const MenuSource source = ReadMenuSource(path);
    const std::vector<Problem> problems = CheckMenuSource(source);
    PrintProblems(problems, stdout);
    if (HasErrors(problems))
        return 1;
    const int lines = source.menu.FixedLinesPresent() + static_cast<int>(source.menu.Tail().size());
    std::printf("%s: the launcher takes this menu (%d entries, %d configuration lines)\n",
                path.c_str(), source.entriesHeld, lines);
    return 0;
}

int RunDecompile(const CommandArgs& args) {
    const Arguments arguments(args, {{}, {"--offset"}});
    const auto& words = arguments.Positional();
    if (words.size() != 2)
        throw AuthoringError("needs CONTAINER and DIR");
    WriteMenuFolder(DecompileContainer(words[0], arguments.Int32Value("--offset", 0)), words[1]);
    return 0;
}
