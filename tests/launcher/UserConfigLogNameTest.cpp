// The per-user file's name: the same across versions, one per volume and
// path within it.
#include <gtest/gtest.h>

#include "launcher/UserConfigLogName.h"

TEST(UserConfigLogName, NamesStayTheSameAcrossVersions) {
    // Users' choices are found by this name: it must never change.
    EXPECT_EQ(UserConfigLogName(0x1234ABCD, "d:\\game\\"), "1234ABCD-522B7AAE3DC518D1.log");
    EXPECT_EQ(UserConfigLogName(7, "D:\\Game\\"), "00000007-522B7AAE3DC518D1.log");
    EXPECT_EQ(Fnv1a64(""), 0xCBF29CE484222325ull);
    EXPECT_EQ(Fnv1a64("a"), 0xAF63DC4C8601EC8Cull);
}

TEST(UserConfigLogName, TheVolumeRootOfDrivesAndShares) {
    EXPECT_EQ(VolumeRoot("D:\\Game\\Menu\\"), "D:\\");
    EXPECT_EQ(VolumeRoot("e:\\"), "e:\\");
    EXPECT_EQ(VolumeRoot("\\\\server\\share\\Game\\"), "\\\\server\\share\\");
    EXPECT_EQ(VolumeRoot("\\\\server\\share"), "\\\\server\\share\\");
    EXPECT_EQ(VolumeRoot("\\\\server\\"), "");
    EXPECT_EQ(VolumeRoot("\\\\\\share\\"), "");
    EXPECT_EQ(VolumeRoot("Game\\"), "");
    EXPECT_EQ(VolumeRoot(""), "");
}

// The name follows the path below the mount point, so a stick under another
// drive letter, or a disc mounted in a folder, keeps its name.
TEST(UserConfigLogName, ThePathWithinTheVolume) {
    EXPECT_EQ(PathWithinVolume("D:\\Game\\", "D:\\"), "Game\\");
    EXPECT_EQ(PathWithinVolume("e:\\game\\", "E:\\"), "game\\");
    EXPECT_EQ(PathWithinVolume("C:\\mnt\\disc\\Game\\", "C:\\mnt\\disc\\"), "Game\\");
    EXPECT_EQ(PathWithinVolume("D:\\", "D:\\"), "");
    EXPECT_EQ(PathWithinVolume("D:\\Game\\", "E:\\"), "D:\\Game\\") << "not on that volume";
    EXPECT_EQ(PathWithinVolume("D:\\Game\\", ""), "D:\\Game\\");
    EXPECT_EQ(UserConfigLogName(7, PathWithinVolume("D:\\Game\\", "D:\\")),
              UserConfigLogName(7, PathWithinVolume("F:\\GAME\\", "F:\\")));
}
