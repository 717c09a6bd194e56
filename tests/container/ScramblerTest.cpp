#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "container/ContainerKey.h"
#include "container/u_Encrypt.h"
#include "framework/runtime/Random.h"
#include "framework/runtime/Streams.h"

namespace {
using Bytes = std::vector<uint8_t>;

std::unique_ptr<TMemoryStream> StreamOf(const Bytes& bytes, int64_t position = 0) {
    auto stream = std::make_unique<TMemoryStream>();
    if (!bytes.empty())
        stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream->SetPosition(position);
    return stream;
}

Bytes BytesOf(const TMemoryStream& stream) {
    return Bytes(stream.Memory(), stream.Memory() + stream.Size());
}

Bytes Pattern(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    return bytes;
}

Bytes Scrambled(const Bytes& input, uint8_t direction, int32_t seed, bool keyTable) {
    auto stream = StreamOf(input);
    ScrambleStream(stream.get(), direction, seed, keyTable);
    return BytesOf(*stream);
}

// The per-byte changes that a call made, modulo 256.
Bytes Deltas(const Bytes& before, const Bytes& after) {
    Bytes deltas(before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        deltas[i] = static_cast<uint8_t>(after[i] - before[i]);
    return deltas;
}

// Calls run with a known generator state, checked unchanged afterwards.
class Scrambler : public ::testing::Test {
protected:
    void SetUp() override { SetRandomState(kOutside); }
    void TearDown() override { EXPECT_EQ(RandomState(), kOutside); }
    static constexpr uint32_t kOutside = 0xC0FFEE11u;
};
} // namespace

TEST_F(Scrambler, SeedZeroLeavesBytesAndPositionAlone) {
    for (bool keyTable : {false, true}) {
        for (uint8_t direction : {0, 1, 7}) {
            auto stream = StreamOf(Pattern(100), 42);
            ScrambleStream(stream.get(), direction, 0, keyTable);
            EXPECT_EQ(BytesOf(*stream), Pattern(100));
            EXPECT_EQ(stream->Position(), 42);
        }
    }
}

TEST_F(Scrambler, EmptyStreamIsOnlyRewound) {
    TMemoryStream stream;
    stream.SetPosition(5);
    ScrambleStream(&stream, 0, kContainerSeed, false);
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}

TEST_F(Scrambler, NullStreamIsIgnored) {
    ScrambleStream(nullptr, 0, kContainerSeed, false);
    ScrambleStreamCore(nullptr, 1, 5, true);
}

TEST_F(Scrambler, WholeStreamIsTransformedWhateverItsPosition) {
    auto stream = StreamOf(Pattern(50), 50);
    ScrambleStream(stream.get(), 0, kContainerSeed, false);
    EXPECT_EQ(stream->Position(), 0);
    EXPECT_EQ(stream->Size(), 50);
    EXPECT_EQ(BytesOf(*stream), Scrambled(Pattern(50), 0, kContainerSeed, false));
    EXPECT_NE(BytesOf(*stream)[49], Pattern(50)[49]);
}

TEST_F(Scrambler, RandomSequenceKeysAreTheGeneratorsTopBytes) {
    // From state 0 the first five draws below 256 are 0, 8, 220, 51 and 69.
    auto zeros = StreamOf(Bytes(5, 0));
    ScrambleStreamCore(zeros.get(), 0, 0, false);
    EXPECT_EQ(BytesOf(*zeros), (Bytes{0, 8, 220, 51, 69}));

    // The container seed enters as its two's-complement bits; byte n gets the
    // top byte of the n-th state after it.
    uint32_t state = static_cast<uint32_t>(kContainerSeed);
    EXPECT_EQ(state, 4294232005u);
    Bytes keys;
    for (int n = 0; n < 300; ++n) {
        state = state * 134775813u + 1u;
        keys.push_back(static_cast<uint8_t>(state >> 24));
    }
    EXPECT_EQ(Deltas(Pattern(300), Scrambled(Pattern(300), 0, kContainerSeed, false)), keys);
}

TEST_F(Scrambler, KeyOfAByteDoesNotDependOnTheBytesBeforeIt) {
    Bytes other = Pattern(64);
    other[0] ^= 0xFF;
    other[10] += 3;
    EXPECT_EQ(Deltas(Pattern(64), Scrambled(Pattern(64), 0, 12345, false)),
              Deltas(other, Scrambled(other, 0, 12345, false)));
}

TEST_F(Scrambler, RandomSequenceRoundTripsInBothOrders) {
    for (std::size_t size : {std::size_t{1}, std::size_t{2}, std::size_t{4099}}) {
        for (int32_t seed : {kContainerSeed, 1, std::numeric_limits<int32_t>::min(),
                             std::numeric_limits<int32_t>::max()}) {
            const Bytes input = Pattern(size);
            const Bytes scrambled = Scrambled(input, 0, seed, false);
            EXPECT_NE(scrambled, input);
            EXPECT_EQ(Scrambled(scrambled, 1, seed, false), input);
            EXPECT_EQ(Scrambled(Scrambled(input, 1, seed, false), 0, seed, false), input);
        }
    }
}

TEST_F(Scrambler, OtherDirectionsChangeNothing) {
    for (int direction = 2; direction <= 255; ++direction) {
        EXPECT_EQ(Scrambled(Pattern(40), static_cast<uint8_t>(direction), 99, false), Pattern(40));
        EXPECT_EQ(Scrambled(Pattern(40), static_cast<uint8_t>(direction), 99, true), Pattern(40));
    }
}

TEST_F(Scrambler, KeyTableForPositiveSeed) {
    // Byte n adds K[n] + 3n; K[i] = 1000 mod (i + 2) below 55, else mod (i - 52);
    // a zero entry becomes i + 116.
    const Bytes deltas = Deltas(Bytes(85, 0), Scrambled(Bytes(85, 0), 0, 1000, true));
    EXPECT_EQ(deltas[0], 1 + 3);             // K[1] = 1000 mod 3
    EXPECT_EQ(deltas[1], 118 + 6);           // 1000 mod 4 = 0 -> 2 + 116
    EXPECT_EQ(deltas[2], 119 + 9);           // 1000 mod 5 = 0 -> 3 + 116
    EXPECT_EQ(deltas[53], 1000 % 56 + 162);  // K[54]: last divisor of the low half
    EXPECT_EQ(deltas[54], 1 + 165);          // K[55] = 1000 mod 3
    EXPECT_EQ(deltas[84], (10 + 255) % 256); // K[85] = 1000 mod 33, offset 255
}

TEST_F(Scrambler, KeyTableForNegativeSeed) {
    // K[i] = 1000 mod (i + 3) below 55, else mod (i - 43).
    const Bytes deltas = Deltas(Bytes(85, 0), Scrambled(Bytes(85, 0), 0, -1000, true));
    EXPECT_EQ(deltas[0], 117 + 3);                  // 1000 mod 4 = 0 -> 1 + 116
    EXPECT_EQ(deltas[1], 118 + 6);                  // 1000 mod 5 = 0
    EXPECT_EQ(deltas[2], 4 + 9);                    // 1000 mod 6
    EXPECT_EQ(deltas[54], 4 + 165);                 // K[55] = 1000 mod 12
    EXPECT_EQ(deltas[84], (1000 % 42 + 255) % 256); // K[85] = 1000 mod 42
}

TEST_F(Scrambler, KeyTableRoundTripsUpTo85Bytes) {
    for (int32_t seed : {1, -1, 735291, kContainerSeed, std::numeric_limits<int32_t>::max()}) {
        const Bytes input = Pattern(85);
        const Bytes scrambled = Scrambled(input, 0, seed, true);
        EXPECT_NE(scrambled, input);
        EXPECT_EQ(Scrambled(scrambled, 1, seed, true), input);
    }
}

TEST_F(Scrambler, KeyTableStopsBeforeByte86) {
    const Bytes input = Pattern(120);
    const Bytes output = Scrambled(input, 0, 1000, true);
    const Bytes first85 = Scrambled(Bytes(input.begin(), input.begin() + 85), 0, 1000, true);
    EXPECT_EQ(Bytes(output.begin(), output.begin() + 85), first85);
    EXPECT_EQ(Bytes(output.begin() + 85, output.end()), Bytes(input.begin() + 85, input.end()));
}

TEST_F(Scrambler, KeyTableLimitHoldsForOtherDirectionsToo) {
    auto stream = StreamOf(Pattern(86), 86);
    ScrambleStreamCore(stream.get(), 9, 1000, true);
    EXPECT_EQ(BytesOf(*stream), Pattern(86));
    EXPECT_EQ(stream->Position(), 0);
}

TEST_F(Scrambler, MostNegativeSeedFailsInKeyTableModeBeforeAnyByte) {
    auto stream = StreamOf(Pattern(10), 3);
    ScrambleStream(stream.get(), 0, std::numeric_limits<int32_t>::min(), true);
    EXPECT_EQ(BytesOf(*stream), Pattern(10));
    EXPECT_EQ(stream->Position(), 0);
}

TEST_F(Scrambler, OutcomeDoesNotDependOnTheGeneratorBeforeTheCall) {
    const Bytes first = Scrambled(Pattern(30), 0, 777, false);
    SetRandomState(1);
    Random(100);
    const Bytes second = Scrambled(Pattern(30), 0, 777, false);
    SetRandomState(kOutside);
    EXPECT_EQ(first, second);
}
