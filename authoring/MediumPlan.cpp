#include "authoring/MediumPlan.h"

#include <map>
#include <set>

#include "authoring/MediumNames.h"
#include "format/LaunchCommand.h"
#include "framework/portable/Convert.h"

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

class MediumChecker {
public:
    MediumChecker(const MediumLayout& layout, const MenuDocument& menu, const MenuOrigins& origins,
                  std::vector<Problem>& problems)
        : layout_(layout), menu_(menu), origins_(origins), problems_(problems) {}

    void Run() {
        Label();
        LauncherName();
        Names();
        Program();
        ShellTarget(SettingId::InstallShown, SettingId::InstallOpen);
        ShellTarget(SettingId::WebShown, SettingId::WebOpen);
    }

private:
    void Add(std::string file, std::string text, Severity severity = Severity::Error) {
        Problem problem;
        problem.severity = severity;
        problem.file = std::move(file);
        problem.text = std::move(text);
        problems_.push_back(std::move(problem));
    }

    std::string ContentName(const std::string& path) const {
        return layout_.contentFolder.empty() ? path : layout_.contentFolder + "/" + path;
    }

    void Label() {
        if (layout_.label.empty())
            return;
        const std::string problem = VolumeLabelProblem(layout_.label);
        if (!problem.empty())
            Add("--label " + layout_.label, "the volume label " + problem);
    }

    void LauncherName() {
        const std::string& name = layout_.launcherName;
        const std::string problem = NameProblem(name);
        if (!problem.empty())
            Add("--launcher-name " + name, "the launcher's name " + problem);
        else if (name.size() < 5 || FoldCase(name.substr(name.size() - 4)) != ".exe")
            Add("--launcher-name " + name,
                "the launcher's name must end in .exe, or Windows will not start it from "
                "autorun.inf");
    }

    // Every name on the medium, once each without regard to case.
    void Names() {
        std::map<std::string, std::string> seen; // folded path -> how it was named
        auto enter = [&](const std::string& path, const std::string& described) {
            const auto [at, fresh] = seen.emplace(FoldCase(path), described);
            if (!fresh)
                Add(described, "has the name of " + at->second +
                                   " on the medium; FAT32 and Joliet do not tell names apart "
                                   "by case");
        };
        enter(layout_.launcherName, "the launcher (--launcher-name " + layout_.launcherName + ")");
        enter(kContainerName, "the container " + std::string(kContainerName));
        enter(kAutorunName, std::string(kAutorunName));
        if (!layout_.iconName.empty())
            enter(layout_.iconName, "the icon " + layout_.iconName + " (--icon)");
        for (const ContentEntry& entry : layout_.content) {
            const std::string problem = PathProblem(entry.path);
            if (!problem.empty())
                Add(ContentName(entry.path), problem);
            enter(entry.path, ContentName(entry.path));
            folded_.insert(FoldCase(entry.path));
        }
    }

    bool OnMedium(const std::string& path) const { return folded_.count(path) != 0; }

    // A "Shown" line that reads as true; text that is no Boolean is
    // CheckMenu's to report.
    bool Shown(SettingId id) const {
        bool shown = false;
        return LineOf(id) < menu_.FixedLinesPresent() && TryStrToBool(menu_.Text(id), shown) &&
               shown;
    }

    std::string NotInContent() const {
        return layout_.contentFolder.empty()
                   ? " is not on the medium: no content folder is given (--content DIR)"
                   : " is not in the content folder " + Quoted(layout_.contentFolder);
    }

    void Program() {
        if (!Shown(SettingId::LaunchShown) ||
            LineOf(SettingId::LaunchProgram) >= menu_.FixedLinesPresent())
            return;
        const SettingOrigin& origin = origins_.lines[LineOf(SettingId::LaunchProgram)];
        const std::string& line = menu_.Text(SettingId::LaunchProgram);
        if (line.find_first_not_of(' ') == std::string::npos) {
            problems_.push_back(origin.At("the start button is shown but no program is named"));
            return;
        }
        const std::string program =
            ProgramPart(line, [this](const std::string& path) { return OnMedium(path); });
        const std::string path = MediumPath(program);
        if (path.empty()) {
            problems_.push_back(origin.At(Quoted(program) +
                                          " is not on the medium; the launcher starts the program "
                                          "from its own folder"));
        } else if (!OnMedium(path) && !OnMedium(path + ".exe")) {
            problems_.push_back(origin.At(Quoted(program) + NotInContent() +
                                          "; the launcher starts it from its own folder"));
        }
    }

    void ShellTarget(SettingId shownId, SettingId targetId) {
        if (!Shown(shownId) || LineOf(targetId) >= menu_.FixedLinesPresent())
            return;
        const std::string& target = menu_.Text(targetId);
        if (ClassifyShellTarget(target) == ShellTargetKind::Empty ||
            ClassifyShellTarget(target) == ShellTargetKind::Address)
            return;
        const SettingOrigin& origin = origins_.lines[LineOf(targetId)];
        const std::string path = MediumPath(target);
        if (path.empty())
            problems_.push_back(origin.At(Quoted(target) + " lies outside the medium; not checked",
                                          Severity::Warning));
        else if (!OnMedium(path))
            problems_.push_back(origin.At(Quoted(target) + NotInContent() +
                                          "; the button opens it beside the launcher"));
    }

    const MediumLayout& layout_;
    const MenuDocument& menu_;
    const MenuOrigins& origins_;
    std::vector<Problem>& problems_;
    std::set<std::string> folded_; // the content's paths, case folded
};

} // namespace

std::string MediumPath(const std::string& target) {
    if (target.find(':') != std::string::npos)
        return {}; // a drive ("C:\...") or a stream: not below the launcher
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= target.size()) {
        std::size_t end = target.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = target.size();
        const std::string name = target.substr(start, end - start);
        if (name == "..") {
            if (names.empty())
                return {};
            names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        start = end + 1;
    }
    std::string path;
    for (const std::string& name : names)
        path += (path.empty() ? "" : "/") + name;
    return FoldCase(path);
}

std::string ProgramPart(const std::string& program,
                        const std::function<bool(const std::string& mediumPath)>& exists) {
    auto namesFile = [&](const std::string& text) {
        const std::string path = MediumPath(text);
        if (path.empty())
            return false;
        const std::size_t nameStart = path.find_last_of('/') + 1;
        const bool noExtension = path.find('.', nameStart) == std::string::npos;
        return exists(path) || (noExtension && exists(path + ".exe"));
    };
    return program.substr(0, ProgramNameLength(program, namesFile));
}

std::vector<Problem> CheckMedium(const MediumLayout& layout, const MenuDocument& menu,
                                 const MenuOrigins& origins) {
    std::vector<Problem> problems;
    MediumChecker(layout, menu, origins, problems).Run();
    return problems;
}
