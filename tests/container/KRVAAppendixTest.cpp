#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "container/KRVAAppendix.h"
#include "framework/runtime/Exceptions.h"
#include "tests/container/ContainerBytes.h"
#include "tests/runtime/TempFolder.h"

namespace {
std::string Text(const TMemoryStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Memory()),
                       static_cast<std::size_t>(stream.Size()));
}

class AbcDeContainer : public ::testing::Test {
protected:
    void SetUp() override {
        const ContainerBytes bytes = ContainerBytes::Of({"abc", "de"});
        ASSERT_EQ(bytes.Size(), 19u);
        path = folder.Write("two.ctr", bytes.Bytes());
        trailed = folder.Write("trailed.bin", ContainerBytes(bytes).Raw("1234567").Bytes());
        reader.ContainerName = path;
    }

    // Reads entry fileNo and checks bounds and contents.
    void ExpectEntry(uint8_t fileNo, int32_t from, int32_t to, const std::string& text) {
        reader.FileNo = fileNo;
        std::unique_ptr<TMemoryStream> entry = reader.ExtractFileStream();
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(reader.Error, 0);
        EXPECT_EQ(reader.ByteFrom, from);
        EXPECT_EQ(reader.ByteTo, to);
        EXPECT_EQ(entry->Position(), 0);
        EXPECT_EQ(entry->Size(), to - from + 1);
        EXPECT_EQ(Text(*entry), text);
    }

    void ExpectBothEntries() {
        reader.ReadAmount();
        EXPECT_EQ(reader.Error, 0);
        EXPECT_EQ(reader.Amount, 2);
        ExpectEntry(1, 0, 2, "abc");
        ExpectEntry(2, 3, 4, "de");
    }

    TempFolder folder;
    std::string path;
    std::string trailed; // the same container followed by 7 bytes of other data
    TKRVAAppendix reader{nullptr};
};
} // namespace

TEST(KRVAAppendix, NewReaderHasEmptyNameAndZeros) {
    TComponent form(nullptr);
    auto* reader = new TKRVAAppendix(&form); // owned and freed by form
    EXPECT_EQ(reader->Owner(), &form);
    EXPECT_EQ(reader->ContainerName, "");
    EXPECT_EQ(reader->FileNo + reader->Amount + reader->Error, 0);
    EXPECT_EQ(reader->Offset, 0);
    EXPECT_EQ(reader->ByteFrom, 0);
    EXPECT_EQ(reader->ByteTo, 0);
    EXPECT_EQ(reader->ForceStart, 0);
    EXPECT_FALSE(reader->IsForceStart);
}

TEST_F(AbcDeContainer, ReadsBothEntriesOfAStandaloneContainer) {
    ExpectBothEntries();
}

TEST_F(AbcDeContainer, OffsetSkipsTheDataAfterTheContainer) {
    reader.ContainerName = trailed;
    reader.Offset = 7;
    ExpectBothEntries();
}

TEST_F(AbcDeContainer, ForceStartReplacesTheEndWhateverTheOffset) {
    reader.ContainerName = trailed;
    reader.IsForceStart = true;
    reader.ForceStart = 19;
    for (int32_t offset : {0, 3, 7, 26}) {
        SCOPED_TRACE(offset);
        reader.Offset = offset;
        ExpectBothEntries();
    }
    reader.Offset = 27; // still tested against the file size
    reader.ReadAmount();
    EXPECT_EQ(reader.Error, 2);
}

TEST_F(AbcDeContainer, OffsetOneBeyondTheFileSizeGivesCodeTwo) {
    reader.ReadAmount();
    reader.Offset = 20;
    reader.ReadAmount();
    EXPECT_EQ(reader.Error, 2);
    reader.FileNo = 1;
    EXPECT_EQ(reader.ExtractFileStream(), nullptr);
    EXPECT_EQ(reader.Error, 2);
    EXPECT_TRUE(FileReleased(path));
}

TEST_F(AbcDeContainer, EmptyNameGivesSevenThenOpenFailure) {
    reader.ReadAmount();
    reader.ContainerName = "";
    reader.ReadAmount();
    EXPECT_EQ(reader.Error, 7);
    EXPECT_EQ(reader.Amount, 2); // untouched by a failed call
    reader.FileNo = 1;
    EXPECT_EQ(reader.ExtractFileStream(), nullptr);
    EXPECT_EQ(reader.Error, 3);
}

TEST_F(AbcDeContainer, MissingFileGivesOneThenOpenFailure) {
    reader.ReadAmount();
    reader.ContainerName = folder.File("missing.ctr");
    reader.ReadAmount();
    EXPECT_EQ(reader.Error, 1);
    reader.FileNo = 2;
    EXPECT_EQ(reader.ExtractFileStream(), nullptr);
    EXPECT_EQ(reader.Error, 3);
}

TEST_F(AbcDeContainer, EntryNumberIsCheckedBeforeTheFileIsTouched) {
    reader.ContainerName = folder.File("missing.ctr");
    reader.FileNo = 0;
    EXPECT_EQ(reader.ExtractFileStream(), nullptr);
    EXPECT_EQ(reader.Error, 5); // Amount 0, yet FileNo 0 is tested first
    reader.FileNo = 1;
    EXPECT_EQ(reader.ExtractFileStream(), nullptr);
    EXPECT_EQ(reader.Error, 6);

    reader.ContainerName = path;
    reader.ReadAmount();
    reader.FileNo = 3;
    EXPECT_EQ(reader.ExtractFileStream(), nullptr);
    EXPECT_EQ(reader.Error, 6);
}

TEST_F(AbcDeContainer, EarlyStopsKeepTheFormerBounds) {
    reader.ReadAmount();
    ExpectEntry(2, 3, 4, "de");
    reader.FileNo = 0;
    reader.ExtractFileStream();
    reader.FileNo = 9;
    reader.ExtractFileStream();
    reader.ContainerName = "";
    reader.FileNo = 1;
    reader.ExtractFileStream();
    EXPECT_EQ(reader.ByteFrom, 3);
    EXPECT_EQ(reader.ByteTo, 4);
}

#ifdef _WIN32
TEST_F(AbcDeContainer, FileLockedByAnotherHandleGivesOpenFailure) {
    reader.ReadAmount();
    constexpr unsigned kShareExclusive = 0x10;
    TFileStream lock(path, fm::fmOpenReadWrite | kShareExclusive);
    reader.Amount = 0;
    reader.ReadAmount();
    EXPECT_EQ(reader.Error, 3);
    EXPECT_EQ(reader.Amount, 0);
    reader.Amount = 2;
    reader.FileNo = 1;
    EXPECT_EQ(reader.ExtractFileStream(), nullptr);
    EXPECT_EQ(reader.Error, 3);
}
#endif

TEST_F(AbcDeContainer, TwoExtractionsGiveIndependentStreams) {
    reader.ReadAmount();
    reader.FileNo = 1;
    auto first = reader.ExtractFileStream();
    auto second = reader.ExtractFileStream();
    ASSERT_TRUE(first && second);
    first->Memory()[0] = 'X';
    EXPECT_EQ(Text(*first), "Xbc");
    EXPECT_EQ(Text(*second), "abc");
}

TEST_F(AbcDeContainer, FileIsClosedAfterEveryCall) {
    reader.ReadAmount();
    EXPECT_TRUE(FileReleased(path));
    reader.FileNo = 2;
    auto entry = reader.ExtractFileStream();
    EXPECT_TRUE(FileReleased(path));
    reader.Offset = 19; // end 0: raised error
    EXPECT_THROW(reader.ReadAmount(), EIntOverflow);
    EXPECT_TRUE(FileReleased(path));
    EXPECT_THROW(reader.ExtractFileStream(), EIntOverflow);
    EXPECT_TRUE(FileReleased(path));
}

TEST(KRVAAppendixEntries, EmptyEntryComesBackAsAnEmptyStream) {
    TempFolder folder;
    TKRVAAppendix reader(nullptr);
    reader.ContainerName = folder.Write("gap.ctr", ContainerBytes::Of({"ab", "", "c"}).Bytes());
    reader.ReadAmount();
    ASSERT_EQ(reader.Amount, 3);
    reader.FileNo = 2;
    auto entry = reader.ExtractFileStream();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Size(), 0);
    EXPECT_EQ(reader.ByteFrom, 2);
    EXPECT_EQ(reader.ByteTo, 1);
    reader.FileNo = 3;
    EXPECT_EQ(Text(*reader.ExtractFileStream()), "c");
}

TEST(KRVAAppendixEntries, ZeroEntriesGiveAmountZero) {
    TempFolder folder;
    TKRVAAppendix reader(nullptr);
    reader.ContainerName = folder.Write("none.ctr", ContainerBytes::Of({}).Bytes());
    reader.Amount = 9;
    reader.ReadAmount();
    EXPECT_EQ(reader.Error, 0);
    EXPECT_EQ(reader.Amount, 0);
    reader.FileNo = 1;
    EXPECT_EQ(reader.ExtractFileStream(), nullptr);
    EXPECT_EQ(reader.Error, 6);
}

TEST(KRVAAppendixEntries, ContainerAppendedToAProgramFile) {
    // Like the container that ends the launcher's executable: one 593-byte
    // entry after 587264 bytes of program, start field = first position.
    TempFolder folder;
    std::string entry(593, '\0');
    for (std::size_t i = 0; i < entry.size(); ++i)
        entry[i] = static_cast<char>(i * 31 + 7);
    const ContainerBytes bytes = ContainerBytes::Of({entry}, 587264);
    ASSERT_EQ(bytes.Size(), 587264u + 603u);
    TKRVAAppendix reader(nullptr);
    reader.ContainerName = folder.Write("program.exe", bytes.Bytes());
    reader.ReadAmount();
    ASSERT_EQ(reader.Amount, 1);
    reader.FileNo = 1;
    auto stream = reader.ExtractFileStream();
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(reader.ByteFrom, 587264);
    EXPECT_EQ(reader.ByteTo, 587856);
    EXPECT_EQ(Text(*stream), entry);
}

TEST(KRVAAppendixEntries, CountOf255IsAccepted) {
    TempFolder folder;
    std::vector<std::string> entries;
    for (int i = 0; i < 255; ++i)
        entries.push_back(std::string(1, static_cast<char>(i)));
    TKRVAAppendix reader(nullptr);
    reader.ContainerName = folder.Write("full.ctr", ContainerBytes::Of(entries).Bytes());
    reader.ReadAmount();
    ASSERT_EQ(reader.Amount, 255);
    for (int fileNo : {1, 128, 254, 255}) {
        reader.FileNo = static_cast<uint8_t>(fileNo);
        auto stream = reader.ExtractFileStream();
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(Text(*stream), std::string(1, static_cast<char>(fileNo - 1)));
    }
}
