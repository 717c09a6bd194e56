#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"
#include "framework/runtime/StringList.h"
#include "tests/runtime/TempFolder.h"

namespace {
std::vector<std::string> LinesOf(const std::string& text) {
    TStringList list;
    list.SetText(text);
    return list.Lines();
}
using Lines = std::vector<std::string>;
} // namespace

TEST(StringList, EveryKindOfLineBreakEndsALine) {
    EXPECT_EQ(LinesOf("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(LinesOf("a\n\rb"), (Lines{"a", "", "b"})); // LF then a lone CR
    EXPECT_EQ(LinesOf("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(StringList, ABreakAtTheEndAddsNoEmptyLine) {
    EXPECT_EQ(LinesOf(""), Lines{});
    EXPECT_EQ(LinesOf("only"), (Lines{"only"}));
    EXPECT_EQ(LinesOf("one\r\n"), (Lines{"one"}));
    EXPECT_EQ(LinesOf("\r\n"), (Lines{""}));
    EXPECT_EQ(LinesOf("x\r\n\r\n"), (Lines{"x", ""}));
}

TEST(StringList, BytesOtherThanBreaksStayInTheLine) {
    const std::string withNul("a\0b\xFC", 4);
    EXPECT_EQ(LinesOf(withNul + "\r\nz"), (Lines{withNul, "z"}));
}

TEST(StringList, ReadingBeyondTheLastLineRaisesNamingTheIndex) {
    TStringList list;
    list.SetText("zero\r\none");
    EXPECT_EQ(list[1], "one");
    try {
        list.Get(2);
        FAIL();
    } catch (const EStringListError& error) {
        EXPECT_EQ(error.Message(), "Listenindex \xFC"
                                   "berschreitet das Maximum (2)");
    }
    EXPECT_THROW(list.Get(-1), EStringListError);
    EXPECT_THROW(list.Put(2, "x"), EStringListError);
    EXPECT_THROW(list.Delete(2), EStringListError);
    EXPECT_THROW(list.Insert(3, "x"), EStringListError);
    list.Insert(2, "two"); // appending by insert is allowed
    list.Delete(0);
    EXPECT_EQ(list.Lines(), (Lines{"one", "two"}));
}

TEST(StringList, SavingEndsEveryLineWithCrLf) {
    TStringList list;
    list.Add("a");
    list.Add("");
    list.Add("c");
    TMemoryStream stream;
    list.SaveToStream(stream);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Memory()),
                          static_cast<std::size_t>(stream.Size())),
              "a\r\n\r\nc\r\n");
}

TEST(StringList, LoadingStartsAtTheStreamsPositionAndReplacesTheLines) {
    TMemoryStream stream;
    stream.WriteBuffer("skip\r\nkeep\r\nme", 14);
    stream.SetPosition(6);
    TStringList list;
    list.Add("former");
    list.LoadFromStream(stream);
    EXPECT_EQ(list.Lines(), (Lines{"keep", "me"}));
}

TEST(StringList, FileRoundTrip) {
    TempFolder folder;
    const std::string path = folder.File("list.txt");
    TStringList list;
    list.SetText("1\n2\r3");
    list.SaveToFile(path);
    EXPECT_EQ(ReadWholeFile(path).size(), 9u);
    TStringList loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Lines(), (Lines{"1", "2", "3"}));
    EXPECT_TRUE(FileReleased(path));
    EXPECT_THROW(loaded.LoadFromFile(folder.File("missing.txt")), EFOpenError);
}
