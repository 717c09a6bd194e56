#include <gtest/gtest.h>

#include <windows.h>

#include "framework/system/Paths.h"
#include "tests/runtime/TempFolder.h"

namespace {

TEST(Paths, ExecutableFolderIsTheProgramsFolderWithABackslash) {
    char own[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameA(nullptr, own, MAX_PATH), 0u);
    std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(folder + ExtractFileName(own), std::string(own));
    EXPECT_EQ(ExecutablePath(), std::string(own));
    EXPECT_TRUE(FileExists(ExecutablePath()));
    EXPECT_TRUE(DirectoryExists(folder));
}

TEST(Paths, DirectoryQueriesTellFoldersFromFiles) {
    EXPECT_FALSE(DirectoryExists(ExecutablePath())) << "a file is no folder";
    EXPECT_FALSE(DirectoryExists(ExecutableFolder() + "no such folder"));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST(Paths, CreateDirMakesOneLevelOnly) {
    TempFolder temp;
    std::string child = temp.File("skins");
    EXPECT_TRUE(CreateDir(child));
    EXPECT_TRUE(DirectoryExists(child));
    EXPECT_FALSE(CreateDir(child)) << "already there";
    EXPECT_FALSE(CreateDir(temp.File("missing\\deeper")));
    EXPECT_FALSE(DirectoryExists(temp.File("missing")));
}

} // namespace
