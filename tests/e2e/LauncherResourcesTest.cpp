// The launcher's executable carries its icon, a version block and an
// application manifest, in the 32-bit product and the 64-bit test build alike:
// read once from the PE resource directory, once through the Win32 calls
// Explorer and the file properties use.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <cstdio>

#include "PeImage.h"
#include "ResourceHandles.h"
#include "VersionBlock.h"
#include "tests/launcher/TestContainer.h"

namespace {

constexpr uint32_t kIcon = 3, kGroupIcon = 14, kVersion = 16, kManifest = 24;

// The project's version as the resources spell it: four numbers.
std::vector<uint16_t> ExpectedVersion() {
    unsigned parts[4] = {0, 0, 0, 0};
    std::sscanf(OVALYN_PROJECT_VERSION, "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]);
    return {static_cast<uint16_t>(parts[0]), static_cast<uint16_t>(parts[1]),
            static_cast<uint16_t>(parts[2]), static_cast<uint16_t>(parts[3])};
}

std::string ExpectedVersionText() {
    std::vector<uint16_t> v = ExpectedVersion();
    return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." +
           std::to_string(v[3]);
}

class LauncherResources : public ::testing::Test {
protected:
    void SetUp() override {
        std::string bytes = ReadFileBytes(OVALYN_LAUNCHER_EXE);
        ASSERT_FALSE(bytes.empty()) << OVALYN_LAUNCHER_EXE << " cannot be read";
        std::string error;
        ASSERT_TRUE(ReadPeImage(bytes, image_, error)) << OVALYN_LAUNCHER_EXE << ": " << error;
    }

    const TPeResource& Resource(uint32_t type, uint32_t id) {
        const TPeResource* resource = image_.Find(type, id);
        if (!resource) {
            ADD_FAILURE() << "no resource of type " << type << " with id " << id;
            static const TPeResource none;
            return none;
        }
        return *resource;
    }

    TPeImage image_;
};

uint32_t U(const std::string& bytes, std::size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

} // namespace

// The group (GRPICONDIR) lists 16, 32, 48 and 256 pixels, 32 bits each, and
// every member it names is an icon image of the size the group records.
TEST_F(LauncherResources, IconGroupOneNamesFourSizesThatArePresent) {
    const std::string& group = Resource(kGroupIcon, 1).Data;
    ASSERT_GE(group.size(), 6u);
    EXPECT_EQ(U(group, 2, 2), 1u) << "group type is not icon";
    const uint32_t count = U(group, 4, 2);
    ASSERT_EQ(group.size(), 6 + 14u * count) << "group size does not match its count";
    std::vector<int> sizes;
    for (uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 14 * i;
        const int side = U(group, entry, 1) == 0 ? 256 : static_cast<int>(U(group, entry, 1));
        sizes.push_back(side);
        EXPECT_EQ(U(group, entry + 6, 2), 32u) << side << "-pixel member's bit count";
        const uint32_t id = U(group, entry + 12, 2);
        const TPeResource* icon = image_.Find(kIcon, id);
        ASSERT_NE(icon, nullptr) << "the group names icon " << id << ", which is missing";
        EXPECT_EQ(icon->Data.size(), U(group, entry + 8, 4)) << "icon " << id << "'s size";
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 256}));
}

TEST_F(LauncherResources, VersionBlockNamesTheLauncherAndTheProjectVersion) {
    TVersionBlock block;
    std::string error;
    ASSERT_TRUE(ReadVersionBlock(Resource(kVersion, 1).Data, block, error)) << error;
    EXPECT_EQ(block.Signature, 0xFEEF04BDu);
    const std::vector<uint16_t> expected = ExpectedVersion();
    EXPECT_EQ(std::vector<uint16_t>(block.FileVersion, block.FileVersion + 4), expected);
    EXPECT_EQ(std::vector<uint16_t>(block.ProductVersion, block.ProductVersion + 4), expected);

    const std::map<std::string, std::string> strings = {
        {"040904B0/CompanyName", "The Ovalyn Launcher developers"},
        {"040904B0/FileDescription", "Ovalyn Launcher menu launcher"},
        {"040904B0/FileVersion", ExpectedVersionText()},
        {"040904B0/InternalName", "Launcher"},
        {"040904B0/LegalCopyright", "Copyright (C) 2026 The Ovalyn Launcher developers"},
        {"040904B0/OriginalFilename", "Launcher.exe"},
        {"040904B0/ProductName", "Ovalyn Launcher"},
        {"040904B0/ProductVersion", ExpectedVersionText()}};
    EXPECT_EQ(block.Strings, strings);
    // US English in Unicode: the table the strings are in.
    EXPECT_EQ(block.Translation, (std::vector<uint16_t>{0x409, 1200}));
}

TEST_F(LauncherResources, ManifestRunsAsInvokerOnEveryWindowsFromVista) {
    const std::string& manifest = Resource(kManifest, 1).Data;
    ASSERT_FALSE(manifest.empty());
    for (const char* text :
         {"<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
          "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
          "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(text), std::string::npos) << "manifest lacks " << text;
    const std::string identity =
        "name=\"Ovalyn.Launcher\" version=\"" + ExpectedVersionText() + "\"";
    EXPECT_NE(manifest.find(identity), std::string::npos) << "manifest lacks " << identity;
#ifdef _WIN64
    EXPECT_NE(manifest.find("processorArchitecture=\"amd64\""), std::string::npos);
#else
    EXPECT_NE(manifest.find("processorArchitecture=\"x86\""), std::string::npos);
#endif
    // Themed common controls and DPI awareness would move and redraw the
    // controls over the menu's picture.
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
}

// The same resources as Windows finds them.
TEST(LauncherResourcesThroughWin32, ExplorerFindsTheIconAtEachSize) {
    EXPECT_EQ(ExtractIconExA(OVALYN_LAUNCHER_EXE, -1, nullptr, nullptr, 0), 1u)
        << "icon groups in " << OVALYN_LAUNCHER_EXE;
    DataModule module(LoadLibraryExA(OVALYN_LAUNCHER_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module) << OVALYN_LAUNCHER_EXE << " does not load as data";
    for (int size : {16, 32, 48, 256}) {
        IconHandle icon(static_cast<HICON>(
            LoadImageA(module.get(), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon) << "no " << size << "-pixel icon";
        const SIZE loaded = IconSize(icon.get());
        EXPECT_EQ(loaded.cx, size);
        EXPECT_EQ(loaded.cy, size);
    }
}

TEST(LauncherResourcesThroughWin32, FilePropertiesReadTheVersionStrings) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(OVALYN_LAUNCHER_EXE, &handle);
    ASSERT_GT(size, 0u) << "no version information in " << OVALYN_LAUNCHER_EXE;
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(OVALYN_LAUNCHER_EXE, 0, size, info.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    const std::vector<uint16_t> v = ExpectedVersion();
    EXPECT_EQ(fixed->dwFileVersionMS, (DWORD{v[0]} << 16) | v[1]);
    EXPECT_EQ(fixed->dwFileVersionLS, (DWORD{v[2]} << 16) | v[3]);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const std::pair<const char*, std::string> expected[] = {
        {"ProductName", "Ovalyn Launcher"},
        {"FileDescription", "Ovalyn Launcher menu launcher"},
        {"OriginalFilename", "Launcher.exe"},
        {"FileVersion", ExpectedVersionText()}};
    for (const auto& [key, text] : expected) {
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + key;
        ASSERT_TRUE(VerQueryValueA(info.data(), path.c_str(), &value, &length)) << path;
        EXPECT_EQ(std::string(static_cast<const char*>(value)), text) << path;
    }
}
