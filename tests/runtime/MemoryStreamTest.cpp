#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"

namespace {
std::string Contents(const TMemoryStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Memory()),
                       static_cast<std::size_t>(stream.Size()));
}
} // namespace

TEST(MemoryStream, WriteReadAndSeekFollowThePosition) {
    TMemoryStream stream;
    stream.WriteBuffer("hello", 5);
    EXPECT_EQ(stream.Position(), 5);
    stream.SetPosition(1);
    stream.WriteBuffer("E", 1);
    EXPECT_EQ(Contents(stream), "hEllo");
    EXPECT_EQ(stream.Seek(-2, TSeekOrigin::soEnd), 3);
    char two[2];
    EXPECT_EQ(stream.Read(two, 10), 2); // short read at the end, no error
    EXPECT_EQ(std::string(two, 2), "lo");
    EXPECT_EQ(stream.Read(two, 1), 0);
    EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soCurrent), 4);
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
    TMemoryStream stream;
    stream.SetPosition(3);
    EXPECT_EQ(stream.Size(), 0);
    stream.WriteBuffer("x", 1);
    ASSERT_EQ(stream.Size(), 4);
    EXPECT_EQ(Contents(stream), std::string("\0\0\0x", 4));
}

TEST(MemoryStream, BadPositionsAndSizesAreRefused) {
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    EXPECT_THROW(stream.Seek(-4, TSeekOrigin::soEnd), EStreamError);
    EXPECT_EQ(stream.Position(), 3);
    EXPECT_THROW(stream.SetSize(-1), EStreamError);
    EXPECT_THROW(stream.SetSize(int64_t{1} << 62), EOutOfMemory);
    EXPECT_EQ(Contents(stream), "abc");
}

TEST(MemoryStream, ShrinkingPullsThePositionBack) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);
    EXPECT_EQ(Contents(stream), "ab");
}

TEST(MemoryStream, ReadBufferRaisesWhenTheStreamEndsFirst) {
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    stream.SetPosition(1);
    char buffer[3];
    EXPECT_THROW(stream.ReadBuffer(buffer, 3), EReadError);
    stream.SetPosition(1);
    stream.ReadBuffer(buffer, 2);
    EXPECT_EQ(std::string(buffer, 2), "bc");
}

TEST(MemoryStream, CopyFromCopiesExactlyCountBytesFromTheSourcePosition) {
    TMemoryStream source;
    source.WriteBuffer("0123456789", 10);
    source.SetPosition(2);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 5), 5);
    EXPECT_EQ(Contents(target), "23456");
    EXPECT_EQ(source.Position(), 7);

    TMemoryStream empty;
    EXPECT_EQ(empty.CopyFrom(source, 0), 0);
    EXPECT_EQ(empty.Size(), 0);

    TMemoryStream tooMuch;
    EXPECT_THROW(tooMuch.CopyFrom(source, 4), EReadError); // 3 bytes left
}

TEST(MemoryStream, CopyOfManyChunksKeepsEveryByte) {
    TMemoryStream source;
    source.SetSize(200000);
    for (int64_t i = 0; i < source.Size(); ++i)
        source.Memory()[i] = static_cast<uint8_t>(i * 7 + 3);
    TMemoryStream target;
    target.CopyFrom(source, source.Size());
    ASSERT_EQ(target.Size(), source.Size());
    EXPECT_EQ(std::memcmp(target.Memory(), source.Memory(), 200000), 0);
}

TEST(MemoryStream, LoadFromStreamTakesTheWholeSourceAndStartsAtZero) {
    TMemoryStream source;
    source.WriteBuffer("whole", 5);
    TMemoryStream copy;
    copy.WriteBuffer("old contents", 12);
    copy.LoadFromStream(source);
    EXPECT_EQ(Contents(copy), "whole");
    EXPECT_EQ(copy.Position(), 0);
    copy.Clear();
    EXPECT_EQ(copy.Size(), 0);
    EXPECT_EQ(copy.Position(), 0);
}
