// The process-wide shared pseudo-random generator: one 32-bit state, stepped
// as state * 134775813 + 1 (mod 2^32). A draw below n steps the state, then
// takes the upper 32 bits of n * state. Used from the one GUI thread only.
#pragma once

#include <cstdint>

uint32_t RandomState();
void SetRandomState(uint32_t state);
// Steps the state and returns a number below n (0 when n is 0).
uint32_t Random(uint32_t n);

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
