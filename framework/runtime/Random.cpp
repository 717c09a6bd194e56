#include "framework/runtime/Random.h"

namespace {
uint32_t g_state = 0;
constexpr uint32_t kMultiplier = 134775813u;
} // namespace

uint32_t RandomState() {
    return g_state;
}

void SetRandomState(uint32_t state) {
    g_state = state;
}

uint32_t Random(uint32_t n) {
    // Modulo 2^32 by design: unsigned arithmetic.
    g_state = g_state * kMultiplier + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(n) * g_state) >> 32);
}
