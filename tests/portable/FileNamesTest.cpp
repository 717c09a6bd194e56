#include <gtest/gtest.h>

#include "framework/portable/FileNames.h"

namespace {

TEST(FileNames, FolderPartKeepsItsSeparator) {
    EXPECT_EQ(ExtractFilePath("C:\\Games\\Menu\\launcher.exe"), "C:\\Games\\Menu\\");
    EXPECT_EQ(ExtractFilePath("C:launcher.exe"), "C:");
    EXPECT_EQ(ExtractFilePath("launcher.exe"), "");
    EXPECT_EQ(ExtractFilePath("\\\\server\\share\\a.txt"), "\\\\server\\share\\");
}

TEST(FileNames, NameAndExtension) {
    EXPECT_EQ(ExtractFileName("C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(ExtractFileName("C:\\a\\"), "");
    EXPECT_EQ(ExtractFileExt("C:\\a\\b.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("C:\\a.dir\\readme"), "");
}

TEST(FileNames, TrailingBackslashAddedOnce) {
    EXPECT_EQ(IncludeTrailingBackslash("C:\\a"), "C:\\a\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\a\\"), "C:\\a\\");
}

} // namespace
