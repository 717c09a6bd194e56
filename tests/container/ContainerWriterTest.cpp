#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "container/ContainerError.h"
#include "container/ContainerWriter.h"
#include "container/KRVAAppendix.h"
#include "framework/runtime/Streams.h"
#include "tests/runtime/TempFolder.h"

namespace {
using Bytes = std::vector<uint8_t>;

uint32_t UInt32At(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}
} // namespace

TEST(ContainerWriter, AppendedContainerHoldsAbsolutePositions) {
    // A program of 587264 bytes followed by a one-entry container.
    const uint32_t programSize = 587264;
    ContainerWriter writer(programSize);
    Bytes entry(593);
    for (std::size_t i = 0; i < entry.size(); ++i)
        entry[i] = static_cast<uint8_t>(i ^ 0x5A);
    writer.AddEntry(entry, "entry");
    const Bytes container = writer.Bytes();
    ASSERT_EQ(container.size(), 603u);
    EXPECT_EQ(writer.ContainerSize(), 603u);
    EXPECT_EQ(UInt32At(container, 593), programSize); // start field
    EXPECT_EQ(UInt32At(container, 597), programSize); // entry 1
    EXPECT_EQ(container[601] | container[602] << 8, 1);

    TempFolder folder;
    Bytes file(programSize, 'M');
    file.insert(file.end(), container.begin(), container.end());
    TKRVAAppendix reader(nullptr);
    reader.ContainerName = folder.Write("program.exe", file);
    reader.ReadAmount();
    reader.FileNo = 1;
    auto stream = reader.ExtractFileStream();
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(reader.ByteFrom, 587264);
    EXPECT_EQ(reader.ByteTo, 587856);
    EXPECT_EQ(Bytes(stream->Memory(), stream->Memory() + stream->Size()), entry);
}

TEST(ContainerWriter, StreamOutputEqualsTheBytes) {
    ContainerWriter writer;
    writer.AddEntry({1, 2, 3}, "a");
    writer.AddEntry({}, "b");
    writer.AddEntry({4}, "c");
    TMemoryStream stream;
    writer.WriteTo(stream);
    EXPECT_EQ(Bytes(stream.Memory(), stream.Memory() + stream.Size()), writer.Bytes());
    EXPECT_EQ(writer.Bytes(),
              (Bytes{1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 0, 3, 0}));
}

TEST(ContainerWriter, AtMost255Entries) {
    ContainerWriter writer;
    for (int i = 0; i < 255; ++i)
        writer.AddEntry({}, "e");
    EXPECT_FALSE(writer.Fits(0));
    EXPECT_THROW(writer.AddEntry({}, "e256"), EContainerError);
    EXPECT_EQ(writer.EntryCount(), 255u);
}

TEST(ContainerWriter, EveryPositionStaysBelow2To31) {
    // One entry: data + start field 4 + table 4 + count 2 must end by 2^31 - 1.
    const uint64_t limit = 0x7FFFFFFF;
    EXPECT_TRUE(ContainerWriter().Fits(limit - 10));
    EXPECT_FALSE(ContainerWriter().Fits(limit - 9));
    EXPECT_TRUE(ContainerWriter(100).Fits(limit - 110));
    EXPECT_FALSE(ContainerWriter(100).Fits(limit - 109));
    EXPECT_FALSE(ContainerWriter().Fits(uint64_t{1} << 40));
}
