#include "designer/model/DesignDocument.h"

#include <filesystem>
#include <system_error>

#include "authoring/FileBytes.h"
#include "authoring/MenuBuild.h"
#include "authoring/MenuCheck.h"
#include "authoring/MenuIni.h"
#include "authoring/MenuIniKeys.h"
#include "authoring/MenuSource.h"
#include "authoring/OutputFile.h"
#include "designer/model/ChangeValue.h"
#include "designer/model/DesignError.h"
#include "designer/model/LineCheck.h"
#include "designer/model/MenuAccess.h"

namespace fs = std::filesystem;

namespace {

constexpr int kNoticeMergeId = 2;
constexpr int kNoticeSlot = 2;

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::path(path), error);
}

bool EmptyOrMissing(const std::string& folder) {
    std::error_code error;
    const fs::path path(folder);
    if (!fs::exists(path, error))
        return true;
    return fs::is_directory(path, error) && fs::is_empty(path, error) && !error;
}

// The menu's files by container entry: 2 the notice, 3..8 the pictures, 9 on
// the extra entries; entries without a file name are left out.
template <class Menu, class Visit> void ForEachFile(Menu& menu, Visit visit) {
    if (menu.EntryCount() >= 2 && !menu.Notice().fileName.empty())
        visit(kNoticeSlot, menu.Notice());
    for (int i = 0; i < kPictureCount && kFirstPictureEntry + i <= menu.EntryCount(); ++i)
        if (!menu.Picture(PictureAt(i)).fileName.empty())
            visit(kFirstPictureEntry + i, menu.Picture(PictureAt(i)));
    for (std::size_t i = 0; i < menu.Extra().size(); ++i)
        if (!menu.Extra()[i].fileName.empty())
            visit(kLauncherEntries + 1 + static_cast<int>(i), menu.Extra()[i]);
}

std::string SlotKey(int slot, const std::string& name) {
    return std::to_string(slot) + ":" + name;
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void CheckOption(const OptionEntry& option) {
    if (option.name.find(';') != std::string::npos)
        throw DesignError("option name \"" + option.name +
                          "\" holds \";\", which ends the name in an option line");
    if ((option.name + option.parameters).find_first_of("\r\n") != std::string::npos)
        throw DesignError("an option is one line; it holds a line break");
}

} // namespace

DesignDocument::DesignDocument()
    : origins_(MenuIniOrigins(kMenuIniName)), nextDragId_(kFirstDragMergeId) {}

DesignDocument::~DesignDocument() = default;

void DesignDocument::Notify(DesignChange change) {
    if (onChange_)
        onChange_(change);
}

std::vector<Problem> DesignDocument::Replace(MenuDocument menu, MenuOrigins origins,
                                             std::string folder, std::vector<Problem> problems,
                                             std::string iniText) {
    menu_ = std::move(menu);
    origins_ = std::move(origins);
    folder_ = std::move(folder);
    iniText_ = std::move(iniText);
    readProblems_ = problems;
    savedFiles_.clear();
    if (!folder_.empty())
        ForEachFile(menu_, [&](int slot, const MenuFileData& file) {
            savedFiles_[SlotKey(slot, file.fileName)] = file.bytes;
        });
    stack_.Clear();
    selection_ = ElementId::None;
    drag_.reset();
    Notify({DesignChange::All | DesignChange::Selection | DesignChange::Modified |
                DesignChange::Folder,
            {}});
    return problems;
}

std::vector<Problem> DesignDocument::Open(const std::string& folder) {
    std::error_code error;
    if (!fs::is_directory(fs::path(folder), error))
        throw DesignError(folder + ": is no folder; open a menu folder (menu.ini, or files "
                                   "named 1-..., 2-..., ...)");
    std::vector<Problem> problems;
    if (HasMenuIni(folder)) {
        LoadedMenu loaded = LoadMenuIniFolder(folder, problems);
        return Replace(std::move(loaded.menu), std::move(loaded.origins), folder,
                       std::move(problems), std::move(loaded.iniText));
    }
    // Untitled: saving writes a menu.ini folder, never over the numbered files.
    return Replace(ReadNumberedMenu(folder), MenuIniOrigins(kMenuIniName), "", std::move(problems),
                   "");
}

std::vector<Problem> DesignDocument::OpenContainer(const std::string& container,
                                                   const std::string& intoFolder) {
    if (!EmptyOrMissing(intoFolder))
        throw DesignError(intoFolder + ": is not empty; take a container apart into a new or "
                                       "empty folder");
    WriteMenuFolder(DecompileContainer(container), intoFolder);
    return Open(intoFolder);
}

std::vector<Problem> DesignDocument::NewFromStarter(const std::string& folder) {
    if (!EmptyOrMissing(folder))
        throw DesignError(folder + ": is not empty; a new menu goes into a new or empty folder");
    WriteStarterMenu(folder);
    return Open(folder);
}

void DesignDocument::Save() {
    if (Untitled())
        throw DesignError("the menu has no folder yet; save it as a new menu folder");
    WriteFolder(folder_);
}

void DesignDocument::SaveAs(const std::string& folder) {
    if (folder.empty())
        throw DesignError("no folder given to save the menu into");
    WriteFolder(folder);
}

void DesignDocument::WriteFolder(const std::string& folder) {
    const bool sameFolder = !folder_.empty() && fs::path(folder) == fs::path(folder_);
    const std::string iniText =
        iniText_.empty() ? WriteMenuIni(menu_) : UpdateMenuIni(iniText_, menu_);
    EnsureFolder(folder);
    ForEachFile(menu_, [&](int slot, const MenuFileData& file) {
        const std::string target = JoinPath(folder, file.fileName);
        const auto saved = savedFiles_.find(SlotKey(slot, file.fileName));
        const bool unchanged = saved != savedFiles_.end() && saved->second == file.bytes;
        if (unchanged && sameFolder && Exists(target))
            return;
        std::error_code error;
        fs::create_directories(fs::path(target).parent_path(), error);
        std::vector<uint8_t> bytes = file.bytes;
        // An unchanged file is copied as the author made it (a PNG stays a PNG).
        if (unchanged && !sameFolder && !folder_.empty()) {
            std::string problem;
            const std::string source = JoinPath(folder_, file.fileName);
            if (!ReadWholeFile(source, kMaxMenuFileBytes, bytes, problem))
                throw DesignError(source + " " + problem);
        }
        WriteFileWhole(target, bytes);
    });
    // Last: a folder whose files failed keeps its previous menu.ini.
    WriteFileWhole(JoinPath(folder, kMenuIniName),
                   std::vector<uint8_t>(iniText.begin(), iniText.end()));

    folder_ = folder;
    iniText_ = iniText;
    savedFiles_.clear();
    ForEachFile(menu_, [&](int slot, const MenuFileData& file) {
        savedFiles_[SlotKey(slot, file.fileName)] = file.bytes;
    });
    // Problems now name the lines of the menu.ini just written.
    std::vector<Problem> ignored;
    origins_ = ReadMenuIni(JoinPath(folder, kMenuIniName), iniText, ignored).origins;
    origins_.menu.file = folder;
    readProblems_.clear();
    stack_.SetClean();
    Notify({DesignChange::Modified | DesignChange::Folder, {}});
}

void DesignDocument::BuildContainer(const std::string& path) const {
    if (Untitled() || Modified())
        throw DesignError(path + ": not built; save the menu first (a container is built from "
                                 "the saved folder)");
    const MenuBuild build = BuildMenu(folder_, true);
    if (build.stop != MenuBuild::Stop::None) {
        std::string lines;
        for (const Problem& problem : build.problems)
            if (problem.severity == Severity::Error)
                lines += problem.Format() + "\n";
        throw DesignError(lines + path + ": not built; " +
                          std::to_string(ErrorCount(build.problems)) +
                          " problem(s) the launcher would refuse");
    }
    WriteBuiltContainer(build, path);
}

std::string DesignDocument::DisplayName() const {
    if (Untitled())
        return "Untitled";
    fs::path path(folder_);
    if (!path.has_filename())
        path = path.parent_path();
    return path.filename().string();
}

std::vector<Problem> DesignDocument::Problems() const {
    std::vector<Problem> problems = readProblems_;
    std::vector<Problem> checked = CheckMenu(menu_, origins_);
    problems.insert(problems.end(), checked.begin(), checked.end());
    return problems;
}

void DesignDocument::Select(ElementId id) {
    if (id == selection_)
        return;
    selection_ = id;
    Notify({DesignChange::Selection, {}});
}

void DesignDocument::SetMode(MenuMode mode) {
    if (mode == mode_)
        return;
    mode_ = mode;
    Notify({DesignChange::Mode, {}});
}

std::string DesignDocument::Value(const Property& property) const {
    switch (property.kind) {
    case PropertyKind::Setting:
        return MenuIniKeyValue(*property.setting, menu_.Text(property.setting->id));
    case PropertyKind::Picture:
        return menu_.Picture(property.picture).fileName;
    case PropertyKind::NoticeText:
        return NoticeText();
    default:
        return "";
    }
}

void DesignDocument::Push(std::unique_ptr<TCommand> command, bool mayMerge) {
    DesignChange change = stack_.Push(std::move(command), mayMerge);
    change.what |= DesignChange::Modified;
    Notify(std::move(change));
}

void DesignDocument::SetValue(const SettingInfo& row, const std::string& value, EditStep step) {
    const std::string label(row.label);
    if (LineOf(row.id) >= menu_.FixedLinesPresent())
        throw DesignError(label + ": this menu's configuration list ends before line " +
                          std::to_string(LineOf(row.id)) + " (Lines in [Container])");
    const MenuIniKeyEdit edit = EditMenuIniKey(row, menu_.Text(row.id), value);
    if (!edit.error.empty())
        throw DesignError(label + ": " + edit.error);
    const std::string problem = LineProblem(menu_, row.id, edit.text);
    if (!problem.empty())
        throw DesignError(label + ": " + problem);
    Push(std::make_unique<TChangeValue<LineAccess>>(menu_, LineAccess{row.id, kLineMergeId},
                                                    edit.text, "Change " + label),
         step == EditStep::Continue);
}

void DesignDocument::Place(ElementId id, ElementPoint to, int mergeId, const std::string& text) {
    const auto left = LeftLine(id), top = TopLine(id);
    if (!left || !top)
        throw DesignError("the window itself has no place to move to");
    const ElementPoint place = ClampPosition(id, to);
    Push(std::make_unique<TChangeValue<PlaceAccess>>(
             menu_, PlaceAccess{*left, *top, mergeId},
             std::make_pair(std::to_string(place.x), std::to_string(place.y)), text),
         mergeId != -1);
}

void DesignDocument::MoveTo(ElementId id, ElementPoint to) {
    Place(id, to, -1, "Move " + std::string(ElementName(id)));
}

void DesignDocument::Nudge(ElementId id, int dx, int dy) {
    const auto from = ElementPosition(menu_, id);
    if (!from)
        throw DesignError("the window itself has no place to move to");
    Place(id, {from->x + dx, from->y + dy}, -1, "Move " + std::string(ElementName(id)));
}

void DesignDocument::BeginDrag(ElementId id) {
    if (!LeftLine(id))
        throw DesignError("the window itself has no place to move to");
    drag_ = Drag{id, nextDragId_++, menu_.Text(*LeftLine(id)), menu_.Text(*TopLine(id))};
}

void DesignDocument::DragTo(ElementPoint to) {
    if (!drag_)
        return;
    Place(drag_->id, to, drag_->mergeId, "Move " + std::string(ElementName(drag_->id)));
}

void DesignDocument::EndDrag() {
    drag_.reset();
}

void DesignDocument::CancelDrag() {
    if (!drag_)
        return;
    // Back to the start through the drag's own step: the merged move ends
    // where it began and is dropped.
    const Drag drag = *drag_;
    drag_.reset();
    const auto left = LeftLine(drag.id), top = TopLine(drag.id);
    Push(std::make_unique<TChangeValue<PlaceAccess>>(menu_, PlaceAccess{*left, *top, drag.mergeId},
                                                     std::make_pair(drag.startLeft, drag.startTop),
                                                     ""),
         true);
}

std::vector<OptionEntry> DesignDocument::Options() const {
    std::vector<OptionEntry> options;
    for (const std::string& line : menu_.Tail())
        options.push_back(SplitOptionLine(line));
    return options;
}

void DesignDocument::SetOptions(std::vector<std::string> tail, const std::string& text) {
    if (menu_.FixedLinesPresent() < kFixedLines)
        throw DesignError("this menu's configuration list ends before line 72, so it holds no "
                          "options");
    const std::string count = std::to_string(tail.size());
    Push(std::make_unique<TChangeValue<OptionsAccess>>(
             menu_, OptionsAccess{}, OptionListValue{std::move(tail), count}, text),
         false);
}

void DesignDocument::AddOption(const OptionEntry& option) {
    CheckOption(option);
    std::vector<std::string> tail = menu_.Tail();
    tail.push_back(JoinOptionLine(option));
    SetOptions(std::move(tail), "Add option");
}

void DesignDocument::SetOption(std::size_t index, const OptionEntry& option) {
    CheckOption(option);
    std::vector<std::string> tail = menu_.Tail();
    if (index >= tail.size())
        throw DesignError("there is no option " + std::to_string(index + 1));
    if (SplitOptionLine(tail[index]) == option)
        return; // the line's own spelling ("name;" or "name") stays
    tail[index] = JoinOptionLine(option);
    SetOptions(std::move(tail), "Change option");
}

void DesignDocument::RemoveOption(std::size_t index) {
    std::vector<std::string> tail = menu_.Tail();
    if (index >= tail.size())
        throw DesignError("there is no option " + std::to_string(index + 1));
    tail.erase(tail.begin() + static_cast<std::ptrdiff_t>(index));
    SetOptions(std::move(tail), "Remove option");
}

void DesignDocument::MoveOption(std::size_t index, int delta) {
    std::vector<std::string> tail = menu_.Tail();
    if (index >= tail.size())
        throw DesignError("there is no option " + std::to_string(index + 1));
    const long target = static_cast<long>(index) + (delta < 0 ? -1 : 1);
    if (delta == 0 || target < 0 || target >= static_cast<long>(tail.size()))
        return;
    std::swap(tail[index], tail[static_cast<std::size_t>(target)]);
    SetOptions(std::move(tail), delta < 0 ? "Move option up" : "Move option down");
}

void DesignDocument::ReplacePicture(PictureRole role, const std::string& path) {
    const int index = static_cast<int>(role);
    if (kFirstPictureEntry + index > menu_.EntryCount())
        throw DesignError(path + ": this menu's container ends before the " +
                          std::string(PictureLabel(role)) + " picture's entry");
    ImportedPicture picture;
    try {
        picture = ImportPictureFile(path, role);
    } catch (const PictureError& failure) {
        throw DesignError(failure.what());
    }
    // Held as the BMP the launcher reads, saved under a .bmp name.
    std::string name = BaseName(path);
    const std::size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    name = stem + ".bmp";
    // Another file of the menu, or a different file in the folder, keeps its name.
    auto taken = [&](const std::string& candidate) {
        bool used = false;
        ForEachFile(menu_, [&](int slot, const MenuFileData& file) {
            if (slot != kFirstPictureEntry + index && SameName(file.fileName, candidate) &&
                file.bytes != picture.bmp)
                used = true;
        });
        if (used || folder_.empty())
            return used;
        std::vector<uint8_t> existing;
        std::string problem;
        const std::string inFolder = JoinPath(folder_, candidate);
        return Exists(inFolder) &&
               (!ReadWholeFile(inFolder, kMaxMenuFileBytes, existing, problem) ||
                existing != picture.bmp);
    };
    for (int n = 2; taken(name); ++n)
        name = stem + "-" + std::to_string(n) + ".bmp";
    Push(std::make_unique<TChangeValue<PictureAccess>>(
             menu_, PictureAccess{role}, MenuFileData{name, std::move(picture.bmp)},
             "Replace " + std::string(PictureLabel(role)) + " picture"),
         false);
}

std::string DesignDocument::NoticeText() const {
    const std::vector<uint8_t>& bytes = menu_.Notice().bytes;
    return std::string(bytes.begin(), bytes.end());
}

void DesignDocument::SetNoticeText(const std::string& text, EditStep step) {
    if (menu_.EntryCount() < 2)
        throw DesignError("this menu's container ends before the notice's entry");
    std::string name = menu_.Notice().fileName;
    if (name.empty())
        name = "notice.txt";
    Push(std::make_unique<TChangeValue<NoticeAccess>>(
             menu_, NoticeAccess{kNoticeMergeId},
             MenuFileData{name, std::vector<uint8_t>(text.begin(), text.end())},
             "Change notice text"),
         step == EditStep::Continue);
}

void DesignDocument::Undo() {
    drag_.reset();
    DesignChange change = stack_.Undo();
    change.what |= DesignChange::Modified;
    Notify(std::move(change));
}

void DesignDocument::Redo() {
    drag_.reset();
    DesignChange change = stack_.Redo();
    change.what |= DesignChange::Modified;
    Notify(std::move(change));
}
