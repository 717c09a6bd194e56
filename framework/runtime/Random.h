// The process-wide shared pseudo-random generator: one 32-bit state, stepped
// as state * 134775813 + 1 (mod 2^32). A draw below n steps the state, then
// takes the upper 32 bits of n * state. Used from the one GUI thread only.
#pragma once

#include <cstdint>

uint32_t RandomState();
void SetRandomState(uint32_t state);
// Steps the state and returns a number below n (0 when n is 0).
uint32_t Random(uint32_t n);

// What a number of generator steps does to a state, as one affine map
// state -> Multiplier * state + Increment (mod 2^32). Lets a caller produce
// the generator's sequence from several points at once without the shared
// state.
struct TRandomJump {
    uint32_t Multiplier = 1;
    uint32_t Increment = 0;

    uint32_t Apply(uint32_t state) const { return Multiplier * state + Increment; }
};

// The map of `steps` steps (1 and 0 for no step), in O(log steps).
TRandomJump RandomJump(uint64_t steps);

// Saves the generator's state and puts it back when leaving the scope, so a
// borrower leaves the generator as it found it on every path.
class TRandomStateGuard {
public:
    TRandomStateGuard() : saved_(RandomState()) {}
    ~TRandomStateGuard() { SetRandomState(saved_); }
    TRandomStateGuard(const TRandomStateGuard&) = delete;
    TRandomStateGuard& operator=(const TRandomStateGuard&) = delete;

private:
    uint32_t saved_;
};
