// Violated limits: raised errors, Error left at 0, no stream, file closed.
#include <gtest/gtest.h>

#include <string>

#include "container/KRVAAppendix.h"
#include "framework/runtime/Exceptions.h"
#include "tests/container/ContainerBytes.h"
#include "tests/runtime/TempFolder.h"

namespace {
class Limits : public ::testing::Test {
protected:
    std::string Use(const std::string& name, const ContainerBytes& bytes) {
        reader.ContainerName = folder.Write(name, bytes.Bytes());
        return reader.ContainerName;
    }
    // Makes a file of the given size without writing its bytes, ending with
    // tail.
    std::string Sparse(const std::string& name, int64_t size, const ContainerBytes& tail) {
        const std::string path = folder.File(name);
        TFileStream file(path, fm::fmCreate);
        file.SetSize(size);
        file.SetPosition(size - static_cast<int64_t>(tail.Size()));
        file.WriteBuffer(tail.Bytes().data(), static_cast<int64_t>(tail.Size()));
        reader.ContainerName = path;
        return path;
    }
    template <typename ErrorType> void ExpectExtractRaises(uint8_t amount, uint8_t fileNo) {
        reader.Amount = amount;
        reader.FileNo = fileNo;
        reader.Error = 99;
        EXPECT_THROW(reader.ExtractFileStream(), ErrorType);
        EXPECT_EQ(reader.Error, 0);
        EXPECT_TRUE(FileReleased(reader.ContainerName));
    }
    template <typename ErrorType> void ExpectReadAmountRaises() {
        reader.Error = 99;
        EXPECT_THROW(reader.ReadAmount(), ErrorType);
        EXPECT_EQ(reader.Error, 0);
        EXPECT_TRUE(FileReleased(reader.ContainerName));
    }

    TempFolder folder;
    TKRVAAppendix reader{nullptr};
};
} // namespace

TEST_F(Limits, CountOf256RaisesRangeErrorAndKeepsAmount) {
    Use("count256.ctr", ContainerBytes().U16(256));
    reader.Amount = 42;
    ExpectReadAmountRaises<ERangeError>();
    EXPECT_EQ(reader.Amount, 42);
    Use("count65535.ctr", ContainerBytes().U16(65535));
    ExpectReadAmountRaises<ERangeError>();
    EXPECT_EQ(reader.Amount, 42);
}

TEST_F(Limits, FilesTooShortForTheCountOverflow) {
    Use("empty.ctr", ContainerBytes());
    ExpectReadAmountRaises<EIntOverflow>();
    Use("one.ctr", ContainerBytes().Raw("x"));
    ExpectReadAmountRaises<EIntOverflow>();
    Use("two.ctr", ContainerBytes::Of({"abc", "de"}));
    reader.Offset = 19; // container end 0
    ExpectReadAmountRaises<EIntOverflow>();
    ExpectExtractRaises<EIntOverflow>(2, 1);
    reader.Offset = 18; // container end 1
    ExpectReadAmountRaises<EIntOverflow>();
}

TEST_F(Limits, TableBeforeTheFileStartOverflows) {
    Use("two.ctr", ContainerBytes::Of({"abc", "de"}));
    ExpectExtractRaises<EIntOverflow>(5, 1); // 17 - 20 < 0
}

TEST_F(Limits, LastEntryEndingBeforeTheFileStartOverflows) {
    // T = 4, so the last entry would end at T - 5 = -1.
    Use("short.ctr", ContainerBytes().U32(0).U32(0).U16(1));
    reader.ByteTo = 77;
    ExpectExtractRaises<EIntOverflow>(1, 1);
    EXPECT_EQ(reader.ByteFrom, 0); // read before the failure
    EXPECT_EQ(reader.ByteTo, 77);
}

TEST_F(Limits, NextEntryStartingAtZeroOverflows) {
    Use("zero.ctr", ContainerBytes().Raw("abcde").U32(0).U32(2).U32(0).U16(2));
    reader.ByteTo = 77;
    ExpectExtractRaises<EIntOverflow>(2, 1);
    EXPECT_EQ(reader.ByteFrom, 2);
    EXPECT_EQ(reader.ByteTo, 77);
}

TEST_F(Limits, PositionsOf2To31OrMoreAreRangeErrors) {
    Use("high.ctr", ContainerBytes().Raw("abcde").U32(0).U32(0x80000000u).U32(0xFFFFFFFFu).U16(2));
    reader.ByteFrom = 55;
    ExpectExtractRaises<ERangeError>(2, 1);
    EXPECT_EQ(reader.ByteFrom, 55); // refused before it was stored
    ExpectExtractRaises<ERangeError>(2, 2);

    Use("nexthigh.ctr", ContainerBytes().Raw("abcde").U32(0).U32(0).U32(0x80000000u).U16(2));
    ExpectExtractRaises<ERangeError>(2, 1);
}

TEST_F(Limits, EntryRunningPastTheFileEndIsAReadError) {
    Use("past.ctr", ContainerBytes().Raw("abcde").U32(0).U32(0).U32(100).U16(2));
    ExpectExtractRaises<EReadError>(2, 1);
    EXPECT_EQ(reader.ByteFrom, 0);
    EXPECT_EQ(reader.ByteTo, 99);
    // A forged next position near 2^31 is refused before any allocation.
    Use("huge.ctr", ContainerBytes().Raw("abcde").U32(0).U32(0).U32(0x7FFFFFF0u).U16(2));
    ExpectExtractRaises<EReadError>(2, 1);
    // Only the last entry past the end: a start beyond the trailer.
    Use("lastpast.ctr", ContainerBytes().Raw("abcde").U32(0).U32(0).U32(400).U16(2));
    ExpectExtractRaises<EReadError>(2, 2);
}

TEST_F(Limits, DecreasingStartsAreAReadError) {
    Use("down.ctr", ContainerBytes().Raw("abcde").U32(0).U32(4).U32(1).U16(2));
    ExpectExtractRaises<EReadError>(2, 1);
}

TEST_F(Limits, EndsBeyondTheFileAreReadErrors) {
    Use("two.ctr", ContainerBytes::Of({"abc", "de"}));
    reader.Offset = -5; // end past the file's end
    ExpectReadAmountRaises<EReadError>();
    ExpectExtractRaises<EReadError>(2, 1);
    reader.Offset = 0;
    reader.IsForceStart = true;
    reader.ForceStart = 100;
    ExpectReadAmountRaises<EReadError>();
}

TEST_F(Limits, ForcedEndsBelowTwoAreRefused) {
    Use("two.ctr", ContainerBytes::Of({"abc", "de"}));
    reader.IsForceStart = true;
    reader.ForceStart = 1;
    ExpectReadAmountRaises<EIntOverflow>();
    reader.ForceStart = -5;
    ExpectReadAmountRaises<ERangeError>();
    ExpectExtractRaises<ERangeError>(2, 2);
}

TEST_F(Limits, FileOfFourGibibytesIsARangeError) {
    Sparse("big.ctr", int64_t{1} << 32, ContainerBytes().U16(1));
    ExpectReadAmountRaises<ERangeError>();
    ExpectExtractRaises<ERangeError>(1, 1);
}

TEST_F(Limits, TrailerAtOrBeyond2To31IsARangeError) {
    // Below 4 GiB, but the count sits at position 2^31 + 8.
    Sparse("far.ctr", (int64_t{1} << 31) + 10, ContainerBytes().U16(1));
    ExpectReadAmountRaises<ERangeError>();
    ExpectExtractRaises<ERangeError>(1, 1);
}
