// ctrpack decompile: a container taken apart into a menu folder that builds
// it again entry for entry: menu.ini, the notice text, the pictures as the
// BMP files they are, and the entries above 8 as they are.
#include <filesystem>
#include <system_error>

#include "authoring/MenuIni.h"
#include "authoring/MenuSource.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"
#include "tools/ctrpack/Arguments.h"
#include "tools/ctrpack/ContainerReading.h"
#include "tools/ctrpack/MenuCommands.h"
#include "tools/ctrpack/OutputFile.h"
#include "tools/ctrpack/ToolError.h"

namespace {

constexpr const char* kPictureFiles[kPictureCount] = {"background.bmp",     "button.bmp",
                                                      "button-pressed.bmp", "button-over.bmp",
                                                      "checkbox.bmp",       "checkbox-ticked.bmp"};

} // namespace

void NameDecompiledFiles(MenuDocument& menu) {
    if (!menu.Notice().bytes.empty())
        menu.Notice().fileName = "notice.txt";
    for (int i = 0; i < kPictureCount; ++i)
        if (!menu.Picture(PictureAt(i)).bytes.empty())
            menu.Picture(PictureAt(i)).fileName = kPictureFiles[i];
    for (std::size_t i = 0; i < menu.Extra().size(); ++i)
        if (!menu.Extra()[i].bytes.empty())
            menu.Extra()[i].fileName = "entry" + std::to_string(i + kLauncherEntries + 1) + ".bin";
}

int RunDecompile(const CommandArgs& args) {
    const Arguments arguments(args, {{}, {"--offset"}});
    const auto& words = arguments.Positional();
    if (words.size() != 2)
        throw ToolError("needs CONTAINER and DIR");
    const std::string& container = words[0];
    const std::string& folder = words[1];

    // Every entry is read before anything is written.
    const ContainerReading reading(container, arguments.Int32Value("--offset", 0));
    std::vector<std::vector<uint8_t>> entries;
    for (int n = 1; n <= reading.EntryCount(); ++n)
        entries.push_back(reading.Entry(n, true).bytes);
    MenuDocument menu;
    try {
        menu = MenuFromEntries(container, std::move(entries));
    } catch (const ConversionError& error) {
        throw ToolError(error.what());
    }
    NameDecompiledFiles(menu);

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
    files.emplace_back(kMenuIniName, &ini); // last: a folder left half written has none

    // Nothing an author made is overwritten.
    for (const auto& [name, bytes] : files) {
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::path(JoinPath(folder, name)), error))
            throw ToolError(JoinPath(folder, name),
                            "exists already; decompile into a new or empty folder");
    }
    EnsureFolder(folder);
    for (const auto& [name, bytes] : files)
        WriteFileWhole(JoinPath(folder, name), *bytes);
    return 0;
}
