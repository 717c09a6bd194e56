#include "container/u_Encrypt.h"

#include <array>
#include <cstddef>

#include "container/KeyStreamCode.h"

#if (defined(__i386__) || defined(__x86_64__)) && defined(__GNUC__)
#define OVALYN_X86_VARIANTS 1
#include <immintrin.h>
#endif

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

// Lane j starts with the state after j + 1 steps from `state`.
template <int Count>
OVALYN_ALWAYS_INLINE void StartLanes(uint32_t (&lanes)[Count], uint32_t state) {
    const TRandomJump step = RandomJump(1);
    for (uint32_t& lane : lanes) {
        state = step.Apply(state);
        lane = state;
    }
}

template <bool Subtract>
OVALYN_ALWAYS_INLINE void ApplyKeyStream(uint8_t* bytes, int64_t size, uint32_t state) {
    uint32_t lanes[kLanes];
    StartLanes(lanes, state);
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

#if defined(OVALYN_X86_VARIANTS)
// The 32-bit build targets processors without SSE2 by default; where the
// processor has it, the same loops compiled for it run several times faster.
__attribute__((target("sse2"))) void ApplyKeyStreamSse2(uint8_t* bytes, int64_t size,
                                                        uint32_t state, bool subtract) {
    if (subtract)
        ApplyKeyStream<true>(bytes, size, state);
    else
        ApplyKeyStream<false>(bytes, size, state);
}

// AVX2: 32 lanes in four registers, one multiply instruction per eight lanes
// (SSE2 has no 32-bit multiply of its own) and four independent chains.
template <bool Subtract>
__attribute__((target("avx2"))) void ApplyKeyStreamAvx2(uint8_t* bytes, int64_t size,
                                                        uint32_t state) {
    constexpr int kWide = 32;
    uint32_t lanes[kWide];
    StartLanes(lanes, state);
    const TRandomJump stride = RandomJump(kWide);
    const __m256i multiplier = _mm256_set1_epi32(static_cast<int>(stride.Multiplier));
    const __m256i increment = _mm256_set1_epi32(static_cast<int>(stride.Increment));
    __m256i s[4];
    for (int v = 0; v < 4; ++v)
        s[v] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes + 8 * v));
    // The packs work within 128-bit halves; this puts the key bytes back in
    // lane order.
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    int64_t n = 0;
    for (; size - n >= kWide; n += kWide) {
        const __m256i words01 =
            _mm256_packus_epi32(_mm256_srli_epi32(s[0], 24), _mm256_srli_epi32(s[1], 24));
        const __m256i words23 =
            _mm256_packus_epi32(_mm256_srli_epi32(s[2], 24), _mm256_srli_epi32(s[3], 24));
        const __m256i key =
            _mm256_permutevar8x32_epi32(_mm256_packus_epi16(words01, words23), order);
        auto* block = reinterpret_cast<__m256i*>(bytes + n);
        const __m256i data = _mm256_loadu_si256(block);
        _mm256_storeu_si256(block,
                            Subtract ? _mm256_sub_epi8(data, key) : _mm256_add_epi8(data, key));
        for (__m256i& v : s)
            v = _mm256_add_epi32(_mm256_mullo_epi32(v, multiplier), increment);
    }
    for (int v = 0; v < 4; ++v)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes + 8 * v), s[v]);
    for (int j = 0; n < size; ++n, ++j) {
        const auto key = static_cast<uint8_t>(lanes[j] >> 24);
        bytes[n] =
            Subtract ? static_cast<uint8_t>(bytes[n] - key) : static_cast<uint8_t>(bytes[n] + key);
    }
}

TKeyStreamCode gChosenCode = TKeyStreamCode::Best;

TKeyStreamCode FastestCode() {
    static const TKeyStreamCode fastest = __builtin_cpu_supports("avx2")   ? TKeyStreamCode::Avx2
                                          : __builtin_cpu_supports("sse2") ? TKeyStreamCode::Sse2
                                                                           : TKeyStreamCode::Plain;
    return fastest;
}

void ApplyKeyStreamBest(uint8_t* bytes, int64_t size, uint32_t state, bool subtract) {
    const TKeyStreamCode code = gChosenCode == TKeyStreamCode::Best ? FastestCode() : gChosenCode;
    if (code == TKeyStreamCode::Avx2 && subtract)
        ApplyKeyStreamAvx2<true>(bytes, size, state);
    else if (code == TKeyStreamCode::Avx2)
        ApplyKeyStreamAvx2<false>(bytes, size, state);
    else if (code == TKeyStreamCode::Sse2)
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

bool KeyStreamCodeRuns(TKeyStreamCode code) {
    switch (code) {
    case TKeyStreamCode::Best:
    case TKeyStreamCode::Plain:
        return true;
#if defined(OVALYN_X86_VARIANTS)
    case TKeyStreamCode::Sse2:
        return __builtin_cpu_supports("sse2");
    case TKeyStreamCode::Avx2:
        return __builtin_cpu_supports("avx2");
#endif
    default:
        return false;
    }
}

void SetKeyStreamCode(TKeyStreamCode code) {
#if defined(OVALYN_X86_VARIANTS)
    gChosenCode = KeyStreamCodeRuns(code) ? code : TKeyStreamCode::Best;
#else
    (void)code;
#endif
}
