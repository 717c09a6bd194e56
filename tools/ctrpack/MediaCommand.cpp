// "ctrpack media": a menu laid out as a ready medium. Everything is checked
// first (the menu, the content, every name, the label, the icon, the tools
// and files signing and the image need); only then is anything written, and
// a failure while writing removes what was written.
#include <cstdio>

#include "authoring/AuthoringError.h"
#include "authoring/MediumBuild.h"
#include "tools/ctrpack/Arguments.h"
#include "tools/ctrpack/MenuCommands.h"

namespace {

MediaOptions ParseOptions(const CommandArgs& args) {
    for (const std::string& word : args)
        if (word == "--password" || word.rfind("--password=", 0) == 0)
            throw AuthoringError(word,
                                 "a password is never given on the command line (others see it "
                                 "in the process list); use --password-file FILE or "
                                 "--password-env VAR");
    const Arguments arguments(
        args, {{},
               {"--launcher-name", "--content", "--label", "--icon", "--iso", "--sign",
                "--password-file", "--password-env", "--timestamp", "--launcher"}});
    if (arguments.Positional().size() != 2)
        throw AuthoringError("needs MENU_DIR and OUT_DIR");
    MediaOptions options;
    options.menuFolder = arguments.Positional()[0];
    options.outFolder = arguments.Positional()[1];
    options.launcherName = arguments.Value("--launcher-name", options.launcherName);
    options.launcher = arguments.Value("--launcher");
    options.content = arguments.Value("--content");
    options.label = arguments.Value("--label");
    options.icon = arguments.Value("--icon");
    options.image = arguments.Value("--iso");
    options.sign = arguments.HasValue("--sign");
    options.signing.certificate = arguments.Value("--sign");
    options.signing.passwordFile = arguments.Value("--password-file");
    options.signing.passwordEnv = arguments.Value("--password-env");
    options.signing.timestampUrl = arguments.Value("--timestamp");
    if (!options.sign &&
        (arguments.HasValue("--password-file") || arguments.HasValue("--password-env") ||
         arguments.HasValue("--timestamp")))
        throw AuthoringError("--password-file, --password-env and --timestamp go with --sign");
    return options;
}

} // namespace

int RunMedia(const CommandArgs& args) {
    const MediaOptions options = ParseOptions(args);
    const MediumOutcome outcome = BuildMedium(options);
    for (const Problem& problem : outcome.problems)
        std::fprintf(stderr, "%s\n", problem.Format().c_str());
    if (!outcome.written)
        throw AuthoringError(options.outFolder, std::to_string(ErrorCount(outcome.problems)) +
                                                    " problem(s) on the medium; nothing written");
    if (!outcome.imageNote.empty()) {
        std::fprintf(stderr, "ctrpack media: %s written; no image: %s\n", options.outFolder.c_str(),
                     outcome.imageNote.c_str());
        return 1;
    }
    return 0;
}
