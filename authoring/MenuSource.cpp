#include "authoring/MenuSource.h"

#include <filesystem>
#include <system_error>

#include "authoring/MenuIni.h"
#include "authoring/PictureImport.h"
#include "authoring/PictureLimits.h"

std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

bool HasMenuIni(const std::string& folder) {
    // Anything of that name, a broken link too: reading it says what is wrong.
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(
        std::filesystem::path(InFolder(folder, kMenuIniName)), error));
}

std::string FileNameProblem(const std::string& name) {
    const bool rooted = !name.empty() && (name[0] == '/' || name[0] == '\\');
    const bool drive = name.size() >= 2 && name[1] == ':';
    if (rooted || drive)
        return "\"" + name + "\" is an absolute path; name the file relative to the menu's folder";
    return "";
}

namespace {

void LoadFile(const std::string& folder, MenuFileData& data, const SettingOrigin& origin,
              std::vector<Problem>& problems) {
    if (data.fileName.empty())
        return; // an empty entry
    std::string problem = FileNameProblem(data.fileName);
    if (!problem.empty()) {
        problems.push_back(origin.At(problem));
        return;
    }
    const std::string path = InFolder(folder, data.fileName);
    if (!ReadWholeFile(path, kMaxMenuFileBytes, data.bytes, problem))
        problems.push_back(origin.At(path + " " + problem));
}

} // namespace

LoadedMenu LoadMenuIniFolder(const std::string& folder, std::vector<Problem>& problems,
                             bool keepUnreadablePictures) {
    const std::string iniPath = InFolder(folder, kMenuIniName);
    std::vector<uint8_t> text;
    std::string problem;
    if (!ReadWholeFile(iniPath, kMaxMenuFileBytes, text, problem)) {
        problems.push_back({Severity::Error, iniPath, 0, "", "", problem});
        return {};
    }
    MenuIniResult read = ReadMenuIni(
        iniPath, std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
        problems);
    MenuDocument& menu = read.menu;
    read.origins.menu.file = folder;

    if (menu.EntryCount() >= 2)
        LoadFile(folder, menu.Notice(), read.origins.notice, problems);
    for (int i = 0; i < kPictureCount && kFirstPictureEntry + i <= menu.EntryCount(); ++i) {
        const PictureRole role = PictureAt(i);
        MenuFileData& picture = menu.Picture(role);
        if (picture.fileName.empty())
            continue;
        if (const std::string named = FileNameProblem(picture.fileName); !named.empty()) {
            problems.push_back(read.origins.pictures[i].At(named));
            continue;
        }
        try {
            picture.bytes = ImportPictureFile(InFolder(folder, picture.fileName), role).bmp;
        } catch (const PictureError& error) {
            std::string unread;
            if (keepUnreadablePictures &&
                ReadWholeFile(InFolder(folder, picture.fileName), kMaxPictureFileBytes,
                              picture.bytes, unread))
                problems.push_back(read.origins.pictures[i].At(
                    std::string(error.what()) + "; taken as it is", Severity::Warning));
            else
                problems.push_back(read.origins.pictures[i].At(error.what()));
        }
    }
    for (std::size_t i = 0; i < menu.Extra().size(); ++i)
        LoadFile(folder, menu.Extra()[i], read.origins.extra[i], problems);
    return {std::move(read.menu), std::move(read.origins),
            std::string(reinterpret_cast<const char*>(text.data()), text.size())};
}
