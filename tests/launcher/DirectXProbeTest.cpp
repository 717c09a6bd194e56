// The DirectX probe against the real (Wine) registry.
#include <gtest/gtest.h>

#include "DirectXKey.h"
#include "framework/runtime/Exceptions.h"
#include "framework/system/RecordingPlatform.h"
#include "launcher/u_CheckSystemLittle.h"

TEST(DirectXProbe, ReportsWhatTheKeyHolds) {
    TDirectXKey key;
    key.SetVersion("4.09.00.0904");
    EXPECT_EQ(GetDirectXVersion(), "4.09.00.0904");
    key.SetVersion("%SystemRoot%", REG_EXPAND_SZ);
    EXPECT_EQ(GetDirectXVersion(), "%SystemRoot%") << "nothing is expanded";
    key.SetVersionData(REG_SZ, std::string("4.08\0garbage", 12));
    EXPECT_EQ(GetDirectXVersion(), "4.08") << "the text ends at its first NUL";
}

TEST(DirectXProbe, AMissingKeyIsZeroAndAMissingValueIsEmpty) {
    TDirectXKey key;
    key.RemoveVersion();
    EXPECT_EQ(GetDirectXVersion(), "");
    key.SetVersionData(REG_SZ, "");
    EXPECT_EQ(GetDirectXVersion(), "") << "a value of size 0";
    key.RemoveKey();
    EXPECT_EQ(GetDirectXVersion(), "0");
}

TEST(DirectXProbe, AValueOfAnotherTypeIsARegistryError) {
    TDirectXKey key;
    key.SetVersionData(REG_DWORD, std::string("\x09\x00\x00\x00", 4));
    try {
        GetDirectXVersion();
        FAIL() << "no error";
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.Message(), "Ung\xFCltiger Datentyp f\xFCr 'version'");
    }
}

// Wine grants every right, so only the rights asked for can show a probe that
// would fail for users without administrator rights on Windows.
TEST(DirectXProbe, OpensTheKeyForReadingOnly) {
    TDirectXKey key;
    key.SetVersion("4.09.00.0904");
    TRecordingPlatform platform;
    ScopedPlatform scope(platform);
    EXPECT_EQ(GetDirectXVersion(), "4.09.00.0904");
    std::vector<TRecordedCall> opened = platform.CallsOf("RegOpenKeyExA");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].Args[0], std::to_string(reinterpret_cast<INT_PTR>(HKEY_LOCAL_MACHINE)));
    EXPECT_EQ(opened[0].Args[1], "Software\\Microsoft\\DirectX");
    const auto access = static_cast<REGSAM>(std::stoul(opened[0].Args[3]));
    EXPECT_NE(access & KEY_QUERY_VALUE, 0u) << "the value must be readable";
    EXPECT_EQ(access & ~static_cast<REGSAM>(KEY_READ), 0u)
        << "asks for more than reading: " << access;
}
