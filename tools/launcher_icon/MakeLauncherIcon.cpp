// make_launcher_icon: draws the launcher's icon at 16, 32, 48 and 256 pixels
// and writes it as an .ico file. With --check it compares the file with what
// it would write instead, so a changed drawing that was not remade shows.
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/launcher_icon/IcoWriter.h"
#include "tools/launcher_icon/LauncherIconPicture.h"

namespace {

std::vector<uint8_t> MakeIcon() {
    std::vector<StarterImage> pictures;
    for (int size : {16, 32, 48, 256})
        pictures.push_back(DrawLauncherIcon(size));
    return WriteIco(pictures);
}

int Write(const char* path, const std::vector<uint8_t>& icon) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(icon.data()),
               static_cast<std::streamsize>(icon.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "make_launcher_icon: %s: cannot be written\n", path);
        return 1;
    }
    std::printf("%s: %zu bytes\n", path, icon.size());
    return 0;
}

int Check(const char* path, const std::vector<uint8_t>& icon) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "make_launcher_icon: %s: cannot be read\n", path);
        return 1;
    }
    const std::vector<uint8_t> present{std::istreambuf_iterator<char>(file),
                                       std::istreambuf_iterator<char>()};
    if (present != icon) {
        std::fprintf(stderr,
                     "make_launcher_icon: %s differs from the drawing (%zu bytes, drawn %zu); "
                     "remake it with the launcher_icon target\n",
                     path, present.size(), icon.size());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: make_launcher_icon [--check] FILE.ico\n");
        return 2;
    }
    try {
        const std::vector<uint8_t> icon = MakeIcon();
        return check ? Check(argv[2], icon) : Write(argv[1], icon);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_launcher_icon: %s\n", error.what());
        return 1;
    }
}
