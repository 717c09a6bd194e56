#include "authoring/MediumBuild.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "authoring/AuthoringError.h"
#include "authoring/AutorunInf.h"
#include "authoring/ChildProcess.h"
#include "authoring/FileBytes.h"
#include "authoring/IcoFile.h"
#include "authoring/LauncherLocation.h"
#include "authoring/MediumPlan.h"
#include "authoring/MenuBuild.h"
#include "authoring/OutputFile.h"
#include "format/MenuEntries.h"

namespace fs = std::filesystem;

namespace {

// More entries than any disc holds for a launcher: a content folder with
// more is a mistake (the wrong folder, a loop), not a medium.
constexpr std::size_t kMaxContentEntries = 100000;
constexpr uint64_t kMaxIconBytes = 16ull * 1024 * 1024;

class MediumBuild {
public:
    explicit MediumBuild(MediaOptions options) : options_(std::move(options)) {}

    MediumOutcome Run() {
        MenuBuild menu = BuildMenu(options_.menuFolder, true);
        problems_ = menu.problems;
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

    void Check(const MenuBuild& menu) {
        CheckOutFolder();
        try {
            launcher_ = FindLauncher(options_.launcher);
            CheckLauncherFile();
        } catch (const AuthoringError& error) {
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
            options_.signing.description = Description(menu.source.menu);
            const std::string problem = SigningProblem(options_.signing);
            if (!problem.empty())
                Add("--sign " + options_.signing.certificate, problem);
        }
        // A menu that could not be read has no settings to check the medium by.
        if (menu.stop == MenuBuild::Stop::Reading)
            return;
        const std::string caption = menu.source.menu.Text(SettingId::WindowCaption);
        if (AutorunValueProblem(caption).empty())
            action_ = caption;
        for (Problem& problem : CheckMedium(layout_, menu.source.menu, menu.source.origins))
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

    void Write(const MenuBuild& menu) {
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
                throw AuthoringError(to.string(), "cannot be written: " + error.message());
        }
        WriteContainerFile(menu.container, (out / kContainerName).string());
        const std::string autorun =
            AutorunInfText({options_.launcherName, layout_.iconName, options_.label, action_});
        WriteFileWhole((out / kAutorunName).string(),
                       std::vector<uint8_t>(autorun.begin(), autorun.end()));
        std::error_code error;
        if (!layout_.iconName.empty()) {
            fs::copy_file(options_.icon, out / layout_.iconName, error);
            if (error)
                throw AuthoringError((out / layout_.iconName).string(),
                                     "cannot be written: " + error.message());
        }
        const fs::path launcher = out / options_.launcherName;
        if (options_.sign) {
            SignLauncher(options_.signing, launcher_, launcher.string());
        } else {
            fs::copy_file(launcher_, launcher, error);
            if (error)
                throw AuthoringError(launcher.string(), "cannot be written: " + error.message());
        }
    }

    MediaOptions options_;
    std::vector<Problem> problems_;
    MediumLayout layout_;
    std::string launcher_;
    std::string action_;
};

} // namespace

MediumOutcome BuildMedium(const MediaOptions& options) {
    return MediumBuild(options).Run();
}
