// A hostile author's menus: each spoils a copy of the demo menu, runs
// ctrpack as an author does, and gets exactly the lines the author sees.
// Every mistake comes at once, nothing is overwritten, nothing hangs.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/runtime/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kDemoMenu = std::string(OVALYN_SOURCE_DIR) + "/demo/menu";

std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Text(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// An RLE8 BMP of one colour: tiny as a file, a full 8-bit bitmap in memory.
std::string RleBitmap(int width, int height) {
    std::string rows;
    for (int y = 0; y < height; ++y) {
        for (int left = width; left > 0; left -= 255)
            rows += {static_cast<char>(left > 255 ? 255 : left), '\1'};
        rows += {'\0', '\0'};
    }
    rows += {'\0', '\1'};
    auto u32 = [](uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    const uint32_t offset = 14 + 40 + 2 * 4;
    std::string file = "BM" + u32(offset + rows.size()) + u32(0) + u32(offset);
    file += u32(40) + u32(width) + u32(height) + std::string{1, 0, 8, 0} + u32(1) +
            u32(rows.size()) + u32(2835) + u32(2835) + u32(2) + u32(0);
    file += u32(0x00FF00FF) + u32(0x00302010); // fuchsia, and the button's colour
    return file + rows;
}

struct Hostile {
    const char* what;
    std::function<void(const TempFolder&)> spoil; // on a copy of the demo as "menu"
    std::vector<std::string> args;                // {menu}, {work} stand for the folders
    int exitCode;
    std::vector<std::string> lines; // stderr of build, stdout of check, {menu} and {work} too
};

class HostileMenus : public ::testing::Test {
protected:
    std::string Expand(std::string text) const {
        for (const auto& [name, path] : {std::pair{std::string("{menu}"), work.File("menu")},
                                         std::pair{std::string("{work}"), work.Path()}})
            for (std::size_t at; (at = text.find(name)) != std::string::npos;)
                text.replace(at, name.size(), path);
        return text;
    }

    void Run(const Hostile& c) {
        SCOPED_TRACE(c.what);
        fs::remove_all(work.File("menu"));
        fs::copy(kDemoMenu, work.File("menu"));
        c.spoil(work);
        std::string command = Quote(CTRPACK_EXE);
        for (const std::string& arg : c.args)
            command += " " + Quote(Expand(arg));
        const std::string out = work.File("out.txt");
        // A command that hung would hold the test up: it may take 20 s.
        command = "timeout 20 " + command + " >" + Quote(out) + " 2>&1";
        const int status = std::system(command.c_str());
        const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::vector<std::string> expected;
        for (const std::string& line : c.lines)
            expected.push_back(Expand(line));
        EXPECT_EQ(Lines(Text(out)), expected);
        EXPECT_EQ(exitCode, c.exitCode);
    }

    TempFolder work;
};

void ReplaceIn(const TempFolder& work, const std::string& from, const std::string& to) {
    std::string ini = Text(work.File("menu/menu.ini"));
    const std::size_t at = ini.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    ini.replace(at, from.size(), to);
    work.Write("menu/menu.ini", ini);
}

TEST_F(HostileMenus, EachGetsTheLinesItsAuthorMustSee) {
    const Hostile cases[] = {
        {"two mistakes in two sections",
         [](const TempFolder& w) {
             ReplaceIn(w, "[Launch]\r\nCaption=Start game\r\nLeft=240",
                       "[Launch]\r\nCaption=Start game\r\nLeft=-5");
             ReplaceIn(w, "Start=SYSTEMSTART", "Start=BOOM");
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini:80: [Sounds] Start: \"BOOM\" is no sound; the sounds are none, "
          "SYSTEMSTART, SYSTEMEXIT, SYSTEMHAND, SYSTEMASTERISK, SYSTEMQUESTION, "
          "SYSTEMEXCLAMATION, SYSTEMWELCOME, SYSTEMDEFAULT, NoName",
          "{menu}/menu.ini:23: [Launch] Left: -5 lies outside 0..65535; write a whole number "
          "from 0 to 65535"}},
        {"a size and its companion",
         [](const TempFolder& w) {
             ReplaceIn(w, "FontSize=10\r\nBold=yes", "FontSize=abc\r\nBold=yes");
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini:46: [Buttons] Bold: Bold needs a plain FontSize, and \"abc\" is none; "
          "write FontSize as a number of points, or leave out Bold and write the launcher's text "
          "alone (-12 is 12 bold)",
          "{menu}/menu.ini:45: [Buttons] FontSize: \"abc\" is no integer; write a whole number "
          "from -65535 to 65535"}},
        {"a picture that is missing, beside another mistake",
         [](const TempFolder& w) {
             fs::remove(w.File("menu/button-over.png"));
             ReplaceIn(w, "Left=205", "Left=x");
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini:17: [Pictures] ButtonOver: {menu}/button-over.png: the file cannot be "
          "opened (missing or not readable)",
          "{menu}/menu.ini:51: [CheckBox] Left: \"x\" is no integer; write a whole number "
          "(decimal, or hexadecimal after $)"}},
        {"a picture that is a folder",
         [](const TempFolder& w) {
             fs::remove(w.File("menu/checkbox.png"));
             fs::create_directory(w.File("menu/checkbox.png"));
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini:18: [Pictures] CheckBox: {menu}/checkbox.png: the file is a folder, not "
          "a file"}},
        {"an absolute picture path",
         [](const TempFolder& w) {
             ReplaceIn(w, "Background=background.png",
                       "Background=" + w.File("menu/background.png"));
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini:14: [Pictures] Background: \"{menu}/background.png\" is an absolute "
          "path; name the file relative to the menu's folder"}},
        {"an empty background",
         [](const TempFolder& w) { ReplaceIn(w, "Background=background.png", "Background="); },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini:14: [Pictures] Background: no background picture is named; write "
          "Background=FILE"}},
        {"scroll bars the launcher does not know",
         [](const TempFolder& w) { ReplaceIn(w, "ScrollBars=none", "ScrollBars=4"); },
         {"check", "{menu}"},
         0,
         {"{menu}/menu.ini:76: warning: [Notice] ScrollBars: 4 gives no scroll bars, as 0 does; "
          "write none, vertical, horizontal or both",
          "{menu}: the launcher takes this menu (8 entries, 75 configuration lines)"}},
        {"an extra entry beyond a gap",
         [](const TempFolder& w) {
             w.Write("menu/menu.ini",
                     Text(w.File("menu/menu.ini")) + "\r\n[Container]\r\nEntry11=x.bin\r\n");
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini:85: [Container] Entry9: missing: extra entries are numbered from Entry9 "
          "without gaps (Entry11 is given)"}},
        {"a notice that would hold the menu up",
         [](const TempFolder& w) {
             std::string notice;
             for (int line = 0; line < 200; ++line)
                 notice += std::string(5000, 'n') + "\r\n";
             w.Write("menu/notice.txt", notice);
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini:68: [Notice] Text: the notice (200 lines, 1000000 characters, the "
          "longest 5000) would keep the menu waiting about 13.3 s while the notice box lays it "
          "out; at most 5.0 s: shorten it, and break long lines"}},
        {"pictures beyond the launcher's memory",
         [](const TempFolder& w) {
             const std::string big = RleBitmap(8192, 8192);
             for (const char* name : {"button.png", "button-pressed.png", "button-over.png"})
                 w.Write(std::string("menu/") + name, big);
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini:15: [Pictures] Button: the pictures need about 1153 MB of the "
          "launcher's memory at once (3 shown buttons keep copies of the button pictures), more "
          "than the 1024 MB it can count on; make the largest, the button picture (8192 x 8192), "
          "smaller"}},
        {"a menu.ini that is a FIFO",
         [](const TempFolder& w) {
             fs::remove(w.File("menu/menu.ini"));
             mkfifo(w.File("menu/menu.ini").c_str(), 0600);
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini: is a FIFO (a pipe), not a file; only regular files are read"}},
        {"a menu.ini that is a dangling link",
         [](const TempFolder& w) {
             fs::remove(w.File("menu/menu.ini"));
             fs::create_symlink(w.File("nowhere.ini"), w.File("menu/menu.ini"));
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini: is a link to something that does not exist"}},
        {"a menu.ini that is a link loop",
         [](const TempFolder& w) {
             fs::remove(w.File("menu/menu.ini"));
             fs::create_symlink(w.File("menu/menu.ini"), w.File("menu/menu.ini"));
         },
         {"check", "{menu}"},
         1,
         {"{menu}/menu.ini: is a link that leads round in a loop"}},
        {"OUT a device",
         [](const TempFolder&) {},
         {"build", "{menu}", "/dev/full"},
         1,
         {"ctrpack build: /dev/full: is a device, not a file; name a new file or one to replace; "
          "nothing written"}},
        {"OUT a FIFO",
         [](const TempFolder& w) { mkfifo(w.File("fifo").c_str(), 0600); },
         {"build", "{menu}", "{work}/fifo"},
         1,
         {"ctrpack build: {work}/fifo: is a FIFO (a pipe), not a file; name a new file or one to "
          "replace; nothing written"}},
        {"OUT a link",
         [](const TempFolder& w) {
             w.Write("real.ctr", "mine");
             fs::create_symlink(w.File("real.ctr"), w.File("link.ctr"));
         },
         {"build", "{menu}", "{work}/link.ctr"},
         1,
         {"ctrpack build: {work}/link.ctr: is a link; name the file itself, or a new one; nothing "
          "written"}},
        {"OUT the menu's own picture",
         [](const TempFolder&) {},
         {"build", "{menu}", "{menu}/background.png"},
         1,
         {"ctrpack build: {menu}/background.png: is one of the menu's own files; write the "
          "container elsewhere; nothing written"}},
        {"OUT the menu's own menu.ini",
         [](const TempFolder&) {},
         {"build", "{menu}", "{menu}/menu.ini"},
         1,
         {"ctrpack build: {menu}/menu.ini: is one of the menu's own files; write the container "
          "elsewhere; nothing written"}},
    };
    for (const Hostile& c : cases)
        Run(c);
    EXPECT_EQ(Text(work.File("real.ctr")), "mine") << "the link's file was kept";
}

} // namespace
