#include "container/u_Encrypt.h"

#include <array>
#include <cstddef>

#include "framework/runtime/CheckedMath.h"
#include "framework/runtime/Random.h"
#include "framework/runtime/Streams.h"

namespace {
constexpr uint8_t kScramble = 0;
constexpr uint8_t kDescramble = 1;
constexpr std::size_t kKeyTableSize = 110;
constexpr uint8_t kOffsetStep = 3;

using TKeyTable = std::array<uint8_t, kKeyTableSize>;

TKeyTable BuildKeyTable(int32_t seed) {
    // The absolute value of -2^31 does not fit: EIntOverflow.
    const int32_t a = seed < 0 ? CheckedSub<int32_t>(0, seed) : seed;
    const int lowShift = seed < 0 ? 3 : 2;      // divisors i + 3 or i + 2 for i < 55
    const int highShift = seed < 0 ? -43 : -52; // divisors i - 43 or i - 52 for i >= 55
    TKeyTable key{};
    for (int i = 0; i < static_cast<int>(kKeyTableSize); ++i) {
        const int divisor = i + (i < 55 ? lowShift : highShift);
        int value = a % divisor;
        if (value == 0)
            value = i + 116;
        key[static_cast<std::size_t>(i)] = static_cast<uint8_t>(value);
    }
    return key;
}

// The key stream in lanes: byte n takes the top byte of the generator's state
// after n + 1 steps from `state`. kLanes states, one per byte of a block,
// each jump kLanes steps at once, so the blocks need no chain from byte to
// byte and the fixed-size inner loops vectorise. The shared generator is not
// touched.
constexpr int kLanes = 16;

#if defined(__GNUC__)
#define OVALYN_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define OVALYN_ALWAYS_INLINE inline
#endif

template <bool Subtract>
OVALYN_ALWAYS_INLINE void ApplyKeyStream(uint8_t* bytes, int64_t size, uint32_t state) {
    uint32_t lanes[kLanes];
    const TRandomJump step = RandomJump(1);
    for (uint32_t& lane : lanes) {
        state = step.Apply(state);
        lane = state;
    }
    const TRandomJump stride = RandomJump(kLanes);
    const uint32_t multiplier = stride.Multiplier;
    const uint32_t increment = stride.Increment;
    int64_t n = 0;
    for (; size - n >= kLanes; n += kLanes) {
        uint8_t* block = bytes + n;
        for (int j = 0; j < kLanes; ++j) {
            const auto key = static_cast<uint8_t>(lanes[j] >> 24);
            block[j] = Subtract ? static_cast<uint8_t>(block[j] - key)
                                : static_cast<uint8_t>(block[j] + key);
        }
        for (int j = 0; j < kLanes; ++j)
            lanes[j] = lanes[j] * multiplier + increment;
    }
    // Fewer than kLanes bytes left: lane j already holds byte n + j's state.
    for (int j = 0; n < size; ++n, ++j) {
        const auto key = static_cast<uint8_t>(lanes[j] >> 24);
        bytes[n] =
            Subtract ? static_cast<uint8_t>(bytes[n] - key) : static_cast<uint8_t>(bytes[n] + key);
    }
}

void ApplyKeyStreamPlain(uint8_t* bytes, int64_t size, uint32_t state, bool subtract) {
    if (subtract)
        ApplyKeyStream<true>(bytes, size, state);
    else
        ApplyKeyStream<false>(bytes, size, state);
}

#if defined(__i386__) && defined(__GNUC__)
// The 32-bit build targets processors without SSE2 by default; where the
// processor has it, the same loops compiled for it run several times faster.
__attribute__((target("sse2"))) void ApplyKeyStreamSse2(uint8_t* bytes, int64_t size,
                                                        uint32_t state, bool subtract) {
    if (subtract)
        ApplyKeyStream<true>(bytes, size, state);
    else
        ApplyKeyStream<false>(bytes, size, state);
}

void ApplyKeyStreamBest(uint8_t* bytes, int64_t size, uint32_t state, bool subtract) {
    static const bool hasSse2 = __builtin_cpu_supports("sse2");
    if (hasSse2)
        ApplyKeyStreamSse2(bytes, size, state, subtract);
    else
        ApplyKeyStreamPlain(bytes, size, state, subtract);
}
#else
void ApplyKeyStreamBest(uint8_t* bytes, int64_t size, uint32_t state, bool subtract) {
    ApplyKeyStreamPlain(bytes, size, state, subtract);
}
#endif

void ScrambleRandomSequence(uint8_t* bytes, int64_t size, uint8_t direction) {
    if (direction != kScramble && direction != kDescramble)
        return; // nothing to change, so nothing is drawn
    ApplyKeyStreamBest(bytes, size, RandomState(), direction == kDescramble);
}

void ScrambleKeyTable(uint8_t* bytes, int64_t size, uint8_t direction, int32_t seed) {
    const TKeyTable key = BuildKeyTable(seed);
    std::size_t j = 0;
    uint8_t runningOffset = 0;
    for (int64_t n = 0; n < size; ++n) {
        j = (j + 1) % kKeyTableSize;
        // Passing 255 (at byte 86) stops the work before that byte changes.
        runningOffset = CheckedAdd<uint8_t>(runningOffset, kOffsetStep);
        const auto delta = static_cast<uint8_t>(key[j] + runningOffset);
        if (direction == kScramble)
            bytes[n] = static_cast<uint8_t>(bytes[n] + delta);
        else if (direction == kDescramble)
            bytes[n] = static_cast<uint8_t>(bytes[n] - delta);
    }
}
} // namespace

void ScrambleStream(TMemoryStream* stream, uint8_t direction, int32_t seed, bool useKeyTable) {
    if (seed == 0)
        return;
    ScrambleStreamCore(stream, direction, seed, useKeyTable);
}

void ScrambleStreamCore(TMemoryStream* stream, uint8_t direction, int32_t seed, bool useKeyTable) {
    const TRandomStateGuard restoreGenerator;
    try {
        if (!stream)
            return;
        stream->SetPosition(0);
        SetRandomState(static_cast<uint32_t>(seed)); // the seed's two's-complement bits
        if (useKeyTable)
            ScrambleKeyTable(stream->Memory(), stream->Size(), direction, seed);
        else
            ScrambleRandomSequence(stream->Memory(), stream->Size(), direction);
    } catch (...) {
        // The scrambler reports nothing: a failure ends the work where it
        // happened, with the bytes so far transformed.
    }
}
