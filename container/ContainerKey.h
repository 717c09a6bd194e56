// How the entries of a container are stored: scrambled one by one with
// direction 0, this seed and random-sequence mode; readers descramble each
// extracted entry with ScrambleStream(entry, 1, kContainerSeed, false).
#pragma once

#include <cstdint>

constexpr int32_t kContainerSeed = -735291;
constexpr uint8_t kScrambleDirection = 0;
constexpr uint8_t kDescrambleDirection = 1;
