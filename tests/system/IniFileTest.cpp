#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "framework/runtime/Exceptions.h"
#include "framework/runtime/StringList.h"
#include "framework/system/IniFile.h"
#include "tests/runtime/TempFolder.h"

namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

TEST(IniFile, StringsRoundTripAndCreateFileAndSection) {
    TempFolder folder;
    TIniFile ini(folder.File("coord.ini"));
    ini.WriteString("Button1", "Alignment", "center");
    ini.WriteString("Button1", "Layout", "top");
    ini.WriteString("Button2", "Alignment", "right");
    EXPECT_EQ(ini.ReadString("Button1", "Alignment", "?"), "center");
    EXPECT_EQ(ini.ReadString("Button2", "Alignment", "?"), "right");
    EXPECT_EQ(ini.ReadString("Button1", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Nowhere", "Alignment", "dflt"), "dflt");
    std::string text = FileText(folder.File("coord.ini"));
    EXPECT_NE(text.find("[Button1]"), std::string::npos);
    EXPECT_NE(text.find("Alignment=center"), std::string::npos);
}

TEST(IniFile, SectionAndKeyNamesIgnoreCase) {
    TempFolder folder;
    TIniFile ini(folder.File("a.ini"));
    ini.WriteString("Mask", "InvisibleColor", "FF00FF");
    EXPECT_EQ(ini.ReadString("MASK", "invisiblecolor", ""), "FF00FF");
    ini.WriteString("mask", "INVISIBLECOLOR", "00FF00");
    EXPECT_EQ(ini.ReadString("Mask", "InvisibleColor", ""), "00FF00");
    EXPECT_TRUE(ini.SectionExists("mAsK"));
    EXPECT_TRUE(ini.ValueExists("MASK", "invisibleColor"));
    TStringList keys;
    ini.ReadSection("Mask", keys);
    EXPECT_EQ(keys.Count(), 1) << "rewriting in another case replaces the key";
}

TEST(IniFile, WritingOneKeyLeavesTheRestAlone) {
    TempFolder folder;
    std::string name = folder.File("k.ini");
    WriteText(name, "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
    TIniFile ini(name);
    ini.WriteString("A", "x", "10");
    ini.WriteString("B", "w", "4");
    EXPECT_EQ(ini.ReadString("A", "x", ""), "10");
    EXPECT_EQ(ini.ReadString("A", "y", ""), "2");
    EXPECT_EQ(ini.ReadString("B", "z", ""), "3");
    EXPECT_EQ(ini.ReadString("B", "w", ""), "4");
}

TEST(IniFile, IntegersUseTheProfileRule) {
    TempFolder folder;
    std::string name = folder.File("i.ini");
    WriteText(name, "[S]\r\nhex=0x1F\r\nHEX2=0XfF\r\ndollar=$10\r\nneg=-12\r\nbad=12a\r\n"
                    "short=0x\r\nempty=\r\n");
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadInteger("S", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("S", "hex2", 0), 255);
    EXPECT_EQ(ini.ReadInteger("S", "dollar", 0), 16);
    EXPECT_EQ(ini.ReadInteger("S", "neg", 0), -12);
    EXPECT_EQ(ini.ReadInteger("S", "bad", 77), 77);
    EXPECT_EQ(ini.ReadInteger("S", "short", 77), 77);
    EXPECT_EQ(ini.ReadInteger("S", "empty", 77), 77);
    EXPECT_EQ(ini.ReadInteger("S", "missing", -5), -5);
    ini.WriteInteger("S", "w", -2147483647 - 1);
    EXPECT_EQ(ini.ReadString("S", "w", ""), "-2147483648");
    EXPECT_EQ(ini.ReadInteger("S", "w", 0), -2147483647 - 1);
}

TEST(IniFile, BooleansAreIntegers) {
    TempFolder folder;
    std::string name = folder.File("b.ini");
    WriteText(name, "[S]\r\none=1\r\nzero=0\r\ntwo=2\r\nword=True\r\n");
    TIniFile ini(name);
    EXPECT_TRUE(ini.ReadBool("S", "one", false));
    EXPECT_FALSE(ini.ReadBool("S", "zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "two", false));
    EXPECT_FALSE(ini.ReadBool("S", "word", false)) << "no integer: the default";
    EXPECT_TRUE(ini.ReadBool("S", "word", true));
    EXPECT_TRUE(ini.ReadBool("S", "missing", true));
    ini.WriteBool("S", "flag", true);
    EXPECT_EQ(ini.ReadString("S", "flag", ""), "1");
    ini.WriteBool("S", "flag", false);
    EXPECT_EQ(ini.ReadString("S", "flag", ""), "0");
}

TEST(IniFile, ValuesAreReadUpTo2047Characters) {
    TempFolder folder;
    TIniFile ini(folder.File("l.ini"));
    ini.WriteString("S", "long", std::string(3000, 'q'));
    EXPECT_EQ(ini.ReadString("S", "long", "").size(), 2047u);
    ini.WriteString("S", "exact", std::string(2047, 'r'));
    EXPECT_EQ(ini.ReadString("S", "exact", ""), std::string(2047, 'r'));
}

TEST(IniFile, EraseSectionAndDeleteKey) {
    TempFolder folder;
    TIniFile ini(folder.File("e.ini"));
    ini.WriteString("A", "x", "1");
    ini.WriteString("A", "y", "2");
    ini.WriteString("B", "x", "3");
    ini.DeleteKey("A", "x");
    EXPECT_FALSE(ini.ValueExists("A", "x"));
    EXPECT_TRUE(ini.ValueExists("A", "y"));
    ini.EraseSection("A");
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_TRUE(ini.SectionExists("B"));
    TStringList sections;
    ini.ReadSections(sections);
    ASSERT_EQ(sections.Count(), 1);
    EXPECT_EQ(sections[0], "B");
}

TEST(IniFile, AFailedWriteNamesTheFile) {
    TempFolder folder;
    const std::string name = folder.File("missing\\folder\\coord.ini");
    TIniFile ini(name);
    try {
        ini.WriteString("S", "k", "v");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Fehler beim Schreiben in " + name);
    }
    EXPECT_EQ(ini.ReadString("S", "k", "none"), "none");
}

} // namespace
