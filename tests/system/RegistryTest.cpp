#include <gtest/gtest.h>

#include "framework/runtime/Exceptions.h"
#include "framework/system/RecordingPlatform.h"
#include "framework/system/Registry.h"

namespace {

// Each test works below its own key and removes it afterwards.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = "Software\\OvalynTest\\" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
        Remove();
    }
    void TearDown() override {
        Remove();
        TRegistry cleanup;
        cleanup.DeleteKey("\\Software\\OvalynTest");
        cleanup.SetRootKey(HKEY_LOCAL_MACHINE);
        cleanup.DeleteKey("\\Software\\OvalynTest");
    }
    void Remove() {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            TRegistry reg;
            reg.SetRootKey(root);
            reg.DeleteKey("\\" + base_);
        }
    }
    // Opens (creating) the test key under root.
    void Create(TRegistry& reg, HKEY root = HKEY_CURRENT_USER) {
        reg.SetRootKey(root);
        ASSERT_TRUE(reg.OpenKey("\\" + base_, true));
    }
    std::string base_;
};

TEST_F(RegistryTest, MissingKeyDoesNotOpenWithoutCreate) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("\\" + base_ + "\\Nothing", false));
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_FALSE(reg.KeyExists("\\" + base_));
    Create(reg);
    HKEY open = reg.CurrentKey();
    EXPECT_FALSE(reg.OpenKey("Nothing", false));
    EXPECT_EQ(reg.CurrentKey(), open) << "a failed open keeps the former key";
    EXPECT_TRUE(reg.KeyExists("\\" + base_));
}

TEST_F(RegistryTest, LeadingBackslashStartsAtTheRootOtherwiseRelative) {
    TRegistry reg;
    Create(reg);
    ASSERT_TRUE(reg.OpenKey("Child", true));
    EXPECT_EQ(reg.CurrentPath(), base_ + "\\Child");
    reg.WriteString("where", "child");
    ASSERT_TRUE(reg.OpenKey("\\" + base_, false));
    EXPECT_EQ(reg.CurrentPath(), base_);
    EXPECT_FALSE(reg.ValueExists("where"));
    ASSERT_TRUE(reg.OpenKey("Child", false));
    EXPECT_EQ(reg.ReadString("where"), "child");
    reg.CloseKey();
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), "");
}

TEST_F(RegistryTest, StringValuesSizesAndCaseInsensitiveNames) {
    TRegistry reg;
    Create(reg);
    reg.WriteString("Version", "4.09.00.0904");
    EXPECT_TRUE(reg.ValueExists("version"));
    EXPECT_EQ(reg.GetDataSize("VERSION"), 13) << "the stored text with its NUL";
    EXPECT_EQ(reg.GetDataType("version"), rdString);
    EXPECT_EQ(reg.ReadString("version"), "4.09.00.0904");
}

TEST_F(RegistryTest, MissingAndEmptyValuesReadAsEmptyText) {
    TRegistry reg;
    Create(reg);
    EXPECT_FALSE(reg.ValueExists("version"));
    EXPECT_EQ(reg.GetDataSize("version"), -1);
    EXPECT_EQ(reg.GetDataType("version"), rdUnknown);
    EXPECT_EQ(reg.ReadString("version"), "");
    reg.WriteData("version", REG_SZ, "", 0);
    EXPECT_TRUE(reg.ValueExists("version"));
    EXPECT_EQ(reg.GetDataSize("version"), 0);
    EXPECT_EQ(reg.ReadString("version"), "");

    TRegistry closed;
    EXPECT_EQ(closed.GetDataSize("version"), -1) << "no key open";
    EXPECT_EQ(closed.ReadString("version"), "");
}

TEST_F(RegistryTest, OtherTypesAreTheDataTypeError) {
    TRegistry reg;
    Create(reg);
    reg.WriteInteger("version", 9);
    EXPECT_EQ(reg.GetDataType("version"), rdInteger);
    EXPECT_EQ(reg.ReadInteger("version"), 9);
    try {
        reg.ReadString("version");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Ung\xFCltiger Datentyp f\xFCr 'version'");
    }
    const uint8_t bytes[] = {1, 2, 3};
    reg.WriteData("blob", REG_BINARY, bytes, sizeof(bytes));
    EXPECT_EQ(reg.GetDataType("blob"), rdBinary);
    EXPECT_THROW(reg.ReadString("blob"), ERegistryException);
    reg.WriteString("text", "x");
    EXPECT_THROW(reg.ReadInteger("text"), ERegistryException);
    try {
        reg.ReadInteger("absent");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Fehler beim Holen der Daten f\xFCr 'absent'");
    }
}

TEST_F(RegistryTest, TextEndsAtTheFirstNul) {
    TRegistry reg;
    Create(reg);
    const char stored[] = "9.0c\0hidden tail";
    reg.WriteData("version", REG_SZ, stored, sizeof(stored));
    EXPECT_EQ(reg.GetDataSize("version"), static_cast<int>(sizeof(stored)));
    EXPECT_EQ(reg.ReadString("version"), "9.0c");
    // Without any terminating NUL the whole stored text comes back.
    reg.WriteData("raw", REG_SZ, "abc", 3);
    EXPECT_EQ(reg.ReadString("raw"), "abc");
}

TEST_F(RegistryTest, ExpandableStringsComeBackUnexpanded) {
    TRegistry reg;
    Create(reg);
    reg.WriteExpandString("path", "%SystemRoot%\\dx");
    EXPECT_EQ(reg.GetDataType("path"), rdExpandString);
    EXPECT_EQ(reg.ReadString("path"), "%SystemRoot%\\dx");
}

TEST_F(RegistryTest, LocalMachineWithFullAccess) {
    TRegistry writer;
    Create(writer, HKEY_LOCAL_MACHINE);
    writer.WriteString("version", "4.09.00.0904");
    writer.CloseKey();

    TRegistry reader(KEY_ALL_ACCESS);
    reader.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reader.OpenKey("\\" + base_, false));
    EXPECT_EQ(reader.ReadString("version"), "4.09.00.0904");

    TRegistry readOnly;
    readOnly.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(readOnly.OpenKeyReadOnly("\\" + base_));
    EXPECT_EQ(readOnly.ReadString("version"), "4.09.00.0904");
    EXPECT_THROW(readOnly.WriteString("version", "x"), ERegistryException);
}

TEST_F(RegistryTest, ThePrefixRecordsADirectXVersion) {
    TRegistry reg(KEY_ALL_ACCESS);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Microsoft\\DirectX", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Microsoft\\DirectX");
    EXPECT_EQ(reg.GetDataType("version"), rdString);
    std::string version = reg.ReadString("version");
    EXPECT_EQ(version.size() + 1, static_cast<size_t>(reg.GetDataSize("version")));
    EXPECT_EQ(version.rfind("4.", 0), 0u) << version;
}

TEST_F(RegistryTest, ChangingTheRootClosesTheKey) {
    TRegistry reg;
    Create(reg);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.CurrentKey(), nullptr);
}

TEST_F(RegistryTest, DeleteKeyRemovesSubkeys) {
    TRegistry reg;
    Create(reg);
    ASSERT_TRUE(reg.OpenKey("A\\B\\C", true));
    reg.WriteString("v", "1");
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey("\\" + base_ + "\\A"));
    EXPECT_FALSE(reg.KeyExists("\\" + base_ + "\\A"));
    EXPECT_TRUE(reg.KeyExists("\\" + base_));
}

// Wine grants every right whatever is asked for, so the rights asked for are
// checked where they are asked: a read-only opening must not ask to write.
TEST_F(RegistryTest, KeysOpenWithTheRightsAskedFor) {
    {
        TRegistry writer;
        Create(writer);
    }
    TRecordingPlatform platform;
    ScopedPlatform scope(platform);
    TRegistry reader(KEY_READ);
    ASSERT_TRUE(reader.OpenKey("\\" + base_, false));
    ASSERT_TRUE(reader.OpenKeyReadOnly("\\" + base_));
    TRegistry full;
    ASSERT_TRUE(full.OpenKey("\\" + base_, false));
    EXPECT_TRUE(full.KeyExists("\\" + base_));
    std::vector<TRecordedCall> opened = platform.CallsOf("RegOpenKeyExA");
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0].Args[1], base_) << "the leading backslash is the root";
    EXPECT_EQ(opened[0].Args[3], std::to_string(KEY_READ));
    EXPECT_EQ(opened[1].Args[3], std::to_string(KEY_READ));
    EXPECT_EQ(opened[2].Args[3], std::to_string(KEY_ALL_ACCESS));
    EXPECT_EQ(opened[3].Args[3], std::to_string(KEY_QUERY_VALUE)) << "a probe only looks";
}

} // namespace
