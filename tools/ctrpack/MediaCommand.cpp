// "ctrpack media": a menu laid out as a ready medium. Everything is checked
// first (the menu, the content, every name, the label, the icon, the tools
// and files signing and the image need); only then is anything written, and
// a failure while writing removes what was written.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "authoring/AutorunInf.h"
#include "authoring/FileBytes.h"
#include "authoring/IcoFile.h"
#include "authoring/MediumPlan.h"
#include "tools/ctrpack/Arguments.h"
#include "tools/ctrpack/ChildProcess.h"
#include "tools/ctrpack/ContainerFile.h"
#include "tools/ctrpack/LauncherLocation.h"
#include "tools/ctrpack/MediumBuild.h"
#include "tools/ctrpack/MediumTools.h"
#include "tools/ctrpack/MenuCommands.h"
#include "tools/ctrpack/OutputFile.h"
#include "tools/ctrpack/ToolError.h"

namespace fs = std::filesystem;

namespace {

// More entries than any disc holds for a launcher: a content folder with
// more is a mistake (the wrong folder, a loop), not a medium.
constexpr std::size_t kMaxContentEntries = 100000;
constexpr uint64_t kMaxIconBytes = 16ull * 1024 * 1024;

MediaOptions ParseOptions(const CommandArgs& args) {
    for (const std::string& word : args)
        if (word == "--password" || word.rfind("--password=", 0) == 0)
            throw ToolError(word, "a password is never given on the command line (others see it "
                                  "in the process list); use --password-file FILE or "
                                  "--password-env VAR");
    const Arguments arguments(
        args, {{},
               {"--launcher-name", "--content", "--label", "--icon", "--iso", "--sign",
                "--password-file", "--password-env", "--timestamp", "--launcher"}});
    if (arguments.Positional().size() != 2)
        throw ToolError("needs MENU_DIR and OUT_DIR");
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
        throw ToolError("--password-file, --password-env and --timestamp go with --sign");
    return options;
}

class MediumBuild {
public:
    explicit MediumBuild(MediaOptions options) : options_(std::move(options)) {}

    MediumOutcome Run() {
        PreparedMenu menu = PrepareMenuBuild(options_.menuFolder, true);
        Check(menu);
        MediumOutcome outcome;
        outcome.problems = problems_;
        if (HasErrors(problems_))
            return outcome;
        try {
            Write(menu);
            if (!options_.image.empty() && ImageProblem().empty())
                WriteDiscImage(options_.outFolder, options_.image, options_.label);
        } catch (...) {
            std::error_code ignored;
            fs::remove_all(options_.outFolder, ignored);
            throw;
        }
        outcome.written = true;
        if (!options_.image.empty())
            outcome.imageNote = ImageProblem();
        return outcome;
    }

private:
    void Add(std::string file, std::string text) {
        Problem problem;
        problem.file = std::move(file);
        problem.text = std::move(text);
        problems_.push_back(std::move(problem));
    }

    void Check(const PreparedMenu& menu) {
        CheckOutFolder();
        try {
            launcher_ = FindLauncher(options_.launcher);
            CheckLauncherFile();
        } catch (const ToolError& error) {
            // "FILE: what" stays one line, split the way problems name files.
            const std::string message = error.what();
            const std::size_t colon = message.find(": ");
            if (colon == std::string::npos)
                Add("--launcher", message);
            else
                Add(message.substr(0, colon), message.substr(colon + 2));
        }
        layout_.launcherName = options_.launcherName;
        layout_.label = options_.label;
        layout_.contentFolder = options_.content;
        if (!options_.content.empty())
            ReadContent();
        if (!options_.icon.empty())
            CheckIcon();
        if (!options_.image.empty())
            CheckImage();
        if (options_.sign) {
            options_.signing.description = Description(menu.menu);
            const std::string problem = SigningProblem(options_.signing);
            if (!problem.empty())
                Add("--sign " + options_.signing.certificate, problem);
        }
        const std::string caption = menu.menu.Text(SettingId::WindowCaption);
        if (AutorunValueProblem(caption).empty())
            action_ = caption;
        for (Problem& problem : CheckMedium(layout_, menu.menu, menu.origins))
            problems_.push_back(std::move(problem));
    }

    void CheckOutFolder() {
        std::error_code error;
        const fs::path out = options_.outFolder;
        if (!fs::exists(out, error))
            return;
        if (!fs::is_directory(out, error))
            Add(options_.outFolder, "exists and is no folder; the medium goes into a new folder");
        else if (!fs::is_empty(out, error))
            Add(options_.outFolder,
                "is not empty; a medium is laid out in a new or empty folder, never over files");
    }

    void CheckLauncherFile() {
        std::string problem;
        std::FILE* file = std::fopen(launcher_.c_str(), "rb");
        char mz[2] = {};
        const bool read = file && std::fread(mz, 1, 2, file) == 2;
        if (file)
            std::fclose(file);
        if (!read || mz[0] != 'M' || mz[1] != 'Z')
            Add(launcher_, "is no Windows program (it does not begin with MZ); --launcher names "
                           "Launcher.exe");
    }

    void ReadContent() {
        std::error_code error;
        const fs::path root = options_.content;
        if (!fs::is_directory(root, error)) {
            Add(options_.content, "is no folder (--content names the folder whose files go onto "
                                  "the medium)");
            return;
        }
        fs::recursive_directory_iterator it(root, error), end;
        for (; !error && it != end; it.increment(error)) {
            const fs::path relative = it->path().lexically_relative(root);
            const std::string path = relative.generic_string();
            if (layout_.content.size() >= kMaxContentEntries) {
                Add(options_.content, "holds more than " + std::to_string(kMaxContentEntries) +
                                          " files and folders; is it the right folder?");
                return;
            }
            std::error_code kind;
            if (it->is_directory(kind))
                layout_.content.push_back({path, true});
            else if (it->is_regular_file(kind))
                layout_.content.push_back({path, false});
            else
                Add(it->path().string(), "is neither a file nor a folder (a broken link, a "
                                         "device); it cannot go onto a medium");
        }
        if (error)
            Add(options_.content, "cannot be read: " + error.message());
    }

    void CheckIcon() {
        std::vector<uint8_t> bytes;
        std::string problem;
        if (!ReadWholeFile(options_.icon, kMaxIconBytes, bytes, problem, "icons")) {
            Add(options_.icon, problem);
            return;
        }
        problem = IcoProblem(bytes);
        if (!problem.empty())
            Add(options_.icon, problem);
        layout_.iconName = fs::path(options_.icon).filename().string();
    }

    void CheckImage() {
        std::error_code error;
        const fs::path image = options_.image;
        if (fs::exists(image, error))
            Add(options_.image, "exists already; an image is never overwritten");
        const fs::path parent = image.parent_path().empty() ? fs::path(".") : image.parent_path();
        if (!fs::is_directory(parent, error))
            Add(options_.image, "its folder does not exist");
        const fs::path out = fs::weakly_canonical(options_.outFolder, error);
        const fs::path at = fs::weakly_canonical(image, error);
        if (!error && at.string().rfind(out.string() + "/", 0) == 0)
            Add(options_.image, "lies inside the medium's folder; it would image itself");
        if (options_.label.empty())
            Add(options_.image, "--iso needs --label, the disc's volume label");
        if (!ImageProblem().empty() && !CanStartPrograms())
            return; // the Windows build writes the folder and says so afterwards
        if (!ImageProblem().empty())
            Add(options_.image, ImageProblem());
    }

    // The name Windows shows for the signed program: the menu's caption when
    // it is plain text, else the launcher's name.
    std::string Description(const MenuDocument& menu) const {
        const std::string& caption = menu.Text(SettingId::WindowCaption);
        bool plain = !caption.empty();
        for (char c : caption)
            plain = plain && c >= 0x20 && c < 0x7F;
        return plain ? caption : options_.launcherName;
    }

    void Write(const PreparedMenu& menu) {
        const fs::path out = options_.outFolder;
        EnsureFolder(options_.outFolder);
        for (const ContentEntry& entry : layout_.content) {
            const fs::path from = fs::path(options_.content) / entry.path;
            const fs::path to = out / entry.path;
            std::error_code error;
            if (entry.folder)
                fs::create_directories(to, error);
            else
                fs::copy_file(from, to, error);
            if (error)
                throw ToolError(to.string(), "cannot be written: " + error.message());
        }
        WriteContainerFile(menu.container, (out / kMediumContainerName).string());
        const std::string autorun =
            AutorunInfText({options_.launcherName, layout_.iconName, options_.label, action_});
        WriteFileWhole((out / kAutorunName).string(),
                       std::vector<uint8_t>(autorun.begin(), autorun.end()));
        std::error_code error;
        if (!layout_.iconName.empty()) {
            fs::copy_file(options_.icon, out / layout_.iconName, error);
            if (error)
                throw ToolError((out / layout_.iconName).string(),
                                "cannot be written: " + error.message());
        }
        const fs::path launcher = out / options_.launcherName;
        if (options_.sign) {
            SignLauncher(options_.signing, launcher_, launcher.string());
        } else {
            fs::copy_file(launcher_, launcher, error);
            if (error)
                throw ToolError(launcher.string(), "cannot be written: " + error.message());
        }
    }

    MediaOptions options_;
    std::vector<Problem> problems_;
    MediumLayout layout_;
    std::string launcher_;
    std::string action_;
};

} // namespace

int ErrorCount(const std::vector<Problem>& problems) {
    int errors = 0;
    for (const Problem& problem : problems)
        errors += problem.severity == Severity::Error ? 1 : 0;
    return errors;
}

MediumOutcome BuildMedium(const MediaOptions& options) {
    return MediumBuild(options).Run();
}

int RunMedia(const CommandArgs& args) {
    const MediaOptions options = ParseOptions(args);
    const MediumOutcome outcome = BuildMedium(options);
    for (const Problem& problem : outcome.problems)
        std::fprintf(stderr, "%s\n", problem.Format().c_str());
    if (!outcome.written)
        throw ToolError(options.outFolder, std::to_string(ErrorCount(outcome.problems)) +
                                               " problem(s) on the medium; nothing written");
    if (!outcome.imageNote.empty()) {
        std::fprintf(stderr, "ctrpack media: %s written; no image: %s\n", options.outFolder.c_str(),
                     outcome.imageNote.c_str());
        return 1;
    }
    return 0;
}
