// What the launcher holds in memory for a menu's pictures at once, so that a
// menu the checks pass is one the launcher can build. A 32-bit launcher has
// some 2 GB of address space, in which every picture is one block of its
// own; a menu whose pictures need more than the budget at their peak may
// stop with "Zu wenig Arbeitsspeicher" instead of showing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "format/MenuEntries.h"

// 1 GiB: a menu of three 5000 x 5000 buttons (about 1.1 GiB in this count)
// was shown under Wine, three of 6000 x 6000 (1.6 GiB) and an 8192 x 8192
// background with check-box pictures of that size (1.3 GiB) were not. The
// budget keeps a margin below both, for address space that is split up.
inline constexpr uint64_t kLauncherPictureBudget = 1024ull << 20;

struct PictureFootprint {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 24;  // the bitmap keeps the file's depth
    uint64_t entryBytes = 0; // the container entry, read whole before it is decoded
};

// The bytes of a bitmap of that size and depth (rows padded to 4 bytes).
uint64_t BitmapBytes(int32_t width, int32_t height, uint16_t bitCount);

// The peak, in bytes, of what the launcher holds for the pictures (entries
// 3 to 8 in order; nothing for a missing one) with shownButtons buttons on
// the menu. The phases of the menu's construction, each on top of what the
// ones before keep:
//   the background: its entry and its bitmap;
//   the buttons: the three working bitmaps, and for every shown button its
//   copies of them (the normal one twice: the button's and its skin's), a
//   24-bit copy of the normal one while the region is made, and the entry
//   being read;
//   the check box (built in both modes): two working bitmaps, its three
//   copies, the region's copy and the entry;
//   painting: a copy of the largest face.
uint64_t
LauncherPictureBytes(const std::array<std::optional<PictureFootprint>, kPictureCount>& pictures,
                     int shownButtons);
