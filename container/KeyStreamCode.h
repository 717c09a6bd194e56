// The scrambler's key stream is applied by the fastest code the processor
// can run. Tests choose each one in turn so that all of them are checked on
// one machine; the program itself never calls SetKeyStreamCode.
#pragma once

#include <cstdint>

enum class TKeyStreamCode : uint8_t { Best, Plain, Sse2, Avx2 };

// Whether this processor (and build) can run the code.
bool KeyStreamCodeRuns(TKeyStreamCode code);
// Uses the code from now on (one that cannot run is ignored); Best restores
// the automatic choice. Not for use while another thread scrambles.
void SetKeyStreamCode(TKeyStreamCode code);
