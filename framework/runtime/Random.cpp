#include "framework/runtime/Random.h"

namespace {
uint32_t g_state = 0;
constexpr uint32_t kMultiplier = 134775813u;
constexpr uint32_t kIncrement = 1u;

// Doing `first`, then `second`. Both are powers of the one step map here, so
// the order does not matter for the results, only for the formula.
TRandomJump Then(const TRandomJump& first, const TRandomJump& second) {
    return {second.Multiplier * first.Multiplier,
            second.Multiplier * first.Increment + second.Increment};
}
} // namespace

uint32_t RandomState() {
    return g_state;
}

void SetRandomState(uint32_t state) {
    g_state = state;
}

uint32_t Random(uint32_t n) {
    // Modulo 2^32 by design: unsigned arithmetic.
    g_state = g_state * kMultiplier + kIncrement;
    return static_cast<uint32_t>((static_cast<uint64_t>(n) * g_state) >> 32);
}

TRandomJump RandomJump(uint64_t steps) {
    TRandomJump result;                         // no step
    TRandomJump power{kMultiplier, kIncrement}; // 2^i steps
    for (; steps != 0; steps >>= 1) {
        if (steps & 1u)
            result = Then(result, power);
        power = Then(power, power);
    }
    return result;
}
