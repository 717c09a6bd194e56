// "ctrpack media" run as the built program: the demo medium and its disc
// image, the failures that stop it before anything is written, and a signed
// launcher verified by osslsigncode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/runtime/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kDemoMenu = std::string(OVALYN_SOURCE_DIR) + "/demo/menu";

struct RunResult {
    int exitCode = -1;
    std::string output; // standard output and error together
};

std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Text(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

bool OnPath(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The smallest PE32 program osslsigncode signs: headers and one section
// holding a "ret".
std::vector<uint8_t> TinyProgram() {
    std::vector<uint8_t> bytes(0x400, 0);
    auto put = [&](std::size_t at, uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    bytes[0] = 'M', bytes[1] = 'Z';
    put(0x3C, 0x40, 4);
    bytes[0x40] = 'P', bytes[0x41] = 'E';
    const std::size_t coff = 0x44, opt = coff + 20;
    put(coff, 0x14C, 2);     // i386
    put(coff + 2, 1, 2);     // one section
    put(coff + 16, 0xE0, 2); // optional header size
    put(coff + 18, 0x0102, 2);
    put(opt, 0x10B, 2); // PE32
    put(opt + 4, 0x200, 4);
    put(opt + 16, 0x1000, 4); // entry point
    put(opt + 20, 0x1000, 4);
    put(opt + 24, 0x1000, 4);
    put(opt + 28, 0x400000, 4);
    put(opt + 32, 0x1000, 4); // section alignment
    put(opt + 36, 0x200, 4);  // file alignment
    put(opt + 40, 4, 2);
    put(opt + 48, 4, 2);
    put(opt + 56, 0x2000, 4); // image size
    put(opt + 60, 0x200, 4);  // header size
    put(opt + 68, 2, 2);      // GUI
    put(opt + 72, 0x100000, 4);
    put(opt + 76, 0x1000, 4);
    put(opt + 80, 0x100000, 4);
    put(opt + 84, 0x1000, 4);
    put(opt + 92, 16, 4); // data directories
    const std::size_t section = opt + 0xE0;
    std::copy_n(".text", 5, bytes.begin() + section);
    put(section + 8, 0x200, 4);
    put(section + 12, 0x1000, 4);
    put(section + 16, 0x200, 4);
    put(section + 20, 0x200, 4);
    put(section + 36, 0x60000020, 4);
    bytes[0x200] = 0xC3;
    return bytes;
}

class MediaCommand : public ::testing::Test {
protected:
    void SetUp() override {
        launcher = work.Write("Launcher.exe", TinyProgram());
        fs::create_directories(Content());
        work.Write("content/DemoApp.exe", std::string("MZ demo program"));
        fs::create_directories(Content() + "/data");
        work.Write("content/data/level1.dat", std::string("level"));
    }

    std::string Content() const { return work.File("content"); }
    std::string Out() const { return work.File("medium"); }

    RunResult Run(std::vector<std::string> args, const std::string& environment = "") {
        std::string command = environment + " " + Quote(CTRPACK_EXE) + " media";
        for (const std::string& arg : args)
            command += " " + Quote(arg);
        command += " >" + Quote(work.File("log.txt")) + " 2>&1";
        RunResult result;
        const int status = std::system(command.c_str());
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.output = Text(ReadWholeFile(work.File("log.txt")));
        return result;
    }

    RunResult Media(std::vector<std::string> extra) {
        std::vector<std::string> args = {kDemoMenu, Out(),        "--content",
                                         Content(), "--launcher", launcher};
        args.insert(args.end(), extra.begin(), extra.end());
        return Run(args);
    }

    // A refused medium: non-zero exit, the expected line, and neither the
    // folder nor the image written.
    void ExpectRefused(const RunResult& result, const std::string& line) {
        EXPECT_NE(result.exitCode, 0);
        EXPECT_NE(result.output.find(line), std::string::npos) << result.output;
        EXPECT_NE(result.output.find("nothing written"), std::string::npos) << result.output;
        EXPECT_FALSE(fs::exists(Out())) << result.output;
        EXPECT_FALSE(fs::exists(work.File("demo.iso")));
    }

    static std::vector<std::string> Tree(const std::string& folder) {
        std::vector<std::string> paths;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            paths.push_back(entry.path().lexically_relative(folder).generic_string());
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    // settings go before the image is loaded, commands after.
    std::string Xorriso(const std::string& settings, const std::string& commands) {
        const std::string log = work.File("xorriso.txt");
        std::system(("xorriso " + settings + " -indev " + Quote(work.File("demo.iso")) + " " +
                     commands + " >" + Quote(log) + " 2>&1")
                        .c_str());
        return Text(ReadWholeFile(log));
    }

    TempFolder work;
    std::string launcher;
};

TEST_F(MediaCommand, LaysOutTheDemoMediumAndItsDiscImage) {
    if (!OnPath("xorriso"))
        GTEST_SKIP() << "xorriso is not installed (scripts/bootstrap installs it)";
    const RunResult result = Media(
        {"--launcher-name", "Setup.exe", "--label", "OVALYN", "--iso", work.File("demo.iso")});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(Tree(Out()), (std::vector<std::string>{"DemoApp.exe", "L-Ctnr.ctr", "Setup.exe",
                                                     "autorun.inf", "data", "data/level1.dat"}));
    EXPECT_EQ(ReadWholeFile(Out() + "/Setup.exe"), TinyProgram());
    EXPECT_EQ(Text(ReadWholeFile(Out() + "/autorun.inf")),
              "[autorun]\r\nopen=Setup.exe\r\nicon=Setup.exe,0\r\nlabel=OVALYN\r\n"
              "action=Ovalyn Demo Adventure\r\n");

    // Joliet names, which Windows reads, and Rock Ridge names alike.
    for (const char* names : {"-rockridge off -joliet on", "-rockridge on"}) {
        const std::string listing = Xorriso(names, "-find /");
        for (const char* path : {"'/Setup.exe'", "'/L-Ctnr.ctr'", "'/autorun.inf'",
                                 "'/DemoApp.exe'", "'/data/level1.dat'"})
            EXPECT_NE(listing.find(path), std::string::npos) << names << ": " << listing;
    }
    EXPECT_NE(Xorriso("", "-pvd_info").find("Volume Id    : OVALYN"), std::string::npos);
}

TEST_F(MediaCommand, CopiesANamedIconAndRefusesABrokenOne) {
    std::vector<uint8_t> icon(62, 0);
    icon[2] = 1, icon[4] = 1, icon[14] = 40, icon[18] = 22;
    work.Write("disc.ico", icon);
    RunResult result = Media({"--icon", work.File("disc.ico")});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(ReadWholeFile(Out() + "/disc.ico"), icon);
    EXPECT_EQ(Text(ReadWholeFile(Out() + "/autorun.inf")),
              "[autorun]\r\nopen=Launcher.exe\r\nicon=disc.ico\r\naction=Ovalyn Demo "
              "Adventure\r\n");

    fs::remove_all(Out());
    work.Write("broken.ico", std::string("not an icon at all"));
    ExpectRefused(Media({"--icon", work.File("broken.ico")}),
                  work.File("broken.ico") + ": is no icon");
}

TEST_F(MediaCommand, StopsOnAMissingProgramOrShellTargetNamingTheSetting) {
    fs::remove(Content() + "/DemoApp.exe");
    ExpectRefused(Media({}), kDemoMenu + "/menu.ini:25: [Launch] Program: \"DemoApp.exe\" is not "
                                         "in the content folder");

    // A menu whose web button opens a local file that the content lacks.
    fs::copy(kDemoMenu, work.File("menu"));
    std::string ini = Text(ReadWholeFile(work.File("menu/menu.ini")));
    ini.replace(ini.find("Open=https://example.com/"), 25, "Open=docs\\manual.html");
    work.Write("menu/menu.ini", ini);
    work.Write("content/DemoApp.exe", std::string("MZ"));
    const RunResult result =
        Run({work.File("menu"), Out(), "--content", Content(), "--launcher", launcher});
    ExpectRefused(result, "[Web] Open: \"docs\\manual.html\" is not in the content folder");
}

TEST_F(MediaCommand, StopsOnNamesFat32OrJolietRefuseAndOnCaseCollisions) {
    work.Write("content/aux.txt", std::string("x"));
    work.Write("content/a:b", std::string("x"));
    work.Write("content/Data.txt", std::string("x"));
    work.Write("content/DATA.TXT", std::string("x"));
    work.Write("content/l-ctnr.CTR", std::string("x"));
    const RunResult result = Media({"--label", "Ovalyn"});
    ExpectRefused(result, Content() + "/aux.txt: \"aux.txt\" is a device name");
    for (const char* line :
         {"/a:b: \"a:b\" holds ':'", "/l-ctnr.CTR: has the name of the container L-Ctnr.ctr",
          "--label Ovalyn: the volume label holds 'v'", " has the name of " /* Data.txt pair */})
        EXPECT_NE(result.output.find(line), std::string::npos) << line << "\n" << result.output;
}

TEST_F(MediaCommand, RefusesAFolderWithFilesAndAPasswordOnTheCommandLine) {
    fs::create_directories(Out());
    work.Write("medium/keep.txt", std::string("mine"));
    RunResult result = Media({});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.output.find(Out() + ": is not empty"), std::string::npos) << result.output;
    EXPECT_EQ(Tree(Out()), std::vector<std::string>{"keep.txt"});

    fs::remove_all(Out());
    result = Media({"--sign", "c.pfx", "--password", "secret"});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.output.find("never given on the command line"), std::string::npos)
        << result.output;
    EXPECT_FALSE(fs::exists(Out()));

    result = Run({kDemoMenu, Out(), "--content", Content(), "--launcher", work.File("none.exe")});
    EXPECT_NE(result.output.find("none.exe: is no file"), std::string::npos) << result.output;
    EXPECT_FALSE(fs::exists(Out()));
}

TEST_F(MediaCommand, SignsTheLauncherCopyWithAPasswordFromAFileOrTheEnvironment) {
    if (!OnPath("osslsigncode") || !OnPath("openssl"))
        GTEST_SKIP()
            << "osslsigncode or openssl is not installed (scripts/bootstrap installs them)";
    const std::string key = work.File("key.pem"), cert = work.File("cert.pem"),
                      pfx = work.File("cert.pfx");
    ASSERT_EQ(std::system(("openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "
                           "'/CN=Ovalyn Test' -keyout " +
                           Quote(key) + " -out " + Quote(cert) + " >/dev/null 2>&1 && " +
                           "openssl pkcs12 -export -inkey " + Quote(key) + " -in " + Quote(cert) +
                           " -out " + Quote(pfx) + " -passout pass:s3cret")
                              .c_str()),
              0);
    work.Write("password.txt", std::string("s3cret\n"));

    // The certificate is self-signed, so verification is told to trust it as
    // its own authority: what is checked is that the signature is there, is
    // made by this key and matches the program's bytes.
    auto verify = [&](const std::string& program) {
        return std::system(("osslsigncode verify -CAfile " + Quote(cert) + " -in " +
                            Quote(program) + " >/dev/null 2>&1")
                               .c_str());
    };
    RunResult result = Media({"--sign", pfx, "--password-file", work.File("password.txt")});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(verify(Out() + "/Launcher.exe"), 0);
    EXPECT_NE(verify(launcher), 0) << "the unsigned original must fail verification";

    fs::remove_all(Out());
    result = Run({kDemoMenu, Out(), "--content", Content(), "--launcher", launcher, "--sign", pfx,
                  "--password-env", "MEDIA_TEST_PASSWORD"},
                 "MEDIA_TEST_PASSWORD=s3cret");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(verify(Out() + "/Launcher.exe"), 0);

    fs::remove_all(Out());
    result = Run({kDemoMenu, Out(), "--content", Content(), "--launcher", launcher, "--sign", pfx,
                  "--password-env", "MEDIA_TEST_PASSWORD"},
                 "MEDIA_TEST_PASSWORD=wrong");
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.output.find("osslsigncode could not sign it"), std::string::npos)
        << result.output;
    EXPECT_FALSE(fs::exists(Out())) << "a failed signature leaves no half medium";
}

} // namespace
