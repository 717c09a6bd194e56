// Reads what a PE file says about itself: machine, format, subsystem, the
// DLLs it imports and its resources. Both PE32 and PE32+ (64-bit) images are
// read. Bounds-checked throughout; a malformed file gives an error text
// instead of a crash.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One leaf of the resource directory. Names given as strings (rather than
// numbers) are kept as text, their id is then 0.
struct TPeResource {
    uint32_t Type = 0; // 3: RT_ICON, 14: RT_GROUP_ICON, 16: RT_VERSION, 24: RT_MANIFEST
    uint32_t Id = 0;
    std::string Name;
    uint32_t Language = 0;
    std::string Data;
};

struct TPeImage {
    uint16_t Machine = 0;       // 0x14C: i386, 0x8664: x86-64
    uint16_t OptionalMagic = 0; // 0x10B: PE32, 0x20B: PE32+
    uint16_t Subsystem = 0;     // 2: Windows GUI, 3: console
    std::vector<std::string> ImportedDlls;
    std::vector<TPeResource> Resources;

    // The first resource of that type and numeric id, or nullptr.
    const TPeResource* Find(uint32_t type, uint32_t id) const;
};

// Parses the bytes of a PE file; returns false and sets error when it cannot.
bool ReadPeImage(const std::string& bytes, TPeImage& image, std::string& error);
