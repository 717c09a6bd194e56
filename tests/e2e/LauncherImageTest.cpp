// The launcher's executable is a 32-bit GUI program that needs no DLL beyond
// those every Windows installation has.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "PeImage.h"
#include "tests/launcher/TestContainer.h"

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TPeImage ReadLauncherImage() {
    TPeImage image;
    std::string error;
    std::string bytes = ReadFileBytes(OVALYN_LAUNCHER_EXE);
    EXPECT_FALSE(bytes.empty()) << OVALYN_LAUNCHER_EXE;
    EXPECT_TRUE(ReadPeImage(bytes, image, error)) << error;
    return image;
}

// The imports are checked in both builds; the 64-bit test build (for
// machines that cannot run 32-bit programs) has a PE32+ image.
class LauncherImage : public ::testing::Test {};

} // namespace

TEST_F(LauncherImage, IsA32BitGuiProgram) {
#ifdef _WIN64
    GTEST_SKIP() << "the 64-bit test build has no PE32 launcher image to check";
#endif
    TPeImage image = ReadLauncherImage();
    EXPECT_EQ(image.Machine, 0x14C);
    EXPECT_EQ(image.OptionalMagic, 0x10B);
    EXPECT_EQ(image.Subsystem, 2);
}

TEST_F(LauncherImage, ImportsOnlySystemDlls) {
    const std::set<std::string> system = {
        "kernel32.dll", "user32.dll",   "gdi32.dll",    "advapi32.dll", "shell32.dll",
        "winmm.dll",    "comdlg32.dll", "comctl32.dll", "msimg32.dll",  "msvcrt.dll",
        "ole32.dll",    "oleaut32.dll", "shlwapi.dll",  "version.dll",  "ws2_32.dll"};
    TPeImage image = ReadLauncherImage();
    ASSERT_FALSE(image.ImportedDlls.empty());
    for (const std::string& dll : image.ImportedDlls)
        EXPECT_TRUE(system.count(Lower(dll))) << "imports " << dll;
}

// The sound and shell DLLs are loaded when first used: a start that never
// plays a sound or opens a shell target does not pay for loading them.
TEST_F(LauncherImage, LoadsTheSoundAndShellDllsOnlyWhenUsed) {
    TPeImage image = ReadLauncherImage();
    ASSERT_FALSE(image.ImportedDlls.empty());
    for (const std::string& dll : image.ImportedDlls) {
        EXPECT_NE(Lower(dll), "shell32.dll");
        EXPECT_NE(Lower(dll), "winmm.dll");
    }
}
