// Reads what a PE file says about itself: machine, format, subsystem and the
// DLLs it imports. Bounds-checked throughout; a malformed file gives an error
// text instead of a crash.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TPeImage {
    uint16_t Machine = 0;       // 0x14C: i386
    uint16_t OptionalMagic = 0; // 0x10B: PE32
    uint16_t Subsystem = 0;     // 2: Windows GUI, 3: console
    std::vector<std::string> ImportedDlls;
};

// Parses the bytes of a PE file; returns false and sets error when it cannot.
bool ReadPeImage(const std::string& bytes, TPeImage& image, std::string& error);
