#include "authoring/MenuBuild.h"

#include <filesystem>
#include <system_error>

#include "authoring/AuthoringError.h"
#include "authoring/MenuCheck.h"
#include "authoring/MenuIni.h"
#include "authoring/MenuSource.h"
#include "authoring/OutputFile.h"
#include "authoring/StarterMenu.h"
#include "container/ContainerError.h"
#include "container/ContainerReading.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"

namespace fs = std::filesystem;

namespace {

MenuSource FromEntries(const std::string& name, std::vector<MenuEntry> entries, int entriesHeld) {
    std::vector<std::vector<uint8_t>> bytes;
    for (const MenuEntry& entry : entries)
        bytes.push_back(entry.bytes);
    MenuSource source;
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

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::path(path), error) || error;
}

// Nothing an author made is overwritten: every name is checked before the
// first file is written.
void RefuseExisting(const std::string& folder, const std::vector<std::string>& names,
                    const std::string& why) {
    for (const std::string& name : names)
        if (Exists(JoinPath(folder, name)))
            throw AuthoringError(JoinPath(folder, name), why);
}

} // namespace

bool IsFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(fs::path(path), error);
}

MenuSource ReadMenuSource(const std::string& path, UnreadablePictures pictures) {
    if (IsFolder(path) && HasMenuIni(path)) {
        MenuSource source;
        source.folder = path;
        LoadedMenu loaded =
            LoadMenuIniFolder(path, source.problems, pictures == UnreadablePictures::Keep);
        source.menu = std::move(loaded.menu);
        source.origins = std::move(loaded.origins);
        source.entriesHeld = source.menu.EntryCount();
        return source;
    }
    if (IsFolder(path)) {
        std::vector<MenuEntry> entries = ReadMenuFolder(path);
        const int count = static_cast<int>(entries.size());
        MenuSource source = FromEntries(path, std::move(entries), count);
        source.folder = path;
        return source;
    }
    int entriesHeld = 0;
    std::vector<MenuEntry> entries = ReadMenuContainer(path, entriesHeld);
    if (entries.empty())
        throw AuthoringError(path, "holds no entries; entry 1 is the configuration list");
    return FromEntries(path, std::move(entries), entriesHeld);
}

std::vector<Problem> CheckMenuSource(const MenuSource& source) {
    // A setting that could not be read keeps a text the launcher takes, and
    // a file that could not be read gives an empty entry, which the checks
    // pass over: everything else is checked all the same.
    std::vector<Problem> problems = source.problems;
    std::vector<Problem> checked = CheckMenu(source.menu, source.origins);
    problems.insert(problems.end(), checked.begin(), checked.end());
    return problems;
}

MenuBuild BuildMenu(const std::string& folder, bool check) {
    if (!IsFolder(folder))
        throw AuthoringError(folder, "is no folder; build takes a menu folder (menu.ini, or files "
                                     "named 1-..., 2-..., ...)");
    MenuBuild build;
    build.source =
        ReadMenuSource(folder, check ? UnreadablePictures::Refuse : UnreadablePictures::Keep);
    // What menu.ini and its files could not give is never built; the
    // launcher's own checks may be skipped.
    const bool unread = HasErrors(build.source.problems);
    build.problems = check ? CheckMenuSource(build.source) : build.source.problems;
    if (unread || HasErrors(build.problems)) {
        build.stop = unread ? MenuBuild::Stop::Reading : MenuBuild::Stop::Checks;
        return build;
    }
    if (build.source.numbered.empty()) {
        build.container = ContainerOfMenu(build.source.menu, folder);
        return build;
    }
    try {
        for (MenuEntry& entry : build.source.numbered) {
            std::vector<uint8_t> bytes = std::move(entry.bytes);
            ScrambleEntry(bytes);
            build.container.AddEntry(std::move(bytes), entry.source);
        }
    } catch (const EContainerError& error) {
        throw AuthoringError(error.Message());
    }
    return build;
}

ContainerWriter ContainerOfMenu(const MenuDocument& menu, const std::string& source) {
    ContainerWriter container;
    int number = 0;
    try {
        for (std::vector<uint8_t>& bytes : menu.Entries()) {
            ScrambleEntry(bytes);
            container.AddEntry(std::move(bytes), source + " entry " + std::to_string(++number));
        }
    } catch (const EContainerError& error) {
        throw AuthoringError(error.Message());
    }
    return container;
}

std::vector<uint8_t> ContainerBytesOfMenu(const MenuDocument& menu) {
    return ContainerOfMenu(menu, "the menu").Bytes();
}

void WriteContainerFile(const ContainerWriter& container, const std::string& path) {
    OutputFile output(path);
    try {
        container.WriteTo(output.Stream());
    } catch (const EStreamError&) {
        throw AuthoringError(path, "cannot be written");
    }
    output.Commit();
}

void WriteBuiltContainer(const MenuBuild& build, const std::string& path) {
    if (const std::string problem = OutputPathProblem(path); !problem.empty())
        throw AuthoringError(path, problem);
    const MenuSource& source = build.source;
    std::vector<std::string> own;
    if (!source.folder.empty()) {
        own.push_back(InFolder(source.folder, kMenuIniName));
        auto add = [&](const MenuFileData& file) {
            if (!file.fileName.empty())
                own.push_back(InFolder(source.folder, file.fileName));
        };
        add(source.menu.Notice());
        for (int i = 0; i < kPictureCount; ++i)
            add(source.menu.Picture(PictureAt(i)));
        for (const MenuFileData& extra : source.menu.Extra())
            add(extra);
    }
    for (const MenuEntry& entry : source.numbered)
        own.push_back(entry.source);
    for (const std::string& file : own) {
        std::error_code error;
        if (fs::equivalent(fs::path(path), fs::path(file), error))
            throw AuthoringError(path, "is one of the menu's own files; write the container "
                                       "elsewhere; nothing written");
    }
    WriteContainerFile(build.container, path);
}

void NameDecompiledFiles(MenuDocument& menu) {
    if (!menu.Notice().bytes.empty())
        menu.Notice().fileName = kDecompiledNoticeName;
    for (int i = 0; i < kPictureCount; ++i)
        if (!menu.Picture(PictureAt(i)).bytes.empty())
            menu.Picture(PictureAt(i)).fileName = std::string(DecompiledPictureName(PictureAt(i)));
    for (std::size_t i = 0; i < menu.Extra().size(); ++i)
        if (!menu.Extra()[i].bytes.empty())
            menu.Extra()[i].fileName =
                DecompiledExtraName(static_cast<int>(i) + kLauncherEntries + 1);
}

namespace {

MenuDocument NamedMenu(const std::string& source, std::vector<std::vector<uint8_t>> entries) {
    MenuDocument menu;
    try {
        menu = MenuFromEntries(source, std::move(entries));
    } catch (const ConversionError& error) {
        throw AuthoringError(error.what());
    }
    NameDecompiledFiles(menu);
    return menu;
}

} // namespace

MenuDocument ReadNumberedMenu(const std::string& folder) {
    std::vector<std::vector<uint8_t>> entries;
    for (MenuEntry& entry : ReadMenuFolder(folder))
        entries.push_back(std::move(entry.bytes));
    return NamedMenu(folder, std::move(entries));
}

MenuDocument DecompileContainer(const std::string& container, int32_t offset) {
    // Every entry is read before anything is written.
    std::vector<std::vector<uint8_t>> entries;
    try {
        const ContainerReading reading(container, offset);
        for (int n = 1; n <= reading.EntryCount(); ++n)
            entries.push_back(reading.Entry(n, true).bytes);
    } catch (const EContainerError& error) {
        throw AuthoringError(error.Message());
    }
    return NamedMenu(container, std::move(entries));
}

void WriteMenuFolder(const MenuDocument& menu, const std::string& folder) {
    std::vector<std::pair<std::string, const std::vector<uint8_t>*>> files;
    if (!menu.Notice().fileName.empty())
        files.emplace_back(menu.Notice().fileName, &menu.Notice().bytes);
    for (int i = 0; i < kPictureCount; ++i)
        if (!menu.Picture(PictureAt(i)).fileName.empty())
            files.emplace_back(menu.Picture(PictureAt(i)).fileName,
                               &menu.Picture(PictureAt(i)).bytes);
    for (const MenuFileData& extra : menu.Extra())
        if (!extra.fileName.empty())
            files.emplace_back(extra.fileName, &extra.bytes);
    const std::string iniText = WriteMenuIni(menu);
    const std::vector<uint8_t> ini(iniText.begin(), iniText.end());
    files.emplace_back(kMenuIniName, &ini);

    std::vector<std::string> names;
    for (const auto& file : files)
        names.push_back(file.first);
    RefuseExisting(folder, names, "exists already; decompile into a new or empty folder");
    EnsureFolder(folder);
    for (const auto& [name, bytes] : files)
        WriteFileWhole(JoinPath(folder, name), *bytes);
}

std::size_t WriteStarterMenu(const std::string& folder) {
    const std::vector<StarterFile> files = StarterMenuFiles();
    std::vector<std::string> names;
    for (const StarterFile& file : files)
        names.push_back(file.name);
    RefuseExisting(folder, names,
                   "exists already; nothing written (ctrpack new makes a new menu folder and "
                   "never overwrites a file)");
    EnsureFolder(folder);
    for (const StarterFile& file : files)
        WriteFileWhole(JoinPath(folder, file.name), file.bytes);
    return files.size();
}
