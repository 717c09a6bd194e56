// The random-sequence scrambler runs the generator in lanes; these check it
// against the generator stepped byte by byte, and the jump it relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "container/ContainerKey.h"
#include "container/KeyStreamCode.h"
#include "container/u_Encrypt.h"
#include "framework/runtime/Random.h"
#include "framework/runtime/Streams.h"

namespace {
using Bytes = std::vector<uint8_t>;

uint32_t Stepped(uint32_t state, uint64_t steps) {
    for (uint64_t i = 0; i < steps; ++i)
        state = state * 134775813u + 1u;
    return state;
}

Bytes Pattern(std::size_t size) {
    Bytes bytes(size);
    uint32_t x = 0x9E3779B9u;
    for (auto& byte : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        byte = static_cast<uint8_t>(x);
    }
    return bytes;
}

// The transformation written the plain way: one draw from the shared
// generator per byte.
Bytes SequentialReference(Bytes bytes, uint8_t direction, int32_t seed) {
    const uint32_t outside = RandomState();
    SetRandomState(static_cast<uint32_t>(seed));
    for (auto& byte : bytes) {
        const auto key = static_cast<uint8_t>(Random(256));
        byte = direction == 0 ? static_cast<uint8_t>(byte + key) : static_cast<uint8_t>(byte - key);
    }
    SetRandomState(outside);
    return bytes;
}

Bytes Scrambled(const Bytes& input, uint8_t direction, int32_t seed) {
    TMemoryStream stream;
    if (!input.empty())
        stream.WriteBuffer(input.data(), static_cast<int64_t>(input.size()));
    ScrambleStreamCore(&stream, direction, seed, false);
    return Bytes(stream.Memory(), stream.Memory() + stream.Size());
}

class KeyStream : public ::testing::Test {
protected:
    void SetUp() override { SetRandomState(kOutside); }
    void TearDown() override {
        SetKeyStreamCode(TKeyStreamCode::Best);
        EXPECT_EQ(RandomState(), kOutside);
    }
    static constexpr uint32_t kOutside = 0x5EED1234u;
};

// Every code this processor runs; the automatic choice is one of them.
std::vector<TKeyStreamCode> RunnableCodes() {
    std::vector<TKeyStreamCode> codes;
    for (TKeyStreamCode code :
         {TKeyStreamCode::Best, TKeyStreamCode::Plain, TKeyStreamCode::Sse2, TKeyStreamCode::Avx2})
        if (KeyStreamCodeRuns(code))
            codes.push_back(code);
    return codes;
}

const char* CodeName(TKeyStreamCode code) {
    switch (code) {
    case TKeyStreamCode::Plain:
        return "plain";
    case TKeyStreamCode::Sse2:
        return "SSE2";
    case TKeyStreamCode::Avx2:
        return "AVX2";
    default:
        return "best";
    }
}
} // namespace

TEST_F(KeyStream, JumpEqualsSingleSteps) {
    for (uint32_t start :
         {0u, 1u, 0xFFFFFFFFu, static_cast<uint32_t>(kContainerSeed), 0x80000000u}) {
        uint32_t state = start;
        for (uint64_t k = 0; k <= 2100; ++k) {
            ASSERT_EQ(RandomJump(k).Apply(start), state) << "k=" << k << " start=" << start;
            state = state * 134775813u + 1u;
        }
    }
    for (uint64_t k : {65535ull, 65536ull, 1000003ull, 16777216ull + 5}) {
        EXPECT_EQ(RandomJump(k).Apply(12345u), Stepped(12345u, k)) << "k=" << k;
    }
}

TEST_F(KeyStream, JumpOverTheFullPeriodIsNoStep) {
    // The step map has period 2^32 on every state: a full period changes
    // nothing, half of one changes every state.
    const TRandomJump period = RandomJump(uint64_t{1} << 32);
    EXPECT_EQ(period.Multiplier, 1u);
    EXPECT_EQ(period.Increment, 0u);
    EXPECT_NE(RandomJump(uint64_t{1} << 31).Apply(777u), 777u);
    // Jumps add up: j then k is j + k.
    for (uint64_t j : {3ull, 16ull, 1000ull})
        for (uint64_t k : {1ull, 15ull, 99999ull})
            EXPECT_EQ(RandomJump(k).Apply(RandomJump(j).Apply(42u)), RandomJump(j + k).Apply(42u));
}

TEST_F(KeyStream, LanesEqualSequentialForEveryLengthUpTo1000) {
    const Bytes input = Pattern(1000);
    for (TKeyStreamCode code : RunnableCodes()) {
        SetKeyStreamCode(code);
        SCOPED_TRACE(CodeName(code));
        for (int32_t seed :
             {kContainerSeed, -735291, 1, std::numeric_limits<int32_t>::min(), 0x7FFFFFFF}) {
            for (uint8_t direction : {0, 1}) {
                for (std::size_t length = 0; length <= 1000; ++length) {
                    const Bytes part(input.begin(),
                                     input.begin() + static_cast<std::ptrdiff_t>(length));
                    ASSERT_EQ(Scrambled(part, direction, seed),
                              SequentialReference(part, direction, seed))
                        << "length " << length << " direction " << int(direction) << " seed "
                        << seed;
                }
            }
        }
    }
}

TEST_F(KeyStream, LanesEqualSequentialForLargeLengths) {
    for (TKeyStreamCode code : RunnableCodes()) {
        SetKeyStreamCode(code);
        SCOPED_TRACE(CodeName(code));
        for (std::size_t length :
             {std::size_t{65536}, std::size_t{65536 + 13}, std::size_t{(1 << 20) + 7}}) {
            const Bytes input = Pattern(length);
            for (int32_t seed : {kContainerSeed, 987654321}) {
                for (uint8_t direction : {0, 1}) {
                    ASSERT_EQ(Scrambled(input, direction, seed),
                              SequentialReference(input, direction, seed))
                        << "length " << length;
                }
            }
            EXPECT_EQ(Scrambled(Scrambled(input, 0, -735291), 1, -735291), input);
        }
    }
}
