#include "authoring/MenuSource.h"

#include <fstream>

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
    std::ifstream file(InFolder(folder, kMenuIniName), std::ios::binary);
    return file.good();
}

namespace {

void LoadFile(const std::string& folder, MenuFileData& data, const SettingOrigin& origin,
              std::vector<Problem>& problems) {
    if (data.fileName.empty())
        return; // an empty entry
    std::string problem;
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
    for (std::size_t i = 0; i < menu.Extra().size(); ++i) {
        SettingOrigin origin{iniPath, 0, "Container",
                             "Entry" + std::to_string(i + kLauncherEntries + 1)};
        LoadFile(folder, menu.Extra()[i], origin, problems);
    }
    return {std::move(read.menu), std::move(read.origins),
            std::string(reinterpret_cast<const char*>(text.data()), text.size())};
}
