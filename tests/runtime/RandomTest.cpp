#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/runtime/Random.h"

TEST(Random, StatesAndDrawsFromZero) {
    SetRandomState(0);
    std::vector<uint32_t> states;
    std::vector<uint32_t> draws;
    for (int i = 0; i < 5; ++i) {
        draws.push_back(Random(256));
        states.push_back(RandomState());
    }
    EXPECT_EQ(states, (std::vector<uint32_t>{1, 134775814, 3698175007u, 870078620, 1172187917}));
    EXPECT_EQ(draws, (std::vector<uint32_t>{0, 8, 220, 51, 69}));
}

TEST(Random, DrawIsTheHighHalfOfRangeTimesNewState) {
    SetRandomState(0xFFFFFFFFu); // next state: 0xFFFFFFFF * 134775813 + 1 mod 2^32
    const uint32_t next = 0xFFFFFFFFu * 134775813u + 1u;
    EXPECT_EQ(Random(1000), static_cast<uint32_t>((uint64_t{1000} * next) >> 32));
    EXPECT_EQ(RandomState(), next);
    EXPECT_LT(next, 0xFFFFFFFFu); // checks the wrap happened instead of a 64-bit state
    for (int i = 0; i < 1000; ++i)
        EXPECT_LT(Random(7), 7u);
    EXPECT_EQ(Random(0), 0u);
    EXPECT_EQ(Random(1), 0u);
}

TEST(Random, GuardRestoresStateOnEveryPath) {
    SetRandomState(12345);
    try {
        const TRandomStateGuard guard;
        SetRandomState(99);
        Random(10);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(RandomState(), 12345u);
}
