// The stream scrambler: a reversible byte-wise transformation of a memory
// stream's whole contents, in place. Direction 0 adds a key stream to every
// byte (mod 256), direction 1 subtracts it, any other direction changes no
// byte. The key stream comes from the shared random generator seeded with
// Seed (random-sequence mode) or from a 110-byte table derived from Seed
// (key-table mode, at most 85 bytes). The generator's state is the same after
// every call as before it, and no failure reaches the caller.
#pragma once

#include <cstdint>

class TMemoryStream;

// Seed 0 leaves the stream wholly untouched (its position included); any
// other seed leaves the stream at position 0. A null stream is ignored.
void ScrambleStream(TMemoryStream* stream, uint8_t direction, int32_t seed, bool useKeyTable);

// The work behind ScrambleStream for any seed; failures stop the work where
// they happen and are swallowed.
void ScrambleStreamCore(TMemoryStream* stream, uint8_t direction, int32_t seed, bool useKeyTable);
